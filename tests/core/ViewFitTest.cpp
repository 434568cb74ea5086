#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "equipment/ArticulatedArm.h"
#include "mesh/Emit.h"
#include "mesh/MeshBuilder.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/RenderContext.h"
#include "render/ViewFit.h"
#include "support/GlFixture.h"

namespace {

// Where the balls' outermost points land through GL's own camera and
// projection, as pixel bounds.
struct Extent {
  double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
  bool behind = false;
};

Extent Project(const ViewSettings& v, const std::vector<BoundSphere>& balls) {
  ApplyProjection(v.panelWidth, v.panelHeight, v.ortho);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  ApplyCameraZoom(v);
  ApplyCameraOrientation(v);
  GLdouble mv[16], pr[16];
  GLint vp[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  glPopMatrix();
  Extent e;
  for (const BoundSphere& b : balls) {
    // Points on the ball in many directions: a dense enough sample of its
    // outline for a check to 1 %.
    for (int i = 0; i <= 12; ++i)
      for (int j = 0; j < 24; ++j) {
        const double th = M_PI * i / 12, ph = 2 * M_PI * j / 24;
        const double x = b.center[0] + b.radius * std::sin(th) * std::cos(ph);
        const double y = b.center[1] + b.radius * std::sin(th) * std::sin(ph);
        const double z = b.center[2] + b.radius * std::cos(th);
        GLdouble wx, wy, wz;
        gluProject(x, z, y, mv, pr, vp, &wx, &wy, &wz);
        if (wz < 0 || wz > 1) e.behind = true;
        e.x0 = std::min(e.x0, wx);
        e.x1 = std::max(e.x1, wx);
        e.y0 = std::min(e.y0, wy);
        e.y1 = std::max(e.y1, wy);
      }
  }
  return e;
}

class ViewFitTest : public GlTest {};

TEST_F(ViewFitTest, EveryBallEndsUpInThePictureAndFillsIt) {
  const std::vector<std::vector<BoundSphere>> scenes = {
      {{{-4, 2, 0.1}, 0.2}, {{5, -3, 1.5}, 0.3}},   // far apart on the floor
      {{{0, 0, 0.3}, 0.3}},                          // one small thing at the origin
      {{{6, 6, 0}, 1}, {{8, 5, 3}, 0.5}},            // off to one side
      {{{-3, -1, 0}, 0}, {{3, 1, 0.2}, 0}},          // the corners of a flat plate
      {{{0, 0, 0}, 0.5}, {{0, 0, 6}, 0.5}},          // a tall column
      {{{1, -1, 0.2}, 0.01}},                        // a speck: the near plane holds it back
  };
  const size_t speck = scenes.size() - 1;
  for (bool ortho : {false, true}) {
    for (float angleX : {15.0f, 90.0f, -40.0f}) {
      for (size_t s = 0; s < scenes.size(); ++s) {
        ViewSettings v;
        v.panelWidth = 628;
        v.panelHeight = 377;
        v.ortho = ortho;
        v.angleX = angleX;
        v.angleZ = -30.0f;
        ViewLimits lim;
        // The zoom bar's perspective range once ortho was used; further
        // away the shift along the view axis takes over.
        if (s == 3) lim.zoomMin = -10.0;
        if (ortho) {
          lim.zoomMin = 0.1;
          lim.zoomMax = 5.0;
        }
        const ViewSettings f = FitViewToBounds(v, scenes[s], lim);
        EXPECT_EQ(f.angleX, v.angleX);
        const Extent e = Project(f, scenes[s]);
        const std::string what = "ortho " + std::to_string(ortho) + " angle " + std::to_string(angleX) +
                                 " scene " + std::to_string(s);
        EXPECT_FALSE(e.behind) << what;
        EXPECT_GE(e.x0, -0.5) << what;
        EXPECT_LE(e.x1, v.panelWidth + 0.5) << what;
        EXPECT_GE(e.y0, -0.5) << what;
        EXPECT_LE(e.y1, v.panelHeight + 0.5) << what;
        // Tight along one axis at least.
        const double fill = std::max((e.x1 - e.x0) / v.panelWidth, (e.y1 - e.y0) / v.panelHeight);
        if (s != speck) {
          EXPECT_GT(fill, 0.8) << what;
        }
      }
    }
  }
  ApplyProjection(640, 480, false);
}

TEST(ViewFit, TheArmIsCoveredInEveryPoseAndTheFloorUnderIt) {
  std::vector<BoundSphere> balls;
  const float stretched[6] = {0, 90, 0, 0, 0, 0};
  AddArmBounds(stretched, balls);
  ASSERT_EQ(balls.size(), 2u);
  // Upright arm: shoulder 0.33, then 0.23 + 0.03 + 0.25 of links and the
  // hand; the ball reaches past all of it.
  const BoundSphere reach = balls[1];  // a copy: the vector grows below
  EXPECT_GE(reach.center[2] + reach.radius, 0.33 + 0.23 + 0.03 + 0.25);
  AddFloorFootprints(balls);
  ASSERT_EQ(balls.size(), 2u + 16u);
  // The footprint of the reach: flat, around its circle on the floor.
  for (size_t i = 10; i < 18; ++i) {
    EXPECT_EQ(balls[i].center[2], 0.0);
    EXPECT_GE(std::hypot(balls[i].center[0], balls[i].center[1]), reach.radius);
  }
  // Nothing to fit, or no picture: the view stays.
  ViewSettings v;
  EXPECT_EQ(FitViewToBounds(v, {}, ViewLimits{}).zoom, v.zoom);
  v.panelHeight = 0;
  EXPECT_EQ(FitViewToBounds(v, balls, ViewLimits{}).zoom, v.zoom);
}

TEST(ViewFit, TheArmBallsHoldEveryPieceOfTheArmFoldedOrStretched) {
  // Folded back on itself the arm brings its tool point near the shoulder
  // while the elbow still stands out by the upper link.
  const float poses[][6] = {
      {0, 90, 0, 0, 0, 0}, {30, 20, 170, 0, 0, 0}, {-60, -40, -160, 90, 90, 0}, {0, 10, 150, 0, -120, 0}};
  for (const float* pose : poses) {
    std::vector<BoundSphere> balls;
    AddArmBounds(pose, balls);
    SceneObject arm;
    arm.Fill = true;
    arm.Reso = 36;
    for (int k = 0; k < 6; ++k) arm.size[10 + k] = pose[k];
    MeshBuilder builder;
    {
      emit::BuildInto into(builder);
      DrawArticulatedArm(arm, false);
    }
    const Mesh mesh = builder.Finish();
    for (const MeshRun& run : mesh.runs)
      for (const MeshVertex& v : run.vertices) {
        // A point in GL axes (y up).
        bool inside = false;
        for (const BoundSphere& s : balls)
          inside |= std::hypot(v.p[0] - s.center[0], v.p[2] - s.center[1], v.p[1] - s.center[2]) <= s.radius;
        ASSERT_TRUE(inside) << v.p[0] << "," << v.p[1] << "," << v.p[2] << " of pose " << pose[1] << ","
                            << pose[2];
      }
  }
}

}  // namespace

namespace {

class MeasureTest : public GlTest {};

TEST_F(MeasureTest, TheDrawnBoxIsWhatTheObjectReallyCovers) {
  SceneObject r = ZeroRecord();
  r.Enbl = true;
  r.Shp = 4;  // cube, centred on its position
  r.Reso = 36;
  r.Fill = true;
  r.X = 1.0f;
  r.Y = 2.0f;
  r.Z = 0.3f;
  r.W = 0.4f;
  r.D = 0.2f;
  r.H = 0.6f;
  double lo[3], hi[3];
  const GlStateSnapshot before = GlStateSnapshot::Take();
  ASSERT_TRUE(MeasureDrawnBox(r, lo, hi));
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  const double wantLo[3] = {0.8, 1.9, 0.0}, wantHi[3] = {1.2, 2.1, 0.6};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(lo[k], wantLo[k], 0.004) << k;
    EXPECT_NEAR(hi[k], wantHi[k], 0.004) << k;
  }
  // Turned a quarter about the vertical: across and along swap.
  r.Ang[0] = 90.0f;
  ASSERT_TRUE(MeasureDrawnBox(r, lo, hi));
  EXPECT_NEAR(hi[0] - lo[0], 0.2, 0.01);
  EXPECT_NEAR(hi[1] - lo[1], 0.4, 0.01);
  // Beyond the measuring box, or nothing drawn: no answer.
  r.X = 5000.0f;
  EXPECT_FALSE(MeasureDrawnBox(r, lo, hi));
  r.X = 0.0f;
  r.Shp = 29;  // reserved: draws nothing
  EXPECT_FALSE(MeasureDrawnBox(r, lo, hi));
}

}  // namespace
