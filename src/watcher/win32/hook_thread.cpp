#include "watcher/win32/hook_thread.h"

#include <atomic>
#include <utility>

#include "watcher/key_report.h"
#include "watcher/physical_input_gate.h"
#include "watcher/watcher_api.h"
#include "watcher/win32/relay_window.h"
#include "watcher/win32/shared_state.h"

namespace bw::watcher {

// Shared by Start and the new thread.
struct HookShared {
  platform::UniqueHandle ready;
  platform::UniqueHandle mouseDone;  // set by the thread once a mouse hook request is carried out
  std::atomic<bool> mouseHooked{false};
  std::atomic<bool> installed{false};
  std::atomic<bool> abandoned{false};  // Start gave up waiting: the thread is to end at once
};

namespace {

constexpr UINT kStopHook = WM_APP + 0x159;
constexpr UINT kMouseHook = WM_APP + 0x15A;  // wParam: 1 to set the mouse hook, 0 to remove it
constexpr UINT kRefreshHook = WM_APP + 0x15B;  // look at the focus again now
constexpr DWORD kMouseHookTimeoutMs = 2000;
// How long a key waits beyond the receiver's time for a verdict already being made.
constexpr DWORD kLateVerdictMs = 50;
// Without window event hooks (refused by the system) the focus is looked at this often.
constexpr UINT kFocusPollMs = 40;
// With them, the keyboard hook is set afresh this often while it is needed, in case Windows
// removed it (it does so silently to a hook that once answered too slowly).
constexpr UINT kSafetyCheckMs = 5000;
// After a foreground or focus change the focus is looked at this many times more, 40 ms apart.
constexpr int kSettleTicks = 12;
constexpr WPARAM kFromEvent = 1;  // kRefreshHook's wParam when a window event posted it
constexpr DWORD kStartTimeoutMs = 5000;
constexpr DWORD kStopTimeoutMs = 2000;

// Only the active hook thread touches them.
KeyDownTable g_keysDown;
PhysicalInputGate g_gate;

void FollowSwallowState() {
  const SharedState& shared = Shared();
  g_gate.Follow(shared.swallowPhysical.load(), shared.swallowRun.load());
}

bool SwallowPhysicalKey(const KBDLLHOOKSTRUCT& info) {
  FollowSwallowState();
  const bool swallow =
      g_gate.SwallowKey(info.vkCode, (info.flags & LLKHF_UP) != 0, (info.flags & LLKHF_INJECTED) != 0);
  if (g_gate.StopRequested()) Shared().stopRequested.store(true);
  return swallow;
}

// The mouse event as the gate sees it.
std::pair<MouseAction, MouseButton> MouseEvent(WPARAM message, const MSLLHOOKSTRUCT& info) {
  const bool second = HIWORD(info.mouseData) == XBUTTON2;
  switch (message) {
    case WM_LBUTTONDOWN: return {MouseAction::Press, MouseButton::Left};
    case WM_LBUTTONUP: return {MouseAction::Release, MouseButton::Left};
    case WM_RBUTTONDOWN: return {MouseAction::Press, MouseButton::Right};
    case WM_RBUTTONUP: return {MouseAction::Release, MouseButton::Right};
    case WM_MBUTTONDOWN: return {MouseAction::Press, MouseButton::Middle};
    case WM_MBUTTONUP: return {MouseAction::Release, MouseButton::Middle};
    case WM_XBUTTONDOWN: return {MouseAction::Press, second ? MouseButton::X2 : MouseButton::X1};
    case WM_XBUTTONUP: return {MouseAction::Release, second ? MouseButton::X2 : MouseButton::X1};
    case WM_MOUSEMOVE: return {MouseAction::Move, MouseButton::Left};
    default: return {MouseAction::Wheel, MouseButton::Left};
  }
}

// True when the focus window of the foreground thread has one of the watched classes. Cheap:
// no message is sent to any window.
bool FocusClassWatched(HWND foreground) {
  const WatchedClasses* classes = Shared().classes.load();
  if (classes == nullptr) return true;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info)) return true;  // let the program look
  if (info.hwndFocus == nullptr) return false;
  char name[256];
  const int length = GetClassNameA(info.hwndFocus, name, sizeof name);
  return length > 0 && classes->Watches(std::string_view(name, static_cast<std::size_t>(length)));
}

bool IsOtherProcess(HWND foreground) {
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
  if (SwallowPhysicalKey(info)) return true;
  if (!shared.keysWatched.load() || shared.paused.load()) return false;
  const HWND foreground = GetForegroundWindow();
  if (!IsOtherProcess(foreground) || !FocusClassWatched(foreground)) return false;
  const HWND relay = shared.relay.load();
  if (relay == nullptr) return false;
  DWORD_PTR answer = 0;
  const KeyHandover::Ticket ticket = shared.handover.Begin();
  if (SendMessageTimeoutA(relay, RelayWindow::kKeyEvent,
                          MessageVirtualKey(key.virtualKey) | (static_cast<WPARAM>(ticket) << 16),
                          static_cast<LPARAM>(KeyMessageFlags(key, wasDown)), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          kReceiverTimeoutMs, &answer))
    return static_cast<LRESULT>(answer) == kSwallowKey;
  if (shared.handover.Abandon(ticket)) return false;  // the program will not act on it
  // The program took the key just as the wait ran out: its verdict follows at once.
  const ULONGLONG deadline = GetTickCount64() + kLateVerdictMs;
  do {
    if (const auto verdict = shared.handover.AnswerOf(ticket)) return *verdict;
    Sleep(1);
  } while (GetTickCount64() < deadline);
  return false;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && ReportKey(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && Shared().hookThreadId.load() == GetCurrentThreadId()) {
    const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    FollowSwallowState();
    const auto [action, button] = MouseEvent(wParam, info);
    if (g_gate.SwallowMouse(action, button, (info.flags & LLMHF_INJECTED) != 0)) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Whether keys must pass through this thread now: only while the user's input is swallowed or
// while a window of a watched class in another program has the focus (and reporting is not
// paused). Every other time the keyboard hook is taken out, so that keys cost nothing.
bool KeyboardHookNeeded() {
  const SharedState& shared = Shared();
  if (shared.swallowPhysical.load()) return true;
  if (!shared.keysWatched.load() || shared.paused.load()) return false;
  const HWND foreground = GetForegroundWindow();
  return IsOtherProcess(foreground) && FocusClassWatched(foreground);
}

// A foreground or focus change anywhere: the hook thread looks at the focus again. Called out of
// context, on the hook thread, while it waits for messages.
void CALLBACK FocusChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  PostThreadMessageA(GetCurrentThreadId(), kRefreshHook, kFromEvent, 0);
}

// Wine (8.0) tells a window event hook only of the events of its own process, not of the
// foreground and focus changes of other programs: there the focus is polled as before.
bool EventsOfOtherProgramsArrive() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
}

platform::UniqueEventHook WatchEvent(DWORD event) {
  if (!EventsOfOtherProgramsArrive()) return platform::UniqueEventHook();
  return platform::UniqueEventHook(
      SetWinEventHook(event, event, nullptr, &FocusChanged, 0, 0, WINEVENT_OUTOFCONTEXT));
}

void RunHook(const std::shared_ptr<HookShared>& start) {
  MSG message{};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its message queue
  // Set once at once, so that a system that refuses the hook fails the start.
  platform::UniqueHook keyboard(SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardHook, LibraryInstance(), 0));
  const bool installed = keyboard.Valid();
  const DWORD self = GetCurrentThreadId();
  if (installed) {
    g_keysDown = KeyDownTable();
    g_gate = PhysicalInputGate();
    Shared().hookThreadId.store(self);
  }
  start->installed.store(installed);
  SetEvent(start->ready.Get());
  if (installed && !start->abandoned.load()) {
    // Foreground and focus changes wake the thread; nothing else does while the keyboard hook is
    // out, so an idle machine is not woken up by it.
    const platform::UniqueEventHook foregroundEvents = WatchEvent(EVENT_SYSTEM_FOREGROUND);
    const platform::UniqueEventHook focusEvents = WatchEvent(EVENT_OBJECT_FOCUS);
    const bool polling = !foregroundEvents || !focusEvents;
    // Polling: every 40 ms for ever. With events: every 40 ms for a short while after each (the
    // new foreground program sets its focus a moment after the event, and Wine may tell of the
    // focus late or not at all), and every few seconds while the keyboard hook is in place.
    UINT_PTR poll = polling ? SetTimer(nullptr, 0, kFocusPollMs, nullptr) : 0;
    UINT_PTR safety = 0;
    int settleTicks = 0;
    const auto refresh = [&](bool renew) {
      const bool needed = KeyboardHookNeeded();
      if (needed && (renew || !keyboard)) {
        // The new hook is set before the old one goes: no key passes unseen in between (hooks are
        // called only while this thread waits for messages).
        keyboard.Reset(SetWindowsHookExA(WH_KEYBOARD_LL, &KeyboardHook, LibraryInstance(), 0));
      } else if (!needed && keyboard) {
        keyboard.Reset();
      }
      if (polling) return;
      if (keyboard && safety == 0) safety = SetTimer(nullptr, 0, kSafetyCheckMs, nullptr);
      if (!keyboard && safety != 0) {
        KillTimer(nullptr, safety);
        safety = 0;
      }
    };
    const auto settle = [&] {
      if (polling) return;
      settleTicks = kSettleTicks;
      if (poll == 0) poll = SetTimer(nullptr, 0, kFocusPollMs, nullptr);
    };
    const auto tick = [&](UINT_PTR timer) {
      if (timer == safety) return refresh(true);
      refresh(false);
      if (polling || timer != poll || --settleTicks > 0) return;
      KillTimer(nullptr, poll);
      poll = 0;
    };
    refresh(false);
    // The mouse hook is set only while it is needed: every mouse move in the system would
    // otherwise pass through this thread.
    platform::UniqueHook mouse;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.hwnd != nullptr) {
        DispatchMessageA(&message);
        continue;
      }
      if (message.message == kStopHook) break;
      if (message.message == WM_TIMER) {
        tick(message.wParam);
      } else if (message.message == kRefreshHook) {
        refresh(false);
        if (message.wParam == kFromEvent) settle();
      } else if (message.message == kMouseHook) {
        if (message.wParam != 0 && !mouse)
          mouse.Reset(SetWindowsHookExA(WH_MOUSE_LL, &MouseHook, LibraryInstance(), 0));
        else if (message.wParam == 0)
          mouse.Reset();
        refresh(false);
        start->mouseHooked.store(mouse.Valid());
        SetEvent(start->mouseDone.Get());
      }
    }
    if (poll != 0) KillTimer(nullptr, poll);
    if (safety != 0) KillTimer(nullptr, safety);
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
    const std::unique_ptr<std::shared_ptr<HookShared>> start(static_cast<std::shared_ptr<HookShared>*>(parameter));
    RunHook(*start);
  }
  FreeLibraryAndExitThread(pinned, 0);
}

}  // namespace

std::unique_ptr<HookThread> HookThread::Start() {
  auto start = std::make_shared<HookShared>();
  start->ready = platform::UniqueHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  start->mouseDone = platform::UniqueHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!start->ready || !start->mouseDone) return nullptr;
  auto handedOver = std::make_unique<std::shared_ptr<HookShared>>(start);
  DWORD threadId = 0;
  platform::UniqueHandle thread(CreateThread(nullptr, 0, &HookThreadMain, handedOver.get(), 0, &threadId));
  if (!thread) return nullptr;
  handedOver.release();  // the thread owns it now
  const HANDLE handles[] = {start->ready.Get(), thread.Get()};
  const DWORD outcome = WaitForMultipleObjects(2, handles, FALSE, kStartTimeoutMs);
  std::unique_ptr<HookThread> result(new HookThread(std::move(thread), threadId, start));
  if (outcome == WAIT_OBJECT_0 && start->installed.load()) return result;
  start->abandoned.store(true);
  return nullptr;  // result's destructor ends the thread
}

bool HookThread::SetMouseHook(bool on) {
  ResetEvent(start_->mouseDone.Get());
  if (!PostThreadMessageA(threadId_, kMouseHook, on ? 1 : 0, 0)) return false;
  if (WaitForSingleObject(start_->mouseDone.Get(), kMouseHookTimeoutMs) != WAIT_OBJECT_0) return false;
  return start_->mouseHooked.load() == on;
}

void HookThread::Refresh() { PostThreadMessageA(threadId_, kRefreshHook, 0, 0); }

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
