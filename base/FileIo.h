#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QIODevice;

namespace quillery {

// The largest file the program reads. Books, options and settings files are a few kilobytes;
// anything larger than this is refused before it is read, so that no file can exhaust memory.
inline constexpr qint64 MaxReadFileSize = qint64(256) * 1024 * 1024;

// Reads a file whole, symbolic links followed. Only regular files are read: a folder, a named
// pipe, a device or a socket is refused at once (never waited for, never read without end), and
// so is a file larger than MaxReadFileSize. Throws FileError (Open) with the reason when it
// cannot read the file.
QByteArray readWholeFile(const QString& path);

// The same, but a file that does not exist (a link that points to nothing included) gives
// nothing instead of an error.
std::optional<QByteArray> readWholeFileIfExists(const QString& path);

// The files of one folder, read by name as readWholeFileIfExists reads a path: the folder is
// opened once, so its path is not walked again for every file. Reads may run on several threads.
class FolderReader {
public:
    // `folder` ends in a separator; errors name the folder and the file name joined.
    explicit FolderReader(const QString& folder);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    // Reads the file into `bytes`, whose allocation is reused when it is large enough. Returns
    // false when the file does not exist (a link to nothing included); throws FileError (Open)
    // when it cannot be read, as readWholeFile does.
    bool read(const QString& name, QByteArray& bytes) const;

private:
    QString m_folder;
    int m_fd = -1;
};

// Writes a file whole, symbolic links followed (a link stays a link; its target is written).
// A regular file, or one that does not exist yet, is written atomically: the bytes go to a
// temporary file of a fixed-length name in the same folder, are flushed to disk, and then replace
// the target; the folder is flushed after the rename. The target keeps its permissions. A failure
// leaves the old file untouched and removes the temporary file. When the folder does not let a
// temporary file be made but the file itself may be written, the file is written in place
// instead. An existing path that is no regular file (a device such as /dev/null, a named pipe
// with a reader) is written directly, as a shell's redirection writes it, and never replaced; a
// named pipe that nobody reads is refused rather than waited for. Throws FileError (Create) with
// the path and the reason.
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

// Writes a new file atomically without ever replacing anything: the bytes go to a temporary file
// in the same folder, are flushed to disk, and the temporary file then takes the name unless
// something holds it by then; the folder is flushed after. Returns false, writing nothing, when
// the name is taken (a file, a folder, a link); throws FileError (Create) when the file cannot be
// written. Many files are written faster with NewFileBatch.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// Flushes a folder's entries to disk, so that the files made in it survive a power cut.
void syncDirectory(const QString& directory);

// Many new files, written as writeNewFile writes one but flushed to disk together: each goes to a
// temporary file beside its name, and commit() flushes them all, then gives each its name without
// ever replacing anything and flushes the folders. On Linux the file system is flushed once for
// the whole batch, where a flush of every file would cost a journal commit each.
class NewFileBatch {
public:
    NewFileBatch() = default;
    // Removes the temporary files of a batch that was not committed.
    ~NewFileBatch();
    NewFileBatch(const NewFileBatch&) = delete;
    NewFileBatch& operator=(const NewFileBatch&) = delete;

    // Writes the bytes of a new file of that path to a temporary file. Throws FileError (Create)
    // naming the path when it cannot be written.
    void add(const QString& path, const QByteArray& bytes);
    qsizetype size() const { return qsizetype(m_staged.size()); }
    // Flushes the files and names them; returns the paths that were taken by then (nothing is
    // written for those). Throws FileError (Create) when the files cannot be flushed or named;
    // the files named before that stay. The batch is empty afterwards.
    QStringList commit();

private:
    struct Staged {
        QString path;
        QString temporary;
    };
    std::vector<Staged> m_staged;
};

// Deletes a file; returns false, with the system's reason, when it could not.
bool deleteFile(const QString& path, QString* reason = nullptr);

// Where a path leads when it is a symbolic link, seen from a folder.
enum class LinkTarget {
    NotALink, // the path is no symbolic link (or does not exist)
    Inside,   // a link to a file in the folder or below it (canonical paths compared)
    Outside,  // a link to a file elsewhere, or one whose target cannot be told
    Dangling, // a link to nothing: its target does not exist, or the links form a loop
};
LinkTarget linkTarget(const QString& path, const QString& folder);

// One entry of a folder.
struct DirectoryEntry {
    // The name, decoded as Qt decodes file names.
    QString name;
    // False when the name cannot be reached through `name`: its bytes are not valid in the file
    // name encoding (UTF-8), so encoding the decoded name gives other bytes.
    bool reachable = true;
    // True for a symbolic link (told by the listing itself where the file system says).
    bool symLink = false;
};

// Calls `visit` for every entry of a folder ("." and ".." left out, hidden entries included) in
// the order the folder lists them. Returns false, with errno's reason in `reason`, when the
// folder cannot be listed.
bool forEachDirectoryEntry(const QString& directory,
                           const std::function<void(const DirectoryEntry&)>& visit,
                           QString* reason = nullptr);

// The three bytes of the UTF-8 byte-order mark.
inline QByteArray utf8Bom()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

} // namespace quillery
