// The machine's network adapters as far as broadcasts go: each IPv4 address of an adapter that
// is up, with the length of its network prefix.
#pragma once

#include <cstdint>
#include <vector>

namespace bw::platform {

struct Ipv4Network {
  std::uint32_t address = 0;  // host byte order: 10.1.2.3 is 0x0A010203
  int prefixLength = 0;       // 24 for a mask of 255.255.255.0
};

class NetworkAdapters {
public:
  virtual ~NetworkAdapters() = default;
  // The IPv4 addresses of the adapters that are up, loopback adapters left out; empty when the
  // list cannot be read.
  virtual std::vector<Ipv4Network> UpIpv4Networks() = 0;
};

}  // namespace bw::platform
