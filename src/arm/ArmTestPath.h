#pragma once

#include <cstdint>

// The arm's "Animation" test path: the tool point is led through a fixed
// round trip by moving the X/Y/Z target sliders one step at a time. This is
// the path alone, without any window: the button's handler asks for one
// step after another and carries each out.
//
// The handler of Btn_VARBT_Test drives it like this:
//
//   if (!path.Click()) return;                 // second click: stop requested
//   check X/Y/Z mode; set the joints to pose ArmTestPath::kStartPose;
//   set Tkb_YY and Tkb_ZZ to kStartY and kStartZ;
//   for (;;) {
//     Step st = path.Next(x2 box checked);     // the box is read every step
//     if (st.kind == Finished) break;
//     if (st.kind == Move) set the slider of st.axis to st.value;
//     else wait st.waitMs;
//     if (st.endsPhase) continue;              // straight on to the next phase
//     if (path.TakeStopRequest()) return;
//     process pending events;                  // a click here calls Click()
//     if (ExitRequested) { path.Abort(); return; }
//     wait kBetweenStepsMs;
//   }
class ArmTestPath {
 public:
  enum class Axis { X, Y, Z };
  enum class StepKind { Move, Pause, Finished };

  struct Step {
    StepKind kind = StepKind::Finished;
    Axis axis = Axis::X;     // Move: the target slider to set
    int32_t value = 0;       // Move: its new position in millimetres
    int waitMs = 0;          // Pause: how long to wait
    int phase = 0;           // the phase (1..11) the step belongs to; 0 when finished
    bool endsPhase = false;  // the step finished its phase
  };

  static constexpr int kPhaseCount = 11;
  static constexpr int kStartPose = 2;
  static constexpr int32_t kStartX = 0;
  static constexpr int32_t kStartY = 366;
  static constexpr int32_t kStartZ = 366;
  static constexpr int32_t kStep = 6;  // mm; twice that with "x2"
  static constexpr int kPauseStepMs = 100;
  static constexpr int kPauseCount = 20;
  static constexpr int kBetweenStepsMs = 5;

  // The button was clicked. While the path runs this only asks it to stop
  // and returns false. Otherwise the path is reset to its start and marked
  // running, and true tells the caller to run it.
  bool Click();

  // The next step, given the state of the "x2" box now. Returns Finished
  // (and clears the running mark) once the last phase is done, or at once
  // when the path is not running.
  Step Next(bool x2);

  // Between steps: true when a stop was requested; the request is honoured
  // (cleared) and the path stops running.
  bool TakeStopRequest();

  // The program is closing: the path ends where it is.
  void Abort();

  bool Running() const { return running_; }
  bool StopRequested() const { return stopRequested_; }
  int Phase() const { return running_ ? phase_ : 0; }
  int32_t X() const { return x_; }
  int32_t Y() const { return y_; }
  int32_t Z() const { return z_; }

 private:
  bool running_ = false;
  bool stopRequested_ = false;
  int phase_ = 0;
  int count_ = 0;
  int32_t x_ = kStartX;
  int32_t y_ = kStartY;
  int32_t z_ = kStartZ;
};
