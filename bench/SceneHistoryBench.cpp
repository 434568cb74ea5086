#include <benchmark/benchmark.h>

#include <memory>

#include "objects/SceneHistory.h"

namespace {

std::unique_ptr<ObjectTable> DefaultTable() {
  auto t = std::make_unique<ObjectTable>();
  InitializeRecords(t->data(), kObjectCapacity);
  return t;
}

// One record edited per step, as Apply in the object settings does; the
// commit compares the whole table with its baseline.
void BM_HistoryCommitOneRecord(benchmark::State& state) {
  auto table = DefaultTable();
  SceneHistory h;
  h.Reset(table->data(), kObjectCapacity);
  float x = 0.0f;
  for (auto _ : state) {
    (*table)[12].X = (x += 0.01f);
    benchmark::DoNotOptimize(h.Commit(table->data(), kObjectCapacity, "Apply OBJ012"));
  }
  state.counters["bytes_per_step"] = static_cast<double>(h.StepBytes(h.StepCount() - 1));
}
BENCHMARK(BM_HistoryCommitOneRecord);

// A merge that rewrites all 1000 records.
void BM_HistoryCommitWholeTableMerge(benchmark::State& state) {
  auto table = DefaultTable();
  SceneHistory h;
  h.Reset(table->data(), kObjectCapacity);
  float y = 0.0f;
  for (auto _ : state) {
    y += 0.01f;
    for (SceneObject& r : *table) r.Y = y;
    benchmark::DoNotOptimize(h.Commit(table->data(), kObjectCapacity, "Merge demo-cell.3dl"));
  }
  state.counters["bytes_per_step"] = static_cast<double>(h.StepBytes(h.StepCount() - 1));
}
BENCHMARK(BM_HistoryCommitWholeTableMerge);

// A commit that finds nothing changed: what every auto-apply without a
// real change costs.
void BM_HistoryCommitNothingChanged(benchmark::State& state) {
  auto table = DefaultTable();
  SceneHistory h;
  h.Reset(table->data(), kObjectCapacity);
  for (auto _ : state) benchmark::DoNotOptimize(h.Commit(table->data(), kObjectCapacity, "Apply"));
}
BENCHMARK(BM_HistoryCommitNothingChanged);

void BM_HistoryUndoRedoMerge(benchmark::State& state) {
  auto table = DefaultTable();
  SceneHistory h;
  h.Reset(table->data(), kObjectCapacity);
  for (SceneObject& r : *table) r.Y = 1.0f;
  h.Commit(table->data(), kObjectCapacity, "Merge");
  for (auto _ : state) {
    h.Undo(table->data(), kObjectCapacity);
    h.Redo(table->data(), kObjectCapacity);
  }
}
BENCHMARK(BM_HistoryUndoRedoMerge);

}  // namespace
