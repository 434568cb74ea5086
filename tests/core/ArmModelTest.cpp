#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

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

TEST_F(ArmGl, J5TiltsTheWristAboutX) {
  // J5 at 90 turns the last 0.07 (the flange, 0.02 thick, radius 0.02)
  // from straight up at 0.84 to pointing along +z.
  arm.size[14] = 90.0f;
  const auto pts = FlangePoints();
  ASSERT_FALSE(pts.empty());
  double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
  for (const auto& p : pts) {
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
  }
  EXPECT_NEAR(lo[2], 0.07, 1e-4);
  EXPECT_NEAR(hi[2], 0.09, 1e-4);
  EXPECT_NEAR(lo[1], 0.82, 1e-3);
  EXPECT_NEAR(hi[1], 0.86, 1e-3);
  EXPECT_NEAR(lo[0], -0.02, 1e-3);
  EXPECT_NEAR(hi[0], 0.02, 1e-3);
}

TEST_F(ArmGl, MarkPlatesLieAtTheirJointsFacingTheLaidOutWay) {
  // Seen from above at an angle, so that no plate is edge-on.
  glRotated(30.0, 1.0, 0.0, 0.0);
  glRotated(30.0, 0.0, 1.0, 0.0);
  auto key = [](const FeedbackPrimitive& p) {
    std::vector<long> k;
    for (const auto& v : p.v)
      k.insert(k.end(), {std::lround(v.x * 100), std::lround(v.y * 100), std::lround(v.z * 1e5)});
    return k;
  };
  std::multiset<std::vector<long>> plain;
  for (const auto& p : CaptureFeedback([&] { DrawArticulatedArm(arm, false); })) plain.insert(key(p));
  // The primitives only the marked arm has are the plates: group their
  // triangles by facing and height.
  struct Plate {
    double nx, ny, nz;
    double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
  };
  std::vector<Plate> plates;
  for (const auto& p : CaptureFeedback([&] { DrawArticulatedArm(arm, true); })) {
    const auto it = plain.find(key(p));
    if (it != plain.end()) {
      plain.erase(it);
      continue;
    }
    ASSERT_EQ(p.kind, FeedbackPrimitive::Polygon);
    ASSERT_GE(p.v.size(), 3u);
    const ObjPoint a = UnProject(p.v[0]), b = UnProject(p.v[1]), c = UnProject(p.v[2]);
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y,
                 vz = c.z - a.z;
    double n[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (double& x : n) x = std::round(x / len);
    // Each triangle of a plate spans the plate's whole height.
    const double midY = (std::min({a.y, b.y, c.y}) + std::max({a.y, b.y, c.y})) / 2;
    Plate* plate = nullptr;
    for (Plate& q : plates)
      if (q.nx == n[0] && q.ny == n[1] && q.nz == n[2] && std::fabs((q.lo[1] + q.hi[1]) / 2 - midY) < 0.01)
        plate = &q;
    if (!plate) {
      plates.push_back(Plate{n[0], n[1], n[2]});
      plate = &plates.back();
    }
    for (const ObjPoint& v : {a, b, c}) {
      const double xyz[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k)
        plate->lo[k] = std::min(plate->lo[k], xyz[k]), plate->hi[k] = std::max(plate->hi[k], xyz[k]);
    }
  }
  glLoadIdentity();
  // Straight arm: three plates facing up at 0.33, 0.56 and 0.60, two
  // facing +x at 0.74 and 0.88 (their centres).
  const struct {
    double nx, ny, y, half;
  } expected[] = {
      {0, 1, 0.33, 0.1}, {0, 1, 0.56, 0.075}, {0, 1, 0.60, 0.075}, {1, 0, 0.74, 0.075}, {1, 0, 0.88, 0.075}};
  ASSERT_EQ(plates.size(), 5u);
  for (const auto& e : expected) {
    bool found = false;
    for (const Plate& p : plates) {
      if (p.nx != e.nx || p.ny != e.ny || std::fabs((p.lo[1] + p.hi[1]) / 2 - e.y) > 1e-3) continue;
      found = true;
      EXPECT_NEAR(p.hi[2], e.half, 1e-3) << e.y;
      EXPECT_NEAR(p.lo[2], -e.half, 1e-3) << e.y;
      if (e.ny == 1)
        EXPECT_NEAR(p.hi[0], e.half, 1e-3) << e.y;
      else
        EXPECT_NEAR(p.hi[0], 0.0, 1e-3) << e.y;
    }
    EXPECT_TRUE(found) << "no plate facing (" << e.nx << ", " << e.ny << ") at " << e.y;
  }
}
