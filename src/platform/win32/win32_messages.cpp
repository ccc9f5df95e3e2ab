#include "platform/win32/win32_messages.h"

#include <windows.h>

#include <string>

#include "platform/win32/foreground_return.h"
#include "platform/win32/unique_resource.h"

namespace bw::platform {

namespace {

// A box without an owner window is centred on the screen.
constexpr UINT kCommonStyle = MB_TASKMODAL | MB_SETFOREGROUND;

// A Yes/No box has no Cancel button, so Escape would do nothing. While the box runs, this hook
// on the calling thread turns Escape into a click on No.
class EscapeAnswersNo {
public:
  EscapeAnswersNo() : hook_(SetWindowsHookExA(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId())) {}

private:
  static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
      const HWND box = GetAncestor(message->hwnd, GA_ROOT);
      if (box && GetDlgItem(box, IDNO)) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
        return 1;  // swallowed
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  UniqueHook hook_;
};

const char* Caption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return "Error";
    case MessageKind::Warning: return "Warning";
    case MessageKind::Information: return "Information";
  }
  return "Error";
}

UINT Icon(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return MB_ICONERROR;
    case MessageKind::Warning: return MB_ICONWARNING;
    case MessageKind::Information: return MB_ICONINFORMATION;
  }
  return MB_ICONERROR;
}

}  // namespace

void Win32Messages::Show(MessageKind kind, std::string_view text) {
  const ForegroundReturn foreground;
  MessageBoxA(nullptr, std::string(text).c_str(), Caption(kind), MB_OK | Icon(kind) | kCommonStyle);
}

bool Win32Messages::Confirm(std::string_view caption, std::string_view text) {
  const std::string title = caption.empty() ? std::string("Confirm") : std::string(caption);
  const ForegroundReturn foreground;
  const EscapeAnswersNo escape;
  return MessageBoxA(nullptr, std::string(text).c_str(), title.c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1 | kCommonStyle) == IDYES;
}

}  // namespace bw::platform
