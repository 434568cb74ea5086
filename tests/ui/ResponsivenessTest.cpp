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
    Form1->Tim_Blink->stop();
    // One outlined ball in the middle: a quick frame leaves its outline out.
    SceneObject& ball = Form1->Objects()[0];
    ball.Enbl = true;
    ball.Shp = ShapeKind::Ball;
    ball.R = ball.R2 = 0.3f;
    ball.Z = 0.5f;
    ball.Reso = 72;
    ball.Frame = true;
    ball.clFrame = 0x0000FF;
    Form1->DrawFrame();
    Pump(100);
  }
  static QImage Picture() { return Form1->Panel()->grabFramebuffer(); }
};

TEST_F(ResponsivenessTest, FastSceneDrawsEveryDragFrameInFullDetail) {
  // However loaded the test machine is, this scene counts as fast.
  Form1->Pacer()->setSlowFrameMs(1e9);
  Form1->DrawFrame();
  QWidget* panel = Form1->Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  const int before = Form1->FramesDrawn();
  QTest::mouseMove(panel, {130, 110});
  QTest::mouseMove(panel, {160, 120});
  EXPECT_GE(Form1->FramesDrawn(), before + 2);
  EXPECT_FALSE(Form1->Pacer()->lastFrameQuick());
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, {160, 120});
  // Nothing follows at rest: the last frame was already in full detail.
  const int after = Form1->FramesDrawn();
  Pump(FramePacer::kRestMs + 200);
  EXPECT_EQ(Form1->FramesDrawn(), after);
}

TEST_F(ResponsivenessTest, SlowSceneDragsInQuickFramesAndRestsInFullDetail) {
  FramePacer* pacer = Form1->Pacer();
  // Every frame of this scene counts as slow.
  pacer->setSlowFrameMs(0.0);
  Form1->DrawFrame();
  const QImage full = Picture();
  QWidget* panel = Form1->Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  // A button held with no move draws nothing new.
  EXPECT_FALSE(pacer->lastFrameQuick());
  QTest::mouseMove(panel, {101, 100});
  QTest::mouseMove(panel, {100, 100});
  EXPECT_TRUE(pacer->lastFrameQuick());
  // Back where it started, but without the ball's outline.
  EXPECT_NE(Picture(), full);
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::NoModifier, {100, 100});
  const int released = Form1->FramesDrawn();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !pacer->lastFrameQuick(); }, 2000));
  Pump(FramePacer::kRestMs + 200);
  // Exactly one full frame at rest, the same picture as before the drag.
  EXPECT_EQ(Form1->FramesDrawn(), released + 1);
  EXPECT_EQ(Picture(), full);
}

}  // namespace
