// The main window as laid out: every control with its name, caption,
// range, initial position, Tag and visibility, in one place.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/Controls.h"
#include "app/GlPanel.h"
#include "app/Handler.h"
#include "app/Main.h"

namespace {

// Client area as laid out.
constexpr int kClientWidth = 799;
constexpr int kClientHeight = 595;
constexpr int kRightBarWidth = 168;
constexpr int kBottomHeight = 218;

QCheckBox* MakeCheck(const char* name, const char* caption, bool checked, QWidget* parent) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  return c;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
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
  Pnl_VARobot = new QWidget(Splitter1);
  Pnl_VARobot->setObjectName(QStringLiteral("Pnl_VARobot"));
  auto* rightBar = new QVBoxLayout(Pnl_VARobot);
  rightBar->setContentsMargins(4, 4, 4, 4);

  auto* option = new QGroupBox(QStringLiteral("Option"), Pnl_VARobot);
  option->setObjectName(QStringLiteral("Grp_Option"));
  auto* optionLayout = new QGridLayout(option);
  Chk_DrawFill = MakeCheck("Chk_DrawFill", "Fill", true, option);
  Chk_DrawFrame = MakeCheck("Chk_DrawFrame", "Frame", false, option);
  Chk_DrawFloor = MakeCheck("Chk_DrawFloor", "Floor", true, option);
  Shp_Color_Frame = new ColorSwatch(QStringLiteral("Shp_Color_Frame"), 0x2D2D2D, 0, option);
  optionLayout->addWidget(Chk_DrawFill, 0, 0);
  optionLayout->addWidget(Chk_DrawFrame, 0, 1);
  optionLayout->addWidget(Chk_DrawFloor, 1, 0);
  optionLayout->addWidget(Shp_Color_Frame, 1, 1);
  rightBar->addStretch(1);
  rightBar->addWidget(option);

  Splitter1->addWidget(Pnl_GL);
  Splitter1->addWidget(Pnl_VARobot);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({kClientWidth - kRightBarWidth - 3, kRightBarWidth});
  outer->addWidget(Splitter1, 1);

  // Bottom panel: the strip, then the detail groups.
  Pnl_Bottom = new QWidget(central);
  Pnl_Bottom->setObjectName(QStringLiteral("Pnl_Bottom"));
  Pnl_Bottom->setFixedHeight(kBottomHeight);
  auto* bottom = new QVBoxLayout(Pnl_Bottom);
  bottom->setContentsMargins(4, 2, 4, 2);
  bottom->setSpacing(2);

  Pnl_BottomStrip = new QWidget(Pnl_Bottom);
  Pnl_BottomStrip->setObjectName(QStringLiteral("Pnl_BottomStrip"));
  auto* strip = new QHBoxLayout(Pnl_BottomStrip);
  strip->setContentsMargins(0, 0, 0, 0);
  Btn_VARBT_Test = MakeButton("Btn_VARBT_Test", "Animation", Pnl_BottomStrip);
  auto* backCaption = new QLabel(QStringLiteral("Back Color:"), Pnl_BottomStrip);
  Shp_Color_Back = new ColorSwatch(QStringLiteral("Shp_Color_Back"), 0x000000, 0, Pnl_BottomStrip);
  Shp_Color_Back->setFixedSize(32, 20);
  Chk_RightBar = MakeCheck("Chk_RightBar", "Right Bar", true, Pnl_BottomStrip);
  Chk_ShowDetail = MakeCheck("Chk_ShowDetail", "Show Detail", false, Pnl_BottomStrip);
  Chk_ShowDetail->setVisible(false);
  Lbl_DEBUG = new ValueLabel(QStringLiteral("Lbl_DEBUG"), QString(), 0, Pnl_BottomStrip);
  Lbl_DEBUG->setMinimumWidth(60);
  Btn_Exit = MakeButton("Btn_Exit", "Exit", Pnl_BottomStrip);
  strip->addWidget(Btn_VARBT_Test);
  strip->addSpacing(12);
  strip->addWidget(backCaption);
  strip->addWidget(Shp_Color_Back);
  strip->addSpacing(12);
  strip->addWidget(Chk_RightBar);
  strip->addWidget(Chk_ShowDetail);
  strip->addStretch(1);
  strip->addWidget(Lbl_DEBUG);
  strip->addWidget(Btn_Exit);
  bottom->addWidget(Pnl_BottomStrip);

  Pnl_Detail = new QWidget(Pnl_Bottom);
  Pnl_Detail->setObjectName(QStringLiteral("Pnl_Detail"));
  auto* detail = new QHBoxLayout(Pnl_Detail);
  detail->setContentsMargins(0, 0, 0, 0);
  detail->addStretch(1);
  bottom->addWidget(Pnl_Detail, 1);
  outer->addWidget(Pnl_Bottom, 0);

  setCentralWidget(central);

  // Wiring of the controls above.
  connect(Pnl_GL, &GlPanel::contextCreated, this, Guarded(this, [this] { OnContextCreated(); }));
  connect(Pnl_GL, &GlPanel::contextLost, this, [this] { OnContextLost(); });
  connect(Pnl_GL, &GlPanel::panelResized, this, Guarded(this, [this](int w, int h) { Pnl_GLResize(w, h); }));
  connect(Btn_Exit, &QPushButton::clicked, this, Guarded(this, [this] { Btn_ExitClick(); }));
  connect(Chk_RightBar, &QCheckBox::toggled, this, Guarded(this, [this] { Chk_RightBarClick(); }));
  connect(Chk_ShowDetail, &QCheckBox::toggled, this, Guarded(this, [this] { Chk_ShowDetailClick(); }));
  connect(Lbl_DEBUG, &ValueLabel::doubleClicked, this, Guarded(this, [this] { Lbl_DEBUGDblClick(); }));
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* exitAction = file->addAction(QStringLiteral("E&xit"));
  exitAction->setShortcut(QKeySequence::Quit);
  connect(exitAction, &QAction::triggered, this, Guarded(this, [this] { Btn_ExitClick(); }));

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

  panelsMenu_ = menuBar()->addMenu(QStringLiteral("&Panels"));
  menuBar()->addMenu(QStringLiteral("&Tools"));

  // Client area as laid out, centred on the screen.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    const QRect avail = s->availableGeometry();
    move(avail.center() - QPoint(width() / 2, height() / 2));
  }
}
