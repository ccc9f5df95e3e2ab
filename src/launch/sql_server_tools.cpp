#include "launch/sql_server_tools.h"

namespace bw {

DiscoveredServers SqlServerSupport::DiscoverServers(
    const std::function<void(const std::vector<std::string>&)>& update) {
  DiscoveredServers found;
  try {
    if (!socket_) socket_ = openSocket_();
    found.names = DiscoverSqlServers(*socket_, clock_, options_, [&](const std::vector<std::string>& names) {
      found.names = names;
      if (update) update(names);
    });
  } catch (const platform::DatagramError&) {
    found.failed = true;
  }
  return found;
}

}  // namespace bw
