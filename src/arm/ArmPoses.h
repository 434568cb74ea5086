#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A stored arm pose: J1..J6 as slider positions (hundredths of a degree).
using ArmPose = std::array<int32_t, 6>;

// The arm teaching table: 100 poses, built once with the main window. Poses
// that were never taught hold the home pose.
class PoseTable {
 public:
  static constexpr int kCount = 100;
  // The selector offers the first 20.
  static constexpr int kSelectable = 20;

  PoseTable();

  // Pose n, or null for a number outside the table (a combo box with no
  // current item reports -1).
  const ArmPose* Find(int n) const;
  ArmPose& operator[](int n) { return poses_[static_cast<size_t>(n)]; }
  const ArmPose& operator[](int n) const { return poses_[static_cast<size_t>(n)]; }

 private:
  std::array<ArmPose, kCount> poses_;
};

constexpr ArmPose kHomePose = {0, 0, 9000, 0, 0, 0};

// The items of Cmb_VARBT_Pos: "0:Home", "1:Center(Down)", "2:Center(Up)",
// then "3:" to "19:".
std::vector<std::string> PoseSelectorItems();
