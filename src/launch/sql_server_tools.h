// What the configuration dialog asks of the SQL Server side: finding servers on the network,
// picking one of a server's databases, and trying a login.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launch/database_listing.h"
#include "launch/server_discovery.h"
#include "platform/sql_databases.h"

namespace bw {

struct DiscoveredServers {
  std::vector<std::string> names;  // sorted, each entry once
  bool failed = false;             // a socket error ended the search; `names` holds what came before
};

class SqlServerTools {
public:
  virtual ~SqlServerTools() = default;
  // `update` gets the whole list so far after every reply.
  virtual DiscoveredServers DiscoverServers(const std::function<void(const std::vector<std::string>&)>& update) = 0;
  // Lists the server's databases and lets the user pick one. The picked name, or nullopt when
  // nothing was picked; a failure is reported to the user here.
  virtual std::optional<std::string> PickDatabase(const platform::SqlLogin& login) = 0;
  // Tries the login and reports the outcome to the user.
  virtual void TestConnection(const platform::SqlLogin& login) = 0;
};

// The tools over discovery by datagrams and listing through a SQL connector. The socket is opened
// at the first discovery and kept until the tools are destroyed (with the dialog).
class SqlServerSupport final : public SqlServerTools {
public:
  using SocketOpener = std::function<std::unique_ptr<platform::DatagramSocket>()>;

  SqlServerSupport(SocketOpener openSocket, platform::Clock& clock, platform::SqlConnector& connector,
                   DatabasePicker& picker, platform::Messages& messages, DiscoveryOptions options = {})
      : openSocket_(std::move(openSocket)), clock_(clock), connector_(connector), picker_(picker),
        messages_(messages), options_(std::move(options)) {}

  DiscoveredServers DiscoverServers(const std::function<void(const std::vector<std::string>&)>& update) override;
  std::optional<std::string> PickDatabase(const platform::SqlLogin& login) override {
    return ListSqlDatabases(connector_, login, picker_, messages_);
  }
  void TestConnection(const platform::SqlLogin& login) override { TestSqlConnection(connector_, login, messages_); }

private:
  SocketOpener openSocket_;
  platform::Clock& clock_;
  platform::SqlConnector& connector_;
  DatabasePicker& picker_;
  platform::Messages& messages_;
  DiscoveryOptions options_;
  std::unique_ptr<platform::DatagramSocket> socket_;
};

}  // namespace bw
