#include <gtest/gtest.h>

#include <memory>

#include "headless/HeadlessContext.h"
#include "arm/ToolPoint.h"
#include "objects/ShapeKind.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

// The start-up frame as the program draws it at the laid-out panel size.
class FrameGl : public ::testing::Test {
 protected:
  static HeadlessContext& Ctx() {
    static HeadlessContext ctx(628, 377);
    KeepGlDriverLoaded();
    return ctx;
  }
  void SetUp() override {
    ASSERT_TRUE(Ctx().ok()) << Ctx().error();
    ASSERT_TRUE(Ctx().MakeCurrent());
    DrainGlErrors();
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    light1 = DefaultLight1();
    light2 = DefaultLight2();
  }
  void TearDown() override {
    EXPECT_EQ(DrainGlErrors(), "");
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    ResetLights();
    ResetFog();
    SharedGlContext().MakeCurrent();
  }
  TestImage Render() {
    ApplyClearColor(rs.backColor);
    ApplyFixedRenderState();
    ApplyProjection(628, 377, rs.view.ortho);
    TransferLightsAndFog(rs, light1, light2, 10, FogPanelValues{});
    FrameInputs in{&rs, table.get(), textures, &result};
    ComposeFrame(in);
    return ReadFramebuffer(628, 377);
  }
  void ExpectGolden(const char* name) {
    const TestImage img = Render();
    WriteArtifact(img, std::string(name) + ".png");
    EXPECT_EQ(CompareWithGolden(img, name, 16, 0.003), "");
  }

  RenderSettings rs;
  LightPanelValues light1, light2;
  std::unique_ptr<ObjectTable> table;
  TextureSlot textures[kTextureSlotCount];
  FrameResult result;
};

}  // namespace

TEST_F(FrameGl, StartUpView) {
  ExpectGolden("frame-startup");
  EXPECT_NEAR(result.toolPoint[0], 0.0, 1e-6);
  EXPECT_NEAR(result.toolPoint[1], 0.56, 1e-6);
  EXPECT_NEAR(result.toolPoint[2], 0.37, 1e-6);
}

TEST_F(FrameGl, TextAlongXUnlockedAndLockedAfterATurn) {
  rs.text.shown = true;
  rs.view.angleZ = 20.0f;
  ExpectGolden("frame-text-unlocked");
  rs.text.lock = true;
  ExpectGolden("frame-text-locked");
}

TEST_F(FrameGl, BothLightsOff) {
  light1.checked = false;
  light2.checked = false;
  ExpectGolden("frame-lights-off");
  EXPECT_FALSE(rs.lightingOn);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(FrameGl, Ortho) {
  rs.view.ortho = true;
  rs.view.zoom = 0.5f;
  ExpectGolden("frame-ortho");
}

TEST_F(FrameGl, FillOffFrameOn) {
  rs.drawFill = false;
  rs.drawFrame = true;
  ExpectGolden("frame-wireframe");
  EXPECT_FALSE(rs.lightingOn);
  EXPECT_EQ(rs.transparency, 1.0f);
}

TEST_F(FrameGl, FloorTilesAlternateNearWhiteAndLightBlue) {
  ResetLights();
  ApplyLights();
  rs.ball = false;
  // The whole floor seen from above, so no tile is clipped away: tiles come
  // back in drawing order, each quad as two triangles.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-8, 8, -8, 8, -20, 20);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotated(90.0, 1.0, 0.0, 0.0);
  const std::vector<FeedbackPrimitive> prims = CaptureFeedback([&] { DrawScene(rs, nullptr); });
  ASSERT_GE(prims.size(), 2u * 31 * 31);
  auto tileColour = [&](int i, int j) { return prims[static_cast<size_t>(2 * (31 * i + j))].v[0]; };
  // (0, 0) near-white 0xF8F8F8, (0, 1) light blue 0xFFC0C0 (0xBBGGRR).
  EXPECT_NEAR(tileColour(0, 0).r, 0xF8 / 255.0, 1e-3);
  EXPECT_NEAR(tileColour(0, 0).b, 0xF8 / 255.0, 1e-3);
  EXPECT_NEAR(tileColour(0, 1).r, 0xC0 / 255.0, 1e-3);
  EXPECT_NEAR(tileColour(0, 1).g, 0xC0 / 255.0, 1e-3);
  EXPECT_NEAR(tileColour(0, 1).b, 1.0, 1e-3);
  EXPECT_NEAR(tileColour(1, 1).r, 0xF8 / 255.0, 1e-3);
  EXPECT_NEAR(tileColour(30, 29).b, 1.0, 1e-3);
  glLoadIdentity();
}

TEST_F(FrameGl, LockedTextKeepsItsPlaceWhenTheViewTurns) {
  ResetLights();
  rs.text.shown = true;
  rs.text.lock = true;
  rs.ball = false;
  auto textVertices = [&](float angleZ, float shiftX) {
    rs.view.angleZ = angleZ;
    rs.view.shiftX = shiftX;
    ApplyProjection(628, 377, false);
    std::vector<FeedbackVertex> out;
    for (const auto& p : CaptureFeedback([&] { ComposeFrame(FrameInputs{&rs, table.get(), textures, nullptr}); }))
      if (p.kind == FeedbackPrimitive::Line || p.kind == FeedbackPrimitive::LineReset)
        if (p.v[0].r > 0.99f && p.v[0].g > 0.99f && p.v[0].b > 0.99f) out.insert(out.end(), p.v.begin(), p.v.end());
    return out;
  };
  const auto a = textVertices(-30.0f, 0.0f);
  const auto b = textVertices(40.0f, 0.5f);
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(a[i].x, b[i].x, 1e-3);
    EXPECT_NEAR(a[i].y, b[i].y, 1e-3);
  }
  rs.text.lock = false;
  const auto c = textVertices(-30.0f, 0.0f);
  const auto d = textVertices(40.0f, 0.0f);
  ASSERT_EQ(c.size(), d.size());
  bool moved = false;
  for (size_t i = 0; i < c.size(); ++i) moved |= std::abs(c[i].x - d[i].x) > 1.0f;
  EXPECT_TRUE(moved);
}

namespace {

// The update works out the records as drawn once, before any drawing: a
// record the link moves is read from a copy, the stored table is left as
// it is, and a frame that substitutes nothing copies nothing.
TEST(FrameUpdate, TakesTheRecordsAsDrawnOnce) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[5].Enbl = true;
  (*table)[5].Shp = ShapeKind::Cube;
  RenderSettings rs;
  FrameInputs in{&rs, table.get(), nullptr, nullptr};
  EXPECT_EQ(UpdateFrame(in).records, table->data());
  ObjectOverrides overrides;
  overrides[5] = {true, true, 0.8f, 0.3f, 0.1f, {0.0f, 0.0f, 0.0f}};
  in.overrides = &overrides;
  const FrameState st = UpdateFrame(in);
  ASSERT_NE(st.records, nullptr);
  EXPECT_FLOAT_EQ(st.records[5].X, 0.8f);
  EXPECT_FLOAT_EQ(st.records[5].Y, 0.3f);
  EXPECT_FLOAT_EQ((*table)[5].X, 0.0f);
  double tool[3];
  ToolPointOfJoints(rs.joints, tool);
  for (int k = 0; k < 3; ++k) EXPECT_DOUBLE_EQ(st.toolPoint[k], tool[k]);
}

}  // namespace
