#pragma once

// Small helpers the main window's handler files share.
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "ui/Controls.h"

// Raises a flag for the length of a scope, also when a handler run inside
// it throws.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

// value truncated toward zero, held inside the bar's range (a huge typed
// number must not overflow the integer position).
inline int TruncatedPosition(double value, const TrackBar* bar) {
  const double t = std::trunc(value);
  return static_cast<int>(
      std::clamp(t, static_cast<double>(bar->minimum()), static_cast<double>(bar->maximum())));
}

// A value in track-bar units; the bar holds it to its range. Values far
// outside any range are held here first, so the conversion stays defined.
inline int BarPosition(float value, double unitsPerValue) {
  const double p = std::round(double(value) * unitsPerValue);
  return static_cast<int>(std::clamp(p, -1e6, 1e6));
}

// A track bar's position times its scale, kept as the single-precision
// value drawing reads.
inline float Scaled(const TrackBar* bar, double scale) {
  return static_cast<float>(bar->Position() * scale);
}

inline void ShowDialog(QWidget* w) {
  if (!w) return;
  w->show();
  w->raise();
  w->activateWindow();
}
