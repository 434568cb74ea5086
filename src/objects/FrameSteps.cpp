#include "objects/FrameSteps.h"

namespace {

FrameStep Step(FrameStep::Op op, double a, double b, double c, double d) {
  FrameStep s;
  s.op = op;
  s.v[0] = a;
  s.v[1] = b;
  s.v[2] = c;
  s.v[3] = d;
  return s;
}

}  // namespace

void FrameSteps::Translate(double x, double y, double z) {
  if (n_ < kCapacity) steps_[n_++] = Step(FrameStep::Op::Translate, x, y, z, 0.0);
}

void FrameSteps::Rotate(double degrees, double ax, double ay, double az) {
  if (n_ < kCapacity) steps_[n_++] = Step(FrameStep::Op::Rotate, degrees, ax, ay, az);
}

void FrameSteps::Scale(double s) {
  if (n_ < kCapacity) steps_[n_++] = Step(FrameStep::Op::Scale, s, 0.0, 0.0, 0.0);
}

FrameSteps RecordFrame(const SceneObject& obj, RotationOrder order) {
  FrameSteps f;
  f.Translate(obj.X, obj.Z, obj.Y);
  auto turn = [&f](float angle, double x, double y, double z) {
    if (angle != 0.0f) f.Rotate(angle, x, y, z);
  };
  if (order == RotationOrder::A) {
    turn(obj.Ang[0], 0.0, 1.0, 0.0);
    turn(obj.Ang[1], 1.0, 0.0, 0.0);
    turn(obj.Ang[2], 0.0, 0.0, 1.0);
  } else {
    turn(obj.Ang[1], 1.0, 0.0, 0.0);
    turn(obj.Ang[2], 0.0, 0.0, 1.0);
    turn(obj.Ang[0], 0.0, 1.0, 0.0);
  }
  return f;
}
