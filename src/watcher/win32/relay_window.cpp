#include "watcher/win32/relay_window.h"

#include "watcher/watcher_api.h"
#include "watcher/win32/shared_state.h"

namespace bw::watcher {

namespace {

constexpr const char* kClassName = "BWMsgWatchRelay";
constexpr UINT kCloseYourself = WM_APP + 0x158;

bool EnsureClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(LibraryInstance(), kClassName, &existing)) return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &RelayWindow::Procedure;
  windowClass.hInstance = LibraryInstance();
  windowClass.lpszClassName = kClassName;
  return RegisterClassExA(&windowClass) != 0;
}

LRESULT Answer(LRESULT receiverAnswer) { return receiverAnswer == kSwallowKey ? kSwallowKey : 0; }

LRESULT ToReceiver(WPARAM virtualKey, LPARAM flags) {
  SharedState& shared = Shared();
  const HWND receiver = shared.receiver.load();
  if (receiver == nullptr || !IsWindow(receiver)) return 0;
  if (GetWindowThreadProcessId(receiver, nullptr) == GetCurrentThreadId())
    return Answer(SendMessageA(receiver, KeyEventMessage(), virtualKey, flags));
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(receiver, KeyEventMessage(), virtualKey, flags, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kReceiverTimeoutMs, &result))
    return 0;
  return Answer(static_cast<LRESULT>(result));
}

// Hands one key event to the receiver and returns its verdict. wParam: the virtual key in the
// low half, the hand-over ticket in the high half.
LRESULT Deliver(WPARAM param, LPARAM flags) {
  SharedState& shared = Shared();
  if (!shared.keysWatched.load() || shared.paused.load()) return 0;
  const WPARAM virtualKey = param & 0xFFFF;
  const auto ticket = static_cast<KeyHandover::Ticket>((param >> 16) & 0xFFFF);
  if (!shared.handover.Take(ticket)) {
    // The hook let the key pass already: the receiver only hears of it.
    ToReceiver(virtualKey, static_cast<LPARAM>(static_cast<std::uint32_t>(flags) | KeyFlags::Late));
    return 0;
  }
  const LRESULT answer = ToReceiver(virtualKey, flags);
  shared.handover.Answer(ticket, answer == kSwallowKey);
  return answer;
}

}  // namespace

LRESULT CALLBACK RelayWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kKeyEvent) return Deliver(wParam, lParam);
  if (message == kCloseYourself) {
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::unique_ptr<RelayWindow> RelayWindow::Create() {
  if (!EnsureClass()) return nullptr;
  platform::UniqueWindow window(
      CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, LibraryInstance(), nullptr));
  if (!window) return nullptr;
  return std::unique_ptr<RelayWindow>(new RelayWindow(std::move(window)));
}

RelayWindow::~RelayWindow() {
  // Only the owning thread may destroy a window; from elsewhere the window is asked to do it.
  if (GetWindowThreadProcessId(window_.Get(), nullptr) != GetCurrentThreadId())
    PostMessageA(window_.Release(), kCloseYourself, 0, 0);
}

void RelayWindow::UnregisterWindowClass() { UnregisterClassA(kClassName, LibraryInstance()); }

}  // namespace bw::watcher
