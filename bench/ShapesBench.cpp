#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "headless/HeadlessContext.h"
#include "objects/SceneObject.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "render/MeshDraw.h"
#include "render/RenderContext.h"
#include "shapes/Shapes.h"

namespace {

constexpr int32_t kKinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 23, 24, 25, 26, 27, 28};

// 1000 primitives of every kind in turn, on a 40 x 25 grid, filled and
// outlined, at the default resolution.
std::vector<SceneObject> MixedScene() {
  auto profile = std::make_shared<const std::vector<float>>(std::vector<float>{0.3f, 0.2f, 0.25f, 0.15f});
  std::vector<SceneObject> scene(1000);
  for (size_t i = 0; i < scene.size(); ++i) {
    SceneObject& o = scene[i];
    o.Enbl = true;
    o.Shp = kKinds[i % (sizeof kKinds / sizeof kKinds[0])];
    o.Reso = 36;
    o.X = static_cast<float>(i % 40) - 20.0f;
    o.Y = static_cast<float>(i / 40) - 12.5f;
    o.W = o.D = o.H = 0.6f;
    o.R = o.R2 = 0.25f;
    o.Fill = true;
    o.Frame = true;
    o.clFill = 0x3080F0;
    o.Opt[0] = o.Shp == 20 ? 4 : 0;
    o.Dir = o.Shp == 21 ? 1 : 0;
    o.Sub = profile;
  }
  return scene;
}

void BM_ThousandPrimitives(benchmark::State& state) {
  HeadlessContext ctx(640, 480);
  if (!ctx.ok()) {
    state.SkipWithError(ctx.error().c_str());
    return;
  }
  ApplyFixedRenderState();
  ApplyProjection(640, 480, false);
  const std::vector<SceneObject> scene = MixedScene();
  const bool lit = state.range(0) != 0;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 60.0, 160.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    ResetLights();
    if (lit) {
      SetLightPosition(0, -10.0f, 6.0f, 10.0f, 0.0f);
      SetLightLevels(0, 0xFFFFFF, 0.5f, 0.6f, 1.0f, 0.0f, 0.0f);
      SetLightEnabled(0, true);
    }
    DrawBuilt([&] {
      for (const SceneObject& o : scene) DrawPrimitive(o);
    });
    glFinish();
  }
  ResetLights();
  ApplyLights();
}
BENCHMARK(BM_ThousandPrimitives)->Arg(0)->Arg(1)->ArgName("lit")->Unit(benchmark::kMillisecond);

}  // namespace
