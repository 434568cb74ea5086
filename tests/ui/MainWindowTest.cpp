#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTimer>
#include <array>
#include <cmath>

#include "ui/Controls.h"
#include "ui/HelpController.h"
#include "ui/Coordmon.h"
#include "ui/Input.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "render/GlHeaders.h"
#include "support/Images.h"
#include "ui/WindowFixture.h"

TEST_F(MainWindowTest, FiveWindowsAreCreatedInOrderWithTheirCaptions) {
  const std::vector<std::string> expected = {"TForm1", "TTenkey", "TObjSet", "TObjList", "TXYZ_Mon"};
  EXPECT_EQ(app->CreationOrder(), expected);
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - untitled"));
  EXPECT_EQ(app->Keypad()->windowTitle(), QStringLiteral("Data Input"));
  EXPECT_EQ(app->ObjectSettings()->windowTitle(), QStringLiteral("Object Setting"));
  EXPECT_EQ(app->ObjectList()->windowTitle(), QStringLiteral("Object List"));
  EXPECT_EQ(app->Monitor()->windowTitle(), QStringLiteral("XYZ Monitor"));
}

TEST_F(MainWindowTest, TimersAsLaidOut) {
  struct Expect {
    QTimer* t;
    int interval;
    bool activeAfterShow;
  } rows[] = {// The link timer's laid-out 500 ms is replaced by the label's 100 at the
              // first settings transfer.
              {Named<QTimer>("Tim_ActiveCheck"), 100, true},
              {Named<QTimer>("Tim_Blink"), 500, true},
              {Named<QTimer>("Tim_Animation"), 100, false},
              {Named<QTimer>("Tim_RBT_Test"), 50, false},
              {Named<QTimer>("Tim_ShmMonitor"), 100, false}};
  for (const Expect& e : rows) {
    EXPECT_EQ(e.t->interval(), e.interval) << e.t->objectName().toStdString();
    EXPECT_EQ(e.t->isActive(), e.activeAfterShow) << e.t->objectName().toStdString();
  }
  EXPECT_EQ(Named<QTimer>("Tim_Draw")->interval(), 100);
}

TEST_F(MainWindowTest, TableAndTexturesAfterStartUp) {
  ObjectTable& t = Frame().Objects();
  EXPECT_EQ(t[7].Name, "OBJ007");
  for (const SceneObject& r : t) ASSERT_FALSE(r.Enbl);
  TextureSlot* slots = Frame().Textures();
  EXPECT_TRUE(slots[0].loaded);
  EXPECT_TRUE(slots[1].loaded);
  EXPECT_EQ(slots[0].number, 0);
  EXPECT_EQ(slots[1].number, 1);
  EXPECT_NE(slots[0].glName, 0u);
  EXPECT_NE(slots[1].glName, 0u);
  for (int i = 2; i < kTextureSlotCount; ++i) EXPECT_FALSE(slots[i].loaded);
  // The built-in pictures, not the gradient: the wafer's corner is the dark
  // carrier, the gradient's would be pure blue.
  EXPECT_LT(slots[1].image[0][0][2], 100);
  EXPECT_GT(slots[0].image[32][32][2], 100);
}

TEST_F(MainWindowTest, SeveralRedrawRequestsGiveOneFrame) {
  Named<QTimer>("Tim_Blink")->stop();
  Pump(250);
  const int before = Frame().FramesDrawn();
  Frame().RequestRedraw();
  Pump(20);
  Frame().RequestRedraw();
  Pump(20);
  Frame().RequestRedraw();
  Pump(300);
  EXPECT_EQ(Frame().FramesDrawn(), before + 1);
  // Nothing more happens without a request.
  Pump(300);
  EXPECT_EQ(Frame().FramesDrawn(), before + 1);
}

TEST_F(MainWindowTest, ReactivationDrawsOneFrame) {
  Named<QTimer>("Tim_Blink")->stop();
  Win()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  QWidget other;
  other.resize(200, 100);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  Pump(300);
  const int before = Frame().FramesDrawn();
  Win()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  Pump(400);
  EXPECT_EQ(Frame().FramesDrawn(), before + 1);
}

TEST_F(MainWindowTest, PanelShowsTheFloorTheArmAndTheBackground) {
  Frame().DrawFrame();
  const QImage img = Frame().Panel()->grabFramebuffer();
  ASSERT_FALSE(img.isNull());
  // Lower left: the checkerboard floor, light blue or near-white tiles.
  const QColor floor = img.pixelColor(img.width() / 8, img.height() - 10);
  EXPECT_GT(floor.blue(), 150);
  // The top right corner looks past the floor's far edge: background.
  const QColor sky = img.pixelColor(img.width() - 2, 1);
  EXPECT_EQ(sky, QColor(0, 0, 0));
  // The tool point labels show where the Home pose puts the tool.
  EXPECT_EQ(Named<ValueLabel>("Lbl_Test_X")->text(), QStringLiteral("0.0000"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_Test_Y")->text(), QStringLiteral("0.5600"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_Test_Z")->text(), QStringLiteral("0.3700"));
}

TEST_F(MainWindowTest, ToolPointLabelsNeverShowMinusZero) {
  // J1 at 180 turns the tool round: X is a tiny negative number.
  Named<TrackBar>("Tkb_TestData01")->SetPosition(18000);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Test_X")->text(), QStringLiteral("0.0000"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_Test_Z")->text(), QStringLiteral("-0.3700"));
}

TEST_F(MainWindowTest, ZeroHeightPanelKeepsItsProjectionAndDrawsAgainAfterwards) {
  auto projection = [] {
    std::array<double, 16> m{};
    if (Frame().Panel()->MakeCurrent()) glGetDoublev(GL_PROJECTION_MATRIX, m.data());
    Frame().Panel()->DoneCurrent();
    return m;
  };
  const auto before = projection();
  Q_EMIT Frame().Panel()->panelResized(628, 0);
  Q_EMIT Frame().Panel()->panelResized(0, 0);
  const auto collapsed = projection();
  for (double v : collapsed) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(collapsed, before);
  Frame().DrawFrame();
  EXPECT_TRUE(prompts.messages.isEmpty());
  Q_EMIT Frame().Panel()->panelResized(Frame().Panel()->width(), Frame().Panel()->height());
  Frame().DrawFrame();
  const QImage img = Frame().Panel()->grabFramebuffer();
  EXPECT_GT(img.pixelColor(img.width() / 8, img.height() - 10).blue(), 150) << "the floor is back";
}

TEST_F(MainWindowTest, DebugLabelRevealsShowDetailWhichOpensAndClosesTheBottomPanel) {
  EXPECT_EQ(Named<QWidget>("Pnl_Bottom")->height(), 40);
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShowDetail")->isVisible());
  QTest::mouseDClick(Named<ValueLabel>("Lbl_DEBUG"), Qt::LeftButton);
  EXPECT_TRUE(Named<QCheckBox>("Chk_ShowDetail")->isVisible());
  const int before = Win()->height();
  Click(Named<QCheckBox>("Chk_ShowDetail"));
  EXPECT_TRUE(Named<QCheckBox>("Chk_ShowDetail")->isChecked());
  EXPECT_EQ(Named<QWidget>("Pnl_Bottom")->height(), 230);
  EXPECT_EQ(Win()->height(), before + 190);
  Click(Named<QCheckBox>("Chk_ShowDetail"));
  EXPECT_EQ(Named<QWidget>("Pnl_Bottom")->height(), 40);
  EXPECT_EQ(Win()->height(), before);
}

TEST_F(MainWindowTest, RightBarHidesAndReturns) {
  Pump(50);
  EXPECT_EQ(Named<QWidget>("Pnl_VARobot")->width(), 168);
  Named<QCheckBox>("Chk_RightBar")->setChecked(false);
  Pump(50);
  EXPECT_FALSE(Named<QWidget>("Pnl_VARobot")->isVisible());
  Named<QCheckBox>("Chk_RightBar")->setChecked(true);
  Pump(50);
  EXPECT_EQ(Named<QWidget>("Pnl_VARobot")->width(), 168);
}

TEST_F(MainWindowTest, ExitSetsTheFlagAndClosesTheWindow) {
  QSignalSpy closed(Win(), &TForm1::closed);
  QTest::mouseClick(Named<QPushButton>("Btn_Exit"), Qt::LeftButton);
  EXPECT_TRUE(Win()->ExitRequested);
  EXPECT_FALSE(Win()->isVisible());
  EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, Screenshot) {
  Pump(200);
  Shot(Win(), "main-window.png");
  // Client area as laid out after start-up: 799 wide, the bottom panel
  // collapsed to its strip.
  EXPECT_EQ(Win()->centralWidget()->width(), 799);
  EXPECT_EQ(Win()->centralWidget()->height(), 595 - (kBottomDetailHeight - kBottomCollapsedHeight));
}

TEST_F(MainWindowTest, ALongMessageIsCutWithAnEllipsisAndKeptInTheMessagesList) {
  const QString long_ = QStringLiteral("Opened 126 objects from a scene file with a rather long name, ") +
                        QString(200, QLatin1Char('x'));
  Status().ShowStatus(QStringLiteral("first"));
  Status().ShowStatus(long_);
  Pump(50);
  ElidedLabel* field = Status().messageField();
  EXPECT_TRUE(field->Shown().endsWith(QChar(0x2026))) << field->Shown().toStdString();
  EXPECT_LT(field->Shown().size(), long_.size());
  EXPECT_EQ(field->toolTip(), long_);
  EXPECT_EQ(Status().StatusText(), long_);

  // View > Messages: each message with its time, the whole of it.
  Win()->findChild<QAction*>(QStringLiteral("Act_Messages"))->trigger();
  auto* list = Status().messagesDialog()->findChild<QListWidget*>(QStringLiteral("MessageList"));
  ASSERT_NE(list, nullptr);
  ASSERT_GE(list->count(), 2);
  const QRegularExpression stamped(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  "));
  EXPECT_TRUE(stamped.match(list->item(list->count() - 2)->text()).hasMatch());
  EXPECT_TRUE(list->item(list->count() - 2)->text().endsWith(QStringLiteral("  first")));
  EXPECT_TRUE(list->item(list->count() - 1)->text().endsWith(long_));
  // A message while it is open joins the list.
  Status().ShowStatus(QStringLiteral("later"));
  EXPECT_TRUE(list->item(list->count() - 1)->text().endsWith(QStringLiteral("  later")));
  Status().messagesDialog()->hide();
}

TEST_F(MainWindowTest, HelpShowsTheGuideEveryBindingAndWhatTheProgramIsBuiltOn) {
  Win()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  QTest::keyClick(Win()->windowHandle(), Qt::Key_F1);
  ASSERT_NE(Win()->Help().guide(), nullptr);
  EXPECT_TRUE(Win()->Help().guide()->isVisible());
  auto* guide = Win()->Help().guide()->findChild<QTextBrowser*>(QStringLiteral("GuideText"));
  EXPECT_TRUE(guide->toPlainText().contains(QStringLiteral("Interference"))) << "the guide's own text";
  EXPECT_FALSE(guide->document()
                   ->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/main-window.png")))
                   .isNull())
      << "its pictures come along";

  // Keys and Mouse: the menus' keys as set, Redo's two, the joint keys, the drags.
  const QString keys = Win()->Help().KeysText(Win()->menuBar());
  for (const char* part : {"Ctrl+Shift+Z, Ctrl+Y</td><td>Edit › Redo", "F1</td><td>Help › User Guide",
                           "Ctrl+C</td><td>Edit › Copy", "<b>q</b> -0.50°", "<b>,</b> +50 mm",
                           "Alt+left drag</td><td>across: tool X"})
    EXPECT_TRUE(keys.contains(QString::fromUtf8(part))) << part;

  // About: the version, Qt and OpenGL in use, the renderer, the libraries.
  const QString about = Win()->Help().AboutText();
  for (const QString& part : {QStringLiteral(TESSALY_VERSION), QString::fromLatin1(qVersion()),
                              Frame().GlRenderer(), QStringLiteral("BSD 3-Clause"), QStringLiteral("LGPL")})
    EXPECT_TRUE(!part.isEmpty() && about.contains(part)) << part.toStdString();
  Win()->Help().guide()->hide();
}
