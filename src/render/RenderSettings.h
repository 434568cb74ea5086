#pragma once

#include <cstdint>
#include <string>

#include "objects/RobotPanel.h"
#include "objects/SceneView.h"
#include "objects/ColorTex.h"

using Color = uint32_t;

// The view values: camera angles, zoom and shift as the "View Setting"
// track bars give them, already scaled. Defaults are the laid-out ones.
struct ViewSettings {
  int panelWidth = 628;
  int panelHeight = 377;
  float angleX = 15.0f;   // degrees, Tkb_X_Angle x 0.1
  float angleZ = -30.0f;  // degrees about the scene's vertical axis, Tkb_Z_Angle x 0.1
  float zoom = -2.0f;     // Tkb_Zoom x 0.01
  float shiftX = 0.0f;    // Tkb_X_Shift x 0.01
  float shiftY = 0.0f;    // Tkb_Y_Shift x 0.01
  float shiftZ = -0.4f;   // Tkb_Z_Shift x 0.01
  int resolution = 72;    // Tkb_Resolution
  bool ortho = false;     // Chk_Ortho
};

// The camera values a scene file keeps in its view line, and back.
inline void TakeSceneView(ViewSettings& v, const SceneView& s) {
  v.angleX = s.angleX;
  v.angleZ = s.angleZ;
  v.zoom = s.zoom;
  v.shiftX = s.shiftX;
  v.shiftY = s.shiftY;
  v.shiftZ = s.shiftZ;
  v.ortho = s.ortho;
}
inline SceneView SceneViewOf(const ViewSettings& v) {
  return SceneView{v.angleX, v.angleZ, v.zoom, v.shiftX, v.shiftY, v.shiftZ, v.ortho};
}

// A block-text request; the main window keeps one for its "Text Draw"
// group, kind-45 objects and wafer IDs build their own.
struct BlockTextSettings {
  bool shown = false;           // Chk_DrawText
  float strokeWidth = 2.0f;     // Tkb_TextWidth x 0.1
  float charSize = 2.0f;        // Cmb_TextSize index ("S" 0, "M" 1, "L" 2)
  int direction = 0;            // Cmb_TextDir: 0 X, 1 Y, 2 Z (downwards)
  float angle[3] = {0, 0, 0};   // degrees
  float X = 0.0f, Y = 0.0f, Z = 0.5f;
  std::string text = "Robot Test";
  bool lock = false;            // Chk_TextDir_Lock
  Color color = 0xFFFFFF;
  float opacity = 1.0f;
};

// The "Color Texture" group: one material shown with sliders, and the
// type and shininess the arm is drawn with.
struct ColorTexPanel {
  ::ColorTex record;             // ClTex true after a transfer; components x 0.001
  bool presetChecked = false;    // Chk_ColorTexture
  bool byTypeColor = true;       // Chk_ColorTex_ByTypeColor
  int typeIndex = 0;             // Cmb_ColorTex_Type: Glass, Metal, Plastic, Rubber
  Color swatch = 0xC0C0C0;       // Shp_ColorTex_Color (silver)
  int shininess = 64;            // Tkb_ColorTex_Shin position
};

// The main window's copy of every control state that drawing reads,
// refreshed by the settings transfer before each frame.
struct RenderSettings {
  ViewSettings view;
  bool drawFill = true;          // Chk_DrawFill
  bool drawFrame = false;        // Chk_DrawFrame
  bool lightingOn = true;        // Light1 or Light2 enabled (after the frame-only rule)
  float transparency = 1.0f;     // Tkb_Trans x 0.1 with lighting on, else 1.0
  bool drawFloor = true;         // Chk_DrawFloor (stored; the floor is always drawn)
  BlockTextSettings text;
  Color backColor = 0x000000;    // Shp_Color_Back
  Color frameColor = 0x2D2D2D;   // Shp_Color_Frame
  ColorTexPanel colorTex;
  float joints[6] = {0, 0, 90, 0, 0, 0};  // J1..J6 degrees, Tkb_TestData0n x 0.01
  bool ball = true;              // Chk_TestData01 "Ball"
  bool markPlate = false;        // Chk_TestData02 "Mark Plate"
  RobotPanelValues robot[2];
  bool multiDraw = false;        // Chk_RBT_MultiDraw
  bool testRotate = false;       // Chk_RBT_Test_Rotate
  Color armColor = 0xC0C0C0;     // Shp_VARobot_Body
  bool shmLink = false;          // Chk_ShmLink
  int shmInterval = 100;         // Lbl_ShmInterval
};
