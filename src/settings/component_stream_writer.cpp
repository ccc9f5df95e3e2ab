// Writes a record tree as a component stream. The tree is walked twice: once to size the
// output exactly, once to fill it, so the buffer is allocated a single time.
#include <cstring>
#include <limits>

#include "settings/component_stream.h"
#include "settings/stream_tags.h"

namespace bw {
namespace {

// Counts bytes without storing them.
class SizeSink {
public:
  void Byte(std::uint8_t) { ++size_; }
  void Bytes(const void*, std::size_t count) { size_ += count; }
  std::size_t Size() const { return size_; }

private:
  std::size_t size_ = 0;
};

// Stores bytes into a buffer already sized by SizeSink.
class BufferSink {
public:
  explicit BufferSink(std::uint8_t* out) : out_(out) {}
  void Byte(std::uint8_t value) { *out_++ = value; }
  void Bytes(const void* data, std::size_t count) {
    if (count != 0) std::memcpy(out_, data, count);
    out_ += count;
  }

private:
  std::uint8_t* out_;
};

template <class Sink> class Emitter final : public ConstFieldVisitor {
public:
  explicit Emitter(Sink& sink) : sink_(sink) {}

  void Record(const TStorage& record, int depth) {
    if (depth >= stream::kMaxDepth) throw StreamError("Records are nested too deeply");
    ShortString(record.ClassName());
    sink_.Byte(0);  // record name: always empty
    record.VisitFields(*this);
    sink_.Byte(stream::kNull);
    for (int i = 0; i < record.ChildCount(); ++i) Record(record.Child(i), depth + 1);
    sink_.Byte(stream::kNull);
  }

  void Field(std::string_view name, const std::string& value) override {
    if (value.empty()) return;
    ShortString(name);
    StringValue(value);
  }

  void Field(std::string_view name, std::int32_t value) override {
    ShortString(name);
    if (value >= -128 && value <= 127) {
      sink_.Byte(stream::kInt8);
      sink_.Byte(static_cast<std::uint8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
      sink_.Byte(stream::kInt16);
      LittleEndian(static_cast<std::uint32_t>(value), 2);
    } else {
      sink_.Byte(stream::kInt32);
      LittleEndian(static_cast<std::uint32_t>(value), 4);
    }
  }

  void Field(std::string_view name, bool value) override {
    ShortString(name);
    sink_.Byte(value ? stream::kTrue : stream::kFalse);
  }

  void Field(std::string_view name, const StringList& value) override {
    if (value.empty()) return;
    if (name.size() + stream::kListSuffix.size() > 255) throw StreamError("Property name too long");
    sink_.Byte(static_cast<std::uint8_t>(name.size() + stream::kListSuffix.size()));
    sink_.Bytes(name.data(), name.size());
    sink_.Bytes(stream::kListSuffix.data(), stream::kListSuffix.size());
    sink_.Byte(stream::kList);
    for (const auto& line : value) StringValue(line);
    sink_.Byte(stream::kNull);
  }

private:
  void ShortString(std::string_view text) {
    if (text.size() > 255) throw StreamError("Name too long for the stream");
    sink_.Byte(static_cast<std::uint8_t>(text.size()));
    sink_.Bytes(text.data(), text.size());
  }

  void StringValue(std::string_view text) {
    if (text.size() <= 255) {
      sink_.Byte(stream::kString);
      sink_.Byte(static_cast<std::uint8_t>(text.size()));
    } else {
      if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw StreamError("String too long for the stream");
      sink_.Byte(stream::kLString);
      LittleEndian(static_cast<std::uint32_t>(text.size()), 4);
    }
    sink_.Bytes(text.data(), text.size());
  }

  void LittleEndian(std::uint32_t value, int bytes) {
    std::uint8_t buffer[4];
    for (int i = 0; i < bytes; ++i) buffer[i] = static_cast<std::uint8_t>(value >> (8 * i));
    sink_.Bytes(buffer, static_cast<std::size_t>(bytes));
  }

  Sink& sink_;
};

}  // namespace

std::size_t ComponentStreamSize(const TStorage& root) {
  SizeSink counter;
  counter.Bytes(stream::kSignature.data(), stream::kSignature.size());
  Emitter<SizeSink>(counter).Record(root, 0);
  return counter.Size();
}

std::vector<std::uint8_t> WriteComponentStream(const TStorage& root) {
  std::vector<std::uint8_t> bytes(ComponentStreamSize(root));
  BufferSink sink(bytes.data());
  sink.Bytes(stream::kSignature.data(), stream::kSignature.size());
  Emitter<BufferSink>(sink).Record(root, 0);
  return bytes;
}

}  // namespace bw
