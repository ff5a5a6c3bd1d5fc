#include "format/IntegerText.h"
#include "format/FormatError.h"
namespace quillery {
std::optional<int> parseInteger(QStringView t)
{
    qsizetype i = 0;
    while (i < t.size() && t[i] == u' ') ++i;
    bool neg = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) { neg = t[i] == u'-'; ++i; }
    if (i >= t.size()) return std::nullopt;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9') return std::nullopt;
        v = v * 10 + (t[i].unicode() - u'0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (neg) v = -v;
    if (v > 2147483647LL) return std::nullopt;
    return int(v);
}
int integerOrThrow(QStringView text)
{
    if (auto v = parseInteger(text)) return *v;
    throw FormatError(QStringLiteral("''%1'' is not a valid integer value").arg(text.toString()));
}
}
