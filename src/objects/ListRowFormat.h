#pragma once

#include <array>
#include <string>

#include "objects/SceneObject.h"
#include "objects/ShapeListFile.h"

// The object list's columns: one row of texts per object, as the list
// shows it.

constexpr int kListColumns = 27;
constexpr int kListRows = kObjectCapacity + 1;  // heading row and one per object

namespace ListColumn {
constexpr int No = 0, Name = 1, Draw = 2, Shape = 3, Pos = 4, Size = 5, Reso = 6, Dir = 7, Angle = 8;
constexpr int Fill = 9, Frame = 10, Trans = 11, Text = 12, Opt = 13, SizeOpt = 14;
constexpr int FirstSub = 15, LastSub = 24;
constexpr int Tex = 25, ID = 26;
}  // namespace ListColumn

const char* ListHeading(int col);
int ListColumnWidth(int col);

// Fixed point with the given decimals, except that a value of exactly zero
// is written "0".
std::string ListNumber(double value, int decimals);

using ListRow = std::array<std::string, kListColumns>;
// The texts of the row of object index (0..999); the first column holds
// the row number index + 1.
ListRow ListRowTexts(int index, const SceneObject& rec, const ShapeList& shapes);

// Columns painted in a colour rather than written: fill, frame, sub colours.
bool IsListColorColumn(int col);
// The colour a colour cell is painted in; false when it shows the window
// colour (fill or frame switched off).
bool ListCellColor(int col, const SceneObject& rec, Color* color);
