#include <gtest/gtest.h>

#include <cmath>

#include "motion/RobotMotion.h"

TEST(TeachingPositions, ItemsOfBothRobots) {
  const auto r1 = RobotPositionItems(0);
  ASSERT_EQ(r1.size(), 29u);
  EXPECT_EQ(r1[0], "Home");
  EXPECT_EQ(r1[1], "LP1-Ret(Up)");
  EXPECT_EQ(r1[16], "LP4-Ext(Dn)");
  EXPECT_EQ(r1[28], "L/L2-Ext(Dn)");
  const auto r2 = RobotPositionItems(1);
  ASSERT_EQ(r2.size(), 25u);
  EXPECT_EQ(r2[24], "PM4-Ext(Dn)");
  EXPECT_EQ(SlotItems().size(), 25u);
}

TEST(TeachingPositions, AllZeroTableGivesRetractedOtherArm) {
  TeachTable zero{};
  // "LP2-Ext(Dn)" is item 8.
  AxisTargets a = LookupTeachingPosition(zero, 0, 8, 0, false, false);
  ASSERT_TRUE(a.valid);
  EXPECT_EQ(a.R1, 0);
  EXPECT_EQ(a.R2, -20);
  EXPECT_EQ(a.T, 0);
  EXPECT_EQ(a.X, 0);
  EXPECT_EQ(a.Z, 0);
  a = LookupTeachingPosition(zero, 0, 8, 0, true, false);
  EXPECT_EQ(a.R2, 0);
  EXPECT_EQ(a.R1, -20);
  EXPECT_EQ(a.Z, -30);  // the Z track bar then holds at its minimum
  EXPECT_FALSE(LookupTeachingPosition(zero, 0, -1, 0, false, false).valid);
  EXPECT_FALSE(LookupTeachingPosition(zero, 0, 29, 0, false, false).valid);
  EXPECT_FALSE(LookupTeachingPosition(zero, 2, 1, 0, false, false).valid);
}

TEST(TeachingPositions, SlotRuleSpreadsTheCarrierOver24Pitches) {
  const TeachTable t = MakeTeachTable();
  // Reference rows 1 and 2 (LP1 retracted): 1200 and 0, pitch 50.
  EXPECT_EQ(LookupTeachingPosition(t, 0, 2, 0, false, false).Z, 0);    // LP1-Ret(Dn), slot 0
  EXPECT_EQ(LookupTeachingPosition(t, 0, 1, 0, false, false).Z, 25);   // up: half a pitch higher
  EXPECT_EQ(LookupTeachingPosition(t, 0, 2, 24, false, false).Z, 1200);
  EXPECT_EQ(LookupTeachingPosition(t, 0, 6, 10, false, false).Z, 500);  // LP2-Ret(Dn) uses rows 3, 4
  EXPECT_EQ(LookupTeachingPosition(t, 0, 6, 10, false, false).X, -400);
  // Load locks: the lowered Z with "LL Dn".
  const AxisTargets up = LookupTeachingPosition(t, 0, 22, 0, false, false);
  const AxisTargets down = LookupTeachingPosition(t, 0, 22, 0, false, true);
  EXPECT_LT(down.Z, up.Z);
}

TEST(TeachingPositions, SlotRuleTakesRowsOneAndTwoOnlyForLP1Retracted) {
  // Two pairs of reference rows that give different pitches: rows 1 and 2
  // span 1200 (pitch 50), rows 3 and 4 span 2160 from 240 (pitch 90).
  TeachTable t{};
  t[1].Z = 1200, t[2].Z = 0, t[3].Z = 2400, t[4].Z = 240;
  const int slot = 10;
  auto z = [&](int item) { return LookupTeachingPosition(t, 0, item, slot, false, false).Z; };
  EXPECT_EQ(z(2), 500);        // LP1-Ret(Dn): rows 1, 2
  EXPECT_EQ(z(1), 525);        // LP1-Ret(Up): half a pitch higher
  EXPECT_EQ(z(4), 900 + 240);  // LP1-Ext(Dn): rows 3, 4
  EXPECT_EQ(z(3), 1140 + 45);  // LP1-Ext(Up)
  EXPECT_EQ(z(6), 1140);       // LP2-Ret(Dn): rows 3, 4
  EXPECT_EQ(z(16), 1140);      // LP4-Ext(Dn)
}

TEST(TeachingPositions, SecondRobotNegatesItsArmForTheSecondHand) {
  const TeachTable t = MakeTeachTable();
  const AxisTargets a = LookupTeachingPosition(t, 1, 3, 0, false, false);  // L/L1-Ext(Up)
  const AxisTargets b = LookupTeachingPosition(t, 1, 3, 0, true, false);
  EXPECT_GT(a.R1, 0);
  EXPECT_EQ(b.R1, -a.R1);
  EXPECT_FALSE(a.setR2);
  EXPECT_EQ(LookupTeachingPosition(t, 1, 0, 0, true, false).R1, t[kRobot2FirstRow].R1) << "Home is never negated";
}

TEST(TestRun, PhasesAndTicks) {
  TestRunState s;
  TestRunTick t = AdvanceTestRun(s);
  EXPECT_EQ(t.R1, 0);
  for (int i = 1; i <= 10; ++i) t = AdvanceTestRun(s);
  EXPECT_EQ(t.R1, 100);
  EXPECT_EQ(s.phase, 1);
  EXPECT_EQ(s.tick, 0);
  // Phase 3 reaches T 1800 and X 200 at its last tick.
  while (s.phase != 3) AdvanceTestRun(s);
  for (int i = 0; i <= 10; ++i) t = AdvanceTestRun(s);
  EXPECT_EQ(t.T, 1800);
  EXPECT_EQ(t.X, 200);
  EXPECT_EQ(t.R1, -1);
  // A whole cycle is 88 ticks and ends where it began.
  TestRunState c;
  for (int i = 0; i < 88; ++i) AdvanceTestRun(c);
  EXPECT_EQ(c.phase, 0);
  EXPECT_EQ(c.tick, 0);
}

TEST(TestRun, WaferIsTakenAndPlacedAndTheTextTrembles) {
  TestRunState s;
  int checks = 0, unchecks = 0;
  float maxVibration = 0;
  for (int i = 0; i < 88; ++i) {
    const TestRunTick t = AdvanceTestRun(s);
    checks += t.waferR1 == 1;
    unchecks += t.waferR1 == 0;
    maxVibration = std::max(maxVibration, std::fabs(s.vibration));
  }
  EXPECT_EQ(checks, 11);
  EXPECT_EQ(unchecks, 11);
  EXPECT_NEAR(maxVibration, 0.01f * std::sin(72.0 * M_PI / 180.0), 1e-6);
}

TEST(Animation, StepsCyclesAndPause) {
  AnimationState s;
  AnimationTick t = AdvanceAnimation(s, true);
  EXPECT_TRUE(t.reset);
  EXPECT_FALSE(t.draw);
  EXPECT_EQ(s.step, 0);
  t = AdvanceAnimation(s, false);
  EXPECT_TRUE(t.draw);
  EXPECT_EQ(s.step, 1);
  EXPECT_EQ(s.angle, 20.0f);
  for (int i = 0; i < 33; ++i) AdvanceAnimation(s, false);
  EXPECT_EQ(s.step, 0);
  EXPECT_EQ(s.cycle, 1);
  for (int i = 0; i < 17; ++i) AdvanceAnimation(s, false);
  EXPECT_LT(s.angle, 360.0f);
  // 34 ticks a cycle; the cycle counter reaches 24 and then wraps.
  AnimationState c;
  for (int i = 0; i < 34 * 24; ++i) AdvanceAnimation(c, false);
  EXPECT_EQ(c.cycle, 24);
  for (int i = 0; i < 34; ++i) AdvanceAnimation(c, false);
  EXPECT_EQ(c.cycle, 0);
}
