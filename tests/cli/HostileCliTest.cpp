// The command line over a catalogue holding hostile entries: clear failures (exit 1, the message
// on stderr, nothing on stdout, no output file) or sensible results, and no book touched.

#include "base/Errors.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "cli/Cli.h"

#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillery;

namespace {

using quillery::test::s;

using Result = test::CliResult;

Result run(const QStringList& args)
{
    return test::runCli(args);
}

const QByteArray GoodBook = "\xEF\xBB\xBF[Cataloguing]\r\nTitle=Emma\r\n\r\n";

class HostileCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeBytes(path("Good.book"), GoodBook);
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        test::writeBytes(path("Noise.book"), noise);
        m_settings = m_home.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n");
    }
    void TearDown() override { EXPECT_EQ(test::readBytes(path("Good.book")), GoodBook); }

    QString path(const char* name) const { return m_dir.filePath(s(name)); }
    QStringList withSettings(const QStringList& args) const
    {
        return QStringList({s("--settings"), m_settings}) + args;
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_home;
    QString m_settings;
};

} // namespace

TEST_F(HostileCli, NoiseAndAPipeListAndUpgradeWhileReportAndShelfRefuseThePipeAtOnce)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("Pipe.book")).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    Result r = run({s("list"), m_dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QByteArray("Good\nNoise\nPipe\n3 book(s) in this catalogue.\n"));

    const QByteArray message = FileError::compose(FileError::Kind::Open, path("Pipe.book"),
                                                  s("It is a named pipe, not a regular file"))
                                   .toUtf8() +
                               '\n';
    r = run(withSettings({s("report"), m_dir.path(), s("--format"), s("%T")}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, message);

    const QString shelf = m_home.filePath(s("all.shelf"));
    r = run({s("shelf"), m_dir.path(), s("-o"), shelf});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message);
    EXPECT_FALSE(QFileInfo::exists(shelf));

    r = run({s("upgrade"), m_dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QByteArray("0 books upgraded.\n"));
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST_F(HostileCli, FolderNamedLikeABookFailsReportAndShelfClearly)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(s("x.book")));
    const QByteArray message =
        FileError::compose(FileError::Kind::Open, path("x.book"), s("Is a directory")).toUtf8();

    Result r = run(withSettings({s("report"), m_dir.path()}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();

    const QString shelf = m_home.filePath(s("all.shelf"));
    r = run({s("shelf"), m_dir.path(), s("-o"), shelf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(shelf));
}

TEST_F(HostileCli, SettingsFileOfNoiseOrAPipeIsRefused)
{
    test::writeBytes(m_settings, QByteArray("\x00\xFF\x13garbage\r\n", 12));
    Result r = run(withSettings({s("format"), path("Good.book"), s("%T")}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("is not a registry file")) << r.err.toStdString();

    ASSERT_TRUE(QFile::remove(m_settings));
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_settings).constData(), 0600), 0);
    r = run(withSettings({s("format"), path("Good.book"), s("%T")}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, FileError::compose(FileError::Kind::Open, m_settings,
                                        s("It is a named pipe, not a regular file"))
                             .toUtf8() +
                         '\n');
}

TEST_F(HostileCli, DeviceLinkedAsABookFailsClearlyInsteadOfExhaustingMemory)
{
    ASSERT_TRUE(QFile::link(s("/dev/zero"), path("Zero.book")));
    const QByteArray message = FileError::compose(FileError::Kind::Open, path("Zero.book"),
                                                  s("It is a device, not a regular file"))
                                   .toUtf8() +
                               '\n';
    for (const QStringList& args : {QStringList({s("report"), m_dir.path()}),
                                    QStringList({s("format"), path("Zero.book"), s("%T")})}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Result r = run(withSettings(args));
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err, message);
    }
}

TEST_F(HostileCli, LeftOutBooksAreWarnedAboutOnStderrOnly)
{
    // Made and removed by its bytes: Qt reaches files only by names it can decode.
    struct RawFile {
        QByteArray path;
        ~RawFile() { ::unlink(path.constData()); }
    } bad{QFile::encodeName(m_dir.path()) + "/Bad\xFF.book"};
    const int fd = ::open(bad.path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    test::writeBytes(m_home.filePath(s("Secret.book")), GoodBook);
    ASSERT_TRUE(QFile::link(m_home.filePath(s("Secret.book")), path("Out.book")));
    const QByteArray names = (undecodableNamesText(1) + u'\n').toUtf8();
    const QByteArray links = (shelfLeftOutText({s("Out.book")}) + u'\n').toUtf8();

    const struct {
        QStringList args;
        QByteArray out;
        QByteArray err;
    } cases[] = {
        {{s("list"), m_dir.path()}, "Good\nNoise\nOut\n3 book(s) in this catalogue.\n", names},
        {withSettings({s("report"), m_dir.path(), s("--format"), s("%T"), s("--before-report"),
                       QString(), s("--after-report"), QString()}),
         "<li>Emma</li>\r\n<li></li>\r\n<li>Emma</li>\r\n", names},
        {{s("upgrade"), m_dir.path()}, "0 books upgraded.\n", names},
        {{s("shelf"), m_dir.path(), s("-o"), m_home.filePath(s("all.shelf"))}, "", links + names},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Result r = run(c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_FALSE(test::readBytes(m_home.filePath(s("all.shelf"))).contains("Out.book"));
}

TEST_F(HostileCli, RunningOutOfMemoryEndsWithAMessageNotAnAbort)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer cannot run under a limit on address space";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer cannot run under a limit on address space";
#endif
#endif
    // A book within the size limit, in a child process whose address space cannot hold it.
    QFile big(path("Big.book"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(200 * 1024 * 1024)); // sparse
    big.close();
    const QStringList args = withSettings({s("format"), big.fileName(), s("%T")});
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::close(fds[0]);
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const rlim_t room = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + 64 * 1024 * 1024;
        const rlimit limit{room, room};
        QByteArray report = "no limit";
        if (pages > 0 && ::setrlimit(RLIMIT_AS, &limit) == 0) {
            QByteArray out;
            QByteArray err;
            report = QByteArray::number(cli::run(args, out, err)) + ' ' + err;
        }
        if (::write(fds[1], report.constData(), size_t(report.size())) < 0)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray report;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        report.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(report, QByteArray("1 Not enough memory to complete the operation.\n"));
}
