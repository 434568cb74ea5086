#include <benchmark/benchmark.h>

#include <memory>

#include "headless/HeadlessContext.h"
#include "objects/SceneObject.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/RenderContext.h"

namespace {

// The default frame at the panel's laid-out size.
void BM_DefaultFrame(benchmark::State& state) {
  HeadlessContext ctx(628, 377);
  if (!ctx.ok()) {
    state.SkipWithError(ctx.error().c_str());
    return;
  }
  ApplyFixedRenderState();
  ApplyProjection(628, 377, false);
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;
  FrameInputs in{&rs, table.get(), slots};
  for (auto _ : state) {
    ComposeFrame(in);
    glFinish();
  }
}
BENCHMARK(BM_DefaultFrame)->Unit(benchmark::kMillisecond);

void BM_InitializeTable(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  for (auto _ : state) {
    InitializeRecords(table->data(), kObjectCapacity);
    benchmark::DoNotOptimize(table->data());
  }
}
BENCHMARK(BM_InitializeTable)->Unit(benchmark::kMicrosecond);

}  // namespace
