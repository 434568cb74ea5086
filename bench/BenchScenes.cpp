#include "BenchScenes.h"

#include <memory>
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

