// Program resources held in memory, by name.
#pragma once

#include <map>
#include <string>

#include "platform/resources.h"

namespace bw::platform {

class FakeResources : public Resources {
public:
  std::optional<std::vector<std::uint8_t>> StringResource(std::string_view name) override {
    const auto found = resources.find(std::string(name));
    if (found == resources.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::vector<std::uint8_t>> resources;
};

}  // namespace bw::platform
