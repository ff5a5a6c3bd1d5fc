#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

namespace quillery {

// What a report can be sorted and grouped by. Name is the entries' own order (the book list's);
// Series is the series text, then the position within it.
enum class ReportField {
    Name,
    Author,
    Title,
    YearWritten,
    YearPrinted,
    Series,
    Category,
    Language
};

// One sort key: a field, ascending or descending.
struct ReportSortKey {
    ReportField field = ReportField::Name;
    bool descending = false;

    friend bool operator==(const ReportSortKey&, const ReportSortKey&) = default;
};

// The options of one report: the texts around each item and around the whole report, and what
// the field annotation adds to each value; the order of the items and how they are grouped.
struct ReportOptions {
    QString beforeItem = QStringLiteral("<li>");
    QString afterItem = QStringLiteral("</li>");
    QString beforeReport = QStringLiteral("<ul>");
    QString afterReport = QStringLiteral("</ul>");
    bool microdata = false;
    bool useLangForTitle = true;
    QString defaultLang;
    // The sort keys, first key first; empty keeps the entries in the order given.
    QList<ReportSortKey> sort;
    // The field the items are grouped by; none (and Name, which groups nothing) for no groups.
    std::optional<ReportField> group;
    // The texts that open and close each group; "%G" stands for the group's value.
    QString beforeGroup;
    QString afterGroup;
    // A JSON-LD block (a schema.org ItemList of the books) after the report.
    bool jsonLd = false;
    // The report as a whole HTML document, titled pageTitle (empty: the catalogue folder's name).
    bool completePage = false;
    QString pageTitle;

    friend bool operator==(const ReportOptions&, const ReportOptions&) = default;
};

// Every field with its caption ("Name", "Author", ..., "Series and position"), in the order a
// list offers them. A group list leaves out Name and offers no group instead.
QList<std::pair<ReportField, QString>> reportFields();

// The field's name in the options file and on the command line: "name", "author", "title",
// "yearwritten", "yearprinted", "series", "category", "language".
QString reportFieldName(ReportField field);

// The sort keys as text: the names joined by commas, each descending one with "-" in front
// ("author,-yearwritten"); the empty text for no keys.
QString sortKeysText(const QList<ReportSortKey>& keys);

// Reads sort keys as sortKeysText writes them. Names ignore case and the blanks around them;
// "year" is "yearwritten". The empty text gives no keys. Throws Error for anything else:
// "Unknown sort key "x". The sort keys are ...".
QList<ReportSortKey> parseSortKeys(QStringView text);

// The group field as text: its name, or "none" for no groups.
QString reportGroupText(std::optional<ReportField> group);

// Reads a group field: a field's name (as for sort keys), or "none" or the empty text for no
// groups. Throws Error for anything else, Name included: "Unknown group field "x". ...".
std::optional<ReportField> parseReportGroup(QStringView text);

} // namespace quillery
