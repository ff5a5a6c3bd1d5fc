#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// The extension of book files, with its period.
inline constexpr const char16_t* BookExtension = u".book";

// The book names of a catalogue folder: every entry whose name ends in ".book" ignoring case
// (files, folders and links alike, hidden ones included), without that last extension, sorted
// ignoring case in the user's locale order. A folder that cannot be listed lists nothing.
QStringList listBookNames(const QString& directory);

// Sorts book names as the book list does: ignoring case in the locale's order, with names that
// differ only in case kept in a fixed order.
void sortBookNames(QStringList& names);

// The folder with a path separator at its end, as the catalogue state always holds it.
QString withTrailingSeparator(const QString& directory);

// The file of a list entry: the folder, the name and ".book".
QString bookFilePath(const QString& directory, const QString& name);

// The status bar's count text: "%d book(s) in this catalogue."
QString bookCountText(qsizetype count);

// Upgrades every version 1.0 book of the list, in list order; returns how many were upgraded.
int upgradeCatalogue(const QString& directory, const QStringList& names);

// "%d books upgraded."
QString booksUpgradedText(int count);

} // namespace quillery
