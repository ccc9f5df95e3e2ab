#include "platform/win32/win32_user_input.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "platform/win32/window_handle.h"

namespace bw::platform {
namespace {

// Busy cursors shown and not yet taken back (a worker and the main thread may overlap).
std::atomic<int> busyCount{0};

bool Held(int key) { return GetAsyncKeyState(key) < 0; }

constexpr int kNotBlocked = 0, kBlockedBySystem = 1, kBlockedBySwallower = 2;

std::mutex swallowerLock;
Win32UserInput::InputSwallower& Swallower() {
  static Win32UserInput::InputSwallower swallower;
  return swallower;
}

bool Swallow(bool swallow) {
  const std::lock_guard lock(swallowerLock);
  return Swallower() && Swallower()(swallow);
}

Win32UserInput::StopQuery& StopQueryFn() {
  static Win32UserInput::StopQuery query;
  return query;
}

}  // namespace

Modifiers AsyncHeldModifiers() {
  Modifiers held = 0;
  if (Held(VK_SHIFT)) held |= kHeldShift;
  if (Held(VK_CONTROL)) held |= kHeldCtrl;
  if (Held(VK_MENU)) held |= kHeldAlt;
  return held;
}

Modifiers Win32UserInput::HeldModifiers() { return AsyncHeldModifiers(); }

void Win32UserInput::SetInputSwallower(InputSwallower swallower) {
  const std::lock_guard lock(swallowerLock);
  Swallower() = std::move(swallower);
}

void Win32UserInput::SetStopQuery(StopQuery query) {
  const std::lock_guard lock(swallowerLock);
  StopQueryFn() = std::move(query);
}

bool Win32UserInput::StopRequested() {
  if (blockedBy_.load() == kBlockedBySwallower) {
    const std::lock_guard lock(swallowerLock);
    return StopQueryFn() && StopQueryFn()();
  }
  // Down now, or pressed since the block began (the low bit, cleared as it began).
  return (GetAsyncKeyState(VK_ESCAPE) & 0x8001) != 0;
}

bool Win32UserInput::BlockInput(bool block) {
  if (block) {
    GetAsyncKeyState(VK_ESCAPE);  // forget an Esc pressed before this run
    if (::BlockInput(TRUE) != FALSE) {
      blockedBy_ = kBlockedBySystem;
      return true;
    }
    if (Swallow(true)) {
      blockedBy_ = kBlockedBySwallower;
      return true;
    }
    return false;
  }
  const int by = blockedBy_.exchange(kNotBlocked);
  if (by == kBlockedBySwallower) return Swallow(false);
  return ::BlockInput(FALSE) != FALSE;
}

void Win32UserInput::ShowBusyCursor(bool busy) {
  const int now = busy ? ++busyCount : --busyCount;
  SetCursor(LoadCursorA(nullptr, now > 0 ? IDC_WAIT : IDC_ARROW));
}

bool Win32UserInput::BusyCursorShown() { return busyCount.load() > 0; }

bool Win32UserInput::LockWindowUpdate(WindowId window) { return ::LockWindowUpdate(ToHwnd(window)) != FALSE; }

}  // namespace bw::platform
