#include "motion/CellMotions.h"

#include <cstdio>

#include "arm/ArmPoses.h"
#include "arm/ArmTestPath.h"
#include "arm/Kinematics.h"
#include "motion/PickPlaceCycle.h"
#include "motion/RobotMotion.h"

namespace {

const char* const kNames[] = {"animation", "rbt1", "rbt2", "cycle", "link"};

std::string Printed(const char* format, int a, int b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// The arm's path: the start pose, then the target sliders one move at a
// time, each solved for the joints as the X/Y/Z mode does. A target out of
// reach leaves the joints where they are.
void AnimationSteps(const float joints[6], std::vector<CellStep>* steps, CellStep base) {
  int32_t pos[6];
  const PoseTable poses;
  const ArmPose* start = poses.Find(ArmTestPath::kStartPose);
  for (int j = 0; j < 6; ++j)
    pos[j] = start ? (*start)[static_cast<size_t>(j)] : static_cast<int32_t>(joints[j] * 100.0f);
  int32_t target[3] = {kTargetSliders[0].initial, ArmTestPath::kStartY, ArmTestPath::kStartZ};
  auto solve = [&] {
    const ArmSolution s = SolveArm(target[0] * 0.001, target[1] * 0.001, target[2] * 0.001);
    if (!s.reachable) return;
    const ArmSolutionPositions p = ToSliderPositions(s);
    pos[0] = kJointSliders[0].Clamp(p.j1);
    pos[1] = kJointSliders[1].Clamp(p.j2);
    pos[2] = kJointSliders[2].Clamp(p.j3);
    pos[5] = kJointSliders[5].Clamp(p.j6);
  };
  auto add = [&](std::string label) {
    pos[4] = kJointSliders[4].Clamp(XyzModeJ5Position(pos[1], pos[2]));
    for (int j = 0; j < 6; ++j) base.joints[j] = JointDegrees(pos[j]);
    base.label = std::move(label);
    steps->push_back(base);
  };
  base.arm = true;
  solve();
  add("start");
  ArmTestPath path;
  path.Click();
  int moves = 0;
  for (;;) {
    const ArmTestPath::Step st = path.Next(false);
    if (st.kind == ArmTestPath::StepKind::Finished) break;
    if (st.kind != ArmTestPath::StepKind::Move) continue;
    target[static_cast<int>(st.axis)] = kTargetSliders[static_cast<int>(st.axis)].Clamp(st.value);
    solve();
    add(Printed("step %d (phase %d)", ++moves, st.phase));
  }
}

// RBT1's test run from its start: both robots' axes at 0, no wafers.
void TestRunSteps(std::vector<CellStep>* steps, CellStep base) {
  for (RobotPanelValues& r : base.robot) {
    r.R1 = r.R2 = r.Z = r.T = r.X = 0.0f;
    r.WaferR1 = r.WaferR2 = false;
  }
  base.panel[0] = true;
  TestRunState run;
  int bars[4] = {0, 0, 0, 0};  // R1, Z, X, T in track-bar units
  for (int i = 0; i < 8 * 11; ++i) {
    const std::string label = Printed("phase %d, tick %d", run.phase, run.tick);
    const TestRunTick t = AdvanceTestRun(run);
    if (t.R1 >= 0) bars[0] = t.R1;
    if (t.Z >= 0) bars[1] = t.Z;
    if (t.X >= 0) bars[2] = t.X;
    if (t.T >= 0) bars[3] = t.T;
    RobotPanelValues& r = base.robot[0];
    if (t.waferR1 >= 0) r.WaferR1 = t.waferR1 == 1;
    r.R1 = static_cast<float>(bars[0] * 0.01);
    r.Z = static_cast<float>(bars[1] * 0.0001);
    r.X = static_cast<float>(bars[2] * 0.001);
    r.T = static_cast<float>(bars[3] * 0.1);
    base.label = label;
    steps->push_back(base);
  }
}

// The step animation's cycles: RBT1 from LP2 to the aligner, RBT2 from
// load lock 1 to PM3, one cycle in 34 steps.
void CycleSteps(bool rbt1, std::vector<CellStep>* steps, CellStep base) {
  const TeachTable teach = MakeTeachTable();
  const std::vector<CyclePose> stops[2] = {PickAndPlaceStops(teach, 0, 5, 17, base.robot[0].Slot),
                                           PickAndPlaceStops(teach, 1, 1, 17, 0)};
  base.panel[0] = rbt1;
  base.panel[1] = true;
  for (int step = 0; step < 34; ++step) {
    for (int i = rbt1 ? 0 : 1; i < 2; ++i) {
      ApplyCyclePose(CyclePoseAt(stops[i], step / 34.0), &base.robot[i]);
    }
    base.label = Printed("step %d", step);
    steps->push_back(base);
  }
}

}  // namespace

const char* CellMotionName(CellMotion m) {
  return kNames[static_cast<int>(m)];
}

bool CellMotionNamed(const std::string& name, CellMotion* out) {
  // A link session exists only in the window that recorded it.
  for (int i = 0; i < 4; ++i) {
    if (name != kNames[i]) continue;
    *out = static_cast<CellMotion>(i);
    return true;
  }
  return false;
}

std::vector<CellStep> CellMotionSteps(CellMotion m, const float joints[6], const RobotPanelValues robot[2]) {
  CellStep base;
  for (int j = 0; j < 6; ++j) base.joints[j] = joints[j];
  base.robot[0] = robot[0];
  base.robot[1] = robot[1];
  std::vector<CellStep> steps;
  switch (m) {
    case CellMotion::Animation:
      AnimationSteps(joints, &steps, base);
      break;
    case CellMotion::Rbt1Test:
      TestRunSteps(&steps, base);
      break;
    case CellMotion::Rbt2Cycle:
      CycleSteps(false, &steps, base);
      break;
    case CellMotion::Cycle:
      CycleSteps(true, &steps, base);
      break;
    case CellMotion::Link:
      break;  // LinkRecording::Steps
  }
  return steps;
}

void LinkRecording::Clear() {
  steps_.clear();
  ticks_ = 0;
}

void LinkRecording::Add(const float joints[6], const RobotPanelValues robot[2], const ObjectOverrides& poses) {
  if (steps_.size() >= kCapacity) steps_.erase(steps_.begin(), steps_.begin() + kCapacity / 10);
  CellStep s;
  s.label = Printed("tick %d", static_cast<int>(++ticks_));
  for (int j = 0; j < 6; ++j) s.joints[j] = joints[j];
  s.robot[0] = robot[0];
  s.robot[1] = robot[1];
  s.arm = s.panel[0] = s.panel[1] = true;
  for (size_t i = 0; i < poses.size(); ++i)
    if (poses[i].active) s.moves.emplace_back(static_cast<int>(i), poses[i]);
  steps_.push_back(std::move(s));
}
