// Finding the SQL Server instances on the network: one request, then every reply until the
// network has been quiet for the wait.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "launch/server_list.h"
#include "platform/clock.h"
#include "platform/datagram.h"
#include "platform/network_adapters.h"

namespace bw {

inline constexpr std::string_view kCannotDiscover =
    "Cannot discover active SQL servers. Is SQL server installed on this system?";  // 65028

struct DiscoveryOptions {
  // The program broadcasts; the settings tool and the tests name one host instead.
  platform::DatagramAddress target{"255.255.255.255", 1434};
  std::uint8_t request = 0x02;  // CLNT_BCAST_EX; CLNT_UCAST_EX (0x03) for a single host
  std::chrono::milliseconds wait{3000};   // quiet time that ends the discovery
  std::chrono::milliseconds limit{15000};  // the whole discovery, however often servers answer
  // A broadcast to 255.255.255.255 leaves through the preferred route only (a VPN or a virtual
  // adapter may hold it): with adapters named, the request goes to every adapter's network too.
  platform::NetworkAdapters* adapters = nullptr;
};

inline constexpr std::string_view kLimitedBroadcast = "255.255.255.255";

// The directed broadcast address of a network ("10.1.2.255" for 10.1.2.3/24); nothing for a
// prefix that leaves no broadcast address (31 and 32) or none at all (0).
std::optional<std::string> DirectedBroadcast(platform::Ipv4Network network);

// Where the request goes, each address once: the target, and when it is the broadcast address,
// the directed broadcast address of each network of the adapters, in the adapters' order.
std::vector<platform::DatagramAddress> DiscoveryTargets(const DiscoveryOptions& options);

// Sends the request over `socket` to each target and reads replies until a wait ends without one or the limit
// is reached. Only datagrams from the port the request went to are replies. After every reply `update` gets the whole list so far (sorted, each entry once),
// so a caller can show it at once. Returns the list. A socket failure throws
// platform::DatagramError (a failed send to an adapter's network does not: that adapter may have
// gone down meanwhile); what `update` was given stays valid.
std::vector<std::string> DiscoverSqlServers(
    platform::DatagramSocket& socket, platform::Clock& clock, const DiscoveryOptions& options,
    const std::function<void(const std::vector<std::string>&)>& update = {});

// The same into the caller's `list`, which keeps what came before a failure.
void DiscoverSqlServers(platform::DatagramSocket& socket, platform::Clock& clock, const DiscoveryOptions& options,
                        ServerList& list, const std::function<void(const std::vector<std::string>&)>& update);

}  // namespace bw
