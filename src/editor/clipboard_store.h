// Keeping the user's clipboard across a block command, which borrows the clipboard to learn
// the selected lines: every format that can be copied as bytes is kept and put back.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

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

// What the clipboard held, format by format (nothing when it was empty).
using SavedClipboard = std::vector<platform::ClipboardItem>;

// Takes the clipboard's content and empties the clipboard, leaving it without an owner: the
// client then writes the copied selection without waiting for this program, which is busy
// with the command and does not answer the clipboard's messages to its owner. Nullopt when
// the clipboard could not be opened or emptied: it may then still hold what it held, and
// reading it would not give the selection.
std::optional<SavedClipboard> SaveClipboard(platform::Clipboard& clipboard, platform::Clock& clock);

// Puts the saved content back (nothing saved leaves the clipboard empty). False when the
// clipboard could not be opened or written.
bool RestoreClipboard(platform::Clipboard& clipboard, platform::Clock& clock, const SavedClipboard& saved);

}  // namespace bw
