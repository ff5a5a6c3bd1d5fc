#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/BookWriter.h"
#include "exchange/ImportRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <span>

namespace quillery {

// The books as a CSL-JSON array of "book" items, as citation processors read them.
QByteArray exportCslJson(std::span<const BookRecord> books);
std::unique_ptr<BookWriter> cslJsonWriter();

// The items of a CSL-JSON array (or a single item) as books; items of types that are not books
// are rejected records. Throws ImportError when the text is no JSON array or object.
ImportRecords importCslJson(QByteArrayView bytes);

} // namespace quillery
