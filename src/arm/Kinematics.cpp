#include "arm/Kinematics.h"

#include <climits>
#include <cmath>

namespace {

constexpr float kDegToRadF = 3.14159265358979323846f / 180.0f;
constexpr double kPi = 3.14159265358979323846;

// The plane rotation of (u, v) by the angle whose cosine and sine are given.
struct Pair {
  float u;
  float v;
};
Pair Rot(float cs, float sn, float u, float v) {
  return {u * cs - v * sn, u * sn + v * cs};
}

double ClampedAcos(double c) {
  // At the very reach limits rounding can push the cosine a hair outside
  // [-1, 1], where acos has no answer.
  if (c > 1.0) c = 1.0;
  if (c < -1.0) c = -1.0;
  return std::acos(c);
}

}  // namespace

ToolPoint ComputeToolPoint(const float joints[6]) {
  float cs[5], sn[5];
  for (int i = 0; i < 5; ++i) {
    const float rad = joints[i] * kDegToRadF;
    cs[i] = std::cos(rad);
    sn[i] = std::sin(rad);
  }
  const float offset = static_cast<float>(ArmGeometry::kToolOffset);
  const float upper = static_cast<float>(ArmGeometry::kUpperLink);
  const float lower = static_cast<float>(ArmGeometry::kLowerLink);
  const float base = static_cast<float>(ArmGeometry::kShoulderHeight);

  // Tool offset turned by J5, then J4, then J3 and J2; the lower link by J3
  // and J2; the upper link by J2.
  const float c = offset * cs[4];
  const float s = offset * sn[4];
  const Pair cd = Rot(cs[3], sn[3], 0.0f, s);
  const Pair fg = Rot(cs[2], sn[2], c, cd.v);
  const Pair hi = Rot(cs[1], sn[1], fg.u, fg.v);
  const Pair nq = Rot(cs[1], sn[1], lower * cs[2], lower * sn[2]);

  const float lateral = -cd.u;
  const float reach = hi.v + nq.v + upper * sn[1];
  const float height = base + upper * cs[1] + nq.u + hi.u;
  const Pair ab = Rot(cs[0], sn[0], reach, lateral);

  ToolPoint p;
  p.x = ab.v;
  p.height = height;
  p.depth = ab.u;
  return p;
}

ArmSolution SolveArm(double x, double y, double z) {
  using namespace ArmGeometry;
  ArmSolution out;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return out;

  // The wrist sits the tool offset above the target; work relative to the
  // shoulder.
  const double wz = z - kShoulderHeight + kToolOffset;
  const double r = std::sqrt(x * x + y * y);
  const double d = std::sqrt(x * x + y * y + wz * wz);
  if (d > kUpperLink + kLowerLink || d < std::fabs(kUpperLink - kLowerLink)) return out;

  const double l1 = kUpperLink, l2 = kLowerLink;
  const double j1 = std::atan2(x, y);  // seen from +Y turning towards +X
  const double j3 = kPi - ClampedAcos((l1 * l1 + l2 * l2 - d * d) / (2.0 * l1 * l2));
  // d >= 0.05 here, so the division is safe.
  const double j2 = std::atan2(r, wz) - ClampedAcos((l1 * l1 + d * d - l2 * l2) / (2.0 * l1 * d));

  constexpr double kToDeg = 180.0 / kPi;
  out.reachable = true;
  out.j1 = j1 * kToDeg;
  out.j2 = j2 * kToDeg;
  out.j3 = j3 * kToDeg;
  return out;
}

ArmSolutionPositions ToSliderPositions(const ArmSolution& s) {
  ArmSolutionPositions p;
  p.j1 = static_cast<int32_t>(100.0 * s.j1);
  p.j2 = static_cast<int32_t>(100.0 * s.j2);
  p.j3 = static_cast<int32_t>(100.0 * s.j3);
  p.j6 = p.j1;
  return p;
}

int32_t XyzModeJ5Position(int32_t j2Position, int32_t j3Position) {
  // Slider positions are small; the wide sum only keeps odd callers safe.
  const int64_t v = int64_t{18000} - j2Position - j3Position;
  return kJointSliders[4].Clamp(
      static_cast<int32_t>(v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : v)));
}
