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
  Form1->Chk_XYZmode->setChecked(true);
  // (0, 0.31, 0.31): straight ahead along +Y, J1 = 0.
  Form1->Tkb_XX->SetPosition(0);
  Form1->Tkb_YY->SetPosition(310);
  Form1->Tkb_ZZ->SetPosition(311);
  Form1->Tkb_ZZ->SetPosition(310);
  EXPECT_EQ(Pos(Form1->Tkb_TestData01), 0);
  EXPECT_EQ(Form1->Lbl_Ans_J1->text(), QStringLiteral("0.000"));
  const int j2 = Pos(Form1->Tkb_TestData02), j3 = Pos(Form1->Tkb_TestData03);
  // J5 keeps the tool pointing down.
  EXPECT_EQ(Pos(Form1->Tkb_TestData05), 18000 - j2 - j3);
  // The tool point of the frame lands on the target, within the truncation.
  EXPECT_NEAR(Form1->ToolPoint[2], 0.31, 0.002);
  EXPECT_NEAR(Form1->ToolPoint[1], 0.31, 0.002);

  // (0.6, 0.6, 0.6) is out of reach.
  Form1->Tkb_XX->SetPosition(600);
  Form1->Tkb_YY->SetPosition(600);
  Form1->Tkb_ZZ->SetPosition(600);
  for (ValueLabel* l : {Form1->Lbl_TestData01, Form1->Lbl_TestData02, Form1->Lbl_TestData03, Form1->Lbl_TestData05})
    EXPECT_EQ(l->text(), QStringLiteral("----"));
  EXPECT_EQ(Pos(Form1->Tkb_TestData02), j2) << "no slider moved";
  EXPECT_EQ(Form1->Lbl_TestData04->text(), QStringLiteral("0.00"));
}

TEST_F(ArmControlTest, XYZModeLocksTheSolvedJointsAndDragsTheTarget) {
  QTest::mouseClick(Form1->Chk_XYZmode, Qt::LeftButton);
  EXPECT_TRUE(Form1->Tkb_XX->isEnabled());
  for (int j : {0, 1, 2, 4, 5}) EXPECT_FALSE(Form1->JointBars[static_cast<size_t>(j)]->isEnabled());
  EXPECT_TRUE(Form1->Tkb_TestData04->isEnabled());
  // Alt-drag to the right moves the X target.
  const int before = Pos(Form1->Tkb_XX);
  QWidget* panel = Form1->Panel();
  QTest::mousePress(panel, Qt::LeftButton, Qt::AltModifier, QPoint(100, 100));
  QTest::mouseMove(panel, QPoint(110, 100));
  QTest::mouseRelease(panel, Qt::LeftButton, Qt::AltModifier, QPoint(110, 100));
  EXPECT_EQ(Pos(Form1->Tkb_XX), before + 30);
  QTest::mouseClick(Form1->Chk_XYZmode, Qt::LeftButton);
  EXPECT_FALSE(Form1->Tkb_XX->isEnabled());
  EXPECT_TRUE(Form1->Tkb_TestData01->isEnabled());
}

TEST_F(ArmControlTest, PoseSelectorSetsTheJointsWithOneRedraw) {
  Form1->Tim_Blink->stop();
  Pump(150);
  const int frames = Form1->FramesDrawn();
  Form1->Cmb_VARBT_Pos->setCurrentIndex(1);
  Form1->Cmb_VARBT_PosChange(Form1->Cmb_VARBT_Pos);
  EXPECT_EQ(Form1->Lbl_TestData02->text(), QStringLiteral("53.00"));
  EXPECT_EQ(Form1->Lbl_TestData03->text(), QStringLiteral("94.00"));
  EXPECT_EQ(Form1->Lbl_TestData05->text(), QStringLiteral("30.00"));
  EXPECT_EQ(Form1->FramesDrawn(), frames + 1);
  // In X/Y/Z mode J5 follows J2 and J3 instead.
  Form1->Chk_XYZmode->setChecked(true);
  Form1->Cmb_VARBT_Pos->setCurrentIndex(1);
  Form1->Cmb_VARBT_PosChange(Form1->Cmb_VARBT_Pos);
  EXPECT_EQ(Pos(Form1->Tkb_TestData05), 18000 - 5300 - 9400);
}

TEST_F(ArmControlTest, NudgeMovesOneJointWithinItsRange) {
  Form1->NudgeJoint(0, 150);
  EXPECT_EQ(Pos(Form1->Tkb_TestData01), 150);
  Form1->NudgeJoint(2, 1000000);
  EXPECT_EQ(Pos(Form1->Tkb_TestData03), 18000);
  Form1->NudgeJoint(6, 10);
  Form1->NudgeJoint(-1, 10);
  EXPECT_EQ(Pos(Form1->Tkb_TestData01), 150);
}

TEST_F(ArmControlTest, AnimationRunsAlongThePathAndASecondClickStopsIt) {
  // Let it run a few steps, then click again from inside its own loop.
  int phaseSeen = 0;
  QTimer::singleShot(300, [&] {
    phaseSeen = Form1->ArmPath.Phase();
    QTest::mouseClick(Form1->Btn_VARBT_Test, Qt::LeftButton);
  });
  QTest::mouseClick(Form1->Btn_VARBT_Test, Qt::LeftButton);
  EXPECT_EQ(phaseSeen, 1);
  EXPECT_FALSE(Form1->ArmPath.Running());
  EXPECT_TRUE(Form1->Chk_XYZmode->isChecked());
  EXPECT_LT(Pos(Form1->Tkb_XX), 0) << "phase 1 moves the target along -X";
  EXPECT_EQ(Pos(Form1->Tkb_YY), 366);
}

TEST_F(ArmControlTest, ExitEndsTheAnimationAtOnce) {
  QTimer::singleShot(200, [] { QTest::mouseClick(Form1->Btn_Exit, Qt::LeftButton); });
  QTest::mouseClick(Form1->Btn_VARBT_Test, Qt::LeftButton);
  EXPECT_TRUE(Form1->ExitRequested);
  EXPECT_FALSE(Form1->ArmPath.Running());
  EXPECT_FALSE(Form1->isVisible());
}

TEST_F(ArmControlTest, GraphOpensTheMonitorOnTheArmsJoints) {
  Form1->Btn_XYZGraphClick();
  EXPECT_TRUE(XYZ_Mon->isVisible());
  XYZ_Mon->hide();
}
