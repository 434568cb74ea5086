// Kinds turned about the vertical axis: Cylinder, Cone, ConstCylinder and
// Ball.

#include <cmath>

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// A flat disc at height y: the centre, then the ring points of a full
// turn, depth scaled by k.
void Disc(double r, double y, double ny, int reso, double step, double k) {
  emit::Begin(Prim::TriangleFan);
  EmitNormal(0, ny, 0);
  EmitVertex(0, y, 0);
  for (int i = 0; i <= reso; ++i) {
    const PlanePoint p = PolarPoint(i * step, r);
    EmitVertex(p.x, y, p.z * k);
  }
  emit::End();
}

void RingLoop(double r, double y, int reso, double step, double k) {
  emit::Begin(Prim::LineLoop);
  for (int i = 0; i < reso; ++i) {
    const PlanePoint p = PolarPoint(i * step, r);
    EmitVertex(p.x, y, p.z * k);
  }
  emit::End();
}

}  // namespace

void DrawCylinder(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double rb = obj.R;
  const double rt = (obj.Opt[0] == 1 && obj.R2 != 0.0f) ? obj.R2 : obj.R;
  const double h = obj.H;
  // Elliptic section: depth k times the width.
  const double k = (obj.size[0] == 0.0f || obj.size[1] == 0.0f || obj.size[0] == obj.size[1])
                       ? 1.0
                       : double(obj.size[1]) / obj.size[0];

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    NormalizeScope normalize(k != 1.0);
    emit::Begin(Prim::QuadStrip);
    for (int i = 0; i <= reso; ++i) {
      const double a = i * step;
      const PlanePoint d = PolarPoint(a, 1.0);
      const Vec3 bottom{rb * d.x, 0.0, rb * d.z * k};
      const Vec3 top{rt * d.x, h, rt * d.z * k};
      if (rb == rt) {
        EmitNormal(d.x, 0, d.z / k);
      } else {
        // A frustum leans: take the normal of the strip itself. At a point
        // (radius 0) the next point is taken on the other ring.
        const PlanePoint e = PolarPoint(a + step, 1.0);
        const Vec3 next = rb != 0.0 ? Vec3{rb * e.x, 0.0, rb * e.z * k} : Vec3{rt * e.x, h, rt * e.z * k};
        Vec3 n;
        if (ComputeTriangleNormal(top, bottom, next, &n)) {
          if (n.x * d.x + n.z * d.z < 0.0) n = Vec3{-n.x, -n.y, -n.z};
          EmitNormal(n);
        }
      }
      EmitVertex(bottom);
      EmitVertex(top);
    }
    emit::End();
    Disc(rb, 0.0, -1.0, reso, step, k);
    Disc(rt, h, 1.0, reso, step, k);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double lift = kFineOutlineLift;
    emit::Begin(Prim::Lines);
    for (int i = 0; i <= reso; i += 2) {
      const PlanePoint d = PolarPoint(i * step, 1.0);
      EmitVertex((rb + lift) * d.x, 0, (rb + lift) * d.z * k);
      EmitVertex((rt + lift) * d.x, h, (rt + lift) * d.z * k);
    }
    emit::End();
    RingLoop(rb + lift, 0.0, reso, step, k);
    RingLoop(rt + lift, h, reso, step, k);
  }
}

void DrawCone(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double r = obj.R, h = obj.H;

  ShapeFrame frame(obj, RotationOrder::B);
  if (obj.Fill) {
    ApplyFillColor(obj);
    // The side is shaded with horizontal normals, (cos a, 0, sin a) at the
    // base ring. It is a fan round the apex written as separate triangles,
    // so that the apex takes the normal of the slice it closes instead of
    // whatever normal came before it.
    emit::Begin(Prim::Triangles);
    for (int i = 0; i < reso; ++i) {
      const double a = i * step, b = (i + 1) * step;
      const PlanePoint m = PolarPoint((a + b) / 2.0, 1.0);
      EmitNormal(m.x, 0, m.z);
      EmitVertex(0, h, 0);
      for (const double c : {a, b}) {
        const PlanePoint d = PolarPoint(c, 1.0), p = PolarPoint(c, r);
        EmitNormal(d.x, 0, d.z);
        EmitVertex(p.x, 0, p.z);
      }
    }
    emit::End();
    // The base is flat and faces away from the apex: down, or up when the
    // cone hangs. Normals leaning out and up like the side's would light
    // it as no flat face is lit (a hanging cone's top shaded half black),
    // and, not being unit length, would whiten the outline that follows.
    Disc(r, 0.0, h < 0.0 ? 1.0 : -1.0, reso, step, 1.0);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double outer = r + kRoundOutlineLift;
    emit::Begin(Prim::Lines);
    for (int i = 0; i <= reso; ++i) {
      const PlanePoint p = PolarPoint(i * step, outer);
      EmitVertex(0, h, 0);
      EmitVertex(p.x, 0, p.z);
    }
    emit::End();
    RingLoop(outer, 0.0, reso, step, 1.0);
  }
}

void DrawConstCylinder(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  // The profile comes with the record at run time; a record from a file
  // has none, and then there is nothing to turn.
  const int n = obj.Opt[0];
  if (n < 1 || !obj.Sub || obj.Sub->size() < static_cast<size_t>(n)) return;
  const float* radius = obj.Sub->data();
  const double step = 360.0 / reso;
  const double h = obj.H;
  auto level = [&](int j) { return n == 1 ? (j == 0 ? 0.0 : h) : j * h / (n - 1); };

  ShapeFrame frame(obj, RotationOrder::B);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int j = 0; j + 1 < n; ++j) {
      const double y0 = level(j), y1 = level(j + 1);
      emit::Begin(Prim::QuadStrip);
      for (int i = 0; i <= reso; ++i) {
        const PlanePoint d = PolarPoint(i * step, 1.0);
        EmitNormal(d.x, 0, d.z);
        EmitVertex(radius[j] * d.x, y0, radius[j] * d.z);
        EmitVertex(radius[j + 1] * d.x, y1, radius[j + 1] * d.z);
      }
      emit::End();
    }
    Disc(radius[0], 0.0, -1.0, reso, step, 1.0);
    Disc(radius[n - 1], h, 1.0, reso, step, 1.0);
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double lift = kRoundOutlineLift;
    emit::Begin(Prim::Lines);
    for (int j = 0; j + 1 < n; ++j) {
      const double y0 = level(j), y1 = level(j + 1);
      for (int i = 0; i < reso; ++i) {
        const PlanePoint d = PolarPoint(i * step, 1.0);
        EmitVertex((radius[j] + lift) * d.x, y0, (radius[j] + lift) * d.z);
        EmitVertex((radius[j + 1] + lift) * d.x, y1, (radius[j + 1] + lift) * d.z);
      }
    }
    emit::End();
    if (n == 1) {
      RingLoop(radius[0] + lift, 0.0, reso, step, 1.0);
      RingLoop(radius[0] + lift, h, reso, step, 1.0);
    } else {
      for (int j = 0; j < n; ++j) RingLoop(radius[j] + lift, level(j), reso, step, 1.0);
    }
  }
}

namespace {

// Points of the ball at latitude t (0 at the top pole) and longitude a,
// depth scaled by k.
struct BallGeometry {
  double r, k;
  void Vertex(double t, double a, double radius) const {
    const CosSin lat = CosSinDegrees(t);
    const double st = lat.s, ct = lat.c;
    const PlanePoint d = PolarPoint(a, 1.0);
    EmitVertex(radius * st * d.x, radius * ct, radius * st * d.z * k);
  }
  // The point of the outline: the ring at latitude t widened by lift, at
  // the ring's own height.
  void OutlineVertex(double t, double a, double lift) const {
    const CosSin lat = CosSinDegrees(t);
    const double ring = r * lat.s + lift;
    const PlanePoint d = PolarPoint(a, 1.0);
    EmitVertex(ring * d.x, r * lat.c, ring * d.z * k);
  }
  void NormalAndVertex(double t, double a) const {
    const CosSin lat = CosSinDegrees(t);
    const double st = lat.s, ct = lat.c;
    const PlanePoint d = PolarPoint(a, 1.0);
    // The surface normal of the stretched ball: depth component / k.
    EmitNormal(st * d.x, ct, st * d.z / k);
    EmitVertex(r * st * d.x, r * ct, r * st * d.z * k);
  }
};

}  // namespace

void DrawBall(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  const int half = reso / 2;
  if (half < 1 || obj.R == 0.0f) return;
  const double r = obj.R;
  const double r2 = obj.R2 == 0.0f ? r : obj.R2;
  const double k = r2 == r ? 1.0 : r2 / r;
  const double latStep = 360.0 / half;
  const double lonStep = 360.0 / reso;

  double start = obj.size[0], end = obj.size[1];
  if (!std::isfinite(start) || !std::isfinite(end) || start == end) {
    start = 0.0;
    end = 180.0;
  } else if (start > end) {
    std::swap(start, end);
  }
  const double requestedEnd = end;
  SnapAngleRange(start, end, 0.0, 180.0, latStep);
  if (requestedEnd == 180.0) end = 180.0;
  // Latitudes exist from pole to pole only.
  if (start < 0.0) start = 0.0;
  if (end > 180.0) end = 180.0;
  if (!(end - start > 1e-9)) return;
  int bands = WholeSteps(end - start, latStep, 180);
  if (start + bands * latStep < end - 1e-9 && bands < 180) ++bands;
  auto bandTop = [&](int j) { return start + j * latStep; };
  auto bandBottom = [&](int j) { return std::fmin(start + (j + 1) * latStep, end); };
  const BallGeometry ball{r, k};

  ShapeFrame frame(obj, RotationOrder::B);
  NormalizeScope normalize(k != 1.0);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int j = 0; j < bands; ++j) {
      const double ta = bandTop(j), tb = bandBottom(j);
      if (ta <= 1e-9) {
        emit::Begin(Prim::TriangleFan);
        EmitNormal(0, 1, 0);
        EmitVertex(0, r, 0);
        for (int i = 0; i <= reso; ++i) ball.NormalAndVertex(tb, i * lonStep);
        emit::End();
      } else if (tb >= 180.0 - 1e-9) {
        emit::Begin(Prim::TriangleFan);
        EmitNormal(0, -1, 0);
        EmitVertex(0, -r, 0);
        for (int i = 0; i <= reso; ++i) ball.NormalAndVertex(ta, i * lonStep);
        emit::End();
      } else {
        emit::Begin(Prim::QuadStrip);
        for (int i = 0; i <= reso; ++i) {
          ball.NormalAndVertex(ta, i * lonStep);
          ball.NormalAndVertex(tb, i * lonStep);
        }
        emit::End();
      }
    }
    // A cut band is closed by flat discs.
    if (start > 1e-9) {
      emit::Begin(Prim::TriangleFan);
      EmitNormal(0, 1, 0);
      EmitVertex(0, r * std::cos(start * kDegToRad), 0);
      for (int i = 0; i <= reso; ++i) ball.Vertex(start, i * lonStep, r);
      emit::End();
    }
    if (end < 180.0 - 1e-9) {
      emit::Begin(Prim::TriangleFan);
      EmitNormal(0, -1, 0);
      EmitVertex(0, r * std::cos(end * kDegToRad), 0);
      for (int i = 0; i <= reso; ++i) ball.Vertex(end, i * lonStep, r);
      emit::End();
    }
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    // The grid of bands and longitudes, each edge once, its rings a
    // little wider than the ball's.
    const double lift = kFineOutlineLift;
    emit::Begin(Prim::Lines);
    for (int j = 0; j < bands; ++j) {
      const double ta = bandTop(j), tb = bandBottom(j);
      for (int i = 0; i < reso; ++i) {
        const double a = i * lonStep, b = (i + 1) * lonStep;
        ball.OutlineVertex(ta, a, lift);
        ball.OutlineVertex(tb, a, lift);
        ball.OutlineVertex(tb, a, lift);
        ball.OutlineVertex(tb, b, lift);
        if (j == 0) {
          ball.OutlineVertex(ta, a, lift);
          ball.OutlineVertex(ta, b, lift);
        }
      }
    }
    emit::End();
  }
}
