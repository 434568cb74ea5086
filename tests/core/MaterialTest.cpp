#include <gtest/gtest.h>

#include <cstring>

#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Material.h"
#include "support/GlFixture.h"

namespace {

void ExpectRgba(const float* v, float r, float g, float b, float a, const char* what) {
  EXPECT_NEAR(v[0], r, 1e-6) << what;
  EXPECT_NEAR(v[1], g, 1e-6) << what;
  EXPECT_NEAR(v[2], b, 1e-6) << what;
  EXPECT_NEAR(v[3], a, 1e-6) << what;
}

TEST(TypedMaterial, MetalRedFollowsItsRule) {
  const ColorTex m = MakeTypedMaterial(MaterialMetal, 0x0000FF, 0.5f, 64.0f);
  EXPECT_TRUE(m.ClTex);
  ExpectRgba(m.diff, 1.0f, 0.0f, 0.0f, 0.5f, "diffuse");
  ExpectRgba(m.amb, 0.4f, 0.0f, 0.0f, 0.5f, "ambient");
  ExpectRgba(m.spec, 0.6f, 0.5f, 0.5f, 0.5f, "specular");
  EXPECT_FLOAT_EQ(m.shin, 64.0f);
}

TEST(TypedMaterial, EachTypeDerivesAmbientAndSpecularFromTheColour) {
  const ColorTex rubber = MakeTypedMaterial(MaterialRubber, 0xFFFFFF, 1.0f, 10.0f);
  ExpectRgba(rubber.amb, 0.0f, 0.0f, 0.0f, 1.0f, "rubber ambient");
  ExpectRgba(rubber.spec, 0.7f, 0.7f, 0.7f, 1.0f, "rubber specular");
  // Glass: ambient d / 3, specular d x 0.1 + 0.3 + shininess / 128 x 0.4.
  const ColorTex glass = MakeTypedMaterial(MaterialGlass, 0x00FF00, 0.3f, 128.0f);
  ExpectRgba(glass.amb, 0.0f, 1.0f / 3.0f, 0.0f, 0.3f, "glass ambient");
  ExpectRgba(glass.spec, 0.7f, 0.8f, 0.7f, 0.3f, "glass specular");
  const ColorTex plastic = MakeTypedMaterial(MaterialPlastic, 0xFF0000, 1.0f, 32.0f);
  ExpectRgba(plastic.amb, 0.0f, 0.0f, 0.0f, 1.0f, "plastic ambient");
  ExpectRgba(plastic.spec, 0.45f, 0.45f, 0.55f, 1.0f, "plastic specular");
}

TEST(TypedMaterial, UnknownTypeGivesEmeraldUnchanged) {
  const ColorTex emerald = LookupMaterialPreset("emerald");
  for (int type : {7, -1, 4}) {
    const ColorTex m = MakeTypedMaterial(type, 0x123456, 0.2f, 5.0f);
    EXPECT_TRUE(m.ClTex);
    EXPECT_EQ(std::memcmp(m.diff, emerald.diff, sizeof m.diff), 0) << type;
    EXPECT_FLOAT_EQ(m.shin, 76.8f) << type;
  }
}

TEST(MaterialPresets, LookupIsExactAndFallsBackInvalid) {
  const ColorTex gold = LookupMaterialPreset("gold");
  EXPECT_TRUE(gold.ClTex);
  EXPECT_FLOAT_EQ(gold.diff[0], 0.75164f);
  const ColorTex capital = LookupMaterialPreset("Gold");
  EXPECT_FALSE(capital.ClTex);
  EXPECT_FLOAT_EQ(capital.diff[0], 0.55f);
  EXPECT_FLOAT_EQ(capital.spec[2], 0.7f);
  EXPECT_FALSE(LookupMaterialPreset("gold ").ClTex);
  // The values hold as listed.
  EXPECT_FLOAT_EQ(LookupMaterialPreset("bronze").amb[0], 0.02125f);
  EXPECT_FLOAT_EQ(LookupMaterialPreset("rubber_cyan").spec[0], 0.04f);
  EXPECT_FLOAT_EQ(LookupMaterialPreset("rubber_green").spec[0], 0.04f);

  EXPECT_STREQ(MaterialPresetName(0), "emerald");
  EXPECT_STREQ(MaterialPresetName(23), "rubber_yellow");
  EXPECT_EQ(MaterialPresetName(24), nullptr);
  for (int i = 0; i < kMaterialPresetCount; ++i)
    EXPECT_TRUE(LookupMaterialPreset(MaterialPresetName(i)).ClTex) << MaterialPresetName(i);
}

class MaterialGl : public GlTest {
 protected:
  void TearDown() override {
    ResetLights();
    glDisable(GL_LIGHTING);
    GlTest::TearDown();
  }
  static void Material(GLenum face, GLenum what, float* v) { glGetMaterialfv(face, what, v); }
};

TEST_F(MaterialGl, ColorTexGoesToBothFacesWithTheAlphaOfTheMoment) {
  ColorTex ct = LookupMaterialPreset("ruby");
  ct.amb[3] = ct.diff[3] = ct.spec[3] = 0.9f;
  ApplyColorTex(0.25f, ct);
  float v[4];
  for (GLenum face : {GL_FRONT, GL_BACK}) {
    Material(face, GL_DIFFUSE, v);
    ExpectRgba(v, 0.61424f, 0.04136f, 0.04136f, 0.25f, "diffuse");
    Material(face, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[3], 0.25f);
    Material(face, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[3], 0.25f);
    Material(face, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 76.8f);
  }
}

TEST_F(MaterialGl, ObjectColourIsAMaterialOnlyWhileALightIsOn) {
  SceneObject obj;
  obj.clFill = 0x0000FF;
  obj.clFrame = 0x00FF00;
  obj.Trans = 0.3f;
  // No light: the plain fill colour, transparency has no effect.
  ApplyObjectColor(false, obj);
  float c[4];
  glGetFloatv(GL_CURRENT_COLOR, c);
  ExpectRgba(c, 1.0f, 0.0f, 0.0f, 1.0f, "plain fill");

  SetLightEnabled(0, true);
  ApplyObjectColor(false, obj);
  float v[4];
  Material(GL_FRONT, GL_DIFFUSE, v);
  ExpectRgba(v, 1.0f, 0.0f, 0.0f, 0.3f, "fill material");
  Material(GL_BACK, GL_AMBIENT, v);
  ExpectRgba(v, 0.2f, 0.2f, 0.2f, 0.3f, "fill ambient");
  // Frame lines are never transparent.
  ApplyObjectColor(true, obj);
  Material(GL_FRONT, GL_DIFFUSE, v);
  ExpectRgba(v, 0.0f, 1.0f, 0.0f, 1.0f, "frame material");
  Material(GL_FRONT, GL_SHININESS, v);
  EXPECT_FLOAT_EQ(v[0], 32.0f);
}

}  // namespace
