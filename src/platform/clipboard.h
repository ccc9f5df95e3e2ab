// The system clipboard. Another program may hold it open, so opening can fail; every other
// call is valid only between a successful Open and the matching Close.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw::platform {

// Clipboard format numbers of the text formats (as Windows numbers them).
inline constexpr std::uint32_t kTextFormat = 1;          // single-byte text in the ANSI code page
inline constexpr std::uint32_t kUnicodeTextFormat = 13;  // UTF-16 text

// What the clipboard holds in one format, as bytes.
struct ClipboardItem {
  std::uint32_t format = 0;
  std::string bytes;
  friend bool operator==(const ClipboardItem&, const ClipboardItem&) = default;
};

class Clipboard {
public:
  virtual ~Clipboard() = default;
  // False when another program holds the clipboard open.
  virtual bool Open() = 0;
  // Opens it as Open does, but for no window of the program: Empty then leaves the clipboard
  // without an owner, and WriteAll fails. A program that writes the clipboard next (the
  // client answering the copy chord) need not wait for the program to answer it then.
  virtual bool OpenUnowned() = 0;
  virtual void Close() = 0;
  // The clipboard's text; nullopt when it holds no text.
  virtual std::optional<std::string> ReadText() = 0;
  // Every format the clipboard holds that can be copied as a block of bytes, in the
  // clipboard's order.
  virtual std::vector<ClipboardItem> ReadAll() = 0;
  // Removes every format; the program becomes the clipboard's owner (no owner after OpenUnowned).
  virtual bool Empty() = 0;
  // Empties the clipboard and puts every item on it. False when any could not be put.
  virtual bool WriteAll(std::span<const ClipboardItem> items) = 0;
};

}  // namespace bw::platform
