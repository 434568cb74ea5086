#include "objects/ListRowFormat.h"

#include <charconv>

#include "objects/ShapeCatalog.h"

namespace {

struct ColumnSpec {
  const char* heading;
  int width;
};

constexpr ColumnSpec kColumns[kListColumns] = {
    {"No.", 64},          {"Name", 84},     {"Draw", 50},  {"Shape", 100},    {"Pos(X,Y,Z)", 143},
    {"Size(W,D,H)", 133}, {"Reso", 44},     {"Dir", 44},   {"Angle", 95},     {"Fill", 47},
    {"Frame", 43},        {"Trans", 44},    {"Text", 118}, {"Opt[0-9]", 166}, {"SizeOpt[0-19]", 131},
    {"Sub1", 32},         {"Sub2", 32},     {"Sub3", 32},  {"Sub4", 32},      {"Sub5", 32},
    {"Sub6", 32},         {"Sub7", 32},     {"Sub8", 32},  {"Sub9", 32},      {"Sub10", 36},
    {"Tex", 49},          {"ID[0-9]", 131},
};

std::string Integer(long long v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

std::string Joined(const float* v, int n, int decimals) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    if (i) s += ',';
    s += ListNumber(v[i], decimals);
  }
  return s;
}

}  // namespace

const char* ListHeading(int col) {
  return col >= 0 && col < kListColumns ? kColumns[col].heading : "";
}

int ListColumnWidth(int col) {
  return col >= 0 && col < kListColumns ? kColumns[col].width : 0;
}

std::string ListNumber(double value, int decimals) {
  if (value == 0.0) return "0";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  return std::string(buf, res.ptr);
}

ListRow ListRowTexts(int index, const SceneObject& rec, const ShapeList& shapes) {
  ListRow row;
  row[ListColumn::No] = Integer(index + 1);
  row[ListColumn::Name] = rec.Name;
  row[ListColumn::Draw] = rec.Enbl ? "ON" : "";
  row[ListColumn::Shape] = ShapeNameOf(shapes, rec.Shp);
  const float pos[3] = {rec.X, rec.Y, rec.Z};
  const float dims[3] = {rec.W, rec.D, rec.H};
  row[ListColumn::Pos] = Joined(pos, 3, 4);
  row[ListColumn::Size] = Joined(dims, 3, 4);
  row[ListColumn::Reso] = Integer(rec.Reso);
  row[ListColumn::Dir] = Integer(rec.Dir);
  row[ListColumn::Angle] = Joined(rec.Ang, 3, 1);
  row[ListColumn::Fill] = rec.Fill ? "" : "-";
  row[ListColumn::Frame] = rec.Frame ? "" : "-";
  row[ListColumn::Trans] = ListNumber(rec.Trans, 2);
  row[ListColumn::Text] = rec.Text;
  for (int i = 0; i < 10; ++i) row[ListColumn::Opt] += Integer(rec.Opt[i]) + ",";
  // The column holds the first eleven size options; the rest are in the
  // editor.
  for (int i = 0; i <= 10; ++i) row[ListColumn::SizeOpt] += ListNumber(rec.size[i], 4) + ",";
  // Slots are numbered 1 to 10 wherever the operator sees them.
  row[ListColumn::Tex] = rec.Tex >= 0 && rec.Tex <= 9 ? Integer(rec.Tex + 1) : "-";
  for (int i = 0; i < 10; ++i) row[ListColumn::ID] += Integer(rec.ID[i]) + ",";
  return row;
}

bool IsListColorColumn(int col) {
  return col == ListColumn::Fill || col == ListColumn::Frame ||
         (col >= ListColumn::FirstSub && col <= ListColumn::LastSub);
}

bool ListCellColor(int col, const SceneObject& rec, Color* color) {
  Color c = 0;
  if (col == ListColumn::Fill) {
    if (!rec.Fill) return false;
    c = rec.clFill;
  } else if (col == ListColumn::Frame) {
    if (!rec.Frame) return false;
    c = rec.clFrame;
  } else if (col >= ListColumn::FirstSub && col <= ListColumn::LastSub) {
    c = rec.cl_sub[col - ListColumn::FirstSub];
  } else {
    return false;
  }
  if (color) *color = c & 0xFFFFFF;
  return true;
}
