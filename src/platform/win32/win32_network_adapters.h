// The IPv4 networks of the adapters that are up, from the IP helper.
#pragma once

#include "platform/network_adapters.h"

namespace bw::platform {

class Win32NetworkAdapters final : public NetworkAdapters {
public:
  std::vector<Ipv4Network> UpIpv4Networks() override;
};

}  // namespace bw::platform
