// Records read from files may hold anything. Every equipment model must
// come back from any of them with the GL state as it found it, no GL
// error and in bounded time.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "EquipmentTestSupport.h"
#include "equipment/CompositeParts.h"
#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectDrawing.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/GlFixture.h"

namespace {

void SetAllFloats(SceneObject& o, float v) {
  o.X = o.Y = o.Z = v;
  o.W = o.D = o.H = v;
  o.R = o.R2 = v;
  for (float& a : o.Ang) a = v;
  for (float& s : o.size) s = v;
  o.Trans = v;
}

struct Hostile {
  const char* name;
  float value;
  int32_t option;
  int32_t reso;
  int32_t tex;
};

const Hostile kHostile[] = {
    {"NaN", std::numeric_limits<float>::quiet_NaN(), 1, 36, 1},
    {"infinity", std::numeric_limits<float>::infinity(), INT_MAX, INT_MAX, 1},
    {"minus infinity", -std::numeric_limits<float>::infinity(), 2, 37, -1},
    {"huge negative", -1e30f, INT_MIN, -5, 99},
    {"huge", 1e6f, 100000, 360, 1},
    {"tiny", 1e-30f, 3, 3, 1},
    {"zero", 0.0f, 0, 0, 1},
};

class EquipmentRobustness : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    LoadWaferPicture(slots_);
    SetMeshPictures(slots_);
  }
  void TearDown() override {
    SetMeshPictures(nullptr);
    FreePictures(slots_);
    ResetLights();
    ApplyLights();
    GlTest::TearDown();
  }
  TextureSlot slots_[kTextureSlotCount];
};

TEST_F(EquipmentRobustness, HostileRecordsLeaveTheStateAsFound) {
  for (bool lit : {false, true}) {
    if (lit)
      EquipmentDefaultLights();
    else {
      ResetLights();
      ApplyLights();
    }
    for (const Hostile& h : kHostile) {
      for (int32_t kind : kEquipmentKinds) {
        SCOPED_TRACE(std::string(h.name) + (lit ? " lit, kind " : " unlit, kind ") + std::to_string(kind));
        SceneObject o = ExampleEquipment(kind);
        SetAllFloats(o, h.value);
        for (int32_t& opt : o.Opt) opt = h.option;
        for (int16_t& id : o.ID) id = h.option == 0 ? 0 : -32768;
        o.Reso = h.reso;
        o.Tex = h.tex;
        o.Frame = true;
        o.ColorTex.ClTex = h.option % 2 != 0;
        const GlStateSnapshot before = GlStateSnapshot::Take();
        DrawObjects(&o, 1);
        EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
        EXPECT_EQ(DrainGlErrors(), "");
      }
    }
  }
}

TEST_F(EquipmentRobustness, StateSetByTheCallerIsKeptToo) {
  // Texturing, renormalisation and a wide line set before a model are
  // still set after it, and the bound texture is the caller's.
  GLuint mine = 0;
  glGenTextures(1, &mine);
  glBindTexture(GL_TEXTURE_2D, mine);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_NORMALIZE);
  glLineWidth(3.0f);
  for (int32_t kind : kEquipmentKinds) {
    SCOPED_TRACE(kind);
    SceneObject o = ExampleEquipment(kind);
    o.Frame = true;
    const GlStateSnapshot before = GlStateSnapshot::Take();
    DrawObjects(&o, 1);
    EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), mine);
  }
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_NORMALIZE);
  glLineWidth(1.0f);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &mine);
}

TEST_F(EquipmentRobustness, RobotScaleOtherThanOneIsRenormalised) {
  // A scaled robot is lit like an unscaled one: its normals are put back
  // to unit length while it is drawn.
  EquipmentDefaultLights();
  SceneObject o = ExampleEquipment(150);
  o.Tex = -1;
  o.size[9] = 1.0f;
  const auto unit = CaptureObjectSpace([&] { ScaraRobot(o); });
  o.size[9] = 3.0f;
  const auto big = CaptureObjectSpace([&] { ScaraRobot(o); });
  ASSERT_EQ(unit.size(), big.size());
  ASSERT_FALSE(unit.empty());
  // The first primitive is the base column's side: same light at any size.
  for (size_t k = 0; k < unit[0].v.size(); ++k) {
    EXPECT_NEAR(unit[0].v[k].r, big[0].v[k].r, 1e-3);
    EXPECT_NEAR(unit[0].v[k].g, big[0].v[k].g, 1e-3);
  }
}

TEST_F(EquipmentRobustness, OtherKindsDrawNothingThroughTheCompositeEntry) {
  for (int32_t kind : {0, 4, 99, 118, 129, 134, 150, -1}) {
    SceneObject o = ExampleEquipment(kind);
    EXPECT_TRUE(CaptureModel([&] { DrawCompositePart(o); }).empty()) << kind;
  }
}

}  // namespace
