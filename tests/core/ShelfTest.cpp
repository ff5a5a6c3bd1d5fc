#include "catalogue/Shelf.h"
#include "base/Errors.h"
#include "catalogue/BookFile.h"

#include "TestSupport.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

QByteArray written(const QStringList& lines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(s("out.shelf"));
    WriteUtf8Lines(lines, path);
    return test::readBytes(path);
}

} // namespace

TEST(Shelf, EmptyCatalogueGivesHeaderAndTrailer)
{
    QTemporaryDir dir;
    const QByteArray expected = "@@ File created by Tollvern Quillery.\r\n"
                                "@@ https://www.tollvern.example/quillery/\r\n"
                                "@@ VERSION 1.2.0.0\r\n"
                                "@@ EOF\r\n";
    EXPECT_EQ(written(shelfLines(dir.path(), s("1.2.0.0"))), expected);
    EXPECT_EQ(shelfBytes(dir.path(), s("1.2.0.0")), expected);
}

TEST(Shelf, CopiesEachBookLineByLine)
{
    QTemporaryDir dir;
    test::writeBytes(dir.filePath(s("Empty.book")), {});
    // Invalid UTF-8, LF-only breaks, a lone CR and 0x1A inside lines, no final break.
    test::writeBytes(dir.filePath(s("Odd.BOOK")), "a\xFFz\nb\rc\x1A\r\n@line\n\nlast");
    writeBookFile(dir.filePath(s("Real.book")), BookRecord(),
                  QDateTime(QDate(2026, 1, 1), QTime(10, 0)), s("1.2.0.0"));
    test::writeBytes(dir.filePath(s("ignored.txt")), "x");

    const QStringList lines = shelfLines(dir.path(), s("1.2.0.0"));
    // The books come in the folder's listing order.
    QStringList order;
    QDirIterator it(dir.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().endsWith(s(".book"), Qt::CaseInsensitive))
            order.append(s("@BOOK FILENAME ") + it.fileName());
    }
    QStringList markers;
    for (const QString& line : lines) {
        if (line.startsWith(s("@BOOK FILENAME ")))
            markers.append(line);
    }
    EXPECT_EQ(markers, order);

    const qsizetype empty = lines.indexOf(s("@BOOK FILENAME Empty.book"));
    EXPECT_EQ(lines[empty + 1], s("@END BOOK"));

    const qsizetype odd = lines.indexOf(s("@BOOK FILENAME Odd.BOOK"));
    EXPECT_EQ(lines.mid(odd + 1, 6), QStringList({s("a\uFFFDz"), s("b\rc\x1A"), s("@line"),
                                                  QString(), s("last"), s("@END BOOK")}));

    const qsizetype real = lines.indexOf(s("@BOOK FILENAME Real.book"));
    EXPECT_EQ(lines[real + 1], QString(QChar(0xFEFF)) + s("[File information]"));
    const qsizetype realEnd = lines.indexOf(s("@END BOOK"), real);
    EXPECT_EQ(lines[realEnd - 1], QString());
    EXPECT_EQ(lines[realEnd - 2], s("Price="));
    EXPECT_EQ(lines.last(), s("@@ EOF"));

    // The fast path gives the same bytes as writing the lines.
    EXPECT_EQ(shelfBytes(dir.path(), s("1.2.0.0")), written(lines));
    EXPECT_TRUE(written(lines).contains("\r\n\xEF\xBB\xBF[File information]\r\n"));
}

TEST(Shelf, ExtensionRule)
{
    EXPECT_EQ(withShelfExtension(s("/x/books.txt")), s("/x/books.shelf"));
    EXPECT_EQ(withShelfExtension(s("/x/books")), s("/x/books.shelf"));
    EXPECT_EQ(withShelfExtension(s("/x/books.shelf")), s("/x/books.shelf"));
    EXPECT_EQ(withShelfExtension(s("/x.d/my.books.txt")), s("/x.d/my.books.shelf"));
}

TEST(Shelf, UnreadableBookStopsTheShelf)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(s("Folder.book"));
    EXPECT_THROW(shelfLines(dir.path(), s("1.2.0.0")), FileError);
    EXPECT_THROW(shelfBytes(dir.path(), s("1.2.0.0")), FileError);
}
