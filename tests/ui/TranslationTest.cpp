// The window in the user's language: the Swedish captions with the Swedish translation, the
// source texts where none is installed, the language chosen in Settings taken at the next start,
// and the window's own counts in the language's number format.

#include "ui/Translation.h"
#include "catalogue/BookFile.h"
#include "catalogue/BookIndex.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "exchange/Import.h"
#include "settings/RegFileStore.h"
#include "ui/CountTexts.h"
#include "ui/MainWin.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

// Every text the window shows of its own, in the order of its widgets and actions.
QStringList windowTexts(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip() << w->statusTip() << w->accessibleName()
              << w->accessibleDescription();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (const auto* box = qobject_cast<const QGroupBox*>(w))
            texts << box->title();
        else if (const auto* menu = qobject_cast<const QMenu*>(w))
            texts << menu->title();
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            texts << edit->placeholderText();
        else if (const auto* legend = qobject_cast<const QPlainTextEdit*>(w);
                 legend && legend->isReadOnly())
            texts << legend->toPlainText();
        else if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
    }
    for (const QAction* action : window.findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    return texts;
}

class Translation : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        writeBookFile(bookFilePath(m_cat, s("Emma")), BookRecord(),
                      QDateTime(QDate(2020, 1, 1), {}), s("1.2.0.0"));
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                     "\r\n\"Directory\"=\"" +
                                         m_cat.toUtf8() + "\"\r\n\r\n");
    }
    // Every other test runs in English.
    void TearDown() override { applyLanguage(QString()); }

    std::unique_ptr<TmainFrm> start()
    {
        auto window = std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(m_settings));
        window->show();
        return window;
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settings;
    test::ScriptedDialogsScope m_dialogs;
};

TEST_F(Translation, TheMainWindowInSwedishShowsSwedishCaptions)
{
    applyLanguage(s("sv"));
    auto w = start();
    const auto tabs = w->findChild<QTabWidget*>(s("MainPageControl"));
    const auto legend = w->findChild<QPlainTextEdit*>(s("mFormatLegend"))->toPlainText();
    const struct {
        QString shown;
        const char* swedish;
    } cases[] = {
        {w->findChild<QMenu*>(s("mnuView"))->title(), "Visa"},
        {w->findChild<QAction*>(s("aNewItem"))->property("caption").toString(), "Ny bok"},
        {w->findChild<QAction*>(s("aHints"))->toolTip(),
         "Visar eller döljer inforutor (verktygstips). (Skift+Ctrl+H)"},
        {tabs->tabText(0), "Postegenskaper"},
        {w->findChild<QLabel*>(s("lblAuthor"))->text(), "&Författare:"},
        {w->findChild<QWidget*>(s("eAuthor"))->accessibleName(), "Författare"},
        {w->findChild<QWidget*>(s("eAuthor"))->toolTip(), "Bokens författare."},
        {w->findChild<QLineEdit*>(s("eFilter"))->placeholderText(), "Sök böcker (Ctrl+L)"},
        {w->findChild<QComboBox*>(s("cbSortBy"))->itemText(1), "Författare"},
        {legend.section(u'\n', 0, 0), "%A\tFörfattare"},
        {w->findChild<QLabel*>(s("statusCount"))->text(), "1 bok i katalogen."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, s(c.swedish));
}

TEST_F(Translation, WithoutATranslationEveryTextIsTheSourceText)
{
    const QStringList english = windowTexts(*start());
    EXPECT_TRUE(english.contains(s("Item Properties")));
    EXPECT_TRUE(english.contains(s("&Author:")));
    applyLanguage(s("de"));
    const QStringList german = windowTexts(*start());
    ASSERT_EQ(german.size(), english.size());
    EXPECT_NE(german, english);
    // Taken back, and in any language nobody translated, nothing of the translation stays.
    for (const char* language : {"", "en", "C", "fi"}) {
        applyLanguage(s(language));
        EXPECT_EQ(windowTexts(*start()), english) << language;
    }
}

TEST_F(Translation, TheLanguageChosenInSettingsIsStoredAndTakenAtTheNextStart)
{
    {
        auto w = start();
        m_dialogs->answer([](QDialog& dialog) {
            auto* language = dialog.findChild<QComboBox*>(s("cbLanguage"));
            language->setCurrentIndex(language->findText(s("Svenska")));
            dialog.findChild<QPushButton*>(s("btnOk"))->click();
        });
        w->findChild<QAction*>(s("aSettings"))->trigger();
        // The window made before keeps its texts.
        EXPECT_EQ(w->findChild<QMenu*>(s("mnuView"))->title(), s("View"));
        w->close();
    }
    EXPECT_TRUE(test::readBytes(m_settings).contains("\"Language\"=\"sv\"\r\n"));

    RegFileStore store(m_settings);
    applyStoredLanguage(&store);
    auto w = start();
    EXPECT_EQ(w->findChild<QMenu*>(s("mnuView"))->title(), s("Visa"));
    EXPECT_EQ(w->settings().language, s("sv"));
}

TEST(CountTexts, AreTheCommandLinesTextsInEnglishAndFollowTheLanguagesNumbers)
{
    const QStringList names{s("a"), s("b")};
    const struct {
        QString window;
        QString commandLine;
    } english[] = {
        {bookCountLine(12345), bookCountText(12345)},
        {shownBooksLine(0, 12345), shownBooksText(0, 12345)},
        {undecodableNamesLine(2), undecodableNamesText(2)},
        {booksUpgradedLine(1), booksUpgradedText(1)},
        {shelfLeftOutLine(names), shelfLeftOutText(names)},
        {importSummaryLine(1, 2, 3), importSummaryText(1, 2, 3)},
    };
    for (const auto& c : english)
        EXPECT_EQ(c.window, c.commandLine);

    applyLanguage(s("de"));
    EXPECT_EQ(bookCountLine(12345), s("12.345 Bücher in diesem Katalog."));
    EXPECT_EQ(bookCountLine(1), s("1 Buch in diesem Katalog."));
    applyLanguage(s("sv"));
    EXPECT_EQ(shownBooksLine(2, 12345), s("2 av 12\u00a0345 böcker visas."));
    EXPECT_EQ(booksUpgradedLine(1), s("1 bok uppgraderades."));
    applyLanguage(QString());
}

} // namespace
