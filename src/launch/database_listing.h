// Picking a database from a SQL Server's own list, and testing a server and login.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "platform/sql_databases.h"

namespace bw {

inline constexpr std::string_view kCannotConnect =
    "Cannot connect to SQL Server '%s'. Please check server, username, and password.";  // 65027
inline constexpr std::string_view kConnected = "Successfully connected to SQL Server '%s'";  // 65029

inline constexpr std::string_view kDatabaseQuery = "SELECT * FROM SYSDATABASES";
inline constexpr std::string_view kDatabaseColumn = "Name";
inline constexpr std::chrono::seconds kListLoginTimeout{1};
inline constexpr std::chrono::seconds kTestLoginTimeout{2};
inline constexpr std::chrono::seconds kQueryTimeout{3};

// The pick dialog "Available Databases".
class DatabasePicker {
public:
  virtual ~DatabasePicker() = default;
  // Shows the names, unsorted, in the order given. The selected line's text when closed with
  // OK, an empty text when OK was pressed with no line selected, nothing on Cancel.
  virtual std::optional<std::string> Pick(const std::vector<std::string>& names) = 0;
};

// Every database name of the server, in the server's order; throws platform::SqlError.
std::vector<std::string> ReadDatabaseNames(platform::SqlConnector& connector, const platform::SqlLogin& login,
                                           std::chrono::seconds loginTimeout = kListLoginTimeout);

// The database button: the picked name, or nothing when the field is to stay as it is (Cancel,
// OK without a selection, or any failure, which shows the warning "Cannot connect ..." before
// the pick dialog would show).
std::optional<std::string> ListSqlDatabases(platform::SqlConnector& connector, const platform::SqlLogin& login,
                                            DatabasePicker& picker, platform::Messages& messages);

// The "Test..." button: an information box on success, the warning "Cannot connect ..." on failure.
// True when the connection was made.
bool TestSqlConnection(platform::SqlConnector& connector, const platform::SqlLogin& login,
                       platform::Messages& messages);

}  // namespace bw
