#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// One entry of the shape list: whether the kind is offered in the shape
// selector, its name there, and the masks that say which of a record's
// controls mean something for it (parameter 1 the field mask, 2 the option
// mask, 3 the size-option mask, 4 the sub-colour mask; 5 to 10 unused).
struct ShapeListEntry {
  int32_t enabled = 0;
  std::string name;
  int32_t param[10] = {};
};

constexpr int kShapeListSize = 500;

// Indexed by ShapeKind 0..499.
using ShapeList = std::array<ShapeListEntry, kShapeListSize>;

// Every entry disabled, nameless, all parameters 0.
void ClearShapeList(ShapeList& list);

// Reads a shape list file ("ShapeList.dat") into list. The list is cleared
// first, once the file is open, and entries are filled field by field as
// they are read. Returns 1 when read to its end, -1 when the file cannot be
// opened (the list is then untouched; *why, if given, says why).
int LoadShapeList(const std::string& path, ShapeList& list, std::string* why = nullptr);

// The same reader over text already in memory; clears the list first.
void ReadShapeList(const char* data, size_t size, ShapeList& list);
