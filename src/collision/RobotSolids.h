#pragma once

#include <vector>

#include "collision/CollisionGeometry.h"
#include "objects/SceneObject.h"

// Both are made from the robot's layout (equipment/RobotLayout.h), the
// parts its drawing draws.

// The parts of a transfer robot (kinds 150, 151, 152) that reach into the
// stations: its hand plates (and the hand blocks that carry them) as thin
// plates, and the wafers on them as discs. kinds gets 0 for a hand part, 1
// for a wafer. Returns false (adding nothing) for any other kind or a
// robot whose place is not a number.
bool RobotMovingParts(const SceneObject& robot, std::vector<Sweep>* parts, std::vector<int>* kinds);

// What a transfer robot occupies as an obstacle: its columns, each link as
// the box of its straight run and a cylinder at each round end, its hand
// plates (in the box round each) and blocks, and the wafers on them.
// Returns false for any other kind.
bool RobotSolids(const SceneObject& robot, std::vector<Solid>* out);
