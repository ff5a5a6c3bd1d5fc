#include "catalogue/Catalogue.h"
#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ListCollation.h"
#include "catalogue/BookFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

TEST(Catalogue, ListsEveryEntryEndingInBookSortedIgnoringCase)
{
    QTemporaryDir dir;
    for (const char* name : {"zeta.book", "Alpha.BOOK", "beta.Book", ".hidden.book", "Vol. 2.book",
                             "notes.txt", "book", "readme.book.txt", "Émile.book"})
        test::writeBytes(dir.filePath(s(name)), {});
    QDir(dir.path()).mkdir(s("Folder.book"));
    QDir(dir.path()).mkdir(s("other"));
    EXPECT_EQ(listBookNames(dir.path()),
              QStringList({s(".hidden"), s("Alpha"), s("beta"), s("Émile"), s("Folder"),
                           s("Vol. 2"), s("zeta")}));
}

TEST(Catalogue, NamesDifferingOnlyInCaseAreTwoBooksInAFixedOrder)
{
    QStringList names = {s("emma"), s("Emma"), s("EMMA")};
    sortBookNames(names);
    EXPECT_EQ(names, QStringList({s("EMMA"), s("Emma"), s("emma")}));
}

// The list's keys (ICU's own where the build has it) order names as QCollator does, in the
// locales whose tailorings touch plain letters too (Danish "aa", Czech "ch") and in the C locale;
// a name sorted wrongly would move every book after it in reports and shelves.
TEST(Catalogue, ListKeysOrderNamesAsTheCollatorDoes)
{
    const QStringList names = {
        s("aa"),       s("Aachen"),  s("ab"),     s("Åsa"),     s("zz"),      s("Chata"),
        s("cz"),       s("hz"),      s("i"),      s("Émile"),   s("emile"),   s("EMILE"),
        s("Ørsted"),   s("Oz"),      s("Straße"), s("strasse"), s("Vol. 10"), s("Vol. 2"),
        s("vol 2"),    s("-dash"),   s("_under"), s("(paren"),  s("1984"),    s("19 84"),
        s("Ångström"), s("Zürich"),  s("Zurich"), s("Дюна"),    s("東京"),    s("ﬁne"),
        s("fine"),     s("e\u0301"), s("a\tb"),   s(""),        s("Ꭰ"),       s("🙂 smile"),
    };
    const QLocale before;
    for (const char* locale : {"C", "en_US", "sv_SE", "de_DE", "da_DK", "cs_CZ", "ja_JP"}) {
        QLocale::setDefault(QLocale(s(locale)));
        const std::vector<QStringView> views(names.cbegin(), names.cend());
        const ListSortKeys keys(views.data(), qsizetype(views.size()));
        const QCollator collator = ListSortKeys::collator();
        for (qsizetype a = 0; a < names.size(); ++a) {
            for (qsizetype b = 0; b < names.size(); ++b) {
                const int ours = keys.compare(a, b);
                const int theirs = collator.compare(names[a], names[b]);
                EXPECT_EQ((ours > 0) - (ours < 0), (theirs > 0) - (theirs < 0))
                    << locale << ": " << names[a].toStdString() << " / " << names[b].toStdString();
            }
        }
    }
    QLocale::setDefault(before);
}

TEST(Catalogue, UnlistableFolderListsNothing)
{
    EXPECT_TRUE(listBookNames(s("/nonexistent/folder/")).isEmpty());
}

TEST(Catalogue, FileOfAnEntryAndCountText)
{
    EXPECT_EQ(bookFilePath(s("/cat/"), s("Vol. 2")), s("/cat/Vol. 2.book"));
    EXPECT_EQ(bookFilePath(s("/cat"), s("A")), s("/cat") + QDir::separator() + s("A.book"));
    EXPECT_EQ(bookCountText(0), s("0 book(s) in this catalogue."));
    EXPECT_EQ(bookCountText(1), s("1 book(s) in this catalogue."));
    EXPECT_EQ(booksUpgradedText(1), s("1 books upgraded."));
}

TEST(Catalogue, UpgradeCountsOnlyVersion10Books)
{
    QTemporaryDir dir;
    QFile::copy(test::dataPath(s("v10-cp1252.book")), dir.filePath(s("Old.book")));
    QFile::setPermissions(dir.filePath(s("Old.book")), QFile::ReadOwner | QFile::WriteOwner);
    test::writeBytes(dir.filePath(s("Empty.book")), {});
    writeBookFile(dir.filePath(s("New.book")), BookRecord(), QDateTime::currentDateTime(),
                  s("1.2.0.0"));
    const QByteArray untouched = test::readBytes(dir.filePath(s("New.book")));
    EXPECT_EQ(upgradeCatalogue(dir.path(), listBookNames(dir.path())), 1);
    EXPECT_FALSE(IsVersion10File(dir.filePath(s("Old.book"))));
    EXPECT_EQ(test::readBytes(dir.filePath(s("New.book"))), untouched);
    EXPECT_EQ(upgradeCatalogue(dir.path(), listBookNames(dir.path())), 0);
}

TEST(CatalogueNames, ValidityAndExtension)
{
    for (const char* bad : {"\"", "*", "/", ":", "<", ">", "?", "\\", "|"}) {
        EXPECT_FALSE(IsValidFileNameChar(s(bad)[0])) << bad;
        EXPECT_FALSE(IsValidFileName(s("a") + s(bad) + s("b.book"))) << bad;
    }
    EXPECT_FALSE(IsValidFileNameChar(QChar(0)));
    EXPECT_TRUE(IsValidFileName(s("Émile – ½ (2).book")));
    EXPECT_FALSE(IsValidFileName(QString()));

    // The text after the last period is an extension, replaced, only when it is short and holds
    // no blank.
    struct Case {
        const char* entered;
        const char* expected;
    };
    for (const Case& c : {
             Case{"Emma", "Emma.book"},
             Case{"Emma.book", "Emma.book"},
             Case{"Emma.BOOK", "Emma.BOOK"},
             Case{"Emma.txt", "Emma.book"},
             Case{"Emma.html", "Emma.book"},
             Case{"Emma.", "Emma.book"},
             Case{"Emma.books", "Emma.books.book"},
             // A period inside a title is no extension: the text after it holds a blank.
             Case{"Vol. 2", "Vol. 2.book"},
             Case{"Vol. 2 of Something", "Vol. 2 of Something.book"},
             Case{"J. R. R. Tolkien - The Hobbit", "J. R. R. Tolkien - The Hobbit.book"},
             Case{"Emma.a\u00A0b", "Emma.a\u00A0b.book"},
             // Four characters, counted as code points: a surrogate pair is one.
             Case{"Emma.\U0001D11E\U0001D11E\U0001D11E\U0001D11E", "Emma.book"},
             Case{"Emma.\U0001D11E\U0001D11E\U0001D11E\U0001D11Ex",
                  "Emma.\U0001D11E\U0001D11E\U0001D11E\U0001D11Ex.book"},
             Case{"a.b\\c", "a.b\\c.book"},
             Case{"x:y", "x:y.book"},
             Case{"x.y:z", "x.y:z.book"},
         }) {
        EXPECT_EQ(withBookExtension(s(c.entered)), s(c.expected)) << c.entered;
    }
    EXPECT_EQ(withBookExtension(QString()), s(".book"));
}

TEST(CatalogueNames, ProposalsAndAcceptance)
{
    QTemporaryDir dir;
    EXPECT_EQ(firstNewBookProposal(dir.path()), s("Book"));
    test::writeBytes(dir.filePath(s("Book3.book")), {});
    EXPECT_EQ(firstNewBookProposal(dir.path()), s("Book"));
    test::writeBytes(dir.filePath(s("Book.book")), {});
    EXPECT_EQ(firstNewBookProposal(dir.path()), s("Book1"));
    test::writeBytes(dir.filePath(s("Book1.book")), {});
    EXPECT_EQ(firstNewBookProposal(dir.path()), s("Book2"));
    QFile::remove(dir.filePath(s("Book1.book")));
    test::writeBytes(dir.filePath(s("Book2.book")), {});
    EXPECT_EQ(firstNewBookProposal(dir.path()), s("Book1"));

    EXPECT_EQ(checkProposal(dir.path(), s("Book.book")), NameCheck::Exists);
    EXPECT_EQ(checkProposal(dir.path(), s(".book")), NameCheck::Invalid);
    EXPECT_EQ(checkProposal(dir.path(), s("a?.book")), NameCheck::Invalid);
    EXPECT_EQ(checkProposal(dir.path(), s("New one.book")), NameCheck::Accepted);
    // On a file system that tells case apart, a name differing only in case is another book.
    EXPECT_EQ(checkProposal(dir.path(), s("BOOK.book")),
              QFileInfo::exists(dir.filePath(s("BOOK.book"))) ? NameCheck::Exists
                                                              : NameCheck::Accepted);
}

TEST(CatalogueFiles, NewRenameAndDuplicateNeverReplace)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(s("A.book"));
    const QString b = dir.filePath(s("B.book"));
    createNewEmptyFile(a);
    EXPECT_EQ(QFileInfo(a).size(), 0);
    test::writeBytes(b, "precious");
    // New Book never truncates what exists.
    EXPECT_THROW(createNewEmptyFile(b), FileError);
    EXPECT_EQ(test::readBytes(b), QByteArray("precious"));

    QString reason;
    EXPECT_FALSE(renameNoReplace(a, b, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(test::readBytes(b), QByteArray("precious"));
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_FALSE(copyNoReplace(a, b, &reason));
    EXPECT_EQ(test::readBytes(b), QByteArray("precious"));

    const QString c = dir.filePath(s("C.book"));
    EXPECT_TRUE(copyNoReplace(b, c));
    EXPECT_EQ(test::readBytes(c), QByteArray("precious"));
    const QString d = dir.filePath(s("D.book"));
    EXPECT_TRUE(renameNoReplace(a, d));
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(QFile::exists(d));
    // No temporary file is left behind by the copy.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);

    EXPECT_TRUE(deleteFile(d));
    EXPECT_FALSE(deleteFile(d, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

TEST(CatalogueFiles, PathsCompareAsTheFileSystemDoes)
{
#ifdef Q_OS_WIN
    EXPECT_TRUE(sameFilePath(s("C:/x/Emma.book"), s("c:/X/emma.book")));
#else
    EXPECT_FALSE(sameFilePath(s("/x/Emma.book"), s("/x/emma.book")));
    EXPECT_TRUE(sameFilePath(s("/x/Emma.book"), s("/x/Emma.book")));
#endif
}

TEST(CatalogueFiles, VersionCacheAnswersAsAFreshTest)
{
    QTemporaryDir dir;
    QFile::copy(test::dataPath(s("v10-cp1252.book")), dir.filePath(s("Old.book")));
    QFile::setPermissions(dir.filePath(s("Old.book")), QFile::ReadOwner | QFile::WriteOwner);
    test::writeBytes(dir.filePath(s("New.book")), {});
    VersionTestCache cache;
    const QStringList names = listBookNames(dir.path());
    EXPECT_TRUE(cache.catalogueHasVersion10Files(dir.path(), names));
    EXPECT_TRUE(cache.catalogueHasVersion10Files(dir.path(), names));
    UpgradeBookFile(dir.filePath(s("Old.book")), s("1.2.0.0"));
    EXPECT_FALSE(cache.catalogueHasVersion10Files(dir.path(), names));
    // A file replaced by an old one of a different size is tested again.
    test::writeBytes(dir.filePath(s("New.book")), "[File information]\r\nProgram version=1.0\r\n");
    EXPECT_TRUE(cache.isVersion10File(dir.filePath(s("New.book"))));
}

TEST(CatalogueFiles, VersionTestOfLongFilesReadsPastThePrefix)
{
    QTemporaryDir dir;
    // The version line after 10,000 bytes of other sections.
    QByteArray late = "[Other]\r\n";
    for (int i = 0; i < 500; ++i)
        late += "key" + QByteArray::number(i) + "=some value here\r\n";
    late += "[File information]\r\nProgram version=1.0.0.0\r\n";
    test::writeBytes(dir.filePath(s("Late.book")), late);
    QByteArray early = "[File information]\r\nProgram version=1.2.0.0\r\n[Other]\r\n";
    early += QByteArray(20000, 'x') + "\r\n";
    test::writeBytes(dir.filePath(s("Early.book")), early);
    VersionTestCache cache;
    EXPECT_FALSE(cache.catalogueHasVersion10Files(dir.path(), {s("Early")}));
    EXPECT_TRUE(cache.catalogueHasVersion10Files(dir.path(), {s("Early"), s("Late")}));
    EXPECT_TRUE(IsVersion10File(dir.filePath(s("Late.book"))));
    // Missing names and folders named like books are no version 1.0 files.
    QDir(dir.path()).mkdir(s("Folder.book"));
    EXPECT_FALSE(cache.catalogueHasVersion10Files(dir.path(), {s("Folder"), s("Missing")}));
}
