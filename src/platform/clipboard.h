// The system clipboard. Another program may hold it open, so opening can fail; every other
// call is valid only between a successful Open and the matching Close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bw::platform {

// Clipboard format numbers, as Windows numbers them.
inline constexpr std::uint32_t kTextFormat = 1;          // single-byte text in the ANSI code page
inline constexpr std::uint32_t kOemTextFormat = 7;       // single-byte text in the OEM code page
inline constexpr std::uint32_t kDibFormat = 8;           // device-independent bitmap
inline constexpr std::uint32_t kUnicodeTextFormat = 13;  // UTF-16 text
inline constexpr std::uint32_t kFileDropFormat = 15;     // a list of file names
inline constexpr std::uint32_t kLocaleFormat = 16;       // the locale of the text formats
inline constexpr std::uint32_t kDibV5Format = 17;        // device-independent bitmap, version 5
// Formats from this number on are registered by name.
inline constexpr std::uint32_t kFirstRegisteredFormat = 0xC000;

// One format the clipboard holds; a registered format comes with its name.
struct ClipboardFormat {
  std::uint32_t format = 0;
  std::string name;
  friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};

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
  // Every format the clipboard holds, in the clipboard's order. Listing renders nothing.
  virtual std::vector<ClipboardFormat> Formats() = 0;
  // Whether the program that owns the clipboard answers a message within a short bound (true
  // when no other program owns it). A format that is rendered only when asked for is rendered
  // by its owner, so asking a hung owner for one hangs the caller.
  virtual bool OwnerAnswers() = 0;
  // The size of a format that the clipboard hands out as a block of bytes; nullopt for any
  // other format or when it cannot be had. Renders a delayed format.
  virtual std::optional<std::size_t> SizeOf(std::uint32_t format) = 0;
  // The bytes of such a format; nullopt as for SizeOf.
  virtual std::optional<std::string> Read(std::uint32_t format) = 0;
  // The number of the format registered under this name (registered now if it is new); 0
  // when it cannot be registered. Valid without an open session.
  virtual std::uint32_t RegisterFormat(std::string_view name) = 0;
  // Removes every format; the program becomes the clipboard's owner (no owner after OpenUnowned).
  virtual bool Empty() = 0;
  // Empties the clipboard and puts every item on it. False when any could not be put.
  virtual bool WriteAll(std::span<const ClipboardItem> items) = 0;
};

}  // namespace bw::platform
