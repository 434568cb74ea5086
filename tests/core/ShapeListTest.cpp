#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "objects/ShapeListFile.h"

namespace {

std::unique_ptr<ShapeList> Read(const std::string& text) {
  auto list = std::make_unique<ShapeList>();
  (*list)[499].name = "stale";
  (*list)[499].enabled = 1;
  ReadShapeList(text.data(), text.size(), *list);
  return list;
}

}  // namespace

TEST(ShapeListFile, DataLinesFillTheirEntries) {
  const auto list = Read(
      "# No,Name,Enable,P1,P2,P3,P4,\n"
      "4,Cube,1,FC3F,0,0,0,\n"
      "20,ConstCylinder,1,0x4FD27,0,0,0,extra,7,\n"
      "24,RoundRect,1,fdff,3,3,0,\n"
      "150,My Robot ,0,  7F,-1,80000000,FFFFFFFF,\n");
  const ShapeListEntry& cube = (*list)[4];
  EXPECT_EQ(cube.name, "Cube");
  EXPECT_EQ(cube.enabled, 1);
  EXPECT_EQ(cube.param[0], 0xFC3F);
  EXPECT_EQ((*list)[20].param[0], 0x4FD27);  // a C-style 0x prefix is accepted
  EXPECT_EQ((*list)[20].param[4], 0);        // fields after the fourth parameter are ignored
  EXPECT_EQ((*list)[24].param[0], 0xFDFF);
  EXPECT_EQ((*list)[24].param[1], 3);
  EXPECT_EQ((*list)[24].param[2], 3);
  const ShapeListEntry& robot = (*list)[150];
  EXPECT_EQ(robot.name, "My Robot ");  // names are kept verbatim
  EXPECT_EQ(robot.enabled, 0);
  EXPECT_EQ(robot.param[0], 0x7F);
  EXPECT_EQ(robot.param[1], -1);
  EXPECT_EQ(robot.param[2], static_cast<int32_t>(0x80000000u));
  EXPECT_EQ(robot.param[3], -1);
  // Everything else was cleared before reading.
  EXPECT_EQ((*list)[499].name, "");
  EXPECT_EQ((*list)[499].enabled, 0);
  EXPECT_EQ((*list)[5].name, "");
}

TEST(ShapeListFile, HashOpeningAnyFieldEndsTheLine) {
  const auto list = Read(
      "7,Circle,1,#FD07,5,5,5,\n"
      "8,#Cylinder,1,FDE7,\n"
      "#9,Ball,1,FD47,\n"
      "10,Cone,1,FD67,\n");
  EXPECT_EQ((*list)[7].name, "Circle");
  EXPECT_EQ((*list)[7].enabled, 1);
  EXPECT_EQ((*list)[7].param[0], 0);  // the '#' field and the rest are skipped
  EXPECT_EQ((*list)[7].param[1], 0);
  EXPECT_EQ((*list)[8].name, "");
  EXPECT_EQ((*list)[8].enabled, 0);
  EXPECT_EQ((*list)[9].name, "");
  EXPECT_EQ((*list)[10].name, "Cone");  // the line after a comment starts afresh
  EXPECT_EQ((*list)[10].param[0], 0xFD67);
}

TEST(ShapeListFile, OutOfRangeEntriesAreIgnoredAndShortLinesKeepWhatTheySet) {
  const auto list = Read(
      "500,Too far,1,FFFF,\n"
      "-1,Negative,1,FFFF,\n"
      "499,Last,1,\n"
      "12,Oval,1,FDEF,1");  // the last field has no comma and no line break
  for (int i = 0; i < 499; ++i) {
    if (i == 12) continue;
    EXPECT_EQ((*list)[i].name, "") << i;
  }
  EXPECT_EQ((*list)[499].name, "Last");
  EXPECT_EQ((*list)[499].enabled, 1);
  EXPECT_EQ((*list)[12].name, "Oval");
  EXPECT_EQ((*list)[12].param[0], 0xFDEF);
  EXPECT_EQ((*list)[12].param[1], 0);
}

TEST(ShapeListFile, FilesAreReadOrReportedMissing) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-shapes-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path dir = pattern;
  const std::string path = (dir / "ShapeList.dat").string();
  std::ofstream(path) << "# list\r\n3,Plane,1,FE3F,0,0,0,\r\n";

  auto list = std::make_unique<ShapeList>();
  EXPECT_EQ(LoadShapeList(path, *list), 1);
  EXPECT_EQ((*list)[3].name, "Plane");
  EXPECT_EQ((*list)[3].param[0], 0xFE3F);

  // A missing file leaves the list as it was.
  (*list)[1].name = "Dot";
  EXPECT_EQ(LoadShapeList((dir / "missing.dat").string(), *list), -1);
  EXPECT_EQ(LoadShapeList(dir.string(), *list), -1);
  EXPECT_EQ((*list)[1].name, "Dot");
  EXPECT_EQ((*list)[3].name, "Plane");
  std::filesystem::remove_all(dir);
}

TEST(ShapeListFile, LongFieldsAndNoiseStayInsideTheList) {
  const auto list = Read("5," + std::string(5000, 'n') + ",1,\n" + std::string(3000, ',') + "\n");
  EXPECT_EQ((*list)[5].name, std::string(255, 'n'));
  EXPECT_EQ((*list)[0].name, "");  // empty field 0 reads 0; its later fields are all empty
  std::string noise;
  uint32_t seed = 99;
  for (int i = 0; i < 100000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    noise.push_back(static_cast<char>(seed >> 24));
  }
  const auto noisy = Read(noise);
  for (const ShapeListEntry& e : *noisy) EXPECT_LE(e.name.size(), 255u);
}
