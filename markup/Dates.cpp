#include "markup/Dates.h"

#include "base/IntegerText.h"
#include "markup/HtmlText.h"

#include <QDate>

#include <cstdint>

namespace quillery {

namespace {

QString pad(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() <= 0x20)
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= 0x20)
        text.chop(1);
    return text;
}

bool isLeapYear(int year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

// 1 (Monday) to 7 (Sunday) for 1 January of a year >= 1; 1 January of year 1 is a Monday.
int weekdayOfNewYear(int year)
{
    const std::int64_t y = std::int64_t(year) - 1;
    const std::int64_t days = 365 * y + y / 4 - y / 100 + y / 400;
    return int(days % 7) + 1;
}

bool equalsIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z')
            y += u'a' - u'A';
        if (x != y)
            return false;
    }
    return true;
}

QString timeElement(const QString& property, const QString& datetime, const QString& text,
                    bool escape)
{
    QString out = u"<time itemprop=\"" + property + u'"';
    if (!datetime.isEmpty())
        out += u" datetime=\"" + datetime + u'"';
    return out + u'>' + EscapeHtml(text, escape) + u"</time>";
}

} // namespace

const std::array<std::array<const char16_t*, MonthNameLanguages>, 12>& MonthNameTable()
{
    static constexpr std::array<std::array<const char16_t*, MonthNameLanguages>, 12> table = {{
        {u"januari", u"January", u"Januar", u"janvier", u"enero"},
        {u"februari", u"February", u"Februar", u"f\u00e9vrier", u"febrero"},
        {u"mars", u"March", u"M\u00e4rz", u"mars", u"marzo"},
        {u"april", u"April", u"April", u"avril", u"abril"},
        {u"maj", u"May", u"Mai", u"mai", u"mayo"},
        {u"juni", u"June", u"Juni", u"juin", u"junio"},
        {u"juli", u"July", u"Juli", u"juillet", u"julio"},
        {u"augusti", u"August", u"August", u"ao\u00fbt", u"agosto"},
        {u"september", u"September", u"September", u"septembre", u"septiembre"},
        {u"oktober", u"October", u"Oktober", u"octobre", u"octubre"},
        {u"november", u"November", u"November", u"novembre", u"noviembre"},
        {u"december", u"December", u"Dezember", u"d\u00e9cembre", u"diciembre"},
    }};
    return table;
}

int daysInMonth(int year, int month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

int isoWeeksInYear(int year)
{
    const int weekday = weekdayOfNewYear(year);
    return weekday == 4 || (weekday == 3 && isLeapYear(year)) ? 53 : 52;
}

std::optional<DateParts> IsYear(QStringView text)
{
    if (text.size() < 4)
        return std::nullopt;
    const std::optional<int> year = parseInteger(text);
    if (!year || *year <= 0)
        return std::nullopt;
    DateParts parts;
    parts.year = *year;
    parts.canonical = pad(*year, 4);
    return parts;
}

std::optional<DateParts> IsYearWeek(QStringView text)
{
    const qsizetype p = text.indexOf(u"-W");
    if (p < 0 || text.size() != p + 4)
        return std::nullopt;
    std::optional<DateParts> parts = IsYear(text.first(p));
    if (!parts)
        return std::nullopt;
    const std::optional<int> week = parseInteger(text.sliced(p + 2));
    if (!week || *week < 1 || *week > isoWeeksInYear(parts->year))
        return std::nullopt;
    parts->week = *week;
    parts->canonical += u"-W" + pad(*week, 2);
    return parts;
}

std::optional<DateParts> IsYearMonth(QStringView text)
{
    const qsizetype p = text.indexOf(u'-');
    if (p < 0 || text.size() != p + 3)
        return std::nullopt;
    std::optional<DateParts> parts = IsYear(text.first(p));
    if (!parts)
        return std::nullopt;
    const std::optional<int> month = parseInteger(text.sliced(p + 1));
    if (!month || *month < 1 || *month > 12)
        return std::nullopt;
    parts->month = *month;
    parts->canonical += u'-' + pad(*month, 2);
    return parts;
}

std::optional<DateParts> IsYearMonthDay(QStringView text)
{
    const qsizetype p = text.lastIndexOf(u'-');
    if (p < 0 || text.size() != p + 3)
        return std::nullopt;
    std::optional<DateParts> parts = IsYearMonth(text.first(p));
    if (!parts)
        return std::nullopt;
    const std::optional<int> day = parseInteger(text.sliced(p + 1));
    if (!day || *day < 1 || *day > daysInMonth(parts->year, parts->month))
        return std::nullopt;
    parts->day = *day;
    parts->canonical += u'-' + pad(*day, 2);
    return parts;
}

std::optional<QString> MonthYear(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    if (space < 0)
        return std::nullopt;
    const QStringView name = trimmedBlanks(text.first(space));
    const std::optional<DateParts> year = IsYear(trimmedBlanks(text.sliced(space + 1)));
    if (!year)
        return std::nullopt;
    const auto& table = MonthNameTable();
    for (int month = 0; month < 12; ++month) {
        for (const char16_t* cell : table[month]) {
            if (equalsIgnoringAsciiCase(name, QStringView(cell)))
                return year->canonical + u'-' + pad(month + 1, 2);
        }
    }
    return std::nullopt;
}

std::optional<QDate> localeDate(QStringView text, const QLocale& locale)
{
    std::optional<QDate> found;
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QString format = locale.dateFormat(type);
        if (!format.contains(QStringLiteral("yyyy")))
            format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        const QDate date = locale.toDate(text.toString(), format);
        // "yyyy" as written; four digits and no era, so the date is one of the years 1 to 9999.
        if (!date.isValid() || date.year() < 1 || date.year() > 9999)
            continue;
        if (found && *found != date)
            return std::nullopt; // the two formats read the text differently
        found = date;
    }
    return found;
}

std::optional<QString> IsoDate(const QString& text, const QLocale& locale)
{
    std::optional<DateParts> parts = IsYear(text);
    if (!parts)
        parts = IsYearWeek(text);
    if (!parts)
        parts = IsYearMonth(text);
    if (!parts)
        parts = IsYearMonthDay(text);
    if (parts)
        return parts->canonical;
    if (std::optional<QString> iso = MonthYear(text))
        return iso;
    if (const std::optional<QDate> date = localeDate(text, locale))
        return date->toString(QStringLiteral("yyyy-MM-dd"));
    return std::nullopt;
}

QString DateMarkup(const QString& property, const QString& text, bool escape, const QLocale& locale)
{
    const std::optional<QString> iso = IsoDate(text, locale);
    if (!iso)
        return EscapeHtml(text, escape);
    // A text that is its own machine-readable form needs no datetime attribute; blanks and signs
    // pass the structural tests but are no HTML date, and get one.
    return timeElement(property, *iso == text ? QString() : *iso, text, escape);
}

} // namespace quillery
