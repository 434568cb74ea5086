#pragma once

#include "collision/CollisionGeometry.h"
#include "mesh/Mesh.h"
#include "objects/Vec3.h"

// Distance and contact between two solids, exactly, through the Flexible
// Collision Library: boxes, cylinders and spheres as its primitives, a
// mesh as a hierarchy of its triangles (faces only; lines and dots do not
// occupy space). Everything is in one frame: the scene's in GL axis order,
// as solids and meshes are built. What has no faces is nowhere: its
// distance is infinite.
//
// The first piece of the exact interference check: the check itself still
// runs on the stand-in solids (collision/Interference.h).
struct Separation {
  bool contact = false;  // touching or overlapping
  double distance = 0.0; // 0 when in contact
  Vec3 onA, onB;         // the closest points (equal, roughly, in contact)
};

Separation ExactSeparation(const Solid& a, const Solid& b);
Separation ExactSeparation(const Solid& a, const Mesh& b);
Separation ExactSeparation(const Mesh& a, const Mesh& b);
