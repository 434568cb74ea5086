#pragma once

#include <cstdint>

using Color = uint32_t;

// One transfer robot's panel values, scaled.
struct RobotPanelValues {
  float R1 = 0, R2 = 0, Z = 0, T = 0, X = 0, RT1 = 0, RT2 = 0;
  int Slot = 0;
  bool DualArm = false;
  bool WaferR1 = false, WaferR2 = false;
  bool Arm2 = false;
  bool LLDown = false;
  Color body = 0xE1E1E1;
  Color hand = 0xE1FFFF;
};
