#pragma once

#include <cstdint>

using Color = uint32_t;

// One GL light slot; slot i drives GL light i.
struct LightSource {
  bool enabled = false;
  float position[4] = {0, 0, 0, 0};  // scene X, Y, Z and w (0 directional)
  float ambientLevel = 0.0f;
  float diffuseLevel = 0.0f;
  bool spot = false;
  float spotDirection[3] = {0, 0, 0};  // already in GL order
  float spotCutoff = 0.0f;
  float spotExponent = 0.0f;
  float attenuation[3] = {0, 0, 0};  // constant, linear, quadratic
  Color color = 0;
};

constexpr int kLightSlots = 8;

// The eight light slots of the program ("Light1" is slot 0, "Light2"
// slot 1). The setters store and then send the whole table to GL, which
// takes effect only while a context is current; every frame applies the
// table again after its camera transform.
struct LightTable {
  LightSource slot[kLightSlots];
};

// The one table the program draws with; AnyLightEnabled and the colour
// operations read it.
LightTable& ActiveLights();

void SetLightEnabled(int slot, bool enabled);
void SetLightPosition(int slot, float x, float y, float z, float w);
void SetLightLevels(int slot, Color color, float ambient, float diffuse, float constant, float linear,
                    float quadratic);
void SetLightSpot(int slot, bool spot, const float direction[3], float exponent, float cutoff);
bool AnyLightEnabled();
void ApplyLights();
// Sets every slot back to its start (all zero, disabled).
void ResetLights();

// Fog over the scene. Mode numbers 0 GL_LINEAR, 1 GL_EXP, 2 GL_EXP2;
// hint numbers 0 GL_FASTEST, 1 GL_NICEST, 2 GL_DONT_CARE.
struct FogSettings {
  bool enabled = false;
  int mode = 0;  // a GL enum once set; 0 until the first transfer
  Color color = 0;
  float density = 0.0f;
  int hint = 0;
  float start = 0.0f;
  float end = 0.0f;
};

FogSettings& ActiveFog();
void SetFogEnabled(bool enabled);
// A mode or hint number other than 0, 1, 2 is ignored.
void SetFogMode(int modeNumber);
void SetFogColor(Color c);
void SetFogDensity(float density);
void SetFogHint(int hintNumber);
void SetFogRange(float start, float end);
void ApplyFog();
void ResetFog();
