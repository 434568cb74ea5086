#include "BenchScenes.h"

#include <algorithm>

#include "objects/ObjectFile.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"

#include <memory>
#include <string>
#include <vector>

namespace {
const int kPrimitiveKinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 23, 24, 25, 26, 27, 28};
}  // namespace

void FillMixedTable(ObjectTable& table, int reso) {
  static const auto profile = std::make_shared<const std::vector<float>>(std::vector<float>{0.2f, 0.3f, 0.25f});
  for (int i = 0; i < kObjectCapacity; ++i) {
    SceneObject& r = table[static_cast<size_t>(i)];
    r.Enbl = true;
    r.Shp = kPrimitiveKinds[i % 21];
    r.Reso = reso;
    r.X = static_cast<float>(i % 40) * 0.3f - 6.0f;
    r.Y = static_cast<float>(i / 40) * 0.3f - 4.0f;
    r.Z = 0.1f;
    r.W = r.D = r.H = 0.2f;
    r.R = 0.1f;
    r.R2 = 0.08f;
    r.Frame = (i % 3) == 0;
    r.clFill = 0x3080C0u + static_cast<uint32_t>(i) * 97u;
    r.Opt[0] = 3;
    r.Sub = profile;
    r.size[0] = 0.15f;
    r.size[1] = 0.1f;
  }
}


bool StartLaidOutPicture(HeadlessContext& ctx, RenderSettings& rs, benchmark::State& state) {
  if (!ctx.ok()) {
    state.SkipWithError(ctx.error().c_str());
    return false;
  }
  ApplyClearColor(0);
  ApplyFixedRenderState();
  ApplyProjection(628, 377, false);
  TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
  return true;
}

bool LoadDemoCell(ObjectTable& table, benchmark::State& state) {
  InitializeRecords(table.data(), kObjectCapacity);
  if (LoadObjects(TESSALY_EXAMPLES_DIR "/demo-cell.3dl", table.data(), kObjectCapacity, nullptr,
                  [](const std::string&) {}) > 0)
    return true;
  state.SkipWithError("cannot load the demo cell");
  return false;
}

void ReportKeptAgainstFloor(benchmark::State& state, std::vector<double> ratios, double kept, double floor) {
  if (ratios.empty()) return;
  std::sort(ratios.begin(), ratios.end());
  state.counters["kept_cpu_ms"] = kept / static_cast<double>(ratios.size());
  state.counters["floor_cpu_ms"] = floor / static_cast<double>(ratios.size());
  state.counters["ratio_median"] = ratios[ratios.size() / 2];
  state.counters["ratio_min"] = ratios.front();
  state.counters["ratio_max"] = ratios.back();
}
