#pragma once

#include <functional>
#include <string>
#include <vector>

// What GL_FEEDBACK mode returns with GL_3D_COLOR: window coordinates and
// colour of every vertex of every primitive that survived clipping.
struct FeedbackVertex {
  float x, y, z;     // window coordinates (z in 0..1)
  float r, g, b, a;  // colour after lighting
};

struct FeedbackPrimitive {
  enum Kind { Point, Line, LineReset, Polygon, Bitmap, DrawPixel, CopyPixel, PassThrough } kind;
  std::vector<FeedbackVertex> v;
};

// Runs draw in feedback mode and parses what it emitted. overflow is set
// when the buffer was too small (the result is then incomplete).
std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw, size_t bufferFloats = 1 << 22,
                                               bool* overflow = nullptr);

size_t CountKind(const std::vector<FeedbackPrimitive>& prims, FeedbackPrimitive::Kind kind);

// Object-space helpers: with an identity model-view and this projection,
// window coordinates map back to object coordinates through gluUnProject.
struct ObjPoint {
  double x, y, z;
};
ObjPoint UnProject(const FeedbackVertex& v);
