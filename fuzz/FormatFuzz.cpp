// The format interpreter in both modes over arbitrary formats, records and database-link
// templates (self-referring and mutually referring ones included). A run either gives text or
// throws FormatError; anything else is a fault.
//
// Input: one byte of switches, then UTF-8 lines: the format, the link templates up to the first
// empty line, then the record's fields in order, then the default language.

#include "FuzzSupport.h"

#include "format/FormatEngine.h"

using namespace quillery;
using fuzz::check;
using fuzz::fail;

namespace {

constexpr qsizetype MaxTemplates = 64;

void runOnce(QStringView format, const BookRecord& record, const FormatContext& context)
{
    try {
        const QString text = FormatEngine::formatRecord(format, record, context);
        (void)text;
    } catch (const FormatError& e) {
        check(!e.message().isEmpty(), "a format error carries a message");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    if (size < 1)
        return 0;
    const uint8_t switches = data[0];
    const QStringList lines = QString::fromUtf8(fuzz::bytesOf(data + 1, size - 1)).split(u'\n');

    FormatContext context;
    context.escapeHtml = switches & 1;
    context.report.microdata = switches & 2;
    context.report.useLangForTitle = switches & 4;
    context.dashSpaced = switches & 8;
    if (switches & 16)
        context.subtitleSeparator = QStringLiteral("(");

    qsizetype i = 1;
    for (; i < lines.size() && !lines[i].isEmpty(); ++i) {
        if (context.dataLinkTemplates.size() < MaxTemplates)
            context.dataLinkTemplates.append(lines[i]);
    }
    ++i;
    BookRecord record;
    for (int f = 0; f < FieldCount && i < lines.size(); ++f, ++i)
        record.values[size_t(f)] = lines[i];
    if (i < lines.size())
        context.report.defaultLang = lines[i];

    const QString format = lines.value(0);
    context.mode = FormatMode::Reference;
    runOnce(format, record, context);
    context.mode = FormatMode::Link;
    runOnce(format, record, context);

    QStringList links;
    try {
        buildDataLinks(record, context, links);
        check(links.size() == context.dataLinkTemplates.size(), "one link line per template");
    } catch (const FormatError&) {
        check(links.size() < context.dataLinkTemplates.size(), "a failing template ends the links");
    }
    return 0;
}
