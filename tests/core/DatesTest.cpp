#include "markup/Dates.h"

#include "TestSupport.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

QString markup(const char* text, bool escape = true, const QLocale& locale = QLocale::c())
{
    return DateMarkup(s("dateCreated"), s(text), escape, locale);
}

QString time(const char* content, const char* datetime = nullptr)
{
    QString out = s("<time itemprop=\"dateCreated\"");
    if (datetime)
        out += s(" datetime=\"") + s(datetime) + u'"';
    return out + u'>' + s(content) + s("</time>");
}

} // namespace

TEST(Dates, CalendarRules)
{
    EXPECT_EQ(daysInMonth(2012, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2010, 6), 30);
    EXPECT_EQ(daysInMonth(2010, 12), 31);
    // Checked against the platform's own calendar over several centuries.
    for (int year = 1; year <= 2400; ++year) {
        const QDate newYear(year, 1, 1);
        const int expected =
            (newYear.dayOfWeek() == 4 || (newYear.dayOfWeek() == 3 && QDate::isLeapYear(year)))
                ? 53
                : 52;
        ASSERT_EQ(isoWeeksInYear(year), expected) << year;
    }
    EXPECT_EQ(isoWeeksInYear(2009), 53);
    EXPECT_EQ(isoWeeksInYear(2010), 52);
    EXPECT_EQ(isoWeeksInYear(2015), 53);
}

TEST(Dates, StructuralTests)
{
    const struct {
        const char* text;
        bool year, week, month, day;
    } cases[] = {
        {"2010", true, false, false, false},
        {"0999", true, false, false, false},
        {"999", false, false, false, false},
        {"+999", true, false, false, false},
        {"0000", false, false, false, false},
        {"-500", false, false, false, false},
        {"2009-W53", false, true, false, false},
        {"2010-W53", false, false, false, false},
        {"2010-W5", false, false, false, false},
        {"2010-W00", false, false, false, false},
        {"2015-W 1", false, true, false, false},
        {"2010-05", false, false, true, false},
        {"2010- 5", false, false, true, false},
        {"2010-13", false, false, false, false},
        {"2010-00", false, false, false, false},
        {"2010-05-31", false, false, false, true},
        {"2010-06-31", false, false, false, false},
        {"2010-5-7", false, false, false, false},
        {"2012-02-29", false, false, false, true},
        {"1900-02-29", false, false, false, false},
        {"2100-02-29", false, false, false, false},
        {"2000-02-29", false, false, false, true},
        {"+2012-02-29", false, false, false, true},
        {"2010\u201305", false, false, false, false}, // an en dash is no separator
        {"10000-W01", false, true, false, false},
    };
    for (const auto& c : cases) {
        const QString t = s(c.text);
        EXPECT_EQ(IsYear(t).has_value(), c.year) << c.text;
        EXPECT_EQ(IsYearWeek(t).has_value(), c.week) << c.text;
        EXPECT_EQ(IsYearMonth(t).has_value(), c.month) << c.text;
        EXPECT_EQ(IsYearMonthDay(t).has_value(), c.day) << c.text;
    }
}

TEST(Dates, MonthYear)
{
    const struct {
        const char* text;
        const char* iso;
    } cases[] = {
        {"May 2010", "2010-05"},
        {"maj 2010", "2010-05"},
        {"MAY 2010", "2010-05"},
        {"M\u00e4rz 1848", "1848-03"},
        {"M\u00c4RZ 1848", nullptr},
        {"March 2010", "2010-03"},
        {"d\u00e9cembre 1999", "1999-12"},
        {"ao\u00fbt 0999", "0999-08"},
        {"May 999", nullptr},
        {"Mayo", nullptr},
        {"Ma 2010", nullptr},
        {"May  2010 ", "2010-05"},
        {"May 2010 AD", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> iso = MonthYear(s(c.text));
        if (c.iso)
            EXPECT_EQ(iso, std::optional<QString>(s(c.iso))) << c.text;
        else
            EXPECT_FALSE(iso.has_value()) << c.text;
    }
    for (const auto& row : MonthNameTable())
        EXPECT_EQ(row.size(), 5u);
}

TEST(Dates, MarkupOfEachForm)
{
    EXPECT_EQ(markup("2010"), time("2010"));
    EXPECT_EQ(markup("2009-W53"), time("2009-W53"));
    EXPECT_EQ(markup("2010-05-31"), time("2010-05-31"));
    EXPECT_EQ(markup("May 2010"), time("May 2010", "2010-05"));
    EXPECT_EQ(markup("-500"), s("-500"));
    EXPECT_EQ(markup("500 BC"), s("500 BC"));
}

TEST(Dates, NonCanonicalFormsGetTheirHtmlDate)
{
    EXPECT_EQ(markup("2010- 5"), time("2010- 5", "2010-05"));
    EXPECT_EQ(markup("+999"), time("+999", "0999"));
    EXPECT_EQ(markup("2015-W 1"), time("2015-W 1", "2015-W01"));
    EXPECT_EQ(markup("+2012-02-29"), time("+2012-02-29", "2012-02-29"));
    EXPECT_EQ(markup("00999"), time("00999", "0999"));
}

TEST(Dates, UnrecognisedTextIsEscapedLikeEveryOtherValue)
{
    EXPECT_EQ(markup("c. 1850 <approx.>"), s("c. 1850 &lt;approx.&gt;"));
    EXPECT_EQ(markup("c. 1850 <approx.>", false), s("c. 1850 <approx.>"));
    EXPECT_EQ(markup("Tom & 2010"), s("Tom &amp; 2010"));
}

TEST(Dates, LocaleFormatsGiveOneDate)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    // The short format's two-digit year is read as four digits; no century is guessed.
    EXPECT_EQ(localeDate(u"5/7/2010", us), QDate(2010, 5, 7));
    EXPECT_FALSE(localeDate(u"5/7/10", us).has_value());
    EXPECT_EQ(markup("5/7/2010", true, us), time("5/7/2010", "2010-05-07"));
    const QString longText = us.toString(QDate(1848, 3, 15), QLocale::LongFormat);
    EXPECT_EQ(localeDate(longText, us), QDate(1848, 3, 15));
    EXPECT_FALSE(localeDate(u"2/30/2010", us).has_value());
    EXPECT_FALSE(localeDate(u"500 BC", us).has_value());

    const QLocale sv(QLocale::Swedish, QLocale::Sweden);
    EXPECT_EQ(localeDate(u"2010-05-07", sv), QDate(2010, 5, 7));
}
