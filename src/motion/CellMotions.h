#pragma once

#include <string>
#include <vector>

#include "objects/EffectiveRecord.h"
#include "objects/RobotPanel.h"

// The motions a cell runs, step by step as the window takes them, without
// the window: what the arm's joints and the two robot panels hold at each
// step. The interference sweep (collision/MotionSweep.h) poses the cell
// at each of them.
enum class CellMotion {
  Animation,  // the arm's "Animation" path, one step per target move
  Rbt1Test,   // RBT1's test run, one cycle of eight phases, tick by tick
  Rbt2Cycle,  // RBT2's pick-and-place cycle alone (L/L1 to PM3 and back)
  Cycle,      // both robots' pick-and-place cycles, the step animation's 34 steps
  Link,       // a controller's session on the link, as recorded
};

// "animation", "rbt1", "rbt2", "cycle": the names the command line takes.
const char* CellMotionName(CellMotion m);
bool CellMotionNamed(const std::string& name, CellMotion* out);

struct CellStep {
  std::string label;  // "step 12 (phase 3)", "phase 2, tick 5", "step 7"
  float joints[6] = {0, 0, 0, 0, 0, 0};
  RobotPanelValues robot[2];
  // What the motion moves: the arm, and the robots that follow each panel.
  bool arm = false;
  bool panel[2] = {false, false};
  // The records a controller placed (its active poses), moved as a whole.
  std::vector<std::pair<int, ObjectOverride>> moves;
};

// A controller's session, tick by tick: what each write left the arm, the
// panels and the records at. Keeps the last kCapacity ticks.
class LinkRecording {
 public:
  static constexpr size_t kCapacity = 20000;
  void Clear();
  void Add(const float joints[6], const RobotPanelValues robot[2], const ObjectOverrides& poses);
  const std::vector<CellStep>& Steps() const { return steps_; }

 private:
  std::vector<CellStep> steps_;
  size_t ticks_ = 0;
};

// The steps of a motion from the arm's joints and the panels as they
// stand (the motion sets what it moves; the rest stays).
std::vector<CellStep> CellMotionSteps(CellMotion m, const float joints[6], const RobotPanelValues robot[2]);
