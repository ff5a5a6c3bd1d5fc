#pragma once

#include "catalogue/BookRecord.h"
#include "markup/FormatContext.h"

#include <QString>

#include <optional>

namespace quillery {

// The field annotation of Reference mode: the value of one field code, trimmed (characters up to
// U+0020), as the text to insert. Empty when only blanks were given. With microdata off the
// title-like fields T, Q, E and e get a span with the book's lang attribute when there is one,
// and every other value is inserted as typed. With microdata on each code gets its schema.org
// markup. Position (i) and Num pages (n) must then be integers: FormatError
// "''<value>'' is not a valid integer value" otherwise.
QString MarkupField(char16_t code, const QString& value, const BookRecord& record,
                    const FormatContext& context);

// The schema.org book format a Binding value stands for, as the microdata marks it: "EBook",
// "Hardcover" or "Paperback" for that name itself (case-sensitive) or a synonym of its list
// (case ignored); nothing for any other binding. The value is trimmed first.
std::optional<QString> BookFormatOf(const QString& binding, const FormatContext& context);

// ` lang="<tag>"` for the book's stored Language field, or empty: when the option is off, the
// language gives no tag, or it is the catalogue's default language. The tag is attribute-escaped.
QString LangAttribute(const BookRecord& record, const FormatContext& context);

// Rewrites the before- and after-item texts when a microdata box changes state: switching on
// turns a plain start tag such as "<li>" into a schema.org Book item (and fills in "<div>" and
// "</div>" when both texts are empty); switching off removes the two attributes again.
void ApplyMicrodataToBeforeItem(bool microdata, QString& beforeItem, QString& afterItem);

} // namespace quillery
