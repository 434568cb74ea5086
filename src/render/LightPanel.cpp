#include "render/LightPanel.h"

#include "render/Lights.h"
#include "render/RenderSettings.h"

LightPanelValues DefaultLight1() {
  LightPanelValues v;
  v.pos[0] = -10.0f;
  v.pos[1] = 6.0f;
  v.pos[2] = 10.0f;
  return v;
}

LightPanelValues DefaultLight2() {
  LightPanelValues v;
  v.pos[0] = 10.0f;
  v.pos[1] = 10.0f;
  v.pos[2] = 10.0f;
  return v;
}

void SpotDirectionOfItem(int item, float out[3]) {
  out[0] = out[1] = out[2] = 0.0f;
  if (item < 0 || item > 5) return;
  const int axis = item / 2;
  const float sign = (item % 2 == 1) ? 1.0f : -1.0f;
  // Scene X, Y, Z become GL x, z, y.
  if (axis == 0) out[0] = sign;
  if (axis == 2) out[1] = sign;
  if (axis == 1) out[2] = sign;
}

void TransferLightPanel(int slot, const LightPanelValues& v, bool frameOnly) {
  SetLightEnabled(slot, v.checked && !frameOnly);
  SetLightPosition(slot, v.pos[0], v.pos[1], v.pos[2], v.directional ? 0.0f : 1.0f);
  SetLightLevels(slot, v.color, v.ambient, v.diffuse, 1.0f, 0.001f, 0.0f);
  float dir[3];
  SpotDirectionOfItem(v.spotDirIndex, dir);
  SetLightSpot(slot, v.spot, dir, v.spotExponent, v.spotCutoff);
}

void TransferFogPanel(const FogPanelValues& v) {
  SetFogEnabled(v.use);
  SetFogColor(v.color);
  SetFogMode(v.typeIndex);
  SetFogDensity(v.density);
  SetFogRange(v.nearDist, v.farDist);
  SetFogHint(2);
}

void TransferLightsAndFog(RenderSettings& rs, const LightPanelValues& light1, const LightPanelValues& light2,
                          int transPosition, const FogPanelValues& fog) {
  const bool frameOnly = !rs.drawFill && rs.drawFrame;
  TransferLightPanel(0, light1, frameOnly);
  TransferLightPanel(1, light2, frameOnly);
  const LightTable& t = ActiveLights();
  rs.lightingOn = t.slot[0].enabled || t.slot[1].enabled;
  rs.transparency = rs.lightingOn ? static_cast<float>(transPosition) * 0.1f : 1.0f;
  TransferFogPanel(fog);
}
