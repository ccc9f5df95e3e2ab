#include "app/text_resource.h"

#include <zlib.h>

#include <array>
#include <limits>

namespace bw {

namespace {

// zlib's stream state, released whatever way the inflate ends.
class RawInflater {
public:
  RawInflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  RawInflater(const RawInflater&) = delete;
  RawInflater& operator=(const RawInflater&) = delete;
  ~RawInflater() {
    if (ready_) inflateEnd(&stream_);
  }
  bool Ready() const { return ready_; }
  z_stream& Stream() { return stream_; }

private:
  z_stream stream_{};
  bool ready_ = false;
};

}  // namespace

std::optional<std::string> InflateRaw(std::span<const std::uint8_t> input, std::size_t maxSize) {
  if (input.empty() || input.size() > std::numeric_limits<uInt>::max()) return std::nullopt;
  RawInflater inflater;
  if (!inflater.Ready()) return std::nullopt;
  z_stream& stream = inflater.Stream();
  // zlib takes a non-const pointer but does not write through next_in.
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());

  std::string text;
  std::array<char, 16384> chunk{};
  for (;;) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
    stream.avail_out = static_cast<uInt>(chunk.size());
    const int status = inflate(&stream, Z_NO_FLUSH);
    const std::size_t produced = chunk.size() - stream.avail_out;
    if (text.size() + produced > maxSize) return std::nullopt;
    text.append(chunk.data(), produced);
    if (status == Z_STREAM_END) break;
    // Z_BUF_ERROR with input left over cannot happen while output space is offered, so any
    // status but Z_OK, or no progress at all, means the stream is damaged or cut short.
    if (status != Z_OK || (produced == 0 && stream.avail_in == 0)) return std::nullopt;
  }
  // Bytes after the end of the stream (resource padding) are ignored.
  return text;
}

StringList ReadTextResource(platform::Resources& resources, std::string_view name) {
  const auto bytes = resources.StringResource(name);
  if (!bytes) return {};
  const auto text = InflateRaw(*bytes);
  if (!text) return {};
  return SplitLines(*text);
}

}  // namespace bw
