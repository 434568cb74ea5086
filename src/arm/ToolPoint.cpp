#include "arm/ToolPoint.h"

#include "arm/Kinematics.h"

void ToolPointOfJoints(const float joints[6], double out[3]) {
  const ToolPoint p = ComputeToolPoint(joints);
  out[0] = p.x;
  out[1] = p.height;
  out[2] = p.depth;
}
