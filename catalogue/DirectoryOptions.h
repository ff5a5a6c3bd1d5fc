#pragma once

#include "catalogue/ReportOptions.h"

#include <QString>

#include <vector>

namespace quillery {

class IniFile;

// The per-catalogue options file inside the catalogue folder.
inline constexpr const char16_t* DirectoryOptionsFileName = u"directory.qy-opts";

// The content of the options file: the reference format and the report options.
struct DirectoryOptions {
    QString format;
    ReportOptions report;

    friend bool operator==(const DirectoryOptions&, const DirectoryOptions&) = default;
};

QString directoryOptionsPath(const QString& directory);

// Reads an options file as the options dialog does: every value, the booleans included, defaults
// to what the dialog holds already. The microdata rule is the dialog's to apply. The sort keys,
// the group field, the group texts, the JSON-LD and complete-page booleans and the page title are
// the exception: written only when not at their defaults, they read as the defaults when missing
// (and when a value cannot be read).
DirectoryOptions readDirectoryOptionsForDialog(const IniFile& file,
                                               const DirectoryOptions& current);

// Writes both sections and all eight keys into the folder's options file, keeping whatever else
// the file holds. "Sort", "Group", "BeforeGroup", "AfterGroup", "JsonLd", "CompletePage" and
// "PageTitle" of [Report] are written only when not at their defaults, or when the file holds
// them already (they take the default then), so options at their defaults give the bytes they
// always did. Throws FileError; a failed write
// leaves the old file whole.
void writeDirectoryOptions(const QString& directory, const DirectoryOptions& options);

// Two books the catalogue check does not call duplicates of each other, such as two editions
// that share an ISBN.
struct BookPair {
    QString first;
    QString second;

    friend bool operator==(const BookPair&, const BookPair&) = default;
};

// The pairs of the [Check] section of the folder's options file: every entry whose key begins
// with "NotDuplicates" (in any case; the first entry of a key counts, as everywhere in the file)
// holds book names separated by "|", a character book names cannot hold
// ("NotDuplicates1=Tolkien - The Hobbit|Tolkien - The Hobbit (1995)"). Names are trimmed; an
// entry of three or more names gives every two of them. Entries with fewer than two names are
// passed over. No file gives no pairs; throws FileError when the file cannot be read.
std::vector<BookPair> readNotDuplicatePairs(const QString& directory);

// Deletes the folder's options file; false with the system's reason when it is absent or cannot
// be deleted.
bool removeDirectoryOptions(const QString& directory, QString* reason);

} // namespace quillery
