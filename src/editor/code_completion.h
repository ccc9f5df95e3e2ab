// Code completion in the C/AL editor: the key events the watcher reports from other programs
// (KeyPressedWatch), the word being typed, the completion list opened after "." or on
// Ctrl+Space, its keys while it is open (KeyDownCompleter), and the choice typed in place of
// the partly typed word (InsertCompletion). Runs on the main thread.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "editor/completion_filter.h"
#include "editor/insert_thread.h"
#include "editor/typing_pace.h"
#include "platform/desktop.h"
#include "platform/key_translation.h"
#include "platform/keyboard.h"

namespace bw {

// The completion window as the logic drives it. The window never takes the keyboard focus.
class CompletionView {
public:
  virtual ~CompletionView() = default;
  // The window's outer height in pixels at `dpi` (the client area and its frame).
  virtual int Height(int dpi) = 0;
  // Creates the window hidden at (x, y) from the editor window's client origin, in the
  // monitor's pixels, sized for `dpi`; it stays there while the editor moves. False when it
  // could not be created.
  virtual bool Create(platform::WindowId editor, int x, int y, int dpi) = 0;
  // Replaces every row, with drawing locked during the rebuild, and selects one (or none).
  virtual void ShowRows(std::span<const CompletionEntry> rows, std::optional<std::size_t> selected) = 0;
  // Selects a row and scrolls it into view.
  virtual void Select(std::size_t row) = 0;
  virtual void Show() = 0;
  // Destroys the window.
  virtual void Destroy() = 0;
};

// Types a chosen word (TInsertThread in the program).
class CompletionInserter {
public:
  virtual ~CompletionInserter() = default;
  virtual void Insert(InsertJob job) = 0;
};

// Types each choice on a TInsertThread of its own; a new choice waits for the previous one's
// end, so that two never type into each other. The destructor waits for the last.
class InsertThreadInserter final : public CompletionInserter {
public:
  explicit InsertThreadInserter(InsertServices services) : services_(services) {}
  void Insert(InsertJob job) override;

private:
  InsertServices services_;
  std::optional<TInsertThread> worker_;
};

// What the preferences set for completion: the two triggers and the pace of the typing.
struct CompletionSwitches {
  bool viaDot = false;        // ActivateViaDOT
  bool viaCtrlSpace = true;   // ActivateViaCTRLSpace
  TypingPace pace{};          // NewLinePause and CharacterPause, clamped
};

struct CompletionServices {
  platform::Desktop& desktop;
  platform::Keyboard& keyboard;
  platform::KeyTranslation& keys;
  CompletionView& view;
  CompletionInserter& inserter;
  std::function<CompletionSwitches()> switches;
};

// Where the list goes: below the caret line (20 pixels at 96 DPI down), or above it when it
// would reach past the bottom of the editor window. caret in the editor's own client coordinates
// (which Windows scales for an editor unaware of DPI), editor and listHeight in the monitor's
// pixels; the place is an offset from the client origin in the monitor's pixels.
platform::CaretPoint CompletionPlacement(platform::ScreenRect editor, platform::CaretPoint caret,
                                         platform::WindowDpi dpi, int listHeight);

// Virtual keys and key-data bits of the key events.
namespace completion_keys {
inline constexpr std::uint32_t Backspace = 8, Tab = 9, Clear = 12, Enter = 13, Escape = 27, Space = 32,
                               PageUp = 33, PageDown = 34, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40;
inline constexpr std::uint32_t AltBit = 1u << 29;
inline constexpr std::uint32_t LateBit = 1u << 25;  // the key already reached the editor
inline constexpr std::uint32_t ReleasedBit = 1u << 31;
}  // namespace completion_keys

class CodeCompletion {
public:
  explicit CodeCompletion(CompletionServices services);
  ~CodeCompletion();
  CodeCompletion(const CodeCompletion&) = delete;
  CodeCompletion& operator=(const CodeCompletion&) = delete;

  // One key event from the watcher: virtual key and the keystroke's flags. True when the key
  // is to be swallowed (the editor never gets it). A late key (LateBit: the watcher let it pass
  // before this answer) is never acted on: the list closes without a choice and the word
  // starts afresh, since the editor's text went on without them.
  bool KeyPressedWatch(std::uint32_t virtualKey, std::uint32_t keyData);

  // From the view: a double-click chooses the row under the mouse as Enter would; a click
  // selects it; the window went away by itself (its editor closed).
  void RowDoubleClicked(std::size_t row);
  void RowClicked(std::size_t row);
  void ViewDestroyed();

  // Observers, for the view and the tests.
  bool IsOpen() const { return open_; }
  const CompletionFilter& List() const { return filter_; }
  const std::string& TypedWord() const { return typedWord_; }
  bool KeepWord() const { return keepWord_; }
  const std::string& SavedWord() const { return savedWord_; }

private:
  void TrackWord(platform::WindowId focus, std::optional<platform::CaretPoint> caret, std::uint32_t virtualKey,
                 std::uint32_t keyData, bool& handled);
  bool KeyDownCompleter(std::uint32_t virtualKey, std::uint32_t keyData);
  void OpenCompletion(platform::WindowId editor, const std::string& startFilter, platform::CaretPoint caret);
  void ApplyFilter(std::string filter);
  void InsertCompletion(std::string trailing);
  void Close();
  // The list is gone: forget it (and the word, when it had no rows).
  void Forget();
  void HandWordBack();

  CompletionServices services_;
  std::string typedWord_;
  platform::WindowId lastFocus_ = platform::kNoWindow;
  bool keepWord_ = false;
  std::string savedWord_;
  bool open_ = false;
  platform::WindowId target_ = platform::kNoWindow;
  CompletionFilter filter_;
};

}  // namespace bw
