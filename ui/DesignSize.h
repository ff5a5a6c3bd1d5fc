#pragma once

#include <QSize>

class QWidget;

namespace quillery::ui {

// A window size laid out for the program's design font (8 points at 96 dots per inch, 13 pixels
// a line), scaled to the line height of the font the widget actually uses, so the same texts
// fit whatever font and resolution the desktop has.
QSize scaledDesignSize(const QWidget* widget, QSize designSize);

} // namespace quillery::ui
