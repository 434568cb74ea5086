#include "objects/EffectiveRecord.h"

#include <cstring>

int FollowedPanel(const SceneObject& rec) {
  if (!ShapeKind::IsTransferRobot(rec.Shp)) return 0;
  const int32_t p = rec.Opt[kFollowPanelOption];
  return p == 1 || p == 2 ? p : 0;
}

void ApplyPanel(SceneObject& rec, const RobotPanelValues& panel) {
  rec.size[0] = panel.R1;
  rec.size[1] = panel.R2;
  rec.size[2] = panel.Z;
  rec.size[3] = panel.T;
  rec.size[4] = panel.X;
  rec.size[6] = panel.RT1;
  rec.size[7] = panel.RT2;
  rec.Opt[0] = panel.WaferR1 ? 1 : 0;
  rec.Opt[1] = panel.WaferR2 ? 1 : 0;
}

namespace {

const ObjectOverride* OverrideOf(int index, const DrawSubstitutes& s) {
  if (!s.overrides || index < 0 || index >= kObjectCapacity) return nullptr;
  const ObjectOverride& o = (*s.overrides)[static_cast<size_t>(index)];
  return o.active ? &o : nullptr;
}

}  // namespace

bool HasSubstitute(const SceneObject& stored, int index, const DrawSubstitutes& s) {
  return (s.panels && FollowedPanel(stored) != 0) || OverrideOf(index, s) != nullptr;
}

SceneObject EffectiveRecord(const SceneObject& stored, int index, const DrawSubstitutes& s) {
  SceneObject rec = stored;
  const int panel = FollowedPanel(stored);
  if (s.panels && panel != 0) ApplyPanel(rec, s.panels[panel - 1]);
  if (const ObjectOverride* o = OverrideOf(index, s)) {
    rec.Enbl = o->enabled;
    rec.X = o->X;
    rec.Y = o->Y;
    rec.Z = o->Z;
    for (int k = 0; k < 3; ++k) rec.Ang[k] = o->Ang[k];
  }
  return rec;
}

bool SameSubstitutedFields(const SceneObject& a, const SceneObject& b) {
  auto same = [](const float& x, const float& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  if (a.Enbl != b.Enbl || !same(a.X, b.X) || !same(a.Y, b.Y) || !same(a.Z, b.Z)) return false;
  for (int k = 0; k < 3; ++k)
    if (!same(a.Ang[k], b.Ang[k])) return false;
  for (int k : {0, 1, 2, 3, 4, 6, 7})
    if (!same(a.size[k], b.size[k])) return false;
  return a.Opt[0] == b.Opt[0] && a.Opt[1] == b.Opt[1];
}
