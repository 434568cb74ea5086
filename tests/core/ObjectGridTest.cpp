#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/ObjectGrid.h"
#include "objects/ShapeCatalog.h"
#include "objects/Convert.h"

namespace {

SceneObject DefaultRecord() {
  SceneObject r;
  InitializeRecords(&r, 1);
  return r;
}

GridTexts GridOf(const SceneObject& r) {
  GridTexts g = EmptyGrid();
  RecordToGrid(r, g);
  return g;
}

}  // namespace

TEST(ObjectGrid, RowsAreWrittenInTheirOwnFormats) {
  SceneObject r = DefaultRecord();
  r.X = 1.5f;
  r.Y = -0.00001f;  // rounds to zero: no minus sign
  r.Ang[0] = 359.95f;
  r.Opt[9] = -99999;
  r.size[19] = 0.1f;
  r.ColorTex.shin = 76.8f;
  r.ID[0] = -32768;
  r.Trans = 0.255f;
  const GridTexts g = GridOf(r);
  EXPECT_EQ(g[GridRow::Position][1], "1.5000");
  EXPECT_EQ(g[GridRow::Position][2], "0.0000");
  EXPECT_EQ(g[GridRow::Size][3], "1.0000");
  EXPECT_EQ(g[GridRow::Radius][2], "0.5000");
  EXPECT_EQ(g[GridRow::Angle][1], "360.0");
  EXPECT_EQ(g[GridRow::Option][10], "-99999");
  EXPECT_EQ(g[GridRow::SizeOption][20], "0.1000");
  EXPECT_EQ(g[GridRow::ColorTex][1], "0.2000");
  EXPECT_EQ(g[GridRow::ColorTex][4], "1.0000");
  EXPECT_EQ(g[GridRow::ColorTex][9], "0.1000");
  EXPECT_EQ(g[GridRow::ColorTex][10], "77");
  EXPECT_EQ(g[GridRow::SubColor][1], "");
  EXPECT_EQ(g[GridRow::ID][1], "-32768");
  EXPECT_EQ(g[GridRow::Trans][1], "0.25");  // 0.255f lies just below 0.255
  EXPECT_EQ(g[0][0], "Name");
  EXPECT_EQ(g[0][3], "Dat3(Z/H)");
  EXPECT_EQ(g[0][4], "Dat4");
  EXPECT_EQ(g[GridRow::SizeOption][0], "Size Op.");
  EXPECT_EQ(g[GridRow::Trans][2], "");  // beyond the row's fields
}

TEST(ObjectGrid, TextsGoBackIntoTheRecordFieldByField) {
  SceneObject r = DefaultRecord();
  GridTexts g = GridOf(r);
  g[GridRow::Position][3] = "-2.2500";
  g[GridRow::Size][2] = "3.0000";
  g[GridRow::Radius][2] = "0.7500";
  g[GridRow::Angle][2] = "-45.0";
  g[GridRow::Option][4] = "42";
  g[GridRow::SizeOption][17] = "9.5000";
  g[GridRow::ID][10] = "40000";  // held to the 16-bit range, not wrapped
  g[GridRow::Trans][1] = "0.30";
  g[GridRow::ColorTex][5] = "0.5000";
  SceneObject out = r;
  GridToRecord(g, out);
  EXPECT_FLOAT_EQ(out.Z, -2.25f);
  EXPECT_FLOAT_EQ(out.D, 3.0f);
  EXPECT_FLOAT_EQ(out.R2, 0.75f);
  EXPECT_FLOAT_EQ(out.Ang[1], -45.0f);
  EXPECT_EQ(out.Opt[3], 42);
  EXPECT_FLOAT_EQ(out.size[16], 9.5f);
  EXPECT_EQ(out.ID[9], 32767);
  EXPECT_FLOAT_EQ(out.Trans, 0.3f);
  // The material row is left to its own conversion.
  EXPECT_FLOAT_EQ(out.ColorTex.diff[1], 1.0f);
  ColorTex ct;
  GridToColorTex(g, ct);
  EXPECT_FLOAT_EQ(ct.diff[1], 0.5f);
  EXPECT_FLOAT_EQ(ct.shin, 32.0f);

  g[GridRow::Size][1] = "abc";
  EXPECT_THROW(GridToRecord(g, out), ConversionError);
}

TEST(ObjectGrid, ValidationNamesTheFirstEmptyCellInOrder) {
  const GridTexts full = GridOf(DefaultRecord());
  EXPECT_EQ(ValidationMessage(EditorChecks{}, full), "");

  // Control checks come before any cell, in their own order.
  EditorChecks c;
  c.hasShape = c.hasResolution = c.hasDirection = false;
  c.textChecked = c.textEmpty = true;
  c.textureChecked = true;
  c.textureChosen = false;
  const std::vector<std::string> controls = {"'Shape' set error.", "'Circle Resolution' set error.",
                                             "'Direction' set error.", "Set 'Text' data.",
                                             "'Texture' set error."};
  for (const std::string& want : controls) {
    EXPECT_EQ(ValidationMessage(c, GridTexts{}), want);
    if (!c.hasShape)
      c.hasShape = true;
    else if (!c.hasResolution)
      c.hasResolution = true;
    else if (!c.hasDirection)
      c.hasDirection = true;
    else if (c.textEmpty)
      c.textEmpty = false;
    else
      c.textureChosen = true;
  }
  // A name or text that would split its line in the file is refused.
  EXPECT_TRUE(BreaksFileField("a,b"));
  EXPECT_TRUE(BreaksFileField("two\nlines"));
  EXPECT_FALSE(BreaksFileField("Robot Test; ok"));
  EditorChecks breaking;
  breaking.nameBreaksFile = true;
  EXPECT_EQ(ValidationMessage(breaking, full), "'Name' must not contain a comma or a line break.");
  breaking.nameBreaksFile = false;
  breaking.textBreaksFile = true;
  EXPECT_EQ(ValidationMessage(breaking, full), "'Text' must not contain a comma or a line break.");
  // An empty text is fine when "Text:" is not checked.
  EditorChecks unchecked;
  unchecked.textEmpty = true;
  EXPECT_EQ(ValidationMessage(unchecked, full), "");

  // Emptying every checked cell and refilling them one by one walks the
  // messages in order.
  struct Step {
    int row, col;
    const char* message;
  };
  const std::vector<Step> order = {
      {1, 1, "'Pos-X' set error."},
      {1, 2, "'Pos-Y' set error."},
      {1, 3, "'Pos-Z' set error."},
      {2, 1, "'Size-W' set error."},
      {2, 2, "'Size-D' set error."},
      {2, 3, "'Size-H' set error."},
      {3, 1, "'Radius-R' set error."},
      {3, 2, "'Radius-R2' set error."},
      {4, 1, "'Angle-1' set error."},
      {4, 3, "'Angle-3' set error."},
      {7, 1, "'ColorTex'-'Amb-1' set error."},
      {7, 6, "'ColorTex'-'Diff-3' set error."},
      {7, 9, "'ColorTex'-'Spec-3' set error."},
      {7, 10, "'ColorTex'-'Shin' set error."},
      {5, 1, "'OPT-1' set error."},
      {5, 10, "'OPT-10' set error."},
      {6, 1, "'Size Op.-1' set error."},
      {6, 20, "'Size Op.-20' set error."},
      {9, 1, "'ID-1' set error."},
      {9, 10, "'ID-10' set error."},
      {10, 1, "'Trans.' set error."},
  };
  GridTexts g = full;
  for (const Step& s : order) g[static_cast<size_t>(s.row)][static_cast<size_t>(s.col)].clear();
  for (const Step& s : order) {
    EXPECT_EQ(ValidationMessage(EditorChecks{}, g), s.message);
    g[static_cast<size_t>(s.row)][static_cast<size_t>(s.col)] = "0";
  }
  EXPECT_EQ(ValidationMessage(EditorChecks{}, g), "");
}

TEST(ObjectGrid, CellsAreLiveByTheKindsMasks) {
  ShapeListEntry e;
  e.param[0] = (1 << FieldBit::X) | (1 << FieldBit::R2) | (1 << FieldBit::Ang2) | (1 << FieldBit::Fill) |
               (1 << FieldBit::ID) | (1 << FieldBit::Trans);
  e.param[1] = 0x201;    // Opt[0], Opt[9]
  e.param[2] = 0x80000;  // size[19]
  e.param[3] = 0x2;      // cl_sub[1]
  EXPECT_TRUE(GridCellLive(e, GridRow::Position, 1, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::Position, 2, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::Radius, 1, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::Radius, 2, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::Radius, 3, true, false));  // no third radius
  EXPECT_TRUE(GridCellLive(e, GridRow::Angle, 3, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::Option, 1, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::Option, 10, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::Option, 11, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::SizeOption, 20, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::SizeOption, 19, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::SubColor, 2, true, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::SubColor, 1, true, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::ID, 10, false, false));
  EXPECT_TRUE(GridCellLive(e, GridRow::Trans, 1, false, false));
  EXPECT_FALSE(GridCellLive(e, GridRow::Trans, 2, false, false));
  // The material row needs its bit and both boxes.
  EXPECT_TRUE(GridCellLive(e, GridRow::ColorTex, 10, true, true));
  EXPECT_FALSE(GridCellLive(e, GridRow::ColorTex, 10, false, true));
  EXPECT_FALSE(GridCellLive(e, GridRow::ColorTex, 10, true, false));
  e.param[0] &= ~(1 << FieldBit::Fill);
  EXPECT_FALSE(GridCellLive(e, GridRow::ColorTex, 1, true, true));
}

TEST(ObjectGrid, KeypadAsksForEachRowsRange) {
  KeypadRequest k;
  ASSERT_TRUE(GridKeypadRequest(GridRow::Position, 3, &k));
  EXPECT_EQ(k.kind, 1);
  EXPECT_DOUBLE_EQ(k.minimum, -999.9999);
  EXPECT_EQ(k.digits, 9);
  EXPECT_EQ(k.decimals, 4);
  ASSERT_TRUE(GridKeypadRequest(GridRow::Angle, 1, &k));
  EXPECT_DOUBLE_EQ(k.maximum, 360.0);
  EXPECT_EQ(k.digits, 7);
  ASSERT_TRUE(GridKeypadRequest(GridRow::Option, 10, &k));
  EXPECT_EQ(k.kind, 0);
  EXPECT_DOUBLE_EQ(k.maximum, 99999.0);
  ASSERT_TRUE(GridKeypadRequest(GridRow::ColorTex, 9, &k));
  EXPECT_DOUBLE_EQ(k.maximum, 1.0);
  EXPECT_EQ(k.decimals, 3);
  ASSERT_TRUE(GridKeypadRequest(GridRow::ColorTex, 10, &k));
  EXPECT_DOUBLE_EQ(k.minimum, 1.0);
  EXPECT_DOUBLE_EQ(k.maximum, 128.0);
  ASSERT_TRUE(GridKeypadRequest(GridRow::Trans, 1, &k));
  EXPECT_EQ(k.digits, 4);
  EXPECT_EQ(k.decimals, 2);
  EXPECT_FALSE(GridKeypadRequest(GridRow::SubColor, 1, &k));
  EXPECT_FALSE(GridKeypadRequest(GridRow::Position, 4, &k));
  EXPECT_FALSE(GridKeypadRequest(0, 1, &k));
}

TEST(ObjectGrid, KindChangeRules) {
  SceneObject r = DefaultRecord();
  ShapeListEntry round;
  round.param[0] = (1 << FieldBit::R) | (1 << FieldBit::R2);
  GridTexts g = GridOf(r);
  r.R = 0.0f;
  r.R2 = 0.0f;
  EXPECT_FALSE(ApplyKindChangeRules(ShapeKind::Cylinder, round, g, r));
  EXPECT_EQ(g[GridRow::Radius][1], "0.5000");
  EXPECT_EQ(g[GridRow::Radius][2], "0.5000");  // untouched: it showed 0.5 already
  g[GridRow::Radius][2] = "0.0000";
  r.R = 1.0f;  // R is set, so R2 gets the half unit
  ApplyKindChangeRules(ShapeKind::Cylinder, round, g, r);
  EXPECT_EQ(g[GridRow::Radius][2], "0.5000");

  ShapeListEntry none;
  g = GridOf(r);
  g[GridRow::Angle][2] = "33.0";
  EXPECT_TRUE(ApplyKindChangeRules(ShapeKind::FrogLegRobot, none, g, r));
  EXPECT_EQ(g[GridRow::Angle][2], "0.0");
  EXPECT_EQ(g[GridRow::SizeOption][8], "0.0000");
  EXPECT_EQ(g[GridRow::SizeOption][10], "1.3");
  EXPECT_EQ(r.cl_sub[0], 0xE1FFFFu);
  EXPECT_EQ(r.cl_sub[4], 0x808080u);
  EXPECT_EQ(r.cl_sub[8], 0xFFFFFFu);
  EXPECT_EQ(r.cl_sub[9], 0x00FFFFu);
  EXPECT_FALSE(ApplyKindChangeRules(ShapeKind::Wafer, none, g, r));
  EXPECT_FALSE(ApplyKindChangeRules(153, none, g, r));
}

TEST(ObjectGrid, StepsByTypeAxisAndCount) {
  EXPECT_EQ(StepButtonCaption(IncPosition, 0), "+X");
  EXPECT_EQ(StepButtonCaption(IncPosition, 3), "--X");
  EXPECT_EQ(StepButtonCaption(IncSize, 5), "++D");
  EXPECT_EQ(StepButtonCaption(IncSize, 11), "--H");
  EXPECT_EQ(StepButtonCaption(IncAngle, 6), "-Y");
  EXPECT_EQ(StepButtonCount(1), 100);
  EXPECT_EQ(StepButtonCount(10), -1);
  EXPECT_EQ(StepButtonAxis(7), 1);

  StepTarget t = StepTargetFor(IncSize, 2, -100);
  EXPECT_EQ(t.row, GridRow::Size);
  EXPECT_EQ(t.col, 3);
  EXPECT_DOUBLE_EQ(t.step, -0.1);
  t = StepTargetFor(IncAngle, 0, 1);  // X: Ang[2], turned the other way
  EXPECT_EQ(t.row, GridRow::Angle);
  EXPECT_EQ(t.col, 3);
  EXPECT_DOUBLE_EQ(t.step, -1.0);
  t = StepTargetFor(IncAngle, 2, 100);
  EXPECT_EQ(t.col, 1);
  EXPECT_DOUBLE_EQ(t.step, 10.0);
  EXPECT_EQ(StepTargetFor(IncAngle, 1, -100).col, 2);

  EXPECT_EQ(SteppedText("359.5", StepTargetFor(IncAngle, 2, 100)), "360.0");
  EXPECT_EQ(SteppedText("-355.0", StepTargetFor(IncAngle, 0, 100)), "-360.0");
  EXPECT_EQ(SteppedText("999.9500", StepTargetFor(IncPosition, 0, 100)), "999.9999");
  EXPECT_EQ(SteppedText("-0.0010", StepTargetFor(IncPosition, 1, 1)), "0.0000");
  // A thousand small steps land exactly, not a rounding error away.
  std::string s = "0.0000";
  for (int i = 0; i < 1000; ++i) s = SteppedText(s, StepTargetFor(IncPosition, 0, 1));
  EXPECT_EQ(s, "1.0000");
  EXPECT_THROW(SteppedText("", StepTargetFor(IncPosition, 0, 1)), ConversionError);

  EXPECT_EQ(OriginText(IncPosition), "0.0000");
  EXPECT_EQ(OriginText(IncSize), "1.0000");
  EXPECT_EQ(OriginText(IncAngle), "0.0");
  EXPECT_EQ(OriginQuestion(IncAngle),
            "Reset 'Angle' data to Origin.\n(Size='1.000',other='0.000')\nAre you sure?");
}
