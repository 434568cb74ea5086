#pragma once

#include "collision/Interference.h"

// The highlight of a frame's contacts, drawn after everything else: each
// touching object as a red wire model of itself, and the arm links and
// robot parts that touch as red wire outlines of their capsules and
// plates, seen through whatever stands in front. Leaves every GL state as
// it found it.
void DrawInterferenceHighlight(const InterferenceReport& report, const SceneObject* first, int count,
                               const float joints[6]);
