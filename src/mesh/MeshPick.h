#pragma once

#include "mesh/Mesh.h"

// Which part of a mesh lies under a pointer, found by arithmetic alone.
//
// The region is the square of `side` pixels centred on window point
// (x, y) (y counted from the bottom, as GL counts rows) through the view
// volume: exactly what GL's selection with a pick matrix of that size
// counts as a hit. A triangle, line or point hits when any part of it lies
// inside the region's volume; its depth is the least window depth (0 near,
// 1 far) of that part. Line width and point size play no part.
struct PickRegion {
  double clip[16] = {};  // projection times model-view, column-major
  int viewport[4] = {0, 0, 1, 1};
  double x = 0.0, y = 0.0;
  double side = 3.0;
};

// The least depth at which the mesh meets the region, or a negative value
// when it does not.
double PickDepth(const Mesh& m, const PickRegion& r);
