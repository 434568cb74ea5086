#pragma once

#include "collision/CollisionGeometry.h"
#include "objects/FrameSteps.h"
#include "objects/SceneObject.h"

// What an object occupies, for the interference check. Boxes, cylinders
// and balls are exact in any orientation; a frustum, an elliptic section or
// an egg-shaped ball is held in the round solid of its largest radius; every
// other kind in the turned box that holds all it draws (ObjectBounds). So a
// contact is never missed, and is exact for the three plain kinds. Block
// text labels the cell and occupies nothing; transfer robots are described
// part by part in RobotSolids.h.
constexpr int kMaxObjectSolids = 4;

// Fills out with up to kMaxObjectSolids solids and returns their number:
// 0 for a record that occupies nothing (disabled, a kind that draws
// nothing, or places and sizes that are not numbers).
int ObjectSolids(const SceneObject& obj, Solid out[kMaxObjectSolids]);

// A record's frame as the shapes apply it (ShapeFrame): the same steps,
// followed as arithmetic.
Placement RecordPlacement(const SceneObject& obj, RotationOrder order);
