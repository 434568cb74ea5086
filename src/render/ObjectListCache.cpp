#include "render/ObjectListCache.h"

#include <algorithm>

#include "mesh/Emit.h"
#include "objects/EffectiveRecord.h"
#include "objects/SceneHistory.h"

namespace {

// A record with a revision number is the stored one as its history last
// saw it, with substitutes written into the fields SameSubstitutedFields
// reads; without one it is compared whole.
bool Matches(bool kept, const SceneObject& was, uint32_t wasExtra, uint64_t wasRevision, const SceneObject& rec,
             uint32_t extra, uint64_t revision) {
  if (!kept || wasExtra != extra || wasRevision != revision) return false;
  return revision != 0 ? SameSubstitutedFields(was, rec) : SameRecord(was, rec);
}

}  // namespace

// The slots are made when the first mesh is kept: a cache that is off (a
// frame's own) never makes them.
ObjectListCache::ObjectListCache() = default;

void ObjectListCache::BeginFrame() {
  batch_.NextFrame();
  const BuildInputs now = CurrentBuildInputs();
  if (!frameKnown_ || !(now == frameInputs_)) {
    Clear();
    frameInputs_ = now;
    frameKnown_ = true;
  }
}

void ObjectListCache::Drop(Entry& e) {
  if (e.kept || !e.mesh.runs.empty()) {
    // The batch may still point at it: it goes when the batch is drawn.
    if (!e.mesh.runs.empty()) retired_.push_back(std::move(e.mesh));
    ++counts_.dropped;
  }
  e.mesh = Mesh{};
  e.kept = false;
}

void ObjectListCache::Flush() {
  batch_.Draw();
  immediate_.clear();
  retired_.clear();
}

void ObjectListCache::Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&), uint32_t extra,
                          uint64_t revision) {
  if (!enabled_ || slot < 0 || slot >= kSlots) {
    ++counts_.immediate;
    MeshBuilder b(frameKnown_ ? frameInputs_ : CurrentBuildInputs());
    {
      emit::BuildInto into(b);
      draw(rec);
    }
    immediate_.push_back(b.Finish());
    batch_.Add(immediate_.back());
    return;
  }
  if (entries_.empty()) entries_.resize(kSlots);
  Entry& e = entries_[static_cast<size_t>(slot)];
  const bool checked = checkedSlot_ == slot && checkedRecord_ == &rec;
  checkedSlot_ = -1;
  if (checked ? checkedMatch_ : Matches(e.kept, e.record, e.extra, e.revision, rec, extra, revision)) {
    ++counts_.replayed;
    batch_.Add(e.mesh);
    return;
  }
  Drop(e);
  if (!frameKnown_) BeginFrame();
  MeshBuilder b(frameInputs_);
  {
    emit::BuildInto into(b);
    draw(rec);
  }
  e.mesh = b.Finish();
  e.record = rec;
  e.extra = extra;
  e.revision = revision;
  e.kept = true;
  ++counts_.built;
  batch_.Add(e.mesh);
}

const Mesh* ObjectListCache::Kept(int slot, const SceneObject& rec, uint32_t extra, uint64_t revision) {
  checkedSlot_ = -1;
  if (!enabled_ || slot < 0 || slot >= kSlots) return nullptr;
  if (entries_.empty()) entries_.resize(kSlots);
  Entry& e = entries_[static_cast<size_t>(slot)];
  checkedSlot_ = slot;
  checkedRecord_ = &rec;
  checkedMatch_ = Matches(e.kept, e.record, e.extra, e.revision, rec, extra, revision);
  return checkedMatch_ ? &e.mesh : nullptr;
}

void ObjectListCache::Clear() {
  Flush();
  for (Entry& e : entries_) Drop(e);
  retired_.clear();  // nothing is batched now
  batch_.Release();
}

void ObjectListCache::ContextLost() {
  batch_ = MeshDrawer{};
  immediate_.clear();
  retired_.clear();
  for (Entry& e : entries_) e = Entry{};
  frameKnown_ = false;
}

size_t ObjectListCache::keptVertices() const {
  size_t n = 0;
  for (const Entry& e : entries_) n += e.mesh.vertexCount;
  return n;
}

size_t ObjectListCache::keptBytes() const {
  size_t n = 0;
  for (const Entry& e : entries_) n += e.mesh.Bytes();
  return n;
}

const Mesh& ObjectListCache::MeshOf(int slot) const {
  static const Mesh kNone;
  if (slot < 0 || static_cast<size_t>(slot) >= entries_.size()) return kNone;
  return entries_[static_cast<size_t>(slot)].mesh;
}
