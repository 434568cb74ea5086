#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Taught positions and the fixed motions of the two transfer-robot panels.
// Everything is in track-bar units (integers), as the panels hold them.

struct TeachRow {
  int32_t R1 = 0, R2 = 0, T = 0, Z = 0, X = 0;
  int32_t spare[2] = {0, 0};
  int32_t ZLow = 0;  // Z in a lowered load lock
};

constexpr int kTeachRows = 218;
constexpr int kRobot2FirstRow = 100;
constexpr int kSlotCount = 25;
using TeachTable = std::array<TeachRow, kTeachRows>;

// The position items of RBT1 (29: "Home", then four per LP1..LP4, ALG,
// L/L1, L/L2) and RBT2 (25: "Home", then four per L/L1, L/L2, PM1..PM4).
std::vector<std::string> RobotPositionItems(int robot);
// The slot items of RBT1's slot selector, "1" to "25" (slot 0 to 24).
std::vector<std::string> SlotItems();

// The taught positions of the demo equipment front end (RBT1, a robot on a
// travel axis serving four load ports, an aligner and two load locks) and
// transfer chamber (RBT2, serving the load locks and four process modules).
TeachTable MakeTeachTable();

// Which axes a position choice moves, and where to.
struct AxisTargets {
  bool valid = false;  // false: leave the axes as they are
  int R1 = 0, R2 = 0, T = 0, Z = 0, X = 0;
  bool setR2 = false;  // RBT2 moves R1 only
};

// The axes for item `index` of robot 0 (RBT1) or 1 (RBT2). slot is RBT1's
// current slot; arm2 and llDown are the robot's "Arm2" and "LL Dn" boxes.
AxisTargets LookupTeachingPosition(const TeachTable& table, int robot, int index, int slot, bool arm2,
                                   bool llDown);

// The RBT1 test run: eight phases of eleven ticks.
struct TestRunState {
  int phase = 0;  // 0..7
  int tick = 0;   // 0..10
  float vibration = 0.0f;
};

// What one tick sets on RBT1's controls; -1 leaves a bar alone.
struct TestRunTick {
  int R1 = -1, Z = -1, X = -1, T = -1;
  int waferR1 = -1;  // 1 check, 0 uncheck, -1 leave
};

TestRunTick AdvanceTestRun(TestRunState& s);

// The step animation: step 0..33, cycles 0..24, the angle in 20 degree steps.
struct AnimationState {
  int step = 0;
  int tick = 0;
  int cycle = 0;
  float angle = 0.0f;
};

struct AnimationTick {
  bool reset = false;  // show step 0 and no vibration
  bool draw = false;   // a step was taken: draw and show the step
};

// One timer tick of the animation.
AnimationTick AdvanceAnimation(AnimationState& s, bool paused);
