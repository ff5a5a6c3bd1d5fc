#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// The lines of the bookshelf file of a catalogue folder: three header lines, then every entry
// whose name ends in ".book" (ignoring case) in the order the folder lists them, each between
// "@BOOK FILENAME <name>" and "@END BOOK", and "@@ EOF".
//
// A book's lines are its bytes split at CR LF or LF, each decoded as UTF-8 with invalid
// sequences as U+FFFD; a byte-order mark at the start stays as U+FEFF. A lone CR is no line
// break and stays inside its line, and a byte 0x1A (an old end-of-file mark) is copied like any
// other character: the shelf carries a book's bytes, it does not reinterpret them.
// A book that is a symbolic link is copied from its target when that lies in the catalogue
// folder (or below it); a link to a file outside the folder, or to nothing, is left out, so that
// a shelf never carries the content of another file, and its file name goes to `leftOut`.
// Entries whose names are not valid UTF-8 are left out and counted in `skippedNames`.
// Throws FileError when a book cannot be read, or the folder cannot be listed.
QStringList shelfLines(const QString& directory, const QString& version,
                       QStringList* leftOut = nullptr, int* skippedNames = nullptr);

// The bytes of the bookshelf file: shelfLines written as WriteUtf8Lines writes them, built without
// decoding books that are valid UTF-8 already (the bytes are then the same).
QByteArray shelfBytes(const QString& directory, const QString& version,
                      QStringList* leftOut = nullptr, int* skippedNames = nullptr);

// The warning about the links a shelf left out: "%d book file(s) left out of the shelf: they are
// links to files outside the catalogue folder or to nothing: %s." with the file names.
QString shelfLeftOutText(const QStringList& leftOut);

// The lines of one book file as the shelf copies them.
QStringList shelfLinesOfBook(const QByteArray& bytes);

// Writes every line as UTF-8 followed by CR LF, without byte-order mark. Throws FileError; a
// failed write leaves an existing file untouched.
void WriteUtf8Lines(const QStringList& lines, const QString& path);

// The name chosen for a shelf with its extension replaced by ".shelf" (appended when none).
QString withShelfExtension(const QString& chosen);

} // namespace quillery
