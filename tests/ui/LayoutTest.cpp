// The window as laid out: what exists, what is hidden, how the panels are
// reached, and that the open detail panel is readable.
#include <QDialog>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "ui/Coordmon.h"
#include "ui/Objectsetting.h"
#include "ui/WindowFixture.h"

namespace {

const char* const kHiddenGroups[] = {"Robot",       "Text Draw",          "Fog Setting",
                                     "Control Box", "Equipment",          "OHT System",
                                     "Unuse Item",  "For V/A Robot Test", "Other Controls"};

// Every visible control under root lies inside its parent, overlaps no
// visible sibling, and is at least as large as its text needs.
void CollectLayoutProblems(QWidget* root, QStringList* problems) {
  QList<QWidget*> kids;
  for (QWidget* w : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible() && !w->isWindow()) kids << w;
  const QString where = root->objectName().isEmpty() ? QString::fromLatin1(root->metaObject()->className())
                                                     : root->objectName();
  for (int i = 0; i < kids.size(); ++i) {
    QWidget* w = kids[i];
    const QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
    if (!root->rect().contains(w->geometry())) problems->append(name + QStringLiteral(" leaves ") + where);
    if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)) {
      const QSize need = w->minimumSizeHint();
      if (w->width() < need.width() || w->height() < need.height())
        problems->append(name + QStringLiteral(" is cut (%1x%2 < %3x%4)")
                                    .arg(w->width())
                                    .arg(w->height())
                                    .arg(need.width())
                                    .arg(need.height()));
    }
    for (int j = i + 1; j < kids.size(); ++j)
      if (w->geometry().intersects(kids[j]->geometry()))
        problems->append(name + QStringLiteral(" overlaps ") + kids[j]->objectName());
    // Containers only; a control's own inner parts are its business.
    if (QString::fromLatin1(w->metaObject()->className()) == QStringLiteral("QWidget") ||
        qobject_cast<QGroupBox*>(w))
      CollectLayoutProblems(w, problems);
  }
}

TEST_F(MainWindowTest, OpenDetailPanelIsReadableAndKeepsThePictureHeight) {
  const int glHeight = Frame().Panel()->height();
  OpenDetail();
  EXPECT_EQ(Named<QWidget>("Pnl_Bottom")->height(), kBottomDetailHeight);
  EXPECT_EQ(Frame().Panel()->height(), glHeight);
  EXPECT_EQ(Frame().Panel()->width(), 628);
  EXPECT_EQ(Win()->centralWidget()->width(), 799);
  QStringList problems;
  for (QWidget* w : {Named<QWidget>("Pnl_BottomStrip"), Named<QWidget>("Pnl_Detail"), Named<QWidget>("Pnl_VARobot")})
    CollectLayoutProblems(w, &problems);
  EXPECT_TRUE(problems.isEmpty()) << problems.join(QStringLiteral("; ")).toStdString();
  Shot(Win(), "main-window-detail.png");
}

TEST_F(MainWindowTest, EveryHiddenGroupIsAPanelThatStartsHidden) {
  QList<QAction*> actions = Win()->PanelsMenu()->actions();
  ASSERT_EQ(actions.size(), static_cast<int>(std::size(kHiddenGroups)));
  for (const char* caption : kHiddenGroups) {
    QDockWidget* d = Win()->PanelDock(QString::fromUtf8(caption));
    ASSERT_NE(d, nullptr) << caption;
    EXPECT_FALSE(d->isVisible()) << caption;
    QAction* a = d->toggleViewAction();
    EXPECT_TRUE(actions.contains(a)) << caption;
    EXPECT_FALSE(a->isChecked()) << caption;
  }
  // Shown from the menu, each panel is readable too.
  for (const char* caption : kHiddenGroups) {
    QDockWidget* d = Win()->PanelDock(QString::fromUtf8(caption));
    d->toggleViewAction()->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d)) << caption;
    Pump(30);
    QStringList problems;
    CollectLayoutProblems(d->widget(), &problems);
    EXPECT_TRUE(problems.isEmpty()) << caption << ": " << problems.join(QStringLiteral("; ")).toStdString();
    std::string file = std::string("panel-") + caption + ".png";
    for (char& c : file)
      if (c == ' ' || c == '/') c = '_';
    Shot(d, file);
    d->toggleViewAction()->trigger();
    EXPECT_FALSE(d->isVisible());
  }
  // Showing and hiding panels changed nothing in the window.
  EXPECT_EQ(Win()->centralWidget()->width(), 799);
}

TEST_F(MainWindowTest, ControlsAsLaidOut) {
  // All 43 colour swatches carry Tag 0.
  // The dialogs are children of the main window too; only its own count.
  QList<ColorSwatch*> swatches = Win()->findChildren<ColorSwatch*>();
  swatches.removeIf([](ColorSwatch* s) {
    const QWidget* w = s->window();
    return w != Win() && w->parentWidget() != Win()->centralWidget() && qobject_cast<const QDialog*>(w);
  });
  EXPECT_EQ(swatches.size(), 43);
  for (ColorSwatch* s : swatches) EXPECT_EQ(TagOf(s), 0) << s->objectName().toStdString();
  EXPECT_EQ(Named<ColorSwatch>("Shp_Color_Frame")->Color(), 0x2D2D2Du);
  EXPECT_EQ(Named<ColorSwatch>("Shp_Color_RBT1_Hand")->Color(), 0xE1FFFFu);

  struct Bar {
    const char* name;
    int min, max, position;
  } bars[] = {{"Tkb_X_Angle", -900, 900, 150},      {"Tkb_Z_Angle", -3600, 3600, -300},
              {"Tkb_Zoom", -4000, 500, -200},       {"Tkb_Z_Shift", -1000, 1000, -40},
              {"Tkb_Resolution", 4, 100, 72},       {"Tkb_Trans", 0, 10, 10},
              {"Tkb_TestData02", -9000, 12000, 0},  {"Tkb_TestData03", -18000, 18000, 9000},
              {"Tkb_TestData06", -36000, 36000, 0}, {"Tkb_YY", -600, 600, 310},
              {"Tkb_Light2_Pos_Y", -500, 500, 100}, {"Tkb_Light1_Spot_Cutoff", 0, 180, 30},
              {"Tkb_ColorTex_Shin", 1, 128, 64},    {"Tkb_Fog_Near", -500, 500, -500},
              {"Tkb_TextWidth", 1, 80, 20},         {"Tkb_RBT2_R1Axis", -100, 100, 0},
              {"Tkb_RBT1_ZAxis", 0, 1500, 0}};
  for (const Bar& b : bars) {
    auto* t = Win()->findChild<TrackBar*>(QString::fromLatin1(b.name));
    ASSERT_NE(t, nullptr) << b.name;
    EXPECT_EQ(t->minimum(), b.min) << b.name;
    EXPECT_EQ(t->maximum(), b.max) << b.name;
    EXPECT_EQ(t->Position(), b.position) << b.name;
  }
  // Combo defaults chosen at creation.
  EXPECT_EQ(Named<QComboBox>("Cmb_TextSize")->currentText(), QStringLiteral("L"));
  EXPECT_EQ(Named<QComboBox>("Cmb_Light2_Spot_Dir")->currentText(), QStringLiteral("-Z"));
  EXPECT_EQ(Named<QComboBox>("Cmb_ColorTexture")->currentText(), QStringLiteral("emerald"));
  EXPECT_EQ(Named<QComboBox>("Cmb_ColorTexture")->count(), 24);
  EXPECT_EQ(Named<QComboBox>("Cmb_RBT1_Pos")->count(), 29);
  EXPECT_EQ(Named<QComboBox>("Cmb_RBT1_Pos")->itemText(28), QStringLiteral("L/L2-Ext(Dn)"));
  EXPECT_EQ(Named<QComboBox>("Cmb_RBT2_Pos")->count(), 25);
  EXPECT_EQ(Named<QComboBox>("Cmb_VARBT_Pos")->itemText(1), QStringLiteral("1:Center(Down)"));
  EXPECT_EQ(Named<QComboBox>("Cmb_VARBT_Pos")->count(), 20);
  // Hidden single controls exist, hidden.
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShowDetail")->isVisible());
  EXPECT_FALSE(Named<QPushButton>("Btn_RBT_Test")->isVisible());
  EXPECT_FALSE(Named<TrackBar>("Tkb_RBT2_RT1Axis")->isVisibleTo(Named<QGroupBox>("Grp_Robot")));
  EXPECT_FALSE(Named<QCheckBox>("Chk_RBT_MultiDraw")->isVisibleTo(Named<QGroupBox>("Grp_Robot")));
  EXPECT_FALSE(Named<QCheckBox>("Chk_RBT1_DualArm")->isEnabled());
  EXPECT_EQ(Win()->UnitAlarmChecks[12], Named<QCheckBox>("Chk_Unit13_Alarm"));
  EXPECT_EQ(Win()->UnitAlarmChecks[13], nullptr);
  // Labels reflect the controls from the start.
  EXPECT_EQ(Named<ValueLabel>("Lbl_Z_Angle")->text(), QStringLiteral("-30.0"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_Light1_Amb")->text(), QStringLiteral("0.50"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData03")->text(), QStringLiteral("90.00"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_ColorTex_Shin")->text(), QStringLiteral("64"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_YY")->text(), QStringLiteral("0.310"));
}

TEST_F(MainWindowTest, ToolsMenuReachesEveryDialogAndTheLink) {
  QStringList enabled;
  for (QAction* a : Win()->ToolsMenu()->actions())
    if (a->isEnabled()) enabled << a->text();
  // Entries carry no underlined letter: a plain letter never runs one.
  EXPECT_EQ(enabled, (QStringList{QStringLiteral("Object Settings..."), QStringLiteral("Object List..."),
                                  QStringLiteral("XYZ Monitor..."), QStringLiteral("Shm Link"),
                                  QStringLiteral("Allowed Contacts..."), QStringLiteral("Motion Report...")}));
  // The link entry follows the hidden "Shm Link" box both ways.
  QAction* link = Win()->ToolsMenu()->actions().at(3);
  EXPECT_TRUE(link->isCheckable());
  Win()->ToolsMenu()->actions().at(2)->trigger();
  EXPECT_TRUE(app->Monitor()->isVisible());
  app->Monitor()->hide();
}

}  // namespace
