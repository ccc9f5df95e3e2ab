#include "editor/clipboard_store.h"

namespace bw {
namespace {

// Opens the clipboard, trying again while another program holds it, and runs the work.
template <typename Work>
bool WithOpenClipboard(platform::Clipboard& clipboard, platform::Clock& clock, ClipboardOwnership ownership,
                       Work&& work) {
  for (int attempt = 0; attempt < kClipboardOpenTries; ++attempt) {
    if (attempt > 0) clock.Sleep(kClipboardRetryPause);
    ClipboardSession session(clipboard, ownership);
    if (session) return work();
  }
  return false;
}

}  // namespace

ClipboardSession::ClipboardSession(platform::Clipboard& clipboard, ClipboardOwnership ownership)
    : clipboard_(clipboard) {
  open_ = ownership == ClipboardOwnership::Program ? clipboard_.Open() : clipboard_.OpenUnowned();
}

ClipboardSession::~ClipboardSession() {
  if (!open_) return;
  try {
    clipboard_.Close();
  } catch (...) {
  }
}

std::optional<std::string> ReadClipboardText(platform::Clipboard& clipboard) {
  ClipboardSession session(clipboard);
  if (!session) return std::nullopt;
  return clipboard.ReadText().value_or(std::string());
}

std::optional<SavedClipboard> SaveClipboard(platform::Clipboard& clipboard, platform::Clock& clock) {
  std::optional<SavedClipboard> saved;
  try {
    WithOpenClipboard(clipboard, clock, ClipboardOwnership::None, [&] {
      SavedClipboard content = clipboard.ReadAll();
      if (!clipboard.Empty()) return false;
      saved = std::move(content);
      return true;
    });
  } catch (...) {
    saved.reset();
  }
  return saved;
}

bool RestoreClipboard(platform::Clipboard& clipboard, platform::Clock& clock, const SavedClipboard& saved) {
  return WithOpenClipboard(clipboard, clock, ClipboardOwnership::Program, [&] {
    return saved.empty() ? clipboard.Empty() : clipboard.WriteAll(saved);
  });
}

}  // namespace bw
