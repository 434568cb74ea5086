#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "mesh/Mesh.h"
#include "objects/Vec3.h"

// The cell's objects as hierarchies of their faces, kept from frame to
// frame in a broad phase (the Flexible Collision Library's dynamic AABB
// tree), and moving meshes measured against them: which objects a mover
// touches, and the nearest one with the closest points. One frame: the
// scene's in GL axis order, as meshes are built. Surfaces are compared: a
// mover wholly inside an object's closed surface does not touch it.
class ExactScene {
 public:
  ExactScene();
  ~ExactScene();
  ExactScene(const ExactScene&) = delete;
  ExactScene& operator=(const ExactScene&) = delete;

  // Object id's faces from now on (what it had goes); a mesh without faces
  // takes it out.
  void SetObject(int id, const Mesh& mesh);
  void Clear();
  size_t ObjectCount() const;

  struct Nearest {
    int object = -1;  // -1: nothing within reach
    bool contact = false;
    double distance = INFINITY;
    Vec3 onMover, onObject;
  };
  // The object nearest to mover, measured only within `reach` (metres);
  // ignore is an object not to measure (the mover's own), or -1.
  Nearest NearestTo(const Mesh& mover, double reach, int ignore = -1) const;
  // Every object the mover touches, in ascending order.
  std::vector<int> Touching(const Mesh& mover, int ignore = -1) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
