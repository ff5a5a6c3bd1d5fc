#include "exchange/Exchange.h"

#include "base/TextCodec.h"
#include "exchange/BibTeX.h"
#include "exchange/CslJson.h"
#include "exchange/Csv.h"
#include "exchange/Ris.h"

#include <QRegularExpression>

namespace quillery {

QByteArray exportBooks(ExchangeFormat format, std::span<const BookRecord> books)
{
    switch (format) {
    case ExchangeFormat::CslJson:
        return exportCslJson(books);
    case ExchangeFormat::BibTeX:
        return exportBibTeX(books);
    case ExchangeFormat::Ris:
        return exportRis(books);
    case ExchangeFormat::Csv:
    case ExchangeFormat::Goodreads:
    case ExchangeFormat::LibraryThing:
        break;
    }
    return exportCsv(books);
}

std::optional<ExchangeFormat> guessExchangeFormat(QByteArrayView bytes)
{
    // The first 64 KiB tell: a header row, a record's first line or an entry's head stands near
    // the top of every such file.
    const QString text = decodeText(bytes.first(std::min<qsizetype>(bytes.size(), 64 * 1024)));
    const QStringView start = trimBlanks(text);
    if (start.startsWith(u'[') || start.startsWith(u'{'))
        return ExchangeFormat::CslJson;
    static const QRegularExpression ris(QStringLiteral(R"(^TY  -)"),
                                        QRegularExpression::MultilineOption);
    if (ris.match(text).hasMatch())
        return ExchangeFormat::Ris;
    static const QRegularExpression bibtex(QStringLiteral(R"(@\s*[A-Za-z]+\s*[{(])"));
    if (bibtex.match(text).hasMatch())
        return ExchangeFormat::BibTeX;
    // A CSV file's first line is its header, with a separator in it.
    const qsizetype end = start.indexOf(u'\n');
    const QStringView header = end < 0 ? start : start.first(end);
    if (header.contains(u',') || header.contains(u';') || header.contains(u'\t'))
        return csvFlavourOf(bytes);
    return std::nullopt;
}

ImportRecords readImportRecords(ExchangeFormat format, QByteArrayView bytes)
{
    switch (format) {
    case ExchangeFormat::CslJson:
        return importCslJson(bytes);
    case ExchangeFormat::BibTeX:
        return importBibTeX(bytes);
    case ExchangeFormat::Ris:
        return importRis(bytes);
    case ExchangeFormat::Csv:
    case ExchangeFormat::Goodreads:
    case ExchangeFormat::LibraryThing:
        break;
    }
    return importCsv(bytes, format);
}

QString exchangeFileExtension(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::CslJson:
        return QStringLiteral("json");
    case ExchangeFormat::BibTeX:
        return QStringLiteral("bib");
    case ExchangeFormat::Ris:
        return QStringLiteral("ris");
    case ExchangeFormat::Csv:
    case ExchangeFormat::Goodreads:
    case ExchangeFormat::LibraryThing:
        break;
    }
    return QStringLiteral("csv");
}

} // namespace quillery
