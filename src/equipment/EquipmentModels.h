#pragma once

#include <cmath>

#include "objects/SceneObject.h"
#include "render/Texture.h"

// A transfer robot's axis value from its record: anything that is not a
// number counts as 0.
inline double RobotAxisValue(float v) { return std::isfinite(v) ? double(v) : 0.0; }

// The scale of a whole transfer robot: 0 collapses it to a point, a value
// that is not a number draws it at its own size.
inline double RobotScaleValue(float v) { return std::isfinite(v) ? double(v) : 1.0; }

// How far a two-link arm of equal links `length` carries its hand when both
// links turn by theta degrees from folded.
inline double HandReach(double length, double theta) {
  return 2.0 * length * std::sin(theta * 3.14159265358979323846 / 180.0);
}

// The twin-hand robot's arms for an extension r1 (-0.8 .. 0.8): the links
// turn by 90 x r1; wrist[i] is where hand i's forearms meet, root[i] where
// its plate starts (the moving hand out beyond its wrist, the idle one close
// to the axis on its own side). The drawing and the interference check both
// place the hands from this.
struct TwinHandLayout {
  double theta = 0.0, c = 1.0, s = 0.0, elbowY = 0.0;
  double wrist[2] = {0.0, 0.0};
  double root[2] = {0.0, 0.0};
};
TwinHandLayout TwinHandArms(double r1, double linkLength);

// Equipment models drawn from one scene object each: the composite parts
// (kinds 100..117, 130, 132, 133), the wafer (131) and the three transfer
// robots (150..152). Every model takes its record by value, pushes and pops
// the matrix and leaves the GL state as it found it.
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

// The texture slots wafers take their picture from (kTextureSlotCount of
// them, or nullptr for none). The frame sets them before drawing objects;
// a wafer with no slots to look in is drawn untextured.
void SetWaferTextures(const TextureSlot* slots);
const TextureSlot* WaferTextures();

// Models repeat pieces as often as a record's option asks; a record read
// from a file may ask for anything, so every such count is held to this.
constexpr int kMaxRepeat = 100;
