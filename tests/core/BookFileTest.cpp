#include "catalogue/BookFile.h"
#include "base/Errors.h"
#include "base/ProgramVersion.h"
#include "catalogue/IniFile.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

using namespace quillery;
using test::readBytes;
using test::writeBytes;

namespace {

using quillery::test::s;

const QDateTime kWhen(QDate(2026, 5, 17), QTime(14, 3, 9));

class BookFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(s(name)); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(BookFileTest, FirstWriteHasFourSectionsInTableOrder)
{
    BookRecord record;
    record[Field::Author] = s("Lindqvist, Åsa");
    record[Field::Title] = s("Stormens hav");
    record[Field::Price] = s("129 kr");
    record[Field::Comments] = s("  spaced  ");
    record.setTranslation(true);
    const QString file = path("New.book");
    writeBytes(file, {}); // New Book creates an empty file
    writeBookFile(file, record, kWhen, s("1.2.0.0"));

    const QByteArray expected = "\xEF\xBB\xBF"
                                "[File information]\r\n"
                                "Created by=Tollvern Quillery\r\n"
                                "Program version=1.2.0.0\r\n"
                                "Last written=" +
                                lastWrittenText(kWhen).toUtf8() +
                                "\r\n"
                                "\r\n"
                                "[Cataloguing]\r\n"
                                "Author=Lindqvist, \xC3\x85sa\r\n"
                                "Year written=\r\n"
                                "Title=Stormens hav\r\n"
                                "Subtitle=\r\n"
                                "Edition=\r\n"
                                "Series=\r\n"
                                "Position=\r\n"
                                "Publisher=\r\n"
                                "Printed=\r\n"
                                "Year printed=\r\n"
                                "ISBN=\r\n"
                                "\r\n"
                                "[Additional]\r\n"
                                "Num pages=\r\n"
                                "Category=\r\n"
                                "Comments=  spaced  \r\n"
                                "Book type=\r\n"
                                "Binding=\r\n"
                                "Level=\r\n"
                                "Rating=\r\n"
                                "\r\n"
                                "[Language]\r\n"
                                "Translation=1\r\n"
                                "Language=\r\n"
                                "Original language=\r\n"
                                "Translator=\r\n"
                                "Original title=\r\n"
                                "Price=129 kr\r\n"
                                "\r\n";
    EXPECT_EQ(test::visible(readBytes(file)), test::visible(expected));
    // A missing file gives the same bytes.
    writeBookFile(path("Missing.book"), record, kWhen, s("1.2.0.0"));
    EXPECT_EQ(readBytes(path("Missing.book")), expected);

    // Values with blanks are stored with them and read back trimmed.
    const BookRecord back = ReadBookRecord(file);
    EXPECT_EQ(back[Field::Comments], s("spaced"));
    EXPECT_EQ(back[Field::Author], s("Lindqvist, Åsa"));
    EXPECT_EQ(back[Field::Translation], s("Translation"));
    EXPECT_EQ(back[Field::ID], s("New"));
}

TEST_F(BookFileTest, SaveKeepsForeignKeysAndSectionsInPlace)
{
    const QString file = path("Old.book");
    writeBytes(file, "[Cataloguing]\r\nTitle=Old title\r\nMy own key=mine\r\n"
                     "[Extra]\r\nkeep=me\r\n");
    BookRecord record;
    record[Field::Title] = s("New title");
    writeBookFile(file, record, kWhen, s("1.2.0.0"));
    const IniFile ini = IniFile::load(file);
    EXPECT_EQ(ini.sectionNames(), QStringList({s("Cataloguing"), s("Extra"), s("File information"),
                                               s("Additional"), s("Language")}));
    EXPECT_EQ(ini.readString(u"Cataloguing", u"My own key"), s("mine"));
    EXPECT_EQ(ini.readString(u"Extra", u"keep"), s("me"));
    const QString text = QString::fromUtf8(readBytes(file));
    EXPECT_TRUE(
        text.contains(s("[Cataloguing]\r\nTitle=New title\r\nMy own key=mine\r\nAuthor=\r\n")));
}

TEST_F(BookFileTest, TranslationFlagValues)
{
    const struct {
        const char* value;
        bool translation;
    } cases[] = {{"1", true},    {"0", false}, {"yes", false},
                 {"0x1F", true}, {"$A", true}, {"", false}};
    for (const auto& c : cases) {
        const QString file = path("T.book");
        writeBytes(file, QByteArray("[Language]\r\nTranslation=") + c.value + "\r\n");
        EXPECT_EQ(ReadBookRecord(file).isTranslation(), c.translation) << c.value;
    }
    writeBytes(path("T.book"), "[Language]\r\nLanguage=x\r\n");
    EXPECT_FALSE(ReadBookRecord(path("T.book")).isTranslation());
}

TEST_F(BookFileTest, IdIsTheNameWithoutTheLastExtension)
{
    for (const char* name : {"Vol. 2.book", "a.b.c.book", "plain.BOOK", "noext"}) {
        const QString file = path(name);
        writeBytes(file, {});
        const BookRecord r = ReadBookRecord(file);
        EXPECT_EQ(r[Field::ID], QFileInfo(file).completeBaseName());
    }
    EXPECT_EQ(bookIdFromPath(s("/x/Vol. 2.book")), s("Vol. 2"));
    EXPECT_EQ(bookIdFromPath(s("/x/a.b.c.book")), s("a.b.c"));
    // A zero-length file is a valid book with every field empty.
    const BookRecord empty = ReadBookRecord(path("noext"));
    for (int i = 1; i < FieldCount; ++i)
        EXPECT_TRUE(empty.values[i].isEmpty());
}

TEST_F(BookFileTest, MultiLineCommentsRoundTripThroughTheBookFile)
{
    const QString file = path("Notes.book");
    BookRecord record;
    record[Field::Comments] = s("First paragraph.\r\n\r\n  Indented [note]\r\n; not a comment\r\n"
                                "Title=not the title\\");
    record[Field::Title] = s("Real title");
    writeBookFile(file, record, kWhen, s("1.2.0.0"));
    const BookRecord back = ReadBookRecord(file);
    EXPECT_EQ(back[Field::Comments], record[Field::Comments]);
    EXPECT_EQ(back[Field::Title], s("Real title"));
    EXPECT_EQ(back[Field::BookType], QString());
}

TEST_F(BookFileTest, InvalidUtf8IsReadInTheLegacyCodePageNotAsEmpty)
{
    const QString file = path("Latin.book");
    writeBytes(file, "[Cataloguing]\r\nAuthor=M\xFCller, J\xFCrgen\r\nTitle=Caf\xE9\r\n");
    const BookRecord r = ReadBookRecord(file);
    EXPECT_EQ(r[Field::Author], s("Müller, Jürgen"));
    // So the next save keeps the user's text, now as UTF-8.
    writeBookFile(file, r, kWhen, s("1.2.0.0"));
    EXPECT_EQ(ReadBookRecord(file)[Field::Title], s("Café"));
    EXPECT_TRUE(readBytes(file).contains("Author=M\xC3\xBCller, J\xC3\xBCrgen\r\n"));
}

TEST_F(BookFileTest, OneInvalidByteLeavesTheValidUtf8TextAlone)
{
    const QString file = path("Mixed.book");
    writeBytes(file, "\xEF\xBB\xBF[Cataloguing]\r\n"
                     "Author=Caf\xC3\xA9 M\xC3\xBCller \xE2\x80\x93 \xC5\x92uvres\r\n"
                     "Title=Br\xE9sil\r\n");
    const BookRecord r = ReadBookRecord(file);
    EXPECT_EQ(r[Field::Author], s("Café Müller – Œuvres"));
    EXPECT_EQ(r[Field::Title], s("Brésil"));
    writeBookFile(file, r, kWhen, s("1.2.0.0"));
    const QByteArray saved = readBytes(file);
    EXPECT_TRUE(saved.contains("Author=Caf\xC3\xA9 M\xC3\xBCller \xE2\x80\x93 \xC5\x92uvres\r\n"))
        << test::visible(saved);
    EXPECT_TRUE(saved.contains("Title=Br\xC3\xA9sil\r\n")) << test::visible(saved);
    EXPECT_EQ(ReadBookRecord(file), r);
}

// A mark in front of a line (two books joined into one file, an editor's doubled mark) does not
// hide the section or the key behind it.
TEST_F(BookFileTest, ByteOrderMarksAtTheStartOfALineAreNoText)
{
    const QString file = path("Joined.book");
    writeBytes(file, "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF[File information]\r\n"
                     "Program version=1.2.0.0\r\n"
                     "\xEF\xBB\xBF[Cataloguing]\r\n"
                     "\xEF\xBB\xBFTitle=Joined\r\n"
                     " \xEF\xBB\xBF Author=Spaced\r\n"
                     "\xEF\xBB\xBF[Language]\r\nLanguage=sv\r\n");
    const BookRecord r = ReadBookRecord(file);
    EXPECT_EQ(r[Field::Title], s("Joined"));
    EXPECT_EQ(r[Field::Author], s("Spaced"));
    EXPECT_EQ(r[Field::Language], s("sv"));
    writeBookFile(file, r, kWhen, s("1.2.0.0"));
    EXPECT_EQ(readBytes(file).count("\xEF\xBB\xBF"), 1);
    EXPECT_EQ(ReadBookRecord(file), r);
}

TEST_F(BookFileTest, VersionTest)
{
    const struct {
        QByteArray content;
        bool v10;
    } cases[] = {
        {"[File information]\r\nProgram version=1.0\r\n", true},
        {"[File information]\r\nProgram version=1.0.2.0\r\n", true},
        {"[file INFORMATION]\r\nprogram VERSION = 1.0x\r\n", true},
        {"[File information]\r\nProgram version=1.2.0.0\r\n", false},
        {"[File information]\r\nProgram version=1\r\n", false},
        {"[File information]\r\nProgram version=\r\n", false},
        {"[File information]\r\nCreated by=x\r\n", false},
        {"[Other]\r\nProgram version=1.0\r\n", false},
        {"Program version=1.0\r\n", false},
        {"", false},
        // Read as single bytes: a non-ASCII legacy text does not hide the key.
        {"[File information]\r\nCreated by=Quill\xE9ry\r\nProgram version=1.0.1.0\r\n", true},
        // A marked file that still claims 1.0 is treated as one.
        {"\xEF\xBB\xBF[File information]\r\nProgram version=1.0.1.0\r\n", true},
    };
    for (const auto& c : cases) {
        writeBytes(path("V.book"), c.content);
        EXPECT_EQ(IsVersion10File(path("V.book")), c.v10) << test::visible(c.content);
    }
    EXPECT_FALSE(IsVersion10File(path("does-not-exist.book")));
    // Every file this program writes is version 1.1.
    writeBookFile(path("W.book"), BookRecord(), kWhen, s("1.2.0.0"));
    EXPECT_FALSE(IsVersion10File(path("W.book")));
}

TEST_F(BookFileTest, UpgradeConvertsALegacyFileChangingOnlyTheVersionLine)
{
    const QString file = path("Bronte.book");
    QFile::copy(test::dataPath(s("v10-cp1252.book")), file);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(IsVersion10File(file));
    EXPECT_TRUE(UpgradeBookFile(file, s("1.2.0.0")));

    const QByteArray expected = "\xEF\xBB\xBF"
                                "[File information]\r\n"
                                "Created by=Tollvern Quillery\r\n"
                                "Program version=1.2.0.0\r\n"
                                "Last written=2009-03-01 12:00:00\r\n"
                                "\r\n"
                                "; written by an old release\r\n"
                                "[Cataloguing]\r\n"
                                "Author=Br\xC3\xB6nte, Charlotte\r\n"
                                "Title=Jane Eyre \xE2\x80\x93 an autobiography\r\n"
                                "Year written=1847\r\n"
                                "\r\n"
                                "[Additional]\r\n"
                                "Comments=Price \xE2\x82\xAC 12\r\n"
                                "\r\n"
                                "[Language]\r\n"
                                "Translation=0\r\n"
                                "Language=English\r\n";
    EXPECT_EQ(test::visible(readBytes(file)), test::visible(expected));
    EXPECT_FALSE(IsVersion10File(file));
    EXPECT_FALSE(UpgradeBookFile(file, s("1.2.0.0"))); // at most once
    EXPECT_EQ(ReadBookRecord(file)[Field::Author], s("Brönte, Charlotte"));
}

TEST_F(BookFileTest, UpgradeLeavesOtherVersionsUntouched)
{
    for (const QByteArray& content :
         {QByteArray("[File information]\nProgram version=1.2.0.0\n"),
          QByteArray("[File information]\nProgram version=1\n"),
          QByteArray("[File information]\nProgram version=\n"),
          QByteArray("[File information]\nCreated by=x\n"), QByteArray()}) {
        writeBytes(path("U.book"), content);
        EXPECT_FALSE(UpgradeBookFile(path("U.book"), s("1.2.0.0")));
        EXPECT_EQ(readBytes(path("U.book")), content);
    }
}

TEST_F(BookFileTest, UpgradeDecodesByteOrderMarksAndFindsTheKeyAnywhere)
{
    // UTF-16 LE with mark, lone CR breaks, the key outside its section, no trimming of the key.
    const QString text = s("[Cataloguing]\rTitle=Ω\rPROGRAM VERSION=1.0.0.0\r Program version=9\r");
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    writeBytes(path("W.book"), bytes);
    EXPECT_TRUE(UpgradeBookFile(path("W.book"), s("1.2.0.0")));
    EXPECT_EQ(readBytes(path("W.book")),
              QByteArray("\xEF\xBB\xBF[Cataloguing]\r\nTitle=\xCE\xA9\r\n"
                         "Program version=1.2.0.0\r\n Program version=9\r\n"));
}

TEST_F(BookFileTest, FailedSaveLeavesTheOldFileWholeAndNamesThePath)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString sub = path("locked");
    QDir().mkpath(sub);
    const QString file = sub + s("/Book.book");
    BookRecord record;
    record[Field::Title] = s("Old");
    writeBookFile(file, record, kWhen, s("1.2.0.0"));
    const QByteArray before = readBytes(file);
    // A writable book in a read-only folder is written in place; with the book read-only too,
    // nothing may be written.
    QFile::setPermissions(file, QFile::ReadOwner);
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
    record[Field::Title] = s("New");
    try {
        writeBookFile(file, record, kWhen, s("1.2.0.0"));
        ADD_FAILURE() << "the save must fail";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::Create);
        EXPECT_TRUE(e.message().startsWith(s("Cannot create file \"%1\". ").arg(file)));
        EXPECT_FALSE(e.reason().isEmpty());
    }
    QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readBytes(file), before);
}

TEST(ProgramVersion, ReadsTheEmbeddedRecord)
{
    // This test program links the core, so it carries the record like every program of ours.
    EXPECT_EQ(GetFileVersionString(QCoreApplication::applicationFilePath()), s("1.2.0.0"));
    EXPECT_EQ(programVersionString(), s("1.2.0.0"));
    EXPECT_EQ(GetFileVersionString(test::dataPath(s("v10-cp1252.book"))), s("0.0.0.0"));
    EXPECT_EQ(GetFileVersionString(s("/nonexistent/program")), s("0.0.0.0"));
}

TEST(LastWritten, ShortDateSpaceLongTimeAndNoTimeAtMidnight)
{
    const QLocale c = QLocale::c();
    EXPECT_EQ(lastWrittenText(kWhen, c), c.toString(kWhen.date(), QLocale::ShortFormat) + u' ' +
                                             c.toString(kWhen.time(), QLocale::LongFormat));
    const QDateTime midnight(QDate(2026, 1, 2), QTime(0, 0));
    EXPECT_EQ(lastWrittenText(midnight, c), c.toString(midnight.date(), QLocale::ShortFormat));
    EXPECT_NE(lastWrittenText(midnight.addMSecs(1000), c),
              c.toString(midnight.date(), QLocale::ShortFormat));
}

TEST_F(BookFileTest, SaveIntoAMissingFolderReportsCannotCreate)
{
    const QString file = path("gone/Book.book");
    try {
        writeBookFile(file, BookRecord(), kWhen, s("1.2.0.0"));
        ADD_FAILURE() << "the save must fail";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), s("Cannot create file \"%1\". %2").arg(file, e.reason()));
        EXPECT_FALSE(e.reason().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(file));
}

// The version test scans bytes with an early exit; it must answer exactly as the dialect's
// look-up over the whole file does.
TEST(VersionTest, AgreesWithTheDialectOnVariedTexts)
{
    const auto reference = [](const QByteArray& bytes) {
        QByteArrayView view(bytes);
        if (view.startsWith("\xEF\xBB\xBF"))
            view = view.sliced(3);
        const IniFile ini = IniFile::parse(QString::fromLatin1(view));
        return ini.contains(u"File information", u"Program version") &&
               ini.readString(u"File information", u"Program version").startsWith(u"1.0");
    };
    const char* pieces[] = {"[File information]",
                            "[file INFORMATION ]",
                            "[Other]",
                            "[x",
                            "Program version=1.0",
                            " program VERSION =  1.0.2",
                            "Program version=1.2",
                            "Program version",
                            "Program version==1.0",
                            "; Program version=1.0",
                            "\t",
                            "",
                            "key=value",
                            "\xE9=1.0",
                            "[ File information ]",
                            "Program version=\x01"
                            "1.0"};
    const char* breaks[] = {"\r\n", "\n", "\r"};
    quint32 seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (int round = 0; round < 5000; ++round) {
        QByteArray text = (next() % 4 == 0) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        const int lines = int(next() % 7);
        for (int i = 0; i < lines; ++i) {
            text += pieces[next() % std::size(pieces)];
            text += breaks[next() % std::size(breaks)];
        }
        ASSERT_EQ(isVersion10Text(text), reference(text)) << test::visible(text);
    }
}

TEST_F(BookFileTest, FirstSectionAndFirstEntryOfANameWin)
{
    writeBytes(path("Dup.book"), "[cataloguing]\r\nTITLE=first\r\nTitle=second\r\n"
                                 "[Cataloguing]\r\nAuthor=from a later section\r\n"
                                 "[Language]\r\nTranslation=0\r\ntranslation=1\r\nPrice=9\r\n"
                                 "[Additional]\r\nPrice=not here\r\n");
    const BookRecord r = ReadBookRecord(path("Dup.book"));
    EXPECT_EQ(r[Field::Title], s("first"));
    EXPECT_EQ(r[Field::Author], QString());
    EXPECT_FALSE(r.isTranslation());
    EXPECT_EQ(r[Field::Price], s("9"));
    // A missing book reads as an empty one; an unreadable one is an error.
    EXPECT_EQ(ReadBookRecord(path("Gone.book"))[Field::ID], s("Gone"));
    QDir().mkpath(path("Folder.book"));
    EXPECT_THROW(ReadBookRecord(path("Folder.book")), FileError);
}
