#include "render/Camera.h"

#include <cmath>

#include <algorithm>

#include "mesh/MeshBuilder.h"
#include "render/GlHeaders.h"

void ApplyCameraZoom(const ViewSettings& v) {
  gluLookAt(0.0, 0.0, 3.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  if (v.ortho)
    glScalef(v.zoom, v.zoom, v.zoom);
  else
    glTranslatef(0.0f, 0.0f, v.zoom);
}

void ApplyCameraOrientation(const ViewSettings& v) {
  glTranslatef(v.shiftX, v.shiftZ, v.shiftY);
  glRotated(v.angleX, 1.0, 0.0, 0.0);
  glRotated(v.angleZ, 0.0, 1.0, 0.0);
}

void CameraFrame(const ViewSettings& v, double out[16]) {
  MeshBuilder b;
  b.Translate(0.0, 0.0, -3.0);  // from (0, 0, 3) towards the origin
  if (v.ortho)
    b.Scale(v.zoom, v.zoom, v.zoom);
  else
    b.Translate(0.0, 0.0, v.zoom);
  b.Translate(v.shiftX, v.shiftZ, v.shiftY);
  b.Rotate(v.angleX, 1.0, 0.0, 0.0);
  b.Rotate(v.angleZ, 0.0, 1.0, 0.0);
  std::copy(b.frame(), b.frame() + 16, out);
}

bool ViewCentreOnFloor(const ViewSettings& v, double xy[2]) {
  double m[16];
  CameraFrame(v, m);
  // The upper 3x3 (column-major) and its inverse.
  const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
  const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) return false;
  const double inv[9] = {(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det,
                         (f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det,
                         (d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det};
  // Eye point (0, 0, z) in the scene: base + z * dir (GL order).
  const double t[3] = {m[12], m[13], m[14]};
  double base[3], dir[3];
  for (int r = 0; r < 3; ++r) {
    base[r] = -(inv[3 * r] * t[0] + inv[3 * r + 1] * t[1] + inv[3 * r + 2] * t[2]);
    dir[r] = inv[3 * r + 2];
  }
  if (!(std::fabs(dir[1]) > 1e-12)) return false;
  const double z = -base[1] / dir[1];
  if (!v.ortho && !(z < 0.0)) return false;  // behind the eye
  xy[0] = base[0] + z * dir[0];
  xy[1] = base[2] + z * dir[2];
  return std::isfinite(xy[0]) && std::isfinite(xy[1]);
}

DragMode ModeFromModifiers(bool shift, bool ctrl, bool alt) {
  if (alt) return DragAlt;
  if (shift && ctrl) return DragShiftCtrl;
  if (shift) return DragShift;
  if (ctrl) return DragCtrl;
  return DragPlain;
}

void ClearDragState(DragState& s) {
  for (bool& f : s.flag) f = false;
}

void DragDown(DragState& s, DragButton button, DragMode mode, int x, int y) {
  ClearDragState(s);
  if (button == DragLeft) s.flag[2 * mode] = true;
  if (button == DragRight) s.flag[2 * mode + 1] = true;
  s.lastX = x;
  s.lastY = y;
}

std::vector<DragStep> DragMove(DragState& s, int x, int y) {
  std::vector<DragStep> steps;
  int set = -1;
  for (int i = 0; i < 10; ++i)
    if (s.flag[i]) {
      set = i;
      break;
    }
  if (set < 0) {
    s.lastX = x;
    s.lastY = y;
    return steps;
  }
  // a > 0: the pointer moved left; b > 0: it moved up.
  const int a = s.lastX - x;
  const int b = s.lastY - y;
  switch (set) {
    case 0:
      steps = {{DragBar::XAngle, -3 * b}, {DragBar::ZAngle, -3 * a}};
      break;
    case 1:
      steps = {{DragBar::Zoom, -10 * a}};
      break;
    case 2:
      steps = {{DragBar::XShift, -3 * a}, {DragBar::ZShift, 3 * b}};
      break;
    case 3:
      steps = {{DragBar::YShift, 3 * b}};
      break;
    case 4:
      steps = {{DragBar::Light1PosX, -3 * a}, {DragBar::Light1PosZ, 3 * b}};
      break;
    case 5:
      steps = {{DragBar::Light1PosY, -3 * b}};
      break;
    case 6:
      steps = {{DragBar::Light2PosX, -3 * a}, {DragBar::Light2PosZ, 3 * b}};
      break;
    case 7:
      steps = {{DragBar::Light2PosY, -3 * b}};
      break;
    case 8:
      steps = {{DragBar::XX, -3 * a}, {DragBar::YY, -3 * b}};
      break;
    case 9:
      steps = {{DragBar::XX, -3 * a}, {DragBar::ZZ, 3 * b}};
      break;
  }
  s.lastX = x;
  s.lastY = y;
  return steps;
}

void DragUp(DragState& s) {
  ClearDragState(s);
  s.lastX = 0;
  s.lastY = 0;
}

std::vector<DragStep> WheelTurn(DragState& s, int angleDelta) {
  // In pixel units times 120; what is left of a pixel waits for the next turn.
  const long long total = static_cast<long long>(s.wheelRest) + static_cast<long long>(angleDelta) * kWheelPixelsPerNotch;
  const long long pixels = total / 120;
  s.wheelRest = static_cast<int>(total - pixels * 120);
  if (pixels == 0) return {};
  // A drag to the right by p pixels (a = -p) moves the zoom bar by -10a.
  const long long amount = 10 * pixels;
  const int clamped = static_cast<int>(amount > 100000 ? 100000 : amount < -100000 ? -100000 : amount);
  return {{DragBar::Zoom, clamped}};
}
