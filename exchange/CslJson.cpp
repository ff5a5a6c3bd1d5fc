#include "exchange/CslJson.h"

#include "base/TextCodec.h"
#include "exchange/BookMapping.h"
#include "markup/LanguageRegistry.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace quillery {

namespace {

// The item types read as books.
bool isBookType(const QString& type)
{
    for (const char16_t* t : {u"book", u"chapter", u"classic", u"collection"}) {
        if (type == QStringView(t))
            return true;
    }
    return false;
}

// ----- Writing -----

void put(QJsonObject& item, const char* key, QStringView value)
{
    value = trimBlanks(value);
    if (!value.isEmpty())
        item.insert(QLatin1StringView(key), value.toString());
}

QJsonArray cslNames(QStringView field)
{
    QJsonArray names;
    for (const AuthorEntry& entry : namesOf(field)) {
        QJsonObject name;
        switch (entry.kind) {
        case AuthorKind::Organisation:
            name.insert(u"literal", entry.name);
            break;
        case AuthorKind::PersonFamilyGiven:
            name.insert(u"family", entry.familyName);
            if (!entry.givenName.isEmpty())
                name.insert(u"given", entry.givenName);
            break;
        case AuthorKind::PersonFreeForm: {
            const SplitName split = splitFreeFormName(entry.name);
            name.insert(u"family", split.family);
            if (!split.given.isEmpty())
                name.insert(u"given", split.given);
            break;
        }
        }
        names.append(name);
    }
    return names;
}

void putNames(QJsonObject& item, const char* key, QStringView field)
{
    const QJsonArray names = cslNames(field);
    if (!names.isEmpty())
        item.insert(QLatin1StringView(key), names);
}

// A date as "date-parts" when the program reads it the same everywhere, else as a literal.
void putDate(QJsonObject& item, const char* key, QStringView field)
{
    field = trimBlanks(field);
    if (field.isEmpty())
        return;
    QJsonObject date;
    if (const std::optional<ExchangeDate> d = exchangeDateOf(field)) {
        QJsonArray parts{d->year};
        if (d->month > 0)
            parts.append(d->month);
        if (d->day > 0)
            parts.append(d->day);
        // One date: an array holding the array of its parts (braces would copy `parts`).
        QJsonArray dates;
        dates.append(parts);
        date.insert(u"date-parts", dates);
    } else {
        date.insert(u"literal", field.toString());
    }
    item.insert(QLatin1StringView(key), date);
}

QJsonObject cslItem(const BookRecord& book)
{
    // Keys in the object's own order (sorted), so each insertion goes at the end.
    QJsonObject item;
    put(item, "ISBN", book[Field::ISBN]);
    putNames(item, "author", book[Field::Author]);
    put(item, "collection-number", book[Field::Position]);
    put(item, "collection-title", book[Field::Series]);
    put(item, "edition", book[Field::Edition]);
    put(item, "genre", book[Field::Category]);
    item.insert(QLatin1StringView("id"), book[Field::ID]);
    putDate(item, "issued", book[Field::YearPrinted]);
    const QStringView language = trimBlanks(book[Field::Language]);
    if (!language.isEmpty())
        item.insert(QLatin1StringView("language"),
                    LanguageTagOf(book[Field::Language]).value_or(language.toString()).trimmed());
    put(item, "medium", book[Field::Binding]);
    put(item, "note", book[Field::Comments]);
    put(item, "number-of-pages", book[Field::NumPages]);
    putDate(item, "original-date", book[Field::YearWritten]);
    put(item, "original-title", book[Field::OriginalTitle]);
    put(item, "publisher", book[Field::Publisher]);
    put(item, "publisher-place", book[Field::Printed]);
    put(item, "title", joinedTitle(book));
    putNames(item, "translator", book[Field::Translator]);
    item.insert(QLatin1StringView("type"), QLatin1StringView("book"));
    return item;
}

// ----- Reading -----

// A value as text: strings as they are, numbers in decimal (CSL-JSON allows both for numbers
// such as editions and pages).
QString textOf(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble()) {
        const double d = value.toDouble();
        return d == double(qint64(d)) ? QString::number(qint64(d)) : QString::number(d);
    }
    return {};
}

QString namesField(const QJsonValue& value)
{
    std::vector<AuthorEntry> names;
    for (const QJsonValue& v : value.toArray()) {
        const QJsonObject o = v.toObject();
        AuthorEntry entry;
        const QString literal = textOf(o.value(u"literal")).trimmed();
        QString family = textOf(o.value(u"family")).trimmed();
        QString given = textOf(o.value(u"given")).trimmed();
        const QString particle = textOf(o.value(u"non-dropping-particle")).trimmed();
        const QString dropping = textOf(o.value(u"dropping-particle")).trimmed();
        const QString suffix = textOf(o.value(u"suffix")).trimmed();
        if (!particle.isEmpty())
            family = particle + u' ' + family;
        if (!dropping.isEmpty())
            given = given.isEmpty() ? dropping : given + u' ' + dropping;
        if (!suffix.isEmpty())
            given = given.isEmpty() ? suffix : given + u", " + suffix;
        if (!literal.isEmpty()) {
            entry.kind = AuthorKind::Organisation;
            entry.name = literal;
        } else if (!family.isEmpty() && !given.isEmpty()) {
            entry.kind = AuthorKind::PersonFamilyGiven;
            entry.familyName = family;
            entry.givenName = given;
            entry.name = family + u", " + given;
        } else {
            entry.name = family.isEmpty() ? given : family;
        }
        if (!entry.name.isEmpty())
            names.push_back(entry);
    }
    return namesText(names);
}

QString dateField(const QJsonValue& value)
{
    const QJsonObject date = value.toObject();
    const QJsonArray parts = date.value(u"date-parts").toArray().at(0).toArray();
    if (!parts.isEmpty()) {
        ExchangeDate d;
        d.year = textOf(parts.at(0)).toInt();
        d.month = parts.size() > 1 ? textOf(parts.at(1)).toInt() : 0;
        d.day = d.month > 0 && parts.size() > 2 ? textOf(parts.at(2)).toInt() : 0;
        if (d.year > 0 && d.month >= 0 && d.month <= 12 && d.day >= 0 && d.day <= 31)
            return exchangeDateText(d);
    }
    if (value.isString())
        return value.toString();
    const QString literal = textOf(date.value(u"literal"));
    return literal.isEmpty() ? textOf(date.value(u"raw")) : literal;
}

// The language text for a BCP 47 tag: the registry's name when that name gives the tag back
// ("en" gives "English"), the name of its language with the tag in parentheses ("en-GB" gives
// "English (en-GB)"), or the tag itself.
QString languageOfTag(const QString& tag)
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> first;
        const LanguageRegistry& registry = LanguageRegistry::instance();
        for (const auto* list : {&registry.tagList(), &registry.subtagList()}) {
            for (const LanguageName& name : *list) {
                const QString key = name.tag.toLower();
                if (!first.contains(key))
                    first.insert(key, name.description);
            }
        }
        return first;
    }();
    const QString whole = names.value(tag.toLower());
    if (!whole.isEmpty() && LanguageTagOf(whole) == tag)
        return whole;
    const QString primary = names.value(tag.section(u'-', 0, 0).toLower());
    if (!primary.isEmpty() && !primary.contains(u'(') && !primary.contains(u')'))
        return primary + u" (" + tag + u')';
    return tag;
}

BookRecord bookOf(const QJsonObject& item)
{
    BookRecord book;
    const auto text = [&](const char16_t* key) {
        return textOf(item.value(QStringView(key)));
    };
    book[Field::Title] = text(u"title");
    splitJoinedTitle(book);
    book[Field::Author] = namesField(item.value(u"author"));
    book[Field::YearPrinted] = dateField(item.value(u"issued"));
    book[Field::YearWritten] = dateField(item.value(u"original-date"));
    book[Field::Edition] = text(u"edition");
    book[Field::Series] = text(u"collection-title");
    book[Field::Position] = text(u"collection-number");
    book[Field::Publisher] = text(u"publisher");
    book[Field::Printed] = text(u"publisher-place");
    book[Field::ISBN] = text(u"ISBN");
    book[Field::NumPages] = text(u"number-of-pages");
    const QString language = text(u"language").trimmed();
    book[Field::Language] = language.isEmpty() ? QString() : languageOfTag(language);
    book[Field::Translator] = namesField(item.value(u"translator"));
    book[Field::OriginalTitle] = text(u"original-title");
    book[Field::Binding] = text(u"medium");
    book[Field::Category] = text(u"genre");
    book[Field::Comments] = text(u"note");
    return book;
}

} // namespace

namespace {

// The items of the array one by one, one item a line: a change of one book changes one line, as
// version control shows it.
class CslJsonWriter final : public BookWriter {
public:
    QByteArray head() const override { return "[\n"; }

    void appendBook(QByteArray& out, qsizetype, const BookRecord& book) const override
    {
        out += QJsonDocument(cslItem(book)).toJson(QJsonDocument::Compact);
    }

    QByteArray separator() const override { return ",\n"; }
    QByteArray tail(qsizetype count) const override { return count > 0 ? "\n]\n" : "]\n"; }
};

} // namespace

std::unique_ptr<BookWriter> cslJsonWriter()
{
    return std::make_unique<CslJsonWriter>();
}

QByteArray exportCslJson(std::span<const BookRecord> books)
{
    return CslJsonWriter().write(books);
}

ImportRecords importCslJson(QByteArrayView bytes)
{
    const QByteArray text = decodeText(bytes).toUtf8();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        const qsizetype line =
            text.first(std::min<qsizetype>(error.offset, text.size())).count('\n') + 1;
        throw ImportError(QStringLiteral("The JSON text does not parse: %1 (line %2).")
                              .arg(error.errorString())
                              .arg(line));
    }
    QJsonArray items;
    if (document.isArray())
        items = document.array();
    else if (document.object().value(u"items").isArray())
        items = document.object().value(u"items").toArray();
    else
        items.append(document.object());

    ImportRecords records;
    for (qsizetype i = 0; i < items.size(); ++i) {
        ImportRecord record;
        record.location = QStringLiteral("entry %1").arg(i + 1);
        const QJsonObject item = items.at(i).toObject();
        const QString type = item.value(u"type").toString();
        if (!items.at(i).isObject())
            record.rejection = QStringLiteral("The entry is no JSON object.");
        else if (item.contains(u"type") && !isBookType(type))
            record.rejection = QStringLiteral("The item of type \"%1\" is not a book.").arg(type);
        else
            record.book = bookOf(item);
        if (const QString id = item.value(u"id").toString(); !id.isEmpty())
            record.location += QStringLiteral(" (%1)").arg(id);
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace quillery
