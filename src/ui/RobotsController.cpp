#include "ui/RobotsController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>

#include "motion/PickPlaceCycle.h"
#include "ui/AppearanceController.h"
#include "ui/Controls.h"
#include "ui/FrameDriver.h"
#include "ui/MainControls.h"
#include "ui/MainHelpers.h"
#include "ui/Wiring.h"

namespace {

struct RobotBars {
  TrackBar *r1, *r2, *z, *t, *x;
};



}  // namespace

RobotsController::RobotsController(QWidget* window, MainControls& ui, FrameDriver& frame,
                                   AppearanceController& appearance)
    : QObject(window), window_(window), ui_(ui), frame_(frame), appearance_(appearance) {
  Tim_Animation = WindowTimer(window_, this, "Tim_Animation", 100, [this] { Tim_AnimationTimer(); });
  Tim_RBT_Test = WindowTimer(window_, this, "Tim_RBT_Test", 50, [this] { Tim_RBT_TestTimer(); });

  MainControls& c = ui_;
  QWidget* written[] = {
      c.Tkb_RBT1_R1Axis,   c.Tkb_RBT1_R2Axis,    c.Tkb_RBT1_ZAxis,      c.Tkb_RBT1_TAxis,    c.Tkb_RBT1_XAxis,
      c.Tkb_RBT1_RT1Axis,  c.Tkb_RBT1_RT2Axis,   c.Cmb_RBT1_Slot,       c.Chk_RBT1_DualArm,  c.Chk_RBT1_R1_Wafer,
      c.Chk_RBT1_R2_Wafer, c.Chk_RBT1_Arm2,      c.Chk_RBT1_LL_Down,    c.Shp_Color_RBT1_Body, c.Shp_Color_RBT1_Hand,
      c.Tkb_RBT2_R1Axis,   c.Tkb_RBT2_R2Axis,    c.Tkb_RBT2_ZAxis,      c.Tkb_RBT2_TAxis,    c.Tkb_RBT2_XAxis,
      c.Chk_RBT2_DualArm,  c.Chk_RBT2_R1_Wafer,  c.Chk_RBT2_R2_Wafer,   c.Chk_RBT2_Arm2,     c.Chk_RBT2_LL_Down,
      c.Shp_Color_RBT2_Body, c.Shp_Color_RBT2_Hand, c.Chk_RBT_MultiDraw, c.Chk_RBT_Test_Rotate};
  for (QWidget* w : written) OnAnyChange(w, this, [this] { WriteSettings(); });
  WriteSettings();

  for (TrackBar* b : {c.Tkb_RBT1_R1Axis, c.Tkb_RBT1_R2Axis, c.Tkb_RBT1_ZAxis, c.Tkb_RBT1_TAxis, c.Tkb_RBT1_XAxis,
                      c.Tkb_RBT1_RT1Axis, c.Tkb_RBT1_RT2Axis, c.Tkb_RBT2_R1Axis, c.Tkb_RBT2_R2Axis,
                      c.Tkb_RBT2_ZAxis, c.Tkb_RBT2_TAxis, c.Tkb_RBT2_XAxis, c.Tkb_RBT2_RT1Axis, c.Tkb_RBT2_RT2Axis})
    OnMove(b, this, window_, [this, b] { Tkb_RBT_AxisChange(b); });
  // The light and fog combos share the position handler (Tag -1).
  for (QComboBox* b : {c.Cmb_RBT1_Pos, c.Cmb_RBT1_Slot, c.Cmb_RBT2_Pos, c.Cmb_Light1_Spot_Dir,
                       c.Cmb_Light2_Spot_Dir, c.Cmb_Fog_Type})
    OnPick(b, this, window_, [this, b] { Cmb_RBT_PosChange(b); });
  for (QCheckBox* b : {c.Chk_RBT1_DualArm, c.Chk_RBT2_DualArm})
    OnToggle(b, this, window_, [this, b] { Chk_RBT1_DualArmClick(b); });
  for (QCheckBox* b : {c.Chk_RBT1_R1_Wafer, c.Chk_RBT1_R2_Wafer, c.Chk_RBT2_R1_Wafer, c.Chk_RBT2_R2_Wafer})
    OnToggle(b, this, window_, [this, b] { Chk_RBT_WaferClick(b); });
  for (QCheckBox* b : {c.Chk_RBT1_Arm2, c.Chk_RBT2_Arm2})
    OnToggle(b, this, window_, [this, b] { Chk_RBT_Arm2Click(b); });
  for (QCheckBox* b : {c.Chk_RBT1_LL_Down, c.Chk_RBT2_LL_Down})
    OnToggle(b, this, window_, [this, b] { Chk_RBT_LL_UpClick(b); });
  OnToggle(c.Chk_RBT_MultiDraw, this, window_, [this] { Chk_RBT_MultiDrawClick(); });
  OnClick(c.Btn_RBT_Test, this, window_, [this] { Btn_RBT_TestClick(); });
  OnClick(c.Btn_AnimationStart, this, window_, [this] { Btn_AnimationStartClick(); });
  OnToggle(c.Chk_x2, this, window_, [this] { Chk_x2Click(); });

  // Control box, equipment and OHT.
  for (TrackBar* b : {c.Tkb_ContBox_Door_Angle, c.Tkb_OHT1_X, c.Tkb_OHT1_Y, c.Tkb_OHT1_Z, c.Tkb_OHT2_X,
                      c.Tkb_OHT2_Y, c.Tkb_OHT2_Z, c.Tkb_Circle_Ang})
    OnMove(b, this, window_, [this, b] { Tkb_EquipmentChange(b); });
  for (QCheckBox* b : {c.Chk_ContBox, c.Chk_SignalTower, c.Chk_EquipmentPort, c.Chk_EFEM, c.Chk_WaferID,
                       c.Chk_PortColor, c.Chk_Vehicle})
    OnToggle(b, this, window_, [this, b] { Chk_EquipmentChkClick(b); });
  for (QCheckBox* b : c.UnitAlarmChecks)
    if (b) OnToggle(b, this, window_, [this, b] { Chk_EquipmentChkClick(b); });
  for (QCheckBox* b : c.UnitWarningChecks)
    if (b) OnToggle(b, this, window_, [this, b] { Chk_EquipmentChkClick(b); });
  OnPick(c.Cmb_Equipment, this, window_, [this] { Cmb_EquipmentChange(); });
  OnPick(c.Cmb_Equipment_Pos, this, window_, [this] { Cmb_Equipment_PosChange(); });
  for (ValueLabel* l : {c.Lbl_Alarm, c.Lbl_Warning})
    OnDoubleClick(l, this, window_, [this, l] { Lbl_AlarmWarningDblClick(l); });
}

void RobotsController::DrawFrame() { frame_.DrawFrame(); }

void RobotsController::WriteSettings() {
  RenderSettings& s = frame_.Settings();
  // The two transfer robots; RBT2 has no turn tables and no slot.
  struct RobotControls {
    TrackBar *r1, *r2, *z, *t, *x, *rt1, *rt2;
    QComboBox* slot;
    QCheckBox *dual, *w1, *w2, *arm2, *ll;
    ColorSwatch *body, *hand;
  };
  const MainControls& c = ui_;
  const RobotControls robots[2] = {
      {c.Tkb_RBT1_R1Axis, c.Tkb_RBT1_R2Axis, c.Tkb_RBT1_ZAxis, c.Tkb_RBT1_TAxis, c.Tkb_RBT1_XAxis,
       c.Tkb_RBT1_RT1Axis, c.Tkb_RBT1_RT2Axis, c.Cmb_RBT1_Slot, c.Chk_RBT1_DualArm, c.Chk_RBT1_R1_Wafer,
       c.Chk_RBT1_R2_Wafer, c.Chk_RBT1_Arm2, c.Chk_RBT1_LL_Down, c.Shp_Color_RBT1_Body, c.Shp_Color_RBT1_Hand},
      {c.Tkb_RBT2_R1Axis, c.Tkb_RBT2_R2Axis, c.Tkb_RBT2_ZAxis, c.Tkb_RBT2_TAxis, c.Tkb_RBT2_XAxis, nullptr,
       nullptr, nullptr, c.Chk_RBT2_DualArm, c.Chk_RBT2_R1_Wafer, c.Chk_RBT2_R2_Wafer, c.Chk_RBT2_Arm2,
       c.Chk_RBT2_LL_Down, c.Shp_Color_RBT2_Body, c.Shp_Color_RBT2_Hand},
  };
  for (int i = 0; i < 2; ++i) {
    const RobotControls& rc = robots[i];
    RobotPanelValues& r = s.robot[i];
    r.R1 = Scaled(rc.r1, 0.01);
    r.R2 = Scaled(rc.r2, 0.01);
    r.Z = Scaled(rc.z, 0.0001);
    r.T = Scaled(rc.t, 0.1);
    r.X = Scaled(rc.x, 0.001);
    r.RT1 = rc.rt1 ? Scaled(rc.rt1, 0.1) : 0.0f;
    r.RT2 = rc.rt2 ? Scaled(rc.rt2, 0.1) : 0.0f;
    r.Slot = rc.slot ? rc.slot->currentIndex() : 0;
    r.DualArm = rc.dual->isChecked();
    r.WaferR1 = rc.w1->isChecked();
    r.WaferR2 = rc.w2->isChecked();
    r.Arm2 = rc.arm2->isChecked();
    r.LLDown = rc.ll->isChecked();
    r.body = rc.body->Color();
    r.hand = rc.hand->Color();
  }
  // Shared robot switches.
  s.multiDraw = c.Chk_RBT_MultiDraw->isChecked();
  s.testRotate = c.Chk_RBT_Test_Rotate->isChecked();
}

void RobotsController::WriteRobotLabels() {
  struct Labels {
    ValueLabel *r1, *r2, *z, *t, *x;
  };
  const Labels labels[2] = {
      {ui_.Lbl_RBT1_R1Axis, ui_.Lbl_RBT1_R2Axis, ui_.Lbl_RBT1_ZAxis, ui_.Lbl_RBT1_TAxis, ui_.Lbl_RBT1_XAxis},
      {ui_.Lbl_RBT2_R1Axis, ui_.Lbl_RBT2_R2Axis, ui_.Lbl_RBT2_ZAxis, ui_.Lbl_RBT2_TAxis, ui_.Lbl_RBT2_XAxis},
  };
  for (int i = 0; i < 2; ++i) {
    const RobotPanelValues& r = frame_.Settings().robot[i];
    labels[i].r1->setText(FixedText(r.R1, 2));
    labels[i].r2->setText(FixedText(r.R2, 2));
    labels[i].z->setText(FixedText(r.Z, 4));
    labels[i].t->setText(FixedText(r.T, 1));
    labels[i].x->setText(FixedText(r.X, 3));
  }
}

void RobotsController::Tkb_RBT_AxisChange(QObject*) {
  if (Updating) return;
  WriteRobotLabels();
  DrawFrame();
}

void RobotsController::Cmb_RBT_PosChange(QObject* Sender) {
  // Tag -1: the slot combo and the light and fog combos, which move RBT1 to
  // its selected position again; 0 RBT1; 1 RBT2; anything else nothing.
  const int tag = TagOf(Sender);
  if (tag < -1 || tag > 1) return;
  const int robot = tag == 1 ? 1 : 0;
  QComboBox* pos = robot == 0 ? ui_.Cmb_RBT1_Pos : ui_.Cmb_RBT2_Pos;
  // The slot must be current for the load-port rule.
  const RobotPanelValues& r = frame_.Settings().robot[robot];
  const AxisTargets a = LookupTeachingPosition(Teach, robot, pos->currentIndex(), r.Slot, r.Arm2, r.LLDown);
  if (a.valid) {
    const RobotBars bars = robot == 0
                               ? RobotBars{ui_.Tkb_RBT1_R1Axis, ui_.Tkb_RBT1_R2Axis, ui_.Tkb_RBT1_ZAxis, ui_.Tkb_RBT1_TAxis, ui_.Tkb_RBT1_XAxis}
                               : RobotBars{ui_.Tkb_RBT2_R1Axis, ui_.Tkb_RBT2_R2Axis, ui_.Tkb_RBT2_ZAxis, ui_.Tkb_RBT2_TAxis, ui_.Tkb_RBT2_XAxis};
    FlagScope updating(Updating);
    bars.r1->SetPosition(a.R1);
    if (a.setR2) bars.r2->SetPosition(a.R2);
    bars.t->SetPosition(a.T);
    bars.z->SetPosition(a.Z);
    bars.x->SetPosition(a.X);
  }
  Tkb_RBT_AxisChange();
}

void RobotsController::Chk_RBT_Arm2Click(QObject* Sender) {
  const int tag = TagOf(Sender);
  if (tag == 0) Cmb_RBT_PosChange(ui_.Cmb_RBT1_Pos);
  if (tag == 1) Cmb_RBT_PosChange(ui_.Cmb_RBT2_Pos);
}

void RobotsController::Chk_RBT_LL_UpClick(QObject* Sender) {
  Chk_RBT_Arm2Click(Sender);
}

void RobotsController::Chk_RBT1_DualArmClick(QObject*) {
  DrawFrame();
}

void RobotsController::Chk_RBT_WaferClick(QObject*) {
  DrawFrame();
}

void RobotsController::Chk_RBT_MultiDrawClick(QObject*) {
  ui_.Chk_RBT1_DualArm->setEnabled(frame_.Settings().multiDraw);
  ui_.Chk_RBT2_DualArm->setEnabled(frame_.Settings().multiDraw);
  DrawFrame();
}

void RobotsController::Btn_RBT_TestClick(QObject*) {
  TestRunning = !TestRunning;
  ui_.Btn_RBT_Test->setText(TestRunning ? QStringLiteral("RBT Test Stop") : QStringLiteral("RBT Test Start"));
  Q_EMIT runWatched(TestRunning ? QStringLiteral("RBT test run") : QString());
  if (!TestRunning) {
    Tim_RBT_Test->stop();
    return;
  }
  {
    FlagScope updating(Updating);
    for (TrackBar* b : {ui_.Tkb_RBT1_R1Axis, ui_.Tkb_RBT1_R2Axis, ui_.Tkb_RBT1_ZAxis, ui_.Tkb_RBT1_TAxis, ui_.Tkb_RBT1_XAxis,
                        ui_.Tkb_RBT2_R1Axis, ui_.Tkb_RBT2_R2Axis, ui_.Tkb_RBT2_ZAxis, ui_.Tkb_RBT2_TAxis, ui_.Tkb_RBT2_XAxis})
      b->SetPosition(0);
    for (QCheckBox* c : {ui_.Chk_RBT1_R1_Wafer, ui_.Chk_RBT1_R2_Wafer, ui_.Chk_RBT2_R1_Wafer, ui_.Chk_RBT2_R2_Wafer})
      c->setChecked(false);
  }
  TestRun = TestRunState{};
  Tim_RBT_Test->start();
  Tkb_RBT_AxisChange();
}

void RobotsController::TurnViewForRotate() {
  if (!ui_.Chk_RBT_Test_Rotate->isChecked()) return;
  // Round and round: from the end of the range back to its start.
  if (ui_.Tkb_Z_Angle->Position() >= ui_.Tkb_Z_Angle->maximum())
    ui_.Tkb_Z_Angle->SetPosition(ui_.Tkb_Z_Angle->minimum());
  else
    ui_.Tkb_Z_Angle->SetPosition(ui_.Tkb_Z_Angle->Position() + 5);
}

void RobotsController::Tim_RBT_TestTimer() {
  if (!TestRunning) {
    Tim_RBT_Test->stop();
    return;
  }
  Q_EMIT runStep(QStringLiteral("phase %1, tick %2").arg(TestRun.phase).arg(TestRun.tick));
  {
    FlagScope updating(Updating);
    const TestRunTick t = AdvanceTestRun(TestRun);
    if (t.R1 >= 0) ui_.Tkb_RBT1_R1Axis->SetPosition(t.R1);
    if (t.Z >= 0) ui_.Tkb_RBT1_ZAxis->SetPosition(t.Z);
    if (t.X >= 0) ui_.Tkb_RBT1_XAxis->SetPosition(t.X);
    if (t.T >= 0) ui_.Tkb_RBT1_TAxis->SetPosition(t.T);
    if (t.waferR1 >= 0) ui_.Chk_RBT1_R1_Wafer->setChecked(t.waferR1 == 1);
    appearance_.SetTextOffset(TestRun.vibration);
  }
  TurnViewForRotate();
  Tkb_RBT_AxisChange();
}

void RobotsController::Btn_AnimationStartClick(QObject*) {
  AnimationRunning = !AnimationRunning;
  ui_.Btn_AnimationStart->setText(AnimationRunning ? QStringLiteral("Anime Stop") : QStringLiteral("Anime Start"));
  // The link and the animation never run together.
  ui_.Chk_ShmLink->setEnabled(!AnimationRunning);
  if (!AnimationRunning) {
    Tim_Animation->stop();
    return;
  }
  Animation.step = 0;
  Animation.tick = 0;
  {
    FlagScope updating(Updating);
    appearance_.SetTextOffset(0.0f);
    ui_.Lbl_AnimationStep->setText(QStringLiteral("0"));
  }
  DrawFrame();
  Tim_Animation->start();
}

void RobotsController::Tim_AnimationTimer() {
  if (!AnimationRunning) {
    Tim_Animation->stop();
    return;
  }
  const AnimationTick t = AdvanceAnimation(Animation, ui_.Chk_Pause->isChecked());
  if (t.reset) {
    FlagScope updating(Updating);
    appearance_.SetTextOffset(0.0f);
    ui_.Lbl_AnimationStep->setText(QStringLiteral("0"));
  }
  if (!t.draw) return;
  TurnViewForRotate();
  StepFollowedRobots(Animation.step);
  DrawFrame();
  ui_.Lbl_AnimationStep->setText(QString::number(Animation.step));
}

void RobotsController::Chk_x2Click(QObject*) {
  Tim_Animation->setInterval(ui_.Chk_x2->isChecked() ? 25 : 50);
}

void RobotsController::Tkb_EquipmentChange(QObject* Sender) {
  if (Updating) return;
  if (auto* bar = qobject_cast<TrackBar*>(Sender)) bar->setToolTip(QString::number(bar->Position()));
  DrawFrame();
}

void RobotsController::Cmb_EquipmentChange(QObject*) {
  if (!Updating) DrawFrame();
}

void RobotsController::Cmb_Equipment_PosChange(QObject*) {
  if (!Updating && ui_.Cmb_Equipment_Pos->currentIndex() >= 0) DrawFrame();
}

void RobotsController::Chk_EquipmentChkClick(QObject*) {
  if (!Updating) DrawFrame();
}

void RobotsController::Lbl_AlarmWarningDblClick(QObject* Sender) {
  const int tag = TagOf(Sender);
  if (tag != 0 && tag != 1) return;
  const std::array<QCheckBox*, 20>& list = tag == 0 ? ui_.UnitAlarmChecks : ui_.UnitWarningChecks;
  if (!list[0]) return;
  const bool state = !list[0]->isChecked();
  {
    FlagScope updating(Updating);
    for (QCheckBox* c : list)
      if (c) c->setChecked(state);
  }
  DrawFrame();
}

void RobotsController::SetRobotPanel(int robot, const RobotPanelValues& v) {
  struct Panel {
    TrackBar *r1, *r2, *z, *t, *x, *rt1, *rt2;
    QCheckBox *wafer1, *wafer2;
  };
  const Panel panels[2] = {{ui_.Tkb_RBT1_R1Axis, ui_.Tkb_RBT1_R2Axis, ui_.Tkb_RBT1_ZAxis, ui_.Tkb_RBT1_TAxis, ui_.Tkb_RBT1_XAxis,
                            ui_.Tkb_RBT1_RT1Axis, ui_.Tkb_RBT1_RT2Axis, ui_.Chk_RBT1_R1_Wafer, ui_.Chk_RBT1_R2_Wafer},
                           {ui_.Tkb_RBT2_R1Axis, ui_.Tkb_RBT2_R2Axis, ui_.Tkb_RBT2_ZAxis, ui_.Tkb_RBT2_TAxis, ui_.Tkb_RBT2_XAxis,
                            ui_.Tkb_RBT2_RT1Axis, ui_.Tkb_RBT2_RT2Axis, ui_.Chk_RBT2_R1_Wafer, ui_.Chk_RBT2_R2_Wafer}};
  if (robot < 0 || robot > 1) return;
  const Panel& p = panels[robot];
  // The bars' and boxes' own handlers would draw a frame each.
  const bool wasUpdating = Updating;
  Updating = true;
  p.r1->SetPosition(BarPosition(v.R1, 100.0));
  p.r2->SetPosition(BarPosition(v.R2, 100.0));
  p.z->SetPosition(BarPosition(v.Z, 10000.0));
  p.t->SetPosition(BarPosition(v.T, 10.0));
  p.x->SetPosition(BarPosition(v.X, 1000.0));
  p.rt1->SetPosition(BarPosition(v.RT1, 10.0));
  p.rt2->SetPosition(BarPosition(v.RT2, 10.0));
  {
    const QSignalBlocker b1(p.wafer1), b2(p.wafer2);
    p.wafer1->setChecked(v.WaferR1);
    p.wafer2->setChecked(v.WaferR2);
  }
  Updating = wasUpdating;
  WriteSettings();
}

void RobotsController::StepFollowedRobots(int step) {
  // Only a scene with a robot that follows a panel is moved: without one
  // the animation leaves the panels as they are.
  bool follows[2] = {false, false};
  for (const SceneObject& r : frame_.Objects())
    if (r.Enbl && FollowedPanel(r) != 0) follows[FollowedPanel(r) - 1] = true;
  if (!follows[0] && !follows[1]) return;
  // One pick-and-place cycle per 34 steps: RBT1 from LP2 to the aligner,
  // RBT2 from load lock 1 to PM3.
  const double phase = step / 34.0;
  const int slot = frame_.Settings().robot[0].Slot;
  const std::vector<CyclePose> stops[2] = {PickAndPlaceStops(Teach, 0, 5, 17, slot),
                                           PickAndPlaceStops(Teach, 1, 1, 17, 0)};
  for (int i = 0; i < 2; ++i) {
    if (!follows[i]) continue;
    RobotPanelValues v = frame_.Settings().robot[i];
    ApplyCyclePose(CyclePoseAt(stops[i], phase), &v);
    SetRobotPanel(i, v);
  }
  WriteRobotLabels();
}
