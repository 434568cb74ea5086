#include "arm/ArmTestPath.h"

namespace {

enum class Limit { AtMost, Below, AtLeast, Above };

struct PhaseRule {
  bool pause;
  ArmTestPath::Axis axis;
  int direction;  // +1 or -1
  Limit limit;
  int32_t bound;
};

using A = ArmTestPath::Axis;
// Out from the start to the left, down, a rest, up, across to the right,
// back along Y, down, a rest, up, forward along Y and home along X.
constexpr PhaseRule kPhases[ArmTestPath::kPhaseCount] = {
    {false, A::X, -1, Limit::AtMost, -250}, {false, A::Z, -1, Limit::Below, 0},
    {true, A::X, 0, Limit::AtLeast, 0},     {false, A::Z, +1, Limit::Above, 366},
    {false, A::X, +1, Limit::AtLeast, 150}, {false, A::Y, -1, Limit::AtMost, -366},
    {false, A::Z, -1, Limit::Below, 0},     {true, A::X, 0, Limit::AtLeast, 0},
    {false, A::Z, +1, Limit::Above, 366},   {false, A::Y, +1, Limit::AtLeast, 300},
    {false, A::X, -1, Limit::Below, 0},
};

bool Passed(Limit limit, int32_t v, int32_t bound) {
  switch (limit) {
    case Limit::AtMost:
      return v <= bound;
    case Limit::Below:
      return v < bound;
    case Limit::AtLeast:
      return v >= bound;
    case Limit::Above:
      return v > bound;
  }
  return true;
}

}  // namespace

bool ArmTestPath::Click() {
  if (running_) {
    stopRequested_ = true;
    return false;
  }
  // A request left over from a run that ended on its own must not stop the
  // new one at its first step.
  stopRequested_ = false;
  running_ = true;
  phase_ = 1;
  count_ = 0;
  x_ = kStartX;
  y_ = kStartY;
  z_ = kStartZ;
  return true;
}

ArmTestPath::Step ArmTestPath::Next(bool x2) {
  Step st;
  if (!running_ || phase_ < 1 || phase_ > kPhaseCount) {
    running_ = false;
    return st;
  }
  const PhaseRule& ph = kPhases[phase_ - 1];
  st.phase = phase_;
  if (ph.pause) {
    st.kind = StepKind::Pause;
    st.waitMs = kPauseStepMs;
    count_ += x2 ? 2 : 1;
    st.endsPhase = count_ >= kPauseCount;
  } else {
    int32_t& v = ph.axis == Axis::X ? x_ : (ph.axis == Axis::Y ? y_ : z_);
    st.kind = StepKind::Move;
    st.axis = ph.axis;
    st.value = v;
    // The value that passes the limit is not applied in this phase; it is
    // where the next phase on the same slider begins.
    v += ph.direction * (x2 ? 2 * kStep : kStep);
    st.endsPhase = Passed(ph.limit, v, ph.bound);
  }
  if (st.endsPhase) {
    ++phase_;
    count_ = 0;
    if (phase_ > kPhaseCount) running_ = false;  // the last phase is done
  }
  return st;
}

bool ArmTestPath::TakeStopRequest() {
  if (!stopRequested_) return false;
  stopRequested_ = false;
  running_ = false;
  return true;
}

void ArmTestPath::Abort() {
  running_ = false;
  stopRequested_ = false;
}
