// Typing a 200-line template into the simulated editor, at the default pace (150 ms per Enter,
// none per character) and at 0 ms per Enter; the argument is the new-line pause in ms.
// TypeTemplate uses a clock that really sleeps: spent_ms is the wall time of one run and the
// counter overhead_pct the time spent beyond the prescribed pauses, in percent of them (target:
// below 5; reported only when there are pauses). TypeTemplateCpu uses the recording clock, so its
// time is the typing's own work, and pause_ms the pauses it asked for.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "editor/typing.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_clipboard.h"
#include "platform/fake/fake_clock.h"
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

bw::TypingPace PaceOf(const benchmark::State& state) {
  return {std::chrono::milliseconds(state.range(0)), std::chrono::milliseconds::zero()};
}

// The desktop with the simulated editor, and the typing run on it with the given clock.
struct Scene {
  bw::fake::EventLog log;
  bw::fake::FakeDesktop desktop{log};
  bw::fake::FakeClipboard clipboard{log};
  bw::fake::SimulatedEditor editor{clipboard, kEditor, kClient};

  Scene() {
    desktop.AddWindow(kEditor, {"C/SIDE Form", "C/AL Editor", 7, 8, 0});
    desktop.Route(kEditor, editor);
  }
  bool Type(bw::platform::Clock& clock, const std::string& text, bw::TypingPace pace) {
    bw::Poster poster(desktop, clock);
    bw::TypeText(poster, kEditor, text, pace);
    return editor.Lines().size() == kLines + 1;
  }
};

void TypeTemplate(benchmark::State& state) {
  const std::string text = Template();
  const bw::TypingPace pace = PaceOf(state);
  double spentMs = 0;
  for (auto _ : state) {
    Scene scene;
    bw::platform::SleepingClock clock;
    const auto start = std::chrono::steady_clock::now();
    if (!scene.Type(clock, text, pace)) state.SkipWithError("the editor did not receive every line");
    spentMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  const double prescribed = kLines * static_cast<double>(pace.newLine.count());
  state.counters["spent_ms"] = spentMs;
  if (prescribed > 0) state.counters["overhead_pct"] = (spentMs - prescribed) / prescribed * 100.0;
}

void TypeTemplateCpu(benchmark::State& state) {
  const std::string text = Template();
  const bw::TypingPace pace = PaceOf(state);
  long long pauseMs = 0;
  for (auto _ : state) {
    Scene scene;
    bw::fake::FakeClock clock(scene.log);
    if (!scene.Type(clock, text, pace)) state.SkipWithError("the editor did not receive every line");
    pauseMs = clock.Elapsed().count();
  }
  state.counters["pause_ms"] = static_cast<double>(pauseMs);
}

}  // namespace

BENCHMARK(TypeTemplate)->Arg(150)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeTemplateCpu)->Arg(150)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
