// Odd files in and around a catalogue: pipes, devices, sockets and files too large to read are
// refused at once; links are read through but saved only within the catalogue; outputs onto
// pipes and devices are written through; names as long as the file system holds are saved; names
// that are not valid UTF-8 are counted, not lost.

#include "base/Errors.h"
#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "format/Report.h"

#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace quillery;

namespace {

using quillery::test::s;

const QByteArray Book = "\xEF\xBB\xBF[Cataloguing]\r\nAuthor=Austen, Jane\r\nTitle=Emma\r\n";

// The message an operation fails with, or "no error".
QString failureOf(const std::function<void()>& operation)
{
    try {
        operation();
        return s("no error");
    } catch (const Error& e) {
        return e.message();
    }
}

QString openError(const QString& path, const char* reason)
{
    return FileError::compose(FileError::Kind::Open, path, s(reason));
}

QString createError(const QString& path, const char* reason)
{
    return FileError::compose(FileError::Kind::Create, path, s(reason));
}

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

bool makeSocket(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

class FileAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_outside.isValid());
    }

    QString dir() const { return m_dir.path() + u'/'; }
    QString path(const QString& name) const { return dir() + name; }
    QString outside(const char* name) const { return m_outside.filePath(s(name)); }

    QStringList report() const
    {
        FormatContext context;
        return GenerateReport(dir(), listBookNames(dir()), s("%T"), context);
    }

    void save(const QString& file, const char* title) const
    {
        BookRecord record;
        record[Field::Title] = s(title);
        writeBookFile(file, record, QDateTime(QDate(2024, 3, 1), QTime(12, 0)), s("1.2.0.0"));
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
};

} // namespace

TEST_F(FileAccess, PipesDevicesAndSocketsNamedLikeBooksAreRefusedAtOnce)
{
    const struct {
        const char* name;
        std::function<bool(const QString&)> make;
        const char* reason;
    } cases[] = {
        {"pipe.book",
         [](const QString& p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; },
         "It is a named pipe, not a regular file"},
        {"zero.book", [](const QString& p) { return QFile::link(s("/dev/zero"), p); },
         "It is a device, not a regular file"},
        {"socket.book", makeSocket, "It is a socket, not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(s(c.name));
        ASSERT_TRUE(c.make(file));
        QElapsedTimer timer;
        timer.start();
        const QString message = openError(file, c.reason);
        EXPECT_EQ(failureOf([&] { ReadBookRecord(file); }), message);
        EXPECT_EQ(failureOf([&] { readWholeFile(file); }), message);
        EXPECT_EQ(failureOf([&] { report(); }), message);
        EXPECT_FALSE(IsVersion10File(file));
        VersionTestCache cache;
        EXPECT_FALSE(cache.catalogueHasVersion10Files(dir(), listBookNames(dir())));
        // The link to /dev/zero leads out of the catalogue: the shelf leaves it out unread.
        QStringList leftOut;
        const QString shelf = failureOf([&] { shelfBytes(dir(), s("1.2.0.0"), &leftOut); });
        if (modeOf(file) && S_ISLNK(modeOf(file)))
            EXPECT_EQ(leftOut, QStringList({s(c.name)}));
        else
            EXPECT_EQ(shelf, message);
        EXPECT_LT(timer.elapsed(), 2000);
        ASSERT_TRUE(QFile::remove(file));
    }
}

TEST_F(FileAccess, FileAboveTheSizeLimitIsRefusedNamingIt)
{
    QFile huge(path(s("Huge.book")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(MaxReadFileSize + 1)); // sparse: no disk space taken
    huge.close();
    const QString message =
        openError(huge.fileName(), "The file is larger than 256 MiB, more than the program reads");
    EXPECT_EQ(failureOf([&] { ReadBookRecord(huge.fileName()); }), message);
    EXPECT_EQ(failureOf([&] { shelfBytes(dir(), s("1.2.0.0")); }), message);
    EXPECT_FALSE(IsVersion10File(huge.fileName()));
}

TEST_F(FileAccess, LinksAreReadThroughAndSavedOnlyWithinTheCatalogue)
{
    ASSERT_TRUE(QDir(dir()).mkdir(s("store")));
    const QString away = QFileInfo(m_outside.path()).fileName();
    const struct {
        const char* name;
        QString target; // as the link holds it
        QString file;   // the file it leads to
        bool dangling;
        const char* refusal;
    } cases[] = {
        {"Sibling.book", s("Real.book"), path(s("Real.book")), false, nullptr},
        {"Below.book", path(s("store/Real.book")), path(s("store/Real.book")), false, nullptr},
        {"Outside.book", outside("Real.book"), outside("Real.book"), false,
         "The book is a symbolic link to a file outside the catalogue folder"},
        {"Escaping.book", s("store/../../") + away + s("/Other.book"), outside("Other.book"), false,
         "The book is a symbolic link to a file outside the catalogue folder"},
        {"Gone.book", s("Nothing.book"), path(s("Nothing.book")), true,
         "The book is a symbolic link that points to nothing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString link = path(s(c.name));
        ASSERT_EQ(
            ::symlink(QFile::encodeName(c.target).constData(), QFile::encodeName(link).constData()),
            0);
        if (!c.dangling)
            test::writeBytes(c.file, Book);
        EXPECT_EQ(ReadBookRecord(link)[Field::Title], c.dangling ? QString() : s("Emma"));

        const QString failure = failureOf([&] { save(link, "Changed"); });
        EXPECT_TRUE(S_ISLNK(modeOf(link)));
        if (c.refusal) {
            EXPECT_EQ(failure, createError(link, c.refusal));
            if (c.dangling)
                EXPECT_FALSE(QFileInfo::exists(c.file));
            else
                EXPECT_EQ(test::readBytes(c.file), Book);
        } else {
            EXPECT_EQ(failure, s("no error"));
            EXPECT_EQ(ReadBookRecord(c.file)[Field::Title], s("Changed"));
        }
    }

    // Upgrading is saving too.
    QFile::copy(test::dataPath(s("v10-cp1252.book")), outside("Old.book"));
    const QByteArray old = test::readBytes(outside("Old.book"));
    ASSERT_TRUE(QFile::link(outside("Old.book"), path(s("Old.book"))));
    EXPECT_EQ(failureOf([&] { UpgradeBookFile(path(s("Old.book")), s("1.2.0.0")); }),
              createError(path(s("Old.book")),
                          "The book is a symbolic link to a file outside the catalogue folder"));
    EXPECT_EQ(test::readBytes(outside("Old.book")), old);
}

TEST_F(FileAccess, ShelfLeavesOutLinksThatLeaveTheCatalogue)
{
    test::writeBytes(path(s("Real.book")), Book);
    test::writeBytes(outside("Secret.book"), "[Cataloguing]\r\nTitle=Secret\r\n");
    ASSERT_TRUE(QFile::link(s("Real.book"), path(s("In.book"))));
    ASSERT_TRUE(QFile::link(outside("Secret.book"), path(s("Out.book"))));
    ASSERT_TRUE(QFile::link(s("Nothing.book"), path(s("Gone.book"))));

    QStringList leftOut;
    const QByteArray shelf = shelfBytes(dir(), s("1.2.0.0"), &leftOut);
    EXPECT_TRUE(shelf.contains(QByteArray("@BOOK FILENAME In.book\r\n" + Book + "@END BOOK\r\n")));
    EXPECT_FALSE(shelf.contains("Secret"));
    EXPECT_FALSE(shelf.contains("Out.book"));
    leftOut.sort();
    EXPECT_EQ(leftOut, QStringList({s("Gone.book"), s("Out.book")}));
    EXPECT_EQ(shelfLeftOutText(leftOut),
              s("2 book file(s) left out of the shelf: they are links to files outside the "
                "catalogue folder or to nothing: Gone.book, Out.book."));

    QStringList linesLeftOut;
    EXPECT_FALSE(shelfLines(dir(), s("1.2.0.0"), &linesLeftOut).contains(s("Title=Secret")));
    EXPECT_EQ(linesLeftOut.size(), 2);
}

TEST_F(FileAccess, OutputsOntoPipesAndDevicesAreWrittenThroughNotReplaced)
{
    const QByteArray bytes = "@@ EOF\r\n";
    const QString pipe = path(s("out.shelf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writeWholeFile(pipe, bytes);
    char buffer[64];
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), bytes.size());
    EXPECT_EQ(QByteArray(buffer, bytes.size()), bytes);
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(modeOf(pipe)));

    // Nobody reading: refused at once rather than waited for.
    EXPECT_EQ(failureOf([&] { writeWholeFile(pipe, bytes); }),
              createError(pipe, "No program is reading from the named pipe"));

    // A null device of our own where we may make one, so that a fault could never replace the
    // system's.
    QString null = s("/dev/null");
    if (::geteuid() == 0) {
        null = path(s("null"));
        ASSERT_EQ(::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    }
    writeWholeFile(null, bytes);
    EXPECT_TRUE(S_ISCHR(modeOf(null)));
}

TEST_F(FileAccess, NamesUpToTheFileSystemsLimitInBytesAreAcceptedAndSaved)
{
    if (::pathconf(QFile::encodeName(dir()).constData(), _PC_NAME_MAX) != 255)
        GTEST_SKIP() << "the temporary folder's file system does not hold 255-byte names";
    const struct {
        QString stem;
        NameCheck check;
    } cases[] = {
        {QString(250, u'a'), NameCheck::Accepted}, // 255 bytes with ".book"
        {QString(251, u'a'), NameCheck::Invalid},
        {QString(125, u'é'), NameCheck::Accepted}, // two bytes each
        {QString(126, u'é'), NameCheck::Invalid},  // 131 characters, but 257 bytes
    };
    for (const auto& c : cases) {
        const QString name = c.stem + s(".book");
        SCOPED_TRACE(name.size());
        EXPECT_EQ(checkProposal(dir(), name), c.check);
        if (c.check != NameCheck::Accepted)
            continue;
        // The temporary name does not grow with the book's: the save goes through, the book
        // keeps its permissions and nothing else is left in the folder.
        test::writeBytes(path(name), Book);
        ASSERT_TRUE(QFile::setPermissions(path(name),
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        save(path(name), "Long");
        EXPECT_EQ(ReadBookRecord(path(name))[Field::Title], s("Long"));
        EXPECT_EQ(modeOf(path(name)) & 0777, 0640u);
        EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden), QStringList({name}));
        ASSERT_TRUE(QFile::remove(path(name)));
    }
}

TEST_F(FileAccess, NamesThatAreNotUtf8AreCountedNotLost)
{
    test::writeBytes(path(s("Good.book")), Book);
    // Made and removed by their bytes: Qt reaches files only by names it can decode.
    struct RawFiles {
        std::vector<QByteArray> paths;
        ~RawFiles()
        {
            for (const QByteArray& p : paths)
                ::unlink(p.constData());
        }
    } files;
    for (const char* raw : {"Bad\xFF.book", "Cut\xC3.BOOK", "junk\xFF.txt"}) {
        files.paths.push_back(QFile::encodeName(dir()) + raw);
        const int fd = ::open(files.paths.back().constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    int skipped = -1;
    EXPECT_EQ(listBookNames(dir(), &skipped), QStringList({s("Good")}));
    EXPECT_EQ(skipped, 2);
    EXPECT_EQ(countUndecodableBookNames(dir()), 2);
    EXPECT_EQ(undecodableNamesText(2),
              s("2 book file(s) left out: their names are not valid UTF-8."));

    skipped = -1;
    EXPECT_TRUE(shelfBytes(dir(), s("1.2.0.0"), nullptr, &skipped)
                    .contains("@BOOK FILENAME Good.book\r\n"));
    EXPECT_EQ(skipped, 2);
    skipped = -1;
    EXPECT_TRUE(
        shelfLines(dir(), s("1.2.0.0"), nullptr, &skipped).contains(s("@BOOK FILENAME Good.book")));
    EXPECT_EQ(skipped, 2);
    EXPECT_EQ(report(), QStringList({s("<ul>"), s("<li>Emma</li>"), s("</ul>")}));
}
