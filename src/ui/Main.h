#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "objects/FileAccess.h"
#include "objects/SceneObject.h"
#include "render/Camera.h"
#include "arm/ArmPoses.h"
#include "arm/ArmTestPath.h"
#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"

#include <sstream>
#include "motion/RobotMotion.h"
#include "render/Frame.h"
#include "render/LightPanel.h"
#include "render/RenderContext.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"
#include "objects/SceneView.h"

class InterferenceController;
struct CellStep;
class QAction;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QMenu;
class QPushButton;
class QSplitter;
class QTimer;
class ColorSwatch;
class FramePacer;
class GlPanel;
class TrackBar;
class ValueLabel;
struct SceneDocument;

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

// Heights of the bottom panel: collapsed to its strip, and open with the
// detail groups.
constexpr int kBottomCollapsedHeight = 40;
constexpr int kBottomDetailHeight = 230;

// The main window: the drawing panel, the right bar with the arm's joints,
// the bottom panel with the view, light and material settings, and the
// hidden groups reached through the Panels menu.
//
// Control handlers take the control that fired as Sender (nullptr when the
// window runs a handler itself); a handler serving a family tells its
// members apart by their Tag.
class ModelsController;
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
  // The model files of Model records (ui/ModelsController).
  ModelsController* Models() const { return models_; }
  std::array<ValueEntry, kValueEntryCount>& ValueEntries() { return valueEntries_; }
  const DragState& Drag() const { return drag_; }
  // While set, Tkb_TestDataChange does not draw.
  // The arm's tool point of the last frame, GL axis order.
  double ToolPoint[3] = {0.0, 0.56, 0.37};
  bool BulkUpdate = false;
  // While set, the robot and equipment change handlers return at once.
  bool Updating = false;
  bool ExitRequested = false;
  float TextVerticalOffset = 0.0f;
  QString BlockTextString;

  // Runs the link timer while enabled, as a toolkit timer would: an
  // interval of 0 never fires.
  void SetShmTimerEnabled(bool enabled);
  // The link timer's interval in ms (below 0 taken as 0); a running timer
  // keeps running through a call that does not change it.
  void SetShmInterval(int ms);

  // Names of the link's shared-memory block and mutex, as a controller
  // knows them. Taken when the link is next opened.
  void SetLinkNames(const std::string& blockName, const std::string& mutexName);
  const std::string& LinkBlockName() const { return linkBlockName_; }
  const std::string& LinkMutexName() const { return linkMutexName_; }
  // Switches the link on as the window first shows (tessaly --link: a
  // controller that starts the viewer), or at once when it already shows.
  // A failed open is reported as from the box.
  void OpenLinkWhenShown();

  // The controller protocol on the link (MainLink.cpp): one exchange per
  // link-timer tick, and the object poses it keeps for the frame (null
  // while the link is closed).
  void PollLink();
  LinkSession& LinkProtocolSession() { return *linkSession_; }
  const ObjectOverrides* LinkOverrides() const;

  // The status line under the window: the last message for the operator.
  void ShowStatus(const QString& message);
  QString StatusText() const;
  // The status bar's selection field ("OBJ012 load port (Cube)", or empty).
  void SetStatusSelection(const QString& text);
  QString StatusSelection() const;

  // --- The scene as a document (MainDocument.cpp) ---------------------------------
  // Every change to the object table ends here: it becomes one undo step
  // named label and marks the scene modified. Writes with the same
  // non-empty mergeKey less than a second apart are one step.
  void SceneChanged(const QString& label, const QString& mergeKey = QString());
  // A change the scene file keeps outside the table: modified until saved.
  void MarkSceneModified();
  bool SceneModified() const;
  // The scene's file, empty while untitled.
  QString SceneFile() const;
  void FileNew();
  void FileOpen();
  // The table back to its defaults, then path loaded; false when the file
  // cannot be read (nothing changes then).
  bool OpenSceneFile(const QString& path);
  void FileMerge();
  // Saves to the scene's file (Save As while untitled); true when written.
  bool FileSave();
  // The table to path as a scene file, the one writer of scene files.
  // Writes the table to path through the program's safe save; false with
  // *why (if given) when it could not.
  bool WriteScene(const QString& path, const SaveOptions& options = SaveOptions(), QString* why = nullptr);
  // "Save changes to <file>?" while modified; false when the operator
  // chose Cancel, so whatever asked must stop.
  bool AskSaveChanges();
  void EditUndo();
  void EditRedo();
  QString UndoText() const;
  QString RedoText() const;
  QStringList RecentFiles() const;
  // The recovery copy: where it goes, how often it is written (ms), and
  // the offer, at start, of a copy an unclean end left behind.
  void SetRecoveryFolder(const QString& folder);
  QString RecoveryFolder() const;
  QString RecoveryFile() const;
  void SetRecoveryInterval(int ms);
  void WriteRecoveryCopy();
  bool OfferRecovery();

  // Number of frames drawn so far (tests and diagnostics).
  int FramesDrawn() const { return framesDrawn_; }
  FramePacer* Pacer() { return framePacer_; }
  GlPanel* Panel() const { return Pnl_GL; }
  // The dock that offers a hidden group ("Robot", "Text Draw", ...), or
  // nullptr.
  QDockWidget* PanelDock(const QString& groupCaption) const;
  QMenu* PanelsMenu() const { return panelsMenu_; }
  QMenu* ToolsMenu() const { return toolsMenu_; }

  // --- Controls, named as laid out -------------------------------------------
  GlPanel* Pnl_GL = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* Pnl_VARobot = nullptr;
  QWidget* Pnl_Bottom = nullptr;
  QWidget* Pnl_BottomStrip = nullptr;
  QWidget* Pnl_Detail = nullptr;

  // Right bar: joints, tool target, arm colour and options.
  TrackBar *Tkb_TestData01 = nullptr, *Tkb_TestData02 = nullptr, *Tkb_TestData03 = nullptr,
           *Tkb_TestData04 = nullptr, *Tkb_TestData05 = nullptr, *Tkb_TestData06 = nullptr;
  ValueLabel *Lbl_TestData01 = nullptr, *Lbl_TestData02 = nullptr, *Lbl_TestData03 = nullptr,
             *Lbl_TestData04 = nullptr, *Lbl_TestData05 = nullptr, *Lbl_TestData06 = nullptr;
  QCheckBox* Chk_XYZmode = nullptr;
  TrackBar *Tkb_XX = nullptr, *Tkb_YY = nullptr, *Tkb_ZZ = nullptr;
  ValueLabel *Lbl_XX = nullptr, *Lbl_YY = nullptr, *Lbl_ZZ = nullptr;
  ValueLabel *Lbl_Test_X = nullptr, *Lbl_Test_Y = nullptr, *Lbl_Test_Z = nullptr;
  ColorSwatch* Shp_VARobot_Body = nullptr;
  QCheckBox* Chk_TestData01 = nullptr;
  QCheckBox *Chk_DrawFill = nullptr, *Chk_DrawFrame = nullptr, *Chk_DrawFloor = nullptr;
  ColorSwatch* Shp_Color_Frame = nullptr;

  // Bottom strip.
  QPushButton* Btn_VARBT_Test = nullptr;
  ColorSwatch* Shp_Color_Back = nullptr;
  QCheckBox* Chk_RightBar = nullptr;
  QCheckBox* Chk_ShowDetail = nullptr;
  ValueLabel* Lbl_DEBUG = nullptr;
  QPushButton* Btn_Exit = nullptr;

  // "View Setting".
  TrackBar *Tkb_X_Angle = nullptr, *Tkb_Z_Angle = nullptr, *Tkb_Zoom = nullptr, *Tkb_X_Shift = nullptr,
           *Tkb_Y_Shift = nullptr, *Tkb_Z_Shift = nullptr, *Tkb_Trans = nullptr, *Tkb_Resolution = nullptr;
  ValueLabel *Lbl_X_Angle = nullptr, *Lbl_Z_Angle = nullptr, *Lbl_Zoom = nullptr, *Lbl_X_Shift = nullptr,
             *Lbl_Y_Shift = nullptr, *Lbl_Z_Shift = nullptr, *Lbl_Trans = nullptr, *Lbl_Resolution = nullptr;
  QCheckBox* Chk_Ortho = nullptr;

  // "Light Setting".
  QCheckBox *Chk_Light1 = nullptr, *Chk_Light2 = nullptr;
  QCheckBox *Chk_Light1_Directional = nullptr, *Chk_Light2_Directional = nullptr;
  QCheckBox *Chk_Light1_Spot = nullptr, *Chk_Light2_Spot = nullptr;
  QComboBox *Cmb_Light1_Spot_Dir = nullptr, *Cmb_Light2_Spot_Dir = nullptr;
  ColorSwatch *Shp_Color_Light1 = nullptr, *Shp_Color_Light2 = nullptr;
  TrackBar *Tkb_Light1_Pos_X = nullptr, *Tkb_Light1_Pos_Y = nullptr, *Tkb_Light1_Pos_Z = nullptr,
           *Tkb_Light1_Amb = nullptr, *Tkb_Light1_Diff = nullptr, *Tkb_Light1_Spot_Cutoff = nullptr,
           *Tkb_Light1_Spot_Exp = nullptr;
  TrackBar *Tkb_Light2_Pos_X = nullptr, *Tkb_Light2_Pos_Y = nullptr, *Tkb_Light2_Pos_Z = nullptr,
           *Tkb_Light2_Amb = nullptr, *Tkb_Light2_Diff = nullptr, *Tkb_Light2_Spot_Cutoff = nullptr,
           *Tkb_Light2_Spot_Exp = nullptr;
  ValueLabel *Lbl_Light1_Pos_X = nullptr, *Lbl_Light1_Pos_Y = nullptr, *Lbl_Light1_Pos_Z = nullptr,
             *Lbl_Light1_Amb = nullptr, *Lbl_Light1_Diff = nullptr, *Lbl_Light1_Spot_Cutoff = nullptr,
             *Lbl_Light1_Spot_Exp = nullptr;
  ValueLabel *Lbl_Light2_Pos_X = nullptr, *Lbl_Light2_Pos_Y = nullptr, *Lbl_Light2_Pos_Z = nullptr,
             *Lbl_Light2_Amb = nullptr, *Lbl_Light2_Diff = nullptr, *Lbl_Light2_Spot_Cutoff = nullptr,
             *Lbl_Light2_Spot_Exp = nullptr;

  // "Color Texture".
  QCheckBox* Chk_ColorTexture = nullptr;
  QComboBox* Cmb_ColorTexture = nullptr;
  TrackBar *Tkb_ColorTex_Amb_R = nullptr, *Tkb_ColorTex_Amb_G = nullptr, *Tkb_ColorTex_Amb_B = nullptr,
           *Tkb_ColorTex_Diff_R = nullptr, *Tkb_ColorTex_Diff_G = nullptr, *Tkb_ColorTex_Diff_B = nullptr,
           *Tkb_ColorTex_Spec_R = nullptr, *Tkb_ColorTex_Spec_G = nullptr, *Tkb_ColorTex_Spec_B = nullptr,
           *Tkb_ColorTex_Shin = nullptr;
  ValueLabel *Lbl_ColorTex_Amb_R = nullptr, *Lbl_ColorTex_Amb_G = nullptr, *Lbl_ColorTex_Amb_B = nullptr,
             *Lbl_ColorTex_Diff_R = nullptr, *Lbl_ColorTex_Diff_G = nullptr, *Lbl_ColorTex_Diff_B = nullptr,
             *Lbl_ColorTex_Spec_R = nullptr, *Lbl_ColorTex_Spec_G = nullptr, *Lbl_ColorTex_Spec_B = nullptr,
             *Lbl_ColorTex_Shin = nullptr;
  ColorSwatch* Shp_ColorTex_Color = nullptr;
  QCheckBox* Chk_ColorTex_ByTypeColor = nullptr;
  QComboBox* Cmb_ColorTex_Type = nullptr;

  ValueLabel* Lbl_ShmInterval = nullptr;

  // "Text Draw" (hidden).
  QGroupBox* Grp_TextDraw = nullptr;
  QCheckBox* Chk_DrawText = nullptr;
  QLineEdit* Edt_TextData = nullptr;
  TrackBar *Tkb_TextWidth = nullptr, *Tkb_Text_X = nullptr, *Tkb_Text_Y = nullptr, *Tkb_Text_Z = nullptr;
  ValueLabel *Lbl_TextWidth = nullptr, *Lbl_Text_X = nullptr, *Lbl_Text_Y = nullptr, *Lbl_Text_Z = nullptr;
  QComboBox *Cmb_TextSize = nullptr, *Cmb_TextDir = nullptr;
  QCheckBox *Chk_TextDir_Lock = nullptr, *Chk_Text_Vibrate = nullptr;

  // "Fog Setting" (hidden).
  QGroupBox* Grp_FogSetting = nullptr;
  QCheckBox* Chk_Fog_Enable = nullptr;
  QComboBox* Cmb_Fog_Type = nullptr;
  ColorSwatch* Shp_Color_Fog = nullptr;
  TrackBar *Tkb_Fog_Density = nullptr, *Tkb_Fog_Near = nullptr, *Tkb_Fog_Far = nullptr;
  ValueLabel *Lbl_Fog_Density = nullptr, *Lbl_Fog_Near = nullptr, *Lbl_Fog_Far = nullptr;

  // "Robot" (hidden): the two transfer-robot panels.
  QGroupBox* Grp_Robot = nullptr;
  TrackBar *Tkb_RBT1_R1Axis = nullptr, *Tkb_RBT1_R2Axis = nullptr, *Tkb_RBT1_ZAxis = nullptr,
           *Tkb_RBT1_TAxis = nullptr, *Tkb_RBT1_XAxis = nullptr, *Tkb_RBT1_RT1Axis = nullptr,
           *Tkb_RBT1_RT2Axis = nullptr;
  TrackBar *Tkb_RBT2_R1Axis = nullptr, *Tkb_RBT2_R2Axis = nullptr, *Tkb_RBT2_ZAxis = nullptr,
           *Tkb_RBT2_TAxis = nullptr, *Tkb_RBT2_XAxis = nullptr, *Tkb_RBT2_RT1Axis = nullptr,
           *Tkb_RBT2_RT2Axis = nullptr;
  ValueLabel *Lbl_RBT1_R1Axis = nullptr, *Lbl_RBT1_R2Axis = nullptr, *Lbl_RBT1_ZAxis = nullptr,
             *Lbl_RBT1_TAxis = nullptr, *Lbl_RBT1_XAxis = nullptr;
  ValueLabel *Lbl_RBT2_R1Axis = nullptr, *Lbl_RBT2_R2Axis = nullptr, *Lbl_RBT2_ZAxis = nullptr,
             *Lbl_RBT2_TAxis = nullptr, *Lbl_RBT2_XAxis = nullptr;
  QComboBox *Cmb_RBT1_Pos = nullptr, *Cmb_RBT2_Pos = nullptr, *Cmb_RBT1_Slot = nullptr;
  QCheckBox *Chk_RBT1_DualArm = nullptr, *Chk_RBT1_R1_Wafer = nullptr, *Chk_RBT1_R2_Wafer = nullptr,
            *Chk_RBT1_Arm2 = nullptr, *Chk_RBT1_LL_Down = nullptr;
  QCheckBox *Chk_RBT2_DualArm = nullptr, *Chk_RBT2_R1_Wafer = nullptr, *Chk_RBT2_R2_Wafer = nullptr,
            *Chk_RBT2_Arm2 = nullptr, *Chk_RBT2_LL_Down = nullptr;
  ColorSwatch *Shp_Color_RBT1_Body = nullptr, *Shp_Color_RBT1_Hand = nullptr;
  ColorSwatch *Shp_Color_RBT2_Body = nullptr, *Shp_Color_RBT2_Hand = nullptr;
  ValueLabel *Lbl_RBT1_Port = nullptr, *Lbl_RBT1_Slot = nullptr, *Lbl_RBT1_Process = nullptr;
  ValueLabel *Lbl_RBT2_Port = nullptr, *Lbl_RBT2_Slot = nullptr, *Lbl_RBT2_Process = nullptr;
  QCheckBox* Chk_RBT_MultiDraw = nullptr;

  // "Control Box" (hidden).
  QGroupBox* Grp_ControlBox = nullptr;
  QCheckBox *Chk_ContBox = nullptr, *Chk_SignalTower = nullptr;
  TrackBar* Tkb_ContBox_Door_Angle = nullptr;
  ColorSwatch *Shp_Color_ContBox = nullptr, *Shp_Color_ContBox_Door = nullptr,
              *Shp_Color_Signal_Red = nullptr, *Shp_Color_Signal_Yellow = nullptr,
              *Shp_Color_Signal_Green = nullptr, *Shp_Color_Signal_Blue = nullptr;

  // "Equipment" (hidden).
  QGroupBox* Grp_Equipment = nullptr;
  QCheckBox *Chk_EquipmentPort = nullptr, *Chk_EFEM = nullptr, *Chk_WaferID = nullptr,
            *Chk_PortColor = nullptr;
  QComboBox *Cmb_Equipment = nullptr, *Cmb_Equipment_Pos = nullptr;
  ValueLabel *Lbl_Alarm = nullptr, *Lbl_Warning = nullptr;
  QCheckBox *Chk_Unit01_Alarm = nullptr, *Chk_Unit02_Alarm = nullptr, *Chk_Unit03_Alarm = nullptr,
            *Chk_Unit04_Alarm = nullptr, *Chk_Unit05_Alarm = nullptr, *Chk_Unit06_Alarm = nullptr,
            *Chk_Unit07_Alarm = nullptr, *Chk_Unit08_Alarm = nullptr, *Chk_Unit09_Alarm = nullptr,
            *Chk_Unit10_Alarm = nullptr, *Chk_Unit11_Alarm = nullptr, *Chk_Unit12_Alarm = nullptr,
            *Chk_Unit13_Alarm = nullptr;
  QCheckBox *Chk_Unit01_Warning = nullptr, *Chk_Unit02_Warning = nullptr, *Chk_Unit03_Warning = nullptr,
            *Chk_Unit04_Warning = nullptr, *Chk_Unit05_Warning = nullptr, *Chk_Unit06_Warning = nullptr,
            *Chk_Unit07_Warning = nullptr, *Chk_Unit08_Warning = nullptr, *Chk_Unit09_Warning = nullptr,
            *Chk_Unit10_Warning = nullptr, *Chk_Unit11_Warning = nullptr, *Chk_Unit12_Warning = nullptr,
            *Chk_Unit13_Warning = nullptr;
  ColorSwatch *Shp_Color_Unit01 = nullptr, *Shp_Color_Unit02 = nullptr, *Shp_Color_Unit03 = nullptr,
              *Shp_Color_Unit04 = nullptr, *Shp_Color_Unit05 = nullptr, *Shp_Color_Unit06 = nullptr,
              *Shp_Color_Unit07 = nullptr, *Shp_Color_Unit08 = nullptr, *Shp_Color_Unit09 = nullptr,
              *Shp_Color_Unit10 = nullptr, *Shp_Color_Unit11 = nullptr, *Shp_Color_Unit12 = nullptr,
              *Shp_Color_Unit13 = nullptr;
  ColorSwatch *Shp_Color_LP1 = nullptr, *Shp_Color_LP2 = nullptr, *Shp_Color_LP3 = nullptr,
              *Shp_Color_LP4 = nullptr, *Shp_Color_PM1 = nullptr, *Shp_Color_PM2 = nullptr,
              *Shp_Color_PM3 = nullptr, *Shp_Color_PM4 = nullptr, *Shp_Color_EFEM = nullptr,
              *Shp_Color_LL1 = nullptr, *Shp_Color_LL2 = nullptr;

  // "OHT System" (hidden).
  QGroupBox* Grp_OHTSystem = nullptr;
  QCheckBox* Chk_Vehicle = nullptr;
  TrackBar *Tkb_OHT1_X = nullptr, *Tkb_OHT1_Y = nullptr, *Tkb_OHT1_Z = nullptr;
  TrackBar *Tkb_OHT2_X = nullptr, *Tkb_OHT2_Y = nullptr, *Tkb_OHT2_Z = nullptr;
  ValueLabel *Lbl_OHT1_ID = nullptr, *Lbl_OHT2_ID = nullptr;
  ColorSwatch *Shp_Color_OHT1 = nullptr, *Shp_Color_OHT2 = nullptr;

  // "Unuse Item" (hidden).
  QGroupBox* Grp_UnuseItem = nullptr;
  QPushButton* Btn_AnimationStart = nullptr;
  QCheckBox *Chk_RBT_Test_Rotate = nullptr, *Chk_x2 = nullptr, *Chk_Skeleton = nullptr, *Chk_Pause = nullptr;
  QPushButton* Btn_ObjList = nullptr;
  QCheckBox* Chk_ShmLink = nullptr;
  QPushButton* Btn_OBJSet = nullptr;
  ValueLabel* Lbl_AnimationStep = nullptr;

  // "For V/A Robot Test" (hidden).
  QGroupBox* Grp_VARobotTest = nullptr;
  ValueLabel *Lbl_Ans_J1 = nullptr, *Lbl_Ans_J2 = nullptr, *Lbl_Ans_J3 = nullptr;
  QComboBox* Cmb_VARBT_Pos = nullptr;
  QPushButton* Btn_XYZGraph = nullptr;
  QCheckBox* Chk_J2Lock = nullptr;
  QCheckBox *Chk_TestData02 = nullptr, *Chk_TestData03 = nullptr, *Chk_TestData04 = nullptr;

  // Single controls laid out hidden.
  QGroupBox* Grp_OtherItems = nullptr;
  QPushButton *Btn_Load_OBJ = nullptr, *Btn_RBT_Test = nullptr;
  QCheckBox* Chk_Shadow = nullptr;
  TrackBar* Tkb_Circle_Ang = nullptr;

  QTimer* Tim_Draw = nullptr;
  QTimer* Tim_ActiveCheck = nullptr;
  QTimer* Tim_Blink = nullptr;
  QTimer* Tim_Animation = nullptr;
  QTimer* Tim_RBT_Test = nullptr;
  QTimer* Tim_ShmMonitor = nullptr;

  // --- Lifecycle ---------------------------------------------------------------
  void FormCreate();
  void FormShow();
  void Pnl_GLResize(int width, int height);
  void FormDestroy();
  void Tim_DrawTimer();
  void Tim_ActiveCheckTimer();
  void Tim_BlinkTimer();

  // --- Window and panels ---------------------------------------------------------
  void Btn_ExitClick(QObject* Sender = nullptr);
  void Chk_RightBarClick(QObject* Sender = nullptr);
  void Chk_ShowDetailClick(QObject* Sender = nullptr);
  void Lbl_DEBUGDblClick(QObject* Sender = nullptr);
  void Chk_DrawFillFrameClick(QObject* Sender = nullptr);
  void Chk_DrawFloorClick(QObject* Sender = nullptr);
  void Shp_ColorMouseDown(QObject* Sender);
  void Lbl_DataDblClick(QObject* Sender);
  // Steps 4 and 5 of a keypad entry: the label takes the accepted text and
  // its value goes where the label's Tag says. A text that is not a number
  // raises ConversionError and changes nothing.
  void ApplyValueEntry(ValueLabel* label, const QString& text);
  // A shortcut key; returns false for every key that is not one.
  bool FormKeyPress(QChar key);
  void Chk_x2Click(QObject* Sender = nullptr);
  void Chk_SkeletonClick(QObject* Sender = nullptr);
  void Btn_OBJSetClick(QObject* Sender = nullptr);
  void Btn_ObjListClick(QObject* Sender = nullptr);

  // --- View and navigation ---------------------------------------------------------
  void Tkb_AngleChange(QObject* Sender = nullptr);
  void Chk_OrthoClick(QObject* Sender = nullptr);
  void Pnl_GLMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void Pnl_GLMouseMove(int x, int y);
  void Pnl_GLMouseUp();
  void ClearDragState();

  // --- Lights, fog ---------------------------------------------------------------
  void Tkb_Light_PosChange(QObject* Sender = nullptr);
  void Chk_LightClick(QObject* Sender = nullptr);
  void Tkb_Fog_Setting_Change(QObject* Sender = nullptr);

  // --- Colour texture ------------------------------------------------------------
  void Cmb_ColorTextureChange(QObject* Sender = nullptr);
  void Tkb_ColorTexChange(QObject* Sender = nullptr);
  void Chk_ColorTextureClick(QObject* Sender = nullptr);
  void Chk_ColorTex_ByTypeColorClick(QObject* Sender = nullptr);
  void UpdateColorTexEnabling(bool locked);
  void Cmb_ColorTex_TypeChange(QObject* Sender = nullptr);
  bool ColorTexGuard() const { return colorTexGuard_; }

  // --- Block text ----------------------------------------------------------------
  void Tkb_Text_PosChange(QObject* Sender = nullptr);
  void Chk_DrawTextClick(QObject* Sender = nullptr);
  void Chk_TextDir_LockClick(QObject* Sender = nullptr);
  void Cmb_TextSizeChange(QObject* Sender = nullptr);
  void Cmb_TextDirChange(QObject* Sender = nullptr);
  void Edt_TextDataChange(QObject* Sender = nullptr);

  // --- Arm joints and tool target ------------------------------------------------
  void Tkb_TestDataChange(QObject* Sender = nullptr);
  void Chk_TestDataClick(QObject* Sender = nullptr);
  void Tkb_XYZChange(QObject* Sender = nullptr);
  void Chk_XYZmodeClick(QObject* Sender = nullptr);
  void Chk_J2LockClick(QObject* Sender = nullptr);
  void Btn_XYZGraphClick(QObject* Sender = nullptr);
  void Cmb_VARBT_PosChange(QObject* Sender = nullptr);
  void Btn_VARBT_TestClick(QObject* Sender = nullptr);
  // Moves the six joint sliders with redrawing held back, then draws once.
  void SetJoints(const ArmPose& pose);
  // Adds amount to joint index's slider (0..5; anything else does nothing).
  void NudgeJoint(int index, int amount);
  // The arm's stored poses and its test path.
  PoseTable ArmPoses;
  ArmTestPath ArmPath;

  // --- Transfer robots -------------------------------------------------------------
  void Tkb_RBT_AxisChange(QObject* Sender = nullptr);
  void Cmb_RBT_PosChange(QObject* Sender);
  void Chk_RBT_Arm2Click(QObject* Sender);
  void Chk_RBT_LL_UpClick(QObject* Sender);
  void Chk_RBT1_DualArmClick(QObject* Sender = nullptr);
  void Chk_RBT_WaferClick(QObject* Sender = nullptr);
  void Chk_RBT_MultiDrawClick(QObject* Sender = nullptr);
  void Btn_RBT_TestClick(QObject* Sender = nullptr);
  void Tim_RBT_TestTimer();
  // With "Rotate" checked the test run and the animation turn the view.
  void TurnViewForRotate();
  void Btn_AnimationStartClick(QObject* Sender = nullptr);
  void Tim_AnimationTimer();
  // The taught positions of both robots (rows 0..28 RBT1, 100..124 RBT2).
  TeachTable Teach = MakeTeachTable();
  TestRunState TestRun;
  bool TestRunning = false;
  AnimationState Animation;
  bool AnimationRunning = false;

  // --- Controller link and scene files ---------------------------------------------
  void Chk_ShmLinkClick(QObject* Sender = nullptr);
  void Tim_ShmMonitorTimer();
  void SetShmLinkLock(bool linked);
  void Btn_Load_OBJClick(QObject* Sender = nullptr);
  // Loads a scene file into the table, reporting through message boxes;
  // returns the reader's result (objects read, 0 on an error, -1 unreadable).
  // Every load is one undo step; reported counts the loader's messages.
  int LoadSceneFile(const QString& path, int* reported = nullptr);
  // Reads a scene file into table (kObjectCapacity records), showing the
  // reader's messages (counted in *reported) and why a file cannot be
  // opened; *refused when it is no scene. The loader's result.
  int ReadSceneInto(const QString& path, SceneObject* table, int* reported, bool* refused);
  // Additions: the whole table to a scene file, the picture to a PNG file.
  // SaveSceneAs is true when the scene was written.
  bool SaveSceneAs();
  void SaveImageAs();
  // Writes the frame as PNG with the safe save; *why says why not.
  bool SaveImage(const QString& path, QString* why = nullptr, bool writeThrough = false);

  // --- Equipment -------------------------------------------------------------------
  void Tkb_EquipmentChange(QObject* Sender);
  void Cmb_EquipmentChange(QObject* Sender = nullptr);
  void Cmb_Equipment_PosChange(QObject* Sender = nullptr);
  void Chk_EquipmentChkClick(QObject* Sender = nullptr);
  void Lbl_AlarmWarningDblClick(QObject* Sender);

  // --- View you can point at (MainViewFit.cpp) and picking (MainPicking.cpp) ---
  // The wheel zooms in the right-button drag's steps (delta in eighths of
  // a degree, positive away from the user).
  void Pnl_GLWheel(int angleDelta);
  // View > Fit Scene: zoom and shift so that every enabled object, the arm
  // and the floor under them are in the picture; the angles stay.
  void FitScene();
  // View > Reset View: angles, zoom, shift and projection as laid out.
  void ResetView();
  // The view bars as a scene file keeps them, and back (one redraw).
  SceneView CurrentView() const;
  void SetView(const SceneView& v);
  // View > Keep View in Scene.
  bool KeepViewInScene() const;
  void SetKeepViewInScene(bool keep);
  // What a save writes right after the header: the view line while Keep
  // View in Scene is ticked, else nothing.
  std::string SceneHeaderExtra() const;
  // Opening a scene (not merging one): applies the view line of path when
  // it has one and ticks Keep View in Scene, else unticks it. Returns
  // whether a view was applied.
  bool ApplyViewOfScene(const QString& path);
  // The record shown with the outline, -1 for none.
  int SelectedObject() const { return selected_; }
  // Selects record index (-1 clears), redraws, tells the status line and
  // the object list.
  void SelectObject(int index);
  // The nearest enabled record under panel pixel (x, y), or -1.
  int PickAt(int x, int y);
  // A click without a drag; a double-click opens Object Settings on the
  // record under the pointer.
  void Pnl_GLClick(int x, int y);
  void Pnl_GLDoubleClick(int x, int y);
  // Places Object Settings or Object List beside the main window the
  // first time, where the user left it afterwards.
  void PlaceBeside(QWidget* w);

  // The lookup arrays of BuildControlTables.
  std::array<QCheckBox*, 20> UnitAlarmChecks{};
  std::array<QCheckBox*, 20> UnitWarningChecks{};
  std::array<TrackBar*, 6> JointBars{};

 Q_SIGNALS:
  // The main window was closed; the program ends.
  void closed();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  // The window's keys for whatever control has the focus, as key preview
  // would; true when e was used (MainKeys.cpp).
  bool PreviewKey(QObject* watched, QKeyEvent* e);
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void BuildLayout();
  QWidget* BuildRightBar(QWidget* parent);
  QWidget* BuildBottomPanel(QWidget* parent);
  void BuildHiddenGroups();
  void BuildMenus();
  void BuildFileMenu();
  void BuildEditMenu();
  void BuildStatusBar();
  void UpdateDocumentState();
  void StartDocument();
  // The scene is now path, as saved (or loaded); the history starts over
  // when fresh is set.
  void SceneSaved(const QString& path);
  void ResetDocument(const QString& path);
  void RemoveRecoveryCopy();
  void AfterHistoryMove(const QString& what);
  void BuildTimers();
  void InitValueEntries();
  void BuildControlTables();
  void InitComboDefaults();
  void OnContextCreated();
  void OnContextLost();
  // The "Light Setting" controls of light slot 0 or 1, scaled.
  LightPanelValues LightPanel(int slot) const;
  void ShowToolPoint(const double p[3]);
  void ApplyLightsToPanel();
  TrackBar* DragTarget(DragBar bar) const;
  void WriteRobotLabels();

  std::unique_ptr<ObjectTable> objects_;
  TextureSlot textures_[kTextureSlotCount];
  std::array<ValueEntry, kValueEntryCount> valueEntries_;
  RenderSettings settings_;
  RenderContext renderContext_;
  DragState drag_;
  bool colorTexGuard_ = false;
  bool shmTimerEnabled_ = false;
  bool shown_ = false;
  bool wasActive_ = false;
  bool destroyed_ = false;
  int framesDrawn_ = 0;
  FramePacer* framePacer_ = nullptr;  // quick frames while dragging, the mesh cache
  QString layoutCaption_;
  QMenu* panelsMenu_ = nullptr;
  QMenu* toolsMenu_ = nullptr;
  QList<QDockWidget*> docks_;
  std::unique_ptr<SharedMemoryLink> link_;
  std::ostringstream linkMessages_;  // what the link says, passed on after each switch
  QAction* shmLinkAction_ = nullptr;  // Tools > Shm Link
  std::unique_ptr<LinkSession> linkSession_ = std::make_unique<LinkSession>();
  void ApplyLinkCommand(const LinkCommand& command);
  // Back to unlinked (box and menu entry unticked, controls unlocked)
  // after a failed open or a link the controller broke.
  void UncheckLink();
  bool linkOnShow_ = false;
  // Sets a robot panel's bars and wafer boxes without their handlers.
  void SetRobotPanel(int robot, const RobotPanelValues& v);
  // The step animation's move of the panels that scene robots follow.
  void StepFollowedRobots(int step);
  std::string linkBlockName_ = "SHAREMEM";
  std::string linkMutexName_ = "MUTEX";
  QLabel* statusMessage_ = nullptr;
  // View and picking.
  void BuildViewMenu(QMenu* view);
  void ConnectPicking();
  void ShowSelection();
  QAction* keepViewAction_ = nullptr;
  int selected_ = -1;
  bool clickPending_ = false;
  int clickX_ = 0, clickY_ = 0;
  std::unique_ptr<SceneDocument> doc_;
  ModelsController* models_ = nullptr;  // a child QObject
  InterferenceController* checks_ = nullptr;  // a child QObject

 public:
  // --- Trail, interference check, clearance (InterferenceController) ---------------
  InterferenceController* Checks() const { return checks_; }
  // Poses the arm and both robot panels at a motion's step and redraws.
  void PoseCell(const CellStep& step);
};

extern TForm1* Form1;

// The program's version as shown in the caption.
extern const char* const kVersionText;
