// Value tags and limits of the component stream, shared by its writer and reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bw::stream {

inline constexpr std::string_view kSignature = "TPF0";

enum Tag : std::uint8_t {
  kNull = 0x00,      // end of a property list, child list or list value
  kList = 0x01,
  kInt8 = 0x02,
  kInt16 = 0x03,
  kInt32 = 0x04,
  kString = 0x06,    // 1-byte length
  kFalse = 0x08,
  kTrue = 0x09,
  kLString = 0x0C,   // 4-byte length
};

// Records nest no deeper than this, in either direction; a deeper tree is not written
// (it could never be read back) and a deeper stream is refused.
inline constexpr int kMaxDepth = 256;

// A stream holds no more records than this, far above any real use: a damaged or hostile
// file of millions of tiny records is refused instead of building lists and menus for ever.
inline constexpr std::size_t kMaxRecords = 100000;

// String lists are written under the field name plus this suffix.
inline constexpr std::string_view kListSuffix = ".Strings";

}  // namespace bw::stream
