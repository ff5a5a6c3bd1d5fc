#include "format/ValueRules.h"

namespace quillery {

QString fullTitle(const QString& title, const QString& subtitle, const QString& separator)
{
    if (subtitle.isEmpty())
        return title;
    if (separator.size() == 1) {
        const char16_t open = separator.front().unicode();
        char16_t close = 0;
        switch (open) {
        case u'(':
            close = u')';
            break;
        case u'[':
            close = u']';
            break;
        case u'{':
            close = u'}';
            break;
        case u'<':
            close = u'>';
            break;
        default:
            break;
        }
        if (close != 0)
            return title + u' ' + QChar(open) + subtitle + QChar(close);
    }
    return title + separator + subtitle;
}

QString unformattedIsbn(const QString& isbn)
{
    QString result = isbn;
    result.remove(u'-');
    return result;
}

QString dashString(QChar dashChar, bool dashSpaced)
{
    if (!dashSpaced)
        return QString(dashChar);
    return u' ' + QString(dashChar) + u' ';
}

} // namespace quillery
