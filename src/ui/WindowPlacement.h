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

// A window's outer frame held inside the available screen area: made no
// larger than the area (down to minimum), then moved in as far as needed.
QRect KeepInsideScreen(const QRect& frame, const QSize& minimum, const QRect& screen);

class QWidget;
// Holds a top-level window inside its screen's available area, frame
// included (a window not yet shown is given the frame its siblings have).
void KeepOnScreen(QWidget* window);
