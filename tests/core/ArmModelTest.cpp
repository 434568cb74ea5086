#include <gtest/gtest.h>

#include <algorithm>

#include "equipment/ArticulatedArm.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"

namespace {

class ArmGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    UseFrontOrtho(2);
    arm = ZeroRecord();
    arm.Reso = 36;
    arm.Fill = true;
    arm.Trans = 1.0f;
    arm.clFill = 0x404040;  // body darker than the 0xC0C0C0 bolts
    arm.cl_sub[0] = 0x0000FF;  // red flange, found by its colour
  }
  // Object-space points of the pieces drawn in plain red.
  std::vector<ObjPoint> FlangePoints(bool marks = false) {
    std::vector<ObjPoint> pts;
    for (const auto& p : CaptureFeedback([&] { DrawArticulatedArm(arm, marks); }))
      for (const auto& v : p.v)
        if (v.r > 0.99f && v.g < 0.01f && v.b < 0.01f) pts.push_back(UnProject(v));
    return pts;
  }
  SceneObject arm;
};

}  // namespace

TEST_F(ArmGl, StraightArmPutsTheFlange091AboveTheBase) {
  const auto pts = FlangePoints();
  ASSERT_FALSE(pts.empty());
  double minY = 1e9, maxY = -1e9;
  for (const auto& p : pts) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_NEAR(minY, 0.91, 1e-4);
  EXPECT_NEAR(maxY, 0.93, 1e-4);
}

TEST_F(ArmGl, J3BendsTheForearmByARightAngle) {
  arm.size[12] = 90.0f;
  const auto pts = FlangePoints();
  ASSERT_FALSE(pts.empty());
  double minZ = 1e9, maxZ = -1e9, maxY = -1e9;
  for (const auto& p : pts) {
    minZ = std::min(minZ, p.z);
    maxZ = std::max(maxZ, p.z);
    maxY = std::max(maxY, p.y);
  }
  // The flange now faces along the reach: 0.03 + 0.25 + 0.07 out from the elbow.
  EXPECT_NEAR(minZ, 0.35, 1e-4);
  EXPECT_NEAR(maxZ, 0.37, 1e-4);
  EXPECT_LT(maxY, 0.6);
}

TEST_F(ArmGl, J6TurnsOnlyTheFlangeAndBolts) {
  const auto before = CaptureFeedback([&] { DrawArticulatedArm(arm, false); });
  arm.size[15] = 45.0f;
  const auto after = CaptureFeedback([&] { DrawArticulatedArm(arm, false); });
  ASSERT_EQ(before.size(), after.size());
  size_t changed = 0, changedNotFlange = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    bool differs = before[i].v.size() != after[i].v.size();
    for (size_t k = 0; !differs && k < before[i].v.size(); ++k)
      differs = std::abs(before[i].v[k].x - after[i].v[k].x) > 1e-3 || std::abs(before[i].v[k].y - after[i].v[k].y) > 1e-3;
    if (!differs) continue;
    ++changed;
    const auto& v = before[i].v[0];
    const bool flangeOrBolt = (v.r > 0.99f && v.g < 0.01f) || (std::abs(v.r - 0.753f) < 0.01f && v.g > 0.74f);
    if (!flangeOrBolt) ++changedNotFlange;
  }
  EXPECT_GT(changed, 0u);
  EXPECT_EQ(changedNotFlange, 0u);
}

TEST_F(ArmGl, MarkPlatesAddPlanes) {
  const size_t without = CaptureFeedback([&] { DrawArticulatedArm(arm, false); }).size();
  const size_t with = CaptureFeedback([&] { DrawArticulatedArm(arm, true); }).size();
  EXPECT_GT(with, without);
}
