#pragma once

#include "objects/Vec3.h"

class FrameSteps;

// A placement built the way GL builds the model-view matrix: each
// Translate and Rotate acts in the frame left by the ones before, so a
// drawing's sequence of glTranslate / glRotate can be followed step by step.
// The one matrix type of the scene model, the shapes and the checks.
struct Placement {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // columns: the local axes
  Vec3 t;
  double scale = 1.0;  // uniform, applied before the turns
  void Translate(double x, double y, double z);
  void Scale(double s) { scale *= s; }
  void Rotate(double degrees, double ax, double ay, double az);  // ax..az a unit axis
  Vec3 Point(Vec3 local) const;                                  // a local point in the outer frame
  Vec3 Axis(int k) const { return {m[0][k], m[1][k], m[2][k]}; }
  // Follows the steps of a frame the drawing issues (objects/FrameSteps.h).
  void Apply(const FrameSteps& steps);
};
