#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGBA picture, top row first.
struct TestImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Reads the current context's colour buffer.
TestImage ReadFramebuffer(int width, int height);

// Writes the picture as PNG under the build tree's test-artifacts folder
// and returns the path.
std::string WriteArtifact(const TestImage& img, const std::string& fileName);

// Compares two pictures of the same size: exact first, then each channel
// within tolerance for all but maxBadFraction of the pixels. On a mismatch
// writes <name>.actual.png, <name>.expected.png and <name>.diff.png as
// artefacts and returns a description; "" on a match.
std::string CompareImages(const TestImage& actual, const TestImage& expected, const std::string& name,
                          int tolerance = 8, double maxBadFraction = 0.002);

// Compares with tests/golden/<name>.png: exact first, then each channel
// within tolerance. On a mismatch writes <name>.actual.png and
// <name>.diff.png as artefacts and returns a description; "" on a match.
// With TESSALY_UPDATE_GOLDEN=1 in the environment the golden is (re)written.
std::string CompareWithGolden(const TestImage& img, const std::string& name, int tolerance = 8,
                              double maxBadFraction = 0.002);
