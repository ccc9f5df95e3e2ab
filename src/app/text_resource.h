// The program's compressed text resources ("HELP", "WHATSNEW"): one raw deflate stream each
// (no zlib or gzip header, no checksum) holding ANSI text with CR LF line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/typing.h"  // SplitLines: the resource's lines
#include "platform/resources.h"
#include "settings/storage.h"

namespace bw {

// Largest text a resource may inflate to; a stream that would give more counts as damaged.
inline constexpr std::size_t kMaxResourceText = 1 << 20;

// The inflated text; nullopt for a damaged, truncated or oversized stream.
std::optional<std::string> InflateRaw(std::span<const std::uint8_t> stream, std::size_t maxSize = kMaxResourceText);

// The lines of a "STRING" resource; no lines when it is missing or cannot be inflated.
StringList ReadTextResource(platform::Resources& resources, std::string_view name);

}  // namespace bw
