#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "support/GlFixture.h"

namespace {

using Steps = std::set<std::pair<DragBar, int>>;

Steps Collect(const std::vector<DragStep>& v) {
  Steps s;
  for (const DragStep& d : v) s.insert({d.bar, d.amount});
  return s;
}

TEST(DragLogic, EveryFlagMovesItsBars) {
  // The pointer moves 10 left (a = 10) and 20 up (b = 20).
  struct Row {
    DragButton button;
    DragMode mode;
    Steps expected;
  } rows[] = {
      {DragLeft, DragPlain, {{DragBar::XAngle, -60}, {DragBar::ZAngle, -30}}},
      {DragRight, DragPlain, {{DragBar::Zoom, -100}}},
      {DragLeft, DragShift, {{DragBar::XShift, -30}, {DragBar::ZShift, 60}}},
      {DragRight, DragShift, {{DragBar::YShift, 60}}},
      {DragLeft, DragCtrl, {{DragBar::Light1PosX, -30}, {DragBar::Light1PosZ, 60}}},
      {DragRight, DragCtrl, {{DragBar::Light1PosY, -60}}},
      {DragLeft, DragShiftCtrl, {{DragBar::Light2PosX, -30}, {DragBar::Light2PosZ, 60}}},
      {DragRight, DragShiftCtrl, {{DragBar::Light2PosY, -60}}},
      {DragLeft, DragAlt, {{DragBar::XX, -30}, {DragBar::YY, -60}}},
      {DragRight, DragAlt, {{DragBar::XX, -30}, {DragBar::ZZ, 60}}},
  };
  for (const Row& r : rows) {
    DragState s;
    DragDown(s, r.button, r.mode, 100, 100);
    int set = 0;
    for (bool f : s.flag) set += f;
    EXPECT_EQ(set, 1);
    EXPECT_TRUE(s.flag[2 * r.mode + r.button]);
    EXPECT_EQ(Collect(DragMove(s, 90, 80)), r.expected) << "mode " << r.mode << " button " << r.button;
    EXPECT_EQ(s.lastX, 90);
    EXPECT_EQ(s.lastY, 80);
    // The next move counts from there.
    EXPECT_EQ(DragMove(s, 90, 80).size(), r.expected.size());
    for (const DragStep& d : DragMove(s, 90, 80)) EXPECT_EQ(d.amount, 0);
  }
}

TEST(DragLogic, AltWinsAndShiftWithCtrlIsItsOwnMode) {
  EXPECT_EQ(ModeFromModifiers(false, false, false), DragPlain);
  EXPECT_EQ(ModeFromModifiers(true, false, false), DragShift);
  EXPECT_EQ(ModeFromModifiers(false, true, false), DragCtrl);
  EXPECT_EQ(ModeFromModifiers(true, true, false), DragShiftCtrl);
  EXPECT_EQ(ModeFromModifiers(true, true, true), DragAlt);
  EXPECT_EQ(ModeFromModifiers(true, false, true), DragAlt);
  EXPECT_EQ(ModeFromModifiers(false, true, true), DragAlt);
}

TEST(DragLogic, OtherButtonsOnlyTrackAndUpEndsTheDrag) {
  DragState s;
  DragDown(s, DragLeft, DragPlain, 1, 1);
  DragDown(s, DragOther, DragShift, 50, 60);
  for (bool f : s.flag) EXPECT_FALSE(f) << "a new press clears the old drag";
  EXPECT_TRUE(DragMove(s, 70, 90).empty());
  EXPECT_EQ(s.lastX, 70);
  EXPECT_EQ(s.lastY, 90);

  DragDown(s, DragRight, DragPlain, 10, 10);
  DragUp(s);
  for (bool f : s.flag) EXPECT_FALSE(f);
  EXPECT_EQ(s.lastX, 0);
  EXPECT_EQ(s.lastY, 0);
  EXPECT_TRUE(DragMove(s, 5, 5).empty());
}

class CameraGl : public GlTest {
 protected:
  static std::vector<double> ModelView() {
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    return std::vector<double>(m, m + 16);
  }
  // The linear part of m applied to (x, y, z).
  static std::vector<double> Turn(const std::vector<double>& m, double x, double y, double z) {
    return {m[0] * x + m[4] * y + m[8] * z, m[1] * x + m[5] * y + m[9] * z, m[2] * x + m[6] * y + m[10] * z};
  }
};

TEST_F(CameraGl, PerspectiveZoomMovesAlongTheViewAxisAndShiftIsInGlOrder) {
  ViewSettings v;
  v.zoom = -2.0f;
  v.angleX = 0.0f;
  v.angleZ = 0.0f;
  v.shiftX = 1.0f;
  v.shiftY = 2.0f;
  v.shiftZ = 3.0f;
  ApplyCameraZoom(v);
  EXPECT_NEAR(ModelView()[14], -5.0, 1e-6);
  EXPECT_NEAR(ModelView()[0], 1.0, 1e-6);
  ApplyCameraOrientation(v);
  const std::vector<double> m = ModelView();
  // Scene shift (X, Y, Z) goes to GL as (X, Z, Y).
  EXPECT_NEAR(m[12], 1.0, 1e-6);
  EXPECT_NEAR(m[13], 3.0, 1e-6);
  EXPECT_NEAR(m[14], -5.0 + 2.0, 1e-6);
}

TEST_F(CameraGl, OrthoZoomIsAUniformScale) {
  ViewSettings v;
  v.ortho = true;
  v.zoom = 0.5f;
  ApplyCameraZoom(v);
  const std::vector<double> m = ModelView();
  EXPECT_NEAR(m[0], 0.5, 1e-6);
  EXPECT_NEAR(m[5], 0.5, 1e-6);
  EXPECT_NEAR(m[10], 0.5, 1e-6);
  EXPECT_NEAR(m[14], -3.0, 1e-6);
}

TEST_F(CameraGl, TurnsAboutTheVerticalFirstThenAboutX) {
  ViewSettings v;
  v.shiftX = v.shiftY = v.shiftZ = 0.0f;
  v.angleX = 90.0f;
  v.angleZ = 90.0f;
  ApplyCameraOrientation(v);
  // (1, 0, 0) turns about y to (0, 0, -1), then about x to (0, 1, 0).
  const std::vector<double> p = Turn(ModelView(), 1, 0, 0);
  EXPECT_NEAR(p[0], 0.0, 1e-6);
  EXPECT_NEAR(p[1], 1.0, 1e-6);
  EXPECT_NEAR(p[2], 0.0, 1e-6);
}

}  // namespace

// A file dropped on the window lands where the middle of the picture meets
// the floor: on the view axis, at height 0, for any view that looks down.
TEST(ViewCentre, LiesOnTheViewAxisOnTheFloor) {
  struct View {
    float angleX, angleZ, zoom, shiftX, shiftY, shiftZ;
    bool ortho;
  };
  const View views[] = {{15, -30, -2, 0, 0, 0, false},   {40, 60, -5, 0.7f, -0.3f, 0.2f, false},
                        {70, 200, -3, -1, 2, 0.5f, false}, {30, -120, 0.5f, 0.4f, 0.8f, 0, true}};
  for (const View& w : views) {
    ViewSettings v;
    v.angleX = w.angleX, v.angleZ = w.angleZ, v.zoom = w.zoom;
    v.shiftX = w.shiftX, v.shiftY = w.shiftY, v.shiftZ = w.shiftZ, v.ortho = w.ortho;
    double xy[2];
    ASSERT_TRUE(ViewCentreOnFloor(v, xy)) << w.angleX;
    double m[16];
    CameraFrame(v, m);
    // The point in eye coordinates (GL order: x, 0, y).
    const double p[3] = {xy[0], 0.0, xy[1]};
    double eye[3];
    for (int r = 0; r < 3; ++r) eye[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    EXPECT_NEAR(eye[0], 0.0, 1e-9) << w.angleX;
    EXPECT_NEAR(eye[1], 0.0, 1e-9) << w.angleX;
    if (!w.ortho) {
      EXPECT_LT(eye[2], 0.0) << "in front of the eye";
    }
  }
  ViewSettings up;
  up.angleX = 0.0f;  // level with the floor: the axis never meets it
  up.zoom = 0.0f;
  double xy[2];
  EXPECT_FALSE(ViewCentreOnFloor(up, xy));
}
