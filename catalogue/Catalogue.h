#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quillery {

// The extension of book files, with its period.
inline constexpr const char16_t* BookExtension = u".book";

// The book names of a catalogue folder: every entry whose name ends in ".book" ignoring case
// (files, folders and links alike, hidden ones included), without that last extension, sorted
// ignoring case in the user's locale order. A folder that cannot be listed lists nothing.
// Entries whose names are not valid UTF-8 cannot be opened by their decoded names: they are left
// out, and counted in `skippedNames` when it is given.
QStringList listBookNames(const QString& directory, int* skippedNames = nullptr);

// How many entries listBookNames leaves out for their names, without listing the rest.
int countUndecodableBookNames(const QString& directory);

// The warning about them: "%d book file(s) left out: their names are not valid UTF-8."
QString undecodableNamesText(int count);

// Sorts book names as the book list does: ignoring case in the locale's order, with names that
// differ only in case kept in a fixed order.
void sortBookNames(QStringList& names);

// The places of names in the order sortBookNames puts them in: the k-th name of the sorted list
// is names[order[k]].
std::vector<quint32> bookNameOrder(const std::vector<QStringView>& names);

// Hands the names listBookNames lists to `name` in the folder's own order, as the folder is read;
// returns how many it leaves out for their names.
int forEachListedBookName(const QString& directory, const std::function<void(QString&&)>& name);

// The folder with a path separator at its end, as the catalogue state always holds it.
QString withTrailingSeparator(const QString& directory);

// The file of a list entry: the folder, the name and ".book".
QString bookFilePath(const QString& directory, const QString& name);

// The status bar's count text: "%d book(s) in this catalogue."
QString bookCountText(qsizetype count);

// False for U+0000 and the nine characters " * / : < > ? \ |, true for every other character.
bool IsValidFileNameChar(QChar c);
// False for the empty text; otherwise true when every character passes IsValidFileNameChar.
bool IsValidFileName(const QString& name);

// The name the user typed as a book file name. A name ending in ".book" (in any case) is kept as
// it is. Otherwise the text after the last period that follows the last '\' or ':' is taken as
// an extension, and replaced by ".book", only when it holds no white space and at most four
// characters (code points): "Emma.txt" gives "Emma.book". Any other name gets ".book" appended,
// so a period inside a title stays: "Vol. 2 of Something" gives "Vol. 2 of Something.book",
// "J. R. R. Tolkien - The Hobbit" keeps its initials. Four is the longest extension in common
// use (".html", ".docx", ".jpeg" and ".book" itself), while the text after a period in a title
// is longer or holds a blank.
QString withBookExtension(const QString& entered);

// Whether a proposal (a file name ending in ".book") may become a book of the catalogue.
enum class NameCheck {
    Accepted,
    Exists,  // a file of that name exists
    Invalid, // nothing before ".book", a character a file name cannot hold, or a name longer
             // than the folder's file system holds (its NAME_MAX, in bytes of the encoded name)
};
NameCheck checkProposal(const QString& directory, const QString& proposal);

// New Book's first proposal: "Book", or "Book" with the smallest number from 1 on whose file does
// not exist.
QString firstNewBookProposal(const QString& directory);

// True when two paths name the same file as the file system compares names: ignoring case on
// Windows, exactly elsewhere, so that "Emma.book" and "emma.book" are two books on Linux.
bool sameFilePath(const QString& a, const QString& b);

// The version 1.0 test over a catalogue, remembering each file's answer by its size and time of
// last change, so that reopening a large catalogue reads only the books that changed.
class VersionTestCache {
public:
    bool isVersion10File(const QString& path);
    // True as soon as the file of one entry, in list order, is a version 1.0 file.
    bool catalogueHasVersion10Files(const QString& directory, const QStringList& names);
    void clear() { m_entries.clear(); }

private:
    struct Entry {
        qint64 size;
        qint64 modified;
        bool version10;
    };
    QHash<QString, Entry> m_entries;
};

// Upgrades every version 1.0 book of the list, in list order; returns how many were upgraded.
int upgradeCatalogue(const QString& directory, const QStringList& names);

// "%d books upgraded."
QString booksUpgradedText(int count);

} // namespace quillery
