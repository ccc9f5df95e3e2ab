#include "launch/server_discovery.h"

#include <algorithm>
#include <array>

#include "launch/discovery_reply.h"

namespace bw {

std::vector<std::string> DiscoverSqlServers(platform::DatagramSocket& socket, platform::Clock& clock,
                                            const DiscoveryOptions& options,
                                            const std::function<void(const std::vector<std::string>&)>& update) {
  ServerList list;
  DiscoverSqlServers(socket, clock, options, list, update);
  return list.Entries();
}

void DiscoverSqlServers(platform::DatagramSocket& socket, platform::Clock& clock, const DiscoveryOptions& options,
                        ServerList& list, const std::function<void(const std::vector<std::string>&)>& update) {
  using std::chrono::milliseconds;
  ReplyFieldWalk walk;
  const std::array<std::uint8_t, 1> request{options.request};
  socket.Send(request, options.target);

  const auto deadline = clock.Now() + options.limit;
  // A reply may be as long as a UDP datagram can be; it is read whole.
  std::vector<std::uint8_t> buffer(65536);
  for (;;) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - clock.Now());
    if (left <= milliseconds::zero()) break;
    const auto received = socket.Receive(buffer, std::min(options.wait, left));
    if (!received) break;
    // Anyone may send to the socket's port; a server answers from the port it was asked on.
    if (received->fromPort != options.target.port) continue;
    walk.Walk(std::span(buffer).first(std::min(received->size, buffer.size())), list);
    if (update) update(list.Entries());
  }
}

}  // namespace bw
