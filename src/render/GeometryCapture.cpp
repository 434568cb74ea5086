#include "render/GeometryCapture.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <array>
#include <numeric>
#include <unordered_map>

namespace {

// A 4x4 matrix, column-major as GL keeps it.
struct Mat4 {
  double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  void MultiplyBy(const double* r) {
    double out[16];
    for (int c = 0; c < 4; ++c)
      for (int row = 0; row < 4; ++row) {
        double s = 0.0;
        for (int k = 0; k < 4; ++k) s += m[k * 4 + row] * r[c * 4 + k];
        out[c * 4 + row] = s;
      }
    std::memcpy(m, out, sizeof(m));
  }
};

void Copy4(GLfloat* dst, const GLfloat* src) {
  std::memcpy(dst, src, 4 * sizeof(GLfloat));
}
bool Same(const GLfloat* a, const GLfloat* b, int n) {
  return std::memcmp(a, b, static_cast<size_t>(n) * sizeof(GLfloat)) == 0;
}

struct Recorder {
  bool lit = false;
  const char* failure = nullptr;
  CurrentValues cur;
  CurrentValues start;
  bool setN = false, setC = false, setT = false;
  bool setAmb = false, setDiff = false, setSpec = false, setEmi = false, setShin = false;
  bool readN = false, readC = false, readT = false;
  bool readMat[5] = {};
  bool normalize = false, textured = false;
  GLint texture = 0;
  GLfloat lineWidth = 1.0f;
  std::vector<Mat4> stack;
  Mat4 model;
  double normalMatrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  bool normalMatrixStale = false;
  bool inBegin = false;
  GLenum mode = GL_POINTS;
  // The material the primitive's first vertex was lit with: the rest of
  // it must keep it, but for the diffuse colour.
  CurrentValues primMaterial;
  std::vector<CapturedVertex> prim;
  std::vector<CapturedRun> runs;
  size_t vertexCount = 0;

  void Fail(const char* why) {
    if (!failure) failure = why;
  }

  // The inverse transpose of the model matrix's upper 3x3, which is what
  // GL turns normals with.
  void UpdateNormalMatrix() {
    const double* m = model.m;
    const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const double A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const double det = a * A + b * B + c * C;
    if (det == 0.0 || !std::isfinite(det)) {
      Fail("a singular matrix");
      return;
    }
    const double D = -(b * i - c * h), E = a * i - c * g, F = -(a * h - b * g);
    const double G = b * f - c * e, H = -(a * f - c * d), I = a * e - b * d;
    // Inverse = adj / det with adj = cofactor^T; its transpose is the
    // cofactor matrix / det. Rows of the result: (A B C), (D E F), (G H I).
    const double r[9] = {A / det, B / det, C / det, D / det, E / det, F / det, G / det, H / det, I / det};
    std::memcpy(normalMatrix, r, sizeof(r));
    normalMatrixStale = false;
  }

  void Vertex(double x, double y, double z) {
    if (!inBegin) {
      Fail("a vertex outside begin/end");
      return;
    }
    if (prim.empty()) primMaterial = cur;
    CapturedVertex v{};
    const double* m = model.m;
    v.p[0] = static_cast<GLfloat>(m[0] * x + m[4] * y + m[8] * z + m[12]);
    v.p[1] = static_cast<GLfloat>(m[1] * x + m[5] * y + m[9] * z + m[13]);
    v.p[2] = static_cast<GLfloat>(m[2] * x + m[6] * y + m[10] * z + m[14]);
    const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
    if (w != 1.0) Fail("a projective model matrix");
    if (normalMatrixStale) UpdateNormalMatrix();
    const double* n = normalMatrix;
    const double nx = cur.normal[0], ny = cur.normal[1], nz = cur.normal[2];
    // Row r of the normal matrix times the normal (row-major storage).
    v.n[0] = static_cast<GLfloat>(n[0] * nx + n[1] * ny + n[2] * nz);
    v.n[1] = static_cast<GLfloat>(n[3] * nx + n[4] * ny + n[5] * nz);
    v.n[2] = static_cast<GLfloat>(n[6] * nx + n[7] * ny + n[8] * nz);
    if (lit) {
      if (!setN) readN = true;
      const bool set[5] = {setAmb, setDiff, setSpec, setEmi, setShin};
      for (int k = 0; k < 5; ++k)
        if (!set[k]) readMat[k] = true;
      Copy4(v.c, cur.diffuse);
    } else {
      if (!setC) readC = true;
      Copy4(v.c, cur.color);
    }
    if (textured) {
      if (!setT) readT = true;
      v.t[0] = cur.texCoord[0];
      v.t[1] = cur.texCoord[1];
    }
    prim.push_back(v);
  }

  CapturedRun& RunFor(GLenum kind) {
    CapturedRun want;
    want.mode = kind;
    want.lit = lit;
    want.normalize = lit && normalize;
    want.textured = textured;
    want.opaque = kind == GL_TRIANGLES && !textured;
    for (const CapturedVertex& v : prim)
      if (v.c[3] != 1.0f) want.opaque = false;
    want.texture = textured ? static_cast<GLuint>(texture) : 0;
    want.lineWidth = kind == GL_LINES ? lineWidth : 1.0f;
    if (lit) {
      Copy4(want.ambient, primMaterial.ambient);
      Copy4(want.specular, primMaterial.specular);
      Copy4(want.emission, primMaterial.emission);
      want.shininess = primMaterial.shininess;
    }
    if (runs.empty() || !runs.back().Joins(want)) runs.push_back(std::move(want));
    return runs.back();
  }

  void EndPrimitive() {
    const size_t n = prim.size();
    GLenum kind = GL_TRIANGLES;
    switch (mode) {
      case GL_POINTS:
        kind = GL_POINTS;
        break;
      case GL_LINES:
      case GL_LINE_STRIP:
      case GL_LINE_LOOP:
        kind = GL_LINES;
        break;
      default:
        break;
    }
    std::vector<GLuint> idx;
    auto tri = [&](size_t a, size_t b, size_t c) {
      idx.push_back(static_cast<GLuint>(a));
      idx.push_back(static_cast<GLuint>(b));
      idx.push_back(static_cast<GLuint>(c));
    };
    auto line = [&](size_t a, size_t b) {
      idx.push_back(static_cast<GLuint>(a));
      idx.push_back(static_cast<GLuint>(b));
    };
    switch (mode) {
      case GL_POINTS:
        for (size_t i = 0; i < n; ++i) idx.push_back(static_cast<GLuint>(i));
        break;
      case GL_LINES:
        for (size_t i = 0; i + 1 < n; i += 2) line(i, i + 1);
        break;
      case GL_LINE_STRIP:
        for (size_t i = 0; i + 1 < n; ++i) line(i, i + 1);
        break;
      case GL_LINE_LOOP:
        for (size_t i = 0; i + 1 < n; ++i) line(i, i + 1);
        if (n >= 2) line(n - 1, 0);
        break;
      case GL_TRIANGLES:
        for (size_t i = 0; i + 2 < n; i += 3) tri(i, i + 1, i + 2);
        break;
      case GL_TRIANGLE_STRIP:
        for (size_t i = 0; i + 2 < n; ++i) {
          if (i % 2 == 0)
            tri(i, i + 1, i + 2);
          else
            tri(i + 1, i, i + 2);
        }
        break;
      case GL_TRIANGLE_FAN:
        for (size_t i = 1; i + 1 < n; ++i) tri(0, i, i + 1);
        break;
      case GL_QUADS:
        for (size_t i = 0; i + 3 < n; i += 4) {
          tri(i, i + 1, i + 3);
          tri(i + 1, i + 2, i + 3);
        }
        break;
      case GL_QUAD_STRIP:
        // Quad j runs 2j, 2j+1, 2j+3, 2j+2 around its edge.
        for (size_t i = 0; i + 3 < n; i += 2) {
          tri(i, i + 1, i + 2);
          tri(i + 1, i + 3, i + 2);
        }
        break;
      case GL_POLYGON:
        for (size_t i = 1; i + 1 < n; ++i) tri(i, i + 1, 0);
        break;
      default:
        Fail("an unknown primitive");
        return;
    }
    if (idx.empty()) return;
    CapturedRun& run = RunFor(kind);
    const GLuint base = static_cast<GLuint>(run.vertices.size());
    run.vertices.insert(run.vertices.end(), prim.begin(), prim.end());
    for (GLuint i : idx) run.indices.push_back(base + i);
    vertexCount += n;
  }
};

Recorder* gRec = nullptr;
const char* gLastFailure = "";

void Rotation(double angle, double x, double y, double z, double* r) {
  const double len = std::sqrt(x * x + y * y + z * z);
  for (int i = 0; i < 16; ++i) r[i] = (i % 5 == 0) ? 1.0 : 0.0;
  if (len == 0.0) return;
  x /= len, y /= len, z /= len;
  const double a = angle * M_PI / 180.0;
  const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
  // Column-major.
  r[0] = x * x * t + c, r[1] = y * x * t + z * s, r[2] = x * z * t - y * s;
  r[4] = x * y * t - z * s, r[5] = y * y * t + c, r[6] = y * z * t + x * s;
  r[8] = x * z * t + y * s, r[9] = y * z * t - x * s, r[10] = z * z * t + c;
}

}  // namespace

// ---------------------------------------------------------------------------
// The entry points. Outside a capture each is the GL function itself; the
// names are in parentheses so that no mapping applies to them here.

namespace gldraw {

void Begin(GLenum mode) {
  if (!gRec) return (glBegin)(mode);
  if (gRec->inBegin) gRec->Fail("a nested begin");
  gRec->inBegin = true;
  gRec->mode = mode;
  gRec->prim.clear();
}

void End() {
  if (!gRec) return (glEnd)();
  if (!gRec->inBegin) {
    gRec->Fail("an end without begin");
    return;
  }
  gRec->inBegin = false;
  gRec->EndPrimitive();
}

void Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gRec) return (glVertex3f)(x, y, z);
  gRec->Vertex(x, y, z);
}

void Normal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!gRec) return (glNormal3f)(x, y, z);
  gRec->cur.normal[0] = x, gRec->cur.normal[1] = y, gRec->cur.normal[2] = z;
  gRec->setN = true;
}

void TexCoord2f(GLfloat s, GLfloat t) {
  if (!gRec) return (glTexCoord2f)(s, t);
  gRec->cur.texCoord[0] = s, gRec->cur.texCoord[1] = t;
  gRec->setT = true;
}

void Color3f(GLfloat r, GLfloat g, GLfloat b) {
  if (!gRec) return (glColor3f)(r, g, b);
  const GLfloat c[4] = {r, g, b, 1.0f};
  Copy4(gRec->cur.color, c);
  gRec->setC = true;
}

void Materialfv(GLenum face, GLenum pname, const GLfloat* v) {
  if (!gRec) return (glMaterialfv)(face, pname, v);
  Recorder& r = *gRec;
  if (face != GL_FRONT_AND_BACK) return r.Fail("a material for one face");
  switch (pname) {
    case GL_AMBIENT:
      Copy4(r.cur.ambient, v), r.setAmb = true;
      break;
    case GL_DIFFUSE:
      Copy4(r.cur.diffuse, v), r.setDiff = true;
      break;
    case GL_SPECULAR:
      Copy4(r.cur.specular, v), r.setSpec = true;
      break;
    case GL_EMISSION:
      Copy4(r.cur.emission, v), r.setEmi = true;
      break;
    case GL_AMBIENT_AND_DIFFUSE:
      Copy4(r.cur.ambient, v), Copy4(r.cur.diffuse, v), r.setAmb = r.setDiff = true;
      break;
    case GL_SHININESS:
      // GL ignores a shininess outside 0..128.
      if (v[0] >= 0.0f && v[0] <= 128.0f) r.cur.shininess = v[0];
      r.setShin = true;
      break;
    default:
      r.Fail("an unknown material parameter");
  }
  // Within a primitive that has vertices, only the diffuse colour may
  // change: each vertex carries it.
  if (r.inBegin && !r.prim.empty()) {
    const CurrentValues& p = r.primMaterial;
    if (!(Same(p.ambient, r.cur.ambient, 4) && Same(p.specular, r.cur.specular, 4) &&
          Same(p.emission, r.cur.emission, 4) && p.shininess == r.cur.shininess))
      r.Fail("a material change inside a primitive");
  }
}

void Materialf(GLenum face, GLenum pname, GLfloat v) {
  if (!gRec) return (glMaterialf)(face, pname, v);
  if (pname != GL_SHININESS) return gRec->Fail("an unknown material parameter");
  Materialfv(face, pname, &v);
}

void PushMatrix() {
  if (!gRec) return (glPushMatrix)();
  gRec->stack.push_back(gRec->model);
}

void PopMatrix() {
  if (!gRec) return (glPopMatrix)();
  if (gRec->stack.empty()) return gRec->Fail("a pop of an empty stack");
  gRec->model = gRec->stack.back();
  gRec->stack.pop_back();
  gRec->normalMatrixStale = true;
}

void Translated(GLdouble x, GLdouble y, GLdouble z) {
  if (!gRec) return (glTranslated)(x, y, z);
  const double t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
  gRec->model.MultiplyBy(t);
}

void Translatef(GLfloat x, GLfloat y, GLfloat z) {
  if (!gRec) return (glTranslatef)(x, y, z);
  Translated(x, y, z);
}

void Rotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  if (!gRec) return (glRotated)(angle, x, y, z);
  double r[16];
  Rotation(angle, x, y, z, r);
  gRec->model.MultiplyBy(r);
  gRec->normalMatrixStale = true;
}

void Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  if (!gRec) return (glRotatef)(angle, x, y, z);
  Rotated(angle, x, y, z);
}

void Scaled(GLdouble x, GLdouble y, GLdouble z) {
  if (!gRec) return (glScaled)(x, y, z);
  const double s[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
  gRec->model.MultiplyBy(s);
  gRec->normalMatrixStale = true;
}

namespace {
void Switch(GLenum cap, bool on) {
  if (cap == GL_NORMALIZE)
    gRec->normalize = on;
  else if (cap == GL_TEXTURE_2D)
    gRec->textured = on;
  else
    gRec->Fail("another switch");
}
}  // namespace

void Enable(GLenum cap) {
  if (!gRec) return (glEnable)(cap);
  Switch(cap, true);
}

void Disable(GLenum cap) {
  if (!gRec) return (glDisable)(cap);
  Switch(cap, false);
}

GLboolean IsEnabled(GLenum cap) {
  if (gRec) {
    if (cap == GL_NORMALIZE) return gRec->normalize ? GL_TRUE : GL_FALSE;
    if (cap == GL_TEXTURE_2D) return gRec->textured ? GL_TRUE : GL_FALSE;
    if (cap == GL_LIGHTING) return gRec->lit ? GL_TRUE : GL_FALSE;
  }
  // Anything else is not switched while capturing: GL's answer holds.
  return (glIsEnabled)(cap);
}

void GetFloatv(GLenum pname, GLfloat* out) {
  if (gRec) {
    Recorder& r = *gRec;
    switch (pname) {
      case GL_LINE_WIDTH:
        *out = r.lineWidth;
        return;
      case GL_CURRENT_NORMAL:
        if (!r.setN) r.readN = true;
        std::memcpy(out, r.cur.normal, sizeof(r.cur.normal));
        return;
      case GL_CURRENT_COLOR:
        if (!r.setC) r.readC = true;
        Copy4(out, r.cur.color);
        return;
      case GL_MODELVIEW_MATRIX:
      case GL_PROJECTION_MATRIX:
        r.Fail("a matrix query");
        break;
      default:
        break;
    }
  }
  (glGetFloatv)(pname, out);
}

void GetIntegerv(GLenum pname, GLint* out) {
  if (gRec) {
    if (pname == GL_TEXTURE_BINDING_2D) {
      *out = gRec->texture;
      return;
    }
    if (pname == GL_MODELVIEW_STACK_DEPTH) gRec->Fail("a matrix query");
  }
  (glGetIntegerv)(pname, out);
}

void LineWidth(GLfloat width) {
  if (!gRec) return (glLineWidth)(width);
  if (gRec->inBegin) return gRec->Fail("a line width inside begin/end");
  // GL keeps the old width for a width that is not positive.
  if (width > 0.0f) gRec->lineWidth = width;
}

void BindTexture(GLenum target, GLuint name) {
  if (!gRec) return (glBindTexture)(target, name);
  if (target != GL_TEXTURE_2D) return gRec->Fail("another texture target");
  gRec->texture = static_cast<GLint>(name);
}

}  // namespace gldraw

// ---------------------------------------------------------------------------

CurrentValues CurrentValues::Query() {
  CurrentValues v;
  glGetFloatv(GL_CURRENT_NORMAL, v.normal);
  glGetFloatv(GL_CURRENT_COLOR, v.color);
  GLfloat tc[4] = {};
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, tc);
  v.texCoord[0] = tc[0], v.texCoord[1] = tc[1];
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, v.ambient);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v.diffuse);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, v.specular);
  glGetMaterialfv(GL_FRONT, GL_EMISSION, v.emission);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &v.shininess);
  return v;
}

void CurrentValues::Apply() const {
  glNormal3fv(normal);
  glColor4fv(color);
  glTexCoord2fv(texCoord);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

bool CapturedRun::Joins(const CapturedRun& o) const {
  if (mode != o.mode || lit != o.lit || opaque != o.opaque || normalize != o.normalize || textured != o.textured ||
      texture != o.texture || lineWidth != o.lineWidth)
    return false;
  if (!lit) return true;
  return Same(ambient, o.ambient, 4) && Same(specular, o.specular, 4) && Same(emission, o.emission, 4) &&
         shininess == o.shininess;
}

void CapturedRun::MeasureClosure() {
  closedWinding = 0;
  if (vertices.empty()) return;
  for (int k = 0; k < 3; ++k) boxMin[k] = boxMax[k] = vertices[0].p[k];
  for (const CapturedVertex& v : vertices)
    for (int k = 0; k < 3; ++k) {
      boxMin[k] = std::fmin(boxMin[k], v.p[k]);
      boxMax[k] = std::fmax(boxMax[k], v.p[k]);
    }
  if (mode != GL_TRIANGLES || !opaque || indices.empty()) return;

  // Corners that meet are the same point to the last bit.
  struct PointHash {
    size_t operator()(const std::array<uint32_t, 3>& p) const {
      return (static_cast<size_t>(p[0]) * 0x9E3779B1u) ^ (static_cast<size_t>(p[1]) * 0x85EBCA77u) ^
             (static_cast<size_t>(p[2]) * 0xC2B2AE3Du);
    }
  };
  std::unordered_map<std::array<uint32_t, 3>, uint32_t, PointHash> ids;
  std::vector<uint32_t> id(vertices.size());
  for (size_t i = 0; i < vertices.size(); ++i) {
    std::array<uint32_t, 3> key;
    for (int k = 0; k < 3; ++k) {
      const float f = vertices[i].p[k] == 0.0f ? 0.0f : vertices[i].p[k];  // -0 is 0
      std::memcpy(&key[k], &f, sizeof(f));
    }
    id[i] = ids.emplace(key, static_cast<uint32_t>(ids.size())).first->second;
  }
  // Triangles that have area, by their corners' ids.
  std::vector<std::array<uint32_t, 3>> tri;
  std::vector<size_t> at;  // where each starts in indices
  for (size_t t = 0; t + 2 < indices.size(); t += 3) {
    const uint32_t a = id[indices[t]], b = id[indices[t + 1]], c = id[indices[t + 2]];
    if (a == b || b == c || a == c) continue;  // no area: draws nothing
    tri.push_back({a, b, c});
    at.push_back(t);
  }
  if (tri.empty()) return;
  // Every edge must join exactly two faces. Which way a face turns does
  // not change how it is drawn, so faces are turned to agree with their
  // neighbours, piece by piece.
  std::unordered_map<uint64_t, std::array<uint32_t, 2>> edgeFaces;
  std::unordered_map<uint64_t, int> edgeCount;
  auto edgeKey = [](uint32_t u, uint32_t v) {
    return u < v ? (static_cast<uint64_t>(u) << 32) | v : (static_cast<uint64_t>(v) << 32) | u;
  };
  for (uint32_t f = 0; f < tri.size(); ++f)
    for (int k = 0; k < 3; ++k) {
      const uint64_t key = edgeKey(tri[f][k], tri[f][(k + 1) % 3]);
      const int n = edgeCount[key]++;
      if (n >= 2) return;
      edgeFaces[key][n] = f;
    }
  for (const auto& e : edgeCount)
    if (e.second != 2) return;
  // Does face f run u to v?
  auto runs = [&](uint32_t f, bool flipped, uint32_t u, uint32_t v) {
    for (int k = 0; k < 3; ++k) {
      const uint32_t p = tri[f][k], q = tri[f][(k + 1) % 3];
      if (p == u && q == v) return !flipped;
      if (p == v && q == u) return flipped;
    }
    return false;
  };
  std::vector<int> flip(tri.size(), -1);
  std::vector<uint32_t> piece(tri.size());
  std::vector<double> volume;
  const GLfloat* o = vertices[0].p;
  std::vector<uint32_t> queue;
  for (uint32_t seed = 0; seed < tri.size(); ++seed) {
    if (flip[seed] >= 0) continue;
    const uint32_t p = static_cast<uint32_t>(volume.size());
    volume.push_back(0.0);
    flip[seed] = 0;
    queue.assign(1, seed);
    while (!queue.empty()) {
      const uint32_t f = queue.back();
      queue.pop_back();
      piece[f] = p;
      for (int k = 0; k < 3; ++k) {
        uint32_t u = tri[f][k], v = tri[f][(k + 1) % 3];
        if (flip[f]) std::swap(u, v);  // f runs u to v
        const auto& pair = edgeFaces[edgeKey(u, v)];
        const uint32_t g = pair[0] == f ? pair[1] : pair[0];
        // The neighbour must run v to u.
        const bool want = !runs(g, false, v, u);
        if (flip[g] < 0) {
          flip[g] = want ? 1 : 0;
          queue.push_back(g);
        } else if (flip[g] != (want ? 1 : 0)) {
          return;  // a one-sided surface
        }
      }
    }
  }
  for (uint32_t f = 0; f < tri.size(); ++f) {
    const size_t t = at[f];
    const GLfloat* pa = vertices[indices[t]].p;
    const GLfloat* pb = vertices[indices[t + (flip[f] ? 2 : 1)]].p;
    const GLfloat* pc = vertices[indices[t + (flip[f] ? 1 : 2)]].p;
    const double px = pa[0] - o[0], py = pa[1] - o[1], pz = pa[2] - o[2];
    const double qx = pb[0] - o[0], qy = pb[1] - o[1], qz = pb[2] - o[2];
    const double rx = pc[0] - o[0], ry = pc[1] - o[1], rz = pc[2] - o[2];
    volume[piece[f]] += px * (qy * rz - qz * ry) + py * (qz * rx - qx * rz) + pz * (qx * ry - qy * rx);
  }
  // A piece too thin to tell its inside from its outside is not trusted.
  double size = 0.0;
  for (int k = 0; k < 3; ++k) size = std::fmax(size, static_cast<double>(boxMax[k]) - boxMin[k]);
  const double least = 1e-6 * size * size * size;
  for (double v : volume)
    if (!(std::fabs(v) > least)) return;
  // Every piece turned counter-clockwise seen from outside.
  for (uint32_t f = 0; f < tri.size(); ++f) {
    const bool inward = volume[piece[f]] < 0.0;
    if ((flip[f] != 0) != inward) std::swap(indices[at[f] + 1], indices[at[f] + 2]);
  }
  closedWinding = 1;
}

bool CapturedGeometry::MatchesInherited(const CurrentValues& now) const {
  if (readsNormal && !Same(start.normal, now.normal, 3)) return false;
  if (readsColor && !Same(start.color, now.color, 4)) return false;
  if (readsTexCoord && !Same(start.texCoord, now.texCoord, 2)) return false;
  const bool material[5] = {Same(start.ambient, now.ambient, 4), Same(start.diffuse, now.diffuse, 4),
                            Same(start.specular, now.specular, 4), Same(start.emission, now.emission, 4),
                            start.shininess == now.shininess};
  for (int k = 0; k < 5; ++k)
    if (readsMaterial[k] && !material[k]) return false;
  return true;
}

void CapturedGeometry::LeaveValues(CurrentValues& v) const {
  if (setsNormal) std::memcpy(v.normal, end.normal, sizeof(v.normal));
  if (setsColor) Copy4(v.color, end.color);
  if (setsTexCoord) std::memcpy(v.texCoord, end.texCoord, sizeof(v.texCoord));
  if (setsMaterial) {
    Copy4(v.ambient, end.ambient);
    Copy4(v.diffuse, end.diffuse);
    Copy4(v.specular, end.specular);
    Copy4(v.emission, end.emission);
    v.shininess = end.shininess;
  }
}

GeometryCapture::GeometryCapture(const CurrentValues& now, bool lit) {
  if (gRec) {
    gLastFailure = "a nested capture";
    return;
  }
  gRec = new Recorder;
  open_ = true;
  gRec->lit = lit;
  gRec->cur = now;
  gRec->start = now;
  gRec->normalize = (glIsEnabled)(GL_NORMALIZE) == GL_TRUE;
  gRec->textured = (glIsEnabled)(GL_TEXTURE_2D) == GL_TRUE;
  (glGetIntegerv)(GL_TEXTURE_BINDING_2D, &gRec->texture);
  (glGetFloatv)(GL_LINE_WIDTH, &gRec->lineWidth);
}

GeometryCapture::~GeometryCapture() {
  CapturedGeometry discard;
  Finish(discard);
}

bool GeometryCapture::Finish(CapturedGeometry& out) {
  if (!open_) return false;
  open_ = false;
  Recorder& r = *gRec;
  if (r.inBegin) r.Fail("a begin without end");
  if (!r.stack.empty()) r.Fail("a push without pop");
  // Switches the drawing left changed would have to be carried on.
  GLint texture = 0;
  (glGetIntegerv)(GL_TEXTURE_BINDING_2D, &texture);
  GLfloat width = 1.0f;
  (glGetFloatv)(GL_LINE_WIDTH, &width);
  if (r.normalize != ((glIsEnabled)(GL_NORMALIZE) == GL_TRUE) ||
      r.textured != ((glIsEnabled)(GL_TEXTURE_2D) == GL_TRUE) || r.texture != texture || r.lineWidth != width)
    r.Fail("a switch left changed");
  const bool ok = r.failure == nullptr;
  gLastFailure = ok ? "" : r.failure;
  if (ok) {
    for (CapturedRun& run : r.runs) run.MeasureClosure();
    out.runs = std::move(r.runs);
    out.readsNormal = r.readN;
    out.readsColor = r.readC;
    out.readsTexCoord = r.readT;
    std::memcpy(out.readsMaterial, r.readMat, sizeof(r.readMat));
    out.start = r.start;
    out.setsNormal = r.setN;
    out.setsColor = r.setC;
    out.setsTexCoord = r.setT;
    out.setsMaterial = r.setAmb || r.setDiff || r.setSpec || r.setEmi || r.setShin;
    out.end = r.cur;
    out.vertexCount = r.vertexCount;
  }
  delete gRec;
  gRec = nullptr;
  return ok;
}

const char* GeometryCapture::LastFailure() {
  return gLastFailure;
}

// ---------------------------------------------------------------------------

void BatchDrawer::Add(const CapturedGeometry& g) {
  for (const CapturedRun& run : g.runs) runs_.push_back(&run);
}

void BatchDrawer::Draw() {
  if (runs_.empty()) return;
  const bool normalizeWas = glIsEnabled(GL_NORMALIZE) == GL_TRUE;
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
  GLint colorFaceWas = GL_FRONT_AND_BACK, colorModeWas = GL_AMBIENT_AND_DIFFUSE;
  glGetIntegerv(GL_COLOR_MATERIAL_FACE, &colorFaceWas);
  glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &colorModeWas);

  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);

  bool normalize = normalizeWas, textured = texturedWas, colorMaterial = colorMaterialWas;
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
    const CapturedRun& first = *runs_[i];
    size_t j = i + 1;
    while (j < runs_.size() && runs_[j]->Joins(first) && cull_[j] == cull_[i]) ++j;
    const bool joined = j - i > 1;
    if (joined) {
      vertices_.clear();
      indices_.clear();
      for (size_t k = i; k < j; ++k) {
        const GLuint base = static_cast<GLuint>(vertices_.size());
        vertices_.insert(vertices_.end(), runs_[k]->vertices.begin(), runs_[k]->vertices.end());
        for (GLuint x : runs_[k]->indices) indices_.push_back(base + x);
      }
    }
    const CapturedVertex* v = joined ? vertices_.data() : first.vertices.data();
    const GLuint* idx = joined ? indices_.data() : first.indices.data();
    const size_t count = joined ? indices_.size() : first.indices.size();

    setSwitch(GL_COLOR_MATERIAL, colorMaterial, first.lit);
    // Skipping hidden faces changes nothing a GL that already skips faces
    // would draw.
    if (!cullWas) {
      setSwitch(GL_CULL_FACE, cull, cull_[i] != GL_NONE);
      if (cull_[i] != GL_NONE && cullFace != cull_[i]) glCullFace(cullFace = cull_[i]);
    }
    if (first.lit) {
      glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, first.ambient);
      glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, first.specular);
      glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, first.emission);
      glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, first.shininess);
    }
    if (first.lit) setSwitch(GL_NORMALIZE, normalize, first.normalize);
    setSwitch(GL_TEXTURE_2D, textured, first.textured);
    if (first.textured && texture != first.texture) {
      glBindTexture(GL_TEXTURE_2D, first.texture);
      texture = first.texture;
    }
    if (first.mode == GL_LINES && width != first.lineWidth) {
      glLineWidth(first.lineWidth);
      width = first.lineWidth;
    }
    if (first.textured)
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    else
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    const GLsizei stride = sizeof(CapturedVertex);
    glVertexPointer(3, GL_FLOAT, stride, v->p);
    glNormalPointer(GL_FLOAT, stride, v->n);
    glColorPointer(4, GL_FLOAT, stride, v->c);
    glTexCoordPointer(2, GL_FLOAT, stride, v->t);
    glDrawElements(first.mode, static_cast<GLsizei>(count), GL_UNSIGNED_INT, idx);
    i = j;
  }

  glPopClientAttrib();
  setSwitch(GL_COLOR_MATERIAL, colorMaterial, colorMaterialWas);
  glColorMaterial(static_cast<GLenum>(colorFaceWas), static_cast<GLenum>(colorModeWas));
  setSwitch(GL_NORMALIZE, normalize, normalizeWas);
  setSwitch(GL_CULL_FACE, cull, cullWas);
  if (cullFace != static_cast<GLenum>(cullFaceWas)) glCullFace(static_cast<GLenum>(cullFaceWas));
  setSwitch(GL_CULL_FACE, cull, false);
  setSwitch(GL_TEXTURE_2D, textured, texturedWas);
  if (texture != static_cast<GLuint>(textureWas)) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(textureWas));
  if (width != widthWas) glLineWidth(widthWas);
  runs_.clear();
  cull_.clear();
}

void BatchDrawer::DecideCulling() {
  cull_.assign(runs_.size(), GL_NONE);
  // Faces turned away from the eye are hidden by the rest of a closed
  // opaque surface only when depth is tested and written and the eye
  // looks at the surface from outside, with none of it cut open by the
  // near plane.
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  if (glIsEnabled(GL_DEPTH_TEST) != GL_TRUE || depthMask != GL_TRUE) return;
  GLint depthFunc = GL_LESS;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
  if (depthFunc != GL_LESS && depthFunc != GL_LEQUAL) return;
  double mv[16];
  Mat4 clip;  // projection times model-view
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, clip.m);
  clip.MultiplyBy(mv);
  const double* pm = clip.m;
  // A mirroring camera turns every winding over.
  const double det = mv[0] * (mv[5] * mv[10] - mv[9] * mv[6]) - mv[4] * (mv[1] * mv[10] - mv[9] * mv[2]) +
                     mv[8] * (mv[1] * mv[6] - mv[5] * mv[2]);
  if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) return;
  const int turn = det > 0.0 ? 1 : -1;
  for (size_t i = 0; i < runs_.size(); ++i) {
    const CapturedRun& run = *runs_[i];
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
