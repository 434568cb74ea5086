// The small geometric helpers every shape relies on.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shapes/ShapeCommon.h"

namespace {

struct Range {
  double start, end;
};

Range Snap(double start, double end, double step, double defStart = 0.0, double defEnd = 360.0) {
  SnapAngleRange(start, end, defStart, defEnd, step);
  return Range{start, end};
}

}  // namespace

TEST(ShapeHelpers, PolarPointAndQuadrantCorner) {
  const PlanePoint p = PolarPoint(90.0, 2.0);
  EXPECT_NEAR(p.x, 0.0, 1e-12);
  EXPECT_NEAR(p.z, 2.0, 1e-12);
  const PlanePoint q = PolarPoint(180.0, 1.0);
  EXPECT_NEAR(q.x, -1.0, 1e-12);

  struct Case {
    double angle, x, z;
  } cases[] = {
      {0, 1, 1},          {45, 1, 1},    {90, 1, 1},     // 90 still belongs to the first quarter
      {91, -1, 1},        {180, -1, 1},  {181, -1, -1},  // x flips strictly past 90, z strictly past 180
      {270, 1, -1},       {269, -1, -1}, {359, 1, -1},
      {360, 1, 1},        {-90, 1, -1},  {-181, -1, 1},  // negative angles come round first
      {720 + 100, -1, 1},
  };
  for (const Case& c : cases) {
    const PlanePoint r = QuadrantCorner(c.angle, 1.0);
    EXPECT_EQ(r.x, c.x) << c.angle;
    EXPECT_EQ(r.z, c.z) << c.angle;
  }
}

TEST(ShapeHelpers, SnapAngleRangeFollowsTheGrid) {
  // Equal ends mean the whole default range.
  Range r = Snap(0, 0, 10);
  EXPECT_EQ(r.start, 0);
  EXPECT_EQ(r.end, 360);
  r = Snap(45, 45, 20, 0, 180);
  EXPECT_EQ(r.start, 0);
  EXPECT_EQ(r.end, 180);
  // On the grid: kept.
  r = Snap(30, 100, 10);
  EXPECT_EQ(r.start, 30);
  EXPECT_EQ(r.end, 100);
  // Off the grid: moved onto it, towards zero.
  r = Snap(35, 100, 10);
  EXPECT_EQ(r.start, 30);
  EXPECT_EQ(r.end, 100);
  r = Snap(-35, 95, 10);
  EXPECT_EQ(r.start, -30);
  EXPECT_EQ(r.end, 90);
  // Ordered.
  r = Snap(100, 20, 10);
  EXPECT_EQ(r.start, 20);
  EXPECT_EQ(r.end, 100);
  // Narrower than a step after snapping: one step wide.
  r = Snap(31, 38, 10);
  EXPECT_EQ(r.start, 30);
  EXPECT_EQ(r.end, 40);
  // A step that does not divide evenly: snapping uses the step rounded up.
  r = Snap(0, 100, 360.0 / 7);
  EXPECT_NEAR(r.end, 360.0 / 7, 1e-9);
}

TEST(ShapeHelpers, SnapAngleRangeKeepsAFullTurnAtAnyResolution) {
  // 14 steps of 360/14 make 360 only within rounding; the end must not be
  // pulled back a step.
  for (int reso : {7, 9, 14, 21, 26, 33, 35, 36, 49, 70, 98, 158, 357, 358}) {
    const float start = 0.0f, end = 360.0f;
    Range r = Snap(start, end, 360.0 / reso);
    EXPECT_EQ(r.start, 0.0) << reso;
    EXPECT_EQ(r.end, 360.0) << reso;
  }
}

TEST(ShapeHelpers, SnapAngleRangeTurnsNonsenseIntoTheDefault) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (Range in : {Range{nan, 90}, Range{0, nan}, Range{-inf, 10}, Range{0, inf}, Range{nan, nan}}) {
    const Range r = Snap(in.start, in.end, 10);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 360);
  }
}

TEST(ShapeHelpers, TriangleNormalOrientationAndDegenerateTriangles) {
  Vec3 n;
  // (p2 - p0) x (p1 - p0): x cross z... here (0,0,1) x (1,0,0) = (0,1,0).
  ASSERT_TRUE(ComputeTriangleNormal({0, 0, 0}, {2, 0, 0}, {0, 0, 3}, &n));
  EXPECT_NEAR(n.x, 0, 1e-12);
  EXPECT_NEAR(n.y, 1, 1e-7);
  EXPECT_NEAR(n.z, 0, 1e-12);
  ASSERT_TRUE(ComputeTriangleNormal({0, 0, 0}, {0, 0, 3}, {2, 0, 0}, &n));
  EXPECT_NEAR(n.y, -1, 1e-7);
  // Collinear or coincident points give no normal.
  EXPECT_FALSE(ComputeTriangleNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, &n));
  EXPECT_FALSE(ComputeTriangleNormal({1, 2, 3}, {1, 2, 3}, {1, 2, 3}, &n));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(ComputeTriangleNormal({nan, 0, 0}, {1, 0, 0}, {0, 0, 1}, &n));
}

TEST(ShapeHelpers, AngleListsAreBoundedAndReachTheCorners) {
  AngleList a;
  BuildAngles(0, 360, 360.0 / 7, 90.0, a);
  // 8 grid angles plus the 3 multiples of 90 between them (90, 180, 270);
  // 360 is on the grid.
  ASSERT_EQ(a.n, 11);
  for (int i = 1; i < a.n; ++i) EXPECT_LT(a.v[i - 1], a.v[i]);
  int corners = 0;
  for (int i = 0; i < a.n; ++i)
    if (std::fmod(a.v[i], 90.0) == 0.0) ++corners;
  EXPECT_EQ(corners, 5);  // 0, 90, 180, 270, 360
  EXPECT_NEAR(a.v[a.n - 1], 360.0, 1e-9);

  // However wide the range or tiny the step, the list stays bounded.
  BuildAngles(-1e30, 1e30, 1.0, 45.0, a);
  EXPECT_LE(a.n, AngleList::kCapacity);
  BuildAngles(0, 1e9, 1e-6, 0.0, a);
  EXPECT_EQ(a.n, kMaxReso + 1);
  BuildAngles(0, std::numeric_limits<double>::quiet_NaN(), 10, 90, a);
  EXPECT_LE(a.n, 1);
  EXPECT_EQ(WholeSteps(1e300, 1e-300, 360), 360);
  EXPECT_EQ(WholeSteps(-5, 1, 360), 0);
  EXPECT_EQ(WholeSteps(69.99999999, 10, 360), 7);
  EXPECT_EQ(UsableReso(-1), 0);
  EXPECT_EQ(UsableReso(100000), kMaxReso);
}
