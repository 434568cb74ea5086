#include <gtest/gtest.h>

#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/GlFixture.h"

namespace {

class LightsGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ResetLights();
    ResetFog();
  }
  void TearDown() override {
    ResetLights();
    ResetFog();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    GlTest::TearDown();
  }
  static std::vector<float> Light(GLenum light, GLenum what, int n = 4) {
    float v[4] = {};
    glGetLightfv(light, what, v);
    return std::vector<float>(v, v + n);
  }
  static std::vector<float> V(std::initializer_list<float> l) { return l; }
  static void ExpectNear(const std::vector<float>& a, const std::vector<float>& b, const char* what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i) EXPECT_NEAR(a[i], b[i], 1e-6) << what << "[" << i << "]";
  }
};

TEST_F(LightsGl, LightReadsBackInGlOrderWithLevelsFromItsColour) {
  const float down[3] = {0.0f, -1.0f, 0.0f};
  SetLightEnabled(0, true);
  SetLightPosition(0, 1.0f, 2.0f, 3.0f, 1.0f);
  SetLightLevels(0, 0x0080FF, 0.5f, 0.6f, 1.0f, 0.001f, 0.0f);
  SetLightSpot(0, true, down, 2.0f, 30.0f);

  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  // Scene (X, Y, Z) goes to GL as (X, Z, Y).
  ExpectNear(Light(GL_LIGHT0, GL_POSITION), V({1.0f, 3.0f, 2.0f, 1.0f}), "position");
  const float r = 1.0f, g = 128 / 255.0f;
  ExpectNear(Light(GL_LIGHT0, GL_SPECULAR), V({r, g, 0.0f, 1.0f}), "specular");
  ExpectNear(Light(GL_LIGHT0, GL_DIFFUSE), V({r * 0.6f, g * 0.6f, 0.0f, 1.0f}), "diffuse");
  // Ambient is colour x diffuse level x ambient level.
  ExpectNear(Light(GL_LIGHT0, GL_AMBIENT), V({r * 0.3f, g * 0.3f, 0.0f, 1.0f}), "ambient");
  ExpectNear(Light(GL_LIGHT0, GL_SPOT_DIRECTION, 3), V({0.0f, -1.0f, 0.0f}), "spot direction");
  ExpectNear(Light(GL_LIGHT0, GL_SPOT_CUTOFF, 1), V({30.0f}), "cut-off");
  ExpectNear(Light(GL_LIGHT0, GL_SPOT_EXPONENT, 1), V({2.0f}), "exponent");
  ExpectNear(Light(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 1), V({1.0f}), "constant");
  ExpectNear(Light(GL_LIGHT0, GL_LINEAR_ATTENUATION, 1), V({0.001f}), "linear");

  // Spot off always sends 180.
  SetLightSpot(0, false, down, 2.0f, 30.0f);
  ExpectNear(Light(GL_LIGHT0, GL_SPOT_CUTOFF, 1), V({180.0f}), "cut-off without spot");

  // No diffuse, no ambient either.
  SetLightLevels(0, 0xFFFFFF, 1.0f, 0.0f, 1.0f, 0.001f, 0.0f);
  ExpectNear(Light(GL_LIGHT0, GL_AMBIENT), V({0.0f, 0.0f, 0.0f, 1.0f}), "ambient at diffuse 0");
}

TEST_F(LightsGl, PositionsFollowTheModelViewOfTheCall) {
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, -5.0f);
  SetLightEnabled(1, true);
  SetLightPosition(1, 0.0f, 1.0f, 0.0f, 1.0f);
  glPopMatrix();
  ExpectNear(Light(GL_LIGHT1, GL_POSITION), V({0.0f, 0.0f, -4.0f, 1.0f}), "positional");
  // A directional light (w 0) is a direction: translation does not move it.
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, -5.0f);
  SetLightPosition(1, 0.0f, 1.0f, 0.0f, 0.0f);
  glPopMatrix();
  ExpectNear(Light(GL_LIGHT1, GL_POSITION), V({0.0f, 0.0f, 1.0f, 0.0f}), "directional");
}

TEST_F(LightsGl, OnlyTheOperatorsSlotsEverLight) {
  SetLightEnabled(0, true);
  SetLightEnabled(1, true);
  EXPECT_TRUE(AnyLightEnabled());
  for (int i = 2; i < 8; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << i;
  // Slots outside 0..7 are ignored.
  SetLightEnabled(8, true);
  SetLightEnabled(-1, true);
  SetLightPosition(9, 1, 1, 1, 1);
  for (int i = 2; i < 8; ++i) EXPECT_FALSE(ActiveLights().slot[i].enabled) << i;

  // With every slot off, lighting and all eight lights are switched off.
  SetLightEnabled(0, false);
  SetLightEnabled(1, false);
  EXPECT_FALSE(AnyLightEnabled());
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << i;
}

TEST_F(LightsGl, FogIsStoredBySettersAndSentByApplyFog) {
  SetFogEnabled(true);
  SetFogMode(2);
  SetFogColor(0xFF0000);
  SetFogDensity(0.25f);
  SetFogHint(1);
  SetFogRange(-5.0f, 5.0f);
  EXPECT_FALSE(glIsEnabled(GL_FOG)) << "setters only store";
  // Numbers outside 0..2 are ignored.
  SetFogMode(3);
  SetFogHint(-1);
  EXPECT_EQ(ActiveFog().mode, GL_EXP2);
  EXPECT_EQ(ActiveFog().hint, GL_NICEST);

  ApplyFog();
  EXPECT_TRUE(glIsEnabled(GL_FOG));
  GLint mode = 0, hint = 0;
  glGetIntegerv(GL_FOG_MODE, &mode);
  glGetIntegerv(GL_FOG_HINT, &hint);
  EXPECT_EQ(mode, GL_EXP2);
  EXPECT_EQ(hint, GL_NICEST);
  float color[4], density = 0, start = 0, end = 0;
  glGetFloatv(GL_FOG_COLOR, color);
  glGetFloatv(GL_FOG_DENSITY, &density);
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  ExpectNear(std::vector<float>(color, color + 4), V({0.0f, 0.0f, 1.0f, 1.0f}), "fog colour");
  EXPECT_FLOAT_EQ(density, 0.25f);
  EXPECT_FLOAT_EQ(start, -5.0f);
  EXPECT_FLOAT_EQ(end, 5.0f);

  SetFogEnabled(false);
  ApplyFog();
  EXPECT_FALSE(glIsEnabled(GL_FOG));
}

}  // namespace
