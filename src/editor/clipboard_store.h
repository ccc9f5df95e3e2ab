// Keeping the user's clipboard across a block command, which borrows the clipboard to learn
// the selected lines: the formats that stand on their own as bytes are kept and put back.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/clock.h"

namespace bw {

// Another program may hold the clipboard open for a moment: opening is tried this many
// times, with this pause between tries.
inline constexpr int kClipboardOpenTries = 10;
inline constexpr std::chrono::milliseconds kClipboardRetryPause{50};

// What is kept of the user's clipboard at most, in bytes; beyond it only the text formats are.
inline constexpr std::size_t kMaxSavedClipboardBytes = std::size_t{64} << 20;

// Names of the formats that tell clipboard viewers and the clipboard history to leave what
// the program puts on the clipboard alone.
inline constexpr std::string_view kExcludeFromMonitorsFormat = "ExcludeClipboardContentFromMonitorProcessing";
inline constexpr std::string_view kHistoryFormat = "CanIncludeInClipboardHistory";
inline constexpr std::string_view kCloudFormat = "CanUploadToCloudClipboard";

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

// What the clipboard held, format by format, ready to be put back: with the marks that keep
// clipboard viewers and the clipboard history away (nothing when nothing was kept).
using SavedClipboard = std::vector<platform::ClipboardItem>;

// Takes what stands on its own of the clipboard's content: the text formats with their
// locale, bitmaps as device-independent bitmaps, file drops and the other formats held as
// plain bytes, except those that only refer to a live object of their owner (OLE's) and
// except the content of an owner that does not answer (asking it to render a format could
// hang). Above kMaxSavedClipboardBytes only the text formats are taken. The marks that keep
// clipboard viewers and the clipboard history away from it once it is put back are added.
// Then empties the clipboard, leaving it without an owner: the client then writes the copied
// selection without waiting for this program, which is busy with the command and does not
// answer the clipboard's messages to its owner. Nullopt when the clipboard could not be
// opened or emptied: it may then still hold what it held, and reading it would not give the
// selection.
std::optional<SavedClipboard> SaveClipboard(platform::Clipboard& clipboard, platform::Clock& clock);

// Puts the saved content back (nothing saved leaves the clipboard empty). False when the
// clipboard could not be opened or written.
bool RestoreClipboard(platform::Clipboard& clipboard, platform::Clock& clock, const SavedClipboard& saved);

}  // namespace bw
