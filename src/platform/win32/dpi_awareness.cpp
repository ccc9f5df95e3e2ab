#include "platform/win32/dpi_awareness.h"

#include "platform/win32/unique_resource.h"

namespace bw::platform {
namespace {

// DPI_AWARENESS_CONTEXT_UNAWARE of Windows 10.
void* const kUnawareContext = reinterpret_cast<void*>(static_cast<INT_PTR>(-1));
// MDT_EFFECTIVE_DPI of GetDpiForMonitor.
constexpr int kEffectiveDpi = 0;

template <typename Function>
Function Find(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  // shcore.dll is not loaded by every program; it is a system file, loaded from System32 only.
  if (library == nullptr) library = LoadLibraryExA(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const FARPROC proc = library != nullptr ? GetProcAddress(library, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

struct DpiFunctions {
  using SetThreadContext = void*(WINAPI*)(void*);
  using WindowContext = void*(WINAPI*)(HWND);
  using WindowDpi = UINT(WINAPI*)(HWND);
  using MonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  SetThreadContext setThreadContext = Find<SetThreadContext>("user32.dll", "SetThreadDpiAwarenessContext");
  WindowContext windowContext = Find<WindowContext>("user32.dll", "GetWindowDpiAwarenessContext");
  WindowDpi windowDpi = Find<WindowDpi>("user32.dll", "GetDpiForWindow");
  MonitorDpi monitorDpi = Find<MonitorDpi>("shcore.dll", "GetDpiForMonitor");
};

const DpiFunctions& Functions() {
  static const DpiFunctions functions;
  return functions;
}

}  // namespace

ThreadDpiScope::ThreadDpiScope(HWND likeWindow) {
  const DpiFunctions& functions = Functions();
  if (functions.setThreadContext == nullptr) return;
  void* context = kUnawareContext;
  if (likeWindow != nullptr) {
    context = functions.windowContext != nullptr ? functions.windowContext(likeWindow) : nullptr;
    if (context == nullptr) return;
  }
  previous_ = functions.setThreadContext(context);
}

ThreadDpiScope::~ThreadDpiScope() {
  if (previous_ != nullptr) Functions().setThreadContext(previous_);
}

int SystemDpi() {
  const WindowDc screen;
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int MonitorDpiOf(HWND window) {
  const DpiFunctions& functions = Functions();
  if (functions.monitorDpi != nullptr) {
    UINT x = 0, y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (monitor != nullptr && SUCCEEDED(functions.monitorDpi(monitor, kEffectiveDpi, &x, &y)) && x != 0)
      return static_cast<int>(x);
  }
  return SystemDpi();
}

int OwnDpiOf(HWND window) {
  const DpiFunctions& functions = Functions();
  if (functions.windowDpi != nullptr && window != nullptr) {
    const UINT dpi = functions.windowDpi(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  // Without per-window scaling a window's coordinates are the monitor's.
  return MonitorDpiOf(window);
}

}  // namespace bw::platform
