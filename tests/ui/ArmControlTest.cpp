#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "ui/Coordmon.h"
#include "ui/WindowFixture.h"

namespace {

using ArmControlTest = MainWindowTest;

int Pos(TrackBar* b) { return b->Position(); }

}  // namespace

TEST_F(ArmControlTest, ReachableTargetMovesTheJointsAndOutOfReachMovesNothing) {
  Named<QCheckBox>("Chk_XYZmode")->setChecked(true);
  // (0, 0.31, 0.31): straight ahead along +Y, J1 = 0.
  Named<TrackBar>("Tkb_XX")->SetPosition(0);
  Named<TrackBar>("Tkb_YY")->SetPosition(310);
  Named<TrackBar>("Tkb_ZZ")->SetPosition(311);
  Named<TrackBar>("Tkb_ZZ")->SetPosition(310);
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData01")), 0);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Ans_J1")->text(), QStringLiteral("0.000"));
  const int j2 = Pos(Named<TrackBar>("Tkb_TestData02")), j3 = Pos(Named<TrackBar>("Tkb_TestData03"));
  // J5 keeps the tool pointing down.
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData05")), 18000 - j2 - j3);
  // The tool point of the frame lands on the target, within the truncation.
  EXPECT_NEAR(Frame().ToolPoint()[2], 0.31, 0.002);
  EXPECT_NEAR(Frame().ToolPoint()[1], 0.31, 0.002);

  // (0.6, 0.6, 0.6) is out of reach.
  Named<TrackBar>("Tkb_XX")->SetPosition(600);
  Named<TrackBar>("Tkb_YY")->SetPosition(600);
  Named<TrackBar>("Tkb_ZZ")->SetPosition(600);
  for (ValueLabel* l : {Named<ValueLabel>("Lbl_TestData01"), Named<ValueLabel>("Lbl_TestData02"), Named<ValueLabel>("Lbl_TestData03"), Named<ValueLabel>("Lbl_TestData05")})
    EXPECT_EQ(l->text(), QStringLiteral("----"));
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData02")), j2) << "no slider moved";
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData04")->text(), QStringLiteral("0.00"));
}

TEST_F(ArmControlTest, XYZModeLocksTheSolvedJointsAndDragsTheTarget) {
  QTest::mouseClick(Named<QCheckBox>("Chk_XYZmode"), Qt::LeftButton);
  EXPECT_TRUE(Named<TrackBar>("Tkb_XX")->isEnabled());
  for (const char* j : {"Tkb_TestData01", "Tkb_TestData02", "Tkb_TestData03", "Tkb_TestData05", "Tkb_TestData06"})
    EXPECT_FALSE(Named<TrackBar>(j)->isEnabled()) << j;
  EXPECT_TRUE(Named<TrackBar>("Tkb_TestData04")->isEnabled());
  // Alt-drag to the right moves the X target.
  const int before = Pos(Named<TrackBar>("Tkb_XX"));
  QWidget* panel = Frame().Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::AltModifier, QPoint(100, 100));
  QTest::mouseMove(panel, QPoint(110, 100));
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::AltModifier, QPoint(110, 100));
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_XX")), before + 30);
  QTest::mouseClick(Named<QCheckBox>("Chk_XYZmode"), Qt::LeftButton);
  EXPECT_FALSE(Named<TrackBar>("Tkb_XX")->isEnabled());
  EXPECT_TRUE(Named<TrackBar>("Tkb_TestData01")->isEnabled());
}

TEST_F(ArmControlTest, PoseSelectorSetsTheJointsWithOneRedraw) {
  Named<QTimer>("Tim_Blink")->stop();
  Pump(150);
  const int frames = Frame().FramesDrawn();
  Named<QComboBox>("Cmb_VARBT_Pos")->setCurrentIndex(1);
  Arm().Cmb_VARBT_PosChange(Named<QComboBox>("Cmb_VARBT_Pos"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData02")->text(), QStringLiteral("53.00"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData03")->text(), QStringLiteral("94.00"));
  EXPECT_EQ(Named<ValueLabel>("Lbl_TestData05")->text(), QStringLiteral("30.00"));
  EXPECT_EQ(Frame().FramesDrawn(), frames + 1);
  // In X/Y/Z mode J5 follows J2 and J3 instead.
  Named<QCheckBox>("Chk_XYZmode")->setChecked(true);
  Named<QComboBox>("Cmb_VARBT_Pos")->setCurrentIndex(1);
  Arm().Cmb_VARBT_PosChange(Named<QComboBox>("Cmb_VARBT_Pos"));
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData05")), 18000 - 5300 - 9400);
}

TEST_F(ArmControlTest, NudgeMovesOneJointWithinItsRange) {
  Arm().NudgeJoint(0, 150);
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData01")), 150);
  Arm().NudgeJoint(2, 1000000);
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData03")), 18000);
  Arm().NudgeJoint(6, 10);
  Arm().NudgeJoint(-1, 10);
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_TestData01")), 150);
}

TEST_F(ArmControlTest, AnimationRunsAlongThePathAndASecondClickStopsIt) {
  // Let it run a few steps, then click again from inside its own loop.
  int phaseSeen = 0;
  QTimer::singleShot(300, [&] {
    phaseSeen = Arm().ArmPath.Phase();
    QTest::mouseClick(Named<QPushButton>("Btn_VARBT_Test"), Qt::LeftButton);
  });
  QTest::mouseClick(Named<QPushButton>("Btn_VARBT_Test"), Qt::LeftButton);
  EXPECT_EQ(phaseSeen, 1);
  EXPECT_FALSE(Arm().ArmPath.Running());
  EXPECT_TRUE(Named<QCheckBox>("Chk_XYZmode")->isChecked());
  EXPECT_LT(Pos(Named<TrackBar>("Tkb_XX")), 0) << "phase 1 moves the target along -X";
  EXPECT_EQ(Pos(Named<TrackBar>("Tkb_YY")), 366);
}

TEST_F(ArmControlTest, ExitEndsTheAnimationAtOnce) {
  QTimer::singleShot(200, [] { QTest::mouseClick(Named<QPushButton>("Btn_Exit"), Qt::LeftButton); });
  QTest::mouseClick(Named<QPushButton>("Btn_VARBT_Test"), Qt::LeftButton);
  EXPECT_TRUE(Win()->ExitRequested);
  EXPECT_FALSE(Arm().ArmPath.Running());
  EXPECT_FALSE(Win()->isVisible());
}

TEST_F(ArmControlTest, GraphOpensTheMonitorOnTheArmsJoints) {
  Arm().Btn_XYZGraphClick();
  EXPECT_TRUE(app->Monitor()->isVisible());
  app->Monitor()->hide();
}
