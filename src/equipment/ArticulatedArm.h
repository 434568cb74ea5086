#pragma once

#include "objects/SceneObject.h"

// The six-axis arm: base at (X, Y, Z) turned by Ang[0..2], joint angles
// J1..J6 in size[10]..size[15] (degrees), flange colour cl_sub[0]; every
// other field (resolution, fill, frame, material, transparency) is handed
// to each piece. Mark plates show the joint frames when asked for.
void DrawArticulatedArm(SceneObject rec, bool markPlates);
