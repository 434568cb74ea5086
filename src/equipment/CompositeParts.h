#pragma once

#include "objects/SceneObject.h"

// One drawing routine per composite part kind. DrawCompositePart picks the
// routine by Shp; each can also be called directly. Every routine places
// its part at (X, Y, Z), turns it by Ang[1] about x, Ang[2] about z and
// Ang[0] about the vertical, and reads the fields docs/composite-parts.md
// lists for its kind.
void DrawDrumUnit(SceneObject obj);       // 100
void DrawStudBolt(SceneObject obj);       // 101
void DrawThreadedRod(SceneObject obj);    // 102
void DrawCollarShaft(SceneObject obj);    // 103
void DrawRectFrame(SceneObject obj);      // 104
void DrawValveBlock(SceneObject obj);     // 105
void DrawPumpUnit(SceneObject obj);       // 106
void DrawStackedUnit(SceneObject obj);    // 107
void DrawPipeStand(SceneObject obj);      // 108
void DrawModuleRow(SceneObject obj);      // 109
void DrawRollerShaft(SceneObject obj);    // 110
void DrawPipeRiser(SceneObject obj);      // 111
void DrawRingBlock(SceneObject obj);      // 112
void DrawGaugeValve(SceneObject obj);     // 113
void DrawHexStud(SceneObject obj);        // 114
void DrawConnector(SceneObject obj);      // 115
void DrawClevis(SceneObject obj);         // 116
void DrawTerminalStrip(SceneObject obj);  // 117
void DrawLevelRack(SceneObject obj);      // 130
void DrawOpenBox(SceneObject obj);        // 132
void DrawAngleProfile(SceneObject obj);   // 133

// Every composite part kind in Shp order (the wafer, 131, is not one).
constexpr int kCompositeKindCount = 21;
extern const int32_t kCompositeKinds[kCompositeKindCount];
