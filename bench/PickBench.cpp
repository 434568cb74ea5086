// What a click costs: picking runs the objects' drawing once in GL
// selection mode around the pointer. Compared with a whole frame of the
// same scene.
#include <benchmark/benchmark.h>

#include "BenchScenes.h"

#include <memory>

#include "headless/HeadlessContext.h"
#include "objects/ObjectFile.h"
#include "objects/SceneObject.h"
#include "objects/SceneView.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/Picking.h"
#include "render/RenderContext.h"

namespace {

struct PickScene {
  HeadlessContext ctx{628, 377};
  std::unique_ptr<ObjectTable> table = std::make_unique<ObjectTable>();
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;

  // The demo cell, or 1000 spheres and cylinders in a grid around the arm.
  bool Ready(benchmark::State& state, bool demo) {
    if (!StartLaidOutPicture(ctx, rs, state)) return false;
    InitializeRecords(table->data(), kObjectCapacity);
    if (demo) {
      if (!LoadDemoCell(*table, state)) return false;
      // From the view it opens with, where the cell fills the picture.
      SceneView v;
      if (ReadViewLine(TESSALY_EXAMPLES_DIR "/demo-cell.3dl", v) == ViewLineState::Present)
        TakeSceneView(rs.view, v);
    } else {
      for (int i = 0; i < kObjectCapacity; ++i) {
        SceneObject& r = (*table)[static_cast<size_t>(i)];
        r.Enbl = true;
        r.Shp = i % 2 ? 4 : 5;
        r.X = static_cast<float>(i % 40) * 0.1f - 2.0f;
        r.Y = static_cast<float>(i / 40) * 0.1f - 1.2f;
        r.W = r.D = r.H = 0.06f;
        r.R = r.R2 = 0.03f;
      }
    }
    return true;
  }
  ~PickScene() { ResetLights(); }
};

void Pick(benchmark::State& state, bool demo) {
  PickScene scene;
  if (!scene.Ready(state, demo)) return;
  // Aim at the middle of a box a good way into the table.
  const SceneObject* aim = nullptr;
  for (int i = 410; i >= 0 && !aim; --i) {
    const SceneObject& r = (*scene.table)[static_cast<size_t>(i)];
    if (r.Enbl && r.Shp == 4) aim = &r;
  }
  GLdouble mv[16], pr[16], wx = 314, wy = 188, wz;
  GLint vp[4];
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  ApplyCameraZoom(scene.rs.view);
  ApplyCameraOrientation(scene.rs.view);
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  if (aim) gluProject(aim->X, aim->Z, aim->Y, mv, pr, vp, &wx, &wy, &wz);
  const int x = static_cast<int>(wx), y = vp[3] - static_cast<int>(wy);
  int hits = 0;
  for (auto _ : state) {
    hits += PickObject(scene.rs, scene.table->data(), kObjectCapacity, scene.slots, x, y) >= 0;
    glFinish();
  }
  state.counters["hit"] = benchmark::Counter(hits, benchmark::Counter::kAvgIterations);
}

void Frame(benchmark::State& state, bool demo) {
  PickScene scene;
  if (!scene.Ready(state, demo)) return;
  FrameInputs in{&scene.rs, scene.table.get(), scene.slots, nullptr};
  for (auto _ : state) {
    ComposeFrame(in);
    glFinish();
  }
}

void BM_PickDemoCell(benchmark::State& state) { Pick(state, true); }
BENCHMARK(BM_PickDemoCell)->Unit(benchmark::kMillisecond)->MinTime(1.0);
void BM_FrameDemoCellForPick(benchmark::State& state) { Frame(state, true); }
BENCHMARK(BM_FrameDemoCellForPick)->Unit(benchmark::kMillisecond)->MinTime(1.0);
void BM_Pick1000Objects(benchmark::State& state) { Pick(state, false); }
BENCHMARK(BM_Pick1000Objects)->Unit(benchmark::kMillisecond)->MinTime(1.0);
void BM_Frame1000ObjectsForPick(benchmark::State& state) { Frame(state, false); }
BENCHMARK(BM_Frame1000ObjectsForPick)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
