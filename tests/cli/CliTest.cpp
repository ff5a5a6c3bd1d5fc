#include "catalogue/BookFile.h"
#include "cli/Cli.h"

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
    p.start(s(QUILLERY_CLI_EXECUTABLE),
            {s("list"), s(QUILLERY_SOURCE_DIR "/examples/catalogue")});
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

TEST(Cli, LangPrintsTheTagOrFails)
{
    const struct {
        const char* text;
        const char* out;
    } found[] = {
        {"English", "en\n"},
        {"Klingon", "i-klingon\n"},
        {"Norwegian Bokm\u00e5l", "nb\n"},
        {"English (en-GB)", "en-GB\n"},
        {"Modern Greek (1453-)", "1453-\n"},
        {")(", "\n"},
    };
    for (const auto& c : found) {
        const Result r = run({s("lang"), s(c.text)});
        EXPECT_EQ(r.status, 0) << c.text;
        EXPECT_EQ(r.out, QByteArray(c.out)) << c.text;
        EXPECT_TRUE(r.err.isEmpty());
    }

    Result r = run({s("lang"), s("Elvish")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QByteArray("\"Elvish\" gives no BCP 47 language tag\n"));
    EXPECT_EQ(run({s("lang"), s(" English")}).status, 1);

    EXPECT_EQ(run({s("lang")}).status, 2);
    EXPECT_EQ(run({s("lang"), s("a"), s("b")}).status, 2);

    // The executable carries the language table itself.
    QProcess p;
    p.start(s(QUILLERY_CLI_EXECUTABLE), {s("lang"), s("France")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), QByteArray("FR\n"));
}
