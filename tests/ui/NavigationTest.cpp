// Mouse navigation on the drawing panel and the keyboard shortcuts, driven
// by real mouse and key events.
#include <QCheckBox>
#include <QTimer>

#include "ui/Controls.h"
#include "render/GlHeaders.h"
#include "ui/WindowFixture.h"

namespace {

class NavigationTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Nothing but the events below may draw or transfer.
    Named<QTimer>("Tim_Blink")->stop();
    Pump(150);
  }

  // Press at `from`, move in the given steps, release at the last point.
  static void Drag(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint from,
                   std::initializer_list<QPoint> to) {
    QWidget* panel = Frame().Panel();
    QTest::mousePress(panel, button, mods, from);
    QPoint last = from;
    for (QPoint p : to) {
      QTest::mouseMove(panel, p);
      last = p;
    }
    QTest::mouseRelease(panel, button, mods, last);
  }

  struct ViewBars {
    int xAngle, zAngle, zoom, xShift, yShift, zShift;
    bool operator==(const ViewBars& o) const {
      return xAngle == o.xAngle && zAngle == o.zAngle && zoom == o.zoom && xShift == o.xShift &&
             yShift == o.yShift && zShift == o.zShift;
    }
  };
  static ViewBars View() {
    return {Named<TrackBar>("Tkb_X_Angle")->Position(), Named<TrackBar>("Tkb_Z_Angle")->Position(), Named<TrackBar>("Tkb_Zoom")->Position(),
            Named<TrackBar>("Tkb_X_Shift")->Position(), Named<TrackBar>("Tkb_Y_Shift")->Position(), Named<TrackBar>("Tkb_Z_Shift")->Position()};
  }
};

TEST_F(NavigationTest, LeftDragTurnsTheViewByThreeTenthsOfADegreePerPixel) {
  const int frames = Frame().FramesDrawn();
  Drag(Qt::LeftButton, Qt::NoModifier, {200, 150}, {{200, 160}});
  // Down 10 pixels: angle X from 15.0 up by 3.0; no sideways move.
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Angle")->Position(), 180);
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Angle")->Position(), -300);
  EXPECT_FLOAT_EQ(Frame().Settings().view.angleX, 18.0f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_X_Angle")->text(), QStringLiteral("18.0"));
  EXPECT_GT(Frame().FramesDrawn(), frames) << "the bar's change handler redraws";

  // Right 20 pixels turns about the vertical by 6 degrees.
  Drag(Qt::LeftButton, Qt::NoModifier, {200, 150}, {{210, 150}, {220, 150}});
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Angle")->Position(), -240);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Z_Angle")->text(), QStringLiteral("-24.0"));
}

TEST_F(NavigationTest, DraggingPastTheEndOfABarHoldsItThere) {
  Drag(Qt::LeftButton, Qt::NoModifier, {200, 20}, {{200, 320}});
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Angle")->Position(), 900);
  EXPECT_FLOAT_EQ(Frame().Settings().view.angleX, 90.0f);
  // Coming back starts from the end, not from where the pointer went.
  Drag(Qt::LeftButton, Qt::NoModifier, {200, 320}, {{200, 310}});
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Angle")->Position(), 870);
}

TEST_F(NavigationTest, ButtonsAndModifiersChooseWhatADragMoves) {
  // Right button: zoom in by 0.10 per pixel to the right.
  Drag(Qt::RightButton, Qt::NoModifier, {100, 100}, {{105, 100}});
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -150);
  // Shift and left: shift X and Z.
  Drag(Qt::LeftButton, Qt::ShiftModifier, {100, 100}, {{110, 90}});
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Shift")->Position(), 30);
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Shift")->Position(), -40 + 30);
  // Ctrl and left: Light1's position.
  Drag(Qt::LeftButton, Qt::ControlModifier, {100, 100}, {{90, 100}});
  EXPECT_EQ(Named<TrackBar>("Tkb_Light1_Pos_X")->Position(), -100 - 30);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Light1_Pos_X")->text(), QStringLiteral("-13.0"));
  // Shift, Ctrl and right: Light2's height.
  Drag(Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, {100, 100}, {{100, 110}});
  EXPECT_EQ(Named<TrackBar>("Tkb_Light2_Pos_Y")->Position(), 100 + 30);
}

TEST_F(NavigationTest, AltWinsOverShiftAndCtrl) {
  const ViewBars before = View();
  const int lightX = Named<TrackBar>("Tkb_Light1_Pos_X")->Position();
  QTest::mousePress(Frame().Panel(), Qt::LeftButton, Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier,
                    {100, 100});
  EXPECT_TRUE(MainWindowTest::View().Drag().flag[8]);
  QTest::mouseMove(Frame().Panel(), {110, 95});
  QTest::mouseRelease(Frame().Panel(), Qt::LeftButton, Qt::AltModifier, {110, 95});
  EXPECT_EQ(Named<TrackBar>("Tkb_XX")->Position(), 30);
  EXPECT_EQ(Named<TrackBar>("Tkb_YY")->Position(), 310 - 15);
  EXPECT_TRUE(View() == before);
  EXPECT_EQ(Named<TrackBar>("Tkb_Light1_Pos_X")->Position(), lightX);
}

TEST_F(NavigationTest, MiddleDragMovesTheToolTargetAsAltDragDoes) {
  // Window managers that take Alt+drag leave the middle button alone.
  const ViewBars before = View();
  Drag(Qt::MiddleButton, Qt::NoModifier, {100, 100}, {{110, 95}});
  EXPECT_EQ(Named<TrackBar>("Tkb_XX")->Position(), 30);
  EXPECT_EQ(Named<TrackBar>("Tkb_YY")->Position(), 310 - 15);
  Drag(Qt::MiddleButton, Qt::ShiftModifier, {100, 100}, {{100, 110}});
  EXPECT_EQ(Named<TrackBar>("Tkb_ZZ")->Position(), 310 - 30) << "Shift+middle is Alt+right: X and Z";
  EXPECT_TRUE(View() == before);
  // After a release, moving changes nothing.
  QTest::mouseMove(Frame().Panel(), {80, 80});
  EXPECT_TRUE(QTest::qWaitFor([] { return MainWindowTest::View().Drag().lastX == 80; }, 2000));
  EXPECT_EQ(Named<TrackBar>("Tkb_XX")->Position(), 30);
}

TEST_F(NavigationTest, ShortcutKeysStepTheirBarsWithinRange) {
  QTest::keyClick(Win(), 'e');
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 10);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData01")->text(), QStringLiteral("0.10"));
  QTest::keyClick(Win(), 'q');
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), -40);
  QTest::keyClick(Win(), 'v');
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData03")->Position(), 9050);
  QTest::keyClick(Win(), ',');
  EXPECT_EQ(Named<TrackBar>("Tkb_ZZ")->Position(), 360);
  QTest::keyClick(Win(), 'g');
  EXPECT_EQ(Named<TrackBar>("Tkb_YY")->Position(), 260);

  // "r" at J1's maximum leaves it there.
  Named<TrackBar>("Tkb_TestData01")->SetPosition(24000);
  QTest::keyClick(Win(), 'r');
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 24000);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData01")->text(), QStringLiteral("240.00"));
}

TEST_F(NavigationTest, UpperCaseAndOtherKeysDoNothing) {
  std::vector<int> before;
  for (TrackBar* b : Win()->findChildren<TrackBar*>()) before.push_back(b->Position());
  QTest::keyClick(Win(), 'Q', Qt::ShiftModifier);
  QTest::keyClick(Win(), 'R', Qt::ShiftModifier);
  QTest::keyClick(Win(), 'p');
  QTest::keyClick(Win(), '1');
  std::vector<int> after;
  for (TrackBar* b : Win()->findChildren<TrackBar*>()) after.push_back(b->Position());
  EXPECT_EQ(before, after);
}

TEST_F(NavigationTest, KeysReachTheWindowThroughAFocusedSlider) {
  Named<TrackBar>("Tkb_Zoom")->setFocus();
  QTest::keyClick(Named<TrackBar>("Tkb_Zoom"), 'w');
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), -10);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -200);
}

TEST_F(NavigationTest, OrthoSwitchSetsZoomRangeAndProjection) {
  auto projection = [] {
    double m[16] = {};
    EXPECT_TRUE(Frame().Panel()->MakeCurrent());
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    Frame().Panel()->DoneCurrent();
    return std::vector<double>(m, m + 16);
  };
  Named<QCheckBox>("Chk_Ortho")->setChecked(true);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->minimum(), 10);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->maximum(), 500);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 50);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Zoom")->text(), QStringLiteral("0.50"));
  EXPECT_FLOAT_EQ(Frame().Settings().view.zoom, 0.5f);
  // Orthographic: no perspective divide.
  EXPECT_DOUBLE_EQ(projection()[11], 0.0);

  Named<QCheckBox>("Chk_Ortho")->setChecked(false);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->minimum(), -1000);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->maximum(), 500);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -350);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Zoom")->text(), QStringLiteral("-3.50"));
  EXPECT_DOUBLE_EQ(projection()[11], -1.0);
}

}  // namespace
