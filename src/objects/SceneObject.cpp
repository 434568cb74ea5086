#include "objects/SceneObject.h"

#include <cstdio>

void InitializeRecords(SceneObject* first, int count) {
  if (!first) return;
  for (int i = 0; i < count; ++i) {
    first[i] = SceneObject{};
    char name[16];
    std::snprintf(name, sizeof name, "OBJ%03d", i);
    first[i].Name = name;
  }
}

SceneObject ZeroRecord() {
  SceneObject r;
  r.Enbl = false;
  r.Shp = 0;
  r.Reso = 0;
  r.W = r.D = r.H = 0.0f;
  r.R = r.R2 = 0.0f;
  r.Fill = false;
  r.clFill = 0;
  for (Color& c : r.cl_sub) c = 0;
  r.ColorTex = ::ColorTex{};
  r.ColorTex.ClTex = false;
  for (int k = 0; k < 4; ++k) r.ColorTex.amb[k] = r.ColorTex.diff[k] = r.ColorTex.spec[k] = 0.0f;
  r.ColorTex.shin = 0.0f;
  r.Trans = 0.0f;
  r.Tex = -1;
  return r;
}
