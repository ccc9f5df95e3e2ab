// The configuration file's cipher and its framing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bw {

// Enciphers a buffer with the built-in settings key: whole blocks, then a final block with the count.
std::vector<std::uint8_t> EncipherSettings(std::span<const std::uint8_t> plain);

// The reverse; nullopt when the framing is broken (shorter than a block, count above 7).
std::optional<std::vector<std::uint8_t>> DecipherSettings(std::span<const std::uint8_t> file);

}  // namespace bw
