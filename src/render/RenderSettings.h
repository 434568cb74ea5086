#pragma once

#include <cstdint>

using Color = uint32_t;

// The view values: camera angles, zoom and shift as the "View Setting"
// track bars give them, already scaled.
struct ViewSettings {
  int panelWidth = 628;
  int panelHeight = 377;
  float angleX = 15.0f;   // degrees
  float angleZ = -30.0f;  // degrees, about the scene's vertical axis
  float zoom = -2.0f;
  float shiftX = 0.0f;
  float shiftY = 0.0f;
  float shiftZ = -0.4f;
  int resolution = 72;
  bool ortho = false;
};

// The main window's copy of every control state that drawing reads,
// refreshed by the settings transfer before each frame.
struct RenderSettings {
  ViewSettings view;
  bool drawFill = true;
  bool drawFrame = false;
  bool drawFloor = true;
  bool lightingOn = true;
  float transparency = 1.0f;
  Color backColor = 0x000000;
  Color frameColor = 0x2D2D2D;
};
