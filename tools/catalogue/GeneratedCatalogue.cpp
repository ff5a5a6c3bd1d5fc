#include "GeneratedCatalogue.h"

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"

#include <QDir>

#include <array>

namespace quillery::tools {

namespace {

// A small deterministic generator, so catalogues are reproducible without a seed file.
quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

template <size_t N> QString pick(const std::array<const char*, N>& list, quint32 value)
{
    return QString::fromUtf8(list[value % N]);
}

constexpr std::array<const char*, 16> kFamilies = {
    "Austen",         "Lindqvist", "Müller",   "Dostoevsky", "Murakami", "García Márquez",
    "Ó Súilleabháin", "Nakamura",  "Kowalski", "Øverland",   "Ibsen",    "Lagerlöf",
    "Šimková",        "Dupont",    "Ngũgĩ",    "Smith"};
constexpr std::array<const char*, 12> kGivens = {"Jane",   "Åsa",     "Jürgen", "Fyodor",
                                                 "Haruki", "Gabriel", "Seán",   "Yuki",
                                                 "Anna",   "Kari",    "Henrik", "Selma"};
constexpr std::array<const char*, 6> kOrganisations = {"(World Health Organization)",
                                                       "(Kungliga biblioteket)",
                                                       "(UNESCO)",
                                                       "(Deutsche Bahn)",
                                                       "(Royal Society)",
                                                       "(Nordic Council)"};
constexpr std::array<const char*, 20> kTitleWords = {
    "Storm",  "Harbour", "Straße",  "Crime", "Wood",  "Night",   "Ödemark",
    "Garden", "Winter",  "Река",    "海辺",  "Light", "Journey", "Island",
    "Memory", "Kärlek",  "Silence", "River", "Glass", "Stone"};
constexpr std::array<const char*, 10> kLanguages = {
    "English", "Swedish (sv)",     "German",       "Russian (ru)",    "Japanese (ja)",
    "French",  "Norwegian Bokmål", "Spanish (es)", "English (en-GB)", ""};
constexpr std::array<const char*, 8> kBindings = {"Paperback", "inbunden", "e-book", "Hardcover",
                                                  "pocket",    "Spiral",   "PDF",    ""};
constexpr std::array<const char*, 8> kPublishers = {"North Press",    "Norstedts", "C. H. Beck",
                                                    "Vintage & Sons", "Gallimard", "HarperCollins",
                                                    "Shinchōsha",     "Bonniers"};
constexpr std::array<const char*, 8> kPlaces = {"Uppsala", "Stockholm", "München", "London",
                                                "Paris",   "New York",  "東京",    "Oslo"};
constexpr std::array<const char*, 6> kCategories = {"Fiction",   "History", "Poetry",
                                                    "Reference", "Science", "Children"};

QString personName(quint32 r)
{
    return pick(kFamilies, r) + u", " + pick(kGivens, r >> 5);
}

QString yearText(quint32 r)
{
    const int year = 1800 + int(r % 226);
    switch ((r >> 8) % 6) {
    case 0:
        return QString::number(year);
    case 1:
        return QStringLiteral("%1-%2").arg(year).arg(1 + (r >> 11) % 12, 2, 10, QLatin1Char('0'));
    case 2:
        return QStringLiteral("%1-%2-%3")
            .arg(year)
            .arg(1 + (r >> 11) % 12, 2, 10, QLatin1Char('0'))
            .arg(1 + (r >> 15) % 28, 2, 10, QLatin1Char('0'));
    case 3:
        return QStringLiteral("%1-W%2").arg(year).arg(1 + (r >> 11) % 52, 2, 10, QLatin1Char('0'));
    case 4:
        return QStringLiteral("c. %1").arg(year);
    default:
        return QString::number(year);
    }
}

} // namespace

QString generatedBookName(int index)
{
    const quint32 r = mix(quint32(index) * 2654435761U + 1U);
    return pick(kFamilies, r) + u" - " + pick(kTitleWords, r >> 7) + u' ' + QString::number(index);
}

BookRecord generatedBook(int index)
{
    quint32 r = mix(quint32(index) * 2654435761U + 1U);
    const auto next = [&r] {
        return r = mix(r + 0x9E3779B9U);
    };
    BookRecord b;
    switch (next() % 5) {
    case 0:
        b[Field::Author] = pick(kOrganisations, next());
        break;
    case 1:
        b[Field::Author] = personName(next()) + u"; " + personName(next());
        break;
    default:
        b[Field::Author] = personName(next());
        break;
    }
    b[Field::YearWritten] = yearText(next());
    b[Field::Title] =
        QStringLiteral("The ") + pick(kTitleWords, next()) + u" of " + pick(kTitleWords, next());
    if (next() % 3 == 0)
        b[Field::Subtitle] =
            QStringLiteral("A Novel in ") + QString::number(2 + next() % 5) + u" Parts";
    if (next() % 4 == 0)
        b[Field::Edition] = QString::number(2 + next() % 6);
    if (next() % 5 == 0) {
        b[Field::Series] = pick(kTitleWords, next()) + u" Classics";
        b[Field::Position] = QString::number(1 + next() % 12);
    }
    b[Field::Publisher] = pick(kPublishers, next());
    b[Field::Printed] = pick(kPlaces, next());
    b[Field::YearPrinted] = yearText(next());
    b[Field::ISBN] = QStringLiteral("978-91-%1-%2-%3")
                         .arg(next() % 10000, 4, 10, QLatin1Char('0'))
                         .arg(next() % 1000, 3, 10, QLatin1Char('0'))
                         .arg(next() % 10);
    b[Field::NumPages] = QString::number(48 + next() % 900);
    b[Field::Category] = pick(kCategories, next());
    if (next() % 3 == 0)
        b[Field::Comments] = QStringLiteral("Signed copy; a few notes in pencil.");
    b[Field::Binding] = pick(kBindings, next());
    b[Field::Language] = pick(kLanguages, next());
    if (next() % 4 == 0)
        b[Field::Price] = QString::number(50 + next() % 400) + u" kr";
    if (next() % 4 == 0) {
        b.setTranslation(true);
        b[Field::OriginalLanguage] = pick(kLanguages, next());
        b[Field::Translator] = personName(next());
        b[Field::OriginalTitle] = pick(kTitleWords, next()) + u' ' + pick(kTitleWords, next());
    }
    return b;
}

void generateCatalogue(const QString& directory, int count)
{
    QDir().mkpath(directory);
    const QDateTime base(QDate(2026, 1, 1), QTime(12, 0));
    for (int i = 0; i < count; ++i)
        writeBookFile(bookFilePath(directory, generatedBookName(i)), generatedBook(i),
                      base.addSecs(i), QStringLiteral("1.2.0.0"));
}

} // namespace quillery::tools
