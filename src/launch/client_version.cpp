#include "launch/client_version.h"

#include "base/format_text.h"

namespace bw {

std::string ClientProductName(const platform::FileVersion& version) {
  switch (version.major) {
    case 2: case 3: case 4: return "Navision";
    case 5: return "Dynamics NAV 5.0";
    case 6: return "Dynamics NAV 2009";  // 2009, SP1 and R2 all carry 6.0
    case 7: return version.minor >= 1 ? "Dynamics NAV 2013 R2" : "Dynamics NAV 2013";
    case 8: return "Dynamics NAV 2015";
    case 9: return "Dynamics NAV 2016";
    case 10: return "Dynamics NAV 2017";
    case 11: return "Dynamics NAV 2018";
    case 14: return "Business Central 14";
    default: return {};
  }
}

std::string ClientVersionText(const platform::FileVersion& version) {
  const std::string numbers = std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                              std::to_string(version.release) + "." + std::to_string(version.build);
  const std::string name = ClientProductName(version);
  return name.empty() ? numbers : FormatText("%s, %s", {name, numbers});
}

bool TakesServerSettings(const std::optional<platform::FileVersion>& version) {
  return !version || !(version->major >= 2 && version->major <= 6);
}

bool HasNewEditor(const platform::FileVersion& version) { return version.major >= 9; }

}  // namespace bw
