#include "catalogue/Isbn.h"

#include "base/TextCodec.h"

#include <QFile>

#include <algorithm>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initIsbnResource()
{
    Q_INIT_RESOURCE(isbn);
}

namespace quillery {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isIsbnBlank(QChar c)
{
    // Hyphens and the dashes and blanks typed or pasted between the parts.
    return c == u'-' || c == u' ' || c == QChar(0x00A0) || c == QChar(0x2010) ||
           c == QChar(0x2011) || c == QChar(0x2012) || c == QChar(0x2013) || c == u'\t';
}

// The length of an "ISBN", "ISBN-13:", "ISBN 10:" label at the start of the text (0: none),
// blanks after it included.
qsizetype labelLength(QStringView text)
{
    if (!text.startsWith(u"ISBN", Qt::CaseInsensitive))
        return 0;
    qsizetype i = 4;
    const auto at = [&](QStringView what) {
        return text.sliced(i).startsWith(what);
    };
    if (at(u"-10") || at(u"-13"))
        i += 3;
    else if ((at(u" 10:") || at(u" 13:")))
        i += 3;
    if (at(u":"))
        ++i;
    while (i < text.size() && isTrimmedChar(text[i]))
        ++i;
    // "ISBNX" is no label.
    return i == 4 && i < text.size() && !isAsciiDigit(text[i]) ? 0 : i;
}

// The length of a qualifier in parentheses at the end of the text ("(pbk.)"), blanks before it
// included; 0 when none.
qsizetype qualifierLength(QStringView text)
{
    if (!text.endsWith(u')'))
        return 0;
    const qsizetype open = text.lastIndexOf(u'(');
    if (open < 0)
        return 0;
    qsizetype start = open;
    while (start > 0 && isTrimmedChar(text[start - 1]))
        --start;
    return text.size() - start;
}

// The ISBN-13 of the digits of an ISBN-10, and the ISBN-10 of those of an ISBN-13 with the 978
// prefix (nothing for 979).
QString digits10To13(QStringView isbn10)
{
    const QString twelve = u"978" + isbn10.first(9);
    return twelve + isbn13CheckDigit(twelve);
}

QString digits13To10(QStringView isbn13)
{
    if (!isbn13.startsWith(u"978"))
        return {};
    const QStringView nine = isbn13.sliced(3, 9);
    return nine + isbn10CheckDigit(nine);
}

IsbnEntry readIsbn(QStringView field, qsizetype from, qsizetype to)
{
    IsbnEntry entry;
    while (from < to && isTrimmedChar(field[from]))
        ++from;
    while (to > from && isTrimmedChar(field[to - 1]))
        --to;
    entry.text = field.sliced(from, to - from).toString();
    const qsizetype label = labelLength(entry.text);
    qsizetype end = to - qualifierLength(QStringView(entry.text).sliced(label));
    entry.start = from + label;
    entry.length = std::max<qsizetype>(0, end - entry.start);
    const QStringView core = field.sliced(entry.start, entry.length);

    for (const QChar c : core) {
        if (isAsciiDigit(c) || c == u'X' || c == u'x') {
            entry.digits += c.toUpper();
        } else if (!isIsbnBlank(c)) {
            entry.problem = QStringLiteral("\"%1\" is no digit of an ISBN.").arg(c);
            return entry;
        }
    }
    const QString& d = entry.digits;
    if (d.size() != 10 && d.size() != 13) {
        entry.problem =
            QStringLiteral("An ISBN has 10 or 13 digits; this one has %1.").arg(d.size());
        return entry;
    }
    const qsizetype x = d.indexOf(u'X');
    if (x >= 0 && (x != 9 || d.size() != 10)) {
        entry.problem = QStringLiteral("Only the check digit of an ISBN-10 can be X.");
        return entry;
    }
    if (d.size() == 13 && !d.startsWith(u"978") && !d.startsWith(u"979")) {
        entry.problem = QStringLiteral("An ISBN-13 begins with 978 or 979.");
        return entry;
    }
    const QChar expected = d.size() == 10 ? isbn10CheckDigit(QStringView(d).first(9))
                                          : isbn13CheckDigit(QStringView(d).first(12));
    if (d.back() != expected) {
        entry.problem = QStringLiteral("The check digit should be %1.").arg(expected);
        return entry;
    }
    entry.isbn13 = d.size() == 13 ? d : digits10To13(d);
    entry.isbn10 = d.size() == 10 ? d : digits13To10(d);
    return entry;
}

} // namespace

std::vector<IsbnEntry> parseIsbns(QStringView field)
{
    std::vector<IsbnEntry> entries;
    qsizetype start = 0;
    while (start <= field.size()) {
        qsizetype end = start;
        while (end < field.size() && field[end] != u';' && field[end] != u',')
            ++end;
        if (!trimBlanks(field.sliced(start, end - start)).isEmpty())
            entries.push_back(readIsbn(field, start, end));
        start = end + 1;
    }
    return entries;
}

QChar isbn10CheckDigit(QStringView nineDigits)
{
    int sum = 0;
    for (qsizetype i = 0; i < 9; ++i)
        sum += int(10 - i) * (nineDigits[i].unicode() - u'0');
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? QChar(u'X') : QChar(char16_t(u'0' + check));
}

QChar isbn13CheckDigit(QStringView twelveDigits)
{
    int sum = 0;
    for (qsizetype i = 0; i < 12; ++i)
        sum += (i % 2 == 0 ? 1 : 3) * (twelveDigits[i].unicode() - u'0');
    return QChar(char16_t(u'0' + (10 - sum % 10) % 10));
}

std::optional<QString> isbn10To13(QStringView isbn10)
{
    const IsbnEntry entry = readIsbn(isbn10, 0, isbn10.size());
    if (!entry.valid() || entry.digits.size() != 10)
        return std::nullopt;
    return entry.isbn13;
}

std::optional<QString> isbn13To10(QStringView isbn13)
{
    const IsbnEntry entry = readIsbn(isbn13, 0, isbn13.size());
    if (!entry.valid() || entry.digits.size() != 13 || entry.isbn10.isEmpty())
        return std::nullopt;
    return entry.isbn10;
}

IsbnRanges IsbnRanges::parse(QByteArrayView bytes)
{
    IsbnRanges ranges;
    const QString text = QString::fromUtf8(bytes);
    forEachLine(text, [&](QStringView line) {
        line = trimBlanks(line);
        if (line.startsWith(u'#')) {
            constexpr QStringView dateLabel = u"# file date ";
            if (line.startsWith(dateLabel))
                ranges.m_fileDate = line.sliced(dateLabel.size()).trimmed().toString();
            return;
        }
        const QList<QStringView> words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.size() < 2)
            return;
        std::vector<Range> list;
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QList<QStringView> ends = words[i].split(u'-');
            bool digits =
                ends.size() == 2 && ends[0].size() == ends[1].size() && !ends[0].isEmpty();
            for (qsizetype e = 0; digits && e < 2; ++e)
                digits = std::all_of(ends[e].begin(), ends[e].end(), isAsciiDigit);
            if (!digits)
                return;
            list.push_back({ends[0].toString(), ends[1].toString()});
        }
        const qsizetype dash = words[0].indexOf(u'-');
        if (dash < 0)
            ranges.m_prefixes.push_back({words[0].toString(), std::move(list)});
        else
            ranges.m_groups.push_back({words[0].first(dash).toString(),
                                       words[0].sliced(dash + 1).toString(), std::move(list)});
    });
    return ranges;
}

QByteArray IsbnRanges::resourceText()
{
    initIsbnResource();
    QFile file(QStringLiteral(":/data/ISBNRANGES"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const IsbnRanges& IsbnRanges::instance()
{
    static const IsbnRanges ranges = parse(resourceText());
    return ranges;
}

qsizetype IsbnRanges::matchLength(const std::vector<Range>& ranges, QStringView text)
{
    for (const Range& r : ranges) {
        const qsizetype n = r.first.size();
        if (n > text.size())
            continue;
        const QStringView head = text.first(n);
        // Ranges are of digits of one length, so text order is number order.
        if (head.compare(r.first) >= 0 && head.compare(r.last) <= 0)
            return n;
    }
    return 0;
}

std::optional<QString> IsbnRanges::hyphenate13(QStringView isbn13) const
{
    if (isbn13.size() != 13)
        return std::nullopt;
    const QStringView prefix = isbn13.first(3);
    const QStringView rest = isbn13.sliced(3, 9); // group, registrant and publication
    for (const Prefix& p : m_prefixes) {
        if (p.prefix != prefix)
            continue;
        const qsizetype groupLength = matchLength(p.groups, rest);
        if (groupLength == 0)
            return std::nullopt;
        const QStringView group = rest.first(groupLength);
        for (const Group& g : m_groups) {
            if (g.prefix != prefix || g.group != group)
                continue;
            const QStringView after = rest.sliced(groupLength);
            const qsizetype registrantLength = matchLength(g.registrants, after);
            if (registrantLength == 0 || registrantLength >= after.size())
                return std::nullopt;
            return prefix + u'-' + group + u'-' + after.first(registrantLength) + u'-' +
                   after.sliced(registrantLength) + u'-' + isbn13.back();
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QString> IsbnRanges::hyphenate10(QStringView isbn10) const
{
    if (isbn10.size() != 10)
        return std::nullopt;
    const QString twelve = u"978" + isbn10.first(9);
    const std::optional<QString> thirteen = hyphenate13(QString(twelve + isbn13CheckDigit(twelve)));
    if (!thirteen)
        return std::nullopt;
    // "978-0-306-40615-7" gives "0-306-40615-" and the ISBN-10's own check digit.
    return thirteen->sliced(4).chopped(1) + isbn10.back();
}

QString editIsbnField(QStringView field, IsbnEdit edit)
{
    QString out = field.toString();
    const std::vector<IsbnEntry> entries = parseIsbns(field);
    // From the last to the first, so the places of the earlier ones stay.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!it->valid())
            continue;
        const IsbnRanges& ranges = IsbnRanges::instance();
        const bool ten =
            edit == IsbnEdit::ToIsbn10 || (edit == IsbnEdit::Hyphenate && it->digits.size() == 10);
        if (ten && it->isbn10.isEmpty())
            continue;
        const QString& digits = ten ? it->isbn10 : it->isbn13;
        const QString hyphenated =
            (ten ? ranges.hyphenate10(digits) : ranges.hyphenate13(digits)).value_or(digits);
        out.replace(it->start, it->length, hyphenated);
    }
    return out;
}

} // namespace quillery
