#pragma once

#include <vector>

#include "objects/FrameSteps.h"
#include "objects/SceneObject.h"

// Where every part of a transfer robot is, worked out from its record
// alone: the one description that the drawing (TransferRobots.cpp) draws
// and the interference check
// (collision/Interference.cpp) takes its moving parts from. Plain data; no GL.
//
// The record: the axes R1, R2, Z, T and the travel in size[0..4], the twin
// hands' own turns in size[6], size[7], the scale in size[9]; Opt[2] 1 for
// the SCARA's second arm, Opt[3] its arm size (0 standard, 1 shaft type,
// 2 wide hand); the wafers present in Opt[0], Opt[1] (and Opt[4], Opt[5]
// on the wide hand). An axis that is not a number counts as 0, a scale
// that is not a number as 1.
//
// Part positions are scene coordinates in the robot's frame (x across, y
// along, z up), before its scale.

enum class RobotPartShape {
  Column,  // upright cylinder of radius r standing on (x, y, z), h tall
  Box,     // w across, d along, h tall, centred on (x, y, z)
  Link,    // flat oval: w between the centres of its round ends of radius r,
           // h thick, centred on (x, y, z), turned by ang
  Hand,    // hand plate w wide, d long and h thick, running out from its
           // root (x, y) along its own +y, its middle at height z, its tip
           // bulging by r, turned by ang
  Wafer,   // flat disc of radius r lying at (x, y, z)
};

// The robot's body (its fill colour; an obstacle fixed in the cell), a
// hand (the first sub colour; it reaches into the stations) or a wafer on
// a hand.
enum class RobotPartRole { Body, Hand, Wafer };

struct RobotPart {
  RobotPartShape shape = RobotPartShape::Box;
  RobotPartRole role = RobotPartRole::Body;
  bool turns = false;  // carried round by the arm unit's turn
  double x = 0.0, y = 0.0, z = 0.0;
  double w = 0.0, d = 0.0, h = 0.0, r = 0.0;
  double ang = 0.0;  // degrees about the vertical, as a shape's Ang[0]
  // A wafer's look: the record's sub colours of its fill and its ring, the
  // ID it shows, and how far aside (before scaling) the ID is written.
  int fillSub = 0, ringSub = 0, idSlot = 0;
  double textSide = 0.0;
};

struct RobotLayout {
  FrameSteps frame;    // travel along X, heading Ang[0], scale
  double scale = 1.0;  // the scale the frame applies
  double turn = 0.0;   // T: the arm unit's turn about the vertical, degrees
  // In drawing order: the fixed parts first, then the ones the turn
  // carries.
  std::vector<RobotPart> parts;
};

RobotLayout ScaraLayout(const SceneObject& robot);
RobotLayout TwinHandLayout(const SceneObject& robot);
RobotLayout FrogLegLayout(const SceneObject& robot);

// The name of the mesh pieces the drawing marks for each role: "Robot
// body", "Robot hand", "Robot wafer" (a robot's mesh holds a piece for
// each run of parts of one role, in drawing order).
const char* RobotPieceName(RobotPartRole role);

// The layout of a record of any of the three robot kinds; false (out
// untouched) for any other kind.
bool RobotLayoutOf(const SceneObject& robot, RobotLayout* out);
