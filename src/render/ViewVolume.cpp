#include "render/ViewVolume.h"

#include <cmath>

#include "render/GlHeaders.h"

ViewVolume CurrentViewVolume() {
  ViewVolume v;
  GLdouble p[16], m[16];
  GLint vp[4] = {0, 0, 0, 0};
  glGetDoublev(GL_PROJECTION_MATRIX, p);
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  glGetIntegerv(GL_VIEWPORT, vp);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double s = 0.0;
      for (int k = 0; k < 4; ++k) s += p[k * 4 + r] * m[c * 4 + k];
      v.clip[c * 4 + r] = s;
    }
  v.width = vp[2];
  v.height = vp[3];
  bool finite = v.width > 0 && v.height > 0;
  for (double x : v.clip) finite = finite && std::isfinite(x);
  v.valid = finite;
  return v;
}

bool OutsideView(const ViewVolume& view, const ObjectBounds& b) {
  if (b.drawsNothing) return true;
  if (!view.valid || !b.bounded) return false;
  // Half the line width and two pixels of smoothing and rounding, as a
  // fraction of the half-picture that normalised coordinates span.
  const double px = b.linePixels / 2.0 + 2.0;
  const double mx = 1.0 + 2.0 * px / view.width;
  const double my = 1.0 + 2.0 * px / view.height;
  // Depth is clipped exactly; a hair of slack for rounding.
  const double mz = 1.0 + 1e-6;
  // For each of the six sides, whether every corner so far is beyond it.
  bool beyond[6] = {true, true, true, true, true, true};
  for (const auto& c : b.corner) {
    double q[4];
    for (int r = 0; r < 4; ++r)
      q[r] = view.clip[r] * c[0] + view.clip[4 + r] * c[1] + view.clip[8 + r] * c[2] + view.clip[12 + r];
    const double w = q[3];
    beyond[0] = beyond[0] && q[0] > mx * w;
    beyond[1] = beyond[1] && q[0] < -mx * w;
    beyond[2] = beyond[2] && q[1] > my * w;
    beyond[3] = beyond[3] && q[1] < -my * w;
    beyond[4] = beyond[4] && q[2] > mz * w;
    beyond[5] = beyond[5] && q[2] < -mz * w;
  }
  for (bool side : beyond)
    if (side) return true;
  return false;
}
