// What the configuration dialog asks of the SQL Server side: finding servers on the network,
// picking one of a server's databases, and trying a login.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace bw {

struct SqlLogin {
  std::string server;  // server or server\instance
  bool ntAuthentication = false;
  std::string userName;
  std::string password;
};

struct DiscoveredServers {
  std::vector<std::string> names;  // sorted, no duplicates
  bool failed = false;             // a socket error ended the search; `names` holds what came before
};

class SqlServerTools {
public:
  virtual ~SqlServerTools() = default;
  virtual DiscoveredServers DiscoverServers() = 0;
  // Lists the server's databases and lets the user pick one. The picked name, or nullopt when
  // nothing was picked; a failure is reported to the user here.
  virtual std::optional<std::string> PickDatabase(const SqlLogin& login) = 0;
  // Tries the login and reports the outcome to the user.
  virtual void TestConnection(const SqlLogin& login) = 0;
};

}  // namespace bw
