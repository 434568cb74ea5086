#pragma once

// The articulated arm's tool point for joints J1..J5 in degrees, worked in
// single precision as the picture does it, returned as doubles in GL axis
// order: across (x), up (y), along the scene's Y (z). J6 turns about the
// tool axis and does not move the point.
void ToolPointOfJoints(const float joints[6], double out[3]);
