#include <gtest/gtest.h>

#include <string>

#include "objects/ShapeCatalog.h"
#include "objects/ShapeKind.h"

namespace {

std::string ShippedShapeList() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind('/')) + "/../../data/ShapeList.dat";
}

// Bits from a list of bit numbers.
int32_t Bits(std::initializer_list<int> bits) {
  int32_t m = 0;
  for (int b : bits) m |= 1 << b;
  return m;
}

using namespace FieldBit;

// What each primitive reads besides its colours: the fields the editor
// must let the operator change.
struct Needs {
  int kind;
  int32_t fields, options, sizeOptions;
};
const Needs kPrimitiveNeeds[] = {
    {1, Bits({X, Y, Z, Fill, Trans}), 0, 0},
    {2, Bits({X, Y, Z, W, D, H, R, Ang0, Ang1, Ang2, Fill, Trans}), 0, 0},
    {3, Bits({X, Y, Z, W, D, H, Dir, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {4, Bits({X, Y, Z, W, D, H, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {5, Bits({X, Y, Z, W, D, H, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, Bits({0})},
    {6, Bits({X, Y, Z, W, D, H, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {7, Bits({X, Y, Z, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0}), Bits({0, 1})},
    {8, Bits({X, Y, Z, H, R, R2, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0}), Bits({0, 1})},
    {9, Bits({X, Y, Z, R, R2, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, Bits({0, 1})},
    {10, Bits({X, Y, Z, H, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {11, Bits({X, Y, Z, W, D, H, R, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {12, Bits({X, Y, Z, W, H, R, R2, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0, 1}),
     Bits({0, 1, 2, 3})},
    {20, Bits({X, Y, Z, H, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0}), 0},
    {21, Bits({X, Y, Z, W, D, R, Reso, Dir, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {22, Bits({X, Y, Z, W, H, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, Bits({0, 1})},
    {23, Bits({X, Y, Z, W, D, H, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0}), 0},
    {24, Bits({X, Y, Z, W, D, H, R, R2, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), Bits({0, 1}),
     Bits({0, 1})},
    {25, Bits({X, Y, Z, W, H, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {26, Bits({X, Y, Z, W, D, H, R, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {27, Bits({X, Y, Z, W, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, 0},
    {28, Bits({X, Y, Z, W, D, H, R, Reso, Ang0, Ang1, Ang2, Fill, Frame, Trans}), 0, Bits({0, 1})},
    {45, Bits({X, Y, Z, Dir, Ang0, Ang1, Ang2, Fill, Trans, Text}), 0, Bits({0, 1})},
};

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
  EXPECT_EQ(list[20].param[0], 0x4FD27);
  EXPECT_EQ(list[24].param[1], 3);
  EXPECT_EQ(list[28].param[2], 3);
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

TEST(ShapeCatalog, ShippedListOffersEveryPrimitiveWithWhatItReads) {
  ShapeList list;
  ASSERT_EQ(LoadShapeList(ShippedShapeList(), list), 1);
  for (const Needs& n : kPrimitiveNeeds) {
    const ShapeListEntry& e = list[static_cast<size_t>(n.kind)];
    EXPECT_NE(e.enabled, 0) << n.kind;
    if (const char* builtIn = ShapeKindName(n.kind)) {
      EXPECT_EQ(e.name, builtIn) << n.kind;
    }
    EXPECT_EQ(e.param[0] & n.fields, n.fields)
        << "kind " << n.kind << " misses field bits " << std::hex << (n.fields & ~e.param[0]);
    EXPECT_EQ(e.param[1] & n.options, n.options) << n.kind;
    EXPECT_EQ(e.param[2] & n.sizeOptions, n.sizeOptions) << n.kind;
  }
  // The transfer robots: axes and scale, hand colours, wafers on the hands.
  for (int kind : {150, 151, 152}) {
    const ShapeListEntry& e = list[static_cast<size_t>(kind)];
    EXPECT_NE(e.enabled, 0) << kind;
    EXPECT_TRUE(HasFieldBit(e, Ang0)) << kind;
    for (int s : {0, 2, 3, 4, 9}) EXPECT_TRUE(HasParamBit(e, 3, s)) << kind << " size " << s;
    for (int c : {0, 1, 2, 9}) EXPECT_TRUE(HasParamBit(e, 4, c)) << kind << " sub colour " << c;
    EXPECT_TRUE(HasParamBit(e, 2, 0) && HasParamBit(e, 2, 1)) << kind;
  }
  EXPECT_EQ(list[150].name, "ScaraRobot");
  EXPECT_EQ(list[131].name, "Wafer");
}
