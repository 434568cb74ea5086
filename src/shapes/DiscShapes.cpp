// Flat round kinds: Circle, Ring, RingRect and RoundRect.

#include <cmath>

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

void RingVertex(double a, double r, double y) {
  const PlanePoint p = PolarPoint(a, r);
  EmitVertex(p.x, y, p.z);
}

// Where the ray at angle a meets the square of half side r.
PlanePoint SquareBorder(double a, double r) {
  const PlanePoint d = PolarPoint(a, 1.0);
  const double m = std::fmax(std::fabs(d.x), std::fabs(d.z));
  if (!(m > 0.0)) return PlanePoint{r, 0.0};
  return PlanePoint{d.x * r / m, d.z * r / m};
}

}  // namespace

void DrawCircle(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double r = obj.R;
  double start = obj.size[0], end = obj.size[1];
  SnapAngleRange(start, end, 0.0, 360.0, step);
  // Corner mode fills what is left of the square when the disc is cut out
  // of it, whole quarters only.
  const bool corners = obj.Opt[0] == 1;
  if (corners) end -= std::fmod(end, 90.0);
  LimitSpan(start, end, 360.0);
  AngleList angles;
  BuildAngles(start, end, step, 0.0, angles);

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    if (!corners) {
      emit::Begin(Prim::TriangleFan);
      EmitNormal(0, 1, 0);
      EmitVertex(0, 0, 0);
      for (int i = 0; i < angles.n; ++i) RingVertex(angles.v[i], r, 0.0);
      emit::End();
    } else {
      // One strip per quarter of the square, between the square's border
      // and the disc's edge along the same rays: the disc's edge is where
      // the disc drawn at this resolution has it (on a chord between two
      // ring points), so strips and disc fit without gap or overlap
      // whatever the resolution. The corner's ray is among the stops.
      const double rad = 3.14159265358979323846 / 180.0;
      auto discEdge = [&](double a) {
        const double k = (a - start) / step;
        if (std::fabs(k - std::nearbyint(k)) < 1e-6) return PolarPoint(a, r);
        const double mid = start + (std::floor(k) + 0.5) * step;
        return PolarPoint(a, r * std::cos(step / 2 * rad) / std::cos((a - mid) * rad));
      };
      auto stop = [&](double a) {
        const PlanePoint outer = SquareBorder(a, r), inner = discEdge(a);
        EmitVertex(outer.x, 0, outer.z);
        EmitVertex(inner.x, 0, inner.z);
      };
      const double firstQuarter = std::floor(start / 90.0);
      const double quarters = std::ceil(end / 90.0) - firstQuarter;
      const int count = quarters > 0.0 ? static_cast<int>(std::fmin(quarters, 5.0)) : 0;
      for (int q = 0; q < count; ++q) {
        const double from = 90.0 * (firstQuarter + q);
        const double lo = std::fmax(start, from), hi = std::fmin(end, from + 90.0);
        if (!(hi - lo > 1e-9)) continue;
        const double corner = from + 45.0;
        bool cornerDone = !(corner > lo + 1e-7 && corner < hi - 1e-7);
        emit::Begin(Prim::QuadStrip);
        EmitNormal(0, 1, 0);
        stop(lo);
        for (int i = 0; i < angles.n; ++i) {
          const double a = angles.v[i];
          if (!(a > lo + 1e-7 && a < hi - 1e-7)) continue;
          if (!cornerDone && corner < a - 1e-7) {
            stop(corner);
            cornerDone = true;
          }
          if (!cornerDone && SameAngle(corner, a)) cornerDone = true;
          stop(a);
        }
        if (!cornerDone) stop(corner);
        stop(hi);
        emit::End();
      }
    }
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    emit::Begin(Prim::LineStrip);
    for (int i = 0; i < angles.n; ++i) RingVertex(angles.v[i], r, 0.0);
    emit::End();
    if (corners && angles.n > 0) {
      // The square's border over the same range: from the start, through
      // every corner passed, to the end.
      const double last = angles.v[angles.n - 1];
      emit::Begin(Prim::LineStrip);
      const PlanePoint s = SquareBorder(start, r);
      EmitVertex(s.x, 0, s.z);
      const double first = std::ceil((start - 45.0) / 90.0 + 1e-9);
      const double final = std::floor((last - 45.0) / 90.0 - 1e-9);
      const double count = final - first + 1.0;
      const int n = count > 0.0 ? static_cast<int>(std::fmin(count, 5.0)) : 0;
      for (int j = 0; j < n; ++j) {
        const PlanePoint c = QuadrantCorner(45.0 + 90.0 * (first + j), r);
        EmitVertex(c.x, 0, c.z);
      }
      const PlanePoint e = SquareBorder(last, r);
      EmitVertex(e.x, 0, e.z);
      emit::End();
    }
  }
}

void DrawRing(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double r1 = obj.W / 2.0, r2 = obj.R, hh = obj.H / 2.0;
  double start = obj.size[0], end = obj.size[1];
  SnapAngleRange(start, end, 0.0, 360.0, step);
  LimitSpan(start, end, 360.0);
  AngleList angles;
  BuildAngles(start, end, step, 0.0, angles);
  const bool partial = std::fabs(end - start - 360.0) > 0.00001;
  // Each wall faces away from the material: out for the larger radius,
  // in towards the axis for the smaller.
  const double facing1 = r1 >= r2 ? 1.0 : -1.0;
  const double facing2 = -facing1;

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int face = 0; face < 2; ++face) {
      const double y = face == 0 ? hh : -hh;
      emit::Begin(Prim::QuadStrip);
      EmitNormal(0, face == 0 ? 1 : -1, 0);
      for (int i = 0; i < angles.n; ++i) {
        RingVertex(angles.v[i], r1, y);
        RingVertex(angles.v[i], r2, y);
      }
      emit::End();
    }
    for (int wall = 0; wall < 2; ++wall) {
      const double r = wall == 0 ? r1 : r2;
      const double facing = wall == 0 ? facing1 : facing2;
      emit::Begin(Prim::QuadStrip);
      for (int i = 0; i < angles.n; ++i) {
        const PlanePoint d = PolarPoint(angles.v[i], 1.0);
        EmitNormal(d.x * facing, 0, d.z * facing);
        EmitVertex(d.x * r, hh, d.z * r);
        EmitVertex(d.x * r, -hh, d.z * r);
      }
      emit::End();
    }
    if (partial && angles.n > 0) {
      emit::Begin(Prim::Quads);
      for (int side = 0; side < 2; ++side) {
        const double a = side == 0 ? start : angles.v[angles.n - 1];
        const PlanePoint d = PolarPoint(a, 1.0);
        // The start face looks back against the direction of the angle,
        // the end face along it.
        const double sign = side == 0 ? 1.0 : -1.0;
        EmitNormal(d.z * sign, 0, -d.x * sign);
        EmitVertex(d.x * r2, hh, d.z * r2);
        EmitVertex(d.x * r1, hh, d.z * r1);
        EmitVertex(d.x * r1, -hh, d.z * r1);
        EmitVertex(d.x * r2, -hh, d.z * r2);
      }
      emit::End();
    }
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    // The rings of the larger radius (normally W / 2) are drawn a little
    // outside, those of the smaller a little inside, so that the faces do
    // not hide them.
    const double lift = kFineOutlineLift;
    const double o1 = r1 + lift * facing1, o2 = r2 + lift * facing2;
    for (double y : {hh, -hh})
      for (double r : {o1, o2}) {
        emit::Begin(Prim::LineStrip);
        for (int i = 0; i < angles.n; ++i) RingVertex(angles.v[i], r, y);
        emit::End();
      }
    if (partial && angles.n > 0) {
      for (double a : {start, angles.v[angles.n - 1]}) {
        const PlanePoint d = PolarPoint(a, 1.0);
        emit::Begin(Prim::LineLoop);
        EmitVertex(d.x * r2, hh, d.z * r2);
        EmitVertex(d.x * r1, hh, d.z * r1);
        EmitVertex(d.x * r1, -hh, d.z * r1);
        EmitVertex(d.x * r2, -hh, d.z * r2);
        emit::End();
      }
    }
  }
}

void DrawRingRect(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const double ro = obj.W / 2.0, c = obj.D / 2.0, hh = obj.H / 2.0;
  // The opening follows the angle grid: where a step passes a corner of
  // the diamond without landing on it, the opening's edge cuts the corner.
  AngleList angles;
  BuildAngles(0.0, 360.0, step, 0.0, angles);

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int face = 0; face < 2; ++face) {
      const double y = face == 0 ? hh : -hh;
      emit::Begin(Prim::QuadStrip);
      EmitNormal(0, face == 0 ? 1 : -1, 0);
      for (int i = 0; i < angles.n; ++i) {
        RingVertex(angles.v[i], ro, y);
        const PlanePoint p = DiamondPoint(angles.v[i], c);
        EmitVertex(p.x, y, p.z);
      }
      emit::End();
    }
    if (obj.Opt[0] == 1) {
      // Closed opening: a lid set in under each face.
      for (double sign : {1.0, -1.0}) {
        const double y = 0.8 * hh * sign;
        emit::Begin(Prim::Quads);
        EmitNormal(0, sign, 0);
        EmitVertex(c, y, 0);
        EmitVertex(0, y, c);
        EmitVertex(-c, y, 0);
        EmitVertex(0, y, -c);
        emit::End();
      }
    }
    emit::Begin(Prim::QuadStrip);
    for (int i = 0; i < angles.n; ++i) {
      const PlanePoint d = PolarPoint(angles.v[i], 1.0);
      EmitNormal(d.x, 0, d.z);
      EmitVertex(d.x * ro, hh, d.z * ro);
      EmitVertex(d.x * ro, -hh, d.z * ro);
    }
    emit::End();
    // The opening's walls, one flat piece per step, each facing the axis
    // (a piece that cuts a corner faces along the cut).
    emit::Begin(Prim::Quads);
    for (int i = 0; i + 1 < angles.n; ++i) {
      const PlanePoint p = DiamondPoint(angles.v[i], c);
      const PlanePoint q = DiamondPoint(angles.v[i + 1], c);
      double nx = q.z - p.z, nz = p.x - q.x;
      if (nx * (p.x + q.x) + nz * (p.z + q.z) > 0.0) nx = -nx, nz = -nz;
      const double len = std::hypot(nx, nz);
      if (len > 0.0) EmitNormal(nx / len, 0, nz / len);
      EmitVertex(p.x, hh, p.z);
      EmitVertex(p.x, -hh, p.z);
      EmitVertex(q.x, -hh, q.z);
      EmitVertex(q.x, hh, q.z);
    }
    emit::End();
  }
  if (obj.Frame) {
    // Circles round the plate and round the opening's corners, and lines
    // across the thickness at every step.
    ApplyObjectColor(true, obj);
    const double outer = ro + kRoundOutlineLift, inner = c - kRoundOutlineLift;
    for (double y : {hh, -hh})
      for (double r : {outer, inner}) {
        emit::Begin(Prim::LineStrip);
        for (int i = 0; i < angles.n; ++i) RingVertex(angles.v[i], r, y);
        emit::End();
      }
    emit::Begin(Prim::Lines);
    for (double r : {outer, c * 0.98})
      for (int i = 0; i < angles.n; ++i) {
        RingVertex(angles.v[i], r, hh);
        RingVertex(angles.v[i], r, -hh);
      }
    emit::End();
  }
}

namespace {

struct ContourPoint {
  double x, z;    // position
  double nx, nz;  // outward direction of the contour there
};

// The contour of a rectangle with rounded corners, half sizes hw and hd,
// corner radius r: from the middle of the right side (x = hw, z = 0) round
// through the four corners back to it. Each corner's arc runs from one
// multiple of 90 degrees to the next, both ends included, so the straight
// sides join the arcs exactly.
int RoundRectContour(double hw, double hd, double r, const AngleList& angles, ContourPoint* out,
                     int capacity) {
  int n = 0;
  auto add = [&](double x, double z, double nx, double nz) {
    if (n < capacity) out[n++] = ContourPoint{x, z, nx, nz};
  };
  add(hw, 0.0, 1.0, 0.0);
  for (int q = 0; q < 4; ++q) {
    const double sx = (q == 0 || q == 3) ? hw - r : -(hw - r);
    const double sz = q < 2 ? hd - r : -(hd - r);
    const double lo = 90.0 * q, hi = 90.0 * (q + 1);
    for (int i = 0; i < angles.n; ++i) {
      const double a = angles.v[i];
      if (a < lo - 1e-7 || a > hi + 1e-7) continue;
      const PlanePoint d = PolarPoint(a, 1.0);
      add(sx + r * d.x, sz + r * d.z, d.x, d.z);
    }
  }
  add(hw, 0.0, 1.0, 0.0);
  return n;
}

}  // namespace

void DrawRoundRect(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  const double step = 360.0 / reso;
  const bool opening = obj.Opt[0] == 1;
  const bool ownDepths = obj.Opt[1] == 1;
  const double hh = obj.H / 2.0;
  const double hw = obj.W / 2.0, hd = (ownDepths ? obj.size[0] : obj.W) / 2.0;
  const double iw = obj.D / 2.0, id = (ownDepths ? obj.size[1] : obj.D) / 2.0;
  AngleList angles;
  BuildAngles(0.0, 360.0, step, 90.0, angles);
  constexpr int kCap = AngleList::kCapacity + 8;
  ContourPoint outer[kCap], inner[kCap];
  const int n = RoundRectContour(hw, hd, obj.R, angles, outer, kCap);
  const int m = opening ? RoundRectContour(iw, id, obj.R2, angles, inner, kCap) : 0;

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int face = 0; face < 2; ++face) {
      const double y = face == 0 ? hh : -hh;
      emit::Begin(opening ? Prim::QuadStrip : Prim::Polygon);
      EmitNormal(0, face == 0 ? 1 : -1, 0);
      for (int i = 0; i < n; ++i) {
        EmitVertex(outer[i].x, y, outer[i].z);
        if (opening && i < m) EmitVertex(inner[i].x, y, inner[i].z);
      }
      emit::End();
    }
    for (int wall = 0; wall < (opening ? 2 : 1); ++wall) {
      const ContourPoint* c = wall == 0 ? outer : inner;
      const int count = wall == 0 ? n : m;
      // The opening's wall faces its axis.
      const double facing = wall == 0 ? 1.0 : -1.0;
      emit::Begin(Prim::QuadStrip);
      for (int i = 0; i < count; ++i) {
        EmitNormal(c[i].nx * facing, 0, c[i].nz * facing);
        EmitVertex(c[i].x, hh, c[i].z);
        EmitVertex(c[i].x, -hh, c[i].z);
      }
      emit::End();
    }
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    for (int contour = 0; contour < (opening ? 2 : 1); ++contour) {
      const ContourPoint* c = contour == 0 ? outer : inner;
      const int count = contour == 0 ? n : m;
      // Off the wall: outwards round the plate, towards the middle in the
      // opening.
      const double lift = contour == 0 ? kRoundOutlineLift : -kRoundOutlineLift;
      auto at = [&](int i, double y) { EmitVertex(c[i].x + lift * c[i].nx, y, c[i].z + lift * c[i].nz); };
      for (double y : {hh, -hh}) {
        emit::Begin(Prim::LineStrip);
        for (int i = 0; i < count; ++i) at(i, y);
        emit::End();
      }
      emit::Begin(Prim::Lines);
      for (int i = 0; i < count; ++i) {
        // Points that repeat the previous one (sharp corners, the joins of
        // arc and side) would only draw the same edge again.
        if (i > 0 && c[i].x == c[i - 1].x && c[i].z == c[i - 1].z) continue;
        at(i, hh);
        at(i, -hh);
      }
      emit::End();
    }
  }
}
