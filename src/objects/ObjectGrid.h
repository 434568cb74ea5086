#pragma once

#include <array>
#include <string>

#include "objects/SceneObject.h"
#include "objects/ShapeListFile.h"

// The object editor's data grid without its window: which field sits in
// which cell, how each cell is written, how it is typed on the keypad, when
// it is live, and how the texts go back into the record. The window keeps
// the texts; the record changes only when they are applied.

constexpr int kGridColumns = 21;  // the heading column and Dat1..Dat20
constexpr int kGridRows = 11;     // the heading row and ten field rows

namespace GridRow {
constexpr int Position = 1;    // X, Y, Z
constexpr int Size = 2;        // W, D, H
constexpr int Radius = 3;      // R, R2
constexpr int Angle = 4;       // Ang[0..2]
constexpr int Option = 5;      // Opt[0..9]
constexpr int SizeOption = 6;  // size[0..19]
constexpr int ColorTex = 7;    // amb[0..2], diff[0..2], spec[0..2], shin
constexpr int SubColor = 8;    // cl_sub[0..9], painted, no text
constexpr int ID = 9;          // ID[0..9]
constexpr int Trans = 10;      // Trans
}  // namespace GridRow

// Texts of the grid, [row][column]; row 0 and column 0 hold the headings.
using GridTexts = std::array<std::array<std::string, kGridColumns>, kGridRows>;

// The headings: "Position" ... "Trans." down column 0, "Name", "Dat1(X/W)"
// ... "Dat20" along row 0.
std::string GridRowHeading(int row);
std::string GridColumnHeading(int col);
GridTexts EmptyGrid();

// How many columns (from 1) a row's fields take: 3, 3, 2, 3, 10, 20, 10,
// 10, 10, 1; 0 for the heading row or a row outside the grid.
int GridRowFieldCount(int row);
inline bool IsGridField(int row, int col) {
  return col >= 1 && col <= GridRowFieldCount(row);
}

// A value written as the row shows it: four decimals, one for angles, two
// for the opacity, none for integers and the shininess.
std::string FormatGridValue(int row, int col, double value);

// What the keypad is asked for when a field cell is edited.
struct KeypadRequest {
  int kind = 1;  // 0 integer, 1 decimal
  double minimum = 0, maximum = 0;
  int digits = 0, decimals = 0;
};
// False for cells that are not edited with the keypad (the sub colours,
// cells outside a row's fields).
bool GridKeypadRequest(int row, int col, KeypadRequest* request);

// Whether a cell is live for a kind: its field exists and the kind's masks
// allow it. The colour texture row also needs "Fill:" and "Color Texture"
// checked.
bool GridCellLive(const ShapeListEntry& kind, int row, int col, bool fillChecked, bool colorTexChecked);

// Writes every field row of the grid from the record (the sub-colour row
// has no text).
void RecordToGrid(const SceneObject& rec, GridTexts& grid);
// Rows 1 to 6, 9 and 10 into the record. A text that is not a number
// raises ConversionError; the record may then be partly written, so callers
// validate first.
void GridToRecord(const GridTexts& grid, SceneObject& rec);
// Row 7 into a material: ambient, diffuse and specular colours and the
// shininess. Alphas are left alone.
void GridToColorTex(const GridTexts& grid, ::ColorTex& ct);
float GridShininess(const GridTexts& grid);

// The state of the controls that validation looks at.
struct EditorChecks {
  bool hasShape = true;
  bool hasResolution = true;
  bool hasDirection = true;
  bool textChecked = false;
  bool textEmpty = false;
  bool textureChecked = false;
  bool textureChosen = true;
  // A comma or line break in the name or the text would split its line in
  // the scene file.
  bool nameBreaksFile = false;
  bool textBreaksFile = false;
};

// True when the text holds a character the scene file cannot keep in a
// field (a comma or a line break).
bool BreaksFileField(const std::string& text);

// The first reason not to apply, as the operator reads it; empty when the
// controls and the grid can be applied.
std::string ValidationMessage(const EditorChecks& checks, const GridTexts& grid);

// Rules that run when the operator picks another kind: a round kind whose
// radius is still 0 gets 0.5; a transfer robot gets its axes cleared, its
// scale and, straight into the record, its sub colours. Returns true when
// the record itself changed.
bool ApplyKindChangeRules(int kind, const ShapeListEntry& entry, GridTexts& grid, SceneObject& rec);

// Stepping of position, size or angle.
enum IncrementType { IncPosition = 0, IncSize = 1, IncAngle = 2 };
constexpr int kStepButtonCount = 12;
const char* IncrementTypeName(int type);
// Buttons in caption order "+X", "++X", "-X", "--X", then Y, then Z; for
// Size the axes are W, D and H.
std::string StepButtonCaption(int type, int button);
int StepButtonAxis(int button);   // 0 X/W, 1 Y/D, 2 Z/H
int StepButtonCount(int button);  // +1, +100, -1, -100

struct StepTarget {
  int row = 0, col = 0;
  double step = 0;
  double minimum = 0, maximum = 0;
};
StepTarget StepTargetFor(int type, int axis, int count);
// The cell's value plus the step, held to the limits, written as the row
// shows it. A text that is not a number raises ConversionError.
std::string SteppedText(const std::string& text, const StepTarget& target);

// The origin of a type's three cells ("0.0000", "1.0000", "0.0") and the
// question asked before setting it.
std::string OriginText(int type);
std::string OriginQuestion(int type);
