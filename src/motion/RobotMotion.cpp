#include "motion/RobotMotion.h"

#include <cmath>

namespace {

const char* const kMoves[4] = {"-Ret(Up)", "-Ret(Dn)", "-Ext(Up)", "-Ext(Dn)"};

// The four rows of one station: the hand retracted or extended into it,
// each with the wafer just above it (Up) or the hand just under it (Dn).
struct Station {
  int T, X;
  int retracted, extended;  // R
  int zUp, zDown;
};

void FourRows(TeachTable& t, int first, const Station& s) {
  for (int m = 0; m < 4; ++m) {
    TeachRow& r = t[static_cast<size_t>(first + m)];
    r.T = s.T;
    r.X = s.X;
    r.R1 = m < 2 ? s.retracted : s.extended;
    r.R2 = r.R1;
    r.Z = (m % 2 == 0) ? s.zUp : s.zDown;
    // The demo cell's load locks do not lower their stage: "LL Dn" finds
    // the wafer where it is.
    r.ZLow = r.Z;
  }
}

}  // namespace

std::vector<std::string> RobotPositionItems(int robot) {
  std::vector<std::string> items{"Home"};
  const std::vector<std::string> places =
      robot == 0 ? std::vector<std::string>{"LP1", "LP2", "LP3", "LP4", "ALG", "L/L1", "L/L2"}
                 : std::vector<std::string>{"L/L1", "L/L2", "PM1", "PM2", "PM3", "PM4"};
  for (const std::string& p : places)
    for (const char* m : kMoves) items.push_back(p + m);
  return items;
}

std::vector<std::string> SlotItems() {
  std::vector<std::string> items;
  for (int i = 1; i <= kSlotCount; ++i) items.push_back(std::to_string(i));
  return items;
}

TeachTable MakeTeachTable() {
  // Taught on data/examples/demo-cell.3dl; docs/teaching-positions.md
  // derives every number. Each hand's wafer lands on the station's wafer,
  // 0.003 m under it (Dn) or lifted 0.003 m off it (Up).
  TeachTable t{};
  // RBT1: the dual-arm SCARA on the travel axis. Home: both arms folded
  // back at the middle of the axis.
  t[0].R1 = t[0].R2 = -20;
  // Load ports face the robot (T 0) at X -1.2, -0.4, 0.4, 1.2. The Up and
  // Dn rows are the top (slot 24) and bottom (slot 0) of a carrier: a
  // pitch of 40 (0.012 m at the robot's scale of 3), half a pitch lifts.
  for (int p = 0; p < 4; ++p) FourRows(t, 1 + 4 * p, Station{0, -1200 + 800 * p, -20, 33, 1010, 50});
  // Aligner at the -X end of the travel axis, the robot turned to -X.
  FourRows(t, 17, Station{-900, -1200, -20, 64, 187, 167});
  // Load locks behind the robot (T 180 degrees).
  FourRows(t, 21, Station{1800, -500, -20, 64, 187, 167});
  FourRows(t, 25, Station{1800, 500, -20, 64, 187, 167});

  // RBT2: the frog-leg robot in the transfer chamber. The load locks lie
  // 23.5 degrees either side of the front, the process modules around the
  // back at 1.3 m.
  const int angles[6] = {-235, 235, -1050, -1550, 1550, 1050};
  const int reach[6] = {64, 64, 70, 70, 70, 70};
  for (int k = 0; k < 6; ++k)
    FourRows(t, kRobot2FirstRow + 1 + 4 * k, Station{angles[k], 0, 0, reach[k], 77, 54});
  return t;
}

AxisTargets LookupTeachingPosition(const TeachTable& table, int robot, int i, int slot, bool arm2, bool llDown) {
  AxisTargets a;
  if (robot == 0) {
    if (i < 0 || i > 28) return a;
    const TeachRow& row = table[static_cast<size_t>(i)];
    a.valid = true;
    a.setR2 = true;
    if (i == 0) {
      a.R1 = row.R1;
      a.R2 = row.R2;
    } else if (arm2) {
      a.R2 = row.R1;
      a.R1 = -20;
    } else {
      a.R1 = row.R1;
      a.R2 = -20;
    }
    a.T = row.T;
    a.X = row.X;
    if (i >= 1 && i <= 16) {
      const int k = i - 1;
      const int port = k / 4;
      const bool retracted = (k % 4) < 2;
      const bool up = k % 2 == 0;
      const TeachRow& first = table[(port == 0 && retracted) ? 1 : 3];
      const TeachRow& second = table[(port == 0 && retracted) ? 2 : 4];
      const double pitch = (static_cast<double>(first.Z) - second.Z) / 24.0;
      a.Z = static_cast<int>(slot * pitch + second.Z + (up ? pitch / 2.0 : 0.0));
    } else if (i >= 21 && i <= 28) {
      a.Z = llDown ? row.ZLow : row.Z;
    } else {
      a.Z = row.Z;
    }
    if (arm2) a.Z -= 30;
    return a;
  }
  if (robot == 1) {
    if (i < 0 || i > 24) return a;
    const TeachRow& row = table[static_cast<size_t>(kRobot2FirstRow + i)];
    a.valid = true;
    // The second hand of a frog-leg robot lies on the negative side.
    a.R1 = (i > 0 && arm2) ? -row.R1 : row.R1;
    a.T = row.T;
    a.X = row.X;
    a.Z = (i >= 1 && i <= 8 && llDown) ? row.ZLow : row.Z;
    return a;
  }
  return a;
}

TestRunTick AdvanceTestRun(TestRunState& s) {
  TestRunTick t;
  const int n = s.tick;
  switch (s.phase) {
    case 0: t.R1 = 10 * n; break;
    case 1: t.Z = 20 * n; break;
    case 2: t.waferR1 = 1; t.R1 = 100 - 10 * n; break;
    case 3: t.X = 20 * n; t.T = 180 * n; break;
    case 4: t.R1 = 10 * n; break;
    case 5: t.Z = 200 - 20 * n; break;
    case 6: t.waferR1 = 0; t.R1 = 100 - 10 * n; break;
    case 7: t.X = 200 - 20 * n; t.T = 1800 - 180 * n; break;
    default: break;
  }
  s.vibration = static_cast<float>(std::sin(n * 36.0 * M_PI / 180.0) * 0.01);
  if (++s.tick > 10) {
    s.tick = 0;
    s.phase = (s.phase + 1) % 8;
  }
  return t;
}

AnimationTick AdvanceAnimation(AnimationState& s, bool paused) {
  AnimationTick t;
  if (s.step == 0) t.reset = true;
  if (paused) return t;
  s.angle += 20.0f;
  if (s.angle >= 360.0f) s.angle = 0.0f;
  ++s.step;
  if (s.step > 33) {
    s.step = 0;
    if (++s.cycle > 24) s.cycle = 0;
  }
  t.draw = true;
  return t;
}
