// The object settings dialog as laid out: every control, its caption, name,
// items, tag and place.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "objects/ObjectGrid.h"
#include "ui/Objectsetting.h"
#include "ui/ObjectsettingGrid.h"

namespace {

// Grid geometry: the heading column fits "SubColor", a data column fits
// "-999.9999".
constexpr int kHeadingColumnWidth = 74;
constexpr int kDataColumnWidth = 66;
constexpr int kGridRowHeight = 20;
constexpr int kVisibleDataColumns = 12;
// The longest text a record keeps through a save and load.
constexpr int kMaxTextLength = 255;

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  return c;
}

QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->addItems(items);
  return c;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
  auto* l = new QLabel(QString::fromUtf8(caption), parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

ColorSwatch* MakeSwatch(QWidget* parent, const char* name, uint32_t color) {
  auto* s = new ColorSwatch(QString::fromLatin1(name), color, 0, parent);
  s->setFixedSize(40, 20);
  return s;
}

}  // namespace

void TObjSet::BuildLayout() {
  setObjectName(QStringLiteral("ObjSet"));
  setWindowTitle(QStringLiteral("Object Setting"));
  setSizeGripEnabled(true);

  // --- The object's own settings ----------------------------------------------
  Chk_Enable = MakeCheck(this, "Chk_Enable", "Shape:");
  Chk_Enable->setToolTip(QStringLiteral("Draw the object"));
  Cmb_Shape = MakeCombo(this, "Cmb_Shape", {});
  Cmb_Shape->setMinimumWidth(150);
  Cmb_Shape->setMaxVisibleItems(20);
  Lbl_Name = MakeLabel(this, "Lbl_Name", "Name:");
  Edt_Name = new QLineEdit(this);
  Edt_Name->setObjectName(QStringLiteral("Edt_Name"));
  Edt_Name->setMaxLength(kMaxTextLength);
  Lbl_Name->setBuddy(Edt_Name);

  QStringList resolutions;
  for (int n = 4; n <= 360; ++n)
    if (n % 2 == 0 || n % 3 == 0) resolutions << QString::number(n);
  Lbl_CircReso = MakeLabel(this, "Lbl_CircReso", "Circle Resolution:");
  Cmb_CircReso = MakeCombo(this, "Cmb_CircReso", resolutions);
  Cmb_CircReso->setMaxVisibleItems(20);
  Lbl_CircReso->setBuddy(Cmb_CircReso);
  Lbl_Direction = MakeLabel(this, "Lbl_Direction", "Direction:");
  Cmb_Direction = MakeCombo(this, "Cmb_Direction",
                            {QStringLiteral("Top"), QStringLiteral("Bottom"), QStringLiteral("Front"),
                             QStringLiteral("Back"), QStringLiteral("Left"), QStringLiteral("Right")});
  Lbl_Direction->setBuddy(Cmb_Direction);

  Chk_Text = MakeCheck(this, "Chk_Text", "Text:");
  Edt_Text = new QLineEdit(this);
  Edt_Text->setObjectName(QStringLiteral("Edt_Text"));
  Edt_Text->setMaxLength(kMaxTextLength);

  Chk_Fill = MakeCheck(this, "Chk_Fill", "Fill:");
  Shp_Color_Fill = MakeSwatch(this, "Shp_Color_Fill", 0xFFFFFF);
  Chk_Frame = MakeCheck(this, "Chk_Frame", "Frame:");
  Shp_Color_Frame = MakeSwatch(this, "Shp_Color_Frame", 0x000000);
  Chk_ColorTex = MakeCheck(this, "Chk_ColorTex", "Color Texture");
  Chk_ColorTex_ByTypeColor = MakeCheck(this, "Chk_ColorTex_ByTypeColor", "Type,Color");
  Cmb_ColorTex_Type = MakeCombo(this, "Cmb_ColorTex_Type",
                                {QStringLiteral("Glass"), QStringLiteral("Metal"), QStringLiteral("Plastic"),
                                 QStringLiteral("Rubber")});
  Cmb_ColorTex_Type->setCurrentIndex(1);
  Shp_ColorTex_Color = MakeSwatch(this, "Shp_ColorTex_Color", 0xC0C0C0);
  Chk_Texture = MakeCheck(this, "Chk_Texture", "Texture:");
  QStringList slotNames;
  for (int k = 1; k <= kTextureSlotCount; ++k) slotNames << QString::number(k);
  Cmb_Texture = MakeCombo(this, "Cmb_Texture", slotNames);

  Btn_ModelFile = MakeButton(this, "Btn_ModelFile", "Model file...");
  Btn_ModelFile->setVisible(false);
  Lbl_FollowPanel = MakeLabel(this, "Lbl_FollowPanel", "Follow panel:");
  Cmb_FollowPanel = MakeCombo(this, "Cmb_FollowPanel",
                              {QStringLiteral("none"), QStringLiteral("RBT1"), QStringLiteral("RBT2")});
  Cmb_FollowPanel->setToolTip(QStringLiteral("Draw the robot with the axes of a robot panel"));
  Lbl_FollowPanel->setBuddy(Cmb_FollowPanel);

  auto* settings = new QGridLayout();
  settings->setHorizontalSpacing(8);
  settings->setVerticalSpacing(6);
  settings->addWidget(Chk_Enable, 0, 0);
  settings->addWidget(Cmb_Shape, 0, 1);
  settings->addWidget(Lbl_Name, 0, 2, Qt::AlignRight);
  settings->addWidget(Edt_Name, 0, 3);
  settings->addWidget(Lbl_CircReso, 1, 0);
  settings->addWidget(Cmb_CircReso, 1, 1, Qt::AlignLeft);
  settings->addWidget(Lbl_Direction, 1, 2, Qt::AlignRight);
  settings->addWidget(Cmb_Direction, 1, 3, Qt::AlignLeft);
  settings->addWidget(Chk_Text, 2, 0);
  settings->addWidget(Edt_Text, 2, 1, 1, 3);
  settings->addWidget(Lbl_FollowPanel, 3, 0);
  settings->addWidget(Cmb_FollowPanel, 3, 1, Qt::AlignLeft);
  settings->addWidget(Btn_ModelFile, 3, 1, Qt::AlignLeft);
  settings->setColumnStretch(3, 1);

  auto* look = new QGridLayout();
  look->setHorizontalSpacing(8);
  look->setVerticalSpacing(6);
  look->addWidget(Chk_Fill, 0, 0);
  look->addWidget(Shp_Color_Fill, 0, 1);
  look->addWidget(Chk_Frame, 0, 2);
  look->addWidget(Shp_Color_Frame, 0, 3);
  look->addWidget(Chk_ColorTex, 1, 0);
  look->addWidget(Chk_ColorTex_ByTypeColor, 1, 2);
  look->addWidget(Cmb_ColorTex_Type, 1, 3);
  look->addWidget(Shp_ColorTex_Color, 1, 4);
  look->addWidget(Chk_Texture, 2, 0);
  look->addWidget(Cmb_Texture, 2, 1, 1, 2, Qt::AlignLeft);

  auto* top = new QHBoxLayout();
  top->addLayout(settings, 3);
  top->addSpacing(16);
  top->addLayout(look, 0);

  // --- The data grid -------------------------------------------------------------
  Stg_Data = new StringGrid(QStringLiteral("Stg_Data"), kGridColumns, kGridRows, this);
  Stg_Data->setSelectionMode(QAbstractItemView::SingleSelection);
  Stg_Data->setSelectionBehavior(QAbstractItemView::SelectItems);
  Stg_Data->SetRowHeight(kGridRowHeight);
  Stg_Data->SetColumnWidth(0, kHeadingColumnWidth);
  for (int c = 1; c < kGridColumns; ++c) Stg_Data->SetColumnWidth(c, kDataColumnWidth);
  const GridTexts headings = EmptyGrid();
  for (int c = 0; c < kGridColumns; ++c) Stg_Data->SetCell(c, 0, QString::fromStdString(headings[0][c]));
  for (int r = 1; r < kGridRows; ++r) Stg_Data->SetCell(0, r, QString::fromStdString(headings[r][0]));
  Stg_Data->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Stg_Data->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const int gridHeight = (kGridRows - 1) * kGridRowHeight + kGridRowHeight + 2 +
                         Stg_Data->horizontalScrollBar()->sizeHint().height() + 2 * Stg_Data->frameWidth() +
                         2;
  Stg_Data->setFixedHeight(gridHeight);
  Stg_Data->setMinimumWidth(kHeadingColumnWidth + kVisibleDataColumns * kDataColumnWidth +
                            2 * Stg_Data->frameWidth());
  Stg_Data->setToolTip(QStringLiteral("Double-click a cell (or press Enter) to change it"));

  // --- Stepping ------------------------------------------------------------------
  Grp_Inc = new QGroupBox(QStringLiteral("Position/Size/Angle Adjust"), this);
  Grp_Inc->setObjectName(QStringLiteral("Grp_Inc"));
  Cmb_Inc_Type = MakeCombo(Grp_Inc, "Cmb_Inc_Type",
                           {QStringLiteral("Position"), QStringLiteral("Size"), QStringLiteral("Angle")});
  Btn_Inc_ORG = MakeButton(Grp_Inc, "Btn_Inc_ORG", "ORG");
  auto* steps = new QGridLayout(Grp_Inc);
  steps->setHorizontalSpacing(4);
  steps->setVerticalSpacing(4);
  steps->addWidget(Cmb_Inc_Type, 0, 0);
  steps->addWidget(Btn_Inc_ORG, 2, 0);
  // Per axis, left to right: "--", "-", "+", "++".
  constexpr int kColumnOfSign[4] = {3, 4, 2, 1};
  for (int i = 0; i < kStepButtonCount; ++i) {
    const QByteArray name = "Btn_Inc_" + QByteArray::number(i + 1);
    Btn_Inc[i] = MakeButton(Grp_Inc, name.constData(), StepButtonCaption(IncPosition, i).c_str());
    Btn_Inc[i]->setFixedWidth(48);
    Btn_Inc[i]->setFocusPolicy(Qt::TabFocus);
    SetTag(Btn_Inc[i], i);
    steps->addWidget(Btn_Inc[i], StepButtonAxis(i), kColumnOfSign[i % 4]);
  }
  steps->setColumnMinimumWidth(0, 90);

  // --- Commands --------------------------------------------------------------
  Chk_AutoApplyChange = MakeCheck(this, "Chk_AutoApplyChange", "Auto Apply Change");
  Btn_Apply = MakeButton(this, "Btn_Apply", "Apply");
  Btn_Restore = MakeButton(this, "Btn_Restore", "Restore");
  Btn_OK = MakeButton(this, "Btn_OK", "OK");
  Btn_Cancel = MakeButton(this, "Btn_Cancel", "Close");
  Btn_OK->setDefault(true);
  auto* commands = new QGridLayout();
  commands->setHorizontalSpacing(6);
  commands->setVerticalSpacing(6);
  commands->addWidget(Chk_AutoApplyChange, 0, 0, 1, 2);
  commands->addWidget(Btn_Apply, 1, 0);
  commands->addWidget(Btn_Restore, 1, 1);
  commands->addWidget(Btn_OK, 2, 0);
  commands->addWidget(Btn_Cancel, 2, 1);
  for (QPushButton* b : {Btn_Apply, Btn_Restore, Btn_OK, Btn_Cancel}) b->setMinimumWidth(84);

  auto* bottom = new QHBoxLayout();
  bottom->addWidget(Grp_Inc);
  bottom->addStretch(1);
  bottom->addLayout(commands);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(10, 10, 10, 10);
  form->setSpacing(8);
  form->addLayout(top);
  form->addWidget(Stg_Data);
  form->addLayout(bottom);

  Tim_Inc = new QTimer(this);
  Tim_Inc->setObjectName(QStringLiteral("Tim_Inc"));
  Tim_Inc->setInterval(StepRepeat::kFirstInterval);

  // Tab order follows the reading order.
  setTabOrder(Chk_Enable, Cmb_Shape);
  setTabOrder(Cmb_Shape, Edt_Name);
  setTabOrder(Edt_Name, Cmb_CircReso);
  setTabOrder(Cmb_CircReso, Cmb_Direction);
  setTabOrder(Cmb_Direction, Chk_Text);
  setTabOrder(Chk_Text, Edt_Text);
  setTabOrder(Edt_Text, Chk_Fill);
  setTabOrder(Chk_Fill, Chk_Frame);
  setTabOrder(Chk_Frame, Chk_ColorTex);
  setTabOrder(Chk_ColorTex, Chk_ColorTex_ByTypeColor);
  setTabOrder(Chk_ColorTex_ByTypeColor, Cmb_ColorTex_Type);
  setTabOrder(Cmb_ColorTex_Type, Chk_Texture);
  setTabOrder(Edt_Text, Cmb_FollowPanel);
  setTabOrder(Chk_Texture, Cmb_Texture);
  setTabOrder(Cmb_Texture, Stg_Data);
  setTabOrder(Stg_Data, Cmb_Inc_Type);
  setTabOrder(Cmb_Inc_Type, Btn_Inc_ORG);
  setTabOrder(Btn_Inc_ORG, Chk_AutoApplyChange);
  setTabOrder(Chk_AutoApplyChange, Btn_Apply);
  setTabOrder(Btn_Apply, Btn_Restore);
  setTabOrder(Btn_Restore, Btn_OK);
  setTabOrder(Btn_OK, Btn_Cancel);
}
