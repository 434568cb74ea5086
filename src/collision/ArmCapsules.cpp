#include "collision/ArmCapsules.h"

#include <cmath>
#include <initializer_list>

namespace {

// A capsule along the local vertical from height y0 to y1 at (x, z).
ArmCapsule Upright(const Placement& at, int link, double x, double z, double y0, double y1, double radius) {
  return {MakeCapsule(at.Point({x, y0, z}), at.Point({x, y1, z}), radius), link};
}

// A slot-shaped link as the arm draws it: middle at height y and depth z,
// straight length w between its round ends (radii r1, r2) tilted by ang
// degrees from the vertical towards -z, thickness h across.
ArmCapsule SlotLink(const Placement& at, int link, double x, double y, double z, double w, double h,
                    double r1, double r2, double ang) {
  const double a = ang * 3.14159265358979323846 / 180.0;
  const Vec3 dir{0.0, std::cos(a), -std::sin(a)};
  const Vec3 mid{x, y, z};
  const double r = std::fmax(r1, r2);
  return {
      MakeCapsule(at.Point(mid + dir * (w / 2.0)), at.Point(mid - dir * (w / 2.0)), std::hypot(r, h / 2.0)),
      link};
}

}  // namespace

const char* ArmLinkName(int link) {
  static const char* const kNames[kArmLinkCount] = {"Base",    "J1 link", "J2 link", "J3 link",
                                                    "J4 link", "J5 link", "Flange"};
  return link >= 0 && link < kArmLinkCount ? kNames[link] : "";
}

void ArmCapsules(const float joints[6], ArmCapsule out[kArmCapsuleCount]) {
  Placement p;
  int n = 0;
  // Base: the plate as a plate, the column on it.
  Sweep plate;
  plate.core = Sweep::Core::Rectangle;
  plate.centre = {0.0, 0.015, 0.0};
  plate.eu = plate.ev = 0.1;
  plate.radius = 0.015;
  out[n++] = {plate, kArmBase};
  out[n++] = Upright(p, kArmBase, 0, 0, 0.03, 0.18, 0.1);
  // J1: turret and the two shoulder plates.
  p.Rotate(joints[0], 0, 1, 0);
  out[n++] = Upright(p, kArmJ1, 0, 0, 0.18, 0.25, 0.1);
  for (double side : {0.08, -0.08})
    out[n++] = SlotLink(p, kArmJ1, side, 0.3, 0.0, 0.05, 0.04, 0.07, 0.06, 0.0);
  // J2: the upper arm and its two side plates.
  p.Translate(0, 0.33, 0);
  p.Rotate(joints[1], 1, 0, 0);
  out[n++] = SlotLink(p, kArmJ2, 0.0, 0.055, -0.013, 0.11, 0.12, 0.04, 0.07, 15.0);
  for (double side : {0.07, -0.07})
    out[n++] = SlotLink(p, kArmJ2, side, 0.17, -0.013, 0.12, 0.02, 0.06, 0.04, -10.0);
  // J3: elbow.
  p.Translate(0, 0.23, 0);
  p.Rotate(joints[2], 1, 0, 0);
  out[n++] = SlotLink(p, kArmJ3, 0.0, 0.04, 0.0, 0.08, 0.12, 0.0, 0.05, 0.0);
  // J4: forearm.
  p.Translate(0, 0.03, 0);
  p.Rotate(joints[3], 0, 1, 0);
  out[n++] = SlotLink(p, kArmJ4, 0.0, 0.15, 0.0, 0.2, 0.12, 0.05, 0.0, 0.0);
  // J5: the wrist block (its square section within the capsule).
  p.Translate(0, 0.25, 0);
  p.Rotate(joints[4], 1, 0, 0);
  out[n++] = Upright(p, kArmJ5, 0, 0, 0.03, 0.07, 0.033 * std::sqrt(2.0));
  // J6: the flange with its bolt heads, which stay within its radius.
  p.Translate(0, 0.07, 0);
  p.Rotate(joints[5], 0, 1, 0);
  out[n++] = Upright(p, kArmFlange, 0, 0, 0.0, 0.023, 0.02);
}
