// A scripted desktop that records every call: windows with classes, captions, owners and
// processes; a foreground window and per-thread focus; thread attachment that can be made to
// fail; posted keyboard messages, handed on to whatever simulates the receiving window; the
// user's modifier keys, held for a number of polls; input blocking, busy cursor and the
// drawing lock.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/fake/event_log.h"
#include "platform/keyboard.h"
#include "platform/user_input.h"

namespace bw::fake {

// Receives the keyboard messages posted to the windows it was routed to.
class MessageSink {
public:
  virtual ~MessageSink() = default;
  // held: the modifiers the user holds at that moment (they change how keys act).
  virtual void Receive(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam,
                       std::uint32_t lParam, platform::Modifiers held) = 0;
};

class FakeDesktop final : public platform::Desktop, public platform::Keyboard, public platform::UserInput {
public:
  // The program's own thread.
  static constexpr platform::ThreadId kOwnThread = 1;

  struct Window {
    std::string className;
    std::string caption;
    platform::ThreadId thread = 0;
    platform::ProcessId process = 0;
    platform::WindowId parent = platform::kNoWindow;
  };

  explicit FakeDesktop(EventLog& log) : log_(log) {}

  // --- the scene
  void AddWindow(platform::WindowId id, Window window);
  void AddProcess(platform::ProcessId process, std::string executable);
  void SetForeground(platform::WindowId window);
  void SetFocus(platform::ThreadId thread, platform::WindowId window);
  void SetCaret(std::optional<platform::CaretPoint> caret);
  void SetWindowRect(platform::WindowId window, platform::ScreenRect rect);
  void SetWindowDpi(platform::WindowId window, platform::WindowDpi dpi);
  void FailAttach(bool fail) { failAttach_ = fail; }
  void FailSnapshot(bool fail) { failSnapshot_ = fail; }
  // The modifiers stay held for the next `polls` polls (-1: for ever), then are let go.
  void HoldModifiers(platform::Modifiers modifiers, int polls);
  // The layout's key for a character (default: the letter's upper-case code, -1 otherwise).
  void SetKeyForChar(char c, std::int16_t key);
  // Messages posted to the window go to the sink as well (which must outlive the routing).
  void Route(platform::WindowId window, MessageSink& sink);
  // The post after `posts` further successful ones throws std::runtime_error.
  void ThrowAfterPosts(int posts) { throwAfter_ = posts; }
  // The user presses Esc once `posts` further messages were posted (while input is blocked).
  void PressEscapeAfterPosts(int posts) { escapeAfter_ = posts; }

  // --- what the program left behind
  bool Attached() const;
  bool InputBlocked() const;
  bool BusyCursorShown() const;
  platform::WindowId LockedWindow() const;
  // The modifiers held now, without counting as a poll.
  platform::Modifiers PeekModifiers() const;

  // --- platform::Desktop
  platform::WindowId ForegroundWindow() override;
  platform::WindowOwner OwnerOf(platform::WindowId window) override;
  platform::ThreadId CurrentThread() override { return kOwnThread; }
  bool AttachThreadInput(platform::ThreadId from, platform::ThreadId to, bool attach) override;
  platform::WindowId FocusWindow() override;
  std::optional<platform::CaretPoint> CaretPosition() override;
  // Unreadable while attaching is made to fail.
  std::optional<platform::ThreadFocus> FocusOfThread(platform::ThreadId thread) override;
  std::string ClassName(platform::WindowId window) override;
  std::string WindowText(platform::WindowId window) override;
  platform::WindowId ParentWindow(platform::WindowId window) override;
  platform::WindowId TopLevelWindow(platform::WindowId window) override;
  std::optional<platform::ScreenRect> WindowRect(platform::WindowId window) override;
  platform::WindowDpi DpiOf(platform::WindowId window) override;
  std::optional<std::string> ProcessExecutable(platform::ProcessId process) override;

  // --- platform::Keyboard
  bool Post(platform::WindowId window, platform::KeyMessage message, std::uint32_t wParam, std::uint32_t lParam) override;
  std::int16_t KeyForChar(char c) override;

  // --- platform::UserInput
  platform::Modifiers HeldModifiers() override;
  bool BlockInput(bool block) override;
  void ShowBusyCursor(bool busy) override;
  bool LockWindowUpdate(platform::WindowId window) override;
  bool StopRequested() override;

private:
  EventLog& log_;
  mutable std::mutex mutex_;
  std::map<platform::WindowId, Window> windows_;
  std::map<platform::ProcessId, std::string> processes_;
  std::map<platform::ThreadId, platform::WindowId> focus_;
  std::map<platform::WindowId, MessageSink*> sinks_;
  std::map<platform::WindowId, platform::ScreenRect> rects_;
  std::map<platform::WindowId, platform::WindowDpi> dpis_;
  std::map<char, std::int16_t> keys_;
  platform::WindowId foreground_ = platform::kNoWindow;
  std::optional<platform::CaretPoint> caret_;
  std::optional<platform::ThreadId> attachedTo_;
  bool failAttach_ = false;
  bool failSnapshot_ = false;
  platform::Modifiers held_ = 0;
  int heldPolls_ = 0;
  int throwAfter_ = -1;
  int escapeAfter_ = -1;
  bool escapePressed_ = false;
  bool inputBlocked_ = false;
  bool busy_ = false;
  platform::WindowId locked_ = platform::kNoWindow;
};

}  // namespace bw::fake
