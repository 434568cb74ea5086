#pragma once

// How the controllers tie a control's signal to its handler: the handler
// runs guarded (an exception ends it with a message box over window).
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "ui/Controls.h"
#include "ui/Handler.h"

// A bar moved, by the operator or the program.
template <class F>
void OnMove(TrackBar* bar, QObject* owner, QWidget* window, F handler) {
  QObject::connect(bar, &QSlider::valueChanged, owner, Guarded(window, std::move(handler)));
}

// A box's state changed, also when the program changed it.
template <class F>
void OnToggle(QCheckBox* box, QObject* owner, QWidget* window, F handler) {
  QObject::connect(box, &QCheckBox::toggled, owner, Guarded(window, std::move(handler)));
}

// The operator picked an item (a programmatic choice runs nothing).
template <class F>
void OnPick(QComboBox* combo, QObject* owner, QWidget* window, F handler) {
  QObject::connect(combo, &QComboBox::activated, owner, Guarded(window, std::move(handler)));
}

template <class F>
void OnClick(QPushButton* button, QObject* owner, QWidget* window, F handler) {
  QObject::connect(button, &QPushButton::clicked, owner, Guarded(window, std::move(handler)));
}

template <class F>
void OnDoubleClick(ValueLabel* label, QObject* owner, QWidget* window, F handler) {
  QObject::connect(label, &ValueLabel::doubleClicked, owner, Guarded(window, std::move(handler)));
}

// A timer of the window, named as laid out (stopped), whose ticks run the
// handler guarded.
template <class F>
QTimer* WindowTimer(QWidget* window, QObject* owner, const char* name, int interval, F tick) {
  auto* t = new QTimer(window);
  t->setObjectName(QString::fromLatin1(name));
  t->setInterval(interval);
  QObject::connect(t, &QTimer::timeout, owner, Guarded(window, std::move(tick)));
  return t;
}

// Any change of what a control shows, programmatic ones included: for
// writing a controller's part of the frame's settings.
template <class F>
void OnAnyChange(QWidget* control, QObject* owner, F write) {
  if (auto* bar = qobject_cast<TrackBar*>(control))
    QObject::connect(bar, &QSlider::valueChanged, owner, [write] { write(); });
  else if (auto* box = qobject_cast<QCheckBox*>(control))
    QObject::connect(box, &QCheckBox::toggled, owner, [write] { write(); });
  else if (auto* combo = qobject_cast<QComboBox*>(control))
    QObject::connect(combo, &QComboBox::currentIndexChanged, owner, [write] { write(); });
  else if (auto* swatch = qobject_cast<ColorSwatch*>(control))
    QObject::connect(swatch, &ColorSwatch::colorChanged, owner, [write] { write(); });
}
