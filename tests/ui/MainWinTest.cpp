#include "ui/MainWin.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/IniFile.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/FullRichEdit.h"
#include "ui/OutputWin.h"
#include "ui/ProgramIcon.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;
using test::ScriptedDialogs;

namespace {

using quillery::test::s;

// A catalogue of three books, a settings file that opens it, and scripted dialogs.
class MainWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        addBook("Austen - Emma", "Emma", "Austen, Jane");
        addBook("Bronte - Villette", "Villette", "Brontë, Charlotte");
        addBook("Eliot - Middlemarch", "Middlemarch", "Eliot, George");
        m_settingsFile = m_dir.filePath(s("settings.reg"));
        writeSettings({});
    }

    void addBook(const char* name, const char* title, const char* author)
    {
        BookRecord r;
        r[Field::Title] = s(title);
        r[Field::Author] = s(author);
        writeBookFile(bookFilePath(m_cat, s(name)), r, QDateTime(QDate(2020, 1, 1), QTime(12, 0)),
                      s("1.2.0.0"));
    }

    void writeSettings(const QByteArray& extra)
    {
        QByteArray text = "Windows Registry Editor Version 5.00\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n"
                          "\"Directory\"=\"" +
                          m_cat.toUtf8() + "\"\r\n\"Format\"=\"%A.T\"\r\n" + extra + "\r\n";
        test::writeBytes(m_settingsFile, text);
    }

    std::unique_ptr<TmainFrm> start(const QStringList& arguments = {})
    {
        auto window =
            std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(m_settingsFile), arguments);
        window->show();
        QCoreApplication::processEvents();
        return window;
    }

    template <typename T> static T* child(TmainFrm& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QAction* action(TmainFrm& w, const char* name) { return child<QAction>(w, name); }

    static void trigger(TmainFrm& w, const char* name)
    {
        QAction* a = action(w, name);
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }

    static QStringList listed(TmainFrm& w)
    {
        QStringList names;
        auto* list = child<QListWidget>(w, "lbBooks");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }

    static void click(TmainFrm& w, int row)
    {
        auto* list = child<QListWidget>(w, "lbBooks");
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QString previewText(TmainFrm& w)
    {
        return child<QTextEdit>(w, "reRefPreview")->toPlainText();
    }

    // Answers the next dialog of the program's own: `edit` changes it, then its button of that
    // name is clicked.
    void answerNextDialog(std::function<void(QWidget*)> edit, const char* button = "btnOk")
    {
        m_dialogs->answer([edit = std::move(edit), button](QDialog& dialog) {
            edit(&dialog);
            auto* b = dialog.findChild<QAbstractButton*>(QString::fromUtf8(button));
            ASSERT_NE(b, nullptr) << button;
            b->click();
        });
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settingsFile;
    test::ScriptedDialogsScope m_dialogs;
};

} // namespace

TEST_F(MainWinTest, StartsOnTheSavedCatalogueWithTheLayoutNamed)
{
    auto w = start();
    EXPECT_EQ(w->windowTitle(), s("Tollvern Quillery"));
    EXPECT_EQ(w->currentDir(), m_cat);
    EXPECT_EQ(child<QLineEdit>(*w, "eDir")->text(), m_cat);
    EXPECT_EQ(listed(*w),
              QStringList({s("Austen - Emma"), s("Bronte - Villette"), s("Eliot - Middlemarch")}));
    EXPECT_EQ(child<QLabel>(*w, "statusCount")->text(), s("3 book(s) in this catalogue."));
    // The designed width where the screen holds it; the window never exceeds the screen.
    const QRect available = w->screen()->availableGeometry();
    const int frame = w->frameGeometry().width() - w->width();
    EXPECT_EQ(w->centralWidget()->width(), std::min(952, available.width() - frame));
    EXPECT_TRUE(available.contains(w->frameGeometry()));
    // No book loaded: the picture instead of the editor.
    EXPECT_TRUE(child<QLabel>(*w, "bkImg")->isVisible());
    EXPECT_FALSE(child<QWidget>(*w, "gpCataloguingData")->isVisible());
    EXPECT_FALSE(action(*w, "aDelItem")->isEnabled());
    EXPECT_EQ(child<QComboBox>(*w, "eFormat")->currentText(), s("%A.T"));
    EXPECT_EQ(child<QComboBox>(*w, "eFormat")->count(), 6);
    EXPECT_EQ(child<QPlainTextEdit>(*w, "teDataLinks")->toPlainText().split(u'\n').size(), 5);
    EXPECT_TRUE(child<QRadioButton>(*w, "rbAll")->isChecked());
    EXPECT_TRUE(m_dialogs->shown.empty());

    // Captions, hints and shortcuts as the window shows them.
    EXPECT_EQ(action(*w, "aHints")->toolTip(),
              s("Shows or hides popup hints (tooltips). (Shift+Ctrl+H)"));
    EXPECT_EQ(action(*w, "aPrev")->text(), s("Previous\tAlt+Left"));
    EXPECT_EQ(action(*w, "aRename")->text(), s("Rename..."));
    EXPECT_EQ(shortcutText(QKeySequence(Qt::ALT | Qt::Key_F4)), s("Alt+F4"));
}

TEST_F(MainWinTest, OptionsFileIsAppliedAtStart)
{
    test::writeBytes(m_cat + s("directory.qy-opts"),
                     "[Formats]\r\nFormat=<%T>\r\n[Report]\r\nBeforeItem=<p>\r\nMicrodata=1\r\n");
    auto w = start();
    EXPECT_EQ(child<QComboBox>(*w, "eFormat")->currentText(), s("<%T>"));
    EXPECT_EQ(child<QLineEdit>(*w, "eBeforeItem")->text(),
              s("<p itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    EXPECT_TRUE(child<QCheckBox>(*w, "cbMicrodata")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*w, "cbUseLangForTitle")->isChecked());
}

TEST_F(MainWinTest, OldBooksAreOfferedForUpgradeInBothForms)
{
    QFile::copy(test::dataPath(s("v10-cp1252.book")), m_cat + s("Old.book"));
    QFile::setPermissions(m_cat + s("Old.book"), QFile::ReadOwner | QFile::WriteOwner);

    m_dialogs->answer(int(QDialogButtonBox::No));
    {
        auto w = start();
        ASSERT_EQ(m_dialogs->shown.size(), 1u);
        const auto& asked = m_dialogs->last();
        EXPECT_EQ(asked.kind, ScriptedDialogs::Kind::Task);
        EXPECT_EQ(asked.task.mainInstruction, s("Old File Format"));
        EXPECT_EQ(asked.task.footer,
                  s("The current catalogue is \r\n\r\n") + m_cat +
                      s("\r\n\r\nAll *.book files in this catalogue will be upgraded, if needed."));
        EXPECT_TRUE(IsVersion10File(m_cat + s("Old.book")));
        // Declining does not silence it: the next opening asks again.
        m_dialogs->answer(s("Fresh"));
        m_dialogs->answer(int(QDialogButtonBox::Yes));
        trigger(*w, "aNewItem");
        EXPECT_FALSE(IsVersion10File(m_cat + s("Old.book")));
        EXPECT_EQ(m_dialogs->last().text, s("1 books upgraded."));
    }

    qputenv("QUILLERY_DIALOG_FORM", "messagebox");
    QFile::remove(m_cat + s("Old.book"));
    QFile::copy(test::dataPath(s("v10-cp1252.book")), m_cat + s("Old.book"));
    QFile::setPermissions(m_cat + s("Old.book"), QFile::ReadOwner | QFile::WriteOwner);
    m_dialogs->shown.clear();
    m_dialogs->answer(int(QMessageBox::Yes));
    auto w = start();
    qunsetenv("QUILLERY_DIALOG_FORM");
    ASSERT_EQ(m_dialogs->shown.size(), 2u);
    EXPECT_EQ(m_dialogs->shown[0].kind, ScriptedDialogs::Kind::Message);
    EXPECT_EQ(m_dialogs->shown[0].caption, s("Tollvern Quillery"));
    EXPECT_TRUE(m_dialogs->shown[0].text.startsWith(s("This catalogue contains books in the "
                                                      "version 1.0 format")));
    EXPECT_FALSE(IsVersion10File(m_cat + s("Old.book")));
}

TEST_F(MainWinTest, SelectingBooksSavesTheOneLeftAndLoadsOnce)
{
    auto w = start();
    const int refreshes = w->refPreviewRefreshes();
    click(*w, 0);
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Austen - Emma.book"));
    EXPECT_TRUE(child<QWidget>(*w, "gpCataloguingData")->isVisible());
    EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("Emma"));
    EXPECT_EQ(previewText(*w), s("Austen, Jane. Emma"));
    // One refresh of each preview for the whole load.
    EXPECT_EQ(w->refPreviewRefreshes(), refreshes + 1);

    // Editing refreshes both previews at once; the comments too.
    child<QLineEdit>(*w, "eTitle")->setText(s("Emma, a Novel"));
    EXPECT_EQ(previewText(*w), s("Austen, Jane. Emma, a Novel"));
    const int before = w->refPreviewRefreshes();
    const int linksBefore = w->dataLinkRefreshes();
    child<QPlainTextEdit>(*w, "mComments")->setPlainText(s("line one\nline two"));
    EXPECT_EQ(w->refPreviewRefreshes(), before + 1);
    EXPECT_EQ(w->dataLinkRefreshes(), linksBefore + 1);

    // Clicking the loaded book writes nothing.
    const QByteArray untouched = test::readBytes(m_cat + s("Austen - Emma.book"));
    click(*w, 0);
    EXPECT_EQ(test::readBytes(m_cat + s("Austen - Emma.book")), untouched);

    // Leaving it writes it back, edited.
    click(*w, 1);
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Bronte - Villette.book"));
    const BookRecord saved = ReadBookRecord(m_cat + s("Austen - Emma.book"));
    EXPECT_EQ(saved[Field::Title], s("Emma, a Novel"));
    // Typed line breaks are stored as CR LF on every platform.
    EXPECT_EQ(saved[Field::Comments], s("line one\r\nline two"));

    // Previous and Next, and their limits.
    trigger(*w, "aNext");
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Eliot - Middlemarch.book"));
    EXPECT_FALSE(action(*w, "aNext")->isEnabled());
    trigger(*w, "aPrev");
    trigger(*w, "aPrev");
    EXPECT_FALSE(action(*w, "aPrev")->isEnabled());
}

TEST_F(MainWinTest, TranslationBoxEnablesItsFields)
{
    BookRecord r;
    r[Field::Title] = s("Doktor Glas");
    r.setTranslation(true);
    r[Field::OriginalLanguage] = s("Swedish");
    writeBookFile(m_cat + s("Soderberg.book"), r, QDateTime::currentDateTime(), s("1.2.0.0"));
    auto w = start();
    auto* original = child<QLineEdit>(*w, "eOriginalLanguage");
    EXPECT_FALSE(original->isEnabled());
    w->selectBook(s("Soderberg"));
    EXPECT_TRUE(original->isEnabled());
    EXPECT_EQ(original->text(), s("Swedish"));
    child<QCheckBox>(*w, "cbIsTranslation")->setChecked(false);
    EXPECT_FALSE(original->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(*w, "eTranslator")->isEnabled());
    // The text stays and is saved with the book.
    w->selectBook(s("Austen - Emma"));
    const BookRecord saved = ReadBookRecord(m_cat + s("Soderberg.book"));
    EXPECT_FALSE(saved.isTranslation());
    EXPECT_EQ(saved[Field::OriginalLanguage], s("Swedish"));
}

TEST_F(MainWinTest, AFormatErrorIsShownOnceAndThePreviewKeepsItsText)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    const QString shown = previewText(*w);
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T%Z"));
    m_dialogs->shown.clear();
    child<QLineEdit>(*w, "eYearWritten")->setText(s("1815"));
    ASSERT_EQ(m_dialogs->shown.size(), 1u);
    EXPECT_EQ(m_dialogs->last().text, s("Invalid token starting with %Z at 3."));
    EXPECT_EQ(m_dialogs->last().caption, s("Tollvern Quillery"));
    EXPECT_EQ(m_dialogs->last().icon, QMessageBox::Critical);
    EXPECT_EQ(previewText(*w), shown);
}

TEST_F(MainWinTest, NewBookProposesAndRefusesNamesUntilOneIsFree)
{
    auto w = start();
    m_dialogs->answer(s("Austen - Emma"));       // exists: asked again
    m_dialogs->answer(s("bad/name"));            // invalid: asked again
    m_dialogs->answer(s("Vol. 2 of Something")); // a period followed by a blank is no extension:
                                                 // ".book" is appended
    trigger(*w, "aNewItem");
    ASSERT_EQ(m_dialogs->shown.size(), 3u);
    EXPECT_EQ(m_dialogs->shown[0].caption, s("New Book"));
    EXPECT_EQ(m_dialogs->shown[0].text, s("Please enter a new, unique, file name:"));
    EXPECT_EQ(m_dialogs->shown[0].initial, s("Book"));
    EXPECT_EQ(m_dialogs->shown[1].initial, s("Austen - Emma.book"));
    EXPECT_TRUE(QFile::exists(m_cat + s("Vol. 2 of Something.book")));
    EXPECT_EQ(QFileInfo(m_cat + s("Vol. 2 of Something.book")).size(), 0);
    EXPECT_TRUE(listed(*w).contains(s("Vol. 2 of Something")));
    EXPECT_EQ(child<QLabel>(*w, "statusCount")->text(), s("4 book(s) in this catalogue."));
    // The new book is selected and loaded, so the first typing goes into it.
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Vol. 2 of Something.book"));

    m_dialogs->cancel();
    trigger(*w, "aNewItem");
    EXPECT_EQ(listed(*w).size(), 4);
    EXPECT_EQ(m_dialogs->last().initial, s("Book"));
}

TEST_F(MainWinTest, DeleteAsksAndRemovesTheFile)
{
    auto w = start();
    w->selectBook(s("Bronte - Villette"));
    m_dialogs->answer(102); // Keep
    trigger(*w, "aDelItem");
    const auto& asked = m_dialogs->last();
    EXPECT_EQ(asked.task.mainInstruction, s("Confirm Removal"));
    EXPECT_EQ(asked.task.content,
              s("Are you sure that you want to remove the book file named \"Bronte - Villette\"?"));
    ASSERT_EQ(asked.task.commandLinks.size(), 2);
    EXPECT_EQ(asked.task.commandLinks[0].caption, s("Remove"));
    EXPECT_EQ(asked.task.commandLinks[1].note, s("Keep the book in the catalogue."));
    EXPECT_TRUE(asked.task.expandedInformation.endsWith(m_cat + s("Bronte - Villette.book")));
    EXPECT_TRUE(QFile::exists(m_cat + s("Bronte - Villette.book")));

    m_dialogs->answer(101); // Remove
    trigger(*w, "aDelItem");
    EXPECT_FALSE(QFile::exists(m_cat + s("Bronte - Villette.book")));
    // The book that followed the one removed is selected and loaded.
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Eliot - Middlemarch.book"));
    EXPECT_TRUE(child<QWidget>(*w, "gpCataloguingData")->isVisible());
    EXPECT_EQ(listed(*w).size(), 2);

    // The Delete key with nothing selected does nothing.
    w.reset();
    w = start();
    m_dialogs->shown.clear();
    QTest::keyClick(child<QListWidget>(*w, "lbBooks"), Qt::Key_Delete);
    EXPECT_TRUE(m_dialogs->shown.empty());
}

TEST_F(MainWinTest, RenameAndDuplicate)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    child<QLineEdit>(*w, "eEdition")->setText(s("Second"));
    m_dialogs->answer(s("Austen - Emma (1816)"));
    trigger(*w, "aRename");
    EXPECT_EQ(m_dialogs->last().caption, s("Rename Item"));
    EXPECT_EQ(m_dialogs->last().text,
              s("Please enter the new (unique) name of the catalogue item:"));
    EXPECT_FALSE(QFile::exists(m_cat + s("Austen - Emma.book")));
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Austen - Emma (1816).book"));
    EXPECT_EQ(ReadBookRecord(w->currentBookFile())[Field::Edition], s("Second"));

    m_dialogs->answer(s("Copy of Emma"));
    trigger(*w, "aDuplicate");
    EXPECT_EQ(m_dialogs->last().text,
              s("Please enter the new (unique) name of the new, duplicate, catalogue item:"));
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Copy of Emma.book"));
    EXPECT_EQ(test::readBytes(m_cat + s("Copy of Emma.book")),
              test::readBytes(m_cat + s("Austen - Emma (1816).book")));
}

TEST_F(MainWinTest, DirectoryBoxOpensOrRefuses)
{
    auto w = start();
    auto* eDir = child<QLineEdit>(*w, "eDir");
    eDir->setText(m_dir.filePath(s("nowhere")));
    QTest::keyClick(eDir, Qt::Key_Return);
    const auto& refused = m_dialogs->last();
    EXPECT_EQ(refused.task.mainInstruction, s("Directory Selection"));
    EXPECT_EQ(refused.task.content, s("There is no directory with the specified path."));
    EXPECT_EQ(refused.task.expanderCaption, s("Technical Details"));
    EXPECT_EQ(eDir->text(), m_cat);

    const QString other = m_dir.filePath(s("other"));
    QDir().mkpath(other);
    eDir->setText(other);
    QTest::keyClick(eDir, Qt::Key_Return);
    EXPECT_EQ(w->currentDir(), withTrailingSeparator(other));
    EXPECT_TRUE(listed(*w).isEmpty());

    m_dialogs->answer(m_cat);
    QTest::keyClick(eDir, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs->last().caption, s("Select Directory"));
    EXPECT_EQ(m_dialogs->last().acceptLabel, s("Select"));
    EXPECT_EQ(w->currentDir(), m_cat);
}

TEST_F(MainWinTest, ReportToClipboardAndFile)
{
    auto w = start();
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T"));
    trigger(*w, "aGenClipbrd");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              s("<ul>\r\n<li>Emma</li>\r\n<li>Villette</li>\r\n<li>Middlemarch</li>\r\n</ul>\r\n"));

    const QString file = m_dir.filePath(s("report.txt"));
    m_dialogs->answer(file);
    trigger(*w, "aGenFile");
    EXPECT_EQ(m_dialogs->last().caption, s("Save Report to File"));
    EXPECT_EQ(m_dialogs->last().filter, s("Text file (*.txt)"));
    EXPECT_EQ(test::readBytes(file).left(3), QByteArray("\xEF\xBB\xBF"));
    EXPECT_TRUE(test::readBytes(file).endsWith("</ul>\r\n"));

    // The selected item only.
    w->selectBook(s("Eliot - Middlemarch"));
    child<QRadioButton>(*w, "rbSelected")->setChecked(true);
    trigger(*w, "aGenMemo");
    EXPECT_TRUE(w->outputWindow()->isVisible());
    EXPECT_EQ(w->outputWindow()->findChild<QTextEdit*>(s("reOutput"))->toPlainText(),
              s("<ul>\n<li>Middlemarch</li>\n</ul>"));

    // A format error delivers nothing.
    QGuiApplication::clipboard()->setText(s("unchanged"));
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%Z"));
    trigger(*w, "aGenClipbrd");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), s("unchanged"));
    EXPECT_EQ(m_dialogs->last().text, s("Invalid token starting with %Z at 1."));
}

// Escape while a report, a check or a shelf runs stops it: nothing reaches the clipboard, the
// output window or a file, and no file name is asked for.
TEST_F(MainWinTest, EscapeCancelsAReportWritingNothing)
{
    auto w = start();
    QGuiApplication::clipboard()->setText(s("unchanged"));
    const size_t dialogsBefore = m_dialogs->shown.size();
    for (const char* destination :
         {"aGenClipbrd", "aGenMemo", "aGenFile", "aCheck", "aCreateShelf"}) {
        SCOPED_TRACE(destination);
        QCoreApplication::postEvent(
            w.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        trigger(*w, destination);
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), s("unchanged"));
    EXPECT_FALSE(w->outputWindow()->isVisible());
    EXPECT_EQ(m_dialogs->shown.size(), dialogsBefore);
    EXPECT_EQ(QDir(m_cat).entryList(QDir::Files).size(), 3);

    trigger(*w, "aGenClipbrd");
    EXPECT_NE(QGuiApplication::clipboard()->text(), s("unchanged"));
}

TEST_F(MainWinTest, CommandLineArgumentOpensItsBook)
{
    const QString other = m_dir.filePath(s("elsewhere"));
    QDir().mkpath(other);
    BookRecord r;
    r[Field::Title] = s("Ulysses");
    writeBookFile(other + s("/Joyce.book"), r, QDateTime::currentDateTime(), s("1.2.0.0"));
    auto w = start({other + s("/Joyce.book")});
    EXPECT_EQ(w->currentDir(), withTrailingSeparator(other));
    EXPECT_EQ(w->currentBookFile(), withTrailingSeparator(other) + s("Joyce.book"));
    EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("Ulysses"));
}

TEST_F(MainWinTest, SettingsAreWrittenAtClose)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    child<QLineEdit>(*w, "eYearWritten")->setText(s("1815"));
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T (%Y)"));
    child<QPlainTextEdit>(*w, "teDataLinks")->setPlainText(s("http://example.org/?q=%T"));
    trigger(*w, "aHints");
    w->close();
    EXPECT_EQ(ReadBookRecord(m_cat + s("Austen - Emma.book"))[Field::YearWritten], s("1815"));
    RegFileStore store(m_settingsFile);
    const AppSettings saved = LoadAppSettings(store);
    EXPECT_EQ(saved.format, s("%T (%Y)"));
    EXPECT_EQ(saved.dataLinkTemplates, QStringList({s("http://example.org/?q=%T")}));
    EXPECT_EQ(saved.directory, m_cat);
    EXPECT_FALSE(saved.tooltips);
}

TEST_F(MainWinTest, StatusBarHiddenBySettingsMakesTheWindowShorter)
{
    auto tall = start();
    const int fullHeight = tall->height();
    tall.reset();
    writeSettings("\"Statusbar\"=dword:00000000\r\n");
    auto w = start();
    EXPECT_TRUE(w->statusBar()->isHidden());
    EXPECT_LT(w->height(), fullHeight);
    trigger(*w, "aStatus");
    EXPECT_EQ(w->height(), fullHeight);
}

TEST(FullRichEdit, LinksAreDetectedAndReportedOnRelease)
{
    test::ScriptedDialogsScope dialogs;
    TFullRichEdit edit;
    edit.setReadOnly(true);
    edit.resize(400, 200);
    edit.setPlainText(s("see http://example.org/a?b=1 here"));
    edit.setUrlDetect(true);
    edit.setStartBrowser(true);
    edit.show();
    QCoreApplication::processEvents();
    QStringList clicked;
    QObject::connect(&edit, &TFullRichEdit::urlClicked,
                     [&](QObject*, const QString& url) { clicked.append(url); });
    QTextCursor c(edit.document());
    c.setPosition(8);
    const QPoint onLink = edit.cursorRect(c).center();
    ASSERT_EQ(edit.linkAt(onLink), s("http://example.org/a?b=1"));

    QTest::mousePress(edit.viewport(), Qt::LeftButton, {}, onLink);
    EXPECT_TRUE(clicked.isEmpty());
    QTest::mouseRelease(edit.viewport(), Qt::LeftButton, {}, onLink);
    EXPECT_EQ(clicked, QStringList({s("http://example.org/a?b=1")}));
    EXPECT_EQ(edit.textCursor().selectedText(), s("http://example.org/a?b=1"));
    ASSERT_EQ(dialogs->opened.size(), 1u);
    EXPECT_EQ(dialogs->opened[0], QUrl(s("http://example.org/a?b=1")));

    // A right click does nothing; without StartBrowser only the event is raised.
    QTest::mouseClick(edit.viewport(), Qt::RightButton, {}, onLink);
    EXPECT_EQ(clicked.size(), 1);
    edit.setStartBrowser(false);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, onLink);
    EXPECT_EQ(clicked.size(), 2);
    EXPECT_EQ(dialogs->opened.size(), 1u);

    // Switching detection off stops links at once.
    edit.setUrlDetect(false);
    EXPECT_TRUE(edit.linkAt(onLink).isEmpty());
}

TEST_F(MainWinTest, MicrodataBoxRewritesTheItemTexts)
{
    auto w = start();
    auto* box = child<QCheckBox>(*w, "cbMicrodata");
    auto* before = child<QLineEdit>(*w, "eBeforeItem");
    box->setChecked(true);
    EXPECT_EQ(before->text(), s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    box->setChecked(false);
    EXPECT_EQ(before->text(), s("<li>"));
    before->clear();
    child<QLineEdit>(*w, "eAfterItem")->clear();
    box->setChecked(true);
    EXPECT_EQ(before->text(), s("<div itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    EXPECT_EQ(child<QLineEdit>(*w, "eAfterItem")->text(), s("</div>"));
}

TEST_F(MainWinTest, ShelfManageAndHints)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    child<QLineEdit>(*w, "eEdition")->setText(s("Third"));
    const QString chosen = m_dir.filePath(s("books.txt"));
    m_dialogs->answer(chosen);
    trigger(*w, "aCreateShelf");
    EXPECT_EQ(m_dialogs->last().filter, s("Bookshelf files (*.shelf)"));
    const QByteArray shelf = test::readBytes(m_dir.filePath(s("books.shelf")));
    EXPECT_TRUE(shelf.startsWith("@@ File created by Tollvern Quillery.\r\n"));
    // The open book was saved first, so the shelf holds what the editor shows.
    EXPECT_TRUE(shelf.contains("Edition=Third\r\n"));
    EXPECT_FALSE(QFile::exists(chosen));

    trigger(*w, "aManage");
    ASSERT_EQ(m_dialogs->opened.size(), 1u);
    EXPECT_EQ(m_dialogs->opened[0], QUrl::fromLocalFile(m_cat));

    // A hint goes to the second panel of the status bar.
    QStatusTipEvent tip(s("The title of the book."));
    QCoreApplication::sendEvent(w.get(), &tip);
    EXPECT_EQ(child<QLabel>(*w, "statusHint")->text(), s("The title of the book."));

    // Help links open their topics only for the id "help".
    auto* link = child<QLabel>(*w, "LinkLabel3");
    Q_EMIT link->linkActivated(s("other"));
    const size_t shown = m_dialogs->shown.size();
    Q_EMIT link->linkActivated(s("HELP"));
    ASSERT_EQ(m_dialogs->shown.size(), shown + 1);
    EXPECT_EQ(m_dialogs->last().task.mainInstruction, s("Specifying Authors"));
}

TEST_F(MainWinTest, AFailedLoadNeverBindsTheEditorToTheBookLeft)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%Z"));
    // Selecting another book with a broken format: the error is shown, and the editor now belongs
    // to the book it shows, so Emma's file never receives Villette's fields.
    click(*w, 1);
    EXPECT_EQ(w->currentBookFile(), m_cat + s("Bronte - Villette.book"));
    click(*w, 2);
    EXPECT_EQ(ReadBookRecord(m_cat + s("Austen - Emma.book"))[Field::Title], s("Emma"));
    EXPECT_EQ(ReadBookRecord(m_cat + s("Bronte - Villette.book"))[Field::Title], s("Villette"));
}

TEST_F(MainWinTest, FormatManagerReplacesTheItemsButNotTheText)
{
    auto w = start();
    auto* box = child<QComboBox>(*w, "eFormat");
    answerNextDialog([](QWidget* d) {
        d->findChild<QPlainTextEdit*>(s("mFormats"))->setPlainText(s("%T\n\n%A.T"));
    });
    trigger(*w, "aFormatMgr");
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), s("%T"));
    EXPECT_EQ(box->itemText(1), QString());
    EXPECT_EQ(box->currentText(), s("%A.T"));

    answerNextDialog(
        [](QWidget* d) {
            d->findChild<QPlainTextEdit*>(s("mFormats"))->setPlainText(s("discarded"));
        },
        "btnCancel");
    trigger(*w, "aFormatMgr");
    EXPECT_EQ(box->count(), 3);
}

TEST_F(MainWinTest, SettingsDialogCopiesBackAndRefreshesThePreview)
{
    auto w = start();
    w->selectBook(s("Austen - Emma"));
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T%-%A"));
    answerNextDialog([](QWidget* d) {
        auto* dash = d->findChild<QLineEdit*>(s("eDashChar"));
        dash->setText(s("–"));
    });
    trigger(*w, "aSettings");
    EXPECT_EQ(w->settings().dashChar, QChar(0x2013));
    EXPECT_EQ(previewText(*w), s("Emma–Austen, Jane"));
}

TEST_F(MainWinTest, JsonLdAndCompletePageBoxesShapeTheReport)
{
    test::writeBytes(m_cat + s("directory.qy-opts"),
                     "[Formats]\r\nFormat=%T\r\n[Report]\r\nJsonLd=1\r\nPageTitle=Shelf\r\n");
    auto w = start();
    auto* jsonLd = child<QCheckBox>(*w, "cbJsonLd");
    ASSERT_TRUE(jsonLd->isChecked());
    child<QCheckBox>(*w, "cbCompletePage")->setChecked(true);
    trigger(*w, "aGenClipbrd");
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(s("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">"
                                  "\r\n<title>Shelf</title>\r\n")));
    EXPECT_TRUE(text.contains(s("</ul>\r\n<script type=\"application/ld+json\">\r\n")));
    EXPECT_TRUE(text.endsWith(s("</script>\r\n</body>\r\n</html>\r\n")));

    jsonLd->setChecked(false);
    child<QCheckBox>(*w, "cbCompletePage")->setChecked(false);
    trigger(*w, "aGenClipbrd");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              s("<ul>\r\n<li>Emma</li>\r\n<li>Villette</li>\r\n<li>Middlemarch</li>\r\n</ul>\r\n"));
}

TEST_F(MainWinTest, DirectoryOptionsWriteTheFileAndReopenTheCatalogue)
{
    auto w = start();
    answerNextDialog(
        [](QWidget* d) { d->findChild<QLineEdit*>(s("eBeforeItem"))->setText(s("<p>")); });
    trigger(*w, "aDirOptions");
    const IniFile file = IniFile::load(m_cat + s("directory.qy-opts"));
    EXPECT_EQ(file.readString(u"Report", u"BeforeItem"), s("<p>"));
    EXPECT_EQ(file.readString(u"Formats", u"Format"), s("%A.T"));
    EXPECT_EQ(child<QLineEdit>(*w, "eBeforeItem")->text(), s("<p>"));

    // Cancel writes nothing.
    QFile::remove(m_cat + s("directory.qy-opts"));
    answerNextDialog([](QWidget*) {}, "btnCancel");
    trigger(*w, "aDirOptions");
    EXPECT_FALSE(QFile::exists(m_cat + s("directory.qy-opts")));
}

TEST_F(MainWinTest, MemoDestinationFillsTheOutputWindow)
{
    auto w = start();
    child<QComboBox>(*w, "eFormat")->setCurrentText(s("%T"));
    trigger(*w, "aGenMemo");
    ToutputFrm* output = w->outputWindow();
    ASSERT_TRUE(output->isVisible());
    EXPECT_EQ(output->paragraphs(),
              QStringList({s("<ul>"), s("<li>Emma</li>"), s("<li>Villette</li>"),
                           s("<li>Middlemarch</li>"), s("</ul>")}));
    // The split button repeats the destination used last.
    trigger(*w, "aGenClipbrd");
    EXPECT_EQ(child<QToolButton>(*w, "btnGenerate")->defaultAction(), action(*w, "aGenClipbrd"));
}

#ifndef Q_OS_WIN
TEST_F(MainWinTest, NamesDifferingOnlyInCaseAreTwoBooks)
{
    addBook("emma", "lower-case emma", "x");
    addBook("Emma", "upper-case Emma", "y");
    auto w = start();
    ASSERT_TRUE(w->selectBook(s("Emma")));
    EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("upper-case Emma"));
    ASSERT_TRUE(w->selectBook(s("emma")));
    EXPECT_EQ(w->currentBookFile(), m_cat + s("emma.book"));
    EXPECT_EQ(child<QLineEdit>(*w, "eTitle")->text(), s("lower-case emma"));
}
#endif

TEST_F(MainWinTest, ANoBreakSpaceInALinkTemplateSurvivesACloseAndARestart)
{
    const QString typed = s("https://example.org/?q=%T\u00A0%A");
    {
        auto w = start();
        child<QPlainTextEdit>(*w, "teDataLinks")->setPlainText(typed + s("\n"));
        EXPECT_EQ(w->session().linkTemplates(), QStringList({typed}));
        w->close();
    }
    RegFileStore store(m_settingsFile);
    EXPECT_EQ(LoadAppSettings(store).dataLinkTemplates, QStringList({typed}));
    auto w = start();
    EXPECT_EQ(w->session().linkTemplates(), QStringList({typed}));
}
