#include "catalogue/BookQuery.h"
#include "base/Errors.h"
#include "catalogue/BookFile.h"
#include "catalogue/BookIndex.h"
#include "catalogue/Catalogue.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace quillery;
using quillery::test::s;

namespace {

// Four books: two rich ones, a translation with diacritics everywhere, and an empty one.
std::vector<BookRecord> shelf()
{
    BookRecord tolkien;
    tolkien[Field::ID] = s("Tolkien - Fellowship");
    tolkien[Field::Author] = s("Tolkien, J. R. R.");
    tolkien[Field::YearWritten] = s("1954");
    tolkien[Field::Title] = s("The Fellowship of the Ring");
    tolkien[Field::Series] = s("The Lord of the Rings");
    tolkien[Field::Position] = s("1");
    tolkien[Field::Printed] = s("London");
    tolkien[Field::YearPrinted] = s("1966-10");
    tolkien[Field::ISBN] = s("0-306-40615-2");
    tolkien[Field::NumPages] = s("423");
    tolkien[Field::Comments] = s("Inscribed \"for Anna\"");
    tolkien[Field::Rating] = s("4");

    BookRecord muller;
    muller[Field::ID] = s("Müller - Straßen");
    muller[Field::Author] = s("Müller, Jürgen");
    muller[Field::YearWritten] = s("c. 1890");
    muller[Field::Title] = s("Straßen der Zeit");
    muller[Field::ISBN] = s("978-3-16-148410-0");
    muller[Field::NumPages] = s("  320 ");
    muller[Field::Comments] = s("Signed.\r\nÉdition originale");
    muller[Field::Price] = s("120 kr");
    muller.setTranslation(true);
    muller[Field::OriginalLanguage] = s("Deutsch");
    muller[Field::Translator] = s("Smith, Anna");

    BookRecord kernighan;
    kernighan[Field::ID] = s("Kernighan - C");
    kernighan[Field::Author] = s("Kernighan, Brian W.; Ritchie, Dennis M.");
    kernighan[Field::YearWritten] = s("1978");
    kernighan[Field::Title] = s("The C Programming Language");
    kernighan[Field::Edition] = s("2");
    kernighan[Field::ISBN] = s("0-13-110362-8");
    kernighan[Field::NumPages] = s("272 pages");
    kernighan[Field::Comments] = s("   ");
    kernighan[Field::Rating] = s("x5");

    BookRecord empty;
    empty[Field::ID] = s("Empty");
    return {tolkien, muller, kernighan, empty};
}

const char* const kAll = "Tolkien - Fellowship|Müller - Straßen|Kernighan - C|Empty";

// Each query and the books it finds, in list order, separated by '|'.
const struct {
    const char* query;
    const char* found;
} kCases[] = {
    {"", kAll},
    {" \t ", kAll},
    // Words and phrases anywhere, ignoring case and diacritics; field names are never searched.
    {"tolkien", "Tolkien - Fellowship"},
    {"TOLKIEN", "Tolkien - Fellowship"},
    {"muller", "Müller - Straßen"},
    {"MÜLLER", "Müller - Straßen"},
    {"jurgen", "Müller - Straßen"},
    {"straße", "Müller - Straßen"},
    {"strasse", ""},
    {"edition", "Müller - Straßen"},
    {"translation", "Müller - Straßen"},
    {"1954", "Tolkien - Fellowship"},
    {"the ring", "Tolkien - Fellowship"},
    {"tolkien kernighan", ""},
    {"\"of the ring\"", "Tolkien - Fellowship"},
    {"\"ring of\"", ""},
    {"\"signed.\r\nedition\"", "Müller - Straßen"},
    {"\"\"\"for anna\"\"\"", "Tolkien - Fellowship"},
    {"tol\"kien\"", "Tolkien - Fellowship"},
    {"\"a:b\"", ""},
    // One field, by its key without blanks in any case, a short form or its format code.
    {"author:tolkien", "Tolkien - Fellowship"},
    {"AUTHOR:tolkien", "Tolkien - Fellowship"},
    {"title:tolkien", ""},
    {"title:\"the ring\"", "Tolkien - Fellowship"},
    {"title:\"lord of\"", ""},
    {"name:muller", "Müller - Straßen"},
    {"name:\" - \"", "Tolkien - Fellowship|Müller - Straßen|Kernighan - C"},
    {"year:1954", "Tolkien - Fellowship"},
    {"YearWritten:1954", "Tolkien - Fellowship"},
    {"year:\"19..\"", ""},
    {"printed:london", "Tolkien - Fellowship"},
    {"originallanguage:deutsch", "Müller - Straßen"},
    {"translator:smith", "Müller - Straßen"},
    {"T:fellowship", "Tolkien - Fellowship"},
    {"t:fellowship", ""},
    {"e:lord", "Tolkien - Fellowship"},
    {"E:2", "Kernighan - C"},
    {"$:120", "Müller - Straßen"},
    // Ranges on the numeric fields: the integer a field starts with, ends left out or not.
    {"year:1900..1960", "Tolkien - Fellowship"},
    {"year:..1960", "Tolkien - Fellowship"},
    {"year:1960..", "Kernighan - C"},
    {"year:..", "Tolkien - Fellowship|Kernighan - C"},
    {"year:-5000..+1954", "Tolkien - Fellowship"},
    {"pages:300..400", "Müller - Straßen"},
    {"pages:..300", "Kernighan - C"},
    {"numpages:423..423", "Tolkien - Fellowship"},
    {"yearprinted:1966..1966", "Tolkien - Fellowship"},
    {"position:1..1", "Tolkien - Fellowship"},
    {"i:1..", "Tolkien - Fellowship"},
    {"rating:..10", "Tolkien - Fellowship"},
    {"-year:1900..1960", "Müller - Straßen|Kernighan - C|Empty"},
    // ISBN digits: an ISBN-10 and its ISBN-13 alike, parts of either form.
    {"isbn:0306406152", "Tolkien - Fellowship"},
    {"isbn:978-0-306-40615-7", "Tolkien - Fellowship"},
    {"isbn:9780131103627", "Kernighan - C"},
    {"isbn:3-16-148410-x", "Müller - Straßen"},
    {"N:316148410X", "Müller - Straßen"},
    {"isbn:40615", "Tolkien - Fellowship"},
    {"isbn:06152", "Tolkien - Fellowship"},
    {"isbn:06157", "Tolkien - Fellowship"},
    {"isbn:\"148 410 X\"", "Müller - Straßen"},
    {"isbn:978", "Tolkien - Fellowship|Müller - Straßen|Kernighan - C"},
    {"isbn:0306406153", ""},
    // has: and negation.
    {"has:series", "Tolkien - Fellowship"},
    {"-has:series", "Müller - Straßen|Kernighan - C|Empty"},
    {"has:pages", "Tolkien - Fellowship|Müller - Straßen|Kernighan - C"},
    {"has:comments", "Tolkien - Fellowship|Müller - Straßen"},
    {"has:translation", "Müller - Straßen"},
    {"has:name", kAll},
    {"HAS:T", "Tolkien - Fellowship|Müller - Straßen|Kernighan - C"},
    {"-author:tolkien", "Müller - Straßen|Kernighan - C|Empty"},
    {"-\"of the ring\"", "Müller - Straßen|Kernighan - C|Empty"},
    {"-tolkien -muller", "Kernighan - C|Empty"},
    {"the -has:edition pages:..500", "Tolkien - Fellowship"},
};

QStringList expected(const char* found)
{
    return *found ? QString::fromUtf8(found).split(u'|') : QStringList();
}

QStringList namesOf(const std::vector<BookRecord>& books)
{
    QStringList names;
    for (const BookRecord& b : books)
        names.append(b[Field::ID]);
    return names;
}

} // namespace

TEST(BookQuery, MatchesRecords)
{
    const std::vector<BookRecord> books = shelf();
    for (const auto& c : kCases) {
        const BookQuery query = BookQuery::parse(QString::fromUtf8(c.query));
        QStringList found;
        for (const BookRecord& b : books) {
            if (query.matches(b))
                found.append(b[Field::ID]);
        }
        EXPECT_EQ(found, expected(c.found)) << c.query;
    }
    EXPECT_TRUE(BookQuery().isEmpty());
    EXPECT_TRUE(BookQuery().matches(books.back()));
    EXPECT_TRUE(BookQuery::parse(u"  ").isEmpty());
    EXPECT_FALSE(BookQuery::parse(u"x").isEmpty());
}

TEST(BookQuery, ErrorsNameThePosition)
{
    const struct {
        const char* query;
        const char* message;
        int position;
    } cases[] = {
        {"tolkien \"of the", "Unterminated quote starting at 9.", 9},
        {"\"a\"\"", "Unterminated quote starting at 1.", 1},
        {"colour:red", "Unknown field \"colour\" at 1.", 1},
        {"Müller -colour:red", "Unknown field \"colour\" at 9.", 9},
        {"has:colour", "Unknown field \"colour\" at 5.", 5},
        {"x:y", "Unknown field \"x\" at 1.", 1},
        {"q:y", "Unknown field \"q\" at 1.", 1},
        {"year:1900..x", "Invalid range \"1900..x\" at 6.", 6},
        {"pages:1..2..3", "Invalid range \"1..2..3\" at 7.", 7},
        {"year:1960..1900", "Invalid range \"1960..1900\" at 6.", 6},
        {"year:99999999999999999999..", "Invalid range \"99999999999999999999..\" at 6.", 6},
        {"rating:-..", "Invalid range \"-..\" at 8.", 8},
        {"a - b", "Empty term at 3.", 3},
        {"\"\"", "Empty term at 1.", 1},
        {"a -\"\"", "Empty term at 3.", 3},
        {"author:", "Text expected after \"author:\" at 1.", 1},
        {"x -T:\"\"", "Text expected after \"T:\" at 4.", 4},
        {"Has:", "Field name expected after \"Has:\" at 1.", 1},
        {"title:1..5", "The field \"title\" takes no range at 7.", 7},
        {"isbn:..5", "The field \"isbn\" takes no range at 6.", 6},
        {"isbn:abc", "No ISBN digits in \"abc\" at 6.", 6},
    };
    for (const auto& c : cases) {
        try {
            BookQuery::parse(QString::fromUtf8(c.query));
            ADD_FAILURE() << c.query << " parsed";
        } catch (const QueryError& e) {
            EXPECT_EQ(e.message(), s(c.message)) << c.query;
            EXPECT_EQ(e.position(), c.position) << c.query;
        }
    }
    // Text that only looks like a range stays text on a field without numbers.
    EXPECT_NO_THROW(BookQuery::parse(u"title:wait... comments:1..x"));
}

TEST(BookQuery, FoldingIsbnFormsAndLeadingIntegers)
{
    const struct {
        const char* text;
        const char* folded;
    } folds[] = {
        {"Müller", "muller"},     {"ÅSA Øverland", "asa øverland"}, {"Straße ẞ", "straße ß"},
        {"İSTANBUL", "istanbul"}, {"e\u0301te\u0301", "ete"},       {"\u2126", "ω"},
        {"Ngũgĩ", "ngugi"},       {"ΣΊΣΥΦΟΣ", "σισυφοσ"},           {"東京", "東京"},
    };
    for (const auto& f : folds)
        EXPECT_EQ(foldForQuery(s(f.text)), QByteArray(f.folded)) << f.text;
    EXPECT_EQ(foldForQuery(QString(QChar(0xD800))), QByteArray("\xEF\xBF\xBD"));

    const struct {
        const char* text;
        const char* forms; // '|' for the byte 0xFF between them
    } isbns[] = {
        {"0-306-40615-2", "0306406152|9780306406157"},
        {"978-0-306-40615-7", "9780306406157|0306406152"},
        {"3-16-148410-x", "316148410X|9783161484100"},
        {"979-10-90636-07-1", "9791090636071"},
        {"X123", "123"},
        {"none", ""},
    };
    for (const auto& i : isbns)
        EXPECT_EQ(queryIsbnForms(s(i.text)), QByteArray(i.forms).replace('|', '\xFF')) << i.text;

    const struct {
        const char* text;
        std::optional<qint64> value;
    } numbers[] = {
        {"1954", 1954},
        {" \t 320 pages", 320},
        {"2010-05-07", 2010},
        {"-44", -44},
        {"+7", 7},
        {"c. 1850", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"99999999999999999999", std::numeric_limits<qint64>::max()},
    };
    for (const auto& n : numbers)
        EXPECT_EQ(queryLeadingInteger(s(n.text)), n.value) << n.text;
}

namespace {

class BookIndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = m_tmp.path() + u'/';
        for (const BookRecord& b : shelf()) {
            if (b[Field::ID] == u"Empty")
                QDir(m_dir).mkdir(s("Empty.book")); // cannot be read: counts as an empty book
            else
                writeBookFile(bookFilePath(m_dir, b[Field::ID]), b, QDateTime::currentDateTime(),
                              s("1.2.0.0"));
        }
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

} // namespace

// The index and the reading filter give what matching the records gives, in the list's order.
TEST_F(BookIndexTest, FiltersInListOrder)
{
    const QStringList names = namesOf(shelf());
    BookIndex index;
    index.build(m_dir, names);
    ASSERT_EQ(index.size(), 4);
    for (const auto& c : kCases) {
        const BookQuery query = BookQuery::parse(QString::fromUtf8(c.query));
        EXPECT_EQ(index.filter(query), expected(c.found)) << c.query;
        EXPECT_EQ(filterBooks(m_dir, names, query), expected(c.found)) << c.query;
    }

    QStringList reversed = names;
    std::reverse(reversed.begin(), reversed.end());
    index.build(m_dir, reversed);
    EXPECT_EQ(index.filter(BookQuery::parse(u"has:pages")),
              QStringList({s("Kernighan - C"), s("Müller - Straßen"), s("Tolkien - Fellowship")}));
}

TEST_F(BookIndexTest, RefreshReadsOneBookAgain)
{
    BookIndex index;
    index.build(m_dir, namesOf(shelf()));
    const BookQuery hobbit = BookQuery::parse(u"hobbit");

    BookRecord changed = shelf()[2];
    changed[Field::Comments] = s("Not The Hobbit");
    writeBookFile(bookFilePath(m_dir, changed[Field::ID]), changed, QDateTime::currentDateTime(),
                  s("1.2.0.0"));
    EXPECT_TRUE(index.filter(hobbit).isEmpty()); // nothing is read until asked
    index.refresh(m_dir, s("Kernighan - C"));
    EXPECT_EQ(index.filter(hobbit), QStringList({s("Kernighan - C")}));
    EXPECT_EQ(index.size(), 4);

    // A name not indexed yet comes last; a missing book is an empty one.
    BookRecord added;
    added[Field::Title] = s("The Hobbit");
    writeBookFile(bookFilePath(m_dir, s("Added")), added, QDateTime::currentDateTime(),
                  s("1.2.0.0"));
    index.refresh(m_dir, s("Added"));
    index.refresh(m_dir, s("Missing"));
    EXPECT_EQ(index.filter(hobbit), QStringList({s("Kernighan - C"), s("Added")}));
    EXPECT_EQ(index.filter(BookQuery::parse(u"-has:title")),
              QStringList({s("Empty"), s("Missing")}));
    EXPECT_EQ(index.size(), 6);

    QFile::remove(bookFilePath(m_dir, s("Added")));
    index.refresh(m_dir, s("Added"));
    EXPECT_EQ(index.filter(hobbit), QStringList({s("Kernighan - C")}));
}

// Large lists are read on several threads; the order and every answer stay those of the list.
TEST(BookIndex, ManyBooksKeepTheirOrder)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + u'/';
    QStringList names;
    QStringList middle;
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("Book %1").arg(299 - i, 3, 10, QLatin1Char('0'));
        test::writeBytes(bookFilePath(dir, name),
                         "[Cataloguing]\r\nPosition=" + QByteArray::number(299 - i) + "\r\n");
        names.append(name);
        if (299 - i >= 100 && 299 - i <= 249)
            middle.append(name);
    }
    const BookQuery query = BookQuery::parse(u"position:100..249");
    BookIndex index;
    index.build(dir, names);
    EXPECT_EQ(index.filter(query), middle);
    EXPECT_EQ(filterBooks(dir, names, query), middle);
    EXPECT_EQ(index.filter(BookQuery()), names);
}

TEST(BookIndex, ShownBooksText)
{
    EXPECT_EQ(shownBooksText(3, 120), s("3 of 120 book(s) shown."));
}
