// What Brackwater's watcher costs keys outside the C/AL editor, and how fast the completion
// list shows, timed under Wine (or Windows) with the real Brackwater.exe beside this program:
//   plain window   microseconds per SendInput key until a plain window of this program has it,
//                  without Brackwater and with it running, medians of alternating rounds
//                  (goal: a ratio within 1.10)
//   key to list    Ctrl+Space in the client test double (finsql.exe) until the list shows its
//                  rows, median and worst of N (goal: median under 30 ms)
// Usage: completion_wbench.exe [KEYS] [OPENINGS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tests/wine/client_session.h"

using namespace bw::wintest;

namespace {

long g_keyUps = 0;

LRESULT CALLBACK Counter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYUP) ++g_keyUps;
  return DefWindowProcA(window, message, wParam, lParam);
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Inject(WORD key, int count) {
  std::vector<INPUT> inputs;
  for (int i = 0; i < count; ++i) {
    for (const DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
      input.ki.dwFlags = flags;
      inputs.push_back(input);
    }
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Microseconds per key for `count` keys into the plain window; negative when they never came.
double PlainKeys(HWND window, int count) {
  BringToFront(window);
  SetFocus(window);
  bw::calclient::PumpMessagesFor(300);
  g_keyUps = 0;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  Inject('A', count);
  if (!bw::calclient::WaitUntil([&] { return g_keyUps >= count; }, 60000)) return -1;
  QueryPerformanceCounter(&end);
  return Microseconds(start, end) / count;
}

void Key(WORD key, bool up) { SendKeyEvent(key, up); }

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::max(50, std::atoi(argv[1])) : 200;
  const int openings = argc > 2 ? std::max(5, std::atoi(argv[2])) : 30;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Counter;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "CompletionBenchPlain";
  RegisterClassA(&windowClass);
  const HWND plain = CreateWindowExA(0, windowClass.lpszClassName, "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                     200, nullptr, nullptr, windowClass.hInstance, nullptr);

  ConfigFolder config("bwccbench");
  config.Write([](bw::TStorage& root) { bw::General(root).ActivateViaCTRLSpace = true; });
  PlainKeys(plain, 50);  // warm-up
  // The machine's load changes while it runs: several rounds each way, alternating, in turn
  // with Brackwater stopped and running, and the medians compared.
  std::vector<double> without, with;
  const auto rounds = [&](std::vector<double>& into) {
    for (int round = 0; round < 3; ++round) {
      into.push_back(PlainKeys(plain, keys));
      std::printf("  %s %.1f\n", &into == &with ? "with" : "without", into.back());
    }
  };
  for (int cycle = 0; cycle < 3; ++cycle) {
    rounds(without);
    Brackwater running;
    if (!running.WaitReady()) return std::printf("Brackwater.exe did not start\n"), 1;
    rounds(with);
  }
  rounds(without);
  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  std::printf("plain window: %.1f us/key without Brackwater, %.1f us/key with it, ratio %.3f (medians of %zu and %zu "
              "rounds of %d keys)\n",
              median(without), median(with), median(with) / median(without), without.size(), with.size(), keys);

  Brackwater program;
  if (!program.WaitReady()) return std::printf("Brackwater.exe did not start\n"), 1;

  const std::string text = WriteScratch("bench.txt", "Cal");
  Client client = StartFinsql("\"/text=" + text + "\" /caret=1,4");
  if (!client) return std::printf("finsql.exe did not start\n"), 1;
  const HWND top = client.process->TopWindow();
  BringToFront(top);
  bw::calclient::PumpMessagesFor(300);
  std::vector<double> times;
  for (int i = 0; i < openings; ++i) {
    Key(VK_CONTROL, false);
    bw::calclient::PumpMessagesFor(30);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Key(VK_SPACE, false);
    HWND list = nullptr;
    const bool shown = bw::calclient::WaitUntil(
        [&] {
          const auto shownLists = TopWindows(program.Id(), "TfrmCodeCompleter");
          const HWND completer = shownLists.empty() ? nullptr : shownLists.front();
          list = completer == nullptr ? nullptr : FindChild(completer, WC_LISTVIEWA);
          return list != nullptr && IsWindowVisible(completer) && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0;
        },
        5000);
    QueryPerformanceCounter(&end);
    Key(VK_SPACE, true);
    Key(VK_CONTROL, true);
    if (shown) times.push_back(Microseconds(start, end) / 1000);
    bw::calclient::PumpMessagesFor(30);
    Key(VK_ESCAPE, false);  // closes the list; the word stays "Cal"
    Key(VK_ESCAPE, true);
    bw::calclient::WaitUntil([&] { return AllTopWindows(program.Id(), "TfrmCodeCompleter").empty(); }, 5000);
    bw::calclient::PumpMessagesFor(50);
  }
  if (times.empty()) return std::printf("key to list: the list never showed\n"), 1;
  std::sort(times.begin(), times.end());
  std::printf("key to list: median %.1f ms, worst %.1f ms, %zu of %d openings\n", times[times.size() / 2],
              times.back(), times.size(), openings);
  return 0;
}
