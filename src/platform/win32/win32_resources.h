// The running program file's "STRING" resources.
#pragma once

#include "platform/resources.h"

namespace bw::platform {

class Win32Resources final : public Resources {
public:
  std::optional<std::vector<std::uint8_t>> StringResource(std::string_view name) override;
};

}  // namespace bw::platform
