#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/RenderContext.h"

// Keeps the GL driver loaded for the life of the process, so that the leak
// checker can still name (and suppress) what it keeps; a sanitizer build's
// context does it by itself.
void KeepGlDriverLoaded();

// A GL context without any display: EGL on Mesa's surfaceless platform,
// compatibility profile, drawing into a pbuffer (or, where pbuffers are
// not offered, a framebuffer object) with colour and a 24-bit depth buffer.
class HeadlessContext : public GlSurface {
 public:
  HeadlessContext(int width, int height);
  ~HeadlessContext() override;
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  int width() const { return width_; }
  int height() const { return height_; }

  bool MakeCurrent() override;
  void DoneCurrent() override;
  void SwapBuffers() override;

  // RGBA pixels of the colour buffer, top row first.
  std::vector<uint8_t> ReadPixels() const;

 private:
  bool CreateFramebuffer();

  int width_, height_;
  bool ok_ = false;
  std::string error_;
  void* display_ = nullptr;
  void* context_ = nullptr;
  void* surface_ = nullptr;
  unsigned fbo_ = 0, colorRb_ = 0, depthRb_ = 0;
};
