#include <gtest/gtest.h>

#include <string>

#include "objects/ShapeCatalog.h"
#include "objects/ShapeKind.h"

namespace {

std::string ShippedShapeList() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../../data/ShapeList.dat";
}

}  // namespace

TEST(ShapeCatalog, BuiltInListNamesThePrimitivesOnly) {
  ShapeList list;
  SetBuiltInShapeList(list);
  EXPECT_EQ(OfferedKinds(list).size(), 21u);
  for (int k = 0; k < kShapeListSize; ++k) {
    const char* builtIn = ShapeKindName(k);
    EXPECT_EQ(ShapeNameOf(list, k), builtIn ? builtIn : "") << k;
    EXPECT_EQ(list[static_cast<size_t>(k)].enabled != 0, builtIn != nullptr) << k;
  }
  // The laid-out masks, all four of every row.
  const struct {
    int kind;
    int32_t p[4];
  } rows[] = {{1, {0x3007, 0, 0, 0}},   {2, {0x3C7F, 0, 0, 0}},  {3, {0xFE3F, 0, 0, 0}},
              {4, {0xFC3F, 0, 0, 0}},   {5, {0xFC3F, 0, 0, 0}},  {6, {0xFC3F, 0, 0, 0}},
              {7, {0xFD07, 0, 0, 0}},   {8, {0xFDE7, 1, 0, 0}},  {9, {0xFD47, 0, 0, 0}},
              {10, {0xFD67, 0, 0, 0}},  {11, {0xFD7F, 0, 0, 0}}, {12, {0xFDEF, 1, 0, 0}},
              {20, {0x4FD27, 0, 0, 0}}, {21, {0xFD5F, 0, 0, 0}}, {22, {0xFD6F, 0, 0, 0}},
              {23, {0xFD1F, 0, 0, 0}},  {24, {0xFDFF, 3, 3, 0}}, {25, {0xFC7F, 0, 0, 0}},
              {26, {0xFC7F, 0, 0, 0}},  {27, {0xFD07, 0, 0, 0}}, {28, {0xFC7F, 0, 3, 0}}};
  for (const auto& r : rows)
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(list[static_cast<size_t>(r.kind)].param[i], r.p[i])
          << "kind " << r.kind << " parameter " << i + 1;
  for (int k = 0; k < kShapeListSize; ++k) {
    if (!ShapeKindName(k)) {
      for (int i = 0; i < 10; ++i) ASSERT_EQ(list[static_cast<size_t>(k)].param[i], 0) << k;
    }
  }
  EXPECT_EQ(ShapeNameOf(list, -1), "????");
  EXPECT_EQ(ShapeNameOf(list, 500), "????");
}

TEST(ShapeCatalog, NameLookupTakesTheFirstEnabledEntry) {
  ShapeList list;
  ClearShapeList(list);
  list[3] = {0, "Box", {}};
  list[7] = {1, "Box", {}};
  list[9] = {1, "Box", {}};
  list[11] = {1, "", {}};
  EXPECT_EQ(KindOfName(list, "Box"), 7);
  EXPECT_EQ(KindOfName(list, "box"), -1);
  EXPECT_EQ(KindOfName(list, ""), -1);
  EXPECT_EQ(OfferedKinds(list), (std::vector<int>{7, 9}));
  EXPECT_EQ(EntryOf(list, 600).param[0], 0);
}

TEST(ShapeCatalog, ShippedListOffersEveryPrimitiveAndTheRobots) {
  // Which fields each row makes live is measured against the drawings
  // (ShippedShapeList tests); here only what is offered, under which name.
  ShapeList list;
  ASSERT_EQ(LoadShapeList(ShippedShapeList(), list), 1);
  for (int kind = 0; kind < kShapeListSize; ++kind)
    if (const char* builtIn = ShapeKindName(kind)) {
      EXPECT_NE(list[static_cast<size_t>(kind)].enabled, 0) << kind;
      EXPECT_EQ(list[static_cast<size_t>(kind)].name, builtIn) << kind;
    }
  for (int kind : {150, 151, 152}) EXPECT_NE(list[static_cast<size_t>(kind)].enabled, 0) << kind;
  EXPECT_EQ(list[150].name, "ScaraRobot");
  EXPECT_EQ(list[131].name, "Wafer");
}
