#include "catalogue/Catalogue.h"

#include "base/FileIo.h"
#include "base/ListCollation.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include <algorithm>
#include <atomic>
#include <optional>
#include <vector>

namespace quillery {

namespace {

// Calls `book` with the name (without ".book") of every book entry the folder lists by a name
// that can be opened again, and `undecodable` for every other book entry.
template <typename Book, typename Undecodable>
void forEachBookName(const QString& directory, Book&& book, Undecodable&& undecodable)
{
    const QStringView extension(BookExtension);
    forEachDirectoryEntry(directory, [&](const DirectoryEntry& entry) {
        if (!entry.name.endsWith(extension, Qt::CaseInsensitive))
            return;
        if (entry.reachable)
            book(entry.name.first(entry.name.size() - extension.size()));
        else
            undecodable();
    });
}

} // namespace

QStringList listBookNames(const QString& directory, int* skippedNames)
{
    QStringList names;
    int skipped = 0;
    forEachBookName(
        directory, [&](QString name) { names.append(std::move(name)); }, [&] { ++skipped; });
    sortBookNames(names);
    if (skippedNames)
        *skippedNames = skipped;
    return names;
}

int countUndecodableBookNames(const QString& directory)
{
    int skipped = 0;
    forEachBookName(
        directory, [](const QString&) {}, [&] { ++skipped; });
    return skipped;
}

QString undecodableNamesText(int count)
{
    return QStringLiteral("%1 book file(s) left out: their names are not valid UTF-8.").arg(count);
}

std::vector<quint32> bookNameOrder(const std::vector<QStringView>& names)
{
    // The keys are made once for each name, on the pool's threads; the places of the names are
    // sorted, not the names.
    const ListSortKeys keys(names.data(), qsizetype(names.size()));
    std::vector<quint32> order(names.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = quint32(i);
    const QStringView* const name = names.data();
    const auto before = [&](quint32 a, quint32 b) {
        const int c = keys.compare(a, b);
        if (c != 0)
            return c < 0;
        const int folded = name[a].compare(name[b], Qt::CaseInsensitive);
        if (folded != 0)
            return folded < 0;
        return name[a] < name[b];
    };
    // A share sorted on each thread, then the shares merged: the order is total (no two names
    // are the same), so it is the order one sort gives.
    WorkerPool& pool = WorkerPool::shared();
    const qsizetype shares = order.size() < 4096 ? 1 : pool.threadCount();
    std::vector<size_t> bounds;
    for (qsizetype p = 0; p <= shares; ++p)
        bounds.push_back(order.size() * size_t(p) / size_t(shares));
    const auto at = [&](qsizetype p) {
        return order.begin() + ptrdiff_t(bounds[size_t(p)]);
    };
    pool.forEach(
        shares, [&](qsizetype p) { std::sort(at(p), at(p + 1), before); }, 1);
    for (qsizetype width = 1; width < shares; width *= 2) {
        for (qsizetype p = 0; p + width < shares; p += 2 * width)
            std::inplace_merge(at(p), at(p + width), at(std::min(p + 2 * width, shares)), before);
    }
    return order;
}

void sortBookNames(QStringList& names)
{
    const std::vector<quint32> order =
        bookNameOrder(std::vector<QStringView>(names.cbegin(), names.cend()));
    QStringList sorted;
    sorted.reserve(names.size());
    for (const quint32 i : order)
        sorted.append(std::move(names[i]));
    names = std::move(sorted);
}

int forEachListedBookName(const QString& directory, const std::function<void(QString&&)>& name)
{
    int skipped = 0;
    forEachBookName(
        directory, [&](QString listed) { name(std::move(listed)); }, [&] { ++skipped; });
    return skipped;
}

QString withTrailingSeparator(const QString& directory)
{
    if (directory.isEmpty() || directory.endsWith(u'/') || directory.endsWith(QDir::separator()))
        return directory;
    return directory + QDir::separator();
}

QString bookFilePath(const QString& directory, const QString& name)
{
    return withTrailingSeparator(directory) + name + QStringView(BookExtension);
}

QString bookCountText(qsizetype count)
{
    return QStringLiteral("%1 book(s) in this catalogue.").arg(count);
}

int upgradeCatalogue(const QString& directory, const QStringList& names)
{
    int count = 0;
    for (const QString& name : names) {
        const QString path = bookFilePath(directory, name);
        if (IsVersion10File(path) && UpgradeBookFile(path))
            ++count;
    }
    return count;
}

bool IsValidFileNameChar(QChar c)
{
    switch (c.unicode()) {
    case 0:
    case u'"':
    case u'*':
    case u'/':
    case u':':
    case u'<':
    case u'>':
    case u'?':
    case u'\\':
    case u'|':
        return false;
    default:
        return true;
    }
}

bool IsValidFileName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.cbegin(), name.cend(), IsValidFileNameChar);
}

QString withBookExtension(const QString& entered)
{
    if (entered.endsWith(QStringView(BookExtension), Qt::CaseInsensitive))
        return entered;
    const qsizetype period = entered.lastIndexOf(u'.');
    const qsizetype delimiter = std::max(entered.lastIndexOf(u'\\'), entered.lastIndexOf(u':'));
    if (period >= 0 && period > delimiter) {
        const QStringView extension = QStringView(entered).sliced(period + 1);
        constexpr qsizetype longestExtension = 4;
        if (extension.toUcs4().size() <= longestExtension &&
            std::none_of(extension.cbegin(), extension.cend(), [](QChar c) { return c.isSpace(); }))
            return entered.first(period) + QStringView(BookExtension);
    }
    return entered + QStringView(BookExtension);
}

namespace {

// The longest file name the folder's file system holds: in bytes of the encoded name, or UTF-16
// code units on Windows.
qsizetype maxFileNameLength(const QString& directory)
{
#ifdef Q_OS_UNIX
    const long max = ::pathconf(QFile::encodeName(directory).constData(), _PC_NAME_MAX);
    return max > 0 ? qsizetype(max) : 255;
#else
    Q_UNUSED(directory);
    return 255;
#endif
}

qsizetype fileNameLength(const QString& name)
{
#ifdef Q_OS_UNIX
    return QFile::encodeName(name).size();
#else
    return name.size();
#endif
}

} // namespace

NameCheck checkProposal(const QString& directory, const QString& proposal)
{
    if (QFileInfo::exists(withTrailingSeparator(directory) + proposal))
        return NameCheck::Exists;
    if (proposal.size() <= 5 || !IsValidFileName(proposal) ||
        fileNameLength(proposal) > maxFileNameLength(directory))
        return NameCheck::Invalid;
    return NameCheck::Accepted;
}

QString firstNewBookProposal(const QString& directory)
{
    const QString base = QStringLiteral("Book");
    if (!QFileInfo::exists(bookFilePath(directory, base)))
        return base;
    for (int i = 1;; ++i) {
        const QString name = base + QString::number(i);
        if (!QFileInfo::exists(bookFilePath(directory, name)))
            return name;
    }
}

bool sameFilePath(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

namespace {

// A file's size and time of last change, to tell whether it changed since it was last tested.
// Returns false when the file cannot be examined.
bool fileStamp(const QString& path, qint64& size, qint64& modified)
{
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    size = qint64(st.st_size);
    modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    size = info.size();
    modified = info.lastModified().toMSecsSinceEpoch();
    return true;
#endif
}

} // namespace

bool VersionTestCache::isVersion10File(const QString& path)
{
    qint64 size = 0;
    qint64 modified = 0;
    if (!fileStamp(path, size, modified)) {
        m_entries.remove(path);
        return IsVersion10File(path);
    }
    const auto it = m_entries.constFind(path);
    if (it != m_entries.cend() && it->size == size && it->modified == modified)
        return it->version10;
    const bool result = IsVersion10File(path);
    m_entries.insert(path, {size, modified, result});
    return result;
}

#ifdef Q_OS_UNIX
namespace {

// The version test of one book in an open folder, reading only as much as decides it: opening a
// catalogue tests every book, and the answer stands in the first lines of every file we write.
std::optional<bool> version10At(int dirFd, const QByteArray& name, const struct stat& st)
{
    // Only a regular file can be a version 1.0 book; a pipe or a device is never opened here.
    if (!S_ISREG(st.st_mode))
        return false;
    // Opened without waiting all the same, should the entry be replaced by a pipe meanwhile.
    const int fd = ::openat(dirFd, name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    char prefix[4096];
    qsizetype got = 0;
    while (got < qsizetype(sizeof prefix)) {
        const ssize_t n = ::read(fd, prefix + got, sizeof prefix - size_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    // Undecided only when the file is longer than the prefix.
    return scanVersion10(QByteArrayView(prefix, got), got < qsizetype(sizeof prefix));
}

} // namespace
#endif

bool VersionTestCache::catalogueHasVersion10Files(const QString& directory,
                                                  const QStringList& names)
{
#ifdef Q_OS_UNIX
    const QString dir = withTrailingSeparator(directory);
    const int dirFd =
        ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        // The books are tested on the pool's threads, which only read the cache; what they
        // learnt goes into it afterwards. Once one book is version 1.0 the rest are left.
        struct Tested {
            enum { Untested, Gone, Known, Learnt } state = Untested;
            qint64 size = 0;
            qint64 modified = 0;
            bool version10 = false;
        };
        std::vector<Tested> tested(static_cast<size_t>(names.size()));
        std::atomic<bool> found{false};
        WorkerPool::shared().forEach(
            names.size(),
            [&](qsizetype i) {
                Tested& t = tested[size_t(i)];
                const QString fileName = names[i] + QStringView(BookExtension);
                const QByteArray encoded = QFile::encodeName(fileName);
                struct stat st;
                if (::fstatat(dirFd, encoded.constData(), &st, 0) != 0) {
                    t.state = Tested::Gone; // gone or unreachable: no version 1.0 file
                    return;
                }
                t.size = qint64(st.st_size);
                t.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
                const auto it = m_entries.constFind(dir + fileName);
                if (it != m_entries.cend() && it->size == t.size && it->modified == t.modified) {
                    t.state = Tested::Known;
                    t.version10 = it->version10;
                } else {
                    const std::optional<bool> answer = version10At(dirFd, encoded, st);
                    t.state = Tested::Learnt;
                    t.version10 = answer ? *answer : IsVersion10File(dir + fileName);
                }
                if (t.version10)
                    found = true;
            },
            256, &found);
        ::close(dirFd);
        for (qsizetype i = 0; i < names.size(); ++i) {
            const Tested& t = tested[size_t(i)];
            if (t.state == Tested::Gone)
                m_entries.remove(dir + names[i] + QStringView(BookExtension));
            else if (t.state == Tested::Learnt)
                m_entries.insert(dir + names[i] + QStringView(BookExtension),
                                 {t.size, t.modified, t.version10});
        }
        return found;
    }
#endif
    for (const QString& name : names) {
        if (isVersion10File(bookFilePath(directory, name)))
            return true;
    }
    return false;
}

QString booksUpgradedText(int count)
{
    return QStringLiteral("%1 books upgraded.").arg(count);
}

} // namespace quillery
