#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collision/ArmCapsules.h"
#include "objects/SceneObject.h"

// The interference check of one frame: the arm's capsules (and each
// transfer robot's hands and the wafers on them) against every enabled
// object of the table.

// One contact. armLink is the arm's link (ArmLink) or -1 when a robot's
// part touches; robot is then the robot's record and robotPart 0 for a
// hand, 1 for a wafer on it.
struct InterferenceHit {
  int32_t object = -1;
  int32_t armLink = -1;
  int32_t robot = -1;
  int32_t robotPart = 0;
};

struct InterferenceReport {
  std::vector<InterferenceHit> hits;  // in record order, arm first
  bool armLinkHit[kArmLinkCount] = {};
  bool Any() const { return !hits.empty(); }
};

// The plain state a controller may read: how many contacts, and the first
// of them (-1 when none).
struct InterferenceState {
  int32_t contacts = 0;
  int32_t firstObject = -1;
  int32_t firstArmLink = -1;
  int32_t firstRobot = -1;
};
InterferenceState SummarizeInterference(const InterferenceReport& report);

// Runs the check; count records from first.
void CheckInterference(const float joints[6], const SceneObject* first, int count, InterferenceReport* out);

// "OBJ012 load port": the record's number and, when it has one of its own,
// its name.
std::string ObjectLabel(const SceneObject* first, int index);

// "J3 link hits OBJ012 load port", "OBJ088 RBT1 hand hits OBJ030 port plate".
std::string DescribeHit(const InterferenceHit& hit, const SceneObject* first);

// The first contact in words, with "(and n more)" when there are more.
std::string DescribeReport(const InterferenceReport& report, const SceneObject* first);
