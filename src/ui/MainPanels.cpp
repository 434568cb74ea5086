// The main window's panel, option, colour, value-label, keyboard, material,
// text, joint, robot and equipment handlers.
#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/Main.h"
#include "ui/MainHelpers.h"
#include "ui/Prompts.h"
#include "ui/Coordmon.h"
#include "arm/Kinematics.h"
#include "ui/Input.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "objects/Convert.h"
#include "shapes/Material.h"


// --- Window and panels --------------------------------------------------------

void TForm1::Chk_RightBarClick(QObject*) {
  const int width = Chk_RightBar->isChecked() ? 168 : 0;
  QList<int> sizes = Splitter1->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  Splitter1->setSizes({std::max(0, total - width), width});
  Pnl_VARobot->setVisible(width > 0);
}

void TForm1::Chk_ShowDetailClick(QObject*) {
  // The drawing panel keeps its height: the window grows by what the
  // bottom panel grows.
  const int delta = kBottomDetailHeight - kBottomCollapsedHeight;
  if (Chk_ShowDetail->isChecked()) {
    Pnl_Detail->show();
    Pnl_Bottom->setFixedHeight(kBottomDetailHeight);
    resize(width(), height() + delta);
  } else {
    Pnl_Bottom->setFixedHeight(kBottomCollapsedHeight);
    Pnl_Detail->hide();
    // The layouts must know the smaller panel before the window may shrink.
    if (QLayout* l = centralWidget()->layout()) l->activate();
    if (QLayout* l = layout()) l->activate();
    resize(width(), height() - delta);
  }
}

void TForm1::Lbl_DEBUGDblClick(QObject*) {
  Chk_ShowDetail->setVisible(true);
}

void TForm1::Chk_DrawFillFrameClick(QObject*) {
  // Lines only: the lights are off (the transfer sees to that) and cannot
  // be switched on.
  const bool frameOnly = !Chk_DrawFill->isChecked() && Chk_DrawFrame->isChecked();
  Chk_Light1->setEnabled(!frameOnly);
  Chk_Light2->setEnabled(!frameOnly);
  DrawFrame();
}

void TForm1::Chk_DrawFloorClick(QObject*) {
  DrawFrame();
}

void TForm1::Shp_ColorMouseDown(QObject* Sender) {
  auto* swatch = qobject_cast<ColorSwatch*>(Sender);
  if (!swatch) return;
  uint32_t chosen = 0;
  if (!Prompts::Get().PickColor(this, swatch->Color(), &chosen)) return;
  swatch->SetColor(chosen);
  if (TagOf(swatch) == 0) {
    TransferSettings();
    SetClearColor(renderContext_, settings_.backColor);
    SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight,
                  settings_.view.ortho);
  }
  RequestRedraw();
}

void TForm1::Lbl_DataDblClick(QObject* Sender) {
  auto* label = qobject_cast<ValueLabel*>(Sender);
  if (!label) return;
  const int k = TagOf(label);
  if (k < 0 || k >= kValueEntryCount) return;
  ValueEntry& row = valueEntries_[static_cast<size_t>(k)];
  row.text = label->text();
  QString entered;
  if (!Tenkey ||
      !Tenkey->Execute(row.kind, row.minimum, row.maximum, row.digits, row.decimals, row.text, &entered))
    return;
  ApplyValueEntry(label, entered);
}

void TForm1::ApplyValueEntry(ValueLabel* label, const QString& text) {
  const int k = TagOf(label);
  const std::string t = text.toStdString();
  // The number is read before the caption changes, so a text that is not
  // one leaves the label as it was.
  if (k == 0) {
    const int ms = StrToInt(t);
    label->setText(text);
    SetShmInterval(ms);
  } else if (k >= 10 && k <= 15) {
    const double degrees = StrToFloat(t);
    label->setText(text);
    TrackBar* bar = JointBars[static_cast<size_t>(k - 10)];
    // The bar's change handler moves the arm and rewrites the label.
    bar->SetPosition(TruncatedPosition(degrees * 100.0, bar));
  } else {
    // The caption itself is the value the equipment reads.
    label->setText(text);
  }
}

bool TForm1::FormKeyPress(QChar key) {
  struct KeyRow {
    const char* keys;  // the -50, -10, +10, +50 keys
    TrackBar* TForm1::*bar;
  };
  static const KeyRow kRows[] = {
      {"qwer", &TForm1::Tkb_TestData01}, {"asdf", &TForm1::Tkb_TestData02}, {"zxcv", &TForm1::Tkb_TestData03},
      {"tyui", &TForm1::Tkb_XX},         {"ghjk", &TForm1::Tkb_YY},         {"bnm,", &TForm1::Tkb_ZZ},
  };
  static const int kSteps[4] = {-50, -10, 10, 50};
  for (const KeyRow& r : kRows)
    for (int i = 0; i < 4; ++i)
      if (key == QLatin1Char(r.keys[i])) {
        TrackBar* bar = this->*r.bar;
        bar->SetPosition(bar->Position() + kSteps[i]);
        return true;
      }
  return false;
}

void TForm1::Chk_x2Click(QObject*) {
  Tim_Animation->setInterval(Chk_x2->isChecked() ? 25 : 50);
}

void TForm1::Chk_SkeletonClick(QObject*) {
  // The arm has no skeleton drawing; the box only keeps its state.
}



// --- Colour texture -------------------------------------------------------------

void TForm1::Cmb_ColorTextureChange(QObject*) {
  ColorTex& record = settings_.colorTex.record;
  record = LookupMaterialPreset(Cmb_ColorTexture->currentText().toStdString());
  {
    // The sliders follow the preset without each running its handler.
    FlagScope guard(colorTexGuard_);
    TrackBar* bars[3][3] = {{Tkb_ColorTex_Amb_R, Tkb_ColorTex_Amb_G, Tkb_ColorTex_Amb_B},
                            {Tkb_ColorTex_Diff_R, Tkb_ColorTex_Diff_G, Tkb_ColorTex_Diff_B},
                            {Tkb_ColorTex_Spec_R, Tkb_ColorTex_Spec_G, Tkb_ColorTex_Spec_B}};
    const float* parts[3] = {record.amb, record.diff, record.spec};
    // In double precision: 0.829f lies just below 0.829 and gives 828.
    for (int p = 0; p < 3; ++p)
      for (int c = 0; c < 3; ++c)
        bars[p][c]->SetPosition(TruncatedPosition(static_cast<double>(parts[p][c]) * 1000.0, bars[p][c]));
    Tkb_ColorTex_Shin->SetPosition(TruncatedPosition(record.shin, Tkb_ColorTex_Shin));
  }
  Tkb_ColorTexChange();
  DrawFrame();
}

void TForm1::Tkb_ColorTexChange(QObject*) {
  if (colorTexGuard_) return;
  TransferSettings();
  const ColorTex& r = settings_.colorTex.record;
  ValueLabel* labels[3][3] = {{Lbl_ColorTex_Amb_R, Lbl_ColorTex_Amb_G, Lbl_ColorTex_Amb_B},
                              {Lbl_ColorTex_Diff_R, Lbl_ColorTex_Diff_G, Lbl_ColorTex_Diff_B},
                              {Lbl_ColorTex_Spec_R, Lbl_ColorTex_Spec_G, Lbl_ColorTex_Spec_B}};
  const float* parts[3] = {r.amb, r.diff, r.spec};
  for (int p = 0; p < 3; ++p)
    for (int c = 0; c < 3; ++c) labels[p][c]->setText(FixedText(parts[p][c], 3));
  Lbl_ColorTex_Shin->setText(FixedText(r.shin, 0));
  DrawFrame();
}

void TForm1::Chk_ColorTextureClick(QObject*) {
  const bool checked = Chk_ColorTexture->isChecked();
  TransferSettings();
  // The preset and the type-and-colour material exclude each other; both
  // may be off.
  if (checked) Chk_ColorTex_ByTypeColor->setChecked(false);
  UpdateColorTexEnabling(Chk_ColorTexture->isChecked() || Chk_ColorTex_ByTypeColor->isChecked());
  DrawFrame();
}

void TForm1::Chk_ColorTex_ByTypeColorClick(QObject*) {
  const bool checked = Chk_ColorTex_ByTypeColor->isChecked();
  TransferSettings();
  if (checked) Chk_ColorTexture->setChecked(false);
  UpdateColorTexEnabling(Chk_ColorTexture->isChecked() || Chk_ColorTex_ByTypeColor->isChecked());
  DrawFrame();
}

void TForm1::UpdateColorTexEnabling(bool locked) {
  Cmb_ColorTexture->setEnabled(Chk_ColorTexture->isChecked());
  Cmb_ColorTex_Type->setEnabled(Chk_ColorTex_ByTypeColor->isChecked());
  QWidget* components[] = {Tkb_ColorTex_Amb_R,  Tkb_ColorTex_Amb_G,  Tkb_ColorTex_Amb_B,  Tkb_ColorTex_Diff_R,
                           Tkb_ColorTex_Diff_G, Tkb_ColorTex_Diff_B, Tkb_ColorTex_Spec_R, Tkb_ColorTex_Spec_G,
                           Tkb_ColorTex_Spec_B, Lbl_ColorTex_Amb_R,  Lbl_ColorTex_Amb_G,  Lbl_ColorTex_Amb_B,
                           Lbl_ColorTex_Diff_R, Lbl_ColorTex_Diff_G, Lbl_ColorTex_Diff_B, Lbl_ColorTex_Spec_R,
                           Lbl_ColorTex_Spec_G, Lbl_ColorTex_Spec_B};
  for (QWidget* w : components) w->setEnabled(!locked);
  Lbl_ColorTex_Shin->setEnabled(!Chk_ColorTexture->isChecked());
}

void TForm1::Cmb_ColorTex_TypeChange(QObject*) {
  // The arm's material type is read by every frame.
  DrawFrame();
}

// --- Block text ------------------------------------------------------------------

void TForm1::Tkb_Text_PosChange(QObject*) {
  TransferSettings();
  const BlockTextSettings& t = settings_.text;
  Lbl_Text_X->setText(FixedText(t.X, 2));
  Lbl_Text_Y->setText(FixedText(t.Y, 2));
  Lbl_Text_Z->setText(FixedText(t.Z, 2));
  Lbl_TextWidth->setText(FixedText(t.strokeWidth, 1));
  DrawFrame();
}

void TForm1::Chk_DrawTextClick(QObject*) {
  TransferSettings();
  const bool shown = settings_.text.shown;
  QWidget* controls[] = {Edt_TextData, Tkb_Text_X,       Tkb_Text_Y,      Tkb_Text_Z,    Lbl_Text_X,
                         Lbl_Text_Y,   Lbl_Text_Z,       Tkb_TextWidth,   Lbl_TextWidth, Cmb_TextDir,
                         Cmb_TextSize, Chk_TextDir_Lock, Chk_Text_Vibrate};
  for (QWidget* w : controls) w->setEnabled(shown);
  DrawFrame();
}

void TForm1::Chk_TextDir_LockClick(QObject*) {
  // A locked text keeps its place on the screen; its direction is fixed.
  Cmb_TextDir->setEnabled(!Chk_TextDir_Lock->isChecked());
  DrawFrame();
}

void TForm1::Cmb_TextSizeChange(QObject*) {
  DrawFrame();
}

void TForm1::Cmb_TextDirChange(QObject*) {
  DrawFrame();
}

void TForm1::Edt_TextDataChange(QObject*) {
  DrawFrame();
}

// --- Arm joints and tool target ----------------------------------------------------

void TForm1::Tkb_TestDataChange(QObject*) {
  TransferSettings();
  if (Chk_XYZmode->isChecked()) {
    // The tool keeps its attitude: J2 + J3 + J5 stays 180 degrees. Moving
    // J5 runs this handler once more.
    // Worked on the positions, which are exact: the float angles can make
    // 50.00 degrees come out as 49.99.
    Tkb_TestData05->SetPosition(XyzModeJ5Position(Tkb_TestData02->Position(), Tkb_TestData03->Position()));
  }
  ValueLabel* labels[6] = {Lbl_TestData01, Lbl_TestData02, Lbl_TestData03,
                           Lbl_TestData04, Lbl_TestData05, Lbl_TestData06};
  for (int j = 0; j < 6; ++j) labels[j]->setText(FixedText(settings_.joints[j], 2));
  if (!BulkUpdate) DrawFrame();
}

void TForm1::Chk_TestDataClick(QObject*) {
  DrawFrame();
}


void TForm1::Chk_XYZmodeClick(QObject*) {
  const bool on = Chk_XYZmode->isChecked();
  for (TrackBar* b : {Tkb_XX, Tkb_YY, Tkb_ZZ}) b->setEnabled(on);
  // J4 stays free in both modes.
  ValueLabel* labels[6] = {Lbl_TestData01, Lbl_TestData02, Lbl_TestData03,
                           Lbl_TestData04, Lbl_TestData05, Lbl_TestData06};
  for (int j : {0, 1, 2, 4, 5}) {
    JointBars[static_cast<size_t>(j)]->setEnabled(!on);
    labels[j]->setEnabled(!on);
  }
  if (on)
    Tkb_XYZChange(Tkb_XX);
  else
    Tkb_TestDataChange();
}

void TForm1::Chk_J2LockClick(QObject*) {
  Tkb_TestDataChange();
}


// --- Transfer robots ------------------------------------------------------------------

void TForm1::WriteRobotLabels() {
  struct Labels {
    ValueLabel *r1, *r2, *z, *t, *x;
  };
  const Labels labels[2] = {
      {Lbl_RBT1_R1Axis, Lbl_RBT1_R2Axis, Lbl_RBT1_ZAxis, Lbl_RBT1_TAxis, Lbl_RBT1_XAxis},
      {Lbl_RBT2_R1Axis, Lbl_RBT2_R2Axis, Lbl_RBT2_ZAxis, Lbl_RBT2_TAxis, Lbl_RBT2_XAxis},
  };
  for (int i = 0; i < 2; ++i) {
    const RobotPanelValues& r = settings_.robot[i];
    labels[i].r1->setText(FixedText(r.R1, 2));
    labels[i].r2->setText(FixedText(r.R2, 2));
    labels[i].z->setText(FixedText(r.Z, 4));
    labels[i].t->setText(FixedText(r.T, 1));
    labels[i].x->setText(FixedText(r.X, 3));
  }
}

void TForm1::Tkb_RBT_AxisChange(QObject*) {
  if (Updating) return;
  TransferSettings();
  WriteRobotLabels();
  DrawFrame();
}


void TForm1::Chk_RBT_Arm2Click(QObject* Sender) {
  TransferSettings();
  const int tag = TagOf(Sender);
  if (tag == 0) Cmb_RBT_PosChange(Cmb_RBT1_Pos);
  if (tag == 1) Cmb_RBT_PosChange(Cmb_RBT2_Pos);
}

void TForm1::Chk_RBT_LL_UpClick(QObject* Sender) {
  Chk_RBT_Arm2Click(Sender);
}

void TForm1::Chk_RBT1_DualArmClick(QObject*) {
  DrawFrame();
}

void TForm1::Chk_RBT_WaferClick(QObject*) {
  DrawFrame();
}

void TForm1::Chk_RBT_MultiDrawClick(QObject*) {
  TransferSettings();
  Chk_RBT1_DualArm->setEnabled(settings_.multiDraw);
  Chk_RBT2_DualArm->setEnabled(settings_.multiDraw);
  DrawFrame();
}

// --- Equipment ---------------------------------------------------------------------------

void TForm1::Tkb_EquipmentChange(QObject* Sender) {
  if (Updating) return;
  if (auto* bar = qobject_cast<TrackBar*>(Sender)) bar->setToolTip(QString::number(bar->Position()));
  TransferSettings();
  DrawFrame();
}

void TForm1::Cmb_EquipmentChange(QObject*) {
  if (!Updating) DrawFrame();
}

void TForm1::Cmb_Equipment_PosChange(QObject*) {
  if (!Updating && Cmb_Equipment_Pos->currentIndex() >= 0) DrawFrame();
}

void TForm1::Chk_EquipmentChkClick(QObject*) {
  if (!Updating) DrawFrame();
}

void TForm1::Lbl_AlarmWarningDblClick(QObject* Sender) {
  const int tag = TagOf(Sender);
  if (tag != 0 && tag != 1) return;
  const std::array<QCheckBox*, 20>& list = tag == 0 ? UnitAlarmChecks : UnitWarningChecks;
  if (!list[0]) return;
  const bool state = !list[0]->isChecked();
  {
    FlagScope updating(Updating);
    for (QCheckBox* c : list)
      if (c) c->setChecked(state);
  }
  DrawFrame();
}
