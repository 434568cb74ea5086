#include "render/ObjectListCache.h"

#include <algorithm>
#include <cstring>

#include "mesh/Emit.h"

namespace {

template <typename T>
void Put(std::vector<unsigned char>& out, const T& v) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, &v, sizeof(T));
  out.insert(out.end(), b, b + sizeof(T));
}

void PutString(std::vector<unsigned char>& out, const std::string& s) {
  Put(out, s.size());
  out.insert(out.end(), s.begin(), s.end());
}

}  // namespace

void AppendRecordBytes(const SceneObject& r, std::vector<unsigned char>& out) {
  Put(out, r.Enbl);
  Put(out, r.Shp);
  Put(out, r.Reso);
  Put(out, r.Dir);
  for (float f : {r.X, r.Y, r.Z, r.W, r.D, r.H, r.R, r.R2}) Put(out, f);
  for (float f : r.Ang) Put(out, f);
  for (int32_t o : r.Opt) Put(out, o);
  for (float f : r.size) Put(out, f);
  const size_t n = r.Sub ? r.Sub->size() : 0;
  Put(out, n);
  for (size_t i = 0; i < n; ++i) Put(out, (*r.Sub)[i]);
  Put(out, r.Fill);
  Put(out, r.clFill);
  for (Color c : r.cl_sub) Put(out, c);
  Put(out, r.ColorTex.ClTex);
  for (float f : r.ColorTex.amb) Put(out, f);
  for (float f : r.ColorTex.diff) Put(out, f);
  for (float f : r.ColorTex.spec) Put(out, f);
  Put(out, r.ColorTex.shin);
  Put(out, r.Frame);
  Put(out, r.clFrame);
  Put(out, r.Trans);
  Put(out, r.Tex);
  for (int16_t id : r.ID) Put(out, id);
  PutString(out, r.Name);
  PutString(out, r.Text);
}

ObjectListCache::ObjectListCache() : entries_(kSlots) {}

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
  if (!e.key.empty() || !e.mesh.runs.empty()) {
    // The batch may still point at it: it goes when the batch is drawn.
    if (!e.mesh.runs.empty()) retired_.push_back(std::move(e.mesh));
    ++counts_.dropped;
  }
  e.mesh = Mesh{};
  e.key.clear();
}

void ObjectListCache::Flush() {
  batch_.Draw();
  immediate_.clear();
  retired_.clear();
}

void ObjectListCache::Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&), uint32_t extra) {
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
  Entry& e = entries_[static_cast<size_t>(slot)];
  scratch_.clear();
  AppendRecordBytes(rec, scratch_);
  Put(scratch_, extra);
  if (e.key == scratch_) {
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
  e.key.swap(scratch_);
  ++counts_.built;
  batch_.Add(e.mesh);
}

void ObjectListCache::Clear() {
  Flush();
  for (Entry& e : entries_) Drop(e);
  retired_.clear();  // nothing is batched now
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
  if (slot < 0 || slot >= kSlots) return kNone;
  return entries_[static_cast<size_t>(slot)].mesh;
}
