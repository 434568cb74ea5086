#pragma once

#include <array>

#include "objects/SceneObject.h"
#include "objects/RobotPanel.h"

// A scene object is drawn from its stored record, except where the window
// substitutes values for a frame: a transfer robot that follows a robot
// panel takes the panel's axes, and a controller on the link may place or
// hide any record. Drawing works on a copy with the substitutes written into
// its fields (the "effective record"), so the stored table keeps what the
// user set and a cache keyed on the drawn record sees every change.

// Opt[8] of a transfer robot names the panel it follows: 0 none (its own
// fields, as every older file has it), 1 RBT1, 2 RBT2.
constexpr int kFollowPanelOption = 8;

// The pose a controller gives one record through the link.
struct ObjectOverride {
  bool active = false;  // false: the stored record as it is
  bool enabled = true;  // drawn or hidden
  float X = 0.0f, Y = 0.0f, Z = 0.0f;
  float Ang[3] = {0.0f, 0.0f, 0.0f};
};
using ObjectOverrides = std::array<ObjectOverride, kObjectCapacity>;

// What drawing substitutes for stored fields; null members substitute
// nothing.
struct DrawSubstitutes {
  const RobotPanelValues* panels = nullptr;  // two: RBT1, RBT2
  const ObjectOverrides* overrides = nullptr;
};

// The panel (1 or 2) a record follows; 0 when it is not a transfer robot or
// follows none.
int FollowedPanel(const SceneObject& rec);

// Writes a panel's axes and wafer flags into a robot record's fields:
// R1, R2, Z, T, X into size[0..4], RT1, RT2 into size[6], size[7], the
// wafers on hand 1 and 2 into Opt[0], Opt[1].
void ApplyPanel(SceneObject& rec, const RobotPanelValues& panel);

// True when record `index` is drawn from anything but its stored fields.
bool HasSubstitute(const SceneObject& stored, int index, const DrawSubstitutes& s);

// True when a and b agree (floats bit for bit) in every field a substitute
// can write: Enbl, X, Y, Z, Ang, the panel's size and Opt values. Two
// copies of one stored record drawn with different substitutes differ
// only there.
bool SameSubstitutedFields(const SceneObject& a, const SceneObject& b);

// The record as drawn: a copy of the stored one with the substitutes
// written into it.
SceneObject EffectiveRecord(const SceneObject& stored, int index, const DrawSubstitutes& s);
