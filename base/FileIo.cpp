#include "base/FileIo.h"

#include "base/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillery {

namespace {

#ifdef Q_OS_UNIX
// Reads a file with the fewest system calls: catalogues of a hundred thousand books are read
// whole for every report. Returns false with errno set when the file cannot be opened or read.
bool readPosix(const QString& path, QByteArray& bytes)
{
    // Opened without waiting: a named pipe (a ".book" entry can be anything) would otherwise
    // block until some writer appears. Reads then wait as usual, and a pipe without a writer
    // reads as empty.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    struct stat st;
    const bool statFailed = ::fstat(fd, &st) != 0;
    if (statFailed || S_ISDIR(st.st_mode)) {
        const int error = statFailed ? errno : EISDIR;
        ::close(fd);
        errno = error;
        return false;
    }
    qsizetype capacity = st.st_size > 0 ? qsizetype(st.st_size) + 1 : 4096;
    bytes.resize(capacity);
    qsizetype done = 0;
    for (;;) {
        if (done == capacity) {
            capacity *= 2;
            bytes.resize(capacity);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(capacity - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            errno = error;
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    ::close(fd);
    bytes.resize(done);
    return true;
}
#endif

} // namespace

QByteArray readWholeFile(const QString& path)
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    if (!readPosix(path, bytes))
        throw FileError(FileError::Kind::Open, path, QString::fromLocal8Bit(std::strerror(errno)));
    return bytes;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Kind::Open, path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(FileError::Kind::Open, path, file.errorString());
    return bytes;
#endif
}

std::optional<QByteArray> readWholeFileIfExists(const QString& path)
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    if (readPosix(path, bytes))
        return bytes;
    if (errno == ENOENT)
        return std::nullopt;
    throw FileError(FileError::Kind::Open, path, QString::fromLocal8Bit(std::strerror(errno)));
#else
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readWholeFile(path);
#endif
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

void createNewEmptyFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw FileError(FileError::Kind::Create, path, file.errorString());
}

namespace {

void setReason(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
}

#ifndef Q_OS_WIN
QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
#endif

} // namespace

bool renameNoReplace(const QString& from, const QString& to, QString* reason)
{
#ifdef Q_OS_WIN
    const std::wstring src = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring dst = QDir::toNativeSeparators(to).toStdWString();
    if (MoveFileExW(src.c_str(), dst.c_str(), 0))
        return true;
    setReason(reason, qt_error_string(int(GetLastError())));
    return false;
#else
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        setReason(reason, errnoText(errno));
        return false;
    }
#endif
    // File systems without an atomic no-replace rename: a hard link fails when the target
    // exists, and only then is the old name removed.
    if (::link(src.constData(), dst.constData()) != 0) {
        setReason(reason, errnoText(errno));
        return false;
    }
    if (::unlink(src.constData()) != 0) {
        const int error = errno;
        ::unlink(dst.constData());
        setReason(reason, errnoText(error));
        return false;
    }
    return true;
#endif
}

bool copyNoReplace(const QString& from, const QString& to, QString* reason)
{
    QByteArray bytes;
    try {
        bytes = readWholeFile(from);
    } catch (const FileError& e) {
        setReason(reason, e.reason());
        return false;
    }
    if (QFileInfo::exists(to)) {
        setReason(reason, QStringLiteral("File exists"));
        return false;
    }
    QTemporaryFile temp(QFileInfo(to).absolutePath() + QStringLiteral("/.quillery-copy-XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open() || !writeAll(temp, bytes) || !temp.flush()) {
        setReason(reason, temp.errorString());
        return false;
    }
    temp.setPermissions(QFile::permissions(from));
    temp.close();
    if (!renameNoReplace(temp.fileName(), to, reason))
        return false;
    temp.setAutoRemove(false);
    return true;
}

bool deleteFile(const QString& path, QString* reason)
{
    QFile file(path);
    if (file.remove())
        return true;
    setReason(reason, file.errorString());
    return false;
}

} // namespace quillery
