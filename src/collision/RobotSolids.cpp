#include "collision/RobotSolids.h"

#include <cmath>

#include "equipment/RobotLayout.h"

// Every solid is made from a part of the robot's layout, the parts the
// drawing draws (equipment/RobotLayout.h): nothing here knows a robot's
// sizes.

namespace {

bool IsRobot(const SceneObject& obj) {
  const int32_t k = obj.Shp;
  if (k != ShapeKind::ScaraRobot && k != ShapeKind::TwinHandRobot && k != ShapeKind::FrogLegRobot)
    return false;
  return std::isfinite(obj.X) && std::isfinite(obj.Y) && std::isfinite(obj.Z) && std::isfinite(obj.Ang[0]);
}

// The robot's frame, and the frame the arm unit's turn leaves.
struct Frames {
  Placement fixed, turned;
  explicit Frames(const RobotLayout& layout) {
    fixed.Apply(layout.frame);
    turned = fixed;
    turned.Rotate(layout.turn, 0, 1, 0);
  }
  const Placement& Of(const RobotPart& p) const { return p.turns ? turned : fixed; }
};

// An upright cylinder of the part's frame; its cross axes are the frame's
// too, so that a thin one can be swept as a disc.
Solid Cylinder(Vec3 base, const Vec3 axes[3], double radius, double height) {
  Solid s = MakeCylinder(base, axes[1], radius, height);
  s.axes[0] = axes[0];
  s.axes[2] = axes[2];
  return s;
}

// What a part occupies: the shape it is drawn as; a link exactly, as the
// box of its straight run and a cylinder at each round end (the box round
// the whole slot would stand out at the corners of its ends by 0.4 of
// their radius, where the drawing shows a gap); a hand plate in the box
// round it, its rounded tip included; a wafer as a disc.
void AddSolids(const RobotPart& part, const Placement& frame, std::vector<Solid>* out) {
  Placement at = frame;
  at.Translate(part.x, part.z, part.y);
  at.Rotate(part.ang, 0, 1, 0);
  const Vec3 axes[3] = {at.Axis(0), at.Axis(1), at.Axis(2)};
  const double k = std::fabs(at.scale);
  switch (part.shape) {
    case RobotPartShape::Column:
      out->push_back(Cylinder(at.t, axes, part.r * k, part.h * at.scale));
      break;
    case RobotPartShape::Box:
      out->push_back(MakeBox(at.t, axes, part.w / 2.0 * k, part.h / 2.0 * k, part.d / 2.0 * k));
      break;
    case RobotPartShape::Link:
      out->push_back(MakeBox(at.t, axes, part.w / 2.0 * k, part.h / 2.0 * k, part.r * k));
      for (double end : {1.0, -1.0})
        out->push_back(Cylinder(at.Point({end * part.w / 2.0, -part.h / 2.0, 0.0}), axes, part.r * k,
                                part.h * at.scale));
      break;
    case RobotPartShape::Hand:
      out->push_back(MakeBox(at.Point({0.0, 0.0, part.d / 2.0}), axes, part.w / 2.0 * k, part.h / 2.0 * k,
                             part.d / 2.0 * k));
      break;
    case RobotPartShape::Wafer:
      out->push_back(Cylinder(at.t, axes, part.r * k, 0.0));
      break;
  }
}

// A moving part's solid as the check sweeps it: a box as a rectangle
// across its two flat axes grown by half its thickness, a cylinder as a
// disc through its middle grown by half its height (a wafer exactly).
Sweep PartSweep(const Solid& s) {
  Sweep w;
  w.u = s.axes[0];
  w.v = s.axes[2];
  if (s.kind == Solid::Kind::Cylinder) {
    w.core = Sweep::Core::Disc;
    w.centre = s.centre + s.axes[1] * (s.half[1] / 2.0);
    w.eu = w.ev = s.half[0];
    w.radius = s.half[1] / 2.0;
  } else {
    w.core = Sweep::Core::Rectangle;
    w.centre = s.centre;
    w.eu = s.half[0];
    w.ev = s.half[2];
    w.radius = s.half[1];
  }
  return w;
}

}  // namespace

bool RobotSolids(const SceneObject& obj, std::vector<Solid>* out) {
  RobotLayout layout;
  if (!IsRobot(obj) || !RobotLayoutOf(obj, &layout)) return false;
  const Frames frames(layout);
  for (const RobotPart& p : layout.parts) AddSolids(p, frames.Of(p), out);
  return true;
}

bool RobotMovingParts(const SceneObject& obj, std::vector<Sweep>* parts, std::vector<int>* kinds) {
  RobotLayout layout;
  if (!IsRobot(obj) || !RobotLayoutOf(obj, &layout)) return false;
  const Frames frames(layout);
  std::vector<Solid> own;
  for (const RobotPart& p : layout.parts) {
    if (p.role == RobotPartRole::Body) continue;
    own.clear();
    AddSolids(p, frames.Of(p), &own);
    for (const Solid& s : own) {
      parts->push_back(PartSweep(s));
      kinds->push_back(p.role == RobotPartRole::Wafer ? 1 : 0);
    }
  }
  return true;
}
