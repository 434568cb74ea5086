#pragma once

#include <array>
#include <functional>
#include <vector>

#include "objects/SceneObject.h"
#include "support/Feedback.h"

// The 21 primitive kinds, in Shp order.
constexpr std::array<int32_t, 21> kPrimitiveKinds = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                     12, 20, 21, 22, 23, 24, 25, 26, 27, 28};

// A well-proportioned example of a kind about the origin, filled and
// outlined, at the default resolution.
SceneObject SampleShape(int32_t shp);

// A vertex of feedback mapped back to object space.
struct ObjVertex {
  double x, y, z;
  float r, g, b, a;
};
struct ObjPrimitive {
  FeedbackPrimitive::Kind kind;
  std::vector<ObjVertex> v;
};

// Runs draw under an orthographic view of the box -4..4 x -3..3 x -10..10
// with an identity model-view and returns what it emitted in object
// coordinates. The projection is put back afterwards.
std::vector<ObjPrimitive> CaptureObjectSpace(const std::function<void()>& draw, size_t bufferFloats = 1 << 22,
                                             bool* overflow = nullptr);

// Keeps the GL driver library loaded until the process ends, so that the
// leak check at exit can still name (and suppress) what the driver keeps.

// All vertices of the primitives of one kind (Line includes LineReset).
std::vector<ObjVertex> VerticesOf(const std::vector<ObjPrimitive>& prims, FeedbackPrimitive::Kind kind);

struct Extent {
  double lo[3] = {1e300, 1e300, 1e300};
  double hi[3] = {-1e300, -1e300, -1e300};
};
Extent ExtentOf(const std::vector<ObjVertex>& v);

// A record of kind shp with its faces filled and no outline.
SceneObject Plain(int32_t shp);

// One directional light along the GL direction (x, y, z), diffuse only.
void ProbeLight(double x, double y, double z);
