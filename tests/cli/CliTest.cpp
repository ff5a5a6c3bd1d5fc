#include "cli/Cli.h"
#include "catalogue/BookFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Result {
    int status;
    QByteArray out;
    QByteArray err;
};

Result run(const QStringList& args)
{
    Result r;
    r.status = cli::run(args, r.out, r.err);
    return r;
}

} // namespace

TEST(Cli, ListPrintsNamesThenTheCount)
{
    QTemporaryDir dir;
    for (const char* name : {"b.book", "A.book", "c.txt"})
        test::writeBytes(dir.filePath(s(name)), {});
    const Result r = run({s("list"), dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QByteArray("A\nb\n2 book(s) in this catalogue.\n"));
    EXPECT_TRUE(r.err.isEmpty());

    QTemporaryDir empty;
    EXPECT_EQ(run({s("list"), empty.path()}).out, QByteArray("0 book(s) in this catalogue.\n"));
}

TEST(Cli, UpgradeConvertsOldBooksAndCounts)
{
    QTemporaryDir dir;
    for (const char* name : {"One.book", "Two.book"}) {
        QFile::copy(test::dataPath(s("v10-cp1252.book")), dir.filePath(s(name)));
        QFile::setPermissions(dir.filePath(s(name)), QFile::ReadOwner | QFile::WriteOwner);
    }
    test::writeBytes(dir.filePath(s("Empty.book")), {});
    Result r = run({s("upgrade"), dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QByteArray("2 books upgraded.\n"));
    EXPECT_FALSE(IsVersion10File(dir.filePath(s("One.book"))));
    EXPECT_EQ(run({s("upgrade"), dir.path()}).out, QByteArray("0 books upgraded.\n"));
}

TEST(Cli, FailuresAndUsageErrors)
{
    Result r = run({s("list"), s("/nonexistent/dir")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QByteArray("There is no directory with the specified path\n"));

    for (const QStringList& args :
         {QStringList(), QStringList({s("frobnicate")}), QStringList({s("list")}),
          QStringList({s("list"), s("a"), s("b")}), QStringList({s("--settings")})}) {
        r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("Usage: quillery-cli"));
    }
    r = run({s("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: quillery-cli"));
}

// The real executable gives the same bytes and exit codes as the in-process run.
TEST(Cli, ExecutableSmoke)
{
    QProcess p;
    p.start(s(QUILLERY_CLI_EXECUTABLE), {s("list"), s(QUILLERY_SOURCE_DIR "/examples/catalogue")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QByteArray out = p.readAllStandardOutput();
    EXPECT_EQ(out, run({s("list"), s(QUILLERY_SOURCE_DIR "/examples/catalogue")}).out);
    EXPECT_TRUE(out.endsWith("8 book(s) in this catalogue.\n")) << out.toStdString();

    p.start(s(QUILLERY_CLI_EXECUTABLE), {s("nonsense")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
}

TEST(Cli, FormatAndLinksOfABookFile)
{
    QTemporaryDir dir;
    const QString book = dir.filePath(s("Doe - Harbour.book"));
    BookRecord r;
    r[Field::Author] = s("Doe, Jane");
    r[Field::YearWritten] = s("1901");
    r[Field::Title] = s("The Quiet Harbour");
    r[Field::Subtitle] = s("A Novel");
    r[Field::Publisher] = s("North Press");
    r[Field::Printed] = s("Uppsala");
    r[Field::YearPrinted] = s("1950");
    r[Field::ISBN] = s("91-7054-940-8");
    r[Field::Language] = s("English");
    r[Field::OriginalLanguage] = s("Swedish");
    r[Field::Translator] = s("John Roe");
    r[Field::OriginalTitle] = s("Den stilla hamnen");
    r.setTranslation(true);
    writeBookFile(book, r, QDateTime::currentDateTime(), s("1.2.0.0"));

    Result res = run({s("format"), book,
                      s("%A(Y.T-Q.P,p(y%.\" ISBN \"N(U\" Translated from \"O\" by \"r\". "
                        "Original title: \"o"),
                      s("--no-lang-for-title")});
    EXPECT_EQ(res.status, 0) << res.err.toStdString();
    EXPECT_EQ(res.out,
              QString(s("Doe, Jane (1901). The Quiet Harbour—A Novel. North Press, Uppsala "
                        "(1950). ISBN 91-7054-940-8 (English) Translated from Swedish by "
                        "John Roe. Original title: Den stilla hamnen"))
                  .toUtf8());

    // The ID is the file name; a format that starts with '-' is still a format after "--".
    res = run({s("format"), book, s("--link"), s("--"), s("-%I/%T")});
    EXPECT_EQ(res.out, QByteArray("-9170549408/The+Quiet+Harbour"));

    res = run({s("format"), book, s("%Z")});
    EXPECT_EQ(res.status, 1);
    EXPECT_TRUE(res.out.isEmpty());
    EXPECT_EQ(res.err, QByteArray("Invalid token starting with %Z at 1.\n"));

    res = run({s("links"), book});
    EXPECT_EQ(res.status, 0);
    const QList<QByteArray> links = res.out.split('\n');
    ASSERT_EQ(links.size(), 6); // five lines and the empty rest after the last LF
    EXPECT_TRUE(links[0].endsWith("q=The+Quiet+Harbour"));
    EXPECT_TRUE(links[2].endsWith("/wiki/Special:BookSources/9170549408"));

    res = run({s("format"), dir.filePath(s("missing.book"))});
    EXPECT_EQ(res.status, 1);
    EXPECT_TRUE(res.err.startsWith("Cannot open file \""));
    EXPECT_EQ(run({s("links"), book, s("--microdata")}).status, 2);
    EXPECT_EQ(run({s("format"), book, s("--microdata"), s("--no-microdata")}).status, 2);
    EXPECT_EQ(run({s("list"), dir.path(), s("-o"), s("x")}).status, 2);
}
