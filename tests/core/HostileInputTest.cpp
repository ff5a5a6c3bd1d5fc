// Files other programs, other versions and other people wrote: each case gives a clear error or a
// sensible result, and the other book of the catalogue stays byte for byte as it was.

#include "base/Errors.h"
#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "format/FormatEngine.h"
#include "format/Report.h"

#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillery;

namespace {

using quillery::test::s;

const QByteArray GoodBook = "\xEF\xBB\xBF[File information]\r\nProgram version=1.2.0.0\r\n\r\n"
                            "[Cataloguing]\r\nAuthor=Austen, Jane\r\nTitle=Emma\r\n\r\n";

// A catalogue folder holding "Good.book" and whatever a test adds; checks at the end that the
// good book was left alone.
class HostileCatalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        test::writeBytes(good(), GoodBook);
    }
    void TearDown() override { EXPECT_EQ(test::readBytes(good()), GoodBook); }

    QString dir() const { return m_dir.path() + u'/'; }
    QString good() const { return dir() + s("Good.book"); }
    QString path(const char* name) const { return dir() + s(name); }

    // The report of every listed book by the format "%A|%T".
    QStringList report() const
    {
        FormatContext context;
        context.report.beforeReport.clear();
        context.report.afterReport.clear();
        context.report.beforeItem = s("%ID:");
        context.report.afterItem.clear();
        return GenerateReport(dir(), listBookNames(dir()), s("%A|%T"), context);
    }

    QDateTime when() const { return QDateTime(QDate(2024, 3, 1), QTime(12, 0)); }

    QTemporaryDir m_dir;
};

bool isRoot()
{
    return ::geteuid() == 0;
}

// A folder everyone may list and enter.
constexpr QFileDevice::Permissions OpenFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther;

// Runs `body` as an ordinary user and returns what it returns: directly when the tests do not run
// as root, else in a child process that has given up root for the user "nobody" (root passes
// every permission check, so permissions are tested from there).
QString asOrdinaryUser(const std::function<QString()>& body)
{
    if (!isRoot())
        return body();
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("no pipe");
    const pid_t pid = ::fork();
    if (pid < 0)
        return QStringLiteral("no fork");
    if (pid == 0) {
        ::close(fds[0]);
        QByteArray out;
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            out = "cannot become nobody";
        } else {
            try {
                out = body().toUtf8();
            } catch (...) {
                out = "unexpected exception";
            }
        }
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(fds[1], out.constData() + done, size_t(out.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QString::fromUtf8(out);
}

QByteArray noise(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(seed);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

} // namespace

TEST_F(HostileCatalogue, BookOfFiftyMegabytesIsReadReportedAndSaved)
{
    const qsizetype titleSize = 50 * 1024 * 1024;
    QByteArray bytes = "[Cataloguing]\r\nAuthor=Big\r\nTitle=";
    bytes += QByteArray(titleSize, 'x');
    bytes += "\r\n[Additional]\r\nNum pages=12\r\n";
    test::writeBytes(path("Big.book"), bytes);

    const BookRecord record = ReadBookRecord(path("Big.book"));
    EXPECT_EQ(record[Field::Author], s("Big"));
    EXPECT_EQ(record[Field::Title].size(), titleSize);
    EXPECT_EQ(record[Field::NumPages], s("12"));
    EXPECT_FALSE(IsVersion10File(path("Big.book")));

    const QStringList lines = report();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), qsizetype(strlen("Big:Big|")) + titleSize);
    EXPECT_EQ(lines[1], s("Good:Austen, Jane|Emma"));

    writeBookFile(path("Big.book"), record, when(), s("1.2.0.0"));
    EXPECT_EQ(ReadBookRecord(path("Big.book")), record);
}

TEST_F(HostileCatalogue, BinaryNoiseNamedBookReadsWithoutHarm)
{
    const QByteArray bytes = noise(256 * 1024, 7);
    test::writeBytes(path("Noise.book"), bytes);

    EXPECT_EQ(listBookNames(dir()), QStringList({s("Good"), s("Noise")}));
    const BookRecord record = ReadBookRecord(path("Noise.book"));
    EXPECT_EQ(record[Field::ID], s("Noise"));
    EXPECT_FALSE(UpgradeBookFile(path("Noise.book"), s("1.2.0.0")));
    EXPECT_EQ(test::readBytes(path("Noise.book")), bytes);
    EXPECT_EQ(report().size(), 2);

    // The shelf carries the noise (undecodable bytes as U+FFFD) and the good book whole.
    const QByteArray shelf = shelfBytes(dir(), s("1.2.0.0"));
    EXPECT_TRUE(shelf.contains("@BOOK FILENAME Noise.book\r\n"));
    EXPECT_TRUE(
        shelf.contains(QByteArray("@BOOK FILENAME Good.book\r\n" + GoodBook + "@END BOOK\r\n")));
}

TEST_F(HostileCatalogue, FolderNamedLikeABookIsListedAndRefusedClearly)
{
    ASSERT_TRUE(QDir(dir()).mkdir(s("x.book")));
    EXPECT_EQ(listBookNames(dir()), QStringList({s("Good"), s("x")}));
    EXPECT_FALSE(IsVersion10File(path("x.book")));

    const auto expectOpenError = [&](auto&& operation) {
        try {
            operation();
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(),
                      FileError::compose(e.kind(), path("x.book"), s("Is a directory")));
        }
    };
    expectOpenError([&] { ReadBookRecord(path("x.book")); });
    expectOpenError([&] { report(); });
    expectOpenError([&] { shelfBytes(dir(), s("1.2.0.0")); });
    expectOpenError([&] { writeBookFile(path("x.book"), BookRecord(), when(), s("1.2.0.0")); });
    EXPECT_EQ(upgradeCatalogue(dir(), listBookNames(dir())), 0);
    EXPECT_TRUE(QFileInfo(path("x.book")).isDir());
}

TEST_F(HostileCatalogue, NamedPipeNamedLikeABookIsRefusedWithoutWaiting)
{
    // Opening a pipe for reading used to wait for a writer that never comes, and the version
    // test of an opening catalogue waited with it. Now a pipe is refused at once: only regular
    // files are read.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.book")).constData(), 0600), 0);
    const QString message = FileError::compose(FileError::Kind::Open, path("pipe.book"),
                                               s("It is a named pipe, not a regular file"));
    QElapsedTimer timer;
    timer.start();
    const auto expectRefused = [&](auto&& operation) {
        try {
            operation();
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(e.message(), message);
        }
    };
    expectRefused([&] { ReadBookRecord(path("pipe.book")); });
    expectRefused([&] { report(); });
    expectRefused([&] { shelfBytes(dir(), s("1.2.0.0")); });
    expectRefused([&] { readWholeFile(path("pipe.book")); });
    EXPECT_FALSE(IsVersion10File(path("pipe.book")));
    VersionTestCache cache;
    EXPECT_FALSE(cache.catalogueHasVersion10Files(dir(), listBookNames(dir())));
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(HostileCatalogue, UnreadableBookGivesTheSystemsReason)
{
    test::writeBytes(path("Locked.book"), GoodBook);
    ASSERT_TRUE(QFile::setPermissions(path("Locked.book"), QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(dir(), OpenFolder));
    const QString outcome = asOrdinaryUser([&] {
        QStringList seen;
        try {
            ReadBookRecord(path("Locked.book"));
            seen << s("read");
        } catch (const FileError& e) {
            seen << e.message();
        }
        try {
            report();
            seen << s("reported");
        } catch (const FileError& e) {
            seen << s("no report");
        }
        seen << (IsVersion10File(path("Locked.book")) ? s("1.0") : s("not 1.0"));
        return seen.join(u'\n');
    });
    EXPECT_EQ(outcome, FileError::compose(FileError::Kind::Open, path("Locked.book"),
                                          s("Permission denied")) +
                           s("\nno report\nnot 1.0"));
    QFile::setPermissions(dir(), OpenFolder | QFileDevice::WriteOwner);
}

TEST_F(HostileCatalogue, UnwritableBookAndFolderKeepTheirFiles)
{
    const auto save = [&](const QString& file) {
        return asOrdinaryUser([&] {
            try {
                writeBookFile(file, BookRecord(), when(), s("1.2.0.0"));
                return s("saved");
            } catch (const FileError& e) {
                return e.kind() == FileError::Kind::Create ? s("refused") : e.message();
            }
        });
    };
    // A read-only book in a folder open to all: the save must not replace it.
    test::writeBytes(path("ReadOnly.book"), GoodBook);
    ASSERT_TRUE(QFile::setPermissions(path("ReadOnly.book"), QFileDevice::ReadOwner |
                                                                 QFileDevice::ReadGroup |
                                                                 QFileDevice::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(dir(), OpenFolder | QFileDevice::WriteOwner |
                                                 QFileDevice::WriteGroup |
                                                 QFileDevice::WriteOther));
    EXPECT_EQ(save(path("ReadOnly.book")), s("refused"));
    EXPECT_EQ(test::readBytes(path("ReadOnly.book")), GoodBook);

    // A writable book in a read-only folder: no temporary file can be made, so the book is
    // written in place, and nothing else appears in the folder.
    test::writeBytes(path("Mine.book"), GoodBook);
    ASSERT_TRUE(QFile::setPermissions(path("Mine.book"),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadOther | QFileDevice::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(dir(), OpenFolder));
    const QStringList entries = QDir(dir()).entryList(QDir::AllEntries | QDir::Hidden);
    EXPECT_EQ(save(path("Mine.book")), s("saved"));
    EXPECT_EQ(ReadBookRecord(path("Mine.book"))[Field::Title], QString());
    EXPECT_EQ(QDir(dir()).entryList(QDir::AllEntries | QDir::Hidden), entries);

    // Neither the folder nor the book writable: refused, the book whole.
    EXPECT_EQ(save(path("ReadOnly.book")), s("refused"));
    EXPECT_EQ(test::readBytes(path("ReadOnly.book")), GoodBook);
    QFile::setPermissions(dir(), OpenFolder | QFileDevice::WriteOwner);
}

TEST_F(HostileCatalogue, BookOfTenThousandKeysKeepsThemAllOnSave)
{
    QByteArray bytes = "[Cataloguing]\r\n";
    for (int k = 0; k < 10000; ++k)
        bytes += "Key" + QByteArray::number(k) + "=value " + QByteArray::number(k) + "\r\n";
    bytes += "Title=Found at the end\r\n";
    test::writeBytes(path("Keys.book"), bytes);

    BookRecord record = ReadBookRecord(path("Keys.book"));
    EXPECT_EQ(record[Field::Title], s("Found at the end"));
    record[Field::Author] = s("Someone");
    writeBookFile(path("Keys.book"), record, when(), s("1.2.0.0"));
    const QByteArray saved = test::readBytes(path("Keys.book"));
    EXPECT_TRUE(saved.contains("\r\nKey0=value 0\r\n"));
    EXPECT_TRUE(saved.contains("\r\nKey9999=value 9999\r\n"));
    EXPECT_EQ(saved.count("=value "), 10000);
    EXPECT_EQ(ReadBookRecord(path("Keys.book")), record);
}

TEST_F(HostileCatalogue, LinesOfOneMegabyteSurviveReadSaveAndShelf)
{
    const QByteArray longLine(1024 * 1024, 'y');
    QByteArray bytes = "[Cataloguing]\r\nTitle=" + longLine + "\r\nNo key but long " + longLine +
                       "\r\n[Additional]\r\nComments=first\r\n\\r\\n" + longLine + "\r\n";
    test::writeBytes(path("Long.book"), bytes);

    BookRecord record = ReadBookRecord(path("Long.book"));
    EXPECT_EQ(record[Field::Title].toLatin1(), longLine);
    EXPECT_EQ(record[Field::Comments].toLatin1(), "first\r\n" + longLine);
    writeBookFile(path("Long.book"), record, when(), s("1.2.0.0"));
    EXPECT_EQ(ReadBookRecord(path("Long.book")), record);
    const QByteArray saved = test::readBytes(path("Long.book"));
    const qsizetype kept = saved.indexOf("No key but long ");
    ASSERT_GE(kept, 0);
    EXPECT_EQ(saved.sliced(kept + 16, longLine.size() + 2), longLine + "\r\n");

    const QStringList lines = shelfLines(dir(), s("1.2.0.0"));
    EXPECT_TRUE(lines.contains(s("Title=") + QString::fromLatin1(longLine)));
}

TEST_F(HostileCatalogue, Utf16WithByteOrderMarkReadsAsText)
{
    const QString text = s("[Cataloguing]\r\nAuthor=Müller\r\nTitle=Straße\r\n");
    QByteArray le = "\xFF\xFE";
    le += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    test::writeBytes(path("Utf16.book"), le);

    const BookRecord record = ReadBookRecord(path("Utf16.book"));
    EXPECT_EQ(record[Field::Author], s("Müller"));
    EXPECT_EQ(record[Field::Title], s("Straße"));
    EXPECT_FALSE(UpgradeBookFile(path("Utf16.book"), s("1.2.0.0")));

    // A save turns it into the program's own form, fields intact.
    writeBookFile(path("Utf16.book"), record, when(), s("1.2.0.0"));
    EXPECT_TRUE(test::readBytes(path("Utf16.book")).startsWith(utf8Bom()));
    EXPECT_EQ(ReadBookRecord(path("Utf16.book")), record);
}

TEST_F(HostileCatalogue, Utf16WithoutByteOrderMarkIsNeitherDecodedWrongNorDamaged)
{
    // Without a mark UTF-16 cannot be told from UTF-8 text full of NUL characters: nothing of
    // it is taken for a field, and the file is left alone until the user saves the book.
    const QString text = s("[Cataloguing]\r\nTitle=Wrong\r\n");
    const QByteArray le(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    test::writeBytes(path("Bare16.book"), le);

    const BookRecord record = ReadBookRecord(path("Bare16.book"));
    EXPECT_EQ(record[Field::Title], QString());
    EXPECT_FALSE(IsVersion10File(path("Bare16.book")));
    EXPECT_FALSE(UpgradeBookFile(path("Bare16.book"), s("1.2.0.0")));
    EXPECT_EQ(report().size(), 2);
    EXPECT_EQ(test::readBytes(path("Bare16.book")), le);
}

TEST_F(HostileCatalogue, FolderThatVanishesWhileOpen)
{
    QTemporaryDir other;
    const QString folder = other.path() + s("/Vanishing/");
    ASSERT_TRUE(QDir().mkpath(folder));
    test::writeBytes(folder + s("One.book"), GoodBook);
    const QStringList names = listBookNames(folder);
    ASSERT_EQ(names, QStringList({s("One")}));
    ASSERT_TRUE(QDir(folder).removeRecursively());

    // The list is empty; a report of the names still shown reads them as the empty books that
    // missing files are; a shelf refuses with the system's reason instead of writing an empty one.
    EXPECT_TRUE(listBookNames(folder).isEmpty());
    FormatContext context;
    EXPECT_EQ(GenerateReport(folder, names, s("%A"), context),
              QStringList({s("<ul>"), s("<li></li>"), s("</ul>")}));
    try {
        shelfLines(folder, s("1.2.0.0"));
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.reason(), s("No such file or directory"));
    }
    EXPECT_THROW(shelfBytes(folder, s("1.2.0.0")), FileError);
    EXPECT_THROW(writeBookFile(folder + s("One.book"), BookRecord(), when(), s("1.2.0.0")),
                 FileError);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

namespace {

BookRecord sampleRecord()
{
    BookRecord record;
    record[Field::ID] = s("Sample");
    record[Field::Author] = s("Doe, John");
    record[Field::Title] = s("Title");
    return record;
}

} // namespace

TEST(HostileFormat, FormatOfOneHundredThousandCharacters)
{
    QString format;
    while (format.size() < 100000)
        format += s("%A(Y\"<|>\"T%x0041 abc"); // 20 characters
    ASSERT_EQ(format.size(), 100000);
    FormatContext context;
    QElapsedTimer timer;
    timer.start();
    const QString text = FormatEngine::formatRecord(format, sampleRecord(), context);
    EXPECT_GT(text.size(), 100000);
    EXPECT_LT(timer.elapsed(), 2000);

    // An error at the very end names its position.
    try {
        FormatEngine::formatRecord(QString(QString(99999, u'a') + u'%'), sampleRecord(), context);
        SUCCEED();
    } catch (const FormatError&) {
        ADD_FAILURE() << "a final lone % is a literal";
    }
    try {
        FormatEngine::formatRecord(QString(QString(99998, u'a') + s("%!")), sampleRecord(),
                                   context);
        ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.position(), 99999);
    }
}

TEST(HostileFormat, OneThousandLinkTemplates)
{
    FormatContext context;
    for (int k = 0; k < 1000; ++k)
        context.dataLinkTemplates.append(s("https://example.org/%1?t=%T").arg(k));
    QStringList lines;
    buildDataLinks(sampleRecord(), context, lines);
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines[999], s("https://example.org/999?t=Title"));
    EXPECT_EQ(FormatEngine::formatRecord(s("%L999"), sampleRecord(), context),
              s("https://example.org/999?t=Title"));
}

TEST(HostileFormat, ChainOfFiveHundredTemplatesEachReferringToTheNext)
{
    FormatContext context;
    for (int k = 0; k < 499; ++k)
        context.dataLinkTemplates.append(s("%1/%L%2").arg(k).arg(k + 1, 3, 10, QChar(u'0')));
    context.dataLinkTemplates.append(s("end"));
    const QString text = FormatEngine::formatRecord(s("%L000"), sampleRecord(), context);
    EXPECT_TRUE(text.startsWith(s("0/1/2/")));
    EXPECT_TRUE(text.endsWith(s("/498/end")));

    // Closing the chain into a ring is an error, not a hang.
    context.dataLinkTemplates.last() = s("%L000");
    try {
        FormatEngine::formatRecord(s("%L000"), sampleRecord(), context);
        ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("The database link 000 refers to itself."));
    }
    QStringList lines;
    EXPECT_THROW(buildDataLinks(sampleRecord(), context, lines), FormatError);
}

TEST(HostileFormat, TemplatesThatDoubleAtEachStepStopInsteadOfExhaustingMemory)
{
    // Each template inserts the next one twice: 2^40 copies of the last one, far more than any
    // memory holds. The run stops with the nesting error instead.
    FormatContext context;
    for (int k = 0; k < 40; ++k) {
        const QString next = s("%1").arg(k + 1, 3, 10, QChar(u'0'));
        context.dataLinkTemplates.append(s("%L") + next + s("%L") + next);
    }
    context.dataLinkTemplates.append(s("x"));
    QElapsedTimer timer;
    timer.start();
    try {
        FormatEngine::formatRecord(s("%L000"), sampleRecord(), context);
        ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.message().endsWith(s(" is nested too deeply."))) << e.what();
    }
    EXPECT_LT(timer.elapsed(), 2000);

    // Twelve doublings (4,096 copies) are an ordinary result.
    context.dataLinkTemplates[12] = s("x");
    EXPECT_EQ(FormatEngine::formatRecord(s("%L000"), sampleRecord(), context), QString(4096, u'x'));
}

TEST(HostileFormat, ThousandDeepChainEndsInACycleWithoutExhaustingTheStack)
{
    // A link names its template in three digits, so at most 1,000 templates can nest: deep, but
    // within the stack (also under the sanitizers, whose frames are larger).
    FormatContext context;
    const int count = FormatEngine::MaxLinkDepth + 10;
    for (int k = 0; k < count; ++k)
        context.dataLinkTemplates.append(s("x%L") + s("%1").arg(k + 1, 3, 10, QChar(u'0')));
    // Three digits name templates 0 to 999: the chain runs to 999 and then refers to "%L1000"'s
    // first three digits, "100", which is already being formatted.
    try {
        FormatEngine::formatRecord(s("%L000"), sampleRecord(), context);
        ADD_FAILURE() << "no error";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("The database link 100 refers to itself."));
    }
}
