#pragma once

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <cstdint>

class QObject;

// A control's Tag tells the members of a control family apart inside
// their shared handler.
int TagOf(const QObject* o);
void SetTag(QObject* o, int tag);

// Fixed-point text of a value with the given number of decimals, as the
// value labels show it ("-0.00" never appears: a negative zero reads "0.00").
QString FixedText(double value, int decimals);

// A horizontal track bar with integer positions; setting a position clamps
// it to the range and runs the change handler when it moved.
class TrackBar : public QSlider {
  Q_OBJECT
 public:
  TrackBar(const QString& name, int min, int max, int position, int tag, QWidget* parent);
  int Position() const { return value(); }
  void SetPosition(int p) { setValue(p); }
};

// A colour swatch: a framed rectangle of one colour (0x00BBGGRR) that
// reports a mouse press.
class ColorSwatch : public QFrame {
  Q_OBJECT
 public:
  ColorSwatch(const QString& name, uint32_t color, int tag, QWidget* parent);
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t c);
 Q_SIGNALS:
  void mouseDown(ColorSwatch* self);
  // The colour is another one now.
  void colorChanged(ColorSwatch* self);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  uint32_t color_;
};

// A label that reports a double-click (value labels, the hidden debug
// label).
class ValueLabel : public QLabel {
  Q_OBJECT
 public:
  ValueLabel(const QString& name, const QString& caption, int tag, QWidget* parent);
 Q_SIGNALS:
  void doubleClicked(ValueLabel* self);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;
};
