#include "shapes/ShapeCommon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// How far (in steps) a value may sit from the grid and still count as on
// it: 360 / 14 times 14 is not exactly 360 in floating point.
constexpr double kGridTolerance = 1e-6;

bool OnGrid(double value, double step) {
  const double q = value / step;
  return std::fabs(q - std::nearbyint(q)) <= kGridTolerance;
}

}  // namespace

CosSin CosSinDegrees(double angle) {
  // Direct-mapped on the angle's bits: a hit returns what the functions
  // returned for the very same argument, so the table changes no bit.
  struct Entry {
    uint64_t key;
    bool filled;
    CosSin v;
  };
  constexpr int kBits = 12;
  static thread_local Entry table[1 << kBits] = {};
  uint64_t key;
  std::memcpy(&key, &angle, sizeof key);
  Entry& e = table[(key * 0x9E3779B97F4A7C15ull) >> (64 - kBits)];
  if (e.filled && e.key == key) return e.v;
  const double r = angle * kDegToRad;
  e = Entry{key, true, CosSin{std::cos(r), std::sin(r)}};
  return e.v;
}

PlanePoint PolarPoint(double angle, double radius) {
  const CosSin t = CosSinDegrees(angle);
  return PlanePoint{radius * t.c, radius * t.s};
}

PlanePoint QuadrantCorner(double angle, double r) {
  double a = std::fmod(angle, 360.0);
  if (a < 0.0) a += 360.0;
  return PlanePoint{(a > 90.0 && a < 270.0) ? -r : r, a > 180.0 ? -r : r};
}

void SnapAngleRange(double& start, double& end, double defaultStart, double defaultEnd, double step) {
  if (!std::isfinite(start) || !std::isfinite(end) || start == end) {
    start = defaultStart;
    end = defaultEnd;
  } else if (start > end) {
    std::swap(start, end);
  }
  if (!(step > 0.0) || !std::isfinite(step)) return;
  auto snap = [step](double v) {
    if (OnGrid(v, step)) return v;
    return step * std::trunc(std::ceil(v) / std::ceil(step));
  };
  start = snap(start);
  end = snap(end);
  if (start == end || end - start < step * (1.0 - kGridTolerance)) end = start + step;
}

PlanePoint DiamondPoint(double a, double c) {
  const double corner = std::floor(a / 90.0);
  const double q = a / 90.0 - corner;
  const PlanePoint from = PolarPoint(90.0 * corner, c);
  const PlanePoint to = PolarPoint(90.0 * (corner + 1.0), c);
  return PlanePoint{from.x + (to.x - from.x) * q, from.z + (to.z - from.z) * q};
}

bool ComputeTriangleNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2, Vec3* out) {
  const double ux = p2.x - p0.x, uy = p2.y - p0.y, uz = p2.z - p0.z;
  const double vx = p1.x - p0.x, vy = p1.y - p0.y, vz = p1.z - p0.z;
  const double nx = uy * vz - uz * vy;
  const double ny = uz * vx - ux * vz;
  const double nz = ux * vy - uy * vx;
  const double sq = nx * nx + ny * ny + nz * nz;
  if (!(sq > 0.0) || !std::isfinite(sq)) return false;
  const float len = static_cast<float>(std::sqrt(sq));
  if (!(len > 0.0f)) return false;
  *out = Vec3{nx / len, ny / len, nz / len};
  return true;
}

bool TriangleNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) {
  Vec3 n;
  if (!ComputeTriangleNormal(p0, p1, p2, &n)) return false;
  EmitNormal(n);
  return true;
}

int UsableReso(int reso) {
  if (reso <= 0) return 0;
  return std::min(reso, kMaxReso);
}

int WholeSteps(double span, double step, int maxSteps) {
  if (!(span >= 0.0) || !(step > 0.0) || maxSteps <= 0) return 0;
  const double q = std::floor(span / step + kGridTolerance);
  if (!(q >= 0.0)) return 0;
  if (q >= static_cast<double>(maxSteps)) return maxSteps;
  return static_cast<int>(q);
}

void BuildAngles(double start, double end, double step, double snap, AngleList& out) {
  out.n = 0;
  const int steps = WholeSteps(end - start, step, kMaxReso);
  if (!std::isfinite(start) || !(step > 0.0)) return;
  const bool inserting = snap > 0.0 && std::isfinite(snap);
  const double eps = step * kGridTolerance;
  double prev = start;
  for (int i = 0; i <= steps; ++i) {
    const double a = start + step * i;
    if (inserting && i > 0) {
      // Multiples of snap strictly between the previous angle and this one.
      const double first = std::ceil((prev + eps) / snap);
      const double last = std::floor((a - eps) / snap);
      // Counted in integers: at huge angles k + 1 would equal k.
      const double count = last - first + 1.0;
      const int n = count > 0.0 ? static_cast<int>(std::min(count, 64.0)) : 0;
      for (int j = 0; j < n; ++j) out.Add((first + j) * snap);
    }
    out.Add(a);
    prev = a;
  }
}

void LimitSpan(double start, double& end, double maxSpan) {
  if (end - start > maxSpan) end = start + maxSpan;
}

double ClampInto(double v, double lo, double hi) {
  if (lo > hi) return (lo + hi) / 2.0;
  if (!(v >= lo)) return lo;
  if (!(v <= hi)) return hi;
  return v;
}

bool SameAngle(double a, double b) {
  return std::fabs(a - b) <= 1e-7;
}

void ApplyFrameSteps(const FrameSteps& steps) {
  for (int i = 0; i < steps.Count(); ++i) {
    const double* v = steps[i].v;
    switch (steps[i].op) {
      case FrameStep::Op::Translate:
        emit::Translate(v[0], v[1], v[2]);
        break;
      case FrameStep::Op::Rotate:
        emit::Rotate(v[0], v[1], v[2], v[3]);
        break;
      case FrameStep::Op::Scale:
        emit::Scale(v[0], v[0], v[0]);
        break;
    }
  }
}

ShapeFrame::ShapeFrame(const SceneObject& obj, RotationOrder order) {
  emit::Push();
  ApplyFrameSteps(RecordFrame(obj, order));
}

ShapeFrame::~ShapeFrame() {
  emit::Pop();
}

NormalizeScope::NormalizeScope(bool wanted) {
  if (wanted && !emit::Out().normalize()) {
    emit::Out().SetNormalize(true);
    changed_ = true;
  }
}

NormalizeScope::~NormalizeScope() {
  if (changed_) emit::Out().SetNormalize(false);
}
