// Faults the fuzz targets found, each kept as a test (the inputs themselves are under
// fuzz/regressions/).

#include "catalogue/BookFile.h"
#include "catalogue/IniFile.h"
#include "catalogue/Shelf.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

TEST(FuzzFindings, KeptLineThatLooksLikeAContinuationDoesNotJoinTheEntryBeforeIt)
{
    // In the file a comment (or an empty line) keeps "\r\nmore" apart from Comments, so it is a
    // line of its own. Comments are not written back; without a separator the saved file would
    // read "\r\nmore" as part of the Comments value.
    for (const QByteArray& separator : {QByteArray("; note\r\n"), QByteArray("\r\n")}) {
        const QByteArray bytes =
            "[Additional]\r\nComments=first\r\n" + separator + "\\r\\nmore\r\nPages=3\r\n";
        const IniFile read = IniFile::fromBytes(bytes);
        ASSERT_EQ(read.readString(u"Additional", u"Comments"), s("first"));
        const QByteArray written = read.toBytes();
        EXPECT_EQ(test::visible(written),
                  test::visible("\xEF\xBB\xBF[Additional]\r\nComments=first\r\n\r\n"
                                "\\r\\nmore\r\nPages=3\r\n\r\n"));
        const IniFile again = IniFile::fromBytes(written);
        EXPECT_EQ(again.readString(u"Additional", u"Comments"), s("first"));
        EXPECT_EQ(again.toBytes(), written);
    }
    // A real continuation is still written as one.
    IniFile ini;
    ini.writeString(u"Additional", u"Comments", s("a\r\nb"));
    EXPECT_EQ(IniFile::fromBytes(ini.toBytes()).readString(u"Additional", u"Comments"),
              s("a\r\nb"));
}

TEST(FuzzFindings, EveryFileTheVersionTestCallsVersion10IsUpgraded)
{
    // The version test trims the key and reads the first "File information" section only; the
    // upgrade searched every line for the untrimmed key. Files where the two disagreed were
    // offered for upgrading, then left as they were, again at every opening.
    struct Case {
        QByteArray content;
        QByteArray expected;
    };
    const Case cases[] = {
        {"[File information]\r\n Program version = 1.0.5\r\nCreated by=x\r\n",
         "\xEF\xBB\xBF[File information]\r\nProgram version=1.2.0.0\r\nCreated by=x\r\n"},
        {"[Cataloguing]\nProgram version=1.1\n[File information]\nProgram version=1.0\n",
         "\xEF\xBB\xBF[Cataloguing]\r\nProgram version=1.1\r\n[File information]\r\n"
         "Program version=1.2.0.0\r\n"},
        // Both lines claim 1.0: both change, in one upgrade.
        {"[Cataloguing]\nProgram version=1.0\n[File information]\nProgram version=1.0\n",
         "\xEF\xBB\xBF[Cataloguing]\r\nProgram version=1.2.0.0\r\n[File information]\r\n"
         "Program version=1.2.0.0\r\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(s("V.book"));
    for (const Case& c : cases) {
        test::writeBytes(path, c.content);
        ASSERT_TRUE(IsVersion10File(path)) << test::visible(c.content);
        EXPECT_TRUE(UpgradeBookFile(path, s("1.2.0.0")));
        EXPECT_EQ(test::visible(test::readBytes(path)), test::visible(c.expected));
        EXPECT_FALSE(IsVersion10File(path));
        EXPECT_FALSE(UpgradeBookFile(path, s("1.2.0.0")));
    }
}

TEST(FuzzFindings, LoneSurrogatesRoundTripAsEscapes)
{
    // "\uD800" in a continuation line reads as a lone surrogate, which UTF-8 cannot carry: it was
    // written as "?" and so changed at every save. It is now written as its escape again, also
    // when it ends up on the first line of the value.
    const QByteArray bytes = "[Additional]\r\nComments=a\r\n\\uD800b\r\nNotes=x \r\n"
                             "\\r\\nline\\uDC00 \\u0020\r\n";
    const IniFile read = IniFile::fromBytes(bytes);
    const QString comments = read.readString(u"Additional", u"Comments");
    ASSERT_EQ(comments, s("a") + QChar(0xD800) + s("b"));
    const QString notes = read.readString(u"Additional", u"Notes");
    ASSERT_EQ(notes, s("x\r\nline") + QChar(0xDC00));
    const QByteArray written = read.toBytes();
    EXPECT_EQ(test::visible(written),
              test::visible("\xEF\xBB\xBF[Additional]\r\nComments=a\r\n\\uD800b\r\n"
                            "Notes=x\r\n\\r\\nline\\uDC00\r\n\r\n"));
    const IniFile again = IniFile::fromBytes(written);
    EXPECT_EQ(again.readString(u"Additional", u"Comments"), comments);
    EXPECT_EQ(again.readString(u"Additional", u"Notes"), notes);

    // A proper pair stays plain text; blanks before a lone surrogate survive as escapes.
    IniFile ini;
    ini.writeString(u"A", u"Pair", s("x\U0001F600y"));
    ini.writeString(u"A", u"Blank", s("x ") + QChar(0xD800));
    const QByteArray out = ini.toBytes();
    EXPECT_TRUE(out.contains("Pair=x\xF0\x9F\x98\x80y\r\n"));
    EXPECT_TRUE(out.contains("Blank=x\r\n\\u0020\\uD800\r\n"));
    EXPECT_EQ(IniFile::fromBytes(out).readString(u"A", u"Blank"), s("x ") + QChar(0xD800));
}

TEST(FuzzFindings, UnicodeMarkAtTheStartOfAnyLineStaysOnTheShelf)
{
    // U+FEFF at the start of a line after the first was dropped when the book was decoded line by
    // line (a book with a byte that is not UTF-8), but kept when it was copied as bytes.
    // A doubled mark at the start of the file lost its second half the same way.
    const QByteArray bytes =
        "\xEF\xBB\xBF\xEF\xBB\xBFTitle=\x92\r\n\xEF\xBB\xBFsecond\n\xEF\xBB\xBF";
    const QStringList lines = shelfLinesOfBook(bytes);
    EXPECT_EQ(lines, QStringList({QString(2, QChar(0xFEFF)) + s("Title=\uFFFD"),
                                  QChar(0xFEFF) + s("second"), QString(QChar(0xFEFF))}));
    QTemporaryDir dir;
    test::writeBytes(dir.filePath(s("B.book")), bytes);
    const QString out = dir.filePath(s("out.shelf"));
    WriteUtf8Lines(shelfLines(dir.path(), s("1.2.0.0")), out);
    EXPECT_EQ(test::readBytes(out), shelfBytes(dir.path(), s("1.2.0.0")));
}

TEST(FuzzFindings, UnicodeMarkedFileIsNoVersion10FileWhateverItsBytesSpell)
{
    // A UTF-16 mark before single-byte text that claims version 1.0: the test called it 1.0 but
    // the upgrade read it as UTF-16 and found nothing, so it was offered again and again.
    const QByteArray bytes = "\xFF\xFE[File information]\nProgram version=1.0\n";
    EXPECT_FALSE(isVersion10Text(bytes));
    EXPECT_EQ(scanVersion10(bytes, false), std::optional<bool>(false));
    QTemporaryDir dir;
    const QString path = dir.filePath(s("U.book"));
    test::writeBytes(path, bytes);
    EXPECT_FALSE(IsVersion10File(path));
    EXPECT_FALSE(UpgradeBookFile(path, s("1.2.0.0")));
    EXPECT_EQ(test::readBytes(path), bytes);
}

TEST(FuzzFindings, EntryThatWouldReadAsASectionKeepsItsClosingBracketEscaped)
{
    // "[a" with the value "b]" (a continuation gave the bracket) was written "[a=b]", which reads
    // back as a section of that name: the entry was lost and the lines after it moved.
    const QByteArray bytes = "[S]\r\n[a=b\r\n\\u005D\r\nc=d\r\n";
    const IniFile read = IniFile::fromBytes(bytes);
    ASSERT_EQ(read.readString(u"S", u"[a"), s("b]"));
    const QByteArray written = read.toBytes();
    EXPECT_EQ(test::visible(written),
              test::visible("\xEF\xBB\xBF[S]\r\n[a=\r\n\\u0062]\r\nc=d\r\n\r\n"));
    const IniFile again = IniFile::fromBytes(written);
    EXPECT_EQ(again.sectionNames(), QStringList({s("S")}));
    EXPECT_EQ(again.readString(u"S", u"[a"), s("b]"));
    EXPECT_EQ(again.readString(u"S", u"c"), s("d"));

    // A second line, and brackets that would still close a section with the last one moved.
    IniFile ini;
    ini.writeString(u"S", u"[k", s("v ]\r\nx"));
    ini.writeString(u"S", u"[l", s("C]]"));
    ini.writeString(u"S", u"[m", s("a] ]"));
    const QByteArray out = ini.toBytes();
    EXPECT_TRUE(out.contains("[k=\r\n\\u0076 ]\\r\\nx\r\n"));
    EXPECT_TRUE(out.contains("[l=\r\n\\u0043]]\r\n"));
    const IniFile reread = IniFile::fromBytes(out);
    EXPECT_EQ(reread.sectionNames(), QStringList({s("S")}));
    EXPECT_EQ(reread.readString(u"S", u"[k"), s("v ]\r\nx"));
    EXPECT_EQ(reread.readString(u"S", u"[l"), s("C]]"));
    EXPECT_EQ(reread.readString(u"S", u"[m"), s("a] ]"));
}

TEST(FuzzFindings, DoubledUtf8MarkIsSkippedByTheReaderAndTheVersionTestAlike)
{
    // The reader skipped two marks (the second through the UTF-8 decoder) but the version test
    // only one, so the two disagreed about where the first section was.
    const QByteArray bytes = "\xEF\xBB\xBF\xEF\xBB\xBF[File information]\r\nProgram version=1.0\r\n"
                             "[Cataloguing]\r\nTitle=Twice marked\r\n";
    EXPECT_TRUE(isVersion10Text(bytes));
    QTemporaryDir dir;
    const QString path = dir.filePath(s("M.book"));
    test::writeBytes(path, bytes);
    EXPECT_EQ(ReadBookRecord(path)[Field::Title], s("Twice marked"));
    EXPECT_TRUE(UpgradeBookFile(path, s("1.2.0.0")));
    EXPECT_EQ(test::readBytes(path),
              QByteArray("\xEF\xBB\xBF[File information]\r\nProgram version=1.2.0.0\r\n"
                         "[Cataloguing]\r\nTitle=Twice marked\r\n"));
    EXPECT_FALSE(IsVersion10File(path));

    // A doubled mark before text that is not UTF-8: both marks go, the rest is legacy text.
    test::writeBytes(path, "\xEF\xBB\xBF\xEF\xBB\xBF[Cataloguing]\r\nTitle=Caf\xE9\r\n");
    EXPECT_EQ(ReadBookRecord(path)[Field::Title], s("Café"));
}
