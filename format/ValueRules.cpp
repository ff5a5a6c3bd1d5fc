#include "format/ValueRules.h"
namespace quillery {
QString fullTitle(const QString& t, const QString& s, const QString& sep)
{
    if (s.isEmpty()) return t;
    if (sep == u"(") return t + u" (" + s + u")";
    if (sep == u"[") return t + u" [" + s + u"]";
    if (sep == u"{") return t + u" {" + s + u"}";
    if (sep == u"<") return t + u" <" + s + u">";
    return t + sep + s;
}
QString unformattedIsbn(const QString& isbn) { QString r = isbn; r.remove(u'-'); return r; }
QString dashString(QChar d, bool spaced) { return spaced ? QString(u' ') + d + u' ' : QString(d); }
}
