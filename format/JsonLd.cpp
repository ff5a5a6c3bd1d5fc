#include "format/JsonLd.h"

#include "base/IntegerText.h"
#include "catalogue/Isbn.h"
#include "markup/Authors.h"
#include "markup/Dates.h"
#include "markup/LanguageRegistry.h"
#include "markup/Microdata.h"

#include <QJsonDocument>
#include <QUrl>

namespace quillery {

namespace {

const QString SchemaContext = QStringLiteral("https://schema.org");

QString trimmedBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QJsonObject typed(const char* type)
{
    return QJsonObject{{QStringLiteral("@type"), QLatin1StringView(type)}};
}

QJsonObject named(const char* type, const QString& name)
{
    QJsonObject node = typed(type);
    node.insert(QStringLiteral("name"), name);
    return node;
}

// One value as itself, several as an array: the shape schema.org's own examples use.
QJsonValue oneOrMany(const QJsonArray& values)
{
    return values.size() == 1 ? values.first() : QJsonValue(values);
}

// The people and organisations of an author-list text; items that hold nothing are passed over.
QJsonArray agents(const QString& text)
{
    QJsonArray nodes;
    for (const AuthorEntry& entry : ParseAuthorList(text)) {
        switch (entry.kind) {
        case AuthorKind::Organisation:
            if (!entry.name.isEmpty())
                nodes.append(named("Organization", entry.name));
            break;
        case AuthorKind::PersonFreeForm:
            if (!entry.name.isEmpty())
                nodes.append(named("Person", entry.name));
            break;
        case AuthorKind::PersonFamilyGiven: {
            if (entry.familyName.isEmpty() && entry.givenName.isEmpty())
                break;
            // Consumers want a name to show: the given names first, as it is spoken.
            QString name = entry.givenName;
            if (!name.isEmpty() && !entry.familyName.isEmpty())
                name += u' ';
            name += entry.familyName;
            QJsonObject person = named("Person", name);
            if (!entry.givenName.isEmpty())
                person.insert(QStringLiteral("givenName"), entry.givenName);
            if (!entry.familyName.isEmpty())
                person.insert(QStringLiteral("familyName"), entry.familyName);
            nodes.append(person);
            break;
        }
        }
    }
    return nodes;
}

QJsonArray isbns(const QString& field)
{
    QJsonArray values;
    for (const IsbnEntry& entry : parseIsbns(field))
        values.append(entry.valid() ? entry.isbn13 : entry.text);
    return values;
}

const LanguageRegistry& registryOf(const FormatContext& context)
{
    return context.languages ? *context.languages : LanguageRegistry::instance();
}

std::optional<QString> languageTag(const QString& language, const FormatContext& context)
{
    std::optional<QString> tag = LanguageTagOf(language, registryOf(context));
    if (tag && tag->isEmpty())
        return std::nullopt;
    return tag;
}

} // namespace

QString jsonLdId(const QString& bookId)
{
    // Sub-delimiters, ":", "@", "/" and "?" stand in a fragment as they are.
    return u'#' + QString::fromLatin1(QUrl::toPercentEncoding(bookId, "!$&'()*+,;=:@/?"));
}

QJsonObject jsonLdBook(const BookRecord& record, const FormatContext& context)
{
    QJsonObject book = typed("Book");
    const auto field = [&record](Field f) {
        return trimmedBlanks(record[f]);
    };
    const auto text = [&](const char* property, Field f) {
        const QString value = field(f);
        if (!value.isEmpty())
            book.insert(QLatin1StringView(property), value);
    };
    const auto date = [&](const char* property, Field f) {
        if (const std::optional<QString> iso = IsoDate(field(f)))
            book.insert(QLatin1StringView(property), *iso);
    };
    const auto node = [&](const char* property, const char* type, Field f) {
        const QString value = field(f);
        if (!value.isEmpty())
            book.insert(QLatin1StringView(property), named(type, value));
    };
    const auto people = [&](const char* property, Field f) {
        const QJsonArray nodes = agents(field(f));
        if (!nodes.isEmpty())
            book.insert(QLatin1StringView(property), oneOrMany(nodes));
    };

    if (!record[Field::ID].isEmpty())
        book.insert(QStringLiteral("@id"), jsonLdId(record[Field::ID]));
    text("name", Field::Title);
    text("alternativeHeadline", Field::Subtitle);
    people("author", Field::Author);
    date("dateCreated", Field::YearWritten);
    date("datePublished", Field::YearPrinted);
    text("bookEdition", Field::Edition);
    node("isPartOf", "BookSeries", Field::Series);
    // A position that is no integer is still a position (schema.org takes text too).
    if (const QString position = field(Field::Position); !position.isEmpty()) {
        const std::optional<int> number = parseInteger(position);
        book.insert(QStringLiteral("position"), number ? QJsonValue(*number) : position);
    }
    node("publisher", "Organization", Field::Publisher);
    node("locationCreated", "Place", Field::Printed);
    if (const QJsonArray values = isbns(record[Field::ISBN]); !values.isEmpty())
        book.insert(QStringLiteral("isbn"), oneOrMany(values));
    if (const std::optional<int> pages = parseInteger(field(Field::NumPages)); pages && *pages > 0)
        book.insert(QStringLiteral("numberOfPages"), *pages);
    text("genre", Field::Category);
    if (const std::optional<QString> format = BookFormatOf(record[Field::Binding], context))
        book.insert(QStringLiteral("bookFormat"), QString(u"https://schema.org/" + *format));
    if (const std::optional<QString> tag = languageTag(record[Field::Language], context))
        book.insert(QStringLiteral("inLanguage"), *tag);

    // The translation fields are kept while a book is not marked as one, but mean nothing then.
    if (record.isTranslation()) {
        people("translator", Field::Translator);
        QJsonObject original;
        if (const QString title = field(Field::OriginalTitle); !title.isEmpty())
            original.insert(QStringLiteral("name"), title);
        if (const auto tag = languageTag(record[Field::OriginalLanguage], context))
            original.insert(QStringLiteral("inLanguage"), *tag);
        if (!original.isEmpty()) {
            original.insert(QStringLiteral("@type"), QStringLiteral("Book"));
            book.insert(QStringLiteral("translationOfWork"), original);
        }
    }
    return book;
}

QJsonObject jsonLdItemList(const QJsonArray& books)
{
    QJsonArray elements;
    int position = 0;
    for (const QJsonValue& book : books) {
        QJsonObject element = typed("ListItem");
        element.insert(QStringLiteral("position"), ++position);
        element.insert(QStringLiteral("item"), book);
        elements.append(element);
    }
    QJsonObject list = typed("ItemList");
    list.insert(QStringLiteral("itemListElement"), elements);
    return withSchemaContext(list);
}

QJsonObject withSchemaContext(QJsonObject node)
{
    node.insert(QStringLiteral("@context"), SchemaContext);
    return node;
}

QByteArray jsonLdText(const QJsonObject& node, bool indented)
{
    QByteArray text =
        QJsonDocument(node).toJson(indented ? QJsonDocument::Indented : QJsonDocument::Compact);
    // "<" stands only inside strings, where its escape means the same.
    text.replace('<', "\\u003c");
    return text;
}

QStringList jsonLdScriptLines(const QJsonObject& node)
{
    QStringList lines{QStringLiteral("<script type=\"application/ld+json\">")};
    const QString json = QString::fromUtf8(jsonLdText(node, true));
    for (const QStringView line : QStringView(json).split(u'\n', Qt::SkipEmptyParts))
        lines.append(line.toString());
    lines.append(QStringLiteral("</script>"));
    return lines;
}

} // namespace quillery
