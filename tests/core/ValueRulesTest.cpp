#include "format/ValueRules.h"
#include "base/FormatError.h"
#include "base/IntegerText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

TEST(ValueRules, FullTitleBracketsOnlyForASingleOpeningBracket)
{
    const struct {
        const char* title;
        const char* subtitle;
        const char* separator;
        const char* expected;
    } cases[] = {
        {"Emma", "A Novel", ": ", "Emma: A Novel"},
        {"Emma", "A Novel", "\u2013", "Emma\u2013A Novel"},
        {"Emma", "A Novel", " \u2013 ", "Emma \u2013 A Novel"},
        {"Emma", "A Novel", "(", "Emma (A Novel)"},
        {"Emma", "A Novel", "[", "Emma [A Novel]"},
        {"Emma", "A Novel", "{", "Emma {A Novel}"},
        {"Emma", "A Novel", "<", "Emma <A Novel>"},
        {"Emma", "A Novel", "", "EmmaA Novel"},
        // A bracket with anything around it is an ordinary separator: no closing bracket.
        {"Emma", "A Novel", " (", "Emma (A Novel"},
        {"Emma", "A Novel", "((", "Emma((A Novel"},
        {"Emma", "A Novel", ")", "Emma)A Novel"},
        {"Emma", "", "(", "Emma"},
        {"Emma", "", ": ", "Emma"},
        {"", "Dialogues", ": ", ": Dialogues"},
        {"", "Dialogues", "(", " (Dialogues)"},
        // Joined untrimmed; trimming is the annotation's business.
        {"Emma", " ", ": ", "Emma:  "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fullTitle(s(c.title), s(c.subtitle), s(c.separator)), s(c.expected))
            << c.separator;
}

TEST(ValueRules, UnformattedIsbnDropsOnlyHyphenMinus)
{
    EXPECT_EQ(unformattedIsbn(s("91-7054-940-8")), s("9170549408"));
    EXPECT_EQ(unformattedIsbn(s("978 91 7054 940 1")), s("978 91 7054 940 1"));
    EXPECT_EQ(unformattedIsbn(s("0-8044-2957-X")), s("080442957X"));
    EXPECT_EQ(unformattedIsbn(s("91\u20107054\u2013940")), s("91\u20107054\u2013940"));
    EXPECT_EQ(unformattedIsbn(s("---")), QString());
}

TEST(ValueRules, DashString)
{
    EXPECT_EQ(dashString(QChar(0x2013), true), s(" \u2013 "));
    EXPECT_EQ(dashString(QChar(0x2014), false), s("\u2014"));
}

TEST(IntegerText, AcceptsLeadingSpacesSignAndDigitsOnly)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},
        {"007", 7},
        {"  42", 42},
        {"+999", 999},
        {"-500", -500},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"3a", std::nullopt},
        {"3 ", std::nullopt},
        {"+ 3", std::nullopt},
        {"--3", std::nullopt},
        {"\t3", std::nullopt},
        {"$1F", std::nullopt},
        {"0x1F", std::nullopt},
        {"1e3", std::nullopt},
        {"\u0663", std::nullopt}, // Arabic-Indic three is no decimal digit here
        {"\uff13", std::nullopt}, // nor is a full-width three
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(s(c.text)), c.value) << c.text;
}

TEST(IntegerText, FailureCarriesTheTextBetweenDoubledApostrophes)
{
    EXPECT_EQ(integerOrThrow(u" -12"), -12);
    try {
        integerOrThrow(u"3a");
        FAIL() << "no error";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("''3a'' is not a valid integer value"));
    }
}
