#pragma once

#include "objects/SceneObject.h"

// The primitive shapes. Each takes one scene object by value, reads the
// fields its kind uses and emits immediate-mode geometry for its faces
// (when Fill) and its outline (when Frame), about the record's point
// (X, Y, Z) sent to GL as (X, Z, Y). Each leaves the matrix stack, the line
// width and the enable flags as it found them. None looks at Enbl.

// Flat and box kinds.
void DrawDot(SceneObject obj);
void DrawLine(SceneObject obj);
void DrawPlane(SceneObject obj);
void DrawCube(SceneObject obj);
void DrawTrapezoid(SceneObject obj);
void DrawTrianglePrism(SceneObject obj);
void DrawBevelCube(SceneObject obj);
void DrawPunchCube(SceneObject obj);

// Round kinds.
void DrawCircle(SceneObject obj);
void DrawCylinder(SceneObject obj);
void DrawBall(SceneObject obj);
void DrawCone(SceneObject obj);
void DrawOval(SceneObject obj);
void DrawConstCylinder(SceneObject obj);
void DrawBelt(SceneObject obj);
void DrawRing(SceneObject obj);
void DrawRingRect(SceneObject obj);
void DrawRoundRect(SceneObject obj);
void DrawSquareCylinder(SceneObject obj);
void DrawCapsule(SceneObject obj);
void DrawCubeCylinder(SceneObject obj);

// The routine of one of the 21 primitive kinds by its Shp number; returns
// false (drawing nothing) for any other number.
bool DrawPrimitive(const SceneObject& obj);
