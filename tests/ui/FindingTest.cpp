// Finding books as one types, and reports in another order or in groups, in the window.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

class Finding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        struct Book {
            const char* name;
            const char* author;
            const char* title;
            const char* year;
            const char* category;
        };
        for (const Book& b :
             {Book{"Austen - Emma", "Austen, Jane", "Emma", "1815", "Novel"},
              Book{"Bronte - Villette", "Brontë, Charlotte", "Villette", "1853", "Novel"},
              Book{"Darwin - Origin", "Darwin, Charles", "On the Origin of Species", "1859",
                   "Science"},
              Book{"Muller - Strassen", "Müller, Anna", "Straßen", "1999", "Novel"}}) {
            BookRecord r;
            r[Field::Author] = s(b.author);
            r[Field::Title] = s(b.title);
            r[Field::YearWritten] = s(b.year);
            r[Field::Category] = s(b.category);
            writeBookFile(bookFilePath(m_cat, s(b.name)), r, QDateTime(QDate(2020, 1, 1), {}),
                          s("1.2.0.0"));
        }
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                     "\r\n\"Directory\"=\"" +
                                         m_cat.toUtf8() + "\"\r\n\"Format\"=\"%T\"\r\n\r\n");
        m_window = std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(m_settings));
        m_window->show();
        QCoreApplication::processEvents();
    }

    template <typename T> T* child(const char* name)
    {
        T* found = m_window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QStringList listed()
    {
        QStringList names;
        auto* list = child<QListWidget>("lbBooks");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }

    void find(const char* query) { child<QLineEdit>("eFilter")->setText(s(query)); }

    QString clipboardReport()
    {
        child<QAction>("aGenClipbrd")->trigger();
        return QGuiApplication::clipboard()->text();
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settings;
    test::ScriptedDialogsScope m_dialogs;
    std::unique_ptr<TmainFrm> m_window;
};

} // namespace

TEST_F(Finding, TheListShowsTheBooksThatMatchAsOneTypes)
{
    struct Case {
        const char* query;
        QStringList shown;
    };
    const QList<Case> cases = {
        {"",
         {s("Austen - Emma"), s("Bronte - Villette"), s("Darwin - Origin"),
          s("Muller - Strassen")}},
        {"muller", {s("Muller - Strassen")}},
        {"category:novel year:1800..1860", {s("Austen - Emma"), s("Bronte - Villette")}},
        {"-novel", {s("Darwin - Origin")}},
        {"\"origin of\"", {s("Darwin - Origin")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        find(c.query);
        EXPECT_EQ(listed(), c.shown);
        EXPECT_EQ(child<QLabel>("statusCount")->text(),
                  *c.query ? s("%1 of 4 book(s) shown.").arg(c.shown.size())
                           : s("4 book(s) in this catalogue."));
    }
    // Half a query says what is missing and leaves the list as it was.
    find("title:\"emm");
    EXPECT_EQ(listed().size(), 1);
    EXPECT_TRUE(child<QLabel>("statusHint")->text().startsWith(s("Unterminated quote")));
    EXPECT_TRUE(m_dialogs->shown.empty());

    // Ctrl+L takes the focus into the filter box, wherever it is.
    child<QListWidget>("lbBooks")->setFocus();
    QTest::keyClick(child<QListWidget>("lbBooks"), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(child<QLineEdit>("eFilter")->hasFocus());
}

TEST_F(Finding, PreviousNextAndTheReportKeepToTheBooksShown)
{
    find("novel");
    ASSERT_TRUE(m_window->selectBook(s("Austen - Emma")));
    child<QAction>("aNext")->trigger();
    EXPECT_EQ(m_window->currentBookFile(), bookFilePath(m_cat, s("Bronte - Villette")));
    child<QAction>("aNext")->trigger();
    EXPECT_EQ(m_window->currentBookFile(), bookFilePath(m_cat, s("Muller - Strassen")));
    EXPECT_FALSE(child<QAction>("aNext")->isEnabled());
    EXPECT_EQ(clipboardReport(),
              s("<ul>\r\n<li>Emma</li>\r\n<li>Villette</li>\r\n<li>Straßen</li>\r\n</ul>\r\n"));

    // The book being edited stays shown, in italics, while it no longer matches.
    find("year:..1900");
    EXPECT_EQ(listed(), QStringList({s("Austen - Emma"), s("Bronte - Villette"),
                                     s("Darwin - Origin"), s("Muller - Strassen")}));
    auto* list = child<QListWidget>("lbBooks");
    EXPECT_TRUE(list->item(3)->font().italic());
    EXPECT_EQ(list->selectedItems().value(0), list->item(3));
    ASSERT_TRUE(m_window->selectBook(s("Darwin - Origin")));
    EXPECT_EQ(listed(),
              QStringList({s("Austen - Emma"), s("Bronte - Villette"), s("Darwin - Origin")}));
}

TEST_F(Finding, ReportsInAnotherOrderAndInGroups)
{
    const QString plain = clipboardReport();
    auto* sortBy = child<QComboBox>("cbSortBy");
    sortBy->setCurrentIndex(sortBy->findText(s("Year written")));
    child<QCheckBox>("cbSortDescending")->setChecked(true);
    auto* groupBy = child<QComboBox>("cbGroupBy");
    groupBy->setCurrentIndex(groupBy->findText(s("Category")));
    child<QLineEdit>("eBeforeGroup")->setText(s("<h2>%G</h2><ul>"));
    child<QLineEdit>("eAfterGroup")->setText(s("</ul>"));
    child<QLineEdit>("eBeforeReport")->clear();
    child<QLineEdit>("eAfterReport")->clear();
    EXPECT_EQ(clipboardReport(), s("<h2>Novel</h2><ul>\r\n<li>Straßen</li>\r\n<li>Villette</li>"
                                   "\r\n<li>Emma</li>\r\n</ul>\r\n<h2>Science</h2><ul>\r\n"
                                   "<li>On the Origin of Species</li>\r\n</ul>\r\n"));

    // Back to the list's order without groups: the report of before, byte for byte.
    sortBy->setCurrentIndex(0);
    child<QCheckBox>("cbSortDescending")->setChecked(false);
    groupBy->setCurrentIndex(0);
    child<QLineEdit>("eBeforeReport")->setText(s("<ul>"));
    child<QLineEdit>("eAfterReport")->setText(s("</ul>"));
    EXPECT_EQ(clipboardReport(), plain);
}
