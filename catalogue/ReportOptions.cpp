#include "catalogue/ReportOptions.h"

#include "base/Errors.h"

#include <QtGlobal>

namespace quillery {

namespace {

struct FieldRow {
    ReportField field;
    const char16_t* name;
    const char* caption; // English, marked for translation in the context "ReportOptions"
};

constexpr FieldRow kFields[] = {
    {ReportField::Name, u"name", QT_TRANSLATE_NOOP("ReportOptions", "Name")},
    {ReportField::Author, u"author", QT_TRANSLATE_NOOP("ReportOptions", "Author")},
    {ReportField::Title, u"title", QT_TRANSLATE_NOOP("ReportOptions", "Title")},
    {ReportField::YearWritten, u"yearwritten", QT_TRANSLATE_NOOP("ReportOptions", "Year written")},
    {ReportField::YearPrinted, u"yearprinted", QT_TRANSLATE_NOOP("ReportOptions", "Year printed")},
    {ReportField::Series, u"series", QT_TRANSLATE_NOOP("ReportOptions", "Series and position")},
    {ReportField::Category, u"category", QT_TRANSLATE_NOOP("ReportOptions", "Category")},
    {ReportField::Language, u"language", QT_TRANSLATE_NOOP("ReportOptions", "Language")},
};

std::optional<ReportField> fieldByName(QStringView name)
{
    if (name.compare(u"year", Qt::CaseInsensitive) == 0)
        return ReportField::YearWritten;
    for (const FieldRow& row : kFields) {
        if (name.compare(QStringView(row.name), Qt::CaseInsensitive) == 0)
            return row.field;
    }
    return std::nullopt;
}

} // namespace

QList<std::pair<ReportField, QString>> reportFields()
{
    QList<std::pair<ReportField, QString>> fields;
    for (const FieldRow& row : kFields)
        fields.append({row.field, QString::fromUtf8(row.caption)});
    return fields;
}

QString reportFieldName(ReportField field)
{
    return QString::fromUtf16(kFields[static_cast<int>(field)].name);
}

QString sortKeysText(const QList<ReportSortKey>& keys)
{
    QString text;
    for (const ReportSortKey& key : keys) {
        if (!text.isEmpty())
            text += u',';
        if (key.descending)
            text += u'-';
        text += reportFieldName(key.field);
    }
    return text;
}

QList<ReportSortKey> parseSortKeys(QStringView text)
{
    QList<ReportSortKey> keys;
    if (text.trimmed().isEmpty())
        return keys;
    for (QStringView part : text.split(u',')) {
        part = part.trimmed();
        const bool descending = part.startsWith(u'-');
        const std::optional<ReportField> field =
            fieldByName(descending ? part.sliced(1).trimmed() : part);
        if (!field)
            throw Error(QStringLiteral("Unknown sort key \"%1\". The sort keys are name, author, "
                                       "title, year (or yearwritten), yearprinted, series, "
                                       "category and language, each with \"-\" in front for "
                                       "descending order.")
                            .arg(part));
        keys.append({*field, descending});
    }
    return keys;
}

QString reportGroupText(std::optional<ReportField> group)
{
    return group ? reportFieldName(*group) : QStringLiteral("none");
}

std::optional<ReportField> parseReportGroup(QStringView text)
{
    const QStringView name = text.trimmed();
    if (name.isEmpty() || name.compare(u"none", Qt::CaseInsensitive) == 0)
        return std::nullopt;
    const std::optional<ReportField> field = fieldByName(name);
    if (!field || *field == ReportField::Name)
        throw Error(QStringLiteral("Unknown group field \"%1\". The group fields are none, "
                                   "author, title, year (or yearwritten), yearprinted, series, "
                                   "category and language.")
                        .arg(name));
    return field;
}

} // namespace quillery
