#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

constexpr int kGap = 4;

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

QRect PlaceBesideWindow(const QRect& main, const QRect& picture, const QList<QRect>& others, const QSize& size,
                        const QSize& minimum, const QRect& screen) {
  const QSize least = minimum.boundedTo(size);
  // The room on each side of the main window, within the screen.
  const QRect sides[] = {
      QRect(QPoint(main.right() + 1 + kGap, screen.top()), QPoint(screen.right(), screen.bottom())),
      QRect(QPoint(screen.left(), screen.top()), QPoint(main.left() - 1 - kGap, screen.bottom())),
      QRect(QPoint(screen.left(), main.bottom() + 1 + kGap), QPoint(screen.right(), screen.bottom())),
      QRect(QPoint(screen.left(), screen.top()), QPoint(screen.right(), main.top() - 1 - kGap)),
  };
  QRect best;
  long long bestScore = std::numeric_limits<long long>::max();
  auto consider = [&](const QRect& r, long long penalty) {
    long long onOthers = 0;
    for (const QRect& o : others) onOthers += Overlap(r, o);
    // Covering the picture weighs most, then the other tool windows, then
    // the rest of the main window (its bars still work around a window).
    const long long score = penalty + Overlap(r, picture) * 16 + onOthers * 4 + Overlap(r, main);
    if (score < bestScore) {
      bestScore = score;
      best = r;
    }
  };
  for (int i = 0; i < 4; ++i) {
    const QRect room = sides[i];
    if (room.width() < least.width() || room.height() < least.height()) continue;
    const QSize s = size.boundedTo(room.size());
    // Beside the main window, level with its top (or its left edge).
    QRect r(QPoint(i == 0 ? room.left() : i == 1 ? room.right() - s.width() + 1 : main.left(),
                   i == 2 ? room.top() : i == 3 ? room.bottom() - s.height() + 1 : main.top()),
            s);
    r = Inside(r, room);
    // A smaller window than asked for counts against a side, a little.
    consider(r, static_cast<long long>(size.width() * size.height() - s.width() * s.height()) / 8);
  }
  if (bestScore > 0) {
    // Nowhere with room to spare: full size, wherever it hides least.
    const QRect full[] = {
        QRect(QPoint(main.right() + 1 + kGap, main.top()), size),
        QRect(QPoint(main.left() - kGap - size.width(), main.top()), size),
        QRect(QPoint(main.left(), main.bottom() + 1 + kGap), size),
        QRect(QPoint(main.left(), main.top() - kGap - size.height()), size),
        QRect(QPoint(main.right() - size.width() + 1, main.bottom() + 1 + kGap), size),
    };
    for (const QRect& c : full) consider(Inside(c, screen), 0);
  }
  return best;
}

QRect KeepInsideScreen(const QRect& frame, const QSize& minimum, const QRect& screen) {
  QRect r = frame;
  r.setWidth(std::max(std::min(r.width(), screen.width()), std::min(minimum.width(), r.width())));
  r.setHeight(std::max(std::min(r.height(), screen.height()), std::min(minimum.height(), r.height())));
  // Still larger than the area (its minimum is), Inside keeps the title
  // bar reachable, at the top left.
  return Inside(r, screen);
}

void KeepOnScreen(QWidget* window) {
  QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  // The frame the window manager adds; before the first show it is not
  // known, and a title bar's worth is assumed.
  QMargins frameMargins(0, 0, 0, 0);
  if (window->isVisible() && window->frameGeometry() != window->geometry()) {
    const QRect f = window->frameGeometry(), g = window->geometry();
    frameMargins = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
  } else {
    frameMargins = QMargins(4, 30, 4, 4);
  }
  const QRect frame = window->geometry().marginsAdded(frameMargins);
  const QSize decoration(frameMargins.left() + frameMargins.right(), frameMargins.top() + frameMargins.bottom());
  const QRect kept = KeepInsideScreen(frame, window->minimumSizeHint() + decoration, s->availableGeometry());
  if (kept == frame) return;
  const QRect inner = kept.marginsRemoved(frameMargins);
  if (inner.size() != window->size()) window->resize(inner.size());
  window->move(kept.topLeft());
}
