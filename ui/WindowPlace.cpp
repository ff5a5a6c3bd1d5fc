#include "ui/WindowPlace.h"

#include <algorithm>

namespace quillery::ui {

namespace {

// The rectangle moved (not resized) so that it lies within the area where it can.
QRect keptWithin(QRect place, const QRect& area)
{
    place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() + 1 - place.width())));
    place.moveTop(std::max(area.top(), std::min(place.top(), area.bottom() + 1 - place.height())));
    return place;
}

} // namespace

QRect initialWindowPlace(const QSize& designed, const QRect& available, const QRect& last)
{
    if (available.isEmpty())
        return QRect(QPoint(0, 0), designed);
    if (last.isValid() && last.intersects(available)) {
        const QRect bounded(last.topLeft(), last.size().boundedTo(available.size()));
        return keptWithin(bounded, available);
    }
    QRect place(QPoint(0, 0), designed.boundedTo(available.size()));
    place.moveCenter(available.center());
    return keptWithin(place, available);
}

} // namespace quillery::ui
