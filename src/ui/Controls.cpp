#include "ui/Controls.h"

#include <QMouseEvent>
#include <QPainter>

QString FixedText(double value, int decimals) {
  QString t = QString::number(value, 'f', decimals);
  // Rounding a small negative value to the shown decimals gives "-0.00".
  bool allZero = true;
  for (QChar c : t)
    if (c != QLatin1Char('-') && c != QLatin1Char('0') && c != QLatin1Char('.')) allZero = false;
  if (allZero && t.startsWith(QLatin1Char('-'))) t.remove(0, 1);
  return t;
}

int TagOf(const QObject* o) {
  return o ? o->property("Tag").toInt() : 0;
}

void SetTag(QObject* o, int tag) {
  o->setProperty("Tag", tag);
}

TrackBar::TrackBar(const QString& name, int min, int max, int position, int tag, QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
  setObjectName(name);
  setRange(min, max);
  setValue(position);
  SetTag(this, tag);
  // Arrow keys move by one position, page keys by a tenth of the range.
  setSingleStep(1);
  setPageStep(std::max(1, (max - min) / 10));
  setFocusPolicy(Qt::StrongFocus);
}

ColorSwatch::ColorSwatch(const QString& name, uint32_t color, int tag, QWidget* parent)
    : QFrame(parent), color_(color) {
  setObjectName(name);
  SetTag(this, tag);
  setFrameShape(QFrame::Box);
  setMinimumSize(16, 14);
  setCursor(Qt::PointingHandCursor);
  setToolTip(QStringLiteral("Click to choose a colour"));
}

void ColorSwatch::SetColor(uint32_t c) {
  c &= 0xFFFFFF;
  if (c == color_) return;
  color_ = c;
  update();
  Q_EMIT colorChanged(this);
}

void ColorSwatch::mousePressEvent(QMouseEvent* e) {
  // Any button picks a colour: a right-click on a swatch is as plain a
  // request as a left one.
  (void)e;
  Q_EMIT mouseDown(this);
}

void ColorSwatch::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.fillRect(rect(), QColor(color_ & 0xFF, (color_ >> 8) & 0xFF, (color_ >> 16) & 0xFF));
  p.setPen(QColor(80, 80, 80));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  (void)e;
}

ValueLabel::ValueLabel(const QString& name, const QString& caption, int tag, QWidget* parent)
    : QLabel(caption, parent) {
  setObjectName(name);
  SetTag(this, tag);
}

void ValueLabel::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) Q_EMIT doubleClicked(this);
}
