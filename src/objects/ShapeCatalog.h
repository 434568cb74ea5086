#pragma once

#include <string>
#include <vector>

#include "objects/ShapeListFile.h"

// What the object editor makes of the shape list: the kinds it offers, their
// names, and which of a record's fields each kind makes editable.

// Bits of an entry's field mask (parameter 1): the controls and grid cells
// that mean something for the kind.
namespace FieldBit {
constexpr int X = 0, Y = 1, Z = 2;
constexpr int W = 3, D = 4, H = 5;
constexpr int R = 6, R2 = 7;
constexpr int Reso = 8;
constexpr int Dir = 9;
constexpr int Ang0 = 10, Ang1 = 11, Ang2 = 12;
constexpr int Fill = 13;  // fill, fill colour, colour texture and its grid row
constexpr int Frame = 14;
constexpr int Trans = 15;
constexpr int Texture = 16;
constexpr int ID = 17;
constexpr int Profile = 18;  // ConstCylinder's profile; no control depends on it
constexpr int Text = 19;
}  // namespace FieldBit

inline bool HasFieldBit(const ShapeListEntry& e, int bit) {
  return (e.param[0] >> bit) & 1;
}
// Bit n of parameter p (1..4) of the entry.
inline bool HasParamBit(const ShapeListEntry& e, int p, int n) {
  return n >= 0 && n < 32 && ((static_cast<uint32_t>(e.param[p - 1]) >> n) & 1u);
}

// The list the program starts with: the primitive kinds, each offered.
void SetBuiltInShapeList(ShapeList& list);

// The entry's name; "????" for a kind outside 0..499, empty for a kind the
// list does not name.
std::string ShapeNameOf(const ShapeList& list, int kind);

// The first enabled entry with exactly that name, or -1.
int KindOfName(const ShapeList& list, const std::string& name);

// The kinds the shape selector offers, ascending: enabled entries that
// have a name.
std::vector<int> OfferedKinds(const ShapeList& list);

// The entry of a kind, or an entry with every mask clear for a kind outside
// the list.
const ShapeListEntry& EntryOf(const ShapeList& list, int kind);
