// Builds expected component-stream bytes in tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace bw::test {

class StreamBytes {
public:
  StreamBytes& Raw(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  StreamBytes& Byte(std::initializer_list<std::uint8_t> values) {
    bytes_.insert(bytes_.end(), values);
    return *this;
  }
  // A short string: length byte and text.
  StreamBytes& Short(std::string_view text) {
    bytes_.push_back(static_cast<std::uint8_t>(text.size()));
    return Raw(text);
  }
  // A string property as the writer puts it for 1 to 255 bytes.
  StreamBytes& Text(std::string_view name, std::string_view value) {
    Short(name).Byte({0x06});
    return Short(value);
  }
  StreamBytes& Int8(std::string_view name, std::int8_t value) {
    return Short(name).Byte({0x02, static_cast<std::uint8_t>(value)});
  }
  StreamBytes& Bool(std::string_view name, bool value) { return Short(name).Byte({value ? std::uint8_t{9} : std::uint8_t{8}}); }
  // Class name, empty record name and ImageIndex -1.
  StreamBytes& Begin(std::string_view className) { return Short(className).Byte({0}).Int8("ImageIndex", -1); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace bw::test
