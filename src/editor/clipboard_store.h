// Keeping the user's clipboard text across a block command, which borrows the clipboard to
// learn the selected lines. Only text survives; other clipboard formats are lost.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/clock.h"

namespace bw {

// Another program may hold the clipboard open for a moment: opening is tried this many
// times, with this pause between tries.
inline constexpr int kClipboardOpenTries = 10;
inline constexpr std::chrono::milliseconds kClipboardRetryPause{50};

// How a session opens the clipboard: for the program's window, or for none (emptying it then
// leaves no owner behind).
enum class ClipboardOwnership { Program, None };

// One open clipboard session; closed when the session ends.
class ClipboardSession {
public:
  explicit ClipboardSession(platform::Clipboard& clipboard,
                            ClipboardOwnership ownership = ClipboardOwnership::Program);
  ~ClipboardSession();
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }
  explicit operator bool() const { return open_; }

private:
  platform::Clipboard& clipboard_;
  bool open_ = false;
};

// Reads the clipboard's text in one session; nullopt when the clipboard could not be opened,
// an empty text when it holds no text.
std::optional<std::string> ReadClipboardText(platform::Clipboard& clipboard);

// Takes the clipboard's text and empties the clipboard, leaving it without an owner: the
// client then writes the copied selection without waiting for this program, which is busy
// with the command and does not answer the clipboard's messages to its owner. Failures are
// ignored: the result is then empty (and the clipboard may still hold what it held).
std::string SaveClipboard(platform::Clipboard& clipboard, platform::Clock& clock);

// Puts the saved text back (an empty text leaves the clipboard empty). False when the
// clipboard could not be opened or written.
bool RestoreClipboard(platform::Clipboard& clipboard, platform::Clock& clock, const std::string& saved);

}  // namespace bw
