#include "exchange/BookMapping.h"

#include "base/TextCodec.h"
#include "catalogue/BookQuery.h"
#include "markup/Dates.h"

namespace quillery {

namespace {

// Replaces the characters of `bad` by blanks and trims the result.
QString withoutCharacters(QStringView text, QStringView bad)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (bad.contains(c))
            c = u' ';
    }
    return trimBlanks(out).toString();
}

} // namespace

std::vector<AuthorEntry> namesOf(QStringView text)
{
    std::vector<AuthorEntry> names;
    for (AuthorEntry& entry : ParseAuthorList(text)) {
        if (!entry.name.isEmpty())
            names.push_back(std::move(entry));
    }
    return names;
}

QString namesText(const std::vector<AuthorEntry>& names)
{
    QStringList items;
    for (const AuthorEntry& entry : names) {
        QString item;
        switch (entry.kind) {
        case AuthorKind::Organisation: {
            const QString name = withoutCharacters(entry.name, u";*");
            if (!name.isEmpty())
                item = name + u" *";
            break;
        }
        case AuthorKind::PersonFamilyGiven: {
            const QString family = withoutCharacters(entry.familyName, u";*,");
            const QString given = withoutCharacters(entry.givenName, u";*");
            if (family.isEmpty())
                item = given.isEmpty() ? QString() : withoutCharacters(given, u",");
            else
                item = given.isEmpty() ? QString(family + u',') : QString(family + u", " + given);
            break;
        }
        case AuthorKind::PersonFreeForm:
            item = withoutCharacters(entry.name, u";*,");
            break;
        }
        if (!item.isEmpty())
            items.append(item);
    }
    return items.join(u"; ");
}

SplitName splitFreeFormName(QStringView name)
{
    name = trimBlanks(name);
    qsizetype blank = name.size();
    while (blank > 0 && !isTrimmedChar(name[blank - 1]))
        --blank;
    if (blank == 0)
        return {name.toString(), QString()};
    return {name.sliced(blank).toString(), trimBlanks(name.first(blank)).toString()};
}

std::optional<ExchangeDate> exchangeDateOf(QStringView text)
{
    text = trimBlanks(text);
    if (const auto parts = IsYear(text); parts && text == parts->canonical)
        return ExchangeDate{parts->year, 0, 0};
    if (const auto parts = IsYearMonth(text); parts && text == parts->canonical)
        return ExchangeDate{parts->year, parts->month, 0};
    if (const auto parts = IsYearMonthDay(text); parts && text == parts->canonical)
        return ExchangeDate{parts->year, parts->month, parts->day};
    if (const std::optional<QString> iso = MonthYear(text)) {
        const qsizetype dash = iso->lastIndexOf(u'-');
        return ExchangeDate{iso->first(dash).toInt(), iso->sliced(dash + 1).toInt(), 0};
    }
    return std::nullopt;
}

QString exchangeDateText(const ExchangeDate& date)
{
    QString text = QStringLiteral("%1").arg(date.year, 4, 10, QLatin1Char('0'));
    if (date.month > 0)
        text += QStringLiteral("-%1").arg(date.month, 2, 10, QLatin1Char('0'));
    if (date.month > 0 && date.day > 0)
        text += QStringLiteral("-%1").arg(date.day, 2, 10, QLatin1Char('0'));
    return text;
}

QString joinedTitle(const BookRecord& book)
{
    const QStringView title = trimBlanks(book[Field::Title]);
    const QStringView subtitle = trimBlanks(book[Field::Subtitle]);
    if (subtitle.isEmpty())
        return title.toString();
    return title + u": " + subtitle;
}

void splitJoinedTitle(BookRecord& book)
{
    const QString& title = book[Field::Title];
    const qsizetype colon = title.indexOf(u": ");
    if (colon <= 0 || !trimBlanks(book[Field::Subtitle]).isEmpty())
        return;
    book[Field::Subtitle] = trimBlanks(QStringView(title).sliced(colon + 2)).toString();
    book[Field::Title] = trimBlanks(QStringView(title).first(colon)).toString();
}

QByteArray duplicateIsbnKey(QStringView isbn)
{
    const QByteArray forms = queryIsbnForms(isbn);
    const qsizetype split = forms.indexOf('\xFF');
    if (split < 0)
        return forms;
    const QByteArray first = forms.first(split);
    return first.size() == 10 ? forms.sliced(split + 1) : first;
}

QByteArray duplicateTitleKey(const BookRecord& book)
{
    const QByteArray title = foldForQuery(trimBlanks(book[Field::Title]));
    if (title.isEmpty())
        return {};
    return foldForQuery(trimBlanks(book[Field::Author])) + '\0' + title;
}

void cleanImportedRecord(BookRecord& book)
{
    for (int f = 1; f < FieldCount; ++f) {
        const Field field = Field(f);
        const QString& value = book[field];
        QString clean;
        clean.reserve(value.size());
        for (qsizetype i = 0; i < value.size(); ++i) {
            const QChar c = value[i];
            const bool lineBreak = c == u'\r' || c == u'\n' || c == QChar(0x2028) ||
                                   c == QChar(0x2029) || c == QChar(0x85);
            if (lineBreak) {
                if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n')
                    ++i;
                clean += field == Field::Comments ? QStringLiteral("\r\n") : QStringLiteral(" ");
            } else if (c == u'\t') {
                clean += u' ';
            } else if (c.unicode() >= 0x20 && !(c.unicode() >= 0x7F && c.unicode() < 0xA0) &&
                       c != QChar(0xFEFF)) {
                clean += c;
            }
        }
        book[field] = trimBlanks(clean).toString();
    }
    const bool translated = !book[Field::Translator].isEmpty() ||
                            !book[Field::OriginalTitle].isEmpty() ||
                            !book[Field::OriginalLanguage].isEmpty();
    book.setTranslation(translated || !book[Field::Translation].isEmpty());
}

} // namespace quillery
