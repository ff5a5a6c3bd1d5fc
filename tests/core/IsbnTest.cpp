#include "catalogue/Isbn.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

TEST(Isbn, ReadsEachIsbnOfAFieldAndSaysWhatIsWrong)
{
    struct Case {
        const char* field;
        std::vector<const char*> problems; // "" for a valid ISBN
    };
    const Case cases[] = {
        {"9780306406157", {""}},
        {"0-306-40615-2", {""}},
        {"  080442957x ", {""}},
        {"ISBN-13: 978-3-16-148410-0 (hardcover)", {""}},
        {"ISBN 0 306 40615 2; 978 0 306 40615 7, 979-10-90636-07-1", {"", "", ""}},
        {"0-306-40615-3", {"The check digit should be 2."}},
        {"9780306406158", {"The check digit should be 7."}},
        {"030640615", {"An ISBN has 10 or 13 digits; this one has 9."}},
        {"0-306-4O615-2", {"\"O\" is no digit of an ISBN."}},
        {"03064X6152", {"Only the check digit of an ISBN-10 can be X."}},
        {"977030640615X", {"Only the check digit of an ISBN-10 can be X."}},
        {"9770306406155", {"An ISBN-13 begins with 978 or 979."}},
        {"; ,", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const std::vector<IsbnEntry> isbns = parseIsbns(s(c.field));
        ASSERT_EQ(isbns.size(), c.problems.size()) << c.field;
        for (size_t i = 0; i < isbns.size(); ++i)
            EXPECT_EQ(isbns[i].problem, s(c.problems[i])) << c.field;
    }
    const IsbnEntry isbn = parseIsbns(u"ISBN-13: 978-3-16-148410-0 (hardcover)").front();
    EXPECT_EQ(isbn.digits, s("9783161484100"));
    EXPECT_EQ(isbn.isbn10, s("316148410X"));
    EXPECT_EQ(isbn.start, 9);
    EXPECT_EQ(isbn.length, 17);
}

TEST(Isbn, ConvertsBetweenTheTwoFormsAndHyphenatesByTheRanges)
{
    EXPECT_EQ(isbn10To13(u"0-306-40615-2"), s("9780306406157"));
    EXPECT_EQ(isbn13To10(u"9780306406157"), s("0306406152"));
    EXPECT_EQ(isbn13To10(u"9783161484100"), s("316148410X"));
    EXPECT_EQ(isbn13To10(u"9791090636071"), std::nullopt); // 979 has no ISBN-10
    EXPECT_EQ(isbn10To13(u"0306406153"), std::nullopt);

    const IsbnRanges& ranges = IsbnRanges::instance();
    ASSERT_FALSE(ranges.isEmpty());
    struct Case {
        const char* digits;
        std::optional<const char*> hyphenated;
    };
    const Case cases[] = {
        {"9780306406157", "978-0-306-40615-7"},
        {"9783161484100", "978-3-16-148410-0"},
        {"0306406152", "0-306-40615-2"},
        {"316148410X", "3-16-148410-X"},
        {"9791090636071", "979-10-90636-07-1"},
        // Groups of one to five digits, and registrants at the ends of their ranges.
        {"978500000000", "978-5-00000-000-"},
        {"978600999999", "978-600-99999-9-"},
        {"978650000000", "978-65-00-00000-"},
        {"978999900000", "978-99990-0-000-"},
        // An unassigned group, and a group without registrants, are not hyphenated.
        {"978660000000", std::nullopt},
        {"978999020000", std::nullopt},
    };
    for (const Case& c : cases) {
        QString digits = s(c.digits);
        QString expected = c.hyphenated ? s(*c.hyphenated) : QString();
        if (digits.size() == 12) {
            // A stem: its check digit completes it.
            digits += isbn13CheckDigit(digits);
            expected += digits.back();
        }
        const auto got =
            digits.size() == 10 ? ranges.hyphenate10(digits) : ranges.hyphenate13(digits);
        EXPECT_EQ(got, c.hyphenated ? std::optional(expected) : std::nullopt) << c.digits;
    }
}

TEST(Isbn, EditsAFieldLeavingAllButItsValidIsbnsAsTyped)
{
    const QString field = s("ISBN 0306406152 (pbk.); 9780306406158, 9791090636071");
    EXPECT_EQ(editIsbnField(field, IsbnEdit::Hyphenate),
              s("ISBN 0-306-40615-2 (pbk.); 9780306406158, 979-10-90636-07-1"));
    EXPECT_EQ(editIsbnField(field, IsbnEdit::ToIsbn13),
              s("ISBN 978-0-306-40615-7 (pbk.); 9780306406158, 979-10-90636-07-1"));
    EXPECT_EQ(editIsbnField(field, IsbnEdit::ToIsbn10),
              s("ISBN 0-306-40615-2 (pbk.); 9780306406158, 9791090636071"));
}

TEST(Isbn, RangesReadTheirTableAndPassOverWhatTheyDoNotUnderstand)
{
    const IsbnRanges ranges = IsbnRanges::parse("# file date Sun, 1 Jan 2023\n978 0-5\n"
                                                "978-0 00-19 200-699\nnonsense\n978-1 0-x\n");
    EXPECT_EQ(ranges.fileDate(), s("Sun, 1 Jan 2023"));
    EXPECT_EQ(ranges.hyphenate13(u"9780306406157"), s("978-0-306-40615-7"));
    EXPECT_EQ(ranges.hyphenate13(u"9781306406156"), std::nullopt);
    EXPECT_EQ(IsbnRanges::instance().fileDate(), s("Sun, 13 Nov 2022 16:58:20 GMT"));
}
