// The taught positions against the demo cell they were taught on: each
// "Ext" item puts the hand's wafer onto the station's wafer, just under it
// (Dn) or just lifted off it (Up); each "Ret" item keeps it clear of every
// station; and every value fits the panel's track bars.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "EquipmentTestSupport.h"
#include "motion/RobotMotion.h"
#include "equipment/ObjectDrawing.h"
#include "objects/ObjectFile.h"
#include "support/GlFixture.h"

namespace {

struct Point {
  double x, y, z;
};

class DemoCellTeaching : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    TextureSlot slots[kTextureSlotCount];
    ASSERT_GT(LoadObjects(std::string(TESSALY_EXAMPLES_DIR) + "/demo-cell.3dl", table->data(), kObjectCapacity,
                          slots, nullptr),
              0);
    for (int i = 0; i < kObjectCapacity; ++i) {
      const SceneObject& r = (*table)[static_cast<size_t>(i)];
      if (!r.Enbl) continue;
      if (FollowedPanel(r) == 1) robot[0] = i;
      if (FollowedPanel(r) == 2) robot[1] = i;
    }
  }

  // Where the wafer on the robot's hand lies with the panel at the item's
  // axes (the wafer drawn in a colour of its own).
  Point CarriedWafer(int which, const AxisTargets& a, bool hand2) {
    RobotPanelValues panels[2];
    RobotPanelValues& p = panels[which];
    p.R1 = a.R1 * 0.01f;
    p.R2 = a.setR2 ? a.R2 * 0.01f : 0.0f;
    p.Z = a.Z * 0.0001f;
    p.T = a.T * 0.1f;
    p.X = a.X * 0.001f;
    p.WaferR1 = !hand2;
    p.WaferR2 = hand2;
    SceneObject rec = (*table)[static_cast<size_t>(robot[which])];
    rec.Frame = false;
    rec.Tex = -1;
    rec.cl_sub[hand2 ? 2 : 1] = kGreen;
    const DrawSubstitutes subs{panels, nullptr};
    const auto wafer = VerticesInColour(CaptureModel([&] { DrawObjects(&rec, 1, &subs); }), kGreen);
    EXPECT_FALSE(wafer.empty());
    const ObjVertex c = Centroid(wafer);
    return Point{c.x, c.z, c.y};  // drawing axes back to the scene's
  }

  // The station wafers (kind 131) nearest to p across the floor: their
  // distance from p and the lowest of them (a carrier's bottom slot).
  double NearestStation(const Point& p, double* lowestZ) const {
    double best = 1e9;
    for (const SceneObject& r : *table)
      if (r.Enbl && r.Shp == ShapeKind::Wafer) best = std::min(best, std::hypot(r.X - p.x, r.Y - p.y));
    *lowestZ = 1e9;
    for (const SceneObject& r : *table)
      if (r.Enbl && r.Shp == ShapeKind::Wafer && std::hypot(r.X - p.x, r.Y - p.y) < best + 1e-4)
        *lowestZ = std::min(*lowestZ, double(r.Z));
    return best;
  }

  std::unique_ptr<ObjectTable> table;
  int robot[2] = {-1, -1};
};

}  // namespace

TEST_F(DemoCellTeaching, ExtendedItemsPutTheHandsWaferOntoTheStationsWafer) {
  ASSERT_GE(robot[0], 0) << "the demo cell's SCARA follows RBT1";
  ASSERT_GE(robot[1], 0) << "the demo cell's frog-leg robot follows RBT2";
  const TeachTable t = MakeTeachTable();
  const double pitch = 0.012;  // the carriers' slot pitch
  for (int which = 0; which < 2; ++which) {
    const std::vector<std::string> items = RobotPositionItems(which);
    for (int i = 1; i < static_cast<int>(items.size()); ++i) {
      const bool loadPort = which == 0 && i <= 16;
      for (int slot : loadPort ? std::vector<int>{0, 4, 24} : std::vector<int>{0}) {
        SCOPED_TRACE(items[static_cast<size_t>(i)] + " slot " + std::to_string(slot));
        const AxisTargets a = LookupTeachingPosition(t, which, i, slot, false, false);
        ASSERT_TRUE(a.valid);
        // Inside the panel's track bars.
        EXPECT_GE(a.R1, which == 0 ? -20 : -100);
        EXPECT_LE(a.R1, 100);
        EXPECT_GE(a.Z, 0);
        EXPECT_LE(a.Z, which == 0 ? 1500 : 300);  // the frog-leg's Z ends at 0.03
        EXPECT_LE(std::abs(a.T), 3600);
        EXPECT_LE(std::abs(a.X), 5000);

        const Point w = CarriedWafer(which, a, false);
        double stationZ = 0;
        const double distance = NearestStation(w, &stationZ);
        const bool extended = items[static_cast<size_t>(i)].find("-Ext") != std::string::npos;
        const bool up = items[static_cast<size_t>(i)].find("(Up)") != std::string::npos;
        if (!extended) {
          // Two wafer radii apart: the hand is out of the station.
          EXPECT_GT(distance, 0.3);
          continue;
        }
        EXPECT_LT(distance, 0.01) << "centred on the station's wafer";
        // A carrier's slot counts from its bottom wafer.
        if (loadPort) stationZ += pitch * slot;
        const double rise = w.z - stationZ;
        if (up) {
          EXPECT_GT(rise, 0.0);
        } else {
          EXPECT_LT(rise, 0.0);
        }
        EXPECT_LT(std::fabs(rise), pitch / 2) << "between the station's wafer and its neighbours";
      }
    }
  }
}
