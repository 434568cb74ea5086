#pragma once

#include "collision/CollisionGeometry.h"

// The articulated arm as capsules (its base plate as a plate) for the interference check, built from
// the same sizes and the same chain of turns as its drawing. Each capsule
// runs along a piece's own axis and encloses the piece: a round column
// whole, a slot-shaped link with the radius that reaches the corners of
// its thickness. So a capsule may report a contact a few centimetres off
// the flat sides of a thick link, and never misses one.
enum ArmLink { kArmBase, kArmJ1, kArmJ2, kArmJ3, kArmJ4, kArmJ5, kArmFlange, kArmLinkCount };

// "Base", "J1 link" ... "J5 link", "Flange".
const char* ArmLinkName(int link);

struct ArmCapsule {
  Sweep sweep;
  int link = kArmBase;
};

constexpr int kArmCapsuleCount = 12;

// The capsules of the arm standing at the origin, joints J1..J6 in degrees.
void ArmCapsules(const float joints[6], ArmCapsule out[kArmCapsuleCount]);
