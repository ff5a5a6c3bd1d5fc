#pragma once

#include "base/FileIo.h"
#include "catalogue/BookRecord.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quillery {

class IniFile;

// Keys of the "File information" section.
inline constexpr const char16_t* KeyCreatedBy = u"Created by";
inline constexpr const char16_t* KeyProgramVersion = u"Program version";
inline constexpr const char16_t* KeyLastWritten = u"Last written";
inline constexpr const char16_t* CreatedByValue = u"Tollvern Quillery";

// True when the file's "Program version" (section "File information", read as single-byte text
// without decoding) begins with "1.0". Files without the key are never version 1.0. A leading
// UTF-8 byte-order mark (or a doubled one) is passed over, so a marked file that still claims 1.0
// is upgraded too; a file with a UTF-16 mark is never version 1.0.
// A file that cannot be read is not version 1.0.
bool IsVersion10File(const QString& path);
// The same test on a file's bytes.
bool isVersion10Text(QByteArrayView bytes);
// The test on the first bytes of a file (`complete` false) or on all of them: the answer, or
// nothing when the bytes seen cannot decide it yet.
std::optional<bool> scanVersion10(QByteArrayView bytes, bool complete);

// Converts a version 1.0 file to UTF-8 in place, changing only its "Program version" line to
// `version`; every other line stays as it was. Returns false, leaving the file untouched, when
// the file is not version 1.0. Throws FileError when the file cannot be read or written, or is a
// symbolic link that writeBookFile refuses to save through.
bool UpgradeBookFile(const QString& path, const QString& version);
// The same with the running program's version.
bool UpgradeBookFile(const QString& path);

// The record of a book file; ID is the file name without its last extension. Missing keys give
// empty fields and a missing file (a link to nothing included) an empty book; a link is read
// through. Throws FileError when the file exists but cannot be read, is no regular file or is
// larger than MaxReadFileSize.
BookRecord ReadBookRecord(const QString& path);
// The record of a book file's bytes, as ReadBookRecord reads them; ID is left empty.
BookRecord bookRecordFromBytes(QByteArrayView bytes);

// Reads the books of a catalogue folder one after another, keeping its buffers and its record
// between books: one for each thread that reads.
class BookReader {
public:
    explicit BookReader(const FolderReader& folder);

    // The record of the list entry `name`, as ReadBookRecord reads its file, with the name as its
    // ID. Valid until the next read. Throws FileError as ReadBookRecord does.
    const BookRecord& read(const QString& name);

private:
    const FolderReader& m_folder;
    QString m_fileName;
    QByteArray m_bytes;
    QString m_text;
    BookRecord m_record;
};

// The records of list entries of a catalogue folder, in list order, read on several threads. A
// book that cannot be read throws the FileError of the first such book in list order, as reading
// them one after another would; with `skipUnreadable` it is left out instead.
std::vector<BookRecord> readBookRecords(const QString& directory, const QStringList& names,
                                        bool skipUnreadable = false);

// The book's ID for a path: the file name without directory and without its last extension.
QString bookIdFromPath(const QString& path);

// The "Last written" text: the short date, a space and the long time of the locale; at exactly
// midnight the date alone.
QString lastWrittenText(const QDateTime& when, const QLocale& locale = QLocale());

// Writes a book's fields into its file (existing content kept, a missing file started empty),
// with "Created by", the program version and "Last written" refreshed. Throws FileError; a
// failed write leaves the old file whole. A book that is a symbolic link to a file in the
// catalogue folder (the book's folder, or below it) is saved as a plain book: its target is
// replaced atomically and the link stays. A link to a file outside the folder, or to nothing, is
// refused with FileError (Create) saying so, and nothing is written or created.
void writeBookFile(const QString& path, const BookRecord& record, const QDateTime& when,
                   const QString& version);
// The same as saved by the running program at this moment in the user's locale.
void writeBookFile(const QString& path, const BookRecord& record);

// The bytes of a book file made for the record, as a first save writes them: the four sections
// in their order with every key.
QByteArray newBookFileBytes(const BookRecord& record, const QDateTime& when,
                            const QString& version);

} // namespace quillery
