#include "collision/CollisionGeometry.h"

#include <algorithm>
#include <cmath>

#include "objects/FrameSteps.h"

namespace {

constexpr double kGolden = 0.6180339887498949;
// The search stops when its bracket is this narrow.
constexpr double kSearchResolution = 1e-7;
constexpr int kMaxSteps = 80;

// Minimum of a convex function over [lo, hi] by golden-section search.
template <typename F>
double ConvexMinimum(double lo, double hi, F f) {
  if (!(hi > lo)) return f(lo);
  double a = lo, b = hi;
  double x1 = b - kGolden * (b - a), x2 = a + kGolden * (b - a);
  double f1 = f(x1), f2 = f(x2);
  for (int i = 0; i < kMaxSteps && b - a > kSearchResolution; ++i) {
    // Nothing is nearer than touching: stop at once.
    if (f1 <= 0.0 || f2 <= 0.0) break;
    if (f1 < f2) {
      b = x2;
      x2 = x1;
      f2 = f1;
      x1 = b - kGolden * (b - a);
      f1 = f(x1);
    } else {
      a = x1;
      x1 = x2;
      f1 = f2;
      x2 = a + kGolden * (b - a);
      f2 = f(x2);
    }
  }
  return std::min({f1, f2, f(lo), f(hi)});
}

}  // namespace

Solid MakeBox(Vec3 centre, const Vec3 axes[3], double hx, double hy, double hz) {
  Solid s;
  s.kind = Solid::Kind::Box;
  s.centre = centre;
  for (int k = 0; k < 3; ++k) s.axes[k] = axes[k];
  s.half[0] = std::fabs(hx);
  s.half[1] = std::fabs(hy);
  s.half[2] = std::fabs(hz);
  s.boundCentre = centre;
  s.boundRadius = std::sqrt(hx * hx + hy * hy + hz * hz);
  return s;
}

Solid MakeCylinder(Vec3 base, Vec3 axis, double radius, double height) {
  Solid s;
  s.kind = Solid::Kind::Cylinder;
  // A negative height hangs the cylinder below its base point.
  if (height < 0.0) {
    base = base + axis * height;
    height = -height;
  }
  s.centre = base;
  s.axes[1] = axis;
  s.half[0] = std::fabs(radius);
  s.half[1] = height;
  s.boundCentre = base + axis * (height / 2.0);
  s.boundRadius = std::sqrt(radius * radius + height * height / 4.0);
  return s;
}

Solid MakeSphere(Vec3 centre, double radius) {
  Solid s;
  s.kind = Solid::Kind::Sphere;
  s.centre = centre;
  s.half[0] = std::fabs(radius);
  s.boundCentre = centre;
  s.boundRadius = s.half[0];
  return s;
}

double PointDistance(const Solid& s, Vec3 p) {
  const Vec3 d = p - s.centre;
  switch (s.kind) {
    case Solid::Kind::Box: {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) {
        const double out = std::fabs(Dot(d, s.axes[k])) - s.half[k];
        if (out > 0.0) sum += out * out;
      }
      return std::sqrt(sum);
    }
    case Solid::Kind::Cylinder: {
      const double along = Dot(d, s.axes[1]);
      const double radial = Length(d - s.axes[1] * along);
      const double outR = std::max(radial - s.half[0], 0.0);
      const double outA = std::max({-along, along - s.half[1], 0.0});
      return std::sqrt(outR * outR + outA * outA);
    }
    case Solid::Kind::Sphere:
      return std::max(Length(d) - s.half[0], 0.0);
  }
  return 0.0;
}

Sweep MakeCapsule(Vec3 a, Vec3 b, double radius) {
  Sweep s;
  s.core = Sweep::Core::Segment;
  s.centre = (a + b) * 0.5;
  const Vec3 d = b - a;
  const double len = Length(d);
  s.u = len > 0.0 ? d * (1.0 / len) : Vec3{0, 1, 0};
  s.eu = len / 2.0;
  s.radius = radius;
  return s;
}

void SweepBound(const Sweep& s, Vec3* centre, double* radius) {
  *centre = s.centre;
  const double flat = s.core == Sweep::Core::Rectangle ? std::sqrt(s.eu * s.eu + s.ev * s.ev) : s.eu;
  *radius = flat + s.radius;
}

double SweepDistance(const Sweep& s, const Solid& solid) {
  auto at = [&](double a, double b) { return PointDistance(solid, s.centre + s.u * a + s.v * b); };
  double nearest = 0.0;
  if (s.core == Sweep::Core::Segment) {
    nearest = ConvexMinimum(-s.eu, s.eu, [&](double a) { return at(a, 0.0); });
  } else {
    // The nearest point of each line across the core, then the nearest of
    // those lines: minimising a convex function over one variable leaves a
    // convex function of the other.
    const bool disc = s.core == Sweep::Core::Disc;
    nearest = ConvexMinimum(-s.eu, s.eu, [&](double a) {
      const double w = disc ? std::sqrt(std::max(s.eu * s.eu - a * a, 0.0)) : s.ev;
      return ConvexMinimum(-w, w, [&](double b) { return at(a, b); });
    });
  }
  return std::max(nearest - s.radius, 0.0);
}

bool SweepTouches(const Sweep& s, Vec3 sweepCentre, double sweepRadius, const Solid& solid) {
  const double reach = sweepRadius + solid.boundRadius + kContactTolerance;
  const Vec3 d = sweepCentre - solid.boundCentre;
  // Written so that a bound that is not a number sets the pair aside.
  if (!(Dot(d, d) <= reach * reach)) return false;
  return SweepDistance(s, solid) <= kContactTolerance;
}
