#pragma once

#include <fcl/geometry/bvh/BVH_model.h>

#include <memory>

#include "mesh/Mesh.h"

// A mesh's faces (its triangle runs; lines and dots occupy nothing) as the
// collision library's hierarchy of oriented boxes; null when it has none.
// For the exact checks' own files only: it brings the library's headers.
std::shared_ptr<fcl::BVHModel<fcl::OBBRSSd>> MeshFaces(const Mesh& m);
