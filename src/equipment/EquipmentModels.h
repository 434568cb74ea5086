#pragma once

#include "objects/SceneObject.h"

// Equipment models drawn from one scene object each: the composite parts
// (kinds 100..117, 130, 132, 133), the wafer (131) and the three transfer
// robots (150..152).
void DrawCompositePart(SceneObject obj);
void Wafer(SceneObject obj);
void ScaraRobot(SceneObject obj);
void TwinHandRobot(SceneObject obj);
void FrogLegRobot(SceneObject obj);
