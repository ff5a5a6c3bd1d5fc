#include "ui/SettingsWin.h"

#include "base/Errors.h"
#include "settings/AppSettings.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quillery;

namespace {

using quillery::test::s;

// Types text key by key; unlike QTest::keyClicks it takes characters beyond ASCII.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

class SettingsWin : public ::testing::Test {
protected:
    void SetUp() override { open(AppSettings()); }

    void open(const AppSettings& settings)
    {
        dialog = std::make_unique<TsettingsFrm>(settings);
        dialog->show();
        code = find<QLineEdit>("eDashCode");
        dash = find<QLineEdit>("eDashChar");
        descr = find<QLineEdit>("eDescr");
        presets = find<QComboBox>("cbDashPresets");
        spaces = find<QCheckBox>("cbDashSpaces");
        separator = find<QComboBox>("eSubtitleSeparator");
        ok = find<QPushButton>("btnOk");
    }

    template <typename T> T* find(const char* name)
    {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Types into the codepoint box over what it holds, as the masked box does: from the first
    // place after "U+", overwriting.
    void typeCode(const QString& digits)
    {
        code->setFocus();
        code->setCursorPosition(2);
        typeText(code, digits);
    }

    void typeDash(const QString& text)
    {
        dash->setFocus();
        dash->selectAll();
        typeText(dash, text);
    }

    QString shownCode() const { return code->displayText(); }
    QString preset() const { return presets->currentText(); }

    test::ScriptedDialogsScope dialogs;
    std::unique_ptr<TsettingsFrm> dialog;
    QLineEdit* code = nullptr;
    QLineEdit* dash = nullptr;
    QLineEdit* descr = nullptr;
    QComboBox* presets = nullptr;
    QCheckBox* spaces = nullptr;
    QComboBox* separator = nullptr;
    QPushButton* ok = nullptr;
};

} // namespace

TEST_F(SettingsWin, ShowsTheSettingsItWasGiven)
{
    EXPECT_EQ(dialog->windowTitle(), s("Settings"));
    EXPECT_EQ(shownCode(), s("U+2014"));
    EXPECT_EQ(dash->text(), s("—"));
    EXPECT_EQ(descr->text(), s("EM DASH"));
    EXPECT_FALSE(spaces->isChecked());
    EXPECT_EQ(preset(), s("English (EM dash)"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(separator->currentText(), s(": "));
    EXPECT_EQ(find<QLabel>("lblSubtitleSeparatorCharacters")->text(),
              s("U+003A COLON, U+0020 SPACE"));
    EXPECT_EQ(find<QLabel>("lblFullTitleSample")->text(),
              s("The Old New Thing: Practical Development Throughout the Evolution of Windows"));
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->toPlainText(), TsettingsFrm::escapeExplanation());
    EXPECT_TRUE(find<QCheckBox>("cbEscapeHTML")->isChecked());
    EXPECT_EQ(find<QCheckBox>("cbEscapeHTML")->text(), s("Escape <, >, and &&"));
}

TEST_F(SettingsWin, SwedishPresetSetsAllThreeBoxesAndTheSpacing)
{
    presets->setCurrentIndex(0);
    Q_EMIT presets->activated(0);
    EXPECT_EQ(shownCode(), s("U+2013"));
    EXPECT_EQ(dash->text(), s("–"));
    EXPECT_EQ(descr->text(), s("EN DASH"));
    EXPECT_TRUE(spaces->isChecked());
    EXPECT_EQ(preset(), s("Swedish (space-EN dash-space)"));
    spaces->click();
    EXPECT_EQ(presets->currentIndex(), -1);
    presets->setCurrentIndex(1);
    Q_EMIT presets->activated(1);
    EXPECT_EQ(shownCode(), s("U+2014"));
    EXPECT_FALSE(spaces->isChecked());
}

TEST_F(SettingsWin, TypingACodeUpdatesCharacterDescriptionAndPreset)
{
    spaces->setChecked(true);
    typeCode(s("2013"));
    EXPECT_EQ(shownCode(), s("U+2013"));
    EXPECT_EQ(dash->text(), s("–"));
    EXPECT_EQ(descr->text(), s("EN DASH"));
    EXPECT_EQ(preset(), s("Swedish (space-EN dash-space)"));

    typeCode(s("2014"));
    EXPECT_EQ(dash->text(), s("—"));
    EXPECT_EQ(descr->text(), s("EM DASH"));
    // EM dash with spaces is no preset.
    EXPECT_EQ(presets->currentIndex(), -1);
}

TEST_F(SettingsWin, ACodeBeingTypedIsNotRewritten)
{
    code->setFocus();
    code->selectAll();
    QTest::keyClick(code, Qt::Key_Delete);
    typeText(code, s("41"));
    // "41" stays as typed, not "0041", while the other boxes follow.
    EXPECT_EQ(shownCode(), s("U+41  "));
    EXPECT_EQ(dash->text(), s("A"));
    EXPECT_EQ(descr->text(), s("LATIN CAPITAL LETTER A"));
}

TEST_F(SettingsWin, TypingADashSelectsItsPreset)
{
    spaces->setChecked(true);
    typeDash(s("–"));
    EXPECT_EQ(shownCode(), s("U+2013"));
    EXPECT_EQ(preset(), s("Swedish (space-EN dash-space)"));
    spaces->setChecked(false);
    typeDash(s("—"));
    EXPECT_EQ(shownCode(), s("U+2014"));
    EXPECT_EQ(descr->text(), s("EM DASH"));
    EXPECT_EQ(preset(), s("English (EM dash)"));
    typeDash(s("-"));
    EXPECT_EQ(shownCode(), s("U+002D"));
    EXPECT_EQ(descr->text(), s("HYPHEN-MINUS"));
    EXPECT_EQ(presets->currentIndex(), -1);
}

TEST_F(SettingsWin, ArrowKeysStepTheCodeInEitherBox)
{
    for (QLineEdit* box : {code, dash}) {
        SCOPED_TRACE(box->objectName().toStdString());
        typeCode(s("2013"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(shownCode(), s("U+2014"));
        EXPECT_EQ(dash->text(), s("—"));
        EXPECT_EQ(preset(), s("English (EM dash)"));
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(shownCode(), s("U+2012"));
        EXPECT_EQ(descr->text(), s("FIGURE DASH"));
    }
}

TEST_F(SettingsWin, StepsStopAtTheEndsOfTheRange)
{
    typeCode(s("FFFF"));
    QTest::keyClick(code, Qt::Key_Up);
    EXPECT_EQ(shownCode(), s("U+FFFF"));
    typeCode(s("0001"));
    QTest::keyClick(code, Qt::Key_Down);
    QTest::keyClick(code, Qt::Key_Down);
    EXPECT_EQ(shownCode(), s("U+0000"));
}

TEST_F(SettingsWin, OkNeedsExactlyOneCharacter)
{
    dash->setFocus();
    dash->selectAll();
    QTest::keyClick(dash, Qt::Key_Delete);
    EXPECT_EQ(dash->text(), s(""));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(presets->currentIndex(), -1);
    // Enter reaches the default button's dialog but cannot close it.
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    typeText(dash, s("x"));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(shownCode(), s("U+0078"));
}

TEST_F(SettingsWin, CodesThatAreNoCharacterOfTheirOwnDisableOk)
{
    // U+0000 would end the text, and a surrogate half is only half a character.
    for (const char* typed : {"0000", "D800", "DFFF"}) {
        SCOPED_TRACE(typed);
        typeCode(s(typed));
        EXPECT_EQ(dash->text(), s(""));
        EXPECT_FALSE(ok->isEnabled());
        typeCode(s("2013"));
        EXPECT_TRUE(ok->isEnabled());
    }
}

TEST_F(SettingsWin, ABadDigitIsRefusedAndTheTypingKept)
{
    typeCode(s("201G"));
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().text, s("The base-N digit G is not used in base 16."));
    EXPECT_EQ(dialogs->last().icon, QMessageBox::Critical);
    EXPECT_EQ(shownCode(), s("U+201G"));
    // The last good code still rules the other boxes.
    EXPECT_EQ(dash->text(), s("—"));
}

TEST_F(SettingsWin, OkTakesOnlyADashBothBoxesAgreeOn)
{
    const QString beyond = s("Characters beyond U+FFFF cannot be the dash.");
    const auto clearCode = [this] {
        code->setFocus();
        code->selectAll();
        QTest::keyClick(code, Qt::Key_Delete);
    };
    const auto paste = [](QLineEdit* box, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    };
    struct Case {
        const char* name;
        std::function<void()> edit;
        const char* code; // as shown
        QString dash;
        bool ok;
        char16_t applied; // the dash applyTo gives; the dialog opened with U+2014
        QString descr;    // empty: not checked
    };
    const Case cases[] = {
        {"a typed code", [&] { typeCode(s("2013")); }, "U+2013", s("–"), true, 0x2013,
         s("EN DASH")},
        {"a bad digit after 20",
         [&] {
             clearCode();
             typeText(code, s("20G"));
         },
         "U+20G ", s(" "), false, 0x2014, s("SPACE")},
        {"an unfinished 2",
         [&] {
             clearCode();
             typeText(code, s("2"));
         },
         "U+2   ", s("\u0002"), false, 0x2014, s("<control>")},
        {"Escape after an unfinished code",
         [&] {
             clearCode();
             typeText(code, s("2"));
             code->setCursorPosition(2);
             QTest::keyClick(code, Qt::Key_Delete);
             QTest::keyClick(code, Qt::Key_Escape);
         },
         "U+2014", s("—"), true, 0x2014, s("EM DASH")},
        {"U+001F", [&] { typeCode(s("001F")); }, "U+001F", s("\u001F"), false, 0x2014, {}},
        {"U+0020", [&] { typeCode(s("0020")); }, "U+0020", s(" "), true, 0x0020, {}},
        {"U+007E", [&] { typeCode(s("007E")); }, "U+007E", s("~"), true, 0x007E, {}},
        {"U+007F", [&] { typeCode(s("007F")); }, "U+007F", s("\u007F"), false, 0x2014, {}},
        {"U+009F", [&] { typeCode(s("009F")); }, "U+009F", s("\u009F"), false, 0x2014, {}},
        {"U+00A0", [&] { typeCode(s("00A0")); }, "U+00A0", s("\u00A0"), true, 0x00A0, {}},
        {"a control character pasted as the character",
         [&] { paste(dash, s("\u0007")); },
         "U+0007",
         s("\u0007"),
         false,
         0x2014,
         {}},
        {"the character box emptied",
         [&] {
             dash->setFocus();
             dash->selectAll();
             QTest::keyClick(dash, Qt::Key_Delete);
         },
         "U+2014", s(""), false, 0x2014, s("EM DASH")},
        {"a character beyond U+FFFF typed",
         [&] {
             dash->setFocus();
             dash->selectAll();
             QTest::sendKeyEvent(QTest::Press, dash, Qt::Key_unknown, s("\U0001F600"),
                                 Qt::NoModifier);
         },
         "U+    ", s(""), false, 0x2014, beyond},
        {"a character beyond U+FFFF pasted", [&] { paste(dash, s("\U0001F600")); }, "U+    ", s(""),
         false, 0x2014, beyond},
        {"a fifth digit typed", [&] { typeCode(s("1F600")); }, "U+1F60", s(""), false, 0x2014,
         beyond},
        {"a code beyond U+FFFF pasted", [&] { paste(code, s("U+1F600")); }, "U+    ", s(""), false,
         0x2014, beyond},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(AppSettings());
        c.edit();
        EXPECT_EQ(shownCode(), s(c.code));
        EXPECT_EQ(dash->text(), c.dash);
        EXPECT_EQ(ok->isEnabled(), c.ok);
        if (!c.descr.isEmpty()) {
            EXPECT_EQ(descr->text(), c.descr);
        }
        AppSettings result;
        dialog->applyTo(result);
        EXPECT_EQ(result.dashChar, QChar(c.applied));
    }
}

TEST(SettingsWinCodepoint, ReadsBase16WithTheMessagesOfABadDigit)
{
    struct Case {
        const char* value;
        int code;
        const char* error;
    };
    const Case cases[] = {
        {"2013", 0x2013, nullptr},
        {"ff", 0xFF, nullptr},
        {"#20$13", 0x2013, nullptr},
        {"", 0, nullptr},
        {"123456789abc", 0x7FFFFFFF, nullptr}, // too large: stays at the largest int
        {"G", 0, "The base-N digit G is not used in base 16."},
        {"z1", 0, "The base-N digit z is not used in base 16."},
        {"2-", 0, "Invalid base-N digit: -"},
        {"2 1", 0, "Invalid base-N digit:  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.error) {
            try {
                TsettingsFrm::readCodepoint(s(c.value));
                ADD_FAILURE() << "no error";
            } catch (const Error& e) {
                EXPECT_EQ(e.message(), s(c.error));
            }
        } else {
            EXPECT_EQ(TsettingsFrm::readCodepoint(s(c.value)), c.code);
        }
    }
}

TEST_F(SettingsWin, AnUnfinishedCodeIsRefusedOnOkAndEscapeAbandonsIt)
{
    typeCode(s("2013"));
    code->setCursorPosition(2);
    QTest::keyClick(code, Qt::Key_Delete);
    EXPECT_EQ(shownCode(), s("U+ 013"));
    EXPECT_EQ(dash->text(), s("\u0013"));
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().text, s("Invalid input value.  Use escape key to abandon changes"));
    QTest::keyClick(code, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(shownCode(), s("U+2013"));
    EXPECT_EQ(dash->text(), s("–"));
}

TEST_F(SettingsWin, SeparatorListsItsCharactersAndShowsTheSample)
{
    struct Case {
        const char* separator;
        const char* characters;
        const char* sample;
    };
    const Case cases[] = {
        {" – ", "U+0020 SPACE, U+2013 EN DASH, U+0020 SPACE",
         "The Old New Thing – Practical Development Throughout the Evolution of Windows"},
        {"(", "U+0028 LEFT PARENTHESIS",
         "The Old New Thing (Practical Development Throughout the Evolution of Windows)"},
        {"", "", "The Old New ThingPractical Development Throughout the Evolution of Windows"},
    };
    auto* characters = find<QLabel>("lblSubtitleSeparatorCharacters");
    auto* sample = find<QLabel>("lblFullTitleSample");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.separator);
        separator->setEditText(s(c.separator));
        EXPECT_EQ(characters->text(), s(c.characters));
        EXPECT_EQ(sample->text(), s(c.sample));
    }
    separator->setCurrentIndex(2);
    EXPECT_EQ(separator->currentText(), s(" – "));
    EXPECT_EQ(characters->text(), s("U+0020 SPACE, U+2013 EN DASH, U+0020 SPACE"));
}

TEST_F(SettingsWin, ALongSeparatorsCharacterListScrollsWithinThePage)
{
    auto* characters = find<QLabel>("lblSubtitleSeparatorCharacters");
    auto* area = find<QScrollArea>("sbSubtitleSeparatorCharacters");
    ASSERT_NE(area, nullptr);
    auto* sample = find<QLabel>("lblFullTitleSample");
    const QWidget* page = find<QWidget>("tsGeneral");
    struct Case {
        const char* name;
        QString separator;
        bool scrolls;
    };
    const Case cases[] = {
        {"colon and space", s(": "), false},
        {"40 characters", s(" \u2013 \u2014 ").repeated(8), true},
    };
    ASSERT_EQ(cases[1].separator.size(), 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        separator->setEditText(c.separator);
        QCoreApplication::processEvents();
        // The list and the sample below it stay inside the page.
        for (const QWidget* w : std::initializer_list<const QWidget*>{area, sample}) {
            const QRect inPage(w->mapTo(page, QPoint(0, 0)), w->size());
            EXPECT_TRUE(page->rect().contains(inPage)) << w->objectName().toStdString();
        }
        // The list is laid out whole, and scrolling reaches all of it.
        EXPECT_GE(characters->height(), characters->heightForWidth(characters->width()));
        EXPECT_LE(characters->width(), area->viewport()->width());
        EXPECT_EQ(area->verticalScrollBar()->maximum() + area->viewport()->height(),
                  characters->height());
        EXPECT_EQ(area->verticalScrollBar()->isVisible(), c.scrolls);
        EXPECT_GE(sample->height(), sample->heightForWidth(sample->width()));
    }
}

TEST_F(SettingsWin, SeparatorItemsAndTypingWithoutCompletion)
{
    QStringList items;
    for (int i = 0; i < separator->count(); ++i)
        items << separator->itemText(i);
    EXPECT_EQ(items, (QStringList{s(": "), s("–"), s(" – "), s("—"), s(" — "), s("(")}));
    separator->setFocus();
    separator->lineEdit()->selectAll();
    typeText(separator, s(":"));
    EXPECT_EQ(separator->currentText(), s(":"));
    EXPECT_EQ(find<QLabel>("lblSubtitleSeparatorCharacters")->text(), s("U+003A COLON"));
}

TEST_F(SettingsWin, OkGivesTheEditedValuesBack)
{
    AppSettings given;
    given.synonymsEBook = {s("e-book"), s(""), s("Kindle")};
    given.synonymsHardcover = {};
    given.escapeHtml = false;
    given.subtitleSeparator = s(" — ");
    open(given);
    EXPECT_FALSE(find<QCheckBox>("cbEscapeHTML")->isChecked());
    EXPECT_EQ(separator->currentText(), s(" — "));

    presets->setCurrentIndex(0);
    Q_EMIT presets->activated(0);
    find<QPlainTextEdit>("lbSynonymsPaperback")->setPlainText(s("pocket\ncheap\u00A0book"));
    find<QCheckBox>("cbEscapeHTML")->setChecked(true);
    ok->click();
    ASSERT_TRUE(dialog->closedWithOk());

    AppSettings result = given;
    dialog->applyTo(result);
    AppSettings expected = given;
    expected.dashChar = QChar(0x2013);
    expected.dashSpaced = true;
    expected.escapeHtml = true;
    expected.synonymsPaperback = {s("pocket"), s("cheap\u00A0book")};
    EXPECT_EQ(result, expected);
}

TEST_F(SettingsWin, EmptyLinesAtTheEndOfASynonymMemoStoreNothing)
{
    struct Case {
        const char* name;
        std::function<void(QPlainTextEdit*)> edit;
        QStringList stored;
    };
    const auto pressEnterAtTheEnd = [](int times) {
        return [times](QPlainTextEdit* memo) {
            QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
            for (int i = 0; i < times; ++i)
                QTest::keyClick(memo, Qt::Key_Return);
        };
    };
    const Case cases[] = {
        {"Ctrl+End, Enter", pressEnterAtTheEnd(1), {s("e-book"), s(""), s("Kindle")}},
        {"Ctrl+End, Enter, Enter", pressEnterAtTheEnd(2), {s("e-book"), s(""), s("Kindle")}},
        {"a new last entry after an empty line",
         [](QPlainTextEdit* memo) {
             QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClick(memo, Qt::Key_Return);
             QTest::keyClicks(memo, s("Nook"));
         },
         {s("e-book"), s(""), s("Kindle"), s(""), s("Nook")}},
        {"only empty lines", [](QPlainTextEdit* memo) { memo->setPlainText(s("\n\n")); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppSettings given;
        given.synonymsEBook = {s("e-book"), s(""), s("Kindle")};
        open(given);
        auto* memo = find<QPlainTextEdit>("lbSynonymsEBook");
        memo->setFocus();
        c.edit(memo);
        ok->click();
        ASSERT_TRUE(dialog->closedWithOk());
        AppSettings result = given;
        dialog->applyTo(result);
        EXPECT_EQ(result.synonymsEBook, c.stored);
    }
}

TEST_F(SettingsWin, CancelReportsNoOk)
{
    find<QPushButton>("btnCancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->closedWithOk());
}
