#include "mesh/MeshPick.h"

#include <algorithm>

namespace {

struct Clip4 {
  double v[4];
};

// The region's own clip space: the pick square stretched over -w..w.
Clip4 ToRegion(const PickRegion& r, const float* p) {
  const double* m = r.clip;
  Clip4 c;
  for (int row = 0; row < 4; ++row)
    c.v[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row];
  const double sx = r.viewport[2] / r.side, sy = r.viewport[3] / r.side;
  const double tx = (r.viewport[2] - 2.0 * (r.x - r.viewport[0])) / r.side;
  const double ty = (r.viewport[3] - 2.0 * (r.y - r.viewport[1])) / r.side;
  c.v[0] = sx * c.v[0] + tx * c.v[3];
  c.v[1] = sy * c.v[1] + ty * c.v[3];
  return c;
}

// Distance inside plane k of the six (-w <= x, x <= w, y, z alike).
double Inside(const Clip4& c, int k) {
  const double s = c.v[k / 2];
  return (k % 2 == 0) ? c.v[3] + s : c.v[3] - s;
}

// Clips the polygon (1 to n corners) to the region's volume; returns the
// least depth left, or -1 when nothing is left.
double ClippedDepth(Clip4* poly, int n) {
  Clip4 a[16], b[16];
  std::copy(poly, poly + n, a);
  Clip4* in = a;
  Clip4* out = b;
  for (int k = 0; k < 6 && n > 0; ++k) {
    int m = 0;
    if (n == 1) {
      if (Inside(in[0], k) >= 0.0) out[m++] = in[0];
    } else {
      const int edges = n == 2 ? 1 : n;
      for (int i = 0; i < edges; ++i) {
        const Clip4& p = in[i];
        const Clip4& q = in[(i + 1) % n];
        const double dp = Inside(p, k), dq = Inside(q, k);
        if (dp >= 0.0 && (n > 2 || i == 0)) out[m++] = p;
        if ((dp >= 0.0) != (dq >= 0.0)) {
          const double t = dp / (dp - dq);
          Clip4 c;
          for (int j = 0; j < 4; ++j) c.v[j] = p.v[j] + t * (q.v[j] - p.v[j]);
          out[m++] = c;
        }
        if (n == 2 && dq >= 0.0) out[m++] = q;
      }
    }
    n = m;
    std::swap(in, out);
  }
  if (n == 0) return -1.0;
  double least = 2.0;
  for (int i = 0; i < n; ++i)
    if (in[i].v[3] > 0.0) least = std::min(least, (in[i].v[2] / in[i].v[3] + 1.0) / 2.0);
  return least <= 1.0 ? std::max(least, 0.0) : -1.0;
}

}  // namespace

double PickDepth(const Mesh& m, const PickRegion& r) {
  double best = -1.0;
  auto take = [&](double d) {
    if (d >= 0.0 && (best < 0.0 || d < best)) best = d;
  };
  for (const MeshRun& run : m.runs) {
    const int per = run.kind == RunKind::Triangles ? 3 : run.kind == RunKind::Lines ? 2 : 1;
    for (size_t i = 0; i + per <= run.indices.size(); i += per) {
      Clip4 poly[3];
      for (int k = 0; k < per; ++k) poly[k] = ToRegion(r, run.vertices[run.indices[i + k]].p);
      take(ClippedDepth(poly, per));
    }
  }
  return best;
}
