#include "ui/ZoomControl.h"

#include "base/Errors.h"
#include "base/IntegerText.h"
#include "base/ProductInfo.h"
#include "ui/Dialogs.h"
#include "ui/Translation.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStyleOptionSlider>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quillery {

namespace {

// Rectangles are kept as left, top, right, bottom with the right and bottom edges one past the
// last pixel column and row; QRect(x, y, w, h) holds exactly that as left + width.
QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

int rightEdge(const QRect& r)
{
    return r.x() + r.width();
}

int bottomEdge(const QRect& r)
{
    return r.y() + r.height();
}

// Both edges belong to the rectangle.
bool touches(const QRect& r, QPoint p)
{
    return p.x() >= r.x() && p.x() <= rightEdge(r) && p.y() >= r.y() && p.y() <= bottomEdge(r);
}

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

int limited(double value, int lowest, int highest)
{
    // Written out rather than std::clamp so that a minimum above the maximum is no precondition
    // violation: the maximum wins.
    return static_cast<int>(std::min(std::max(value, double(lowest)), double(highest)));
}

// The prompt and the error box go through the program's dialogs, so that tests answer them there.
std::optional<QString> defaultPrompt(QWidget* parent, const QString& title, const QString& prompt,
                                     const QString& initial)
{
    return ui::dialogs().inputBox(parent, title, prompt, initial);
}

void defaultErrorReporter(QWidget* parent, const Error& error)
{
    // Titled with the program's name, as the program's error box is wherever the control sits.
    ui::dialogs().messageBox(parent ? parent->window() : nullptr, QMessageBox::Critical,
                             QString::fromUtf16(ProductName), error.message(), QMessageBox::Ok);
}

} // namespace

QString zoomLabelHint()
{
    return TZoomControl::tr(
        "Click to set zoom level to 100 %.\nRight-click to set a custom zoom level.");
}

TZoomControl::TZoomControl(QWidget* parent)
    : QWidget(parent), m_prompt(defaultPrompt), m_reportError(defaultErrorReporter)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    // A right click on the label asks for a level; a parent's context menu (a tool bar's, say)
    // must not pop up over it and swallow the release.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    updateLayout();
}

TZoomControl::~TZoomControl() = default;

void TZoomControl::setButtonSize(int size)
{
    if (size == m_buttonSize)
        return;
    m_buttonSize = size;
    updateLayout();
    updateGeometry();
    update();
}

void TZoomControl::setZoomLevel(int level)
{
    if (level == m_zoomLevel)
        return;
    m_zoomLevel = level;
    updateLayout();
    update();
    Q_EMIT changed(m_zoomLevel);
}

void TZoomControl::stepLevel(int count)
{
    const qint64 target = m_zoomLevel + qint64(count) * m_step;
    if (count > 0)
        setZoomLevel(int(std::min<qint64>(target, m_zoomMax)));
    else if (count < 0)
        setZoomLevel(int(std::max<qint64>(target, m_zoomMin)));
}

void TZoomControl::setZoomMin(int level)
{
    if (level == m_zoomMin)
        return;
    m_zoomMin = level;
    updateLayout();
    update();
}

void TZoomControl::setZoomMax(int level)
{
    if (level == m_zoomMax)
        return;
    m_zoomMax = level;
    updateLayout();
    update();
}

void TZoomControl::setShowLabel(bool show)
{
    if (show == m_showLabel)
        return;
    m_showLabel = show;
    // Nothing is drawn for a hidden label, so it cannot hold the keyboard focus either.
    if (!m_showLabel && m_focusPart == FocusPart::LabelPart)
        m_focusPart = FocusPart::TrackPart;
    updateLayout();
    updateGeometry();
    update();
}

void TZoomControl::setTabStop(bool stop)
{
    setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

QColor TZoomControl::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Window);
}

void TZoomControl::setColor(const QColor& color)
{
    m_color = color;
    update();
}

double TZoomControl::trackPosition(int level) const
{
    double fraction = 0;
    if (level <= 100)
        fraction = level / 200.0;
    else if (m_zoomMax > 100)
        fraction = 0.5 + (level - 100) / (2.0 * (m_zoomMax - 100));
    else
        fraction = 1; // a maximum of 100 or less leaves no right half to divide
    // Levels set from code may lie outside the range; their thumb stays at an end of the track.
    return std::clamp(fraction, 0.0, 1.0);
}

int TZoomControl::levelAt(int x) const
{
    ensureLayout();
    const int width = rightEdge(m_trackRect) - m_trackRect.x();
    // A control too narrow for a track has every level at its left end.
    const double f = width > 0 ? double(x - m_trackRect.x()) / width : 0.0;
    const double level =
        f > 0.5 ? roundHalfEven((f - 0.5) * 2 * (m_zoomMax - 100)) + 100 : roundHalfEven(f * 200);
    return limited(level, m_zoomMin, m_zoomMax);
}

TZoomControl::HitPart TZoomControl::hitTest(QPoint point) const
{
    ensureLayout();
    if (m_showLabel && touches(m_labelRect, point))
        return HitPart::Label;
    if (touches(m_minusRect, point))
        return HitPart::Minus;
    if (touches(m_plusRect, point))
        return HitPart::Plus;
    if (touches(m_thumbRect, point))
        return HitPart::Thumb;
    if (!touches(m_trackRect, point))
        return HitPart::Nothing;
    return point.x() < m_thumbRect.x() ? HitPart::TrackLeft : HitPart::TrackRight;
}

void TZoomControl::ensureLayout() const
{
    if (m_layoutSize != size())
        const_cast<TZoomControl*>(this)->updateLayout();
}

void TZoomControl::updateLayout()
{
    m_layoutSize = size();
    const int w = width();
    const int h = height();
    const int labelWidth = m_showLabel ? LabelWidth : 0;

    const int k = m_showLabel ? 3 : 2;
    m_trackRect = fromEdges(k * Spacing + labelWidth + m_buttonSize, (h - TrackHeight) / 2,
                            w - m_buttonSize - Spacing, (h + TrackHeight) / 2);

    // The thumb is centred where the level sits on the track, as levelAt() reads a pointer, but
    // kept wholly on the track: near the ends it stops at them instead of sliding under a button.
    const int trackWidth = rightEdge(m_trackRect) - m_trackRect.x();
    const int centre =
        m_trackRect.x() + int(roundHalfEven(trackWidth * trackPosition(m_zoomLevel)));
    const int thumbLeft = std::max(
        m_trackRect.x(), std::min(centre - ThumbWidth / 2, rightEdge(m_trackRect) - ThumbWidth));
    m_thumbRect = fromEdges(thumbLeft, ThumbMargin, thumbLeft + ThumbWidth, h - ThumbMargin);

    m_labelText = ui::uiLocale().toString(m_zoomLevel) + QStringLiteral(" %");
    if (m_showLabel) {
        const int textHeight = fontMetrics().height();
        m_labelRect =
            fromEdges(Spacing, (h - textHeight) / 2, Spacing + labelWidth, (h + textHeight) / 2);
    } else {
        m_labelRect = QRect();
    }

    const int m = m_showLabel ? 2 : 1;
    const int minusLeft = m * Spacing + (m_showLabel ? m_labelRect.width() : 0);
    const int buttonTop = (h - m_buttonSize) / 2;
    const int buttonBottom = (h + m_buttonSize) / 2;
    m_minusRect = fromEdges(minusLeft, buttonTop, minusLeft + m_buttonSize, buttonBottom);
    m_plusRect = fromEdges(w - Spacing - m_buttonSize, buttonTop, w - Spacing, buttonBottom);
}

void TZoomControl::stepDown(int amount)
{
    setZoomLevel(std::max(m_zoomLevel - amount, m_zoomMin));
}

void TZoomControl::stepUp(int amount)
{
    setZoomLevel(std::min(m_zoomLevel + amount, m_zoomMax));
}

void TZoomControl::setFocusPart(FocusPart part)
{
    if (part == m_focusPart)
        return;
    m_focusPart = part;
    update();
}

void TZoomControl::setPointerState(PointerState state)
{
    if (state == m_pointerState)
        return;
    m_pointerState = state;
    update();
}

void TZoomControl::setPointerStateAndHint(PointerState state)
{
    setPointerState(state);
    const QString hint = state == PointerState::LabelHot ? zoomLabelHint() : QString();
    if (hint != toolTip())
        setToolTip(hint);
    if (hint.isEmpty() && QToolTip::isVisible())
        QToolTip::hideText();
}

void TZoomControl::applyCustomLevel(const QString& text)
{
    // The interpreter's conversion: leading spaces only, no trailing blanks, no other white space.
    const int level = integerOrThrow(text);
    // A typed level keeps to the range like every other way of setting it: a level far outside
    // would put the thumb off the track and hand absurd text sizes to the window showing them.
    setZoomLevel(limited(level, m_zoomMin, m_zoomMax));
}

void TZoomControl::setPromptFunction(PromptFunction prompt)
{
    m_prompt = prompt ? std::move(prompt) : PromptFunction(defaultPrompt);
}

void TZoomControl::setErrorReporter(ErrorReporter reporter)
{
    m_reportError = reporter ? std::move(reporter) : ErrorReporter(defaultErrorReporter);
}

void TZoomControl::promptForCustomLevel()
{
    const std::optional<QString> answer = m_prompt(
        this, tr("Zoom"), tr("Please enter the new zoom level."), QString::number(m_zoomLevel));
    if (!answer)
        return;
    try {
        applyCustomLevel(*answer);
    } catch (const Error& error) {
        // Exceptions must not unwind through the event loop; the failure is shown here instead.
        m_reportError(this, error);
    }
}

void TZoomControl::cycleFocusPart(bool forward)
{
    static constexpr FocusPart order[] = {FocusPart::LabelPart, FocusPart::MinusPart,
                                          FocusPart::TrackPart, FocusPart::PlusPart};
    constexpr int count = int(std::size(order));
    int index = int(m_focusPart);
    do
        index = (index + (forward ? 1 : count - 1)) % count;
    while (!m_showLabel && order[index] == FocusPart::LabelPart);
    setFocusPart(order[index]);
}

QSize TZoomControl::sizeHint() const
{
    // Room for a track of 125 pixels: the 221 x 40 of the report window's tool bar by default.
    const int labelWidth = m_showLabel ? LabelWidth : 0;
    const int trackLeft = (m_showLabel ? 3 : 2) * Spacing + labelWidth + m_buttonSize;
    return QSize(trackLeft + 125 + m_buttonSize + Spacing, std::max(40, m_buttonSize + 16));
}

QSize TZoomControl::minimumSizeHint() const
{
    const int labelWidth = m_showLabel ? LabelWidth : 0;
    const int trackLeft = (m_showLabel ? 3 : 2) * Spacing + labelWidth + m_buttonSize;
    return QSize(trackLeft + ThumbWidth + m_buttonSize + Spacing, m_buttonSize + 2 * ThumbMargin);
}

bool TZoomControl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Tab and Shift+Tab move between the parts of this control and never leave it, so they
        // are kept away from the widget's own focus chain handling.
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
        break;
    }
    case QEvent::ShortcutOverride: {
        // The keys the control acts on win over window shortcuts while it has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (leavesOnKey(key)) {
            event->accept();
            return true;
        }
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || actsOnKey(key->key())) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::ToolTip:
        if (!m_showHint) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TZoomControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateLayout();
}

void TZoomControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateLayout();
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        update();
    }
}

void TZoomControl::mousePressEvent(QMouseEvent* event)
{
    m_mouseIsDown = true;
    switch (hitTest(event->position().toPoint())) {
    case HitPart::Nothing:
        setPointerState(PointerState::None);
        break;
    case HitPart::Label:
        setPointerState(PointerState::LabelPressed);
        setFocusPart(FocusPart::LabelPart);
        break;
    case HitPart::Minus:
        setPointerState(PointerState::MinusPressed);
        setFocusPart(FocusPart::MinusPart);
        break;
    case HitPart::TrackLeft:
    case HitPart::TrackRight:
        setPointerState(PointerState::None);
        setFocusPart(FocusPart::TrackPart);
        break;
    case HitPart::Thumb:
        setPointerState(PointerState::ThumbDragging);
        setFocusPart(FocusPart::TrackPart);
        break;
    case HitPart::Plus:
        setPointerState(PointerState::PlusPressed);
        setFocusPart(FocusPart::PlusPart);
        break;
    }
    event->accept();
}

void TZoomControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_pointerState == PointerState::ThumbDragging) {
        setZoomLevel(levelAt(point.x()));
    } else if (!m_mouseIsDown) {
        switch (hitTest(point)) {
        case HitPart::Nothing:
        case HitPart::TrackLeft:
        case HitPart::TrackRight:
            setPointerStateAndHint(PointerState::None);
            break;
        case HitPart::Label:
            setPointerStateAndHint(PointerState::LabelHot);
            break;
        case HitPart::Minus:
            setPointerStateAndHint(PointerState::MinusHot);
            break;
        case HitPart::Thumb:
            setPointerStateAndHint(PointerState::ThumbHot);
            break;
        case HitPart::Plus:
            setPointerStateAndHint(PointerState::PlusHot);
            break;
        }
    }
    event->accept();
}

void TZoomControl::mouseReleaseEvent(QMouseEvent* event)
{
    m_mouseIsDown = false;
    const HitPart part = hitTest(event->position().toPoint());
    switch (m_pointerState) {
    case PointerState::None:
        if (part == HitPart::TrackLeft)
            stepDown(m_step);
        else if (part == HitPart::TrackRight)
            stepUp(m_step);
        break;
    case PointerState::MinusPressed:
        if (part == HitPart::Minus)
            stepDown(m_step);
        break;
    case PointerState::PlusPressed:
        if (part == HitPart::Plus)
            stepUp(m_step);
        break;
    case PointerState::LabelPressed:
        if (part == HitPart::Label) {
            if (event->button() == Qt::LeftButton)
                setZoomLevel(100);
            else
                promptForCustomLevel();
        }
        break;
    default:
        break;
    }
    setPointerStateAndHint(PointerState::None);
    event->accept();
}

void TZoomControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_mouseIsDown)
        setPointerStateAndHint(PointerState::None);
}

bool TZoomControl::actsOnKey(int key) const
{
    if (key == Qt::Key_Space)
        return true;
    if (m_focusPart != FocusPart::TrackPart)
        return false;
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

bool TZoomControl::leavesOnKey(const QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (key == Qt::Key_Escape)
        return !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return (key == Qt::Key_Tab || key == Qt::Key_Backtab) && (modifiers & Qt::ControlModifier);
}

void TZoomControl::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (leavesOnKey(event)) {
        // Tab alone stays inside; these hand the focus on through the window's chain.
        const bool backwards = key == Qt::Key_Backtab ||
                               (key == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
        focusNextPrevChild(!backwards);
        event->accept();
        return;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        const bool backwards = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        cycleFocusPart(!backwards);
        // Moving between parts by keyboard shows the focus cues, as moving between widgets does.
        if (QWidget* top = window())
            top->setAttribute(Qt::WA_KeyboardFocusChange);
        update();
        event->accept();
        return;
    }

    if (!actsOnKey(key)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (m_focusPart) {
    case FocusPart::LabelPart:
        promptForCustomLevel();
        break;
    case FocusPart::MinusPart:
        stepDown(m_step);
        break;
    case FocusPart::PlusPart:
        stepUp(m_step);
        break;
    case FocusPart::TrackPart:
        switch (key) {
        case Qt::Key_Space:
        case Qt::Key_Delete:
            setZoomLevel(100);
            break;
        case Qt::Key_PageUp:
            stepUp(m_step);
            break;
        case Qt::Key_PageDown:
            stepDown(m_step);
            break;
        case Qt::Key_End:
            setZoomLevel(m_zoomMax);
            break;
        case Qt::Key_Home:
            setZoomLevel(m_zoomMin);
            break;
        case Qt::Key_Left:
        case Qt::Key_Down:
            stepDown(1);
            break;
        default: // Up and Right
            stepUp(1);
            break;
        }
        break;
    }
    event->accept();
}

void TZoomControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TZoomControl::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace quillery
