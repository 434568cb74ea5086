#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where a tool window goes beside the main window (outer frame main, its
// picture picture, other tool windows already open): to the right, left,
// below or above it where the available screen area has room for it, made
// smaller down to minimum where that is all the room there is; where no
// side has room even then, at full size in the place that covers least of
// the picture, then of the other windows, then of the main window. Returns
// the outer frame.
QRect PlaceBesideWindow(const QRect& main, const QRect& picture, const QList<QRect>& others, const QSize& size,
                        const QSize& minimum, const QRect& screen);
