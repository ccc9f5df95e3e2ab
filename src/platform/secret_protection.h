// Protection of small secrets (stored passwords) by the platform, bound to the current user's
// account, so that a copy of the settings file alone does not give them away.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bw::platform {

class SecretProtection {
public:
  virtual ~SecretProtection() = default;
  // The protected bytes of `clear`; nullopt when the platform refuses.
  virtual std::optional<std::vector<std::uint8_t>> Protect(std::span<const std::uint8_t> clear) = 0;
  // The clear bytes again; nullopt when they cannot be recovered here (another user, another
  // machine, damaged bytes, no protection on this platform).
  virtual std::optional<std::vector<std::uint8_t>> Unprotect(std::span<const std::uint8_t> sealed) = 0;
};

// No protection at hand (the native build): nothing is protected and nothing protected opens.
class NoSecretProtection : public SecretProtection {
public:
  std::optional<std::vector<std::uint8_t>> Protect(std::span<const std::uint8_t>) override { return std::nullopt; }
  std::optional<std::vector<std::uint8_t>> Unprotect(std::span<const std::uint8_t>) override { return std::nullopt; }
};

}  // namespace bw::platform
