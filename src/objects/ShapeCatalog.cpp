#include "objects/ShapeCatalog.h"

namespace {

struct BuiltInRow {
  int kind;
  const char* name;
  int32_t mask, options, sizeOptions, subColors;
};

// The primitives and the fields their editors offer.
constexpr BuiltInRow kBuiltIn[] = {
    {1, "Dot", 0x3007, 0, 0, 0},
    {2, "Line", 0x3C7F, 0, 0, 0},
    {3, "Plane", 0xFE3F, 0, 0, 0},
    {4, "Cube", 0xFC3F, 0, 0, 0},
    {5, "Trapezoid", 0xFC3F, 0, 0, 0},
    {6, "TrianglePrism", 0xFC3F, 0, 0, 0},
    {7, "Circle", 0xFD07, 0, 0, 0},
    {8, "Cylinder", 0xFDE7, 1, 0, 0},
    {9, "Ball", 0xFD47, 0, 0, 0},
    {10, "Cone", 0xFD67, 0, 0, 0},
    {11, "BevelCube", 0xFD7F, 0, 0, 0},
    {12, "Oval", 0xFDEF, 1, 0, 0},
    {20, "ConstCylinder", 0x4FD27, 0, 0, 0},
    {21, "Belt", 0xFD5F, 0, 0, 0},
    {22, "Ring", 0xFD6F, 0, 0, 0},
    {23, "RingRect", 0xFD1F, 0, 0, 0},
    {24, "RoundRect", 0xFDFF, 3, 3, 0},
    {25, "SquareCylinder", 0xFC7F, 0, 0, 0},
    {26, "PunchCube", 0xFC7F, 0, 0, 0},
    {27, "Capsule", 0xFD07, 0, 0, 0},
    {28, "CubeCylinder", 0xFC7F, 0, 3, 0},
};

}  // namespace

void SetBuiltInShapeList(ShapeList& list) {
  ClearShapeList(list);
  for (const BuiltInRow& row : kBuiltIn) {
    ShapeListEntry& e = list[static_cast<size_t>(row.kind)];
    e.enabled = 1;
    e.name = row.name;
    e.param[0] = row.mask;
    e.param[1] = row.options;
    e.param[2] = row.sizeOptions;
    e.param[3] = row.subColors;
  }
}

std::string ShapeNameOf(const ShapeList& list, int kind) {
  if (kind < 0 || kind >= kShapeListSize) return "????";
  return list[static_cast<size_t>(kind)].name;
}

int KindOfName(const ShapeList& list, const std::string& name) {
  if (name.empty()) return -1;  // an empty name is no entry
  for (int k = 0; k < kShapeListSize; ++k) {
    const ShapeListEntry& e = list[static_cast<size_t>(k)];
    if (e.enabled != 0 && e.name == name) return k;
  }
  return -1;
}

std::vector<int> OfferedKinds(const ShapeList& list) {
  std::vector<int> kinds;
  for (int k = 0; k < kShapeListSize; ++k) {
    const ShapeListEntry& e = list[static_cast<size_t>(k)];
    if (e.enabled != 0 && !e.name.empty()) kinds.push_back(k);
  }
  return kinds;
}

const ShapeListEntry& EntryOf(const ShapeList& list, int kind) {
  static const ShapeListEntry none;
  if (kind < 0 || kind >= kShapeListSize) return none;
  return list[static_cast<size_t>(kind)];
}
