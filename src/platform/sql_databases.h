// What listing a SQL Server's databases needs of a database access layer: a connection by
// server name with a Windows or SQL login, one query whose text column is read row by row.
#pragma once

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bw::platform {

struct SqlLogin {
  std::string server;       // "server" or "server\instance", passed on as it is (also when empty)
  bool windowsLogin = false;  // true: the Windows account; user and password are ignored
  std::string user;
  std::string password;
};

// Any failure: no driver, connection refused, no such server, login failed, query failed,
// time-out. what() is the layer's own text, for tools and logs, never shown in the dialog.
class SqlError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class SqlConnection {
public:
  virtual ~SqlConnection() = default;  // closes the connection
  // Runs `query` with a command time-out and returns the text of `column` (found without
  // regard to case) of every row, first to last.
  virtual std::vector<std::string> ReadColumn(std::string_view query, std::string_view column,
                                              std::chrono::seconds timeout) = 0;
};

class SqlConnector {
public:
  virtual ~SqlConnector() = default;
  // Opens a connection, never prompting for anything; throws SqlError.
  virtual std::unique_ptr<SqlConnection> Open(const SqlLogin& login, std::chrono::seconds loginTimeout) = 0;
};

}  // namespace bw::platform
