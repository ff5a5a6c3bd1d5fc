#include "ui/DesignSize.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace quillery::ui {

namespace {

constexpr double DesignLineHeight = 13.0;

} // namespace

QSize scaledDesignSize(const QWidget* widget, QSize designSize)
{
    const double scale = std::max(1.0, widget->fontMetrics().height() / DesignLineHeight);
    return QSize(int(designSize.width() * scale + 0.5), int(designSize.height() * scale + 0.5));
}

} // namespace quillery::ui
