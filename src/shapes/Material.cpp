#include "shapes/Material.h"

#include <algorithm>

#include "mesh/Emit.h"
#include "objects/Rgb.h"

namespace {

struct PresetRow {
  const char* name;
  float amb[3], diff[3], spec[3], shin;
};

const PresetRow kPresets[kMaterialPresetCount] = {
    {"emerald", {0.0215f, 0.1745f, 0.0215f}, {0.07568f, 0.61424f, 0.07568f}, {0.633f, 0.727811f, 0.633f}, 76.8f},
    {"jade", {0.135f, 0.2225f, 0.1575f}, {0.54f, 0.89f, 0.63f}, {0.316228f, 0.316228f, 0.316228f}, 12.8f},
    {"obsidian", {0.05375f, 0.05f, 0.06625f}, {0.18275f, 0.17f, 0.22525f}, {0.332741f, 0.328634f, 0.346435f}, 38.4f},
    {"pearl", {0.25f, 0.20725f, 0.20725f}, {1.0f, 0.829f, 0.829f}, {0.296648f, 0.296648f, 0.296648f}, 10.24f},
    {"ruby", {0.1745f, 0.01175f, 0.01175f}, {0.61424f, 0.04136f, 0.04136f}, {0.727811f, 0.626959f, 0.626959f}, 76.8f},
    {"turquoise", {0.1f, 0.18725f, 0.1745f}, {0.396f, 0.74151f, 0.69102f}, {0.297254f, 0.30829f, 0.306678f}, 12.8f},
    {"brass", {0.329412f, 0.223529f, 0.027451f}, {0.780392f, 0.568627f, 0.113725f}, {0.992157f, 0.941176f, 0.807843f}, 27.897436f},
    {"bronze", {0.02125f, 0.1275f, 0.054f}, {0.714f, 0.4284f, 0.18144f}, {0.393548f, 0.271906f, 0.166721f}, 25.6f},
    {"chrome", {0.25f, 0.25f, 0.25f}, {0.4f, 0.4f, 0.4f}, {0.774597f, 0.774597f, 0.774597f}, 76.8f},
    {"copper", {0.19125f, 0.0735f, 0.0225f}, {0.7038f, 0.27048f, 0.0828f}, {0.256777f, 0.137622f, 0.086014f}, 12.8f},
    {"gold", {0.24725f, 0.1995f, 0.0745f}, {0.75164f, 0.60648f, 0.22648f}, {0.628281f, 0.555802f, 0.366065f}, 51.2f},
    {"silver", {0.19225f, 0.19225f, 0.19225f}, {0.50754f, 0.50754f, 0.50754f}, {0.508273f, 0.508273f, 0.508273f}, 51.2f},
    {"plastic_black", {0.0f, 0.0f, 0.0f}, {0.01f, 0.01f, 0.01f}, {0.5f, 0.5f, 0.5f}, 32.0f},
    {"plastic_cyan", {0.0f, 0.1f, 0.06f}, {0.0f, 0.509804f, 0.509804f}, {0.501961f, 0.501961f, 0.501961f}, 32.0f},
    {"plastic_green", {0.0f, 0.0f, 0.0f}, {0.1f, 0.35f, 0.1f}, {0.45f, 0.55f, 0.45f}, 32.0f},
    {"plastic_red", {0.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 0.0f}, {0.7f, 0.6f, 0.6f}, 32.0f},
    {"plastic_white", {0.0f, 0.0f, 0.0f}, {0.55f, 0.55f, 0.55f}, {0.7f, 0.7f, 0.7f}, 32.0f},
    {"plastic_yellow", {0.0f, 0.0f, 0.0f}, {0.5f, 0.5f, 0.0f}, {0.6f, 0.6f, 0.5f}, 32.0f},
    {"rubber_black", {0.02f, 0.02f, 0.02f}, {0.01f, 0.01f, 0.01f}, {0.4f, 0.4f, 0.4f}, 10.0f},
    {"rubber_cyan", {0.0f, 0.05f, 0.05f}, {0.4f, 0.5f, 0.5f}, {0.04f, 0.7f, 0.7f}, 10.0f},
    {"rubber_green", {0.0f, 0.05f, 0.0f}, {0.4f, 0.5f, 0.4f}, {0.04f, 0.7f, 0.04f}, 10.0f},
    {"rubber_red", {0.05f, 0.0f, 0.0f}, {0.5f, 0.4f, 0.4f}, {0.7f, 0.04f, 0.04f}, 10.0f},
    {"rubber_white", {0.05f, 0.05f, 0.05f}, {0.5f, 0.5f, 0.5f}, {0.7f, 0.7f, 0.7f}, 10.0f},
    {"rubber_yellow", {0.05f, 0.05f, 0.0f}, {0.5f, 0.5f, 0.4f}, {0.7f, 0.7f, 0.04f}, 10.0f},
};

const PresetRow kFallback = {"", {0.0f, 0.0f, 0.0f}, {0.55f, 0.55f, 0.55f}, {0.7f, 0.7f, 0.7f}, 32.0f};

ColorTex FromRow(const PresetRow& row, bool valid) {
  ColorTex ct;
  ct.ClTex = valid;
  for (int k = 0; k < 3; ++k) {
    ct.amb[k] = row.amb[k];
    ct.diff[k] = row.diff[k];
    ct.spec[k] = row.spec[k];
  }
  ct.amb[3] = ct.diff[3] = ct.spec[3] = 1.0f;
  ct.shin = row.shin;
  return ct;
}

}  // namespace

const char* MaterialPresetName(int index) {
  if (index < 0 || index >= kMaterialPresetCount) return nullptr;
  return kPresets[index].name;
}

void SetPlainColor(Color c) {
  const Rgb rgb = ColorToRgb(c);
  emit::Color(rgb.r, rgb.g, rgb.b);
}

void SetColorMaterial(Color c, float alpha) {
  const Rgb rgb = ColorToRgb(c);
  MaterialValues m;
  const float amb[4] = {0.2f, 0.2f, 0.2f, alpha};
  const float diff[4] = {rgb.r, rgb.g, rgb.b, alpha};
  const float spec[4] = {0.1f, 0.1f, 0.1f, alpha};
  std::copy(amb, amb + 4, m.ambient);
  std::copy(diff, diff + 4, m.diffuse);
  std::copy(spec, spec + 4, m.specular);
  m.shininess = 32.0f;
  emit::SetMaterial(m);
}

void ApplyColorTex(float alpha, ColorTex ct) {
  ct.amb[3] = ct.diff[3] = ct.spec[3] = alpha;
  MaterialValues m;
  std::copy(ct.amb, ct.amb + 4, m.ambient);
  std::copy(ct.diff, ct.diff + 4, m.diffuse);
  std::copy(ct.spec, ct.spec + 4, m.specular);
  // A shininess outside 0..128 is held to the range.
  m.shininess = ct.shin;
  emit::SetMaterial(m);
}

void ApplyObjectColor(bool isFrame, const SceneObject& obj) {
  if (emit::Lit()) {
    if (isFrame)
      SetColorMaterial(obj.clFrame, 1.0f);
    else
      SetColorMaterial(obj.clFill, obj.Trans);
  } else {
    SetPlainColor(isFrame ? obj.clFrame : obj.clFill);
  }
}

void ApplyFillColor(const SceneObject& obj) {
  if (obj.ColorTex.ClTex)
    ApplyColorTex(obj.Trans, obj.ColorTex);
  else
    ApplyObjectColor(false, obj);
}

ColorTex LookupMaterialPreset(const std::string& name) {
  for (const PresetRow& row : kPresets)
    if (name == row.name) return FromRow(row, true);
  return FromRow(kFallback, false);
}

ColorTex MakeTypedMaterial(int type, Color color, float alpha, float shininess) {
  ColorTex ct = LookupMaterialPreset("emerald");
  if (type < 0 || type > 3) return ct;
  ct.ClTex = true;
  ct.amb[3] = ct.diff[3] = ct.spec[3] = alpha;
  const Rgb rgb = ColorToRgb(color);
  ct.diff[0] = rgb.r;
  ct.diff[1] = rgb.g;
  ct.diff[2] = rgb.b;
  ct.shin = shininess;
  const float g = shininess * 0.0078125f;
  for (int k = 0; k < 3; ++k) {
    const float d = ct.diff[k];
    switch (type) {
      case MaterialGlass:
        ct.amb[k] = d / 3.0f;
        ct.spec[k] = d * 0.1f + 0.3f + g * 0.4f;
        break;
      case MaterialMetal:
        ct.amb[k] = d * 0.4f;
        ct.spec[k] = d * 0.1f + g;
        break;
      case MaterialPlastic:
        ct.amb[k] = 0.0f;
        ct.spec[k] = d * 0.1f + 0.45f;
        break;
      default:  // rubber
        ct.amb[k] = 0.0f;
        ct.spec[k] = d * 0.7f;
        break;
    }
  }
  return ct;
}
