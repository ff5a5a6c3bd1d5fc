// Books read on the worker pool: the same bytes and the same first error as one after another,
// whatever hostile entry a catalogue holds and wherever it stands; a cancelled report delivers
// nothing.
#include "base/Cancelled.h"
#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "exchange/Exchange.h"
#include "format/Report.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;

namespace {

using quillery::test::s;

// The message an operation fails with, "no error", or "cancelled".
QString failureOf(const std::function<void()>& operation)
{
    try {
        operation();
        return s("no error");
    } catch (const Error& e) {
        return e.message();
    } catch (const Cancelled&) {
        return s("cancelled");
    }
}

QByteArray bookBytes(int i)
{
    // Titles in several scripts, some series and translations, so that the sort keys and the
    // groups have something to do.
    const char* titles[] = {"Émile", "Zoë", "Ørsted", "Дом", "東京", "apple", "Apple", "Østen"};
    return QByteArray("\xEF\xBB\xBF[Cataloguing]\r\nAuthor=Author ") + QByteArray::number(i % 7) +
           "\r\nTitle=" + titles[i % 8] + " " + QByteArray::number(i) +
           "\r\nYear written=" + QByteArray::number(1900 + i % 13) +
           "\r\n[Additional information]\r\nSeries=" + (i % 3 ? "Cycle" : "") +
           "\r\nPosition=" + QByteArray::number(i % 5) +
           "\r\n[Language]\r\nLanguage=" + (i % 2 ? "English" : "Deutsch") + "\r\n";
}

struct Hostile {
    const char* kind;
    std::function<bool(const QString& path, const QString& outside)> make;
};

const Hostile hostileKinds[] = {
    {"folder",
     [](const QString& p, const QString&) {
         return QDir().mkdir(p);
     }},
    {"fifo",
     [](const QString& p, const QString&) {
         return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0;
     }},
    {"device link",
     [](const QString& p, const QString&) {
         return QFile::link(s("/dev/zero"), p);
     }},
    {"link outside",
     [](const QString& p, const QString& outside) {
         test::writeBytes(outside, bookBytes(7));
         return QFile::link(outside, p);
     }},
    {"dangling link",
     [](const QString& p, const QString& outside) {
         return QFile::link(outside + s("x"), p);
     }},
    {"over the size limit",
     [](const QString& p, const QString&) {
         QFile huge(p);
         return huge.open(QIODevice::WriteOnly) && huge.resize(MaxReadFileSize + 1);
     }},
    {"invalid UTF-8",
     [](const QString& p, const QString&) {
         test::writeBytes(p, "[Cataloguing]\r\nTitle=Caf\xE9 \xFF\xFE\r\n");
         return true;
     }},
    {"version 1.0",
     [](const QString& p, const QString&) {
         return QFile::copy(test::dataPath(s("v10-cp1252.book")), p);
     }},
};

class ParallelReading : public ::testing::Test {
protected:
    static constexpr int Books = 150;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_outside.isValid());
        for (int i = 0; i < Books; ++i)
            test::writeBytes(path(i, ""), bookBytes(i));
    }

    QString dir() const { return m_dir.path() + u'/'; }
    // Book i, or an entry that sorts right after it with a suffix.
    QString path(int i, const char* suffix) const
    {
        return dir() + s("Book %1%2.book").arg(i, 3, 10, QChar(u'0')).arg(s(suffix));
    }

    // The first failure of the books read one after another in list order.
    QString firstFailureInOrder() const
    {
        for (const QString& name : listBookNames(dir())) {
            const QString failure = failureOf([&] { ReadBookRecord(bookFilePath(dir(), name)); });
            if (failure != s("no error"))
                return failure;
        }
        return s("no error");
    }

    // The report on one thread and on a pool of more threads than books per run, as bytes,
    // and the failure if any.
    void expectSameReports(const FormatContext& context, const QString& expectedFailure)
    {
        const QStringList names = listBookNames(dir());
        WorkerPool many(4);
        ReportRun sequential;
        sequential.pool = &WorkerPool::sequential();
        ReportRun parallel;
        parallel.pool = &many;
        QByteArray one;
        QByteArray other;
        const QString failure = failureOf([&] {
            one =
                reportFileBytes(GenerateReport(dir(), names, s("%A: %T %Y"), context, sequential));
        });
        EXPECT_EQ(failure, expectedFailure);
        EXPECT_EQ(failureOf([&] {
                      other =
                          generateReportUtf8(dir(), names, s("%A: %T %Y"), context, true, parallel);
                  }),
                  failure);
        EXPECT_EQ(one, other);
        // Read while the folder is listed: the same bytes, list and first failure.
        QStringList listed;
        int undecodable = -1;
        EXPECT_EQ(failureOf([&] {
                      other = generateFolderReportUtf8(dir(), s("%A: %T %Y"), context, true, listed,
                                                       undecodable);
                  }),
                  failure);
        EXPECT_EQ(listed, names);
        EXPECT_EQ(undecodable, 0);
        if (failure == s("no error")) {
            EXPECT_EQ(one, other);
        }
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
};

} // namespace

TEST(WorkerPool, EveryItemOnceAndTheFirstFailureInListOrder)
{
    for (const int threads : {1, 3}) {
        WorkerPool pool(threads);
        for (const qsizetype count : {0, 1, 64, 65, 1000}) {
            SCOPED_TRACE(testing::Message() << threads << " threads, " << count << " items");
            std::vector<std::atomic<int>> seen(static_cast<size_t>(count));
            pool.forEach(
                count, [&](qsizetype i) { ++seen[size_t(i)]; }, 7);
            for (const auto& n : seen)
                EXPECT_EQ(n.load(), 1);
        }
        // Items 5, 600 and 601 fail: the failure of 5 is the one thrown, whichever thread met
        // which first, and work nested in the items runs on the same pool.
        std::atomic<qsizetype> nested{0};
        const auto failing = [&](qsizetype i) {
            pool.forEach(3, [&](qsizetype) { ++nested; });
            if (i == 5 || i == 600 || i == 601)
                throw std::runtime_error(std::to_string(i));
        };
        try {
            pool.forEachRun(1000, [&](qsizetype begin, qsizetype end) {
                for (qsizetype i = begin; i < end; ++i)
                    failing(i);
            });
            ADD_FAILURE() << "no failure";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "5");
        }
        EXPECT_GE(nested.load(), 3 * 6);
        // Once stopped, no item starts.
        std::atomic<bool> stop{true};
        std::atomic<int> started{0};
        pool.forEach(
            1000, [&](qsizetype) { ++started; }, 1, &stop);
        EXPECT_EQ(started.load(), 0);
    }
}

TEST(WorkerPool, Utf8LinesAsToUtf8EncodesThem)
{
    const QString lines[] = {s(""), s("plain"), s("Zoë – 東京 𝄞"), QString(QChar(0xD800)),
                             s("a") + QChar(0xDC00) + s("b")};
    for (const QString& line : lines) {
        QByteArray bytes("x");
        appendUtf8Line(bytes, line);
        EXPECT_EQ(bytes, QByteArray("x" + line.toUtf8() + "\r\n"));
    }
}

// The books' reader decodes only the values of plain UTF-8 books and leaves the rest to the
// general reader: both give the same record.
TEST_F(ParallelReading, BookReaderReadsAsTheGeneralReader)
{
    const QByteArray books[] = {
        "[Cataloguing]\r\nTitle=Emma\r\nAuthor=Austen, Jane",
        "\xEF\xBB\xBF\xEF\xBB\xBF[cataloguing]\nTITLE = Zo\xC3\xAB \r\rauthor=\xE6\x9D\xB1",
        " \xEF\xBB\xBF [Cataloguing]\n\xEF\xBB\xBF Title=\xEF\xBB\xBFmark kept\n",
        "[Cataloguing]\nTitle=first\nTitle=second\n[Cataloguing]\nAuthor=later section\n",
        "Title=before any section\n[Cataloguing]\n; Title=comment\nno equals sign\nTitle=a=b",
        "[Cataloguing]\nTitle=line\n\\r\\nnext\\u00e9\nAuthor=x",
        "[Cataloguing]\nTitle=kept\n\\x not a continuation\n",
        "[Cataloguing]\nSerie\xC5\xBF=folded key\n[Additional information]\nSeries=S",
        "[Catalogu\xC4\xB1ng]\nTitle=odd section\n",
        "[Language]\nTranslation= 1 \nLanguage=\tEnglish\t\n",
        "[Language]\nTranslation=0x0\n",
        "[Cataloguing]\nTitle=Caf\xE9 legacy\n",
        "\xFF\xFE[\0C\0a\0t\0]\0",
        QByteArray("[Cataloguing]\nTitle=a\0b\n", 23),
        "",
    };
    const FolderReader folder(dir());
    BookReader reader(folder);
    for (const QByteArray& bytes : books) {
        SCOPED_TRACE(test::visible(bytes));
        test::writeBytes(dir() + s("Tricky.book"), bytes);
        BookRecord expected = bookRecordFromBytes(bytes);
        expected[Field::ID] = s("Tricky");
        EXPECT_EQ(reader.read(s("Tricky")), expected);
    }
}

TEST_F(ParallelReading, HostileEntriesGiveTheSameBytesAndTheFirstErrorInListOrder)
{
    FormatContext plain;
    FormatContext sorted;
    sorted.report.microdata = true;
    sorted.report.jsonLd = true;
    sorted.report.completePage = true;
    sorted.report.sort = {{ReportField::Author, false}, {ReportField::YearWritten, true}};
    FormatContext grouped = sorted;
    grouped.report.group = ReportField::Series;
    grouped.report.beforeGroup = s("<h2>%G</h2>");

    for (const Hostile& hostile : hostileKinds) {
        for (const int place : {0, Books / 2, Books - 1}) {
            SCOPED_TRACE(testing::Message() << hostile.kind << " after book " << place);
            const QString entry = path(place, " x");
            ASSERT_TRUE(hostile.make(entry, m_outside.filePath(s("target.book"))));
            // A second entry that cannot be read, further down the list and mostly in another
            // thread's share.
            const QString later = path(std::min(place + 70, Books - 1), " y");
            ASSERT_TRUE(QDir().mkdir(later));

            const QString expected = firstFailureInOrder();
            EXPECT_NE(expected, s("no error"));
            for (const FormatContext* context : {&plain, &sorted, &grouped})
                expectSameReports(*context, expected);
            const QStringList names = listBookNames(dir());
            EXPECT_EQ(failureOf([&] { readBookRecords(dir(), names); }), expected);
            EXPECT_EQ(failureOf([&] { exportBookFiles(ExchangeFormat::BibTeX, dir(), names); }),
                      expected);

            // Without the later entry every book but the hostile one reads, or none fails.
            ASSERT_TRUE(QDir().rmdir(later));
            expectSameReports(sorted, firstFailureInOrder());
            if (firstFailureInOrder() == s("no error")) {
                const std::vector<BookRecord> records = readBookRecords(dir(), names);
                EXPECT_EQ(exportBookFiles(ExchangeFormat::Csv, dir(), names),
                          exportBooks(ExchangeFormat::Csv, records));
            }
            ASSERT_TRUE(QFileInfo(entry).isDir() ? QDir().rmdir(entry) : QFile::remove(entry));
        }
    }
}

TEST(FolderReport, ReadWhileListedEqualsTheReportOfTheList)
{
    // More books than a block of listed names, with names that sort far from where the folder
    // lists them, and one that is not valid UTF-8.
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    for (int i = 0; i < 2100; ++i)
        test::writeBytes(folder + s("%1 %2.book").arg((i * 7919) % 2100).arg(s(i % 3 ? "b" : "A")),
                         bookBytes(i));
    const QByteArray undecodableName = QFile::encodeName(folder) + "Caf\xE9.book";
    const int fd = ::open(undecodableName.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    FormatContext page;
    page.report.microdata = true;
    page.report.completePage = true;
    page.report.beforeReport = s("<ul>");
    page.report.afterReport = s("</ul>");
    FormatContext sorted;
    sorted.report.sort = {{ReportField::Title, true}};
    int skipped = 0;
    const QStringList names = listBookNames(folder, &skipped);
    for (const FormatContext& context : {FormatContext(), page, sorted}) {
        QStringList listed;
        int undecodable = 0;
        EXPECT_EQ(generateFolderReportUtf8(folder, s("%T"), context, false, listed, undecodable),
                  generateReportUtf8(folder, names, s("%T"), context, false));
        EXPECT_EQ(listed, names);
        EXPECT_EQ(undecodable, skipped);
    }
    EXPECT_EQ(skipped, 1);
}

TEST_F(ParallelReading, ShelfFailsAtTheFirstEntryInListingOrder)
{
    for (const int i : {3, 77, 140})
        ASSERT_TRUE(QDir().mkdir(path(i, " x")));
    QString expected;
    forEachDirectoryEntry(dir(), [&](const DirectoryEntry& entry) {
        if (expected.isEmpty() && QFileInfo(dir() + entry.name).isDir())
            expected = failureOf([&] { readWholeFile(dir() + entry.name); });
    });
    EXPECT_EQ(failureOf([&] { shelfBytes(dir(), s("1.2.0.0")); }), expected);
}

TEST_F(ParallelReading, CancelledReportDeliversNothing)
{
    FormatContext sorted;
    sorted.report.sort = {{ReportField::Title, true}};
    for (const FormatContext& context : {FormatContext(), sorted}) {
        for (const bool atOnce : {true, false}) {
            std::atomic<bool> cancel{atOnce};
            ReportRun run;
            run.cancel = &cancel;
            int steps = 0;
            run.progress = [&](qsizetype, qsizetype) {
                ++steps;
                cancel = true;
            };
            QByteArray bytes("untouched");
            EXPECT_EQ(failureOf([&] {
                          bytes = generateReportUtf8(dir(), listBookNames(dir()), s("%T"), context,
                                                     true, run);
                      }),
                      s("cancelled"));
            EXPECT_EQ(bytes, "untouched");
            EXPECT_EQ(steps, atOnce ? 0 : 1);
        }
    }
}

TEST_F(ParallelReading, IndexReadInTheBackgroundAnswersAsOneReadAtOnce)
{
    const QString settings = m_outside.filePath(s("settings.reg"));
    test::writeBytes(settings, "Windows Registry Editor Version 5.00\r\n\r\n");
    Session session(std::make_unique<RegFileStore>(settings));
    session.openFolder(dir());
    session.setFilter(s("title:apple -year:1905"));
    session.buildBookIndex();
    const QStringList expected = session.shownNames();
    EXPECT_FALSE(expected.isEmpty());

    session.buildBookIndexInBackground();
    EXPECT_EQ(session.shownNames(), expected);
    EXPECT_FALSE(session.bookIndexPending());
    // Opening the folder again drops a reading still going on.
    session.buildBookIndexInBackground();
    session.openFolder(dir());
    EXPECT_EQ(session.shownNames(), expected);

    // The version test, when it goes along, answers once the reading is done, and once.
    for (const bool old : {false, true}) {
        if (old) {
            ASSERT_TRUE(QFile::copy(test::dataPath(s("v10-cp1252.book")), path(7, " old")));
        }
        session.openFolder(dir());
        session.buildBookIndexInBackground(true);
        while (session.bookIndexPending())
            QThread::msleep(1);
        EXPECT_EQ(session.backgroundVersionTest(), std::optional<bool>(old));
        EXPECT_EQ(session.backgroundVersionTest(), std::nullopt);
        EXPECT_EQ(session.hasVersion10Books(), old);
    }
}
