// The controller protocol on the link timer's tick: read the controller's
// write, move the arm and the robot panels to it, keep its object poses
// for the frame, and report a fault once in the status line. And the step
// animation's pick-and-place cycle for robots that follow a panel.
#include <QCheckBox>
#include <QSignalBlocker>
#include <cmath>
#include <iostream>

#include "ui/Controls.h"
#include "ui/InterferenceController.h"
#include "ui/Main.h"
#include "collision/Interference.h"
#include "ui/MainHelpers.h"
#include "motion/PickPlaceCycle.h"

namespace {

// A value in track-bar units; the bar holds it to its range. Values far
// outside any range are held here first, so the conversion stays defined.
int BarPosition(float value, double unitsPerValue) {
  double p = std::round(double(value) * unitsPerValue);
  if (p > 1e6) p = 1e6;
  if (p < -1e6) p = -1e6;
  return static_cast<int>(p);
}

}  // namespace

const ObjectOverrides* TForm1::LinkOverrides() const {
  return link_ && link_->IsOpen() ? &linkSession_->Overrides() : nullptr;
}

void TForm1::PollLink() {
  if (!link_ || !link_->IsOpen()) return;
  // The tool point of the last frame, in the scene's axes.
  LinkViewerReport& report = linkSession_->report;
  report.tool[0] = static_cast<float>(ToolPoint[0]);
  report.tool[1] = static_cast<float>(ToolPoint[2]);
  report.tool[2] = static_cast<float>(ToolPoint[1]);
  // The check's first contact, all 0 while it is off or finds nothing.
  const InterferenceState contact = checks_->LinkState();
  report.interference = contact.contacts > 0 ? 1u : 0u;
  report.interferenceRecord = contact.contacts > 0 ? contact.firstObject : 0;
  report.interferencePart = contact.contacts == 0 ? 0
                            : contact.firstArmLink >= 0 ? contact.firstArmLink
                                                         : kLinkPartRobotBase + contact.firstRobot;
  LinkCommand command;
  const LinkStatus s = linkSession_->Tick(*link_, &command);
  if (s == LinkStatus::Shrunk) {
    // A controller cut the block: nothing of it can be trusted any more,
    // and the next open looks at whatever the controller left.
    link_->CloseSharedMemoryLink();
    UncheckLink();
    const std::string line = LinkStatusText(s);
    std::cout << line << std::endl;
    ShowStatus(QString::fromStdString(line));
    return;
  }
  if (s == LinkStatus::Applied) {
    ApplyLinkCommand(command);
    // Kept for the Motion Report: where the write left the cell.
    TransferSettings();
    checks_->RecordLinkTick(settings_, linkSession_->Overrides());
  }
  // Without the magic the block is not ours to speak of.
  if (s != LinkStatus::NoMagic && linkSession_->ShouldReport(s)) {
    ShowStatus(QString::fromStdString(LinkStatusText(s)));
    linkSession_->MarkReported(s);
  }
}

void TForm1::ApplyLinkCommand(const LinkCommand& command) {
  const tessaly_link_controller& c = command.raw;
  if (command.flags & TESSALY_LINK_ARM) {
    // Labels follow the bars; the frame is drawn once, after the tick.
    FlagScope bulk(BulkUpdate);
    TrackBar* joints[6] = {Tkb_TestData01, Tkb_TestData02, Tkb_TestData03,
                           Tkb_TestData04, Tkb_TestData05, Tkb_TestData06};
    for (int k = 0; k < 6; ++k) joints[k]->SetPosition(BarPosition(c.joints[k], 100.0));
  }
  bool robots = false;
  for (int i = 0; i < 2; ++i) {
    if (!(command.flags & (i == 0 ? TESSALY_LINK_RBT1 : TESSALY_LINK_RBT2))) continue;
    const tessaly_link_robot& r = c.robot[i];
    RobotPanelValues v;
    v.R1 = r.r1;
    v.R2 = r.r2;
    v.Z = r.z;
    v.T = r.t;
    v.X = r.x;
    v.RT1 = r.rt1;
    v.RT2 = r.rt2;
    v.WaferR1 = r.wafer & TESSALY_LINK_WAFER_HAND1;
    v.WaferR2 = r.wafer & TESSALY_LINK_WAFER_HAND2;
    SetRobotPanel(i, v);
    robots = true;
  }
  if (robots) {
    TransferSettings();
    WriteRobotLabels();
  }
}

void TForm1::SetRobotPanel(int robot, const RobotPanelValues& v) {
  struct Panel {
    TrackBar *r1, *r2, *z, *t, *x, *rt1, *rt2;
    QCheckBox *wafer1, *wafer2;
  };
  const Panel panels[2] = {{Tkb_RBT1_R1Axis, Tkb_RBT1_R2Axis, Tkb_RBT1_ZAxis, Tkb_RBT1_TAxis, Tkb_RBT1_XAxis,
                            Tkb_RBT1_RT1Axis, Tkb_RBT1_RT2Axis, Chk_RBT1_R1_Wafer, Chk_RBT1_R2_Wafer},
                           {Tkb_RBT2_R1Axis, Tkb_RBT2_R2Axis, Tkb_RBT2_ZAxis, Tkb_RBT2_TAxis, Tkb_RBT2_XAxis,
                            Tkb_RBT2_RT1Axis, Tkb_RBT2_RT2Axis, Chk_RBT2_R1_Wafer, Chk_RBT2_R2_Wafer}};
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
}

void TForm1::StepFollowedRobots(int step) {
  // Only a scene with a robot that follows a panel is moved: without one
  // the animation leaves the panels as they are.
  bool follows[2] = {false, false};
  for (const SceneObject& r : *objects_)
    if (r.Enbl && FollowedPanel(r) != 0) follows[FollowedPanel(r) - 1] = true;
  if (!follows[0] && !follows[1]) return;
  // One pick-and-place cycle per 34 steps: RBT1 from LP2 to the aligner,
  // RBT2 from load lock 1 to PM3.
  const double phase = step / 34.0;
  const int slot = settings_.robot[0].Slot;
  const std::vector<CyclePose> stops[2] = {PickAndPlaceStops(Teach, 0, 5, 17, slot),
                                           PickAndPlaceStops(Teach, 1, 1, 17, 0)};
  for (int i = 0; i < 2; ++i) {
    if (!follows[i]) continue;
    RobotPanelValues v = settings_.robot[i];
    ApplyCyclePose(CyclePoseAt(stops[i], phase), &v);
    SetRobotPanel(i, v);
  }
  TransferSettings();
  WriteRobotLabels();
}
