// The system clipboard's text. Another program may hold it open, so opening can fail; every
// other call is valid only between a successful Open and the matching Close.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw::platform {

class Clipboard {
public:
  virtual ~Clipboard() = default;
  // False when another program holds the clipboard open.
  virtual bool Open() = 0;
  // Opens it as Open does, but for no window of the program: Empty then leaves the clipboard
  // without an owner, and WriteText fails. A program that writes the clipboard next (the
  // client answering the copy chord) need not wait for the program to answer it then.
  virtual bool OpenUnowned() = 0;
  virtual void Close() = 0;
  // The clipboard's text; nullopt when it holds no text.
  virtual std::optional<std::string> ReadText() = 0;
  // Removes every format; the program becomes the clipboard's owner (no owner after OpenUnowned).
  virtual bool Empty() = 0;
  // Empties the clipboard and puts the text on it. False on failure.
  virtual bool WriteText(std::string_view text) = 0;
};

}  // namespace bw::platform
