#include "render/MeshDraw.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <cstring>
#include <iterator>

#include "render/GlHeaders.h"
#include "render/Lights.h"

namespace {

const TextureSlot* gPictures = nullptr;
MeshBuffers gBuffers = MeshBuffers::Auto;

// GL 1.5 or later (buffer objects are core), and for Auto a renderer that
// is not Mesa's software rasteriser.
bool UseBufferObjects() {
  if (gBuffers == MeshBuffers::Off) return false;
  const char* v = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0, minor = 0;
  if (v == nullptr || std::sscanf(v, "%d.%d", &major, &minor) != 2) return false;
  if (!(major > 1 || (major == 1 && minor >= 5))) return false;
  if (gBuffers == MeshBuffers::On) return true;
  const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const std::string renderer = r ? r : "";
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (renderer.find(soft) != std::string::npos) return false;
  return true;
}

constexpr GLenum kModes[3] = {GL_TRIANGLES, GL_LINES, GL_POINTS};

// The texture of a picture slot in this context, 0 for none.
GLuint PictureName(int slot) {
  if (slot < 0 || slot >= kTextureSlotCount || gPictures == nullptr) return 0;
  const TextureSlot& s = gPictures[slot];
  return s.loaded ? static_cast<GLuint>(s.glName) : 0;
}

}  // namespace

void SetMeshBuffers(MeshBuffers use) {
  gBuffers = use;
}

void SetMeshPictures(const TextureSlot* slots) {
  gPictures = slots;
}

const TextureSlot* MeshPictures() {
  return gPictures;
}

BuildInputs CurrentBuildInputs() {
  BuildInputs in;
  in.lit = AnyLightEnabled();
  if (gPictures)
    for (int i = 0; i < kTextureSlotCount; ++i) {
      const TextureSlot& s = gPictures[i];
      if (s.loaded && s.glName != 0 && glIsTexture(s.glName) == GL_TRUE) in.pictures |= 1u << i;
    }
  return in;
}

MeshDrawer::Group& MeshDrawer::GroupOf(size_t from, size_t to) {
  key_.clear();
  uint64_t h = 1469598103934665603ull;
  for (size_t k = from; k < to; ++k) {
    key_.push_back(runs_[k]->serial);
    h = (h ^ runs_[k]->serial) * 1099511628211ull;
  }
  Group& g = groups_[h];
  if (g.key != key_) {
    if (g.buffer[0] != 0) glDeleteBuffers(2, g.buffer);
    g = Group{};
    g.key = key_;
    if (to - from > 1)
      for (size_t k = from; k < to; ++k) {
        const uint32_t base = static_cast<uint32_t>(g.vertices.size());
        g.vertices.insert(g.vertices.end(), runs_[k]->vertices.begin(), runs_[k]->vertices.end());
        for (uint32_t x : runs_[k]->indices) g.indices.push_back(base + x);
      }
  }
  if (g.frames == 0 || g.frame != frame_) ++g.frames;
  g.frame = frame_;
  return g;
}

size_t MeshDrawer::joinedBatches() const {
  size_t n = 0;
  for (const auto& g : groups_) n += g.second.key.size() > 1 ? 1 : 0;
  return n;
}

size_t MeshDrawer::buffers() const {
  size_t n = 0;
  for (const auto& g : groups_) n += g.second.buffer[0] != 0 ? 1 : 0;
  return n;
}

void MeshDrawer::Release() {
  for (auto& g : groups_)
    if (g.second.buffer[0] != 0) glDeleteBuffers(2, g.second.buffer);
  groups_.clear();
}

void MeshDrawer::Forget() {
  groups_.clear();
  runs_.clear();
  cull_.clear();
}

// Under a depth test that writes depth, opaque triangles hide each other
// whatever their order (but for exact ties): they are drawn first, grouped
// by state so that each state is one call; lines, points and see-through
// faces follow in the order they came, blended over finished depth.
void MeshDrawer::OpaqueFirst() {
  order_.clear();
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  if (glIsEnabled(GL_DEPTH_TEST) != GL_TRUE || depthMask != GL_TRUE) return;
  for (size_t i = 0; i < runs_.size(); ++i)
    if (runs_[i]->kind == RunKind::Triangles && runs_[i]->opaque) order_.push_back(i);
  const size_t opaque = order_.size();
  if (opaque == 0) return;
  auto before = [&](size_t a, size_t b) {
    const MeshRun& x = *runs_[a];
    const MeshRun& y = *runs_[b];
    if (cull_[a] != cull_[b]) return cull_[a] < cull_[b];
    if (x.lit != y.lit) return x.lit < y.lit;
    if (!x.lit) return false;
    const int c = std::memcmp(x.ambient, y.ambient, sizeof x.ambient);
    if (c != 0) return c < 0;
    const int d = std::memcmp(x.specular, y.specular, sizeof x.specular);
    if (d != 0) return d < 0;
    const int e = std::memcmp(x.emission, y.emission, sizeof x.emission);
    if (e != 0) return e < 0;
    return std::memcmp(&x.shininess, &y.shininess, sizeof x.shininess) < 0;
  };
  std::stable_sort(order_.begin(), order_.end(), before);
  for (size_t i = 0; i < runs_.size(); ++i)
    if (!(runs_[i]->kind == RunKind::Triangles && runs_[i]->opaque)) order_.push_back(i);
  sortedRuns_.clear();
  sortedCull_.clear();
  for (size_t i : order_) {
    sortedRuns_.push_back(runs_[i]);
    sortedCull_.push_back(cull_[i]);
  }
  runs_.swap(sortedRuns_);
  cull_.swap(sortedCull_);
}

void MeshDrawer::NextFrame() {
  for (auto it = groups_.begin(); it != groups_.end();) {
    if (it->second.frame == frame_) {
      ++it;
      continue;
    }
    if (it->second.buffer[0] != 0) glDeleteBuffers(2, it->second.buffer);
    it = groups_.erase(it);
  }
  ++frame_;
}

void MeshDrawer::Add(const Mesh& m) {
  for (const MeshRun& run : m.runs) runs_.push_back(&run);
}

void DrawMesh(const Mesh& m) {
  MeshDrawer d;
  d.Add(m);
  d.Draw();
}

void MeshDrawer::Draw() {
  if (runs_.empty()) return;
  const bool texturedWas = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
  GLint textureWas = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &textureWas);
  GLfloat widthWas = 1.0f;
  glGetFloatv(GL_LINE_WIDTH, &widthWas);
  const bool colorMaterialWas = glIsEnabled(GL_COLOR_MATERIAL) == GL_TRUE;
  const bool cullWas = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
  GLint cullFaceWas = GL_BACK;
  glGetIntegerv(GL_CULL_FACE_MODE, &cullFaceWas);
  bool cull = cullWas;
  GLenum cullFace = static_cast<GLenum>(cullFaceWas);
  DecideCulling();
  OpaqueFirst();
  const bool buffersOn = UseBufferObjects();
  GLint colorFaceWas = GL_FRONT_AND_BACK, colorModeWas = GL_AMBIENT_AND_DIFFUSE;
  glGetIntegerv(GL_COLOR_MATERIAL_FACE, &colorFaceWas);
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &colorModeWas);

  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);

  bool textured = texturedWas, colorMaterial = colorMaterialWas;
  GLuint texture = static_cast<GLuint>(textureWas);
  GLfloat width = widthWas;
  auto setSwitch = [](GLenum cap, bool& now, bool want) {
    if (now == want) return;
    if (want)
      glEnable(cap);
    else
      glDisable(cap);
    now = want;
  };

  size_t i = 0;
  while (i < runs_.size()) {
    // Neighbours that join draw as one.
    const MeshRun& first = *runs_[i];
    size_t j = i + 1;
    if (first.vertices.size() < kJoinBelow)
      while (j < runs_.size() && runs_[j]->vertices.size() < kJoinBelow && runs_[j]->Joins(first) &&
             cull_[j] == cull_[i])
        ++j;
    const bool joined = j - i > 1;
    Group* group = joined || buffersOn ? &GroupOf(i, j) : nullptr;
    const MeshVertex* v = joined ? group->vertices.data() : first.vertices.data();
    const uint32_t* idx = joined ? group->indices.data() : first.indices.data();
    size_t count = joined ? group->indices.size() : first.indices.size();
    const size_t vertexCount = joined ? group->vertices.size() : first.vertices.size();
    // Runs that come again in a second frame are uploaded once.
    if (buffersOn && group->buffer[0] == 0 && group->frames >= 2) {
      glGenBuffers(2, group->buffer);
      glBindBuffer(GL_ARRAY_BUFFER, group->buffer[0]);
      glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexCount * sizeof(MeshVertex)), v, GL_STATIC_DRAW);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, group->buffer[1]);
      glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(uint32_t)), idx, GL_STATIC_DRAW);
      group->count = count;
      if (joined) {  // the buffer holds them now
        group->vertices = {};
        group->indices = {};
      }
    }
    const bool fromBuffer = buffersOn && group->buffer[0] != 0;
    if (buffersOn) {
      glBindBuffer(GL_ARRAY_BUFFER, fromBuffer ? group->buffer[0] : 0);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, fromBuffer ? group->buffer[1] : 0);
    }
    if (fromBuffer) {
      v = nullptr;
      idx = nullptr;
      count = group->count;
    }

    setSwitch(GL_COLOR_MATERIAL, colorMaterial, first.lit);
    // Skipping hidden faces changes nothing a GL that already skips faces
    // would draw.
    if (!cullWas) {
      setSwitch(GL_CULL_FACE, cull, cull_[i] != 0u);
      if (cull_[i] != 0u && cullFace != cull_[i]) glCullFace(cullFace = static_cast<GLenum>(cull_[i]));
    }
    if (first.lit) {
      glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, first.ambient);
      glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, first.specular);
      glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, first.emission);
      glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, first.shininess);
    }
    const GLuint name = PictureName(first.picture);
    setSwitch(GL_TEXTURE_2D, textured, name != 0);
    if (name != 0 && texture != name) {
      glBindTexture(GL_TEXTURE_2D, name);
      texture = name;
    }
    if (first.kind == RunKind::Lines && width != first.lineWidth) {
      glLineWidth(first.lineWidth);
      width = first.lineWidth;
    }
    if (name != 0)
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    else
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    const GLsizei stride = sizeof(MeshVertex);
    // From a buffer the "pointers" are offsets into it.
    const uintptr_t base = reinterpret_cast<uintptr_t>(v);
    auto at = [base](size_t offset) { return reinterpret_cast<const void*>(base + offset); };
    glVertexPointer(3, GL_FLOAT, stride, at(offsetof(MeshVertex, p)));
    glNormalPointer(GL_FLOAT, stride, at(offsetof(MeshVertex, n)));
    glColorPointer(4, GL_FLOAT, stride, at(offsetof(MeshVertex, c)));
    glTexCoordPointer(2, GL_FLOAT, stride, at(offsetof(MeshVertex, t)));
    glDrawElements(kModes[static_cast<int>(first.kind)], static_cast<GLsizei>(count), GL_UNSIGNED_INT, idx);
    i = j;
  }

  // The client attributes hold the buffer bindings too.
  glPopClientAttrib();
  setSwitch(GL_COLOR_MATERIAL, colorMaterial, colorMaterialWas);
  glColorMaterial(static_cast<GLenum>(colorFaceWas), static_cast<GLenum>(colorModeWas));
  setSwitch(GL_CULL_FACE, cull, cullWas);
  if (cullFace != static_cast<GLenum>(cullFaceWas)) glCullFace(static_cast<GLenum>(cullFaceWas));
  setSwitch(GL_CULL_FACE, cull, false);
  setSwitch(GL_TEXTURE_2D, textured, texturedWas);
  if (texture != static_cast<GLuint>(textureWas)) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureWas));
  if (width != widthWas) glLineWidth(widthWas);
  runs_.clear();
  cull_.clear();
}

void MeshDrawer::DecideCulling() {
  cull_.assign(runs_.size(), 0u);
  // Faces turned away from the eye are hidden by the rest of a closed
  // opaque surface only when depth is tested and written and the eye
  // looks at the surface from outside, with none of it cut open by the
  // near plane.
  // Feedback and selection report every face drawn, hidden or not.
  GLint renderMode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &renderMode);
  if (renderMode != GL_RENDER) return;
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  if (glIsEnabled(GL_DEPTH_TEST) != GL_TRUE || depthMask != GL_TRUE) return;
  GLint depthFunc = GL_LESS;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  if (depthFunc != GL_LESS && depthFunc != GL_LEQUAL) return;
  double mv[16];
  double projection[16], clip[16];  // projection times model-view
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  MultiplyMatrices(projection, mv, clip);
  const double* pm = clip;
  // A mirroring camera turns every winding over.
  const double det = mv[0] * (mv[5] * mv[10] - mv[9] * mv[6]) - mv[4] * (mv[1] * mv[10] - mv[9] * mv[2]) +
                     mv[8] * (mv[1] * mv[6] - mv[5] * mv[2]);
  if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) return;
  const int turn = det > 0.0 ? 1 : -1;
  for (size_t i = 0; i < runs_.size(); ++i) {
    const MeshRun& run = *runs_[i];
    if (run.closedWinding == 0) continue;
    bool inFront = true;
    for (int corner = 0; corner < 8 && inFront; ++corner) {
      const double x = (corner & 1) ? run.boxMax[0] : run.boxMin[0];
      const double y = (corner & 2) ? run.boxMax[1] : run.boxMin[1];
      const double z = (corner & 4) ? run.boxMax[2] : run.boxMin[2];
      const double cz = pm[2] * x + pm[6] * y + pm[10] * z + pm[14];
      const double cw = pm[3] * x + pm[7] * y + pm[11] * z + pm[15];
      // Clearly in front of the near plane (z > -w in clip space).
      inFront = cw > 0.0 && cz + cw > 1e-6 * cw;
    }
    if (inFront) cull_[i] = run.closedWinding * turn > 0 ? GL_BACK : GL_FRONT;
  }
}
