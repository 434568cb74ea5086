#include "render/ObjectListCache.h"

#include <algorithm>
#include <cstring>

#include "mesh/Emit.h"

namespace {

// Where the bytes of a key go: appended to a key, or compared with a kept
// one as they come (no key is built for a record that has not changed).
struct AppendBytes {
  std::vector<unsigned char>& out;
  void Bytes(const void* p, size_t n) {
    const unsigned char* b = static_cast<const unsigned char*>(p);
    out.insert(out.end(), b, b + n);
  }
};

struct CompareBytes {
  const std::vector<unsigned char>& key;
  size_t at = 0;
  bool same = true;
  void Bytes(const void* p, size_t n) {
    if (!same) return;
    if (at + n > key.size() || std::memcmp(key.data() + at, p, n) != 0) {
      same = false;
      return;
    }
    at += n;
  }
};

template <typename Sink, typename T>
void Put(Sink& out, const T& v) {
  out.Bytes(&v, sizeof(T));
}

template <typename Sink>
void PutString(Sink& out, const std::string& s) {
  Put(out, s.size());
  out.Bytes(s.data(), s.size());
}

// Every field of the record, floats by their bits, the profile's values and
// both strings, then the caller's extra value: the one list of what a mesh
// depends on in its record.
template <typename Sink>
void PutRecord(Sink& out, const SceneObject& r, uint32_t extra) {
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
  if (n > 0) out.Bytes(r.Sub->data(), n * sizeof(float));
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
  Put(out, extra);
}

// True when the key was made from this record and extra.
bool KeyOf(const std::vector<unsigned char>& key, const SceneObject& r, uint32_t extra) {
  if (key.empty()) return false;
  CompareBytes c{key};
  PutRecord(c, r, extra);
  return c.same && c.at == key.size();
}

void MakeKey(std::vector<unsigned char>& key, const SceneObject& r, uint32_t extra) {
  key.clear();
  AppendBytes a{key};
  PutRecord(a, r, extra);
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
  if (entries_.empty()) entries_.resize(kSlots);
  Entry& e = entries_[static_cast<size_t>(slot)];
  const bool checked = checkedSlot_ == slot && checkedRecord_ == &rec;
  checkedSlot_ = -1;
  if (checked ? checkedMatch_ : KeyOf(e.key, rec, extra)) {
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
  MakeKey(e.key, rec, extra);
  ++counts_.built;
  batch_.Add(e.mesh);
}

const Mesh* ObjectListCache::Kept(int slot, const SceneObject& rec, uint32_t extra) {
  checkedSlot_ = -1;
  if (!enabled_ || slot < 0 || slot >= kSlots) return nullptr;
  if (entries_.empty()) entries_.resize(kSlots);
  Entry& e = entries_[static_cast<size_t>(slot)];
  checkedSlot_ = slot;
  checkedRecord_ = &rec;
  checkedMatch_ = KeyOf(e.key, rec, extra);
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
