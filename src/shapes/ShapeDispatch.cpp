#include "shapes/Shapes.h"

bool DrawPrimitive(const SceneObject& obj) {
  switch (obj.Shp) {
    case ShapeKind::Dot:
      DrawDot(obj);
      return true;
    case ShapeKind::Line:
      DrawLine(obj);
      return true;
    case ShapeKind::Plane:
      DrawPlane(obj);
      return true;
    case ShapeKind::Cube:
      DrawCube(obj);
      return true;
    case ShapeKind::Trapezoid:
      DrawTrapezoid(obj);
      return true;
    case ShapeKind::TrianglePrism:
      DrawTrianglePrism(obj);
      return true;
    case ShapeKind::Circle:
      DrawCircle(obj);
      return true;
    case ShapeKind::Cylinder:
      DrawCylinder(obj);
      return true;
    case ShapeKind::Ball:
      DrawBall(obj);
      return true;
    case ShapeKind::Cone:
      DrawCone(obj);
      return true;
    case ShapeKind::BevelCube:
      DrawBevelCube(obj);
      return true;
    case ShapeKind::Oval:
      DrawOval(obj);
      return true;
    case ShapeKind::ConstCylinder:
      DrawConstCylinder(obj);
      return true;
    case ShapeKind::Belt:
      DrawBelt(obj);
      return true;
    case ShapeKind::Ring:
      DrawRing(obj);
      return true;
    case ShapeKind::RingRect:
      DrawRingRect(obj);
      return true;
    case ShapeKind::RoundRect:
      DrawRoundRect(obj);
      return true;
    case ShapeKind::SquareCylinder:
      DrawSquareCylinder(obj);
      return true;
    case ShapeKind::PunchCube:
      DrawPunchCube(obj);
      return true;
    case ShapeKind::Capsule:
      DrawCapsule(obj);
      return true;
    case ShapeKind::CubeCylinder:
      DrawCubeCylinder(obj);
      return true;
    default:
      return false;
  }
}
