// Typing a 200-line template into the simulated editor with a clock that really sleeps.
// The prescribed pauses are 150 ms per Enter and none per character; the counter
// overhead_pct is the time spent beyond them, in percent of them (target: below 5).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "editor/typing.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/simulated_editor.h"
#include "platform/native/sleeping_clock.h"

namespace {

constexpr bw::platform::WindowId kClient = 1;
constexpr bw::platform::WindowId kEditor = 2;
constexpr int kLines = 200;

std::string Template() {
  std::string text;
  for (int i = 0; i < kLines; ++i) {
    text.append(static_cast<std::size_t>(2 * (i % 4)), ' ');
    text += "IF Customer.\"No.\" <> '' THEN Total := Total + Line" + std::to_string(i) + ".Amount;\r\n";
  }
  return text;
}

void TypeTemplate(benchmark::State& state) {
  const std::string text = Template();
  double overhead = 0;
  for (auto _ : state) {
    bw::fake::EventLog log;
    bw::fake::FakeDesktop desktop(log);
    bw::fake::FakeClipboard clipboard(log);
    bw::fake::SimulatedEditor editor(clipboard, kEditor, kClient);
    desktop.AddWindow(kEditor, {"C/SIDE Form", "C/AL Editor", 7, 8, 0});
    desktop.Route(kEditor, editor);
    bw::platform::SleepingClock clock;
    bw::Poster poster(desktop, clock);

    const auto start = std::chrono::steady_clock::now();
    bw::TypeText(poster, kEditor, text);
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;

    const double prescribed = kLines * static_cast<double>(bw::kEnterPause.count());
    overhead = (spent.count() - prescribed) / prescribed * 100.0;
    if (editor.Lines().size() != kLines + 1) state.SkipWithError("the editor did not receive every line");
  }
  state.counters["overhead_pct"] = overhead;
}

}  // namespace

BENCHMARK(TypeTemplate)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
