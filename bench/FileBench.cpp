#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "objects/ObjectFile.h"

namespace {

std::string BenchPath() { return "/tmp/tessaly-bench-" + std::to_string(getpid()) + ".3dl"; }

std::unique_ptr<ObjectTable> FullTable() {
  auto t = std::make_unique<ObjectTable>();
  InitializeRecords(t->data(), kObjectCapacity);
  for (int i = 0; i < kObjectCapacity; ++i) {
    SceneObject& r = (*t)[static_cast<size_t>(i)];
    r.Enbl = true;
    r.Shp = 1 + i % 28;
    r.X = 0.001f * i;
    r.Text = "part " + std::to_string(i);
  }
  return t;
}

// Writing all 1000 records (through the temporary file and the rename).
void BM_SaveThousandObjects(benchmark::State& state) {
  auto t = FullTable();
  const std::string path = BenchPath();
  for (auto _ : state) benchmark::DoNotOptimize(SaveObjects(path, t->data(), kObjectCapacity));
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveThousandObjects)->Unit(benchmark::kMillisecond);

void BM_LoadThousandObjects(benchmark::State& state) {
  auto t = FullTable();
  const std::string path = BenchPath();
  SaveObjects(path, t->data(), kObjectCapacity);
  for (auto _ : state)
    benchmark::DoNotOptimize(LoadObjects(path, t->data(), kObjectCapacity, nullptr, [](const std::string&) {}));
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadThousandObjects)->Unit(benchmark::kMillisecond);

}  // namespace
