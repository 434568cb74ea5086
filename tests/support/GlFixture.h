#pragma once

#include <gtest/gtest.h>

#include "headless/HeadlessContext.h"

// The one headless context of a test run, created on first use
// (640 x 480 unless a test asks for its own).
HeadlessContext& SharedGlContext();

// GL state a drawing routine must leave as it found it.
struct GlStateSnapshot {
  int modelviewDepth = 0;
  int projectionDepth = 0;
  int matrixMode = 0;
  float lineWidth = 0;
  float pointSize = 0;
  bool lighting = false, texture2d = false, cullFace = false, blend = false, depthTest = false,
       colorMaterial = false, normalize = false, fog = false, lineSmooth = false, polygonOffsetFill = false;
  int polygonMode[2] = {0, 0};
  int arrayBuffer = 0, elementBuffer = 0;  // bound buffer objects
  static GlStateSnapshot Take();
  // Names every difference, or returns an empty string.
  std::string DiffAgainst(const GlStateSnapshot& before) const;
};

// Every GL error raised since the last call, as text ("" for none).
std::string DrainGlErrors();

// A test with the shared context current, the fixed render state of the
// program, an identity model-view and a perspective projection for the
// context's size. TearDown fails the test on GL errors or an unbalanced
// matrix stack, and switches every light and the fog off again.
class GlTest : public ::testing::Test {
 protected:
  // An orthographic view straight at the GL x-y plane, -half..half in both,
  // with an identity model-view; TearDown puts the perspective back.
  void UseFrontOrtho(double half);
  void SetUp() override;
  void TearDown() override;
  HeadlessContext& gl() { return SharedGlContext(); }
};
