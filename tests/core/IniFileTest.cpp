#include "catalogue/IniFile.h"
#include "base/Errors.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

IniFile parse(const char* utf8)
{
    return IniFile::parse(QString::fromUtf8(utf8));
}

using quillery::test::s;

} // namespace

TEST(IniFile, ReadsTheDialect)
{
    const IniFile ini = parse("orphan=before any section\r\n"
                              "  [ First ]  \n"
                              "\tKey =  value with = inside \t\r"
                              "; a comment=not an entry\n"
                              "\n"
                              "line without equals sign\n"
                              "key=second of the same name\r\n"
                              "[first]\n"
                              "other=from the second section of the same name\n"
                              "[Empty]\n");
    EXPECT_EQ(ini.sectionNames(), QStringList({s("First"), s("first"), s("Empty")}));
    EXPECT_EQ(ini.readString(u"FIRST", u"kEY"), s("value with = inside"));
    EXPECT_FALSE(ini.contains(u"First", u"; a comment"));
    EXPECT_FALSE(ini.contains(u"First", u"line without equals sign"));
    // The first section of a name wins, so the second is never searched.
    EXPECT_FALSE(ini.contains(u"first", u"other"));
    EXPECT_EQ(ini.readString(u"first", u"other", s("fallback")), s("fallback"));
    EXPECT_FALSE(ini.contains(u"First", u"orphan"));
    EXPECT_TRUE(ini.hasSection(u"empty"));
    EXPECT_EQ(ini.readString(u"Missing", u"key", s("dflt")), s("dflt"));
}

TEST(IniFile, TrimsControlCharactersAndBlanks)
{
    const IniFile ini = parse("[S]\n\x01\x1f key \x1f= \x0b value\x7f \x02\n");
    // U+007F is above U+0020 and stays.
    EXPECT_EQ(ini.readString(u"S", u"key"), s("value\x7f"));
}

TEST(IniFile, BooleansReadAsWholeNumbers)
{
    const IniFile ini =
        parse("[B]\none=1\nzero=0\nword=yes\nempty=\nhex=0x10\nupperhex=0X0\n"
              "dollar=$A\nneg=-1\nplus=+0\nbadhex=0xZ\nlonely=$\nbig=99999999999999999999\n");
    EXPECT_TRUE(ini.readBool(u"B", u"one", false));
    EXPECT_FALSE(ini.readBool(u"B", u"zero", true));
    EXPECT_FALSE(ini.readBool(u"B", u"word", true));
    EXPECT_FALSE(ini.readBool(u"B", u"empty", true));
    EXPECT_TRUE(ini.readBool(u"B", u"hex", false));
    EXPECT_FALSE(ini.readBool(u"B", u"upperhex", true));
    EXPECT_TRUE(ini.readBool(u"B", u"dollar", false));
    EXPECT_TRUE(ini.readBool(u"B", u"neg", false));
    EXPECT_FALSE(ini.readBool(u"B", u"plus", true));
    EXPECT_FALSE(ini.readBool(u"B", u"badhex", true));
    EXPECT_FALSE(ini.readBool(u"B", u"lonely", true));
    EXPECT_TRUE(ini.readBool(u"B", u"big", false));
    EXPECT_TRUE(ini.readBool(u"B", u"missing", true));
    EXPECT_FALSE(ini.readBool(u"B", u"missing", false));
}

TEST(IniFile, WritesSectionsWithBomCrLfAndBlankLines)
{
    IniFile ini;
    ini.writeString(u"One", u"a", s("1"));
    ini.writeString(u"Two", u"b", QString());
    ini.writeBool(u"Two", u"flag", true);
    ini.writeBool(u"One", u"off", false);
    EXPECT_EQ(ini.toBytes(), QByteArray("\xEF\xBB\xBF[One]\r\na=1\r\noff=0\r\n\r\n"
                                        "[Two]\r\nb=\r\nflag=1\r\n\r\n"));
}

TEST(IniFile, UpdatesInPlaceKeepingWhatItDoesNotWrite)
{
    IniFile ini = parse("; header comment\n[Keep]\nforeign=kept\nno equals line\n\n"
                        "[Main]\nB=old b\nextra=stays\nA=old a\n");
    ini.writeString(u"main", u"a", s("new a"));
    ini.writeString(u"Main", u"c", s("appended"));
    ini.writeString(u"New", u"x", s("y"));
    // Written keys take the writer's spelling but keep their place; comments and blank lines go.
    EXPECT_EQ(ini.toText(), s("[Keep]\r\nforeign=kept\r\nno equals line\r\n\r\n"
                              "[Main]\r\nB=old b\r\nextra=stays\r\na=new a\r\nc=appended\r\n\r\n"
                              "[New]\r\nx=y\r\n\r\n"));
}

TEST(IniFile, DecodesBomUtf8AndFallsBackToTheLegacyCodePage)
{
    EXPECT_EQ(IniFile::fromBytes("\xEF\xBB\xBF[S]\r\nk=Stra\xC3\x9F"
                                 "e\r\n")
                  .readString(u"S", u"k"),
              s("Straße"));
    // Not valid UTF-8: Windows-1252, so the text survives instead of reading as nothing.
    EXPECT_EQ(IniFile::fromBytes("[S]\r\nk=Stra\xDF"
                                 "e \x80 \x93q\x94\r\n")
                  .readString(u"S", u"k"),
              s("Straße € “q”"));
    // An overlong form and an encoded surrogate are not valid UTF-8 either.
    EXPECT_EQ(IniFile::fromBytes("[S]\nk=\xC0\xAF\n").readString(u"S", u"k"), s("À¯"));
    EXPECT_EQ(IniFile::fromBytes("[S]\nk=\xED\xA0\x80\n").readString(u"S", u"k"), s("í\u00A0€"));
    // UTF-16 with a byte-order mark, as other editors save it.
    const QString text = s("[S]\r\nk=ÅÄÖ ✓\r\n");
    QByteArray le("\xFF\xFE");
    le.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(IniFile::fromBytes(le).readString(u"S", u"k"), s("ÅÄÖ ✓"));
}

// Multi-line values survive a write and a read exactly, the value trimmed as a whole.
TEST(IniFile, MultiLineValuesRoundTrip)
{
    const QString samples[] = {
        s("first\r\nsecond"),
        s("lf\nonly\n\nwith blank line"),
        s("lone\rcarriage\r\rreturns"),
        s("mixed\r\n\n\r\r\nbreaks"),
        s("trailing blanks   \r\n  leading blanks\t\r\nend"),
        s("back\\slash\r\n\\n not a break\r\n\\u0041 not an escape\\"),
        s("a\r\n=starts with equals\r\nkey=value\r\n[Section]\r\n;comment\r\n[x"),
        s("tabs\t\tinside\r\n\x01\x02 controls \x1f\r\nx"),
        s("first line = with equals\r\nsecond"),
        s("\\r\\n at the start\r\nx"),
        s("   \r\nfirst line blank"),
        s("unicode ✓ Ω 𝄞\r\n—dash"),
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(s("multi.ini"));
    for (const QString& value : samples) {
        IniFile ini;
        ini.writeString(u"S", u"Comments", value);
        ini.writeString(u"S", u"After", s("next key"));
        ini.save(path);
        const IniFile back = IniFile::load(path);
        const QString expected = value.trimmed();
        EXPECT_EQ(back.readString(u"S", u"Comments"), expected) << test::visible(ini.toBytes());
        EXPECT_EQ(back.readString(u"S", u"After"), s("next key"));
        // Writing a value that was already trimmed again gives the same bytes.
        if (value == expected) {
            EXPECT_EQ(back.toBytes(), ini.toBytes());
        }
    }
}

TEST(IniFile, MultiLineValuesKeepThePlainFormReadable)
{
    IniFile ini;
    ini.writeString(u"S", u"Comments", s("Line one\r\nkey=two"));
    ini.writeString(u"S", u"Single", s("  a \\n value  "));
    const QString text = ini.toText();
    // The first line is plain; the continuation has no '=' so no plain reader takes it as a key.
    EXPECT_EQ(
        text,
        s("[S]\r\nComments=Line one\r\n\\r\\nkey\\u003Dtwo\r\nSingle=  a \\n value  \r\n\r\n"));
    // A single-line value is written byte for byte, even when it looks like an escape.
    EXPECT_EQ(IniFile::parse(text).readString(u"S", u"Single"), s("a \\n value"));
}

TEST(IniFile, UpdatingAMultiLineValueReplacesItsContinuationLines)
{
    IniFile ini;
    ini.writeString(u"S", u"Comments", s("one\r\ntwo\r\nthree"));
    ini.writeString(u"S", u"Next", s("n"));
    IniFile back = IniFile::parse(ini.toText());
    back.writeString(u"S", u"Comments", s("short"));
    EXPECT_EQ(back.toText(), s("[S]\r\nComments=short\r\nNext=n\r\n\r\n"));
}

TEST(IniFile, LoadOfMissingFileIsEmptyAndUnreadableFileThrows)
{
    QTemporaryDir dir;
    EXPECT_TRUE(IniFile::load(dir.filePath(s("none.ini"))).sectionNames().isEmpty());
    try {
        IniFile::load(dir.path());
        FAIL() << "reading a folder must fail";
    } catch (const FileError& e) {
        EXPECT_EQ(e.kind(), FileError::Kind::Open);
        EXPECT_TRUE(e.message().startsWith(s("Cannot open file \"%1\". ").arg(dir.path())))
            << e.message().toStdString();
    }
}
