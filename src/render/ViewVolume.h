#pragma once

#include "equipment/ObjectBounds.h"

// The part of the scene the picture shows: the current projection times
// the current model-view, and the viewport. Taken from GL as it stands,
// so it follows perspective and ortho, the picture's aspect and every
// camera step without knowing them.
struct ViewVolume {
  bool valid = false;
  double clip[16] = {};  // column-major, like GL's matrices
  int width = 0, height = 0;
};

// Reads the matrices and the viewport (context current).
ViewVolume CurrentViewVolume();

// True when nothing the bounds hold can colour a pixel: all eight corners
// of the object's turned box lie beyond one side of the view volume, the
// sides widened by the object's line width and two pixels besides (wide
// and smoothed lines reach beyond their geometry). Unbounded objects and
// an invalid volume are never outside; objects that draw nothing always
// are.
bool OutsideView(const ViewVolume& view, const ObjectBounds& bounds);
