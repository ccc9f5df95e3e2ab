// A stand-in for the Navision client's C/AL editor with just the properties the editor
// automation relies on:
//  - posted WM_CHAR inserts the character at the caret (a caret beyond the end of its line
//    pads the line with spaces first; a selection is replaced);
//  - posted key presses act as keys: Enter (with automatic indentation to the first non-blank
//    column of the line just ended; after a blank line, to the column the caret was in),
//    Home (column 1), End, Delete, Left, Right, and Up/Down keeping the column even beyond the
//    end of a shorter line; with Shift held the moves extend the selection, Ctrl+Home goes to
//    the top of the text;
//  - Ctrl+C posted to the top-level window copies the selection to the clipboard as lines
//    separated by CR LF and leaves the caret at the end of the selection.
// Lines and columns count from 0.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_desktop.h"

namespace bw::fake {

struct Caret {
  int line = 0;
  int column = 0;
  friend bool operator==(const Caret&, const Caret&) = default;
  friend auto operator<=>(const Caret&, const Caret&) = default;
};

class SimulatedEditor final : public MessageSink {
public:
  // editor: the focus window that takes the typing; topLevel: the client's window that takes
  // the copy chord; copyKey: the virtual key of "c" in the active layout.
  SimulatedEditor(FakeClipboard& clipboard, platform::WindowId editor, platform::WindowId topLevel,
                  std::uint16_t copyKey = 0x43);

  // Lines separated by "\n"; the caret goes to the start, the selection is cleared.
  void SetText(std::string_view text);
  std::string Text() const;  // lines joined with "\n"
  std::vector<std::string> Lines() const;
  Caret GetCaret() const;
  void SetCaret(Caret caret);
  // Selects from anchor to caret; the caret stands at `caret`.
  void Select(Caret anchor, Caret caret);
  bool HasSelection() const;

  void Receive(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam, std::uint32_t lParam,
               platform::Modifiers held) override;

private:
  void KeyDown(std::uint16_t key, platform::Modifiers held);
  void Type(char c);
  void Enter();
  void Delete();
  void Move(std::uint16_t key, platform::Modifiers held);
  void Copy();
  void EraseSelection();
  std::string& CaretLine();
  std::pair<Caret, Caret> SelectionRange() const;

  FakeClipboard& clipboard_;
  platform::WindowId editor_;
  platform::WindowId topLevel_;
  std::uint16_t copyKey_;
  mutable std::mutex mutex_;
  std::vector<std::string> lines_{std::string()};
  Caret caret_;
  std::optional<Caret> anchor_;
  bool controlPosted_ = false;
};

}  // namespace bw::fake
