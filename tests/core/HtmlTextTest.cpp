#include "markup/HtmlText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

using quillery::test::s;

TEST(HtmlText, EscapeHtmlReplacesThreeCharactersWhenOn)
{
    EXPECT_EQ(EscapeHtml(s("Tom & Jerry <2>"), true), s("Tom &amp; Jerry &lt;2&gt;"));
    EXPECT_EQ(EscapeHtml(s("Tom & Jerry <2>"), false), s("Tom & Jerry <2>"));
    // "&" goes first, so a typed entity is escaped again.
    EXPECT_EQ(EscapeHtml(s("&lt;"), true), s("&amp;lt;"));
    EXPECT_EQ(EscapeHtml(s("\"quoted\" 'single' \u00e9\u0152"), true),
              s("\"quoted\" 'single' \u00e9\u0152"));
    EXPECT_EQ(EscapeHtml(QString(), true), QString());
}

TEST(HtmlText, AttributeEscapingCoversTheQuotationMark)
{
    EXPECT_EQ(escapeAttribute(u"en-GB"), s("en-GB"));
    EXPECT_EQ(escapeAttribute(u"x\" onmouseover=\"a&b<c>"),
              s("x&quot; onmouseover=&quot;a&amp;b&lt;c&gt;"));
}

TEST(HtmlText, UrlEncode)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Fish & Chips: 2+2", "Fish+%26+Chips%3A+2%2B2"},
        {"\u0152uvres compl\u00e8tes", "%26%23338%3buvres+compl%E8tes"},
        {"", ""},
        {"   ", "+++"},
        {"AZaz09-._~", "AZaz09-._~"},
        {"%/?#=", "%25%2F%3F%23%3D"},
        {"\t\r\n\x7f", "%09%0D%0A%7F"},
        {"\u00ff\u0100", "%FF%26%23256%3b"},
        {"\uffff", "%26%2365535%3b"},
        // One group per surrogate: U+1F600 is D83D DE00.
        {"\U0001F600", "%26%2355357%3b%26%2356832%3b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlEncode(s(c.text)), s(c.expected)) << c.text;
}

TEST(HtmlText, AppendUrlEncodedExtendsTheText)
{
    QString out = s("q=");
    for (int i = 0; i < 1000; ++i)
        appendUrlEncoded(out, u"a b");
    EXPECT_EQ(out.size(), 2 + 3 * 1000);
    EXPECT_TRUE(out.endsWith(u"a+ba+b"));
}
