// The program file's own resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace bw::platform {

class Resources {
public:
  virtual ~Resources() = default;
  // The bytes of the resource of type "STRING" with this name; nullopt when it is missing.
  virtual std::optional<std::vector<std::uint8_t>> StringResource(std::string_view name) = 0;
};

}  // namespace bw::platform
