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
  Named<QComboBox>("Cmb_RBT1_Slot")->setCurrentIndex(24);
  Named<QComboBox>("Cmb_RBT1_Pos")->setCurrentIndex(2);  // LP1-Ret(Dn)
  Robots().Cmb_RBT_PosChange(Named<QComboBox>("Cmb_RBT1_Pos"));
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_ZAxis")->Position(), 1010);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_TAxis")->Position(), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_XAxis")->Position(), -1200);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_R2Axis")->Position(), -20);
  EXPECT_EQ(Named<ValueLabel>("Lbl_RBT1_ZAxis")->text(), QStringLiteral("0.1010"));
  // With Arm2 the other arm reaches, 30 lower.
  Named<QCheckBox>("Chk_RBT1_Arm2")->setChecked(true);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_ZAxis")->Position(), 980);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_R1Axis")->Position(), -20);
}

TEST_F(RobotPanelTest, ChangingTheSpotDirectionReappliesRobot1sPosition) {
  Named<QComboBox>("Cmb_RBT1_Pos")->setCurrentIndex(17);  // ALG-Ret(Up)
  Robots().Cmb_RBT_PosChange(Named<QComboBox>("Cmb_RBT1_Pos"));
  Named<TrackBar>("Tkb_RBT1_XAxis")->SetPosition(0);
  Robots().Cmb_RBT_PosChange(Named<QComboBox>("Cmb_Light1_Spot_Dir"));
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_XAxis")->Position(), -1200);
}

TEST_F(RobotPanelTest, TestRunStartsFromZeroEveryTime) {
  QPushButton* b = Named<QPushButton>("Btn_RBT_Test");
  Named<TrackBar>("Tkb_RBT1_R1Axis")->SetPosition(55);
  Named<QCheckBox>("Chk_RBT1_R1_Wafer")->setChecked(true);
  Robots().Btn_RBT_TestClick();
  EXPECT_EQ(b->text(), QStringLiteral("RBT Test Stop"));
  EXPECT_TRUE(Named<QTimer>("Tim_RBT_Test")->isActive());
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_R1Axis")->Position(), 0);
  EXPECT_FALSE(Named<QCheckBox>("Chk_RBT1_R1_Wafer")->isChecked());
  for (int i = 0; i < 11 * 3 + 11; ++i) Robots().Tim_RBT_TestTimer();  // through phase 3
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_TAxis")->Position(), 1800);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_XAxis")->Position(), 200);
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT1_R1_Wafer")->isChecked());
  Robots().Btn_RBT_TestClick();
  EXPECT_EQ(b->text(), QStringLiteral("RBT Test Start"));
  EXPECT_FALSE(Named<QTimer>("Tim_RBT_Test")->isActive());
  Robots().Btn_RBT_TestClick();
  EXPECT_EQ(Robots().TestRun.phase, 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_TAxis")->Position(), 0);
  EXPECT_FALSE(Named<QCheckBox>("Chk_RBT1_R1_Wafer")->isChecked());
  Robots().Btn_RBT_TestClick();
}

TEST_F(RobotPanelTest, AnimationCountsStepsAndLocksTheLink) {
  Robots().Btn_AnimationStartClick();
  EXPECT_EQ(Named<QPushButton>("Btn_AnimationStart")->text(), QStringLiteral("Anime Stop"));
  EXPECT_FALSE(Named<QCheckBox>("Chk_ShmLink")->isEnabled());
  Robots().Tim_AnimationTimer();
  Robots().Tim_AnimationTimer();
  EXPECT_EQ(Named<ValueLabel>("Lbl_AnimationStep")->text(), QStringLiteral("2"));
  Named<QCheckBox>("Chk_Pause")->setChecked(true);
  Robots().Tim_AnimationTimer();
  EXPECT_EQ(Named<ValueLabel>("Lbl_AnimationStep")->text(), QStringLiteral("2"));
  Robots().Btn_AnimationStartClick();
  EXPECT_TRUE(Named<QCheckBox>("Chk_ShmLink")->isEnabled());
  EXPECT_FALSE(Named<QTimer>("Tim_Animation")->isActive());
}

TEST_F(RobotPanelTest, ShmLinkLocksTheManualControlsAndRedrawsOnItsTimer) {
  Named<QCheckBox>("Chk_ShmLink")->setChecked(true);
  ASSERT_TRUE(Named<QCheckBox>("Chk_ShmLink")->isChecked());
  EXPECT_FALSE(Named<QGroupBox>("Grp_Robot")->isEnabled());
  EXPECT_FALSE(Named<QGroupBox>("Grp_Equipment")->isEnabled());
  EXPECT_FALSE(Named<QPushButton>("Btn_AnimationStart")->isEnabled());
  EXPECT_EQ(Named<QTimer>("Tim_ShmMonitor")->interval(), 100);
  // A tick of the link's timer draws a frame (the other drawing timers
  // held, so that the frame is the tick's).
  Named<QTimer>("Tim_Blink")->stop();
  Named<QTimer>("Tim_Draw")->stop();
  QSignalSpy ticks(Named<QTimer>("Tim_ShmMonitor"), &QTimer::timeout);
  const int before = Frame().FramesDrawn();
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_GT(Frame().FramesDrawn(), before);
  Named<QCheckBox>("Chk_ShmLink")->setChecked(false);
  EXPECT_TRUE(Named<QGroupBox>("Grp_Robot")->isEnabled());
  EXPECT_FALSE(Named<QTimer>("Tim_ShmMonitor")->isActive());
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
  Doc().Btn_Load_OBJClick();
  EXPECT_TRUE(Frame().Objects()[3].Enbl);
  EXPECT_EQ(Frame().Objects()[3].Name, "column");
  EXPECT_TRUE(Named<QTimer>("Tim_Draw")->isActive()) << "a successful load asks for a redraw";

  prompts.openAnswers.push_back(QString::fromStdString(dir + "/no-such-file.3dl"));
  Doc().Btn_Load_OBJClick();
  ASSERT_FALSE(prompts.messages.isEmpty());
  EXPECT_TRUE(prompts.messages.last().startsWith(QStringLiteral("Cannot open the file")));
  EXPECT_TRUE(Frame().Objects()[3].Enbl) << "a failed load keeps the scene";
}

TEST_F(RobotPanelTest, SaveImageWritesThePicture) {
  const std::string path = std::string(TESSALY_ARTIFACT_DIR) + "/ui-save-image.png";
  ASSERT_TRUE(Doc().SaveImage(QString::fromStdString(path)));
  const QImage img(QString::fromStdString(path));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.size(), Frame().Panel()->size());
}

TEST_F(RobotPanelTest, AnimationRunsThePickAndPlaceCycleOfRobotsThatFollowAPanel) {
  // Nothing follows a panel: the animation leaves the bars alone.
  Robots().Btn_AnimationStartClick();
  for (int i = 0; i < 5; ++i) Robots().Tim_AnimationTimer();
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_TAxis")->Position(), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT2_TAxis")->Position(), 0);
  Robots().Btn_AnimationStartClick();

  ASSERT_GT(Doc().LoadSceneFile(QStringLiteral(TESSALY_EXAMPLES_DIR "/demo-cell.3dl")), 0);
  Robots().Btn_AnimationStartClick();
  // Step 5 of 34: RBT1 in under LP2's wafer, RBT2 in under load lock 1's.
  for (int i = 0; i < 5; ++i) Robots().Tim_AnimationTimer();
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_XAxis")->Position(), -400);
  EXPECT_GT(Named<TrackBar>("Tkb_RBT1_R1Axis")->Position(), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT2_TAxis")->Position(), -235);
  EXPECT_GT(Named<TrackBar>("Tkb_RBT2_R1Axis")->Position(), 0);
  // Half a cycle on, both carry their wafer to the other station.
  for (int i = 0; i < 13; ++i) Robots().Tim_AnimationTimer();
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT1_R1_Wafer")->isChecked());
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT1_XAxis")->Position(), -1200);
  EXPECT_TRUE(Named<QCheckBox>("Chk_RBT2_R1_Wafer")->isChecked());
  EXPECT_EQ(Named<TrackBar>("Tkb_RBT2_TAxis")->Position(), 1550);
  Robots().Btn_AnimationStartClick();
  // The robots' own records keep what the file holds.
  for (const SceneObject& r : Frame().Objects()) {
    if (r.Enbl && r.Shp == ShapeKind::ScaraRobot) {
      EXPECT_FLOAT_EQ(r.size[0], 0.33f);
      EXPECT_FLOAT_EQ(r.size[4], -0.4f);
    }
    if (r.Enbl && r.Shp == ShapeKind::FrogLegRobot) {
      EXPECT_FLOAT_EQ(r.size[3], 155.0f);
    }
  }
}
