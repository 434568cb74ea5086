#include <cmath>

#include "equipment/EquipmentModels.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// Which coordinate a segment runs along: 0 x, 2 depth, 1 height (the
// order in which they are tried).
int SegmentAxis(const double* a, const double* b) {
  if (a[0] != b[0]) return 0;
  if (a[2] != b[2]) return 2;
  return 1;
}

// The offset of ring point (c, s) round a segment axis.
Vec3 RingOffset(int axis, double c, double s) {
  switch (axis) {
    case 0:
      return Vec3{0.0, s, c};
    case 2:
      return Vec3{c, s, 0.0};
    default:
      return Vec3{c, 0.0, s};
  }
}

// A flat cap across the tube at p, facing along the axis by sign.
void Cap(const double* p, int axis, double sign, double r, int reso) {
  const double step = 360.0 / reso;
  Vec3 n{0.0, 0.0, 0.0};
  (axis == 0 ? n.x : axis == 2 ? n.z : n.y) = sign;
  emit::Begin(Prim::TriangleFan);
  EmitNormal(n);
  EmitVertex(p[0], p[1], p[2]);
  for (int k = 0; k <= reso; ++k) {
    const PlanePoint q = PolarPoint(k * step, r);
    const Vec3 o = RingOffset(axis, q.x, q.z);
    EmitVertex(p[0] + o.x, p[1] + o.y, p[2] + o.z);
  }
  emit::End();
}

double Direction(double from, double to) {
  return to >= from ? 1.0 : -1.0;
}

}  // namespace

void DrawPipePath(SceneObject obj, const double (*points)[3], int count) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0 || count < 2 || points == nullptr) return;
  const double r = obj.R;
  const double step = 360.0 / reso;

  emit::Push();
  ApplyFrameSteps(RecordFrame(obj, RotationOrder::A));
  if (obj.Fill) {
    // The joint is a whole ball of the pipe's radius about the bend point,
    // drawn in the frame set up here: no angles, no depth stretch, no cut.
    SceneObject joint = obj;
    joint.R2 = joint.R;
    joint.Ang[0] = joint.Ang[1] = joint.Ang[2] = 0.0f;
    joint.size[0] = joint.size[1] = 0.0f;
    int previousAxis = -1;
    for (int i = 1; i < count; ++i) {
      const double* a = points[i - 1];
      const double* b = points[i];
      const int axis = SegmentAxis(a, b);
      if (i >= 2 && axis != previousAxis) {
        joint.X = static_cast<float>(a[0]);
        joint.Y = static_cast<float>(a[2]);
        joint.Z = static_cast<float>(a[1]);
        DrawBall(joint);
      }
      ApplyFillColor(obj);
      emit::Begin(Prim::QuadStrip);
      for (int k = 0; k <= reso; ++k) {
        const PlanePoint u = PolarPoint(k * step, 1.0);
        const Vec3 n = RingOffset(axis, u.x, u.z);
        EmitNormal(n);
        EmitVertex(a[0] + n.x * r, a[1] + n.y * r, a[2] + n.z * r);
        EmitVertex(b[0] + n.x * r, b[1] + n.y * r, b[2] + n.z * r);
      }
      emit::End();
      previousAxis = axis;
    }
    // Caps face out of the pipe: back against the first segment, on along
    // the last one.
    const double* p0 = points[0];
    const double* p1 = points[1];
    const double* q0 = points[count - 2];
    const double* q1 = points[count - 1];
    const int firstAxis = SegmentAxis(p0, p1), lastAxis = SegmentAxis(q0, q1);
    Cap(p0, firstAxis, -Direction(p0[firstAxis], p1[firstAxis]), r, reso);
    Cap(q1, lastAxis, Direction(q0[lastAxis], q1[lastAxis]), r, reso);
  }
  // A pipe has no outline of its own; its joints draw theirs.
  emit::Pop();
}
