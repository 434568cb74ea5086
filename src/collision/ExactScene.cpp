#include "collision/ExactScene.h"

#include <fcl/broadphase/broadphase_dynamic_AABB_tree.h>
#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/narrowphase/collision.h>
#include <fcl/narrowphase/distance.h>

#include <algorithm>
#include <map>

#include "collision/MeshFaces.h"

namespace {

using Model = fcl::BVHModel<fcl::OBBRSSd>;

Vec3 FromEigen(const Eigen::Vector3d& v) {
  return {v.x(), v.y(), v.z()};
}

int IdOf(const fcl::CollisionObjectd* o) {
  return static_cast<int>(reinterpret_cast<intptr_t>(o->getUserData()));
}

struct TouchSearch {
  const fcl::CollisionObjectd* mover;
  int ignore;
  std::vector<int> found;
};

struct NearSearch {
  const fcl::CollisionObjectd* mover;
  int ignore;
  ExactScene::Nearest best;
};

}  // namespace

struct ExactScene::Impl {
  struct Entry {
    std::shared_ptr<Model> model;
    std::unique_ptr<fcl::CollisionObjectd> object;
  };
  std::map<int, Entry> objects;
  mutable fcl::DynamicAABBTreeCollisionManagerd manager;
  mutable bool dirty = false;
  void Settle() const {
    if (dirty) manager.setup();
    dirty = false;
  }
};

ExactScene::ExactScene() : impl_(std::make_unique<Impl>()) {}
ExactScene::~ExactScene() = default;

void ExactScene::SetObject(int id, const Mesh& mesh) {
  auto it = impl_->objects.find(id);
  if (it != impl_->objects.end()) {
    impl_->manager.unregisterObject(it->second.object.get());
    impl_->objects.erase(it);
  }
  std::shared_ptr<Model> model = MeshFaces(mesh);
  impl_->dirty = true;
  if (!model) return;
  Impl::Entry e;
  e.model = model;
  e.object = std::make_unique<fcl::CollisionObjectd>(model, fcl::Transform3d::Identity());
  e.object->setUserData(reinterpret_cast<void*>(static_cast<intptr_t>(id)));
  e.object->computeAABB();
  impl_->manager.registerObject(e.object.get());
  impl_->objects.emplace(id, std::move(e));
}

void ExactScene::Clear() {
  impl_->manager.clear();
  impl_->objects.clear();
  impl_->dirty = false;
}

size_t ExactScene::ObjectCount() const {
  return impl_->objects.size();
}

std::vector<int> ExactScene::Touching(const Mesh& mover, int ignore) const {
  const std::shared_ptr<Model> model = MeshFaces(mover);
  if (!model || impl_->objects.empty()) return {};
  impl_->Settle();
  fcl::CollisionObjectd m(model, fcl::Transform3d::Identity());
  m.computeAABB();
  TouchSearch search{&m, ignore, {}};
  impl_->manager.collide(&m, &search, [](fcl::CollisionObjectd* a, fcl::CollisionObjectd* b, void* data) {
    auto* s = static_cast<TouchSearch*>(data);
    const fcl::CollisionObjectd* other = a == s->mover ? b : a;
    const int id = IdOf(other);
    if (id == s->ignore) return false;
    fcl::CollisionRequestd req;
    fcl::CollisionResultd res;
    if (fcl::collide(a, b, req, res) > 0) s->found.push_back(id);
    return false;
  });
  std::sort(search.found.begin(), search.found.end());
  search.found.erase(std::unique(search.found.begin(), search.found.end()), search.found.end());
  return search.found;
}

ExactScene::Nearest ExactScene::NearestTo(const Mesh& mover, double reach, int ignore) const {
  const std::shared_ptr<Model> model = MeshFaces(mover);
  if (!model || impl_->objects.empty()) return {};
  impl_->Settle();
  fcl::CollisionObjectd m(model, fcl::Transform3d::Identity());
  m.computeAABB();
  NearSearch search{&m, ignore, {}};
  search.best.distance = reach;
  impl_->manager.distance(
      &m, &search, [](fcl::CollisionObjectd* a, fcl::CollisionObjectd* b, void* data, double& bound) {
        auto* s = static_cast<NearSearch*>(data);
        const bool moverFirst = a == s->mover;
        const fcl::CollisionObjectd* other = moverFirst ? b : a;
        const int id = IdOf(other);
        if (id == s->ignore) return false;
        fcl::DistanceRequestd req;
        req.enable_nearest_points = true;
        fcl::DistanceResultd res;
        fcl::distance(a, b, req, res);
        const double d = std::max(res.min_distance, 0.0);
        if (d < s->best.distance) {
          s->best.object = id;
          s->best.distance = d;
          s->best.contact = d <= 0.0;
          s->best.onMover = FromEigen(res.nearest_points[moverFirst ? 0 : 1]);
          s->best.onObject = FromEigen(res.nearest_points[moverFirst ? 1 : 0]);
        }
        bound = std::min(bound, s->best.distance);
        return s->best.contact;  // nothing is nearer than touching
      });
  if (search.best.object < 0) search.best.distance = INFINITY;
  return search.best;
}
