#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/BookWriter.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <span>

namespace quillery {

// The books as RIS records ("TY  - BOOK" to "ER  - "), UTF-8, CR LF line ends.
QByteArray exportRis(std::span<const BookRecord> books);
std::unique_ptr<BookWriter> risWriter();

// The records of a RIS file as books; records of types that are not books are rejected. Throws
// ImportError when the file holds no "TY  - " line.
ImportRecords importRis(QByteArrayView bytes);

} // namespace quillery
