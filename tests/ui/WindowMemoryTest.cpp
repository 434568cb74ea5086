#include <QDockWidget>
#include <QScreen>
#include <QTemporaryDir>

#include "ui/Coordmon.h"
#include "ObjSetFixture.h"
#include "ui/Objectlist.h"
#include "ui/WindowFixture.h"
#include "ui/WindowMemory.h"
#include "ui/WindowPlacement.h"

namespace {

class WindowMemoryTest : public MainWindowTest {
 protected:
  QString ShapeList() const override { return ShippedShapeList(); }
  QTemporaryDir dir;
};

}  // namespace

TEST(KeepInsideScreenTest, AFrameIsShrunkToTheAreaThenMovedIntoIt) {
  const QRect scaled(0, 0, 960, 540);  // 1920 x 1080 at a scale factor of 2
  struct Case {
    QRect frame;
    QSize minimum;
    QRect kept;
  } cases[] = {
      {{80, 100, 800, 500}, {300, 200}, {80, 40, 800, 500}},     // moved up, not shrunk
      {{80, -96, 807, 680}, {300, 200}, {80, 0, 807, 540}},      // the title bar was above the screen
      {{500, 300, 1200, 400}, {300, 200}, {0, 140, 960, 400}},   // too wide
      {{10, 10, 400, 300}, {300, 200}, {10, 10, 400, 300}},      // fits as it is
      {{10, 200, 400, 700}, {300, 600}, {10, 0, 400, 600}},      // cannot be smaller: top left stays in
  };
  for (const Case& c : cases) EXPECT_EQ(KeepInsideScreen(c.frame, c.minimum, scaled), c.kept) << c.frame.y();
}

TEST_F(WindowMemoryTest, SizePlacePanelsAndOpenWindowsComeBackAtTheNextStart) {
  const QString ini = dir.filePath(QStringLiteral("tessaly.ini"));
  // A first start without anything kept keeps the laid-out size.
  const QSize laidOut = Win()->size();
  app.reset();
  MakeWindows(ShippedShapeList());
  RestoreWindows(*app, ini);
  EXPECT_EQ(Win()->size(), laidOut);

  Win()->setGeometry(50, 60, 700, 500);
  Win()->PanelDock(QStringLiteral("Robot"))->show();
  View().Btn_ObjListClick();
  app->ObjectList()->setGeometry(300, 200, 640, 400);
  Pump(100);
  const QRect main = Win()->geometry(), list = app->ObjectList()->geometry();
  SaveWindows(*app, ini);

  app.reset();
  app = std::make_unique<AppWindows>(ShippedShapeList());
  RestoreWindows(*app, ini);
  Win()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Win()));
  Pump(200);
  EXPECT_EQ(Win()->geometry(), main);
  EXPECT_TRUE(Win()->PanelDock(QStringLiteral("Robot"))->isVisible());
  EXPECT_FALSE(Win()->PanelDock(QStringLiteral("Fog Setting"))->isVisible());
  EXPECT_TRUE(app->ObjectList()->isVisible());
  EXPECT_EQ(app->ObjectList()->geometry(), list);
  EXPECT_FALSE(app->Monitor()->isVisible());
}

TEST_F(WindowMemoryTest, ShowDetailNeverGrowsTheWindowPastTheScreen) {
  const QRect area = Win()->screen()->availableGeometry();
  Win()->setGeometry(area.left() + 20, area.bottom() - 500, 800, 480);
  Pump(50);
  Named<QCheckBox>("Chk_ShowDetail")->setVisible(true);
  Named<QCheckBox>("Chk_ShowDetail")->setChecked(true);
  Pump(50);
  EXPECT_TRUE(area.contains(Win()->frameGeometry())) << Win()->frameGeometry().y() << " " << Win()->frameGeometry().height();
  EXPECT_TRUE(Named<QWidget>("Pnl_Detail")->isVisible());
}
