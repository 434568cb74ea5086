#include <algorithm>
#include <cmath>

#include "equipment/EquipmentModels.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"

namespace {

// The plate's outline in the horizontal plane, from the root's right
// corner round the tip to the root's left corner: straight sides, then the
// tip as half an ellipse that bulges out by `tip` over the full width.
struct Outline {
  static constexpr int kMaxArc = 180;
  PlanePoint p[kMaxArc + 3];
  PlanePoint normal[kMaxArc + 3];
  int n = 0;
};

Outline MakeOutline(double hw, double length, double tip, int arcSegments) {
  Outline o;
  const double straight = length - tip;
  o.p[o.n] = {hw, 0.0};
  o.normal[o.n++] = {1.0, 0.0};
  for (int i = 0; i <= arcSegments; ++i) {
    const double a = 180.0 * i / arcSegments;
    const PlanePoint u = PolarPoint(a, 1.0);
    o.p[o.n] = {hw * u.x, straight + tip * u.z};
    // The ellipse's normal; a flat tip (no bulge) faces straight ahead.
    const double nx = tip > 0.0 ? u.x * tip : 0.0, nz = tip > 0.0 ? u.z * hw : 1.0;
    const double len = std::hypot(nx, nz);
    o.normal[o.n++] = len > 0.0 ? PlanePoint{nx / len, nz / len} : PlanePoint{0.0, 1.0};
  }
  o.p[o.n] = {-hw, 0.0};
  o.normal[o.n++] = {-1.0, 0.0};
  return o;
}

}  // namespace

void HandPlate(SceneObject obj) {
  const double hw = std::fabs(obj.W) / 2.0, length = obj.D, hh = obj.H / 2.0;
  // The bulge of the tip, no longer than the plate; nonsense counts as 0.
  const double longest = length > 0.0 ? length : 0.0;
  const double tip = obj.R > 0.0f ? std::min(double(obj.R), longest) : 0.0;
  // Half a circle of resolution for the rounded tip; a plate with no
  // resolution still gets a square tip.
  const int arc = std::clamp(UsableReso(obj.Reso) / 2, 1, Outline::kMaxArc);
  const Outline o = MakeOutline(hw, length, tip, arc);

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    // Top and bottom: the outline is convex, so one polygon each.
    emit::Begin(Prim::Polygon);
    EmitNormal(0, 1, 0);
    for (int i = o.n - 1; i >= 0; --i) EmitVertex(o.p[i].x, hh, o.p[i].z);
    emit::End();
    emit::Begin(Prim::Polygon);
    EmitNormal(0, -1, 0);
    for (int i = 0; i < o.n; ++i) EmitVertex(o.p[i].x, -hh, o.p[i].z);
    emit::End();
    // Straight sides and the root end as flat quads, the tip as a strip
    // with the ellipse's normals.
    emit::Begin(Prim::Quads);
    const PlanePoint& r0 = o.p[0];
    const PlanePoint& r1 = o.p[1];
    const PlanePoint& l0 = o.p[o.n - 1];
    const PlanePoint& l1 = o.p[o.n - 2];
    EmitNormal(1, 0, 0);
    EmitVertex(r0.x, -hh, r0.z);
    EmitVertex(r1.x, -hh, r1.z);
    EmitVertex(r1.x, hh, r1.z);
    EmitVertex(r0.x, hh, r0.z);
    EmitNormal(-1, 0, 0);
    EmitVertex(l0.x, hh, l0.z);
    EmitVertex(l1.x, hh, l1.z);
    EmitVertex(l1.x, -hh, l1.z);
    EmitVertex(l0.x, -hh, l0.z);
    EmitNormal(0, 0, -1);
    EmitVertex(l0.x, -hh, l0.z);
    EmitVertex(r0.x, -hh, r0.z);
    EmitVertex(r0.x, hh, r0.z);
    EmitVertex(l0.x, hh, l0.z);
    emit::End();
    emit::Begin(Prim::QuadStrip);
    for (int i = 1; i < o.n - 1; ++i) {
      EmitNormal(o.normal[i].x, 0, o.normal[i].z);
      EmitVertex(o.p[i].x, -hh, o.p[i].z);
      EmitVertex(o.p[i].x, hh, o.p[i].z);
    }
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double lift = 0.0001;
    for (double y : {hh + lift, -hh - lift}) {
      emit::Begin(Prim::LineLoop);
      for (int i = 0; i < o.n; ++i) EmitVertex(o.p[i].x, y, o.p[i].z);
      emit::End();
    }
  }
}
