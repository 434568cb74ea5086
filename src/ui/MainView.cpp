// The main window's view, navigation, light and fog handlers.
#include <QCheckBox>

#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/Main.h"
#include "render/Lights.h"

void TForm1::Tkb_AngleChange(QObject*) {
  TransferSettings();
  const ViewSettings& v = settings_.view;
  Lbl_X_Angle->setText(FixedText(v.angleX, 1));
  Lbl_Z_Angle->setText(FixedText(v.angleZ, 1));
  Lbl_Zoom->setText(FixedText(v.zoom, 2));
  Lbl_X_Shift->setText(FixedText(v.shiftX, 2));
  Lbl_Y_Shift->setText(FixedText(v.shiftY, 2));
  Lbl_Z_Shift->setText(FixedText(v.shiftZ, 2));
  Lbl_Trans->setText(FixedText(settings_.transparency, 1));
  Lbl_Resolution->setText(QString::number(v.resolution));
  DrawFrame();
}

void TForm1::Chk_OrthoClick(QObject*) {
  TransferSettings();
  const bool ortho = settings_.view.ortho;
  // In ortho the zoom is a scale and must stay positive; in perspective it
  // is a distance along the view axis.
  Tkb_Zoom->setMinimum(ViewBarSteps(ortho ? kViewOrthoZoomRange.lo : kViewZoomMinAfterOrtho, 100));
  Tkb_Zoom->setMaximum(ViewBarSteps(ortho ? kViewOrthoZoomRange.hi : kViewZoomRange.hi, 100));
  Tkb_Zoom->SetPosition(ortho ? 50 : -350);
  SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight, ortho);
  DrawFrame();
}

void TForm1::Pnl_GLMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
  // Many window managers keep Alt+drag for moving windows: the middle
  // button drags the tool target as Alt+left does, Shift+middle as Alt+right.
  if (button == Qt::MiddleButton) {
    DragDown(drag_, mods.testFlag(Qt::ShiftModifier) ? DragRight : DragLeft, DragAlt, x, y);
    return;
  }
  const DragMode mode = ModeFromModifiers(mods.testFlag(Qt::ShiftModifier),
                                          mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::AltModifier));
  const DragButton which = button == Qt::LeftButton    ? DragLeft
                           : button == Qt::RightButton ? DragRight
                                                       : DragOther;
  DragDown(drag_, which, mode, x, y);
}

void TForm1::Pnl_GLMouseMove(int x, int y) {
  // The mouse moves track bars, never the camera itself; each bar clamps
  // to its range and its change handler redraws.
  for (const DragStep& step : DragMove(drag_, x, y)) {
    TrackBar* bar = DragTarget(step.bar);
    bar->SetPosition(bar->Position() + step.amount);
  }
}

void TForm1::Pnl_GLMouseUp() {
  DragUp(drag_);
}

void TForm1::ClearDragState() {
  ::ClearDragState(drag_);
}

TrackBar* TForm1::DragTarget(DragBar bar) const {
  switch (bar) {
    case DragBar::XAngle:
      return Tkb_X_Angle;
    case DragBar::ZAngle:
      return Tkb_Z_Angle;
    case DragBar::Zoom:
      return Tkb_Zoom;
    case DragBar::XShift:
      return Tkb_X_Shift;
    case DragBar::YShift:
      return Tkb_Y_Shift;
    case DragBar::ZShift:
      return Tkb_Z_Shift;
    case DragBar::Light1PosX:
      return Tkb_Light1_Pos_X;
    case DragBar::Light1PosY:
      return Tkb_Light1_Pos_Y;
    case DragBar::Light1PosZ:
      return Tkb_Light1_Pos_Z;
    case DragBar::Light2PosX:
      return Tkb_Light2_Pos_X;
    case DragBar::Light2PosY:
      return Tkb_Light2_Pos_Y;
    case DragBar::Light2PosZ:
      return Tkb_Light2_Pos_Z;
    case DragBar::XX:
      return Tkb_XX;
    case DragBar::YY:
      return Tkb_YY;
    case DragBar::ZZ:
      return Tkb_ZZ;
  }
  return Tkb_X_Angle;
}

void TForm1::ApplyLightsToPanel() {
  // Outside a frame the lights may reach the panel's own context only; the
  // next frame applies them anyway.
  if (!Pnl_GL->MakeCurrent()) return;
  ApplyLights();
  Pnl_GL->DoneCurrent();
}

void TForm1::Tkb_Light_PosChange(QObject*) {
  TransferSettings();
  struct Labels {
    ValueLabel *x, *y, *z, *amb, *diff, *cutoff, *exp;
  };
  const Labels labels[2] = {
      {Lbl_Light1_Pos_X, Lbl_Light1_Pos_Y, Lbl_Light1_Pos_Z, Lbl_Light1_Amb, Lbl_Light1_Diff,
       Lbl_Light1_Spot_Cutoff, Lbl_Light1_Spot_Exp},
      {Lbl_Light2_Pos_X, Lbl_Light2_Pos_Y, Lbl_Light2_Pos_Z, Lbl_Light2_Amb, Lbl_Light2_Diff,
       Lbl_Light2_Spot_Cutoff, Lbl_Light2_Spot_Exp},
  };
  for (int i = 0; i < 2; ++i) {
    const LightSource& l = ActiveLights().slot[i];
    labels[i].x->setText(FixedText(l.position[0], 1));
    labels[i].y->setText(FixedText(l.position[1], 1));
    labels[i].z->setText(FixedText(l.position[2], 1));
    labels[i].amb->setText(FixedText(l.ambientLevel, 2));
    labels[i].diff->setText(FixedText(l.diffuseLevel, 2));
    labels[i].cutoff->setText(FixedText(l.spotCutoff, 0));
    labels[i].exp->setText(FixedText(l.spotExponent, 1));
  }
  ApplyLightsToPanel();
  DrawFrame();
}

void TForm1::Chk_LightClick(QObject*) {
  TransferSettings();
  const bool on[2] = {ActiveLights().slot[0].enabled, ActiveLights().slot[1].enabled};
  TrackBar* bars[2][5] = {
      {Tkb_Light1_Pos_X, Tkb_Light1_Pos_Y, Tkb_Light1_Pos_Z, Tkb_Light1_Amb, Tkb_Light1_Diff},
      {Tkb_Light2_Pos_X, Tkb_Light2_Pos_Y, Tkb_Light2_Pos_Z, Tkb_Light2_Amb, Tkb_Light2_Diff},
  };
  for (int i = 0; i < 2; ++i)
    for (TrackBar* b : bars[i]) b->setEnabled(on[i]);
  ApplyLightsToPanel();
  DrawFrame();
}

void TForm1::Tkb_Fog_Setting_Change(QObject*) {
  TransferSettings();
  const FogSettings& f = ActiveFog();
  Lbl_Fog_Density->setText(FixedText(f.density, 2));
  Lbl_Fog_Near->setText(FixedText(f.start, 2));
  Lbl_Fog_Far->setText(FixedText(f.end, 2));
  DrawFrame();
}
