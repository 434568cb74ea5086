#include "arm/ToolPoint.h"

#include <cmath>

namespace {

constexpr float kDegToRad = 3.14159265358979323846f / 180.0f;

// The plane rotation (u cos t - v sin t, u sin t + v cos t).
void Rot(float deg, float u, float v, float& outU, float& outV) {
  const float c = std::cos(deg * kDegToRad);
  const float s = std::sin(deg * kDegToRad);
  outU = u * c - v * s;
  outV = u * s + v * c;
}

}  // namespace

void ToolPointOfJoints(const float j[6], double out[3]) {
  // Links: base 0.33, upper arm 0.23, forearm 0.28, tool offset 0.09.
  const float c = 0.09f * std::cos(j[4] * kDegToRad);
  const float s = 0.09f * std::sin(j[4] * kDegToRad);
  float C, D, F, G, H, I, N, Q;
  Rot(j[3], 0.0f, s, C, D);
  Rot(j[2], c, D, F, G);
  Rot(j[1], F, G, H, I);
  Rot(j[1], 0.28f * std::cos(j[2] * kDegToRad), 0.28f * std::sin(j[2] * kDegToRad), N, Q);
  const float lateral = -C;
  const float reach = I + Q + 0.23f * std::sin(j[1] * kDegToRad);
  const float height = 0.33f + 0.23f * std::cos(j[1] * kDegToRad) + N + H;
  float a, b;
  Rot(j[0], reach, lateral, a, b);
  out[0] = b;
  out[1] = height;
  out[2] = a;
}
