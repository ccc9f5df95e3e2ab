// The application's invisible main form: a plain top-level window far off the screen that is
// never shown. Closing it only hides the management window.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/unique_resource.h"

namespace bw::win32 {

class InvisibleForm {
public:
  InvisibleForm(HINSTANCE instance, std::function<void()> onClose);
  HWND Handle() const { return window_.Get(); }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> onClose_;
  platform::UniqueWindow window_;
};

}  // namespace bw::win32
