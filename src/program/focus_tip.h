// A balloon tip at the program's focused control: F1 help where the shell hides tray balloons.
#pragma once

#include <windows.h>

#include <string>

#include "app/tray_icon.h"
#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class FocusTip {
public:
  // `owner` gets the tip's timer as WM_TIMER with TimerId() and hands it to OnTimer.
  explicit FocusTip(HWND owner) : owner_(owner) {}
  FocusTip(const FocusTip&) = delete;
  FocusTip& operator=(const FocusTip&) = delete;
  ~FocusTip();

  // Shows the tip below the control that has the keyboard focus in this thread (at the mouse
  // when none has it) for the balloon's seconds; a tip shown before goes.
  void Show(const Balloon& tip);
  void Hide();
  static constexpr UINT_PTR TimerId() { return 0x7100; }
  void OnTimer() { Hide(); }

private:
  HWND owner_;
  platform::UniqueWindow tip_;
  std::string text_;
};

}  // namespace bw::win32
