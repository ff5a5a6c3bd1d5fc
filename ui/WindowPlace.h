#pragma once

#include <QRect>
#include <QSize>

namespace quillery::ui {

// Where the main window opens, given the size it is designed for, the screen's available area
// and where it was when it last closed (invalid when it never did). The last place is taken
// when it still lies on the screen, its size bounded by the area; otherwise the designed size,
// bounded by the area, centred on it. The window is never larger than the area, so its menu bar
// and folder box stay in reach on a small screen.
QRect initialWindowPlace(const QSize& designed, const QRect& available, const QRect& last);

} // namespace quillery::ui
