// Dot, Line and Plane, and the plane pieces the box kinds are built from.

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// The four corners and the normal of a Plane of the given direction about
// the origin; false for a direction that is not one of the six.
bool PlaneCorners(int dir, double hw, double hh, double hd, Vec3 corner[4], Vec3* normal) {
  switch (dir) {
    case 0:
      corner[0] = {-hw, 0, hd}, corner[1] = {hw, 0, hd}, corner[2] = {hw, 0, -hd}, corner[3] = {-hw, 0, -hd};
      *normal = {0, 1, 0};
      return true;
    case 1:
      corner[0] = {-hw, 0, -hd}, corner[1] = {hw, 0, -hd}, corner[2] = {hw, 0, hd}, corner[3] = {-hw, 0, hd};
      *normal = {0, -1, 0};
      return true;
    case 2:
      corner[0] = {-hw, -hh, 0}, corner[1] = {hw, -hh, 0}, corner[2] = {hw, hh, 0}, corner[3] = {-hw, hh, 0};
      *normal = {0, 0, 1};
      return true;
    case 3:
      corner[0] = {-hw, hh, 0}, corner[1] = {hw, hh, 0}, corner[2] = {hw, -hh, 0}, corner[3] = {-hw, -hh, 0};
      *normal = {0, 0, -1};
      return true;
    case 4:
      corner[0] = {0, -hh, -hd}, corner[1] = {0, -hh, hd}, corner[2] = {0, hh, hd}, corner[3] = {0, hh, -hd};
      *normal = {-1, 0, 0};
      return true;
    case 5:
      corner[0] = {0, hh, -hd}, corner[1] = {0, hh, hd}, corner[2] = {0, -hh, hd}, corner[3] = {0, -hh, -hd};
      *normal = {1, 0, 0};
      return true;
    default:
      return false;
  }
}

// GL refuses a width of zero or less (and NaN would reach the rasteriser);
// such a width draws the ordinary one-pixel line.
float UsableLineWidth(float r) {
  if (!(r > 0.0f)) return 1.0f;
  return r < 1000.0f ? r : 1000.0f;
}

}  // namespace

void EmitPlaneFace(int dir, double cx, double cy, double cz, double hw, double hh, double hd) {
  Vec3 c[4], n;
  if (!PlaneCorners(dir, hw, hh, hd, c, &n)) return;
  emit::Begin(Prim::Quads);
  EmitNormal(n);
  for (const Vec3& p : c) EmitVertex(cx + p.x, cy + p.y, cz + p.z);
  emit::End();
}

void EmitPlaneLoop(int dir, double cx, double cy, double cz, double hw, double hh, double hd) {
  Vec3 c[4], n;
  if (!PlaneCorners(dir, hw, hh, hd, c, &n)) return;
  emit::Begin(Prim::LineLoop);
  for (const Vec3& p : c) EmitVertex(cx + p.x, cy + p.y, cz + p.z);
  emit::End();
}

void DrawDot(SceneObject obj) {
  // A dot has no frame of its own: no turn, no outline, always its fill
  // colour.
  ApplyObjectColor(false, obj);
  emit::Begin(Prim::Points);
  emit::Vertex(obj.X, obj.Z, obj.Y);
  emit::End();
}

void DrawLine(SceneObject obj) {
  const float previousWidth = emit::LineWidth();
  {
    ShapeFrame frame(obj, RotationOrder::A);
    ApplyObjectColor(false, obj);
    emit::SetLineWidth(UsableLineWidth(obj.R));
    emit::Begin(Prim::Lines);
    EmitVertex(0.0, 0.0, 0.0);
    EmitVertex(obj.W, obj.H, obj.D);
    emit::End();
  }
  emit::SetLineWidth(previousWidth);
}

void DrawPlane(SceneObject obj) {
  if (obj.Dir < 0 || obj.Dir > 5) return;
  const double hw = obj.W / 2.0, hh = obj.H / 2.0, hd = obj.D / 2.0;
  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    EmitPlaneFace(obj.Dir, 0, 0, 0, hw, hh, hd);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    EmitPlaneLoop(obj.Dir, 0, 0, 0, hw, hh, hd);
  }
}
