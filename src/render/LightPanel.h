#pragma once

#include <cstdint>

using Color = uint32_t;

// What the "Light Setting" controls of one light hold, already scaled;
// the defaults are the laid-out ones. The main window reads its controls
// into this; headless rendering starts from the defaults.
struct LightPanelValues {
  bool checked = true;          // Chk_LightN
  float pos[3] = {0, 0, 0};     // scene X, Y, Z (track bar x 0.1)
  bool directional = true;      // "Flat Light"
  Color color = 0xFFFFFF;
  float ambient = 0.5f;         // x 0.01
  float diffuse = 0.6f;         // x 0.01
  bool spot = false;
  int spotDirIndex = 4;         // "-X", " X", "-Y", " Y", "-Z", " Z"
  float spotExponent = 0.0f;    // x 0.1
  float spotCutoff = 30.0f;     // degrees
};

LightPanelValues DefaultLight1();  // at (-10, 6, 10)
LightPanelValues DefaultLight2();  // at (10, 10, 10)

// Fills light slot `slot` from the panel values, in the order the settings
// transfer does it. frameOnly (Fill off, Frame on) switches the light off.
void TransferLightPanel(int slot, const LightPanelValues& v, bool frameOnly);

// The spot direction of a direction item, in GL order (scene Z is GL y).
void SpotDirectionOfItem(int item, float out[3]);

// The fog controls, scaled; defaults as laid out.
struct FogPanelValues {
  bool use = false;       // Chk_Fog_Enable
  int typeIndex = 1;      // Cmb_Fog_Type: "Linear", "Exp", "Exp2"
  Color color = 0xFFFFFF;
  float density = 0.05f;  // x 0.01
  float nearDist = -5.0f; // x 0.01
  float farDist = 5.0f;   // x 0.01
};

void TransferFogPanel(const FogPanelValues& v);

struct RenderSettings;

// The lights-and-fog part of the settings transfer: both lights (frame-only
// mode when Fill is off and Frame on), the lighting-on flag, the
// transparency (Tkb_Trans position x 0.1 with lighting on, else 1.0) and
// the fog.
void TransferLightsAndFog(RenderSettings& rs, const LightPanelValues& light1, const LightPanelValues& light2,
                          int transPosition, const FogPanelValues& fog);
