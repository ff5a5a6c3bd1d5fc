// What the window writes of a book: nothing for a visit, every character of an edit, and never
// over a change another program made meanwhile without asking.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;
using Kind = test::ScriptedDialogs::Kind;

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";

QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(65);
    for (char& c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

// Books a user may have in a catalogue that the program did not write, or not this way.
struct HostileBook {
    const char* name;
    QByteArray bytes;
};

std::vector<HostileBook> hostileBooks()
{
    const QByteArray lf = "[Cataloguing]\nTitle=Line feeds only\n[Additional]\nComments=x\n";
    QByteArray keys = "[Cataloguing]\r\n";
    for (int k = 0; k < 2000; ++k)
        keys += "Key" + QByteArray::number(k) + "=" + QByteArray::number(k) + "\r\n";
    const QString utf16Text = s("[Cataloguing]\r\nTitle=Straße\r\n");
    const QByteArray utf16 =
        "\xFF\xFE" +
        QByteArray(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    return {
        {"Empty", {}},
        {"Noise", noise(65 * 1024)},
        {"Line feeds", lf},
        {"Lone carriage returns", QByteArray(lf).replace('\n', '\r')},
        {"Comments and blanks",
         Bom + "; a comment\r\n\r\n  [Cataloguing]  \r\n\r\n  Title = Spaced  \r\n"},
        {"No sections", "Title=Outside every section\r\nAuthor=Nobody\r\n"},
        {"Doubled sections", "[Cataloguing]\r\nTitle=One\r\n[cataloguing]\r\nTitle=Two\r\n"},
        {"Invalid UTF-8", "[Cataloguing]\r\nTitle=Caf\xC3\xA9 M\xFCller\r\n"},
        {"Doubled mark", Bom + Bom + "[Cataloguing]\r\nTitle=Marked twice\r\n"},
        {"UTF-16", utf16},
        {"NUL bytes", QByteArray("[Cataloguing]\r\nTitle=a") + '\0' + "b\r\n"},
        {"Two thousand keys", keys},
        {"Long title", "[Cataloguing]\r\nTitle=" + QByteArray(100000, 't') + "\r\n"},
        {"Comments of many lines",
         Bom + "[Additional]\r\nComments=one\r\n\\r\\ntwo\u00A0\\r\\n\\u2028three\r\n"},
        {"Program version only", "[File information]\r\nProgram version=1.2.0.0\r\n"},
    };
}

class BookEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                     "\r\n\"Directory\"=\"" +
                                         m_cat.toUtf8() + "\"\r\n\"Format\"=\"%T\"\r\n\r\n");
    }

    QString book(const QString& name) const { return bookFilePath(m_cat, name); }

    void addBook(const QString& name, const BookRecord& record)
    {
        writeBookFile(book(name), record, QDateTime(QDate(2020, 1, 1), QTime(12, 0)), s("1.2.0.0"));
    }

    std::unique_ptr<TmainFrm> start()
    {
        auto window = std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(m_settings));
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    // Selects a list entry as a click does.
    static void click(TmainFrm& w, const QString& name)
    {
        auto* list = child<QListWidget>(w, "lbBooks");
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(items[0]).center());
    }

    template <typename T> static T* child(TmainFrm& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settings;
    test::ScriptedDialogsScope m_dialogs;
};

} // namespace

// A plain load and leave of any file, then closing the window, keeps every file byte-identical.
TEST_F(BookEditing, VisitingEveryHostileBookAndClosingChangesNoByte)
{
    const std::vector<HostileBook> books = hostileBooks();
    for (const HostileBook& b : books)
        test::writeBytes(book(s(b.name)), b.bytes);
    {
        auto w = start();
        for (const HostileBook& b : books)
            ASSERT_TRUE(w->selectBook(s(b.name))) << b.name;
        w->close();
    }
    for (const HostileBook& b : books)
        EXPECT_EQ(test::readBytes(book(s(b.name))), b.bytes) << b.name;
    EXPECT_TRUE(m_dialogs->shown.empty());
}

#ifdef Q_OS_UNIX
TEST_F(BookEditing, VisitingEntriesThatAreNoFilesRefusesThemAndLeavesThemBe)
{
    addBook(s("Good"), BookRecord());
    ASSERT_EQ(::mkfifo(QFile::encodeName(book(s("Pipe"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(s("/dev/zero"), book(s("Zero"))));
    ASSERT_TRUE(QDir(m_cat).mkdir(s("Folder.book")));
    auto w = start();
    for (const char* name : {"Pipe", "Zero", "Folder"}) {
        SCOPED_TRACE(name);
        m_dialogs->shown.clear();
        ASSERT_TRUE(w->selectBook(s("Good")));
        auto* list = child<QListWidget>(*w, "lbBooks");
        const QList<QListWidgetItem*> items = list->findItems(s(name), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        list->setCurrentItem(items[0]);
        ASSERT_EQ(m_dialogs->shown.size(), 1u);
        EXPECT_EQ(m_dialogs->last().icon, QMessageBox::Critical);
        EXPECT_TRUE(m_dialogs->last().text.startsWith(s("Cannot open file \"") + book(s(name))));
        EXPECT_EQ(w->currentBookFile(), book(s("Good")));
    }
    w->close();
    EXPECT_TRUE(QFileInfo(book(s("Pipe"))).exists());
    EXPECT_EQ(QFileInfo(book(s("Zero"))).symLinkTarget(), s("/dev/zero"));
    EXPECT_TRUE(QFileInfo(book(s("Folder"))).isDir());
}
#endif

TEST_F(BookEditing, ANewBookStaysEmptyUntilItsFirstEdit)
{
    auto w = start();
    m_dialogs->answer(s("Fresh"));
    child<QAction>(*w, "aNewItem")->trigger();
    ASSERT_TRUE(w->selectBook(s("Fresh")));
    m_dialogs->answer(s("Second"));
    child<QAction>(*w, "aNewItem")->trigger();
    ASSERT_TRUE(w->selectBook(s("Second")));
    EXPECT_EQ(QFileInfo(book(s("Fresh"))).size(), 0);

    w->selectBook(s("Fresh"));
    child<QLineEdit>(*w, "eTitle")->setText(s("Now a book"));
    w->selectBook(s("Second"));
    const QByteArray written = test::readBytes(book(s("Fresh")));
    EXPECT_TRUE(
        written.startsWith(QByteArray(Bom + "[File information]\r\nCreated by=Tollvern Quillery")));
    for (const char* section : {"[Cataloguing]", "[Additional]", "[Language]"})
        EXPECT_TRUE(written.contains(section)) << section;
    EXPECT_EQ(ReadBookRecord(book(s("Fresh")))[Field::Title], s("Now a book"));
}

TEST_F(BookEditing, LongValuesAndEveryCharacterOfTheCommentsAreKept)
{
    BookRecord r;
    r[Field::Title] = QString(33000, u'T');
    r[Field::Comments] = s("no-break\u00A0space\u2028line separator\u2029paragraph\r\n"
                           "CR LF\nLF\rCR");
    addBook(s("Long"), r);
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Long")));
    child<QLineEdit>(*w, "eAuthor")->setText(QString(33000, u'A'));
    w->close();
    BookRecord expected = r;
    expected[Field::Author] = QString(33000, u'A');
    expected[Field::ID] = s("Long");
    EXPECT_EQ(ReadBookRecord(book(s("Long"))), expected);

    // Typing in the memo changes what is typed and nothing else; a typed line break is CR LF.
    auto again = start();
    ASSERT_TRUE(again->selectBook(s("Long")));
    auto* memo = child<QPlainTextEdit>(*again, "mComments");
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, s("!"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, s("end"));
    memo->moveCursor(QTextCursor::Start);
    QTest::keyClick(memo, Qt::Key_Delete);
    // A line break pasted into a one-line field is kept, as CR LF too.
    child<QLineEdit>(*again, "eSubTitle")->insert(s("two\nlines"));
    again->close();
    const BookRecord saved = ReadBookRecord(book(s("Long")));
    EXPECT_EQ(saved[Field::Comments], r[Field::Comments].mid(1) + s("!\r\n\r\nend"));
    EXPECT_EQ(saved[Field::Subtitle], s("two\r\nlines"));
}

TEST_F(BookEditing, AChangeOnDiskIsNeverOverwrittenWithoutAsking)
{
    struct Case {
        const char* what;
        int answer;      // command link or button of the question
        QString title;   // in the file afterwards
        QString current; // the book being edited afterwards
    };
    const QList<Case> cases = {
        {"keep mine", 201, s("Mine"), s("Other")},
        {"take theirs", 202, s("Theirs"), s("Other")},
        {"cancel", int(QDialogButtonBox::Cancel), s("Theirs"), s("Emma")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BookRecord r;
        r[Field::Title] = s("Loaded");
        addBook(s("Emma"), r);
        addBook(s("Other"), BookRecord());
        auto w = start();
        ASSERT_TRUE(w->selectBook(s("Emma")));
        child<QLineEdit>(*w, "eTitle")->setText(s("Mine"));
        r[Field::Title] = s("Theirs");
        writeBookFile(book(s("Emma")), r, QDateTime(QDate(2021, 2, 2), {}), s("1.2.0.0"));

        m_dialogs->shown.clear();
        m_dialogs->answer(c.answer);
        click(*w, s("Other"));
        ASSERT_EQ(m_dialogs->shown.size(), 1u);
        const auto& asked = m_dialogs->last().task;
        EXPECT_EQ(asked.mainInstruction, s("Book Changed on Disk"));
        EXPECT_TRUE(asked.expandedInformation.contains(s("Title: Mine")));
        EXPECT_EQ(ReadBookRecord(book(s("Emma")))[Field::Title], c.title);
        EXPECT_EQ(w->currentBookFile(), book(c.current));
        const QList<QListWidgetItem*> selected = child<QListWidget>(*w, "lbBooks")->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected[0]->text(), c.current);
        if (c.current == s("Emma")) {
            EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("Mine"));
        }
        // Cancel leaves the edit in the editor: closing asks again, and closes as theirs.
        if (c.current == s("Emma"))
            m_dialogs->answer(202);
        w->close();
        EXPECT_EQ(m_dialogs->remainingAnswers(), 0);
        QFile::remove(book(s("Emma")));
        QFile::remove(book(s("Other")));
    }
}

TEST_F(BookEditing, TakingTheirsShowsTheirBookInTheEditor)
{
    BookRecord r;
    r[Field::Title] = s("Loaded");
    addBook(s("Emma"), r);
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Emma")));
    child<QLineEdit>(*w, "eTitle")->setText(s("Mine"));
    r[Field::Title] = s("Theirs");
    writeBookFile(book(s("Emma")), r, QDateTime(QDate(2021, 2, 2), {}), s("1.2.0.0"));
    m_dialogs->answer(202);
    m_dialogs->answer(m_dir.filePath(s("report.txt")));
    child<QAction>(*w, "aGenFile")->trigger();
    EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("Theirs"));
    EXPECT_TRUE(test::readBytes(m_dir.filePath(s("report.txt"))).contains("<li>Theirs</li>"));
}

TEST_F(BookEditing, TheListFollowsTheFolderAndKeepsTheSelection)
{
    addBook(s("Emma"), BookRecord());
    addBook(s("Persuasion"), BookRecord());
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Persuasion")));
    auto* list = child<QListWidget>(*w, "lbBooks");
    addBook(s("Austen"), BookRecord());
    QFile::remove(book(s("Emma")));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return list->count() == 2 && list->item(0)->text() == s("Austen"); }, 5000));
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems()[0]->text(), s("Persuasion"));
    EXPECT_EQ(w->currentBookFile(), book(s("Persuasion")));
}

TEST_F(BookEditing, FormatsHoldingControlCharactersSurviveACloseAndARestart)
{
    AppSettings settings;
    settings.directory = m_cat;
    settings.formats = {s("%T"), QString::fromUtf16(u"a\0b", 3), s("tab\there"), s("%A")};
    {
        RegFileStore store(m_settings);
        SaveAppSettings(store, settings);
    }
    start()->close();
    RegFileStore store(m_settings);
    EXPECT_EQ(LoadAppSettings(store).formats, settings.formats);
}

// The ISBN box's mark says what is wrong as a book loads and as the user types, and writes nothing.
TEST_F(BookEditing, TheIsbnMarkFollowsLoadingAndTypingAndWritesNothing)
{
    const struct {
        const char* isbn;
        const char* hint; // empty: no mark
    } cases[] = {
        {"", ""},
        {"ISBN 0-306-40615-2 (pbk.); 978-0-306-40615-7", ""},
        {"0-306-40615-3", "The check digit should be 2."},
        {"0-306-40615", "An ISBN has 10 or 13 digits; this one has 9."},
        {"978-0-306-40615-7, ISBN 0-306-40615-3 (pbk.); 1",
         "\"0-306-40615-3\": The check digit should be 2."},
    };
    const auto bytes = [](const char* isbn) -> QByteArray {
        return QByteArray("[Cataloguing]\r\nISBN=") + isbn + "\r\n";
    };
    for (int i = 0; i < int(std::size(cases)); ++i)
        test::writeBytes(book(QString::number(i)), bytes(cases[i].isbn));
    addBook(s("Typed"), BookRecord());
    auto w = start();
    auto* box = child<QLineEdit>(*w, "eISBN");
    const auto expectMark = [&](const char* hint) {
        EXPECT_EQ(box->findChild<QToolButton*>()->isVisible(), *hint != '\0');
        EXPECT_EQ(child<QAction>(*w, "acIsbnMark")->toolTip(), s(hint));
        EXPECT_EQ(box->accessibleDescription(), s(hint));
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].isbn);
        ASSERT_TRUE(w->selectBook(QString::number(i)));
        expectMark(cases[i].hint);
    }
    ASSERT_TRUE(w->selectBook(s("Typed")));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].isbn);
        EXPECT_EQ(test::readBytes(book(QString::number(i))), bytes(cases[i].isbn));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, s(cases[i].isbn));
        expectMark(cases[i].hint);
    }
}

TEST_F(BookEditing, TheIsbnMarkSettingTakesEffectAtOnceAndIsKept)
{
    test::writeBytes(book(s("Bad")), "[Cataloguing]\r\nISBN=0-306-40615-3\r\n");
    bool on = true; // the default, then what the run before stored
    for (int run = 0; run < 2; ++run) {
        auto w = start();
        ASSERT_TRUE(w->selectBook(s("Bad")));
        auto* mark = child<QLineEdit>(*w, "eISBN")->findChild<QToolButton*>();
        EXPECT_EQ(mark->isVisible(), on);
        on = !on;
        m_dialogs->answer([on](QDialog& dialog) {
            dialog.findChild<QCheckBox*>(s("cbMarkInvalidIsbns"))->setChecked(on);
            dialog.findChild<QPushButton*>(s("btnOk"))->click();
        });
        child<QAction>(*w, "aSettings")->trigger();
        EXPECT_EQ(mark->isVisible(), on);
        w->close();
    }
    EXPECT_EQ(test::readBytes(book(s("Bad"))), "[Cataloguing]\r\nISBN=0-306-40615-3\r\n");
}

TEST_F(BookEditing, IsbnMenuEditsAreUndoableEditsOfTheBook)
{
    const struct {
        const char* action;
        const char* loaded;
        const char* edited;
    } cases[] = {
        {"acIsbnHyphenate", "0306406152; 1", "0-306-40615-2; 1"},
        {"acIsbnTo13", "ISBN 0-306-40615-2 (pbk.)", "ISBN 978-0-306-40615-7 (pbk.)"},
        {"acIsbnTo10", "9780306406157", "0-306-40615-2"},
    };
    for (const auto& c : cases) {
        BookRecord r;
        r[Field::ISBN] = s(c.loaded);
        addBook(s(c.action), r);
    }
    addBook(s("Other"), BookRecord());
    auto w = start();
    auto* box = child<QLineEdit>(*w, "eISBN");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        ASSERT_TRUE(w->selectBook(s(c.action)));
        auto* action = child<QAction>(*w, c.action);
        action->trigger();
        EXPECT_EQ(box->text(), s(c.edited));
        EXPECT_TRUE(w->session().bookEdited());
        EXPECT_FALSE(action->isEnabled()); // it would change nothing now
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), s(c.loaded));
        action->trigger();
        ASSERT_TRUE(w->selectBook(s("Other")));
        EXPECT_EQ(ReadBookRecord(book(s(c.action)))[Field::ISBN], s(c.edited));
    }
    // The box's own menu, then the edits.
    Q_EMIT box->customContextMenuRequested(QPoint(1, 1));
    auto* menu = box->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    EXPECT_EQ(items.size(),
              std::unique_ptr<QMenu>(box->createStandardContextMenu())->actions().size() + 4);
    EXPECT_TRUE(items.end()[-4]->isSeparator());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items.end()[i - 3], child<QAction>(*w, cases[i].action));
        EXPECT_FALSE(items.end()[i - 3]->isEnabled()); // an empty field: nothing to change
    }
    menu->close();
}

#ifdef Q_OS_UNIX
TEST_F(BookEditing, WhatTheListAndTheShelfLeaveOutIsShownInTheStatusBar)
{
    addBook(s("Emma"), BookRecord());
    test::writeBytes(m_dir.filePath(s("private.txt")), "secret");
    ASSERT_TRUE(QFile::link(m_dir.filePath(s("private.txt")), book(s("Outside"))));
    // A name that is not valid UTF-8 cannot be named again to be opened.
    const QByteArray badName = QFile::encodeName(m_cat) + "Caf\xE9.book";
    const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    auto w = start();
    auto* hint = child<QLabel>(*w, "statusHint");
    EXPECT_EQ(hint->text(), undecodableNamesText(1));

    m_dialogs->answer(m_dir.filePath(s("books.shelf")));
    child<QAction>(*w, "aCreateShelf")->trigger();
    EXPECT_EQ(hint->text(), shelfLeftOutText({s("Outside.book")}) + u' ' + undecodableNamesText(1));
    EXPECT_FALSE(test::readBytes(m_dir.filePath(s("books.shelf"))).contains("secret"));
}
#endif
