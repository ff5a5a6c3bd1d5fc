// The date markup: the structural tests, month names and locale dates over arbitrary text.

#include "FuzzSupport.h"

#include "markup/Dates.h"

#include <QDate>

#include <array>

using namespace quillery;
using fuzz::check;
using fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    if (size < 1)
        return 0;
    static const std::array<QLocale, 5> locales = {
        QLocale::c(), QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France)};
    const QLocale& locale = locales[data[0] % locales.size()];
    const QString text = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1));

    if (const auto p = IsYear(text))
        check(p->year > 0 && p->canonical.size() >= 4, "a year is positive, in four digits");
    if (const auto p = IsYearWeek(text)) {
        check(p->week >= 1 && p->week <= isoWeeksInYear(p->year), "a week exists");
        check(IsYearWeek(p->canonical).has_value(), "the canonical week passes");
    }
    if (const auto p = IsYearMonth(text)) {
        check(p->month >= 1 && p->month <= 12, "a month exists");
        check(IsYearMonth(p->canonical).has_value(), "the canonical month passes");
    }
    if (const auto p = IsYearMonthDay(text)) {
        check(p->day >= 1 && p->day <= daysInMonth(p->year, p->month), "a day exists");
        check(QDate(p->year, p->month, p->day).isValid() || p->year > 9999, "a real date");
        check(IsYearMonthDay(p->canonical).has_value(), "the canonical date passes");
    }
    if (const auto iso = MonthYear(text))
        check(IsYearMonth(*iso).has_value(), "a month name gives a year and month");
    if (const auto date = localeDate(text, locale))
        check(date->isValid() && date->year() >= 1 && date->year() <= 9999, "a locale date");

    const QString markup = DateMarkup(QStringLiteral("dateCreated"), text, true, locale);
    check(!markup.contains(u'<') || markup.startsWith(QStringLiteral("<time ")),
          "escaped text adds no markup of its own");
    return 0;
}
