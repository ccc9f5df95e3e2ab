// A protection for tests: bytes are sealed for one named user and only that user's instance
// opens them again; `refuse` makes it refuse everything, as a platform without keys would.
#pragma once

#include <algorithm>
#include <string>
#include <utility>

#include "platform/secret_protection.h"

namespace bw::platform {

class FakeSecretProtection : public SecretProtection {
public:
  explicit FakeSecretProtection(std::string user = "alice") : user_(std::move(user)) {}

  std::optional<std::vector<std::uint8_t>> Protect(std::span<const std::uint8_t> clear) override {
    if (refuse) return std::nullopt;
    std::vector<std::uint8_t> sealed(user_.begin(), user_.end());
    sealed.push_back(0);
    for (auto byte : clear) sealed.push_back(static_cast<std::uint8_t>(byte ^ 0x5A));
    return sealed;
  }

  std::optional<std::vector<std::uint8_t>> Unprotect(std::span<const std::uint8_t> sealed) override {
    ++unprotectCalls;
    if (refuse || sealed.size() <= user_.size() || sealed[user_.size()] != 0 ||
        !std::equal(user_.begin(), user_.end(), sealed.begin()))
      return std::nullopt;
    std::vector<std::uint8_t> clear;
    for (auto byte : sealed.subspan(user_.size() + 1)) clear.push_back(static_cast<std::uint8_t>(byte ^ 0x5A));
    return clear;
  }

  bool refuse = false;
  int unprotectCalls = 0;

private:
  std::string user_;
};

}  // namespace bw::platform
