#include "mesh/Mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

bool Same(const float* a, const float* b, int n) {
  return std::memcmp(a, b, static_cast<size_t>(n) * sizeof(float)) == 0;
}

}  // namespace

bool MeshRun::Joins(const MeshRun& o) const {
  if (kind != o.kind || lit != o.lit || opaque != o.opaque || picture != o.picture || lineWidth != o.lineWidth)
    return false;
  if (!lit) return true;
  return Same(ambient, o.ambient, 4) && Same(specular, o.specular, 4) && Same(emission, o.emission, 4) &&
         shininess == o.shininess;
}

void MeshRun::MeasureClosure() {
  closedWinding = 0;
  if (vertices.empty()) return;
  for (int k = 0; k < 3; ++k) boxMin[k] = boxMax[k] = vertices[0].p[k];
  for (const MeshVertex& v : vertices)
    for (int k = 0; k < 3; ++k) {
      boxMin[k] = std::fmin(boxMin[k], v.p[k]);
      boxMax[k] = std::fmax(boxMax[k], v.p[k]);
    }
  if (kind != RunKind::Triangles || !opaque || indices.empty()) return;

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
  const float* o = vertices[0].p;
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
    const float* pa = vertices[indices[t]].p;
    const float* pb = vertices[indices[t + (flip[f] ? 2 : 1)]].p;
    const float* pc = vertices[indices[t + (flip[f] ? 1 : 2)]].p;
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

bool Mesh::Bounds(float lo[3], float hi[3]) const {
  bool any = false;
  for (const MeshRun& run : runs) {
    if (run.vertices.empty()) continue;
    for (int k = 0; k < 3; ++k) {
      lo[k] = any ? std::fmin(lo[k], run.boxMin[k]) : run.boxMin[k];
      hi[k] = any ? std::fmax(hi[k], run.boxMax[k]) : run.boxMax[k];
    }
    any = true;
  }
  return any;
}

size_t Mesh::Bytes() const {
  size_t n = runs.capacity() * sizeof(MeshRun);
  for (const MeshRun& run : runs)
    n += run.vertices.capacity() * sizeof(MeshVertex) + run.indices.capacity() * sizeof(uint32_t);
  return n;
}

Mesh Mesh::Piece(size_t p) const {
  Mesh piece;
  if (p >= pieces.size()) return piece;
  const size_t from = std::min(pieces[p].first, runs.size());
  const size_t to = p + 1 < pieces.size() ? std::min(pieces[p + 1].first, runs.size()) : runs.size();
  if (from >= to) return piece;
  piece.runs.assign(runs.begin() + static_cast<long>(from), runs.begin() + static_cast<long>(to));
  for (const MeshRun& r : piece.runs) piece.vertexCount += r.vertices.size();
  return piece;
}
