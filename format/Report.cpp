#include "format/Report.h"

#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/FormatEngine.h"
#include "format/JsonLd.h"
#include "markup/HtmlText.h"
#include "markup/LanguageRegistry.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

namespace quillery {

QString SubstituteId(const QString& text, const QString& id)
{
    QString result = text;
    result.replace(QStringLiteral("%ID"), id, Qt::CaseSensitive);
    return result;
}

namespace {

// The record field a report field reads; Name reads the entry's place instead.
Field recordField(ReportField field)
{
    switch (field) {
    case ReportField::Name:
        return Field::ID;
    case ReportField::Author:
        return Field::Author;
    case ReportField::Title:
        return Field::Title;
    case ReportField::YearWritten:
        return Field::YearWritten;
    case ReportField::YearPrinted:
        return Field::YearPrinted;
    case ReportField::Series:
        return Field::Series;
    case ReportField::Category:
        return Field::Category;
    case ReportField::Language:
        return Field::Language;
    }
    return Field::ID;
}

bool isGrouped(const ReportOptions& options)
{
    return options.group && *options.group != ReportField::Name;
}

// One part of a book's place in the order. Parts compare by kind first, so numbers come before
// other texts and empty values last; numbers by their value, then by the text after them.
struct SortPart {
    enum Kind { Number, Text, Empty } kind = Empty;
    bool negative = false;
    QString digits;      // the number's digits without leading zeros
    qsizetype place = 0; // the entry's place in the order given (Name)
    std::optional<QCollatorSortKey> text;
};

int compareParts(const SortPart& a, const SortPart& b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind ? -1 : 1;
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    int c = a.digits.size() == b.digits.size() ? a.digits.compare(b.digits)
                                               : (a.digits.size() < b.digits.size() ? -1 : 1);
    if (a.negative)
        c = -c;
    if (c != 0)
        return c;
    if (a.place != b.place)
        return a.place < b.place ? -1 : 1;
    return a.text && b.text ? a.text->compare(*b.text) : 0;
}

SortPart textPart(const QCollator& collator, QStringView value)
{
    SortPart part;
    value = value.trimmed();
    if (!value.isEmpty()) {
        part.kind = SortPart::Text;
        part.text = collator.sortKey(value.toString());
    }
    return part;
}

// A value that starts with an integer ("1869", "2a", "-400") sorts as that number and then by
// the rest; any other value as a text, after the numbers.
SortPart numberPart(const QCollator& collator, QStringView value)
{
    value = value.trimmed();
    const qsizetype start = value.startsWith(u'-') ? 1 : 0;
    qsizetype end = start;
    while (end < value.size() && value[end] >= u'0' && value[end] <= u'9')
        ++end;
    if (end == start)
        return textPart(collator, value);
    QStringView digits = value.sliced(start, end - start);
    while (!digits.isEmpty() && digits.front() == u'0')
        digits = digits.sliced(1);
    SortPart part;
    part.kind = SortPart::Number;
    part.negative = start == 1 && !digits.isEmpty();
    part.digits = digits.toString();
    part.text = collator.sortKey(value.sliced(end).trimmed().toString());
    return part;
}

// The keys the books are sorted by. With groups the group field comes first, so that each
// group's books come together, in the direction the sort keys give that field (ascending when
// they do not name it); the sort keys follow.
QList<ReportSortKey> effectiveSortKeys(const ReportOptions& options)
{
    if (!isGrouped(options))
        return options.sort;
    const ReportField group = *options.group;
    const auto named = std::find_if(options.sort.cbegin(), options.sort.cend(),
                                    [group](const ReportSortKey& k) { return k.field == group; });
    QList<ReportSortKey> keys{named != options.sort.cend() ? *named : ReportSortKey{group, false}};
    for (const ReportSortKey& key : options.sort) {
        if (key.field != group)
            keys.append(key);
    }
    return keys;
}

// The places of the records in the order of the keys; the sort is stable, so books that tie
// keep the order given.
std::vector<qsizetype> sortedOrder(const std::vector<BookRecord>& records,
                                   const QList<ReportSortKey>& keys)
{
    // Texts compare as the book list compares names (see sortBookNames).
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);

    // Each book's parts, key after key (the series and then the position for Series).
    std::vector<bool> descending;
    for (const ReportSortKey& key : keys) {
        descending.push_back(key.descending);
        if (key.field == ReportField::Series)
            descending.push_back(key.descending);
    }
    const size_t width = descending.size();
    std::vector<SortPart> parts;
    parts.reserve(records.size() * width);
    for (size_t i = 0; i < records.size(); ++i) {
        const BookRecord& record = records[i];
        for (const ReportSortKey& key : keys) {
            switch (key.field) {
            case ReportField::Name: {
                SortPart place;
                place.kind = SortPart::Number;
                place.place = static_cast<qsizetype>(i);
                parts.push_back(std::move(place));
                break;
            }
            case ReportField::YearWritten:
            case ReportField::YearPrinted:
                parts.push_back(numberPart(collator, record[recordField(key.field)]));
                break;
            case ReportField::Series:
                parts.push_back(textPart(collator, record[Field::Series]));
                parts.push_back(numberPart(collator, record[Field::Position]));
                break;
            default:
                parts.push_back(textPart(collator, record[recordField(key.field)]));
                break;
            }
        }
    }

    std::vector<qsizetype> order(records.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        for (size_t j = 0; j < width; ++j) {
            const int c = compareParts(parts[a * width + j], parts[b * width + j]);
            if (c != 0)
                return descending[j] ? c > 0 : c < 0;
        }
        return false;
    });
    return order;
}

struct Group {
    QString value;
    std::vector<qsizetype> books;
};

// The books in groups of the same value of the field (trimmed), in the order of each group's
// first book; the group of empty values comes last, whichever the direction.
std::vector<Group> groupBooks(const std::vector<BookRecord>& records,
                              const std::vector<qsizetype>& order, ReportField field)
{
    std::vector<Group> groups;
    QHash<QString, size_t> byValue;
    for (const qsizetype i : order) {
        const QString value = records[i][recordField(field)].trimmed();
        const auto found = byValue.constFind(value);
        if (found != byValue.cend()) {
            groups[*found].books.push_back(i);
            continue;
        }
        byValue.insert(value, groups.size());
        groups.push_back({value, {i}});
    }
    std::stable_partition(groups.begin(), groups.end(),
                          [](const Group& g) { return !g.value.isEmpty(); });
    return groups;
}

// The lines of a complete page up to the report: one element a line.
QStringList pageHead(const QString& directory, const FormatContext& context)
{
    const ReportOptions& options = context.report;
    const LanguageRegistry& registry =
        context.languages ? *context.languages : LanguageRegistry::instance();
    const std::optional<QString> tag = LanguageTagOf(options.defaultLang, registry);
    QString title = options.pageTitle;
    if (title.trimmed().isEmpty()) {
        const QString folder = QDir::cleanPath(directory);
        title = QFileInfo(folder).fileName();
        if (title.isEmpty()) // the root has no name of its own
            title = QDir::toNativeSeparators(folder);
    }
    return {QStringLiteral("<!DOCTYPE html>"),
            tag && !tag->isEmpty() ? u"<html lang=\"" + escapeAttribute(*tag) + u"\">"
                                   : QStringLiteral("<html>"),
            QStringLiteral("<head>"),
            QStringLiteral("<meta charset=\"utf-8\">"),
            u"<title>" + EscapeHtml(title, true) + u"</title>",
            QStringLiteral("</head>"),
            QStringLiteral("<body>")};
}

// The report itself, from the before-report text to the after-report text. Each book reported
// is handed to `reported` too, in report order.
void reportLines(const QString& directory, const QStringList& entries, const QString& format,
                 const FormatContext& context, const std::function<void(const QString&)>& sink,
                 const std::function<void(const BookRecord&)>& reported)
{
    FormatContext reference = context;
    reference.mode = FormatMode::Reference;
    const ReportOptions& options = context.report;
    const bool idInBeforeItem = options.beforeItem.contains(QStringLiteral("%ID"));

    QString line;
    const auto item = [&](const BookRecord& record) {
        line = idInBeforeItem ? SubstituteId(options.beforeItem, record[Field::ID])
                              : options.beforeItem;
        line += FormatEngine::formatRecord(format, record, reference);
        line += options.afterItem;
        sink(line);
        if (reported)
            reported(record);
    };

    const bool grouped = isGrouped(options);
    if (!grouped && (options.sort.isEmpty() || options.sort.front() == ReportSortKey{})) {
        // The order given: each book is read, formatted and handed on in turn.
        if (!options.beforeReport.isEmpty())
            sink(options.beforeReport);
        for (const QString& name : entries)
            item(ReadBookRecord(bookFilePath(directory, name)));
        if (!options.afterReport.isEmpty())
            sink(options.afterReport);
        return;
    }

    // Sorted or grouped: every book is read before the first is formatted.
    std::vector<BookRecord> records;
    records.reserve(entries.size());
    for (const QString& name : entries)
        records.push_back(ReadBookRecord(bookFilePath(directory, name)));
    const std::vector<qsizetype> order = sortedOrder(records, effectiveSortKeys(options));

    if (!options.beforeReport.isEmpty())
        sink(options.beforeReport);
    if (!grouped) {
        for (const qsizetype i : order)
            item(records[i]);
    } else {
        const auto groupLine = [&](const QString& text, const QString& value) {
            if (text.isEmpty())
                return;
            QString framed = text;
            framed.replace(QStringLiteral("%G"), EscapeHtml(value, options.microdata),
                           Qt::CaseSensitive);
            sink(framed);
        };
        for (const Group& group : groupBooks(records, order, *options.group)) {
            groupLine(options.beforeGroup, group.value);
            for (const qsizetype i : group.books)
                item(records[i]);
            groupLine(options.afterGroup, group.value);
        }
    }
    if (!options.afterReport.isEmpty())
        sink(options.afterReport);
}

} // namespace

void generateReportLines(const QString& directory, const QStringList& entries,
                         const QString& format, const FormatContext& context,
                         const std::function<void(const QString& line)>& sink)
{
    const ReportOptions& options = context.report;
    if (options.completePage) {
        for (const QString& line : pageHead(directory, context))
            sink(line);
    }
    QJsonArray books;
    std::function<void(const BookRecord&)> reported;
    if (options.jsonLd)
        reported = [&](const BookRecord& record) {
            books.append(jsonLdBook(record, context));
        };
    reportLines(directory, entries, format, context, sink, reported);
    if (options.jsonLd) {
        for (const QString& line : jsonLdScriptLines(jsonLdItemList(books)))
            sink(line);
    }
    if (options.completePage) {
        sink(QStringLiteral("</body>"));
        sink(QStringLiteral("</html>"));
    }
}

QStringList GenerateReport(const QString& directory, const QStringList& entries,
                           const QString& format, const FormatContext& context)
{
    QStringList lines;
    lines.reserve(entries.size() + 2);
    generateReportLines(directory, entries, format, context,
                        [&lines](const QString& line) { lines.append(line); });
    return lines;
}

QString reportText(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

QByteArray reportFileBytes(const QStringList& lines)
{
    return utf8Bom() + reportText(lines).toUtf8();
}

} // namespace quillery
