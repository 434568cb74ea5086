#include "equipment/EquipmentPieces.h"

#include <memory>
#include <vector>

#include "equipment/EquipmentModels.h"
#include "mesh/Emit.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

int RepeatCount(int32_t n) {
  if (n < 0) return 0;
  return n > kMaxRepeat ? kMaxRepeat : static_cast<int>(n);
}

SceneObject Piece(const SceneObject& model) {
  SceneObject p = model;
  p.X = p.Y = p.Z = 0.0f;
  p.W = p.D = p.H = 0.0f;
  p.R = p.R2 = 0.0f;
  p.Ang[0] = p.Ang[1] = p.Ang[2] = 0.0f;
  for (int32_t& o : p.Opt) o = 0;
  for (float& s : p.size) s = 0.0f;
  p.Sub.reset();
  return p;
}

SceneObject Tinted(const SceneObject& model, Color fill) {
  SceneObject p = Piece(model);
  p.clFill = fill;
  return p;
}

namespace {

// The look of a piece with its point set; the caller fills the rest.
SceneObject At(const SceneObject& look, double x, double y, double z) {
  SceneObject p = Piece(look);
  p.X = static_cast<float>(x);
  p.Y = static_cast<float>(y);
  p.Z = static_cast<float>(z);
  return p;
}

}  // namespace

void Box(const SceneObject& look, double x, double y, double z, double w, double d, double h) {
  SceneObject p = At(look, x, y, z);
  p.W = static_cast<float>(w);
  p.D = static_cast<float>(d);
  p.H = static_cast<float>(h);
  DrawCube(p);
}

void Rod(const SceneObject& look, Axis axis, double cx, double cy, double cz, double r, double len,
         int sides) {
  // The Cylinder stands on its origin and rises along GL y: turned 90
  // degrees about z it runs towards -x, turned -90 about x towards the
  // scene's -Y; so its origin goes half a length ahead of the centre.
  SceneObject p = At(look, cx, cy, cz);
  switch (axis) {
    case Axis::X:
      p.X = static_cast<float>(cx + len / 2.0);
      p.Ang[2] = 90.0f;
      break;
    case Axis::Y:
      p.Y = static_cast<float>(cy + len / 2.0);
      p.Ang[1] = -90.0f;
      break;
    case Axis::Z:
      p.Z = static_cast<float>(cz - len / 2.0);
      break;
  }
  p.R = p.R2 = static_cast<float>(r);
  p.H = static_cast<float>(len);
  if (sides > 0) p.Reso = sides;
  DrawCylinder(p);
}

void Column(const SceneObject& look, double x, double y, double z, double r, double h, int sides) {
  Rod(look, Axis::Z, x, y, z + h / 2.0, r, h, sides);
}

void Washer(const SceneObject& look, Axis axis, double cx, double cy, double cz, double outer, double inner,
            double thick) {
  SceneObject p = At(look, cx, cy, cz);
  if (axis == Axis::X) p.Ang[2] = 90.0f;
  if (axis == Axis::Y) p.Ang[1] = 90.0f;
  p.W = static_cast<float>(2.0 * outer);
  p.R = static_cast<float>(inner);
  p.H = static_cast<float>(thick);
  p.size[0] = 0.0f;
  p.size[1] = 360.0f;
  DrawRing(p);
}

void Knob(const SceneObject& look, double x, double y, double z, double r) {
  SceneObject p = At(look, x, y, z);
  p.R = p.R2 = static_cast<float>(r);
  DrawBall(p);
}

void Profile(const SceneObject& look, Axis axis, double cx, double cy, double cz, const float* radii, int n,
             double len) {
  if (n < 1) return;
  SceneObject p = At(look, cx, cy, cz);
  // The profile stands on its origin like a Cylinder; the same turns lay
  // it along X or Y.
  switch (axis) {
    case Axis::X:
      p.X = static_cast<float>(cx + len / 2.0);
      p.Ang[2] = 90.0f;
      break;
    case Axis::Y:
      p.Y = static_cast<float>(cy + len / 2.0);
      p.Ang[1] = -90.0f;
      break;
    case Axis::Z:
      p.Z = static_cast<float>(cz - len / 2.0);
      break;
  }
  p.H = static_cast<float>(len);
  p.Opt[0] = n;
  p.Sub = std::make_shared<const std::vector<float>>(radii, radii + n);
  DrawConstCylinder(p);
}

void Panel(const SceneObject& look, int dir, double x, double y, double z, double w, double d, double h) {
  SceneObject p = At(look, x, y, z);
  p.Dir = dir;
  p.W = static_cast<float>(w);
  p.D = static_cast<float>(d);
  p.H = static_cast<float>(h);
  DrawPlane(p);
}

void Link(const SceneObject& look, double x, double y, double z, double len, double h, double r,
          double ang0) {
  SceneObject p = At(look, x, y, z);
  p.W = static_cast<float>(len);
  p.H = static_cast<float>(h);
  p.R = p.R2 = static_cast<float>(r);
  p.Ang[0] = static_cast<float>(ang0);
  DrawOval(p);
}

PartFrame::PartFrame(const SceneObject& obj) {
  emit::Push();
  ApplyFrameSteps(RecordFrame(obj, RotationOrder::B));
}

PartFrame::~PartFrame() {
  emit::Pop();
}
