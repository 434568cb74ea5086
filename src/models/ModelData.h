#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A model file's geometry as the program keeps it: triangles with shared
// corners in scene coordinates (metres, Z up, the file's unit and up axis
// already applied), in parts that may carry the file's own colour, and the
// sharp edges (faces meeting at more than 30 degrees, and open borders)
// as line pairs over the same corners.
struct ModelPart {
  uint32_t firstIndex = 0;  // into ModelData::triangles
  uint32_t indexCount = 0;
  // The corners its triangles use, all in this one range.
  uint32_t firstCorner = 0;
  uint32_t cornerCount = 0;
  bool hasColor = false;  // false: the record's fill colour
  float rgba[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

struct ModelData {
  std::vector<float> positions;  // x, y, z per corner
  std::vector<float> normals;    // unit, one per corner
  std::vector<uint32_t> triangles;
  std::vector<ModelPart> parts;
  std::vector<float> edgeCorners;  // x, y, z of the corners the edges join
  std::vector<uint32_t> edges;     // pairs of edgeCorners
  float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};

  size_t CornerCount() const { return positions.size() / 3; }
  size_t TriangleCount() const { return triangles.size() / 3; }
  size_t Bytes() const {
    return (positions.capacity() + normals.capacity()) * sizeof(float) +
           (triangles.capacity() + edges.capacity()) * sizeof(uint32_t) + edgeCorners.capacity() * sizeof(float) + parts.capacity() * sizeof(ModelPart);
  }
};

// How a file's numbers become scene coordinates; they are part of what a
// loaded model is kept under.
struct ModelOptions {
  int unit = 0;        // 0 as the file declares (metres if it does not), 1 mm, 2 inches
  int up = 0;          // 0 as the file declares (Z if it does not), 1 Y up, 2 Z up
  int resolution = 36; // how finely CAD surfaces are cut (the record's Reso)
  bool operator==(const ModelOptions& o) const {
    return unit == o.unit && up == o.up && resolution == o.resolution;
  }
};

// The limits a model file is held to; beyond them it is refused.
constexpr uint64_t kModelFileLimit = 512ull * 1024 * 1024;  // bytes
constexpr size_t kModelTriangleLimit = 5000000;
// The limit in force: kModelTriangleLimit unless set (tests set a small one).
size_t ModelTriangleLimit();
void SetModelTriangleLimit(size_t triangles);
constexpr int kModelReadSeconds = 300;  // a reader that runs on longer is stopped
