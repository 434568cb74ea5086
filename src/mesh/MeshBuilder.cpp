#include "mesh/MeshBuilder.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace {

void Copy4(float* dst, const float* src) {
  std::memcpy(dst, src, 4 * sizeof(float));
}

void Rotation(double angle, double x, double y, double z, double* r) {
  const double len = std::sqrt(x * x + y * y + z * z);
  for (int i = 0; i < 16; ++i) r[i] = (i % 5 == 0) ? 1.0 : 0.0;
  if (!(len > 0.0)) return;
  x /= len, y /= len, z /= len;
  const double a = angle * M_PI / 180.0;
  const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
  // Column-major.
  r[0] = x * x * t + c, r[1] = y * x * t + z * s, r[2] = x * z * t - y * s;
  r[4] = x * y * t - z * s, r[5] = y * y * t + c, r[6] = y * z * t + x * s;
  r[8] = x * z * t + y * s, r[9] = y * z * t - x * s, r[10] = z * z * t + c;
}

}  // namespace

void MultiplyMatrices(const double a[16], const double b[16], double out[16]) {
  double r[16];
  for (int c = 0; c < 4; ++c)
    for (int row = 0; row < 4; ++row) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k) s += a[k * 4 + row] * b[c * 4 + k];
      r[c * 4 + row] = s;
    }
  std::memcpy(out, r, sizeof(r));
}

MeshBuilder::MeshBuilder(const BuildInputs& inputs) : inputs_(inputs) {}

void MeshBuilder::Fail(const char* why) {
  if (!failure_) failure_ = why;
}

// The inverse transpose of the frame's upper 3x3, which is what normals
// are carried with.
void MeshBuilder::UpdateNormalMatrix() {
  normalMatrixStale_ = false;
  const double* m = model_.m;
  const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
  const double A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
  const double det = a * A + b * B + c * C;
  if (det == 0.0 || !std::isfinite(det)) {
    // A frame scaled flat: its faces have no direction to light.
    std::memset(normalMatrix_, 0, sizeof(normalMatrix_));
    return;
  }
  const double D = -(b * i - c * h), E = a * i - c * g, F = -(a * h - b * g);
  const double G = b * f - c * e, H = -(a * f - c * d), I = a * e - b * d;
  // Rows of the result: (A B C), (D E F), (G H I), over det.
  const double r[9] = {A / det, B / det, C / det, D / det, E / det, F / det, G / det, H / det, I / det};
  std::memcpy(normalMatrix_, r, sizeof(r));
}

void MeshBuilder::Begin(Prim p) {
  if (inBegin_) {
    Fail("a nested begin");
    End();
  }
  inBegin_ = true;
  prim_ = p;
  primVertices_.clear();
}

void MeshBuilder::End() {
  if (!inBegin_) {
    Fail("an end without begin");
    return;
  }
  inBegin_ = false;
  EndPrimitive();
}

void MeshBuilder::Vertex(double x, double y, double z) {
  if (!inBegin_) {
    Fail("a vertex outside begin/end");
    return;
  }
  if (primVertices_.empty()) primMaterial_ = material_;
  primVertices_.push_back(Made(x, y, z));
}

// A corner at local (x, y, z) with the current normal, colour and picture
// coordinate, carried into the mesh's frame.
MeshVertex MeshBuilder::Made(double x, double y, double z) {
  MeshVertex v{};
  const double* m = model_.m;
  v.p[0] = static_cast<float>(m[0] * x + m[4] * y + m[8] * z + m[12]);
  v.p[1] = static_cast<float>(m[1] * x + m[5] * y + m[9] * z + m[13]);
  v.p[2] = static_cast<float>(m[2] * x + m[6] * y + m[10] * z + m[14]);
  if (normalMatrixStale_) UpdateNormalMatrix();
  const double* n = normalMatrix_;
  const double nx = normal_[0], ny = normal_[1], nz = normal_[2];
  double out[3] = {n[0] * nx + n[1] * ny + n[2] * nz, n[3] * nx + n[4] * ny + n[5] * nz,
                   n[6] * nx + n[7] * ny + n[8] * nz};
  if (normalize_) {
    const double len = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (len > 0.0)
      for (double& c : out) c /= len;
  }
  for (int k = 0; k < 3; ++k) v.n[k] = static_cast<float>(out[k]);
  Copy4(v.c, inputs_.lit ? material_.diffuse : color_);
  if (picture_ >= 0) {
    v.t[0] = texCoord_[0];
    v.t[1] = texCoord_[1];
  }
  return v;
}

void MeshBuilder::IndexedTriangles(const float* positions, const float* normals, size_t vertexCount,
                                   const uint32_t* indices, size_t indexCount) {
  AddIndexed(RunKind::Triangles, positions, normals, vertexCount, indices, indexCount);
}

void MeshBuilder::IndexedLines(const float* positions, size_t vertexCount, const uint32_t* indices,
                               size_t indexCount) {
  AddIndexed(RunKind::Lines, positions, nullptr, vertexCount, indices, indexCount);
}

void MeshBuilder::AddIndexed(RunKind kind, const float* positions, const float* normals, size_t vertexCount,
                             const uint32_t* indices, size_t indexCount) {
  if (inBegin_) return Fail("indexed geometry inside begin/end");
  if (!positions || !indices || vertexCount == 0) return;
  const size_t per = kind == RunKind::Triangles ? 3 : 2;
  primMaterial_ = material_;
  const float keep[3] = {normal_[0], normal_[1], normal_[2]};
  primVertices_.clear();
  primVertices_.reserve(vertexCount);
  for (size_t i = 0; i < vertexCount; ++i) {
    if (normals) Normal(normals[3 * i], normals[3 * i + 1], normals[3 * i + 2]);
    primVertices_.push_back(Made(positions[3 * i], positions[3 * i + 1], positions[3 * i + 2]));
  }
  std::copy(keep, keep + 3, normal_);
  MeshRun& run = RunFor(kind, primVertices_);
  const uint32_t base = static_cast<uint32_t>(run.vertices.size());
  run.vertices.insert(run.vertices.end(), primVertices_.begin(), primVertices_.end());
  run.indices.reserve(run.indices.size() + indexCount);
  for (size_t i = 0; i + per <= indexCount; i += per) {
    bool inside = true;
    for (size_t k = 0; k < per; ++k) inside = inside && indices[i + k] < vertexCount;
    if (!inside) continue;
    for (size_t k = 0; k < per; ++k) run.indices.push_back(base + indices[i + k]);
  }
  mesh_.vertexCount += vertexCount;
  primVertices_.clear();
}


void MeshBuilder::Normal(double x, double y, double z) {
  normal_[0] = static_cast<float>(x), normal_[1] = static_cast<float>(y), normal_[2] = static_cast<float>(z);
}

void MeshBuilder::TexCoord(double s, double t) {
  texCoord_[0] = static_cast<float>(s), texCoord_[1] = static_cast<float>(t);
}

void MeshBuilder::Color(float r, float g, float b, float a) {
  const float c[4] = {r, g, b, a};
  Copy4(color_, c);
}

void MeshBuilder::SetMaterial(const MaterialValues& m) {
  material_ = m;
  // Fixed-function lighting takes no shininess outside 0..128.
  float& s = material_.shininess;
  if (!(s >= 0.0f)) s = 0.0f;
  if (s > 128.0f) s = 128.0f;
}

void MeshBuilder::Push() {
  stack_.push_back(model_);
}

void MeshBuilder::Pop() {
  if (stack_.empty()) return Fail("a pop of an empty stack");
  model_ = stack_.back();
  stack_.pop_back();
  normalMatrixStale_ = true;
}

void MeshBuilder::Translate(double x, double y, double z) {
  const double t[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
  model_.MultiplyBy(t);
}

void MeshBuilder::Rotate(double angle, double x, double y, double z) {
  double r[16];
  Rotation(angle, x, y, z, r);
  model_.MultiplyBy(r);
  normalMatrixStale_ = true;
}

void MeshBuilder::Scale(double x, double y, double z) {
  const double s[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
  model_.MultiplyBy(s);
  normalMatrixStale_ = true;
}

void MeshBuilder::SetLineWidth(float width) {
  if (inBegin_) return Fail("a line width inside begin/end");
  if (width > 0.0f && std::isfinite(width)) lineWidth_ = width;
}

MeshRun& MeshBuilder::RunFor(RunKind kind, const std::vector<MeshVertex>& vertices) {
  MeshRun want;
  want.kind = kind;
  want.lit = inputs_.lit;
  const bool textured = kind == RunKind::Triangles && picture_ >= 0;
  want.picture = textured ? picture_ : -1;
  want.opaque = kind == RunKind::Triangles && !textured;
  for (const MeshVertex& v : vertices)
    if (v.c[3] != 1.0f) want.opaque = false;
  want.lineWidth = kind == RunKind::Lines ? lineWidth_ : 1.0f;
  if (want.lit) {
    Copy4(want.ambient, primMaterial_.ambient);
    Copy4(want.specular, primMaterial_.specular);
    Copy4(want.emission, primMaterial_.emission);
    want.shininess = primMaterial_.shininess;
  }
  std::vector<MeshRun>& runs = mesh_.runs;
  if (runs.empty() || pieceStarts_ || !runs.back().Joins(want)) runs.push_back(std::move(want));
  pieceStarts_ = false;
  return runs.back();
}

void MeshBuilder::EndPrimitive() {
  const size_t n = primVertices_.size();
  RunKind kind = RunKind::Triangles;
  if (prim_ == Prim::Points) kind = RunKind::Points;
  if (prim_ == Prim::Lines || prim_ == Prim::LineStrip || prim_ == Prim::LineLoop) kind = RunKind::Lines;
  std::vector<uint32_t>& idx = primIndices_;
  idx.clear();
  auto tri = [&](size_t a, size_t b, size_t c) {
    idx.push_back(static_cast<uint32_t>(a));
    idx.push_back(static_cast<uint32_t>(b));
    idx.push_back(static_cast<uint32_t>(c));
  };
  auto line = [&](size_t a, size_t b) {
    idx.push_back(static_cast<uint32_t>(a));
    idx.push_back(static_cast<uint32_t>(b));
  };
  switch (prim_) {
    case Prim::Points:
      for (size_t i = 0; i < n; ++i) idx.push_back(static_cast<uint32_t>(i));
      break;
    case Prim::Lines:
      for (size_t i = 0; i + 1 < n; i += 2) line(i, i + 1);
      break;
    case Prim::LineStrip:
      for (size_t i = 0; i + 1 < n; ++i) line(i, i + 1);
      break;
    case Prim::LineLoop:
      for (size_t i = 0; i + 1 < n; ++i) line(i, i + 1);
      if (n >= 2) line(n - 1, 0);
      break;
    case Prim::Triangles:
      for (size_t i = 0; i + 2 < n; i += 3) tri(i, i + 1, i + 2);
      break;
    case Prim::TriangleStrip:
      for (size_t i = 0; i + 2 < n; ++i) {
        if (i % 2 == 0)
          tri(i, i + 1, i + 2);
        else
          tri(i + 1, i, i + 2);
      }
      break;
    case Prim::TriangleFan:
      for (size_t i = 1; i + 1 < n; ++i) tri(0, i, i + 1);
      break;
    case Prim::Quads:
      for (size_t i = 0; i + 3 < n; i += 4) {
        tri(i, i + 1, i + 3);
        tri(i + 1, i + 2, i + 3);
      }
      break;
    case Prim::QuadStrip:
      // Quad j runs 2j, 2j+1, 2j+3, 2j+2 around its edge.
      for (size_t i = 0; i + 3 < n; i += 2) {
        tri(i, i + 1, i + 2);
        tri(i + 1, i + 3, i + 2);
      }
      break;
    case Prim::Polygon:
      for (size_t i = 1; i + 1 < n; ++i) tri(i, i + 1, 0);
      break;
  }
  if (idx.empty()) return;
  MeshRun& run = RunFor(kind, primVertices_);
  const uint32_t base = static_cast<uint32_t>(run.vertices.size());
  run.vertices.insert(run.vertices.end(), primVertices_.begin(), primVertices_.end());
  for (uint32_t i : idx) run.indices.push_back(base + i);
  mesh_.vertexCount += n;
}

void MeshBuilder::StartPiece(const std::string& name) {
  pieceStarts_ = true;
  mesh_.pieces.emplace_back(mesh_.runs.size(), name);
}

Mesh MeshBuilder::Finish() {
  if (inBegin_) {
    Fail("a begin without end");
    End();
  }
  if (!stack_.empty()) Fail("a push without pop");
  static std::atomic<uint64_t> serials{0};
  for (MeshRun& run : mesh_.runs) {
    run.MeasureClosure();
    run.serial = ++serials;
  }
  Mesh out = std::move(mesh_);
  mesh_ = Mesh{};
  return out;
}
