// Books > Check Catalogue: the findings in the report output window, a line opening its book.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"
#include "ui/OutputWin.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <tuple>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

class CheckCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        for (const auto& [name, isbn, position] :
             {std::tuple{"Austen - Emma", "0-306-40615-3", ""},
              std::tuple{"Darwin - Origin", "0-306-40615-2", "x"}}) {
            BookRecord r;
            r[Field::Title] = s(name).section(u'-', 1).trimmed();
            r[Field::ISBN] = s(isbn);
            r[Field::Position] = s(position);
            writeBookFile(bookFilePath(m_cat, s(name)), r);
        }
        test::writeBytes(m_cat + s("Emma.book~"), "");
        const QString settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                   "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                   "\r\n\"Directory\"=\"" +
                                       m_cat.toUtf8() + "\"\r\n\r\n");
        m_window = std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(settings));
        m_window->show();
        QCoreApplication::processEvents();
    }

    void trigger(const char* action)
    {
        m_window->findChild<QAction*>(QString::fromUtf8(action))->trigger();
    }

    // Double-clicks the paragraph of that number in the output window.
    void doubleClick(int paragraph)
    {
        QTextEdit* text = m_window->outputWindow()->reOutput();
        const QTextBlock block = text->document()->findBlockByNumber(paragraph);
        QTest::mouseDClick(text->viewport(), Qt::LeftButton, {},
                           text->cursorRect(QTextCursor(block)).center());
    }

    QString currentBook() const { return bookIdFromPath(m_window->currentBookFile()); }

    QTemporaryDir m_dir;
    QString m_cat;
    test::ScriptedDialogsScope m_dialogs;
    std::unique_ptr<TmainFrm> m_window;
};

} // namespace

TEST_F(CheckCatalogue, ShowsTheLinesWhereADoubleClickOrEnterOpensTheBookALineNames)
{
    m_window->findChild<QLineEdit*>(s("eFilter"))->setText(s("darwin"));
    trigger("aCheck");
    ToutputFrm* output = m_window->outputWindow();
    ASSERT_TRUE(output->isVisible());
    EXPECT_EQ(output->paragraphs(),
              QStringList({s("Austen - Emma: ISBN \"0-306-40615-3\": The check digit should be 2."),
                           s("Darwin - Origin: warning: Position \"x\" is not an integer: a "
                             "report with microdata fails on it"),
                           s("Emma.book~: sync conflict copy of \"Emma\", which is not in the "
                             "catalogue"),
                           s("3 problems in 3 books.")}));

    // The filter hid the book: every book is shown again.
    doubleClick(0);
    EXPECT_EQ(currentBook(), s("Austen - Emma"));
    EXPECT_TRUE(m_window->findChild<QLineEdit*>(s("eFilter"))->text().isEmpty());

    QTextEdit* text = output->reOutput();
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(1)));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(currentBook(), s("Darwin - Origin"));

    doubleClick(2);
    EXPECT_EQ(currentBook(), s("Darwin - Origin"));
    EXPECT_EQ(m_window->findChild<QLabel*>(s("statusHint"))->text(),
              s("\"Emma.book~\" is not in the book list."));
    doubleClick(3); // the summary names no book
    EXPECT_EQ(currentBook(), s("Darwin - Origin"));
}

TEST_F(CheckCatalogue, AReportsLinesOpenNoBook)
{
    trigger("aCheck");
    Session& session = m_window->session();
    session.setFormatText(s("\"Austen - Emma: \"T"));
    session.setBeforeItem(QString());
    session.setAfterItem(QString());
    session.setBeforeReport(QString());
    session.setAfterReport(QString());
    trigger("aGenMemo");
    ASSERT_EQ(m_window->outputWindow()->paragraphs().value(0), s("Austen - Emma: Emma"));
    doubleClick(0);
    EXPECT_TRUE(m_window->currentBookFile().isEmpty());
}
