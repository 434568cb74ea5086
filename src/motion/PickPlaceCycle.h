#pragma once

#include "objects/RobotPanel.h"

#include <vector>

#include "motion/RobotMotion.h"

// A pick-and-place cycle through taught positions: the hand goes in under
// the wafer of one station, lifts it, carries it to another station and
// sets it down there, then comes back empty. Used by the example
// controller and by the step animation for robots that follow a panel.

// A panel's axes in its own values (R 1.0 stretched, Z and X in metres,
// T in degrees) and whether the hand carries a wafer.
struct CyclePose {
  float R1 = 0, R2 = 0, Z = 0, T = 0, X = 0;
  bool wafer = false;
};

// The eight stops of a cycle of robot 0 (RBT1) or 1 (RBT2) from the
// station whose first position item is pickItem to the one of placeItem
// (each station's items: Ret(Up), Ret(Dn), Ext(Up), Ext(Dn)); slot as
// RBT1's slot selector. Empty for items that are not a station's first.
std::vector<CyclePose> PickAndPlaceStops(const TeachTable& table, int robot, int pickItem, int placeItem, int slot);

// Where the cycle stands at phase t (0 <= t < 1, wrapping): each leg from
// one stop to the next takes the same time, the axes move straight, and
// the wafer is on the hand as it was at the stop left last.
CyclePose CyclePoseAt(const std::vector<CyclePose>& stops, double t);

// The panel at the pose: its five axes and the first hand's wafer.
void ApplyCyclePose(const CyclePose& c, RobotPanelValues* panel);
