// A number typed into a field: decimal digits only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bw {

// The value of `text` when it is one or more digits 0-9 and nothing else (no sign, no blanks)
// and fits a 32-bit integer; nullopt otherwise.
std::optional<std::int32_t> DecimalNumber(std::string_view text);

}  // namespace bw
