// Feeds arbitrary bytes to the configuration file reader. The first byte chooses the layer:
// even values take the rest as an enciphered file, odd values as a bare component stream.
#include <cstddef>
#include <cstdint>
#include <span>

#include "settings/component_stream.h"
#include "settings/file_cipher.h"
#include "tree_fields.h"

namespace {

void Parse(std::span<const std::uint8_t> stream) {
  try {
    const auto root = bw::ReadComponentStream(stream);
    // What the reader accepted must be writable and, once written, read back the same tree,
    // field by field (an empty text read from the input is not written and comes back as the
    // field's default); a second round trip writes the same bytes.
    const auto first = bw::ReadComponentStream(bw::WriteComponentStream(*root));
    if (!bw::fuzz::SameTree(*root, *first, true)) __builtin_trap();
    const auto written = bw::WriteComponentStream(*first);
    if (bw::WriteComponentStream(*bw::ReadComponentStream(written)) != written) __builtin_trap();
  } catch (const bw::StreamError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  if (data[0] % 2 == 0) {
    if (const auto plain = bw::DecipherSettings(input)) Parse(*plain);
  } else {
    Parse(input);
  }
  return 0;
}
