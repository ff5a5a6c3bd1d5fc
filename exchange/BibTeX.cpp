#include "exchange/BibTeX.h"

#include "base/TextCodec.h"
#include "exchange/BookMapping.h"
#include "exchange/LatexText.h"
#include "markup/Dates.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace quillery {

namespace {

// ----- Characters -----

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlnum(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

// A character of an entry type, field name or abbreviation, as BibTeX scans identifiers.
bool isIdentifierChar(QChar c)
{
    return !isLatexSpace(c) && !QStringView(u"\"#%'(),={}@").contains(c);
}

// A value outside Comments: its line breaks (CR LF from decodeLatex) as blanks, so that the
// cleaning leaves no run of blanks the export would not give back.
QString singleLine(const QString& text)
{
    if (!text.contains(u'\n') && !text.contains(u"  "))
        return text;
    return collapseLatexSpace(text);
}

// ----- Export -----

// The ASCII letters a key keeps for the letters NFKD does not decompose.
QStringView asciiFor(QChar c)
{
    switch (c.unicode()) {
    case 0x00DF:
        return u"ss";
    case 0x00E6:
        return u"ae";
    case 0x00C6:
        return u"AE";
    case 0x00F8:
        return u"o";
    case 0x00D8:
        return u"O";
    case 0x0153:
        return u"oe";
    case 0x0152:
        return u"OE";
    case 0x0142:
        return u"l";
    case 0x0141:
        return u"L";
    case 0x0111:
        return u"d";
    case 0x0110:
        return u"D";
    case 0x00FE:
        return u"th";
    case 0x00DE:
        return u"TH";
    case 0x00F0:
        return u"d";
    case 0x00D0:
        return u"D";
    case 0x0131:
        return u"i";
    default:
        return {};
    }
}

// A book's name as a key: ASCII letters and digits, other runs as one "-".
QString keyBase(QStringView name)
{
    const QString decomposed = name.toString().normalized(QString::NormalizationForm_KD);
    QString out;
    bool dash = false;
    const auto append = [&](QStringView part) {
        for (const QChar c : part) {
            if (isAsciiAlnum(c)) {
                if (dash && !out.isEmpty())
                    out += u'-';
                dash = false;
                out += c;
            } else if (c.unicode() < 0x80) {
                dash = true;
            }
        }
    };
    for (const QChar c : decomposed) {
        if (c.unicode() < 0x80)
            append(QStringView(&c, 1));
        else
            append(asciiFor(c)); // other letters and the combining marks vanish
    }
    return out.isEmpty() ? QStringLiteral("book") : out;
}

// Keys unique ignoring case: a taken key gets "-2", "-3", ...
class KeyMaker {
public:
    QString make(QStringView name)
    {
        const QString base = keyBase(name);
        QString key = base;
        int& next = m_next[base.toLower()];
        if (next == 0)
            next = 2;
        while (m_used.contains(key.toLower()))
            key = base + u'-' + QString::number(next++);
        m_used.insert(key.toLower());
        return key;
    }

private:
    QSet<QString> m_used;
    QHash<QString, int> m_next;
};

// A date field's text as its ISO form, when the program reads it as a date that reads back the
// same.
std::optional<QString> canonicalDate(QStringView text)
{
    const std::optional<ExchangeDate> date = exchangeDateOf(text);
    if (!date)
        return std::nullopt;
    QString iso = exchangeDateText(*date);
    if (exchangeDateOf(iso) != date)
        return std::nullopt;
    return iso;
}

bool isAndWord(QStringView word)
{
    return word.compare(u"and", Qt::CaseInsensitive) == 0;
}

// A part of a name: encoded, with every word "and" braced so BibTeX does not split there.
QString encodeNamePart(QStringView text)
{
    const QString encoded = encodeLatex(text);
    if (!encoded.contains(u"and", Qt::CaseInsensitive))
        return encoded;
    QStringList words = encoded.split(u' ');
    for (QString& word : words) {
        if (isAndWord(word))
            word = u'{' + word + u'}';
    }
    return words.join(u' ');
}

QString encodeName(const AuthorEntry& name)
{
    // A family name alone ("Smith,") is written as the name: BibTeX rejects a trailing comma.
    const bool alone = name.kind == AuthorKind::PersonFreeForm ||
                       (name.kind == AuthorKind::PersonFamilyGiven && name.givenName.isEmpty());
    if (name.kind == AuthorKind::Organisation)
        return u'{' + encodeLatex(name.name) + u'}';
    if (alone) {
        const QString& text = name.kind == AuthorKind::PersonFreeForm ? name.name : name.familyName;
        // "others" alone means "et al." to BibTeX.
        if (text.compare(u"others", Qt::CaseInsensitive) == 0)
            return u'{' + text + u'}';
        return encodeNamePart(text);
    }
    const QString family = encodeNamePart(name.familyName);
    const QString& given = name.givenName;
    const qsizetype comma = given.indexOf(u',');
    const QStringView first =
        comma < 0 ? QStringView() : trimBlanks(QStringView(given).first(comma));
    const QStringView jr =
        comma < 0 ? QStringView() : trimBlanks(QStringView(given).sliced(comma + 1));
    if (!first.isEmpty() && !jr.isEmpty()) {
        // "Smith, John, Jr." is BibTeX's "Smith, Jr., John"; more commas must not split.
        QString suffix = encodeNamePart(jr);
        suffix.replace(u',', QStringLiteral("{,}"));
        return family + u", " + suffix + u", " + encodeNamePart(first);
    }
    QString encoded = encodeNamePart(given);
    encoded.replace(u',', QStringLiteral("{,}"));
    return family + u", " + encoded;
}

QString encodeNames(QStringView text)
{
    // Through the field text first, so the export writes the names as the import gives them.
    QStringList parts;
    for (const AuthorEntry& name : namesOf(namesText(namesOf(text))))
        parts.append(encodeName(name));
    return parts.join(QStringLiteral(" and "));
}

// ----- Import -----

// The entry types that describe a whole book or a part of one, and so become books.
constexpr const char16_t* BookTypes[] = {
    u"book",        u"mvbook",       u"inbook",        u"bookinbook",     u"suppbook",
    u"collection",  u"mvcollection", u"incollection",  u"suppcollection", u"reference",
    u"mvreference", u"proceedings",  u"mvproceedings",
};

bool isBookType(QStringView type)
{
    return std::any_of(std::begin(BookTypes), std::end(BookTypes),
                       [type](const char16_t* t) { return type == QStringView(t); });
}

constexpr const char16_t* EnglishMonths[] = {
    u"january", u"february", u"march",     u"april",   u"may",      u"june",
    u"july",    u"august",   u"september", u"october", u"november", u"december",
};

// The month a "month" field gives: 1 to 12, a month name or its abbreviation ("Sept.", "jul"),
// or a name of the program's month table; 0 when none.
int monthOf(QStringView text)
{
    text = trimBlanks(text);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (!text.isEmpty() && text.size() <= 2 &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        const int month = text.toInt();
        return month >= 1 && month <= 12 ? month : 0;
    }
    if (text.size() >= 3) {
        for (int m = 0; m < 12; ++m) {
            const QStringView name(EnglishMonths[m]);
            if (text.size() <= name.size() &&
                name.first(text.size()).compare(text, Qt::CaseInsensitive) == 0)
                return m + 1;
        }
    }
    for (int m = 0; m < 12; ++m) {
        for (const char16_t* name : MonthNameTable()[m]) {
            if (text.compare(QStringView(name), Qt::CaseInsensitive) == 0)
                return m + 1;
        }
    }
    return 0;
}

// A date field as the book keeps it: a range's start, in ISO form when it is a date.
QString importedDate(const QString& text, bool range)
{
    QString date = text;
    if (range) {
        const qsizetype slash = date.indexOf(u'/');
        if (slash >= 0)
            date = trimBlanks(QStringView(date).first(slash)).toString();
    }
    return canonicalDate(date).value_or(date);
}

// Splits a name list at the word "and" outside braces; the value is already collapsed.
std::vector<QStringView> splitNames(QStringView raw)
{
    std::vector<QStringView> names;
    int depth = 0;
    qsizetype start = 0;
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = raw[i];
        if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            --depth;
        } else if (depth == 0 && c == u' ' && i + 4 <= n && isAndWord(raw.sliced(i + 1, 3)) &&
                   (i + 4 == n || raw[i + 4] == u' ')) {
            names.push_back(raw.sliced(start, i - start));
            start = i + 4;
            i += 3;
        }
    }
    names.push_back(raw.sliced(start));
    return names;
}

// Whether the text is one brace group: "{World Health Organization}".
bool whollyBraced(QStringView text)
{
    if (text.size() < 2 || text.front() != u'{' || text.back() != u'}')
        return false;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'{')
            ++depth;
        else if (text[i] == u'}' && --depth == 0)
            return i == text.size() - 1;
    }
    return false;
}

QString decodedPart(QStringView raw)
{
    return singleLine(decodeLatex(raw));
}

// A part of a name as namesText keeps it: the characters the author-list syntax would misread
// (`bad`) blanked out, and no run of blanks left.
QString namePart(QStringView raw, QStringView bad)
{
    QString text = decodeLatex(raw);
    for (QChar& c : text) {
        if (bad.contains(c))
            c = u' ';
    }
    return collapseLatexSpace(text);
}

AuthorEntry nameOf(QStringView raw)
{
    AuthorEntry entry;
    if (whollyBraced(raw)) {
        entry.kind = AuthorKind::Organisation;
        entry.name = namePart(raw.sliced(1, raw.size() - 2), u";*");
        return entry;
    }
    std::array<qsizetype, 2> commas = {-1, -1};
    int found = 0;
    int depth = 0;
    for (qsizetype i = 0; i < raw.size() && found < 2; ++i) {
        if (raw[i] == u'{')
            ++depth;
        else if (raw[i] == u'}')
            --depth;
        else if (raw[i] == u',' && depth == 0)
            commas[found++] = i;
    }
    if (found == 0) {
        entry.name = namePart(raw, u";*,");
        return entry;
    }
    entry.familyName = namePart(raw.first(commas[0]), u";*,");
    QString given;
    if (found == 1) {
        given = namePart(raw.sliced(commas[0] + 1), u";*");
    } else {
        const QString jr = namePart(raw.sliced(commas[0] + 1, commas[1] - commas[0] - 1), u";*");
        const QString first = namePart(raw.sliced(commas[1] + 1), u";*");
        given = jr.isEmpty() ? first : first + u", " + jr;
    }
    // The export splits a given name at its first comma ("John, Jr."); read it as split there.
    if (const qsizetype comma = given.indexOf(u','); comma >= 0) {
        const QStringView before = trimBlanks(QStringView(given).first(comma));
        const QStringView after = trimBlanks(QStringView(given).sliced(comma + 1));
        if (!before.isEmpty() && !after.isEmpty())
            given = before + u", " + after;
    }
    if (given.isEmpty()) {
        // "Smith," is the family name alone, as the export writes it.
        entry.name = entry.familyName;
        entry.familyName.clear();
        return entry;
    }
    entry.kind = AuthorKind::PersonFamilyGiven;
    entry.givenName = given;
    entry.name = entry.familyName + u", " + given;
    return entry;
}

// A name list as the field text of the author-list syntax.
QString namesField(QStringView raw)
{
    std::vector<AuthorEntry> names;
    for (const QStringView part : splitNames(raw)) {
        AuthorEntry name = nameOf(trimBlanks(part));
        // "others" stands for the names left out ("et al.").
        if (name.kind == AuthorKind::PersonFreeForm &&
            name.name.compare(u"others", Qt::CaseInsensitive) == 0)
            continue;
        names.push_back(std::move(name));
    }
    // namesText blanks out characters the syntax would misread; no run of blanks may stay.
    return collapseLatexSpace(namesText(names));
}

// The fields of one entry: names lower-cased, values as read (concatenated and collapsed).
using RawFields = QHash<QString, QString>;

BookRecord bookOf(const RawFields& fields)
{
    const auto raw = [&](const char16_t* name) {
        return fields.value(QString::fromUtf16(name));
    };
    const auto has = [&](const char16_t* name) {
        return !raw(name).isEmpty();
    };
    const auto text = [&](const char16_t* name) {
        return decodedPart(raw(name));
    };
    const auto first = [&](std::initializer_list<const char16_t*> names) {
        for (const char16_t* name : names) {
            if (QString value = text(name); !value.isEmpty())
                return value;
        }
        return QString();
    };

    BookRecord book;
    book[Field::Author] = namesField(raw(u"author"));
    if (book[Field::Author].isEmpty())
        book[Field::Author] = namesField(raw(u"editor"));
    book[Field::Translator] = namesField(raw(u"translator"));
    book[Field::Title] = first({u"title", u"booktitle"});
    book[Field::Subtitle] = text(u"subtitle");
    book[Field::Edition] = text(u"edition");
    book[Field::Series] = text(u"series");
    book[Field::Position] = first({u"number", u"volume"});
    book[Field::Publisher] = text(u"publisher");
    book[Field::Printed] = first({u"location", u"address"});
    book[Field::ISBN] = text(u"isbn");
    book[Field::Category] = text(u"keywords");
    book[Field::Language] = text(u"language");
    book[Field::OriginalLanguage] = text(u"origlanguage");
    book[Field::OriginalTitle] = text(u"origtitle");

    book[Field::NumPages] = text(u"pagetotal");
    if (book[Field::NumPages].isEmpty()) {
        const QString pages = text(u"pages");
        if (!pages.isEmpty() &&
            std::all_of(pages.begin(), pages.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            book[Field::NumPages] = pages;
    }

    QStringList comments;
    for (const char16_t* name : {u"note", u"annotation", u"annote"}) {
        const QString note = decodeLatex(raw(name));
        if (!trimBlanks(note).isEmpty())
            comments.append(note);
    }
    book[Field::Comments] = comments.join(QStringLiteral("\r\n"));

    QString printed = has(u"date") ? importedDate(text(u"date"), true) : QString();
    if (printed.isEmpty()) {
        const QString year = text(u"year");
        const int month = has(u"month") ? monthOf(text(u"month")) : 0;
        const std::optional<ExchangeDate> date = exchangeDateOf(year);
        if (month > 0 && date && date->month == 0)
            printed = importedDate(exchangeDateText({date->year, month, 0}), false);
        else
            printed = importedDate(year, false);
    }
    book[Field::YearPrinted] = printed;
    book[Field::YearWritten] = importedDate(text(u"origdate"), true);
    return book;
}

// An entry that cannot be read on: the reason, as the rejected record gives it.
struct SyntaxError {
    QString reason;
    bool endOfFile = false;
};

// Broken entries make the parser read parts of the file again; this much and no more.
struct TooDamaged {};

QString quoted(QStringView text)
{
    return u'"' + text.toString() + u'"';
}

class BibParser {
public:
    explicit BibParser(QStringView text)
        : m_text(text), m_expansionLeft(8 * text.size() + 65536),
          m_workLeft(16 * text.size() + 1000000)
    {
        m_lineStarts.push_back(0);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (text[i] == u'\r' || text[i] == u'\n')
                m_lineStarts.push_back(i + 1);
        }
        static constexpr const char16_t* Months[] = {u"jan", u"feb", u"mar", u"apr",
                                                     u"may", u"jun", u"jul", u"aug",
                                                     u"sep", u"oct", u"nov", u"dec"};
        for (int m = 0; m < 12; ++m) {
            QString name = QString::fromUtf16(EnglishMonths[m]);
            name[0] = name[0].toUpper();
            m_strings.insert(QString::fromUtf16(Months[m]), name);
        }
    }

    ImportRecords run()
    {
        ImportRecords records;
        try {
            entries(records);
        } catch (const TooDamaged&) {
            records.push_back(rejected(
                m_at, m_key, QStringLiteral("the rest of the file is too damaged to read")));
        }
        if (!m_sawEntry)
            throw ImportError(QStringLiteral("The file holds no BibTeX entry."));
        return records;
    }

private:
    void entries(ImportRecords& records)
    {
        const qsizetype n = m_text.size();
        qsizetype pos = 0;
        while (pos < n) {
            const qsizetype at = m_text.indexOf(u'@', pos);
            if (at < 0)
                break;
            m_at = at;
            m_key.clear();
            pos = at + 1;
            const qsizetype typeStart = skipSpace(at + 1);
            qsizetype typeEnd = typeStart;
            while (typeEnd < n && isIdentifierChar(m_text[typeEnd]))
                ++typeEnd;
            const QString type = m_text.sliced(typeStart, typeEnd - typeStart).toString().toLower();
            const qsizetype open = skipSpace(typeEnd);
            const bool delimited = open < n && (m_text[open] == u'{' || m_text[open] == u'(');
            if (type == u"comment") {
                m_sawEntry = true;
                pos = skipComment(typeEnd);
                continue;
            }
            if (type.isEmpty() || !delimited) {
                // A stray "@" in the text between entries is a comment; one that starts a
                // line is an entry gone wrong.
                if (atLineStart(at)) {
                    records.push_back(rejected(
                        at, {},
                        type.isEmpty()
                            ? QStringLiteral("syntax error: expected an entry type after \"@\"")
                            : QStringLiteral("syntax error: expected \"{\" or \"(\" after \"@%1\"")
                                  .arg(type)));
                }
                continue;
            }
            m_sawEntry = true;
            m_pos = open + 1;
            m_close = m_text[open] == u'{' ? u'}' : u')';
            try {
                if (type == u"string")
                    abbreviations();
                else if (type == u"preamble")
                    preamble();
                else
                    records.push_back(entry(at, type));
                pos = m_pos;
            } catch (const SyntaxError& e) {
                records.push_back(rejected(at, m_key, e.reason));
                pos = resume(at, e.endOfFile);
            }
        }
    }

    qsizetype skipSpace(qsizetype pos) const
    {
        while (pos < m_text.size() && isLatexSpace(m_text[pos]))
            ++pos;
        return pos;
    }

    void skipSpace() { m_pos = skipSpace(m_pos); }

    bool atEnd() const { return m_pos >= m_text.size(); }

    [[noreturn]] static void fail(QString reason) { throw SyntaxError{std::move(reason)}; }

    [[noreturn]] static void notClosed()
    {
        throw SyntaxError{QStringLiteral("the entry is not closed before the end of the file"),
                          true};
    }

    void spend(qsizetype work)
    {
        m_workLeft -= work;
        if (m_workLeft < 0)
            throw TooDamaged{};
    }

    bool atLineStart(qsizetype pos) const
    {
        while (pos > 0 && (m_text[pos - 1] == u' ' || m_text[pos - 1] == u'\t'))
            --pos;
        return pos == 0 || m_text[pos - 1] == u'\n' || m_text[pos - 1] == u'\r';
    }

    // Where reading goes on after a broken entry: at the "@" the entry broke on, else at the
    // next "@" that starts a line, else at the next "@". That is searched after the point of
    // failure, or after the entry's own "@" when the file ended inside it: a brace left open
    // swallows the entries below it.
    qsizetype resume(qsizetype at, bool endOfFile)
    {
        const qsizetype from = endOfFile ? at + 1 : m_pos;
        if (from < m_text.size() && m_text[from] == u'@')
            return from;
        qsizetype last = from;
        for (qsizetype p = m_text.indexOf(u'@', from); p >= 0; p = m_text.indexOf(u'@', p + 1)) {
            spend(p - last);
            last = p;
            if (atLineStart(p))
                return p;
        }
        const qsizetype next = m_text.indexOf(u'@', from);
        return next < 0 ? m_text.size() : next;
    }

    // @comment skips its braced body, or else the rest of its line.
    qsizetype skipComment(qsizetype pos)
    {
        const qsizetype n = m_text.size();
        const qsizetype open = skipSpace(pos);
        if (open < n && m_text[open] == u'{') {
            qsizetype depth = 0;
            for (qsizetype i = open; i < n; ++i) {
                if (m_text[i] == u'{')
                    ++depth;
                else if (m_text[i] == u'}' && --depth == 0)
                    return i + 1;
            }
            spend(n - open);
        }
        while (pos < n && m_text[pos] != u'\n' && m_text[pos] != u'\r')
            ++pos;
        return pos;
    }

    QString line(qsizetype pos) const
    {
        const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
        return QStringLiteral("line %1").arg(it - m_lineStarts.begin());
    }

    ImportRecord rejected(qsizetype at, const QString& key, QString reason) const
    {
        ImportRecord record;
        record.location = location(at, key);
        record.rejection = std::move(reason);
        return record;
    }

    QString location(qsizetype at, const QString& key) const
    {
        return key.isEmpty() ? line(at) : line(at) + u" (" + key + u')';
    }

    QString identifier()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && isIdentifierChar(m_text[m_pos]))
            ++m_pos;
        return m_text.sliced(start, m_pos - start).toString();
    }

    // What the entry holds at the point of failure, for the message.
    QString found() const
    {
        if (atEnd())
            notClosed();
        const qsizetype len = m_text[m_pos].isHighSurrogate() && m_pos + 1 < m_text.size() ? 2 : 1;
        return quoted(m_text.sliced(m_pos, len));
    }

    // A value: pieces joined by "#", white space collapsed. `subject` names it in messages.
    QString value(const QString& subject)
    {
        QString raw;
        while (true) {
            skipSpace();
            if (atEnd())
                notClosed();
            const QChar c = m_text[m_pos];
            if (c == u'{') {
                const qsizetype start = ++m_pos;
                int depth = 1;
                for (; !atEnd(); ++m_pos) {
                    spend(1);
                    if (m_text[m_pos] == u'{')
                        ++depth;
                    else if (m_text[m_pos] == u'}' && --depth == 0)
                        break;
                }
                if (atEnd())
                    notClosed();
                raw += m_text.sliced(start, m_pos - start);
                ++m_pos;
            } else if (c == u'"') {
                const qsizetype start = ++m_pos;
                int depth = 0;
                for (; !atEnd(); ++m_pos) {
                    spend(1);
                    const QChar q = m_text[m_pos];
                    if (q == u'{') {
                        ++depth;
                    } else if (q == u'}') {
                        if (--depth < 0)
                            fail(QStringLiteral("syntax error: unbalanced \"}\" in the value of %1")
                                     .arg(subject));
                    } else if (q == u'"' && depth == 0) {
                        break;
                    }
                }
                if (atEnd())
                    notClosed();
                raw += m_text.sliced(start, m_pos - start);
                ++m_pos;
            } else if (c >= u'0' && c <= u'9') {
                const qsizetype start = m_pos;
                while (!atEnd() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9')
                    ++m_pos;
                raw += m_text.sliced(start, m_pos - start);
            } else if (isIdentifierChar(c)) {
                // An abbreviation; an unknown one is empty, as BibTeX warns and goes on.
                const QString expansion = m_strings.value(identifier().toLower());
                if (expansion.size() <= m_expansionLeft) {
                    m_expansionLeft -= expansion.size();
                    raw += expansion;
                }
            } else {
                fail(QStringLiteral("syntax error: expected a value for %1, found %2")
                         .arg(subject, found()));
            }
            skipSpace();
            if (atEnd() || m_text[m_pos] != u'#')
                break;
            ++m_pos;
        }
        return collapseLatexSpace(raw);
    }

    // After a value: "," (then true) or the closing delimiter (then false).
    bool separator(const QString& subject)
    {
        skipSpace();
        if (atEnd())
            notClosed();
        if (m_text[m_pos] == m_close) {
            ++m_pos;
            return false;
        }
        if (m_text[m_pos] != u',')
            fail(QStringLiteral("syntax error: expected \",\" or \"%1\" after the value of %2, "
                                "found %3")
                     .arg(m_close, subject, found()));
        ++m_pos;
        return true;
    }

    void abbreviations()
    {
        while (true) {
            skipSpace();
            if (atEnd())
                notClosed();
            if (m_text[m_pos] == m_close) {
                ++m_pos;
                return;
            }
            const QString name = identifier();
            if (name.isEmpty())
                fail(QStringLiteral("syntax error: expected an abbreviation name, found %1")
                         .arg(found()));
            skipSpace();
            if (atEnd())
                notClosed();
            if (m_text[m_pos] != u'=')
                fail(QStringLiteral("syntax error: expected \"=\" after the abbreviation %1")
                         .arg(quoted(name)));
            ++m_pos;
            const QString expansion = value(quoted(name));
            m_strings.insert(name.toLower(), expansion);
            if (!separator(quoted(name)))
                return;
        }
    }

    void preamble()
    {
        const QString subject = QStringLiteral("@preamble");
        value(subject);
        skipSpace();
        if (atEnd())
            notClosed();
        if (m_text[m_pos] != m_close)
            fail(QStringLiteral("syntax error: expected \"%1\" after the value of %2, found %3")
                     .arg(m_close, subject, found()));
        ++m_pos;
    }

    ImportRecord entry(qsizetype at, const QString& type)
    {
        skipSpace();
        const qsizetype keyStart = m_pos;
        while (!atEnd()) {
            const QChar c = m_text[m_pos];
            if (isLatexSpace(c) || c == u',' || c == u'{' || c == u'}' || c == u'=' || c == m_close)
                break;
            ++m_pos;
        }
        QString key = m_text.sliced(keyStart, m_pos - keyStart).toString();
        skipSpace();
        if (atEnd())
            notClosed();
        RawFields fields;
        QString pendingName;
        if (m_text[m_pos] == u'=' && !key.isEmpty()) {
            // No key: what was read is the first field's name.
            pendingName = std::move(key);
            key.clear();
        } else {
            m_key = key;
            if (key.isEmpty() && m_text[m_pos] != u',' && m_text[m_pos] != m_close)
                fail(QStringLiteral("syntax error: expected a key, found %1").arg(found()));
            if (m_text[m_pos] == u',')
                ++m_pos;
            else if (m_text[m_pos] != m_close)
                fail(QStringLiteral("syntax error: expected \",\" after the key %1, found %2")
                         .arg(quoted(key), found()));
        }
        while (true) {
            QString name = std::move(pendingName);
            pendingName.clear();
            if (name.isEmpty()) {
                skipSpace();
                if (atEnd())
                    notClosed();
                if (m_text[m_pos] == m_close) {
                    ++m_pos;
                    break;
                }
                name = identifier();
                if (name.isEmpty())
                    fail(QStringLiteral("syntax error: expected a field name, found %1")
                             .arg(found()));
                skipSpace();
                if (atEnd())
                    notClosed();
            }
            if (m_text[m_pos] != u'=')
                fail(QStringLiteral("syntax error: expected \"=\" after the field name %1")
                         .arg(quoted(name)));
            ++m_pos;
            QString raw = value(quoted(name));
            // BibTeX keeps the first of a field given twice.
            const QString lower = name.toLower();
            if (!fields.contains(lower))
                fields.insert(lower, std::move(raw));
            if (!separator(quoted(name)))
                break;
        }
        ImportRecord record;
        record.location = location(at, key);
        record.book = bookOf(fields);
        if (!isBookType(type))
            record.rejection = QStringLiteral("@%1 is not a book.").arg(type);
        return record;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    QChar m_close;
    QString m_key;
    std::vector<qsizetype> m_lineStarts;
    QHash<QString, QString> m_strings;
    qsizetype m_expansionLeft;
    qsizetype m_workLeft;
    qsizetype m_at = 0;
    bool m_sawEntry = false;
};

} // namespace

namespace {

// The entry of a book under its key.
QString entryText(const BookRecord& original, const QString& key)
{
    // Written as the import gives it back: trimmed, line breaks only in Comments.
    BookRecord book = original;
    cleanImportedRecord(book);
    QStringList fields;
    const auto add = [&fields](const char* name, const QString& value) {
        if (!value.isEmpty())
            fields.append(u"  " + QString::fromLatin1(name) + u" = {" + value + u'}');
    };
    const auto plain = [&](const char* name, Field field) {
        add(name, encodeLatex(book[field]));
    };
    add("author", encodeNames(book[Field::Author]));
    plain("title", Field::Title);
    plain("subtitle", Field::Subtitle);
    plain("edition", Field::Edition);
    plain("series", Field::Series);
    plain("number", Field::Position);
    plain("publisher", Field::Publisher);
    plain("location", Field::Printed);
    if (const std::optional<QString> date = canonicalDate(book[Field::YearPrinted]))
        add("date", *date);
    else
        plain("year", Field::YearPrinted);
    plain("isbn", Field::ISBN);
    plain("pagetotal", Field::NumPages);
    plain("language", Field::Language);
    add("translator", encodeNames(book[Field::Translator]));
    plain("origtitle", Field::OriginalTitle);
    plain("origlanguage", Field::OriginalLanguage);
    if (const std::optional<QString> date = canonicalDate(book[Field::YearWritten]))
        add("origdate", *date);
    plain("keywords", Field::Category);
    plain("note", Field::Comments);
    QString entry = u"@book{" + key + u",\n";
    if (!fields.isEmpty())
        entry += fields.join(QStringLiteral(",\n")) + u'\n';
    return entry + u"}\n";
}

// Keys are made from the names of all the books up front, so that each entry can be written on
// its own.
class BibTeXWriter final : public BookWriter {
public:
    explicit BibTeXWriter(const QStringList& names)
    {
        KeyMaker keys;
        m_keys.reserve(names.size());
        for (const QString& name : names)
            m_keys.append(keys.make(name));
    }

    void appendBook(QByteArray& out, qsizetype index, const BookRecord& book) const override
    {
        out += entryText(book, m_keys[index]).toUtf8();
    }

    QByteArray separator() const override { return "\n"; }

private:
    QStringList m_keys;
};

} // namespace

std::unique_ptr<BookWriter> bibTeXWriter(const QStringList& names)
{
    return std::make_unique<BibTeXWriter>(names);
}

QByteArray exportBibTeX(std::span<const BookRecord> books)
{
    return BibTeXWriter(bookNamesOf(books)).write(books);
}

ImportRecords importBibTeX(QByteArrayView bytes)
{
    const QString text = decodeText(bytes);
    return BibParser(text).run();
}

} // namespace quillery
