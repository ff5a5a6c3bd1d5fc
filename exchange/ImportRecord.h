#pragma once

#include "base/Errors.h"
#include "catalogue/BookRecord.h"

#include <QString>

#include <vector>

namespace quillery {

// One record of another program's file, read as a book.
struct ImportRecord {
    // The fields the record gives, as read: the import cleans and completes them (see
    // cleanImportedRecord). ID is the name the record asks for (the "Name" column of the
    // program's own CSV), else empty.
    BookRecord book;
    // Where the record stands in the file, as the user is told: "line 12", "entry 3".
    QString location;
    // Why the record cannot become a book; empty when it can.
    QString rejection;
};

using ImportRecords = std::vector<ImportRecord>;

// The input as a whole cannot be read as the format: it is not that format, or so broken that no
// record can be told. The message says why, without the file's name (the caller adds it).
class ImportError final : public Error {
public:
    using Error::Error;
};

} // namespace quillery
