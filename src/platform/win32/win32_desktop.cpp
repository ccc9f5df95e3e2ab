#include "platform/win32/win32_desktop.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

#include "platform/win32/unique_resource.h"
#include "platform/win32/dpi_awareness.h"
#include "platform/win32/window_handle.h"

namespace bw::platform {
namespace {

// Class names and captions are read into a buffer of 256 characters.
constexpr int kTextBuffer = 256;

}  // namespace

WindowId Win32Desktop::ForegroundWindow() { return FromHwnd(GetForegroundWindow()); }

WindowOwner Win32Desktop::OwnerOf(WindowId window) {
  if (window == kNoWindow) return {};
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(ToHwnd(window), &process);
  if (thread == 0) return {};
  return {thread, process};
}

ThreadId Win32Desktop::CurrentThread() { return GetCurrentThreadId(); }

bool Win32Desktop::AttachThreadInput(ThreadId from, ThreadId to, bool attach) {
  return ::AttachThreadInput(from, to, attach ? TRUE : FALSE) != FALSE;
}

WindowId Win32Desktop::FocusWindow() { return FromHwnd(GetFocus()); }

std::optional<CaretPoint> Win32Desktop::CaretPosition() {
  POINT point{};
  if (!GetCaretPos(&point)) return std::nullopt;
  return CaretPoint{point.x, point.y};
}

std::string Win32Desktop::ClassName(WindowId window) {
  if (window == kNoWindow) return {};
  char buffer[kTextBuffer] = {};
  const int length = GetClassNameA(ToHwnd(window), buffer, kTextBuffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string Win32Desktop::WindowText(WindowId window) {
  if (window == kNoWindow) return {};
  char buffer[kTextBuffer] = {};
  const int length = GetWindowTextA(ToHwnd(window), buffer, kTextBuffer);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

WindowId Win32Desktop::ParentWindow(WindowId window) {
  return window == kNoWindow ? kNoWindow : FromHwnd(GetParent(ToHwnd(window)));
}

WindowId Win32Desktop::TopLevelWindow(WindowId window) {
  return window == kNoWindow ? kNoWindow : FromHwnd(GetAncestor(ToHwnd(window), GA_ROOT));
}

std::optional<ThreadFocus> Win32Desktop::FocusOfThread(ThreadId thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return std::nullopt;
  ThreadFocus result;
  result.focus = FromHwnd(info.hwndFocus);
  if (info.hwndCaret != nullptr && info.hwndFocus != nullptr) {
    POINT caret{info.rcCaret.left, info.rcCaret.top};
    if (info.hwndCaret != info.hwndFocus) {
      // The caret is in the window's own coordinates: mapped as the window sees the screen.
      const ThreadDpiScope likeCaretWindow(info.hwndCaret);
      MapWindowPoints(info.hwndCaret, info.hwndFocus, &caret, 1);
    }
    result.caret = CaretPoint{caret.x, caret.y};
  }
  return result;
}

std::optional<ScreenRect> Win32Desktop::WindowRect(WindowId window) {
  RECT rect{};
  if (window == kNoWindow || !GetWindowRect(ToHwnd(window), &rect)) return std::nullopt;
  return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

WindowDpi Win32Desktop::DpiOf(WindowId window) {
  const HWND handle = ToHwnd(window);
  if (window == kNoWindow || !IsWindow(handle)) return {};
  return {OwnDpiOf(handle), MonitorDpiOf(handle)};
}

std::optional<std::string> Win32Desktop::ProcessExecutable(ProcessId process) {
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == process)
      return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
  }
  return std::nullopt;
}

}  // namespace bw::platform
