#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/BookWriter.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>
#include <span>

namespace quillery {

// The books in a format, in the order given; each book's ID is its name. The same books give the
// same bytes. Goodreads and LibraryThing are import formats only: they export as CSV.
QByteArray exportBooks(ExchangeFormat format, std::span<const BookRecord> books);

// The writer of a format for books of these names, in this order.
std::unique_ptr<BookWriter> bookWriter(ExchangeFormat format, const QStringList& names);

// exportBooks of the book files of the names in a catalogue folder, read and written on several
// threads. Throws the FileError of the first book, in list order, that cannot be read.
QByteArray exportBookFiles(ExchangeFormat format, const QString& directory,
                           const QStringList& names);

// The format a file's bytes are in, told from the content: a JSON array or object is CSL-JSON,
// a "TY  - " line RIS, an "@type{" entry BibTeX, and a header row CSV (Goodreads and
// LibraryThing by their columns). Nothing when it is none of them.
std::optional<ExchangeFormat> guessExchangeFormat(QByteArrayView bytes);

// The records of a file in a format, in file order, rejected ones included. Throws ImportError
// when the bytes cannot be read as that format at all.
ImportRecords readImportRecords(ExchangeFormat format, QByteArrayView bytes);

// The file-name extension of a format's files, without the period ("csv", "json", "bib", "ris").
QString exchangeFileExtension(ExchangeFormat format);

} // namespace quillery
