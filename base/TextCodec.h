#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace quillery {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF, no truncated sequence).
bool isValidUtf8(QByteArrayView bytes);

// Decodes text in the legacy single-byte code page that version 1.0 files were written in: the
// system's "ANSI" code page on Windows, Windows-1252 everywhere else.
QString decodeLegacy(QByteArrayView bytes);

// Decodes UTF-8 sequence by sequence: every well-formed sequence (as isValidUtf8 defines it) is
// UTF-8, and every byte that neither starts nor belongs to one is read in the legacy code page.
// One stray byte in a UTF-8 file thus stays one character instead of turning the whole text into
// legacy code page text, and a file that is legacy text throughout reads as decodeLegacy reads it
// unless it holds byte pairs that happen to form UTF-8. Every byte is kept, a byte-order mark
// too.
QString decodeUtf8OrLegacy(QByteArrayView bytes);

// Decodes Windows-1252. The five bytes the code page leaves undefined map to the C1 controls of
// the same value, as Windows itself does.
QString decodeWindows1252(QByteArrayView bytes);

// Which byte-order mark, if any, starts the bytes.
enum class ByteOrderMark { None, Utf8, Utf16LE, Utf16BE };
ByteOrderMark detectBom(QByteArrayView bytes);

// Decodes text that may start with a UTF-8 or UTF-16 byte-order mark: the mark (a doubled UTF-8
// mark too) is skipped and the rest decoded accordingly. UTF-8, marked or not, is decoded by
// decodeUtf8OrLegacy, so no byte of a file is ever dropped on reading and valid text is never
// read in the legacy code page.
QString decodeText(QByteArrayView bytes);
// The same into `text`, whose allocation is reused when it is large enough (a reader of many files
// keeps one).
void decodeTextInto(QByteArrayView bytes, QString& text);

// Splits text into lines at CR LF, LF or lone CR. A break at the very end does not start another
// line, so "a\r\nb\r\n" and "a\r\nb" both give two lines; the empty text gives none.
QList<QStringView> splitLines(QStringView text);

// Calls `visit` with each line of splitLines(text), without building the list.
template <typename Visit> void forEachLine(QStringView text, Visit&& visit)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    const QChar* data = text.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        visit(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < n && data[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        visit(text.sliced(start));
}

// True for the characters that line and value trimming removes: U+0000 to U+0020.
inline bool isTrimmedChar(QChar c)
{
    return c.unicode() <= 0x20;
}

// The value of an ASCII digit or letter as a base-36 digit ("0" to "9" are 0 to 9, "A" to "Z"
// and "a" to "z" are 10 to 35); -1 for any other character.
int base36DigitValue(QChar c);

// Removes U+0000 to U+0020 from both ends.
QStringView trimBlanks(QStringView text);

} // namespace quillery
