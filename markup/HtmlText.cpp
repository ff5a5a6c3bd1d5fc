#include "markup/HtmlText.h"

#include <algorithm>

namespace quillery {

namespace {

// Replacing "&" first and then "<" and ">" is the same as one pass that maps each of the three,
// since no replacement text contains "<" or ">".
template <bool Quotes> QString escaped(QStringView text)
{
    qsizetype extra = 0;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            extra += 4;
            break;
        case u'<':
        case u'>':
            extra += 3;
            break;
        case u'"':
            if (Quotes)
                extra += 5;
            break;
        default:
            break;
        }
    }
    if (extra == 0)
        return text.toString();
    QString out;
    out.reserve(text.size() + extra);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            if (Quotes)
                out += u"&quot;";
            else
                out += c;
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

bool isUnreserved(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'.' || c == u'_' || c == u'~';
}

} // namespace

QString EscapeHtml(const QString& text, bool escape)
{
    if (!escape)
        return text;
    return escaped<false>(text);
}

QString escapeAttribute(QStringView text)
{
    return escaped<true>(text);
}

void appendUrlEncoded(QString& out, QStringView text)
{
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    // Grow geometrically, so many small appends to one growing text stay linear.
    const qsizetype needed = out.size() + text.size() + text.size() / 2;
    if (out.capacity() < needed)
        out.reserve(std::max(needed, 2 * out.capacity()));
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (isUnreserved(c)) {
            out += ch;
        } else if (c == u' ') {
            out += u'+';
        } else if (c <= 0xFF) {
            const QChar triple[3] = {QChar(u'%'), QChar(Hex[c >> 4]), QChar(Hex[c & 0xF])};
            out.append(triple, 3);
        } else {
            out += u"%26%23";
            char16_t digits[5];
            int count = 0;
            for (unsigned v = c; v != 0; v /= 10)
                digits[count++] = char16_t(u'0' + v % 10);
            while (count > 0)
                out += QChar(digits[--count]);
            out += u"%3b";
        }
    }
}

QString UrlEncode(QStringView text)
{
    QString out;
    appendUrlEncoded(out, text);
    return out;
}

} // namespace quillery
