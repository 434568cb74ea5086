#pragma once

#include "objects/Placement.h"
#include "objects/SceneObject.h"

// The six-axis arm: base at (X, Y, Z) turned by Ang[0..2], joint angles
// J1..J6 in size[10]..size[15] (degrees), flange colour cl_sub[0]; every
// other field (resolution, fill, frame, material, transparency) is handed
// to each piece. Mark plates show the joint frames when asked for.
void DrawArticulatedArm(SceneObject rec, bool markPlates);

// The drawing's pieces, each a mesh piece of its own (MeshBuilder::StartPiece):
// the base, then the links J1..J6, the last one the tool flange.
constexpr int kArmPieceCount = 7;
// "Arm base", "Arm J1" ... "Arm J6".
const char* ArmPieceName(int k);

// The frame each piece is drawn in, at the record's joints: the same steps
// the drawing takes, as arithmetic. A piece drawn at one pose is carried
// to another by the second frame times the first one's inverse.
void ArmLinkFrames(const SceneObject& rec, Placement out[kArmPieceCount]);
