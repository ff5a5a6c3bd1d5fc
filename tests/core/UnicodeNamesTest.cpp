#include "settings/UnicodeNames.h"

#include "TestSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

TEST(UnicodeNames, KnownCodes)
{
    const struct {
        int code;
        const char* name;
    } cases[] = {
        {0x2014, "EM DASH"},
        {0x2013, "EN DASH"},
        {0x0020, "SPACE"},
        {0x003A, "COLON"},
        {0x0009, "Character Tabulation (HT)"},
        {0x000A, "Line feed (LF)"},
        {0x0000, "<control>"},
        {0x007F, "<control>"},
        {0x009F, "<control>"},
        {0xFFFF, "<not a character>"},
        {0xFDD0, "<not a character>"},
        {0x09E4, "<reserved>"},
        {0x2797, "<reserved>"},
        {0xF900, "CJK COMPATIBILITY IDEOGRAPH-F900"},
        {0x00DF, "LATIN SMALL LETTER SHARP S"},
        // Nothing for rule-named ranges, surrogates, private use, later additions and beyond.
        {0x4E00, ""},
        {0x3400, ""},
        {0xAC00, ""},
        {0xD800, ""},
        {0xE000, ""},
        {0x20BF, ""}, // BITCOIN SIGN, Unicode 10
        {0x0378, ""}, // unassigned
        {0x10000, ""},
        {0x12014, ""},
        {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnicodeCharName(c.code), s(c.name)) << std::hex << c.code;
}

// The table as committed: ASCII, CR LF, ascending four-digit keys; every line is what a lookup
// gives, and nothing else is named.
TEST(UnicodeNames, LookupsMatchTheWholeTable)
{
    const QByteArray bytes = test::readBytes(s(QUILLERY_SOURCE_DIR "/resources/data/UCNAMES.txt"));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    EXPECT_EQ(lines.size(), 14775);
    const QRegularExpression shape(s("^[0-9A-F]{4}=[\\x20-\\x7E]+\\r$"));
    int previous = -1;
    int named = 0;
    for (const QByteArray& line : lines) {
        const QString text = QString::fromLatin1(line);
        ASSERT_TRUE(shape.match(text).hasMatch()) << line.toStdString();
        const int code = text.first(4).toInt(nullptr, 16);
        ASSERT_GT(code, previous);
        previous = code;
        EXPECT_EQ(UnicodeCharName(code), text.sliced(5).chopped(1));
    }
    for (int code = 0; code <= 0xFFFF; ++code)
        named += UnicodeCharName(code).isEmpty() ? 0 : 1;
    EXPECT_EQ(named, lines.size());
}
