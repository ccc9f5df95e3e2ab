// The JSON settings reader on arbitrary input: a clear error or a tree, never a crash; a tree
// that was read writes back to JSON that reads again to the same tree, field by field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "json_settings.h"
#include "tree_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kMaxInput = 1 << 16;
  if (size > kMaxInput) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto tree = bw::bwconfig::ReadSettingsJson(text);
    const std::string written = bw::bwconfig::WriteSettingsJson(*tree);
    const auto again = bw::bwconfig::ReadSettingsJson(written);
    if (!bw::fuzz::SameTree(*tree, *again, false)) std::abort();
    if (bw::bwconfig::WriteSettingsJson(*again) != written) std::abort();
  } catch (const bw::bwconfig::JsonSettingsError&) {
  }
  return 0;
}
