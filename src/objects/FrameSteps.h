#pragma once

#include "objects/Placement.h"
#include "objects/SceneObject.h"

// A model frame written once, as the steps that build it in the order GL
// applies glTranslate, glRotate and glScale. The drawing issues the steps
// (ApplyFrameSteps, shapes/ShapeCommon.h) and the checks that must agree
// with the picture follow them as arithmetic (Placement::Apply,
// objects/Placement.h), so both read one description. No GL here.
//
// The mesh builder replays the steps on its frame stack, so a mesh's
// vertices and the placement's arithmetic agree to the bit.

enum class RotationOrder {
  A,  // Ang[0] about y, Ang[1] about x, Ang[2] about z
  B,  // Ang[1] about x, Ang[2] about z, Ang[0] about y
};

struct FrameStep {
  enum class Op { Translate, Rotate, Scale };
  Op op = Op::Translate;
  // Translate: x, y, z. Rotate: degrees, then the axis. Scale: the factor
  // in v[0], the same along all three axes.
  double v[4] = {0.0, 0.0, 0.0, 0.0};
};

class FrameSteps {
 public:
  static constexpr int kCapacity = 8;
  // A step beyond the capacity is dropped (no frame here needs so many).
  void Translate(double x, double y, double z);
  void Rotate(double degrees, double ax, double ay, double az);
  void Scale(double s);
  int Count() const { return n_; }
  const FrameStep& operator[](int i) const { return steps_[i]; }

 private:
  FrameStep steps_[kCapacity];
  int n_ = 0;
};

// A record's own frame: its point (X, Z, Y) in GL order, then its three
// angles in the given order. A zero angle is an identity turn and is left
// out, which spares the drawing a matrix product and changes nothing.
FrameSteps RecordFrame(const SceneObject& obj, RotationOrder order);
// The same frame followed as arithmetic.
Placement RecordPlacement(const SceneObject& obj, RotationOrder order);
