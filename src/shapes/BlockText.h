#pragma once

#include "objects/SceneObject.h"
#include "render/RenderSettings.h"

// 3-D block text: each character is a fixed list of straight strokes in a
// cell W = 0.05 s wide and H = 0.1 s high, drawn as GL lines so the text
// turns, scales and is lit with the scene.

// A stroke end in cell units: v vertical (0 bottom, 1 top), d depth,
// h horizontal (0 left, 1 right).
struct GlyphPoint {
  float v, d, h;
};

// Draws the request's string centred on its position, along X, Y or Z.
void DrawBlockText(const BlockTextSettings& request);
// One stroke of the glyph whose cell the record places.
void DrawGlyphStroke(float width, GlyphPoint a, GlyphPoint b, const SceneObject& rec);
// All strokes of one character of its set; false (nothing drawn) for a
// character outside the set.
bool DrawDigitGlyph(char c, const SceneObject& rec);
bool DrawLetterGlyph(char c, const SceneObject& rec);
bool DrawSymbolGlyph(char c, const SceneObject& rec);

// The strokes of a printable character (33..126) as pairs of points;
// count 0 for any other character. For tests and the glyph sheet.
struct GlyphStroke {
  GlyphPoint a, b;
};
int GlyphStrokes(char c, const GlyphStroke** strokes);
