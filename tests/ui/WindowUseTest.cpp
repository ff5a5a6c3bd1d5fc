// The main window as a user works it with the keyboard and the mouse: the selected entry is the
// loaded book, shortcuts work wherever the focus is, and the window keeps the user's place.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"
#include "ui/MainWin.h"
#include "ui/TaskDialog.h"
#include "ui/WindowPlace.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

class WindowUse : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        for (const char* title : {"Emma", "Persuasion", "Villette"}) {
            BookRecord r;
            r[Field::Title] = s(title);
            writeBookFile(bookFilePath(m_cat, s(title)), r, QDateTime(QDate(2020, 1, 1), {}),
                          s("1.2.0.0"));
        }
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                     "\r\n\"Directory\"=\"" +
                                         m_cat.toUtf8() + "\"\r\n\"Format\"=\"%T\"\r\n\r\n");
    }

    std::unique_ptr<TmainFrm> start(const QStringList& arguments = {})
    {
        auto window =
            std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(m_settings), arguments);
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        return window;
    }

    template <typename T> static T* child(TmainFrm& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QListWidget* list(TmainFrm& w) { return child<QListWidget>(w, "lbBooks"); }

    // Selects an entry as a click does.
    static void click(TmainFrm& w, const char* name)
    {
        QListWidget* books = list(w);
        const QList<QListWidgetItem*> items = books->findItems(s(name), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name;
        QTest::mouseClick(books->viewport(), Qt::LeftButton, {},
                          books->visualItemRect(items[0]).center());
    }

    static QString selected(TmainFrm& w)
    {
        const QList<QListWidgetItem*> items = list(w)->selectedItems();
        return items.isEmpty() ? QString() : items[0]->text();
    }

    QString book(const char* name) const { return bookFilePath(m_cat, s(name)); }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settings;
    test::ScriptedDialogsScope m_dialogs;
};

} // namespace

TEST_F(WindowUse, EveryWayOfSelectingAnEntryLoadsItsBook)
{
    auto w = start();
    QListWidget* books = list(*w);
    books->setFocus();
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* loaded;
    };
    const QList<Step> steps = {
        {"Space on the first entry", [&] { QTest::keyClick(books, Qt::Key_Space); }, "Emma"},
        {"End", [&] { QTest::keyClick(books, Qt::Key_End); }, "Villette"},
        {"Up", [&] { QTest::keyClick(books, Qt::Key_Up); }, "Persuasion"},
        {"Down", [&] { QTest::keyClick(books, Qt::Key_Down); }, "Villette"},
        {"Home again", [&] { QTest::keyClick(books, Qt::Key_Home); }, "Emma"},
        {"type-ahead",
         [&] { // Typed after the pause that starts a new search.
             QTest::qWait(QApplication::keyboardInputInterval() + 100);
             QTest::keyClicks(books, s("vil"));
             ;
         },
         "Villette"},
        {"press and release outside",
         [&] {
             QTest::mousePress(books->viewport(), Qt::LeftButton, {},
                               books->visualItemRect(books->item(1)).center());
             QTest::mouseRelease(books->viewport(), Qt::LeftButton, {}, QPoint(-20, -20));
         },
         "Persuasion"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(selected(*w), s(step.loaded));
        EXPECT_EQ(w->currentBookFile(), book(step.loaded));
    }

    // A book that cannot be saved keeps the editor and the selection on itself.
    child<QLineEdit>(*w, "eTitle")->setText(s("Edited"));
    QFile::remove(book("Persuasion"));
    QDir().mkdir(book("Persuasion"));
    m_dialogs->shown.clear();
    QTest::keyClick(books, Qt::Key_Down);
    ASSERT_FALSE(m_dialogs->shown.empty());
    EXPECT_EQ(w->currentBookFile(), book("Persuasion"));
    EXPECT_EQ(selected(*w), s("Persuasion"));
    QDir().rmdir(book("Persuasion"));
}

TEST_F(WindowUse, TheFolderBoxTakesARelativePathAsAFullOne)
{
    auto w = start();
    QDir().mkpath(m_dir.filePath(s("cat/empty")));
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    auto* eDir = child<QLineEdit>(*w, "eDir");
    eDir->setText(s("cat/empty"));
    QTest::keyClick(eDir, Qt::Key_Return);
    QDir::setCurrent(before);
    EXPECT_EQ(w->currentDir(), withTrailingSeparator(m_dir.filePath(s("cat/empty"))));
    EXPECT_TRUE(QDir::isAbsolutePath(w->currentDir()));
}

TEST_F(WindowUse, ShortcutsWorkWhileALineEditHasTheFocus)
{
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Emma")));
    auto* title = child<QLineEdit>(*w, "eTitle");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(m_dialogs->opened.size(), 1u);
    EXPECT_EQ(m_dialogs->opened[0], QUrl::fromLocalFile(m_cat));
}

TEST_F(WindowUse, TheFormatIsExactlyWhatIsTypedAndTheReportFileStartsWithoutAName)
{
    auto w = start();
    auto* format = child<QComboBox>(*w, "eFormat");
    format->setFocus();
    format->lineEdit()->clear();
    QTest::keyClicks(format->lineEdit(), s("%A"));
    child<QLineEdit>(*w, "eDir")->setFocus();
    EXPECT_EQ(format->currentText(), s("%A"));
    EXPECT_EQ(w->session().formatText(), s("%A"));

    m_dialogs->cancel();
    child<QAction>(*w, "aGenFile")->trigger();
    EXPECT_EQ(m_dialogs->last().text, m_cat); // the folder it opens in
    EXPECT_EQ(m_dialogs->last().initial, QString());
}

TEST_F(WindowUse, PreviewsShowTheLoadedBookOrNothing)
{
    auto w = start({book("Emma")});
    auto* preview = child<QTextEdit>(*w, "reRefPreview");
    EXPECT_EQ(preview->toPlainText(), s("Emma"));
    EXPECT_FALSE(child<QTextEdit>(*w, "reDataLinks")->toPlainText().isEmpty());

    // A broken format: the next book's preview is empty, never the book before's.
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T%Z"));
    click(*w, "Persuasion");
    EXPECT_EQ(w->currentBookFile(), book("Persuasion"));
    EXPECT_EQ(preview->toPlainText(), QString());
    // Repeating the failure goes to the status bar, not to another box.
    m_dialogs->shown.clear();
    child<QLineEdit>(*w, "eEdition")->setText(s("2"));
    child<QLineEdit>(*w, "eEdition")->setText(s("3"));
    EXPECT_TRUE(m_dialogs->shown.empty());
    EXPECT_EQ(child<QLabel>(*w, "statusHint")->text(), s("Invalid token starting with %Z at 3."));

    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T"));
    click(*w, "Villette");
    m_dialogs->answer(101); // Remove
    child<QAction>(*w, "aDelItem")->trigger();
    // The neighbour is loaded now, and its previews show it.
    EXPECT_EQ(w->currentBookFile(), book("Persuasion"));
    EXPECT_EQ(preview->toPlainText(), s("Persuasion"));
}

TEST_F(WindowUse, DestructiveQuestionsDefaultToTheSafeAnswer)
{
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Emma")));
    m_dialogs->cancel();
    child<QAction>(*w, "aDelItem")->trigger();
    EXPECT_EQ(m_dialogs->last().task.defaultButton, 102); // Keep
    TaskDialog dialog(m_dialogs->last().task);
    auto* keep = dialog.findChild<QCommandLinkButton*>(s("commandLink102"));
    ASSERT_NE(keep, nullptr);
    EXPECT_TRUE(keep->isDefault());
    EXPECT_FALSE(dialog.findChild<QCommandLinkButton*>(s("commandLink101"))->autoDefault());

    qputenv("QUILLERY_DIALOG_FORM", "messagebox");
    child<QAction>(*w, "aDelItem")->trigger();
    qunsetenv("QUILLERY_DIALOG_FORM");
    EXPECT_EQ(m_dialogs->last().defaultButton, QMessageBox::No);
}

TEST_F(WindowUse, TheListShowsWholeNamesAndTheLastBookComesBackAtStart)
{
    writeBookFile(book("Kernighan - The C Programming Language, Second Edition"), BookRecord());
    {
        auto w = start();
        for (int i = 0; i < list(*w)->count(); ++i)
            EXPECT_EQ(list(*w)->item(i)->toolTip(), list(*w)->item(i)->text());
        ASSERT_TRUE(w->selectBook(s("Villette")));
        w->close();
    }
    auto w = start();
    EXPECT_EQ(w->currentBookFile(), book("Villette"));
    EXPECT_EQ(selected(*w), s("Villette"));
}

TEST(WindowPlace, TheWindowOpensWithinTheScreen)
{
    const QSize designed(952, 746);
    struct Case {
        const char* what;
        QRect available;
        QRect last;
        QRect place;
    };
    const QList<Case> cases = {
        {"fits", {0, 0, 1920, 1040}, {}, {484, 147, 952, 746}},
        {"small screen", {0, 0, 800, 600}, {}, {0, 0, 800, 600}},
        {"tall scaling", {0, 0, 1280, 696}, {}, {164, 0, 952, 696}},
        {"last place", {0, 0, 1920, 1040}, {100, 50, 1200, 900}, {100, 50, 1200, 900}},
        {"last place too big", {0, 0, 800, 600}, {100, 50, 1200, 900}, {0, 0, 800, 600}},
        {"last place off the screen", {0, 0, 800, 600}, {2000, 50, 300, 300}, {0, 0, 800, 600}},
        {"second screen", {1920, 0, 1280, 1000}, {}, {2084, 127, 952, 746}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(initialWindowPlace(designed, c.available, c.last), c.place) << c.what;
}

TEST_F(WindowUse, TheListAndThePagesGrowWithTheWindowAndItsPlaceIsKept)
{
    auto w = start();
    const int listWidth = list(*w)->width();
    const int pagesWidth = child<QWidget>(*w, "MainPageControl")->width();
    w->resize(w->width() - 200, w->height() - 100);
    QCoreApplication::processEvents();
    EXPECT_LT(list(*w)->width(), listWidth);
    EXPECT_LT(child<QWidget>(*w, "MainPageControl")->width(), pagesWidth);
    const QRect place = w->normalGeometry();
    w->close();
    RegFileStore store(m_settings);
    EXPECT_EQ(LoadAppSettings(store).window, place);
}

TEST_F(WindowUse, SettingsThatCannotBeWrittenBackAreSavedElsewhereOrDiscardedAtClose)
{
    struct Case {
        const char* what;
        int answer;
        bool closed;
        bool savedElsewhere;
    };
    const QList<Case> cases = {
        {"save to another file", 301, true, true},
        {"discard", 302, true, false},
        {"cancel", int(QDialogButtonBox::Cancel), false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The user's own settings file (in this test process's own home).
        const QString userFile = userSettingsFilePath();
        QDir().mkpath(QFileInfo(userFile).absolutePath());
        test::writeBytes(userFile, "not a registry file");
        const QString elsewhere = m_dir.filePath(s("elsewhere.reg"));
        QFile::remove(elsewhere);
        m_dialogs->shown.clear();
        auto w = std::make_unique<TmainFrm>();
        w->show();
        ASSERT_FALSE(m_dialogs->shown.empty());
        EXPECT_TRUE(m_dialogs->shown[0].text.contains(s("The file is left as it is.")));
        child<QAction>(*w, "aHints")->trigger();
        m_dialogs->answer(c.answer);
        if (c.savedElsewhere)
            m_dialogs->answer(elsewhere);
        EXPECT_EQ(w->close(), c.closed);
        EXPECT_EQ(m_dialogs->shown.back().kind == test::ScriptedDialogs::Kind::Save,
                  c.savedElsewhere);
        EXPECT_EQ(test::readBytes(userFile), QByteArray("not a registry file"));
        EXPECT_EQ(QFile::exists(elsewhere), c.savedElsewhere);
        if (c.savedElsewhere) {
            RegFileStore store(elsewhere);
            EXPECT_FALSE(LoadAppSettings(store).tooltips);
        }
        if (!c.closed) {
            m_dialogs->answer(302);
            EXPECT_TRUE(w->close());
        }
    }
}

TEST_F(WindowUse, AStoredBadFormatIsNamedByItsPlace)
{
    AppSettings settings;
    settings.directory = m_cat;
    settings.formats = {s("%T"), s("%Z")};
    settings.format = s("%T");
    {
        RegFileStore store(m_settings);
        SaveAppSettings(store, settings);
    }
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Emma")));
    child<QComboBox>(*w, "eFormat")->setCurrentIndex(1);
    m_dialogs->shown.clear();
    child<QLineEdit>(*w, "eEdition")->setText(s("2"));
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->last().text, s("Format 2: Invalid token starting with %Z at 1."));
    child<QAction>(*w, "aGenClipbrd")->trigger();
    EXPECT_EQ(m_dialogs->last().text, s("Format 2: Invalid token starting with %Z at 1."));
}
