#pragma once

#include "objects/SceneObject.h"
#include "objects/TextureSlot.h"

// Equipment models drawn from one scene object each: the composite parts
// (kinds 100..117, 130, 132, 133), the wafer (131) and the three transfer
// robots (150..152, laid out in equipment/RobotLayout.h). Every model
// takes its record by value, pushes and pops the matrix and leaves the GL
// state as it found it.
void DrawCompositePart(SceneObject obj);
void Wafer(SceneObject obj);
void ScaraRobot(SceneObject obj);
void TwinHandRobot(SceneObject obj);
void FrogLegRobot(SceneObject obj);

// A robot hand: a flat plate W wide, D long and H thick whose root is the
// record's point (X, Y) at height Z (the middle of its thickness). It runs
// from the root along its own +Y, turned by Ang[0] about the vertical like
// every shape, and ends in a rounded tip that bulges out by R. Outline in
// the frame colour when Frame is set.
void HandPlate(SceneObject obj);

// A round pipe of radius R through count points, each three doubles in GL
// order (x, height, depth) relative to the record's point. Bends get a ball
// joint, both ends a flat cap. Nothing for Reso 0 or fewer than 2 points.
void DrawPipePath(SceneObject obj, const double (*points)[3], int count);

// Models repeat pieces as often as a record's option asks; a record read
// from a file may ask for anything, so every such count is held to this.
constexpr int kMaxRepeat = 100;
