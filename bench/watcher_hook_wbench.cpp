// What the watcher's keyboard hook costs each key in the system. Injects N key presses with
// SendInput and times their delivery, with and without the hook in place:
//   own window    keys for this program's own window (the hook looks and lets them pass)
//   other process keys for the Navision test client (each is reported to a receiver first)
// Run beside BWMsgWatch.dll and finsql.exe:  watcher_hook_wbench.exe [N]
#include <windows.h>

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

  std::printf("watcher_hook keys=%d\n", count);
  std::printf("own window     no hook %9.1f us/key   hook %9.1f us/key   cost %8.1f us/key\n", ownPlain, ownHooked,
              ownHooked - ownPlain);
  std::printf("other process  no hook %9.1f us/key   hook %9.1f us/key   cost %8.1f us/key  (reported %ld events)\n",
              otherPlain, otherHooked, otherHooked - otherPlain, reported);
  watcher.setReceiver(0);
  return ownPlain < 0 || ownHooked < 0 || otherPlain < 0 || otherHooked < 0 ? 1 : 0;
}
