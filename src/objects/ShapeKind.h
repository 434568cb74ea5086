#pragma once

#include <cstdint>

// What a scene object draws: the value of its Shp field.
namespace ShapeKind {
constexpr int32_t Dot = 1;
constexpr int32_t Line = 2;
constexpr int32_t Plane = 3;
constexpr int32_t Cube = 4;
constexpr int32_t Trapezoid = 5;
constexpr int32_t TrianglePrism = 6;
constexpr int32_t Circle = 7;
constexpr int32_t Cylinder = 8;
constexpr int32_t Ball = 9;
constexpr int32_t Cone = 10;
constexpr int32_t BevelCube = 11;
constexpr int32_t Oval = 12;
constexpr int32_t ConstCylinder = 20;
constexpr int32_t Belt = 21;
constexpr int32_t Ring = 22;
constexpr int32_t RingRect = 23;
constexpr int32_t RoundRect = 24;
constexpr int32_t SquareCylinder = 25;
constexpr int32_t PunchCube = 26;
constexpr int32_t Capsule = 27;
constexpr int32_t CubeCylinder = 28;
constexpr int32_t BlockText = 45;
constexpr int32_t Model = 60;  // a model file (mesh or CAD)
constexpr int32_t FirstComposite = 100;  // 100..117 composite parts
constexpr int32_t LastComposite = 117;
constexpr int32_t Part130 = 130;
constexpr int32_t Wafer = 131;
constexpr int32_t Part132 = 132;
constexpr int32_t Part133 = 133;
constexpr int32_t ScaraRobot = 150;
constexpr int32_t TwinHandRobot = 151;
constexpr int32_t FrogLegRobot = 152;

// The three wafer-transfer robots.
constexpr bool IsTransferRobot(int32_t kind) {
  return kind == ScaraRobot || kind == TwinHandRobot || kind == FrogLegRobot;
}
}  // namespace ShapeKind

// The built-in name of a kind ("Cube", "Ring", ...) or nullptr for kinds
// that have none (block text, models, reserved and unused numbers).
const char* ShapeKindName(int32_t shp);
