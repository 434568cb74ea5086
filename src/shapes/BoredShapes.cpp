// Blocks with a round hole: SquareCylinder and CubeCylinder.

#include <cmath>

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// The four outer sides of a box of half sizes hw, hh, hd, as Planes.
void BoxSides(double hw, double hh, double hd, bool face) {
  const struct {
    int dir;
    double cx, cz;
  } sides[4] = {{2, 0, hd}, {3, 0, -hd}, {4, -hw, 0}, {5, hw, 0}};
  for (const auto& s : sides) {
    if (face)
      EmitPlaneFace(s.dir, s.cx, 0, s.cz, hw, hh, hd);
    else
      EmitPlaneLoop(s.dir, s.cx, 0, s.cz, hw, hh, hd);
  }
}

// The wall of a round hole of radius r centred on (cx, cz), facing its
// axis, from y = hh down to -hh.
void HoleWall(double cx, double cz, double r, double hh, int reso, double step) {
  emit::Begin(Prim::QuadStrip);
  for (int i = 0; i <= reso; ++i) {
    const PlanePoint d = PolarPoint(i * step, 1.0);
    EmitNormal(-d.x, 0, -d.z);
    EmitVertex(cx + r * d.x, hh, cz + r * d.z);
    EmitVertex(cx + r * d.x, -hh, cz + r * d.z);
  }
  emit::End();
}

// The hole's rim at the top and the bottom, and lines down its wall at
// every second step.
void HoleOutline(double cx, double cz, double r, double hh, int reso, double step) {
  for (double y : {hh, -hh}) {
    emit::Begin(Prim::LineStrip);
    for (int i = 0; i <= reso; ++i) {
      const PlanePoint d = PolarPoint(i * step, r);
      EmitVertex(cx + d.x, y, cz + d.z);
    }
    emit::End();
  }
  emit::Begin(Prim::Lines);
  for (int i = 0; i < reso; i += 2) {
    const PlanePoint d = PolarPoint(i * step, r);
    EmitVertex(cx + d.x, hh, cz + d.z);
    EmitVertex(cx + d.x, -hh, cz + d.z);
  }
  emit::End();
}

// The box's outline at angle a, with the corners at the multiples of 45
// whatever the box's proportions.
PlanePoint BoxOutline(double a, double hw, double hd) {
  double r = std::fmod(a, 360.0);
  if (r < 0.0) r += 360.0;
  const double t = std::tan(r * kDegToRad);
  if (r <= 45.0 || r >= 315.0) return PlanePoint{hw, hd * t};
  if (r <= 135.0) return PlanePoint{hw / t, hd};
  if (r <= 225.0) return PlanePoint{-hw, -hd * t};
  return PlanePoint{-hw / t, -hd};
}

}  // namespace

void DrawSquareCylinder(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  obj.D = obj.W;
  const double step = 360.0 / reso;
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, r = obj.R;
  // Traced as a diamond, the square turns into place with a 45-degree
  // turn; its corners are on the angle list whatever the resolution.
  AngleList angles;
  BuildAngles(0.0, 360.0, step, 90.0, angles);
  const double c = hw * std::sqrt(2.0);

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    BoxSides(hw, hh, hw, true);
    emit::Push();
    emit::Rotate(45.0f, 0.0f, 1.0f, 0.0f);
    for (int face = 0; face < 2; ++face) {
      const double y = face == 0 ? hh : -hh;
      emit::Begin(Prim::QuadStrip);
      EmitNormal(0, face == 0 ? 1 : -1, 0);
      for (int i = 0; i < angles.n; ++i) {
        const PlanePoint s = DiamondPoint(angles.v[i], c);
        const PlanePoint b = PolarPoint(angles.v[i], r);
        EmitVertex(s.x, y, s.z);
        EmitVertex(b.x, y, b.z);
      }
      emit::End();
    }
    emit::Pop();
    HoleWall(0, 0, r, hh, reso, step);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    BoxSides(hw, hh, hw, false);
    HoleOutline(0, 0, r - kRoundOutlineLift, hh, reso, step);
  }
}

void DrawCubeCylinder(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, hd = obj.D / 2.0, r = obj.R;
  // A hole asked for beyond the box is moved in until it touches the side.
  const double cx = ClampInto(obj.size[0], -(hw - r), hw - r);
  const double cz = ClampInto(obj.size[1], -(hd - r), hd - r);
  AngleList angles;
  BuildAngles(0.0, 360.0, step, 45.0, angles);

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    BoxSides(hw, hh, hd, true);
    for (int face = 0; face < 2; ++face) {
      const double y = face == 0 ? hh : -hh;
      emit::Begin(Prim::QuadStrip);
      EmitNormal(0, face == 0 ? 1 : -1, 0);
      for (int i = 0; i < angles.n; ++i) {
        const PlanePoint s = BoxOutline(angles.v[i], hw, hd);
        const PlanePoint b = PolarPoint(angles.v[i], r);
        EmitVertex(s.x, y, s.z);
        EmitVertex(cx + b.x, y, cz + b.z);
      }
      emit::End();
    }
    HoleWall(cx, cz, r, hh, reso, step);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    BoxSides(hw, hh, hd, false);
    HoleOutline(cx, cz, r - kRoundOutlineLift, hh, reso, step);
  }
}
