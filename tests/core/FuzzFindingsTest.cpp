// Faults the fuzz targets found, each kept as a test (the inputs themselves are under
// fuzz/regressions/).

#include "catalogue/BookFile.h"
#include "catalogue/IniFile.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

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
