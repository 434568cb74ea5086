#include "render/ObjectListCache.h"

#include <algorithm>
#include <cstring>

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "render/Texture.h"

namespace {

// Lists hold their vertices in memory: at most this many (estimated) over
// all lists, and none for a record above the per-object limit (a few
// hundred MB in the driver at worst).
constexpr size_t kVertexBudget = 4000000;
constexpr size_t kVertexLimitPerObject = 400000;

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

size_t EstimatedVertices(const SceneObject& r) {
  const size_t reso = static_cast<size_t>(std::clamp(r.Reso, 0, 360));
  const size_t frame = r.Frame ? 2 : 1;
  const int32_t k = r.Shp;
  if (k == ShapeKind::Ball || k == ShapeKind::Capsule) return (reso * reso + 8 * reso) * frame + 16;
  if (k >= ShapeKind::Dot && k <= ShapeKind::CubeCylinder) {
    const size_t rings = k == ShapeKind::ConstCylinder ? static_cast<size_t>(std::clamp(r.Opt[0], 1, 1000)) : 1;
    return 16 * reso * rings * frame + 64;
  }
  if (k == ShapeKind::BlockText) return 40 * r.Text.size() + 16;
  size_t repeat = 1;
  if (k == 109 || k == 117 || k == 115) repeat += static_cast<size_t>(RepeatCount(r.Opt[0]));
  // Composite parts, wafers and robots: tens of round pieces each.
  return (60 * reso + 800) * repeat * frame;
}

ObjectListCache::ObjectListCache() : entries_(kSlots) {}

void ObjectListCache::BeginFrame(bool ortho) {
  std::vector<unsigned char> key;
  Put(key, contextGeneration_);
  Put(key, ortho);
  Put(key, AnyLightEnabled());
  // What the routines ask GL while drawing (see docs/architecture.md).
  Put(key, glIsEnabled(GL_NORMALIZE));
  Put(key, glIsEnabled(GL_TEXTURE_2D));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  Put(key, bound);
  GLfloat width = 1.0f;
  glGetFloatv(GL_LINE_WIDTH, &width);
  Put(key, width);
  // The wafers' pictures: which slots hold a texture GL knows.
  const TextureSlot* slots = WaferTextures();
  Put(key, slots != nullptr);
  if (slots)
    for (int i = 0; i < kTextureSlotCount; ++i) {
      Put(key, slots[i].loaded);
      Put(key, slots[i].glName);
      Put(key, slots[i].glName != 0 && glIsTexture(slots[i].glName) == GL_TRUE);
    }
  if (key != frameKey_) {
    Clear();
    frameKey_.swap(key);
  }
}

void ObjectListCache::Drop(Entry& e) {
  if (e.list != 0) {
    glDeleteLists(e.list, 1);
    ++counts_.dropped;
  }
  budgetUsed_ -= std::min(budgetUsed_, e.cost);
  e.list = 0;
  e.cost = 0;
  e.key.clear();
}

void ObjectListCache::Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&)) {
  if (!enabled_ || slot < 0 || slot >= kSlots) {
    ++counts_.immediate;
    draw(rec);
    return;
  }
  Entry& e = entries_[static_cast<size_t>(slot)];
  scratch_.clear();
  AppendRecordBytes(rec, scratch_);
  if (e.list != 0 && e.key == scratch_) {
    ++counts_.replayed;
    glCallList(e.list);
    return;
  }
  Drop(e);
  const size_t cost = EstimatedVertices(rec);
  const GLuint list = cost <= kVertexLimitPerObject && budgetUsed_ + cost <= kVertexBudget ? glGenLists(1) : 0;
  if (list == 0) {
    ++counts_.immediate;
    draw(rec);
    return;
  }
  glNewList(list, GL_COMPILE);
  draw(rec);
  glEndList();
  glCallList(list);
  ++counts_.built;
  e.list = list;
  e.cost = cost;
  e.key.swap(scratch_);
  budgetUsed_ += cost;
}

void ObjectListCache::Clear() {
  for (Entry& e : entries_) Drop(e);
  budgetUsed_ = 0;
}

void ObjectListCache::ContextLost() {
  for (Entry& e : entries_) e = Entry{};
  budgetUsed_ = 0;
  frameKey_.clear();
  ++contextGeneration_;
}
