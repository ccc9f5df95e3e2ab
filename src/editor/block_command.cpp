#include "editor/block_command.h"

#include <optional>
#include <string>
#include <vector>

#include "editor/attach_to_foreground.h"
#include "editor/clipboard_store.h"
#include "editor/input_guard.h"
#include "editor/posting.h"
#include "editor/typing.h"

namespace bw {
namespace {

using std::chrono::milliseconds;
namespace vk = platform::vk;

struct SelectedLines {
  std::vector<std::string> lines;
  // The copied text ended with a line break: the selection ended in column 1 of the line
  // below its last line, and the client left the caret there.
  bool caretBelow = false;
};

// Copies the selection and reads it from the clipboard. A read that fails (the clipboard is
// held by another program) copies and reads again; an empty clipboard is read again without a
// new copy, as the client may not have handled the copy chord yet (on a busy machine that takes
// longer than the copy pause). Nullopt when every read failed; no lines when the clipboard
// stayed empty (nothing was selected).
std::optional<SelectedLines> CopySelection(const BlockCommandContext& context, Poster& poster,
                                           platform::WindowId topLevel) {
  bool copyPending = false;
  bool emptySeen = false;
  for (int attempt = 0; attempt < kCopyTries; ++attempt) {
    if (!copyPending) poster.PostCopy(topLevel);
    const auto text = ReadClipboardText(context.clipboard);
    if (text && !text->empty()) {
      SelectedLines selection{SplitLines(*text), EndsWithLineBreak(*text)};
      // A selection that began at the end of the line above starts on the next line.
      if (!selection.lines.empty() && selection.lines.front().empty())
        selection.lines.erase(selection.lines.begin());
      return selection;
    }
    copyPending = text.has_value();
    emptySeen = emptySeen || copyPending;
    context.clock.Sleep(kCopyRetryPause);
  }
  if (emptySeen) return SelectedLines{};
  return std::nullopt;
}

// Edits the line the caret stands on (in column 1) and keeps its entry up to date.
void EditLine(Poster& poster, platform::WindowId window, BlockOperation operation, milliseconds pause,
              std::string& entry) {
  const auto removeLeading = [&](char c) {
    if (entry.empty() || entry[0] != c) return;
    const std::size_t count = entry.size() > 1 && entry[1] == c ? 2 : 1;
    for (std::size_t i = 0; i < count; ++i) poster.PostKey(window, vk::Delete, pause);
    entry.erase(0, count);
  };
  const auto insert = [&](char c) {
    poster.PostChar(window, c, pause);
    poster.PostChar(window, c, pause);
    entry.insert(0, 2, c);
  };
  switch (operation) {
    case BlockOperation::Indent: insert(' '); break;
    case BlockOperation::Unindent: removeLeading(' '); break;
    case BlockOperation::Comment: insert('/'); break;
    case BlockOperation::Uncomment: removeLeading('/'); break;
  }
}

// One pass over the lines, bottom line first, ending in column 1 of the line the caret
// started on. Input stays blocked and the window's drawing locked for the pass.
void RunPass(const BlockCommandContext& context, Poster& poster, platform::WindowId window,
             BlockOperation operation, SelectedLines& selection) {
  InputGuard guard(context.input, context.clock, {.busyCursor = false, .lockDrawing = window});
  const std::size_t n = selection.lines.size();
  poster.PostKey(window, vk::Home, kLinePause);
  if (selection.caretBelow) poster.PostKey(window, vk::Up, kLinePause);
  for (std::size_t i = n; i-- > 0;) {
    poster.PostKey(window, vk::Home, kLinePause);
    EditLine(poster, window, operation, context.pace.character, selection.lines[i]);
    // No Up after the top line: at the top of the text it would not move, and the Downs
    // below would then overshoot.
    if (i > 0) poster.PostKey(window, vk::Up, kLinePause);
  }
  const std::size_t downs = n - 1 + (selection.caretBelow ? 1 : 0);
  for (std::size_t i = 0; i < downs; ++i) poster.PostKey(window, vk::Down, kDownPause);
  poster.PostKey(window, vk::Home, kPassEndPause);
}

// Everything between attaching to the foreground thread and detaching again. The clipboard is
// borrowed only once the command really goes ahead; `saved` then holds what it held.
void RunAttached(const BlockCommandContext& context, BlockOperation operation, std::optional<SavedClipboard>& saved) {
  AttachToForeground frame(context.desktop, context.clock);
  if (!frame || frame.Focus() == platform::kNoWindow) return;
  if (!context.messages.Confirm("Confirm", BlockQuestion(operation))) return;

  saved = SaveClipboard(context.clipboard, context.clock);
  if (!saved) {
    // Not emptied: what it still holds would be taken for the selection.
    context.messages.Show(platform::MessageKind::Error, kClipboardError);
    return;
  }
  Poster poster(context.keyboard, context.clock);
  WaitForModifiersReleased(context.input, context.clock);
  auto selection = CopySelection(context, poster, frame.Foreground());
  if (!selection || selection->lines.empty()) return;

  const bool repeatable = operation == BlockOperation::Indent || operation == BlockOperation::Unindent;
  do {
    RunPass(context, poster, frame.Focus(), operation, *selection);
  } while (repeatable && context.messages.Confirm(kRepeatCaption, kRepeatQuestion));
}

}  // namespace

std::string_view BlockQuestion(BlockOperation operation) {
  switch (operation) {
    case BlockOperation::Indent: return "Perform indentation ?";
    case BlockOperation::Unindent: return "Remove indentation ?";
    case BlockOperation::Comment: return "Perform block comment ?";
    case BlockOperation::Uncomment: return "Remove block comment ?";
  }
  return {};
}

void BlockCommand(const BlockCommandContext& context, BlockOperation operation) {
  std::optional<SavedClipboard> saved;
  try {
    RunAttached(context, operation, saved);
  } catch (...) {
    try {
      if (saved) RestoreClipboard(context.clipboard, context.clock, *saved);
    } catch (...) {
    }
    throw;
  }
  if (saved && !RestoreClipboard(context.clipboard, context.clock, *saved))
    context.messages.Show(platform::MessageKind::Error, kClipboardError);
}

}  // namespace bw
