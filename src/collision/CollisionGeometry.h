#pragma once

// Plain solid geometry for the interference check, in GL axis order (x
// across, y up, z along the scene's Y), in metres. No GL: the check runs
// beside the frame, not inside it.

#include "objects/Placement.h"

// What an object occupies. Box: centre, unit axes, half extents. Cylinder:
// centre of the base disc, unit axis (axes[1]), radius half[0], height
// half[1]. Sphere: centre, radius half[0]. The bounding sphere lets most
// pairs be set aside without the exact test.
struct Solid {
  enum class Kind { Box, Cylinder, Sphere };
  Kind kind = Kind::Sphere;
  Vec3 centre;
  Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double half[3] = {0, 0, 0};
  Vec3 boundCentre;
  double boundRadius = 0.0;
};

Solid MakeBox(Vec3 centre, const Vec3 axes[3], double hx, double hy, double hz);
Solid MakeCylinder(Vec3 base, Vec3 axis, double radius, double height);
Solid MakeSphere(Vec3 centre, double radius);

// Distance from a point to the solid: 0 inside or on it.
double PointDistance(const Solid& s, Vec3 p);

// What moves: a flat core (a segment, a rectangle or a disc) grown by a
// radius. A segment of half length eu along u makes a capsule; a rectangle
// of half sides eu, ev along u, v grown by half its thickness makes a thin
// plate; a disc of radius eu in the plane of u, v makes a wafer.
struct Sweep {
  enum class Core { Segment, Rectangle, Disc };
  Core core = Core::Segment;
  Vec3 centre, u{1, 0, 0}, v{0, 0, 1};
  double eu = 0.0, ev = 0.0;
  double radius = 0.0;
};

Sweep MakeCapsule(Vec3 a, Vec3 b, double radius);

// The bounding sphere of a sweep.
void SweepBound(const Sweep& s, Vec3* centre, double* radius);

// The distance between the sweep and the solid, 0 when they overlap. The
// distance from a point to a convex solid is convex along any line, so a
// golden-section search over the core (nested for a flat core) finds the
// nearest point to well below a micrometre.
double SweepDistance(const Sweep& s, const Solid& solid);

// Contact: the two come within this distance. Far below anything that
// shows on the screen, far above the rounding of single-precision records.
constexpr double kContactTolerance = 1e-4;

// Whether the sweep and the solid touch, with the bounding spheres tried
// first.
bool SweepTouches(const Sweep& s, Vec3 sweepCentre, double sweepRadius, const Solid& solid);
