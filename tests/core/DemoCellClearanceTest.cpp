// The demo cell's cycles run clean with its allowance line; a station or a robot a
// few centimetres off where the positions were taught is hit by a hand or its wafer.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "collision/MotionSweep.h"
#include "objects/ObjectFile.h"

// The number of the nth record (from 0) of that name, -1 when there is none.
static int Nth(const ObjectTable& table, const std::string& name, int nth) {
  for (int i = 0; i < kObjectCapacity; ++i)
    if (table[static_cast<size_t>(i)].Name == name && nth-- == 0) return i;
  return -1;
}

TEST(DemoCellClearance, CyclesRunCleanUntilAStationIsMisplaced) {
  const std::string path = std::string(TESSALY_EXAMPLES_DIR) + "/demo-cell.3dl";
  AllowedContacts allowed;
  ASSERT_EQ(ReadAllowLine(path, allowed), AllowLineState::Present);
  const struct {
    const char* moved;  // the nth record of this name is moved by dx, dy, dz
    int nth;
    float dx, dy, dz;
    const char *robot, *piece, *hit;  // robot's hand or wafer hits the hitNth "hit"
    int hitNth;
  } cases[] = {
      {"", 0, 0.0f, 0.0f, 0.0f, "", "", "", 0},  // as shipped: no contact
      // LP2's carrier 3 cm towards the robot: the hand's tip meets its back.
      {"carrier", 1, 0.0f, -0.03f, 0.0f, "RBT1 SCARA", "hand", "carrier", 1},
      // PM3's chamber 5 cm aside: the wafer brought in meets its slot's edge.
      {"PM chamber", 2, 0.05f, 0.0f, 0.0f, "RBT2 frog-leg", "wafer", "PM chamber", 2},
      // The frog-leg robot 2 cm low: its hand goes into load lock 1's stage.
      {"RBT2 frog-leg", 0, 0.0f, 0.0f, -0.02f, "RBT2 frog-leg", "hand", "load lock stage", 0},
  };
  const float joints[6] = {0, 0, 90, 0, 0, 0};
  const RobotPanelValues panels[2];
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.moved) + " " + std::to_string(c.nth));
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    ASSERT_GT(LoadObjects(path, table->data(), kObjectCapacity, nullptr, [](const std::string&) {}), 0);
    if (*c.moved) {
      SceneObject& r = table->at(static_cast<size_t>(Nth(*table, c.moved, c.nth)));
      r.X += c.dx, r.Y += c.dy, r.Z += c.dz;
    }
    InterferenceCheck check;
    const SweepResult result = SweepMotion(CellMotionSteps(CellMotion::Cycle, joints, panels), table->data(),
                                           kObjectCapacity, &allowed, &check);
    EXPECT_EQ(result.ContactSteps() > 0, *c.robot != '\0') << SweepCsv(result);
    if (!*c.robot) continue;
    const std::string expected = ObjectLabel(table->data(), Nth(*table, c.robot, 0)) + " " + c.piece +
                                 " hits " + ObjectLabel(table->data(), Nth(*table, c.hit, c.hitNth));
    bool named = false;
    for (const SweepRow& row : result.rows) named = named || row.firstContact == expected;
    EXPECT_TRUE(named) << expected << "\n" << SweepCsv(result);
  }
}
