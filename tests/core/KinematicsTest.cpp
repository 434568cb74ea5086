#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "arm/ArmPoses.h"
#include "arm/Kinematics.h"

namespace {

ToolPoint Fk(float j1, float j2, float j3, float j4, float j5, float j6 = 0.0f) {
  const float j[6] = {j1, j2, j3, j4, j5, j6};
  return ComputeToolPoint(j);
}

void ExpectPoint(const ToolPoint& p, double x, double height, double depth) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.height, height, 1e-6);
  EXPECT_NEAR(p.depth, depth, 1e-6);
}

}  // namespace

TEST(ArmToolPoint, KnownPosesGiveHandComputedPoints) {
  // Home: upper link up, forearm forward along the scene's Y.
  ExpectPoint(Fk(0, 0, 90, 0, 0), 0.0, 0.56, 0.37);
  // Straight up: 0.91 to the flange centre plus the 0.02 flange.
  ExpectPoint(Fk(0, 0, 0, 0, 0), 0.0, 0.93, 0.0);
  // The shoulder laid flat: everything at shoulder height, 0.23 + 0.28 + 0.09 out.
  ExpectPoint(Fk(0, 90, 0, 0, 0), 0.0, 0.33, 0.60);
  // J1 turns from +Y towards +X.
  ExpectPoint(Fk(90, 0, 90, 0, 0), 0.37, 0.56, 0.0);
  ExpectPoint(Fk(-90, 0, 90, 0, 0), -0.37, 0.56, 0.0);
  // J5 tips the tool down or up at the end of the forearm.
  ExpectPoint(Fk(0, 0, 90, 0, 90), 0.0, 0.47, 0.28);
  ExpectPoint(Fk(0, 0, 90, 0, -90), 0.0, 0.65, 0.28);
  // J4 turns the wrist so that J5 swings the tool sideways.
  ExpectPoint(Fk(0, 0, 90, 90, 90), 0.09, 0.56, 0.28);
}

TEST(ArmToolPoint, J6DoesNotMoveThePointAndResultsAreSinglePrecision) {
  const ToolPoint a = Fk(12.5f, 33.0f, 71.25f, -40.0f, 17.0f, 0.0f);
  const ToolPoint b = Fk(12.5f, 33.0f, 71.25f, -40.0f, 17.0f, 270.0f);
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.height, b.height);
  EXPECT_EQ(a.depth, b.depth);
  // Each stored double is a float value, as the labels have always shown.
  EXPECT_EQ(static_cast<double>(static_cast<float>(a.x)), a.x);
  EXPECT_EQ(static_cast<double>(static_cast<float>(a.height)), a.height);
  EXPECT_EQ(static_cast<double>(static_cast<float>(a.depth)), a.depth);
  EXPECT_EQ(a.SceneX(), a.x);
  EXPECT_EQ(a.SceneY(), a.depth);
  EXPECT_EQ(a.SceneZ(), a.height);
}

TEST(ArmSolver, ReachableTargetsAndTheirAngles) {
  const ArmSolution s = SolveArm(0.0, 0.31, 0.31);
  ASSERT_TRUE(s.reachable);
  EXPECT_NEAR(s.j1, 0.0, 1e-12);
  // The tool hanging down from the home elbow: (0, 0.28, 0.47).
  const ArmSolution home = SolveArm(0.0, 0.28, 0.47);
  ASSERT_TRUE(home.reachable);
  EXPECT_NEAR(home.j1, 0.0, 1e-9);
  EXPECT_NEAR(home.j2, 0.0, 1e-6);
  EXPECT_NEAR(home.j3, 90.0, 1e-6);
  // A target to the side turns J1 towards +X.
  const ArmSolution side = SolveArm(0.28, 0.0, 0.47);
  ASSERT_TRUE(side.reachable);
  EXPECT_NEAR(side.j1, 90.0, 1e-9);
  EXPECT_NEAR(side.j2, 0.0, 1e-6);
}

TEST(ArmSolver, TargetsOutOfReachAreRefused) {
  EXPECT_FALSE(SolveArm(0.6, 0.6, 0.6).reachable);
  // Straight above the shoulder, 0.04 from it: closer than the links can fold.
  EXPECT_FALSE(SolveArm(0.0, 0.0, 0.33 - 0.09 + 0.04).reachable);
  EXPECT_FALSE(SolveArm(0.0, 0.52, 0.24).reachable);
  EXPECT_FALSE(SolveArm(NAN, 0.3, 0.3).reachable);
  EXPECT_FALSE(SolveArm(0.0, INFINITY, 0.3).reachable);
  EXPECT_FALSE(SolveArm(0.0, 0.3, -INFINITY).reachable);
}

TEST(ArmSolver, ReachLimitsGiveFiniteAnswers) {
  // Fully stretched and fully folded, and just around both limits: the
  // solver either refuses or answers with real numbers, never NaN.
  const double outer = ArmGeometry::kUpperLink + ArmGeometry::kLowerLink;
  const double inner = ArmGeometry::kLowerLink - ArmGeometry::kUpperLink;
  const double wristToTarget = ArmGeometry::kShoulderHeight - ArmGeometry::kToolOffset;
  int answered = 0;
  for (double limit : {outer, inner}) {
    for (int k = -4; k <= 4; ++k) {
      const double d = limit + k * 1e-15;
      for (int dir = 0; dir < 8; ++dir) {
        const double a = dir * 0.785398163397448;
        const ArmSolution s =
            SolveArm(d * std::sin(a) * 0.6, d * std::sin(a) * 0.8, wristToTarget + d * std::cos(a));
        if (!s.reachable) continue;
        ++answered;
        EXPECT_TRUE(std::isfinite(s.j1) && std::isfinite(s.j2) && std::isfinite(s.j3))
            << "d " << d << " dir " << dir;
      }
    }
  }
  EXPECT_GT(answered, 0);
  // Stretched straight out along +Y: J3 opens to 0, J2 lies flat.
  const ArmSolution flat = SolveArm(0.0, outer, wristToTarget);
  ASSERT_TRUE(flat.reachable);
  EXPECT_NEAR(flat.j3, 0.0, 1e-4);
  EXPECT_NEAR(flat.j2, 90.0, 1e-4);
}

TEST(ArmSolver, SolvingTheToolPointOfAPoseGivesThePoseBack) {
  // Poses in X/Y/Z mode: J4 = 0 and J5 keeps the tool pointing down. The
  // solver answers elbow-up with the wrist in front of the base, so the
  // grid keeps the forearm bent (J3 between 10 and 170) and the wrist ahead.
  int checked = 0;
  for (float j1 = -170.0f; j1 <= 170.0f; j1 += 34.0f) {
    for (float j2 = -60.0f; j2 <= 120.0f; j2 += 15.0f) {
      for (float j3 = 10.0f; j3 <= 170.0f; j3 += 20.0f) {
        const double rad = 3.14159265358979 / 180.0;
        const double reach = 0.23 * std::sin(j2 * rad) + 0.28 * std::sin((j2 + j3) * rad);
        if (reach < 0.02) continue;
        const float j5 = 180.0f - j2 - j3;
        const ToolPoint p = Fk(j1, j2, j3, 0.0f, j5);
        const ArmSolution s = SolveArm(p.SceneX(), p.SceneY(), p.SceneZ());
        ASSERT_TRUE(s.reachable) << j1 << " " << j2 << " " << j3;
        EXPECT_NEAR(s.j1, j1, 2e-3) << j1 << " " << j2 << " " << j3;
        EXPECT_NEAR(s.j2, j2, 2e-3) << j1 << " " << j2 << " " << j3;
        EXPECT_NEAR(s.j3, j3, 2e-3) << j1 << " " << j2 << " " << j3;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 300);
}

TEST(ArmSolver, TheArmReachesTheTargetItWasSolvedFor) {
  // Solve, let J5 follow, and the tool point lands on the target.
  int checked = 0;
  for (double x = -0.5; x <= 0.5; x += 0.1) {
    for (double y = -0.5; y <= 0.5; y += 0.1) {
      for (double z = -0.2; z <= 0.8; z += 0.1) {
        const ArmSolution s = SolveArm(x, y, z);
        if (!s.reachable) continue;
        const float j2 = static_cast<float>(s.j2), j3 = static_cast<float>(s.j3);
        const ToolPoint p = Fk(static_cast<float>(s.j1), j2, j3, 0.0f, 180.0f - j2 - j3);
        EXPECT_NEAR(p.SceneX(), x, 2e-6) << x << " " << y << " " << z;
        EXPECT_NEAR(p.SceneY(), y, 2e-6) << x << " " << y << " " << z;
        EXPECT_NEAR(p.SceneZ(), z, 2e-6) << x << " " << y << " " << z;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(ArmSolver, SliderPositionsAreTruncatedTowardZero) {
  ArmSolution s;
  s.reachable = true;
  s.j1 = -12.349;
  s.j2 = 45.678;
  s.j3 = 0.009;
  const ArmSolutionPositions p = ToSliderPositions(s);
  EXPECT_EQ(p.j1, -1234);
  EXPECT_EQ(p.j2, 4567);
  EXPECT_EQ(p.j3, 0);
  EXPECT_EQ(p.j6, -1234);  // J6 follows J1

  // J2 + J3 + J5 stays 180 degrees in X/Y/Z mode.
  EXPECT_EQ(XyzModeJ5Position(3000, 10000), 5000);
  EXPECT_EQ(XyzModeJ5Position(5300, 9400), 3300);
  EXPECT_EQ(XyzModeJ5Position(-9000, -18000), 12000);  // held at the J5 range
  EXPECT_EQ(kJointSliders[1].Clamp(15000), 12000);
}

TEST(ArmPoses, TableHoldsTheTaughtPosesAndHomeElsewhere) {
  const PoseTable poses;
  EXPECT_EQ(poses[0], (ArmPose{0, 0, 9000, 0, 0, 0}));
  EXPECT_EQ(poses[1], (ArmPose{0, 5300, 9400, 0, 3000, 0}));
  EXPECT_EQ(poses[2], (ArmPose{0, 1500, 9500, 0, 7000, 0}));
  EXPECT_EQ(poses[4], (ArmPose{-600, 120, 910, 0, 770, 0}));
  EXPECT_EQ(poses[6], (ArmPose{600, 120, 910, 0, 770, 0}));
  EXPECT_EQ(poses[12], (ArmPose{0, 597, 778, 0, 477, 0}));
  for (int n : {7, 8, 9, 13, 19, 50, 99}) EXPECT_EQ(poses[n], kHomePose) << n;
  ASSERT_NE(poses.Find(99), nullptr);
  EXPECT_EQ(poses.Find(-1), nullptr);
  EXPECT_EQ(poses.Find(100), nullptr);

  const std::vector<std::string> items = PoseSelectorItems();
  ASSERT_EQ(items.size(), 20u);
  EXPECT_EQ(items[0], "0:Home");
  EXPECT_EQ(items[1], "1:Center(Down)");
  EXPECT_EQ(items[2], "2:Center(Up)");
  EXPECT_EQ(items[3], "3:");
  EXPECT_EQ(items[19], "19:");
}
