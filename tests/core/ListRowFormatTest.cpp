#include <gtest/gtest.h>

#include "objects/ListRowFormat.h"
#include "objects/ShapeCatalog.h"

TEST(ListRowFormat, ExactZeroIsWrittenWithoutDecimals) {
  EXPECT_EQ(ListNumber(0.0, 4), "0");
  EXPECT_EQ(ListNumber(-0.0, 4), "0");
  EXPECT_EQ(ListNumber(0.00001, 4), "0.0000");  // not exactly zero
  EXPECT_EQ(ListNumber(1.5, 4), "1.5000");
  EXPECT_EQ(ListNumber(-30.0, 1), "-30.0");
  EXPECT_EQ(ListNumber(0.5, 2), "0.50");
}

TEST(ListRowFormat, RowOfAnObject) {
  ShapeList shapes;
  SetBuiltInShapeList(shapes);
  SceneObject r;
  InitializeRecords(&r, 1);
  ListRow row = ListRowTexts(6, r, shapes);
  EXPECT_EQ(row[ListColumn::No], "7");
  EXPECT_EQ(row[ListColumn::Name], "OBJ000");
  EXPECT_EQ(row[ListColumn::Draw], "");
  EXPECT_EQ(row[ListColumn::Shape], "Cube");
  EXPECT_EQ(row[ListColumn::Pos], "0,0,0");
  EXPECT_EQ(row[ListColumn::Size], "1.0000,1.0000,1.0000");
  EXPECT_EQ(row[ListColumn::Reso], "36");
  EXPECT_EQ(row[ListColumn::Fill], "");
  EXPECT_EQ(row[ListColumn::Frame], "-");
  EXPECT_EQ(row[ListColumn::Trans], "1.00");
  EXPECT_EQ(row[ListColumn::Opt], "0,0,0,0,0,0,0,0,0,0,");
  EXPECT_EQ(row[ListColumn::SizeOpt], "0,0,0,0,0,0,0,0,0,0,0,");
  EXPECT_EQ(row[ListColumn::Tex], "-");
  EXPECT_EQ(row[ListColumn::ID], "0,0,0,0,0,0,0,0,0,0,");
  EXPECT_EQ(row[ListColumn::FirstSub], "");

  r.Enbl = true;
  r.X = 1.5f;
  r.Z = -2.0f;
  r.Dir = 4;
  r.Ang[2] = 12.25f;
  r.Opt[1] = -3;
  r.size[10] = 0.1f;
  r.size[11] = 5.0f;
  r.ID[9] = -1;
  r.Text = "Lot 7";
  r.Tex = 9;
  r.Shp = 131;
  row = ListRowTexts(0, r, shapes);
  EXPECT_EQ(row[ListColumn::Draw], "ON");
  EXPECT_EQ(row[ListColumn::Shape], "");  // the built-in list does not name it
  EXPECT_EQ(row[ListColumn::Pos], "1.5000,0,-2.0000");
  EXPECT_EQ(row[ListColumn::Dir], "4");
  EXPECT_EQ(row[ListColumn::Angle], "0,0,12.2");
  EXPECT_EQ(row[ListColumn::Opt], "0,-3,0,0,0,0,0,0,0,0,");
  EXPECT_EQ(row[ListColumn::SizeOpt], "0,0,0,0,0,0,0,0,0,0,0.1000,");
  EXPECT_EQ(row[ListColumn::ID], "0,0,0,0,0,0,0,0,0,-1,");
  EXPECT_EQ(row[ListColumn::Text], "Lot 7");
  EXPECT_EQ(row[ListColumn::Tex], "10");
  r.Shp = -1;
  EXPECT_EQ(ListRowTexts(0, r, shapes)[ListColumn::Shape], "????");
}

TEST(ListRowFormat, ColourCells) {
  SceneObject r;
  r.clFill = 0x123456;
  r.clFrame = 0xABCDEF;
  r.cl_sub[9] = 0xFF00FF00;  // the top byte is not part of the colour
  Color c = 0;
  ASSERT_TRUE(ListCellColor(ListColumn::Fill, r, &c));
  EXPECT_EQ(c, 0x123456u);
  EXPECT_FALSE(ListCellColor(ListColumn::Frame, r, &c));  // frame off
  r.Frame = true;
  ASSERT_TRUE(ListCellColor(ListColumn::Frame, r, &c));
  EXPECT_EQ(c, 0xABCDEFu);
  ASSERT_TRUE(ListCellColor(ListColumn::LastSub, r, &c));
  EXPECT_EQ(c, 0x00FF00u);
  EXPECT_FALSE(ListCellColor(ListColumn::Text, r, &c));
  EXPECT_TRUE(IsListColorColumn(ListColumn::FirstSub));
  EXPECT_FALSE(IsListColorColumn(ListColumn::Tex));
  EXPECT_EQ(std::string(ListHeading(ListColumn::SizeOpt)), "SizeOpt[0-19]");
  EXPECT_EQ(ListColumnWidth(ListColumn::Opt), 166);
}
