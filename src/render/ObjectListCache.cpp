#include "render/ObjectListCache.h"

#include <algorithm>
#include <cstring>

#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "render/Texture.h"

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

ObjectListCache::ObjectListCache(size_t vertexBudget) : entries_(kSlots), budget_(vertexBudget) {}

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
  lit_ = glIsEnabled(GL_LIGHTING) == GL_TRUE;
  Put(key, lit_);
  if (key != frameKey_) {
    Clear();
    frameKey_.swap(key);
  }
  valuesKnown_ = false;
  ++frame_;
}

void ObjectListCache::Drop(Entry& e) {
  if (e.list != 0) {
    glDeleteLists(e.list, 1);
    ++counts_.dropped;
  }
  if (e.geometry) {
    Flush();  // the batch may still point at it
    ++counts_.dropped;
  }
  budgetUsed_ -= std::min(budgetUsed_, e.cost);
  e.list = 0;
  e.geometry.reset();
  e.cost = 0;
  e.key.clear();
}

void ObjectListCache::Flush() {
  if (batch_.empty()) return;
  batch_.Draw();
  // Arrays leave GL's current normal, colour and material undefined: put
  // back what drawing the objects one by one would have left.
  values_.Apply();
}

void ObjectListCache::DrawDirectly(const SceneObject& rec, void (*draw)(const SceneObject&)) {
  Flush();
  draw(rec);
  valuesKnown_ = false;
}

const CurrentValues& ObjectListCache::Values() {
  if (!valuesKnown_) {
    Flush();
    values_ = CurrentValues::Query();
    valuesKnown_ = true;
  }
  return values_;
}

void ObjectListCache::Batch(const CapturedGeometry& g) {
  Values();  // known before the first object of a batch
  batch_.Add(g);
  g.LeaveValues(values_);
}

void ObjectListCache::Draw(int slot, const SceneObject& rec, void (*draw)(const SceneObject&), uint32_t extra) {
  if (!enabled_ || slot < 0 || slot >= kSlots) {
    ++counts_.immediate;
    DrawDirectly(rec, draw);
    return;
  }
  Entry& e = entries_[static_cast<size_t>(slot)];
  scratch_.clear();
  AppendRecordBytes(rec, scratch_);
  Put(scratch_, extra);
  if (e.key == scratch_) {
    // The geometry stands as long as what it took from the objects before
    // it is still what they leave.
    if (e.geometry && e.geometry->MatchesInherited(Values())) {
      ++counts_.replayed;
      Batch(*e.geometry);
      return;
    }
    if (e.list != 0) {
      ++counts_.replayed;
      Flush();
      glCallList(e.list);
      valuesKnown_ = false;
      return;
    }
  } else if (!e.key.empty()) {  // not a slot emptied by Clear
    // A record that changes frame after frame (a robot or the arm in
    // motion) is drawn directly until it rests: taking it down would be
    // work thrown away at the next frame.
    const bool moving = e.changedInFrame + 1 == frame_;
    e.changedInFrame = frame_;
    if (moving) {
      Drop(e);
      e.key.swap(scratch_);
      ++counts_.immediate;
      DrawDirectly(rec, draw);
      return;
    }
  }
  Drop(e);
  const size_t cost = EstimatedVertices(rec);
  if (cost > std::min(kVertexLimitPerObject, budget_) || budgetUsed_ + cost > budget_) {
    ++counts_.immediate;
    DrawDirectly(rec, draw);
    return;
  }
  // Taken down into arrays where the drawing allows it, which the batches
  // draw far faster than a list.
  {
    auto g = std::make_unique<CapturedGeometry>();
    GeometryCapture capture(Values(), lit_);
    draw(rec);
    if (capture.Finish(*g)) {
      ++counts_.built;
      e.cost = g->vertexCount;
      budgetUsed_ += e.cost;
      e.geometry = std::move(g);
      e.key.swap(scratch_);
      Batch(*e.geometry);
      return;
    }
  }
  Flush();
  const GLuint list = glGenLists(1);
  if (list == 0) {
    ++counts_.immediate;
    DrawDirectly(rec, draw);
    return;
  }
  glNewList(list, GL_COMPILE);
  draw(rec);
  glEndList();
  glCallList(list);
  valuesKnown_ = false;
  ++counts_.built;
  ++counts_.builtAsList;
  e.list = list;
  e.cost = cost;
  e.key.swap(scratch_);
  budgetUsed_ += cost;
}

void ObjectListCache::Clear() {
  Flush();
  for (Entry& e : entries_) Drop(e);
  budgetUsed_ = 0;
}

void ObjectListCache::ContextLost() {
  batch_ = BatchDrawer{};
  valuesKnown_ = false;
  for (Entry& e : entries_) e = Entry{};
  budgetUsed_ = 0;
  frameKey_.clear();
  ++contextGeneration_;
}
