// Reads a component stream back into a record tree. Every length is checked against what
// remains of the input before it is used, so no input can make it read past the end or
// allocate more than the input could hold.
#include <cstring>
#include <variant>

#include "settings/component_stream.h"
#include "settings/stream_tags.h"

namespace bw {
namespace {

// One persisted field of a record, found by name when a property arrives.
struct FieldRef {
  std::string_view name;
  std::variant<std::string*, std::int32_t*, bool*, StringList*> target;
};

// Collects references to a record's fields in file order.
class FieldCollector final : public FieldVisitor {
public:
  explicit FieldCollector(std::vector<FieldRef>& fields) : fields_(fields) {}
  void Field(std::string_view name, std::string& value) override { fields_.push_back({name, &value}); }
  void Field(std::string_view name, std::int32_t& value) override { fields_.push_back({name, &value}); }
  void Field(std::string_view name, bool& value) override { fields_.push_back({name, &value}); }
  void Field(std::string_view name, StringList& value) override { fields_.push_back({name, &value}); }

private:
  std::vector<FieldRef>& fields_;
};

class Reader {
public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::unique_ptr<TStorage> Stream() {
    const auto signature = Take(stream::kSignature.size());
    if (std::memcmp(signature.data(), stream::kSignature.data(), signature.size()) != 0)
      throw StreamError("Invalid stream format");
    return Record(0);
  }

private:
  std::unique_ptr<TStorage> Record(int depth) {
    if (depth >= stream::kMaxDepth) throw StreamError("Records are nested too deeply");
    if (++records_ > stream::kMaxRecords) throw StreamError("Too many records");
    const auto className = ShortString();
    auto record = CreateStorage(className);
    if (!record) throw StreamError("Class " + std::string(className) + " not found");
    ShortString();  // the record name; the program never names its records

    fields_.clear();
    FieldCollector collector(fields_);
    record->VisitFields(collector);
    std::size_t next = 0;  // properties normally arrive in field order
    while (Peek() != stream::kNull) {
      const auto name = ShortString();
      next = Find(name, next, record->ClassName());
      Apply(fields_[next], name);
      ++next;
    }
    ++pos_;

    while (Peek() != stream::kNull) record->AddChild(Record(depth + 1));
    ++pos_;
    return record;
  }

  // The field a property name stands for, searched from `start` round to it again.
  std::size_t Find(std::string_view name, std::size_t start, std::string_view className) const {
    const std::size_t count = fields_.size();
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t i = (start + k) % count;
      const auto& field = fields_[i];
      if (std::holds_alternative<StringList*>(field.target)) {
        if (name.size() == field.name.size() + stream::kListSuffix.size() && name.starts_with(field.name) &&
            name.ends_with(stream::kListSuffix))
          return i;
      } else if (name == field.name) {
        return i;
      }
    }
    throw StreamError("Error reading " + std::string(className) + "." + std::string(name) + ": Property does not exist");
  }

  void Apply(const FieldRef& field, std::string_view name) {
    const std::uint8_t tag = Byte();
    std::visit(
        [&](auto* target) {
          using T = std::remove_pointer_t<decltype(target)>;
          if constexpr (std::is_same_v<T, std::string>) {
            const auto text = StringPayload(tag, name);
            target->assign(text.data(), text.size());
          } else if constexpr (std::is_same_v<T, std::int32_t>) {
            *target = Integer(tag, name);
          } else if constexpr (std::is_same_v<T, bool>) {
            if (tag != stream::kFalse && tag != stream::kTrue) WrongTag(name);
            *target = tag == stream::kTrue;
          } else {
            if (tag != stream::kList) WrongTag(name);
            target->clear();
            while (Peek() != stream::kNull) {
              const auto line = StringPayload(Byte(), name);
              target->emplace_back(reinterpret_cast<const char*>(line.data()), line.size());
            }
            ++pos_;
          }
        },
        field.target);
  }

  std::int32_t Integer(std::uint8_t tag, std::string_view name) {
    switch (tag) {
      case stream::kInt8: return static_cast<std::int8_t>(Byte());
      case stream::kInt16: return static_cast<std::int16_t>(LittleEndian(2));
      case stream::kInt32: return static_cast<std::int32_t>(LittleEndian(4));
      default: WrongTag(name);
    }
  }

  std::string_view StringPayload(std::uint8_t tag, std::string_view name) {
    std::size_t length = 0;
    if (tag == stream::kString) {
      length = Byte();
    } else if (tag == stream::kLString) {
      const auto raw = static_cast<std::int32_t>(LittleEndian(4));
      if (raw < 0) throw StreamError("Invalid string length");
      length = static_cast<std::size_t>(raw);
    } else {
      WrongTag(name);
    }
    const auto text = Take(length);
    return {reinterpret_cast<const char*>(text.data()), text.size()};
  }

  [[noreturn]] static void WrongTag(std::string_view name) {
    throw StreamError("Invalid property value for " + std::string(name));
  }

  std::string_view ShortString() {
    const auto text = Take(Byte());
    return {reinterpret_cast<const char*>(text.data()), text.size()};
  }

  std::uint32_t LittleEndian(std::size_t count) {
    const auto raw = Take(count);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) value |= static_cast<std::uint32_t>(raw[i]) << (8 * i);
    return value;
  }

  std::uint8_t Peek() const {
    if (pos_ >= bytes_.size()) throw StreamError("Stream read error");
    return bytes_[pos_];
  }

  std::uint8_t Byte() {
    const std::uint8_t value = Peek();
    ++pos_;
    return value;
  }

  std::span<const std::uint8_t> Take(std::size_t count) {
    if (count > bytes_.size() - pos_) throw StreamError("Stream read error");
    const auto taken = bytes_.subspan(pos_, count);
    pos_ += count;
    return taken;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  std::size_t records_ = 0;
  std::vector<FieldRef> fields_;  // reused for every record
};

}  // namespace

std::unique_ptr<TStorage> ReadComponentStream(std::span<const std::uint8_t> bytes) {
  return Reader(bytes).Stream();
}

}  // namespace bw
