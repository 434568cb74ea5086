#pragma once

#include <cstdint>

#include "objects/Rgb.h"

// Whatever binds a GL context to a drawing surface: the window's panel in
// the program, an EGL pbuffer in tests and batch rendering.
class GlSurface {
 public:
  virtual ~GlSurface() = default;
  virtual bool MakeCurrent() = 0;
  virtual void DoneCurrent() = 0;
  virtual void SwapBuffers() = 0;
};

// The one GL context of the drawing panel.
struct RenderContext {
  GlSurface* surface = nullptr;
  bool created = false;
};

// Binds the context to the surface, sets the clear colour and the state
// that never changes afterwards; leaves no context current.
void InitRenderContext(RenderContext& rc, GlSurface* surface, Color clear);
// Makes the context current and sets the clear colour (alpha 0); leaves
// the context current.
void SetClearColor(RenderContext& rc, Color c);
// Viewport and projection for a panel of width x height pixels. A panel
// without area (minimised, collapsed) keeps the previous projection.
void SetProjection(RenderContext& rc, int width, int height, bool ortho);
// Makes no context current and forgets the surface.
void ReleaseRenderContext(RenderContext& rc);

// The GL calls behind the operations above, for a context that is already
// current (headless rendering uses them directly).
void ApplyFixedRenderState();
void ApplyClearColor(Color c);
// Returns false, and changes nothing, for a width or height below 1.
bool ApplyProjection(int width, int height, bool ortho);
