// The user's input while the program types: the wait for held modifiers to be let go, the
// system-wide input block with the busy cursor, and the drawing lock of the target window.
// Every guard releases exactly what it took, on every path out of its scope.
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/user_input.h"

namespace bw {

// The modifiers are polled every kModifierPoll, at most kModifierPolls times (about 1 s).
inline constexpr std::chrono::milliseconds kModifierPoll{10};
inline constexpr int kModifierPolls = 100;

// Waits until Shift, Ctrl and Alt are physically up, so that keys posted afterwards are not
// read as shifted or as shortcuts. Returns false when one was still held after the last poll;
// the caller goes on regardless. Must run before input is blocked: a blocked keyboard no
// longer updates the key state.
bool WaitForModifiersReleased(platform::UserInput& input, platform::Clock& clock);

// Locks drawing of one window for the guard's lifetime (nothing for kNoWindow).
class DrawingLock {
public:
  DrawingLock(platform::UserInput& input, platform::WindowId window);
  ~DrawingLock();
  DrawingLock(const DrawingLock&) = delete;
  DrawingLock& operator=(const DrawingLock&) = delete;

private:
  platform::UserInput& input_;
  bool locked_ = false;
};

// Blocks keyboard and mouse input for the guard's lifetime.
class BlockedInput {
public:
  explicit BlockedInput(platform::UserInput& input);
  ~BlockedInput();
  BlockedInput(const BlockedInput&) = delete;
  BlockedInput& operator=(const BlockedInput&) = delete;

private:
  platform::UserInput& input_;
  bool blocked_ = false;
};

// Shows the busy cursor for the guard's lifetime.
class BusyCursor {
public:
  explicit BusyCursor(platform::UserInput& input);
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  platform::UserInput& input_;
};

struct InputGuardOptions {
  bool busyCursor = true;
  platform::WindowId lockDrawing = platform::kNoWindow;  // kNoWindow: drawing stays unlocked
};

// One typing run at a time in the whole program (a completion word on its worker, a template or
// a block command on the main thread): a second run waits for the first to end, at most
// kTypingRunWait, and is refused after that (TypingBusy). Input blocking is system-wide, so two
// runs would type into each other and the first to end would give the input back.
inline constexpr std::chrono::seconds kTypingRunWait{5};
inline constexpr std::string_view kTypingBusy = "Brackwater is still typing; try again when it is done.";

class TypingBusy : public std::runtime_error {
public:
  TypingBusy() : std::runtime_error(std::string(kTypingBusy)) {}
};

class TypingRun {
public:
  TypingRun();  // throws TypingBusy
  ~TypingRun();
  TypingRun(const TypingRun&) = delete;
  TypingRun& operator=(const TypingRun&) = delete;
};

// The guard around one typing run: waits for the modifiers, waits for any other run to end,
// blocks input, optionally shows the busy cursor and locks drawing of a window; released in
// reverse order.
class InputGuard {
public:
  InputGuard(platform::UserInput& input, platform::Clock& clock, InputGuardOptions options);
  InputGuard(const InputGuard&) = delete;
  InputGuard& operator=(const InputGuard&) = delete;

private:
  struct Wait {
    Wait(platform::UserInput& input, platform::Clock& clock) { WaitForModifiersReleased(input, clock); }
  };
  Wait wait_;
  TypingRun run_;
  BlockedInput blocked_;
  std::optional<BusyCursor> cursor_;
  std::optional<DrawingLock> lock_;
};

}  // namespace bw
