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

inline void ShowDialog(QWidget* w) {
  if (!w) return;
  w->show();
  w->raise();
  w->activateWindow();
}
