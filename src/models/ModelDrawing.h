#pragma once

#include "models/ModelData.h"
#include "objects/SceneObject.h"

// A Model record (kind 60): the model file named by Text, placed at X, Y,
// Z, turned by its angles (as the other shapes) and scaled by W, D, H along
// its X, Y, Z. Opt[0] the file's unit, Opt[1] its up axis, Opt[2] 1 for
// the record's fill colour everywhere; Reso how finely CAD surfaces are
// cut. Faces where Fill is set, the sharp edges in clFrame where Frame is.
// A file still loading draws nothing; one that was refused draws a small
// red wire box at the record's place.
void DrawModel(const SceneObject& rec);

// The options the record reads the file with.
ModelOptions ModelOptionsOf(const SceneObject& rec);

// What the kept mesh of a Model record depends on besides the record: it
// changes whenever any model file is read or refused.
uint32_t ModelStamp();

// Half the side of the red box a refused model draws (metres).
constexpr double kFailedModelHalfSide = 0.05;
