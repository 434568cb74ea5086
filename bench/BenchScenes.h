#pragma once

#include "objects/SceneObject.h"

// The mixed grid the frame benchmarks draw: the 21 primitive kinds cycled
// over 40 x 25 places 0.3 apart, a third of them outlined, at resolution
// reso.
void FillMixedTable(ObjectTable& table, int reso = 36);
