#include "ui/ZoomControl.h"

#include "base/Errors.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace quillery;
using Part = TZoomControl::HitPart;
using Pointer = TZoomControl::PointerState;
using Focus = TZoomControl::FocusPart;

namespace {

// Left and right edge of a part, the right one past its last pixel column.
std::pair<int, int> span(const QRect& r)
{
    return {r.x(), r.x() + r.width()};
}

std::pair<int, int> vspan(const QRect& r)
{
    return {r.y(), r.y() + r.height()};
}

std::unique_ptr<TZoomControl> makeControl(int width, int height = 40)
{
    auto control = std::make_unique<TZoomControl>();
    control->resize(width, height);
    return control;
}

// A shown control, for the tests that drive it with the mouse and the keyboard.
class ZoomControlInput : public ::testing::Test {
protected:
    void SetUp() override { show(296); }

    void show(int width)
    {
        control = makeControl(width);
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get()));
        spy = std::make_unique<QSignalSpy>(control.get(), &TZoomControl::changed);
    }

    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(control.get(), button, Qt::NoModifier, at);
    }

    // Sent straight to the control: QTest's moves go through the cursor, and a move to where
    // the cursor already is delivers nothing.
    void moveTo(QPoint at)
    {
        const Qt::MouseButtons buttons = control->mouseIsDown() ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(control->mapToGlobal(at)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(control.get(), &move);
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(control.get(), Qt::Key(key), modifiers);
    }

    void setLevelQuietly(int level)
    {
        control->setZoomLevel(level);
        spy->clear();
    }

    QList<int> emitted() const
    {
        QList<int> levels;
        for (const QList<QVariant>& args : *spy)
            levels << args.at(0).toInt();
        return levels;
    }

    std::unique_ptr<TZoomControl> control;
    std::unique_ptr<QSignalSpy> spy;
};

// The middle of the track's height at a given x.
QPoint onTrack(int x)
{
    return {x, 20};
}

} // namespace

// --- Defaults and layout ---------------------------------------------------------------------

TEST(ZoomControlLayout, PublishedDefaults)
{
    TZoomControl control;
    EXPECT_EQ(control.buttonSize(), 24);
    EXPECT_EQ(control.zoomLevel(), 100);
    EXPECT_EQ(control.zoomMin(), 0);
    EXPECT_EQ(control.zoomMax(), 500);
    EXPECT_TRUE(control.showLabel());
    EXPECT_EQ(control.step(), 10);
    EXPECT_TRUE(control.showHint());
    EXPECT_FALSE(control.tabStop());
    EXPECT_EQ(control.pointerState(), Pointer::None);
    EXPECT_EQ(control.focusPart(), Focus::TrackPart);
    EXPECT_FALSE(control.mouseIsDown());
    EXPECT_EQ(control.labelText(), QStringLiteral("100 %"));
    EXPECT_EQ(control.sizeHint(), QSize(221, 40));
}

TEST(ZoomControlLayout, PartsAtTheDefaultsForSeveralWidths)
{
    for (int w : {221, 296, 500}) {
        SCOPED_TRACE(w);
        const auto control = makeControl(w);
        EXPECT_EQ(span(control->labelRect()), std::make_pair(2, 42));
        EXPECT_EQ(span(control->minusRect()), std::make_pair(44, 68));
        EXPECT_EQ(span(control->trackRect()), std::make_pair(70, w - 26));
        EXPECT_EQ(span(control->plusRect()), std::make_pair(w - 26, w - 2));
        EXPECT_EQ(vspan(control->trackRect()), std::make_pair(18, 22));
        EXPECT_EQ(vspan(control->minusRect()), std::make_pair(8, 32));
        EXPECT_EQ(vspan(control->plusRect()), std::make_pair(8, 32));
        EXPECT_EQ(vspan(control->thumbRect()), std::make_pair(2, 38));
        const int th = control->fontMetrics().height();
        EXPECT_EQ(vspan(control->labelRect()), std::make_pair((40 - th) / 2, (40 + th) / 2));
    }
}

TEST(ZoomControlLayout, HiddenLabelMovesMinusButtonAndTrackLeft)
{
    const auto control = makeControl(296);
    control->setShowLabel(false);
    EXPECT_EQ(span(control->minusRect()), std::make_pair(2, 26));
    EXPECT_EQ(span(control->trackRect()), std::make_pair(28, 270));

    control->setButtonSize(30);
    EXPECT_EQ(span(control->minusRect()), std::make_pair(2, 32));
    EXPECT_EQ(control->trackRect().x(), 4 + 30);

    control->setShowLabel(true);
    EXPECT_EQ(span(control->minusRect()), std::make_pair(44, 74));
    EXPECT_EQ(span(control->trackRect()), std::make_pair(76, 264));
    EXPECT_EQ(span(control->plusRect()), std::make_pair(264, 294));
    EXPECT_EQ(vspan(control->minusRect()), std::make_pair(5, 35));
}

TEST(ZoomControlLayout, HalvingTruncatesTowardZero)
{
    // Odd heights, and heights below the button size where the tops go negative: -23 / 2 is -11,
    // not the -12 a floor would give.
    struct Case {
        int height, trackTop, trackBottom, buttonTop, buttonBottom;
    };
    for (const Case& c : {Case{41, 18, 22, 8, 32}, Case{39, 17, 21, 7, 31}, Case{1, -1, 2, -11, 12},
                          Case{0, -2, 2, -12, 12}}) {
        SCOPED_TRACE(c.height);
        const auto control = makeControl(296, c.height);
        EXPECT_EQ(vspan(control->trackRect()), std::make_pair(c.trackTop, c.trackBottom));
        EXPECT_EQ(vspan(control->minusRect()), std::make_pair(c.buttonTop, c.buttonBottom));
        EXPECT_EQ(vspan(control->thumbRect()), std::make_pair(2, c.height - 2));
    }
}

TEST(ZoomControlLayout, ThumbCentreRoundsHalvesToEven)
{
    struct Case {
        int width, level, thumbLeft;
    };
    // Track widths 200, 125 and 127: 100 % sits at 100, 62.5 (to 62) and 63.5 (to 64).
    for (const Case& c :
         {Case{296, 100, 70 + 100 - 8}, Case{221, 100, 70 + 62 - 8}, Case{223, 100, 70 + 64 - 8},
          Case{221, 300, 70 + 94 - 8},
          // At the ends the thumb stops at the track's ends rather than reach over a button.
          Case{296, 0, 70}, Case{296, 500, 270 - 16}}) {
        SCOPED_TRACE(testing::Message() << c.width << " " << c.level);
        const auto control = makeControl(c.width);
        control->setZoomLevel(c.level);
        EXPECT_EQ(span(control->thumbRect()), std::make_pair(c.thumbLeft, c.thumbLeft + 16));
    }
}

TEST(ZoomControlLayout, ThumbStaysWhollyOnTheTrackAtEveryLevel)
{
    for (int w : {221, 296}) {
        const auto control = makeControl(w);
        int previousLeft = 0;
        for (int level = -40; level <= 900; ++level) {
            SCOPED_TRACE(testing::Message() << w << " " << level);
            control->setZoomLevel(level);
            const QRect thumb = control->thumbRect();
            EXPECT_GE(thumb.x(), control->trackRect().x());
            EXPECT_LE(thumb.x() + thumb.width(),
                      control->trackRect().x() + control->trackRect().width());
            EXPECT_FALSE(thumb.intersects(control->minusRect()));
            EXPECT_FALSE(thumb.intersects(control->plusRect()));
            EXPECT_GE(thumb.x(), previousLeft); // never back as the level rises
            previousLeft = thumb.x();
        }
    }
}

TEST(ZoomControlLayout, LabelFollowsTheLevel)
{
    TZoomControl control;
    control.setZoomLevel(250);
    EXPECT_EQ(control.labelText(), QStringLiteral("250 %"));
    control.setZoomLevel(-5);
    EXPECT_EQ(control.labelText(), QStringLiteral("-5 %"));
}

TEST(ZoomControlLayout, FontChangeLaysTheLabelOutAgain)
{
    const auto control = makeControl(221);
    QFont big = control->font();
    big.setPixelSize(30);
    control->setFont(big);
    const int th = QFontMetrics(big).height();
    ASSERT_GT(th, 30);
    EXPECT_EQ(vspan(control->labelRect()), std::make_pair((40 - th) / 2, (40 + th) / 2));
}

TEST(ZoomControlLayout, RightClickOpensNoContextMenuOfTheParent)
{
    struct Parent : QWidget {
        int menus = 0;
        void contextMenuEvent(QContextMenuEvent*) override { ++menus; }
    } parent;
    auto* control = new TZoomControl(&parent);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {20, 20},
                           control->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(control, &menu);
    EXPECT_EQ(parent.menus, 0);
}

// --- Track arithmetic ------------------------------------------------------------------------

TEST(ZoomControlTrack, PositionOfALevel)
{
    TZoomControl control;
    for (auto [level, position] : {std::pair{0, 0.0},
                                   {50, 0.25},
                                   {100, 0.5},
                                   {300, 0.75},
                                   {500, 1.0},
                                   {-20, 0.0},
                                   {900, 1.0}}) {
        SCOPED_TRACE(level);
        EXPECT_DOUBLE_EQ(control.trackPosition(level), position);
    }
    control.setZoomMax(200);
    EXPECT_DOUBLE_EQ(control.trackPosition(150), 0.75);
    // A maximum of 100 leaves nothing to divide the right half by.
    control.setZoomMax(100);
    EXPECT_DOUBLE_EQ(control.trackPosition(150), 1.0);
    EXPECT_DOUBLE_EQ(control.trackPosition(100), 0.5);
}

TEST(ZoomControlTrack, LevelAtPointer)
{
    const auto control = makeControl(296); // track 70..270
    for (auto [x, level] : {std::pair{170, 100},
                            {120, 50},
                            {270, 500},
                            {70, 0},
                            {220, 300},
                            {20, 0},
                            {900, 500},
                            {71, 1},
                            {269, 496}}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(control->levelAt(x), level);
    }
}

TEST(ZoomControlTrack, LevelAtPointerRoundsHalvesToEvenAndKeepsToTheRange)
{
    auto control = makeControl(352); // track 70..326, 256 pixels: the halves come out exactly
    EXPECT_EQ(control->levelAt(70 + 16), 12); // 12.5
    EXPECT_EQ(control->levelAt(70 + 48), 38); // 37.5
    control->setZoomMax(164);
    EXPECT_EQ(control->levelAt(70 + 129), 100); // 100.5
    EXPECT_EQ(control->levelAt(70 + 131), 102); // 101.5
    control->setZoomMin(25);
    EXPECT_EQ(control->levelAt(70), 25);
    EXPECT_EQ(control->levelAt(326), 164);
}

TEST(ZoomControlTrack, NarrowControlHasNoDivisionByZero)
{
    const auto control = makeControl(70 + 26); // a track of no width
    EXPECT_EQ(control->levelAt(70), 0);
    EXPECT_EQ(control->levelAt(200), 0);
    EXPECT_FALSE(control->grab().isNull());
}

TEST(ZoomControlTrack, HitTestInItsOrder)
{
    const auto control = makeControl(296); // thumb 162..178 at 100 %
    struct Case {
        QPoint at;
        Part part;
    };
    for (const Case& c : {Case{{10, 20}, Part::Label},       Case{{2, 20}, Part::Label},
                          Case{{42, 20}, Part::Label},       Case{{43, 20}, Part::Nothing},
                          Case{{44, 20}, Part::Minus},       Case{{68, 32}, Part::Minus},
                          Case{{69, 20}, Part::Nothing},     Case{{100, 20}, Part::TrackLeft},
                          Case{{100, 17}, Part::Nothing},    Case{{100, 22}, Part::TrackLeft},
                          Case{{161, 20}, Part::TrackLeft},  Case{{162, 20}, Part::Thumb},
                          Case{{170, 2}, Part::Thumb},       Case{{178, 38}, Part::Thumb},
                          Case{{179, 20}, Part::TrackRight}, Case{{269, 20}, Part::TrackRight},
                          Case{{270, 20}, Part::Plus},       Case{{294, 20}, Part::Plus},
                          Case{{295, 20}, Part::Nothing},    Case{{170, 39}, Part::Nothing}}) {
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
        EXPECT_EQ(control->hitTest(c.at), c.part);
    }
    // At the ends the thumb lies beside the buttons, which keep their clicks.
    control->setZoomLevel(0); // thumb 70..86
    EXPECT_EQ(control->hitTest({65, 20}), Part::Minus);
    EXPECT_EQ(control->hitTest({75, 20}), Part::Thumb);
    control->setZoomLevel(500); // thumb 254..270
    EXPECT_EQ(control->hitTest({275, 20}), Part::Plus);
    // A hidden label takes no clicks.
    control->setShowLabel(false);
    EXPECT_EQ(control->hitTest({1, 20}), Part::Nothing);
}

// --- Setting the level -----------------------------------------------------------------------

TEST(ZoomControlLevel, ChangedOnlyOnARealChangeAndNotLimited)
{
    TZoomControl control;
    QSignalSpy spy(&control, &TZoomControl::changed);
    control.setZoomLevel(100);
    EXPECT_EQ(spy.count(), 0);
    control.setZoomLevel(900);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 900);
    EXPECT_EQ(control.zoomLevel(), 900);
    control.setZoomLevel(900);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(control.property("ZoomLevel").toInt(), 900);
}

// --- Mouse -----------------------------------------------------------------------------------

TEST_F(ZoomControlInput, TrackClicksStepByStepAndStopAtTheRange)
{
    click(onTrack(100));
    EXPECT_EQ(control->zoomLevel(), 90);
    click(onTrack(250));
    EXPECT_EQ(control->zoomLevel(), 100);
    EXPECT_EQ(emitted(), QList<int>({90, 100}));

    setLevelQuietly(495);
    click(onTrack(100));
    click(onTrack(100));
    EXPECT_EQ(control->zoomLevel(), 475);
    EXPECT_EQ(emitted(), QList<int>({485, 475}));
}

TEST_F(ZoomControlInput, TrackClickLeftOfThumbAtFiveGivesZero)
{
    show(496); // track 70..470: at 5 % the thumb starts at 72, leaving the track left of it
    setLevelQuietly(5);
    click(onTrack(71));
    EXPECT_EQ(control->zoomLevel(), 0);
    setLevelQuietly(481); // thumb 452..468
    control->setStep(25);
    click(onTrack(469));
    EXPECT_EQ(control->zoomLevel(), 500);
}

TEST_F(ZoomControlInput, ButtonsStepAndAReleaseElsewhereChangesNothing)
{
    click(control->minusRect().center());
    EXPECT_EQ(control->zoomLevel(), 90);
    click(control->plusRect().center());
    click(control->plusRect().center());
    EXPECT_EQ(control->zoomLevel(), 110);
    spy->clear();

    // Pressed on minus, released on the track, the plus button, outside: nothing happens.
    for (QPoint elsewhere : {onTrack(100), control->plusRect().center(), QPoint(150, 39)}) {
        QTest::mousePress(control.get(), Qt::LeftButton, {}, control->minusRect().center());
        EXPECT_EQ(control->pointerState(), Pointer::MinusPressed);
        EXPECT_TRUE(control->mouseIsDown());
        QTest::mouseRelease(control.get(), Qt::LeftButton, {}, elsewhere);
        EXPECT_EQ(control->pointerState(), Pointer::None);
        EXPECT_FALSE(control->mouseIsDown());
    }
    QTest::mousePress(control.get(), Qt::LeftButton, {}, control->plusRect().center());
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, control->minusRect().center());
    EXPECT_EQ(control->zoomLevel(), 110);
    EXPECT_EQ(spy->count(), 0);

    control->setStep(25);
    click(control->minusRect().center());
    EXPECT_EQ(control->zoomLevel(), 85);
}

TEST_F(ZoomControlInput, PressSetsTheFocusPart)
{
    struct Case {
        QPoint at;
        Pointer pointer;
        Focus focus;
    };
    for (const Case& c : {Case{{20, 20}, Pointer::LabelPressed, Focus::LabelPart},
                          Case{{50, 20}, Pointer::MinusPressed, Focus::MinusPart},
                          Case{{100, 20}, Pointer::None, Focus::TrackPart},
                          Case{{280, 20}, Pointer::PlusPressed, Focus::PlusPart},
                          Case{{170, 20}, Pointer::ThumbDragging, Focus::TrackPart}}) {
        SCOPED_TRACE(c.at.x());
        QTest::mousePress(control.get(), Qt::LeftButton, {}, c.at);
        EXPECT_EQ(control->pointerState(), c.pointer);
        EXPECT_EQ(control->focusPart(), c.focus);
        // Released outside every part, so no step is taken.
        QTest::mouseRelease(control.get(), Qt::LeftButton, {}, {150, 39});
    }
    EXPECT_EQ(spy->count(), 0);
}

TEST_F(ZoomControlInput, DraggingTheThumbFollowsThePointerEvenOutside)
{
    QTest::mousePress(control.get(), Qt::LeftButton, {}, onTrack(170));
    ASSERT_EQ(control->pointerState(), Pointer::ThumbDragging);
    moveTo(onTrack(120));
    EXPECT_EQ(control->zoomLevel(), 50);
    moveTo(onTrack(170));
    EXPECT_EQ(control->zoomLevel(), 100);
    moveTo({900, 80});
    EXPECT_EQ(control->zoomLevel(), 500);
    moveTo({-50, 80});
    EXPECT_EQ(control->zoomLevel(), 0);
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, {-50, 80});
    EXPECT_EQ(control->pointerState(), Pointer::None);
    EXPECT_EQ(emitted(), QList<int>({50, 100, 500, 0}));
    // Once released, moving no longer drags.
    moveTo(onTrack(270));
    EXPECT_EQ(control->zoomLevel(), 0);
}

TEST_F(ZoomControlInput, HoverStatesAndTheLabelHint)
{
    const QString hint = QStringLiteral("Click to set zoom level to 100 %.") + u'\n' +
                         QStringLiteral("Right-click to set a custom zoom level.");
    EXPECT_EQ(zoomLabelHint(), hint);
    struct Case {
        QPoint at;
        Pointer pointer;
    };
    for (const Case& c : {Case{{20, 20}, Pointer::LabelHot}, Case{{50, 20}, Pointer::MinusHot},
                          Case{{170, 20}, Pointer::ThumbHot}, Case{{280, 20}, Pointer::PlusHot},
                          Case{{100, 20}, Pointer::None}, Case{{20, 20}, Pointer::LabelHot},
                          Case{{43, 20}, Pointer::None}}) {
        SCOPED_TRACE(c.at.x());
        moveTo(c.at);
        EXPECT_EQ(control->pointerState(), c.pointer);
        EXPECT_EQ(control->toolTip(), c.pointer == Pointer::LabelHot ? hint : QString());
    }

    moveTo({20, 20});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(control.get(), &leave);
    EXPECT_EQ(control->pointerState(), Pointer::None);
    EXPECT_TRUE(control->toolTip().isEmpty());

    // While a button is down the pressed state stays, whatever the pointer passes over or leaves.
    QTest::mousePress(control.get(), Qt::LeftButton, {}, control->minusRect().center());
    moveTo({20, 20});
    QApplication::sendEvent(control.get(), &leave);
    EXPECT_EQ(control->pointerState(), Pointer::MinusPressed);
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, {20, 20});
    EXPECT_EQ(control->pointerState(), Pointer::None);
}

TEST_F(ZoomControlInput, LabelClickResetsAndRightClickPrompts)
{
    setLevelQuietly(250);
    click({20, 20});
    EXPECT_EQ(control->zoomLevel(), 100);

    QStringList asked;
    control->setPromptFunction([&](QWidget* parent, const QString& title, const QString& prompt,
                                   const QString& initial) -> std::optional<QString> {
        EXPECT_EQ(parent, control.get());
        asked << title << prompt << initial;
        return QStringLiteral("150");
    });
    click({20, 20}, Qt::RightButton);
    EXPECT_EQ(asked, QStringList({QStringLiteral("Zoom"),
                                  QStringLiteral("Please enter the new zoom level."),
                                  QStringLiteral("100")}));
    EXPECT_EQ(control->zoomLevel(), 150);
    EXPECT_EQ(emitted(), QList<int>({100, 150}));

    // A right press on the label released elsewhere asks nothing.
    asked.clear();
    QTest::mousePress(control.get(), Qt::RightButton, {}, {20, 20});
    QTest::mouseRelease(control.get(), Qt::RightButton, {}, control->minusRect().center());
    EXPECT_TRUE(asked.isEmpty());
}

// --- The custom-level prompt -----------------------------------------------------------------

TEST_F(ZoomControlInput, CustomLevelAnswers)
{
    struct Case {
        std::optional<QString> answer;
        int level;
        QString error;
    };
    const QList<Case> cases = {
        {QStringLiteral("42"), 42, {}},
        {QStringLiteral("0"), 0, {}},
        {std::nullopt, 77, {}},
        {QStringLiteral("abc"), 77, QStringLiteral("''abc'' is not a valid integer value")},
        {QString(), 77, QStringLiteral("'''' is not a valid integer value")},
        {QStringLiteral("12.5"), 77, QStringLiteral("''12.5'' is not a valid integer value")},
        {QStringLiteral("99999999999"), 77,
         QStringLiteral("''99999999999'' is not a valid integer value")},
        // Typed levels keep to the range like all the others.
        {QStringLiteral("900"), 500, {}},
        {QStringLiteral("-20"), 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("<cancel>")).toStdString());
        setLevelQuietly(77);
        QStringList errors;
        control->setPromptFunction(
            [&](QWidget*, const QString&, const QString&, const QString&) { return c.answer; });
        control->setErrorReporter([&](QWidget*, const Error& e) { errors << e.message(); });
        click({20, 20}, Qt::RightButton);
        EXPECT_EQ(control->zoomLevel(), c.level);
        EXPECT_EQ(spy->count(), c.level == 77 ? 0 : 1);
        EXPECT_EQ(errors, c.error.isEmpty() ? QStringList() : QStringList({c.error}));
    }
}

TEST_F(ZoomControlInput, TypedLevelsGoThroughTheDialogsAndTheInterpretersConversion)
{
    using Kind = test::ScriptedDialogs::Kind;
    struct Case {
        const char* answer;
        int level;
        const char* error;
    };
    // Only spaces may lead, and nothing may follow the digits.
    for (const Case& c : {Case{"120 ", 77, "''120 '' is not a valid integer value"},
                          Case{"\t120", 77, "''\t120'' is not a valid integer value"},
                          Case{"  120", 120, nullptr}, Case{"+120", 120, nullptr}}) {
        SCOPED_TRACE(c.answer);
        setLevelQuietly(77);
        test::ScriptedDialogsScope dialogs;
        dialogs->answer(test::s(c.answer));
        click({20, 20}, Qt::RightButton);
        EXPECT_EQ(control->zoomLevel(), c.level);
        ASSERT_EQ(dialogs->shown.size(), c.error ? 2u : 1u);
        EXPECT_EQ(dialogs->shown[0].kind, Kind::Input);
        EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("Please enter the new zoom level."));
        if (c.error) {
            EXPECT_EQ(dialogs->last().kind, Kind::Message);
            EXPECT_EQ(dialogs->last().icon, QMessageBox::Critical);
            EXPECT_EQ(dialogs->last().text, test::s(c.error));
            // The program's name, whatever the application object is called.
            EXPECT_EQ(dialogs->last().caption, test::s("Tollvern Quillery"));
        }
    }
}

TEST(ZoomControlCustomLevel, InvalidTextThrowsAndKeepsTheLevel)
{
    TZoomControl control;
    control.setZoomLevel(60);
    try {
        control.applyCustomLevel(QStringLiteral("ten"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("''ten'' is not a valid integer value"));
    }
    EXPECT_EQ(control.zoomLevel(), 60);
}

// --- Keys ------------------------------------------------------------------------------------

TEST_F(ZoomControlInput, TrackKeys)
{
    struct Case {
        int key;
        int from;
        int to;
    };
    for (const Case& c :
         {Case{Qt::Key_Home, 100, 0}, Case{Qt::Key_End, 100, 500}, Case{Qt::Key_Space, 250, 100},
          Case{Qt::Key_Delete, 30, 100}, Case{Qt::Key_PageUp, 100, 110},
          Case{Qt::Key_PageDown, 100, 90}, Case{Qt::Key_PageUp, 495, 500},
          Case{Qt::Key_PageDown, 3, 0}, Case{Qt::Key_Left, 100, 99}, Case{Qt::Key_Down, 100, 99},
          Case{Qt::Key_Right, 100, 101}, Case{Qt::Key_Up, 100, 101}, Case{Qt::Key_Up, 500, 500},
          Case{Qt::Key_Left, 0, 0}, Case{Qt::Key_A, 100, 100}, Case{Qt::Key_Return, 100, 100}}) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << c.from);
        setLevelQuietly(c.from);
        ASSERT_EQ(control->focusPart(), Focus::TrackPart);
        key(c.key);
        EXPECT_EQ(control->zoomLevel(), c.to);
        EXPECT_EQ(spy->count(), c.from == c.to ? 0 : 1);
    }
    control->setZoomMin(20);
    control->setZoomMax(300);
    key(Qt::Key_Home);
    EXPECT_EQ(control->zoomLevel(), 20);
    key(Qt::Key_End);
    EXPECT_EQ(control->zoomLevel(), 300);
}

TEST_F(ZoomControlInput, TabAndShiftTabCycleThroughTheParts)
{
    const QList<Focus> forward = {Focus::PlusPart, Focus::LabelPart, Focus::MinusPart,
                                  Focus::TrackPart};
    for (Focus expected : forward) {
        key(Qt::Key_Tab);
        EXPECT_EQ(control->focusPart(), expected);
    }
    const QList<Focus> backward = {Focus::MinusPart, Focus::LabelPart, Focus::PlusPart,
                                   Focus::TrackPart};
    for (Focus expected : backward) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(control->focusPart(), expected);
    }
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(control->focusPart(), Focus::MinusPart);

    // Without a label there is nothing to focus there.
    control->setShowLabel(false);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(control->focusPart(), Focus::PlusPart);
    key(Qt::Key_Tab);
    EXPECT_EQ(control->focusPart(), Focus::MinusPart);
}

TEST_F(ZoomControlInput, SpaceActsOnTheFocusedPartOnly)
{
    int prompts = 0;
    control->setPromptFunction([&](QWidget*, const QString&, const QString&, const QString&) {
        ++prompts;
        return std::optional<QString>(QStringLiteral("230"));
    });
    key(Qt::Key_Tab); // plus
    key(Qt::Key_Space);
    EXPECT_EQ(control->zoomLevel(), 110);
    key(Qt::Key_Home); // track keys do nothing here
    key(Qt::Key_PageDown);
    EXPECT_EQ(control->zoomLevel(), 110);
    key(Qt::Key_Tab); // label
    EXPECT_EQ(prompts, 0);
    key(Qt::Key_Space);
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(control->zoomLevel(), 230);
    key(Qt::Key_Tab); // minus
    key(Qt::Key_Space);
    EXPECT_EQ(control->zoomLevel(), 220);
    EXPECT_EQ(emitted(), QList<int>({110, 230, 220}));
}

TEST(ZoomControlFocus, TabNeverLeavesTheControl)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    auto* control = new TZoomControl;
    auto* after = new QLineEdit;
    layout->addWidget(before);
    layout->addWidget(control);
    layout->addWidget(after);
    control->setTabStop(true);
    EXPECT_TRUE(control->tabStop());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    control->setFocus();
    ASSERT_TRUE(control->hasFocus());
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(control, Qt::Key_Tab);
    QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(control->hasFocus());
    EXPECT_EQ(control->focusPart(), Focus::TrackPart);

    // Tab from the neighbour enters the control only when it is a tab stop.
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(control->hasFocus());
    control->setTabStop(false);
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
}

TEST(ZoomControlFocus, EscapeAndCtrlTabHandTheFocusOn)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    auto* control = new TZoomControl;
    auto* after = new QLineEdit;
    layout->addWidget(before);
    layout->addWidget(control);
    layout->addWidget(after);
    control->setTabStop(true);
    // A window shortcut on Escape does not take the key from the control.
    int escapes = 0;
    auto* escape = new QAction(&window);
    escape->setShortcut(Qt::Key_Escape);
    window.addAction(escape);
    QObject::connect(escape, &QAction::triggered, &window, [&] { ++escapes; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* next;
    };
    for (const Case& c :
         {Case{Qt::Key_Escape, {}, after}, Case{Qt::Key_Tab, Qt::ControlModifier, after},
          Case{Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, before},
          Case{Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, before}}) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.modifiers);
        control->setFocus();
        QTest::keyClick(control, c.key, c.modifiers);
        EXPECT_TRUE(c.next->hasFocus());
    }
    EXPECT_EQ(escapes, 0);
    EXPECT_EQ(control->zoomLevel(), 100);
}

// --- Painting --------------------------------------------------------------------------------

TEST_F(ZoomControlInput, PaintsInEveryStateWithoutFault)
{
    // Each state drawn once; a grab runs the whole paint path through the style.
    const auto grabbed = [&] {
        return !control->grab().isNull();
    };
    EXPECT_TRUE(grabbed());
    moveTo({20, 20});
    EXPECT_TRUE(grabbed());
    QTest::mousePress(control.get(), Qt::LeftButton, {}, {20, 20});
    EXPECT_TRUE(grabbed());
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, {150, 39});
    QTest::mousePress(control.get(), Qt::LeftButton, {}, onTrack(170));
    EXPECT_TRUE(grabbed());
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, onTrack(170));
    control->setShowLabel(false);
    control->setZoomLevel(-40);
    EXPECT_TRUE(grabbed());
    control->resize(10, 5);
    EXPECT_TRUE(grabbed());
}

TEST(ZoomControlFocus, KeysItActsOnWinOverWindowShortcuts)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* control = new TZoomControl;
    layout->addWidget(control);
    int triggered = 0;
    auto* home = new QAction(&window);
    home->setShortcut(Qt::Key_Home);
    window.addAction(home);
    QObject::connect(home, &QAction::triggered, &window, [&] { ++triggered; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control->setFocus();
    ASSERT_TRUE(control->hasFocus());

    QTest::keyClick(control, Qt::Key_Home);
    EXPECT_EQ(control->zoomLevel(), 0);
    EXPECT_EQ(triggered, 0);
    // On the minus button Home means nothing to the control, so the window's shortcut runs.
    QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(control->focusPart(), Focus::MinusPart);
    QTest::keyClick(control, Qt::Key_Home);
    EXPECT_EQ(triggered, 1);
}

TEST_F(ZoomControlInput, HintPopsUpOverTheLabelOnlyWhenHintsAreShown)
{
    const auto askForHint = [&](QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, control->mapToGlobal(at));
        QApplication::sendEvent(control.get(), &help);
    };
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);
    moveTo({20, 20});
    askForHint({20, 20});
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), zoomLabelHint());
    // Moving off the label empties the hint and takes the pop-up away (after the style's
    // short hiding delay).
    moveTo(control->minusRect().center());
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));

    control->setShowHint(false);
    moveTo({20, 20});
    EXPECT_EQ(control->toolTip(), zoomLabelHint());
    askForHint({20, 20});
    EXPECT_FALSE(QToolTip::isVisible());
}
