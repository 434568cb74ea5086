#include "objects/ObjectGrid.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>

#include "objects/ShapeCatalog.h"
#include "objects/Convert.h"

namespace {

const char* const kRowHeadings[kGridRows] = {"Name",     "Position", "Size",     "Radius", "Angle", "Option",
                                             "Size Op.", "ColorTex", "SubColor", "ID",     "Trans."};

constexpr int kRowFieldCounts[kGridRows] = {0, 3, 3, 2, 3, 10, 20, 10, 10, 10, 1};

// Fixed point, '.' as the decimal mark whatever the locale, and no minus
// sign on a value that rounds to zero.
std::string Fixed(double v, int decimals) {
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  std::string s(buf, res.ptr);
  if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string Integer(long long v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

int DecimalsOf(int row, int col) {
  switch (row) {
    case GridRow::Angle:
      return 1;
    case GridRow::Option:
    case GridRow::ID:
      return 0;
    case GridRow::ColorTex:
      return col == 10 ? 0 : 4;
    case GridRow::Trans:
      return 2;
    default:
      return 4;
  }
}

float Real(const std::string& text) {
  return static_cast<float>(StrToFloat(text));
}

const char* const kAxisNames[3][3] = {{"X", "Y", "Z"}, {"W", "D", "H"}, {"X", "Y", "Z"}};

}  // namespace

std::string GridRowHeading(int row) {
  return row >= 0 && row < kGridRows ? kRowHeadings[row] : "";
}

std::string GridColumnHeading(int col) {
  switch (col) {
    case 0:
      return "Name";
    case 1:
      return "Dat1(X/W)";
    case 2:
      return "Dat2(Y/D)";
    case 3:
      return "Dat3(Z/H)";
    default:
      return col > 3 && col < kGridColumns ? "Dat" + Integer(col) : "";
  }
}

GridTexts EmptyGrid() {
  GridTexts g;
  for (int c = 0; c < kGridColumns; ++c) g[0][static_cast<size_t>(c)] = GridColumnHeading(c);
  for (int r = 1; r < kGridRows; ++r) g[static_cast<size_t>(r)][0] = GridRowHeading(r);
  return g;
}

int GridRowFieldCount(int row) {
  return row >= 0 && row < kGridRows ? kRowFieldCounts[row] : 0;
}

std::string FormatGridValue(int row, int col, double value) {
  if (row == GridRow::SubColor) return std::string();
  const int decimals = DecimalsOf(row, col);
  if (row == GridRow::Option || row == GridRow::ID) {
    // Integers: the value is already whole; clamp so that a stray value
    // cannot overflow the conversion.
    const double v =
        std::clamp(value, static_cast<double>(LLONG_MIN / 2), static_cast<double>(LLONG_MAX / 2));
    return Integer(static_cast<long long>(v));
  }
  return Fixed(value, decimals);
}

bool GridKeypadRequest(int row, int col, KeypadRequest* request) {
  if (!IsGridField(row, col) || row == GridRow::SubColor) return false;
  KeypadRequest r;
  switch (row) {
    case GridRow::Angle:
      r = {1, -360.0, 360.0, 7, 1};
      break;
    case GridRow::Option:
      r = {0, -99999.0, 99999.0, 6, 0};
      break;
    // Identifiers are 16-bit; a wider range would be stored wrapped.
    case GridRow::ID:
      r = {0, -32768.0, 32767.0, 6, 0};
      break;
    case GridRow::ColorTex:
      r = col == 10 ? KeypadRequest{1, 1.0, 128.0, 3, 0} : KeypadRequest{1, 0.0, 1.0, 5, 3};
      break;
    case GridRow::Trans:
      r = {1, 0.0, 1.0, 4, 2};
      break;
    default:
      r = {1, -999.9999, 999.9999, 9, 4};
      break;
  }
  if (request) *request = r;
  return true;
}

bool GridCellLive(const ShapeListEntry& kind, int row, int col, bool fillChecked, bool colorTexChecked) {
  if (!IsGridField(row, col)) return false;
  const int n = col - 1;
  switch (row) {
    case GridRow::Position:
      return HasFieldBit(kind, FieldBit::X + n);
    case GridRow::Size:
      return HasFieldBit(kind, FieldBit::W + n);
    case GridRow::Radius:
      return HasFieldBit(kind, FieldBit::R + n);
    case GridRow::Angle:
      return HasFieldBit(kind, FieldBit::Ang0 + n);
    case GridRow::Option:
      return HasParamBit(kind, 2, n);
    case GridRow::SizeOption:
      return HasParamBit(kind, 3, n);
    case GridRow::ColorTex:
      return HasFieldBit(kind, FieldBit::Fill) && fillChecked && colorTexChecked;
    case GridRow::SubColor:
      return HasParamBit(kind, 4, n);
    case GridRow::ID:
      return HasFieldBit(kind, FieldBit::ID);
    case GridRow::Trans:
      return HasFieldBit(kind, FieldBit::Trans);
    default:
      return false;
  }
}

void RecordToGrid(const SceneObject& rec, GridTexts& g) {
  const auto put = [&g](int row, int col, double v) {
    g[static_cast<size_t>(row)][static_cast<size_t>(col)] = FormatGridValue(row, col, v);
  };
  put(GridRow::Position, 1, rec.X);
  put(GridRow::Position, 2, rec.Y);
  put(GridRow::Position, 3, rec.Z);
  put(GridRow::Size, 1, rec.W);
  put(GridRow::Size, 2, rec.D);
  put(GridRow::Size, 3, rec.H);
  put(GridRow::Radius, 1, rec.R);
  put(GridRow::Radius, 2, rec.R2);
  for (int i = 0; i < 3; ++i) put(GridRow::Angle, i + 1, rec.Ang[i]);
  for (int i = 0; i < 10; ++i) put(GridRow::Option, i + 1, rec.Opt[i]);
  for (int i = 0; i < 20; ++i) put(GridRow::SizeOption, i + 1, rec.size[i]);
  for (int i = 0; i < 3; ++i) {
    put(GridRow::ColorTex, i + 1, rec.ColorTex.amb[i]);
    put(GridRow::ColorTex, i + 4, rec.ColorTex.diff[i]);
    put(GridRow::ColorTex, i + 7, rec.ColorTex.spec[i]);
  }
  put(GridRow::ColorTex, 10, rec.ColorTex.shin);
  for (int i = 0; i < 10; ++i) g[GridRow::SubColor][static_cast<size_t>(i + 1)].clear();
  for (int i = 0; i < 10; ++i) put(GridRow::ID, i + 1, rec.ID[i]);
  put(GridRow::Trans, 1, rec.Trans);
}

void GridToRecord(const GridTexts& g, SceneObject& rec) {
  const auto cell = [&g](int row, int col) -> const std::string& {
    return g[static_cast<size_t>(row)][static_cast<size_t>(col)];
  };
  rec.X = Real(cell(GridRow::Position, 1));
  rec.Y = Real(cell(GridRow::Position, 2));
  rec.Z = Real(cell(GridRow::Position, 3));
  rec.W = Real(cell(GridRow::Size, 1));
  rec.D = Real(cell(GridRow::Size, 2));
  rec.H = Real(cell(GridRow::Size, 3));
  rec.R = Real(cell(GridRow::Radius, 1));
  rec.R2 = Real(cell(GridRow::Radius, 2));
  for (int i = 0; i < 3; ++i) rec.Ang[i] = Real(cell(GridRow::Angle, i + 1));
  for (int i = 0; i < 10; ++i) rec.Opt[i] = StrToInt(cell(GridRow::Option, i + 1));
  for (int i = 0; i < 20; ++i) rec.size[i] = Real(cell(GridRow::SizeOption, i + 1));
  for (int i = 0; i < 10; ++i)
    rec.ID[i] = static_cast<int16_t>(std::clamp(StrToInt(cell(GridRow::ID, i + 1)), INT16_MIN, INT16_MAX));
  rec.Trans = Real(cell(GridRow::Trans, 1));
}

void GridToColorTex(const GridTexts& g, ::ColorTex& ct) {
  const auto& row = g[GridRow::ColorTex];
  for (int i = 0; i < 3; ++i) {
    ct.amb[i] = Real(row[static_cast<size_t>(i + 1)]);
    ct.diff[i] = Real(row[static_cast<size_t>(i + 4)]);
    ct.spec[i] = Real(row[static_cast<size_t>(i + 7)]);
  }
  ct.shin = GridShininess(g);
}

float GridShininess(const GridTexts& g) {
  return Real(g[GridRow::ColorTex][10]);
}

bool BreaksFileField(const std::string& text) {
  return text.find_first_of(",\r\n") != std::string::npos;
}

std::string ValidationMessage(const EditorChecks& checks, const GridTexts& g) {
  if (!checks.hasShape) return "'Shape' set error.";
  if (!checks.hasResolution) return "'Circle Resolution' set error.";
  if (!checks.hasDirection) return "'Direction' set error.";
  if (checks.textChecked && checks.textEmpty) return "Set 'Text' data.";
  if (checks.textureChecked && !checks.textureChosen) return "'Texture' set error.";
  if (checks.nameBreaksFile) return "'Name' must not contain a comma or a line break.";
  if (checks.textBreaksFile) return "'Text' must not contain a comma or a line break.";

  const auto empty = [&g](int row, int col) {
    return g[static_cast<size_t>(row)][static_cast<size_t>(col)].empty();
  };
  const auto numbered = [](const char* prefix, int n) {
    return std::string(prefix) + Integer(n) + "' set error.";
  };
  const char* const xyz[] = {"X", "Y", "Z"};
  const char* const wdh[] = {"W", "D", "H"};
  for (int i = 0; i < 3; ++i)
    if (empty(GridRow::Position, i + 1)) return std::string("'Pos-") + xyz[i] + "' set error.";
  for (int i = 0; i < 3; ++i)
    if (empty(GridRow::Size, i + 1)) return std::string("'Size-") + wdh[i] + "' set error.";
  if (empty(GridRow::Radius, 1)) return "'Radius-R' set error.";
  if (empty(GridRow::Radius, 2)) return "'Radius-R2' set error.";
  for (int i = 0; i < 3; ++i)
    if (empty(GridRow::Angle, i + 1)) return numbered("'Angle-", i + 1);
  const char* const parts[] = {"Amb", "Diff", "Spec"};
  for (int p = 0; p < 3; ++p)
    for (int i = 0; i < 3; ++i)
      if (empty(GridRow::ColorTex, p * 3 + i + 1))
        return std::string("'ColorTex'-'") + parts[p] + "-" + Integer(i + 1) + "' set error.";
  if (empty(GridRow::ColorTex, 10)) return "'ColorTex'-'Shin' set error.";
  for (int i = 0; i < 10; ++i)
    if (empty(GridRow::Option, i + 1)) return numbered("'OPT-", i + 1);
  for (int i = 0; i < 20; ++i)
    if (empty(GridRow::SizeOption, i + 1)) return numbered("'Size Op.-", i + 1);
  for (int i = 0; i < 10; ++i)
    if (empty(GridRow::ID, i + 1)) return numbered("'ID-", i + 1);
  if (empty(GridRow::Trans, 1)) return "'Trans.' set error.";
  return std::string();
}

bool ApplyKindChangeRules(int kind, const ShapeListEntry& entry, GridTexts& g, SceneObject& rec) {
  if (HasFieldBit(entry, FieldBit::R) && rec.R == 0.0f)
    g[GridRow::Radius][1] = "0.5000";
  else if (HasFieldBit(entry, FieldBit::R2) && rec.R2 == 0.0f)
    g[GridRow::Radius][2] = "0.5000";
  if (kind < ShapeKind::ScaraRobot || kind > ShapeKind::FrogLegRobot) return false;
  // A robot starts folded, at its home axes and at its drawing scale.
  for (int c = 1; c <= 3; ++c) g[GridRow::Angle][static_cast<size_t>(c)] = "0.0";
  for (int c = 1; c <= 8; ++c) g[GridRow::SizeOption][static_cast<size_t>(c)] = "0.0000";
  g[GridRow::SizeOption][10] = "1.3";
  rec.cl_sub[0] = 0xE1FFFF;
  rec.cl_sub[1] = rec.cl_sub[2] = 0x00FF00;
  rec.cl_sub[3] = rec.cl_sub[4] = 0x808080;
  rec.cl_sub[9] = 0x00FFFF;
  return true;
}

const char* IncrementTypeName(int type) {
  switch (type) {
    case IncSize:
      return "Size";
    case IncAngle:
      return "Angle";
    default:
      return "Position";
  }
}

int StepButtonAxis(int button) {
  return std::clamp(button, 0, kStepButtonCount - 1) / 4;
}

int StepButtonCount(int button) {
  constexpr int kCounts[4] = {1, 100, -1, -100};
  return kCounts[std::clamp(button, 0, kStepButtonCount - 1) % 4];
}

std::string StepButtonCaption(int type, int button) {
  constexpr const char* kSigns[4] = {"+", "++", "-", "--"};
  const int t = std::clamp(type, 0, 2);
  const int b = std::clamp(button, 0, kStepButtonCount - 1);
  return std::string(kSigns[b % 4]) + kAxisNames[t][b / 4];
}

StepTarget StepTargetFor(int type, int axis, int count) {
  StepTarget t;
  axis = std::clamp(axis, 0, 2);
  if (type == IncAngle) {
    t.row = GridRow::Angle;
    t.col = 3 - axis;  // X turns Ang[2], Z turns Ang[0]
    t.step = (count == 1 || count == -1) ? count : count * 0.1;
    if (axis == 0) t.step = -t.step;
    t.minimum = -360.0;
    t.maximum = 360.0;
  } else {
    t.row = type == IncSize ? GridRow::Size : GridRow::Position;
    t.col = axis + 1;
    t.step = count * 0.001;
    t.minimum = -999.9999;
    t.maximum = 999.9999;
  }
  return t;
}

std::string SteppedText(const std::string& text, const StepTarget& t) {
  const double v = std::clamp(StrToFloat(text) + t.step, t.minimum, t.maximum);
  return FormatGridValue(t.row, t.col, v);
}

std::string OriginText(int type) {
  switch (type) {
    case IncSize:
      return "1.0000";
    case IncAngle:
      return "0.0";
    default:
      return "0.0000";
  }
}

std::string OriginQuestion(int type) {
  return std::string("Reset '") + IncrementTypeName(type) +
         "' data to Origin.\n(Size='1.000',other='0.000')\nAre you sure?";
}
