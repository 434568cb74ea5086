#pragma once

#include <functional>
#include <vector>

#include "ShapeTestSupport.h"
#include "objects/SceneObject.h"
#include "render/Texture.h"

// The program's two default lights: directional, white.
void EquipmentDefaultLights();

// Fills slot 1 of the ten with the built-in wafer picture (decoded from
// the repository's resource file) and uploads it; the context must be
// current. Returns false when the picture could not be read.
bool LoadWaferPicture(TextureSlot* slots);
// Deletes the textures the slots hold.
void FreePictures(TextureSlot* slots);

// The vertices of every primitive drawn in exactly this plain colour
// (lights off), in object space.
std::vector<ObjVertex> VerticesInColour(const std::vector<ObjPrimitive>& prims, Color c);

// Mean of a set of vertices.
ObjVertex Centroid(const std::vector<ObjVertex>& v);

// Draws the model under CaptureObjectSpace with the lights off.
std::vector<ObjPrimitive> CaptureModel(const std::function<void()>& draw);

// A polygon vertex in object space with its texture coordinates.
struct TexturedVertex {
  double x, y, z;
  float s, t;
};
// Like CaptureModel, but keeps the texture coordinates of polygon
// vertices (other primitives are skipped).
std::vector<TexturedVertex> CaptureTexturedPolygons(const std::function<void()>& draw);

// Whether two captures hold the same primitives at the same places in the
// same colours (within rounding of the window coordinates).
bool SameDrawing(const std::vector<ObjPrimitive>& a, const std::vector<ObjPrimitive>& b);

// A scene object filled in plain, distinct colours for telling the pieces
// of a model apart: clFill grey, cl_sub[0] red, cl_sub[1] green, cl_sub[2]
// blue, cl_sub[9] yellow, the rest dark.
SceneObject ColouredRecord(int32_t kind);
constexpr Color kGrey = 0x808080, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF;
