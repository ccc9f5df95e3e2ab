#include "editor/code_completion.h"

#include <cctype>

#include "editor/window_recognition.h"

namespace bw {

namespace keys = completion_keys;

namespace {

constexpr int kBelowCaret = 20;

bool IsLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The characters that choose the selected word and are typed after it.
bool IsWordBreak(char c) { return c == ';' || c == ' ' || c == '(' || c == ')' || c == '.'; }

}  // namespace

platform::CaretPoint CompletionPlacement(platform::ScreenRect editor, platform::CaretPoint caret,
                                         platform::WindowDpi dpi, int listHeight) {
  const platform::CaretPoint at{platform::ScalePixels(caret.x, dpi.monitor, dpi.own),
                                platform::ScalePixels(caret.y, dpi.monitor, dpi.own)};
  if (editor.top + at.y + listHeight > editor.bottom) return {at.x, at.y - listHeight};
  return {at.x, at.y + platform::ScalePixels(kBelowCaret, dpi.monitor, platform::kDefaultDpi)};
}

void InsertThreadInserter::Insert(InsertJob job) {
  worker_.reset();
  worker_.emplace(services_, std::move(job));
}

CodeCompletion::CodeCompletion(CompletionServices services) : services_(std::move(services)) {}

CodeCompletion::~CodeCompletion() {
  if (!open_) return;
  try {
    services_.view.Destroy();
  } catch (...) {
  }
}

bool CodeCompletion::KeyPressedWatch(std::uint32_t virtualKey, std::uint32_t keyData) {
  // The foreground thread's focus and caret are read from outside: attaching to its input
  // state on every key would disturb the key state the editor reads (a held Shift got lost).
  platform::Desktop& desktop = services_.desktop;
  const platform::WindowId foreground = desktop.ForegroundWindow();
  if (foreground == platform::kNoWindow) return false;
  const auto input = desktop.FocusOfThread(desktop.OwnerOf(foreground).thread);
  if (!input) return false;
  if ((keyData & keys::ReleasedBit) != 0) return false;
  if ((keyData & keys::LateBit) != 0) {
    Close();
    typedWord_.clear();
    keepWord_ = false;
    savedWord_.clear();
    return false;
  }
  const platform::WindowId focus = input->focus;
  if (focus == platform::kNoWindow || !IsCalEditor(desktop, focus, desktop.OwnerOf(focus).process)) return false;
  if (open_) return KeyDownCompleter(virtualKey, keyData);
  bool handled = false;
  TrackWord(focus, input->caret, virtualKey, keyData, handled);
  return handled;
}

void CodeCompletion::TrackWord(platform::WindowId focus, std::optional<platform::CaretPoint> caret,
                               std::uint32_t virtualKey, std::uint32_t keyData, bool& handled) {
  if (focus != lastFocus_) typedWord_.clear();
  lastFocus_ = focus;
  if (keepWord_) {
    if (!savedWord_.empty()) typedWord_ = savedWord_;
    savedWord_.clear();
  } else {
    keepWord_ = true;
    typedWord_.clear();
  }
  if (virtualKey == keys::Clear || (virtualKey >= keys::PageUp && virtualKey <= keys::Down)) {
    typedWord_.clear();
    return;
  }
  const std::string typed = services_.keys.Translate(virtualKey, (keyData >> 16) & 0xFF);
  if (typed.size() != 1) return;
  const char c = typed[0];

  platform::Modifiers shift = services_.keys.StateModifiers();
  if ((keyData & keys::AltBit) != 0) shift |= platform::kHeldAlt;
  const bool noCtrlOrAlt = (shift & (platform::kHeldCtrl | platform::kHeldAlt)) == 0;

  if (IsLetterOrDigit(c) && noCtrlOrAlt) {
    typedWord_.push_back(c);
  } else if (virtualKey == keys::Backspace) {
    if (!typedWord_.empty()) typedWord_.pop_back();
  } else if (virtualKey == keys::Tab || virtualKey == keys::Enter) {
    typedWord_.clear();
  } else if (virtualKey == keys::Space && shift == 0) {
    typedWord_.clear();
  } else if (c == '.' && noCtrlOrAlt) {
    // Whatever key types it: on some layouts "." needs Shift.
    typedWord_.clear();
  }

  const CompletionSwitches switches = services_.switches ? services_.switches() : CompletionSwitches{};
  if (c == '.' && switches.viaDot) {
    if (caret) OpenCompletion(focus, typedWord_, *caret);
  } else if (c == ' ' && shift == platform::kHeldCtrl && switches.viaCtrlSpace) {
    if (caret) {
      handled = true;
      OpenCompletion(focus, typedWord_, *caret);
    }
  }
}

void CodeCompletion::OpenCompletion(platform::WindowId editor, const std::string& startFilter,
                                    platform::CaretPoint caret) {
  keepWord_ = false;
  const platform::ScreenRect rect = services_.desktop.WindowRect(editor).value_or(platform::ScreenRect{});
  const platform::WindowDpi dpi = services_.desktop.DpiOf(editor);
  const platform::CaretPoint at = CompletionPlacement(rect, caret, dpi, services_.view.Height(dpi.monitor));
  if (!services_.view.Create(editor, at.x, at.y, dpi.monitor)) return;
  open_ = true;
  target_ = editor;
  ApplyFilter(startFilter);
  services_.view.Show();
}

void CodeCompletion::ApplyFilter(std::string filter) {
  filter_.SetFilter(std::move(filter));
  services_.view.ShowRows(filter_.Rows(), filter_.Selected());
}

bool CodeCompletion::KeyDownCompleter(std::uint32_t virtualKey, std::uint32_t keyData) {
  switch (virtualKey) {
    case keys::Backspace:
      if (filter_.Filter().empty()) {
        HandWordBack();
        Close();
      } else {
        std::string shorter = filter_.Filter();
        shorter.pop_back();
        ApplyFilter(std::move(shorter));
      }
      return false;
    case keys::Enter:
      InsertCompletion({});
      Close();
      return true;
    case keys::Escape:
      HandWordBack();
      Close();
      return true;
    case keys::PageUp:
    case keys::PageDown:
      HandWordBack();
      Close();
      return false;
    case keys::Left:
    case keys::Right:
      return true;
    case keys::Up:
      filter_.SelectPrevious();
      if (filter_.Selected()) services_.view.Select(*filter_.Selected());
      return true;
    case keys::Down:
      filter_.SelectNext();
      if (filter_.Selected()) services_.view.Select(*filter_.Selected());
      return true;
    default:
      break;
  }
  const std::string typed = services_.keys.Translate(virtualKey, (keyData >> 16) & 0xFF);
  if (typed.size() != 1) return false;
  if (IsWordBreak(typed[0])) {
    InsertCompletion(typed);
    Close();
    return true;
  }
  ApplyFilter(filter_.Filter() + typed);
  return false;
}

void CodeCompletion::HandWordBack() {
  savedWord_ = filter_.Filter();
  keepWord_ = true;
}

void CodeCompletion::InsertCompletion(std::string trailing) {
  const std::string_view word = filter_.SelectedWord();
  if (word.empty()) return;  // nothing is typed; the choosing key is still swallowed
  const TypingPace pace = services_.switches ? services_.switches().pace : TypingPace{};
  services_.inserter.Insert(InsertJob{target_, filter_.Filter(), std::string(word), std::move(trailing), pace});
}

void CodeCompletion::Close() {
  if (!open_) return;
  Forget();
  services_.view.Destroy();
}

void CodeCompletion::Forget() {
  open_ = false;
  target_ = platform::kNoWindow;
  // An empty list hands nothing back: the next key starts a new word.
  if (filter_.Rows().empty()) {
    keepWord_ = false;
    savedWord_.clear();
  }
}

void CodeCompletion::RowClicked(std::size_t row) {
  if (open_ && filter_.Select(row)) services_.view.Select(row);
}

void CodeCompletion::RowDoubleClicked(std::size_t row) {
  if (!open_) return;
  filter_.Select(row);
  InsertCompletion({});
  Close();
}

void CodeCompletion::ViewDestroyed() {
  if (open_) Forget();
}

}  // namespace bw
