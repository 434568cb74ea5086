#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/ShapeKind.h"
#include "objects/ColorTex.h"

// Colours are 0x00BBGGRR, red in the low byte.
using Color = uint32_t;

// One scene object: a primitive, a line of block text or an equipment
// model placed in the scene. Fields keep the names of the object file's
// columns. Records are copied by value; a copy owns its strings.
struct SceneObject {
  bool Enbl = false;
  int32_t Shp = ShapeKind::Cube;
  int32_t Reso = 36;
  int32_t Dir = 0;
  float X = 0.0f, Y = 0.0f, Z = 0.0f;
  float W = 1.0f, D = 1.0f, H = 1.0f;
  float R = 0.5f, R2 = 0.5f;
  float Ang[3] = {0.0f, 0.0f, 0.0f};
  int32_t Opt[10] = {};
  float size[20] = {};
  // Run-time profile data (ConstCylinder); shared by copies, never stored
  // in a file.
  std::shared_ptr<const std::vector<float>> Sub;
  bool Fill = true;
  Color clFill = 0xFFFFFF;
  Color cl_sub[10] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  ::ColorTex ColorTex;  // ClTex, amb, diff, spec, shin
  bool Frame = false;
  Color clFrame = 0x000000;
  float Trans = 1.0f;
  int32_t Tex = -1;  // texture slot 0..9, or -1 for none
  int16_t ID[10] = {};
  std::string Name;
  std::string Text;
};

constexpr int kObjectCapacity = 1000;

// The scene: exactly 1000 records, numbered 0..999. Nothing is ever added
// or removed; clearing Enbl takes an object out of the picture.
using ObjectTable = std::array<SceneObject, kObjectCapacity>;

// Sets count records starting at first to their defaults, named
// "OBJ%03d" after their position in the run.
void InitializeRecords(SceneObject* first, int count);

// A record with every field zero or empty (no texture, no material): the
// starting point of the scratch records drawing builds for itself.
SceneObject ZeroRecord();
