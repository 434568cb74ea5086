// Quick frames while the view is dragged in a slow scene, one full frame
// when the drag rests, and nothing of the kind in a scene that draws fast;
// driven by real mouse events on the drawing panel.
#include <QTimer>

#include "render/GlHeaders.h"
#include "ui/FramePacer.h"
#include "ui/WindowFixture.h"

namespace {

class ResponsivenessTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Named<QTimer>("Tim_Blink")->stop();
    // One outlined ball in the middle: a quick frame leaves its outline out.
    SceneObject& ball = Frame().Objects()[0];
    ball.Enbl = true;
    ball.Shp = ShapeKind::Ball;
    ball.R = ball.R2 = 0.3f;
    ball.Z = 0.5f;
    ball.Reso = 72;
    ball.Frame = true;
    ball.clFrame = 0x0000FF;
    Frame().DrawFrame();
    Pump(100);
  }
  static QImage Picture() { return Frame().Panel()->grabFramebuffer(); }
};

TEST_F(ResponsivenessTest, FastSceneDrawsEveryDragFrameInFullDetail) {
  // However loaded the test machine is, this scene counts as fast.
  Frame().Pacer()->setSlowFrameMs(1e9);
  Frame().DrawFrame();
  QWidget* panel = Frame().Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  const int before = Frame().FramesDrawn();
  QTest::mouseMove(panel, {130, 110});
  QTest::mouseMove(panel, {160, 120});
  EXPECT_GE(Frame().FramesDrawn(), before + 2);
  EXPECT_FALSE(Frame().Pacer()->lastFrameQuick());
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, {160, 120});
  // Nothing follows at rest: the last frame was already in full detail.
  const int after = Frame().FramesDrawn();
  Pump(FramePacer::kRestMs + 200);
  EXPECT_EQ(Frame().FramesDrawn(), after);
}

TEST_F(ResponsivenessTest, SlowSceneDragsInQuickFramesAndRestsInFullDetail) {
  FramePacer* pacer = Frame().Pacer();
  // Every frame of this scene counts as slow.
  pacer->setSlowFrameMs(0.0);
  Frame().DrawFrame();
  const QImage full = Picture();
  QWidget* panel = Frame().Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  // A button held with no move draws nothing new.
  EXPECT_FALSE(pacer->lastFrameQuick());
  QTest::mouseMove(panel, {101, 100});
  QTest::mouseMove(panel, {100, 100});
  EXPECT_TRUE(pacer->lastFrameQuick());
  // Back where it started, but without the ball's outline.
  EXPECT_NE(Picture(), full);
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  const int released = Frame().FramesDrawn();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !pacer->lastFrameQuick(); }, 2000));
  Pump(FramePacer::kRestMs + 200);
  // Exactly one full frame at rest, the same picture as before the drag.
  EXPECT_EQ(Frame().FramesDrawn(), released + 1);
  EXPECT_EQ(Picture(), full);
}

}  // namespace
