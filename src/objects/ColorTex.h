#pragma once

// A full material: ambient, diffuse and specular reflectance plus shininess
// on the 0..128 scale. ClTex says the record is valid and replaces a plain
// fill colour. The alpha components are overwritten each time the record is
// applied, so their stored values carry no meaning.
struct ColorTex {
  bool ClTex = false;
  float amb[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float diff[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float spec[4] = {0.1f, 0.1f, 0.1f, 1.0f};
  float shin = 32.0f;
};
