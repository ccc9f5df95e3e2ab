// A message-only window on the thread that started watching. The hook thread hands it each key
// event; it passes the event to the receiver only while keys are still watched. Because it runs
// on the same thread as StopWatching, no event gets through once StopWatching has returned,
// not even one that the hook thread sent just before.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/unique_resource.h"

namespace bw::watcher {

class RelayWindow {
public:
  // Private message from the hook thread: wParam virtual key, lParam key flags.
  static constexpr UINT kKeyEvent = WM_APP + 0x157;

  // Null when the window cannot be created.
  static std::unique_ptr<RelayWindow> Create();
  RelayWindow(const RelayWindow&) = delete;
  RelayWindow& operator=(const RelayWindow&) = delete;
  ~RelayWindow();

  HWND Handle() const { return window_.Get(); }

  // Called when the library is unloaded.
  static void UnregisterWindowClass();
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
  explicit RelayWindow(platform::UniqueWindow window) : window_(std::move(window)) {}

  platform::UniqueWindow window_;
};

}  // namespace bw::watcher
