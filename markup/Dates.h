#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace quillery {

// The parts of a date text that passed one of the structural tests, with the canonical form of
// the text: the year in at least four digits, week, month and day in two, no blanks or signs.
struct DateParts {
    int year = 0;
    int week = 0;  // IsYearWeek only
    int month = 0; // IsYearMonth and IsYearMonthDay
    int day = 0;   // IsYearMonthDay only
    QString canonical;
};

// The 12 months in Swedish, English, German, French and Spanish; every cell names its month.
inline constexpr int MonthNameLanguages = 5;
const std::array<std::array<const char16_t*, MonthNameLanguages>, 12>& MonthNameTable();

// Structural tests. Numbers go through parseInteger, so leading blanks and a sign pass
// ("+999", "2010- 5"); the canonical form tells such texts from valid HTML dates.
std::optional<DateParts> IsYear(QStringView text);         // at least 4 characters, value > 0
std::optional<DateParts> IsYearWeek(QStringView text);     // year "-W" two-character week
std::optional<DateParts> IsYearMonth(QStringView text);    // year "-" two-character month
std::optional<DateParts> IsYearMonthDay(QStringView text); // year-month "-" two-character day

// A month name of the table (ASCII case ignored), a space and a year: "yyyy-mm".
std::optional<QString> MonthYear(QStringView text);

// Days in a month of the proleptic Gregorian calendar, and the ISO week count of a year.
int daysInMonth(int year, int month);
int isoWeeksInYear(int year);

// The locale's short or long date format, taken whole: one calendar date or nothing. A format
// with a two-digit year takes four digits instead, so no century is ever guessed.
std::optional<QDate> localeDate(QStringView text, const QLocale& locale);

// The machine-readable form of a date text, as DateMarkup decides it: the canonical form of the
// structural forms, "yyyy-mm" for a month name and year, "yyyy-mm-dd" for a locale date; nothing
// for any other text.
std::optional<QString> IsoDate(const QString& text, const QLocale& locale = QLocale());

// The "Year written" value as an HTML time element with the given property: the structural forms
// as content (with a datetime attribute when the text is not canonical), a month and year or a
// locale date with a datetime attribute, and any other text escaped without an element.
QString DateMarkup(const QString& property, const QString& text, bool escape,
                   const QLocale& locale = QLocale());

} // namespace quillery
