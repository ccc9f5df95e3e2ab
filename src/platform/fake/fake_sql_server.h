// A SQL Server stand-in for the native tests: a list of databases, an accepted login, and
// failures on demand; it records every connection asked of it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql_databases.h"

namespace bw::fake {

class FakeSqlServer final : public platform::SqlConnector {
public:
  struct Attempt {
    platform::SqlLogin login;
    std::chrono::seconds loginTimeout;
  };

  std::unique_ptr<platform::SqlConnection> Open(const platform::SqlLogin& login,
                                                std::chrono::seconds loginTimeout) override;

  std::vector<std::string> databases{"master", "tempdb", "model", "msdb"};
  std::string server = "SRV1";
  std::optional<std::string> user;      // a SQL login is accepted only with this user...
  std::optional<std::string> password;  // ...and this password; unset: any
  bool acceptsWindowsLogin = true;
  // The query takes this long; past its time-out it fails as a real server's would.
  std::chrono::seconds queryTakes{0};

  std::vector<Attempt> attempts;
  std::vector<std::string> queries;
  std::vector<std::chrono::seconds> queryTimeouts;
};

}  // namespace bw::fake
