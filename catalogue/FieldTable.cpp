#include "catalogue/FieldTable.h"

#include <QtGlobal>

namespace quillery {

namespace {

using enum Field;
using enum EditorKind;

constexpr const char16_t* Cat = SectionCataloguing;
constexpr const char16_t* Add = SectionAdditional;
constexpr const char16_t* Lang = SectionLanguage;

// clang-format off
constexpr std::array<FieldDef, FieldCount - 1> kRows = {{
    {Author,           u"Author",            Cat,  u'A', "eAuthor",           QT_TRANSLATE_NOOP("FieldTable", "&Author:"),         QT_TRANSLATE_NOOP("FieldTable", "Author"),                                         Text,       false},
    {YearWritten,      u"Year written",      Cat,  u'Y', "eYearWritten",      QT_TRANSLATE_NOOP("FieldTable", "&Year written:"),   QT_TRANSLATE_NOOP("FieldTable", "Year written"),                                   Text,       false},
    {Title,            u"Title",             Cat,  u'T', "eTitle",            QT_TRANSLATE_NOOP("FieldTable", "&Title:"),          QT_TRANSLATE_NOOP("FieldTable", "Title"),                                          Text,       false},
    {Subtitle,         u"Subtitle",          Cat,  u'Q', "eSubTitle",         QT_TRANSLATE_NOOP("FieldTable", "&Subtitle:"),       QT_TRANSLATE_NOOP("FieldTable", "Subtitle"),                                       Text,       false},
    {Edition,          u"Edition",           Cat,  u'E', "eEdition",          QT_TRANSLATE_NOOP("FieldTable", "&Edition:"),        QT_TRANSLATE_NOOP("FieldTable", "Edition"),                                        Text,       false},
    {Series,           u"Series",            Cat,  u'e', "eSeries",           QT_TRANSLATE_NOOP("FieldTable", "Series:"),          QT_TRANSLATE_NOOP("FieldTable", "Series"),                                         Text,       false},
    {Position,         u"Position",          Cat,  u'i', "eSeriesPos",        QT_TRANSLATE_NOOP("FieldTable", "Pos.:"),            QT_TRANSLATE_NOOP("FieldTable", "Position (of the book in a series of books)"),    DigitsOnly, false},
    {Publisher,        u"Publisher",         Cat,  u'P', "ePublisher",        QT_TRANSLATE_NOOP("FieldTable", "&Publisher:"),      QT_TRANSLATE_NOOP("FieldTable", "Publisher"),                                      Text,       false},
    {Printed,          u"Printed",           Cat,  u'p', "ePrintedWhere",     QT_TRANSLATE_NOOP("FieldTable", "P&rinted (top.):"), QT_TRANSLATE_NOOP("FieldTable", "Printed (toponym)"),                              Text,       false},
    {YearPrinted,      u"Year printed",      Cat,  u'y', "eYearPrinted",      QT_TRANSLATE_NOOP("FieldTable", "Year pri&nted:"),   QT_TRANSLATE_NOOP("FieldTable", "Year printed"),                                   Text,       false},
    {ISBN,             u"ISBN",              Cat,  u'N', "eISBN",             QT_TRANSLATE_NOOP("FieldTable", "&ISBN:"),           QT_TRANSLATE_NOOP("FieldTable", "ISBN"),                                           Text,       false},
    {NumPages,         u"Num pages",         Add,  u'n', "eNumPages",         QT_TRANSLATE_NOOP("FieldTable", "N&um. Pages:"),     QT_TRANSLATE_NOOP("FieldTable", "Num pages"),                                      DigitsOnly, false},
    {Category,         u"Category",          Add,  u'C', "eCategory",         QT_TRANSLATE_NOOP("FieldTable", "Cate&gory:"),       QT_TRANSLATE_NOOP("FieldTable", "Category"),                                       Text,       false},
    {Comments,         u"Comments",          Add,  u'c', "mComments",         QT_TRANSLATE_NOOP("FieldTable", "&Comments:"),       QT_TRANSLATE_NOOP("FieldTable", "Comments"),                                       Memo,       false},
    {BookType,         u"Book type",         Add,  u't', "eBookType",         QT_TRANSLATE_NOOP("FieldTable", "B&ook Type:"),      QT_TRANSLATE_NOOP("FieldTable", "Book type"),                                      Text,       false},
    {Binding,          u"Binding",           Add,  u'B', "eBinding",          QT_TRANSLATE_NOOP("FieldTable", "&Binding:"),        QT_TRANSLATE_NOOP("FieldTable", "Binding"),                                        Text,       false},
    {Level,            u"Level",             Add,  u'l', "eLevel",            QT_TRANSLATE_NOOP("FieldTable", "&Level:"),          QT_TRANSLATE_NOOP("FieldTable", "Level"),                                          Text,       false},
    {Rating,           u"Rating",            Add,  u'R', "eRating",           QT_TRANSLATE_NOOP("FieldTable", "Rating:"),          QT_TRANSLATE_NOOP("FieldTable", "Rating"),                                         Text,       false},
    {Price,            u"Price",             Lang, u'$', "ePrice",            QT_TRANSLATE_NOOP("FieldTable", "Pri&ce:"),          QT_TRANSLATE_NOOP("FieldTable", "Price"),                                          Text,       false},
    {Translation,      u"Translation",       Lang, u'?', "cbIsTranslation",   QT_TRANSLATE_NOOP("FieldTable", "This &work is a translation"),
                                                                                                   QT_TRANSLATE_NOOP("FieldTable", "The string \"Translation\" if the work is a translation, the empty string otherwise."),
                                                                                                                                                      CheckBox,   false},
    {Language,         u"Language",          Lang, u'U', "eLanguage",         QT_TRANSLATE_NOOP("FieldTable", "&Language:"),       QT_TRANSLATE_NOOP("FieldTable", "Language"),                                       Text,       false},
    {OriginalLanguage, u"Original language", Lang, u'O', "eOriginalLanguage", QT_TRANSLATE_NOOP("FieldTable", "&Original Lang.:"), QT_TRANSLATE_NOOP("FieldTable", "Original language"),                              Text,       true},
    {Translator,       u"Translator",        Lang, u'r', "eTranslator",       QT_TRANSLATE_NOOP("FieldTable", "Tran&slator:"),     QT_TRANSLATE_NOOP("FieldTable", "Translator"),                                     Text,       true},
    {OriginalTitle,    u"Original title",    Lang, u'o', "eOriginalTitle",    QT_TRANSLATE_NOOP("FieldTable", "Ori&ginal Title:"), QT_TRANSLATE_NOOP("FieldTable", "Original title"),                                 Text,       true},
}};
// clang-format on

constexpr int indexOf(Field f)
{
    return static_cast<int>(f) - 1;
}

constexpr std::array<const FieldDef*, FieldCount - 1> makeFileOrder()
{
    std::array<const FieldDef*, FieldCount - 1> order{};
    int n = 0;
    for (const Field f :
         {Author,     YearWritten,   Title,       Subtitle, Edition,     Series,   Position,
          Publisher,  Printed,       YearPrinted, ISBN,     NumPages,    Category, Comments,
          BookType,   Binding,       Level,       Rating,   Translation, Language, OriginalLanguage,
          Translator, OriginalTitle, Price})
        order[n++] = &kRows[indexOf(f)];
    return order;
}

constexpr std::array<const FieldDef*, FieldCount - 1> kFileOrder = makeFileOrder();

// Format codes are ASCII; a table indexed by the code makes the interpreter's look-up one load.
constexpr std::array<signed char, 128> makeCodeIndex()
{
    std::array<signed char, 128> index{};
    for (auto& i : index)
        i = -1;
    for (int i = 0; i < int(kRows.size()); ++i)
        index[kRows[i].code] = static_cast<signed char>(i);
    return index;
}

constexpr std::array<signed char, 128> kCodeIndex = makeCodeIndex();

static_assert(
    [] {
        for (int i = 0; i < int(kRows.size()); ++i) {
            if (indexOf(kRows[i].field) != i)
                return false;
        }
        return true;
    }(),
    "field table rows must follow the record order");

} // namespace

namespace FieldTable {

std::span<const FieldDef> rows()
{
    return kRows;
}

std::span<const FieldDef* const> fileOrder()
{
    return kFileOrder;
}

const FieldDef* row(Field field)
{
    return field == Field::ID ? nullptr : &kRows[indexOf(field)];
}

const FieldDef* rowByName(QStringView name)
{
    for (const FieldDef& def : kRows) {
        if (name.compare(QStringView(def.key), Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}

const FieldDef* rowByCode(char16_t code)
{
    if (code >= kCodeIndex.size())
        return nullptr;
    const int i = kCodeIndex[code];
    return i < 0 ? nullptr : &kRows[i];
}

QString name(Field field)
{
    return field == Field::ID ? QStringLiteral("ID") : QString::fromUtf16(row(field)->key);
}

} // namespace FieldTable

} // namespace quillery
