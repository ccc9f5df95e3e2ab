#include "editor/clipboard_store.h"

#include <algorithm>
#include <cstdint>

#include "base/text_case.h"

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

// The text formats, kept whatever their size.
bool IsTextFormat(std::uint32_t format) {
  return format == platform::kTextFormat || format == platform::kOemTextFormat ||
         format == platform::kUnicodeTextFormat || format == platform::kLocaleFormat;
}

// Whether a format's bytes, put back later, still mean what they meant. OLE's formats name
// an object of their owner, which another copy has replaced by then. The marks of what the
// program puts there are put on afresh. (Formats held as handles rather than bytes the
// clipboard does not hand out as bytes at all.)
bool IsSelfContained(const platform::ClipboardFormat& format) {
  static constexpr std::string_view kObjectFormats[] = {
      "DataObject",   "Ole Private Data", "Object Descriptor", "Link Source Descriptor", "Link Source",
      "Embed Source", "Embedded Object",  "OwnerLink",         "ObjectLink",             "Native"};
  static constexpr std::string_view kMarks[] = {kExcludeFromMonitorsFormat, kHistoryFormat, kCloudFormat};
  if (format.format < platform::kFirstRegisteredFormat) return true;
  const auto named = [&](std::string_view name) { return EqualsIgnoringCase(name, format.name); };  // names ignore case
  return std::ranges::none_of(kObjectFormats, named) && std::ranges::none_of(kMarks, named);
}

// The formats worth keeping, read in an open session.
SavedClipboard ReadSelfContained(platform::Clipboard& clipboard) {
  SavedClipboard kept;
  if (!clipboard.OwnerAnswers()) return kept;
  struct Candidate {
    std::uint32_t format;
    std::size_t size;
  };
  std::vector<Candidate> candidates;
  std::size_t total = 0;
  for (const platform::ClipboardFormat& format : clipboard.Formats()) {
    if (!IsSelfContained(format)) continue;
    const auto size = clipboard.SizeOf(format.format);
    if (!size || *size == 0) continue;
    candidates.push_back({format.format, *size});
    total = std::min(total + std::min(*size, kMaxSavedClipboardBytes + 1), kMaxSavedClipboardBytes + 1);
  }
  const bool textOnly = total > kMaxSavedClipboardBytes;
  for (const Candidate& candidate : candidates) {
    if (textOnly && !IsTextFormat(candidate.format)) continue;
    auto bytes = clipboard.Read(candidate.format);
    if (bytes && !bytes->empty()) kept.push_back({candidate.format, std::move(*bytes)});
  }
  return kept;
}

// Adds the marks that keep clipboard viewers and the history away from what is put back.
void Mark(platform::Clipboard& clipboard, SavedClipboard& saved) {
  if (saved.empty()) return;  // emptying puts nothing there
  for (const std::string_view name : {kExcludeFromMonitorsFormat, kHistoryFormat, kCloudFormat})
    if (const std::uint32_t format = clipboard.RegisterFormat(name))
      saved.push_back({format, std::string(4, '\0')});  // a DWORD 0: no
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
      SavedClipboard content = ReadSelfContained(clipboard);
      if (!clipboard.Empty()) return false;
      Mark(clipboard, content);
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
