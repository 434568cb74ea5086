#include <benchmark/benchmark.h>

#include "BenchScenes.h"

#include <memory>

#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "headless/HeadlessContext.h"
#include "equipment/ObjectDrawing.h"
#include "objects/SceneObject.h"
#include "render/Frame.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"
#include "render/Texture.h"

namespace {

// A frame's worth of equipment: the three robots with wafers on their
// hands, 25 wafers in a rack-like grid with pictures and IDs, and one of
// each of the 21 composite parts.
void FillEquipmentTable(ObjectTable& table) {
  int n = 0;
  auto put = [&](SceneObject o, float x, float y) {
    o.X = x;
    o.Y = y;
    table[static_cast<size_t>(n++)] = o;
  };
  for (int32_t kind : {150, 151, 152}) put(ExampleEquipment(kind), (kind - 151) * 0.8f, -1.0f);
  for (int i = 0; i < 25; ++i) {
    SceneObject w = ExampleEquipment(131);
    w.R = 0.05f;
    w.ID[0] = static_cast<int16_t>(i + 1);
    put(w, (i % 5) * 0.12f - 0.24f, (i / 5) * 0.12f + 0.5f);
  }
  int k = 0;
  for (int32_t kind : kEquipmentKinds)
    if (kind < 150 && kind != 131) {
      put(ExampleEquipment(kind), (k % 7) * 0.4f - 1.2f, (k / 7) * 0.4f + 1.4f);
      ++k;
    }
}

struct EquipmentScene {
  HeadlessContext ctx{628, 377};
  std::unique_ptr<ObjectTable> table = std::make_unique<ObjectTable>();
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;

  bool Ready(benchmark::State& state) {
    if (!StartLaidOutPicture(ctx, rs, state)) return false;
    InitializeRecords(table->data(), kObjectCapacity);
    FillEquipmentTable(*table);
    FillGradientImage(slots[1]);
    UploadTextureImage(slots[1]);
    slots[1].loaded = true;
    return true;
  }
  ~EquipmentScene() {
    SetMeshPictures(nullptr);
    ResetLights();
  }
};

// The equipment alone: 49 models, lit, textured wafers.
void BM_EquipmentObjects(benchmark::State& state) {
  EquipmentScene scene;
  if (!scene.Ready(state)) return;
  FrameInputs in{&scene.rs, nullptr, scene.slots, nullptr};
  ComposeFrame(in);  // lights and camera as a frame sets them
  SetMeshPictures(scene.slots);
  for (auto _ : state) {
    DrawBuilt([&] { DrawObjects(scene.table->data(), kObjectCapacity); });
    glFinish();
  }
}
BENCHMARK(BM_EquipmentObjects)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A whole frame with that equipment in the table (floor and arm included).
void BM_FrameWithEquipment(benchmark::State& state) {
  EquipmentScene scene;
  if (!scene.Ready(state)) return;
  FrameInputs in{&scene.rs, scene.table.get(), scene.slots, nullptr};
  for (auto _ : state) {
    ComposeFrame(in);
    glFinish();
  }
}
BENCHMARK(BM_FrameWithEquipment)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
