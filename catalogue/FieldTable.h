#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <span>

namespace quillery {

// The 25 fields of a book, in record order. ID is the file name and is never stored in the file.
enum class Field : int {
    ID,
    Author,
    YearWritten,
    Title,
    Subtitle,
    Edition,
    Series,
    Position,
    Publisher,
    Printed,
    YearPrinted,
    ISBN,
    NumPages,
    Category,
    Comments,
    BookType,
    Binding,
    Level,
    Rating,
    Price,
    Translation,
    Language,
    OriginalLanguage,
    Translator,
    OriginalTitle,
};
inline constexpr int FieldCount = 25;

// How the editor shows a field.
enum class EditorKind { Text, DigitsOnly, Memo, CheckBox };

// One stored field: where it lives in a book file, its format code, and how the editor shows it.
struct FieldDef {
    Field field;
    const char16_t* key;     // the field's name, which is also its key in the book file
    const char16_t* section; // its section in the book file
    char16_t code;           // the letter after '%' in a reference format
    const char* control;     // the editor control's object name
    // The editor label ('&' marks the accelerator) and the line of the format legend without
    // "%x = ": English UTF-8, marked for translation in the context "FieldTable"; the window
    // shows them translated, everything else (CSV headers included) reads them as they are.
    const char* caption;
    const char* legend;
    EditorKind editor;
    bool needsTranslation; // enabled only while the book is marked as a translation
};

// The sections of a book file in the order a first save writes them.
inline constexpr const char16_t* SectionFileInformation = u"File information";
inline constexpr const char16_t* SectionCataloguing = u"Cataloguing";
inline constexpr const char16_t* SectionAdditional = u"Additional";
inline constexpr const char16_t* SectionLanguage = u"Language";

// The text that marks a book as a translation in a BookRecord.
inline constexpr const char16_t* TranslationText = u"Translation";

namespace FieldTable {

// The 24 stored fields in record order (Author to Original title).
std::span<const FieldDef> rows();

// The stored fields in the order a book file is written (section by section; within "Language",
// "Translation" first and "Price" last).
std::span<const FieldDef* const> fileOrder();

// The row of a stored field; ID has none (nullptr).
const FieldDef* row(Field field);
// The row whose file key equals the name, ignoring case; nullptr when none.
const FieldDef* rowByName(QStringView name);
// The row with this format code (case-sensitive); nullptr when the code is no field's.
const FieldDef* rowByCode(char16_t code);

// The field's name as used everywhere in the program ("ID" for the record's first field).
QString name(Field field);

} // namespace FieldTable

} // namespace quillery
