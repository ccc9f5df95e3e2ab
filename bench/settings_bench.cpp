// Load and save of a large settings tree in memory: 10,000 configurations in nested folders
// and 2,000 templates of 2 KB. Throughput is reported per byte of the configuration file.
#include <benchmark/benchmark.h>

#include "settings/component_stream.h"
#include "settings/file_cipher.h"

namespace {

std::unique_ptr<bw::TStorage> LargeTree() {
  auto root = std::make_unique<bw::TStorage>();
  auto general = std::make_unique<bw::TBrackwaterStorage>();
  general->Version = "1.1";
  general->Author = "Jane Doe";
  general->Initials = "J";
  for (int i = 0; i < 50; ++i) general->VarList.push_back("Variable" + std::to_string(i) + "=value");
  root->AddChild(std::move(general));

  // 100 top folders, each with 9 configurations and a subfolder of 90 more: 10,000 records.
  auto configs = std::make_unique<bw::TStorage>();
  int number = 0;
  auto config = [&number](bool folder) {
    auto record = std::make_unique<bw::TConfigStorage>();
    record->ConfigName = "Customer configuration " + std::to_string(number++);
    record->IsSubMenu = folder;
    if (!folder) {
      record->ExecutablePath = "C:\\Program Files\\Microsoft Dynamics NAV\\CSIDE Client\\finsql.exe";
      record->UseServer = true;
      record->Database = "NAV2009R2_W1";
      record->Server = "SQL-SERVER-01";
      record->Port = 1433;
      record->Username = "developer";
      record->Password = "secret";
      record->Hotkey = 0x6041 + number % 20;
    }
    return record;
  };
  for (int f = 0; f < 100; ++f) {
    auto top = config(true);
    for (int i = 0; i < 8; ++i) top->AddChild(config(false));
    auto sub = config(true);
    for (int i = 0; i < 90; ++i) sub->AddChild(config(false));
    top->AddChild(std::move(sub));
    configs->AddChild(std::move(top));
  }
  root->AddChild(std::move(configs));

  auto templates = std::make_unique<bw::TStorage>();
  std::string text;
  while (text.size() < 2048) text += "// <<Author>> <<Date>>: IF Rec.FIND('-') THEN REPEAT UNTIL Rec.NEXT = 0;\r\n";
  text.resize(2048);
  for (int i = 0; i < 2000; ++i) {
    auto item = std::make_unique<bw::TCommentStorage>();
    item->CommentName = "Template " + std::to_string(i);
    item->Comment = text;
    item->Hotkey = i % 3 == 0 ? 0x6054 : 0;
    templates->AddChild(std::move(item));
  }
  root->AddChild(std::move(templates));
  root->AddChild(std::make_unique<bw::TStorage>());
  return root;
}

const bw::TStorage& Tree() {
  static const auto tree = LargeTree();
  return *tree;
}

void BM_SaveSettings(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto file = bw::EncipherSettings(bw::WriteComponentStream(Tree()));
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings(benchmark::State& state) {
  const auto file = bw::EncipherSettings(bw::WriteComponentStream(Tree()));
  for (auto _ : state) {
    const auto root = bw::ReadComponentStream(*bw::DecipherSettings(file));
    benchmark::DoNotOptimize(root.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_EncipherOnly(benchmark::State& state) {
  const auto stream = bw::WriteComponentStream(Tree());
  for (auto _ : state) {
    const auto file = bw::EncipherSettings(stream);
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_EncipherOnly)->Unit(benchmark::kMillisecond);

void BM_WriteStreamOnly(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto stream = bw::WriteComponentStream(Tree());
    bytes = stream.size();
    benchmark::DoNotOptimize(stream.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteStreamOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
