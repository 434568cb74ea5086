#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a tool window of the given outer size goes beside the main window
// (outer frame main, its picture picture, other tool windows already open):
// to the right, left, below or above it where the available screen area has
// room; where none has, the place inside the area that covers least of the
// picture, then of the other windows, then of the main window. Returns the
// outer frame's top-left corner.
QPoint PlaceBesideWindow(const QRect& main, const QRect& picture, const QList<QRect>& others, const QSize& size,
                         const QRect& screen);
