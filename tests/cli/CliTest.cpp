#include "cli/Cli.h"
#include "base/Errors.h"
#include "catalogue/BookFile.h"
#include "markup/FormatContext.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"

#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

using Result = test::CliResult;

Result run(const QStringList& args)
{
    return test::runCli(args);
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

TEST(Cli, UcnamePrintsTheName)
{
    const struct {
        const char* hex;
        const char* out;
    } cases[] = {
        {"2014", "EM DASH\n"},
        {"U+2013", "EN DASH\n"},
        {"9", "Character Tabulation (HT)\n"},
        {"00ffff", "<not a character>\n"},
        {"4E00", "\n"},
        {"E000", "\n"},
        {"1F600", "\n"},
        {"000000000000002014", "EM DASH\n"},
        {"123456789ABCDEF", "\n"},
    };
    for (const auto& c : cases) {
        const Result r = run({s("ucname"), s(c.hex)});
        EXPECT_EQ(r.status, 0) << c.hex;
        EXPECT_EQ(r.out, QByteArray(c.out)) << c.hex;
    }
    for (const char* bad : {"", "U+", "2O14", "-1", "0x2014"}) {
        const Result r = run({s("ucname"), s(bad)});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// --settings FILE gives every setting that reaches formatting; without it the user's own store
// is read, and a missing file means the defaults.
TEST(Cli, SettingsFileReachesFormatting)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(s("exported.reg"));
    const QString text =
        s("Windows Registry Editor Version 5.00\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n"
          "\"DashChar\"=\"\u2013\"\r\n"
          "\"DashSpaced\"=dword:00000001\r\n"
          "\"SubtitleSeparator\"=\" \\\\ \"\r\n"
          "\"EscapeHTML\"=dword:00000000\r\n"
          "\"Format\"=\"%T\"\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\RefLinks]\r\n"
          "\"RefLink0\"=\"https://example.org/?q=%I\"\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Synonyms\\EBook]\r\n"
          "\"Synonym0\"=\"Kindle\"\r\n\r\n"
          "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Synonyms\\Hardcover]\r\n\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    test::writeBytes(file, utf16);

    const AppSettings a = cli::loadSettings(file);
    FormatContext c;
    applyToFormatContext(a, c);
    EXPECT_EQ(c.dashChar, QChar(0x2013));
    EXPECT_TRUE(c.dashSpaced);
    EXPECT_EQ(c.subtitleSeparator, s(" \\ "));
    EXPECT_FALSE(c.escapeHtml);
    EXPECT_EQ(c.dataLinkTemplates, QStringList({s("https://example.org/?q=%I")}));
    EXPECT_EQ(c.synonymsEBook, QStringList({s("Kindle")}));
    EXPECT_TRUE(c.synonymsHardcover.isEmpty());
    EXPECT_EQ(c.synonymsPaperback, defaultSynonymsPaperback());
    EXPECT_EQ(formatBoxText(a), s("%T"));
    EXPECT_EQ(test::readBytes(file), utf16); // never written

    EXPECT_EQ(cli::loadSettings(dir.filePath(s("missing.reg"))), AppSettings());

    // No --settings: the user's store (in the tests' own configuration folder).
    const QString userFile = userSettingsFilePath();
    ASSERT_TRUE(userFile.contains(s("qttest"))) << userFile.toStdString();
    AppSettings mine;
    mine.dashSpaced = true;
    {
        RegFileStore store(userFile);
        SaveAppSettings(store, mine);
    }
    EXPECT_EQ(cli::loadSettings(QString()), mine);
    QFile::remove(userFile);

    test::writeBytes(file, "not a registry file");
    EXPECT_THROW(cli::loadSettings(file), Error);
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

namespace {

// A catalogue of two books with an options file, and a settings file that starts the program
// somewhere else.
class CliCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* title : {"Beta", "alpha"}) {
            BookRecord r;
            r[Field::Title] = s(title);
            r[Field::Position] = s("2");
            writeBookFile(m_dir.filePath(s(title) + s(".book")), r, QDateTime::currentDateTime(),
                          s("1.2.0.0"));
        }
        m_settings = m_home.filePath(s("settings.reg"));
        test::writeBytes(m_settings,
                         "Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n"
                         "\"Format\"=\"[%T]\"\r\n"
                         "\"Directory\"=\"" +
                             m_home.path().toUtf8() + "/\"\r\n\r\n");
    }

    Result report(QStringList extra)
    {
        return run(QStringList({s("--settings"), m_settings, s("report"), m_dir.path()}) + extra);
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
    QString m_settings;
};

} // namespace

TEST_F(CliCatalogue, ReportUsesTheSettingsTheOptionsFileAndTheFlagsInOrder)
{
    Result r = report({});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("<ul>\r\n<li>[alpha]</li>\r\n<li>[Beta]</li>\r\n</ul>\r\n"));

    test::writeBytes(m_dir.filePath(s("directory.qy-opts")),
                     "[Formats]\r\nFormat=%T%i\r\n[Report]\r\nBeforeReport=\r\nAfterReport=\r\n");
    r = report({s("--selected"), s("Beta")});
    EXPECT_EQ(r.out, QByteArray("<li>Beta2</li>\r\n"));
    EXPECT_EQ(report({s("--selected"), s("beta")}).out, QByteArray()); // exact names only

    // Ticking microdata rewrites the before-item text given just before it.
    r = report({s("--selected"), s("Beta"), s("--before-item"), s("<p>"), s("--after-item"),
                s("</p>"), s("--microdata"), s("--format"), s("%i")});
    EXPECT_EQ(r.out, QByteArray("<p itemscope=\"\" itemtype=\"http://schema.org/Book\">"
                                "<span itemprop=\"position\">2</span></p>\r\n"));

    // To a file: BOM and text, nothing on stdout.
    const QString out = m_home.filePath(s("report.txt"));
    r = report({s("-o"), out});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(test::readBytes(out),
              QByteArray("\xEF\xBB\xBF<li>alpha2</li>\r\n<li>Beta2</li>\r\n"));

    // A failing report writes no file and prints nothing.
    const QString failed = m_home.filePath(s("failed.txt"));
    r = report({s("--format"), s("%Z"), s("-o"), failed});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QByteArray("Invalid token starting with %Z at 1.\n"));
    EXPECT_FALSE(QFile::exists(failed));

    EXPECT_EQ(run({s("report")}).status, 2);
    EXPECT_EQ(run({s("report"), m_dir.path(), s("--link")}).status, 2);
}

TEST_F(CliCatalogue, ReportSortsAndGroupsByTheFileAndThenTheFlags)
{
    test::writeBytes(m_dir.filePath(s("directory.qy-opts")),
                     "[Report]\r\nSort=-title\r\nAfterGroup=</div>\r\n");
    const struct {
        QStringList flags;
        const char* out;
    } cases[] = {
        {{}, "<ul>\r\n<li>[Beta]</li>\r\n<li>[alpha]</li>\r\n</ul>\r\n"},
        {{s("--sort"), s("name")}, "<ul>\r\n<li>[alpha]</li>\r\n<li>[Beta]</li>\r\n</ul>\r\n"},
        {{s("--group"), s("title"), s("--before-group"), s("<div>%G"), s("--before-report"), s("")},
         "<div>Beta\r\n<li>[Beta]</li>\r\n</div>\r\n<div>alpha\r\n<li>[alpha]</li>\r\n</div>\r\n"
         "</ul>\r\n"},
        {{s("--group"), s("series"), s("--after-group"), s(""), s("--sort"), s("-name")},
         "<ul>\r\n<li>[Beta]</li>\r\n<li>[alpha]</li>\r\n</ul>\r\n"},
    };
    for (const auto& c : cases) {
        const Result r = report(c.flags);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QByteArray(c.out)) << c.flags.join(u' ').toStdString();
    }
    const QString out = m_home.filePath(s("report.txt"));
    EXPECT_EQ(report({s("--sort"), s("title"), s("-o"), out}).status, 0);
    EXPECT_EQ(test::readBytes(out),
              QByteArray("\xEF\xBB\xBF<ul>\r\n<li>[alpha]</li>\r\n<li>[Beta]</li>\r\n</ul>\r\n"));

    Result r = report({s("--sort"), s("author,-publisher")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QByteArray("Unknown sort key \"-publisher\". The sort keys are name, author, "
                                "title, year (or yearwritten), yearprinted, series, category and "
                                "language, each with \"-\" in front for descending order.\n"));
    r = report({s("--group"), s("name")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("Unknown group field \"name\". The group fields are none, "));
    EXPECT_EQ(run({s("format"), m_dir.filePath(s("Beta.book")), s("--sort"), s("title")}).status,
              2);
    EXPECT_TRUE(run({s("--help")}).out.contains("--sort KEYS"));
}

// The options file's JSON-LD and page keys apply first, the flags after them; both off give the
// report of before. format --jsonld prints one book's node, whatever the options file says.
TEST_F(CliCatalogue, JsonLdAndCompletePageByTheFileAndThenTheFlags)
{
    test::writeBytes(m_dir.filePath(s("directory.qy-opts")),
                     "[Report]\r\nJsonLd=1\r\nCompletePage=1\r\nPageTitle=Shelf\r\n");
    const QByteArray list = "<ul>\r\n<li>[alpha]</li>\r\n<li>[Beta]</li>\r\n</ul>\r\n";
    const QByteArray script = "<script type=\"application/ld+json\">\r\n";
    const QByteArray page = report({s("--page-title"), s("A & B")}).out;
    EXPECT_TRUE(page.startsWith(
        QByteArray("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
                   "<title>A &amp; B</title>\r\n</head>\r\n<body>\r\n" +
                   list + script)));
    EXPECT_TRUE(page.endsWith("</script>\r\n</body>\r\n</html>\r\n"));
    EXPECT_TRUE(report({s("--no-page")}).out.startsWith(QByteArray(list + script)));
    EXPECT_EQ(report({s("--no-jsonld"), s("--no-page")}).out, list);

    const QString beta = m_dir.filePath(s("Beta.book"));
    const Result r = run({s("--settings"), m_settings, s("format"), beta, s("--jsonld")});
    EXPECT_EQ(r.out,
              QByteArray("{\n    \"@context\": \"https://schema.org\",\n    \"@id\": \"#Beta\",\n"
                         "    \"@type\": \"Book\",\n    \"name\": \"Beta\",\n"
                         "    \"position\": 2\n}\n"));
    EXPECT_EQ(run({s("--settings"), m_settings, s("format"), beta}).out, QByteArray("[Beta]"));
    for (const QStringList& args :
         {QStringList{s("report"), m_dir.path(), s("--page"), s("--no-page")},
          QStringList{s("report"), m_dir.path(), s("--jsonld"), s("--no-jsonld")},
          QStringList{s("format"), beta, s("--page")},
          QStringList{s("format"), beta, s("--jsonld"), s("--link")},
          QStringList{s("format"), beta, s("%T"), s("--jsonld")}})
        EXPECT_EQ(run(args).status, 2) << args.join(u' ').toStdString();
}

TEST_F(CliCatalogue, FormatOpensTheBooksFolderFirst)
{
    test::writeBytes(m_dir.filePath(s("directory.qy-opts")), "[Formats]\r\nFormat=<%T>\r\n");
    const Result r =
        run({s("--settings"), m_settings, s("format"), m_dir.filePath(s("Beta.book"))});
    EXPECT_EQ(r.out, QByteArray("<Beta>"));
}

TEST_F(CliCatalogue, ShelfWritesTheFileWithItsExtension)
{
    const QString chosen = m_home.filePath(s("books.txt"));
    Result r = run({s("shelf"), m_dir.path(), s("-o"), chosen});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(chosen));
    const QByteArray shelf = test::readBytes(m_home.filePath(s("books.shelf")));
    EXPECT_TRUE(shelf.startsWith("@@ File created by Tollvern Quillery.\r\n"));
    EXPECT_TRUE(shelf.endsWith("@END BOOK\r\n@@ EOF\r\n"));
    EXPECT_EQ(run({s("shelf"), m_dir.path()}).status, 2);
    EXPECT_EQ(run({s("shelf"), s("/nonexistent"), s("-o"), chosen}).status, 1);
}

TEST_F(CliCatalogue, WhereLimitsListAndReport)
{
    const auto list = [this](const char* query) {
        return run({s("list"), m_dir.path(), s("--where"), s(query)});
    };
    const struct {
        const char* query;
        const char* out;
    } lists[] = {
        {"title:beta", "Beta\n1 of 2 book(s) shown.\n"},
        {"-title:beta", "alpha\n1 of 2 book(s) shown.\n"},
        {"position:2..", "alpha\nBeta\n2 of 2 book(s) shown.\n"},
        {"", "alpha\nBeta\n2 of 2 book(s) shown.\n"},
        {"gamma", "0 of 2 book(s) shown.\n"},
    };
    for (const auto& c : lists) {
        const Result r = list(c.query);
        EXPECT_EQ(r.status, 0) << c.query << r.err.toStdString();
        EXPECT_EQ(r.out, QByteArray(c.out)) << c.query;
    }
    Result r = list("year:1900..x");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, QByteArray("Invalid range \"1900..x\" at 6.\n"));

    EXPECT_EQ(report({s("--where"), s("beta")}).out,
              QByteArray("<ul>\r\n<li>[Beta]</li>\r\n</ul>\r\n"));
    EXPECT_EQ(report({s("--selected"), s("Beta"), s("--where"), s("has:title")}).out,
              QByteArray("<ul>\r\n<li>[Beta]</li>\r\n</ul>\r\n"));
    EXPECT_EQ(report({s("--selected"), s("Beta"), s("--where"), s("alpha")}).out,
              QByteArray("<ul>\r\n</ul>\r\n"));
    r = report({s("--where"), s("colour:red"), s("-o"), m_home.filePath(s("r.html"))});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QByteArray("Unknown field \"colour\" at 1.\n"));
    EXPECT_FALSE(QFile::exists(m_home.filePath(s("r.html"))));

    EXPECT_EQ(run({s("format"), m_dir.filePath(s("Beta.book")), s("--where"), s("x")}).status, 2);
    EXPECT_EQ(list("x").status, 0);
    EXPECT_EQ(run({s("list"), m_dir.path(), s("--where")}).status, 2);
}

// The usage text names every field a query can name.
TEST(Cli, UsageNamesTheQueryFields)
{
    const QString usage = cli::usageText();
    for (const FieldDef& def : FieldTable::rows()) {
        const QString name = QString::fromUtf16(def.key).remove(u' ').toLower();
        EXPECT_TRUE(usage.contains(QRegularExpression(u"\\b" + name + u"\\b")))
            << name.toStdString();
    }
    for (const char* name : {"year", "pages", "name", "has:FIELD", "--where QUERY"})
        EXPECT_TRUE(usage.contains(s(name))) << name;
}

TEST_F(CliCatalogue, ExportWritesTheBooksInAFormatToStdoutOrAFile)
{
    const auto exportTo = [this](QStringList extra) {
        return run(QStringList({s("--settings"), m_settings, s("export"), m_dir.path()}) + extra);
    };
    Result r = exportTo({s("--to"), s("ris"), s("--where"), s("title:beta")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QByteArray("TY  - BOOK\r\nID  - Beta\r\nTI  - Beta\r\nVL  - 2\r\nER  - \r\n\r\n"));

    const QString file = m_home.filePath(s("books.csv"));
    r = exportTo({s("--to"), s("CSV"), s("-o"), file});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    const QByteArray csv = test::readBytes(file);
    EXPECT_TRUE(csv.contains("\r\nalpha,,,alpha,,,,2,")) << test::visible(csv);
    EXPECT_EQ(exportTo({s("--to"), s("csv")}).out, csv); // the same books, the same bytes

    for (const QStringList& usage : {QStringList{},
                                     {s("--to"), s("goodreads")},
                                     {s("--to"), s("pdf")},
                                     {s("--to"), s("csv"), s("--microdata")}})
        EXPECT_EQ(exportTo(usage).status, 2) << usage.join(u' ').toStdString();
}

TEST_F(CliCatalogue, ImportListsEveryRecordAndTheCountsAndADryRunWritesNothing)
{
    const QString file = m_home.filePath(s("in.csv"));
    test::writeBytes(file, "Title,Position\r\nGamma,1\r\nbeta,2\r\n,\r\nDelta,4,x\r\n");
    const auto import = [&](QStringList extra) {
        return run(QStringList({s("--settings"), m_settings, s("import"), m_dir.path(), file}) +
                   extra);
    };
    const QByteArray lines = "line 2: new book \"Gamma\"\n"
                             "line 3: duplicate of \"Beta\" (same author and title), skipped\n"
                             "line 5: rejected: The row has 3 cells, the header row 2.\n"
                             "1 books imported, 1 duplicates skipped, 1 records rejected.\n";
    Result r = import({s("--dry-run")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, lines + "Dry run: nothing was written.\n");
    EXPECT_FALSE(QFile::exists(m_dir.filePath(s("Gamma.book"))));

    r = import({s("--from"), s("csv")});
    EXPECT_EQ(r.out, lines);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(s("Gamma.book"))));
    r = import({s("--duplicates"), s("import")});
    EXPECT_TRUE(r.out.startsWith("line 2: new book \"Gamma (2)\", a duplicate of \"Gamma\""));
    EXPECT_TRUE(r.out.endsWith("2 books imported, 0 duplicates skipped, 1 records rejected.\n"));

    test::writeBytes(file, "plain words\n");
    r = import({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot import \"" + QDir::toNativeSeparators(file).toUtf8() +
                         "\". Its content is not CSV, CSL-JSON, BibTeX or RIS as far as the "
                         "program can tell.\n");
    r = import({s("--from"), s("ris")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.endsWith("The file holds no RIS record (a line \"TY  - \").\n"));
    EXPECT_EQ(import({s("--duplicates"), s("maybe")}).status, 2);
    EXPECT_EQ(import({s("--from"), s("xml")}).status, 2);
}

TEST(Cli, IsbnPrintsBothFormsHyphenatedOrWhyAnIsbnIsInvalid)
{
    Result r = run({s("isbn"), s("9780306406157"), s("ISBN 3-16-148410-X; 979-10-90636-07-1")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QByteArray("978-0-306-40615-7 0-306-40615-2\n"
                                "978-3-16-148410-0 3-16-148410-X\n"
                                "979-10-90636-07-1 -\n"));
    r = run({s("isbn"), s("0-306-40615-3, 9783161484100")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QByteArray("0-306-40615-3: invalid: The check digit should be 2.\n"
                                "978-3-16-148410-0 3-16-148410-X\n"));
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(run({s("isbn")}).status, 2);
}

TEST_F(CliCatalogue, CheckPrintsTheLinesAndFailsOnlyOnProblems)
{
    const auto check = [this](QStringList extra) {
        return run(QStringList({s("--settings"), m_settings, s("check"), m_dir.path()}) + extra);
    };
    const struct {
        const char* position;
        const char* isbn;
        int status;
        QByteArray out;
    } cases[] = {
        {"2", "", 0, "0 problems in 0 books.\n"},
        {"II", "", 0,
         "Beta: warning: Position \"II\" is not an integer: a report with microdata fails on "
         "it\n1 problems in 1 books.\n"},
        {"2", "0-306-40615-3", 1,
         "Beta: ISBN \"0-306-40615-3\": The check digit should be 2.\n1 problems in 1 books.\n"},
    };
    for (const auto& c : cases) {
        BookRecord r;
        r[Field::Title] = s("Beta");
        r[Field::Position] = s(c.position);
        r[Field::ISBN] = s(c.isbn);
        writeBookFile(m_dir.filePath(s("Beta.book")), r);
        const Result result = check({});
        EXPECT_EQ(result.status, c.status) << c.isbn;
        EXPECT_EQ(result.out, c.out);
        EXPECT_TRUE(result.err.isEmpty());
    }
    EXPECT_EQ(check({s("--where"), s("alpha")}).out, QByteArray("0 problems in 0 books.\n"));
    EXPECT_EQ(check({s("--where"), s("x:")}).status, 1);
    EXPECT_EQ(check({s("--microdata")}).status, 2);
}
