#include <benchmark/benchmark.h>

#include <memory>

#include "BenchScenes.h"
#include "headless/HeadlessContext.h"
#include "objects/ObjectFile.h"
#include "objects/SceneObject.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"

namespace {

void RunFrames(benchmark::State& state, bool mixed, const char* scene = nullptr) {
  HeadlessContext ctx(628, 377);
  if (!ctx.ok()) {
    state.SkipWithError(ctx.error().c_str());
    return;
  }
  ApplyClearColor(0);
  ApplyFixedRenderState();
  ApplyProjection(628, 377, false);
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  if (mixed) FillMixedTable(*table);
  if (scene && LoadObjects(scene, table->data(), kObjectCapacity, nullptr, [](const std::string&) {}) <= 0) {
    state.SkipWithError("cannot load the scene");
    return;
  }
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;
  TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
  FrameInputs in{&rs, table.get(), slots, nullptr};
  for (auto _ : state) {
    ComposeFrame(in);
    glFinish();
  }
  ResetLights();
}

// The start-up frame: floor of 961 tiles, the arm and its ball.
void BM_DefaultFrame(benchmark::State& state) { RunFrames(state, false); }
BENCHMARK(BM_DefaultFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same with all 1000 objects enabled, mixed primitives at resolution 36.
void BM_Frame1000Primitives(benchmark::State& state) { RunFrames(state, true); }
BENCHMARK(BM_Frame1000Primitives)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The shipped demo cell: what tessaly-render draws for it, per frame.
void BM_DemoCellFrame(benchmark::State& state) { RunFrames(state, false, TESSALY_EXAMPLES_DIR "/demo-cell.3dl"); }
BENCHMARK(BM_DemoCellFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_InitializeTable(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  for (auto _ : state) {
    InitializeRecords(table->data(), kObjectCapacity);
    benchmark::DoNotOptimize(table->data());
  }
}
BENCHMARK(BM_InitializeTable)->Unit(benchmark::kMicrosecond);

}  // namespace
