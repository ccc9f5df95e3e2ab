// Network adapters as a test sets them, counting how often they were read.
#pragma once

#include <vector>

#include "platform/network_adapters.h"

namespace bw::fake {

class FixedAdapters final : public platform::NetworkAdapters {
public:
  std::vector<platform::Ipv4Network> UpIpv4Networks() override {
    ++reads;
    return networks;
  }

  std::vector<platform::Ipv4Network> networks;
  int reads = 0;
};

}  // namespace bw::fake
