#include "ui/AppearanceController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QOpenGLContext>

#include "render/Lights.h"
#include "shapes/Material.h"
#include "ui/Controls.h"
#include "ui/FrameDriver.h"
#include "ui/GlPanel.h"
#include "ui/MainControls.h"
#include "ui/MainHelpers.h"
#include "ui/Prompts.h"
#include "ui/Wiring.h"

namespace {

// The light setters send the table to GL at once. Outside a frame that must
// reach the panel's own context, never whatever context Qt has current for
// its own drawing.
class PanelGlScope {
 public:
  explicit PanelGlScope(GlPanel* p) : p_(p) {
    if (p_->contextReady() && QOpenGLContext::currentContext() != p_->context()) made_ = p_->MakeCurrent();
  }
  ~PanelGlScope() {
    if (made_) p_->DoneCurrent();
  }
  PanelGlScope(const PanelGlScope&) = delete;
  PanelGlScope& operator=(const PanelGlScope&) = delete;

 private:
  GlPanel* p_;
  bool made_ = false;
};

// The text the block text draws: one byte per character, so that a
// character outside ASCII takes exactly one place (and draws nothing).
std::string BlockTextBytes(const QString& s) {
  std::string out;
  out.reserve(static_cast<size_t>(s.size()));
  for (QChar c : s) out.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x80');
  return out;
}

}  // namespace

AppearanceController::AppearanceController(QWidget* window, MainControls& ui, FrameDriver& frame)
    : QObject(window), window_(window), ui_(ui), frame_(frame) {
  MainControls& c = ui_;
  // The settings first, so that every handler below reads them current.
  QWidget* written[] = {
      c.Chk_DrawFill, c.Chk_DrawFrame, c.Chk_DrawFloor, c.Tkb_Trans, c.Shp_Color_Back, c.Shp_Color_Frame,
      c.Chk_Light1, c.Chk_Light2, c.Chk_Light1_Directional, c.Chk_Light2_Directional, c.Chk_Light1_Spot,
      c.Chk_Light2_Spot, c.Cmb_Light1_Spot_Dir, c.Cmb_Light2_Spot_Dir, c.Shp_Color_Light1, c.Shp_Color_Light2,
      c.Tkb_Light1_Pos_X, c.Tkb_Light1_Pos_Y, c.Tkb_Light1_Pos_Z, c.Tkb_Light1_Amb, c.Tkb_Light1_Diff,
      c.Tkb_Light1_Spot_Cutoff, c.Tkb_Light1_Spot_Exp, c.Tkb_Light2_Pos_X, c.Tkb_Light2_Pos_Y,
      c.Tkb_Light2_Pos_Z, c.Tkb_Light2_Amb, c.Tkb_Light2_Diff, c.Tkb_Light2_Spot_Cutoff, c.Tkb_Light2_Spot_Exp,
      c.Chk_Fog_Enable, c.Cmb_Fog_Type, c.Shp_Color_Fog, c.Tkb_Fog_Density, c.Tkb_Fog_Near, c.Tkb_Fog_Far,
      c.Chk_DrawText, c.Tkb_TextWidth, c.Tkb_Text_X, c.Tkb_Text_Y, c.Tkb_Text_Z, c.Cmb_TextSize, c.Cmb_TextDir,
      c.Chk_TextDir_Lock, c.Chk_Text_Vibrate, c.Chk_ColorTexture, c.Cmb_ColorTexture, c.Tkb_ColorTex_Amb_R,
      c.Tkb_ColorTex_Amb_G, c.Tkb_ColorTex_Amb_B, c.Tkb_ColorTex_Diff_R, c.Tkb_ColorTex_Diff_G,
      c.Tkb_ColorTex_Diff_B, c.Tkb_ColorTex_Spec_R, c.Tkb_ColorTex_Spec_G, c.Tkb_ColorTex_Spec_B,
      c.Tkb_ColorTex_Shin, c.Shp_ColorTex_Color, c.Chk_ColorTex_ByTypeColor, c.Cmb_ColorTex_Type};
  for (QWidget* w : written) OnAnyChange(w, this, [this] { WriteSettings(); });
  connect(c.Edt_TextData, &QLineEdit::textChanged, this, [this] { WriteSettings(); });
  WriteSettings();

  for (QCheckBox* b : {c.Chk_DrawFill, c.Chk_DrawFrame})
    OnToggle(b, this, window_, [this, b] { Chk_DrawFillFrameClick(b); });
  OnToggle(c.Chk_DrawFloor, this, window_, [this] { Chk_DrawFloorClick(); });
  for (QCheckBox* b : {c.Chk_Light1, c.Chk_Light1_Directional, c.Chk_Light1_Spot, c.Chk_Light2,
                       c.Chk_Light2_Directional, c.Chk_Light2_Spot, c.Chk_Fog_Enable})
    OnToggle(b, this, window_, [this, b] { Chk_LightClick(b); });
  for (TrackBar* b : {c.Tkb_Light1_Pos_X, c.Tkb_Light1_Pos_Y, c.Tkb_Light1_Pos_Z, c.Tkb_Light1_Amb,
                      c.Tkb_Light1_Diff, c.Tkb_Light1_Spot_Cutoff, c.Tkb_Light1_Spot_Exp, c.Tkb_Light2_Pos_X,
                      c.Tkb_Light2_Pos_Y, c.Tkb_Light2_Pos_Z, c.Tkb_Light2_Amb, c.Tkb_Light2_Diff,
                      c.Tkb_Light2_Spot_Cutoff, c.Tkb_Light2_Spot_Exp})
    OnMove(b, this, window_, [this, b] { Tkb_Light_PosChange(b); });
  for (TrackBar* b : {c.Tkb_Fog_Density, c.Tkb_Fog_Near, c.Tkb_Fog_Far})
    OnMove(b, this, window_, [this, b] { Tkb_Fog_Setting_Change(b); });
  OnToggle(c.Chk_ColorTexture, this, window_, [this] { Chk_ColorTextureClick(); });
  OnPick(c.Cmb_ColorTexture, this, window_, [this] { Cmb_ColorTextureChange(); });
  for (TrackBar* b : {c.Tkb_ColorTex_Amb_R, c.Tkb_ColorTex_Amb_G, c.Tkb_ColorTex_Amb_B, c.Tkb_ColorTex_Diff_R,
                      c.Tkb_ColorTex_Diff_G, c.Tkb_ColorTex_Diff_B, c.Tkb_ColorTex_Spec_R, c.Tkb_ColorTex_Spec_G,
                      c.Tkb_ColorTex_Spec_B, c.Tkb_ColorTex_Shin})
    OnMove(b, this, window_, [this, b] { Tkb_ColorTexChange(b); });
  OnToggle(c.Chk_ColorTex_ByTypeColor, this, window_, [this] { Chk_ColorTex_ByTypeColorClick(); });
  OnPick(c.Cmb_ColorTex_Type, this, window_, [this] { Cmb_ColorTex_TypeChange(); });
  OnToggle(c.Chk_DrawText, this, window_, [this] { Chk_DrawTextClick(); });
  for (QCheckBox* b : {c.Chk_TextDir_Lock, c.Chk_Text_Vibrate})
    OnToggle(b, this, window_, [this, b] { Chk_TextDir_LockClick(b); });
  for (TrackBar* b : {c.Tkb_TextWidth, c.Tkb_Text_X, c.Tkb_Text_Y, c.Tkb_Text_Z})
    OnMove(b, this, window_, [this, b] { Tkb_Text_PosChange(b); });
  OnPick(c.Cmb_TextSize, this, window_, [this] { Cmb_TextSizeChange(); });
  OnPick(c.Cmb_TextDir, this, window_, [this] { Cmb_TextDirChange(); });
  connect(c.Edt_TextData, &QLineEdit::textChanged, this, Guarded(window_, [this] { Edt_TextDataChange(); }));
  for (ColorSwatch* sw : c.Swatches)
    connect(sw, &ColorSwatch::mouseDown, this, Guarded(window_, [this, sw] { Shp_ColorMouseDown(sw); }));
}

void AppearanceController::DrawFrame() { frame_.DrawFrame(); }

void AppearanceController::Refresh() {
  Tkb_Light_PosChange();
  Chk_LightClick();
  Tkb_Text_PosChange();
  Chk_DrawTextClick();
  Tkb_Fog_Setting_Change();
  Tkb_ColorTexChange();
}

void AppearanceController::SetTextOffset(float offset) {
  textOffset_ = offset;
  WriteSettings();
}

void AppearanceController::WriteSettings() {
  RenderSettings& s = frame_.Settings();
  // Fill and frame.
  s.drawFill = ui_.Chk_DrawFill->isChecked();
  s.drawFrame = ui_.Chk_DrawFrame->isChecked();

  // Lights, lighting-on flag, transparency and fog; with fill off and
  // frame on the picture is lines only and both lights stay off.
  {
    PanelGlScope gl(ui_.Pnl_GL);
    FogPanelValues fog;
    fog.use = ui_.Chk_Fog_Enable->isChecked();
    fog.typeIndex = ui_.Cmb_Fog_Type->currentIndex();
    fog.color = ui_.Shp_Color_Fog->Color();
    fog.density = Scaled(ui_.Tkb_Fog_Density, 0.01);
    fog.nearDist = Scaled(ui_.Tkb_Fog_Near, 0.01);
    fog.farDist = Scaled(ui_.Tkb_Fog_Far, 0.01);
    TransferLightsAndFog(s, LightPanel(0), LightPanel(1), ui_.Tkb_Trans->Position(), fog);
  }
  s.drawFloor = ui_.Chk_DrawFloor->isChecked();

  // Block text.
  BlockTextSettings& t = s.text;
  t.shown = ui_.Chk_DrawText->isChecked();
  t.strokeWidth = Scaled(ui_.Tkb_TextWidth, 0.1);
  // "S" would be size 0, a text collapsed to its centre point; it is
  // drawn at half of "M" instead.
  t.charSize =
      ui_.Cmb_TextSize->currentIndex() == 0 ? 0.5f : static_cast<float>(ui_.Cmb_TextSize->currentIndex());
  t.direction = ui_.Cmb_TextDir->currentIndex();
  t.angle[0] = t.angle[1] = t.angle[2] = 0.0f;
  t.X = Scaled(ui_.Tkb_Text_X, 0.01);
  t.Y = Scaled(ui_.Tkb_Text_Y, 0.01);
  t.Z = Scaled(ui_.Tkb_Text_Z, 0.01);
  if (ui_.Chk_Text_Vibrate->isChecked()) t.Z += textOffset_;
  t.text = BlockTextBytes(ui_.Edt_TextData->text());
  t.lock = ui_.Chk_TextDir_Lock->isChecked();
  t.color = 0xFFFFFF;
  t.opacity = s.transparency;

  // Background and frame colours.
  s.backColor = ui_.Shp_Color_Back->Color();
  s.frameColor = ui_.Shp_Color_Frame->Color();

  // The colour-texture panel.
  ColorTexPanel& ct = s.colorTex;
  const TrackBar* amb[3] = {ui_.Tkb_ColorTex_Amb_R, ui_.Tkb_ColorTex_Amb_G, ui_.Tkb_ColorTex_Amb_B};
  const TrackBar* diff[3] = {ui_.Tkb_ColorTex_Diff_R, ui_.Tkb_ColorTex_Diff_G, ui_.Tkb_ColorTex_Diff_B};
  const TrackBar* spec[3] = {ui_.Tkb_ColorTex_Spec_R, ui_.Tkb_ColorTex_Spec_G, ui_.Tkb_ColorTex_Spec_B};
  ct.record.ClTex = true;
  for (int k = 0; k < 3; ++k) {
    ct.record.amb[k] = Scaled(amb[k], 0.001);
    ct.record.diff[k] = Scaled(diff[k], 0.001);
    ct.record.spec[k] = Scaled(spec[k], 0.001);
  }
  ct.record.amb[3] = ct.record.diff[3] = ct.record.spec[3] = 1.0f;
  ct.record.shin = static_cast<float>(ui_.Tkb_ColorTex_Shin->Position());
  ct.shininess = ui_.Tkb_ColorTex_Shin->Position();
  ct.presetChecked = ui_.Chk_ColorTexture->isChecked();
  ct.byTypeColor = ui_.Chk_ColorTex_ByTypeColor->isChecked();
  ct.typeIndex = ui_.Cmb_ColorTex_Type->currentIndex();
  ct.swatch = ui_.Shp_ColorTex_Color->Color();
}

LightPanelValues AppearanceController::LightPanel(int slot) const {
  struct LightControls {
    QCheckBox *on, *directional, *spot;
    TrackBar *x, *y, *z, *amb, *diff, *exp, *cutoff;
    ColorSwatch* color;
    QComboBox* dir;
  };
  const LightControls c =
      slot == 0
          ? LightControls{ui_.Chk_Light1,          ui_.Chk_Light1_Directional, ui_.Chk_Light1_Spot,  ui_.Tkb_Light1_Pos_X,
                          ui_.Tkb_Light1_Pos_Y,    ui_.Tkb_Light1_Pos_Z,       ui_.Tkb_Light1_Amb,   ui_.Tkb_Light1_Diff,
                          ui_.Tkb_Light1_Spot_Exp, ui_.Tkb_Light1_Spot_Cutoff, ui_.Shp_Color_Light1, ui_.Cmb_Light1_Spot_Dir}
          : LightControls{ui_.Chk_Light2,          ui_.Chk_Light2_Directional, ui_.Chk_Light2_Spot,  ui_.Tkb_Light2_Pos_X,
                          ui_.Tkb_Light2_Pos_Y,    ui_.Tkb_Light2_Pos_Z,       ui_.Tkb_Light2_Amb,   ui_.Tkb_Light2_Diff,
                          ui_.Tkb_Light2_Spot_Exp, ui_.Tkb_Light2_Spot_Cutoff, ui_.Shp_Color_Light2, ui_.Cmb_Light2_Spot_Dir};
  LightPanelValues v;
  v.checked = c.on->isChecked();
  v.pos[0] = Scaled(c.x, 0.1);
  v.pos[1] = Scaled(c.y, 0.1);
  v.pos[2] = Scaled(c.z, 0.1);
  v.directional = c.directional->isChecked();
  v.color = c.color->Color();
  v.ambient = Scaled(c.amb, 0.01);
  v.diffuse = Scaled(c.diff, 0.01);
  v.spot = c.spot->isChecked();
  v.spotDirIndex = c.dir->currentIndex();
  v.spotExponent = Scaled(c.exp, 0.1);
  v.spotCutoff = static_cast<float>(c.cutoff->Position());
  return v;
}

void AppearanceController::Chk_DrawFillFrameClick(QObject*) {
  // Lines only: the lights are off (the settings writer sees to that) and cannot
  // be switched on.
  const bool frameOnly = !ui_.Chk_DrawFill->isChecked() && ui_.Chk_DrawFrame->isChecked();
  ui_.Chk_Light1->setEnabled(!frameOnly);
  ui_.Chk_Light2->setEnabled(!frameOnly);
  DrawFrame();
}

void AppearanceController::Chk_DrawFloorClick(QObject*) {
  DrawFrame();
}

void AppearanceController::Shp_ColorMouseDown(QObject* Sender) {
  auto* swatch = qobject_cast<ColorSwatch*>(Sender);
  if (!swatch) return;
  uint32_t chosen = 0;
  if (!Prompts::Get().PickColor(window_, swatch->Color(), &chosen)) return;
  // The swatch's own controller writes the colour to the settings.
  swatch->SetColor(chosen);
  if (TagOf(swatch) == 0) frame_.ApplyBackColor();
  frame_.RequestRedraw();
}

void AppearanceController::ApplyLightsToPanel() {
  // Outside a frame the lights may reach the panel's own context only; the
  // next frame applies them anyway.
  if (!ui_.Pnl_GL->MakeCurrent()) return;
  ApplyLights();
  ui_.Pnl_GL->DoneCurrent();
}

void AppearanceController::Tkb_Light_PosChange(QObject*) {
  struct Labels {
    ValueLabel *x, *y, *z, *amb, *diff, *cutoff, *exp;
  };
  const Labels labels[2] = {
      {ui_.Lbl_Light1_Pos_X, ui_.Lbl_Light1_Pos_Y, ui_.Lbl_Light1_Pos_Z, ui_.Lbl_Light1_Amb, ui_.Lbl_Light1_Diff,
       ui_.Lbl_Light1_Spot_Cutoff, ui_.Lbl_Light1_Spot_Exp},
      {ui_.Lbl_Light2_Pos_X, ui_.Lbl_Light2_Pos_Y, ui_.Lbl_Light2_Pos_Z, ui_.Lbl_Light2_Amb, ui_.Lbl_Light2_Diff,
       ui_.Lbl_Light2_Spot_Cutoff, ui_.Lbl_Light2_Spot_Exp},
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

void AppearanceController::Chk_LightClick(QObject*) {
  const bool on[2] = {ActiveLights().slot[0].enabled, ActiveLights().slot[1].enabled};
  TrackBar* bars[2][5] = {
      {ui_.Tkb_Light1_Pos_X, ui_.Tkb_Light1_Pos_Y, ui_.Tkb_Light1_Pos_Z, ui_.Tkb_Light1_Amb, ui_.Tkb_Light1_Diff},
      {ui_.Tkb_Light2_Pos_X, ui_.Tkb_Light2_Pos_Y, ui_.Tkb_Light2_Pos_Z, ui_.Tkb_Light2_Amb, ui_.Tkb_Light2_Diff},
  };
  for (int i = 0; i < 2; ++i)
    for (TrackBar* b : bars[i]) b->setEnabled(on[i]);
  ApplyLightsToPanel();
  DrawFrame();
}

void AppearanceController::Tkb_Fog_Setting_Change(QObject*) {
  const FogSettings& f = ActiveFog();
  ui_.Lbl_Fog_Density->setText(FixedText(f.density, 2));
  ui_.Lbl_Fog_Near->setText(FixedText(f.start, 2));
  ui_.Lbl_Fog_Far->setText(FixedText(f.end, 2));
  DrawFrame();
}

void AppearanceController::Cmb_ColorTextureChange(QObject*) {
  // The sliders follow the preset without each running its handler; the
  // settings take the record as the sliders quantise it.
  const ColorTex record = LookupMaterialPreset(ui_.Cmb_ColorTexture->currentText().toStdString());
  {
    FlagScope guard(colorTexGuard_);
    TrackBar* bars[3][3] = {{ui_.Tkb_ColorTex_Amb_R, ui_.Tkb_ColorTex_Amb_G, ui_.Tkb_ColorTex_Amb_B},
                            {ui_.Tkb_ColorTex_Diff_R, ui_.Tkb_ColorTex_Diff_G, ui_.Tkb_ColorTex_Diff_B},
                            {ui_.Tkb_ColorTex_Spec_R, ui_.Tkb_ColorTex_Spec_G, ui_.Tkb_ColorTex_Spec_B}};
    const float* parts[3] = {record.amb, record.diff, record.spec};
    // In double precision: 0.829f lies just below 0.829 and gives 828.
    for (int p = 0; p < 3; ++p)
      for (int c = 0; c < 3; ++c)
        bars[p][c]->SetPosition(TruncatedPosition(static_cast<double>(parts[p][c]) * 1000.0, bars[p][c]));
    ui_.Tkb_ColorTex_Shin->SetPosition(TruncatedPosition(record.shin, ui_.Tkb_ColorTex_Shin));
  }
  Tkb_ColorTexChange();
  DrawFrame();
}

void AppearanceController::Tkb_ColorTexChange(QObject*) {
  if (colorTexGuard_) return;
  const ColorTex& r = frame_.Settings().colorTex.record;
  ValueLabel* labels[3][3] = {{ui_.Lbl_ColorTex_Amb_R, ui_.Lbl_ColorTex_Amb_G, ui_.Lbl_ColorTex_Amb_B},
                              {ui_.Lbl_ColorTex_Diff_R, ui_.Lbl_ColorTex_Diff_G, ui_.Lbl_ColorTex_Diff_B},
                              {ui_.Lbl_ColorTex_Spec_R, ui_.Lbl_ColorTex_Spec_G, ui_.Lbl_ColorTex_Spec_B}};
  const float* parts[3] = {r.amb, r.diff, r.spec};
  for (int p = 0; p < 3; ++p)
    for (int c = 0; c < 3; ++c) labels[p][c]->setText(FixedText(parts[p][c], 3));
  ui_.Lbl_ColorTex_Shin->setText(FixedText(r.shin, 0));
  DrawFrame();
}

void AppearanceController::Chk_ColorTextureClick(QObject*) {
  const bool checked = ui_.Chk_ColorTexture->isChecked();
  // The preset and the type-and-colour material exclude each other; both
  // may be off.
  if (checked) ui_.Chk_ColorTex_ByTypeColor->setChecked(false);
  UpdateColorTexEnabling(ui_.Chk_ColorTexture->isChecked() || ui_.Chk_ColorTex_ByTypeColor->isChecked());
  DrawFrame();
}

void AppearanceController::Chk_ColorTex_ByTypeColorClick(QObject*) {
  const bool checked = ui_.Chk_ColorTex_ByTypeColor->isChecked();
  if (checked) ui_.Chk_ColorTexture->setChecked(false);
  UpdateColorTexEnabling(ui_.Chk_ColorTexture->isChecked() || ui_.Chk_ColorTex_ByTypeColor->isChecked());
  DrawFrame();
}

void AppearanceController::UpdateColorTexEnabling(bool locked) {
  ui_.Cmb_ColorTexture->setEnabled(ui_.Chk_ColorTexture->isChecked());
  ui_.Cmb_ColorTex_Type->setEnabled(ui_.Chk_ColorTex_ByTypeColor->isChecked());
  QWidget* components[] = {ui_.Tkb_ColorTex_Amb_R,  ui_.Tkb_ColorTex_Amb_G,  ui_.Tkb_ColorTex_Amb_B,  ui_.Tkb_ColorTex_Diff_R,
                           ui_.Tkb_ColorTex_Diff_G, ui_.Tkb_ColorTex_Diff_B, ui_.Tkb_ColorTex_Spec_R, ui_.Tkb_ColorTex_Spec_G,
                           ui_.Tkb_ColorTex_Spec_B, ui_.Lbl_ColorTex_Amb_R,  ui_.Lbl_ColorTex_Amb_G,  ui_.Lbl_ColorTex_Amb_B,
                           ui_.Lbl_ColorTex_Diff_R, ui_.Lbl_ColorTex_Diff_G, ui_.Lbl_ColorTex_Diff_B, ui_.Lbl_ColorTex_Spec_R,
                           ui_.Lbl_ColorTex_Spec_G, ui_.Lbl_ColorTex_Spec_B};
  for (QWidget* w : components) w->setEnabled(!locked);
  ui_.Lbl_ColorTex_Shin->setEnabled(!ui_.Chk_ColorTexture->isChecked());
}

void AppearanceController::Cmb_ColorTex_TypeChange(QObject*) {
  // The arm's material type is read by every frame.
  DrawFrame();
}

void AppearanceController::Tkb_Text_PosChange(QObject*) {
  const BlockTextSettings& t = frame_.Settings().text;
  ui_.Lbl_Text_X->setText(FixedText(t.X, 2));
  ui_.Lbl_Text_Y->setText(FixedText(t.Y, 2));
  ui_.Lbl_Text_Z->setText(FixedText(t.Z, 2));
  ui_.Lbl_TextWidth->setText(FixedText(t.strokeWidth, 1));
  DrawFrame();
}

void AppearanceController::Chk_DrawTextClick(QObject*) {
  const bool shown = frame_.Settings().text.shown;
  QWidget* controls[] = {ui_.Edt_TextData, ui_.Tkb_Text_X,       ui_.Tkb_Text_Y,      ui_.Tkb_Text_Z,    ui_.Lbl_Text_X,
                         ui_.Lbl_Text_Y,   ui_.Lbl_Text_Z,       ui_.Tkb_TextWidth,   ui_.Lbl_TextWidth, ui_.Cmb_TextDir,
                         ui_.Cmb_TextSize, ui_.Chk_TextDir_Lock, ui_.Chk_Text_Vibrate};
  for (QWidget* w : controls) w->setEnabled(shown);
  DrawFrame();
}

void AppearanceController::Chk_TextDir_LockClick(QObject*) {
  // A locked text keeps its place on the screen; its direction is fixed.
  ui_.Cmb_TextDir->setEnabled(!ui_.Chk_TextDir_Lock->isChecked());
  DrawFrame();
}

void AppearanceController::Cmb_TextSizeChange(QObject*) {
  DrawFrame();
}

void AppearanceController::Cmb_TextDirChange(QObject*) {
  DrawFrame();
}

void AppearanceController::Edt_TextDataChange(QObject*) {
  DrawFrame();
}
