// How the zoom control draws itself: each part with the style's own look, the label, the two
// buttons, the track and its thumb.

#include "ui/ZoomControl.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>

namespace quillery {

namespace {

// The styles decide the hover and focus looks per part, so the widget-wide flags that
// initFrom() copies are cleared before a part is drawn.
void clearWidgetStates(QStyleOption& option)
{
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken |
                      QStyle::State_Raised);
}

} // namespace

void TZoomControl::paintEvent(QPaintEvent*)
{
    ensureLayout();
    QPainter painter(this);
    QStyle* const style = this->style();
    const bool focused = hasFocus();

    painter.fillRect(rect(), color());
    QRect drawnTrack = m_trackRect;

    // The track: a slider groove of the current style, its own thickness centred on the track.
    {
        QStyleOptionSlider option;
        option.initFrom(this);
        clearWidgetStates(option);
        option.rect = m_trackRect;
        option.orientation = Qt::Horizontal;
        // Some styles fill the groove on one side of their own handle. With a reversed range
        // and the handle at its right end that side is empty: the track shows no fill, since
        // the thumb is drawn separately where the level puts it.
        option.minimum = 0;
        option.maximum = 1;
        option.sliderPosition = 0;
        option.sliderValue = 0;
        option.upsideDown = true;
        option.subControls = QStyle::SC_SliderGroove;
        option.activeSubControls = QStyle::SC_None;
        style->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
        drawnTrack =
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this) |
            m_trackRect;
    }

    // The thumb: a slider handle pointing down (ticks below), centred on the thumb rectangle.
    {
        QStyleOptionSlider option;
        option.initFrom(this);
        clearWidgetStates(option);
        option.rect = m_thumbRect;
        option.orientation = Qt::Horizontal;
        option.minimum = 0;
        option.maximum = 1;
        option.sliderPosition = 0;
        option.sliderValue = 0;
        option.tickPosition = QSlider::TicksBelow;
        option.subControls = QStyle::SC_SliderHandle;
        option.activeSubControls = QStyle::SC_None;
        if (m_pointerState == PointerState::ThumbDragging) {
            option.state |= QStyle::State_Sunken;
            option.activeSubControls = QStyle::SC_SliderHandle;
        } else if (m_pointerState == PointerState::ThumbHot ||
                   (focused && m_focusPart == FocusPart::TrackPart)) {
            option.state |= QStyle::State_MouseOver;
            option.activeSubControls = QStyle::SC_SliderHandle;
        }
        const QRect handle =
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        painter.save();
        painter.translate(m_thumbRect.center() - handle.center());
        style->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
        painter.restore();
    }

    const auto drawEdge = [&](const QRect& r, bool sunken) {
        QStyleOptionFrame option;
        option.initFrom(this);
        clearWidgetStates(option);
        option.rect = r;
        option.frameShape = QFrame::WinPanel;
        option.lineWidth = 2;
        option.midLineWidth = 0;
        option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        style->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
    };
    const QRect labelEdge = m_labelRect.adjusted(-2, -2, 2, 2);

    if (m_showLabel) {
        if (m_pointerState == PointerState::LabelHot)
            drawEdge(labelEdge, false);
        else if (m_pointerState == PointerState::LabelPressed)
            drawEdge(labelEdge, true);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        painter.drawText(m_labelRect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         m_labelText);
    }

    const auto drawButton = [&](const QRect& r, const QString& caption, PointerState hot,
                                PointerState pressed, FocusPart part) {
        QStyleOptionButton option;
        option.initFrom(this);
        clearWidgetStates(option);
        option.rect = r;
        option.text = caption;
        if (m_pointerState == pressed)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        if (m_pointerState == hot || (focused && m_focusPart == part))
            option.state |= QStyle::State_MouseOver;
        style->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    };
    drawButton(m_minusRect, QString(QChar(0x2212)), PointerState::MinusHot,
               PointerState::MinusPressed, FocusPart::MinusPart);
    drawButton(m_plusRect, QStringLiteral("+"), PointerState::PlusHot, PointerState::PlusPressed,
               FocusPart::PlusPart);

    if (focused) {
        if (m_focusPart == FocusPart::LabelPart) {
            if (m_showLabel && m_pointerState != PointerState::LabelPressed)
                drawEdge(labelEdge, false);
        } else {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.backgroundColor = color();
            // The track's focus frame goes round the groove as the style drew it, which may
            // be thicker than the track rectangle.
            option.rect = m_focusPart == FocusPart::MinusPart   ? m_minusRect
                          : m_focusPart == FocusPart::TrackPart ? drawnTrack
                                                                : m_plusRect;
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
}

} // namespace quillery
