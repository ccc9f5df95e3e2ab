#include "watcher/win32/hook_thread.h"

#include <atomic>

#include "watcher/key_report.h"
#include "watcher/watcher_api.h"
#include "watcher/win32/relay_window.h"
#include "watcher/win32/shared_state.h"

namespace bw::watcher {

namespace {

constexpr UINT kStopHook = WM_APP + 0x159;
constexpr DWORD kStartTimeoutMs = 5000;
constexpr DWORD kStopTimeoutMs = 2000;

class UniqueHook {
public:
  explicit UniqueHook(HHOOK hook) : hook_(hook) {}
  UniqueHook(const UniqueHook&) = delete;
  UniqueHook& operator=(const UniqueHook&) = delete;
  ~UniqueHook() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  explicit operator bool() const { return hook_ != nullptr; }

private:
  HHOOK hook_;
};

// Shared by Start and the new thread.
struct StartBlock {
  platform::UniqueHandle ready;
  std::atomic<bool> installed{false};
  std::atomic<bool> abandoned{false};  // Start gave up waiting: the thread is to end at once
};

// Only the active hook thread touches it.
KeyDownTable g_keysDown;

bool ForegroundIsOtherProcess() {
  const HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process != 0 && process != GetCurrentProcessId();
}

// True when the key is to be swallowed.
bool ReportKey(const KBDLLHOOKSTRUCT& info) {
  SharedState& shared = Shared();
  if (shared.hookThreadId.load() != GetCurrentThreadId()) return false;
  const LowLevelKey key{info.vkCode, info.scanCode, (info.flags & LLKHF_EXTENDED) != 0,
                        (info.flags & LLKHF_ALTDOWN) != 0, (info.flags & LLKHF_UP) != 0};
  const bool wasDown = g_keysDown.Record(key);
  if (!shared.keysWatched.load() || !ForegroundIsOtherProcess()) return false;
  const HWND relay = shared.relay.load();
  if (relay == nullptr) return false;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(relay, RelayWindow::kKeyEvent, MessageVirtualKey(key.virtualKey),
                           static_cast<LPARAM>(KeyMessageFlags(key, wasDown)), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kReceiverTimeoutMs, &answer))
    return false;
  return static_cast<LRESULT>(answer) == kSwallowKey;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && ReportKey(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RunHook(const std::shared_ptr<StartBlock>& start) {
  MSG message{};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its message queue
  const UniqueHook hook(SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardHook, LibraryInstance(), 0));
  const DWORD self = GetCurrentThreadId();
  if (hook) {
    g_keysDown = KeyDownTable();
    Shared().hookThreadId.store(self);
  }
  start->installed.store(static_cast<bool>(hook));
  SetEvent(start->ready.Get());
  if (hook && !start->abandoned.load()) {
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.hwnd == nullptr && message.message == kStopHook) break;
      DispatchMessageA(&message);
    }
  }
  DWORD expected = self;
  Shared().hookThreadId.compare_exchange_strong(expected, 0);
}

DWORD WINAPI HookThreadMain(LPVOID parameter) {
  // The thread holds its own reference to the library, so that unloading it cannot pull the
  // code from under a thread that is still ending.
  HMODULE pinned = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&HookThreadMain), &pinned);
  {
    const std::unique_ptr<std::shared_ptr<StartBlock>> start(static_cast<std::shared_ptr<StartBlock>*>(parameter));
    RunHook(*start);
  }
  FreeLibraryAndExitThread(pinned, 0);
}

}  // namespace

std::unique_ptr<HookThread> HookThread::Start() {
  auto start = std::make_shared<StartBlock>();
  start->ready = platform::UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!start->ready) return nullptr;
  auto handedOver = std::make_unique<std::shared_ptr<StartBlock>>(start);
  DWORD threadId = 0;
  platform::UniqueHandle thread(CreateThread(nullptr, 0, &HookThreadMain, handedOver.get(), 0, &threadId));
  if (!thread) return nullptr;
  handedOver.release();  // the thread owns it now
  const HANDLE handles[] = {start->ready.Get(), thread.Get()};
  const DWORD outcome = WaitForMultipleObjects(2, handles, FALSE, kStartTimeoutMs);
  std::unique_ptr<HookThread> result(new HookThread(std::move(thread), threadId));
  if (outcome == WAIT_OBJECT_0 && start->installed.load()) return result;
  start->abandoned.store(true);
  return nullptr;  // result's destructor ends the thread
}

HookThread::~HookThread() {
  PostThreadMessageA(threadId_, kStopHook, 0, 0);
  const ULONGLONG deadline = GetTickCount64() + kStopTimeoutMs;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    const HANDLE handle = thread_.Get();
    const DWORD outcome =
        MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE);
    if (outcome != WAIT_OBJECT_0 + 1) break;
    MSG message{};
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace bw::watcher
