#include "markup/Microdata.h"
#include "catalogue/TextCodec.h"
namespace quillery {
QString MarkupField(char16_t, const QString& value, const BookRecord&, const FormatContext&)
{
    return trimBlanks(value).toString();
}
}
namespace quillery {
void ApplyMicrodataToBeforeItem(bool on, QString& before, QString& after)
{
    if (on) {
        if (before.isEmpty() && after.isEmpty()) { before = QStringLiteral("<div>"); after = QStringLiteral("</div>"); }
        const QString t = before.trimmed();
        if (t.size() >= 3 && t.startsWith(u'<') && t.endsWith(u'>')) {
            const QString name = t.mid(1, t.size() - 2);
            for (QChar c : name) if (!c.isLetter()) return;
            before = u'<' + name + QStringLiteral(" itemscope=\"\" itemtype=\"http://schema.org/Book\">");
        }
    } else {
        const qsizetype a = before.indexOf(QStringLiteral(" itemscope=\"\""));
        if (a >= 0) before.remove(a, 13);
        const QString t = QStringLiteral(" itemtype=\"http://schema.org/Book\"");
        const qsizetype b = before.indexOf(t);
        if (b >= 0) before.remove(b, t.size());
    }
}
}
