// The exact check's cost: the demo cell's objects kept as face hierarchies,
// the arm's links measured against them each frame.
#include <benchmark/benchmark.h>

#include <deque>
#include <memory>

#include "BenchScenes.h"
#include "collision/ExactScene.h"
#include "equipment/ObjectDrawing.h"
#include "render/Frame.h"

void BM_ExactArmAgainstDemoCell(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  if (!LoadDemoCell(*table, state)) return;
  ExactScene cell;
  for (int i = 0; i < kObjectCapacity; ++i)
    if ((*table)[i].Enbl) cell.SetObject(i, BuildObjectMesh((*table)[i], BuildInputs{}));
  RenderSettings rs;
  double nearest = 0.0;
  size_t touched = 0;
  for (auto _ : state) {
    rs.joints[0] += 1.0f;  // a new pose each frame: the links are built anew
    std::deque<Mesh> store;
    const std::vector<ExportPart> parts = SceneExportParts(rs, nullptr, nullptr, false, &store);
    nearest = INFINITY;
    touched = 0;
    for (const ExportPart& p : parts) {
      nearest = std::min(nearest, cell.NearestTo(*p.mesh, 10.0).distance);
      touched += cell.Touching(*p.mesh).size();
    }
  }
  state.counters["objects"] = static_cast<double>(cell.ObjectCount());
  state.counters["nearest_mm"] = nearest * 1000.0;
  state.counters["touched"] = static_cast<double>(touched);
}
BENCHMARK(BM_ExactArmAgainstDemoCell)->Unit(benchmark::kMillisecond)->Iterations(50);
