#pragma once

// The auto-repeat of a held step button: the first tick only shortens the
// wait, then every tick steps, faster after 10 steps and again after 30.
// A press released before the first tick is a single click: one step.
class StepRepeat {
 public:
  static constexpr int kFirstInterval = 500;  // ms until the repeat starts
  static constexpr int kRepeatInterval = 250;
  static constexpr int kFastInterval = 125;    // after 10 steps
  static constexpr int kFastestInterval = 31;  // after 30 steps

  void Press();
  // One timer tick; true when it takes a step. Interval() may change.
  bool Tick();
  // Ends the press; true when one step is still due (no tick came).
  bool Release();

  bool Held() const { return phase_ != Phase::Idle; }
  int Interval() const { return interval_; }
  int Steps() const { return steps_; }

 private:
  enum class Phase { Idle, Waiting, Repeating };
  Phase phase_ = Phase::Idle;
  int interval_ = kFirstInterval;
  int steps_ = 0;
};
