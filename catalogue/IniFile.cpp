#include "catalogue/IniFile.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/TextCodec.h"

#include <QFile>

namespace quillery {

namespace {

bool startsContinuation(QStringView line)
{
    return line.size() >= 2 && line[0] == u'\\' &&
           (line[1] == u'r' || line[1] == u'n' || line[1] == u'u');
}

int hexValue(QChar c)
{
    const int v = base36DigitValue(c);
    return v < 16 ? v : -1;
}

// Decodes one continuation line; false when it is not one (then it stays a line of its own).
bool decodeContinuation(QStringView line, QString& out)
{
    if (!startsContinuation(line) || line.contains(u'='))
        return false;
    QString decoded;
    decoded.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c != u'\\') {
            decoded.append(c);
            continue;
        }
        if (++i >= line.size())
            return false;
        switch (line[i].unicode()) {
        case u'\\':
            decoded.append(u'\\');
            break;
        case u'r':
            decoded.append(u'\r');
            break;
        case u'n':
            decoded.append(u'\n');
            break;
        case u'u': {
            if (i + 4 >= line.size())
                return false;
            int code = 0;
            for (int k = 1; k <= 4; ++k) {
                const int v = hexValue(line[i + k]);
                if (v < 0)
                    return false;
                code = code * 16 + v;
            }
            decoded.append(QChar(char16_t(code)));
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    out += decoded;
    return true;
}

void appendUnicodeEscape(QString& out, QChar c)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    const char16_t u = c.unicode();
    out += u"\\u";
    out += QChar(digits[(u >> 12) & 0xF]);
    out += QChar(digits[(u >> 8) & 0xF]);
    out += QChar(digits[(u >> 4) & 0xF]);
    out += QChar(digits[u & 0xF]);
}

// True for a surrogate code unit without its partner: UTF-8 cannot carry it, so it is written
// as an escape in a continuation line.
bool isLoneSurrogateAt(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

// Escapes the text of one line of a multi-line value for a continuation line.
void appendEscapedLine(QString& out, QStringView text)
{
    qsizetype keepEnd = text.size();
    while (keepEnd > 0 && isTrimmedChar(text[keepEnd - 1]))
        --keepEnd;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\')
            out += u"\\\\";
        else if (c == u'=' || c.unicode() < 0x20 || i >= keepEnd || isLoneSurrogateAt(text, i))
            appendUnicodeEscape(out, c);
        else
            out += c;
    }
}

// Appends "key=value" and, for a value with line breaks, its continuation lines.
void appendEntry(QString& out, const QString& key, const QString& value)
{
    const QStringView v(value);
    // The plain form ends at the first line break, or at the first lone surrogate, which only
    // an escape keeps.
    qsizetype firstBreak = 0;
    while (firstBreak < v.size() && v[firstBreak] != u'\r' && v[firstBreak] != u'\n' &&
           !isLoneSurrogateAt(v, firstBreak))
        ++firstBreak;
    // "[key=value]" would read as a section header: such a first line goes whole into a
    // continuation line, leaving "[key=" alone on its line.
    qsizetype textEnd = firstBreak;
    while (textEnd > 0 && isTrimmedChar(v[textEnd - 1]))
        --textEnd;
    if (key.startsWith(u'[') && textEnd > 0 && v[textEnd - 1] == u']')
        firstBreak = 0;
    out += key;
    out += u'=';
    if (firstBreak == v.size()) {
        out += value;
        out += u"\r\n";
        return;
    }
    // First line: as it stands, but its trailing blanks move into the first continuation line,
    // where they are escaped and so survive the reader's trimming.
    qsizetype plainEnd = firstBreak;
    while (plainEnd > 0 && isTrimmedChar(v[plainEnd - 1]))
        --plainEnd;
    out += v.first(plainEnd);
    out += u"\r\n";
    for (qsizetype i = plainEnd; i < firstBreak; ++i)
        appendUnicodeEscape(out, v[i]);
    // The rest of the first line, when a lone surrogate or a closing bracket ended the plain
    // form; its first character is escaped so that the line reads as a continuation line.
    qsizetype pos = firstBreak;
    while (pos < v.size() && v[pos] != u'\r' && v[pos] != u'\n')
        ++pos;
    if (pos > firstBreak) {
        appendUnicodeEscape(out, v[firstBreak]);
        appendEscapedLine(out, v.sliced(firstBreak + 1, pos - firstBreak - 1));
    }
    if (pos == v.size())
        out += u"\r\n";
    while (pos < v.size()) {
        // pos is at a line break
        if (v[pos] == u'\r') {
            out += u"\\r";
            ++pos;
            if (pos < v.size() && v[pos] == u'\n') {
                out += u"\\n";
                ++pos;
            }
        } else {
            out += u"\\n";
            ++pos;
        }
        qsizetype end = pos;
        while (end < v.size() && v[end] != u'\r' && v[end] != u'\n')
            ++end;
        appendEscapedLine(out, v.sliced(pos, end - pos));
        out += u"\r\n";
        pos = end;
    }
}

// A line as the reader sees it: trimmed of U+0000 to U+0020, and of byte-order marks at its
// start, mixed with blanks or not. A mark there is no text: two files joined into one, or an
// editor that doubled the mark, leave one in front of a section header or a key.
QStringView trimLine(QStringView raw)
{
    qsizetype begin = 0;
    while (begin < raw.size() && (isTrimmedChar(raw[begin]) || raw[begin] == QChar::ByteOrderMark))
        ++begin;
    return trimBlanks(raw.sliced(begin));
}

bool equalsNoCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool parseIniWholeNumber(QStringView text, bool& isNonZero)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    bool nonZero = false;
    for (; i < text.size(); ++i) {
        const int v = hexValue(text[i]);
        if (v < 0 || v >= base)
            return false;
        nonZero = nonZero || v != 0;
    }
    isNonZero = nonZero;
    return true;
}

void scanIni(QStringView text, IniVisitor& visitor)
{
    bool inSection = false;
    // The entry last read, held back until the lines after it show whether it continues.
    bool held = false;
    QStringView heldKey;
    QStringView heldValue;
    QString continuation;

    const auto release = [&]() {
        if (!held)
            return;
        held = false;
        if (continuation.isEmpty()) {
            visitor.entry(heldKey, heldValue);
            return;
        }
        const QString joined = heldValue + continuation;
        continuation.clear();
        visitor.entry(heldKey, trimBlanks(joined));
    };

    forEachLine(text, [&](QStringView raw) {
        const QStringView line = trimLine(raw);
        if (held && decodeContinuation(line, continuation))
            return;
        release();
        if (line.isEmpty() || line[0] == u';')
            return;
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            inSection = true;
            visitor.section(trimBlanks(line.sliced(1, line.size() - 2)));
            return;
        }
        if (!inSection)
            return;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            visitor.keyless(line);
            return;
        }
        held = true;
        heldKey = trimBlanks(line.first(eq));
        heldValue = trimBlanks(line.sliced(eq + 1));
    });
    release();
}

IniFile IniFile::parse(QStringView text)
{
    struct Builder final : IniVisitor {
        std::vector<Section>& sections;
        explicit Builder(std::vector<Section>& s) : sections(s) {}
        void section(QStringView name) override
        {
            sections.push_back({name.toString(), {}});
            sections.back().lines.reserve(12);
        }
        void entry(QStringView key, QStringView value) override
        {
            sections.back().lines.push_back({true, key.toString(), value.toString()});
        }
        void keyless(QStringView line) override
        {
            sections.back().lines.push_back({false, line.toString(), {}});
        }
    };
    IniFile ini;
    Builder builder(ini.m_sections);
    scanIni(text, builder);
    return ini;
}

IniFile IniFile::fromBytes(QByteArrayView bytes)
{
    return parse(decodeText(bytes));
}

IniFile IniFile::load(const QString& path)
{
    const std::optional<QByteArray> bytes = readWholeFileIfExists(path);
    return bytes ? fromBytes(*bytes) : IniFile();
}

const IniFile::Section* IniFile::findSection(QStringView name) const
{
    for (const Section& s : m_sections) {
        if (equalsNoCase(s.name, name))
            return &s;
    }
    return nullptr;
}

const IniFile::Line* IniFile::findEntry(QStringView section, QStringView key) const
{
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    for (const Line& line : s->lines) {
        if (line.isEntry && equalsNoCase(line.key, key))
            return &line;
    }
    return nullptr;
}

bool IniFile::hasSection(QStringView section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::contains(QStringView section, QStringView key) const
{
    return findEntry(section, key) != nullptr;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& fallback) const
{
    const Line* entry = findEntry(section, key);
    return entry ? entry->value : fallback;
}

bool IniFile::readBool(QStringView section, QStringView key, bool fallback) const
{
    const Line* entry = findEntry(section, key);
    if (!entry)
        return fallback;
    bool nonZero = false;
    return parseIniWholeNumber(entry->value, nonZero) && nonZero;
}

IniFile::Line& IniFile::entryForWrite(QStringView section, QStringView key)
{
    Section* target = const_cast<Section*>(findSection(section));
    if (!target) {
        m_sections.push_back({section.toString(), {}});
        target = &m_sections.back();
    }
    for (Line& line : target->lines) {
        if (line.isEntry && equalsNoCase(line.key, key)) {
            line.key = key.toString();
            return line;
        }
    }
    target->lines.push_back({true, key.toString(), {}});
    return target->lines.back();
}

void IniFile::writeString(QStringView section, QStringView key, const QString& value)
{
    entryForWrite(section, key).value = value;
}

void IniFile::writeBool(QStringView section, QStringView key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Section& s : m_sections)
        names.append(s.name);
    return names;
}

QString IniFile::toText() const
{
    QString out;
    for (const Section& s : m_sections) {
        out += u'[';
        out += s.name;
        out += u"]\r\n";
        bool afterEntry = false;
        for (const Line& line : s.lines) {
            if (line.isEntry) {
                appendEntry(out, line.key, line.value);
            } else {
                // A kept line that reads as a continuation line (it was apart from the entry
                // before it, by a comment or an empty line) must not join that entry when the
                // file is read again: an empty line keeps it apart.
                QString ignored;
                if (afterEntry && decodeContinuation(line.key, ignored))
                    out += u"\r\n";
                out += line.key;
                out += u"\r\n";
            }
            afterEntry = line.isEntry;
        }
        out += u"\r\n";
    }
    return out;
}

QByteArray IniFile::toBytes() const
{
    return utf8Bom() + toText().toUtf8();
}

void IniFile::save(const QString& path) const
{
    writeWholeFile(path, toBytes());
}

} // namespace quillery
