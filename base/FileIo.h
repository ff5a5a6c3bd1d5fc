#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace quillery {

// Reads a file whole. Throws FileError (Open) with the system's reason when it cannot.
QByteArray readWholeFile(const QString& path);

// The same, but a file that does not exist gives nothing instead of an error.
std::optional<QByteArray> readWholeFileIfExists(const QString& path);

// Writes a file whole and atomically: the bytes go to a temporary file in the same folder, which
// replaces the target only when every byte was written. A failure leaves the old file untouched
// and throws FileError (Create) with the path and the system's reason.
void writeWholeFile(const QString& path, const QByteArray& bytes);

// Writes all bytes to a device, or returns false. Separate from writeWholeFile so that tests can
// hand it a device that fails part way.
bool writeAll(QIODevice& device, const QByteArray& bytes);

// Creates an empty file, failing when anything of that name exists already (so nothing is ever
// truncated by accident). Throws FileError (Create) with the system's reason.
void createNewEmptyFile(const QString& path);

// Renames a file without ever replacing an existing target, even one that appears at the last
// moment. Returns false, with the system's reason in `reason`, when it could not.
bool renameNoReplace(const QString& from, const QString& to, QString* reason = nullptr);

// Copies a file byte for byte without ever replacing an existing target. The copy is written to a
// temporary file first, so a failed copy leaves no partial target behind.
bool copyNoReplace(const QString& from, const QString& to, QString* reason = nullptr);

// Deletes a file; returns false, with the system's reason, when it could not.
bool deleteFile(const QString& path, QString* reason = nullptr);

// The three bytes of the UTF-8 byte-order mark.
inline QByteArray utf8Bom()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

} // namespace quillery
