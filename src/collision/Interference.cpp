#include "collision/Interference.h"

#include <fcl/broadphase/broadphase_dynamic_AABB_tree.h>
#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/geometry/shape/box.h>
#include <fcl/geometry/shape/cone.h>
#include <fcl/geometry/shape/cylinder.h>
#include <fcl/geometry/shape/ellipsoid.h>
#include <fcl/geometry/shape/sphere.h>
#include <fcl/narrowphase/collision.h>
#include <fcl/narrowphase/distance.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "equipment/ArticulatedArm.h"
#include "equipment/ObjectDrawing.h"
#include "equipment/RobotLayout.h"
#include "mesh/Emit.h"
#include "mesh/MeshBuilder.h"
#include "models/ModelDrawing.h"
#include "objects/FrameSteps.h"
#include "objects/SceneHistory.h"

namespace {

using Geometry = std::shared_ptr<fcl::CollisionGeometryd>;
using Object = fcl::CollisionObjectd;

// What the broad phase holds: the whole record (its robot's body), or one
// of a robot's moving parts. The tag names both.
enum Slot : int { kWhole = 0, kHand = 1, kWafer = 2, kSlots = 3 };

// The faces of a mesh that close round volumes (each run closed, turned
// counter-clockwise seen from outside), three corners a triangle, in the
// object's own frame: what tells whether a point lies inside it.
struct Volume {
  std::vector<Eigen::Vector3d> corners;
};

// One solid of the check: whose it is, the library's object (its user
// data points back here) and, for a mesh, its volume.
struct Part {
  int record = -1;  // -1: the arm
  int slot = kWhole;
  bool primitive = false;
  std::unique_ptr<Object> object;
  std::shared_ptr<const Volume> volume;  // null: faces that close nothing
};

const Part* PartOf(const Object* o) {
  return static_cast<const Part*>(o->getUserData());
}
int RecordOf(const Object* o) {
  return PartOf(o)->record;
}
int SlotOf(const Object* o) {
  return PartOf(o)->slot;
}

Eigen::Vector3d ToEigen(Vec3 v) {
  return {v.x, v.y, v.z};
}
Vec3 FromEigen(const Eigen::Vector3d& v) {
  return {v.x(), v.y(), v.z()};
}

fcl::Transform3d TransformOf(const Placement& p) {
  fcl::Transform3d t = fcl::Transform3d::Identity();
  Eigen::Matrix3d r;
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 3; ++k) r(i, k) = p.m[i][k] * p.scale;
  t.linear() = r;
  t.translation() = ToEigen(p.t);
  return t;
}

// A turn that carries z onto the unit direction d (the library's round
// solids lie along z).
Eigen::Matrix3d AlongZ(Vec3 d) {
  const Eigen::Vector3d z = ToEigen(d).normalized();
  const Eigen::Vector3d helper = std::fabs(z.x()) < 0.9 ? Eigen::Vector3d(1, 0, 0) : Eigen::Vector3d(0, 1, 0);
  const Eigen::Vector3d x = helper.cross(z).normalized();
  Eigen::Matrix3d r;
  r.col(0) = x;
  r.col(1) = z.cross(x);
  r.col(2) = z;
  return r;
}

std::unique_ptr<Part> MakePart(Geometry g, const fcl::Transform3d& at, int record, int slot) {
  if (!g) return nullptr;
  auto part = std::make_unique<Part>();
  part->record = record;
  part->slot = slot;
  part->object = std::make_unique<Object>(std::move(g), at);
  part->object->setUserData(part.get());
  part->object->computeAABB();
  return part;
}

bool Finite(const SceneObject& o) {
  const float v[] = {o.X, o.Y, o.Z, o.W, o.D, o.H, o.R, o.R2, o.Ang[0], o.Ang[1], o.Ang[2], o.size[0], o.size[1]};
  for (float f : v)
    if (!std::isfinite(f)) return false;
  return true;
}

// A mesh's faces (its triangle runs; lines and dots occupy nothing) as the
// library's hierarchy of oriented boxes; null when it has none.
Geometry MeshFaces(const Mesh& m) {
  std::vector<Eigen::Vector3d> points;
  std::vector<fcl::Triangle> triangles;
  for (const MeshRun& run : m.runs) {
    if (run.kind != RunKind::Triangles) continue;
    const size_t base = points.size();
    for (const MeshVertex& v : run.vertices) {
      // A record placed or sized by values that are not numbers occupies
      // nothing (the library's hierarchy cannot be built round them).
      if (!std::isfinite(v.p[0]) || !std::isfinite(v.p[1]) || !std::isfinite(v.p[2])) return nullptr;
      points.emplace_back(v.p[0], v.p[1], v.p[2]);
    }
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

// The record as one of the library's solids, when it is exactly one: a
// box, a cylinder of one round section, a cone, a whole ball. Their
// drawings start where these do: a box about its centre, a cylinder and a
// cone from their base disc up their own vertical (down for a negative
// height).
std::unique_ptr<Part> ExactSolid(const SceneObject& o, int record) {
  if (!Finite(o)) return nullptr;
  fcl::Transform3d at = fcl::Transform3d::Identity();
  Geometry g;
  switch (o.Shp) {
    case ShapeKind::Cube: {
      if (o.W == 0.0f || o.H == 0.0f || o.D == 0.0f) return nullptr;
      g = std::make_shared<fcl::Boxd>(std::fabs(o.W), std::fabs(o.H), std::fabs(o.D));
      at = TransformOf(RecordPlacement(o, RotationOrder::A));
      break;
    }
    case ShapeKind::Cylinder:
    case ShapeKind::Cone: {
      const bool cone = o.Shp == ShapeKind::Cone;
      const bool frustum = !cone && o.Opt[0] == 1 && o.R2 != 0.0f && o.R2 != o.R;
      const bool elliptic = !(o.size[0] == 0.0f || o.size[1] == 0.0f || o.size[0] == o.size[1]);
      if (frustum || (!cone && elliptic) || o.R == 0.0f || o.H == 0.0f) return nullptr;
      const Placement p = RecordPlacement(o, cone ? RotationOrder::B : RotationOrder::A);
      const Vec3 up = p.Axis(1);
      const double h = o.H;
      if (cone) {
        g = std::make_shared<fcl::Coned>(std::fabs(o.R), std::fabs(h));
      } else {
        g = std::make_shared<fcl::Cylinderd>(std::fabs(o.R), std::fabs(h));
      }
      // The cone's apex lies at +z: towards the record's apex.
      at.linear() = AlongZ(h < 0.0 ? up * -1.0 : up);
      at.translation() = ToEigen(p.t + up * (h / 2.0));
      break;
    }
    case ShapeKind::Ball: {
      const bool round = o.R2 == 0.0f || std::fabs(o.R2) == std::fabs(o.R);
      const double start = std::min(o.size[0], o.size[1]), end = std::max(o.size[0], o.size[1]);
      const bool whole = start == end || (start <= 0.0 && end >= 180.0);
      if (o.R == 0.0f || !round || !whole) return nullptr;
      // As the ellipsoid of three equal radii: the library's sphere
      // against a mesh leaves the closest points unset.
      const double r = std::fabs(o.R);
      g = std::make_shared<fcl::Ellipsoidd>(r, r, r);
      at.translation() = Eigen::Vector3d(o.X, o.Z, o.Y);
      break;
    }
    default:
      return nullptr;
  }
  std::unique_ptr<Part> part = MakePart(std::move(g), at, record, kWhole);
  part->primitive = true;
  return part;
}


// The runs of the pieces named `name` as one mesh.
Mesh PiecesNamed(const Mesh& whole, const char* name) {
  Mesh out;
  for (size_t p = 0; p < whole.pieces.size(); ++p) {
    if (whole.pieces[p].second != name) continue;
    Mesh piece = whole.Piece(p);
    out.vertexCount += piece.vertexCount;
    for (MeshRun& r : piece.runs) out.runs.push_back(std::move(r));
  }
  return out;
}

// The runs' faces that close round volumes. Corners that meet are taken
// to the same point to within 10 micrometres, so that a solid drawn at a
// turn that leaves its seams a rounding apart still closes; each run that
// closes is turned outward (MeshRun::MeasureClosure).
std::shared_ptr<const Volume> VolumeOf(const Mesh& m) {
  auto v = std::make_shared<Volume>();
  for (const MeshRun& drawn : m.runs) {
    if (drawn.kind != RunKind::Triangles) continue;
    MeshRun run;
    run.kind = RunKind::Triangles;
    run.indices = drawn.indices;
    run.vertices = drawn.vertices;
    for (MeshVertex& vertex : run.vertices)
      for (float& x : vertex.p) x = static_cast<float>(std::round(x * 1e5) / 1e5);
    run.MeasureClosure();
    if (run.closedWinding == 0) continue;
    for (uint32_t i : run.indices) {
      const float* p = drawn.vertices[i].p;
      v->corners.emplace_back(p[0], p[1], p[2]);
    }
  }
  if (v->corners.empty()) return nullptr;
  return v;
}

std::unique_ptr<Part> MeshPart(const Mesh& m, int record, int slot) {
  std::unique_ptr<Part> part = MakePart(MeshFaces(m), fcl::Transform3d::Identity(), record, slot);
  if (part) part->volume = VolumeOf(m);
  return part;
}

// Whether p lies inside the volume: the faces' winding number round p,
// summed from the solid angle of each (about 1 inside a closed surface
// turned outward, 0 outside; overlapping solids add up).
bool InVolume(const Volume& v, const Eigen::Vector3d& p) {
  double sum = 0.0;
  for (size_t t = 0; t + 3 <= v.corners.size(); t += 3) {
    const Eigen::Vector3d a = v.corners[t] - p, b = v.corners[t + 1] - p, c = v.corners[t + 2] - p;
    const double la = a.norm(), lb = b.norm(), lc = c.norm();
    const double num = a.dot(b.cross(c));
    const double den = la * lb * lc + a.dot(b) * lc + a.dot(c) * lb + b.dot(c) * la;
    sum += 2.0 * std::atan2(num, den);
  }
  return sum / (4.0 * M_PI) > 0.5;
}

// A point of the part: inside a solid, on a mesh.
Eigen::Vector3d SomePoint(const Part& part) {
  const fcl::Transform3d& at = part.object->getTransform();
  if (part.primitive) return at.translation();
  const auto* model = static_cast<const fcl::BVHModel<fcl::OBBRSSd>*>(part.object->collisionGeometry().get());
  return at * model->vertices[0];
}

// Whether the world point p lies inside the part: a solid everywhere
// within, a mesh within the faces that close.
bool Inside(const Part& part, const Eigen::Vector3d& p) {
  if (part.primitive) {
    fcl::CollisionObjectd probe(std::make_shared<fcl::Sphered>(1e-7),
                                fcl::Transform3d(Eigen::Translation3d(p)));
    fcl::CollisionRequestd req;
    req.gjk_solver_type = fcl::GST_INDEP;
    fcl::CollisionResultd res;
    return fcl::collide(&probe, part.object.get(), req, res) > 0;
  }
  return part.volume && InVolume(*part.volume, part.object->getTransform().inverse() * p);
}

// One of the two wholly inside the other, their surfaces apart.
bool Contains(const Part& a, const Part& b, Vec3* at) {
  for (const auto& [outer, inner] : {std::pair<const Part*, const Part*>{&a, &b}, {&b, &a}}) {
    const Eigen::Vector3d p = SomePoint(*inner);
    if (Inside(*outer, p)) {
      *at = FromEigen(p);
      return true;
    }
  }
  return false;
}

// A record's solids as the check keeps them.
struct Entry {
  bool built = false;
  SceneObject key;
  uint32_t stamp = 0;
  std::unique_ptr<Part> solid[kSlots];
};

// The record as the check builds it: filled, without outlines, whatever
// it is shown as.
SceneObject Solidified(const SceneObject& rec) {
  SceneObject c = rec;
  c.Fill = true;
  c.Frame = false;
  return c;
}

void BuildEntry(const SceneObject& rec, int index, Entry* e) {
  for (auto& s : e->solid) s.reset();
  // A label names a station; it is not part of the cell's hardware.
  if (!rec.Enbl || rec.Shp == ShapeKind::BlockText) return;
  e->solid[kWhole] = ExactSolid(rec, index);
  if (e->solid[kWhole]) return;
  const Mesh mesh = BuildObjectMesh(rec, BuildInputs{});
  if (!ShapeKind::IsTransferRobot(rec.Shp)) {
    e->solid[kWhole] = MeshPart(mesh, index, kWhole);
    return;
  }
  e->solid[kWhole] = MeshPart(PiecesNamed(mesh, RobotPieceName(RobotPartRole::Body)), index, kWhole);
  e->solid[kHand] = MeshPart(PiecesNamed(mesh, RobotPieceName(RobotPartRole::Hand)), index, kHand);
  e->solid[kWafer] = MeshPart(PiecesNamed(mesh, RobotPieceName(RobotPartRole::Wafer)), index, kWafer);
}

fcl::CollisionRequestd ContactRequest() {
  fcl::CollisionRequestd req;
  req.gjk_solver_type = fcl::GST_INDEP;
  req.enable_contact = true;
  return req;
}

fcl::DistanceRequestd DistanceRequest() {
  fcl::DistanceRequestd req;
  req.enable_nearest_points = true;
  req.gjk_solver_type = fcl::GST_INDEP;
  req.distance_tolerance = 1e-9;
  return req;
}

// One moving part and what it is called.
struct Mover {
  const Part* part = nullptr;
  Object* object = nullptr;
  InterferenceHit who;  // armLink, robot, robotPart
  std::string name;     // PartName
};

struct Query {
  const Mover* mover;
  const AllowedContacts* allowed;
  const bool* isMover;  // per record: the whole record moves
  std::vector<InterferenceHit> hits;
  int allowedContacts = 0;
  // Clearance.
  double best = INFINITY;
  InterferenceHit nearest;
  Vec3 onPart, onObject;
};

// The object side of a pair, or false when the pair is not measured: the
// mover's own record, a pair the list allows, and a pair of two moving
// records measured from the other side.
bool OtherSide(const Query& q, const Object* other, InterferenceHit* hit) {
  const int record = RecordOf(other), slot = SlotOf(other);
  const InterferenceHit& who = q.mover->who;
  if (record == who.robot) return false;
  *hit = who;
  hit->object = record;
  hit->objectPart = slot == kHand ? kPartHand : slot == kWafer ? kPartWafer : -1;
  // Two moving parts of records meet once: from the lower record.
  const bool otherMoves = slot != kWhole || (q.isMover && q.isMover[record]);
  if (who.armLink < 0 && otherMoves && record < who.robot) return false;
  return true;
}

bool Allowed(const Query& q, const InterferenceHit& hit) {
  return q.allowed && q.allowed->Contains(q.mover->name, ObjectName(hit));
}

bool CollideOne(Object* a, Object* b, void* data) {
  auto* q = static_cast<Query*>(data);
  const Object* other = a == q->mover->object ? b : a;
  InterferenceHit hit;
  if (!OtherSide(*q, other, &hit)) return false;
  fcl::CollisionResultd res;
  // Surfaces that cross, or one wholly inside the other.
  Vec3 inside;
  const bool crossing = fcl::collide(q->mover->object, other, ContactRequest(), res) > 0;
  if (!crossing && !Contains(*q->mover->part, *PartOf(other), &inside)) return false;
  if (Allowed(*q, hit)) {
    ++q->allowedContacts;
    return false;
  }
  hit.at = crossing && res.numContacts() > 0 ? FromEigen(res.getContact(0).pos) : inside;
  q->hits.push_back(hit);
  return false;
}

bool MeasureOne(Object* a, Object* b, void* data, double& bound) {
  auto* q = static_cast<Query*>(data);
  const Object* other = a == q->mover->object ? b : a;
  InterferenceHit hit;
  if (!OtherSide(*q, other, &hit) || Allowed(*q, hit)) return false;
  fcl::DistanceResultd res;
  fcl::distance(q->mover->object, other, DistanceRequest(), res);
  const double d = std::max(res.min_distance, 0.0);
  if (d < q->best) {
    q->best = d;
    q->nearest = hit;
    q->onPart = FromEigen(res.nearest_points[0]);
    q->onObject = FromEigen(res.nearest_points[1]);
  }
  bound = std::min(bound, q->best);
  return q->best <= 0.0;  // nothing is nearer than touching
}

// The order hits are reported in: the arm first by record and link, then
// the moving records by record, object and part.
bool HitBefore(const InterferenceHit& a, const InterferenceHit& b) {
  const bool armA = a.armLink >= 0, armB = b.armLink >= 0;
  if (armA != armB) return armA;
  if (armA) return std::tie(a.object, a.armLink, a.objectPart) < std::tie(b.object, b.armLink, b.objectPart);
  return std::tie(a.robot, a.object, a.robotPart, a.objectPart) <
         std::tie(b.robot, b.object, b.robotPart, b.objectPart);
}

}  // namespace

struct InterferenceCheck::Impl {
  std::vector<Entry> entries;
  fcl::DynamicAABBTreeCollisionManagerd manager;
  uint64_t builds = 0;
  // The arm's pieces, built once at zero joints, carried to each pose.
  bool armBuilt = false;
  std::unique_ptr<Part> arm[kArmLinkCount];
  fcl::Transform3d armZeroInverse[kArmLinkCount];

  void BuildArm() {
    armBuilt = true;
    const float zero[6] = {0, 0, 0, 0, 0, 0};
    const Mesh whole = CheckArmMesh(zero);
    Placement frames[kArmPieceCount];
    ArmLinkFrames(SceneObject{}, frames);
    for (int k = 0; k < kArmLinkCount; ++k) {
      arm[k] = MeshPart(whole.Piece(static_cast<size_t>(k)), -1, kWhole);
      armZeroInverse[k] = TransformOf(frames[k]).inverse();
    }
  }

  void PoseArm(const float joints[6]) {
    if (!armBuilt) BuildArm();
    SceneObject rec;
    for (int j = 0; j < 6; ++j) rec.size[10 + j] = joints[j];
    Placement frames[kArmPieceCount];
    ArmLinkFrames(rec, frames);
    for (int k = 0; k < kArmLinkCount; ++k) {
      if (!arm[k]) continue;
      arm[k]->object->setTransform(TransformOf(frames[k]) * armZeroInverse[k]);
      arm[k]->object->computeAABB();
    }
  }

  // Brings every record's solids up to date, and the broad phase with
  // them.
  void Refresh(const SceneObject* records, int count) {
    if (static_cast<int>(entries.size()) != count) {
      manager.clear();
      entries.clear();
      entries.resize(static_cast<size_t>(count));
    }
    bool changed = false;
    for (int i = 0; i < count; ++i) {
      Entry& e = entries[static_cast<size_t>(i)];
      const SceneObject rec = Solidified(records[i]);
      const uint32_t stamp = rec.Shp == ShapeKind::Model ? ModelStamp() : 0u;
      if (e.built && stamp == e.stamp && SameRecord(rec, e.key)) continue;
      for (auto& s : e.solid)
        if (s) manager.unregisterObject(s->object.get());
      BuildEntry(rec, i, &e);
      ++builds;
      e.built = true;
      e.key = rec;
      e.stamp = stamp;
      for (auto& s : e.solid)
        if (s) manager.registerObject(s->object.get());
      changed = true;
    }
    if (changed) manager.setup();
  }
};

Mesh CheckArmMesh(const float joints[6], int resolution) {
  SceneObject rec;
  rec.Fill = true;
  rec.Frame = false;
  rec.Reso = resolution;
  for (int k = 0; k < 6; ++k) rec.size[10 + k] = joints[k];
  MeshBuilder b;
  {
    emit::BuildInto into(b);
    DrawArticulatedArm(rec, false);
  }
  return b.Finish();
}

InterferenceCheck::InterferenceCheck() : impl_(std::make_unique<Impl>()) {}
InterferenceCheck::~InterferenceCheck() = default;

uint64_t InterferenceCheck::Builds() const {
  return impl_->builds;
}

void InterferenceCheck::Run(const InterferenceInputs& in, InterferenceReport* out) {
  *out = InterferenceReport{};
  out->measured = in.clearance;
  Impl& d = *impl_;
  const int count = in.records ? std::max(in.count, 0) : 0;
  d.Refresh(in.records, count);

  std::vector<Mover> movers;
  if (in.joints) {
    d.PoseArm(in.joints);
    for (int k = 0; k < kArmLinkCount; ++k) {
      if (!d.arm[k]) continue;
      Mover m;
      m.part = d.arm[k].get();
      m.object = d.arm[k]->object.get();
      m.who.armLink = k;
      m.name = PartName(m.who);
      movers.push_back(std::move(m));
    }
  }
  for (int i = 0; i < count; ++i) {
    Entry& e = d.entries[static_cast<size_t>(i)];
    const bool wholeMoves = in.moved && in.moved[i];
    if (in.measured && !in.measured[i]) continue;
    for (int slot = 0; slot < kSlots; ++slot) {
      if (!e.solid[slot] || (slot == kWhole && !wholeMoves)) continue;
      Mover m;
      m.part = e.solid[slot].get();
      m.object = e.solid[slot]->object.get();
      m.who.robot = i;
      m.who.robotPart = slot == kHand ? kPartHand : slot == kWafer ? kPartWafer : kPartRecord;
      m.name = PartName(m.who);
      movers.push_back(std::move(m));
    }
  }
  if (count == 0 || d.entries.empty()) {
    if (in.clearance) out->clearance = INFINITY;
    return;
  }

  double best = in.clearance ? in.reach : INFINITY;
  for (const Mover& m : movers) {
    Query q{&m, in.allowed, in.moved, {}, 0, INFINITY, {}, {}, {}};
    d.manager.collide(m.object, &q, CollideOne);
    out->allowedContacts += q.allowedContacts;
    for (const InterferenceHit& h : q.hits) {
      out->hits.push_back(h);
      if (h.armLink >= 0) out->armLinkHit[h.armLink] = true;
    }
    if (!in.clearance || best <= 0.0) continue;
    q.best = best;
    d.manager.distance(m.object, &q, MeasureOne);
    if (q.best < best) {
      best = q.best;
      out->nearest = q.nearest;
      out->nearOnPart = q.onPart;
      out->nearOnObject = q.onObject;
    }
  }
  std::stable_sort(out->hits.begin(), out->hits.end(), HitBefore);
  if (!in.clearance) return;
  if (!out->hits.empty()) {
    out->clearance = 0.0;
    out->nearest = out->hits[0];
    out->nearOnPart = out->nearOnObject = out->hits[0].at;
  } else {
    out->clearance = out->nearest.object >= 0 ? best : INFINITY;
  }
}

void CheckInterference(const float joints[6], const SceneObject* first, int count, InterferenceReport* out) {
  InterferenceCheck check;
  InterferenceInputs in;
  in.joints = joints;
  in.records = first;
  in.count = count;
  check.Run(in, out);
}

const char* ArmLinkName(int link) {
  static const char* const kNames[kArmLinkCount] = {"Base",    "J1 link", "J2 link", "J3 link",
                                                    "J4 link", "J5 link", "Flange"};
  return link >= 0 && link < kArmLinkCount ? kNames[link] : "";
}

InterferenceState SummarizeInterference(const InterferenceReport& report) {
  InterferenceState s;
  s.contacts = static_cast<int32_t>(report.hits.size());
  if (!report.hits.empty()) {
    s.firstObject = report.hits[0].object;
    s.firstArmLink = report.hits[0].armLink;
    s.firstRobot = report.hits[0].robot;
  }
  return s;
}

namespace {

std::string RecordName(int index) {
  char number[16];
  std::snprintf(number, sizeof number, "OBJ%03d", index);
  return number;
}

const char* PartWord(int part) {
  return part == kPartWafer ? "wafer" : part == kPartHand ? "hand" : "";
}

}  // namespace

std::string ObjectLabel(const SceneObject* first, int index) {
  std::string label = RecordName(index);
  if (first && index >= 0 && index < kObjectCapacity) {
    const std::string& name = first[index].Name;
    if (!name.empty() && name != label) label += " " + name;
  }
  return label;
}

std::string PartName(const InterferenceHit& hit) {
  if (hit.armLink >= 0) return hit.armLink == kArmBase ? "ARM.base" : "ARM.J" + std::to_string(hit.armLink);
  if (hit.robotPart == kPartRecord) return RecordName(hit.robot);
  return RecordName(hit.robot) + "." + PartWord(hit.robotPart);
}

std::string ObjectName(const InterferenceHit& hit) {
  if (hit.objectPart < 0) return RecordName(hit.object);
  return RecordName(hit.object) + "." + PartWord(hit.objectPart);
}

namespace {

std::string PartLabel(const InterferenceHit& hit, const SceneObject* first, bool byName) {
  if (hit.armLink >= 0) return ArmLinkName(hit.armLink);
  std::string who = ObjectLabel(first, hit.robot);
  if (byName && first && hit.robot >= 0 && hit.robot < kObjectCapacity && !first[hit.robot].Name.empty())
    who = first[hit.robot].Name;
  if (hit.robotPart != kPartRecord) who += std::string(" ") + PartWord(hit.robotPart);
  return who;
}

std::string ObjectSideLabel(const InterferenceHit& hit, const SceneObject* first) {
  std::string label = ObjectLabel(first, hit.object);
  if (hit.objectPart >= 0) label += std::string(" ") + PartWord(hit.objectPart);
  return label;
}

}  // namespace

std::string DescribeHit(const InterferenceHit& hit, const SceneObject* first) {
  return PartLabel(hit, first, false) + " hits " + ObjectSideLabel(hit, first);
}

std::string DescribeReport(const InterferenceReport& report, const SceneObject* first) {
  if (report.hits.empty()) return std::string();
  std::string text = DescribeHit(report.hits[0], first);
  if (report.hits.size() > 1) text += " (and " + std::to_string(report.hits.size() - 1) + " more)";
  return text;
}

std::string DescribePair(const InterferenceHit& hit, const SceneObject* first) {
  return PartLabel(hit, first, true) + " \u2013 " + ObjectSideLabel(hit, first);
}

std::string DescribeClearance(const InterferenceReport& report, const SceneObject* first) {
  if (!report.measured) return std::string();
  if (!std::isfinite(report.clearance)) return "Clearance: nothing within reach";
  char mm[32];
  std::snprintf(mm, sizeof mm, "%.1f", report.clearance * 1000.0);
  return std::string("Clearance ") + mm + " mm: " + DescribePair(report.nearest, first);
}

