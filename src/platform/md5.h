// MD5 digests, from the platform's cryptography.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace bw::platform {

std::array<std::uint8_t, 16> Md5(std::span<const std::uint8_t> bytes);

}  // namespace bw::platform
