#pragma once

#include <vector>

#include "objects/CollisionGeometry.h"
#include "objects/SceneObject.h"

// The parts of a transfer robot (kinds 150, 151, 152) that reach into the
// stations: its hand plates (and the hand blocks that carry them) as thin
// plates, and the wafers on them as discs, placed from the record's axes
// exactly as the robot is drawn. kinds gets 0 for a hand part, 1 for a
// wafer. Returns false (adding nothing) for any other kind.
bool RobotMovingParts(const SceneObject& robot, std::vector<Sweep>* parts, std::vector<int>* kinds);

// What a transfer robot occupies as an obstacle: its columns, each link in
// the box round its slot shape, its hand plates and blocks, and the wafers
// on them, placed as drawn. Returns false for any other kind.
bool RobotSolids(const SceneObject& robot, std::vector<Solid>* out);
