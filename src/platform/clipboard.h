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
  virtual void Close() = 0;
  // The clipboard's text; nullopt when it holds no text.
  virtual std::optional<std::string> ReadText() = 0;
  // Removes every format; the program becomes the clipboard's owner.
  virtual bool Empty() = 0;
  // Empties the clipboard and puts the text on it. False on failure.
  virtual bool WriteText(std::string_view text) = 0;
};

}  // namespace bw::platform
