#pragma once

#include "base/Errors.h"
#include "catalogue/BookRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace quillery {

// A query that does not parse. The message names the 1-based position (in UTF-16 code units) of
// the offending part, as the format interpreter's messages do; position() gives it alone.
class QueryError final : public Error {
public:
    QueryError(QString message, int position) : Error(std::move(message)), m_position(position) {}

    int position() const noexcept { return m_position; }

private:
    int m_position;
};

// A text as queries compare it, in UTF-8: canonically decomposed, its combining marks removed and
// its letters case-folded (simple Unicode case folding), so "muller" finds "Müller" while
// "strasse" does not find "Straße".
QByteArray foldForQuery(QStringView text);

// The ISBN forms a query compares: the digits of the text with a final X (blanks, hyphens and
// everything else left out), and beside them the same ISBN in its other form (an ISBN-10 as its
// ISBN-13 with the 978 prefix, and an ISBN-13 with that prefix as its ISBN-10), separated by the
// byte 0xFF. Empty when the text holds no digit and no X.
QByteArray queryIsbnForms(QStringView text);

// The integer a text starts with after blanks (ASCII digits, an optional sign; values beyond 64
// bits are held at the nearest end), or nothing when it starts with none.
std::optional<qint64> queryLeadingInteger(QStringView text);

// Whether a field holds more than blanks.
inline bool queryHasValue(QStringView text)
{
    return !text.trimmed().isEmpty();
}

// Whether ranges apply to a field: Year written, Year printed, Num pages, Position and Rating.
bool isNumericField(Field field);

// A book as a query reads it. Matching a BookRecord folds each field when a term first needs it;
// the index answers from what it folded once.
class FoldedBook {
public:
    // The field's text folded by foldForQuery.
    virtual QByteArrayView field(Field field) const = 0;
    // Every field's folded text in record order, each followed by the byte 0xFF (which UTF-8
    // never holds, so no match runs from one field into the next); empty when the book does not
    // keep it, and the fields are then searched one by one.
    virtual QByteArrayView allFields() const = 0;
    virtual bool hasValue(Field field) const = 0;
    virtual std::optional<qint64> leadingInteger(Field field) const = 0;
    // queryIsbnForms() of the ISBN field.
    virtual QByteArrayView isbnForms() const = 0;

protected:
    ~FoldedBook() = default;
};

// A list of terms, all of which a book must match: words and "quoted phrases" found in any field,
// FIELD:TEXT in one field, FIELD:A..B ranges on the numeric fields, has:FIELD, and -TERM for the
// opposite of any term. Letters compare ignoring case and diacritics (foldForQuery).
class BookQuery {
public:
    BookQuery() = default; // matches every book

    // Throws QueryError; blank text gives the empty query.
    static BookQuery parse(QStringView text);

    bool isEmpty() const { return m_terms.empty(); }

    // record[Field::ID] is the book's name.
    bool matches(const BookRecord& record) const;
    bool matches(const FoldedBook& book) const;

    // The parsed form: one term each.
    enum class Kind { Text, Range, Has, Isbn };
    struct Term {
        Kind kind = Kind::Text;
        bool negated = false;
        std::optional<Field> field; // none: any field
        QByteArray needle;          // folded text, or the ISBN digits
        qint64 low = 0;
        qint64 high = 0;
    };

private:
    std::vector<Term> m_terms;
};

} // namespace quillery
