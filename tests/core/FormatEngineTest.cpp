#include "format/FormatEngine.h"
#include "markup/DataLinks.h"
#include "markup/HtmlText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

FormatContext plainContext()
{
    FormatContext c;
    c.escapeHtml = false;
    c.report.microdata = false;
    c.report.useLangForTitle = false;
    return c;
}

BookRecord emma()
{
    BookRecord r;
    r[Field::Title] = s("Emma");
    r[Field::Author] = s("Austen, Jane");
    return r;
}

BookRecord quietHarbour()
{
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
    return r;
}

QString format(const char* fmt, const BookRecord& r = emma(),
               const FormatContext& c = plainContext())
{
    return FormatEngine::formatRecord(QString::fromUtf8(fmt), r, c);
}

// The message and position of the error a format raises, or "no error".
std::pair<QString, int> failure(const char* fmt, const BookRecord& r = emma(),
                                const FormatContext& c = plainContext())
{
    try {
        FormatEngine::formatRecord(QString::fromUtf8(fmt), r, c);
    } catch (const FormatError& e) {
        return {e.message(), e.position()};
    }
    return {s("no error"), -1};
}

struct OutputCase {
    const char* format;
    const char* expected;
};

class FormatOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(FormatOutput, Emma)
{
    EXPECT_EQ(format(GetParam().format), s(GetParam().expected)) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(
    FormatEngine, FormatOutput,
    ::testing::Values(
        OutputCase{"", ""}, OutputCase{"50%", "50%"}, OutputCase{"%", "%"},
        OutputCase{"A (", "A ("}, OutputCase{"%T%-%T", "Emma—Emma"}, OutputCase{"T-Q.", "T."},
        OutputCase{".T", "Emma"}, OutputCase{"%A.T", "Austen, Jane. Emma"},
        OutputCase{"%A,T", "Austen, Jane, Emma"}, OutputCase{"%A(B", "Austen, Jane"},
        OutputCase{"\"by |!\"A", "by Austen, Jane!"},
        OutputCase{"\"say \"\"hi\"\" \"T", "say \"hi\" Emma"}, OutputCase{"\"a|b|c\"T", "aEmmab|c"},
        OutputCase{"\"\"\"|\"\"\"T", "\"Emma\""}, OutputCase{"\"x|y\"Q", ""},
        OutputCase{"%(%A)", "(Austen, Jane)"}, OutputCase{"%0065", "A"}, OutputCase{"%x0041", "A"},
        OutputCase{"%x$041", "A"}, OutputCase{"%xD834%xDD1E", "𝄞"},
        OutputCase{"%0013%0010%0009", "\r\n\t"}, OutputCase{"%%%(%-%.%,%\"", "%(—.,\""},
        OutputCase{"-T", "—Emma"}, OutputCase{"%T(", "Emma("}, OutputCase{"%T-", "Emma-"},
        OutputCase{"%T.", "Emma."}, OutputCase{"%T,", "Emma,"}, OutputCase{"%T\"", "Emma\""},
        OutputCase{"%T%", "Emma%"}, OutputCase{"%T%?(?", "Emma"}));

TEST(FormatEngine, HexEscapeOfNothingIsCodeUnitZero)
{
    const QString out = format("%x#$##");
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].unicode(), 0);
}

struct ErrorCase {
    const char* format;
    const char* message;
    int position;
};

class FormatFailure : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FormatFailure, MessageAndPosition)
{
    const auto [message, position] = failure(GetParam().format);
    EXPECT_EQ(message, s(GetParam().message)) << GetParam().format;
    EXPECT_EQ(position, GetParam().position) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(
    FormatEngine, FormatFailure,
    ::testing::Values(
        ErrorCase{"\"abc\"", "Identifier expected after conditional string starting at 1.", 1},
        ErrorCase{"\"abc", "Unterminated string starting at 1.", 1},
        ErrorCase{"%A \"abc", "Unterminated string starting at 4.", 4},
        ErrorCase{"\"abc\"\"", "Unterminated string starting at 1.", 1},
        ErrorCase{"(x", "Invalid token starting with (x at 1.", 1},
        ErrorCase{"(%A)", "Invalid token starting with (% at 1.", 1},
        ErrorCase{"1-9", "Invalid token starting with -9 at 2.", 2},
        ErrorCase{"e.g.", "Invalid token starting with .g at 2.", 2},
        ErrorCase{"p. 5", "Invalid token starting with .  at 2.", 2},
        ErrorCase{"%Z", "Invalid token starting with %Z at 1.", 1},
        ErrorCase{"\"x\"Z", "Invalid token Z in conditional string starting at 1.", 1},
        ErrorCase{"ab%123", "Invalid token starting with %1 at 3.", 3},
        ErrorCase{"%x00g1", "The base-N digit g is not used in base 16.", 0},
        ErrorCase{"%x00!1", "Invalid base-N digit: !", 0},
        ErrorCase{"%x123", "Invalid token starting with %x at 1.", 1},
        ErrorCase{"%12a4", "''12a4'' is not a valid integer value", 0},
        ErrorCase{"%L000", "Undeclared database link 000.", 0},
        ErrorCase{"%L01", "Invalid token starting with %L at 1.", 1},
        ErrorCase{"x(L01", "Invalid token starting with (L at 2.", 2},
        ErrorCase{"-L01", "Invalid token starting with -L at 1.", 1},
        ErrorCase{".L01", "Invalid token starting with .L at 1.", 1},
        ErrorCase{",L01", "Invalid token starting with ,L at 1.", 1},
        ErrorCase{"ab\"p|s\"L01", "Invalid token starting with \"string\"L at 3.", 3},
        ErrorCase{"%Labc", "''abc'' is not a valid integer value", 0},
        ErrorCase{"%x0041%T%Z%T", "Invalid token starting with %Z at 9.", 9}));

TEST(FormatEngine, PositionsCountUtf16CodeUnits)
{
    // The clef is two code units, so the bad token starts at 5, not 4.
    EXPECT_EQ(failure("a𝄞b%Z").first, s("Invalid token starting with %Z at 5."));
}

TEST(FormatEngine, WorkedExamples)
{
    const char* fmt1 =
        "%A(Y.T-Q.P,p(y%.\" ISBN \"N(U\" Translated from \"O\" by \"r\". Original title: \"o";
    BookRecord book = quietHarbour();
    EXPECT_EQ(format(fmt1, book),
              s("Doe, Jane (1901). The Quiet Harbour—A Novel. North Press, Uppsala (1950). ISBN "
                "91-7054-940-8 (English) Translated from Swedish by John Roe. Original title: Den "
                "stilla hamnen"));
    BookRecord shorter = book;
    for (Field f :
         {Field::Subtitle, Field::OriginalLanguage, Field::Translator, Field::OriginalTitle})
        shorter[f].clear();
    EXPECT_EQ(format(fmt1, shorter), s("Doe, Jane (1901). The Quiet Harbour. North Press, Uppsala "
                                       "(1950). ISBN 91-7054-940-8 (English)"));
    EXPECT_EQ(format(fmt1, BookRecord()), s("."));

    const char* fmt2 =
        "%A(Y.F(E.P,e(i.p(y\". ISBN \"N(B(t(U\" (| pages)\"n\" Translated from \"O\" "
        "by \"r\". Original title: \"o";
    book[Field::Edition] = s("Second Edition");
    book[Field::Series] = s("Northern Classics");
    book[Field::Position] = s("4");
    book[Field::Binding] = s("Paperback");
    book[Field::NumPages] = s("312");
    EXPECT_EQ(
        format(fmt2, book),
        s("Doe, Jane (1901). The Quiet Harbour: A Novel (Second Edition). North Press, "
          "Northern Classics (4). Uppsala (1950). ISBN 91-7054-940-8 (Paperback) (English) "
          "(312 pages) Translated from Swedish by John Roe. Original title: Den stilla hamnen"));
}

TEST(FormatEngine, DashAndSeparatorSettings)
{
    FormatContext c = plainContext();
    c.dashChar = QChar(0x2013);
    c.dashSpaced = true;
    BookRecord r = emma();
    r[Field::Subtitle] = s("A Novel");
    EXPECT_EQ(format("%T-Q", r, c), s("Emma – A Novel"));
    EXPECT_EQ(format("%T%-%Q", r, c), s("Emma–A Novel"));
    EXPECT_EQ(format("-Q", r, c), s(" – A Novel")); // the dash string even at the start
    c.subtitleSeparator = s("(");
    EXPECT_EQ(format("%F", r, c), s("Emma (A Novel)"));
    r[Field::Subtitle] = s(" ");
    c.subtitleSeparator = s(": ");
    // The full title is joined untrimmed; only its ends are trimmed.
    EXPECT_EQ(format("%F|", r, c), s("Emma:|"));
    r[Field::ISBN] = s("978-0-00-000000-2");
    EXPECT_EQ(format("%N %I", r, c), s("978-0-00-000000-2 9780000000002"));
    r[Field::Author] = s("  \t ");
    EXPECT_EQ(format("(A.A,A-A\"x|y\"A", r, c), QString()); // blanks only: nothing at all
}

TEST(FormatEngine, LinkModeLeavesPunctuationLiteralAndEncodesValues)
{
    FormatContext c = plainContext();
    c.mode = FormatMode::Link;
    BookRecord r = emma();
    r[Field::Title] = s("A&B c 𝄞");
    EXPECT_EQ(format("(x-T.,\"T\"%T", r, c), s("(x-T.,\"T\"") + UrlEncode(r[Field::Title]));
    EXPECT_EQ(format("q=%T", r, c), s("q=A%26B+c+%26%2355348%3b%26%2356606%3b"));
    EXPECT_EQ(format("%A %T", r, c).left(16), s("Austen%2C+Jane A"));
    // Untrimmed in Link mode.
    r[Field::Series] = s(" x ");
    EXPECT_EQ(format("%e", r, c), s("+x+"));
    EXPECT_EQ(format("(", r, c), s("("));
}

TEST(FormatEngine, DatabaseLinks)
{
    FormatContext c = plainContext();
    c.dataLinkTemplates = {s("http://a/?q=%T"), s("http://b/%A(x")};
    BookRecord r = emma();
    r[Field::Title] = s("Emma & Co");
    EXPECT_EQ(format("%L001", r, c), s("http://b/Austen%2C+Jane(x"));
    EXPECT_EQ(format("See \"<|>\"L000 and (L000.L001", r, c),
              s("See <http://a/?q=Emma+%26+Co> and  (http://a/?q=Emma+%26+Co). "
                "http://b/Austen%2C+Jane(x"));
    EXPECT_EQ(failure("%L002", r, c).first, s("Undeclared database link 002."));
    EXPECT_EQ(failure("%L-01", r, c).first, s("Undeclared database link -01."));
    EXPECT_EQ(format("%L 01", r, c), s("http://b/Austen%2C+Jane(x")); // blanks before the number
    EXPECT_EQ(format("%L+01", r, c), s("http://b/Austen%2C+Jane(x"));
    // The link text is inserted as built, never escaped.
    c.escapeHtml = true;
    EXPECT_EQ(format("%L000", r, c), s("http://a/?q=Emma+%26+Co"));
}

TEST(FormatEngine, SelfReferringLinksFailInsteadOfRecursing)
{
    FormatContext c = plainContext();
    c.dataLinkTemplates = {s("a%L000"), s("b%L002"), s("c%L001"), s("d")};
    EXPECT_EQ(failure("%L000", emma(), c).first, s("The database link 000 refers to itself."));
    EXPECT_EQ(failure("x%L001", emma(), c).first, s("The database link 001 refers to itself."));
    // A template used twice side by side is no cycle.
    c.dataLinkTemplates = {s("%L001%L001"), s("z")};
    EXPECT_EQ(format("%L000", emma(), c), s("zz"));

    // A deep but finite chain works.
    QStringList chain;
    for (int i = 0; i < 500; ++i)
        chain.append(s("x%L") + QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
    chain.append(s("end"));
    c.dataLinkTemplates = chain;
    const QString out = format("%L000", emma(), c);
    EXPECT_EQ(out, QString(500, u'x') + s("end"));
}

TEST(FormatEngine, DataLinkLinesKeepThoseBeforeAFailure)
{
    FormatContext c = plainContext();
    c.dataLinkTemplates = {s("http://a/%T"), QString(), s("plain"), s("bad %Z"), s("never")};
    QStringList lines;
    try {
        buildDataLinks(emma(), c, lines);
        FAIL() << "the fourth template must fail";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("Invalid token starting with %Z at 5."));
    }
    EXPECT_EQ(lines, QStringList({s("http://a/Emma"), QString(), s("plain")}));

    c.dataLinkTemplates = defaultDataLinkTemplates();
    BookRecord r = emma();
    r[Field::ISBN] = s("91-7054-940-8");
    lines.clear();
    buildDataLinks(r, c, lines);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].endsWith(u"/search?ie=UTF-8&q=Emma"));
    EXPECT_TRUE(lines[1].endsWith(u"/search?ie=UTF-8&q=9170549408"));
    EXPECT_TRUE(lines[2].endsWith(u"/wiki/Special:BookSources/9170549408"));
    EXPECT_TRUE(lines[4].startsWith(u"https://"));
}

TEST(FormatEngine, LongRunsOfCodesStayLinear)
{
    // 200,000 codes in one run: a quadratic pass would take minutes.
    QString fmt;
    for (int i = 0; i < 50000; ++i)
        fmt += s("%T.A(T\"<|>\"T");
    const QString out = FormatEngine::formatRecord(fmt, emma(), plainContext());
    EXPECT_EQ(out.size(), 50000 * QString(s("Emma. Austen, Jane (Emma)<Emma>")).size());
}

} // namespace

namespace {

TEST(FormatEngine, ParenthesesStandOutsideTheMarkup)
{
    FormatContext c;
    c.report.microdata = true;
    c.report.useLangForTitle = false;
    c.escapeHtml = true;
    BookRecord r;
    r[Field::Title] = s("Emma & Co");
    EXPECT_EQ(format("(T", r, c), s(" (<cite itemprop=\"name\">Emma &amp; Co</cite>)"));
    // Link text is never annotated, even in Reference mode with microdata on.
    c.dataLinkTemplates = {s("http://x/?q=%T")};
    EXPECT_EQ(format("\"<a href=\"\"|\"\">\"L000", r, c),
              s("<a href=\"http://x/?q=Emma+%26+Co\">"));
    // A microdata conversion failure leaves the interpreter with its own message.
    r[Field::Position] = s("3a");
    EXPECT_EQ(failure("%i", r, c).first, s("''3a'' is not a valid integer value"));
}

} // namespace
