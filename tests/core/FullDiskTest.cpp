// Saving on a disk that is full or read-only: every save fails with "Cannot create file "%s". %s"
// and leaves every existing file byte for byte as it was. The tests mount a small tmpfs of their
// own, so they need root; they are skipped otherwise, or where mounting is not allowed.

#include "base/Errors.h"
#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/DirectoryOptions.h"
#include "catalogue/Shelf.h"
#include "format/Report.h"

#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace quillery;

namespace {

using quillery::test::s;

class SmallDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef Q_OS_LINUX
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a file system needs root";
        ASSERT_TRUE(m_base.isValid());
        m_dir = m_base.path() + s("/disk/");
        ASSERT_TRUE(QDir().mkpath(m_dir));
        if (::mount("tmpfs", QFile::encodeName(m_dir).constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        m_mounted = true;
        fillCatalogue();
#else
        GTEST_SKIP() << "needs Linux";
#endif
    }

    void TearDown() override
    {
#ifdef Q_OS_LINUX
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
#endif
    }

    QString path(const char* name) const
    {
        return m_dir + s(name);
    }

    // A book, the options file, a report and a shelf, as the program writes them.
    void fillCatalogue()
    {
        BookRecord record;
        record[Field::Author] = s("Austen, Jane");
        record[Field::Title] = s("Emma");
        writeBookFile(path("Emma.book"), record, QDateTime(QDate(2024, 3, 1), QTime(12, 0)),
                      s("1.2.0.0"));
        DirectoryOptions options;
        options.format = s("%A(Y");
        writeDirectoryOptions(m_dir, options);
        FormatContext context;
        const QStringList report = GenerateReport(m_dir, {s("Emma")}, s("%A: %T"), context);
        writeWholeFile(path("report.html"), reportFileBytes(report));
        WriteUtf8Lines(shelfLines(m_dir, s("1.2.0.0")), path("catalogue.shelf"));
    }

    // Every file of the folder with its bytes.
    std::map<QString, QByteArray> snapshot() const
    {
        std::map<QString, QByteArray> files;
        const QStringList names =
            QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& name : names)
            files[name] = test::readBytes(m_dir + name);
        return files;
    }

    // Writes a filler file until the disk refuses another byte.
    void fillDisk()
    {
        QFile filler(path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, 'f');
        qint64 total = 0;
        while (filler.write(block) == block.size())
            total += block.size();
        ASSERT_LT(total, 64 * 1024);
        // Single bytes until even the last partly used block is full.
        while (filler.write("f", 1) == 1)
            ;
    }

    // Runs each save, expecting the documented error for its path and no change to any file.
    void expectEverySaveFailsLeavingFilesAlone(const QString& why)
    {
        const std::map<QString, QByteArray> before = snapshot();
        ASSERT_EQ(before.count(s("Emma.book")), 1u);
        BookRecord changed = ReadBookRecord(path("Emma.book"));
        changed[Field::Title] = s("Emma, changed and longer than before");
        DirectoryOptions options;
        options.format = s("%T (changed)");
        const QStringList lines = {s("<ul>"), s("<li>changed</li>"), s("</ul>")};

        const std::pair<const char*, std::function<void()>> saves[] = {
            {"Emma.book",
             [&] {
                 writeBookFile(path("Emma.book"), changed,
                               QDateTime(QDate(2024, 3, 2), QTime(12, 0)), s("1.2.0.0"));
             }},
            {"directory.qy-opts",
             [&] {
                 writeDirectoryOptions(m_dir, options);
             }},
            {"report.html",
             [&] {
                 writeWholeFile(path("report.html"), reportFileBytes(lines));
             }},
            {"catalogue.shelf",
             [&] {
                 WriteUtf8Lines(lines, path("catalogue.shelf"));
             }},
            {"New.book",
             [&] {
                 writeBookFile(path("New.book"), changed);
             }},
        };
        for (const auto& [name, save] : saves) {
            SCOPED_TRACE(name);
            try {
                save();
                ADD_FAILURE() << "the save succeeded on a " << why.toStdString() << " disk";
            } catch (const FileError& e) {
                EXPECT_EQ(e.kind(), FileError::Kind::Create);
                EXPECT_EQ(e.path(), path(name));
                EXPECT_FALSE(e.reason().isEmpty());
                EXPECT_EQ(e.message(), s("Cannot create file \"%1\". %2")
                                           .arg(QDir::toNativeSeparators(path(name)), e.reason()));
            }
            EXPECT_EQ(snapshot(), before) << "no file changed, none left behind";
        }
    }

    QTemporaryDir m_base;
    QString m_dir;
    bool m_mounted = false;
};

} // namespace

TEST_F(SmallDisk, FullDiskFailsEverySaveAndKeepsEveryFile)
{
    fillDisk();
    expectEverySaveFailsLeavingFilesAlone(s("full"));
    // With room again, the same save goes through.
    ASSERT_TRUE(QFile::remove(path("filler")));
    DirectoryOptions options;
    options.format = s("%T");
    writeDirectoryOptions(m_dir, options);
    EXPECT_TRUE(test::readBytes(path("directory.qy-opts")).contains("Format=%T\r\n"));
}

TEST_F(SmallDisk, ReadOnlyFileSystemFailsEverySaveAndKeepsEveryFile)
{
#ifdef Q_OS_LINUX
    // Root passes over file permissions; a read-only mount stops it too.
    ASSERT_EQ(::mount(nullptr, QFile::encodeName(m_dir).constData(), nullptr,
                      MS_REMOUNT | MS_RDONLY, "size=64k"),
              0)
        << std::strerror(errno);
    expectEverySaveFailsLeavingFilesAlone(s("read-only"));
    EXPECT_EQ(ReadBookRecord(path("Emma.book"))[Field::Title], s("Emma"));
#endif
}
