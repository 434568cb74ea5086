#include "objects/StepRepeat.h"

void StepRepeat::Press() {
  phase_ = Phase::Waiting;
  interval_ = kFirstInterval;
  steps_ = 0;
}

bool StepRepeat::Tick() {
  switch (phase_) {
    case Phase::Idle:
      return false;
    case Phase::Waiting:
      phase_ = Phase::Repeating;
      interval_ = kRepeatInterval;
      return false;
    case Phase::Repeating:
      ++steps_;
      if (steps_ == 10) interval_ = kFastInterval;
      if (steps_ == 30) interval_ = kFastestInterval;
      return true;
  }
  return false;
}

bool StepRepeat::Release() {
  const bool due = phase_ == Phase::Waiting;
  phase_ = Phase::Idle;
  interval_ = kFirstInterval;
  steps_ = 0;
  return due;
}
