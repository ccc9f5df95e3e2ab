// The published Blowfish initial values: the fractional hexadecimal digits of pi, the first
// 18 words forming the P-array and the next 1024 the four S-boxes.
#pragma once

#include <array>
#include <cstdint>

namespace bw::blowfish {

extern const std::array<std::uint32_t, 18> kInitialP;
extern const std::array<std::array<std::uint32_t, 256>, 4> kInitialS;

}  // namespace bw::blowfish
