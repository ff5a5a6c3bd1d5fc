#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace quillery {

// The books as RIS records ("TY  - BOOK" to "ER  - "), UTF-8, CR LF line ends.
QByteArray exportRis(std::span<const BookRecord> books);

// The records of a RIS file as books; records of types that are not books are rejected. Throws
// ImportError when the file holds no "TY  - " line.
ImportRecords importRis(QByteArrayView bytes);

} // namespace quillery
