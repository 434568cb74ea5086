// The settings transfer and the handlers of the detail panel, the right bar
// and the hidden groups.
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ui/Controls.h"
#include "ui/Handler.h"
#include "ui/Input.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "ui/WindowFixture.h"

namespace {

class SettingsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Named<QTimer>("Tim_Blink")->stop();
    Pump(150);
  }

  // The operator picks item `index` with the keyboard: one step from its
  // neighbour, so the change handler runs exactly once.
  static void Choose(QComboBox* c, int index) {
    c->setCurrentIndex(index > 0 ? index - 1 : 1);
    c->setFocus();
    QTest::keyClick(c, index > 0 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(c->currentIndex(), index);
  }

  // Double-clicks a value label and, inside the keypad it opens, clicks
  // the keys of `keys` and then "ENT". A keypad left open is cancelled,
  // so a failing test cannot hang.
  static void TypeOnKeypad(ValueLabel* label, const char* keys) {
    bool shown = false;
    QTimer::singleShot(0, app->Keypad(), [keys, &shown] {
      shown = QTest::qWaitForWindowExposed(app->Keypad());
      for (const char* k = keys; *k; ++k) {
        QPushButton* b = *k == '.'   ? app->Keypad()->Btn_Dot
                         : *k == '-' ? app->Keypad()->Btn_Minus
                                     : app->Keypad()->Btn_Num[*k - '0'];
        QTest::mouseClick(b, Qt::LeftButton);
      }
      QTest::mouseClick(app->Keypad()->Btn_Enter, Qt::LeftButton);
      if (app->Keypad()->isVisible()) {
        ADD_FAILURE() << "the keypad stayed open";
        app->Keypad()->reject();
      }
    });
    QTest::mouseDClick(label, Qt::LeftButton);
    EXPECT_TRUE(shown) << "no keypad for " << label->objectName().toStdString();
  }

  // A point of the picture that shows the background: the scene is
  // shifted far down, so the top of the panel is clear of floor and arm.
  static QColor PanelCentre() {
    Named<TrackBar>("Tkb_Z_Shift")->SetPosition(Named<TrackBar>("Tkb_Z_Shift")->minimum());
    const QImage img = Frame().Panel()->grabFramebuffer();
    return img.pixelColor(img.width() / 2, 2);
  }
};

TEST_F(SettingsTest, FrameOnlySwitchesBothLightsOffAndMakesEverythingOpaque) {
  Named<TrackBar>("Tkb_Trans")->SetPosition(5);
  EXPECT_FLOAT_EQ(Frame().Settings().transparency, 0.5f);
  Click(Named<QCheckBox>("Chk_DrawFill"));
  Click(Named<QCheckBox>("Chk_DrawFrame"));
  ASSERT_FALSE(Named<QCheckBox>("Chk_DrawFill")->isChecked());
  ASSERT_TRUE(Named<QCheckBox>("Chk_DrawFrame")->isChecked());
  EXPECT_FALSE(Named<QCheckBox>("Chk_Light1")->isEnabled());
  EXPECT_FALSE(Named<QCheckBox>("Chk_Light2")->isEnabled());
  EXPECT_TRUE(Named<QCheckBox>("Chk_Light1")->isChecked()) << "the operator's choice stays";
  EXPECT_FALSE(ActiveLights().slot[0].enabled);
  EXPECT_FALSE(ActiveLights().slot[1].enabled);
  EXPECT_FALSE(Frame().Settings().lightingOn);
  EXPECT_FLOAT_EQ(Frame().Settings().transparency, 1.0f);

  Click(Named<QCheckBox>("Chk_DrawFill"));
  EXPECT_TRUE(Named<QCheckBox>("Chk_Light1")->isEnabled());
  EXPECT_TRUE(ActiveLights().slot[0].enabled);
  EXPECT_FLOAT_EQ(Frame().Settings().transparency, 0.5f);
}

TEST_F(SettingsTest, LightControlsFillTheirSlots) {
  const LightSource& l1 = ActiveLights().slot[0];
  const LightSource& l2 = ActiveLights().slot[1];
  // As laid out: flat lights at (-10, 6, 10) and (10, 10, 10), levels 0.5 / 0.6.
  EXPECT_FLOAT_EQ(l1.position[0], -10.0f);
  EXPECT_FLOAT_EQ(l1.position[1], 6.0f);
  EXPECT_FLOAT_EQ(l1.position[3], 0.0f);
  EXPECT_FLOAT_EQ(l2.position[2], 10.0f);
  EXPECT_FLOAT_EQ(l1.ambientLevel, 0.5f);
  EXPECT_FLOAT_EQ(l1.diffuseLevel, 0.6f);
  EXPECT_FLOAT_EQ(l1.attenuation[1], 0.001f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Light1_Spot_Cutoff")->text(), QStringLiteral("30"));

  Named<TrackBar>("Tkb_Light2_Diff")->SetPosition(25);
  EXPECT_FLOAT_EQ(l2.diffuseLevel, 0.25f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Light2_Diff")->text(), QStringLiteral("0.25"));
  Named<QCheckBox>("Chk_Light2_Directional")->setChecked(false);
  EXPECT_FLOAT_EQ(l2.position[3], 1.0f);

  // Switching Light1 off locks its position and level bars only.
  Named<QCheckBox>("Chk_Light1")->setChecked(false);
  EXPECT_FALSE(l1.enabled);
  for (TrackBar* b : {Named<TrackBar>("Tkb_Light1_Pos_X"), Named<TrackBar>("Tkb_Light1_Pos_Y"), Named<TrackBar>("Tkb_Light1_Pos_Z"),
                      Named<TrackBar>("Tkb_Light1_Amb"), Named<TrackBar>("Tkb_Light1_Diff")})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_TRUE(Named<TrackBar>("Tkb_Light1_Spot_Cutoff")->isEnabled());
  EXPECT_TRUE(Named<TrackBar>("Tkb_Light2_Pos_X")->isEnabled());
}

TEST_F(SettingsTest, SpotDirectionComboPicksAnAxisInGlOrderAndRedraws) {
  const LightSource& l1 = ActiveLights().slot[0];
  EXPECT_FLOAT_EQ(l1.spotDirection[1], -1.0f) << "\"-Z\" is down, GL -y";
  const int frames = Frame().FramesDrawn();
  Choose(Named<QComboBox>("Cmb_Light1_Spot_Dir"), 1);  // " X"
  EXPECT_GT(Frame().FramesDrawn(), frames);
  EXPECT_FLOAT_EQ(l1.spotDirection[0], 1.0f);
  EXPECT_FLOAT_EQ(l1.spotDirection[1], 0.0f);
  Choose(Named<QComboBox>("Cmb_Light1_Spot_Dir"), 2);  // "-Y": scene Y is GL z
  EXPECT_FLOAT_EQ(l1.spotDirection[2], -1.0f);
  EXPECT_FLOAT_EQ(l1.spotDirection[0], 0.0f);

  // A choice made by the program runs no handler.
  const int quiet = Frame().FramesDrawn();
  Named<QComboBox>("Cmb_Light1_Spot_Dir")->setCurrentIndex(5);
  EXPECT_EQ(Frame().FramesDrawn(), quiet);
}

TEST_F(SettingsTest, FogControlsAsLaidOutAndChanged) {
  EXPECT_FALSE(ActiveFog().enabled);
  EXPECT_EQ(ActiveFog().mode, GL_EXP);
  EXPECT_EQ(ActiveFog().hint, GL_DONT_CARE);
  EXPECT_FLOAT_EQ(ActiveFog().start, -5.0f);
  QDockWidget* dock = Win()->PanelDock(QStringLiteral("Fog Setting"));
  ASSERT_NE(dock, nullptr);
  dock->show();
  Named<TrackBar>("Tkb_Fog_Density")->SetPosition(20);
  EXPECT_FLOAT_EQ(ActiveFog().density, 0.2f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Fog_Density")->text(), QStringLiteral("0.20"));
  Choose(Named<QComboBox>("Cmb_Fog_Type"), 2);
  EXPECT_EQ(ActiveFog().mode, GL_EXP2);
  Click(Named<QCheckBox>("Chk_Fog_Enable"));
  EXPECT_TRUE(ActiveFog().enabled);
}

TEST_F(SettingsTest, PearlPresetSetsTheSlidersWithoutRedrawingPerSlider) {
  Click(Named<QCheckBox>("Chk_ColorTexture"));
  ASSERT_TRUE(Named<QComboBox>("Cmb_ColorTexture")->isEnabled());
  const int frames = Frame().FramesDrawn();
  Choose(Named<QComboBox>("Cmb_ColorTexture"), 3);
  ASSERT_EQ(Named<QComboBox>("Cmb_ColorTexture")->currentText(), QStringLiteral("pearl"));
  const int expected[10] = {250, 207, 207, 1000, 828, 828, 296, 296, 296, 10};
  TrackBar* bars[10] = {Named<TrackBar>("Tkb_ColorTex_Amb_R"),  Named<TrackBar>("Tkb_ColorTex_Amb_G"),  Named<TrackBar>("Tkb_ColorTex_Amb_B"),
                        Named<TrackBar>("Tkb_ColorTex_Diff_R"), Named<TrackBar>("Tkb_ColorTex_Diff_G"), Named<TrackBar>("Tkb_ColorTex_Diff_B"),
                        Named<TrackBar>("Tkb_ColorTex_Spec_R"), Named<TrackBar>("Tkb_ColorTex_Spec_G"), Named<TrackBar>("Tkb_ColorTex_Spec_B"),
                        Named<TrackBar>("Tkb_ColorTex_Shin")};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(bars[i]->Position(), expected[i]) << bars[i]->objectName().toStdString();
  // The labels show the slider-quantised record.
  EXPECT_EQ(Named<ValueLabel>("Lbl_ColorTex_Diff_G")->text(), QStringLiteral("0.828"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_ColorTex_Shin")->text(), QStringLiteral("10"));
  EXPECT_FLOAT_EQ(Frame().Settings().colorTex.record.amb[0], 0.25f);
  // One frame from the slider handler run once, one from the preset handler.
  EXPECT_EQ(Frame().FramesDrawn() - frames, 2);
  EXPECT_FALSE(Appearance().ColorTexGuard());
}

TEST_F(SettingsTest, ColorTextureBoxesExcludeEachOtherAndLockTheSliders) {
  // As laid out: by type and colour, sliders locked, preset list off.
  EXPECT_TRUE(Named<QCheckBox>("Chk_ColorTex_ByTypeColor")->isChecked());
  EXPECT_FALSE(Named<TrackBar>("Tkb_ColorTex_Amb_R")->isEnabled());
  EXPECT_TRUE(Named<QComboBox>("Cmb_ColorTex_Type")->isEnabled());

  Click(Named<QCheckBox>("Chk_ColorTexture"));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ColorTex_ByTypeColor")->isChecked());
  EXPECT_TRUE(Named<QComboBox>("Cmb_ColorTexture")->isEnabled());
  EXPECT_FALSE(Named<QComboBox>("Cmb_ColorTex_Type")->isEnabled());
  EXPECT_FALSE(Named<TrackBar>("Tkb_ColorTex_Spec_B")->isEnabled());
  EXPECT_FALSE(Named<ValueLabel>("Lbl_ColorTex_Shin")->isEnabled());

  // Both off: the sliders are free.
  Click(Named<QCheckBox>("Chk_ColorTexture"));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ColorTex_ByTypeColor")->isChecked());
  EXPECT_TRUE(Named<TrackBar>("Tkb_ColorTex_Spec_B")->isEnabled());
  EXPECT_TRUE(Named<ValueLabel>("Lbl_ColorTex_Spec_B")->isEnabled());
  EXPECT_TRUE(Named<ValueLabel>("Lbl_ColorTex_Shin")->isEnabled());
  Named<TrackBar>("Tkb_ColorTex_Spec_B")->SetPosition(123);
  EXPECT_EQ(Named<ValueLabel>("Lbl_ColorTex_Spec_B")->text(), QStringLiteral("0.123"));

  Click(Named<QCheckBox>("Chk_ColorTex_ByTypeColor"));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ColorTexture")->isChecked());
  EXPECT_FALSE(Named<TrackBar>("Tkb_ColorTex_Spec_B")->isEnabled());
  EXPECT_TRUE(Named<ColorSwatch>("Shp_ColorTex_Color")->isEnabled());
  EXPECT_TRUE(Named<TrackBar>("Tkb_ColorTex_Shin")->isEnabled());
}

TEST_F(SettingsTest, CancelledColourDialogChangesNothing) {
  Frame().DrawFrame();
  const QColor before = PanelCentre();
  prompts.colorAnswers = {-1};
  QTest::mouseClick(Named<ColorSwatch>("Shp_Color_Back"), Qt::LeftButton);
  Pump(250);
  EXPECT_EQ(prompts.colorDialogs, 1);
  EXPECT_EQ(Named<ColorSwatch>("Shp_Color_Back")->Color(), 0x000000u);
  EXPECT_EQ(PanelCentre(), before);
}

TEST_F(SettingsTest, ChosenBackgroundColourClearsThePicture) {
  prompts.colorAnswers = {0x0000FF};
  QTest::mouseClick(Named<ColorSwatch>("Shp_Color_Back"), Qt::LeftButton);
  EXPECT_EQ(Named<ColorSwatch>("Shp_Color_Back")->Color(), 0x0000FFu);
  EXPECT_EQ(Frame().Settings().backColor, 0x0000FFu);
  // The redraw is deferred to the draw timer.
  ASSERT_TRUE(QTest::qWaitFor([] { return PanelCentre() == QColor(255, 0, 0); }, 2000));

  // A swatch of a hidden group feeds its setting the same way, and any
  // mouse button opens the dialog.
  prompts.colorAnswers = {0x00FF00};
  QTest::mouseClick(Named<ColorSwatch>("Shp_Color_Light2"), Qt::RightButton);
  EXPECT_EQ(prompts.colorDialogs, 2);
  EXPECT_EQ(ActiveLights().slot[1].color, 0x00FF00u);
}

TEST_F(SettingsTest, KeypadValuesMoveTheJointsTruncated) {
  // The operator double-clicks the joint's label and types on the keypad;
  // the keypad returns the value with the row's two decimals (12.349 gives
  // "12.35"), which the bar takes times 100, truncated.
  TypeOnKeypad(Named<ValueLabel>("Lbl_TestData01"), "12.349");
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 1235);
  EXPECT_FLOAT_EQ(Frame().Settings().joints[0], 12.35f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData01")->text(), QStringLiteral("12.35"));
  TypeOnKeypad(Named<ValueLabel>("Lbl_TestData06"), "-0.509");
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData06")->Position(), -51);
  // A huge number holds the bar at its end instead of overflowing.
  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_TestData02"), QStringLiteral("1e300"));
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData02")->Position(), 12000);

  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_ShmInterval"), QStringLiteral("250"));
  EXPECT_EQ(Named<QTimer>("Tim_ShmMonitor")->interval(), 250);
  EXPECT_EQ(Frame().Settings().shmInterval, 250);
  // Other Tags keep the caption only.
  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_RBT1_Port"), QStringLiteral("3"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_Port")->text(), QStringLiteral("3"));
}

TEST_F(SettingsTest, KeypadTableAsInitialised) {
  const auto& v = Arm().ValueEntries();
  EXPECT_EQ(v[0].maximum, 9999);
  EXPECT_EQ(v[0].digits, 4);
  EXPECT_EQ(v[5].text, QStringLiteral("1"));
  EXPECT_EQ(v[6].maximum, 100);
  EXPECT_EQ(v[11].minimum, -90);
  EXPECT_EQ(v[11].digits, 6);
  EXPECT_EQ(v[15].maximum, 360);
  EXPECT_EQ(v[15].decimals, 2);
  EXPECT_EQ(v[15].kind, 1);
  EXPECT_EQ(TagOf(Named<ValueLabel>("Lbl_ShmInterval")), 0);
  EXPECT_EQ(TagOf(Named<ValueLabel>("Lbl_TestData03")), 12);
  EXPECT_EQ(TagOf(Named<ValueLabel>("Lbl_OHT2_ID")), 5);
  EXPECT_EQ(TagOf(Named<ValueLabel>("Lbl_RBT2_Process")), 7);
}

// Each controller writes its part of the settings the moment one of its
// controls changes, whoever changes it; most of the controls below have no
// handler that would draw a frame.
TEST_F(SettingsTest, ControlsWriteTheirSettingsTheMomentTheyChange) {
  Named<QTimer>("Tim_Blink")->stop();
  const RenderSettings& s = Frame().Settings();
  struct Row {
    const char* name;
    std::function<void(QWidget*)> change;
    std::function<double()> read;
    double expected;
  };
  auto color = [](QWidget* w) { static_cast<ColorSwatch*>(w)->SetColor(0x123456); };
  auto tick = [](QWidget* w) { static_cast<QCheckBox*>(w)->setChecked(!static_cast<QCheckBox*>(w)->isChecked()); };
  const Row rows[] = {
      {"Shp_Color_Back", color, [&] { return s.backColor; }, 0x123456},
      {"Shp_Color_Frame", color, [&] { return s.frameColor; }, 0x123456},
      {"Shp_ColorTex_Color", color, [&] { return s.colorTex.swatch; }, 0x123456},
      {"Shp_VARobot_Body", color, [&] { return s.armColor; }, 0x123456},
      {"Shp_Color_RBT2_Hand", color, [&] { return s.robot[1].hand; }, 0x123456},
      {"Cmb_TextSize", [](QWidget* w) { static_cast<QComboBox*>(w)->setCurrentIndex(1); },
       [&] { return s.text.charSize; }, 1.0},
      {"Cmb_RBT1_Slot", [](QWidget* w) { static_cast<QComboBox*>(w)->setCurrentIndex(3); },
       [&] { return s.robot[0].Slot; }, 3},
      {"Chk_RBT_Test_Rotate", tick, [&] { return s.testRotate; }, 1},
      {"Chk_TestData02", tick, [&] { return s.markPlate; }, 1},
      {"Tkb_Resolution", [](QWidget* w) { static_cast<TrackBar*>(w)->SetPosition(40); },
       [&] { return s.view.resolution; }, 40},
      // The link sets a panel's wafer boxes without their handlers.
      {"Chk_RBT1_R1_Wafer",
       [](QWidget*) {
         RobotPanelValues v;
         v.WaferR1 = true;
         Robots().SetRobotPanel(0, v);
       },
       [&] { return s.robot[0].WaferR1; }, 1},
  };
  for (const Row& r : rows) {
    r.change(Named<QWidget>(r.name));
    EXPECT_EQ(r.read(), r.expected) << r.name;
  }
}

TEST_F(SettingsTest, TextThatIsNotANumberShowsTheErrorAndStops) {
  // A joint label: the message, and nothing moves.
  Guarded(Win(), [] { Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_TestData01"), QStringLiteral("abc")); })();
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_EQ(prompts.messages[0], QStringLiteral("'abc' is not a valid floating point value"));
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData01")->Position(), 0);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData01")->text(), QStringLiteral("0.00"));

  // The link interval: the message, and the caption and timer stay.
  Guarded(Win(), [] { Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_ShmInterval"), QStringLiteral("abc")); })();
  ASSERT_EQ(prompts.messages.size(), 2);
  EXPECT_EQ(prompts.messages[1], QStringLiteral("'abc' is not a valid integer value"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_ShmInterval")->text(), QStringLiteral("100"));
  EXPECT_EQ(Named<QTimer>("Tim_ShmMonitor")->interval(), 100);
  EXPECT_EQ(Frame().Settings().shmInterval, 100);
}

TEST_F(SettingsTest, XYZModeKeepsJ5AtOneEightyMinusJ2AndJ3) {
  Click(Named<QCheckBox>("Chk_XYZmode"));
  for (TrackBar* b : {Named<TrackBar>("Tkb_TestData01"), Named<TrackBar>("Tkb_TestData02"), Named<TrackBar>("Tkb_TestData03"),
                      Named<TrackBar>("Tkb_TestData05"), Named<TrackBar>("Tkb_TestData06")})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  EXPECT_TRUE(Named<TrackBar>("Tkb_TestData04")->isEnabled());
  EXPECT_TRUE(Named<TrackBar>("Tkb_XX")->isEnabled());

  Named<TrackBar>("Tkb_TestData02")->SetPosition(3000);
  Named<TrackBar>("Tkb_TestData03")->SetPosition(10000);
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData05")->Position(), 5000);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData05")->text(), QStringLiteral("50.00"));
  // Beyond J5's range the bar holds at its end.
  Named<TrackBar>("Tkb_TestData02")->SetPosition(-9000);
  Named<TrackBar>("Tkb_TestData03")->SetPosition(-18000);
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData05")->Position(), 12000);

  Click(Named<QCheckBox>("Chk_XYZmode"));
  EXPECT_TRUE(Named<TrackBar>("Tkb_TestData05")->isEnabled());
  EXPECT_FALSE(Named<TrackBar>("Tkb_XX")->isEnabled());
  Named<TrackBar>("Tkb_TestData03")->SetPosition(0);
  EXPECT_EQ(Named<TrackBar>("Tkb_TestData05")->Position(), 12000) << "free again outside X/Y/Z mode";
}

TEST_F(SettingsTest, BulkUpdateWritesLabelsWithoutDrawing) {
  const int frames = Frame().FramesDrawn();
  Arm().BulkUpdate = true;
  Named<TrackBar>("Tkb_TestData04")->SetPosition(-1234);
  Arm().BulkUpdate = false;
  EXPECT_EQ(Frame().FramesDrawn(), frames);
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData04")->text(), QStringLiteral("-12.34"));
}

TEST_F(SettingsTest, BlockTextFromItsGroup) {
  const BlockTextSettings& t = Frame().Settings().text;
  EXPECT_FALSE(t.shown);
  EXPECT_EQ(t.text, "Robot Test");
  EXPECT_FLOAT_EQ(t.charSize, 2.0f);
  EXPECT_FALSE(Named<QLineEdit>("Edt_TextData")->isEnabled()) << "hidden text: its controls are locked";
  Named<QCheckBox>("Chk_DrawText")->setChecked(true);
  EXPECT_TRUE(Named<QLineEdit>("Edt_TextData")->isEnabled());
  EXPECT_TRUE(Named<QComboBox>("Cmb_TextDir")->isEnabled());
  Named<QCheckBox>("Chk_TextDir_Lock")->setChecked(true);
  EXPECT_FALSE(Named<QComboBox>("Cmb_TextDir")->isEnabled());

  // "Vibrate" adds the test run's offset to the height.
  Appearance().SetTextOffset(0.25f);
  Named<TrackBar>("Tkb_Text_Z")->SetPosition(100);
  EXPECT_FLOAT_EQ(t.Z, 1.25f);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Text_Z")->text(), QStringLiteral("1.25"));
  Named<QCheckBox>("Chk_Text_Vibrate")->setChecked(false);
  EXPECT_FLOAT_EQ(t.Z, 1.0f);

  Named<QLineEdit>("Edt_TextData")->setText(QStringLiteral("A\u00e9B"));
  EXPECT_EQ(t.text.size(), 3u) << "one place per character";
  EXPECT_EQ(Named<QLineEdit>("Edt_TextData")->maxLength(), 20);
}

TEST_F(SettingsTest, RobotPanelsTransferScaledWithTheirLabels) {
  Named<TrackBar>("Tkb_RBT1_ZAxis")->SetPosition(1234);
  Named<TrackBar>("Tkb_RBT1_TAxis")->SetPosition(-1800);
  Named<TrackBar>("Tkb_RBT2_XAxis")->SetPosition(2500);
  Named<TrackBar>("Tkb_RBT2_RT1Axis")->SetPosition(900);
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_ZAxis")->text(), QStringLiteral("0.1234"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_TAxis")->text(), QStringLiteral("-180.0"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT2_XAxis")->text(), QStringLiteral("2.500"));
  const RenderSettings& s = Frame().Settings();
  EXPECT_FLOAT_EQ(s.robot[0].T, -180.0f);
  EXPECT_FLOAT_EQ(s.robot[1].RT1, 0.0f) << "RBT2 has no turn table";
  EXPECT_TRUE(s.robot[0].DualArm);
  EXPECT_EQ(s.robot[1].hand, 0xE1FFFFu);

  // While updating, the axis handler leaves everything alone.
  Robots().Updating = true;
  Named<TrackBar>("Tkb_RBT1_R1Axis")->SetPosition(50);
  Robots().Updating = false;
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_R1Axis")->text(), QStringLiteral("0.00"));

  Named<QCheckBox>("Chk_RBT_MultiDraw")->setChecked(true);
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT1_DualArm")->isEnabled());
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT2_DualArm")->isEnabled());
}

TEST_F(SettingsTest, AlarmCaptionFlipsItsWholeColumnWithOneRedraw) {
  QDockWidget* dock = Win()->PanelDock(QStringLiteral("Equipment"));
  ASSERT_NE(dock, nullptr);
  dock->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dock));
  const int frames = Frame().FramesDrawn();
  QTest::mouseDClick(Named<ValueLabel>("Lbl_Alarm"), Qt::LeftButton);
  for (QCheckBox* unit : Win()->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^Chk_Unit\\d\\d_Alarm$"))))
    EXPECT_TRUE(unit->isChecked()) << unit->objectName().toStdString();
  EXPECT_FALSE(Named<QCheckBox>("Chk_Unit05_Warning")->isChecked());
  EXPECT_EQ(Frame().FramesDrawn() - frames, 1);
  QTest::mouseDClick(Named<ValueLabel>("Lbl_Alarm"), Qt::LeftButton);
  EXPECT_FALSE(Named<QCheckBox>("Chk_Unit13_Alarm")->isChecked());
  QTest::mouseDClick(Named<ValueLabel>("Lbl_Warning"), Qt::LeftButton);
  EXPECT_TRUE(Named<QCheckBox>("Chk_Unit01_Warning")->isChecked());
}

TEST_F(SettingsTest, SmallHandlersOfTheHiddenGroups) {
  Named<QCheckBox>("Chk_x2")->setChecked(true);
  EXPECT_EQ(Named<QTimer>("Tim_Animation")->interval(), 25);
  Named<QCheckBox>("Chk_x2")->setChecked(false);
  EXPECT_EQ(Named<QTimer>("Tim_Animation")->interval(), 50);

  Named<TrackBar>("Tkb_OHT1_X")->SetPosition(1234);
  EXPECT_EQ(Named<TrackBar>("Tkb_OHT1_X")->toolTip(), QStringLiteral("1234"));

  // The link timer never runs with interval 0, as a toolkit timer would not.
  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_ShmInterval"), QStringLiteral("0"));
  Link().SetShmTimerEnabled(true);
  EXPECT_FALSE(Named<QTimer>("Tim_ShmMonitor")->isActive());
  Arm().ApplyValueEntry(Named<ValueLabel>("Lbl_ShmInterval"), QStringLiteral("250"));
  EXPECT_TRUE(Named<QTimer>("Tim_ShmMonitor")->isActive());
  Link().SetShmTimerEnabled(false);
  EXPECT_FALSE(Named<QTimer>("Tim_ShmMonitor")->isActive());
}

}  // namespace
