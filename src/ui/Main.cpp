#include "ui/Main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QOpenGLContext>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "ui/Controls.h"
#include "ui/FramePacer.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/MainDocument.h"
#include "ui/InterferenceController.h"
#include "ui/ModelsController.h"
#include "ui/QtBitmapSource.h"
#include "ui/Objectsetting.h"
#include "objects/Convert.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "render/Picking.h"
#include "render/Texture.h"

TForm1* Form1 = nullptr;
const char* const kVersionText = "Ver0.07z3";

namespace {
// The caption as laid out; the version is appended when the form is created.
const char* const kLayoutCaption = "Tessaly ";

// A track bar's position times its scale, kept as the single-precision
// value drawing reads.
float Scaled(const TrackBar* bar, double scale) {
  return static_cast<float>(bar->Position() * scale);
}

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

TForm1::TForm1() : QMainWindow(nullptr) {
  InitBuiltInBitmaps();
  setObjectName(QStringLiteral("Form1"));
  layoutCaption_ = QString::fromLatin1(kLayoutCaption);
  setWindowTitle(layoutCaption_);

  models_ = new ModelsController(this);
  checks_ = new InterferenceController(this);
  // C1: the window as laid out.
  BuildLayout();
  BuildMenus();
  BuildTimers();
  // C2: the keypad rows start with empty text.
  for (ValueEntry& v : valueEntries_) v.text.clear();
  // C3, C7: the object table with its defaults.
  objects_ = std::make_unique<ObjectTable>();
  InitializeRecords(objects_->data(), kObjectCapacity);
  // C4-C6.
  BlockTextString.clear();
  InitValueEntries();
  BulkUpdate = false;
  TextVerticalOffset = 0.0f;

  FormCreate();
  StartDocument();
  // The window's keys reach it whatever control has the focus (MainKeys.cpp).
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  FormDestroy();
}

void TForm1::InitValueEntries() {
  for (ValueEntry& v : valueEntries_) v = ValueEntry{};
  auto set = [this](int tag, int kind, double mn, double mx, int digits, int decimals, const char* text) {
    valueEntries_[tag] = ValueEntry{kind, mn, mx, digits, decimals, QString::fromLatin1(text)};
  };
  set(0, 0, 0, 9999, 4, 0, "100");
  set(5, 0, 0, 9999, 4, 0, "1");
  set(10, 1, -240, 240, 7, 2, "0");
  set(11, 1, -90, 120, 6, 2, "0");
  set(12, 1, -180, 180, 7, 2, "0");
  set(13, 1, -200, 200, 7, 2, "0");
  set(14, 1, -120, 120, 7, 2, "0");
  set(15, 1, -360, 360, 7, 2, "0");
}

void TForm1::BuildTimers() {
  auto make = [this](const char* name, int interval, bool enabled, void (TForm1::*tick)()) {
    auto* t = new QTimer(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(interval);
    if (tick) connect(t, &QTimer::timeout, this, Guarded(this, [this, tick] { (this->*tick)(); }));
    if (enabled) t->start();
    return t;
  };
  Tim_Draw = make("Tim_Draw", 100, false, &TForm1::Tim_DrawTimer);
  Tim_ActiveCheck = make("Tim_ActiveCheck", 100, true, &TForm1::Tim_ActiveCheckTimer);
  Tim_Blink = make("Tim_Blink", 500, false, &TForm1::Tim_BlinkTimer);
  Tim_Animation = make("Tim_Animation", 100, false, &TForm1::Tim_AnimationTimer);
  Tim_RBT_Test = make("Tim_RBT_Test", 50, false, &TForm1::Tim_RBT_TestTimer);
  Tim_ShmMonitor = make("Tim_ShmMonitor", 500, false, &TForm1::Tim_ShmMonitorTimer);
}

void TForm1::BuildControlTables() {
  UnitAlarmChecks = {Chk_Unit01_Alarm, Chk_Unit02_Alarm, Chk_Unit03_Alarm, Chk_Unit04_Alarm, Chk_Unit05_Alarm,
                     Chk_Unit06_Alarm, Chk_Unit07_Alarm, Chk_Unit08_Alarm, Chk_Unit09_Alarm, Chk_Unit10_Alarm,
                     Chk_Unit11_Alarm, Chk_Unit12_Alarm, Chk_Unit13_Alarm};
  UnitWarningChecks = {Chk_Unit01_Warning, Chk_Unit02_Warning, Chk_Unit03_Warning, Chk_Unit04_Warning,
                       Chk_Unit05_Warning, Chk_Unit06_Warning, Chk_Unit07_Warning, Chk_Unit08_Warning,
                       Chk_Unit09_Warning, Chk_Unit10_Warning, Chk_Unit11_Warning, Chk_Unit12_Warning,
                       Chk_Unit13_Warning};
  JointBars = {Tkb_TestData01, Tkb_TestData02, Tkb_TestData03,
               Tkb_TestData04, Tkb_TestData05, Tkb_TestData06};
}

void TForm1::InitComboDefaults() {
  // Programmatic choices: no change handler runs.
  Cmb_TextSize->setCurrentIndex(2);
  Cmb_TextDir->setCurrentIndex(0);
  Cmb_Light1_Spot_Dir->setCurrentIndex(4);
  Cmb_Light2_Spot_Dir->setCurrentIndex(4);
  Cmb_Fog_Type->setCurrentIndex(1);
  Cmb_ColorTexture->setCurrentIndex(0);
  Cmb_ColorTex_Type->setCurrentIndex(0);
  Cmb_VARBT_Pos->setCurrentIndex(0);
}

void TForm1::FormCreate() {
  framePacer_ = new FramePacer(this, [this] { DrawFrame(); });
  // F1.
  BuildControlTables();
  // F2: the only blank between the two is the one ending the layout caption.
  setWindowTitle(layoutCaption_ + QString::fromLatin1(kVersionText));
  // F3.
  InitComboDefaults();
  // F4: the panel's context exists only once the window is shown; the GL
  // half of these steps runs again from OnContextCreated.
  InitRenderContext(renderContext_, Pnl_GL, Shp_Color_Back->Color());
  // F5, F6.
  TransferSettings();
  SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight, settings_.view.ortho);
  // F7: the pictures are decoded now and uploaded while the context is
  // current. Slot numbers (what files store) are 0 and 1; GL names are the
  // context's own.
  QtBitmapSource bitmaps;
  DecodeTextureImage("RC,logo", textures_[0], bitmaps);
  textures_[0].number = 0;
  DecodeTextureImage("RC,wafer", textures_[1], bitmaps);
  textures_[1].number = 1;
  for (int i = 2; i < kTextureSlotCount; ++i) textures_[i].number = i;
}

void TForm1::OnContextCreated() {
  InitRenderContext(renderContext_, Pnl_GL, Shp_Color_Back->Color());
  TransferSettings();
  if (Pnl_GL->MakeCurrent()) {
    for (TextureSlot& slot : textures_)
      if (slot.loaded) UploadTextureImage(slot);
    Pnl_GL->DoneCurrent();
  }
  SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight, settings_.view.ortho);
  RequestRedraw();
}

void TForm1::OnContextLost() {
  // The texture objects die with the context; a new context uploads again.
  for (TextureSlot& slot : textures_) slot.glName = 0;
  renderContext_.created = false;
  if (framePacer_) framePacer_->ContextLost();
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!shown_) {
    shown_ = true;
    Guarded(this, [this] { FormShow(); })();
    if (QWindow* w = windowHandle()) {
      // FormPaint: the window was uncovered and must be drawn again.
      w->installEventFilter(this);
    }
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == windowHandle() && e->type() == QEvent::Expose) RequestRedraw();
  if (e->type() == QEvent::KeyPress && PreviewKey(watched, static_cast<QKeyEvent*>(e))) return true;
  return QMainWindow::eventFilter(watched, e);
}

void TForm1::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  // FormActivate.
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) RequestRedraw();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
  // Keys arrive here when the focused control has no use for them; combo
  // boxes and the text field keep their letters.
  if (e->text().size() == 1 && FormKeyPress(e->text().at(0))) {
    e->accept();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void TForm1::FormShow() {
  // S1: every label and setting reflects the initial controls.
  Chk_ShowDetailClick();
  Tkb_AngleChange();
  Tkb_Light_PosChange();
  Chk_LightClick();
  Tkb_Text_PosChange();
  Tkb_RBT_AxisChange();
  Chk_DrawTextClick();
  Tkb_Fog_Setting_Change();
  Tkb_TestDataChange();
  Tkb_ColorTexChange();
  Tkb_XYZChange();
  // S2.
  Btn_ObjList->setEnabled(ObjSet != nullptr && ObjSet->ShapeListLoaded());
  // S3, S4.
  Tim_Draw->start();
  Tim_Blink->start();
  // Asked for on the command line: once every control above is in place.
  if (linkOnShow_) {
    linkOnShow_ = false;
    OpenLinkWhenShown();
  }
}

void TForm1::closeEvent(QCloseEvent* e) {
  // Exit, Ctrl+Q, Alt+F4 and the close button: Cancel keeps the program open.
  if (!AskSaveChanges()) {
    ExitRequested = false;
    e->ignore();
    return;
  }
  ExitRequested = true;
  e->accept();
  QMainWindow::closeEvent(e);
  Q_EMIT closed();
}

void TForm1::Btn_ExitClick(QObject*) {
  ExitRequested = true;
  close();
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  // A clean end leaves no recovery copy behind.
  RemoveRecoveryCopy();
  Tim_Draw->stop();
  Tim_Blink->stop();
  Tim_ActiveCheck->stop();
  ReleaseRenderContext(renderContext_);
}

void TForm1::RequestRedraw() {
  if (!Tim_Draw->isActive()) Tim_Draw->start();
}

void TForm1::Tim_DrawTimer() {
  Tim_Draw->stop();
  DrawFrame();
}

void TForm1::Tim_ActiveCheckTimer() {
  const bool active = isActiveWindow();
  if (!wasActive_ && active) DrawFrame();
  wasActive_ = active;
}

void TForm1::Tim_BlinkTimer() {
  DrawFrame();
}

void TForm1::Pnl_GLResize(int width, int height) {
  TransferSettings();
  SetProjection(renderContext_, width, height, settings_.view.ortho);
  RequestRedraw();
}

void TForm1::SetShmTimerEnabled(bool enabled) {
  shmTimerEnabled_ = enabled;
  // A toolkit timer with interval 0 never fires; a Qt one would fire on
  // every pass of the event loop.
  if (enabled && Tim_ShmMonitor->interval() > 0) {
    if (!Tim_ShmMonitor->isActive()) Tim_ShmMonitor->start();
  } else {
    Tim_ShmMonitor->stop();
  }
}

LightPanelValues TForm1::LightPanel(int slot) const {
  struct LightControls {
    QCheckBox *on, *directional, *spot;
    TrackBar *x, *y, *z, *amb, *diff, *exp, *cutoff;
    ColorSwatch* color;
    QComboBox* dir;
  };
  const LightControls c =
      slot == 0
          ? LightControls{Chk_Light1,          Chk_Light1_Directional, Chk_Light1_Spot,  Tkb_Light1_Pos_X,
                          Tkb_Light1_Pos_Y,    Tkb_Light1_Pos_Z,       Tkb_Light1_Amb,   Tkb_Light1_Diff,
                          Tkb_Light1_Spot_Exp, Tkb_Light1_Spot_Cutoff, Shp_Color_Light1, Cmb_Light1_Spot_Dir}
          : LightControls{Chk_Light2,          Chk_Light2_Directional, Chk_Light2_Spot,  Tkb_Light2_Pos_X,
                          Tkb_Light2_Pos_Y,    Tkb_Light2_Pos_Z,       Tkb_Light2_Amb,   Tkb_Light2_Diff,
                          Tkb_Light2_Spot_Exp, Tkb_Light2_Spot_Cutoff, Shp_Color_Light2, Cmb_Light2_Spot_Dir};
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

void TForm1::TransferSettings() {
  RenderSettings& s = settings_;
  // 1. Panel size and view.
  ViewSettings& v = s.view;
  v.panelWidth = Pnl_GL->width();
  v.panelHeight = Pnl_GL->height();
  v.angleX = Scaled(Tkb_X_Angle, 0.1);
  v.angleZ = Scaled(Tkb_Z_Angle, 0.1);
  v.zoom = Scaled(Tkb_Zoom, 0.01);
  v.shiftX = Scaled(Tkb_X_Shift, 0.01);
  v.shiftY = Scaled(Tkb_Y_Shift, 0.01);
  v.shiftZ = Scaled(Tkb_Z_Shift, 0.01);
  v.resolution = Tkb_Resolution->Position();
  v.ortho = Chk_Ortho->isChecked();

  // 2. Fill and frame.
  s.drawFill = Chk_DrawFill->isChecked();
  s.drawFrame = Chk_DrawFrame->isChecked();

  // 3, 4. Lights, lighting-on flag, transparency and fog; with fill off
  // and frame on the picture is lines only and both lights stay off.
  {
    PanelGlScope gl(Pnl_GL);
    FogPanelValues fog;
    fog.use = Chk_Fog_Enable->isChecked();
    fog.typeIndex = Cmb_Fog_Type->currentIndex();
    fog.color = Shp_Color_Fog->Color();
    fog.density = Scaled(Tkb_Fog_Density, 0.01);
    fog.nearDist = Scaled(Tkb_Fog_Near, 0.01);
    fog.farDist = Scaled(Tkb_Fog_Far, 0.01);
    TransferLightsAndFog(s, LightPanel(0), LightPanel(1), Tkb_Trans->Position(), fog);
  }

  // 5. Floor and the arm's mark plates.
  s.drawFloor = Chk_DrawFloor->isChecked();
  s.markPlate = Chk_TestData02->isChecked();

  // 6. Block text.
  BlockTextSettings& t = s.text;
  t.shown = Chk_DrawText->isChecked();
  t.strokeWidth = Scaled(Tkb_TextWidth, 0.1);
  // "S" would be size 0, a text collapsed to its centre point; it is
  // drawn at half of "M" instead.
  t.charSize = Cmb_TextSize->currentIndex() == 0 ? 0.5f : static_cast<float>(Cmb_TextSize->currentIndex());
  t.direction = Cmb_TextDir->currentIndex();
  t.angle[0] = t.angle[1] = t.angle[2] = 0.0f;
  t.X = Scaled(Tkb_Text_X, 0.01);
  t.Y = Scaled(Tkb_Text_Y, 0.01);
  t.Z = Scaled(Tkb_Text_Z, 0.01);
  if (Chk_Text_Vibrate->isChecked()) t.Z += TextVerticalOffset;
  BlockTextString = Edt_TextData->text();
  t.text = BlockTextBytes(BlockTextString);
  t.lock = Chk_TextDir_Lock->isChecked();
  t.color = 0xFFFFFF;
  t.opacity = s.transparency;

  // 7. Background and frame colours.
  s.backColor = Shp_Color_Back->Color();
  s.frameColor = Shp_Color_Frame->Color();

  // 8. The colour-texture panel.
  ColorTexPanel& ct = s.colorTex;
  const TrackBar* amb[3] = {Tkb_ColorTex_Amb_R, Tkb_ColorTex_Amb_G, Tkb_ColorTex_Amb_B};
  const TrackBar* diff[3] = {Tkb_ColorTex_Diff_R, Tkb_ColorTex_Diff_G, Tkb_ColorTex_Diff_B};
  const TrackBar* spec[3] = {Tkb_ColorTex_Spec_R, Tkb_ColorTex_Spec_G, Tkb_ColorTex_Spec_B};
  ct.record.ClTex = true;
  for (int k = 0; k < 3; ++k) {
    ct.record.amb[k] = Scaled(amb[k], 0.001);
    ct.record.diff[k] = Scaled(diff[k], 0.001);
    ct.record.spec[k] = Scaled(spec[k], 0.001);
  }
  ct.record.amb[3] = ct.record.diff[3] = ct.record.spec[3] = 1.0f;
  ct.record.shin = static_cast<float>(Tkb_ColorTex_Shin->Position());
  ct.shininess = Tkb_ColorTex_Shin->Position();
  ct.presetChecked = Chk_ColorTexture->isChecked();
  ct.byTypeColor = Chk_ColorTex_ByTypeColor->isChecked();
  ct.typeIndex = Cmb_ColorTex_Type->currentIndex();
  ct.swatch = Shp_ColorTex_Color->Color();

  // 9. Arm joints and the tool-point ball.
  for (int j = 0; j < 6; ++j) s.joints[j] = Scaled(JointBars[j], 0.01);
  s.ball = Chk_TestData01->isChecked();

  // 10, 11. The two transfer robots; RBT2 has no turn tables and no slot.
  struct RobotControls {
    TrackBar *r1, *r2, *z, *t, *x, *rt1, *rt2;
    QComboBox* slot;
    QCheckBox *dual, *w1, *w2, *arm2, *ll;
    ColorSwatch *body, *hand;
  };
  const RobotControls robots[2] = {
      {Tkb_RBT1_R1Axis, Tkb_RBT1_R2Axis, Tkb_RBT1_ZAxis, Tkb_RBT1_TAxis, Tkb_RBT1_XAxis, Tkb_RBT1_RT1Axis,
       Tkb_RBT1_RT2Axis, Cmb_RBT1_Slot, Chk_RBT1_DualArm, Chk_RBT1_R1_Wafer, Chk_RBT1_R2_Wafer, Chk_RBT1_Arm2,
       Chk_RBT1_LL_Down, Shp_Color_RBT1_Body, Shp_Color_RBT1_Hand},
      {Tkb_RBT2_R1Axis, Tkb_RBT2_R2Axis, Tkb_RBT2_ZAxis, Tkb_RBT2_TAxis, Tkb_RBT2_XAxis, nullptr, nullptr,
       nullptr, Chk_RBT2_DualArm, Chk_RBT2_R1_Wafer, Chk_RBT2_R2_Wafer, Chk_RBT2_Arm2, Chk_RBT2_LL_Down,
       Shp_Color_RBT2_Body, Shp_Color_RBT2_Hand},
  };
  for (int i = 0; i < 2; ++i) {
    const RobotControls& c = robots[i];
    RobotPanelValues& r = s.robot[i];
    r.R1 = Scaled(c.r1, 0.01);
    r.R2 = Scaled(c.r2, 0.01);
    r.Z = Scaled(c.z, 0.0001);
    r.T = Scaled(c.t, 0.1);
    r.X = Scaled(c.x, 0.001);
    r.RT1 = c.rt1 ? Scaled(c.rt1, 0.1) : 0.0f;
    r.RT2 = c.rt2 ? Scaled(c.rt2, 0.1) : 0.0f;
    r.Slot = c.slot ? c.slot->currentIndex() : 0;
    r.DualArm = c.dual->isChecked();
    r.WaferR1 = c.w1->isChecked();
    r.WaferR2 = c.w2->isChecked();
    r.Arm2 = c.arm2->isChecked();
    r.LLDown = c.ll->isChecked();
    r.body = c.body->Color();
    r.hand = c.hand->Color();
  }

  // 12. Shared robot switches.
  s.multiDraw = Chk_RBT_MultiDraw->isChecked();
  s.testRotate = Chk_RBT_Test_Rotate->isChecked();

  // 13. Arm colour.
  s.armColor = Shp_VARobot_Body->Color();

  // 14. The controller link; a caption that is not a number stops here.
  s.shmLink = Chk_ShmLink->isChecked();
  s.shmInterval = StrToInt(Lbl_ShmInterval->text().toStdString());
  SetShmInterval(s.shmInterval);
}

void TForm1::SetShmInterval(int ms) {
  // Every frame passes here. Setting a running timer's interval restarts
  // it, even to the same value: with redraws every 500 ms, a link interval
  // of 500 ms or more would never elapse.
  ms = std::max(0, ms);
  if (Tim_ShmMonitor->interval() != ms) Tim_ShmMonitor->setInterval(ms);
  SetShmTimerEnabled(shmTimerEnabled_);
}

void TForm1::DrawFrame() {
  TransferSettings();
  if (!renderContext_.created || !Pnl_GL->MakeCurrent()) return;
  // A frame drawn now satisfies any redraw still pending.
  Tim_Draw->stop();
  FrameResult result;
  FrameInputs in;
  in.settings = &settings_;
  in.table = objects_.get();
  in.textures = textures_;
  in.result = &result;
  in.cache = framePacer_->cache();
  in.revisions = doc_ ? doc_->history.Revisions() : nullptr;
  in.reducedDetail = framePacer_->BeginFrame();
  in.overrides = LinkOverrides();
  in.trail = checks_->trail();
  in.interference = checks_->frameReport();
  in.check = checks_->check();
  in.allowed = &checks_->allowed();
  in.clearance = checks_->shown();
  ComposeFrame(in);
  if (selected_ >= 0) {
    // The record as this frame drew it (a robot following its panel, a
    // pose from the link).
    const DrawSubstitutes subs{settings_.robot, in.overrides};
    DrawSelectionOutline(settings_, EffectiveRecord((*objects_)[static_cast<size_t>(selected_)], selected_, subs),
                         textures_);
  }
  framePacer_->EndFrame();
  Pnl_GL->SwapBuffers();
  Pnl_GL->DoneCurrent();
  ++framesDrawn_;
  ShowToolPoint(result.toolPoint);
  checks_->FrameDrawn();
}

void TForm1::ShowToolPoint(const double p[3]) {
  for (int k = 0; k < 3; ++k) ToolPoint[k] = p[k];
  // Rewritten only when the text changes, so an unmoved arm costs no
  // relayout of the right bar.
  QLabel* labels[3] = {Lbl_Test_X, Lbl_Test_Y, Lbl_Test_Z};
  for (int k = 0; k < 3; ++k) {
    const QString text = FixedText(p[k], 4);
    if (labels[k]->text() != text) labels[k]->setText(text);
  }
  if (doc_ && doc_->statusTool)
    doc_->statusTool->setText(
        QStringLiteral("Tool %1, %2, %3").arg(labels[0]->text(), labels[1]->text(), labels[2]->text()));
}
