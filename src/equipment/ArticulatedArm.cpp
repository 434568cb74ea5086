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

// Each link's frame from the one before: a rise along the local vertical,
// then the joint's turn about the local vertical (y) or across (x). The
// drawing and ArmLinkFrames follow this one table.
struct ArmStep {
  const char* piece;
  float rise;
  int axis;  // 0: x, 1: y; -1: the base, which does not turn
};
constexpr ArmStep kArmChain[kArmPieceCount] = {
    {"Arm base", 0.0f, -1}, {"Arm J1", 0.0f, 1},  {"Arm J2", 0.33f, 0}, {"Arm J3", 0.23f, 0},
    {"Arm J4", 0.03f, 1},   {"Arm J5", 0.25f, 0}, {"Arm J6", 0.07f, 1},
};

// Starts piece k: its name for export and the checks, then its frame.
void StartLink(int k, const SceneObject& rec) {
  const ArmStep& s = kArmChain[k];
  emit::Out().StartPiece(s.piece);
  if (s.rise != 0.0f) emit::Translate(0.0f, s.rise, 0.0f);
  if (s.axis >= 0) emit::Rotate(rec.size[9 + k], s.axis == 0 ? 1.0 : 0.0, s.axis == 1 ? 1.0 : 0.0, 0.0);
}

}  // namespace

const char* ArmPieceName(int k) {
  return k >= 0 && k < kArmPieceCount ? kArmChain[k].piece : "";
}

void ArmLinkFrames(const SceneObject& rec, Placement out[kArmPieceCount]) {
  Placement p;
  p.Apply(RecordFrame(rec, RotationOrder::A));
  for (int k = 0; k < kArmPieceCount; ++k) {
    const ArmStep& s = kArmChain[k];
    if (s.rise != 0.0f) p.Translate(0.0, s.rise, 0.0);
    if (s.axis >= 0) p.Rotate(rec.size[9 + k], s.axis == 0 ? 1.0 : 0.0, s.axis == 1 ? 1.0 : 0.0, 0.0);
    out[k] = p;
  }
}

void DrawArticulatedArm(SceneObject rec, bool markPlates) {
  emit::Push();
  ApplyFrameSteps(RecordFrame(rec, RotationOrder::A));

  // Base plate, column and the first mark plate.
  StartLink(0, rec);
  Block(rec, 0.2f, 0.2f, 0.03f, 0.015f);
  Column(rec, 0.1f, 0.15f, 0.03f);
  if (markPlates) MarkPlate(rec, 0.2f, 0, 0.33f);

  // J1: turret and shoulder plates.
  StartLink(1, rec);
  Column(rec, 0.1f, 0.07f, 0.18f);
  for (float side : {0.08f, -0.08f}) Link(rec, side, 0.0f, 0.3f, 0.05f, 0.04f, 0.07f, 0.06f, 0.0f);

  // J2: upper arm.
  StartLink(2, rec);
  Link(rec, 0.0f, -0.013f, 0.055f, 0.11f, 0.12f, 0.04f, 0.07f, 15.0f);
  for (float side : {0.07f, -0.07f}) Link(rec, side, -0.013f, 0.17f, 0.12f, 0.02f, 0.06f, 0.04f, -10.0f);
  if (markPlates) MarkPlate(rec, 0.15f, 0, 0.23f);

  // J3: elbow.
  StartLink(3, rec);
  if (markPlates) MarkPlate(rec, 0.15f, 0, 0.04f);
  Link(rec, 0.0f, 0.0f, 0.04f, 0.08f, 0.12f, 0.0f, 0.05f, 0.0f);

  // J4: forearm.
  StartLink(4, rec);
  if (markPlates) MarkPlate(rec, 0.15f, 5, 0.15f);
  Link(rec, 0.0f, 0.0f, 0.15f, 0.2f, 0.12f, 0.05f, 0.0f, 0.0f);

  // J5: wrist.
  StartLink(5, rec);
  if (markPlates) MarkPlate(rec, 0.15f, 5, 0.04f);
  Block(rec, 0.066f, 0.066f, 0.04f, 0.05f);

  // J6: tool flange and its four bolts, in plain colours.
  StartLink(6, rec);
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
