#include "equipment/ArticulatedArm.h"

#include <cmath>

#include "mesh/Emit.h"
#include "shapes/ShapeCommon.h"
#include "shapes/Shapes.h"

namespace {

// A piece of the arm: the arm's own record moved to a height along the
// local vertical, with its own sizes. Pieces start unturned; only the
// Oval links are stood upright.
SceneObject Piece(const SceneObject& arm, float x, float y, float z) {
  SceneObject p = arm;
  p.X = x;
  p.Y = y;
  p.Z = z;
  p.Ang[0] = p.Ang[1] = p.Ang[2] = 0.0f;
  p.Dir = 0;
  for (int32_t& o : p.Opt) o = 0;
  for (int k = 0; k < 10; ++k) p.size[k] = 0.0f;
  return p;
}

void Block(const SceneObject& arm, float w, float d, float h, float z) {
  SceneObject p = Piece(arm, 0, 0, z);
  p.W = w;
  p.D = d;
  p.H = h;
  DrawCube(p);
}

void Column(const SceneObject& arm, float r, float h, float z) {
  SceneObject p = Piece(arm, 0, 0, z);
  p.R = p.R2 = r;
  p.H = h;
  DrawCylinder(p);
}

// An upright slot-shaped link: straight length w between its two round
// ends (radii r and r2nd), thickness h across the arm, turned by ang0
// about the vertical.
void Link(const SceneObject& arm, float x, float y, float z, float w, float h, float r, float r2nd, float ang0) {
  SceneObject p = Piece(arm, x, y, z);
  p.W = w;
  p.H = h;
  p.R = p.R2 = r;
  p.size[0] = 0.0f;
  p.size[1] = 360.0f;
  p.size[2] = p.size[3] = r2nd;
  p.Opt[1] = 1;
  p.Ang[0] = ang0;
  p.Ang[2] = 90.0f;
  DrawOval(p);
}

void MarkPlate(const SceneObject& arm, float size, int dir, float z) {
  SceneObject p = Piece(arm, 0, 0, z);
  p.W = p.D = p.H = size;
  p.Dir = dir;
  DrawPlane(p);
}

}  // namespace

void DrawArticulatedArm(SceneObject rec, bool markPlates) {
  const float j1 = rec.size[10], j2 = rec.size[11], j3 = rec.size[12];
  const float j4 = rec.size[13], j5 = rec.size[14], j6 = rec.size[15];

  emit::Push();
  ApplyFrameSteps(RecordFrame(rec, RotationOrder::A));

  // Base plate, column and the first mark plate.
  emit::Out().StartPiece("Arm base");
  Block(rec, 0.2f, 0.2f, 0.03f, 0.015f);
  Column(rec, 0.1f, 0.15f, 0.03f);
  if (markPlates) MarkPlate(rec, 0.2f, 0, 0.33f);

  // J1: turret and shoulder plates.
  emit::Out().StartPiece("Arm J1");
  emit::Rotate(j1, 0.0, 1.0, 0.0);
  Column(rec, 0.1f, 0.07f, 0.18f);
  for (float side : {0.08f, -0.08f}) Link(rec, side, 0.0f, 0.3f, 0.05f, 0.04f, 0.07f, 0.06f, 0.0f);

  // J2: upper arm.
  emit::Out().StartPiece("Arm J2");
  emit::Translate(0.0f, 0.33f, 0.0f);
  emit::Rotate(j2, 1.0, 0.0, 0.0);
  Link(rec, 0.0f, -0.013f, 0.055f, 0.11f, 0.12f, 0.04f, 0.07f, 15.0f);
  for (float side : {0.07f, -0.07f}) Link(rec, side, -0.013f, 0.17f, 0.12f, 0.02f, 0.06f, 0.04f, -10.0f);
  if (markPlates) MarkPlate(rec, 0.15f, 0, 0.23f);

  // J3: elbow.
  emit::Out().StartPiece("Arm J3");
  emit::Translate(0.0f, 0.23f, 0.0f);
  emit::Rotate(j3, 1.0, 0.0, 0.0);
  if (markPlates) MarkPlate(rec, 0.15f, 0, 0.04f);
  Link(rec, 0.0f, 0.0f, 0.04f, 0.08f, 0.12f, 0.0f, 0.05f, 0.0f);

  // J4: forearm.
  emit::Out().StartPiece("Arm J4");
  emit::Translate(0.0f, 0.03f, 0.0f);
  emit::Rotate(j4, 0.0, 1.0, 0.0);
  if (markPlates) MarkPlate(rec, 0.15f, 5, 0.15f);
  Link(rec, 0.0f, 0.0f, 0.15f, 0.2f, 0.12f, 0.05f, 0.0f, 0.0f);

  // J5: wrist.
  emit::Out().StartPiece("Arm J5");
  emit::Translate(0.0f, 0.25f, 0.0f);
  emit::Rotate(j5, 1.0, 0.0, 0.0);
  if (markPlates) MarkPlate(rec, 0.15f, 5, 0.04f);
  Block(rec, 0.066f, 0.066f, 0.04f, 0.05f);

  // J6: tool flange and its four bolts, in plain colours.
  emit::Out().StartPiece("Arm J6");
  emit::Translate(0.0f, 0.07f, 0.0f);
  emit::Rotate(j6, 0.0, 1.0, 0.0);
  SceneObject flange = rec;
  flange.ColorTex.ClTex = false;
  flange.clFill = rec.cl_sub[0];
  Column(flange, 0.02f, 0.02f, 0.0f);
  SceneObject bolt = flange;
  bolt.clFill = 0xC0C0C0;
  for (int k = 0; k < 4; ++k) {
    const double a = k * 90.0 * M_PI / 180.0;
    SceneObject p = Piece(bolt, static_cast<float>(0.0155 * std::cos(a)), static_cast<float>(0.0155 * std::sin(a)),
                          0.02f);
    p.R = p.R2 = 0.0025f;
    p.H = 0.003f;
    DrawCylinder(p);
  }
  emit::Pop();
}
