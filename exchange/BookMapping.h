#pragma once

#include "catalogue/BookRecord.h"
#include "markup/Authors.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// How the fields of a book map to and from the fields of other programs' files, where every
// format needs the same rule.
namespace quillery {

// ----- Names -----

// The authors (or translators) of a field, empty items left out.
std::vector<AuthorEntry> namesOf(QStringView text);

// The field text of a list of names, in the author-list syntax: "Family, Given" for a person with
// the two parts ("Family" alone, with its comma, when the given name is empty), the name for a
// free-form person, the name and " *" for an organisation, joined by "; ". Characters the syntax
// would misread (";" anywhere, "*" in a person's name, "," in a free-form name) are replaced by
// blanks; names left empty are dropped.
QString namesText(const std::vector<AuthorEntry>& names);

// A free-form person's name split as bibliographies split it: the family name is the last word,
// the given names the words before it ("Mary Ann Smith" gives "Smith" and "Mary Ann").
struct SplitName {
    QString family;
    QString given;
};
SplitName splitFreeFormName(QStringView name);

// ----- Dates -----

// A date the program reads the same on every machine: a year, a year and month, a full date
// (the structural forms of the date markup) or a month name and a year. Month and day are 0 when
// the text does not give them.
struct ExchangeDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend bool operator==(const ExchangeDate&, const ExchangeDate&) = default;
};
// The date a field's text gives (trimmed first), or nothing.
std::optional<ExchangeDate> exchangeDateOf(QStringView text);
// The field text of a date: "yyyy", "yyyy-mm" or "yyyy-mm-dd", the year in at least four digits.
QString exchangeDateText(const ExchangeDate& date);

// ----- Titles -----

// Formats without a subtitle of their own give the two as one title, "Title: Subtitle", as
// catalogues write them. The joined form, and the split of a title read back: at its first ": "
// when the book has no subtitle yet.
QString joinedTitle(const BookRecord& book);
void splitJoinedTitle(BookRecord& book);

// ----- Matching -----

// The ISBN as duplicates compare it: the digits (and a final X) with an ISBN-10 turned into its
// ISBN-13, so both forms of one book are equal. Empty when the text holds no digit.
QByteArray duplicateIsbnKey(QStringView isbn);
// The author and title as duplicates compare them: folded as the filter folds text. Empty when
// the title is empty.
QByteArray duplicateTitleKey(const BookRecord& book);

// ----- Cleaning -----

// A record as the import writes it: every value trimmed, control characters dropped, line breaks
// kept (as CR LF) in Comments only and turned into blanks elsewhere, and the book marked as a
// translation when it names a translator, an original title or an original language (the editor
// shows those fields only for translations). ID is left as it is.
void cleanImportedRecord(BookRecord& book);

} // namespace quillery
