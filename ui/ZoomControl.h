#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace quillery {

class Error;

// A small self-drawn zoom chooser: from left to right a label with the level ("100 %"), a minus
// button, a horizontal track with a thumb and a plus button. The level changes by dragging the
// thumb, clicking the track or the buttons, clicking the label (back to 100 %), right-clicking the
// label (typing a level) or by keys. `changed` is the control's OnChange: it is emitted after
// every real change of the level and never when a level is set to the value it already has.
class TZoomControl final : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ButtonSize READ buttonSize WRITE setButtonSize)
    Q_PROPERTY(int ZoomLevel READ zoomLevel WRITE setZoomLevel NOTIFY changed)
    Q_PROPERTY(int ZoomMin READ zoomMin WRITE setZoomMin)
    Q_PROPERTY(int ZoomMax READ zoomMax WRITE setZoomMax)
    Q_PROPERTY(bool ShowLabel READ showLabel WRITE setShowLabel)
    Q_PROPERTY(int Step READ step WRITE setStep)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    // Which part is under the pointer or pressed.
    enum class PointerState {
        None,
        ThumbHot,
        MinusHot,
        PlusHot,
        ThumbDragging,
        MinusPressed,
        PlusPressed,
        LabelHot,
        LabelPressed
    };
    Q_ENUM(PointerState)

    // Which part has the keyboard focus inside the control; Tab and Shift+Tab cycle through them,
    // Escape and Ctrl+Tab move the focus on to the next control of the window (Ctrl+Shift+Tab to
    // the one before).
    enum class FocusPart { LabelPart, MinusPart, TrackPart, PlusPart };
    Q_ENUM(FocusPart)

    // The part of the control at a point.
    enum class HitPart { Nothing, Label, Minus, Plus, Thumb, TrackLeft, TrackRight };

    // Asks the user for a text; nullopt when the user cancels. Replaceable so the custom-level
    // prompt can be scripted; the default is the program's input box (ui::dialogs()).
    using PromptFunction = std::function<std::optional<QString>(
        QWidget* parent, const QString& title, const QString& prompt, const QString& initial)>;
    // Shows a failure to the user; the default is the program's error box (ui::showError).
    using ErrorReporter = std::function<void(QWidget* parent, const Error& error)>;

    static constexpr int LabelWidth = 40;
    static constexpr int Spacing = 2;
    static constexpr int ThumbMargin = 2;
    static constexpr int ThumbWidth = 16;
    static constexpr int TrackHeight = 4;

    explicit TZoomControl(QWidget* parent = nullptr);
    ~TZoomControl() override;

    int buttonSize() const { return m_buttonSize; }
    void setButtonSize(int size);
    int zoomLevel() const { return m_zoomLevel; }
    // Stores a different level as it is (no limiting to the range), lays out, repaints and
    // emits `changed`. The same level does nothing.
    void setZoomLevel(int level);
    // Moves the level `count` steps of `Step` up, or down for a negative count, keeping to
    // `ZoomMin`..`ZoomMax` as the buttons do.
    void stepLevel(int count);
    int zoomMin() const { return m_zoomMin; }
    void setZoomMin(int level);
    int zoomMax() const { return m_zoomMax; }
    void setZoomMax(int level);
    bool showLabel() const { return m_showLabel; }
    void setShowLabel(bool show);
    int step() const { return m_step; }
    void setStep(int amount) { m_step = amount; }
    bool showHint() const { return m_showHint; }
    void setShowHint(bool show) { m_showHint = show; }
    // Whether Tab from outside brings the focus here; a click always does.
    bool tabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void setTabStop(bool stop);
    // The background; the palette's window colour until one is set.
    QColor color() const;
    void setColor(const QColor& color);

    PointerState pointerState() const { return m_pointerState; }
    FocusPart focusPart() const { return m_focusPart; }
    bool mouseIsDown() const { return m_mouseIsDown; }
    const QString& labelText() const { return m_labelText; }
    // The parts in widget coordinates. Each covers left..left + width (and top..top + height),
    // both edges included, as the hit test treats them.
    QRect labelRect() const { return ensureLayout(), m_labelRect; }
    QRect minusRect() const { return ensureLayout(), m_minusRect; }
    QRect trackRect() const { return ensureLayout(), m_trackRect; }
    QRect thumbRect() const { return ensureLayout(), m_thumbRect; }
    QRect plusRect() const { return ensureLayout(), m_plusRect; }

    // Where a level sits on the track, from 0 (left end) over 0.5 (100 %) to 1 (`ZoomMax`).
    double trackPosition(int level) const;
    // The level under a pointer at x, limited to `ZoomMin`..`ZoomMax`.
    int levelAt(int x) const;
    HitPart hitTest(QPoint point) const;

    // Sets the level from typed text, limited to `ZoomMin`..`ZoomMax`. The text is converted as the
    // format interpreter converts integers (leading spaces, a sign, digits, nothing after); other
    // text throws FormatError with the conversion message and leaves the level alone.
    void applyCustomLevel(const QString& text);

    // An empty function puts the default back.
    void setPromptFunction(PromptFunction prompt);
    void setErrorReporter(ErrorReporter reporter);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void changed(int level);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateLayout();
    // A hidden widget gets its resize event only when shown; until then the parts are laid out
    // on demand for its current size.
    void ensureLayout() const;
    void stepDown(int amount);
    void stepUp(int amount);
    void setFocusPart(FocusPart part);
    void setPointerState(PointerState state);
    // Sets the state after a move, a release or the pointer leaving, and the hint with it.
    void setPointerStateAndHint(PointerState state);
    void promptForCustomLevel();
    void cycleFocusPart(bool forward);
    // Whether a key (Tab aside) does something for the part that has the focus.
    bool actsOnKey(int key) const;
    // Escape, Ctrl+Tab and Ctrl+Shift+Tab: the keys that move the focus out of the control.
    static bool leavesOnKey(const QKeyEvent* event);

    int m_buttonSize = 24;
    int m_zoomLevel = 100;
    int m_zoomMin = 0;
    int m_zoomMax = 500;
    bool m_showLabel = true;
    int m_step = 10;
    bool m_showHint = true;
    QColor m_color;

    PointerState m_pointerState = PointerState::None;
    FocusPart m_focusPart = FocusPart::TrackPart;
    bool m_mouseIsDown = false;
    QString m_labelText;
    QRect m_labelRect;
    QRect m_minusRect;
    QRect m_trackRect;
    QRect m_thumbRect;
    QRect m_plusRect;
    QSize m_layoutSize;

    PromptFunction m_prompt;
    ErrorReporter m_reportError;
};

// "Click to set zoom level to 100 %." and "Right-click to set a custom zoom level." on two lines.
QString zoomLabelHint();

} // namespace quillery
