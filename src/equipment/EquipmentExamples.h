#pragma once

#include <array>
#include <cstdint>

#include "objects/SceneObject.h"

// Every equipment kind: the 21 composite parts, the wafer and the three
// transfer robots, in Shp order.
constexpr std::array<int32_t, 25> kEquipmentKinds = {100, 101, 102, 103, 104, 105, 106, 107, 108,
                                                     109, 110, 111, 112, 113, 114, 115, 116, 117,
                                                     130, 131, 132, 133, 150, 151, 152};

// A well-proportioned example of an equipment kind standing at the origin,
// enabled, filled, with the sizes, options and colours that make it read
// as what it is (the values docs/composite-parts.md suggests). The wafer
// and the robots' wafers name texture slot 1, the built-in wafer picture.
// Any other kind gives a default record of that kind.
SceneObject ExampleEquipment(int32_t kind);
