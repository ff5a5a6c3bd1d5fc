#include "catalogue/FieldTable.h"

namespace quillery {

namespace {

using enum Field;
using enum EditorKind;

constexpr const char16_t* Cat = SectionCataloguing;
constexpr const char16_t* Add = SectionAdditional;
constexpr const char16_t* Lang = SectionLanguage;

// clang-format off
constexpr std::array<FieldDef, FieldCount - 1> kRows = {{
    {Author,           u"Author",            Cat,  u'A', "eAuthor",           u"&Author:",         u"Author",                                         Text,       false},
    {YearWritten,      u"Year written",      Cat,  u'Y', "eYearWritten",      u"&Year written:",   u"Year written",                                   Text,       false},
    {Title,            u"Title",             Cat,  u'T', "eTitle",            u"&Title:",          u"Title",                                          Text,       false},
    {Subtitle,         u"Subtitle",          Cat,  u'Q', "eSubTitle",         u"&Subtitle:",       u"Subtitle",                                       Text,       false},
    {Edition,          u"Edition",           Cat,  u'E', "eEdition",          u"&Edition:",        u"Edition",                                        Text,       false},
    {Series,           u"Series",            Cat,  u'e', "eSeries",           u"Series:",          u"Series",                                         Text,       false},
    {Position,         u"Position",          Cat,  u'i', "eSeriesPos",        u"Pos.:",            u"Position (of the book in a series of books)",    DigitsOnly, false},
    {Publisher,        u"Publisher",         Cat,  u'P', "ePublisher",        u"&Publisher:",      u"Publisher",                                      Text,       false},
    {Printed,          u"Printed",           Cat,  u'p', "ePrintedWhere",     u"P&rinted (top.):", u"Printed (toponym)",                              Text,       false},
    {YearPrinted,      u"Year printed",      Cat,  u'y', "eYearPrinted",      u"Year pri&nted:",   u"Year printed",                                   Text,       false},
    {ISBN,             u"ISBN",              Cat,  u'N', "eISBN",             u"&ISBN:",           u"ISBN",                                           Text,       false},
    {NumPages,         u"Num pages",         Add,  u'n', "eNumPages",         u"N&um. Pages:",     u"Num pages",                                      DigitsOnly, false},
    {Category,         u"Category",          Add,  u'C', "eCategory",         u"Cate&gory:",       u"Category",                                       Text,       false},
    {Comments,         u"Comments",          Add,  u'c', "mComments",         u"&Comments:",       u"Comments",                                       Memo,       false},
    {BookType,         u"Book type",         Add,  u't', "eBookType",         u"B&ook Type:",      u"Book type",                                      Text,       false},
    {Binding,          u"Binding",           Add,  u'B', "eBinding",          u"&Binding:",        u"Binding",                                        Text,       false},
    {Level,            u"Level",             Add,  u'l', "eLevel",            u"&Level:",          u"Level",                                          Text,       false},
    {Rating,           u"Rating",            Add,  u'R', "eRating",           u"Rating:",          u"Rating",                                         Text,       false},
    {Price,            u"Price",             Lang, u'$', "ePrice",            u"Pri&ce:",          u"Price",                                          Text,       false},
    {Translation,      u"Translation",       Lang, u'?', "cbIsTranslation",   u"This &work is a translation",
                                                                                                   u"The string \"Translation\" if the work is a translation, the empty string otherwise.",
                                                                                                                                                      CheckBox,   false},
    {Language,         u"Language",          Lang, u'U', "eLanguage",         u"&Language:",       u"Language",                                       Text,       false},
    {OriginalLanguage, u"Original language", Lang, u'O', "eOriginalLanguage", u"&Original Lang.:", u"Original language",                              Text,       true},
    {Translator,       u"Translator",        Lang, u'r', "eTranslator",       u"Tran&slator:",     u"Translator",                                     Text,       true},
    {OriginalTitle,    u"Original title",    Lang, u'o', "eOriginalTitle",    u"Ori&ginal Title:", u"Original title",                                 Text,       true},
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
