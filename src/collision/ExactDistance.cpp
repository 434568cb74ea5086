#include "collision/ExactDistance.h"

#include <fcl/narrowphase/collision.h>
#include <fcl/narrowphase/distance.h>
#include <fcl/geometry/shape/box.h>
#include <fcl/geometry/shape/cylinder.h>
#include <fcl/geometry/shape/sphere.h>

#include <cmath>
#include <memory>
#include <vector>

#include "collision/MeshFaces.h"

namespace {

using Geometry = std::shared_ptr<fcl::CollisionGeometryd>;

Eigen::Vector3d ToEigen(Vec3 v) {
  return {v.x, v.y, v.z};
}

Vec3 FromEigen(const Eigen::Vector3d& v) {
  return {v.x(), v.y(), v.z()};
}

// A turn whose third column is the unit axis a (a cylinder lies along z).
Eigen::Matrix3d AlongZ(Vec3 a) {
  Eigen::Vector3d z = ToEigen(a);
  const double len = z.norm();
  z = len > 0.0 ? Eigen::Vector3d(z / len) : Eigen::Vector3d(0, 1, 0);
  const Eigen::Vector3d helper = std::fabs(z.x()) < 0.9 ? Eigen::Vector3d(1, 0, 0) : Eigen::Vector3d(0, 1, 0);
  const Eigen::Vector3d x = helper.cross(z).normalized();
  const Eigen::Vector3d y = z.cross(x);
  Eigen::Matrix3d r;
  r.col(0) = x;
  r.col(1) = y;
  r.col(2) = z;
  return r;
}

fcl::CollisionObjectd ObjectOf(const Solid& s) {
  fcl::Transform3d at = fcl::Transform3d::Identity();
  Geometry g;
  switch (s.kind) {
    case Solid::Kind::Box: {
      g = std::make_shared<fcl::Boxd>(2 * s.half[0], 2 * s.half[1], 2 * s.half[2]);
      Eigen::Matrix3d r;
      for (int k = 0; k < 3; ++k) r.col(k) = ToEigen(s.axes[k]);
      at.linear() = r;
      at.translation() = ToEigen(s.centre);
      break;
    }
    case Solid::Kind::Cylinder: {
      // From its base point along its axis, its height in half[1].
      g = std::make_shared<fcl::Cylinderd>(s.half[0], s.half[1]);
      at.linear() = AlongZ(s.axes[1]);
      at.translation() = ToEigen(s.centre + s.axes[1] * (s.half[1] / 2.0));
      break;
    }
    case Solid::Kind::Sphere:
      g = std::make_shared<fcl::Sphered>(s.half[0]);
      at.translation() = ToEigen(s.centre);
      break;
  }
  return fcl::CollisionObjectd(g, at);
}

fcl::CollisionObjectd ObjectOf(const Mesh& m) {
  return fcl::CollisionObjectd(MeshFaces(m), fcl::Transform3d::Identity());
}

bool HasFaces(const Mesh& m) {
  for (const MeshRun& run : m.runs)
    if (run.kind == RunKind::Triangles && run.indices.size() >= 3) return true;
  return false;
}

// Nothing is near what has no faces.
Separation Nowhere() {
  Separation s;
  s.distance = INFINITY;
  return s;
}

Separation Between(const fcl::CollisionObjectd& a, const fcl::CollisionObjectd& b) {
  Separation s;
  fcl::CollisionRequestd creq;
  creq.gjk_solver_type = fcl::GST_INDEP;
  fcl::CollisionResultd cres;
  if (fcl::collide(&a, &b, creq, cres) > 0) {
    s.contact = true;
    const fcl::Contactd& c = cres.getContact(0);
    s.onA = s.onB = FromEigen(c.pos);
    return s;
  }
  fcl::DistanceRequestd dreq;
  dreq.enable_nearest_points = true;
  dreq.gjk_solver_type = fcl::GST_INDEP;
  dreq.distance_tolerance = 1e-9;
  fcl::DistanceResultd dres;
  fcl::distance(&a, &b, dreq, dres);
  s.distance = std::max(dres.min_distance, 0.0);
  s.onA = FromEigen(dres.nearest_points[0]);
  s.onB = FromEigen(dres.nearest_points[1]);
  return s;
}

}  // namespace

std::shared_ptr<fcl::BVHModel<fcl::OBBRSSd>> MeshFaces(const Mesh& m) {
  std::vector<Eigen::Vector3d> points;
  std::vector<fcl::Triangle> triangles;
  for (const MeshRun& run : m.runs) {
    if (run.kind != RunKind::Triangles) continue;
    const size_t base = points.size();
    for (const MeshVertex& v : run.vertices) points.emplace_back(v.p[0], v.p[1], v.p[2]);
    for (size_t t = 0; t + 3 <= run.indices.size(); t += 3)
      triangles.emplace_back(base + run.indices[t], base + run.indices[t + 1], base + run.indices[t + 2]);
  }
  if (triangles.empty()) return nullptr;
  auto model = std::make_shared<fcl::BVHModel<fcl::OBBRSSd>>();
  model->beginModel(static_cast<int>(triangles.size()), static_cast<int>(points.size()));
  model->addSubModel(points, triangles);
  model->endModel();
  model->computeLocalAABB();
  return model;
}

Separation ExactSeparation(const Solid& a, const Solid& b) {
  return Between(ObjectOf(a), ObjectOf(b));
}

Separation ExactSeparation(const Solid& a, const Mesh& b) {
  return HasFaces(b) ? Between(ObjectOf(a), ObjectOf(b)) : Nowhere();
}

Separation ExactSeparation(const Mesh& a, const Mesh& b) {
  return HasFaces(a) && HasFaces(b) ? Between(ObjectOf(a), ObjectOf(b)) : Nowhere();
}
