#pragma once

#include <QObject>
#include <QString>

#include "motion/RobotMotion.h"
#include "render/RenderSettings.h"

class AppearanceController;
class FrameDriver;
class QTimer;
class QWidget;
struct MainControls;

// The two transfer robots and the equipment: the "Robot" panels with their
// taught positions, the RBT test run, the step animation (which moves the
// robots that follow a panel through a pick-and-place cycle), and the
// control box, equipment units and OHT vehicles. It writes the robots'
// part of the frame's settings whenever one of their controls changes.
class RobotsController : public QObject {
  Q_OBJECT
 public:
  RobotsController(QWidget* window, MainControls& ui, FrameDriver& frame, AppearanceController& appearance);

  void WriteSettings();

  void Tkb_RBT_AxisChange(QObject* Sender = nullptr);
  void Cmb_RBT_PosChange(QObject* Sender);
  void Chk_RBT_Arm2Click(QObject* Sender);
  void Chk_RBT_LL_UpClick(QObject* Sender);
  void Chk_RBT1_DualArmClick(QObject* Sender = nullptr);
  void Chk_RBT_WaferClick(QObject* Sender = nullptr);
  void Chk_RBT_MultiDrawClick(QObject* Sender = nullptr);
  void Btn_RBT_TestClick(QObject* Sender = nullptr);
  void Tim_RBT_TestTimer();
  // With "Rotate" checked the test run and the animation turn the view.
  void TurnViewForRotate();
  void Btn_AnimationStartClick(QObject* Sender = nullptr);
  void Tim_AnimationTimer();
  void Chk_x2Click(QObject* Sender = nullptr);
  void Tkb_EquipmentChange(QObject* Sender);
  void Cmb_EquipmentChange(QObject* Sender = nullptr);
  void Cmb_Equipment_PosChange(QObject* Sender = nullptr);
  void Chk_EquipmentChkClick(QObject* Sender = nullptr);
  void Lbl_AlarmWarningDblClick(QObject* Sender);

  // Sets a robot panel's bars and wafer boxes without their handlers.
  void SetRobotPanel(int robot, const RobotPanelValues& v);
  // The axis labels from the settings.
  void WriteRobotLabels();

  // The taught positions of both robots (rows 0..28 RBT1, 100..124 RBT2).
  TeachTable Teach = MakeTeachTable();
  TestRunState TestRun;
  bool TestRunning = false;
  AnimationState Animation;
  bool AnimationRunning = false;
  // While set, the robot and equipment change handlers return at once.
  bool Updating = false;

 Q_SIGNALS:
  // The test run goes under this name ("" when it ends), at this step.
  void runWatched(const QString& run);
  void runStep(const QString& step);

 private:
  // The step animation's move of the panels that scene robots follow.
  void StepFollowedRobots(int step);
  void DrawFrame();

  QWidget* window_;
  MainControls& ui_;
  FrameDriver& frame_;
  AppearanceController& appearance_;
  QTimer* Tim_Animation = nullptr;
  QTimer* Tim_RBT_Test = nullptr;
};
