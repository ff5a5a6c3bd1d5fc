#include "format/JsonLd.h"

#include "TestSupport.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <ostream>

// JSON values in failure messages as their text.
QT_BEGIN_NAMESPACE
static void PrintTo(const QJsonValue& value, std::ostream* os)
{
    *os << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}
QT_END_NAMESPACE

using namespace quillery;

namespace {

using quillery::test::s;

// A JSON value from its text, so the expected values read as they are written.
QJsonValue json(const char* text)
{
    return QJsonDocument::fromJson(QByteArray("[") + text + "]").array().first();
}

QJsonObject bookWith(Field field, const char* value)
{
    FormatContext context;
    context.synonymsEBook = {s("e-book")};
    context.synonymsHardcover = {s("Hardback")};
    context.synonymsPaperback = {s("Pocket")};
    BookRecord record;
    record[field] = s(value);
    return jsonLdBook(record, context);
}

} // namespace

TEST(JsonLd, EachFieldGivesItsProperty)
{
    const struct {
        Field field;
        const char* value;
        const char* property;
        const char* expected; // JSON; nullptr for no property
    } cases[] = {
        {Field::Title, " Dune ", "name", R"("Dune")"},
        {Field::Title, " \t ", "name", nullptr},
        {Field::Subtitle, "A Novel", "alternativeHeadline", R"("A Novel")"},
        {Field::Author, "Herbert, Frank", "author",
         R"({"@type":"Person","name":"Frank Herbert","givenName":"Frank",
                       "familyName":"Herbert"})"},
        {Field::Author, "Mary Smith;; IBM *; Tolkien,", "author",
         R"([{"@type":"Person","name":"Mary Smith"},
                       {"@type":"Organization","name":"IBM"},
                       {"@type":"Person","name":"Tolkien","familyName":"Tolkien"}])"},
        {Field::YearWritten, "1954", "dateCreated", R"("1954")"},
        {Field::YearWritten, "+1954", "dateCreated", R"("1954")"},
        {Field::YearWritten, "juli 1954", "dateCreated", R"("1954-07")"},
        {Field::YearWritten, "2010-W05", "dateCreated", R"("2010-W05")"},
        {Field::YearWritten, "about 1950", "dateCreated", nullptr},
        {Field::YearPrinted, "2004-09-30", "datePublished", R"("2004-09-30")"},
        {Field::YearPrinted, "2004-02-30", "datePublished", nullptr},
        {Field::Edition, "2nd", "bookEdition", R"("2nd")"},
        {Field::Series, "Dune", "isPartOf", R"({"@type":"BookSeries","name":"Dune"})"},
        {Field::Position, "2", "position", "2"},
        {Field::Position, "2a", "position", R"("2a")"},
        {Field::Publisher, "Ace", "publisher", R"({"@type":"Organization","name":"Ace"})"},
        {Field::Printed, "New York", "locationCreated", R"({"@type":"Place","name":"New York"})"},
        {Field::ISBN, "0-306-40615-2", "isbn", R"("9780306406157")"},
        {Field::ISBN, "979-10-90636-07-1", "isbn", R"("9791090636071")"},
        {Field::ISBN, "0-306-40615-3", "isbn", R"("0-306-40615-3")"},
        {Field::ISBN, "ISBN 0306406152 (pbk.); 0-306-40615-3 (hbk.)", "isbn",
         R"j(["9780306406157", "0-306-40615-3 (hbk.)"])j"},
        {Field::NumPages, "412", "numberOfPages", "412"},
        {Field::NumPages, "xii, 412", "numberOfPages", nullptr},
        {Field::NumPages, "0", "numberOfPages", nullptr},
        {Field::Category, "Science fiction", "genre", R"("Science fiction")"},
        {Field::Binding, "Paperback", "bookFormat", R"("https://schema.org/Paperback")"},
        {Field::Binding, "hardback", "bookFormat", R"("https://schema.org/Hardcover")"},
        {Field::Binding, "E-Book", "bookFormat", R"("https://schema.org/EBook")"},
        {Field::Binding, "pocket ", "bookFormat", R"("https://schema.org/Paperback")"},
        {Field::Binding, "paperback", "bookFormat", nullptr},
        {Field::Binding, "Gebunden", "bookFormat", nullptr},
        {Field::Language, "English", "inLanguage", R"("en")"},
        {Field::Language, "Svenska (sv-SE)", "inLanguage", R"("sv-SE")"},
        {Field::Language, "Klingonish", "inLanguage", nullptr},
        {Field::Language, "Nothing ()", "inLanguage", nullptr},
        {Field::ID, "Herbert - Dune", "@id", R"("#Herbert%20-%20Dune")"},
        {Field::ID, "a/b?c#d%é:(1)", "@id", R"j("#a/b?c%23d%25%C3%A9:(1)")j"},
    };
    for (const auto& c : cases) {
        QJsonObject expected{{QStringLiteral("@type"), QStringLiteral("Book")}};
        if (c.expected)
            expected.insert(QLatin1StringView(c.property), json(c.expected));
        EXPECT_EQ(QJsonValue(bookWith(c.field, c.value)), QJsonValue(expected)) << c.value;
    }
}

// The translator and the original work belong to a translation; the fields a book keeps while
// it is not marked as one say nothing.
TEST(JsonLd, TranslationNodes)
{
    const char* const rubin =
        R"({"@type":"Person","name":"Jay Rubin","givenName":"Jay","familyName":"Rubin"})";
    const struct {
        bool translation;
        const char* title;
        const char* language;
        const char* original;
    } cases[] = {
        {true, "ノルウェイの森", "Japanese (ja)",
         R"({"@type":"Book","name":"ノルウェイの森","inLanguage":"ja"})"},
        {true, "", "Russian", R"({"@type":"Book","inLanguage":"ru"})"},
        {true, "", "Elvish", nullptr},
        {false, "ノルウェイの森", "Japanese (ja)", nullptr},
    };
    for (const auto& c : cases) {
        BookRecord record;
        record.setTranslation(c.translation);
        record[Field::Translator] = s("Rubin, Jay");
        record[Field::OriginalTitle] = s(c.title);
        record[Field::OriginalLanguage] = s(c.language);
        const QJsonObject book = jsonLdBook(record, FormatContext());
        EXPECT_EQ(book[QLatin1StringView("translator")],
                  c.translation ? json(rubin) : QJsonValue(QJsonValue::Undefined));
        EXPECT_EQ(book[QLatin1StringView("translationOfWork")],
                  c.original ? json(c.original) : QJsonValue(QJsonValue::Undefined))
            << c.language;
    }
}

// Whatever a field holds, the JSON reads back as the same text, and nothing in it can end the
// script element or start a comment in it.
TEST(JsonLd, EscapingKeepsTheTextAndTheScriptClosed)
{
    const QString title = s("\"Quoted\" </script><script>alert(1)</script> <!-- \\ \x01\x1f\t\n"
                            "\u2028 𝄞 é");
    BookRecord record;
    record[Field::Subtitle] = title;
    const QJsonObject node = withSchemaContext(jsonLdBook(record, FormatContext()));
    for (const bool indented : {true, false}) {
        const QByteArray text = jsonLdText(node, indented);
        EXPECT_FALSE(text.contains('<'));
        EXPECT_TRUE(text.contains(R"(\"Quoted\" \u003c/script>\u003cscript>)")) << text.data();
        EXPECT_TRUE(text.contains(R"(\u003c!-- \\ \u0001\u001f\t\n)")) << text.data();
        EXPECT_TRUE(text.contains("\xF0\x9D\x84\x9E")); // non-BMP as UTF-8, one character
        QJsonParseError error;
        EXPECT_EQ(QJsonDocument::fromJson(text, &error).object(), node)
            << error.errorString().toStdString();
        EXPECT_EQ(text.endsWith('\n'), indented);
    }

    const QStringList lines = jsonLdScriptLines(node);
    EXPECT_EQ(lines.first(), s("<script type=\"application/ld+json\">"));
    EXPECT_EQ(lines.last(), s("</script>"));
    EXPECT_EQ(lines.sliced(1, lines.size() - 2).join(u'\n') + u'\n',
              QString::fromUtf8(jsonLdText(node)));
}
