#include "headless/HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include "render/GlHeaders.h"

namespace {

// Framebuffer objects are GL 3.0; fetch them at run time so nothing beyond
// GL 1.1 is needed at link time.
using GenFn = void (*)(GLsizei, GLuint*);
using BindFn = void (*)(GLenum, GLuint);
using StorageFn = void (*)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void (*)(GLenum, GLenum, GLenum, GLuint);
using StatusFn = GLenum (*)(GLenum);
using DeleteFn = void (*)(GLsizei, const GLuint*);

constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kRenderbuffer = 0x8D41;
constexpr GLenum kColorAttachment0 = 0x8CE0;
constexpr GLenum kDepthAttachment = 0x8D00;
constexpr GLenum kFramebufferComplete = 0x8CD5;
constexpr GLenum kDepthComponent24 = 0x81A6;
constexpr GLenum kRgba8 = 0x8058;

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
#define TESSALY_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSALY_LEAK_CHECKED 1
#endif
#endif

#ifdef TESSALY_LEAK_CHECKED
// What the GL driver and EGL keep for the life of the process is no leak
// of this program. Built in, so that a sanitizer run's exit code means the
// same with or without the project's suppression file.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libEGL\nleak:libEGL_mesa\nleak:libGLX\nleak:libgallium\nleak:libLLVM\nleak:libglapi\n"
         "leak:swrast_dri\nleak:libdrm\nleak:libfontconfig\nleak:libQt6\n";
}
#endif

void KeepGlDriverLoaded() {
  // eglTerminate unloads the driver before the leak check runs at exit; its
  // frames could then no longer be named and no suppression would match.
  // Pinning the loaded driver keeps them nameable.
  static const bool pinned = [] {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
          const char* name = info->dlpi_name;
          if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium") ||
                       std::strstr(name, "libEGL_mesa") || std::strstr(name, "libglapi")))
            dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
          return 0;
        },
        nullptr);
    return true;
  }();
  (void)pinned;
}

HeadlessContext::HeadlessContext(int width, int height) : width_(width), height_(height) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) {
    error_ = "eglGetPlatformDisplayEXT is not available";
    return;
  }
  EGLDisplay dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) {
    error_ = "cannot initialise the surfaceless EGL display";
    return;
  }
  display_ = dpy;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error_ = "EGL cannot bind desktop OpenGL";
    return;
  }

  const EGLint pbufferAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                   EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 24,
                                   EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  const EGLint anyAttribs[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                               EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  bool pbuffer = eglChooseConfig(dpy, pbufferAttribs, &config, 1, &count) && count > 0;
  if (!pbuffer && !(eglChooseConfig(dpy, anyAttribs, &config, 1, &count) && count > 0)) {
    error_ = "no EGL config for desktop OpenGL";
    return;
  }

  const EGLint ctxAttribs[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, ctxAttribs);
  if (ctx == EGL_NO_CONTEXT) {
    error_ = "cannot create a compatibility-profile GL context";
    return;
  }
  context_ = ctx;

  if (pbuffer) {
    const EGLint surfAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surf = eglCreatePbufferSurface(dpy, config, surfAttribs);
    if (surf != EGL_NO_SURFACE) surface_ = surf;
  }
  if (!eglMakeCurrent(dpy, surface_ ? surface_ : EGL_NO_SURFACE, surface_ ? surface_ : EGL_NO_SURFACE,
                      ctx)) {
    error_ = "cannot make the headless context current";
    return;
  }
  if (!surface_ && !CreateFramebuffer()) return;
  glViewport(0, 0, width, height);
#ifdef TESSALY_LEAK_CHECKED
  KeepGlDriverLoaded();
#endif
  ok_ = true;
}

bool HeadlessContext::CreateFramebuffer() {
  auto gen = reinterpret_cast<GenFn>(eglGetProcAddress("glGenFramebuffers"));
  auto bind = reinterpret_cast<BindFn>(eglGetProcAddress("glBindFramebuffer"));
  auto genRb = reinterpret_cast<GenFn>(eglGetProcAddress("glGenRenderbuffers"));
  auto bindRb = reinterpret_cast<BindFn>(eglGetProcAddress("glBindRenderbuffer"));
  auto storage = reinterpret_cast<StorageFn>(eglGetProcAddress("glRenderbufferStorage"));
  auto attach = reinterpret_cast<AttachFn>(eglGetProcAddress("glFramebufferRenderbuffer"));
  auto status = reinterpret_cast<StatusFn>(eglGetProcAddress("glCheckFramebufferStatus"));
  if (!gen || !bind || !genRb || !bindRb || !storage || !attach || !status) {
    error_ = "framebuffer objects are not available";
    return false;
  }
  gen(1, &fbo_);
  bind(kFramebuffer, fbo_);
  genRb(1, &colorRb_);
  bindRb(kRenderbuffer, colorRb_);
  storage(kRenderbuffer, kRgba8, width_, height_);
  attach(kFramebuffer, kColorAttachment0, kRenderbuffer, colorRb_);
  genRb(1, &depthRb_);
  bindRb(kRenderbuffer, depthRb_);
  storage(kRenderbuffer, kDepthComponent24, width_, height_);
  attach(kFramebuffer, kDepthAttachment, kRenderbuffer, depthRb_);
  if (status(kFramebuffer) != kFramebufferComplete) {
    error_ = "the framebuffer object is incomplete";
    return false;
  }
  return true;
}

HeadlessContext::~HeadlessContext() {
  if (!display_) return;
  EGLDisplay dpy = static_cast<EGLDisplay>(display_);
  if (fbo_ && context_ && MakeCurrent()) {
    auto delFb = reinterpret_cast<DeleteFn>(eglGetProcAddress("glDeleteFramebuffers"));
    auto delRb = reinterpret_cast<DeleteFn>(eglGetProcAddress("glDeleteRenderbuffers"));
    if (delFb) delFb(1, &fbo_);
    GLuint rbs[2] = {colorRb_, depthRb_};
    if (delRb) delRb(2, rbs);
  }
  eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (surface_) eglDestroySurface(dpy, static_cast<EGLSurface>(surface_));
  if (context_) eglDestroyContext(dpy, static_cast<EGLContext>(context_));
  eglTerminate(dpy);
}

bool HeadlessContext::MakeCurrent() {
  if (!context_) return false;
  EGLSurface s = surface_ ? static_cast<EGLSurface>(surface_) : EGL_NO_SURFACE;
  if (!eglMakeCurrent(static_cast<EGLDisplay>(display_), s, s, static_cast<EGLContext>(context_)))
    return false;
  if (fbo_) {
    auto bind = reinterpret_cast<BindFn>(eglGetProcAddress("glBindFramebuffer"));
    if (bind) bind(kFramebuffer, fbo_);
  }
  return true;
}

void HeadlessContext::DoneCurrent() {
  // Tests keep working with the context between frames; releasing it would
  // only make them re-bind it. The program's own surface really releases.
}

void HeadlessContext::SwapBuffers() { glFinish(); }

std::vector<uint8_t> HeadlessContext::ReadPixels() const {
  std::vector<uint8_t> rgba(static_cast<size_t>(width_) * height_ * 4);
  GLint pack = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glFinish();
  std::vector<uint8_t> bottomUp(rgba.size());
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, pack);
  const size_t row = static_cast<size_t>(width_) * 4;
  for (int y = 0; y < height_; ++y)
    std::copy(bottomUp.begin() + static_cast<long>(y * row), bottomUp.begin() + static_cast<long>((y + 1) * row),
              rgba.begin() + static_cast<long>((height_ - 1 - y) * row));
  return rgba;
}
