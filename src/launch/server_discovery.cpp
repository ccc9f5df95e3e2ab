#include "launch/server_discovery.h"

#include <algorithm>
#include <array>

#include "launch/discovery_reply.h"

namespace bw {

std::optional<std::string> DirectedBroadcast(platform::Ipv4Network network) {
  if (network.prefixLength < 1 || network.prefixLength > 30) return std::nullopt;
  const std::uint32_t host = 0xFFFFFFFFu >> network.prefixLength;
  const std::uint32_t broadcast = network.address | host;
  return std::to_string(broadcast >> 24) + '.' + std::to_string((broadcast >> 16) & 0xFF) + '.' +
         std::to_string((broadcast >> 8) & 0xFF) + '.' + std::to_string(broadcast & 0xFF);
}

std::vector<platform::DatagramAddress> DiscoveryTargets(const DiscoveryOptions& options) {
  std::vector<platform::DatagramAddress> targets{options.target};
  if (options.adapters == nullptr || options.target.host != kLimitedBroadcast) return targets;
  for (const platform::Ipv4Network& network : options.adapters->UpIpv4Networks()) {
    const auto host = DirectedBroadcast(network);
    if (!host || std::ranges::any_of(targets, [&](const auto& known) { return known.host == *host; })) continue;
    targets.push_back({*host, options.target.port});
  }
  return targets;
}

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
  const std::vector<platform::DatagramAddress> targets = DiscoveryTargets(options);
  socket.Send(request, targets.front());
  for (std::size_t i = 1; i < targets.size(); ++i) {
    try {
      socket.Send(request, targets[i]);
    } catch (const platform::DatagramError&) {
    }
  }

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
