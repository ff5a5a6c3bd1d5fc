// The catalogue check: what it finds, how it names it, and what it leaves alone.

#include "health/CatalogueCheck.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DirectoryOptions.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <initializer_list>
#include <utility>

using namespace quillery;
using quillery::test::s;

namespace {

class CatalogueCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString dir() const { return withTrailingSeparator(m_dir.path()); }

    void book(const char* name, std::initializer_list<std::pair<Field, const char*>> values)
    {
        BookRecord r;
        for (const auto& [field, value] : values)
            r[field] = s(value);
        writeBookFile(bookFilePath(dir(), s(name)), r);
    }

    QStringList check(const QStringList& names, const std::vector<BookPair>& pairs = {}) const
    {
        return checkReportLines(checkCatalogue(dir(), names, pairs));
    }
    QStringList checkAll() const { return check(listBookNames(dir())); }

    QTemporaryDir m_dir;
};

} // namespace

TEST(ConflictCopies, NameTheBookTheyCopy)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Dune (Mary's conflicted copy 2024-01-02).book", "Dune"},
        {"Dune (conflicted copy 2024-01-02 101010).book", "Dune"},
        {"Dune.sync-conflict-20240102-101010-ABCDEFG.book", "Dune"},
        {"Dune (Case Conflict).book", "Dune"},
        {"Dune (Case Conflict 1).book", "Dune"},
        {"Dune.book~", "Dune"},
        {"Dune~.book", "Dune"},
        {"Dune.BOOK~", "Dune"},
        {"Dune.book", nullptr},
        {"Dune (1).book", nullptr},
        {"notes.txt~", nullptr},
        {"Dune (conflicted copy).txt", nullptr},
        {"~.book", nullptr},
    };
    for (const auto& [file, original] : cases) {
        const std::optional<QString> found = conflictCopyOf(s(file));
        if (original)
            EXPECT_EQ(found, std::optional(s(original))) << file;
        else
            EXPECT_FALSE(found) << file;
    }
}

TEST_F(CatalogueCheck, FindsEveryKindOfProblemAndSortsTheLinesByName)
{
    book("Herbert - Dune", {{Field::Author, "Herbert, Frank"},
                            {Field::Title, "Dune"},
                            {Field::ISBN, "ISBN 0-306-40615-3 (pbk.); 978-0-306-40615-7"},
                            {Field::Position, "IV"}});
    book("herbert - dune 2", {{Field::Author, "HERBERT, Frank"},
                              {Field::Title, "Düne"},
                              {Field::ISBN, "0-306-40615-2"},
                              {Field::NumPages, "xii, 300"},
                              {Field::YearWritten, "c. 1965"},
                              {Field::Language, "Elvish"}});
    book("Another", {{Field::Author, "Herbert, Frank"},
                     {Field::Title, "Dune"},
                     {Field::ISBN, "12345"},
                     {Field::Position, " 4 "}});
    // Blanks only, and values that give what reports need, are never a problem.
    book("Fine", {{Field::ISBN, " "},
                  {Field::Position, " "},
                  {Field::YearWritten, "1965-08"},
                  {Field::Language, "English (en-GB)"}});
    test::writeBytes(
        bookFilePath(dir(), s("Old")),
        "[File information]\r\nProgram version=1.0.0.0\r\n[Cataloguing]\r\nTitle=Old\r\n");
    test::writeBytes(dir() + s("Another.book~"), "");
    test::writeBytes(dir() + s("Gone (Case Conflict).book"), "");
    ASSERT_TRUE(QDir(dir()).mkdir(s("Folder.book")));
#ifdef Q_OS_UNIX
    ASSERT_TRUE(QFile::link(s("/etc/passwd"), dir() + s("Outside.book")));
    ASSERT_TRUE(QFile::link(s("Nothing.book"), dir() + s("Dangling.book")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir() + s("Pipe.book")).constData(), 0600), 0);
    const QByteArray bad = QFile::encodeName(dir()) + "Bad\xff.book";
    const int fd = ::open(bad.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
#endif
    QStringList expected = {
        s("Another: ISBN \"12345\": An ISBN has 10 or 13 digits; this one has 5."),
        s("Another: same author and title as \"Herbert - Dune\" and \"herbert - dune 2\""),
        s("Another.book~: sync conflict copy of \"Another\""),
    };
#ifdef Q_OS_UNIX
    expected += {
        QFile::decodeName("Bad\xff") +
            s(": file name that is not valid UTF-8: the program cannot open it"),
        s("Dangling: symbolic link that points to nothing"),
    };
#endif
    expected += {
        s("Folder: cannot be read: it is a folder, not a regular file"),
        s("Gone (Case Conflict): sync conflict copy of \"Gone\", which is not in the catalogue"),
        s("Herbert - Dune: ISBN \"0-306-40615-3\": The check digit should be 2."),
        s("Herbert - Dune: same ISBN as \"herbert - dune 2\""),
        s("Herbert - Dune: same author and title as \"Another\""),
        s("Herbert - Dune: warning: Position \"IV\" is not an integer: a report with microdata "
          "fails on it"),
        s("herbert - dune 2: same ISBN as \"Herbert - Dune\""),
        s("herbert - dune 2: same author and title as \"Another\""),
        s("herbert - dune 2: warning: Language \"Elvish\" gives no language tag: a report has no "
          "lang attribute for the book"),
        s("herbert - dune 2: warning: Num pages \"xii, 300\" is not an integer: a report with "
          "microdata fails on it"),
        s("herbert - dune 2: warning: Year written \"c. 1965\" gives no machine-readable date in "
          "a report with microdata"),
        s("Old: version 1.0 book file, not upgraded yet (Upgrade Book Files, or quillery-cli "
          "upgrade)"),
    };
#ifdef Q_OS_UNIX
    expected += {
        s("Outside: symbolic link to a file outside the catalogue folder: it is read, but "
          "changes to it are not saved"),
        s("Pipe: cannot be read: it is a named pipe, not a regular file"),
        s("19 problems in 11 books."),
    };
#else
    expected += s("15 problems in 7 books.");
#endif
    EXPECT_EQ(checkAll(), expected);
}

TEST_F(CatalogueCheck, DuplicatesNameTheOthersOnceAndLargeGroupsAreCounted)
{
    // Two ISBNs in common make one line; ISBN-10 and ISBN-13 of one book are one key.
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
        book(name, {{Field::ISBN, "0-306-40615-2; 9780261103344"}, {Field::Title, name}});
    book("H", {{Field::ISBN, "978-0-306-40615-7, 0-306-40615-2"}});
    const QStringList lines = checkAll();
    EXPECT_EQ(lines.first(),
              s("A: same ISBN as \"B\", \"C\", \"D\", \"E\", \"F\" and 2 more books"));
    EXPECT_EQ(lines[6], s("G: same ISBN as \"A\", \"B\", \"C\", \"D\", \"E\" and 2 more books"));
    EXPECT_EQ(lines[7], s("H: same ISBN as \"A\", \"B\", \"C\", \"D\", \"E\" and 2 more books"));
    EXPECT_EQ(lines.size(), 9);
    EXPECT_EQ(
        check({s("A"), s("B"), s("H")}),
        QStringList({s("A: same ISBN as \"B\" and \"H\""), s("B: same ISBN as \"A\" and \"H\""),
                     s("H: same ISBN as \"A\" and \"B\""), s("3 problems in 3 books.")}));
}

TEST_F(CatalogueCheck, PairsThatAreNoDuplicatesAreNotNamed)
{
    for (const char* name : {"Hobbit", "Hobbit (1995)", "Hobbit (reprint)"})
        book(name, {{Field::ISBN, "0-306-40615-2"},
                    {Field::Author, "Tolkien"},
                    {Field::Title, "The Hobbit"}});
    test::writeBytes(directoryOptionsPath(dir()),
                     "[Report]\r\nMicrodata=1\r\n"
                     "[check]\r\nnotduplicates1 = Hobbit | Hobbit (1995)\r\n"
                     "NotDuplicates1=Hobbit|Hobbit (reprint)\r\nOther=Hobbit|Hobbit (reprint)\r\n"
                     "NotDuplicates2=Hobbit\r\n"
                     "[Check]\r\nNotDuplicates3=Hobbit|Hobbit (reprint)\r\n");
    // The options dialog's save keeps the section.
    writeDirectoryOptions(dir(), DirectoryOptions());
    const std::vector<BookPair> pairs = readNotDuplicatePairs(dir());
    EXPECT_EQ(pairs, (std::vector<BookPair>{{s("Hobbit"), s("Hobbit (1995)")}}));
    EXPECT_EQ(check(listBookNames(dir()), pairs),
              QStringList({s("Hobbit: same ISBN as \"Hobbit (reprint)\""),
                           s("Hobbit (1995): same ISBN as \"Hobbit (reprint)\""),
                           s("Hobbit (reprint): same ISBN as \"Hobbit\" and \"Hobbit (1995)\""),
                           s("3 problems in 3 books.")}));
    EXPECT_EQ(readNotDuplicatePairs(dir() + s("none")), std::vector<BookPair>());
    EXPECT_EQ(check(listBookNames(dir()), {{s("A"), s("B")}}).size(), 4);
}

TEST_F(CatalogueCheck, ChecksOnlyTheNamesGiven)
{
    book("Dune", {{Field::ISBN, "0-306-40615-2"}});
    book("Dune again", {{Field::ISBN, "0-306-40615-2"}});
    book("Emma", {{Field::ISBN, "1"}});
    test::writeBytes(dir() + s("Dune.book~"), "");
    test::writeBytes(dir() + s("Emma (Case Conflict).book"), "");
    test::writeBytes(dir() + s("Lost.book~"), "");
    // A folder entry of no listed book is reported with its book, or with the whole list.
    EXPECT_EQ(check({s("Dune")}), QStringList({s("Dune.book~: sync conflict copy of \"Dune\""),
                                               s("1 problems in 1 books.")}));
    EXPECT_EQ(check({s("Emma")}), QStringList({s("Emma: ISBN \"1\": An ISBN has 10 or 13 digits; "
                                                 "this one has 1."),
                                               s("1 problems in 1 books.")}));
    EXPECT_TRUE(checkAll().contains(
        s("Lost.book~: sync conflict copy of \"Lost\", which is not in the catalogue")));
}

TEST(SessionCheck, SavesTheBookBeingEditedFirstAndReadsTheFoldersPairs)
{
    QTemporaryDir home;
    const QString cat = withTrailingSeparator(home.filePath(s("cat")));
    QDir().mkpath(cat);
    for (const char* name : {"A", "B"})
        writeBookFile(bookFilePath(cat, s(name)), BookRecord());
    test::writeBytes(directoryOptionsPath(cat), "[Check]\r\nNotDuplicates=A|B\r\n");
    const QString settings = home.filePath(s("s.reg"));
    test::writeBytes(settings, "Windows Registry Editor Version 5.00\r\n\r\n");
    Session session(std::make_unique<RegFileStore>(settings));
    session.start();
    session.openFolder(cat);
    session.editBook(s("A"));
    session.setField(Field::ISBN, s("0-306-40615-2"));
    writeBookFile(bookFilePath(cat, s("B")), [] {
        BookRecord r;
        r[Field::ISBN] = s("0-306-40615-2");
        r[Field::Position] = s("x");
        return r;
    }());
    EXPECT_EQ(checkReportLines(session.checkCatalogue(session.bookNames())),
              QStringList({s("B: warning: Position \"x\" is not an integer: a report with "
                             "microdata fails on it"),
                           s("1 problems in 1 books.")}));
    EXPECT_EQ(ReadBookRecord(bookFilePath(cat, s("A")))[Field::ISBN], s("0-306-40615-2"));
}
