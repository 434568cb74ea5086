#include "objects/Placement.h"

#include <algorithm>
#include <cmath>

#include "objects/FrameSteps.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

}  // namespace

double Length(Vec3 a) {
  return std::sqrt(Dot(a, a));
}

void Placement::Translate(double x, double y, double z) {
  t = Point({x, y, z});
}

void Placement::Rotate(double degrees, double ax, double ay, double az) {
  const double c = std::cos(degrees * kDegToRad), s = std::sin(degrees * kDegToRad), k = 1.0 - c;
  const double r[3][3] = {{c + ax * ax * k, ax * ay * k - az * s, ax * az * k + ay * s},
                          {ay * ax * k + az * s, c + ay * ay * k, ay * az * k - ax * s},
                          {az * ax * k - ay * s, az * ay * k + ax * s, c + az * az * k}};
  double out[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out[i][j] = m[i][0] * r[0][j] + m[i][1] * r[1][j] + m[i][2] * r[2][j];
  std::copy(&out[0][0], &out[0][0] + 9, &m[0][0]);
}

void Placement::Apply(const FrameSteps& steps) {
  for (int i = 0; i < steps.Count(); ++i) {
    const double* v = steps[i].v;
    switch (steps[i].op) {
      case FrameStep::Op::Translate:
        Translate(v[0], v[1], v[2]);
        break;
      case FrameStep::Op::Rotate:
        Rotate(v[0], v[1], v[2], v[3]);
        break;
      case FrameStep::Op::Scale:
        Scale(v[0]);
        break;
    }
  }
}

Vec3 Placement::Point(Vec3 p) const {
  p = p * scale;
  return {t.x + m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z,
          t.y + m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z,
          t.z + m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z};
}

Placement RecordPlacement(const SceneObject& obj, RotationOrder order) {
  Placement p;
  p.Apply(RecordFrame(obj, order));
  return p;
}
