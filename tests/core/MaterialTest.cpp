#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "mesh/Emit.h"
#include "shapes/Material.h"

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

// The run a triangle falls into after set() ran, in a build for lit
// drawing or not.
MeshRun TriangleAfter(bool lit, const std::function<void()>& set) {
  MeshBuilder b(BuildInputs{lit, 0});
  {
    emit::BuildInto into(b);
    set();
    emit::Begin(Prim::Triangles);
    for (int i = 0; i < 3; ++i) emit::Vertex(i == 1, i == 2, 0);
    emit::End();
  }
  return b.Finish().runs.at(0);
}

TEST(MaterialMesh, ColorTexGoesWithTheAlphaOfTheMoment) {
  ColorTex ct = LookupMaterialPreset("ruby");
  ct.amb[3] = ct.diff[3] = ct.spec[3] = 0.9f;
  const MeshRun run = TriangleAfter(true, [&] { ApplyColorTex(0.25f, ct); });
  EXPECT_TRUE(run.lit);
  EXPECT_FALSE(run.opaque);
  ExpectRgba(run.vertices[0].c, 0.61424f, 0.04136f, 0.04136f, 0.25f, "diffuse");
  EXPECT_FLOAT_EQ(run.ambient[3], 0.25f);
  EXPECT_FLOAT_EQ(run.specular[3], 0.25f);
  EXPECT_FLOAT_EQ(run.shininess, 76.8f);
  // Held to the range lighting takes.
  ct.shin = 300.0f;
  EXPECT_FLOAT_EQ(TriangleAfter(true, [&] { ApplyColorTex(1.0f, ct); }).shininess, 128.0f);
}

TEST(MaterialMesh, ObjectColourIsAMaterialOnlyWhileALightIsOn) {
  SceneObject obj;
  obj.clFill = 0x0000FF;
  obj.clFrame = 0x00FF00;
  obj.Trans = 0.3f;
  // No light: the plain fill colour, transparency has no effect.
  const MeshRun plain = TriangleAfter(false, [&] { ApplyObjectColor(false, obj); });
  EXPECT_FALSE(plain.lit);
  ExpectRgba(plain.vertices[0].c, 1.0f, 0.0f, 0.0f, 1.0f, "plain fill");
  const MeshRun fill = TriangleAfter(true, [&] { ApplyObjectColor(false, obj); });
  ExpectRgba(fill.vertices[0].c, 1.0f, 0.0f, 0.0f, 0.3f, "fill material");
  ExpectRgba(fill.ambient, 0.2f, 0.2f, 0.2f, 0.3f, "fill ambient");
  // Frame lines are never transparent.
  const MeshRun frame = TriangleAfter(true, [&] { ApplyObjectColor(true, obj); });
  ExpectRgba(frame.vertices[0].c, 0.0f, 1.0f, 0.0f, 1.0f, "frame material");
  EXPECT_FLOAT_EQ(frame.shininess, 32.0f);
}

}  // namespace
