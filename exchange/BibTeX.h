#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/BookWriter.h"
#include "exchange/ImportRecord.h"
#include "exchange/LatexText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>
#include <span>

namespace quillery {

// The books as BibTeX @book entries with biblatex's field names, UTF-8 without a byte-order
// mark, LF line ends. Keys are made from the books' names (ASCII, unique ignoring case). Each
// book is written as the import gives it back (see cleanImportedRecord), so exporting what an
// export imports gives the same bytes.
QByteArray exportBibTeX(std::span<const BookRecord> books);
// The same entry by entry, for books of these names in this order.
std::unique_ptr<BookWriter> bibTeXWriter(const QStringList& names);

// The entries of a BibTeX or biblatex file as records, in file order. Books are @book, @mvbook,
// @inbook, @bookinbook, @suppbook, @collection, @mvcollection, @incollection, @suppcollection,
// @reference, @mvreference, @proceedings and @mvproceedings; entries of other types, and entries
// that do not parse, are rejected records with the reason, located as "line N (KEY)". A book's ID
// is its key. @string abbreviations are expanded and "#" concatenations joined; @preamble and
// @comment are skipped. LaTeX accents, special characters and case-protecting braces are
// decoded. Throws ImportError when the file holds no entry at all.
ImportRecords importBibTeX(QByteArrayView bytes);

} // namespace quillery
