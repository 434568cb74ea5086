#include <gtest/gtest.h>

#include <vector>

#include "objects/StepRepeat.h"

TEST(StepRepeat, HeldButtonWaitsThenRepeatsFasterAfterTenAndThirtySteps) {
  StepRepeat r;
  EXPECT_FALSE(r.Tick());  // nothing held
  r.Press();
  EXPECT_EQ(r.Interval(), 500);
  EXPECT_FALSE(r.Tick());  // the first tick only shortens the wait
  EXPECT_EQ(r.Interval(), 250);
  int steps = 0;
  std::vector<int> intervals;
  for (int i = 0; i < 40; ++i) {
    steps += r.Tick() ? 1 : 0;
    intervals.push_back(r.Interval());
  }
  EXPECT_EQ(steps, 40);
  EXPECT_EQ(intervals[8], 250);
  EXPECT_EQ(intervals[9], 125);  // after the 10th step
  EXPECT_EQ(intervals[28], 125);
  EXPECT_EQ(intervals[29], 31);  // after 20 more
  EXPECT_EQ(intervals[39], 31);
  EXPECT_FALSE(r.Release());  // it ticked: no step on release
  EXPECT_FALSE(r.Held());
  EXPECT_EQ(r.Interval(), 500);
}

TEST(StepRepeat, AQuickClickIsOneStepOnRelease) {
  StepRepeat r;
  r.Press();
  EXPECT_TRUE(r.Release());
  EXPECT_FALSE(r.Release());
  // Pressed again after a long hold: the schedule starts over.
  r.Press();
  for (int i = 0; i < 50; ++i) r.Tick();
  r.Press();
  EXPECT_EQ(r.Interval(), 500);
  EXPECT_FALSE(r.Tick());
  EXPECT_TRUE(r.Tick());
  EXPECT_EQ(r.Interval(), 250);
}
