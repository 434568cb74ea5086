// The main window as laid out: every control with its name, caption,
// range, initial position, Tag, enabled and hidden state, in one place.
// Each group is a few tables; the code below them only arranges the rows.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/ArmController.h"
#include "ui/DocumentController.h"
#include "ui/EditController.h"
#include "ui/HelpController.h"
#include "ui/InterferenceController.h"
#include "ui/LinkController.h"
#include "ui/StatusLine.h"
#include "ui/ViewController.h"
#include "ui/WindowPlacement.h"
#include "ui/Main.h"
#include "motion/RobotMotion.h"
#include "ui/Coordmon.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "shapes/Material.h"

namespace {

// Client area as laid out.
constexpr int kClientWidth = 799;
constexpr int kClientHeight = 595;
constexpr int kRightBarWidth = 168;

template <class T>
using Member = T* MainControls::*;

// A member and its objectName, which are the same word.
#define M(x) &MainControls::x, #x

// Flags of a control as laid out.
enum : int { kPlain = 0, kChecked = 1, kDisabled = 2, kHidden = 4 };
// A value label that opens no keypad.
constexpr int kNoKeypad = -1;

// caption | track bar | value label. widest is the longest text the label
// will show, so that the column never has to grow.
struct SliderRow {
  const char* caption;
  Member<TrackBar> bar;
  const char* barName;
  int min, max, position, tag, flags;
  Member<ValueLabel> label;  // nullptr: the bar has no value label
  const char* labelName;
  const char* labelCaption;
  const char* widest;
  int keypadTag;  // the ValueEntry row the label opens, or kNoKeypad
};

struct CheckSpec {
  Member<QCheckBox> m;
  const char* name;
  const char* caption;
  int flags, tag;
};

struct ComboSpec {
  Member<QComboBox> m;
  const char* name;
  const char* items;  // separated by '|'
  int tag, flags;
};

struct SwatchSpec {
  Member<ColorSwatch> m;
  const char* name;
  const char* caption;  // text in front of the swatch, or nullptr
  Color color;
};

struct ButtonSpec {
  Member<QPushButton> m;
  const char* name;
  const char* caption;
};

struct LabelSpec {
  Member<ValueLabel> m;
  const char* name;
  const char* caption;
  const char* widest;
  int keypadTag;
};

// ---------------------------------------------------------------------------
// Right bar.

const SliderRow kJointRows[] = {
    {"J1", M(Tkb_TestData01), -24000, 24000, 0, 0, kPlain, M(Lbl_TestData01), "0.00", "-240.00", 10},
    {"J2", M(Tkb_TestData02), -9000, 12000, 0, 0, kPlain, M(Lbl_TestData02), "0.00", "-120.00", 11},
    {"J3", M(Tkb_TestData03), -18000, 18000, 9000, 0, kPlain, M(Lbl_TestData03), "90.00", "-180.00", 12},
    {"J4", M(Tkb_TestData04), -20000, 20000, 0, 0, kPlain, M(Lbl_TestData04), "0.00", "-200.00", 13},
    {"J5", M(Tkb_TestData05), -12000, 12000, 0, 0, kPlain, M(Lbl_TestData05), "0.00", "-120.00", 14},
    {"J6", M(Tkb_TestData06), -36000, 36000, 0, 0, kPlain, M(Lbl_TestData06), "0.00", "-360.00", 15},
};

const CheckSpec kXYZModeCheck = {M(Chk_XYZmode), "X/Y/Z Mode", kPlain, 0};

// Target of the tool point in millimetres; the labels show metres.
const SliderRow kTargetRows[] = {
    {"X", M(Tkb_XX), -600, 600, 0, 0, kDisabled, M(Lbl_XX), "0.000", "-0.600", kNoKeypad},
    {"Y", M(Tkb_YY), -600, 600, 310, 0, kDisabled, M(Lbl_YY), "0.310", "-0.600", kNoKeypad},
    {"Z", M(Tkb_ZZ), -600, 600, 310, 0, kDisabled, M(Lbl_ZZ), "0.310", "-0.600", kNoKeypad},
};

// Where the tool point is, as the frame computes it.
const LabelSpec kToolPointLabels[] = {
    {M(Lbl_Test_X), "0.0000", "-0.0000", kNoKeypad},
    {M(Lbl_Test_Y), "0.5600", "-0.0000", kNoKeypad},
    {M(Lbl_Test_Z), "0.3700", "-0.0000", kNoKeypad},
};

const SwatchSpec kArmSwatch = {M(Shp_VARobot_Body), "Arm:", 0xC0C0C0};
const CheckSpec kBallCheck = {M(Chk_TestData01), "Ball", kChecked, 0};

const CheckSpec kOptionChecks[] = {
    {M(Chk_DrawFill), "Fill", kChecked, 0},
    {M(Chk_DrawFrame), "Frame", kPlain, 0},
    {M(Chk_DrawFloor), "Floor", kChecked, 0},
};
const SwatchSpec kFrameSwatch = {M(Shp_Color_Frame), nullptr, 0x2D2D2D};

// ---------------------------------------------------------------------------
// Bottom strip.

const ButtonSpec kAnimationButton = {M(Btn_VARBT_Test), "Animation"};
const SwatchSpec kBackSwatch = {M(Shp_Color_Back), "Back Color:", 0x000000};
const CheckSpec kStripChecks[] = {
    {M(Chk_RightBar), "Right Bar", kChecked, 0},
    {M(Chk_ShowDetail), "Show Detail", kHidden, 0},
};
const LabelSpec kDebugLabel = {M(Lbl_DEBUG), "", "MMMMMMMM", kNoKeypad};
const ButtonSpec kExitButton = {M(Btn_Exit), "Exit"};

// ---------------------------------------------------------------------------
// "View Setting".

// The view bars' ranges are the ones every shown view is held to.
constexpr int kAngleSteps = 10, kLengthSteps = 100;
const SliderRow kViewRows[] = {
    {"X Ang.", M(Tkb_X_Angle), ViewBarSteps(kViewAngleXRange.lo, kAngleSteps),
     ViewBarSteps(kViewAngleXRange.hi, kAngleSteps), 150, 0, kPlain, M(Lbl_X_Angle), "15.0", "-360.0",
     kNoKeypad},
    {"Z Ang.", M(Tkb_Z_Angle), ViewBarSteps(kViewAngleZRange.lo, kAngleSteps),
     ViewBarSteps(kViewAngleZRange.hi, kAngleSteps), -300, 0, kPlain, M(Lbl_Z_Angle), "-30.0", "-360.0",
     kNoKeypad},
    {"Zoom", M(Tkb_Zoom), ViewBarSteps(kViewZoomRange.lo, kLengthSteps),
     ViewBarSteps(kViewZoomRange.hi, kLengthSteps), -200, 0, kPlain, M(Lbl_Zoom), "-2.00", "-40.00",
     kNoKeypad},
    {"X Shift", M(Tkb_X_Shift), ViewBarSteps(kViewShiftRange.lo, kLengthSteps),
     ViewBarSteps(kViewShiftRange.hi, kLengthSteps), 0, 0, kPlain, M(Lbl_X_Shift), "0.00", "-10.00",
     kNoKeypad},
    {"Y Shift", M(Tkb_Y_Shift), ViewBarSteps(kViewShiftRange.lo, kLengthSteps),
     ViewBarSteps(kViewShiftRange.hi, kLengthSteps), 0, 0, kPlain, M(Lbl_Y_Shift), "0.00", "-10.00",
     kNoKeypad},
    {"Z Shift", M(Tkb_Z_Shift), ViewBarSteps(kViewShiftRange.lo, kLengthSteps),
     ViewBarSteps(kViewShiftRange.hi, kLengthSteps), -40, 0, kPlain, M(Lbl_Z_Shift), "-0.40", "-10.00",
     kNoKeypad},
    {"Trans.", M(Tkb_Trans), 0, 10, 10, 0, kPlain, M(Lbl_Trans), "1.0", "-360.0", kNoKeypad},
    {"Reso.", M(Tkb_Resolution), 4, 100, 72, 0, kPlain, M(Lbl_Resolution), "72", "-360.0", kNoKeypad},
};
const CheckSpec kOrthoCheck = {M(Chk_Ortho), "Ortho", kPlain, 0};

// ---------------------------------------------------------------------------
// "Light Setting": Light1 beside Light2.

const SliderRow kLight1Rows[] = {
    {"Pos X", M(Tkb_Light1_Pos_X), -500, 500, -100, 0, kPlain, M(Lbl_Light1_Pos_X), "-10.0", "-50.0",
     kNoKeypad},
    {"Pos Y", M(Tkb_Light1_Pos_Y), -500, 500, 60, 0, kPlain, M(Lbl_Light1_Pos_Y), "6.0", "-50.0", kNoKeypad},
    {"Pos Z", M(Tkb_Light1_Pos_Z), -500, 500, 100, 0, kPlain, M(Lbl_Light1_Pos_Z), "10.0", "-50.0",
     kNoKeypad},
    {"Amb.", M(Tkb_Light1_Amb), 0, 100, 50, 0, kPlain, M(Lbl_Light1_Amb), "0.50", "-50.0", kNoKeypad},
    {"Diff.", M(Tkb_Light1_Diff), 0, 100, 60, 0, kPlain, M(Lbl_Light1_Diff), "0.60", "-50.0", kNoKeypad},
    {"Cutoff", M(Tkb_Light1_Spot_Cutoff), 0, 180, 30, 0, kPlain, M(Lbl_Light1_Spot_Cutoff), "30", "-50.0",
     kNoKeypad},
    {"Exp.", M(Tkb_Light1_Spot_Exp), 0, 100, 0, 0, kPlain, M(Lbl_Light1_Spot_Exp), "0.0", "-50.0", kNoKeypad},
};
const SliderRow kLight2Rows[] = {
    {"Pos X", M(Tkb_Light2_Pos_X), -500, 500, 100, 1, kPlain, M(Lbl_Light2_Pos_X), "10.0", "-50.0",
     kNoKeypad},
    {"Pos Y", M(Tkb_Light2_Pos_Y), -500, 500, 100, 1, kPlain, M(Lbl_Light2_Pos_Y), "10.0", "-50.0",
     kNoKeypad},
    {"Pos Z", M(Tkb_Light2_Pos_Z), -500, 500, 100, 1, kPlain, M(Lbl_Light2_Pos_Z), "10.0", "-50.0",
     kNoKeypad},
    {"Amb.", M(Tkb_Light2_Amb), 0, 100, 50, 1, kPlain, M(Lbl_Light2_Amb), "0.50", "-50.0", kNoKeypad},
    {"Diff.", M(Tkb_Light2_Diff), 0, 100, 60, 1, kPlain, M(Lbl_Light2_Diff), "0.60", "-50.0", kNoKeypad},
    {"Cutoff", M(Tkb_Light2_Spot_Cutoff), 0, 180, 30, 1, kPlain, M(Lbl_Light2_Spot_Cutoff), "30", "-50.0",
     kNoKeypad},
    {"Exp.", M(Tkb_Light2_Spot_Exp), 0, 100, 0, 1, kPlain, M(Lbl_Light2_Spot_Exp), "0.0", "-50.0", kNoKeypad},
};
// Per light: on, "Flat Light", spot.
const CheckSpec kLight1Checks[] = {
    {M(Chk_Light1), "Light1", kChecked, 0},
    {M(Chk_Light1_Directional), "Flat Light", kChecked, 0},
    {M(Chk_Light1_Spot), "Spot", kPlain, 0},
};
const CheckSpec kLight2Checks[] = {
    {M(Chk_Light2), "Light2", kChecked, 1},
    {M(Chk_Light2_Directional), "Flat Light", kChecked, 1},
    {M(Chk_Light2_Spot), "Spot", kPlain, 1},
};
// The direction and fog combos share the robot position handler (Tag -1).
const ComboSpec kSpotDirCombos[] = {
    {M(Cmb_Light1_Spot_Dir), "-X| X|-Y| Y|-Z| Z", -1, kPlain},
    {M(Cmb_Light2_Spot_Dir), "-X| X|-Y| Y|-Z| Z", -1, kPlain},
};
const SwatchSpec kLightSwatches[] = {
    {M(Shp_Color_Light1), nullptr, 0xFFFFFF},
    {M(Shp_Color_Light2), nullptr, 0xFFFFFF},
};

// ---------------------------------------------------------------------------
// "Color Texture".

const CheckSpec kColorTexPresetCheck = {M(Chk_ColorTexture), "Type:", kPlain, 0};
// Items: the material presets in table order (filled from the table).
const ComboSpec kColorTexPresetCombo = {M(Cmb_ColorTexture), "", 0, kDisabled};
const SliderRow kColorTexRows[] = {
    {"Amb:", M(Tkb_ColorTex_Amb_R), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Amb_R), "-.---", "0.000",
     kNoKeypad},
    {"", M(Tkb_ColorTex_Amb_G), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Amb_G), "-.---", "0.000", kNoKeypad},
    {"", M(Tkb_ColorTex_Amb_B), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Amb_B), "-.---", "0.000", kNoKeypad},
    {"Diff:", M(Tkb_ColorTex_Diff_R), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Diff_R), "-.---", "0.000",
     kNoKeypad},
    {"", M(Tkb_ColorTex_Diff_G), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Diff_G), "-.---", "0.000",
     kNoKeypad},
    {"", M(Tkb_ColorTex_Diff_B), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Diff_B), "-.---", "0.000",
     kNoKeypad},
    {"Spec:", M(Tkb_ColorTex_Spec_R), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Spec_R), "-.---", "0.000",
     kNoKeypad},
    {"", M(Tkb_ColorTex_Spec_G), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Spec_G), "-.---", "0.000",
     kNoKeypad},
    {"", M(Tkb_ColorTex_Spec_B), 0, 1000, 0, 0, kDisabled, M(Lbl_ColorTex_Spec_B), "-.---", "0.000",
     kNoKeypad},
};
const SliderRow kColorTexShinRow = {"Shin:", M(Tkb_ColorTex_Shin), 1,     128,   64,       0,
                                    kPlain,  M(Lbl_ColorTex_Shin), "---", "000", kNoKeypad};
const SwatchSpec kColorTexSwatch = {M(Shp_ColorTex_Color), nullptr, 0xC0C0C0};
const CheckSpec kColorTexTypeCheck = {M(Chk_ColorTex_ByTypeColor), "Type,Color", kChecked, 0};
const ComboSpec kColorTexTypeCombo = {M(Cmb_ColorTex_Type), "Glass|Metal|Plastic|Rubber", 0, kPlain};

const LabelSpec kShmIntervalLabel = {M(Lbl_ShmInterval), "100", "00000", 0};

// ---------------------------------------------------------------------------
// "Text Draw" (hidden).

const CheckSpec kTextChecks[] = {
    {M(Chk_DrawText), "Show Text", kPlain, 0},
    {M(Chk_TextDir_Lock), "Lock", kPlain, 0},
    {M(Chk_Text_Vibrate), "Vibrate", kChecked, 0},
};
const SliderRow kTextRows[] = {
    {"Width", M(Tkb_TextWidth), 1, 80, 20, 0, kPlain, M(Lbl_TextWidth), "2.0", "-10.0", kNoKeypad},
    {"X", M(Tkb_Text_X), -1000, 1000, 0, 0, kPlain, M(Lbl_Text_X), "0.00", "-10.00", kNoKeypad},
    {"Y", M(Tkb_Text_Y), -1000, 1000, 0, 0, kPlain, M(Lbl_Text_Y), "0.00", "-10.00", kNoKeypad},
    {"Z", M(Tkb_Text_Z), -1000, 1000, 50, 0, kPlain, M(Lbl_Text_Z), "0.50", "-10.00", kNoKeypad},
};
const ComboSpec kTextCombos[] = {
    {M(Cmb_TextSize), "S|M|L", 0, kPlain},
    {M(Cmb_TextDir), "X|Y|Z", 0, kPlain},
};
constexpr const char* kTextDefault = "Robot Test";
constexpr int kTextMaxLength = 20;

// ---------------------------------------------------------------------------
// "Fog Setting" (hidden).

const CheckSpec kFogCheck = {M(Chk_Fog_Enable), "Use", kPlain, 0};
const ComboSpec kFogCombo = {M(Cmb_Fog_Type), "Linear|Exp|Exp2", -1, kPlain};
const SwatchSpec kFogSwatch = {M(Shp_Color_Fog), "Color:", 0xFFFFFF};
const SliderRow kFogRows[] = {
    {"Density", M(Tkb_Fog_Density), 1, 100, 5, 0, kPlain, M(Lbl_Fog_Density), "0.05", "-5.00", kNoKeypad},
    {"Near", M(Tkb_Fog_Near), -500, 500, -500, 0, kPlain, M(Lbl_Fog_Near), "-5.00", "-5.00", kNoKeypad},
    {"Far", M(Tkb_Fog_Far), -500, 500, 500, 0, kPlain, M(Lbl_Fog_Far), "5.00", "-5.00", kNoKeypad},
};

// ---------------------------------------------------------------------------
// "Robot" (hidden): RBT1 and RBT2.

const SliderRow kRobot1Rows[] = {
    {"R1", M(Tkb_RBT1_R1Axis), -20, 100, 0, 0, kPlain, M(Lbl_RBT1_R1Axis), "0.00", "-0.20", kNoKeypad},
    {"R2", M(Tkb_RBT1_R2Axis), -20, 100, 0, 0, kDisabled, M(Lbl_RBT1_R2Axis), "0.00", "-0.20", kNoKeypad},
    {"Z", M(Tkb_RBT1_ZAxis), 0, 1500, 0, 0, kPlain, M(Lbl_RBT1_ZAxis), "0.0000", "0.0000", kNoKeypad},
    {"T", M(Tkb_RBT1_TAxis), -3600, 3600, 0, 0, kPlain, M(Lbl_RBT1_TAxis), "0.0", "-360.0", kNoKeypad},
    {"X", M(Tkb_RBT1_XAxis), -5000, 5000, 0, 0, kPlain, M(Lbl_RBT1_XAxis), "0.000", "-5.000", kNoKeypad},
    {"RT1", M(Tkb_RBT1_RT1Axis), -3600, 3600, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"RT2", M(Tkb_RBT1_RT2Axis), -3600, 3600, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
};
const SliderRow kRobot2Rows[] = {
    {"R1", M(Tkb_RBT2_R1Axis), -100, 100, 0, 1, kPlain, M(Lbl_RBT2_R1Axis), "0.00", "-1.00", kNoKeypad},
    {"R2", M(Tkb_RBT2_R2Axis), -20, 100, 0, 1, kDisabled, M(Lbl_RBT2_R2Axis), "0.00", "-0.20", kNoKeypad},
    {"Z", M(Tkb_RBT2_ZAxis), 0, 1500, 0, 1, kPlain, M(Lbl_RBT2_ZAxis), "0.0000", "0.0000", kNoKeypad},
    {"T", M(Tkb_RBT2_TAxis), -3600, 3600, 0, 1, kPlain, M(Lbl_RBT2_TAxis), "0.0", "-360.0", kNoKeypad},
    {"X", M(Tkb_RBT2_XAxis), -5000, 5000, 0, 1, kPlain, M(Lbl_RBT2_XAxis), "0.000", "-5.000", kNoKeypad},
    {"RT1", M(Tkb_RBT2_RT1Axis), -3600, 3600, 0, 1, kHidden, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"RT2", M(Tkb_RBT2_RT2Axis), -3600, 3600, 0, 1, kHidden, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
};
// Tag 0 is RBT1, Tag 1 RBT2.
const CheckSpec kRobot1Checks[] = {
    {M(Chk_RBT1_DualArm), "Dual Arm", kChecked | kDisabled, 0},
    {M(Chk_RBT1_R1_Wafer), "R1 Waf", kPlain, 0},
    {M(Chk_RBT1_R2_Wafer), "R2 Waf", kPlain, 0},
    {M(Chk_RBT1_Arm2), "Arm2", kPlain, 0},
    {M(Chk_RBT1_LL_Down), "LL Dn", kPlain, 0},
};
const CheckSpec kRobot2Checks[] = {
    {M(Chk_RBT2_DualArm), "Dual Arm", kDisabled, 1},
    {M(Chk_RBT2_R1_Wafer), "R1 Waf", kPlain, 1},
    {M(Chk_RBT2_R2_Wafer), "R2 Waf", kPlain, 1},
    {M(Chk_RBT2_Arm2), "Arm2", kPlain, 1},
    {M(Chk_RBT2_LL_Down), "LL Dn", kPlain, 1},
};
// Position items are made from the stations below; the slot list is empty.
const ComboSpec kRobot1Combos[] = {
    {M(Cmb_RBT1_Pos), "", 0, kPlain},
    {M(Cmb_RBT1_Slot), "", -1, kPlain},
};
const ComboSpec kRobot2Combo = {M(Cmb_RBT2_Pos), "", 1, kPlain};
const char* const kRobot1Stations[] = {"LP1", "LP2", "LP3", "LP4", "ALG", "L/L1", "L/L2"};
const char* const kRobot2Stations[] = {"L/L1", "L/L2", "PM1", "PM2", "PM3", "PM4"};
const char* const kStationMoves[] = {"-Ret(Up)", "-Ret(Dn)", "-Ext(Up)", "-Ext(Dn)"};
const SwatchSpec kRobot1Swatches[] = {
    {M(Shp_Color_RBT1_Body), "Body:", 0xE1E1E1},
    {M(Shp_Color_RBT1_Hand), "Hand:", 0xE1FFFF},
};
const SwatchSpec kRobot2Swatches[] = {
    {M(Shp_Color_RBT2_Body), "Body:", 0xE1E1E1},
    {M(Shp_Color_RBT2_Hand), "Hand:", 0xE1FFFF},
};
// Wafer port, slot and process: captions the equipment reads, edited with
// the keypad.
const LabelSpec kRobot1WaferLabels[] = {
    {M(Lbl_RBT1_Port), "1", "0000", 5},
    {M(Lbl_RBT1_Slot), "0", "0000", 6},
    {M(Lbl_RBT1_Process), "0", "0000", 7},
};
const LabelSpec kRobot2WaferLabels[] = {
    {M(Lbl_RBT2_Port), "1", "0000", 5},
    {M(Lbl_RBT2_Slot), "0", "0000", 6},
    {M(Lbl_RBT2_Process), "0", "0000", 7},
};
const CheckSpec kMultiDrawCheck = {M(Chk_RBT_MultiDraw), "Multi Draw", kHidden, 0};

// ---------------------------------------------------------------------------
// "Control Box", "Equipment", "OHT System" (hidden).

const CheckSpec kControlBoxChecks[] = {
    {M(Chk_ContBox), "Control Box", kChecked, 0},
    {M(Chk_SignalTower), "Signal Tower", kChecked, 0},
};
const SliderRow kControlBoxRow = {
    "Door", M(Tkb_ContBox_Door_Angle), 0, 180, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad};
const SwatchSpec kControlBoxSwatches[] = {
    {M(Shp_Color_ContBox), "Box:", 0xE1E1E1},        {M(Shp_Color_ContBox_Door), "Door:", 0xC8C8C8},
    {M(Shp_Color_Signal_Red), "Red:", 0x0000FF},     {M(Shp_Color_Signal_Yellow), "Yellow:", 0x00FFFF},
    {M(Shp_Color_Signal_Green), "Green:", 0x00FF00}, {M(Shp_Color_Signal_Blue), "Blue:", 0xFF0000},
};

const CheckSpec kEquipmentChecks[] = {
    {M(Chk_EquipmentPort), "Port", kChecked, 0},
    {M(Chk_EFEM), "EFEM", kChecked, 0},
    {M(Chk_WaferID), "Wafer ID", kPlain, 0},
    {M(Chk_PortColor), "Port Color", kPlain, 0},
};
const ComboSpec kEquipmentCombos[] = {
    {M(Cmb_Equipment), "Type 1|Type 2|Type 3", 0, kPlain},
    {M(Cmb_Equipment_Pos), "LP1|LP2|LP3|LP4", 0, kPlain},
};
// Double-clicking a caption flips its whole column (Tag 0 alarms, 1 warnings).
const LabelSpec kAlarmWarningLabels[] = {
    {M(Lbl_Alarm), "Alarm:", "Warning:", kNoKeypad},
    {M(Lbl_Warning), "Warning:", "Warning:", kNoKeypad},
};
const CheckSpec kUnitAlarmChecks[] = {
    {M(Chk_Unit01_Alarm), "01", kPlain, 0},
    {M(Chk_Unit02_Alarm), "02", kPlain, 0},
    {M(Chk_Unit03_Alarm), "03", kPlain, 0},
    {M(Chk_Unit04_Alarm), "04", kPlain, 0},
    {M(Chk_Unit05_Alarm), "05", kPlain, 0},
    {M(Chk_Unit06_Alarm), "06", kPlain, 0},
    {M(Chk_Unit07_Alarm), "07", kPlain, 0},
    {M(Chk_Unit08_Alarm), "08", kPlain, 0},
    {M(Chk_Unit09_Alarm), "09", kPlain, 0},
    {M(Chk_Unit10_Alarm), "10", kPlain, 0},
    {M(Chk_Unit11_Alarm), "11", kPlain, 0},
    {M(Chk_Unit12_Alarm), "12", kPlain, 0},
    {M(Chk_Unit13_Alarm), "13", kPlain, 0},
};
const CheckSpec kUnitWarningChecks[] = {
    {M(Chk_Unit01_Warning), "01", kPlain, 1},
    {M(Chk_Unit02_Warning), "02", kPlain, 1},
    {M(Chk_Unit03_Warning), "03", kPlain, 1},
    {M(Chk_Unit04_Warning), "04", kPlain, 1},
    {M(Chk_Unit05_Warning), "05", kPlain, 1},
    {M(Chk_Unit06_Warning), "06", kPlain, 1},
    {M(Chk_Unit07_Warning), "07", kPlain, 1},
    {M(Chk_Unit08_Warning), "08", kPlain, 1},
    {M(Chk_Unit09_Warning), "09", kPlain, 1},
    {M(Chk_Unit10_Warning), "10", kPlain, 1},
    {M(Chk_Unit11_Warning), "11", kPlain, 1},
    {M(Chk_Unit12_Warning), "12", kPlain, 1},
    {M(Chk_Unit13_Warning), "13", kPlain, 1},
};
const SwatchSpec kUnitSwatches[] = {
    {M(Shp_Color_Unit01), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit02), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit03), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit04), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit05), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit06), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit07), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit08), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit09), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit10), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit11), nullptr, 0xC0C0C0}, {M(Shp_Color_Unit12), nullptr, 0xC0C0C0},
    {M(Shp_Color_Unit13), nullptr, 0xC0C0C0},
};
const SwatchSpec kStationSwatches[] = {
    {M(Shp_Color_LP1), "LP1", 0x808080},   {M(Shp_Color_LP2), "LP2", 0x808080},
    {M(Shp_Color_LP3), "LP3", 0x808080},   {M(Shp_Color_LP4), "LP4", 0x808080},
    {M(Shp_Color_PM1), "PM1", 0xD8D8D8},   {M(Shp_Color_PM2), "PM2", 0xD8D8D8},
    {M(Shp_Color_PM3), "PM3", 0xD8D8D8},   {M(Shp_Color_PM4), "PM4", 0xD8D8D8},
    {M(Shp_Color_EFEM), "EFEM", 0xE1E1E1}, {M(Shp_Color_LL1), "LL1", 0xD0D0D0},
    {M(Shp_Color_LL2), "LL2", 0xD0D0D0},
};

const CheckSpec kVehicleCheck = {M(Chk_Vehicle), "Vehicle", kChecked, 0};
const SliderRow kOHTRows[] = {
    {"OHT1 X", M(Tkb_OHT1_X), -5000, 5000, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"OHT1 Y", M(Tkb_OHT1_Y), -5000, 5000, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"OHT1 Z", M(Tkb_OHT1_Z), 0, 5000, 0, 0, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"OHT2 X", M(Tkb_OHT2_X), -5000, 5000, 0, 1, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"OHT2 Y", M(Tkb_OHT2_Y), -5000, 5000, 0, 1, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
    {"OHT2 Z", M(Tkb_OHT2_Z), 0, 5000, 0, 1, kPlain, nullptr, nullptr, nullptr, nullptr, kNoKeypad},
};
const LabelSpec kOHTIdLabels[] = {
    {M(Lbl_OHT1_ID), "1", "0000", 5},
    {M(Lbl_OHT2_ID), "1", "0000", 5},
};
const SwatchSpec kOHTSwatches[] = {
    {M(Shp_Color_OHT1), "OHT1:", 0xF0F0F0},
    {M(Shp_Color_OHT2), "OHT2:", 0xF0F0F0},
};

// ---------------------------------------------------------------------------
// "Unuse Item", "For V/A Robot Test" and the single hidden controls.

const ButtonSpec kUnuseButtons[] = {
    {M(Btn_AnimationStart), "Anime Start"},
    {M(Btn_ObjList), "OBJ List"},
    {M(Btn_OBJSet), "OBJ Set"},
};
const CheckSpec kUnuseChecks[] = {
    {M(Chk_RBT_Test_Rotate), "Rotate", kPlain, 0},
    {M(Chk_x2), "x2", kPlain, 0},
    {M(Chk_Skeleton), "Skeleton", kPlain, 0},
    {M(Chk_Pause), "Pause", kPlain, 0},
    {M(Chk_ShmLink), "Shm Link", kPlain, 0},
};
const LabelSpec kAnimationStepLabel = {M(Lbl_AnimationStep), "0", "000", kNoKeypad};

const LabelSpec kAnswerLabels[] = {
    {M(Lbl_Ans_J1), "0.000", "-000.000", kNoKeypad},
    {M(Lbl_Ans_J2), "0.000", "-000.000", kNoKeypad},
    {M(Lbl_Ans_J3), "0.000", "-000.000", kNoKeypad},
};
// Items "0:Home" ... "19:" are made below.
const ComboSpec kPoseCombo = {M(Cmb_VARBT_Pos), "", 0, kPlain};
const ButtonSpec kGraphButton = {M(Btn_XYZGraph), "Graph"};
const CheckSpec kVATestChecks[] = {
    {M(Chk_J2Lock), "J2 Lock", kPlain, 0},
    {M(Chk_TestData02), "Mark Plate", kPlain, 0},
    {M(Chk_TestData03), "Test 3", kPlain, 0},
    {M(Chk_TestData04), "Test 4", kPlain, 0},
};

const ButtonSpec kOtherButtons[] = {
    {M(Btn_Load_OBJ), "Load OBJ"},
    {M(Btn_RBT_Test), "RBT Test Start"},
};
const CheckSpec kShadowCheck = {M(Chk_Shadow), "Shadow", kPlain, 0};
const SliderRow kCircleRow = {"Circle", M(Tkb_Circle_Ang), 0,       360,     0,       0,
                              kPlain,   nullptr,           nullptr, nullptr, nullptr, kNoKeypad};

#undef M

// ---------------------------------------------------------------------------
// Making controls from the tables.

class Builder {
 public:
  explicit Builder(MainControls* f) : f_(f) {}

  TrackBar* Bar(const SliderRow& r, QWidget* parent) {
    auto* b = new TrackBar(QString::fromLatin1(r.barName), r.min, r.max, r.position, r.tag, parent);
    // Only what is laid out hidden is hidden explicitly; the rest shows with
    // its window.
    b->setEnabled(!(r.flags & kDisabled));
    if (r.flags & kHidden) b->setVisible(false);
    b->setMinimumWidth(40);
    f_->*r.bar = b;
    return b;
  }

  ValueLabel* Label(Member<ValueLabel> m, const char* name, const char* caption, const char* widest,
                    int keypadTag, QWidget* parent) {
    auto* l = new ValueLabel(QString::fromLatin1(name), QString::fromUtf8(caption),
                             keypadTag == kNoKeypad ? 0 : keypadTag, parent);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString::fromLatin1(widest)) + 2);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f_->*m = l;
    if (keypadTag != kNoKeypad) {
      l->setFrameShape(QFrame::Panel);
      l->setFrameShadow(QFrame::Sunken);
      l->setToolTip(QStringLiteral("Double-click to enter a value"));
      f_->KeypadLabels.push_back(l);
    }
    return l;
  }
  ValueLabel* Label(const LabelSpec& s, QWidget* parent) {
    return Label(s.m, s.name, s.caption, s.widest, s.keypadTag, parent);
  }

  QCheckBox* Check(const CheckSpec& s, QWidget* parent) {
    auto* c = new QCheckBox(QString::fromUtf8(s.caption), parent);
    c->setObjectName(QString::fromLatin1(s.name));
    c->setChecked(s.flags & kChecked);
    c->setEnabled(!(s.flags & kDisabled));
    if (s.flags & kHidden) c->setVisible(false);
    SetTag(c, s.tag);
    f_->*s.m = c;
    return c;
  }

  QComboBox* Combo(const ComboSpec& s, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(s.name));
    const QString items = QString::fromUtf8(s.items);
    if (!items.isEmpty()) c->addItems(items.split(QLatin1Char('|')));
    c->setCurrentIndex(-1);
    c->setEnabled(!(s.flags & kDisabled));
    if (s.flags & kHidden) c->setVisible(false);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SetTag(c, s.tag);
    f_->*s.m = c;
    return c;
  }

  ColorSwatch* Swatch(const SwatchSpec& s, QWidget* parent) {
    auto* sw = new ColorSwatch(QString::fromLatin1(s.name), s.color, 0, parent);
    sw->setFixedSize(28, 16);
    f_->*s.m = sw;
    f_->Swatches.push_back(sw);
    return sw;
  }
  // The swatch with its caption in front, as one widget.
  QWidget* CaptionedSwatch(const SwatchSpec& s, QWidget* parent) {
    if (!s.caption) return Swatch(s, parent);
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(3);
    h->addWidget(new QLabel(QString::fromUtf8(s.caption), w));
    h->addWidget(Swatch(s, w));
    h->addStretch(1);
    return w;
  }

  QPushButton* Button(const ButtonSpec& s, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(s.caption), parent);
    b->setObjectName(QString::fromLatin1(s.name));
    f_->*s.m = b;
    return b;
  }

  // caption | bar | label rows from (row0, col0); without captions the bar
  // takes col0.
  template <size_t N>
  int SliderRows(QGridLayout* g, int row0, int col0, const SliderRow (&rows)[N], QWidget* parent,
                 bool captions = true) {
    int row = row0;
    for (const SliderRow& r : rows) {
      int col = col0;
      if (captions) {
        auto* c = new QLabel(QString::fromUtf8(r.caption), parent);
        if (r.flags & kHidden) c->setVisible(false);
        g->addWidget(c, row, col++);
      }
      TrackBar* b = Bar(r, parent);
      g->addWidget(b, row, col++);
      if (r.label) {
        ValueLabel* l = Label(r.label, r.labelName, r.labelCaption, r.widest, r.keypadTag, parent);
        if (r.flags & kHidden) l->setVisible(false);
        l->setEnabled(!(r.flags & kDisabled));
        g->addWidget(l, row, col);
      }
      ++row;
    }
    return row;
  }

 private:
  MainControls* f_;
};

QGridLayout* CompactGrid(QWidget* w) {
  auto* g = new QGridLayout(w);
  g->setContentsMargins(4, 2, 4, 2);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(1);
  return g;
}

QGroupBox* Group(const char* name, const char* caption, QWidget* parent) {
  auto* g = new QGroupBox(QString::fromUtf8(caption), parent);
  g->setObjectName(QString::fromLatin1(name));
  return g;
}

QWidget* Row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
  auto* w = new QWidget(parent);
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(4);
  for (QWidget* x : widgets) {
    x->setParent(w);
    h->addWidget(x);
  }
  h->addStretch(1);
  return w;
}

QLabel* Caption(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

void TForm1::BuildLayout() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Client"));
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  // Drawing panel and right bar, divided by Splitter1.
  Splitter1 = new QSplitter(Qt::Horizontal, central);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(true);
  Pnl_GL = new GlPanel(Splitter1);
  Splitter1->addWidget(Pnl_GL);
  Splitter1->addWidget(BuildRightBar(Splitter1));
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({kClientWidth - kRightBarWidth - 3, kRightBarWidth});
  outer->addWidget(Splitter1, 1);
  outer->addWidget(BuildBottomPanel(central), 0);
  setCentralWidget(central);

  BuildHiddenGroups();

  connect(Lbl_DEBUG, &ValueLabel::doubleClicked, this,
          Guarded(this, [this] { Lbl_DEBUGDblClick(Lbl_DEBUG); }));
}

QWidget* TForm1::BuildRightBar(QWidget* parent) {
  Builder b(this);
  Pnl_VARobot = new QWidget(parent);
  Pnl_VARobot->setObjectName(QStringLiteral("Pnl_VARobot"));
  auto* bar = new QVBoxLayout(Pnl_VARobot);
  bar->setContentsMargins(3, 3, 3, 3);
  bar->setSpacing(3);

  QGroupBox* axes = Group("Grp_AxisAngle", "Axis Angle (deg.)", Pnl_VARobot);
  b.SliderRows(CompactGrid(axes), 0, 0, kJointRows, axes);
  bar->addWidget(axes);

  QGroupBox* rect = Group("Grp_RectCoord", "Rect. Coord.", Pnl_VARobot);
  QGridLayout* rg = CompactGrid(rect);
  rg->addWidget(b.Check(kXYZModeCheck, rect), 0, 0, 1, 3);
  const int next = b.SliderRows(rg, 1, 0, kTargetRows, rect);
  auto* tool = new QWidget(rect);
  auto* th = new QHBoxLayout(tool);
  th->setContentsMargins(0, 0, 0, 0);
  th->setSpacing(2);
  for (const LabelSpec& s : kToolPointLabels) th->addWidget(b.Label(s, tool), 1);
  tool->setToolTip(QStringLiteral("Tool point"));
  rg->addWidget(tool, next, 0, 1, 3);
  bar->addWidget(rect);

  bar->addWidget(
      Row(Pnl_VARobot, {b.CaptionedSwatch(kArmSwatch, Pnl_VARobot), b.Check(kBallCheck, Pnl_VARobot)}));

  QGroupBox* option = Group("Grp_Option", "Option", Pnl_VARobot);
  QGridLayout* og = CompactGrid(option);
  og->addWidget(b.Check(kOptionChecks[0], option), 0, 0);
  og->addWidget(b.Check(kOptionChecks[1], option), 0, 1);
  og->addWidget(b.Check(kOptionChecks[2], option), 1, 0);
  og->addWidget(b.Swatch(kFrameSwatch, option), 1, 1);
  bar->addWidget(option);
  bar->addStretch(1);
  return Pnl_VARobot;
}

QWidget* TForm1::BuildBottomPanel(QWidget* parent) {
  Builder b(this);
  Pnl_Bottom = new QWidget(parent);
  Pnl_Bottom->setObjectName(QStringLiteral("Pnl_Bottom"));
  Pnl_Bottom->setFixedHeight(kBottomDetailHeight);
  auto* bottom = new QVBoxLayout(Pnl_Bottom);
  bottom->setContentsMargins(4, 2, 4, 2);
  bottom->setSpacing(2);

  // The strip stays visible when the panel is collapsed.
  Pnl_BottomStrip = new QWidget(Pnl_Bottom);
  Pnl_BottomStrip->setObjectName(QStringLiteral("Pnl_BottomStrip"));
  auto* strip = new QHBoxLayout(Pnl_BottomStrip);
  strip->setContentsMargins(0, 0, 0, 0);
  strip->addWidget(b.Button(kAnimationButton, Pnl_BottomStrip));
  strip->addSpacing(12);
  strip->addWidget(b.CaptionedSwatch(kBackSwatch, Pnl_BottomStrip));
  strip->addSpacing(12);
  for (const CheckSpec& s : kStripChecks) strip->addWidget(b.Check(s, Pnl_BottomStrip));
  strip->addStretch(1);
  strip->addWidget(b.Label(kDebugLabel, Pnl_BottomStrip));
  strip->addWidget(b.Button(kExitButton, Pnl_BottomStrip));
  bottom->addWidget(Pnl_BottomStrip);

  Pnl_Detail = new QWidget(Pnl_Bottom);
  Pnl_Detail->setObjectName(QStringLiteral("Pnl_Detail"));
  auto* detail = new QHBoxLayout(Pnl_Detail);
  detail->setContentsMargins(0, 0, 0, 0);
  detail->setSpacing(4);

  QGroupBox* view = Group("Grp_ViewSetting", "View Setting", Pnl_Detail);
  QGridLayout* vg = CompactGrid(view);
  const int vr = b.SliderRows(vg, 0, 0, kViewRows, view);
  vg->addWidget(b.Check(kOrthoCheck, view), vr, 1, 1, 2);
  vg->setRowStretch(vr + 1, 1);
  detail->addWidget(view, 2);

  QGroupBox* light = Group("Grp_LightSetting", "Light Setting", Pnl_Detail);
  QGridLayout* lg = CompactGrid(light);
  const CheckSpec* lightChecks[2] = {kLight1Checks, kLight2Checks};
  for (int i = 0; i < 2; ++i) {
    const int col = 1 + 2 * i;
    lg->addWidget(Row(light, {b.Check(lightChecks[i][0], light), b.Swatch(kLightSwatches[i], light)}), 0, col,
                  1, 2);
    lg->addWidget(b.Check(lightChecks[i][1], light), 1, col, 1, 2);
    lg->addWidget(Row(light, {b.Check(lightChecks[i][2], light), b.Combo(kSpotDirCombos[i], light)}), 2, col,
                  1, 2);
  }
  b.SliderRows(lg, 3, 0, kLight1Rows, light);
  const int lr = b.SliderRows(lg, 3, 3, kLight2Rows, light, false);
  lg->setRowStretch(lr, 1);
  detail->addWidget(light, 3);

  auto* right = new QWidget(Pnl_Detail);
  auto* rv = new QVBoxLayout(right);
  rv->setContentsMargins(0, 0, 0, 0);
  rv->setSpacing(2);
  QGroupBox* tex = Group("Grp_ColorTexture", "Color Texture", right);
  QGridLayout* tg = CompactGrid(tex);
  QComboBox* presets = b.Combo(kColorTexPresetCombo, tex);
  for (int i = 0; i < kMaterialPresetCount; ++i) presets->addItem(QString::fromLatin1(MaterialPresetName(i)));
  presets->setCurrentIndex(-1);
  tg->addWidget(b.Check(kColorTexPresetCheck, tex), 0, 0);
  tg->addWidget(presets, 0, 1, 1, 6);
  // Ambient, diffuse and specular, each a red, green and blue slider.
  for (int i = 0; i < 9; ++i) {
    const SliderRow& r = kColorTexRows[i];
    const int row = 1 + i / 3, col = 1 + 2 * (i % 3);
    if (i % 3 == 0) tg->addWidget(Caption(r.caption, tex), row, 0);
    tg->addWidget(b.Bar(r, tex), row, col);
    ValueLabel* l = b.Label(r.label, r.labelName, r.labelCaption, r.widest, r.keypadTag, tex);
    l->setEnabled(false);
    tg->addWidget(l, row, col + 1);
  }
  tg->addWidget(Caption(kColorTexShinRow.caption, tex), 4, 0);
  tg->addWidget(b.Bar(kColorTexShinRow, tex), 4, 1, 1, 3);
  tg->addWidget(b.Label(kColorTexShinRow.label, kColorTexShinRow.labelName, kColorTexShinRow.labelCaption,
                        kColorTexShinRow.widest, kNoKeypad, tex),
                4, 4);
  tg->addWidget(b.Swatch(kColorTexSwatch, tex), 4, 5, 1, 2, Qt::AlignCenter);
  tg->addWidget(b.Check(kColorTexTypeCheck, tex), 5, 0, 1, 3);
  tg->addWidget(b.Combo(kColorTexTypeCombo, tex), 5, 3, 1, 4);
  rv->addWidget(tex);
  rv->addWidget(Row(right, {Caption("Shm Interval:", right), b.Label(kShmIntervalLabel, right)}));
  rv->addStretch(1);
  detail->addWidget(right, 3);

  bottom->addWidget(Pnl_Detail, 1);
  return Pnl_Bottom;
}

void TForm1::BuildHiddenGroups() {
  Builder b(this);
  // Each hidden group lives in a dock that starts hidden and floating, so
  // showing one from the Panels menu leaves the window's own layout alone.
  auto dock = [this](QGroupBox* group) {
    auto* d = new QDockWidget(group->title(), this);
    d->setObjectName(QStringLiteral("Dock_") + group->objectName().mid(4));
    d->setWidget(group);
    // The dock's title bar names the panel; the group's own caption would
    // repeat it right below.
    group->setTitle(QString());
    d->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::RightDockWidgetArea, d);
    d->setFloating(true);
    d->hide();
    d->installEventFilter(this);
    docks_ << d;
  };

  // "Robot": RBT1 beside RBT2.
  Grp_Robot = Group("Grp_Robot", "Robot", nullptr);
  auto* robots = new QHBoxLayout(Grp_Robot);
  struct RobotPanel {
    const char* caption;
    const SliderRow (&rows)[7];
    const CheckSpec (&checks)[5];
    const SwatchSpec (&swatches)[2];
    const LabelSpec (&wafer)[3];
    const char* const* stations;
    int stationCount;
  };
  const RobotPanel panels[2] = {
      {"RBT1", kRobot1Rows, kRobot1Checks, kRobot1Swatches, kRobot1WaferLabels, kRobot1Stations, 7},
      {"RBT2", kRobot2Rows, kRobot2Checks, kRobot2Swatches, kRobot2WaferLabels, kRobot2Stations, 6},
  };
  for (int i = 0; i < 2; ++i) {
    const RobotPanel& p = panels[i];
    QGroupBox* g = Group(i == 0 ? "Grp_RBT1" : "Grp_RBT2", p.caption, Grp_Robot);
    QGridLayout* gg = CompactGrid(g);
    int row = b.SliderRows(gg, 0, 0, p.rows, g);
    QComboBox* pos = b.Combo(i == 0 ? kRobot1Combos[0] : kRobot2Combo, g);
    QStringList items{QStringLiteral("Home")};
    for (int s = 0; s < p.stationCount; ++s)
      for (const char* move : kStationMoves)
        items << QString::fromLatin1(p.stations[s]) + QString::fromLatin1(move);
    pos->addItems(items);
    pos->setCurrentIndex(-1);
    gg->addWidget(Caption("Pos", g), row, 0);
    gg->addWidget(pos, row++, 1, 1, 2);
    if (i == 0) {
      gg->addWidget(Caption("Slot", g), row, 0);
      // Slots 0 to 24 of a 25-wafer carrier, shown from 1.
      QComboBox* slot = b.Combo(kRobot1Combos[1], g);
      for (const std::string& item : SlotItems()) slot->addItem(QString::fromStdString(item));
      slot->setCurrentIndex(0);
      gg->addWidget(slot, row++, 1, 1, 2);
    }
    auto* checks = new QWidget(g);
    auto* cg = new QGridLayout(checks);
    cg->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < 5; ++c) cg->addWidget(b.Check(p.checks[c], checks), c / 3, c % 3);
    gg->addWidget(checks, row++, 0, 1, 3);
    gg->addWidget(Row(g, {b.CaptionedSwatch(p.swatches[0], g), b.CaptionedSwatch(p.swatches[1], g)}), row++,
                  0, 1, 3);
    gg->addWidget(Row(g, {Caption("Port:", g), b.Label(p.wafer[0], g), Caption("Slot:", g),
                          b.Label(p.wafer[1], g), Caption("Process:", g), b.Label(p.wafer[2], g)}),
                  row++, 0, 1, 3);
    // The shorter panel keeps its rows together at the top.
    gg->setRowStretch(row, 1);
    robots->addWidget(g);
  }
  robots->addWidget(b.Check(kMultiDrawCheck, Grp_Robot));
  dock(Grp_Robot);

  // "Text Draw".
  Grp_TextDraw = Group("Grp_TextDraw", "Text Draw", nullptr);
  QGridLayout* tg = CompactGrid(Grp_TextDraw);
  tg->addWidget(b.Check(kTextChecks[0], Grp_TextDraw), 0, 0, 1, 3);
  Edt_TextData = new QLineEdit(QString::fromLatin1(kTextDefault), Grp_TextDraw);
  Edt_TextData->setObjectName(QStringLiteral("Edt_TextData"));
  Edt_TextData->setMaxLength(kTextMaxLength);
  tg->addWidget(Caption("Text", Grp_TextDraw), 1, 0);
  tg->addWidget(Edt_TextData, 1, 1, 1, 2);
  int row = b.SliderRows(tg, 2, 0, kTextRows, Grp_TextDraw);
  tg->addWidget(Row(Grp_TextDraw, {Caption("Size", Grp_TextDraw), b.Combo(kTextCombos[0], Grp_TextDraw),
                                   Caption("Dir", Grp_TextDraw), b.Combo(kTextCombos[1], Grp_TextDraw)}),
                row++, 0, 1, 3);
  tg->addWidget(
      Row(Grp_TextDraw, {b.Check(kTextChecks[1], Grp_TextDraw), b.Check(kTextChecks[2], Grp_TextDraw)}), row,
      0, 1, 3);
  dock(Grp_TextDraw);

  // "Fog Setting".
  Grp_FogSetting = Group("Grp_FogSetting", "Fog Setting", nullptr);
  QGridLayout* fg = CompactGrid(Grp_FogSetting);
  fg->addWidget(Row(Grp_FogSetting, {b.Check(kFogCheck, Grp_FogSetting), b.Combo(kFogCombo, Grp_FogSetting),
                                     b.CaptionedSwatch(kFogSwatch, Grp_FogSetting)}),
                0, 0, 1, 3);
  b.SliderRows(fg, 1, 0, kFogRows, Grp_FogSetting);
  dock(Grp_FogSetting);

  // "Control Box".
  Grp_ControlBox = Group("Grp_ControlBox", "Control Box", nullptr);
  QGridLayout* cbg = CompactGrid(Grp_ControlBox);
  cbg->addWidget(b.Check(kControlBoxChecks[0], Grp_ControlBox), 0, 0, 1, 2);
  cbg->addWidget(b.Check(kControlBoxChecks[1], Grp_ControlBox), 0, 2, 1, 2);
  cbg->addWidget(Caption(kControlBoxRow.caption, Grp_ControlBox), 1, 0);
  cbg->addWidget(b.Bar(kControlBoxRow, Grp_ControlBox), 1, 1, 1, 3);
  for (int i = 0; i < 6; ++i)
    cbg->addWidget(b.CaptionedSwatch(kControlBoxSwatches[i], Grp_ControlBox), 2 + i / 2, 2 * (i % 2), 1, 2);
  dock(Grp_ControlBox);

  // "Equipment": display switches, unit alarms and warnings with colours,
  // station colours.
  Grp_Equipment = Group("Grp_Equipment", "Equipment", nullptr);
  QGridLayout* eg = CompactGrid(Grp_Equipment);
  auto* switches = new QWidget(Grp_Equipment);
  auto* sh = new QHBoxLayout(switches);
  sh->setContentsMargins(0, 0, 0, 0);
  for (const CheckSpec& s : kEquipmentChecks) sh->addWidget(b.Check(s, switches));
  for (const ComboSpec& s : kEquipmentCombos) sh->addWidget(b.Combo(s, switches));
  sh->addStretch(1);
  eg->addWidget(switches, 0, 0, 1, 14);
  eg->addWidget(Caption("Unit", Grp_Equipment), 1, 0);
  ValueLabel* alarm = b.Label(kAlarmWarningLabels[0], Grp_Equipment);
  ValueLabel* warning = b.Label(kAlarmWarningLabels[1], Grp_Equipment);
  SetTag(warning, 1);
  for (ValueLabel* l : {alarm, warning}) l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  eg->addWidget(alarm, 2, 0);
  eg->addWidget(warning, 3, 0);
  eg->addWidget(Caption("Color:", Grp_Equipment), 4, 0);
  for (int u = 0; u < 13; ++u) {
    eg->addWidget(b.Check(kUnitAlarmChecks[u], Grp_Equipment), 2, 1 + u);
    eg->addWidget(b.Check(kUnitWarningChecks[u], Grp_Equipment), 3, 1 + u);
    eg->addWidget(b.Swatch(kUnitSwatches[u], Grp_Equipment), 4, 1 + u);
  }
  auto* stations = new QWidget(Grp_Equipment);
  auto* stg = new QGridLayout(stations);
  stg->setContentsMargins(0, 0, 0, 0);
  for (int s = 0; s < 11; ++s) stg->addWidget(b.CaptionedSwatch(kStationSwatches[s], stations), s / 6, s % 6);
  eg->addWidget(stations, 5, 0, 1, 14);
  dock(Grp_Equipment);

  // "OHT System".
  Grp_OHTSystem = Group("Grp_OHTSystem", "OHT System", nullptr);
  QGridLayout* og = CompactGrid(Grp_OHTSystem);
  og->addWidget(b.Check(kVehicleCheck, Grp_OHTSystem), 0, 0, 1, 2);
  row = b.SliderRows(og, 1, 0, kOHTRows, Grp_OHTSystem);
  for (int i = 0; i < 2; ++i) {
    og->addWidget(
        Row(Grp_OHTSystem, {b.CaptionedSwatch(kOHTSwatches[i], Grp_OHTSystem), Caption("ID:", Grp_OHTSystem),
                            b.Label(kOHTIdLabels[i], Grp_OHTSystem)}),
        row++, 0, 1, 2);
  }
  dock(Grp_OHTSystem);

  // "Unuse Item".
  Grp_UnuseItem = Group("Grp_UnuseItem", "Unuse Item", nullptr);
  QGridLayout* ug = CompactGrid(Grp_UnuseItem);
  for (int i = 0; i < 3; ++i) ug->addWidget(b.Button(kUnuseButtons[i], Grp_UnuseItem), 0, i);
  for (int i = 0; i < 5; ++i) ug->addWidget(b.Check(kUnuseChecks[i], Grp_UnuseItem), 1 + i / 3, i % 3);
  ug->addWidget(
      Row(Grp_UnuseItem, {Caption("Step:", Grp_UnuseItem), b.Label(kAnimationStepLabel, Grp_UnuseItem)}), 2,
      2);
  dock(Grp_UnuseItem);

  // "For V/A Robot Test".
  Grp_VARobotTest = Group("Grp_VARobotTest", "For V/A Robot Test", nullptr);
  QGridLayout* vg = CompactGrid(Grp_VARobotTest);
  const char* answerCaptions[3] = {"J1", "J2", "J3"};
  for (int i = 0; i < 3; ++i) {
    vg->addWidget(Caption(answerCaptions[i], Grp_VARobotTest), 0, 2 * i);
    vg->addWidget(b.Label(kAnswerLabels[i], Grp_VARobotTest), 0, 2 * i + 1);
  }
  QComboBox* poses = b.Combo(kPoseCombo, Grp_VARobotTest);
  QStringList poseItems{QStringLiteral("0:Home"), QStringLiteral("1:Center(Down)"),
                        QStringLiteral("2:Center(Up)")};
  for (int n = 3; n < 20; ++n) poseItems << QString::number(n) + QLatin1Char(':');
  poses->addItems(poseItems);
  poses->setCurrentIndex(-1);
  vg->addWidget(poses, 1, 0, 1, 4);
  vg->addWidget(b.Button(kGraphButton, Grp_VARobotTest), 1, 4, 1, 2);
  for (int i = 0; i < 4; ++i)
    vg->addWidget(b.Check(kVATestChecks[i], Grp_VARobotTest), 2 + i / 2, 3 * (i % 2), 1, 3);
  dock(Grp_VARobotTest);

  // The single hidden controls, gathered so they stay reachable.
  Grp_OtherItems = Group("Grp_OtherItems", "Other Controls", nullptr);
  QGridLayout* xg = CompactGrid(Grp_OtherItems);
  xg->addWidget(b.Button(kOtherButtons[0], Grp_OtherItems), 0, 0);
  xg->addWidget(b.Button(kOtherButtons[1], Grp_OtherItems), 0, 1);
  xg->addWidget(b.Check(kShadowCheck, Grp_OtherItems), 0, 2);
  xg->addWidget(Caption(kCircleRow.caption, Grp_OtherItems), 1, 0);
  xg->addWidget(b.Bar(kCircleRow, Grp_OtherItems), 1, 1, 1, 2);
  dock(Grp_OtherItems);
}

QDockWidget* TForm1::PanelDock(const QString& groupCaption) const {
  for (QDockWidget* d : docks_)
    if (d->windowTitle() == groupCaption) return d;
  return nullptr;
}

void TForm1::BuildMenus() {
  // File and Edit: the scene as a document.
  QMenu* file = document_->AddFileMenu(menuBar());
  file->addSeparator();
  // Ctrl+Q, the close button and Alt+F4 all end in closeEvent's question.
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setShortcut(QKeySequence::Quit);
  connect(exit, &QAction::triggered, this, Guarded(this, [this] { Btn_ExitClick(); }));
  edit_->AddEditEntries(document_->AddEditMenu(menuBar()));

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* detail = view->addAction(QStringLiteral("Show &Detail"));
  detail->setCheckable(true);
  connect(detail, &QAction::toggled, this, [this](bool on) {
    Chk_ShowDetail->setVisible(true);
    Chk_ShowDetail->setChecked(on);
  });
  connect(Chk_ShowDetail, &QCheckBox::toggled, detail, &QAction::setChecked);
  QAction* rightBar = view->addAction(QStringLiteral("&Right Bar"));
  rightBar->setCheckable(true);
  rightBar->setChecked(Chk_RightBar->isChecked());
  connect(rightBar, &QAction::toggled, Chk_RightBar, &QCheckBox::setChecked);
  connect(Chk_RightBar, &QCheckBox::toggled, rightBar, &QAction::setChecked);
  checks_->AddViewEntries(view);
  view_->AddViewEntries(view);
  view->addSeparator();
  status_->AddViewEntries(view);

  // One checkable entry per hidden group.
  panelsMenu_ = menuBar()->addMenu(QStringLiteral("&Panels"));
  for (QDockWidget* d : docks_) panelsMenu_->addAction(d->toggleViewAction());

  toolsMenu_ = menuBar()->addMenu(QStringLiteral("&Tools"));
  view_->AddToolsEntries(toolsMenu_);
  arm_->AddToolsEntries(toolsMenu_);
  link_->AddToolsEntries(toolsMenu_);
  checks_->AddToolsEntries(toolsMenu_);
  help_->AddHelpMenu(menuBar());

  // The status line under the bottom strip: file, selection, tool point and
  // the last message for the operator.
  status_->Build(statusBar());
  checks_->BuildStatusWidgets(statusBar());

  // Client area as laid out, centred on the screen.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    const QRect avail = s->availableGeometry();
    move(avail.center() - QPoint(width() / 2, height() / 2));
  }
  // A small or scaled screen: never a title bar above its top.
  KeepOnScreen(this);
}
