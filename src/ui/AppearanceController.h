#pragma once

#include <QObject>
#include <QString>

#include "render/LightPanel.h"

class FrameDriver;
class QWidget;
struct MainControls;

// How the picture looks: fill, frame and floor, the two lights, fog and
// transparency, the background and frame colours, the colour texture, the
// block text, and the colour dialog of every swatch. It writes that part
// of the frame's settings whenever one of its controls changes.
class AppearanceController : public QObject {
  Q_OBJECT
 public:
  AppearanceController(QWidget* window, MainControls& ui, FrameDriver& frame);

  // Fill, frame, lights, transparency, fog, floor, text, colours and the
  // colour texture, from the controls into the frame's settings.
  void WriteSettings();
  // The block text's bounce while a robot test runs, added to its height.
  void SetTextOffset(float offset);
  float TextOffset() const { return textOffset_; }
  // The labels and enabled states as the controls are now (the window's
  // first show).
  void Refresh();

  void Chk_DrawFillFrameClick(QObject* Sender = nullptr);
  void Chk_DrawFloorClick(QObject* Sender = nullptr);
  void Shp_ColorMouseDown(QObject* Sender);
  void Tkb_Light_PosChange(QObject* Sender = nullptr);
  void Chk_LightClick(QObject* Sender = nullptr);
  void Tkb_Fog_Setting_Change(QObject* Sender = nullptr);
  void Cmb_ColorTextureChange(QObject* Sender = nullptr);
  void Tkb_ColorTexChange(QObject* Sender = nullptr);
  void Chk_ColorTextureClick(QObject* Sender = nullptr);
  void Chk_ColorTex_ByTypeColorClick(QObject* Sender = nullptr);
  void UpdateColorTexEnabling(bool locked);
  void Cmb_ColorTex_TypeChange(QObject* Sender = nullptr);
  bool ColorTexGuard() const { return colorTexGuard_; }
  void Tkb_Text_PosChange(QObject* Sender = nullptr);
  void Chk_DrawTextClick(QObject* Sender = nullptr);
  void Chk_TextDir_LockClick(QObject* Sender = nullptr);
  void Cmb_TextSizeChange(QObject* Sender = nullptr);
  void Cmb_TextDirChange(QObject* Sender = nullptr);
  void Edt_TextDataChange(QObject* Sender = nullptr);

 private:
  // The "Light Setting" controls of light slot 0 or 1, scaled.
  LightPanelValues LightPanel(int slot) const;
  void ApplyLightsToPanel();
  void DrawFrame();

  QWidget* window_;
  MainControls& ui_;
  FrameDriver& frame_;
  bool colorTexGuard_ = false;
  float textOffset_ = 0.0f;
};
