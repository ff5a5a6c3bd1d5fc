#include "ui/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillery::ui {

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size / 16.0;
        p.setPen(QPen(QColor(0x3b, 0x2a, 0x1a), 0.6 * s));
        p.setBrush(QColor(0x8b, 0x1e, 0x2d));
        p.drawRoundedRect(QRectF(2.5 * s, 2 * s, 9.5 * s, 12 * s), 1 * s, 1 * s);
        p.setBrush(QColor(0xf3, 0xe9, 0xd2));
        p.drawRect(QRectF(10.2 * s, 3 * s, 1.6 * s, 10 * s));
        p.setPen(QPen(QColor(0xe8, 0xc5, 0x6a), 0.7 * s));
        p.drawLine(QPointF(4.5 * s, 5 * s), QPointF(8.5 * s, 5 * s));
        p.drawLine(QPointF(4.5 * s, 6.6 * s), QPointF(7.5 * s, 6.6 * s));
        QPainterPath quill;
        quill.moveTo(14.5 * s, 0.8 * s);
        quill.cubicTo(11 * s, 3 * s, 9 * s, 8 * s, 8.2 * s, 13.5 * s);
        quill.cubicTo(10.5 * s, 9 * s, 13 * s, 5 * s, 14.5 * s, 0.8 * s);
        p.setPen(QPen(QColor(0x20, 0x30, 0x50), 0.4 * s));
        p.setBrush(QColor(0xfa, 0xfa, 0xfa));
        p.drawPath(quill);
    }
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

} // namespace quillery::ui
