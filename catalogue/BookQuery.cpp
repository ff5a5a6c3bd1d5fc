#include "catalogue/BookQuery.h"

#include "catalogue/FieldTable.h"

#include <QChar>

#include <array>
#include <cstring>
#include <limits>

namespace quillery {

namespace {

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray foldForQuery(QStringView text)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* o = out.data();
    qsizetype k = 0;
    // Most text is ASCII, whose folding is lowering its letters.
    for (; k < n && p[k] < 0x80; ++k)
        o[k] = char(p[k] >= u'A' && p[k] <= u'Z' ? p[k] + 32 : p[k]);
    if (k == n)
        return out;
    out.truncate(k);
    // The ASCII character before k starts a new sequence of marks, so the rest decomposes alone.
    const QString rest = text.sliced(k).toString().normalized(QString::NormalizationForm_D);
    const char16_t* r = QStringView(rest).utf16();
    const qsizetype m = rest.size();
    out.reserve(k + 3 * m); // a UTF-16 unit takes at most three bytes, a pair four
    for (qsizetype i = 0; i < m; ++i) {
        char32_t c = r[i];
        if (c < 0x80) {
            out += char(c >= u'A' && c <= u'Z' ? c + 32 : c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < m && QChar::isLowSurrogate(r[i + 1]))
            c = QChar::surrogateToUcs4(char16_t(c), r[++i]);
        else if (QChar::isSurrogate(c))
            c = QChar::ReplacementCharacter;
        if (!isMark(c))
            appendUtf8(out, QChar::toCaseFolded(c));
    }
    return out;
}

namespace {

// The digits of an ISBN text, and an X after the last of them.
QByteArray isbnKey(QStringView text)
{
    QByteArray key;
    bool finalX = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            key += char(c.unicode());
            finalX = false;
        } else if (c == u'X' || c == u'x') {
            finalX = true;
        }
    }
    if (finalX)
        key += 'X';
    return key;
}

char isbn13Check(QByteArrayView twelve)
{
    int sum = 0;
    for (qsizetype i = 0; i < 12; ++i)
        sum += (twelve[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return char('0' + (10 - sum % 10) % 10);
}

char isbn10Check(QByteArrayView nine)
{
    int sum = 0;
    for (qsizetype i = 0; i < 9; ++i)
        sum += (nine[i] - '0') * int(i + 1);
    const int check = sum % 11;
    return check == 10 ? 'X' : char('0' + check);
}

} // namespace

QByteArray queryIsbnForms(QStringView text)
{
    QByteArray forms = isbnKey(text);
    if (forms.size() == 10) {
        const QByteArray thirteen = "978" + forms.first(9);
        forms += '\xFF' + thirteen + isbn13Check(thirteen);
    } else if (forms.size() == 13 && forms.startsWith("978") && forms.back() != 'X') {
        const QByteArray nine = forms.sliced(3, 9);
        forms += '\xFF' + nine + isbn10Check(nine);
    }
    return forms;
}

std::optional<qint64> queryLeadingInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    const bool negative = i < n && text[i] == u'-';
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    if (i == n || text[i] < u'0' || text[i] > u'9')
        return std::nullopt;
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? -value : value;
}

bool isNumericField(Field field)
{
    switch (field) {
    case Field::YearWritten:
    case Field::YearPrinted:
    case Field::NumPages:
    case Field::Position:
    case Field::Rating:
        return true;
    default:
        return false;
    }
}

namespace {

[[noreturn]] void fail(const QString& message, qsizetype position)
{
    throw QueryError(message, int(position));
}

QString at(qsizetype position)
{
    return QString::number(position);
}

// The quotation mark that closes the one at `open`; a doubled mark inside stands for one.
qsizetype closingQuote(QStringView text, qsizetype open)
{
    qsizetype from = open + 1;
    for (;;) {
        const qsizetype close = text.indexOf(u'"', from);
        if (close < 0)
            fail(QStringLiteral("Unterminated quote starting at %1.").arg(open + 1), open + 1);
        if (close + 1 < text.size() && text[close + 1] == u'"') {
            from = close + 2;
            continue;
        }
        return close;
    }
}

// The text of a term with its quotation marks taken away. The scan of the whole query has
// checked every mark already, so closingQuote finds them all here.
QString unquoted(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'"') {
            out += text[i];
            continue;
        }
        const qsizetype close = closingQuote(text, i);
        for (qsizetype k = i + 1; k < close; ++k) {
            out += text[k];
            if (text[k] == u'"')
                ++k; // the second of a doubled mark
        }
        i = close;
    }
    return out;
}

std::optional<Field> fieldNamed(QStringView name)
{
    if (name.size() == 1) {
        if (const FieldDef* def = FieldTable::rowByCode(name[0].unicode()))
            return def->field;
        return std::nullopt;
    }
    static const std::array<std::pair<QStringView, Field>, 3> shortForms = {{
        {u"year", Field::YearWritten},
        {u"pages", Field::NumPages},
        {u"name", Field::ID},
    }};
    for (const auto& [shortName, field] : shortForms) {
        if (name.compare(shortName, Qt::CaseInsensitive) == 0)
            return field;
    }
    static const std::vector<std::pair<QString, Field>> keys = [] {
        std::vector<std::pair<QString, Field>> list;
        for (const FieldDef& def : FieldTable::rows())
            list.emplace_back(QString::fromUtf16(def.key).remove(u' '), def.field);
        return list;
    }();
    for (const auto& [key, field] : keys) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return field;
    }
    return std::nullopt;
}

// An end of a range: an optional sign and ASCII digits, within 64 bits.
bool parseBound(QStringView text, qint64& value)
{
    qsizetype i = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (i == text.size())
        return false;
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max());
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9' || magnitude > limit / 10)
            return false;
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
    }
    if (magnitude > limit)
        return false;
    value = text.startsWith(u'-') ? -qint64(magnitude) : qint64(magnitude);
    return true;
}

// A range "A..B" with either end left out; false when the text is none.
bool parseRange(QStringView text, qint64& low, qint64& high)
{
    const qsizetype dots = text.indexOf(u"..");
    if (dots < 0)
        return false;
    const QStringView left = text.first(dots);
    const QStringView right = text.sliced(dots + 2);
    low = std::numeric_limits<qint64>::min();
    high = std::numeric_limits<qint64>::max();
    return (left.isEmpty() || parseBound(left, low)) &&
           (right.isEmpty() || parseBound(right, high)) && low <= high;
}

BookQuery::Term termOf(QStringView text, qsizetype start, qsizetype colon, qsizetype end)
{
    BookQuery::Term term;
    qsizetype body = start;
    if (text[start] == u'-') {
        term.negated = true;
        ++body;
    }
    if (colon <= body) {
        const QString value = unquoted(text.sliced(body, end - body));
        if (value.isEmpty())
            fail(QStringLiteral("Empty term at %1.").arg(start + 1), start + 1);
        term.needle = foldForQuery(value);
        return term;
    }
    const QStringView name = text.sliced(body, colon - body);
    const QStringView typed = text.sliced(colon + 1, end - colon - 1);
    const qsizetype valueAt = colon + 2;
    const QString value = unquoted(typed);
    if (name.compare(u"has", Qt::CaseInsensitive) == 0) {
        if (value.isEmpty())
            fail(QStringLiteral("Field name expected after \"%1:\" at %2.").arg(name, at(body + 1)),
                 body + 1);
        term.field = fieldNamed(value);
        if (!term.field)
            fail(QStringLiteral("Unknown field \"%1\" at %2.").arg(value, at(valueAt)), valueAt);
        term.kind = BookQuery::Kind::Has;
        return term;
    }
    term.field = fieldNamed(name);
    if (!term.field)
        fail(QStringLiteral("Unknown field \"%1\" at %2.").arg(name, at(body + 1)), body + 1);
    if (value.isEmpty())
        fail(QStringLiteral("Text expected after \"%1:\" at %2.").arg(name, at(body + 1)),
             body + 1);
    const bool quoted = typed.contains(u'"');
    if (!quoted && isNumericField(*term.field) && typed.contains(u"..")) {
        if (!parseRange(typed, term.low, term.high))
            fail(QStringLiteral("Invalid range \"%1\" at %2.").arg(typed, at(valueAt)), valueAt);
        term.kind = BookQuery::Kind::Range;
        return term;
    }
    qint64 low = 0;
    qint64 high = 0;
    if (!quoted && parseRange(typed, low, high))
        fail(QStringLiteral("The field \"%1\" takes no range at %2.").arg(name, at(valueAt)),
             valueAt);
    if (*term.field == Field::ISBN) {
        term.kind = BookQuery::Kind::Isbn;
        term.needle = isbnKey(value);
        if (term.needle.isEmpty())
            fail(QStringLiteral("No ISBN digits in \"%1\" at %2.").arg(value, at(valueAt)),
                 valueAt);
        return term;
    }
    term.needle = foldForQuery(value);
    return term;
}

bool contains(QByteArrayView haystack, QByteArrayView needle)
{
    if (needle.isEmpty())
        return true;
    // An empty field's view may have no data at all, which memmem must not be given.
    if (haystack.size() < needle.size())
        return false;
#ifdef __GLIBC__
    return memmem(haystack.data(), size_t(haystack.size()), needle.data(), size_t(needle.size())) !=
           nullptr;
#else
    return haystack.indexOf(needle) >= 0;
#endif
}

bool termMatches(const BookQuery::Term& term, const FoldedBook& book)
{
    switch (term.kind) {
    case BookQuery::Kind::Text:
        if (term.field)
            return contains(book.field(*term.field), term.needle);
        if (const QByteArrayView all = book.allFields(); !all.isEmpty())
            return contains(all, term.needle);
        for (int f = 0; f < FieldCount; ++f) {
            if (contains(book.field(Field(f)), term.needle))
                return true;
        }
        return false;
    case BookQuery::Kind::Range: {
        const std::optional<qint64> value = book.leadingInteger(*term.field);
        return value && *value >= term.low && *value <= term.high;
    }
    case BookQuery::Kind::Has:
        return book.hasValue(*term.field);
    case BookQuery::Kind::Isbn:
        return contains(book.isbnForms(), term.needle);
    }
    return false;
}

// A record folded field by field as the terms ask for them.
class RecordBook final : public FoldedBook {
public:
    explicit RecordBook(const BookRecord& record) : m_record(record) {}

    QByteArrayView field(Field field) const override
    {
        std::optional<QByteArray>& folded = m_folded[size_t(field)];
        if (!folded)
            folded = foldForQuery(m_record[field]);
        return *folded;
    }
    QByteArrayView allFields() const override { return {}; }
    bool hasValue(Field field) const override { return queryHasValue(m_record[field]); }
    std::optional<qint64> leadingInteger(Field field) const override
    {
        return queryLeadingInteger(m_record[field]);
    }
    QByteArrayView isbnForms() const override
    {
        if (!m_isbn)
            m_isbn = queryIsbnForms(m_record[Field::ISBN]);
        return *m_isbn;
    }

private:
    const BookRecord& m_record;
    mutable std::array<std::optional<QByteArray>, FieldCount> m_folded;
    mutable std::optional<QByteArray> m_isbn;
};

} // namespace

BookQuery BookQuery::parse(QStringView text)
{
    BookQuery query;
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && text[i].isSpace())
            ++i;
        if (i == n)
            break;
        const qsizetype start = i;
        // A field name is what comes before the first colon, unless a quotation mark does.
        qsizetype colon = -1;
        bool quoted = false;
        while (i < n && !text[i].isSpace()) {
            if (text[i] == u'"') {
                quoted = true;
                i = closingQuote(text, i) + 1;
                continue;
            }
            if (text[i] == u':' && colon < 0 && !quoted)
                colon = i;
            ++i;
        }
        query.m_terms.push_back(termOf(text, start, colon, i));
    }
    return query;
}

bool BookQuery::matches(const FoldedBook& book) const
{
    for (const Term& term : m_terms) {
        if (termMatches(term, book) == term.negated)
            return false;
    }
    return true;
}

bool BookQuery::matches(const BookRecord& record) const
{
    return m_terms.empty() || matches(RecordBook(record));
}

} // namespace quillery
