#pragma once

#include <cstdint>
#include <string>

#include "objects/SceneObject.h"
#include "objects/ColorTex.h"

// How a drawing routine states its colour. With any light on, colours are
// materials (shaded, with alpha); with every light off they are plain
// vertex colours. Material calls address both faces.

enum MaterialType { MaterialGlass = 0, MaterialMetal = 1, MaterialPlastic = 2, MaterialRubber = 3 };

constexpr int kMaterialPresetCount = 24;
// The preset names in table order ("emerald" ... "rubber_yellow").
const char* MaterialPresetName(int index);

// Current vertex colour from the colour's three channels (no alpha).
void SetPlainColor(Color c);
// Material of both faces: ambient 0.2 grey, diffuse the colour, specular
// 0.1 grey, all with the given alpha, shininess 32.
void SetColorMaterial(Color c, float alpha);
// Material of both faces from the record, its three alphas replaced by alpha.
void ApplyColorTex(float alpha, ColorTex ct);
// Fill (isFrame false: clFill with Trans) or outline (clFrame, alpha 1)
// colour of the object, as material or plain colour by the lights.
void ApplyObjectColor(bool isFrame, const SceneObject& obj);
// The pattern every shape uses for its faces: the object's own material
// when its ColorTex is valid, else its fill colour.
void ApplyFillColor(const SceneObject& obj);

// The preset of that exact name (case-sensitive) with ClTex true, or the
// fallback row with ClTex false. Alphas are 1.
ColorTex LookupMaterialPreset(const std::string& name);
// A material derived from one colour and a material type 0..3; any other
// type gives the emerald preset unchanged.
ColorTex MakeTypedMaterial(int type, Color color, float alpha, float shininess);
