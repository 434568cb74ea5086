#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "headless/HeadlessContext.h"
#include "BenchScenes.h"
#include "collision/Interference.h"
#include "collision/MotionSweep.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"

namespace {

const float kPose[6] = {30.0f, 20.0f, 60.0f, 45.0f, 30.0f, 10.0f};

// 1000 objects crowded round the arm: a 10 x 10 x 10 lattice 0.16 apart
// centred on it, boxes, cylinders, balls and the kinds held in their
// bounding boxes in turn, each turned, and three transfer robots. Most lie within the arm's reach, so
// the exact tests run far more often than in a real cell.
void FillCrowdedTable(ObjectTable& table) {
  const int kinds[] = {4, 8, 9, 11, 12, 27, 22, 131};
  for (int i = 0; i < kObjectCapacity; ++i) {
    SceneObject& r = table[static_cast<size_t>(i)];
    r.Enbl = true;
    r.Shp = kinds[i % 8];
    r.Reso = 24;
    r.X = static_cast<float>(i % 10) * 0.16f - 0.72f;
    r.Y = static_cast<float>((i / 10) % 10) * 0.16f - 0.72f;
    r.Z = static_cast<float>(i / 100) * 0.16f;
    r.W = r.D = r.H = 0.05f;
    r.R = r.R2 = 0.03f;
    r.Ang[0] = static_cast<float>(i * 7 % 360);
    r.Ang[1] = static_cast<float>(i * 13 % 360);
  }
  // Three transfer robots among them, hands out with wafers: their parts
  // are checked against every object too.
  for (int k = 0; k < 3; ++k) {
    SceneObject& r = table[static_cast<size_t>(k * 333)];
    r.Shp = 150 + k;
    r.Ang[0] = r.Ang[1] = 0.0f;
    r.size[0] = 0.6f;
    r.size[9] = 1.0f;
    r.Opt[0] = r.Opt[1] = 1;
  }
}

// One frame's check of the arm and the three robots against the 1000
// kept solids (the arm moving from frame to frame), with and without the
// clearance; and the first check, which builds every solid.
void RunCheck(benchmark::State& state, bool clearance) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  FillCrowdedTable(*table);
  InterferenceCheck check;
  InterferenceReport report;
  float pose[6];
  std::copy(kPose, kPose + 6, pose);
  InterferenceInputs in;
  in.joints = pose;
  in.records = table->data();
  in.count = kObjectCapacity;
  in.clearance = clearance;
  check.Run(in, &report);
  int step = 0;
  for (auto _ : state) {
    pose[0] = kPose[0] + static_cast<float>(step++ % 10);
    check.Run(in, &report);
    benchmark::DoNotOptimize(report.hits.data());
  }
  state.counters["contacts"] = static_cast<double>(report.hits.size());
}
void BM_InterferenceCheck1000(benchmark::State& state) {
  RunCheck(state, false);
}
BENCHMARK(BM_InterferenceCheck1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
void BM_InterferenceAndClearance1000(benchmark::State& state) {
  RunCheck(state, true);
}
BENCHMARK(BM_InterferenceAndClearance1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
void BM_InterferenceFirstCheck1000(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  FillCrowdedTable(*table);
  InterferenceReport report;
  for (auto _ : state) CheckInterference(kPose, table->data(), kObjectCapacity, &report);
}
BENCHMARK(BM_InterferenceFirstCheck1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The frame the check runs in: the same table drawn, with and without the
// check and its highlight.
void RunFrame(benchmark::State& state, bool check) {
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
  FillCrowdedTable(*table);
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;
  for (int k = 0; k < 6; ++k) rs.joints[k] = kPose[k];
  TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
  InterferenceReport report;
  InterferenceCheck kept;
  FrameInputs in{&rs, table.get(), slots, nullptr};
  if (check) {
    in.interference = &report;
    in.check = &kept;
  }
  for (auto _ : state) {
    ComposeFrame(in);
    glFinish();
  }
  ResetLights();
}

void BM_CrowdedFrame(benchmark::State& state) {
  RunFrame(state, false);
}
BENCHMARK(BM_CrowdedFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
void BM_CrowdedFrameChecked(benchmark::State& state) {
  RunFrame(state, true);
}
BENCHMARK(BM_CrowdedFrameChecked)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

namespace {

// The demo cell as the window checks it: the arm moving, both robots at
// their panels, the clearance measured, solids kept from frame to frame.
void BM_DemoCellClearance(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  if (!LoadDemoCell(*table, state)) return;
  RenderSettings rs;
  InterferenceCheck check;
  InterferenceReport report;
  float pose[6];
  std::copy(rs.joints, rs.joints + 6, pose);
  InterferenceInputs in;
  in.joints = pose;
  in.records = table->data();
  in.count = kObjectCapacity;
  in.clearance = true;
  check.Run(in, &report);
  int step = 0;
  for (auto _ : state) {
    pose[0] = static_cast<float>(step++ % 40);
    check.Run(in, &report);
    benchmark::DoNotOptimize(report.clearance);
  }
  state.counters["clearance_mm"] = report.clearance * 1000.0;
}
BENCHMARK(BM_DemoCellClearance)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// 1000 steps of the demo cell's motions (the arm's path, RBT1's test run,
// both cycles, in turn) swept with the clearance, from a fresh check.
void BM_DemoCellSweep1000(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  if (!LoadDemoCell(*table, state)) return;
  RenderSettings rs;
  std::vector<CellStep> steps;
  while (steps.size() < 1000)
    for (CellMotion m : {CellMotion::Animation, CellMotion::Rbt1Test, CellMotion::Rbt2Cycle, CellMotion::Cycle}) {
      const std::vector<CellStep> more = CellMotionSteps(m, rs.joints, rs.robot);
      steps.insert(steps.end(), more.begin(), more.end());
    }
  steps.resize(1000);
  for (auto _ : state) {
    InterferenceCheck check;
    const SweepResult result = SweepMotion(steps, table->data(), kObjectCapacity, nullptr, &check);
    benchmark::DoNotOptimize(result.rows.data());
  }
}
BENCHMARK(BM_DemoCellSweep1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
