#include "format/Legend.h"

#include "catalogue/FieldTable.h"

#include <QtGlobal>

namespace quillery {

namespace {

QString shown(const LegendTranslator& translate, const char* context, const char* english)
{
    return translate ? translate(context, english) : QString::fromUtf8(english);
}

struct LegendEntry {
    QString code;
    QString text;
};

// The codes in legend order: the fields, with the derived values and the link among them, then
// the literal codes and the character escapes.
QList<LegendEntry> legendEntries(const LegendTranslator& translate)
{
    const auto text = [&translate](const char* context, const char* english) {
        return shown(translate, context, english);
    };
    QList<LegendEntry> entries;
    const QString fieldOrder = QStringLiteral("AYTQFEeiPpyNILnCctBlR$U?Oro");
    for (const QChar code : fieldOrder) {
        switch (code.unicode()) {
        case u'F':
            entries.append(
                {QStringLiteral("%F"),
                 text("Legend", QT_TRANSLATE_NOOP("Legend", "Full title (title and subtitle)"))});
            break;
        case u'I':
            entries.append(
                {QStringLiteral("%I"),
                 text("Legend",
                      QT_TRANSLATE_NOOP("Legend", "Unformatted ISBN (only digits 0 to 9)"))});
            break;
        case u'L':
            entries.append(
                {QStringLiteral("%Lnnn"),
                 text("Legend", QT_TRANSLATE_NOOP("Legend", "Database link nnn (e.g. %L001)"))});
            break;
        default:
            entries.append({QStringLiteral("%") + code,
                            text("FieldTable", FieldTable::rowByCode(code.unicode())->legend)});
            break;
        }
    }
    entries.append(
        {QStringLiteral("%%"), text("Legend", QT_TRANSLATE_NOOP("Legend", "Percent sign (%)"))});
    entries.append(
        {QStringLiteral("%("), text("Legend", QT_TRANSLATE_NOOP("Legend", "Left parenthesis"))});
    entries.append({QStringLiteral("%-"), text("Legend", QT_TRANSLATE_NOOP("Legend", "Dash"))});
    entries.append({QStringLiteral("%."), text("Legend", QT_TRANSLATE_NOOP("Legend", "Period"))});
    entries.append({QStringLiteral("%,"), text("Legend", QT_TRANSLATE_NOOP("Legend", "Comma"))});
    entries.append(
        {QStringLiteral("%\""),
         text("Legend",
              QT_TRANSLATE_NOOP("Legend", "(Double) quotation mark (U+0022: QUOTATION MARK)"))});
    entries.append(
        {QStringLiteral("%NNNN"),
         text("Legend",
              QT_TRANSLATE_NOOP("Legend", "Unicode character with decimal codepoint NNNN (e.g. "
                                          "%0013%0010 or %0009)"))});
    entries.append(
        {QStringLiteral("%xNNNN"),
         text("Legend",
              QT_TRANSLATE_NOOP("Legend", "Unicode character with hexadecimal codepoint NNNN (e.g. "
                                          "%x000D%x000A or %x0009)"))});
    return entries;
}

// Breaks a long description at spaces into lines of at most `width` characters; the lines after
// the first start with a tab, under the description.
QStringList wrapped(const LegendEntry& entry, qsizetype width)
{
    QStringList lines;
    QStringView rest(entry.text);
    QString prefix = entry.code;
    while (rest.size() > width) {
        qsizetype cut = rest.first(width + 1).lastIndexOf(u' ');
        if (cut <= 0)
            cut = width;
        lines.append(prefix + u'\t' + rest.first(cut));
        rest = rest.sliced(cut).trimmed();
        prefix.clear();
    }
    lines.append(prefix + u'\t' + rest);
    return lines;
}

} // namespace

QStringList formatLegendLines(const LegendTranslator& translate)
{
    QStringList lines;
    for (const LegendEntry& e : legendEntries(translate))
        lines.append(e.code + u'\t' + e.text);
    return lines;
}

QStringList linkLegendLines(const LegendTranslator& translate)
{
    QStringList lines;
    for (const LegendEntry& e : legendEntries(translate)) {
        if (e.code == u"%Lnnn" || e.code == u"%?")
            continue;
        lines.append(wrapped(e, 18));
    }
    lines.append(QString());
    lines.append(shown(translate, "Legend",
                       QT_TRANSLATE_NOOP("Legend", "All arguments will be URL-encoded.")));
    return lines;
}

} // namespace quillery
