#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/BookWriter.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <span>

namespace quillery {

// The books as CSV (RFC 4180): a UTF-8 byte-order mark, a header row ("Name", then the stored
// fields by name in record order), one row per book, CR LF after every row.
QByteArray exportCsv(std::span<const BookRecord> books);
std::unique_ptr<BookWriter> csvWriter();

// The rows of a CSV file as books. The header row maps columns to fields by field name or editor
// caption (any case); the exports of Goodreads and LibraryThing are told by their headers and
// mapped by their own columns. `flavour` Csv tells them apart that way; Goodreads or LibraryThing
// reads the file as that export. Comma, semicolon and tab separated files are read alike. Throws
// ImportError when no column of the header names a field.
ImportRecords importCsv(QByteArrayView bytes, ExchangeFormat flavour);

// Which export a CSV header row is: Goodreads, LibraryThing, or plain Csv.
ExchangeFormat csvFlavourOf(QByteArrayView bytes);

} // namespace quillery
