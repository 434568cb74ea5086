#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <fstream>

#include "link/SharedMemoryLink.h"
#include "objects/ObjectFile.h"
#include "ui/WindowFixture.h"

namespace {

using RobotPanelTest = MainWindowTest;

}  // namespace

TEST_F(RobotPanelTest, TaughtPositionsMoveTheAxesWithTheSlotRule) {
  Form1->Cmb_RBT1_Slot->setCurrentIndex(24);
  Form1->Cmb_RBT1_Pos->setCurrentIndex(2);  // LP1-Ret(Dn)
  Form1->Cmb_RBT_PosChange(Form1->Cmb_RBT1_Pos);
  EXPECT_EQ(Form1->Tkb_RBT1_ZAxis->Position(), 1010);
  EXPECT_EQ(Form1->Tkb_RBT1_TAxis->Position(), 0);
  EXPECT_EQ(Form1->Tkb_RBT1_XAxis->Position(), -1200);
  EXPECT_EQ(Form1->Tkb_RBT1_R2Axis->Position(), -20);
  EXPECT_EQ(Form1->Lbl_RBT1_ZAxis->text(), QStringLiteral("0.1010"));
  // With Arm2 the other arm reaches, 30 lower.
  Form1->Chk_RBT1_Arm2->setChecked(true);
  EXPECT_EQ(Form1->Tkb_RBT1_ZAxis->Position(), 980);
  EXPECT_EQ(Form1->Tkb_RBT1_R1Axis->Position(), -20);
}

TEST_F(RobotPanelTest, ChangingTheSpotDirectionReappliesRobot1sPosition) {
  Form1->Cmb_RBT1_Pos->setCurrentIndex(17);  // ALG-Ret(Up)
  Form1->Cmb_RBT_PosChange(Form1->Cmb_RBT1_Pos);
  Form1->Tkb_RBT1_XAxis->SetPosition(0);
  Form1->Cmb_RBT_PosChange(Form1->Cmb_Light1_Spot_Dir);
  EXPECT_EQ(Form1->Tkb_RBT1_XAxis->Position(), -1200);
}

TEST_F(RobotPanelTest, TestRunStartsFromZeroEveryTime) {
  QPushButton* b = Form1->Btn_RBT_Test;
  Form1->Tkb_RBT1_R1Axis->SetPosition(55);
  Form1->Chk_RBT1_R1_Wafer->setChecked(true);
  Form1->Btn_RBT_TestClick();
  EXPECT_EQ(b->text(), QStringLiteral("RBT Test Stop"));
  EXPECT_TRUE(Form1->Tim_RBT_Test->isActive());
  EXPECT_EQ(Form1->Tkb_RBT1_R1Axis->Position(), 0);
  EXPECT_FALSE(Form1->Chk_RBT1_R1_Wafer->isChecked());
  for (int i = 0; i < 11 * 3 + 11; ++i) Form1->Tim_RBT_TestTimer();  // through phase 3
  EXPECT_EQ(Form1->Tkb_RBT1_TAxis->Position(), 1800);
  EXPECT_EQ(Form1->Tkb_RBT1_XAxis->Position(), 200);
  EXPECT_TRUE(Form1->Chk_RBT1_R1_Wafer->isChecked());
  Form1->Btn_RBT_TestClick();
  EXPECT_EQ(b->text(), QStringLiteral("RBT Test Start"));
  EXPECT_FALSE(Form1->Tim_RBT_Test->isActive());
  Form1->Btn_RBT_TestClick();
  EXPECT_EQ(Form1->TestRun.phase, 0);
  EXPECT_EQ(Form1->Tkb_RBT1_TAxis->Position(), 0);
  EXPECT_FALSE(Form1->Chk_RBT1_R1_Wafer->isChecked());
  Form1->Btn_RBT_TestClick();
}

TEST_F(RobotPanelTest, AnimationCountsStepsAndLocksTheLink) {
  Form1->Btn_AnimationStartClick();
  EXPECT_EQ(Form1->Btn_AnimationStart->text(), QStringLiteral("Anime Stop"));
  EXPECT_FALSE(Form1->Chk_ShmLink->isEnabled());
  Form1->Tim_AnimationTimer();
  Form1->Tim_AnimationTimer();
  EXPECT_EQ(Form1->Lbl_AnimationStep->text(), QStringLiteral("2"));
  Form1->Chk_Pause->setChecked(true);
  Form1->Tim_AnimationTimer();
  EXPECT_EQ(Form1->Lbl_AnimationStep->text(), QStringLiteral("2"));
  Form1->Btn_AnimationStartClick();
  EXPECT_TRUE(Form1->Chk_ShmLink->isEnabled());
  EXPECT_FALSE(Form1->Tim_Animation->isActive());
}

TEST_F(RobotPanelTest, ShmLinkLocksTheManualControlsAndRedrawsOnItsTimer) {
  Form1->Chk_ShmLink->setChecked(true);
  ASSERT_TRUE(Form1->Chk_ShmLink->isChecked());
  EXPECT_FALSE(Form1->Grp_Robot->isEnabled());
  EXPECT_FALSE(Form1->Grp_Equipment->isEnabled());
  EXPECT_FALSE(Form1->Btn_AnimationStart->isEnabled());
  EXPECT_EQ(Form1->Tim_ShmMonitor->interval(), 100);
  // A tick of the link's timer draws a frame (the other drawing timers
  // held, so that the frame is the tick's).
  Form1->Tim_Blink->stop();
  Form1->Tim_Draw->stop();
  QSignalSpy ticks(Form1->Tim_ShmMonitor, &QTimer::timeout);
  const int before = Form1->FramesDrawn();
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_GT(Form1->FramesDrawn(), before);
  Form1->Chk_ShmLink->setChecked(false);
  EXPECT_TRUE(Form1->Grp_Robot->isEnabled());
  EXPECT_FALSE(Form1->Tim_ShmMonitor->isActive());
}

TEST_F(RobotPanelTest, LoadObjReadsTheFileAndReportsItsErrors) {
  const std::string dir = std::string(TESSALY_ARTIFACT_DIR);
  const std::string good = dir + "/ui-load.3dl";
  ObjectTable t;
  InitializeRecords(t.data(), kObjectCapacity);
  t[3].Enbl = true;
  t[3].Shp = 8;
  t[3].Name = "column";
  ASSERT_EQ(SaveObjects(good, t.data(), 5), 1);
  prompts.openAnswers.push_back(QString::fromStdString(good));
  Form1->Btn_Load_OBJClick();
  EXPECT_TRUE(Form1->Objects()[3].Enbl);
  EXPECT_EQ(Form1->Objects()[3].Name, "column");
  EXPECT_TRUE(Form1->Tim_Draw->isActive()) << "a successful load asks for a redraw";

  prompts.openAnswers.push_back(QString::fromStdString(dir + "/no-such-file.3dl"));
  Form1->Btn_Load_OBJClick();
  ASSERT_FALSE(prompts.messages.isEmpty());
  EXPECT_TRUE(prompts.messages.last().startsWith(QStringLiteral("Cannot open the file")));
  EXPECT_TRUE(Form1->Objects()[3].Enbl) << "a failed load keeps the scene";
}

TEST_F(RobotPanelTest, SaveImageWritesThePicture) {
  const std::string path = std::string(TESSALY_ARTIFACT_DIR) + "/ui-save-image.png";
  ASSERT_TRUE(Form1->SaveImage(QString::fromStdString(path)));
  const QImage img(QString::fromStdString(path));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.size(), Form1->Panel()->size());
}

TEST_F(RobotPanelTest, AnimationRunsThePickAndPlaceCycleOfRobotsThatFollowAPanel) {
  // Nothing follows a panel: the animation leaves the bars alone.
  Form1->Btn_AnimationStartClick();
  for (int i = 0; i < 5; ++i) Form1->Tim_AnimationTimer();
  EXPECT_EQ(Form1->Tkb_RBT1_TAxis->Position(), 0);
  EXPECT_EQ(Form1->Tkb_RBT2_TAxis->Position(), 0);
  Form1->Btn_AnimationStartClick();

  ASSERT_GT(Form1->LoadSceneFile(QStringLiteral(TESSALY_EXAMPLES_DIR "/demo-cell.3dl")), 0);
  Form1->Btn_AnimationStartClick();
  // Step 5 of 34: RBT1 in under LP2's wafer, RBT2 in under load lock 1's.
  for (int i = 0; i < 5; ++i) Form1->Tim_AnimationTimer();
  EXPECT_EQ(Form1->Tkb_RBT1_XAxis->Position(), -400);
  EXPECT_GT(Form1->Tkb_RBT1_R1Axis->Position(), 0);
  EXPECT_EQ(Form1->Tkb_RBT2_TAxis->Position(), -235);
  EXPECT_GT(Form1->Tkb_RBT2_R1Axis->Position(), 0);
  // Half a cycle on, both carry their wafer to the other station.
  for (int i = 0; i < 13; ++i) Form1->Tim_AnimationTimer();
  EXPECT_TRUE(Form1->Chk_RBT1_R1_Wafer->isChecked());
  EXPECT_EQ(Form1->Tkb_RBT1_XAxis->Position(), -1200);
  EXPECT_TRUE(Form1->Chk_RBT2_R1_Wafer->isChecked());
  EXPECT_EQ(Form1->Tkb_RBT2_TAxis->Position(), 1550);
  Form1->Btn_AnimationStartClick();
  // The robots' own records keep what the file holds.
  for (const SceneObject& r : Form1->Objects()) {
    if (r.Enbl && r.Shp == ShapeKind::ScaraRobot) {
      EXPECT_FLOAT_EQ(r.size[0], 0.33f);
      EXPECT_FLOAT_EQ(r.size[4], -0.4f);
    }
    if (r.Enbl && r.Shp == ShapeKind::FrogLegRobot) {
      EXPECT_FLOAT_EQ(r.size[3], 155.0f);
    }
  }
}
