#include "format/Report.h"

#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/FormatEngine.h"

namespace quillery {

QString SubstituteId(const QString& text, const QString& id)
{
    QString result = text;
    result.replace(QStringLiteral("%ID"), id, Qt::CaseSensitive);
    return result;
}

void generateReportLines(const QString& directory, const QStringList& entries,
                         const QString& format, const FormatContext& context,
                         const std::function<void(const QString& line)>& sink)
{
    FormatContext reference = context;
    reference.mode = FormatMode::Reference;
    const ReportOptions& options = context.report;
    const bool idInBeforeItem = options.beforeItem.contains(QStringLiteral("%ID"));

    if (!options.beforeReport.isEmpty())
        sink(options.beforeReport);
    QString line;
    for (const QString& name : entries) {
        const BookRecord record = ReadBookRecord(bookFilePath(directory, name));
        line = idInBeforeItem ? SubstituteId(options.beforeItem, record[Field::ID])
                              : options.beforeItem;
        line += FormatEngine::formatRecord(format, record, reference);
        line += options.afterItem;
        sink(line);
    }
    if (!options.afterReport.isEmpty())
        sink(options.afterReport);
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
