#include "launch/database_listing.h"

#include "base/format_text.h"

namespace bw {

std::vector<std::string> ReadDatabaseNames(platform::SqlConnector& connector, const platform::SqlLogin& login,
                                           std::chrono::seconds loginTimeout) {
  const auto connection = connector.Open(login, loginTimeout);
  return connection->ReadColumn(kDatabaseQuery, kDatabaseColumn, kQueryTimeout);
}

std::optional<std::string> ListSqlDatabases(platform::SqlConnector& connector, const platform::SqlLogin& login,
                                            DatabasePicker& picker, platform::Messages& messages) {
  std::vector<std::string> names;
  try {
    names = ReadDatabaseNames(connector, login);
  } catch (const platform::SqlError&) {
    messages.Show(platform::MessageKind::Warning, FormatText(kCannotConnect, {login.server}));
    return std::nullopt;
  }
  auto picked = picker.Pick(names);
  if (!picked || picked->empty()) return std::nullopt;
  return picked;
}

bool TestSqlConnection(platform::SqlConnector& connector, const platform::SqlLogin& login,
                       platform::Messages& messages) {
  try {
    connector.Open(login, kTestLoginTimeout);
  } catch (const platform::SqlError&) {
    messages.Show(platform::MessageKind::Warning, FormatText(kCannotConnect, {login.server}));
    return false;
  }
  messages.Show(platform::MessageKind::Information, FormatText(kConnected, {login.server}));
  return true;
}

}  // namespace bw
