#include "platform/odbc/connection_text.h"

#include "base/text_case.h"

namespace bw::platform {

std::string ChooseSqlDriver(std::span<const std::string> installed) {
  for (const auto wanted : kSqlServerDrivers)
    for (const auto& name : installed)
      if (EqualsIgnoringCase(name, wanted)) return name;
  return std::string(kSqlServerDrivers[std::size(kSqlServerDrivers) - 1]);
}

std::string QuoteConnectionValue(std::string_view value) {
  std::string quoted = "{";
  for (const char c : value) {
    quoted += c;
    if (c == '}') quoted += '}';
  }
  quoted += '}';
  return quoted;
}

std::string SqlConnectionText(std::string_view driver, const SqlLogin& login) {
  std::string text = "DRIVER=" + QuoteConnectionValue(driver) + ";SERVER=" + QuoteConnectionValue(login.server) +
                     ";DATABASE=" + QuoteConnectionValue("master") + ";";
  if (login.windowsLogin)
    text += "Trusted_Connection=Yes;";
  else
    text += "UID=" + QuoteConnectionValue(login.user) + ";PWD=" + QuoteConnectionValue(login.password) + ";";
  if (EqualsIgnoringCase(driver, kSqlServerDrivers[0])) text += "Encrypt=no;";
  return text;
}

}  // namespace bw::platform
