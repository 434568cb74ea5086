#include "ui/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace {

long long Overlap(const QRect& a, const QRect& b) {
  const QRect i = a.intersected(b);
  return i.isEmpty() ? 0 : static_cast<long long>(i.width()) * i.height();
}

// r moved (not resized) into area as far as it fits.
QRect Inside(QRect r, const QRect& area) {
  if (r.right() > area.right()) r.moveRight(area.right());
  if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
  if (r.left() < area.left()) r.moveLeft(area.left());
  if (r.top() < area.top()) r.moveTop(area.top());
  return r;
}

}  // namespace

QPoint PlaceBesideWindow(const QRect& main, const QRect& picture, const QList<QRect>& others, const QSize& size,
                         const QRect& screen) {
  constexpr int kGap = 4;
  const QList<QRect> candidates = {
      QRect(QPoint(main.right() + 1 + kGap, main.top()), size),
      QRect(QPoint(main.left() - kGap - size.width(), main.top()), size),
      QRect(QPoint(main.left(), main.bottom() + 1 + kGap), size),
      QRect(QPoint(main.left(), main.top() - kGap - size.height()), size),
      QRect(QPoint(main.right() + 1 + kGap, main.bottom() - size.height() + 1), size),
      QRect(QPoint(main.left() - kGap - size.width(), main.bottom() - size.height() + 1), size),
      QRect(QPoint(main.right() - size.width() + 1, main.bottom() + 1 + kGap), size),
  };
  QRect best;
  long long bestScore = std::numeric_limits<long long>::max();
  for (const QRect& c : candidates) {
    const QRect r = Inside(c, screen);
    long long others_ = 0;
    for (const QRect& o : others) others_ += Overlap(r, o);
    // Covering the picture weighs most, then the other tool windows, then
    // the rest of the main window (its bars still work around a window).
    const long long score = Overlap(r, picture) * 16 + others_ * 4 + Overlap(r, main);
    if (score < bestScore) {
      bestScore = score;
      best = r;
    }
  }
  return best.topLeft();
}
