#include "markup/Authors.h"

#include "markup/HtmlText.h"

namespace quillery {

namespace {

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() <= 0x20)
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= 0x20)
        text.chop(1);
    return text;
}

AuthorEntry classify(QStringView item)
{
    AuthorEntry entry;
    if (item.contains(u'*')) {
        entry.kind = AuthorKind::Organisation;
        QString name = item.toString();
        name.remove(u'*');
        entry.name = trimmedBlanks(name).toString();
        return entry;
    }
    entry.name = item.toString();
    const qsizetype comma = item.indexOf(u',');
    if (comma >= 0) {
        entry.kind = AuthorKind::PersonFamilyGiven;
        entry.familyName = trimmedBlanks(item.first(comma)).toString();
        entry.givenName = trimmedBlanks(item.sliced(comma + 1)).toString();
    }
    return entry;
}

} // namespace

std::vector<AuthorEntry> ParseAuthorList(QStringView text)
{
    std::vector<AuthorEntry> entries;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u';', start);
        if (end < 0)
            end = text.size();
        entries.push_back(classify(trimmedBlanks(text.sliced(start, end - start))));
        start = end + 1;
    }
    return entries;
}

QString AuthorListMarkup(const QString& property, QStringView text, bool escape)
{
    const auto e = [escape](const QString& s) {
        return EscapeHtml(s, escape);
    };
    QString out;
    bool first = true;
    for (const AuthorEntry& entry : ParseAuthorList(text)) {
        if (!first)
            out += u"; ";
        first = false;
        out += u"<span itemprop=\"" + property + u"\" itemscope=\"\" itemtype=\"http://schema.org/";
        switch (entry.kind) {
        case AuthorKind::Organisation:
            out += u"Organization\"><span itemprop=\"name\">" + e(entry.name) + u"</span>";
            break;
        case AuthorKind::PersonFreeForm:
            out += u"Person\"><span itemprop=\"name\">" + e(entry.name) + u"</span>";
            break;
        case AuthorKind::PersonFamilyGiven:
            out += u"Person\"><span itemprop=\"familyName\">" + e(entry.familyName) +
                   u"</span>, <span itemprop=\"givenName\">" + e(entry.givenName) + u"</span>";
            break;
        }
        out += u"</span>";
    }
    return out;
}

} // namespace quillery
