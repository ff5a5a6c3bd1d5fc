#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace quillery {

// Reads a file whole. Throws FileError (Open) with the system's reason when it cannot.
QByteArray readWholeFile(const QString& path);

// Writes a file whole and atomically: the bytes go to a temporary file in the same folder, which
// replaces the target only when every byte was written. A failure leaves the old file untouched
// and throws FileError (Create) with the path and the system's reason.
void writeWholeFile(const QString& path, const QByteArray& bytes);

// Writes all bytes to a device, or returns false. Separate from writeWholeFile so that tests can
// hand it a device that fails part way.
bool writeAll(QIODevice& device, const QByteArray& bytes);

// The three bytes of the UTF-8 byte-order mark.
inline QByteArray utf8Bom()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

} // namespace quillery
