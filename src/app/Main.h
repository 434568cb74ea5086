#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "objects/SceneObject.h"
#include "render/Frame.h"
#include "render/RenderContext.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTimer;
class ColorSwatch;
class GlPanel;
class TrackBar;
class ValueLabel;

// A row of the keypad table: what the keypad asks for when a value label
// with this Tag is double-clicked.
struct ValueEntry {
  int kind = 0;
  double minimum = 0.0;
  double maximum = 100.0;
  int digits = 3;
  int decimals = 0;
  QString text = QStringLiteral("0");
};
constexpr int kValueEntryCount = 100;

// The main window: the drawing panel, the right bar with the arm's joints,
// the bottom panel with the view, light and material settings, and the
// hidden groups reached through the Panels menu.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  TForm1();
  ~TForm1() override;

  // --- Part of the picture -------------------------------------------------
  void DrawFrame();
  void RequestRedraw();
  void TransferSettings();

  // What the rest of the program shares with the main window.
  ObjectTable& Objects() { return *objects_; }
  TextureSlot* Textures() { return textures_; }
  const RenderSettings& Settings() const { return settings_; }
  std::array<ValueEntry, kValueEntryCount>& ValueEntries() { return valueEntries_; }
  bool BulkUpdate = false;
  bool ExitRequested = false;
  float TextVerticalOffset = 0.0f;
  QString BlockTextString;

  // Number of frames drawn so far (tests and diagnostics).
  int FramesDrawn() const { return framesDrawn_; }
  GlPanel* Panel() const { return Pnl_GL; }

  // --- Controls, named as laid out -------------------------------------------
  GlPanel* Pnl_GL = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Pnl_VARobot = nullptr;
  QWidget* Pnl_Bottom = nullptr;
  QWidget* Pnl_BottomStrip = nullptr;
  QWidget* Pnl_Detail = nullptr;
  QPushButton* Btn_VARBT_Test = nullptr;
  ColorSwatch* Shp_Color_Back = nullptr;
  ColorSwatch* Shp_Color_Frame = nullptr;
  QCheckBox* Chk_RightBar = nullptr;
  QCheckBox* Chk_ShowDetail = nullptr;
  ValueLabel* Lbl_DEBUG = nullptr;
  QPushButton* Btn_Exit = nullptr;
  QCheckBox* Chk_DrawFill = nullptr;
  QCheckBox* Chk_DrawFrame = nullptr;
  QCheckBox* Chk_DrawFloor = nullptr;

  QTimer* Tim_Draw = nullptr;
  QTimer* Tim_ActiveCheck = nullptr;
  QTimer* Tim_Blink = nullptr;
  QTimer* Tim_Animation = nullptr;
  QTimer* Tim_RBT_Test = nullptr;
  QTimer* Tim_ShmMonitor = nullptr;

  // --- Handlers --------------------------------------------------------------
  void FormCreate();
  void FormShow();
  void Pnl_GLResize(int width, int height);
  void Btn_ExitClick();
  void FormDestroy();
  void Tim_DrawTimer();
  void Tim_ActiveCheckTimer();
  void Tim_BlinkTimer();
  void Chk_RightBarClick();
  void Chk_ShowDetailClick();
  void Lbl_DEBUGDblClick();

 Q_SIGNALS:
  // The main window was closed; the program ends.
  void closed();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildLayout();
  void BuildMenus();
  void BuildTimers();
  void InitValueEntries();
  void BuildControlTables();
  void InitComboDefaults();
  void OnContextCreated();
  void OnContextLost();

  std::unique_ptr<ObjectTable> objects_;
  TextureSlot textures_[kTextureSlotCount];
  std::array<ValueEntry, kValueEntryCount> valueEntries_;
  RenderSettings settings_;
  RenderContext renderContext_;
  bool shown_ = false;
  bool wasActive_ = false;
  bool destroyed_ = false;
  int framesDrawn_ = 0;
  QString layoutCaption_;
  QMenu* panelsMenu_ = nullptr;
};

extern TForm1* Form1;

// The program's version as shown in the caption.
extern const char* const kVersionText;
