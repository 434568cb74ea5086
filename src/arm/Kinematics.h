#pragma once

#include <cstdint>

// The V/A robot: a six-axis arm whose shoulder sits 0.33 m above its base,
// with an upper link of 0.23 m, a lower link (elbow and forearm) of 0.28 m
// and a tool point 0.09 m beyond the wrist axis (the 0.07 m wrist plus the
// 0.02 m flange).
namespace ArmGeometry {
constexpr double kShoulderHeight = 0.33;
constexpr double kUpperLink = 0.23;  // L1
constexpr double kLowerLink = 0.28;  // L2
constexpr double kToolOffset = 0.09;
}  // namespace ArmGeometry

// The tool point in GL axis order: x across, height up, depth along GL z
// (the scene's Y). The scene point is (x, depth, height).
struct ToolPoint {
  double x = 0.0;
  double height = 0.0;
  double depth = 0.0;
  double SceneX() const { return x; }
  double SceneY() const { return depth; }
  double SceneZ() const { return height; }
};

// The tool point of the arm for joint angles J1..J6 in degrees (J6 turns
// about the tool axis and does not move the point). Computed in single
// precision, as the drawing is, so that the labels agree with the picture.
ToolPoint ComputeToolPoint(const float joints[6]);

// Inverse kinematics for the first three joints: the arm reaches the scene
// point (x, y, z) in metres with the tool hanging straight down, elbow up.
struct ArmSolution {
  bool reachable = false;  // false: out of reach, the arm must not move
  double j1 = 0.0;         // degrees
  double j2 = 0.0;
  double j3 = 0.0;
};
ArmSolution SolveArm(double x, double y, double z);

// Slider positions (hundredths of a degree) a solution moves: J1, J2, J3
// truncated toward zero, and J6 from J1 again so the tool keeps its turn
// relative to the base.
struct ArmSolutionPositions {
  int32_t j1 = 0;
  int32_t j2 = 0;
  int32_t j3 = 0;
  int32_t j6 = 0;
};
ArmSolutionPositions ToSliderPositions(const ArmSolution& s);

// In X/Y/Z mode J5 follows J2 and J3 so that J2 + J3 + J5 stays 180
// degrees and the tool keeps pointing down. Worked out on the slider
// positions themselves, which are exact.
int32_t XyzModeJ5Position(int32_t j2Position, int32_t j3Position);

// What the solver's answer labels show for a target out of reach.
constexpr const char* kOutOfReachText = "----";

// A slider's range and its position as laid out.
struct SliderRange {
  int32_t minimum;
  int32_t maximum;
  int32_t initial;
  int32_t Clamp(int32_t v) const { return v < minimum ? minimum : (v > maximum ? maximum : v); }
};

// Tkb_TestData01..06: J1..J6 in hundredths of a degree.
constexpr SliderRange kJointSliders[6] = {
    {-24000, 24000, 0}, {-9000, 12000, 0},  {-18000, 18000, 9000},
    {-20000, 20000, 0}, {-12000, 12000, 0}, {-36000, 36000, 0},
};
// Tkb_XX, Tkb_YY, Tkb_ZZ: the target in millimetres.
constexpr SliderRange kTargetSliders[3] = {{-600, 600, 0}, {-600, 600, 310}, {-600, 600, 310}};

// Joint angle in degrees from a slider position, as the settings read it.
inline float JointDegrees(int32_t position) {
  return static_cast<float>(position) * 0.01f;
}
