#include "editor/input_guard.h"

#include <mutex>

namespace bw {
namespace {

std::timed_mutex& RunLock() {
  static std::timed_mutex lock;
  return lock;
}

}  // namespace

TypingRun::TypingRun() {
  if (!RunLock().try_lock_for(kTypingRunWait)) throw TypingBusy();
}

TypingRun::~TypingRun() { RunLock().unlock(); }

bool WaitForModifiersReleased(platform::UserInput& input, platform::Clock& clock) {
  for (int poll = 0; poll < kModifierPolls; ++poll) {
    if (input.HeldModifiers() == 0) return true;
    clock.Sleep(kModifierPoll);
  }
  return false;
}

DrawingLock::DrawingLock(platform::UserInput& input, platform::WindowId window) : input_(input) {
  if (window != platform::kNoWindow) locked_ = input_.LockWindowUpdate(window);
}

DrawingLock::~DrawingLock() {
  if (!locked_) return;
  try {
    input_.LockWindowUpdate(platform::kNoWindow);
  } catch (...) {
  }
}

BlockedInput::BlockedInput(platform::UserInput& input) : input_(input) { blocked_ = input_.BlockInput(true); }

BlockedInput::~BlockedInput() {
  if (!blocked_) return;
  try {
    input_.BlockInput(false);
  } catch (...) {
  }
}

BusyCursor::BusyCursor(platform::UserInput& input) : input_(input) { input_.ShowBusyCursor(true); }

BusyCursor::~BusyCursor() {
  try {
    input_.ShowBusyCursor(false);
  } catch (...) {
  }
}

InputGuard::InputGuard(platform::UserInput& input, platform::Clock& clock, InputGuardOptions options)
    : wait_(input, clock), run_(), blocked_(input) {
  if (options.busyCursor) cursor_.emplace(input);
  if (options.lockDrawing != platform::kNoWindow) lock_.emplace(input, options.lockDrawing);
}

}  // namespace bw
