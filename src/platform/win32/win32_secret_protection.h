// Stored secrets protected by the current user's Windows account (the data protection API).
#pragma once

#include "platform/secret_protection.h"

namespace bw::platform {

class Win32SecretProtection : public SecretProtection {
public:
  std::optional<std::vector<std::uint8_t>> Protect(std::span<const std::uint8_t> clear) override;
  std::optional<std::vector<std::uint8_t>> Unprotect(std::span<const std::uint8_t> sealed) override;
};

}  // namespace bw::platform
