#include <gtest/gtest.h>

#include <cmath>

#include <memory>

#include "objects/ShapeKind.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/Picking.h"
#include "render/RenderContext.h"
#include "support/GlFixture.h"

namespace {

class PickingTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    ApplyProjection(640, 480, false);
  }

  SceneObject& Cube(int i, float x, float y, float z) {
    SceneObject& r = (*table)[static_cast<size_t>(i)];
    r.Enbl = true;
    r.Shp = ShapeKind::Cube;
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.W = r.D = r.H = 0.2f;
    return r;
  }

  // Panel pixel (from the top) of scene point (x, y, z) at the laid-out view.
  void Where(double x, double y, double z, int& px, int& py) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ApplyCameraZoom(rs.view);
    ApplyCameraOrientation(rs.view);
    GLdouble mv[16], pr[16], wx, wy, wz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    glPopMatrix();
    gluProject(x, z, y, mv, pr, vp, &wx, &wy, &wz);
    px = static_cast<int>(wx);
    py = vp[3] - static_cast<int>(wy);
  }

  int Pick(int x, int y) { return PickObject(rs, table->data(), kObjectCapacity, nullptr, x, y); }

  std::unique_ptr<ObjectTable> table;
  RenderSettings rs;
};

TEST_F(PickingTest, TheCameraFrameIsTheMatrixGlBuilds) {
  for (bool ortho : {false, true}) {
    ViewSettings v;
    v.ortho = ortho;
    v.zoom = ortho ? 0.6f : -4.0f;
    v.angleX = 23.0f, v.angleZ = -140.0f;
    v.shiftX = 0.3f, v.shiftY = -0.2f, v.shiftZ = 0.1f;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ApplyCameraZoom(v);
    ApplyCameraOrientation(v);
    GLdouble gl[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, gl);
    glPopMatrix();
    double m[16];
    CameraFrame(v, m);
    for (int k = 0; k < 16; ++k) EXPECT_NEAR(m[k], gl[k], 1e-5) << k << (ortho ? " ortho" : "");
  }
}

TEST_F(PickingTest, TheNearestEnabledObjectUnderThePointerWinsAndTheArmHides) {
  rs.view.panelWidth = 640;
  rs.view.panelHeight = 480;
  int x, y;
  // The default camera looks along -Y (scene) from in front: the cube at
  // larger Y is nearer, whatever its number.
  Cube(40, 0.8f, -0.5f, 0.1f);
  Cube(7, 0.8f, 0.3f, 0.1f);
  Where(0.8, 0.3, 0.1, x, y);
  const GlStateSnapshot before = GlStateSnapshot::Take();
  EXPECT_EQ(Pick(x, y), 7);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  (*table)[7].Enbl = false;
  Where(0.8, -0.5, 0.1, x, y);
  EXPECT_EQ(Pick(x, y), 40);
  // Empty floor and sky.
  Where(-1.5, 1.0, 0.0, x, y);
  EXPECT_EQ(Pick(x, y), -1);
  EXPECT_EQ(Pick(5, 5), -1);
  // The arm at the origin hides a cube straight behind it on the line of
  // sight, and a cube on that line in front of it hides the arm.
  Where(0.0, 0.0, 0.35, x, y);
  GLdouble mv[16], pr[16], nx, ny, nz, fx, fy, fz;
  GLint vp[4];
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  ApplyCameraZoom(rs.view);
  ApplyCameraOrientation(rs.view);
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glPopMatrix();
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  gluUnProject(x + 0.5, vp[3] - y - 0.5, 0.0, mv, pr, vp, &nx, &ny, &nz);
  gluUnProject(x + 0.5, vp[3] - y - 0.5, 1.0, mv, pr, vp, &fx, &fy, &fz);
  const double len = std::sqrt((fx - nx) * (fx - nx) + (fy - ny) * (fy - ny) + (fz - nz) * (fz - nz));
  for (double along : {1.0, -1.0}) {
    // GL x, y, z are the scene's X, Z, Y.
    const double d = along / len;
    Cube(3, static_cast<float>((fx - nx) * d), static_cast<float>(0.0 + (fz - nz) * d),
         static_cast<float>(0.35 + (fy - ny) * d));
    EXPECT_EQ(Pick(x, y), along > 0 ? -1 : 3) << (along > 0 ? "behind the arm" : "in front of the arm");
  }
}

TEST_F(PickingTest, OfEqualDepthsTheLaterRecordWinsAndTheLinkDecidesWhatIsWhere) {
  int x, y;
  // One place, two records: the later one is drawn over the earlier.
  Cube(12, 0.8f, 0.3f, 0.1f);
  Cube(30, 0.8f, 0.3f, 0.1f);
  SceneObject& wall = Cube(50, 0.8f, -0.5f, 0.1f);  // behind them, wide and tall
  wall.W = wall.H = 1.0f;
  Where(0.8, 0.3, 0.1, x, y);
  EXPECT_EQ(Pick(x, y), 30);
  // Hidden by a controller where they stand, the two leave the one behind
  // them in view.
  ObjectOverrides overrides;
  for (size_t i : {12u, 30u}) overrides[i] = {true, false, 0.8f, 0.3f, 0.1f, {0.0f, 0.0f, 0.0f}};
  const DrawSubstitutes subs{nullptr, &overrides};
  EXPECT_EQ(PickObject(rs, table->data(), kObjectCapacity, nullptr, x, y, &subs), 50);
  // Placed elsewhere, a record is picked where it shows.
  overrides[12] = {true, true, -0.8f, 0.3f, 0.1f, {0.0f, 0.0f, 0.0f}};
  Where(-0.8, 0.3, 0.1, x, y);
  EXPECT_EQ(PickObject(rs, table->data(), kObjectCapacity, nullptr, x, y, &subs), 12);
}

TEST_F(PickingTest, TheOutlineDrawsInItsOwnColourAndLeavesTheStateAsFound) {
  SceneObject& r = Cube(1, 0.0f, 0.0f, 0.3f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const GlStateSnapshot before = GlStateSnapshot::Take();
  DrawSelectionOutline(rs, r, nullptr);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  std::vector<uint8_t> px(640 * 480 * 4);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  const Rgb c = ColorToRgb(kSelectionColor);
  int outline = 0;
  for (size_t i = 0; i < px.size(); i += 4)
    if (px[i] == static_cast<uint8_t>(c.r * 255 + 0.5f) && px[i + 1] == static_cast<uint8_t>(c.g * 255 + 0.5f) &&
        px[i + 2] == static_cast<uint8_t>(c.b * 255 + 0.5f))
      ++outline;
  EXPECT_GT(outline, 50);
  // A disabled record has nothing to outline.
  r.Enbl = false;
  glClear(GL_COLOR_BUFFER_BIT);
  DrawSelectionOutline(rs, r, nullptr);
  glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  int lit = 0;
  for (size_t i = 0; i < px.size(); i += 4) lit += px[i] | px[i + 1] | px[i + 2] ? 1 : 0;
  EXPECT_EQ(lit, 0);
}

}  // namespace
