#pragma once

#include "collision/Interference.h"

// The highlight of a frame's contacts, drawn after everything else: each
// touching object as a red wire model of itself, and the arm pieces and
// robot parts that touch as red wire copies of themselves, seen through
// whatever stands in front. Leaves every GL state as it found it.
void DrawInterferenceHighlight(const InterferenceReport& report, const SceneObject* first, int count,
                               const float joints[6]);

// The clearance of a measured report: a line between the two closest
// points, seen through everything, with its length in millimetres written
// beside its middle in a fixed size on the screen. Nothing when nothing
// was measured or nothing is in reach. Leaves every GL state and both
// matrix stacks as it found them.
void DrawClearance(const InterferenceReport& report);

// "12.4 mm": the label DrawClearance writes.
std::string ClearanceLabel(double metres);
