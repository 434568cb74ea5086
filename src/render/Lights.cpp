#include "render/Lights.h"

#include "render/GlHeaders.h"
#include "render/RenderContext.h"

namespace {
bool ValidSlot(int slot) { return slot >= 0 && slot < kLightSlots; }
}  // namespace

LightTable& ActiveLights() {
  static LightTable table;
  return table;
}

void ResetLights() { ActiveLights() = LightTable{}; }

void SetLightEnabled(int slot, bool enabled) {
  if (!ValidSlot(slot)) return;
  ActiveLights().slot[slot].enabled = enabled;
  ApplyLights();
}

void SetLightPosition(int slot, float x, float y, float z, float w) {
  if (!ValidSlot(slot)) return;
  float* p = ActiveLights().slot[slot].position;
  p[0] = x;
  p[1] = y;
  p[2] = z;
  p[3] = w;
  ApplyLights();
}

void SetLightLevels(int slot, Color color, float ambient, float diffuse, float constant, float linear,
                    float quadratic) {
  if (!ValidSlot(slot)) return;
  LightSource& s = ActiveLights().slot[slot];
  s.color = color;
  s.ambientLevel = ambient;
  s.diffuseLevel = diffuse;
  s.attenuation[0] = constant;
  s.attenuation[1] = linear;
  s.attenuation[2] = quadratic;
  ApplyLights();
}

void SetLightSpot(int slot, bool spot, const float direction[3], float exponent, float cutoff) {
  if (!ValidSlot(slot)) return;
  LightSource& s = ActiveLights().slot[slot];
  s.spot = spot;
  for (int k = 0; k < 3; ++k) s.spotDirection[k] = direction[k];
  s.spotExponent = exponent;
  s.spotCutoff = cutoff;
  ApplyLights();
}

bool AnyLightEnabled() {
  for (const LightSource& s : ActiveLights().slot)
    if (s.enabled) return true;
  return false;
}

void ApplyLights() {
  const LightTable& t = ActiveLights();
  if (!AnyLightEnabled()) {
    glDisable(GL_LIGHTING);
    for (int i = 0; i < kLightSlots; ++i) glDisable(GL_LIGHT0 + i);
    return;
  }
  for (int i = 0; i < kLightSlots; ++i) {
    const LightSource& s = t.slot[i];
    const GLenum light = GL_LIGHT0 + i;
    glEnable(GL_LIGHTING);
    if (s.enabled)
      glEnable(light);
    else
      glDisable(light);
    const Rgb c = ColorToRgb(s.color);
    const GLfloat specular[4] = {c.r, c.g, c.b, 1.0f};
    const GLfloat d[3] = {c.r * s.diffuseLevel, c.g * s.diffuseLevel, c.b * s.diffuseLevel};
    const GLfloat diffuse[4] = {d[0], d[1], d[2], 1.0f};
    const GLfloat ambient[4] = {d[0] * s.ambientLevel, d[1] * s.ambientLevel, d[2] * s.ambientLevel, 1.0f};
    // Scene (X, Y, Z) is GL (x, z, y).
    const GLfloat position[4] = {s.position[0], s.position[2], s.position[1], s.position[3]};
    glLightfv(light, GL_SPECULAR, specular);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_POSITION, position);
    glLightf(light, GL_CONSTANT_ATTENUATION, s.attenuation[0]);
    glLightf(light, GL_LINEAR_ATTENUATION, s.attenuation[1]);
    glLightf(light, GL_QUADRATIC_ATTENUATION, s.attenuation[2]);
    if (s.spot) {
      glLightfv(light, GL_SPOT_DIRECTION, s.spotDirection);
      glLightf(light, GL_SPOT_CUTOFF, s.spotCutoff);
      glLightf(light, GL_SPOT_EXPONENT, s.spotExponent);
    } else {
      glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    }
  }
}

FogSettings& ActiveFog() {
  static FogSettings fog;
  return fog;
}

void ResetFog() { ActiveFog() = FogSettings{}; }

void SetFogEnabled(bool enabled) { ActiveFog().enabled = enabled; }

void SetFogMode(int modeNumber) {
  static const int modes[3] = {GL_LINEAR, GL_EXP, GL_EXP2};
  if (modeNumber < 0 || modeNumber > 2) return;
  ActiveFog().mode = modes[modeNumber];
}

void SetFogColor(Color c) { ActiveFog().color = c; }
void SetFogDensity(float density) { ActiveFog().density = density; }

void SetFogHint(int hintNumber) {
  static const int hints[3] = {GL_FASTEST, GL_NICEST, GL_DONT_CARE};
  if (hintNumber < 0 || hintNumber > 2) return;
  ActiveFog().hint = hints[hintNumber];
}

void SetFogRange(float start, float end) {
  ActiveFog().start = start;
  ActiveFog().end = end;
}

void ApplyFog() {
  const FogSettings& f = ActiveFog();
  if (!f.enabled) {
    glDisable(GL_FOG);
    return;
  }
  // A fog that was never given a mode or hint would be a GL error; use the
  // defaults of GL itself then.
  glFogi(GL_FOG_MODE, f.mode ? f.mode : GL_EXP);
  const Rgb c = ColorToRgb(f.color);
  const GLfloat color[4] = {c.r, c.g, c.b, 1.0f};
  glFogfv(GL_FOG_COLOR, color);
  // GL refuses a negative density.
  glFogf(GL_FOG_DENSITY, f.density < 0.0f ? 0.0f : f.density);
  glHint(GL_FOG_HINT, f.hint ? f.hint : GL_DONT_CARE);
  glFogf(GL_FOG_START, f.start);
  glFogf(GL_FOG_END, f.end);
  glEnable(GL_FOG);
}
