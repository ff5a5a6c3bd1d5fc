#include "exchange/Exchange.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/TextCodec.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "exchange/BibTeX.h"
#include "exchange/CslJson.h"
#include "exchange/Csv.h"
#include "exchange/Ris.h"

#include <QRegularExpression>

#include <exception>
#include <vector>

namespace quillery {

std::unique_ptr<BookWriter> bookWriter(ExchangeFormat format, const QStringList& names)
{
    switch (format) {
    case ExchangeFormat::CslJson:
        return cslJsonWriter();
    case ExchangeFormat::BibTeX:
        return bibTeXWriter(names);
    case ExchangeFormat::Ris:
        return risWriter();
    case ExchangeFormat::Csv:
    case ExchangeFormat::Goodreads:
    case ExchangeFormat::LibraryThing:
        break;
    }
    return csvWriter();
}

QByteArray exportBooks(ExchangeFormat format, std::span<const BookRecord> books)
{
    return bookWriter(format, bookNamesOf(books))->write(books);
}

QByteArray exportBookFiles(ExchangeFormat format, const QString& directory,
                           const QStringList& names)
{
    const std::unique_ptr<BookWriter> writer = bookWriter(format, names);
    std::vector<QByteArray> pieces(size_t(names.size()));
    const FolderReader folder(withTrailingSeparator(directory));
    // The first book that cannot be read, in list order, is the error.
    WorkerPool::shared().forEachRun(names.size(), [&](qsizetype begin, qsizetype end) {
        BookReader reader(folder);
        for (qsizetype i = begin; i < end; ++i)
            writer->appendBook(pieces[size_t(i)], i, reader.read(names[i]));
    });
    const QByteArray separator = writer->separator();
    QByteArray out = writer->head();
    qsizetype size = out.size();
    for (const QByteArray& piece : pieces)
        size += piece.size() + separator.size();
    out.reserve(size + 16);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
        pieces[i] = QByteArray();
    }
    return out + writer->tail(names.size());
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
