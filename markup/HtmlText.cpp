#include "markup/HtmlText.h"
namespace quillery {
QString EscapeHtml(const QString& text, bool escape)
{
    if (!escape) return text;
    QString r = text;
    r.replace(u'&', QStringLiteral("&amp;")); r.replace(u'<', QStringLiteral("&lt;")); r.replace(u'>', QStringLiteral("&gt;"));
    return r;
}
void appendUrlEncoded(QString& out, QStringView text)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'-' || u == u'_' || u == u'.' || u == u'~') out += c;
        else if (u == u' ') out += u'+';
        else if (u <= 0xFF) { out += u'%'; out += QChar(hex[u >> 4]); out += QChar(hex[u & 15]); }
        else { out += u"%26%23"; out += QString::number(u); out += u"%3b"; }
    }
}
QString UrlEncode(QStringView text) { QString r; appendUrlEncoded(r, text); return r; }
}
