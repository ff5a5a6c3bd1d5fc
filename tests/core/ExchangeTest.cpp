#include "exchange/Exchange.h"

#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "exchange/BookMapping.h"
#include "exchange/CslJson.h"
#include "exchange/Csv.h"
#include "exchange/Import.h"
#include "exchange/Ris.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

namespace {

BookRecord book(std::initializer_list<std::pair<Field, const char*>> fields)
{
    BookRecord r;
    for (const auto& [field, value] : fields)
        r[field] = s(value);
    return r;
}

// Books named as imports name them ("Author - Title"), with every kind of value the formats
// must carry: several authors and an organisation, translations, dates of every form, line
// breaks, quotes, commas, LaTeX and spreadsheet specials, scripts beyond Latin and beyond the
// Basic Multilingual Plane.
std::vector<BookRecord> variedBooks()
{
    using enum Field;
    std::vector<BookRecord> books = {
        book({{ID, "Dostoevsky - Crime and Punishment"},
              {Author, "Dostoevsky, Fyodor"},
              {YearWritten, "1866"},
              {Title, "Crime and Punishment"},
              {Publisher, "Vintage Classics"},
              {Printed, "New York"},
              {YearPrinted, "May 1993"},
              {ISBN, "0-679-73450-7"},
              {NumPages, "565"},
              {Category, "Fiction"},
              {Translation, "Translation"},
              {Language, "English"},
              {OriginalLanguage, "Russian"},
              {Translator, "Pevear, Richard; Volokhonsky, Larissa"},
              {OriginalTitle, "Преступление и наказание"}}),
        book({{ID, "Kernighan - The C Programming Language"},
              {Author, "Kernighan, Brian W.; Ritchie, Dennis M."},
              {Title, "The C Programming Language"},
              {Subtitle, "ANSI C"},
              {Edition, "2"},
              {Publisher, "Prentice Hall"},
              {Printed, "Englewood Cliffs, NJ"},
              {YearPrinted, "1988-03-22"},
              {ISBN, "978-0-13-110362-7"},
              {Comments, "Line one, \"quoted\"\r\nLine two: 100% & $5 #1 a_b {x} ~ ^ \\ --"}}),
        book({{ID, "Tolkien - The Two Towers"},
              {Author, "Tolkien, J. R. R."},
              {YearWritten, "c. 1954"},
              {Title, "The Two Towers"},
              {Series, "The Lord of the Rings"},
              {Position, "2"},
              {YearPrinted, "2007"},
              {Category, "=SUM(A1)"},
              {Language, "English (en-GB)"}}),
        book({{ID, "World Health Organization - Statistics 𝄞"},
              {Author, "World Health Organization *"},
              {Title, "Statistics 𝄞"},
              {YearPrinted, "autumn 2023"},
              {Comments, "-5 degrees\r\nER  - not the end"}}),
    };
    for (BookRecord& b : books)
        cleanImportedRecord(b);
    return books;
}

// Imports the bytes into an empty folder and reads the books back in list order.
std::vector<BookRecord> importIntoEmptyFolder(ExchangeFormat format, const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString folder = withTrailingSeparator(dir.path());
    const ImportPlan plan =
        planImport(folder, {}, readImportRecords(format, bytes), DuplicatePolicy::Import);
    runImport(plan, QDateTime(QDate(2026, 1, 1), QTime(12, 0)), s("1.2.0.0"));
    return readBookRecords(folder, listBookNames(folder));
}

struct FormatCase {
    ExchangeFormat format;
    const char* name;
};

class ExchangeRoundTrip : public ::testing::TestWithParam<FormatCase> {};

} // namespace

// Export, import into an empty folder, export again: the same bytes, for every format.
TEST_P(ExchangeRoundTrip, GivesTheSameBytes)
{
    const ExchangeFormat format = GetParam().format;
    const QByteArray first = exportBooks(format, variedBooks());
    const std::vector<BookRecord> back = importIntoEmptyFolder(format, first);
    ASSERT_EQ(back.size(), variedBooks().size());
    EXPECT_EQ(test::visible(exportBooks(format, back)), test::visible(first));
}

INSTANTIATE_TEST_SUITE_P(Formats, ExchangeRoundTrip,
                         ::testing::Values(FormatCase{ExchangeFormat::Csv, "csv"},
                                           FormatCase{ExchangeFormat::CslJson, "csljson"},
                                           FormatCase{ExchangeFormat::BibTeX, "bibtex"},
                                           FormatCase{ExchangeFormat::Ris, "ris"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExchangeCsv, CarriesEveryFieldAndTheNameExactly)
{
    const std::vector<BookRecord> books = variedBooks();
    const std::vector<BookRecord> back =
        importIntoEmptyFolder(ExchangeFormat::Csv, exportBooks(ExchangeFormat::Csv, books));
    ASSERT_EQ(back.size(), books.size());
    for (size_t i = 0; i < books.size(); ++i) {
        const auto at = std::find_if(back.begin(), back.end(), [&](const BookRecord& b) {
            return b[Field::ID] == books[i][Field::ID];
        });
        ASSERT_NE(at, back.end()) << books[i][Field::ID].toStdString();
        EXPECT_EQ(*at, books[i]);
    }
}

TEST(ExchangeCsv, WritesOneHeaderRowAndGuardsCellsThatSpreadsheetsWouldRun)
{
    const QByteArray csv = exportCsv(std::vector<BookRecord>{book({{Field::ID, "A"},
                                                                   {Field::Title, "x, \"y\""},
                                                                   {Field::Category, "=1+1"},
                                                                   {Field::Comments, "'-2"},
                                                                   {Field::Price, " 5 "}})});
    EXPECT_TRUE(csv.startsWith(QByteArray(utf8Bom() + "Name,Author,Year written,Title,Subtitle,")));
    EXPECT_TRUE(csv.endsWith("A,,,\"x, \"\"y\"\"\",,,,,,,,,,\"'=1+1\",\"''-2\",,,,,\" 5 \",0,,,,"
                             "\r\n"))
        << test::visible(csv);
}

TEST(ExchangeCsv, MapsColumnsByNameOrCaptionInAnyCaseAndAnySeparator)
{
    struct Case {
        const char* text;
        const char* title;
        const char* position;
    };
    const Case cases[] = {
        {"TITLE,pos.:,Unknown\r\nEmma,3,x\r\n", "Emma", "3"},
        {"Title;Position\nEmma;3\n", "Emma", "3"},
        {"&Title:\tPosition\r\n\"Emma\"\t\"3\"\r\n", "Emma", "3"},
        {"Title,Position\r\n\"Em\r\nma\",3\r\n", "Em\r\nma", "3"},
    };
    // A tab-separated UTF-16 file with its byte-order mark, as some exports write them.
    const QString utf16 = QChar(0xFEFF) + s("Title\tPosition\r\nEmma\t3\r\n");
    const QByteArray utf16Bytes(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    const ImportRecords wide = importCsv(utf16Bytes, ExchangeFormat::Csv);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].book[Field::Title], s("Emma"));
    for (const Case& c : cases) {
        const ImportRecords records = importCsv(c.text, ExchangeFormat::Csv);
        ASSERT_EQ(records.size(), 1u) << c.text;
        EXPECT_EQ(records[0].book[Field::Title], s(c.title)) << c.text;
        EXPECT_EQ(records[0].book[Field::Position], s(c.position)) << c.text;
        EXPECT_EQ(records[0].location, s("line 2"));
    }
}

TEST(ExchangeCsv, RejectsBrokenRowsWithTheirLinesAndRefusesAFileWithoutBookColumns)
{
    const ImportRecords records =
        importCsv("Title,Author\r\nA,B\r\n\r\n\"multi\r\nline\",C,extra\r\nD,E,,\r\n\"open,F\r\n",
                  ExchangeFormat::Csv);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].rejection, QString());
    EXPECT_EQ(records[1].location, s("line 4"));
    EXPECT_EQ(records[1].rejection, s("The row has 3 cells, the header row 2."));
    EXPECT_EQ(records[2].rejection, QString()); // empty cells past the header are no data
    EXPECT_EQ(records[3].location, s("line 7"));
    EXPECT_EQ(records[3].rejection, s("A quoted cell is not closed before the end of the file."));

    EXPECT_THROW(importCsv("Colour,Size\r\nred,3\r\n", ExchangeFormat::Csv), ImportError);
    EXPECT_THROW(importCsv("", ExchangeFormat::Csv), ImportError);
}

TEST(ExchangeCsv, ReadsAGoodreadsExport)
{
    const QByteArray bytes =
        test::readBytes(test::dataPath(s("exchange/goodreads_library_export.csv")));
    ASSERT_EQ(csvFlavourOf(bytes), ExchangeFormat::Goodreads);
    const ImportRecords records = importCsv(bytes, ExchangeFormat::Csv);
    ASSERT_EQ(records.size(), 4u);
    BookRecord first = records[0].book;
    cleanImportedRecord(first);
    using enum Field;
    EXPECT_EQ(first, book({{Author, "Tolkien, J.R.R."},
                           {YearWritten, "1954"},
                           {Title, "The Fellowship of the Ring"},
                           {Series, "The Lord of the Rings"},
                           {Position, "1"},
                           {Publisher, "Houghton Mifflin Harcourt"},
                           {YearPrinted, "2003"},
                           {ISBN, "9780618346257"},
                           {NumPages, "432"},
                           {Category, "fantasy, classics"},
                           {Comments, "A long road.\r\n\r\nWorth every step, \"truly\"."},
                           {Binding, "Paperback"},
                           {Rating, "5"}}));
    EXPECT_EQ(records[1].book[Author], s("Tolkien, J.R.R.; Christopher Tolkien; Alan Lee"));
    // An empty guard is no ISBN, and 0 stars is no rating.
    EXPECT_EQ(records[2].book[ISBN], QString());
    EXPECT_EQ(records[2].book[Rating], QString());
    EXPECT_EQ(records[2].book[Comments], s("Line one\nLine two, with a comma"));
    EXPECT_EQ(records[3].location, s("line 6"));
}

TEST(ExchangeCsv, ReadsALibraryThingExport)
{
    const QByteArray bytes = test::readBytes(test::dataPath(s("exchange/librarything_export.csv")));
    ASSERT_EQ(guessExchangeFormat(bytes), ExchangeFormat::LibraryThing);
    const ImportRecords records = importCsv(bytes, ExchangeFormat::Csv);
    ASSERT_EQ(records.size(), 2u);
    BookRecord first = records[0].book;
    cleanImportedRecord(first);
    using enum Field;
    EXPECT_EQ(first, book({{Author, "Dostojevskij, Fjodor"},
                           {Title, "Brott och straff"},
                           {Edition, "3"},
                           {Publisher, "Bonnier"},
                           {YearPrinted, "1996"},
                           {ISBN, "9100562211"},
                           {NumPages, "612"},
                           {Category, "roman, ryska"},
                           {Comments, "Tung men stor.\r\nKöpt i Uppsala.\r\nLånad ut till Åsa."},
                           {Binding, "Paperback"},
                           {Rating, "4.5"},
                           {Translation, "Translation"},
                           {Language, "Swedish"},
                           {OriginalLanguage, "Russian"},
                           {Translator, "Nordlund, Ejnar"}}));
    EXPECT_EQ(records[1].location, s("line 4"));
    EXPECT_EQ(records[1].book[ISBN], QString());
    EXPECT_EQ(records[1].book[Rating], QString());
}

TEST(ExchangeRis, WritesTheUsualTagsAndReadsThemBack)
{
    const QByteArray ris = exportRis(std::vector<BookRecord>{variedBooks()[0], variedBooks()[3]});
    EXPECT_EQ(test::visible(ris),
              test::visible(
                  s("TY  - BOOK\r\nID  - Dostoevsky - Crime and Punishment\r\n"
                    "AU  - Dostoevsky, Fyodor\r\nA4  - Pevear, Richard\r\n"
                    "A4  - Volokhonsky, Larissa\r\nTI  - Crime and Punishment\r\n"
                    "PB  - Vintage Classics\r\nCY  - New York\r\nPY  - 1993\r\n"
                    "DA  - 1993/05\r\nSN  - 0-679-73450-7\r\nSP  - 565\r\n"
                    "LA  - English\r\nKW  - Fiction\r\n"
                    "OP  - Преступление и наказание\r\nER  - \r\n\r\n"
                    "TY  - BOOK\r\nID  - World Health Organization - Statistics 𝄞\r\n"
                    "AU  - World Health Organization,\r\nTI  - Statistics 𝄞\r\n"
                    "PY  - autumn 2023\r\nN1  - -5 degrees\r\n ER  - not the end\r\nER  - \r\n\r\n")
                      .toUtf8()));
}

TEST(ExchangeRis, ReadsContinuationLinesOtherTagsAndRejectsWhatIsNoBook)
{
    const ImportRecords records =
        importRis("junk before\r\nTY  - JOUR\r\nTI  - An article\r\nER  -\r\n"
                  "TY  - BOOK\r\nA1  - Smith, John, Jr.\r\nT1  - Main: Sub\r\nN1  - one\r\n two\r\n"
                  "Y1  - 1999/07/04/\r\nKW  - a\r\nKW  - b\r\nER  - \r\n"
                  "TY  - CHAP\r\nTI  - Cut off\r\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].location, s("line 2"));
    EXPECT_EQ(records[0].rejection, s("The record of type \"JOUR\" is not a book."));
    const BookRecord& b = records[1].book;
    EXPECT_EQ(records[1].location, s("line 5"));
    EXPECT_EQ(b[Field::Author], s("Smith, John, Jr."));
    EXPECT_EQ(b[Field::Title], s("Main"));
    EXPECT_EQ(b[Field::Subtitle], s("Sub"));
    EXPECT_EQ(b[Field::Comments], s("one\r\ntwo"));
    EXPECT_EQ(b[Field::YearPrinted], s("1999-07-04"));
    EXPECT_EQ(b[Field::Category], s("a, b"));
    EXPECT_EQ(records[2].rejection,
              s("The record is not closed by an \"ER\" line before the end of the file."));
    EXPECT_THROW(importRis("Title,Author\r\n"), ImportError);
}

TEST(ExchangeCslJson, WritesNamesDatesAndLanguageTags)
{
    const QJsonArray items = QJsonDocument::fromJson(exportCslJson(variedBooks())).array();
    ASSERT_EQ(items.size(), 4);
    const QJsonObject first = items[0].toObject();
    EXPECT_EQ(first[u"type"].toString(), s("book"));
    EXPECT_EQ(first[u"id"].toString(), s("Dostoevsky - Crime and Punishment"));
    const QJsonArray issued = first[u"issued"].toObject()[u"date-parts"].toArray();
    ASSERT_EQ(issued.size(), 1); // one date, of two parts
    EXPECT_EQ(issued[0].toArray(), QJsonArray({1993, 5}));
    EXPECT_EQ(first[u"language"].toString(), s("en"));
    EXPECT_EQ(first[u"translator"].toArray()[1].toObject(),
              QJsonObject({{s("family"), s("Volokhonsky")}, {s("given"), s("Larissa")}}));
    const QJsonObject second = items[1].toObject();
    EXPECT_EQ(second[u"title"].toString(), s("The C Programming Language: ANSI C"));
    EXPECT_EQ(second[u"issued"].toObject()[u"date-parts"].toArray()[0].toArray(),
              QJsonArray({1988, 3, 22}));
    const QJsonObject third = items[2].toObject();
    EXPECT_EQ(third[u"original-date"].toObject(), QJsonObject({{s("literal"), s("c. 1954")}}));
    EXPECT_EQ(third[u"language"].toString(), s("en-GB"));
    EXPECT_EQ(third[u"collection-number"].toString(), s("2"));
    const QJsonObject fourth = items[3].toObject();
    EXPECT_EQ(fourth[u"author"].toArray()[0].toObject(),
              QJsonObject({{s("literal"), s("World Health Organization")}}));
    EXPECT_FALSE(fourth.contains(u"ISBN")); // empty fields give no property
}

TEST(ExchangeCslJson, ReadsItemsOfOtherWritersAndRejectsWhatIsNoBook)
{
    const ImportRecords records = importCslJson(R"([
        {"id": "a", "type": "article-journal", "title": "Paper"},
        {"id": "b", "type": "book", "title": "Tractatus", "edition": 2,
         "author": [{"family": "Beethoven", "given": "Ludwig", "non-dropping-particle": "van"},
                    {"given": "Plato"}, {"literal": "Research, Inc."}],
         "issued": {"date-parts": [["1921", 4]]}, "number-of-pages": 75, "language": "de-AT"},
        "not an object",
        {"title": "No type"}
    ])");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].rejection, s("The item of type \"article-journal\" is not a book."));
    const BookRecord& b = records[1].book;
    EXPECT_EQ(records[1].location, s("entry 2 (b)"));
    EXPECT_EQ(b[Field::Author], s("van Beethoven, Ludwig; Plato; Research, Inc. *"));
    EXPECT_EQ(b[Field::Edition], s("2"));
    EXPECT_EQ(b[Field::YearPrinted], s("1921-04"));
    EXPECT_EQ(b[Field::NumPages], s("75"));
    EXPECT_EQ(b[Field::Language], s("German (de-AT)"));
    EXPECT_EQ(records[2].rejection, s("The entry is no JSON object."));
    EXPECT_EQ(records[3].book[Field::Title], s("No type"));

    try {
        importCslJson("[\n{\"title\": \"x\",\n");
        FAIL() << "no error";
    } catch (const ImportError& e) {
        EXPECT_TRUE(e.message().startsWith(s("The JSON text does not parse:")));
        EXPECT_TRUE(e.message().endsWith(s("(line 3)."))) << e.message().toStdString();
    }
}

TEST(ExchangeFormats, AreToldFromTheContent)
{
    struct Case {
        const char* text;
        std::optional<ExchangeFormat> format;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF [ {\"type\": \"book\"} ]", ExchangeFormat::CslJson},
        {"{\"items\": []}", ExchangeFormat::CslJson},
        {"Provider: x\r\n\r\nTY  - BOOK\r\nER  - \r\n", ExchangeFormat::Ris},
        {"% comment\n@Book{key,\n title = {x}}\n", ExchangeFormat::BibTeX},
        {"Title,Author\r\nEmma,Austen\r\n", ExchangeFormat::Csv},
        {"Title\tAuthor\n", ExchangeFormat::Csv},
        {"Book Id,Title,Author l-f,Exclusive Shelf\r\n", ExchangeFormat::Goodreads},
        {"\"Book Id\",\"Title\",\"Primary Author\"\r\n", ExchangeFormat::LibraryThing},
        {"just some words\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(guessExchangeFormat(c.text), c.format) << c.text;
}

// A real consumer of CSL-JSON: pandoc's citation processor renders every exported book.
TEST(ExchangeConsumers, PandocRendersEveryBookOfTheCslJson)
{
    const QString pandoc = QStandardPaths::findExecutable(s("pandoc"));
    if (pandoc.isEmpty())
        GTEST_SKIP() << "pandoc is not installed (scripts/install-deps.sh installs it)";
    QTemporaryDir dir;
    const std::vector<BookRecord> books = variedBooks();
    test::writeBytes(dir.filePath(s("books.json")), exportCslJson(books));
    test::writeBytes(dir.filePath(s("cite.md")), "---\nnocite: '@*'\n---\n");
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(pandoc, {s("--citeproc"), s("--bibliography=books.json"), s("-t"), s("plain"),
                           s("--wrap=none"), s("cite.md")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), QString());
    // One paragraph a book. Pandoc gives English titles title case, so titles compare ignoring
    // case.
    EXPECT_EQ(out.trimmed().split(s("\n\n")).size(), qsizetype(books.size())) << out.toStdString();
    for (const BookRecord& b : books) {
        EXPECT_TRUE(out.contains(b[Field::Title], Qt::CaseInsensitive)) << out.toStdString();
        for (const AuthorEntry& a : namesOf(b[Field::Author]))
            EXPECT_TRUE(
                out.contains(a.kind == AuthorKind::PersonFamilyGiven ? a.familyName : a.name))
                << out.toStdString();
    }
}
