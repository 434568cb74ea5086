#pragma once

#include <vector>

#include "render/RenderSettings.h"

// Camera steps 1-2: look-at from (0, 0, 3) towards the origin, then the
// zoom (a uniform scale in ortho, a move along the view axis otherwise).
void ApplyCameraZoom(const ViewSettings& v);
// Camera steps 4-6: shift (scene X, Z, Y), turn about x by angle X, turn
// about the vertical axis by angle Z.
void ApplyCameraOrientation(const ViewSettings& v);
// The model-view matrix both steps together leave (column-major), by
// arithmetic: what picking measures the scene with.
void CameraFrame(const ViewSettings& v, double out[16]);

// Where the middle of the picture meets the floor (scene Z = 0): scene X
// and Y into xy; false when the view looks away from the floor.
bool ViewCentreOnFloor(const ViewSettings& v, double xy[2]);

// Mouse navigation. The mouse never moves the camera itself: a drag turns
// into steps of track bars, which the window applies (clamped to their
// ranges) and whose change handlers redraw.
enum DragMode { DragPlain = 0, DragShift = 1, DragCtrl = 2, DragShiftCtrl = 3, DragAlt = 4 };
enum DragButton { DragLeft = 0, DragRight = 1, DragOther = 2 };

// The track bars a drag can move.
enum class DragBar {
  XAngle, ZAngle, Zoom, XShift, YShift, ZShift,
  Light1PosX, Light1PosY, Light1PosZ, Light2PosX, Light2PosY, Light2PosZ,
  XX, YY, ZZ
};

struct DragStep {
  DragBar bar;
  int amount;  // added to the bar's position
};

// Ten flags indexed 2 x mode + button, at most one set, and the last
// pointer position in panel pixels.
struct DragState {
  bool flag[10] = {};
  int lastX = 0, lastY = 0;
  // Wheel turns smaller than a step, kept until they add up to one.
  int wheelRest = 0;
};

DragMode ModeFromModifiers(bool shift, bool ctrl, bool alt);
void ClearDragState(DragState& s);
void DragDown(DragState& s, DragButton button, DragMode mode, int x, int y);
// The steps for a pointer move to (x, y); updates the last position.
std::vector<DragStep> DragMove(DragState& s, int x, int y);
void DragUp(DragState& s);

// The wheel zooms in the right-button drag's own steps, so that both reach
// the same zoom values and the bar's limits hold for both: one notch (120
// units of angle delta) counts as kWheelPixelsPerNotch pixels dragged to
// the right (zoom in), a turn towards the user as pixels to the left.
// High-resolution wheels report fractions of a notch, which add up.
constexpr int kWheelPixelsPerNotch = 3;
std::vector<DragStep> WheelTurn(DragState& s, int angleDelta);
