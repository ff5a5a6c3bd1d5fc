#include "exchange/Ris.h"

#include "base/TextCodec.h"
#include "exchange/BookMapping.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace quillery {

namespace {

// The record types read as books: books, e-books, edited books and chapters of books.
bool isBookType(QStringView type)
{
    for (const char16_t* t : {u"BOOK", u"EBOOK", u"EDBOOK", u"CHAP"}) {
        if (type == QStringView(t))
            return true;
    }
    return false;
}

struct Tagged {
    QString tag;
    QString value;
};

// "TY  - BOOK": a tag of a capital letter and a letter or digit, two blanks, a hyphen, and the
// value after one blank (some writers leave the blank out after an empty value).
std::optional<Tagged> taggedLine(QStringView line)
{
    if (line.size() < 5 || !(line[0] >= u'A' && line[0] <= u'Z') ||
        !((line[1] >= u'A' && line[1] <= u'Z') || (line[1] >= u'0' && line[1] <= u'9')) ||
        line[2] != u' ' || line[3] != u' ' || line[4] != u'-')
        return std::nullopt;
    if (line.size() > 5 && line[5] != u' ')
        return std::nullopt;
    return Tagged{line.first(2).toString(),
                  trimBlanks(line.sliced(std::min<qsizetype>(6, line.size()))).toString()};
}

// ----- Writing -----

void appendTag(QString& out, QStringView tag, QStringView value)
{
    value = trimBlanks(value);
    if (value.isEmpty())
        return;
    // A value of several lines goes on as lines without a tag, which readers join to it. They
    // trim those lines and pass over empty ones, so they are written that way.
    bool first = true;
    for (QStringView line : splitLines(value)) {
        line = trimBlanks(line);
        if (line.isEmpty())
            continue;
        if (first)
            out += tag + u"  - ";
        else if (taggedLine(line))
            out += u' '; // read as a tag of its own otherwise; readers trim it off again
        out += line;
        out += u"\r\n";
        first = false;
    }
}

// A name as RIS writes it: "Family, Given", a free-form name as typed, an organisation with a
// comma after it, so that readers do not take its last word for a family name.
QString risName(const AuthorEntry& entry)
{
    switch (entry.kind) {
    case AuthorKind::Organisation:
        return entry.name + u',';
    case AuthorKind::PersonFamilyGiven:
        return entry.givenName.isEmpty() ? QString(entry.familyName + u',')
                                         : QString(entry.familyName + u", " + entry.givenName);
    case AuthorKind::PersonFreeForm:
        break;
    }
    return entry.name;
}

void appendNames(QString& out, QStringView tag, QStringView field)
{
    for (const AuthorEntry& entry : namesOf(field))
        appendTag(out, tag, risName(entry));
}

// ----- Reading -----

struct RisRecord {
    qsizetype line = 0;
    QList<Tagged> fields;
    bool closed = false;

    QString first(QStringView tag) const
    {
        for (const Tagged& t : fields) {
            if (t.tag == tag)
                return t.value;
        }
        return {};
    }
    QStringList all(QStringView tag) const
    {
        QStringList values;
        for (const Tagged& t : fields) {
            if (t.tag == tag)
                values.append(t.value);
        }
        return values;
    }
};

// A name of RIS: "Family, Given[, Suffix]", an organisation as "Name," (nothing after the
// comma), or a name without a comma as written.
AuthorEntry nameOf(QStringView text)
{
    text = trimBlanks(text);
    AuthorEntry entry;
    const qsizetype comma = text.indexOf(u',');
    if (comma < 0) {
        entry.name = text.toString();
        return entry;
    }
    const QStringView family = trimBlanks(text.first(comma));
    const QStringView given = trimBlanks(text.sliced(comma + 1));
    if (given.isEmpty()) {
        entry.kind = AuthorKind::Organisation;
        entry.name = family.toString();
        return entry;
    }
    entry.kind = AuthorKind::PersonFamilyGiven;
    entry.name = text.toString();
    entry.familyName = family.toString();
    entry.givenName = given.toString();
    return entry;
}

QString namesField(const QStringList& values)
{
    std::vector<AuthorEntry> names;
    for (const QString& v : values) {
        if (!trimBlanks(v).isEmpty())
            names.push_back(nameOf(v));
    }
    return namesText(names);
}

// The date of "DA" or "PY": "2010/05/31", "2010/05", "2010///", "2010"; nothing when it is none
// of them.
std::optional<QString> risDate(QStringView text)
{
    const QList<QStringView> parts = trimBlanks(text).split(u'/');
    const auto number = [](QStringView part, int digits) -> std::optional<int> {
        if (part.size() != digits)
            return std::nullopt;
        for (const QChar c : part) {
            if (!c.isDigit() || c.unicode() > 0x7F)
                return std::nullopt;
        }
        return part.toInt();
    };
    const std::optional<int> year = number(parts[0], 4);
    if (!year || *year == 0)
        return std::nullopt;
    ExchangeDate date{*year, 0, 0};
    if (parts.size() > 1 && !parts[1].isEmpty()) {
        const std::optional<int> month = number(parts[1], 2);
        if (!month || *month < 1 || *month > 12)
            return std::nullopt;
        date.month = *month;
        if (parts.size() > 2 && !parts[2].isEmpty()) {
            const std::optional<int> day = number(parts[2], 2);
            if (!day || *day < 1 || *day > 31)
                return std::nullopt;
            date.day = *day;
        }
    }
    return exchangeDateText(date);
}

BookRecord bookOf(const RisRecord& r)
{
    BookRecord book;
    QStringList authors = r.all(u"AU");
    authors += r.all(u"A1");
    book[Field::Author] = namesField(authors);
    QStringList translators = r.all(u"A4");
    translators += r.all(u"TA");
    book[Field::Translator] = namesField(translators);
    book[Field::Title] = r.first(u"TI").isEmpty() ? r.first(u"T1") : r.first(u"TI");
    splitJoinedTitle(book);
    book[Field::Series] = r.first(u"T3");
    if (book[Field::Series].isEmpty() && r.first(u"TY") == u"BOOK")
        book[Field::Series] = r.first(u"T2");
    book[Field::Position] = r.first(u"VL");
    book[Field::Edition] = r.first(u"ET");
    book[Field::Publisher] = r.first(u"PB");
    book[Field::Printed] = r.first(u"CY");
    const QString published = r.first(u"PY").isEmpty() ? r.first(u"Y1") : r.first(u"PY");
    if (const std::optional<QString> date = risDate(r.first(u"DA")))
        book[Field::YearPrinted] = *date;
    else
        book[Field::YearPrinted] = risDate(published).value_or(published);
    book[Field::ISBN] = r.first(u"SN");
    book[Field::NumPages] = r.first(u"SP");
    book[Field::Language] = r.first(u"LA");
    book[Field::Category] = r.all(u"KW").join(u", ");
    book[Field::Comments] = r.all(u"N1").join(u"\r\n");
    book[Field::OriginalTitle] = r.first(u"OP");
    return book;
}

} // namespace

namespace {

class RisWriter final : public BookWriter {
public:
    void appendBook(QByteArray& bytes, qsizetype, const BookRecord& book) const override
    {
        QString out;
        out.reserve(512);
        out += u"TY  - BOOK\r\n";
        appendTag(out, u"ID", book[Field::ID]);
        appendNames(out, u"AU", book[Field::Author]);
        appendNames(out, u"A4", book[Field::Translator]);
        appendTag(out, u"TI", joinedTitle(book));
        appendTag(out, u"T3", book[Field::Series]);
        appendTag(out, u"VL", book[Field::Position]);
        appendTag(out, u"ET", book[Field::Edition]);
        appendTag(out, u"PB", book[Field::Publisher]);
        appendTag(out, u"CY", book[Field::Printed]);
        if (const std::optional<ExchangeDate> date = exchangeDateOf(book[Field::YearPrinted])) {
            appendTag(out, u"PY", exchangeDateText({date->year, 0, 0}));
            if (date->month > 0) {
                QString da = exchangeDateText(*date);
                da.replace(u'-', u'/');
                appendTag(out, u"DA", da);
            }
        } else {
            appendTag(out, u"PY", book[Field::YearPrinted]);
        }
        appendTag(out, u"SN", book[Field::ISBN]);
        appendTag(out, u"SP", book[Field::NumPages]);
        appendTag(out, u"LA", book[Field::Language]);
        appendTag(out, u"KW", book[Field::Category]);
        appendTag(out, u"OP", book[Field::OriginalTitle]);
        appendTag(out, u"N1", book[Field::Comments]);
        out += u"ER  - \r\n\r\n";
        bytes += out.toUtf8();
    }
};

} // namespace

std::unique_ptr<BookWriter> risWriter()
{
    return std::make_unique<RisWriter>();
}

QByteArray exportRis(std::span<const BookRecord> books)
{
    return RisWriter().write(books);
}

ImportRecords importRis(QByteArrayView bytes)
{
    const QString text = decodeText(bytes);
    std::vector<RisRecord> found;
    std::optional<RisRecord> open;
    qsizetype number = 0;
    forEachLine(text, [&](QStringView line) {
        ++number;
        const std::optional<Tagged> tagged = taggedLine(line);
        if (tagged && tagged->tag == u"TY") {
            if (open)
                found.push_back(std::move(*open));
            open = RisRecord{number, {*tagged}, false};
        } else if (!open) {
            // Text before the first record, or between records, is no part of any.
        } else if (tagged && tagged->tag == u"ER") {
            open->closed = true;
            found.push_back(std::move(*open));
            open.reset();
        } else if (tagged) {
            open->fields.append(*tagged);
        } else if (!trimBlanks(line).isEmpty() && open->fields.size() > 1) {
            // A line without a tag goes on with the value before it.
            QString& value = open->fields.back().value;
            value += u"\r\n" + trimBlanks(line).toString();
        }
    });
    if (open)
        found.push_back(std::move(*open));
    if (found.empty())
        throw ImportError(QStringLiteral("The file holds no RIS record (a line \"TY  - \")."));

    ImportRecords records;
    for (const RisRecord& r : found) {
        ImportRecord record;
        record.location = QStringLiteral("line %1").arg(r.line);
        const QString type = r.first(u"TY");
        if (!isBookType(type))
            record.rejection = QStringLiteral("The record of type \"%1\" is not a book.").arg(type);
        else if (!r.closed)
            record.rejection =
                QStringLiteral("The record is not closed by an \"ER\" line before the end of "
                               "the file.");
        else
            record.book = bookOf(r);
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace quillery
