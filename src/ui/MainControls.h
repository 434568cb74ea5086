#pragma once

// The main window's controls, named as laid out. The layout (MainLayout.cpp)
// makes them and fills these pointers; the controllers that own each
// group's behaviour read them. Nothing here has behaviour of its own.
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QWidget;
class ColorSwatch;
class GlPanel;
class TrackBar;
class ValueLabel;

struct MainControls {
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

  // The lookup arrays of BuildControlTables.
  std::array<QCheckBox*, 20> UnitAlarmChecks{};
  std::array<QCheckBox*, 20> UnitWarningChecks{};
  std::array<TrackBar*, 6> JointBars{};
  // The value labels that open the keypad, and every colour swatch.
  std::vector<ValueLabel*> KeypadLabels;
  std::vector<ColorSwatch*> Swatches;
};
