#include "render/RenderContext.h"

#include "render/GlHeaders.h"

void ApplyFixedRenderState() {
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLineWidth(1.0f);
}

void ApplyClearColor(Color c) {
  const Rgb rgb = ColorToRgb(c);
  glClearColor(rgb.r, rgb.g, rgb.b, 0.0f);
}

bool ApplyProjection(int width, int height, bool ortho) {
  if (width < 1 || height < 1) return false;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float aspect = static_cast<float>(static_cast<double>(width) / static_cast<double>(height));
  if (ortho) {
    glOrtho(-aspect, aspect, -1.0, 1.0, -100.0, 100.0);
  } else {
    gluPerspective(15.0, aspect, 1.0, 100.0);
  }
  glMatrixMode(GL_MODELVIEW);
  return true;
}

void InitRenderContext(RenderContext& rc, GlSurface* surface, Color clear) {
  rc.surface = surface;
  rc.created = surface != nullptr && surface->MakeCurrent();
  if (!rc.created) return;
  ApplyClearColor(clear);
  ApplyFixedRenderState();
  rc.surface->DoneCurrent();
}

void SetClearColor(RenderContext& rc, Color c) {
  if (!rc.created || !rc.surface->MakeCurrent()) return;
  ApplyClearColor(c);
}

void SetProjection(RenderContext& rc, int width, int height, bool ortho) {
  if (!rc.created || !rc.surface->MakeCurrent()) return;
  ApplyProjection(width, height, ortho);
  rc.surface->DoneCurrent();
}

void ReleaseRenderContext(RenderContext& rc) {
  if (rc.created && rc.surface) rc.surface->DoneCurrent();
  rc.created = false;
  rc.surface = nullptr;
}
