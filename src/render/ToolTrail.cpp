#include "render/ToolTrail.h"

#include <cmath>

#include "render/GlHeaders.h"

void ToolTrail::Add(const double p[3]) {
  for (int k = 0; k < 3; ++k)
    if (!std::isfinite(p[k])) return;
  const float q[3] = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
  if (count_ > 0) {
    const float* last = Point(count_ - 1);
    if (last[0] == q[0] && last[1] == q[1] && last[2] == q[2]) return;
  }
  int slot;
  if (count_ < kCapacity) {
    slot = (start_ + count_) % kCapacity;
    ++count_;
  } else {
    slot = start_;
    start_ = (start_ + 1) % kCapacity;
  }
  for (int k = 0; k < 3; ++k) points_[static_cast<size_t>(slot) * 3 + static_cast<size_t>(k)] = q[k];
}

void DrawToolTrail(const ToolTrail& trail) {
  if (trail.Size() < 2) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_FOG);
  glDisable(GL_BLEND);
  glLineWidth(2.0f);
  glBegin(GL_LINE_STRIP);
  const int n = trail.Size();
  for (int i = 0; i < n; ++i) {
    // From a dark to a bright magenta, so the direction of travel shows.
    const float f = 0.35f + 0.65f * static_cast<float>(i) / static_cast<float>(n - 1);
    glColor3f(f, 0.0f, 0.8f * f);
    glVertex3fv(trail.Point(i));
  }
  glEnd();
  glPopAttrib();
}
