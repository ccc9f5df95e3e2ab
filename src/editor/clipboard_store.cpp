#include "editor/clipboard_store.h"

namespace bw {
namespace {

// Opens the clipboard, trying again while another program holds it, and runs the work.
template <typename Work>
bool WithOpenClipboard(platform::Clipboard& clipboard, platform::Clock& clock, Work&& work) {
  for (int attempt = 0; attempt < kClipboardOpenTries; ++attempt) {
    if (attempt > 0) clock.Sleep(kClipboardRetryPause);
    ClipboardSession session(clipboard);
    if (session) return work();
  }
  return false;
}

}  // namespace

ClipboardSession::ClipboardSession(platform::Clipboard& clipboard) : clipboard_(clipboard) {
  open_ = clipboard_.Open();
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

std::string SaveClipboard(platform::Clipboard& clipboard, platform::Clock& clock) {
  std::string saved;
  try {
    WithOpenClipboard(clipboard, clock, [&] {
      saved = clipboard.ReadText().value_or(std::string());
      return clipboard.Empty();
    });
  } catch (...) {
  }
  return saved;
}

bool RestoreClipboard(platform::Clipboard& clipboard, platform::Clock& clock, const std::string& saved) {
  return WithOpenClipboard(clipboard, clock, [&] {
    return saved.empty() ? clipboard.Empty() : clipboard.WriteText(saved);
  });
}

}  // namespace bw
