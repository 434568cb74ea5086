#include "objects/ShapeKind.h"

const char* ShapeKindName(int32_t shp) {
  switch (shp) {
    case ShapeKind::Dot: return "Dot";
    case ShapeKind::Line: return "Line";
    case ShapeKind::Plane: return "Plane";
    case ShapeKind::Cube: return "Cube";
    case ShapeKind::Trapezoid: return "Trapezoid";
    case ShapeKind::TrianglePrism: return "TrianglePrism";
    case ShapeKind::Circle: return "Circle";
    case ShapeKind::Cylinder: return "Cylinder";
    case ShapeKind::Ball: return "Ball";
    case ShapeKind::Cone: return "Cone";
    case ShapeKind::BevelCube: return "BevelCube";
    case ShapeKind::Oval: return "Oval";
    case ShapeKind::ConstCylinder: return "ConstCylinder";
    case ShapeKind::Belt: return "Belt";
    case ShapeKind::Ring: return "Ring";
    case ShapeKind::RingRect: return "RingRect";
    case ShapeKind::RoundRect: return "RoundRect";
    case ShapeKind::SquareCylinder: return "SquareCylinder";
    case ShapeKind::PunchCube: return "PunchCube";
    case ShapeKind::Capsule: return "Capsule";
    case ShapeKind::CubeCylinder: return "CubeCylinder";
    default: return nullptr;
  }
}
