#include <gtest/gtest.h>

#include <vector>

#include "arm/ArmTestPath.h"

namespace {

using Axis = ArmTestPath::Axis;
using Kind = ArmTestPath::StepKind;

// What one phase did: its kind, slider, first and last value and steps.
struct PhaseRun {
  Kind kind;
  Axis axis;
  int first;
  int last;
  int steps;
};

std::vector<PhaseRun> RunToTheEnd(ArmTestPath& path, bool x2) {
  std::vector<PhaseRun> phases;
  int guard = 0;
  bool previousEnded = true;
  for (;;) {
    const ArmTestPath::Step st = path.Next(x2);
    if (st.kind == Kind::Finished) break;
    EXPECT_LT(++guard, 5000) << "the path does not end";
    if (guard >= 5000) break;
    // Only the last step of a phase says it ends it.
    const bool newPhase = phases.size() < static_cast<size_t>(st.phase);
    EXPECT_EQ(newPhase, previousEnded) << "phase " << st.phase;
    previousEnded = st.endsPhase;
    if (newPhase) {
      EXPECT_EQ(static_cast<size_t>(st.phase), phases.size() + 1) << "phases run in order";
      phases.push_back({st.kind, st.axis, st.value, st.value, 0});
    }
    PhaseRun& run = phases.back();
    EXPECT_EQ(run.kind, st.kind);
    if (st.kind == Kind::Move) {
      EXPECT_EQ(run.axis, st.axis);
    } else {
      EXPECT_EQ(st.waitMs, 100);
    }
    run.last = st.value;
    ++run.steps;
  }
  EXPECT_TRUE(previousEnded);
  return phases;
}

void ExpectPhases(const std::vector<PhaseRun>& got, const std::vector<PhaseRun>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("phase " + std::to_string(i + 1));
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].steps, want[i].steps);
    if (want[i].kind == Kind::Move) {
      EXPECT_EQ(got[i].axis, want[i].axis);
      EXPECT_EQ(got[i].first, want[i].first);
      EXPECT_EQ(got[i].last, want[i].last);
    }
  }
}

}  // namespace

TEST(ArmTestPath, ElevenPhasesInSixMillimetreSteps) {
  ArmTestPath path;
  ASSERT_TRUE(path.Click());
  EXPECT_TRUE(path.Running());
  EXPECT_EQ(path.Phase(), 1);
  // A phase's overshoot is where the next phase on that slider starts.
  ExpectPhases(RunToTheEnd(path, false), {
                                             {Kind::Move, Axis::X, 0, -246, 42},
                                             {Kind::Move, Axis::Z, 366, 0, 62},
                                             {Kind::Pause, Axis::X, 0, 0, 20},
                                             {Kind::Move, Axis::Z, -6, 366, 63},
                                             {Kind::Move, Axis::X, -252, 144, 67},
                                             {Kind::Move, Axis::Y, 366, -360, 122},
                                             {Kind::Move, Axis::Z, 372, 0, 63},
                                             {Kind::Pause, Axis::X, 0, 0, 20},
                                             {Kind::Move, Axis::Z, -6, 366, 63},
                                             {Kind::Move, Axis::Y, -366, 294, 111},
                                             {Kind::Move, Axis::X, 150, 0, 26},
                                         });
  EXPECT_FALSE(path.Running());
  EXPECT_EQ(path.Next(false).kind, Kind::Finished);
}

TEST(ArmTestPath, DoubleSpeedDoublesStepsAndPauseCount) {
  ArmTestPath path;
  ASSERT_TRUE(path.Click());
  ExpectPhases(RunToTheEnd(path, true), {
                                            {Kind::Move, Axis::X, 0, -240, 21},
                                            {Kind::Move, Axis::Z, 366, 6, 31},
                                            {Kind::Pause, Axis::X, 0, 0, 10},
                                            {Kind::Move, Axis::Z, -6, 366, 32},
                                            {Kind::Move, Axis::X, -252, 144, 34},
                                            {Kind::Move, Axis::Y, 366, -354, 61},
                                            {Kind::Move, Axis::Z, 378, 6, 32},
                                            {Kind::Pause, Axis::X, 0, 0, 10},
                                            {Kind::Move, Axis::Z, -6, 366, 32},
                                            {Kind::Move, Axis::Y, -366, 294, 56},
                                            {Kind::Move, Axis::X, 156, 0, 14},
                                        });
}

TEST(ArmTestPath, TheX2BoxCountsAtEveryStepAndOnlyPhaseEndsSaySo) {
  ArmTestPath path;
  ASSERT_TRUE(path.Click());
  const int expected[] = {0, -6, -18, -30, -36};
  const bool x2[] = {false, true, true, false, false};
  for (int i = 0; i < 5; ++i) {
    const ArmTestPath::Step st = path.Next(x2[i]);
    EXPECT_EQ(st.kind, Kind::Move);
    EXPECT_EQ(st.value, expected[i]) << i;
    EXPECT_FALSE(st.endsPhase);
  }
  EXPECT_EQ(path.X(), -42);
  // Run to the end of phase 1: the step that ends it carries the flag.
  ArmTestPath::Step st;
  do st = path.Next(false);
  while (!st.endsPhase);
  EXPECT_EQ(st.phase, 1);
  EXPECT_EQ(st.value, -246);
  EXPECT_EQ(path.Phase(), 2);
  EXPECT_EQ(path.Next(false).axis, Axis::Z);
}

TEST(ArmTestPath, ASecondClickStopsAtTheNextStep) {
  ArmTestPath path;
  EXPECT_EQ(path.Next(false).kind, Kind::Finished);  // not started
  ASSERT_TRUE(path.Click());
  path.Next(false);
  EXPECT_FALSE(path.TakeStopRequest());
  path.Next(false);
  // The click arrives while events are processed between steps.
  EXPECT_FALSE(path.Click());
  EXPECT_TRUE(path.Running());
  EXPECT_TRUE(path.StopRequested());
  EXPECT_TRUE(path.TakeStopRequest());
  EXPECT_FALSE(path.Running());
  EXPECT_FALSE(path.StopRequested());
  EXPECT_EQ(path.Next(false).kind, Kind::Finished);

  // The next click starts over from the beginning.
  ASSERT_TRUE(path.Click());
  EXPECT_EQ(path.Next(false).value, 0);
  EXPECT_EQ(path.X(), -6);
  EXPECT_EQ(path.Y(), 366);
  EXPECT_EQ(path.Z(), 366);
}

TEST(ArmTestPath, ClosingEndsThePathAndALateStopRequestIsForgotten) {
  ArmTestPath path;
  ASSERT_TRUE(path.Click());
  path.Next(false);
  path.Abort();
  EXPECT_FALSE(path.Running());
  EXPECT_EQ(path.Next(false).kind, Kind::Finished);

  // A click just before the last step: that step ends the last phase, so
  // the request is never looked at. It must not cut the next run short.
  ASSERT_TRUE(path.Click());
  while (!(path.Phase() == 11 && path.X() == 0)) ASSERT_NE(path.Next(false).kind, Kind::Finished);
  EXPECT_FALSE(path.Click());
  const ArmTestPath::Step last = path.Next(false);
  EXPECT_TRUE(last.endsPhase);
  EXPECT_FALSE(path.Running());
  ASSERT_TRUE(path.Click());
  EXPECT_FALSE(path.TakeStopRequest());
  EXPECT_TRUE(path.Running());
}
