#include "catalogue/Catalogue.h"
#include "catalogue/BookFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

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
