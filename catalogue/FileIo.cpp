#include "catalogue/FileIo.h"

#include "catalogue/Errors.h"

#include <QFile>
#include <QSaveFile>

namespace quillery {

QByteArray readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Kind::Open, path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(FileError::Kind::Open, path, file.errorString());
    return bytes;
}

bool writeAll(QIODevice& device, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // A folder that does not let us create the temporary file must fail, not fall back to
    // writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(FileError::Kind::Create, path, file.errorString());
    if (!writeAll(file, bytes) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(FileError::Kind::Create, path, reason);
    }
    if (!file.commit())
        throw FileError(FileError::Kind::Create, path, file.errorString());
}

} // namespace quillery
