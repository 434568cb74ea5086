#include "arm/ArmPoses.h"

PoseTable::PoseTable() {
  poses_.fill(kHomePose);
  poses_[1] = {0, 5300, 9400, 0, 3000, 0};
  poses_[2] = {0, 1500, 9500, 0, 7000, 0};
  poses_[3] = {-600, 500, 1000, 0, 300, 0};
  poses_[4] = {-600, 120, 910, 0, 770, 0};
  poses_[5] = {600, 500, 1000, 0, 300, 0};
  poses_[6] = {600, 120, 910, 0, 770, 0};
  poses_[10] = {0, 885, 640, 0, 145, 0};
  poses_[11] = {0, 372, 791, 0, 704, 0};
  poses_[12] = {0, 597, 778, 0, 477, 0};
}

const ArmPose* PoseTable::Find(int n) const {
  if (n < 0 || n >= kCount) return nullptr;
  return &poses_[static_cast<size_t>(n)];
}

std::vector<std::string> PoseSelectorItems() {
  std::vector<std::string> items = {"0:Home", "1:Center(Down)", "2:Center(Up)"};
  for (int n = 3; n < PoseTable::kSelectable; ++n) items.push_back(std::to_string(n) + ":");
  return items;
}
