#pragma once

#include "objects/FrameSteps.h"
#include "objects/SceneObject.h"
#include "objects/Vec3.h"
#include "mesh/Emit.h"

// What every primitive shares: the small geometric helpers, the
// push-translate-rotate frame, and the guards that keep records read from
// files (any Reso, any angle, NaN included) from running away.

// A point of the horizontal plane: the first value becomes GL x, the
// second GL z (the record's Y).
struct PlanePoint {
  double x = 0.0, z = 0.0;
};


// (radius * cos angle, radius * sin angle), angle in degrees: 0 points
// along +x, 90 along +z.
PlanePoint PolarPoint(double angle, double radius);

// cos and sin of an angle in degrees, exactly std::cos(angle * pi / 180)
// and std::sin of the same, looked up in a table of the angles met before:
// the round kinds ask for the same few hundred angles for every ring of
// every object of every frame.
struct CosSin {
  double c, s;
};
CosSin CosSinDegrees(double angle);

// The corner of the square of half side r in whose quarter the angle lies:
// x is -r strictly between 90 and 270, z is -r beyond 180.
PlanePoint QuadrantCorner(double angle, double r);

// Puts an angular range on the grid of step: equal ends mean the default
// range, the ends are ordered, an end off the grid is moved onto it and a
// range narrower than one step is widened to one step. An end that is not
// a finite number gives the default range. Multiples are recognised within
// floating-point noise, so that 360 is on the grid of 360 / 14.
void SnapAngleRange(double& start, double& end, double defaultStart, double defaultEnd, double step);

// The unit normal (p2 - p0) x (p1 - p0) of a triangle; false (and *out left
// alone) for a degenerate triangle.
bool ComputeTriangleNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2, Vec3* out);
// Emits that normal as the current one; emits nothing for a degenerate triangle.
// Returns whether it emitted.
bool TriangleNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2);

// How far the outlines of the round kinds sit off their surface (outwards,
// or towards the axis for holes), so that the depth test does not hide
// them behind the faces they run on.
constexpr double kRoundOutlineLift = 0.001;
// The finer lift of the Cylinder's, Ball's and Ring's outlines.
constexpr double kFineOutlineLift = 0.0001;

// Circle resolution a round kind may draw with: 0 for none (0 or
// negative), at most one segment per degree.
constexpr int kMaxReso = 360;
int UsableReso(int reso);

// The point of a diamond with its corners on the axes at distance c that
// moves linearly with the angle a: (c, 0) at 0, (0, c) at 90, (-c, 0) at
// 180, (0, -c) at 270, back to (c, 0) at 360.
PlanePoint DiamondPoint(double a, double c);

// Number of whole steps in span, counting a span that falls short of a
// whole step by rounding noise as whole; never negative, never above
// maxSteps, 0 for anything that is not a number.
int WholeSteps(double span, double step, int maxSteps);

// Up to kCapacity angles (or any values) in ascending order, kept on the
// stack: the angle lists of the round kinds are built per call without
// touching the heap.
struct AngleList {
  static constexpr int kCapacity = 800;
  double v[kCapacity];
  int n = 0;
  void Add(double a) {
    if (n < kCapacity) v[n++] = a;
  }
};

// start, start + step, ... up to end (inclusive within rounding noise),
// with every multiple of `snap` (e.g. 90) strictly inside the range
// inserted where the step grid passes it without landing on it. snap 0
// inserts nothing. At most kMaxReso steps are taken.
void BuildAngles(double start, double end, double step, double snap, AngleList& out);

// Keeps an ordered range from spanning more than maxSpan (a range of many
// turns would only draw the same turn again).
void LimitSpan(double start, double& end, double maxSpan);

// v within lo..hi; NaN gives lo, and an empty range (lo above hi) gives
// its middle.
double ClampInto(double v, double lo, double hi);

// Same angle within rounding noise.
bool SameAngle(double a, double b);

// Issues a frame's steps (objects/FrameSteps.h) on the current matrix, in
// their order: the one rule the arithmetic of the checks follows too.
void ApplyFrameSteps(const FrameSteps& steps);

// The frame of one shape: pushes the model-view matrix, moves to the
// record's point (X, Z, Y) and turns by its three angles in the given
// order (RecordFrame); pops on leaving.
class ShapeFrame {
 public:
  ShapeFrame(const SceneObject& obj, RotationOrder order);
  ~ShapeFrame();
  ShapeFrame(const ShapeFrame&) = delete;
  ShapeFrame& operator=(const ShapeFrame&) = delete;
};

// Makes normals unit length again while it lives (when asked to), for
// frames that scale, and puts the switch back as it was found.
class NormalizeScope {
 public:
  explicit NormalizeScope(bool wanted);
  ~NormalizeScope();
  NormalizeScope(const NormalizeScope&) = delete;
  NormalizeScope& operator=(const NormalizeScope&) = delete;

 private:
  bool changed_ = false;
};

// One Plane (directions 0 to 5 as DrawPlane takes them) of half sizes hw,
// hh, hd centred on the local point (cx, cy, cz) of the caller's frame: its
// face as one quadrilateral with its normal, or its outline as a closed
// loop. The box kinds build their sides from these. Any other direction
// emits nothing.
void EmitPlaneFace(int dir, double cx, double cy, double cz, double hw, double hh, double hd);
void EmitPlaneLoop(int dir, double cx, double cy, double cz, double hw, double hh, double hd);

// Emission shorthands.
inline void EmitVertex(double x, double y, double z) {
  emit::Vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
inline void EmitNormal(double x, double y, double z) {
  emit::Normal(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
inline void EmitVertex(const Vec3& p) {
  EmitVertex(p.x, p.y, p.z);
}
inline void EmitNormal(const Vec3& n) {
  EmitNormal(n.x, n.y, n.z);
}
