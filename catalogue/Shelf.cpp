#include "catalogue/Shelf.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ProductInfo.h"
#include "base/TextCodec.h"
#include "base/WorkerPool.h"
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <vector>

namespace quillery {

QStringList shelfLinesOfBook(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    // QString::fromUtf8 drops a leading byte-order mark; the shelf keeps every one, at the start
    // of the file or of any other line, doubled or not. Each line is decoded on its own.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    const auto decode = [&](qsizetype from, qsizetype to) {
        lines.append(decoder.decode(QByteArrayView(bytes.constData() + from, to - from)));
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] != '\n')
            continue;
        const qsizetype end = (i > start && bytes[i - 1] == '\r') ? i - 1 : i;
        decode(start, end);
        start = i + 1;
    }
    if (start < n)
        decode(start, n);
    return lines;
}

namespace {

// Makes a piece of every book of the folder with make(name, bytes, piece), on the pool's threads,
// and hands the pieces to `put` in listing order, a few thousand at a time. Links that lead out
// of the folder go to `leftOut`, names that are not valid UTF-8 are counted. The first book that
// cannot be read, in listing order, is the error.
template <typename Piece, typename Make, typename Put>
void forEachBookFile(const QString& directory, QStringList* leftOut, int* skippedNames,
                     const Make& make, const Put& put)
{
    const QString dir = withTrailingSeparator(directory);
    // A folder that vanished (or never was one) fails; it must not give an empty shelf.
    const QFileInfo folder(dir);
    if (!folder.isDir())
        throw FileError(FileError::Kind::Open, directory,
                        QString::fromLocal8Bit(std::strerror(folder.exists() ? ENOTDIR : ENOENT)));
    struct Book {
        QString name;
        bool symLink = false;
    };
    std::vector<Book> books;
    int skipped = 0;
    QString reason;
    const bool listed = forEachDirectoryEntry(
        dir,
        [&](const DirectoryEntry& entry) {
            if (!entry.name.endsWith(QStringView(BookExtension), Qt::CaseInsensitive))
                return;
            if (!entry.reachable) {
                ++skipped;
                return;
            }
            books.push_back({entry.name, entry.symLink});
        },
        &reason);
    if (!listed)
        throw FileError(FileError::Kind::Open, directory, reason);

    const FolderReader reader(dir);
    QStringList outside;
    constexpr qsizetype Step = 4096;
    std::vector<Piece> pieces(static_cast<size_t>(Step));
    std::vector<char> leftOutHere(static_cast<size_t>(Step));
    const qsizetype count = qsizetype(books.size());
    for (qsizetype first = 0; first < count; first += Step) {
        const qsizetype n = std::min(Step, count - first);
        WorkerPool::shared().forEachRun(n, [&](qsizetype begin, qsizetype end) {
            QByteArray bytes;
            for (qsizetype i = begin; i < end; ++i) {
                const Book& book = books[size_t(first + i)];
                leftOutHere[size_t(i)] = 0;
                if (book.symLink) {
                    const LinkTarget target = linkTarget(dir + book.name, dir);
                    if (target == LinkTarget::Outside || target == LinkTarget::Dangling) {
                        leftOutHere[size_t(i)] = 1;
                        continue;
                    }
                }
                if (!reader.read(book.name, bytes))
                    throw FileError(FileError::Kind::Open, dir + book.name,
                                    QString::fromLocal8Bit(std::strerror(ENOENT)));
                make(book.name, bytes, pieces[size_t(i)]);
            }
        });
        for (qsizetype i = 0; i < n; ++i) {
            if (leftOutHere[size_t(i)])
                outside.append(books[size_t(first + i)].name);
            else
                put(pieces[size_t(i)]);
        }
    }
    if (leftOut)
        *leftOut = std::move(outside);
    if (skippedNames)
        *skippedNames = skipped;
}

QStringList headerLines(const QString& version)
{
    return {QStringLiteral("@@ File created by ") + QStringView(ProductName) + u'.',
            QStringLiteral("@@ ") + QStringView(ProductHomePage),
            QStringLiteral("@@ VERSION ") + version};
}

void appendLine(QByteArray& out, const QString& line)
{
    out += line.toUtf8();
    out += "\r\n";
}

} // namespace

QByteArray shelfBytes(const QString& directory, const QString& version, QStringList* leftOut,
                      int* skippedNames)
{
    QByteArray out;
    for (const QString& line : headerLines(version))
        appendLine(out, line);
    forEachBookFile<QByteArray>(
        directory, leftOut, skippedNames,
        [](const QString& name, const QByteArray& bytes, QByteArray& piece) {
            piece.resize(0);
            appendLine(piece, QStringLiteral("@BOOK FILENAME ") + name);
            if (isValidUtf8(bytes)) {
                // Valid UTF-8 decodes and encodes to the same bytes: copy the lines as they are.
                qsizetype start = 0;
                for (qsizetype i = 0; i < bytes.size(); ++i) {
                    if (bytes[i] != '\n')
                        continue;
                    const qsizetype end = (i > start && bytes[i - 1] == '\r') ? i - 1 : i;
                    piece.append(bytes.constData() + start, end - start);
                    piece += "\r\n";
                    start = i + 1;
                }
                if (start < bytes.size()) {
                    piece.append(bytes.constData() + start, bytes.size() - start);
                    piece += "\r\n";
                }
            } else {
                for (const QString& line : shelfLinesOfBook(bytes))
                    appendLine(piece, line);
            }
            appendLine(piece, QStringLiteral("@END BOOK"));
        },
        [&out](const QByteArray& piece) { out += piece; });
    appendLine(out, QStringLiteral("@@ EOF"));
    return out;
}

QStringList shelfLines(const QString& directory, const QString& version, QStringList* leftOut,
                       int* skippedNames)
{
    QStringList lines;
    lines.reserve(1024);
    lines.append(headerLines(version));
    forEachBookFile<QStringList>(
        directory, leftOut, skippedNames,
        [](const QString& name, const QByteArray& bytes, QStringList& piece) {
            piece = QStringList{QStringLiteral("@BOOK FILENAME ") + name};
            piece.append(shelfLinesOfBook(bytes));
            piece.append(QStringLiteral("@END BOOK"));
        },
        [&lines](const QStringList& piece) { lines.append(piece); });
    lines.append(QStringLiteral("@@ EOF"));
    return lines;
}

void WriteUtf8Lines(const QStringList& lines, const QString& path)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size + size / 4);
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    writeWholeFile(path, bytes);
}

QString shelfLeftOutText(const QStringList& leftOut)
{
    return QStringLiteral("%1 book file(s) left out of the shelf: they are links to files outside "
                          "the catalogue folder or to nothing: %2.")
        .arg(QString::number(leftOut.size()), leftOut.join(QStringLiteral(", ")));
}

QString withShelfExtension(const QString& chosen)
{
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype period = name.lastIndexOf(u'.');
    const QString stem = period > 0 ? name.first(period) : name;
    const QString dir = chosen.first(chosen.size() - name.size());
    return dir + stem + QStringLiteral(".shelf");
}

} // namespace quillery
