#include <gtest/gtest.h>

#include <cmath>

#include "render/GlHeaders.h"
#include "render/RenderContext.h"
#include "support/GlFixture.h"

TEST(ColorToRgb, RedIsTheLowByte) {
  const Rgb c = ColorToRgb(0x00336699);
  EXPECT_FLOAT_EQ(c.r, 0x99 / 255.0f);
  EXPECT_FLOAT_EQ(c.g, 0x66 / 255.0f);
  EXPECT_FLOAT_EQ(c.b, 0x33 / 255.0f);
  const Rgb white = ColorToRgb(0xFFFFFF);
  EXPECT_FLOAT_EQ(white.r + white.g + white.b, 3.0f);
  // A stray high byte is not a colour channel.
  const Rgb high = ColorToRgb(0xFF000000);
  EXPECT_FLOAT_EQ(high.r + high.g + high.b, 0.0f);
}

class RenderContextGl : public GlTest {
 protected:
  static void Projection(double m[16]) { glGetDoublev(GL_PROJECTION_MATRIX, m); }
};

TEST_F(RenderContextGl, InitSetsTheFixedStateAndClearColour) {
  RenderContext rc;
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  InitRenderContext(rc, &gl(), 0x00FF8000);
  ASSERT_TRUE(rc.created);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
  GLint func = 0, src = 0, dst = 0, shade = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &func);
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  glGetIntegerv(GL_SHADE_MODEL, &shade);
  EXPECT_EQ(func, GL_LEQUAL);
  EXPECT_EQ(src, GL_SRC_ALPHA);
  EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(shade, GL_SMOOTH);
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16) << "the depth test needs a depth buffer";
  float clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.0f);
  EXPECT_NEAR(clear[1], 128 / 255.0f, 1e-6);
  EXPECT_FLOAT_EQ(clear[2], 1.0f);
  EXPECT_FLOAT_EQ(clear[3], 0.0f);
  ReleaseRenderContext(rc);
  EXPECT_FALSE(rc.created);
}

TEST_F(RenderContextGl, AspectFollowsTheNewSizeInBothProjections) {
  RenderContext rc;
  InitRenderContext(rc, &gl(), 0);
  double m[16];
  // Perspective: m[0] = f / aspect and m[5] = f with f = cot(7.5 degrees).
  SetProjection(rc, 800, 400, false);
  Projection(m);
  EXPECT_NEAR(m[5] / m[0], 2.0, 1e-5);
  EXPECT_NEAR(m[5], 1.0 / std::tan(7.5 * M_PI / 180.0), 1e-4);
  SetProjection(rc, 300, 600, false);
  Projection(m);
  EXPECT_NEAR(m[5] / m[0], 0.5, 1e-5);
  // Ortho: x spans -aspect..aspect, y always -1..1.
  SetProjection(rc, 628, 377, true);
  Projection(m);
  const float aspect = 628.0f / 377.0f;
  EXPECT_NEAR(m[0], 1.0 / aspect, 1e-6);
  EXPECT_NEAR(m[5], 1.0, 1e-6);
  EXPECT_NEAR(m[10], -2.0 / 200.0, 1e-7);
  GLint vp[4];
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[2], 628);
  EXPECT_EQ(vp[3], 377);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  // Restore the fixture's projection.
  ApplyProjection(gl().width(), gl().height(), false);
}

TEST_F(RenderContextGl, PanelWithoutHeightKeepsTheLastProjection) {
  RenderContext rc;
  InitRenderContext(rc, &gl(), 0);
  SetProjection(rc, 400, 200, false);
  double before[16], after[16];
  Projection(before);
  SetProjection(rc, 400, 0, false);
  SetProjection(rc, 0, 300, true);
  SetProjection(rc, -5, -5, true);
  Projection(after);
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(std::isfinite(after[i]));
    EXPECT_EQ(before[i], after[i]);
  }
  EXPECT_FALSE(ApplyProjection(10, 0, false));
  ApplyProjection(gl().width(), gl().height(), false);
}

namespace {

// A surface that never takes a context, counting what is asked of it.
struct RefusingSurface : GlSurface {
  int makeCurrent = 0, doneCurrent = 0, swaps = 0;
  bool MakeCurrent() override {
    ++makeCurrent;
    return false;
  }
  void DoneCurrent() override { ++doneCurrent; }
  void SwapBuffers() override { ++swaps; }
};

}  // namespace

TEST_F(RenderContextGl, OperationsWithoutAContextDoNothing) {
  // Whatever context happens to be current must not be touched.
  glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
  double before[16], after[16];
  Projection(before);

  RefusingSurface refusing;
  RenderContext rc;
  InitRenderContext(rc, &refusing, 0);
  EXPECT_FALSE(rc.created);
  const int tries = refusing.makeCurrent;
  SetClearColor(rc, 0xFFFFFF);
  SetProjection(rc, 100, 50, true);
  ReleaseRenderContext(rc);
  EXPECT_EQ(refusing.makeCurrent, tries) << "a context that was never created is not asked for again";
  EXPECT_EQ(refusing.doneCurrent, 0);

  RenderContext none;
  InitRenderContext(none, nullptr, 0xFFFFFF);
  EXPECT_FALSE(none.created);
  SetClearColor(none, 0xFFFFFF);
  SetProjection(none, 100, 50, true);
  ReleaseRenderContext(none);

  float clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.25f);
  EXPECT_FLOAT_EQ(clear[2], 0.75f);
  Projection(after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
  glClearColor(0, 0, 0, 0);
}
