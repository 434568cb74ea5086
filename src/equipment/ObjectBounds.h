#pragma once

#include "objects/SceneObject.h"

// Conservative bounds of what one scene object draws, worked out from its
// record alone (no GL): every vertex the object emits lies inside them.
//
// Frame: the one the objects are drawn in, after the object's own
// translation and turns, in GL axis order: x = scene X (across),
// y = scene Z (up), z = scene Y (along). Use SceneOrder below to get
// scene X, Y, Z back. Units are scene units.
//
// Tightness: the primitive kinds get their true extent (plus the 0.001 their
// outlines sit off the surface, and a little rounding slack); composite
// parts, wafers, robots and block text get a box worked out from the sizes
// their drawing reads, which can be a good deal larger than the part.
//
// Enbl is not looked at: these are the bounds of what the record would draw.
struct ObjectBounds {
  // False when a value the drawing reads is not a finite number (or the
  // sums overflow): the object may then be anywhere; treat it as always
  // visible and always touching.
  bool bounded = true;
  // True when the record draws nothing at all (a reserved or unknown kind,
  // a Plane or Belt of a direction it does not draw, a ConstCylinder
  // without profile). The boxes are then empty points at the origin.
  bool drawsNothing = false;

  // Bounding sphere.
  double centre[3] = {0, 0, 0};
  double radius = 0.0;
  // Axis-aligned box around everything.
  double lo[3] = {0, 0, 0};
  double hi[3] = {0, 0, 0};
  // The object's own (turned) box: its eight corners. Usually much tighter
  // than the axis-aligned box for a turned object; lo/hi hold exactly
  // these corners.
  double corner[8][3] = {};

  // The widest line (or point) the object draws, in pixels: geometry within
  // this many pixels of the picture's edge can still put colour into it.
  float linePixels = 1.0f;
};

ObjectBounds BoundsOf(const SceneObject& obj);

// The bounds of what a built mesh holds: its own box (as tight as bounds
// get), the widest of its lines. An empty mesh draws nothing.
struct Mesh;
ObjectBounds BoundsOfMesh(const Mesh& m);

// GL order (x, up, along) to scene order (X, Y, Z).
inline void SceneOrder(const double gl[3], double scene[3]) {
  scene[0] = gl[0];
  scene[1] = gl[2];
  scene[2] = gl[1];
}
