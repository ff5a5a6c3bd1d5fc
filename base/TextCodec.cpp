#include "base/TextCodec.h"

#include <QStringDecoder>

#include <array>
#include <cstring>

namespace quillery {

namespace {

// The length of the well-formed UTF-8 sequence that starts at `p` (1 to 4), or 0 when none does:
// the byte cannot start one, the sequence is truncated, overlong, encodes a surrogate or lies
// above U+10FFFF.
int wellFormedLength(const unsigned char* p, const unsigned char* end)
{
    const unsigned char c = *p;
    if (c < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0; // overlong
        else if (c == 0xED)
            high = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90; // overlong
        else if (c == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    if (p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// Passes over a run of ASCII, eight bytes at a time: most of a catalogue is ASCII.
const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return p;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while ((p = skipAscii(p, end)) < end) {
        const int length = wellFormedLength(p, end);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}

QString decodeUtf8OrLegacy(QByteArrayView bytes)
{
    if (isValidUtf8(bytes)) {
        if (!bytes.startsWith("\xEF\xBB\xBF"))
            return QString::fromUtf8(bytes);
        // QString::fromUtf8 would drop a leading byte-order mark; here it is text like any other.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                           QStringConverter::Flag::Stateless);
        return decoder.decode(bytes);
    }
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    QString text;
    text.reserve(bytes.size());
    const auto* p = begin;
    while (p < end) {
        const auto* ascii = skipAscii(p, end);
        if (ascii > p) {
            text += QLatin1StringView(reinterpret_cast<const char*>(p), ascii - p);
            p = ascii;
            continue;
        }
        const int length = wellFormedLength(p, end);
        if (length == 0) {
            // A run of bytes outside any well-formed sequence goes to the legacy decoder whole,
            // so that a double-byte system code page still sees its byte pairs together.
            const auto* stray = p + 1;
            while (stray < end && *stray >= 0x80 && wellFormedLength(stray, end) == 0)
                ++stray;
            text += decodeLegacy(QByteArrayView(p, stray - p));
            p = stray;
            continue;
        }
        char32_t code = *p & (0x7F >> length);
        for (int i = 1; i < length; ++i)
            code = (code << 6) | (p[i] & 0x3F);
        if (code >= 0x10000) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(char16_t(code));
        }
        p += length;
    }
    return text;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? high[c - 0x80] : char16_t(c);
    }
    return text;
}

QString decodeLegacy(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
#else
    return decodeWindows1252(bytes);
#endif
}

ByteOrderMark detectBom(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return ByteOrderMark::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return ByteOrderMark::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return ByteOrderMark::Utf16BE;
    return ByteOrderMark::None;
}

QString decodeText(QByteArrayView bytes)
{
    switch (detectBom(bytes)) {
    case ByteOrderMark::Utf8: {
        // A doubled mark (an editor that adds one to a file that has one) is no text either;
        // the version test passes over the same marks.
        QByteArrayView rest = bytes;
        while (rest.startsWith("\xEF\xBB\xBF"))
            rest = rest.sliced(3);
        return decodeUtf8OrLegacy(rest);
    }
    case ByteOrderMark::Utf16LE: {
        QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Default);
        return decoder.decode(bytes.sliced(2));
    }
    case ByteOrderMark::Utf16BE: {
        QStringDecoder decoder(QStringConverter::Utf16BE, QStringConverter::Flag::Default);
        return decoder.decode(bytes.sliced(2));
    }
    case ByteOrderMark::None:
        break;
    }
    return decodeUtf8OrLegacy(bytes);
}

void decodeTextInto(QByteArrayView bytes, QString& text)
{
    // The common case, UTF-8 with or without its marks, decoded straight into the buffer.
    QByteArrayView rest = bytes;
    while (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    if (detectBom(bytes) == ByteOrderMark::Utf16LE || detectBom(bytes) == ByteOrderMark::Utf16BE ||
        !isValidUtf8(rest)) {
        text = decodeText(bytes);
        return;
    }
    // Every mark was passed over, so none leads; a valid text decodes to at most as many
    // UTF-16 units as it has bytes.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    text.resize(rest.size());
    QChar* const begin = text.data();
    text.resize(decoder.appendToBuffer(begin, rest) - begin);
}

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line); });
    return lines;
}

int base36DigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 10;
    return -1;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmedChar(text[begin]))
        ++begin;
    while (end > begin && isTrimmedChar(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace quillery
