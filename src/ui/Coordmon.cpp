#include "ui/WindowPlacement.h"
#include "ui/Coordmon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/Controls.h"
#include "ui/Handler.h"
#include "ui/Prompts.h"


namespace {

QColor ToQColor(uint32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QPen MakePen(const DrawCommand& c) {
  QPen pen(ToQColor(c.color));
  pen.setWidth(c.penWidth);
  pen.setCapStyle(Qt::FlatCap);
  switch (c.style) {
    case PenStyle::Solid:
      break;
    case PenStyle::Dot:
      // One pixel on, one off, like a dotted grid on paper.
      pen.setDashPattern({1.0, 1.0});
      break;
    case PenStyle::Dash:
      pen.setStyle(Qt::DashLine);
      break;
  }
  return pen;
}

// Plays a graph's drawing commands onto the painter.
void PaintDrawList(QPainter& p, const DrawList& list, const QFont& baseFont) {
  for (const DrawCommand& c : list) {
    switch (c.kind) {
      case DrawKind::FillRect:
        p.fillRect(QRect(c.rect.x, c.rect.y, c.rect.width, c.rect.height), ToQColor(c.color));
        break;
      case DrawKind::FramedRect:
        p.fillRect(QRect(c.rect.x, c.rect.y, c.rect.width, c.rect.height), ToQColor(c.fill));
        p.setPen(QPen(ToQColor(c.color), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(c.rect.x, c.rect.y, c.rect.width - 1, c.rect.height - 1);
        break;
      case DrawKind::Line:
        p.setPen(MakePen(c));
        p.drawLine(c.a.x, c.a.y, c.b.x, c.b.y);
        break;
      case DrawKind::Polyline: {
        QPolygon poly;
        poly.reserve(static_cast<int>(c.points.size()));
        for (const GraphPoint& pt : c.points) poly << QPoint(pt.x, pt.y);
        p.setPen(MakePen(c));
        p.drawPolyline(poly);
        break;
      }
      case DrawKind::Text: {
        QFont f = baseFont;
        f.setPointSize(c.fontSize);
        p.setFont(f);
        p.setPen(ToQColor(c.color));
        const QString text = QString::fromStdString(c.text);
        switch (c.anchor) {
          case TextAnchor::TopCenter:
            p.drawText(QRect(c.a.x - 200, c.a.y, 400, 100), Qt::AlignHCenter | Qt::AlignTop, text);
            break;
          case TextAnchor::Center:
            p.drawText(QRect(c.a.x - 200, c.a.y - 50, 400, 100), Qt::AlignCenter, text);
            break;
          case TextAnchor::LeftCenter:
            p.drawText(QRect(c.a.x, c.a.y - 50, 400, 100), Qt::AlignLeft | Qt::AlignVCenter, text);
            break;
        }
        break;
      }
      case DrawKind::FilledCircle:
        p.setPen(Qt::NoPen);
        p.setBrush(ToQColor(c.color));
        p.drawEllipse(QPoint(c.a.x, c.a.y), c.radius, c.radius);
        p.setBrush(Qt::NoBrush);
        break;
    }
  }
}

}  // namespace

// --- Graph view --------------------------------------------------------------

MonitorGraphView::MonitorGraphView(const QString& name, int tag, int width, int height, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  SetTag(this, tag);
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setToolTip(QStringLiteral("Shift+click to move the legend"));
}

void MonitorGraphView::SetImage(const QImage& image) {
  image_ = image;
  update();
}

void MonitorGraphView::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (image_.isNull())
    p.fillRect(rect(), Qt::black);
  else
    p.drawImage(0, 0, image_);
  (void)e;
}

void MonitorGraphView::mousePressEvent(QMouseEvent* e) {
  Q_EMIT mouseDown(this, e->position().toPoint(), e->modifiers());
}

// --- The window as laid out --------------------------------------------------

namespace {

constexpr int kGraphWidth = 500;
constexpr int kGraphHeight = 240;

QLabel* MakeValueLabel(const char* name, QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setMinimumWidth(40);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QPushButton* MakeButton(const char* name, const char* caption, int tag, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  SetTag(b, tag);
  return b;
}

QCheckBox* MakeCheck(const char* name, const char* caption, bool checked, QWidget* parent) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(checked);
  return c;
}

ColorSwatch* MakeSwatch(const char* name, uint32_t color, int tag, QWidget* parent) {
  auto* s = new ColorSwatch(QString::fromLatin1(name), color, tag, parent);
  s->setFixedSize(32, 18);
  return s;
}

}  // namespace

void TXYZ_Mon::BuildLayout() {
  auto* outer = new QHBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  // The three graphs, one above the other.
  auto* graphColumn = new QVBoxLayout;
  graphColumn->setSpacing(2);
  const char* captions[kMonitorGraphCount] = {"X Position", "Y Position", "Z Position"};
  const char* names[kMonitorGraphCount] = {"Img_X_Graph", "Img_Y_Graph", "Img_Z_Graph"};
  for (int g = 0; g < kMonitorGraphCount; ++g) {
    auto* caption = new QLabel(QString::fromUtf8(captions[g]), this);
    graphs_[g] = new MonitorGraphView(QString::fromLatin1(names[g]), g, kGraphWidth, kGraphHeight, this);
    graphColumn->addWidget(caption);
    graphColumn->addWidget(graphs_[g]);
    if (g + 1 < kMonitorGraphCount) graphColumn->addSpacing(6);
  }
  Img_X_Graph = graphs_[kGraphX];
  Img_Y_Graph = graphs_[kGraphY];
  Img_Z_Graph = graphs_[kGraphZ];
  outer->addLayout(graphColumn);

  auto* side = new QVBoxLayout;
  Btn_Calc = MakeButton("Btn_Calc", "Calc", 0, this);
  side->addWidget(Btn_Calc);

  // Ranges and shifts: X in samples (0.1 degree), Y in tenths of a metre.
  auto* xAxis = new QGroupBox(QStringLiteral("X Axis"), this);
  auto* xGrid = new QGridLayout(xAxis);
  Tkb_X_Range = new TrackBar(QStringLiteral("Tkb_X_Range"), 1, 10000, 7200, 0, xAxis);
  Tkb_X_Shift = new TrackBar(QStringLiteral("Tkb_X_Shift"), 0, 10000, 0, 1, xAxis);
  Lbl_X_Range = MakeValueLabel("Lbl_X_Range", xAxis);
  Lbl_X_Shift = MakeValueLabel("Lbl_X_Shift", xAxis);
  xGrid->addWidget(new QLabel(QStringLiteral("Range"), xAxis), 0, 0);
  xGrid->addWidget(Tkb_X_Range, 0, 1);
  xGrid->addWidget(Lbl_X_Range, 0, 2);
  xGrid->addWidget(new QLabel(QStringLiteral("Shift"), xAxis), 1, 0);
  xGrid->addWidget(Tkb_X_Shift, 1, 1);
  xGrid->addWidget(Lbl_X_Shift, 1, 2);
  side->addWidget(xAxis);

  auto* yAxis = new QGroupBox(QStringLiteral("Y Axis"), this);
  auto* yGrid = new QGridLayout(yAxis);
  Tkb_Y_Range = new TrackBar(QStringLiteral("Tkb_Y_Range"), 1, 50, 20, 2, yAxis);
  Tkb_Y_Shift = new TrackBar(QStringLiteral("Tkb_Y_Shift"), -10000, 10000, -10, 3, yAxis);
  Lbl_Y_Range = MakeValueLabel("Lbl_Y_Range", yAxis);
  Lbl_Y_Shift = MakeValueLabel("Lbl_Y_Shift", yAxis);
  yGrid->addWidget(new QLabel(QStringLiteral("Range"), yAxis), 0, 0);
  yGrid->addWidget(Tkb_Y_Range, 0, 1);
  yGrid->addWidget(Lbl_Y_Range, 0, 2);
  yGrid->addWidget(new QLabel(QStringLiteral("Shift"), yAxis), 1, 0);
  yGrid->addWidget(Tkb_Y_Shift, 1, 1);
  yGrid->addWidget(Lbl_Y_Shift, 1, 2);
  side->addWidget(yAxis);
  for (TrackBar* t : {Tkb_X_Range, Tkb_X_Shift, Tkb_Y_Range, Tkb_Y_Shift}) t->setMinimumWidth(130);

  // Colours (0x00BBGGRR).
  auto* colors = new QGroupBox(QStringLiteral("Color"), this);
  auto* colorGrid = new QGridLayout(colors);
  Shp_Back_Color = MakeSwatch("Shp_Back_Color", 0x000000, 0, colors);
  Shp_Axis_Color = MakeSwatch("Shp_Axis_Color", 0xFFFFFF, 1, colors);
  Shp_Sub_Color = MakeSwatch("Shp_Sub_Color", 0x808080, 2, colors);
  Shp_Label_Color = MakeSwatch("Shp_Label_Color", 0xFFFFFF, 3, colors);
  const struct {
    const char* caption;
    ColorSwatch* swatch;
  } plain[] = {{"Back:", Shp_Back_Color},
               {"Axis:", Shp_Axis_Color},
               {"Sub:", Shp_Sub_Color},
               {"Label:", Shp_Label_Color}};
  for (int i = 0; i < 4; ++i) {
    colorGrid->addWidget(new QLabel(QString::fromUtf8(plain[i].caption), colors), i, 0);
    colorGrid->addWidget(plain[i].swatch, i, 1);
  }
  // Red, orange, yellow, lime, aqua, blue for J1..J6.
  const uint32_t curveColors[kMonitorJointCount] = {0x0000FF, 0x0080FF, 0x00FFFF,
                                                    0x00FF00, 0xFFFF00, 0xFF0000};
  ColorSwatch** curveMembers[kMonitorJointCount] = {&Shp_Data01_Color, &Shp_Data02_Color, &Shp_Data03_Color,
                                                    &Shp_Data04_Color, &Shp_Data05_Color, &Shp_Data06_Color};
  for (int j = 0; j < kMonitorJointCount; ++j) {
    const std::string name = "Shp_Data0" + std::to_string(j + 1) + "_Color";
    curveSwatches_[j] = MakeSwatch(name.c_str(), curveColors[j], 10 + j, colors);
    *curveMembers[j] = curveSwatches_[j];
    colorGrid->addWidget(new QLabel(QStringLiteral("J%1:").arg(j + 1), colors), j, 2);
    colorGrid->addWidget(curveSwatches_[j], j, 3);
  }
  side->addWidget(colors);

  auto* switches = new QHBoxLayout;
  Chk_DrawLegend = MakeCheck("Chk_DrawLegend", "Legend", true, this);
  Chk_Mark = MakeCheck("Chk_Mark", "Mark", true, this);
  switches->addWidget(Chk_DrawLegend);
  switches->addWidget(Chk_Mark);
  side->addLayout(switches);

  // Moving a joint of the arm from here.
  auto* joint = new QGroupBox(QStringLiteral("Joint"), this);
  auto* jointGrid = new QGridLayout(joint);
  Cmb_AxisNo = new QComboBox(joint);
  Cmb_AxisNo->setObjectName(QStringLiteral("Cmb_AxisNo"));
  Cmb_AxisNo->addItems({"J1", "J2", "J3", "J4", "J5", "J6"});
  Cmb_AxisNo->setCurrentIndex(0);
  Cmb_ChageValue = new QComboBox(joint);
  Cmb_ChageValue->setObjectName(QStringLiteral("Cmb_ChageValue"));
  Cmb_ChageValue->addItems({"1", "5", "10", "50", "100"});
  Cmb_ChageValue->setCurrentIndex(0);
  Btn_AxisDec = MakeButton("Btn_AxisDec", "-", -1, joint);
  Btn_AxisInc = MakeButton("Btn_AxisInc", "+", +1, joint);
  jointGrid->addWidget(Cmb_AxisNo, 0, 0);
  jointGrid->addWidget(Cmb_ChageValue, 0, 1);
  jointGrid->addWidget(Btn_AxisDec, 1, 0);
  jointGrid->addWidget(Btn_AxisInc, 1, 1);
  side->addWidget(joint);
  side->addStretch(1);
  outer->addLayout(side);
}

void TXYZ_Mon::ConnectHandlers() {
  for (TrackBar* t : {Tkb_X_Range, Tkb_X_Shift, Tkb_Y_Range, Tkb_Y_Shift})
    connect(t, &QSlider::valueChanged, this, Guarded(this, [this] { Tkb_RangeChange(); }));
  for (ColorSwatch* s : {Shp_Back_Color, Shp_Axis_Color, Shp_Sub_Color, Shp_Label_Color})
    connect(s, &ColorSwatch::mouseDown, this,
            Guarded(this, [this](ColorSwatch* w) { Shp_ColorMouseDown(w); }));
  for (ColorSwatch* s : curveSwatches_)
    connect(s, &ColorSwatch::mouseDown, this,
            Guarded(this, [this](ColorSwatch* w) { Shp_ColorMouseDown(w); }));
  connect(Chk_Mark, &QCheckBox::toggled, this, Guarded(this, [this] { Chk_MarkClick(); }));
  connect(Chk_DrawLegend, &QCheckBox::toggled, this, Guarded(this, [this] { Chk_DrawLegendClick(); }));
  for (MonitorGraphView* v : graphs_)
    connect(v, &MonitorGraphView::mouseDown, this,
            Guarded(this, [this](MonitorGraphView* view, QPoint at, Qt::KeyboardModifiers mods) {
              Img_GraphMouseDown(view, at, mods);
            }));
  connect(Btn_AxisInc, &QPushButton::clicked, this,
          Guarded(this, [this] { Btn_AxisIncDecClick(Btn_AxisInc); }));
  connect(Btn_AxisDec, &QPushButton::clicked, this,
          Guarded(this, [this] { Btn_AxisIncDecClick(Btn_AxisDec); }));
  connect(Btn_Calc, &QPushButton::clicked, this, Guarded(this, [this] { Btn_CalcClick(); }));
}

// --- Window --------------------------------------------------------------------

TXYZ_Mon::TXYZ_Mon(QWidget* parent) : QDialog(parent), store_(std::make_unique<MonitorStore>()) {
  setObjectName(QStringLiteral("XYZ_Mon"));
  setWindowTitle(QStringLiteral("XYZ Monitor"));
  BuildLayout();
  ConnectHandlers();

  // The legend starts near the top right of the X graph, sized for the
  // curves that Calc will show, so that it fits once they are drawn.
  const MonitorSettings xs = ReadSettings(Img_X_Graph);
  const LegendBox box =
      MeasureLegend(SweptCurveNames(*store_), [this](const std::string& t) { return GraphTextWidth(t); });
  legendPosition_ = InitialLegendPosition(ComputeGraphLayout(xs.width, xs.height), box.width);

  ShowRangeLabels(xs);
  RedrawGraphs();

  adjustSize();
  if (QScreen* scr = screen()) move(scr->availableGeometry().center() - rect().center());
  KeepOnScreen(this);
}

TXYZ_Mon::~TXYZ_Mon() = default;

void TXYZ_Mon::Attach(const float* joints, NudgeJointFn nudgeJoint) {
  if (!joints) return;
  joints_ = joints;
  if (nudgeJoint) nudgeJoint_ = std::move(nudgeJoint);
  Calc();
  show();
  raise();
}

void TXYZ_Mon::Calc() {
  if (!joints_) return;
  store_->Calc(joints_);
  RedrawGraphs();
}

int TXYZ_Mon::GraphTextWidth(const std::string& text) const {
  QFont f = font();
  f.setPointSize(kGraphFontSize);
  return QFontMetrics(f).horizontalAdvance(QString::fromStdString(text));
}

MonitorSettings TXYZ_Mon::ReadSettings(const MonitorGraphView* view) const {
  MonitorControls c;
  c.imageWidth = view->width();
  c.imageHeight = view->height();
  c.xRangePosition = Tkb_X_Range->Position();
  c.xShiftPosition = Tkb_X_Shift->Position();
  c.yRangePosition = Tkb_Y_Range->Position();
  c.yShiftPosition = Tkb_Y_Shift->Position();
  c.backColor = Shp_Back_Color->Color();
  c.axisColor = Shp_Axis_Color->Color();
  c.subColor = Shp_Sub_Color->Color();
  c.labelColor = Shp_Label_Color->Color();
  for (int j = 0; j < kMonitorJointCount; ++j) c.curveColors[j] = curveSwatches_[j]->Color();
  c.drawLegend = Chk_DrawLegend->isChecked();
  c.mark = Chk_Mark->isChecked();
  return ReadMonitorSettings(c);
}

void TXYZ_Mon::ShowRangeLabels(const MonitorSettings& s) {
  const MonitorLabelTexts t = FormatMonitorLabels(s);
  Lbl_X_Range->setText(QString::fromStdString(t.xRange));
  Lbl_X_Shift->setText(QString::fromStdString(t.xShift));
  Lbl_Y_Range->setText(QString::fromStdString(t.yRange));
  Lbl_Y_Shift->setText(QString::fromStdString(t.yShift));
}

void TXYZ_Mon::RedrawGraphs() {
  QFont graphFont = font();
  graphFont.setPointSize(kGraphFontSize);
  const TextWidthFn textWidth = [this](const std::string& t) { return GraphTextWidth(t); };
  for (int g = 0; g < kMonitorGraphCount; ++g) {
    const MonitorSettings s = ReadSettings(graphs_[g]);
    store_->ApplyCurveColors(s.curveColors);
    const DrawList list = DrawMonitorGraph(s, store_->Curves(g), joints_, legendPosition_, textWidth);
    // Drawn off screen in full, then shown at once.
    QImage image(s.width, s.height, QImage::Format_RGB32);
    {
      QPainter p(&image);
      PaintDrawList(p, list, graphFont);
    }
    graphs_[g]->SetImage(image);
  }
}

// --- Handlers ------------------------------------------------------------------

void TXYZ_Mon::Tkb_RangeChange() {
  ShowRangeLabels(ReadSettings(Img_X_Graph));
  RedrawGraphs();
}

void TXYZ_Mon::Shp_ColorMouseDown(ColorSwatch* swatch) {
  uint32_t chosen = swatch->Color();
  if (!Prompts::Get().PickColor(this, swatch->Color(), &chosen)) return;
  swatch->SetColor(chosen);
  RedrawGraphs();
}

void TXYZ_Mon::Chk_MarkClick() {
  RedrawGraphs();
}

void TXYZ_Mon::Chk_DrawLegendClick() {
  RedrawGraphs();
}

void TXYZ_Mon::Img_GraphMouseDown(MonitorGraphView* view, QPoint position, Qt::KeyboardModifiers modifiers) {
  if (!(modifiers & Qt::ShiftModifier)) return;
  const MonitorSettings s = ReadSettings(view);
  const LegendBox box = MeasureLegend(ShownCurveNames(store_->Curves(TagOf(view))),
                                      [this](const std::string& t) { return GraphTextWidth(t); });
  legendPosition_ = PlaceLegend({position.x(), position.y()}, s.width, s.height, box);
  RedrawGraphs();
}

void TXYZ_Mon::Btn_AxisIncDecClick(QPushButton* button) {
  const int amount = TagOf(button) * Cmb_ChageValue->currentText().toInt();
  if (nudgeJoint_) nudgeJoint_(Cmb_AxisNo->currentIndex(), amount);
  Calc();
}

void TXYZ_Mon::Btn_CalcClick() {
  Calc();
}
