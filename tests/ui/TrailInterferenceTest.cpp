#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "WindowFixture.h"
#include "ui/InterferenceController.h"

namespace {

class TrailInterferenceTest : public MainWindowTest {
 protected:
  // Opens the View menu on the menu bar and clicks the entry, as a user does.
  static void Choose(QAction* entry) {
    QMenuBar* bar = Win()->menuBar();
    QAction* view = nullptr;
    for (QAction* a : bar->actions())
      if (a->text() == QStringLiteral("&View")) view = a;
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(view).center());
    QMenu* menu = view->menu();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(entry).center());
    Pump(50);
  }
};

}  // namespace

// The arm stands with its forearm out along the scene's +Y at 0.56 high; a
// box on that line is in its way.
TEST_F(TrailInterferenceTest, ViewEntryTogglesTheCheckAndTheStatusNamesTheContact) {
  PlaceBox(0.0f, 0.25f, 0.56f);
  EXPECT_EQ(Status().StatusText(), QString()) << "nothing is checked while the option is off";
  EXPECT_FALSE(Checks().report().Any());

  Choose(Checks().checkAction());
  ASSERT_TRUE(Checks().checkAction()->isChecked());
  EXPECT_TRUE(Status().StatusText().startsWith(QStringLiteral("J4 link hits OBJ012 load port")))
      << Status().StatusText().toStdString();
  Shot(Win(), "interference-window.png");

  // Moved clear of the arm: the message goes with the contact.
  PlaceBox(0.0f, 0.25f, 0.9f);
  EXPECT_EQ(Status().StatusText(), QString());

  PlaceBox(0.0f, 0.25f, 0.56f);
  Choose(Checks().checkAction());
  EXPECT_FALSE(Checks().checkAction()->isChecked());
  EXPECT_EQ(Status().StatusText(), QString());
}

// The trail follows the tool point through the arm's "Animation", and its
// first contact is reported with the step.
TEST_F(TrailInterferenceTest, TrailFollowsTheAnimationAndTheFirstContactIsNamedWithItsStep) {
  // Phase 1 moves the target along -X from (0, 0.366, 0.366).
  PlaceBox(-0.25f, 0.366f, 0.45f);
  Choose(Checks().trailAction());
  Choose(Checks().checkAction());
  ASSERT_NE(Checks().trail(), nullptr);
  QTimer::singleShot(2500, [] { QTest::mouseClick(Named<QPushButton>("Btn_VARBT_Test"), Qt::LeftButton); });
  QTest::mouseClick(Named<QPushButton>("Btn_VARBT_Test"), Qt::LeftButton);
  ASSERT_GT(Checks().trail()->Size(), 20);
  const float* last = Checks().trail()->Point(Checks().trail()->Size() - 1);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(last[k], Frame().ToolPoint()[k], 1e-5);
  EXPECT_TRUE(Status().StatusText().startsWith(QStringLiteral("Animation, first contact at step ")))
      << Status().StatusText().toStdString();
  EXPECT_TRUE(Status().StatusText().contains(QStringLiteral("hits OBJ012 load port")))
      << Status().StatusText().toStdString();
  Shot(Win(), "trail-after-animation.png");

  Choose(Checks().clearTrailAction());
  EXPECT_LE(Checks().trail()->Size(), 1);
}
