#include "format/Report.h"
#include "base/Errors.h"
#include "base/FormatError.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/FormatEngine.h"
#include "format/JsonLd.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* title : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) {
            BookRecord r;
            r[Field::Title] = s(title);
            r[Field::Author] = s("Doe, Jane");
            writeBookFile(bookFilePath(m_dir.path(), s(title)), r, QDateTime::currentDateTime(),
                          s("1.2.0.0"));
        }
        m_context.escapeHtml = false;
    }

    QStringList report(const QStringList& entries, const QString& format = QStringLiteral("%T"))
    {
        return GenerateReport(m_dir.path(), entries, format, m_context);
    }

    QTemporaryDir m_dir;
    FormatContext m_context;
};

} // namespace

TEST_F(ReportTest, AllItemsWithTheDefaults)
{
    const QStringList lines = report({s("Alpha"), s("Beta")});
    EXPECT_EQ(reportText(lines), s("<ul>\r\n<li>Alpha</li>\r\n<li>Beta</li>\r\n</ul>\r\n"));
    EXPECT_EQ(reportFileBytes(lines), QByteArray("\xEF\xBB\xBF") + reportText(lines).toUtf8());
}

// With the JSON-LD and complete-page options off, a page title changes nothing; on, the page
// frames the report and the JSON-LD block follows it, inside the body.
TEST_F(ReportTest, CompletePageAndJsonLdFrameTheReport)
{
    const QString folder = QFileInfo(QDir::cleanPath(m_dir.path())).fileName();
    const QStringList list = {s("<ul>"), s("<li>Alpha</li>"), s("</ul>")};
    const QStringList script = jsonLdScriptLines(jsonLdItemList(
        {jsonLdBook(ReadBookRecord(bookFilePath(m_dir.path(), s("Alpha"))), m_context)}));
    const auto head = [](const QString& html, const QString& title) {
        return QStringList{
            s("<!DOCTYPE html>"), html,       s("<head>"), s("<meta charset=\"utf-8\">"), title,
            s("</head>"),         s("<body>")};
    };
    const QStringList end = {s("</body>"), s("</html>")};
    const struct {
        bool jsonLd;
        bool completePage;
        const char* pageTitle;
        const char* defaultLang;
        QStringList lines;
    } cases[] = {
        {false, false, "Mine", "English", list},
        {false, true, "", "English",
         head(s("<html lang=\"en\">"), u"<title>" + folder + u"</title>") + list + end},
        {false, true, " Tom & Jerry <3 ", "Klingonish",
         head(s("<html>"), s("<title> Tom &amp; Jerry &lt;3 </title>")) + list + end},
        {true, false, "", "", list + script},
        {true, true, "Books", "Svenska (sv-SE)",
         head(s("<html lang=\"sv-SE\">"), s("<title>Books</title>")) + list + script + end},
    };
    for (const auto& c : cases) {
        m_context.report.jsonLd = c.jsonLd;
        m_context.report.completePage = c.completePage;
        m_context.report.pageTitle = s(c.pageTitle);
        m_context.report.defaultLang = s(c.defaultLang);
        EXPECT_EQ(report({s("Alpha")}), c.lines) << c.pageTitle;
    }
    EXPECT_TRUE(
        reportFileBytes(report({s("Alpha")})).startsWith("\xEF\xBB\xBF<!DOCTYPE html>\r\n"));
}

TEST_F(ReportTest, IdSubstitutionOnlyInBeforeItem)
{
    m_context.report.beforeItem = s("<li id=\"%ID\" class=\"%id\">");
    m_context.report.afterItem = s("%ID</li>");
    EXPECT_EQ(report({s("Alpha")}, s("%ID")),
              QStringList({s("<ul>"), s("<li id=\"Alpha\" class=\"%id\">D%ID</li>"), s("</ul>")}));
    EXPECT_EQ(SubstituteId(s("%ID-%ID-%Id"), s("x")), s("x-x-%Id"));
}

TEST_F(ReportTest, EmptyFramesAndNoSelection)
{
    m_context.report.beforeReport.clear();
    m_context.report.afterReport.clear();
    EXPECT_EQ(report({s("Alpha"), s("Beta")}),
              QStringList({s("<li>Alpha</li>"), s("<li>Beta</li>")}));
    EXPECT_EQ(report({}), QStringList());
    EXPECT_EQ(reportText({}), QString());
    EXPECT_EQ(reportFileBytes({}), QByteArray("\xEF\xBB\xBF"));
}

TEST_F(ReportTest, MultiLineValuesStayInsideTheirLine)
{
    BookRecord r;
    r[Field::Comments] = s("one\r\ntwo");
    writeBookFile(bookFilePath(m_dir.path(), s("Notes")), r, QDateTime::currentDateTime(),
                  s("1.2.0.0"));
    const QStringList lines = report({s("Notes")}, s("%c%0013%0010end"));
    EXPECT_EQ(lines[1], s("<li>one\r\ntwo\r\nend</li>"));
}

TEST_F(ReportTest, AFormatErrorOnTheThirdBookDeliversNothing)
{
    writeBookFile(
        bookFilePath(m_dir.path(), s("Gamma")),
        [] {
            BookRecord r;
            r[Field::Position] = s("3a");
            return r;
        }(),
        QDateTime::currentDateTime(), s("1.2.0.0"));
    m_context.report.microdata = true;
    try {
        report({s("Alpha"), s("Beta"), s("Gamma"), s("Delta"), s("Epsilon")}, s("%T%i"));
        FAIL() << "the third book must fail";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("''3a'' is not a valid integer value"));
    }
}

TEST_F(ReportTest, AMissingBookReadsAsEmpty)
{
    EXPECT_EQ(report({s("Vanished")}, s("[%T]%ID")),
              QStringList({s("<ul>"), s("<li>[]D</li>"), s("</ul>")}));
}

namespace {

// Six books, listed in the order a to f, whose values sort differently as texts, as numbers and
// by case. Each report line is the book's name.
class SortedReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // name, author, title, year written, year printed, series, position, category, language
        const char* const books[][9] = {
            {"a", "Tolkien", "two Towers", "1954", "2001", "Ring", "2", "Fantasy", "English"},
            {"b", "austen", "Emma", "1815", "", "", "", "novel", ""},
            {"c", "Zola", "Nana", "c. 1880", "1999", "Rougon", "9", "", "French"},
            {"d", "", "anna", "1877", "1999a", "Ring", "10", "Novel", "english"},
            {"e", "Tolkien", "Fellowship", "954", "0099", "ring", "1", "Fantasy", "English"},
            {"f", " Borges", "", "", "-500", "", "3", "Essays & <Notes>", "Spanish"},
        };
        const Field fields[] = {Field::Author,      Field::Title,   Field::YearWritten,
                                Field::YearPrinted, Field::Series,  Field::Position,
                                Field::Category,    Field::Language};
        for (const auto& book : books) {
            BookRecord r;
            for (int i = 0; i < 8; ++i)
                r[fields[i]] = s(book[i + 1]);
            writeBookFile(bookFilePath(m_dir.path(), s(book[0])), r, QDateTime::currentDateTime(),
                          s("1.2.0.0"));
        }
        m_context.report.beforeItem = s("%ID");
        m_context.report.afterItem.clear();
        m_context.report.beforeReport.clear();
        m_context.report.afterReport.clear();
    }

    // The report's lines joined by blanks.
    std::string report(const QStringList& entries = {s("a"), s("b"), s("c"), s("d"), s("e"),
                                                     s("f")})
    {
        return GenerateReport(m_dir.path(), entries, QString(), m_context).join(u' ').toStdString();
    }

    QTemporaryDir m_dir;
    FormatContext m_context;
};

} // namespace

TEST_F(SortedReportTest, EveryKeyBothWaysWithTiesInTheOrderGiven)
{
    const struct {
        const char* keys;
        const char* order;
    } cases[] = {
        {"", "a b c d e f"},
        {"name", "a b c d e f"},
        {"-name", "f e d c b a"},
        // Case is ignored, blanks around values too; empty values last; ties keep a before e.
        {"author", "b f a e c d"},
        {"-author", "d c a e f b"},
        {"title", "d b e c a f"},
        {"-title", "f a c e b d"},
        // Numbers by value, then values that are no number, then empty ones.
        {"year", "e b d a c f"},
        {"-yearwritten", "f c a d b e"},
        {"yearprinted", "f e c d a b"},
        {"-yearprinted", "b a d c e f"},
        // The series, then the position as a number.
        {"series", "e a d c f b"},
        {"-series", "b f c d a e"},
        {"category", "f a e b d c"},
        {"-category", "c b d a e f"},
        {"language", "a d e c f b"},
        {"-language", "b f c a d e"},
        // Several keys, first key first.
        {"-category,title", "c d b e a f"},
        {"language,-name", "e d a c f b"},
        {"author,-name", "b f e a c d"},
    };
    for (const auto& c : cases) {
        m_context.report.sort = parseSortKeys(s(c.keys));
        EXPECT_EQ(report(), c.order) << c.keys;
    }
}

TEST_F(SortedReportTest, GroupsFrameTheirBooksWithTheirValue)
{
    const struct {
        const char* keys;
        ReportField group;
        const char* before;
        const char* after;
        bool microdata;
        const char* lines;
    } cases[] = {
        {"", ReportField::Author, "<%G>", "</%G>", false,
         "<austen> b </austen> <Borges> f </Borges> <Tolkien> a e </Tolkien> <Zola> c </Zola> "
         "<> d </>"},
        // The group field's direction orders the groups; the empty group stays last.
        {"-name,-author", ReportField::Author, "[%G]", "", false,
         "[Zola] c [Tolkien] e a [Borges] f [austen] b [] d"},
        // The group field first, then the sort keys; values differing in case are two groups.
        {"-yearwritten", ReportField::Category, "", "(%G)", true,
         "f (Essays &amp; &lt;Notes&gt;) a e (Fantasy) d (Novel) b (novel) c ()"},
        {"", ReportField::Category, "<h2>%G</h2>", "", false,
         "<h2>Essays & <Notes></h2> f <h2>Fantasy</h2> a e <h2>novel</h2> b <h2>Novel</h2> d "
         "<h2></h2> c"},
        {"title", ReportField::Series, "", "", false, "e a d c f b"},
        {"", ReportField::YearPrinted, "%G:", "", false,
         "-500: f 0099: e 1999: c 1999a: d 2001: a : b"},
    };
    for (const auto& c : cases) {
        m_context.report.sort = parseSortKeys(s(c.keys));
        m_context.report.group = c.group;
        m_context.report.beforeGroup = s(c.before);
        m_context.report.afterGroup = s(c.after);
        m_context.report.microdata = c.microdata;
        EXPECT_EQ(report(), c.lines) << c.keys << " " << reportFieldName(c.group).toStdString();
    }
}

TEST_F(SortedReportTest, TheFramesStayAndGroupingByNameGroupsNothing)
{
    m_context.report.beforeReport = s("<ul>");
    m_context.report.afterReport = s("</ul>");
    m_context.report.group = ReportField::Name;
    m_context.report.beforeGroup = s("<li>%G");
    EXPECT_EQ(report({s("b"), s("a")}), "<ul> b a </ul>");
    m_context.report.group = ReportField::Language;
    EXPECT_EQ(report({}), "<ul> </ul>");
}

// The JSON-LD block lists the books in report order, however they are sorted or grouped.
TEST_F(SortedReportTest, TheJsonLdFollowsTheReportOrder)
{
    m_context.report.jsonLd = true;
    const struct {
        const char* keys;
        std::optional<ReportField> group;
        const char* order;
    } cases[] = {
        {"", std::nullopt, "a b c d e f"},
        {"-title", std::nullopt, "f a c e b d"},
        {"", ReportField::Author, "b f a e c d"},
    };
    for (const auto& c : cases) {
        m_context.report.sort = parseSortKeys(s(c.keys));
        m_context.report.group = c.group;
        const QStringList lines = GenerateReport(
            m_dir.path(), {s("a"), s("b"), s("c"), s("d"), s("e"), s("f")}, QString(), m_context);
        ASSERT_GT(lines.size(), 8);
        EXPECT_EQ(lines.first(6).join(u' ').toStdString(), c.order);
        QStringList ids;
        const QJsonObject list =
            QJsonDocument::fromJson(lines.sliced(7, lines.size() - 8).join(u'\n').toUtf8())
                .object();
        EXPECT_EQ(list[QLatin1StringView("@context")], QStringLiteral("https://schema.org"));
        for (const QJsonValue& element : list[QLatin1StringView("itemListElement")].toArray()) {
            EXPECT_EQ(element[QLatin1StringView("position")], ids.size() + 1);
            ids.append(element[QLatin1StringView("item")][QLatin1StringView("@id")].toString());
        }
        EXPECT_EQ(ids.join(u' ').remove(u'#').toStdString(), c.order) << c.keys;
    }
}

// Sorted, every book is read before the first is formatted: a book that cannot be read fails
// the report before a format error of an earlier one.
TEST_F(SortedReportTest, SortedReportsReadEveryBookFirst)
{
    QDir(m_dir.path()).mkdir(s("folder.book"));
    const QStringList entries = {s("b"), s("folder")};
    const QString failingFormat = s("%Z");
    EXPECT_THROW(GenerateReport(m_dir.path(), entries, failingFormat, m_context), FormatError);
    m_context.report.sort = {{ReportField::Title, true}};
    EXPECT_THROW(GenerateReport(m_dir.path(), entries, failingFormat, m_context), FileError);
}

TEST(ReportOptionsText, SortKeysAndGroupFieldsReadAndWrite)
{
    const struct {
        const char* text;
        QList<ReportSortKey> keys;
        const char* written;
    } cases[] = {
        {"", {}, ""},
        {" ", {}, ""},
        {"Author, -YEAR , - title",
         {{ReportField::Author, false},
          {ReportField::YearWritten, true},
          {ReportField::Title, true}},
         "author,-yearwritten,-title"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseSortKeys(s(c.text)), c.keys) << c.text;
        EXPECT_EQ(sortKeysText(c.keys), s(c.written)) << c.text;
    }
    // The key named is the one at fault, as typed.
    const char* const bad[][2] = {{"publisher", "publisher"},
                                  {"author,", ""},
                                  {"title, --title", "--title"},
                                  {"+author", "+author"},
                                  {"author title", "author title"}};
    for (const auto& [text, key] : bad) {
        try {
            parseSortKeys(s(text));
            ADD_FAILURE() << text;
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith(s("Unknown sort key \"%1\". The").arg(s(key))))
                << e.message().toStdString();
        }
    }

    EXPECT_EQ(parseReportGroup(u""), std::nullopt);
    EXPECT_EQ(parseReportGroup(u" None "), std::nullopt);
    EXPECT_EQ(parseReportGroup(u"Year"), ReportField::YearWritten);
    EXPECT_EQ(reportGroupText(std::nullopt), s("none"));
    for (const auto& [field, caption] : reportFields()) {
        EXPECT_EQ(parseSortKeys(reportFieldName(field)), QList<ReportSortKey>({{field, false}}));
        if (field != ReportField::Name) {
            EXPECT_EQ(parseReportGroup(reportGroupText(field)), field);
        }
    }
    try {
        parseReportGroup(u"name");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), s("Unknown group field \"name\". The group fields are none, author, "
                                 "title, year (or yearwritten), yearprinted, series, category and "
                                 "language."));
    }
    QStringList captions;
    for (const auto& field : reportFields())
        captions.append(field.second);
    EXPECT_EQ(captions.join(u'|'), s("Name|Author|Title|Year written|Year printed|Series and "
                                     "position|Category|Language"));
}
