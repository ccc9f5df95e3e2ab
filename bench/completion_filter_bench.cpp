// Filtering the completion words per keystroke: the rows rebuilt from all 237 entries for a
// new filter text, and one key through the completion logic while the list is open (with a
// view that only keeps the rows). The goal is microseconds per keystroke, not milliseconds.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/code_completion.h"
#include "platform/fake/event_log.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/us_key_translation.h"

namespace {

void FilterRows(benchmark::State& state) {
  static const char* const filters[] = {"", "f", "fi", "fin", "FINDS", "CurrF", "xyz"};
  bw::CompletionFilter filter;
  std::size_t rows = 0;
  for (auto _ : state) {
    for (const char* text : filters) {
      filter.SetFilter(text);
      rows += filter.Rows().size();
    }
  }
  benchmark::DoNotOptimize(rows);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(filters)));
}
BENCHMARK(FilterRows)->Unit(benchmark::kMicrosecond);

class KeptRows final : public bw::CompletionView {
public:
  int Height(int) override { return 134; }
  bool Create(bw::platform::WindowId, int, int, int) override { return true; }
  void ShowRows(std::span<const bw::CompletionEntry> rows, std::optional<std::size_t>) override {
    shown.assign(rows.begin(), rows.end());
  }
  void Select(std::size_t) override {}
  void Show() override {}
  void Destroy() override {}
  std::vector<bw::CompletionEntry> shown;
};

class NoInserter final : public bw::CompletionInserter {
public:
  void Insert(bw::InsertJob) override {}
};

// "." opens the full list, then "f", "i", Backspace, Backspace: the list narrows and widens.
void KeystrokeWhileOpen(benchmark::State& state) {
  bw::fake::EventLog log;
  bw::fake::FakeDesktop desktop(log);
  desktop.AddWindow(1, {"C/SIDE Main", "Navision", 7, 8, 0});
  desktop.AddWindow(2, {"C/SIDE Form", "Codeunit 1 - C/AL Editor", 7, 8, 1});
  desktop.SetForeground(1);
  desktop.SetFocus(7, 2);
  desktop.SetCaret(bw::platform::CaretPoint{10, 10});
  desktop.SetKeyForChar('.', static_cast<std::int16_t>(bw::fake::usvk::Period));
  bw::fake::UsKeyTranslation keys;
  KeptRows view;
  NoInserter inserter;
  bw::CodeCompletion completion({desktop, desktop, keys, view, inserter, [] {
                                   return bw::CompletionSwitches{true, true};
                                 }});
  constexpr std::uint32_t flags = 0x001C0001u;
  for (auto _ : state) {
    completion.KeyPressedWatch(bw::fake::usvk::Period, flags);
    completion.KeyPressedWatch('F', flags);
    completion.KeyPressedWatch('I', flags);
    completion.KeyPressedWatch(bw::fake::usvk::Backspace, flags);
    completion.KeyPressedWatch(bw::fake::usvk::Backspace, flags);
    completion.KeyPressedWatch(bw::fake::usvk::Escape, flags);
  }
  benchmark::DoNotOptimize(view.shown.size());
  state.SetItemsProcessed(state.iterations() * 6);
}
BENCHMARK(KeystrokeWhileOpen)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
