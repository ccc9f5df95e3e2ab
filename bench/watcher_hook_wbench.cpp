// What the watcher's keyboard hook costs each key in the system. Injects N key presses with
// SendInput and times their delivery, with and without the hook in place:
//   own window    keys for this program's own window (the hook looks and lets them pass)
//   other process keys for the Navision test client (each is reported to a receiver first)
// and two figures of the watcher's own thread:
//   idle wakes    messages its thread takes per second while nothing changes on the screen,
//                 with this program's window in front and with the client's editor in front
//   hook delay    from the client coming to the front to its first key reaching the receiver
// Run beside BWMsgWatch.dll and finsql.exe:  watcher_hook_wbench.exe [N]
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tools/calclient/driver/client_driver.h"
#include "platform/win32/unique_resource.h"
#include "watcher/watcher_api.h"

namespace {

using namespace bw::calclient;
namespace api = bw::watcher;

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path);
  return full.substr(0, full.find_last_of("\\/"));
}

long g_keysSeen = 0;   // WM_KEYUP in our own window
long g_reported = 0;   // key events at the receiver
UINT g_keyEvent = 0;

LRESULT CALLBACK CounterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYUP) ++g_keysSeen;
  if (message == g_keyEvent && g_keyEvent != 0) {
    ++g_reported;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Inject(int count) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < count; ++i) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = 'A';
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyA('A', MAPVK_VK_TO_VSC));
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Microseconds per key until the condition holds; negative when it never did.
template <class Done> double TimeKeys(int count, Done done) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  Inject(count);
  if (!WaitUntil(done, 60000)) return -1;
  QueryPerformanceCounter(&end);
  return Microseconds(start, end) / count;
}

std::vector<DWORD> OwnThreads() {
  std::vector<DWORD> threads;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.push_back(entry.th32ThreadID);
  CloseHandle(snapshot);
  return threads;
}

// Messages the watcher's threads take from their queues (timers, posted refreshes).
volatile LONG g_threadMessages = 0;
LRESULT CALLBACK CountMessages(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) InterlockedIncrement(&g_threadMessages);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Messages per second the threads take over `milliseconds` while this thread waits.
double WakesPerSecond(DWORD milliseconds) {
  InterlockedExchange(&g_threadMessages, 0);
  PumpMessagesFor(milliseconds);
  return 1000.0 * static_cast<double>(g_threadMessages) / milliseconds;
}

struct Watcher {
  bw::platform::UniqueModule library;
  api::StartWatchingFn start = nullptr;
  api::StopWatchingFn stop = nullptr;
  api::SetReceiverFn setReceiver = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
  const std::string folder = Folder();
  Watcher watcher;
  watcher.library.Reset(LoadLibraryA((folder + "\\" + api::kLibraryName).c_str()));
  if (!watcher.library) return std::printf("BWMsgWatch.dll not found\n"), 1;
  watcher.start = reinterpret_cast<api::StartWatchingFn>(
      reinterpret_cast<void*>(GetProcAddress(watcher.library.Get(), api::kStartWatching)));
  watcher.stop = reinterpret_cast<api::StopWatchingFn>(
      reinterpret_cast<void*>(GetProcAddress(watcher.library.Get(), api::kStopWatching)));
  watcher.setReceiver = reinterpret_cast<api::SetReceiverFn>(
      reinterpret_cast<void*>(GetProcAddress(watcher.library.Get(), api::kSetReceiver)));
  if (!watcher.start || !watcher.stop || !watcher.setReceiver) return std::printf("entry points missing\n"), 1;
  g_keyEvent = RegisterWindowMessageA(api::kKeyMessageName);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CounterProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WatcherBenchCounter";
  RegisterClassA(&windowClass);
  const bw::platform::UniqueWindow window(CreateWindowExA(0, "WatcherBenchCounter", "watcher bench",
                                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                                          nullptr, windowClass.hInstance, nullptr));
  const HWND counter = window.Get();
  watcher.setReceiver(reinterpret_cast<api::WindowHandle>(counter));

  auto ownWindow = [&](bool hooked) {
    if (hooked) watcher.start(api::kWatchKeys);
    SetForegroundWindow(counter);
    SetFocus(counter);
    PumpMessagesFor(300);
    g_keysSeen = 0;
    const double perKey = TimeKeys(count, [&] { return g_keysSeen >= count; });
    if (hooked) watcher.stop(api::kWatchKeys);
    return perKey;
  };
  const double ownPlain = ownWindow(false);
  const double ownHooked = ownWindow(true);

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string state = std::string(temp) + "watcher_bench_state.txt";
  auto client = ClientProcess::Start(folder + "\\finsql.exe", "", state);
  if (!client) return std::printf("finsql.exe did not start\n"), 1;
  long typed = 0;
  auto otherProcess = [&](bool hooked) {
    if (hooked) watcher.start(api::kWatchKeys);
    SetForegroundWindow(client->TopWindow());
    PumpMessagesFor(300);
    g_reported = 0;
    const long before = typed;
    const double perKey = TimeKeys(count, [&] {
      const auto report = client->State(2000);
      if (!report) return false;
      typed = static_cast<long>(report->Text().size());
      return typed >= before + count;
    });
    if (hooked) watcher.stop(api::kWatchKeys);
    return perKey;
  };
  const double otherPlain = otherProcess(false);
  const double otherHooked = otherProcess(true);
  const long reported = g_reported;

  // The watcher's own thread: the one that starting it added to this process.
  const std::vector<DWORD> before = OwnThreads();
  watcher.start(api::kWatchKeys);
  std::vector<HHOOK> counting;
  for (const DWORD thread : OwnThreads())
    if (std::find(before.begin(), before.end(), thread) == before.end())
      counting.push_back(SetWindowsHookExA(WH_GETMESSAGE, &CountMessages, nullptr, thread));
  SetForegroundWindow(counter);
  PumpMessagesFor(500);
  const double idleOwn = WakesPerSecond(5000);
  SetForegroundWindow(client->TopWindow());
  PumpMessagesFor(500);
  const double idleEditor = WakesPerSecond(10000);
  // From the client's coming to the front to the first reported key: a key every millisecond.
  std::vector<double> delays;
  for (int round = 0; round < 10; ++round) {
    SetForegroundWindow(counter);
    PumpMessagesFor(300);
    g_reported = 0;
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    SetForegroundWindow(client->TopWindow());
    const ULONGLONG deadline = GetTickCount64() + 5000;
    bool seen = false;
    while (!seen && GetTickCount64() < deadline) {
      Inject(1);
      PumpMessagesFor(1);
      seen = g_reported > 0;
    }
    QueryPerformanceCounter(&now);
    delays.push_back(seen ? Microseconds(start, now) / 1000.0 : -1);
  }
  for (HHOOK hook : counting)
    if (hook != nullptr) UnhookWindowsHookEx(hook);
  watcher.stop(api::kWatchKeys);
  std::sort(delays.begin(), delays.end());

  std::printf("watcher_hook keys=%d\n", count);
  std::printf("own window     no hook %9.1f us/key   hook %9.1f us/key   cost %8.1f us/key\n", ownPlain, ownHooked,
              ownHooked - ownPlain);
  std::printf("other process  no hook %9.1f us/key   hook %9.1f us/key   cost %8.1f us/key  (reported %ld events)\n",
              otherPlain, otherHooked, otherHooked - otherPlain, reported);
  std::printf("idle wakes     own window in front %6.2f /s   editor in front %6.2f /s  (%zu thread)\n", idleOwn,
              idleEditor, counting.size());
  std::printf("hook delay     median %7.1f ms   worst %7.1f ms  (%zu rounds)\n", delays[delays.size() / 2],
              delays.back(), delays.size());
  watcher.setReceiver(0);
  return ownPlain < 0 || ownHooked < 0 || otherPlain < 0 || otherHooked < 0 ? 1 : 0;
}
