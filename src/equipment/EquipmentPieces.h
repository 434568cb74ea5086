#pragma once

#include "objects/SceneObject.h"

// The building blocks the equipment models share. A model draws each piece
// from a private copy of its own record: the look (resolution, fill, frame,
// transparency, material, texture, IDs, text) stays, while position, sizes,
// angles, options, extra sizes and profile are the piece's own. Positions
// are scene coordinates in the model's frame: x across, y along, z up.

// A record count from a file held to 0..kMaxRepeat.
int RepeatCount(int32_t n);

// The private copy: the look of the model, everything placing or shaping
// cleared (sizes 0, angles 0, options 0, no profile).
SceneObject Piece(const SceneObject& model);
// The same in another fill colour.
SceneObject Tinted(const SceneObject& model, Color fill);

enum class Axis { X, Y, Z };

// A box w x d x h centred on (x, y, z).
void Box(const SceneObject& look, double x, double y, double z, double w, double d, double h);

// A round bar of radius r and length len centred on (cx, cy, cz), its axis
// along X, Y or Z. sides 0 takes the record's resolution; 6 makes the
// hexagonal nuts and bolt heads.
void Rod(const SceneObject& look, Axis axis, double cx, double cy, double cz, double r, double len,
         int sides = 0);
constexpr int kHexSides = 6;

// An upright cylinder standing on height z, with its own top radius.
void Column(const SceneObject& look, double x, double y, double z, double r, double h, int sides = 0);

// A ring (washer, collar) of the two radii and thickness centred on
// (cx, cy, cz), its axis along X, Y or Z.
void Washer(const SceneObject& look, Axis axis, double cx, double cy, double cz, double outer, double inner,
            double thick);

// A ball of radius r centred on (x, y, z).
void Knob(const SceneObject& look, double x, double y, double z, double r);

// A turned profile of n radii standing on height z (upright) or lying
// along X centred on cx, height h / length len.
void Profile(const SceneObject& look, Axis axis, double cx, double cy, double cz, const float* radii, int n,
             double len);

// A Plane facing one of the directions of the Dir list (0 up, 1 down, 4 -x,
// 5 +x, 2 +y, 3 -y) centred on (x, y, z), w x d x h as the Plane takes it.
void Panel(const SceneObject& look, int dir, double x, double y, double z, double w, double d, double h);

// An Oval link flat in the horizontal plane: straight length len between
// the centres of its round ends (radius r), thickness h, centred on
// (x, y) at height z and turned by ang0 about the vertical.
void Link(const SceneObject& look, double x, double y, double z, double len, double h, double r, double ang0);

// The model frame of the composite parts: pushes the matrix and applies
// the record's frame in order B (Ang[1] about x, Ang[2] about z, then
// Ang[0] about the vertical); pops on leaving.
class PartFrame {
 public:
  explicit PartFrame(const SceneObject& obj);
  ~PartFrame();
  PartFrame(const PartFrame&) = delete;
  PartFrame& operator=(const PartFrame&) = delete;
};
