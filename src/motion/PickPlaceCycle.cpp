#include "motion/PickPlaceCycle.h"

#include <cmath>

namespace {

CyclePose PoseOf(const TeachTable& table, int robot, int item, int slot, bool wafer) {
  const AxisTargets a = LookupTeachingPosition(table, robot, item, slot, false, false);
  CyclePose p;
  p.R1 = a.R1 * 0.01f;
  p.R2 = a.setR2 ? a.R2 * 0.01f : 0.0f;
  p.Z = a.Z * 0.0001f;
  p.T = a.T * 0.1f;
  p.X = a.X * 0.001f;
  p.wafer = wafer;
  return p;
}

bool IsStationStart(int robot, int item) {
  const int last = robot == 0 ? 28 : robot == 1 ? 24 : 0;
  return item >= 1 && item <= last && (item - 1) % 4 == 0;
}

}  // namespace

std::vector<CyclePose> PickAndPlaceStops(const TeachTable& table, int robot, int pickItem, int placeItem, int slot) {
  if (!IsStationStart(robot, pickItem) || !IsStationStart(robot, placeItem)) return {};
  enum { RetUp = 0, RetDn = 1, ExtUp = 2, ExtDn = 3 };
  const int a = pickItem, b = placeItem;
  return {
      PoseOf(table, robot, a + RetDn, slot, false),  // in front of the wafer, below it
      PoseOf(table, robot, a + ExtDn, slot, false),  // in under it
      PoseOf(table, robot, a + ExtUp, slot, true),   // lifted off
      PoseOf(table, robot, a + RetUp, slot, true),   // out with it
      PoseOf(table, robot, b + RetUp, slot, true),   // to the other station
      PoseOf(table, robot, b + ExtUp, slot, true),   // in above its place
      PoseOf(table, robot, b + ExtDn, slot, false),  // set down
      PoseOf(table, robot, b + RetDn, slot, false),  // out empty
  };
}

CyclePose CyclePoseAt(const std::vector<CyclePose>& stops, double t) {
  if (stops.empty()) return {};
  const size_t n = stops.size();
  double u = t - std::floor(t);
  if (!std::isfinite(u)) u = 0.0;
  const double leg = u * static_cast<double>(n);
  size_t i = static_cast<size_t>(leg);
  if (i >= n) i = n - 1;
  const double f = leg - static_cast<double>(i);
  const CyclePose& from = stops[i];
  const CyclePose& to = stops[(i + 1) % n];
  auto mix = [f](float x, float y) { return static_cast<float>(x + (y - x) * f); };
  CyclePose p;
  p.R1 = mix(from.R1, to.R1);
  p.R2 = mix(from.R2, to.R2);
  p.Z = mix(from.Z, to.Z);
  p.T = mix(from.T, to.T);
  p.X = mix(from.X, to.X);
  p.wafer = from.wafer;
  return p;
}

void ApplyCyclePose(const CyclePose& c, RobotPanelValues* panel) {
  panel->R1 = c.R1;
  panel->R2 = c.R2;
  panel->Z = c.Z;
  panel->T = c.T;
  panel->X = c.X;
  panel->WaferR1 = c.wafer;
}
