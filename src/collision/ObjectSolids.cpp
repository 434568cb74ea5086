#include "collision/ObjectSolids.h"

#include <cmath>

#include "equipment/ObjectBounds.h"

namespace {

bool Finite(const SceneObject& o) {
  const float v[] = {o.X, o.Y, o.Z, o.W, o.D, o.H, o.R, o.R2, o.Ang[0], o.Ang[1], o.Ang[2]};
  for (float f : v)
    if (!std::isfinite(f)) return false;
  return true;
}

}  // namespace

Placement RecordPlacement(const SceneObject& obj, RotationOrder order) {
  Placement p;
  p.Apply(RecordFrame(obj, order));
  return p;
}

int ObjectSolids(const SceneObject& obj, Solid out[kMaxObjectSolids]) {
  if (!obj.Enbl || !Finite(obj)) return 0;
  switch (obj.Shp) {
    case ShapeKind::Cube: {
      const Placement p = RecordPlacement(obj, RotationOrder::A);
      const Vec3 axes[3] = {p.Axis(0), p.Axis(1), p.Axis(2)};
      out[0] = MakeBox(p.t, axes, obj.W / 2.0, obj.H / 2.0, obj.D / 2.0);
      return 1;
    }
    case ShapeKind::Cylinder: {
      const Placement p = RecordPlacement(obj, RotationOrder::A);
      const double rb = std::fabs(obj.R);
      const double rt = (obj.Opt[0] == 1 && obj.R2 != 0.0f) ? std::fabs(obj.R2) : rb;
      // An elliptic section is k times as deep as it is wide.
      const bool elliptic = !(obj.size[0] == 0.0f || obj.size[1] == 0.0f || obj.size[0] == obj.size[1]);
      const double k = elliptic ? std::fabs(double(obj.size[1]) / obj.size[0]) : 1.0;
      if (!std::isfinite(k)) break;
      out[0] = MakeCylinder(p.t, p.Axis(1), std::fmax(rb, rt) * std::fmax(k, 1.0), obj.H);
      return 1;
    }
    case ShapeKind::Ball: {
      if (obj.R == 0.0f) return 0;
      // The ball's second radius stretches one direction; a cut ball lies
      // within the whole one.
      const double r = std::fmax(std::fabs(obj.R), std::fabs(obj.R2));
      out[0] = MakeSphere({obj.X, obj.Z, obj.Y}, r);
      return 1;
    }
    case ShapeKind::Wafer: {
      // A flat disc; with its ID written above it, the bounds below hold
      // the text too.
      if (obj.Opt[1] == 1 && obj.ID[0] != 0) break;
      const Placement p = RecordPlacement(obj, RotationOrder::A);
      out[0] = MakeCylinder(p.Point({0.0, -0.0001, 0.0}), p.Axis(1), std::fabs(obj.R) + 0.0001, 0.0002);
      return 1;
    }
    case ShapeKind::BlockText:
      // A label names a station; it is not part of the cell's hardware.
      return 0;
    default:
      break;
  }
  // Every other kind: its own turned box, which holds all it draws. A
  // record whose values are not numbers has no place to touch anything.
  const ObjectBounds b = BoundsOf(obj);
  if (!b.bounded || b.drawsNothing) return 0;
  auto corner = [&](int c) { return Vec3{b.corner[c][0], b.corner[c][1], b.corner[c][2]}; };
  const Vec3 origin = corner(0);
  Vec3 axes[3];
  double half[3];
  for (int k = 0; k < 3; ++k) {
    const Vec3 edge = corner(1 << k) - origin;
    const double len = Length(edge);
    half[k] = len / 2.0;
    axes[k] = len > 0.0 ? edge * (1.0 / len) : Vec3{k == 0 ? 1.0 : 0.0, k == 1 ? 1.0 : 0.0, k == 2 ? 1.0 : 0.0};
  }
  out[0] = MakeBox((origin + corner(7)) * 0.5, axes, half[0], half[1], half[2]);
  return 1;
}
