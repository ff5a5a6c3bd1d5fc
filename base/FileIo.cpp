#include "base/FileIo.h"

#include "base/Errors.h"
#include "base/TextCodec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillery {

namespace {

QString tooLargeReason()
{
    return QStringLiteral("The file is larger than %1 MiB, more than the program reads")
        .arg(MaxReadFileSize / (1024 * 1024));
}

#ifdef Q_OS_UNIX
QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why a file of this kind is not read as a book, options or settings file.
QString notRegularReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return errnoText(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("It is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("It is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("It is a socket, not a regular file");
    return QStringLiteral("It is not a regular file");
}

enum class ReadStatus { Read, Missing, Failed };

// Reads a regular file with the fewest system calls (one open, one fstat and one read): catalogues
// of a hundred thousand books are read whole for every report. The name is taken relative to
// `dirFd` (AT_FDCWD for a path), so a catalogue's folder is not walked again for every book.
// `bytes` keeps its allocation when it is large enough.
ReadStatus readPosixAt(int dirFd, const char* name, QByteArray& bytes, QString& reason)
{
    // Opened without waiting: a named pipe (a ".book" entry can be anything) would otherwise
    // block until some writer appears. The flag changes nothing for the regular files that are
    // then read, so it stays set.
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return ReadStatus::Missing;
        // A socket cannot be opened at all ("No such device or address"): say what it is.
        struct stat st;
        const bool special =
            ::fstatat(dirFd, name, &st, 0) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
        reason = special ? notRegularReason(st.st_mode) : errnoText(error);
        return ReadStatus::Failed;
    }
    const auto fail = [&](const QString& why) {
        ::close(fd);
        bytes.clear();
        reason = why;
        return ReadStatus::Failed;
    };
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return fail(errnoText(errno));
    // Only regular files end: a device such as /dev/zero reads without end.
    if (!S_ISREG(st.st_mode))
        return fail(notRegularReason(st.st_mode));
    if (st.st_size > MaxReadFileSize)
        return fail(tooLargeReason());
    // One byte more than the size: a read that fills less than it asked for has met the end of
    // the file (regular files read short only there), so one read does for a file that keeps
    // its size. Files that say they are empty (as those of /proc do) are read to the end. A
    // file that grows while it is read is still stopped at the limit.
    qsizetype capacity = st.st_size > 0 ? qsizetype(st.st_size) + 1 : 4096;
    bytes.resize(capacity);
    qsizetype done = 0;
    for (;;) {
        if (done == capacity) {
            if (done > MaxReadFileSize)
                return fail(tooLargeReason());
            capacity = std::min<qsizetype>(capacity * 2, MaxReadFileSize + 1);
            bytes.resize(capacity);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(capacity - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errnoText(errno));
        }
        if (n == 0)
            break;
        done += n;
        if (done < capacity && st.st_size > 0)
            break;
    }
    ::close(fd);
    bytes.resize(done);
    return ReadStatus::Read;
}

ReadStatus readPosix(const QString& path, QByteArray& bytes, QString& reason)
{
    return readPosixAt(AT_FDCWD, QFile::encodeName(path).constData(), bytes, reason);
}
#else
// Throws when the path names something other than a regular file, or one too large to read.
void checkReadable(const QString& path, const QFileInfo& info)
{
    if (info.isDir())
        throw FileError(FileError::Kind::Open, path, QStringLiteral("Is a directory"));
    if (!info.isFile())
        throw FileError(FileError::Kind::Open, path, QStringLiteral("It is not a regular file"));
    if (info.size() > MaxReadFileSize)
        throw FileError(FileError::Kind::Open, path, tooLargeReason());
}
#endif

} // namespace

QByteArray readWholeFile(const QString& path)
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    QString reason;
    switch (readPosix(path, bytes, reason)) {
    case ReadStatus::Read:
        return bytes;
    case ReadStatus::Missing:
        reason = errnoText(ENOENT);
        break;
    case ReadStatus::Failed:
        break;
    }
    throw FileError(FileError::Kind::Open, path, reason);
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Kind::Open, path, file.errorString());
    checkReadable(path, QFileInfo(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(FileError::Kind::Open, path, file.errorString());
    if (bytes.size() > MaxReadFileSize)
        throw FileError(FileError::Kind::Open, path, tooLargeReason());
    return bytes;
#endif
}

std::optional<QByteArray> readWholeFileIfExists(const QString& path)
{
#ifdef Q_OS_UNIX
    QByteArray bytes;
    QString reason;
    switch (readPosix(path, bytes, reason)) {
    case ReadStatus::Read:
        return bytes;
    case ReadStatus::Missing:
        return std::nullopt;
    case ReadStatus::Failed:
        break;
    }
    throw FileError(FileError::Kind::Open, path, reason);
#else
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readWholeFile(path);
#endif
}

FolderReader::FolderReader(const QString& folder) : m_folder(folder)
{
#ifdef Q_OS_UNIX
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
}

FolderReader::~FolderReader()
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool FolderReader::read(const QString& name, QByteArray& bytes) const
{
#ifdef Q_OS_UNIX
    if (m_fd >= 0) {
        // The name encoded as QFile::encodeName encodes it, on the stack when it fits; a name
        // with surrogates takes encodeName's own way (it writes a lone one as "?").
        char buffer[1024];
        QByteArray encoded;
        const char* file = buffer;
        if (name.size() * 3 < qsizetype(sizeof buffer) &&
            std::none_of(name.begin(), name.end(), [](QChar c) { return c.isSurrogate(); })) {
            QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            *encoder.appendToBuffer(buffer, name) = '\0';
        } else {
            encoded = QFile::encodeName(name);
            file = encoded.constData();
        }
        QString reason;
        switch (readPosixAt(m_fd, file, bytes, reason)) {
        case ReadStatus::Read:
            return true;
        case ReadStatus::Missing:
            return false;
        case ReadStatus::Failed:
            break;
        }
        throw FileError(FileError::Kind::Open, m_folder + name, reason);
    }
#endif
    // A folder that cannot be opened is read name by name, as the paths have it.
    std::optional<QByteArray> read = readWholeFileIfExists(m_folder + name);
    if (!read)
        return false;
    bytes = std::move(*read);
    return true;
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

#ifdef Q_OS_UNIX
namespace {

[[noreturn]] void throwCreate(const QString& path, int error)
{
    throw FileError(FileError::Kind::Create, path, errnoText(error));
}

// Writes every byte to a descriptor; returns false with errno set when it could not.
bool writeFd(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

// The file a path finally names once its symbolic links are followed, as QSaveFile followed
// them: a link that points to nothing gives the name it points to, so that the write creates it.
QByteArray followLinks(const QByteArray& path)
{
    QByteArray current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size())
            return current;
        target.resize(n);
        if (!target.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            if (slash >= 0)
                target.prepend(current.first(slash + 1));
        }
        current = target;
    }
    return path; // a loop: opening the path itself then reports it
}

// Flushes a folder's entries to disk, so that a rename in it survives a power cut. A file system
// that cannot flush folders has nothing to flush: the file's data is on disk already.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes a path that is no regular file (a device, a named pipe) directly, as a shell's
// redirection does: the node stays, and only its own writing rules apply.
void writeToSpecialFile(const QString& path, const QByteArray& target, const QByteArray& bytes)
{
    // Not waiting for a reader: a pipe that nobody reads would hang the program for good.
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENXIO)
            throw FileError(FileError::Kind::Create, path,
                            QStringLiteral("No program is reading from the named pipe"));
        throwCreate(path, errno);
    }
    // Once open, the writes wait for a slow reader as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool written = writeFd(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 && written)
        throwCreate(path, errno);
    if (!written)
        throwCreate(path, error);
}

// Writes an existing regular file in place, for a folder that lets no temporary file be made.
void writeInPlace(const QString& path, const QByteArray& target, const QByteArray& bytes)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throwCreate(path, errno);
    const auto fail = [&](int error) {
        ::close(fd);
        throwCreate(path, error);
    };
#ifdef Q_OS_LINUX
    // Room for every byte first, so that a full disk fails before the file changes at all.
    if (!bytes.isEmpty() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(bytes.size())) != 0 &&
        errno == ENOSPC)
        fail(ENOSPC);
#endif
    if (!writeFd(fd, bytes) || ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0)
        throwCreate(path, errno);
}

// A temporary file of a fixed-length name in the folder, created for writing. Returns -1 with
// errno set when the folder does not let it be made.
int createTemporary(const QByteArray& folder, mode_t mode, QByteArray& name)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.quillery-";
        for (int i = 0; i < 8; ++i)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        name += ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace
#endif

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const QByteArray target = followLinks(QFile::encodeName(path));
    struct stat st;
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        throwCreate(path, EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        writeToSpecialFile(path, target, bytes);
        return;
    }
    // A file the user may not write is not replaced behind its back, even where the folder
    // would allow it.
    if (exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        throwCreate(path, errno);

    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : target.first(slash));
    // The temporary name has a fixed length, so a target whose name is as long as the file
    // system allows can still be saved. A new file gets the usual permissions (the umask
    // applies), a replaced one keeps its own.
    QByteArray temporary;
    const int fd = createTemporary(folder, exists ? 0600 : 0666, temporary);
    if (fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM)) {
            writeInPlace(path, target, bytes);
            return;
        }
        throwCreate(path, error);
    }
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        throwCreate(path, error);
    };
    if (exists && ::fchmod(fd, st.st_mode & 07777) != 0)
        fail(errno);
    // The data reaches the disk before the rename makes it the file, so that a crash leaves the
    // old file or the new one, never an empty one.
    if (!writeFd(fd, bytes) || ::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        throwCreate(path, error);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        throwCreate(path, error);
    }
    syncFolder(folder);
#else
    QSaveFile file(path);
    // A folder that does not let us create the temporary file gets the file written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(FileError::Kind::Create, path, file.errorString());
    if (!writeAll(file, bytes) || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(FileError::Kind::Create, path, reason);
    }
    if (!file.commit())
        throw FileError(FileError::Kind::Create, path, file.errorString());
#endif
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

bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return false;
    NewFileBatch batch;
    batch.add(path, bytes);
    return batch.commit().isEmpty();
}

void syncDirectory(const QString& directory)
{
#ifdef Q_OS_UNIX
    syncFolder(QFile::encodeName(directory));
#else
    Q_UNUSED(directory);
#endif
}

NewFileBatch::~NewFileBatch()
{
    for (const Staged& staged : m_staged)
        QFile::remove(staged.temporary);
}

void NewFileBatch::add(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_UNIX
    const QByteArray target = QFile::encodeName(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : target.first(slash));
    QByteArray temporary;
    const int fd = createTemporary(folder, 0666, temporary);
    if (fd < 0)
        throwCreate(path, errno);
    bool written = writeFd(fd, bytes);
#ifndef Q_OS_LINUX
    // Without a flush of the whole file system, each file is flushed on its own.
    written = written && ::fsync(fd) == 0;
#endif
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        const int closeError = written ? errno : error;
        ::unlink(temporary.constData());
        throwCreate(path, closeError);
    }
    m_staged.push_back({path, QFile::decodeName(temporary)});
#else
    QTemporaryFile temp(QFileInfo(path).absolutePath() + QStringLiteral("/.quillery-new-XXXXXX"));
    if (!temp.open() || !writeAll(temp, bytes) || !temp.flush())
        throw FileError(FileError::Kind::Create, path, temp.errorString());
    temp.setAutoRemove(false);
    m_staged.push_back({path, temp.fileName()});
#endif
}

QStringList NewFileBatch::commit()
{
    std::vector<Staged> staged;
    staged.swap(m_staged);
    // Whatever is not named when this ends is removed.
    struct Cleanup {
        std::vector<Staged>& staged;
        size_t next = 0;
        ~Cleanup()
        {
            for (size_t i = next; i < staged.size(); ++i)
                QFile::remove(staged[i].temporary);
        }
    } cleanup{staged};
    if (staged.empty())
        return {};
#ifdef Q_OS_LINUX
    {
        const QByteArray folder = QFile::encodeName(QFileInfo(staged.front().path).absolutePath());
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0 || ::syncfs(fd) != 0) {
            const int error = errno;
            if (fd >= 0)
                ::close(fd);
            throwCreate(staged.front().path, error);
        }
        ::close(fd);
    }
#endif
    QStringList taken;
    QStringList folders;
    for (; cleanup.next < staged.size(); ++cleanup.next) {
        const Staged& file = staged[cleanup.next];
        QString reason;
        if (renameNoReplace(file.temporary, file.path, &reason)) {
            const QString folder = QFileInfo(file.path).absolutePath();
            if (!folders.contains(folder))
                folders.append(folder);
            continue;
        }
        if (!QFileInfo::exists(file.path) && !QFileInfo(file.path).isSymLink()) {
            for (const QString& folder : folders)
                syncDirectory(folder);
            throw FileError(FileError::Kind::Create, file.path, reason);
        }
        QFile::remove(file.temporary);
        taken.append(file.path);
    }
    for (const QString& folder : folders)
        syncDirectory(folder);
    return taken;
}

bool deleteFile(const QString& path, QString* reason)
{
    QFile file(path);
    if (file.remove())
        return true;
    setReason(reason, file.errorString());
    return false;
}

LinkTarget linkTarget(const QString& path, const QString& folder)
{
#ifdef Q_OS_UNIX
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st;
    if (::lstat(encoded.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
        return LinkTarget::NotALink;
    char resolved[PATH_MAX];
    if (!::realpath(encoded.constData(), resolved))
        return errno == ENOENT || errno == ELOOP || errno == ENOTDIR ? LinkTarget::Dangling
                                                                     : LinkTarget::Outside;
    char base[PATH_MAX];
    if (!::realpath(QFile::encodeName(folder).constData(), base))
        return LinkTarget::Outside;
    const QByteArrayView file(resolved);
    QByteArray prefix(base);
    if (file == QByteArrayView(prefix))
        return LinkTarget::Inside;
    if (!prefix.endsWith('/'))
        prefix += '/';
    return file.startsWith(prefix) ? LinkTarget::Inside : LinkTarget::Outside;
#else
    const QFileInfo info(path);
    if (!info.isSymLink())
        return LinkTarget::NotALink;
    const QString file = info.canonicalFilePath();
    if (file.isEmpty())
        return LinkTarget::Dangling;
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (base.isEmpty())
        return LinkTarget::Outside;
    if (file.compare(base, Qt::CaseInsensitive) == 0)
        return LinkTarget::Inside;
    return file.startsWith(base.endsWith(u'/') ? base : base + u'/', Qt::CaseInsensitive)
               ? LinkTarget::Inside
               : LinkTarget::Outside;
#endif
}

bool forEachDirectoryEntry(const QString& directory,
                           const std::function<void(const DirectoryEntry&)>& visit, QString* reason)
{
#ifdef Q_OS_UNIX
    // The raw names are needed to tell a name that is no valid UTF-8 (QDirIterator hands over
    // only the decoded one, which then names no file); and the entry's type comes free.
    // Closed however the visit ends, a thrown error included.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(
        ::opendir(QFile::encodeName(directory).constData()), ::closedir);
    if (!dir) {
        setReason(reason, errnoText(errno));
        return false;
    }
    const int dirFd = ::dirfd(dir.get());
    DirectoryEntry entry;
    while (const struct dirent* d = ::readdir(dir.get())) {
        const QByteArrayView raw(d->d_name);
        if (raw == "." || raw == "..")
            continue;
        entry.name = QFile::decodeName(d->d_name);
        // Valid UTF-8 comes back as it was (but for a leading byte-order mark, which decoding
        // drops): only other names need encoding again to be told.
        entry.reachable = (isValidUtf8(raw) && !raw.startsWith("\xEF\xBB\xBF")) ||
                          QFile::encodeName(entry.name) == raw;
        if (d->d_type == DT_UNKNOWN) {
            struct stat st;
            entry.symLink =
                ::fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
        } else {
            entry.symLink = d->d_type == DT_LNK;
        }
        visit(entry);
    }
    return true;
#else
    if (!QFileInfo(directory).isDir()) {
        setReason(reason, QStringLiteral("No such directory"));
        return false;
    }
    QDirIterator it(directory,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    DirectoryEntry entry;
    while (it.hasNext()) {
        it.next();
        entry.name = it.fileName();
        entry.symLink = it.fileInfo().isSymLink();
        visit(entry);
    }
    return true;
#endif
}

} // namespace quillery
