#include "launch/sql_server_tools.h"

namespace bw {

DiscoveredServers SqlServerSupport::DiscoverServers(
    const std::function<void(const std::vector<std::string>&)>& update) {
  DiscoveredServers found;
  // The list is filled in place, so what came before a failure is kept without a copy per reply.
  ServerList list;
  try {
    if (!socket_) socket_ = openSocket_();
    DiscoverSqlServers(*socket_, clock_, options_, list, update);
  } catch (const platform::DatagramError&) {
    found.failed = true;
  }
  found.names = list.Entries();
  return found;
}

}  // namespace bw
