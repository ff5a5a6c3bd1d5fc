#pragma once

#include "catalogue/BookRecord.h"
#include "markup/FormatContext.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace quillery {

// The schema.org Book node of a book, without "@context": one property for each field that holds
// more than blanks. Values are the fields as typed (trimmed), never HTML-escaped; authors and the
// translator as Person or Organization nodes by the author-list rules; dates in ISO 8601 where
// the date rules read them, left out otherwise; the ISBNs as ISBN-13 when valid, else as typed;
// the number of pages only when it is an integer; the binding's schema.org format; the language's
// BCP 47 tag; the translator and the original work only for a book marked as a translation. Its
// "@id" is "#" and the book's ID encoded for a URL fragment.
QJsonObject jsonLdBook(const BookRecord& record, const FormatContext& context);

// The "@id" of a book: "#" and the ID, percent-encoded (UTF-8) but for the characters a URL
// fragment holds as they are.
QString jsonLdId(const QString& bookId);

// The schema.org ItemList of the books in the given order, with the "@context": each element a
// ListItem with its position (from 1) and the Book as its item.
QJsonObject jsonLdItemList(const QJsonArray& books);

// A node with "@context" added, for a node that stands alone.
QJsonObject withSchemaContext(QJsonObject node);

// The JSON text of a node, with every "<" written as "\u003c" so that the text can never close
// or open anything inside an HTML script element. Indented output ends with a line end.
QByteArray jsonLdText(const QJsonObject& node, bool indented = true);

// The report lines of the script block that holds the node: the start tag, the indented JSON a
// line at a time, the end tag.
QStringList jsonLdScriptLines(const QJsonObject& node);

} // namespace quillery
