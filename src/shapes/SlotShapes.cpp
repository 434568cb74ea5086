// Kinds made of two round ends joined by straight runs: Oval, Capsule and
// Belt.

#include <cmath>

#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// Angle reduced to [0, 360).
double Reduced(double a) {
  double r = std::fmod(a, 360.0);
  if (r < 0.0) r += 360.0;
  return r;
}

// The first end owns the angles below 90 and above 270 (centred at +x),
// the second end 90 to 270.
bool FirstEnd(double a) {
  const double r = Reduced(a);
  return r < 90.0 || r > 270.0;
}

// One stop of a contour that runs round two ends: the angle, and which
// end's circle the point lies on.
struct SlotStop {
  double a;
  bool first;
};

// The stops of the range: every angle of the list on the end it belongs
// to; where the range passes from one end to the other (at 90 and 270) the
// point is taken on both ends, so the straight run between them is exact.
int SlotStops(const AngleList& angles, SlotStop* out, int capacity) {
  int n = 0;
  auto add = [&](double a, bool first) {
    if (n < capacity) out[n++] = SlotStop{a, first};
  };
  for (int i = 0; i < angles.n; ++i) {
    const double a = angles.v[i];
    const double r = Reduced(a);
    const bool atStart = i == 0, atEnd = i + 1 == angles.n;
    if (SameAngle(r, 90.0)) {
      // Coming from the first end, leaving on the second.
      if (!atStart) add(a, true);
      if (!atEnd) add(a, false);
    } else if (SameAngle(r, 270.0)) {
      if (!atStart) add(a, false);
      if (!atEnd) add(a, true);
    } else {
      add(a, FirstEnd(a));
    }
  }
  return n;
}

}  // namespace

void DrawOval(SceneObject obj) {
  int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  // A whole number of steps must make the turn.
  reso -= 360 % reso;
  const double step = 360.0 / reso;
  const double hw = obj.W / 2.0, hh = obj.H / 2.0;
  const double bottom1 = obj.R;
  const double top1 = (obj.Opt[0] == 1 && obj.R2 != 0.0f) ? obj.R2 : obj.R;
  const bool ownSecond = obj.Opt[1] == 1;
  const double bottom2 = ownSecond ? obj.size[2] : bottom1;
  const double top2 = ownSecond ? (obj.size[3] != 0.0f ? double(obj.size[3]) : double(obj.R)) : top1;
  if ((bottom1 == 0.0 && bottom2 == 0.0) || (top1 == 0.0 && top2 == 0.0)) return;

  double start = obj.size[0], end = obj.size[1];
  SnapAngleRange(start, end, 0.0, 360.0, step);
  LimitSpan(start, end, 360.0);
  AngleList angles;
  BuildAngles(start, end, step, 90.0, angles);
  constexpr int kCap = AngleList::kCapacity + 16;
  SlotStop stops[kCap];
  const int n = SlotStops(angles, stops, kCap);

  struct Ring {
    double cx, rb, rt;
  };
  const Ring ends[2] = {{hw, bottom1, top1}, {-hw, bottom2, top2}};
  auto ringOf = [&](const SlotStop& s) -> const Ring& { return ends[s.first ? 0 : 1]; };
  // Points of the contour at the bottom and the top; lift moves them off
  // the wall for the outline.
  auto bottomPoint = [&](const SlotStop& s, double a, double lift = 0.0) {
    const Ring& e = ringOf(s);
    const PlanePoint d = PolarPoint(a, 1.0);
    return Vec3{e.cx + (e.rb + lift) * d.x, -hh, (e.rb + lift) * d.z};
  };
  auto topPoint = [&](const SlotStop& s, double lift = 0.0) {
    const Ring& e = ringOf(s);
    const PlanePoint d = PolarPoint(s.a, 1.0);
    return Vec3{e.cx + (e.rt + lift) * d.x, hh, (e.rt + lift) * d.z};
  };

  ShapeFrame frame(obj, RotationOrder::B);
  if (obj.Fill) {
    ApplyFillColor(obj);
    emit::Begin(Prim::QuadStrip);
    for (int i = 0; i < n; ++i) {
      const SlotStop& s = stops[i];
      const Ring& e = ringOf(s);
      const PlanePoint d = PolarPoint(s.a, 1.0);
      const Vec3 b = bottomPoint(s, s.a), t = topPoint(s);
      if (e.rb == e.rt) {
        EmitNormal(d.x, 0, d.z);
      } else {
        // A leaning end: the normal of the strip, turned outwards.
        Vec3 nrm;
        if (ComputeTriangleNormal(b, t, bottomPoint(s, s.a + step), &nrm)) {
          if (nrm.x * d.x + nrm.z * d.z < 0.0) nrm = Vec3{-nrm.x, -nrm.y, -nrm.z};
          EmitNormal(nrm);
        } else {
          EmitNormal(d.x, 0, d.z);
        }
      }
      EmitVertex(b);
      EmitVertex(t);
    }
    emit::End();
    emit::Begin(Prim::Polygon);
    EmitNormal(0, 1, 0);
    for (int i = n - 1; i >= 0; --i) EmitVertex(topPoint(stops[i]));
    emit::End();
    emit::Begin(Prim::Polygon);
    EmitNormal(0, -1, 0);
    for (int i = 0; i < n; ++i) EmitVertex(bottomPoint(stops[i], stops[i].a));
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double lift = kRoundOutlineLift;
    emit::Begin(Prim::LineLoop);
    for (int i = 0; i < n; ++i) EmitVertex(topPoint(stops[i], lift));
    emit::End();
    emit::Begin(Prim::LineLoop);
    for (int i = 0; i < n; ++i) EmitVertex(bottomPoint(stops[i], stops[i].a, lift));
    emit::End();
    emit::Begin(Prim::Lines);
    for (int i = 0; i < n; ++i) {
      EmitVertex(bottomPoint(stops[i], stops[i].a, lift));
      EmitVertex(topPoint(stops[i], lift));
    }
    emit::End();
  }
}

namespace {

// The longitudes 0 to 180 of one half of the capsule's sphere (offset 0)
// or 180 to 360 (offset 180), with 180 and 360 always among them.
void HalfLongitudes(double offset, double step, AngleList& out) {
  BuildAngles(offset, offset + 180.0, step, 0.0, out);
  if (out.n == 0 || !SameAngle(out.v[out.n - 1], offset + 180.0)) out.Add(offset + 180.0);
}

struct CapsuleGeometry {
  double r;
  // Point at latitude t (0 at the top) and longitude f of the sphere,
  // moved along x by shift; longitudes 0 to 180 lie on the +x side.
  Vec3 Point(double t, double f, double radius, double shift) const {
    const CosSin lat = CosSinDegrees(t), lon = CosSinDegrees(f);
    const double st = lat.s, ct = lat.c, sf = lon.s, cf = lon.c;
    return Vec3{radius * st * sf + shift, radius * ct, radius * st * cf};
  }
  void NormalAndVertex(double t, double f, double shift) const {
    const Vec3 p = Point(t, f, 1.0, 0.0);
    EmitNormal(p);
    EmitVertex(p.x * r + shift, p.y * r, p.z * r);
  }
};

}  // namespace

void DrawCapsule(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  const int half = reso / 2;
  if (half < 1) return;
  const double r = obj.R, hw = obj.W / 2.0;
  const double latStep = 180.0 / half;
  const double lonStep = 360.0 / reso;
  auto latitude = [&](int j) { return j >= half ? 180.0 : j * latStep; };
  AngleList lon[2];
  HalfLongitudes(0.0, lonStep, lon[0]);
  HalfLongitudes(180.0, lonStep, lon[1]);
  const double shift[2] = {hw, -hw};
  const CapsuleGeometry sphere{r};

  ShapeFrame frame(obj, RotationOrder::A);
  if (obj.Fill) {
    ApplyFillColor(obj);
    for (int j = 0; j < half; ++j) {
      const double ta = latitude(j), tb = latitude(j + 1);
      for (int h = 0; h < 2; ++h) {
        emit::Begin(Prim::QuadStrip);
        for (int i = 0; i < lon[h].n; ++i) {
          sphere.NormalAndVertex(ta, lon[h].v[i], shift[h]);
          sphere.NormalAndVertex(tb, lon[h].v[i], shift[h]);
        }
        emit::End();
      }
    }
    // The middle: a tube round the x axis joining the two halves.
    emit::Begin(Prim::QuadStrip);
    for (int i = 0; i <= reso; ++i) {
      const PlanePoint d = PolarPoint(i * lonStep - 90.0, 1.0);
      EmitNormal(0, d.x, d.z);
      EmitVertex(-hw, r * d.x, r * d.z);
      EmitVertex(hw, r * d.x, r * d.z);
    }
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double outer = r + kRoundOutlineLift;
    emit::Begin(Prim::Lines);
    for (int h = 0; h < 2; ++h) {
      for (int j = 0; j < half; ++j) {
        const double ta = latitude(j), tb = latitude(j + 1);
        for (int i = 0; i < lon[h].n; ++i) {
          const double f = lon[h].v[i];
          EmitVertex(sphere.Point(ta, f, outer, shift[h]));
          EmitVertex(sphere.Point(tb, f, outer, shift[h]));
          if (i + 1 < lon[h].n) {
            EmitVertex(sphere.Point(tb, f, outer, shift[h]));
            EmitVertex(sphere.Point(tb, lon[h].v[i + 1], outer, shift[h]));
          }
        }
      }
    }
    // The seam of the two halves continued along the middle.
    for (int j = 0; j <= half; ++j) {
      for (double f : {0.0, 180.0}) {
        const Vec3 p = sphere.Point(latitude(j), f, outer, 0.0);
        EmitVertex(-hw, p.y, p.z);
        EmitVertex(hw, p.y, p.z);
      }
    }
    emit::End();
  }
}

void DrawBelt(SceneObject obj) {
  const int reso = UsableReso(obj.Reso);
  if (reso == 0) return;
  // The plane the path runs in. 0 stands it across the width (the y-z
  // plane) and 1 lays it flat (x-z). The editor offers all six directions,
  // so none may make the belt vanish: "Front" and "Back" (2, 3) stand it
  // across the depth (x-y), its track facing them; "Left" and "Right"
  // (4, 5) face its track sideways, as 0 does. Beyond 5 nothing is drawn,
  // as for Plane.
  enum class PathPlane { YZ, XZ, XY };
  PathPlane plane;
  switch (obj.Dir) {
    case 0:
    case 4:
    case 5:
      plane = PathPlane::YZ;
      break;
    case 1:
      plane = PathPlane::XZ;
      break;
    case 2:
    case 3:
      plane = PathPlane::XY;
      break;
    default:
      return;
  }
  const double step = 360.0 / reso;
  const double r = obj.R, hw = obj.W / 2.0;
  const double shift = (obj.D - obj.R) / 2.0;
  // One point of the path per step, on the end its angle belongs to; 90
  // and 270 themselves belong to the second end (a step that lands on
  // them within rounding noise counts as landing on them). Where a step
  // passes from one end to the other the path runs straight across.
  SlotStop stops[kMaxReso + 1];
  const int n = reso + 1;
  for (int i = 0; i < n; ++i) {
    const double a = i * step, reduced = Reduced(a);
    const bool turning = SameAngle(reduced, 90.0) || SameAngle(reduced, 270.0);
    stops[i] = SlotStop{a, !turning && FirstEnd(a)};
  }

  // Point of the path (p, q) at radius rr, and the band's two edges there.
  auto emitPair = [&](const SlotStop& s, double rr, bool withNormal) {
    const PlanePoint d = PolarPoint(s.a, 1.0);
    const double p = rr * d.x + (s.first ? shift : -shift), q = rr * d.z;
    switch (plane) {
      case PathPlane::YZ:
        if (withNormal) EmitNormal(0, d.x, d.z);
        EmitVertex(-hw, p, q);
        EmitVertex(hw, p, q);
        break;
      case PathPlane::XZ:
        if (withNormal) EmitNormal(d.x, 0, d.z);
        EmitVertex(p, -hw, q);
        EmitVertex(p, hw, q);
        break;
      case PathPlane::XY:
        if (withNormal) EmitNormal(d.x, d.z, 0);
        EmitVertex(p, q, -hw);
        EmitVertex(p, q, hw);
        break;
    }
  };
  auto emitEdge = [&](const SlotStop& s, double rr, double side) {
    const PlanePoint d = PolarPoint(s.a, 1.0);
    const double p = rr * d.x + (s.first ? shift : -shift), q = rr * d.z;
    switch (plane) {
      case PathPlane::YZ:
        EmitVertex(side, p, q);
        break;
      case PathPlane::XZ:
        EmitVertex(p, side, q);
        break;
      case PathPlane::XY:
        EmitVertex(p, q, side);
        break;
    }
  };

  ShapeFrame frame(obj, RotationOrder::B);
  if (obj.Fill) {
    ApplyFillColor(obj);
    emit::Begin(Prim::QuadStrip);
    for (int i = 0; i < n; ++i) emitPair(stops[i], r, true);
    emit::End();
  }
  if (obj.Frame) {
    ApplyObjectColor(true, obj);
    const double outer = r + kRoundOutlineLift;
    for (double side : {-hw, hw}) {
      emit::Begin(Prim::LineStrip);
      for (int i = 0; i < n; ++i) emitEdge(stops[i], outer, side);
      emit::End();
    }
    emit::Begin(Prim::Lines);
    for (int i = 0; i < n; ++i) emitPair(stops[i], outer, false);
    emit::End();
  }
}
