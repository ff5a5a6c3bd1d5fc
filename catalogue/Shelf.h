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
// Throws FileError when a book cannot be read.
QStringList shelfLines(const QString& directory, const QString& version);

// The bytes of the bookshelf file: shelfLines written as WriteUtf8Lines writes them, built without
// decoding books that are valid UTF-8 already (the bytes are then the same).
QByteArray shelfBytes(const QString& directory, const QString& version);

// The lines of one book file as the shelf copies them.
QStringList shelfLinesOfBook(const QByteArray& bytes);

// Writes every line as UTF-8 followed by CR LF, without byte-order mark. Throws FileError; a
// failed write leaves an existing file untouched.
void WriteUtf8Lines(const QStringList& lines, const QString& path);

// The name chosen for a shelf with its extension replaced by ".shelf" (appended when none).
QString withShelfExtension(const QString& chosen);

} // namespace quillery
