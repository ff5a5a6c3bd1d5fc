#include "markup/Microdata.h"
#include "base/FormatError.h"
#include "format/ValueRules.h"
#include "markup/LanguageRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

struct Fixture {
    BookRecord record;
    FormatContext context;

    Fixture(const char* language, bool microdata, const char* defaultLang = "")
    {
        record[Field::Language] = s(language);
        context.report.microdata = microdata;
        context.report.defaultLang = s(defaultLang);
        context.synonymsEBook = {s("e-book"), s("Kindle")};
        context.synonymsHardcover = {s("Hardcover"), s("Hardback"), s("bound")};
        context.synonymsPaperback = {s("Paperback"), s("Softcover"), s("bound")};
    }

    QString operator()(char16_t code, const char* value) const
    {
        return MarkupField(code, s(value), record, context);
    }
};

} // namespace

TEST(Microdata, TitleWithAndWithoutMicrodataAndDefaultLanguage)
{
    EXPECT_EQ(Fixture("English", true, "Swedish")(u'T', "War & Peace"),
              s("<cite itemprop=\"name\" lang=\"en\">War &amp; Peace</cite>"));
    EXPECT_EQ(Fixture("English", true, "English")(u'T', "War & Peace"),
              s("<cite itemprop=\"name\">War &amp; Peace</cite>"));
    EXPECT_EQ(Fixture("English", false, "Swedish")(u'T', "War & Peace"),
              s("<span lang=\"en\">War &amp; Peace</span>"));
    EXPECT_EQ(Fixture("English", false, "English")(u'T', "War & Peace"), s("War & Peace"));
    // With microdata off only T, Q, E and e take a language; other codes stay as typed.
    const Fixture plain("English", false);
    EXPECT_EQ(plain(u'F', "A & B"), s("A & B"));
    EXPECT_EQ(plain(u'Q', " sub "), s("<span lang=\"en\">sub</span>"));
    EXPECT_EQ(plain(u'P', " <b>Press</b> "), s("<b>Press</b>"));
    EXPECT_EQ(plain(u'i', " 3a "), s("3a"));
    Fixture off("English", false);
    off.context.report.useLangForTitle = false;
    EXPECT_EQ(off(u'T', "A & B"), s("A & B"));
}

TEST(Microdata, EveryCodeWithMicrodataOn)
{
    Fixture f("Elvish", true);
    const struct {
        char16_t code;
        const char* value;
        const char* expected;
    } cases[] = {
        {u'A', "Doe, J",
         "<span itemprop=\"author\" itemscope=\"\" itemtype=\"http://schema.org/Person\"><span "
         "itemprop=\"familyName\">Doe</span>, <span itemprop=\"givenName\">J</span></span>"},
        {u'Y', " 2010 ", "<time itemprop=\"dateCreated\">2010</time>"},
        {u'T', "T<1>", "<cite itemprop=\"name\">T&lt;1&gt;</cite>"},
        {u'F', "Emma: A", "<cite itemprop=\"name\">Emma: A</cite>"},
        {u'Q', "Sub", "<span>Sub</span>"},
        {u'E', "2nd", "<span itemprop=\"bookEdition\">2nd</span>"},
        {u'e', "S&S",
         "<span itemprop=\"isPartOf\" itemscope=\"\" "
         "itemtype=\"http://schema.org/CreativeWork\"><span "
         "itemprop=\"name\">S&amp;S</span></span>"},
        {u'i', " 03 ", "<span itemprop=\"position\">3</span>"},
        {u'P', "A&B",
         "<span itemprop=\"publisher\" itemscope=\"\" "
         "itemtype=\"http://schema.org/Organization\"><span "
         "itemprop=\"name\">A&amp;B</span></span>"},
        {u'N', "91-7054", "<span itemprop=\"isbn\">91-7054</span>"},
        {u'I', "917054", "<span itemprop=\"isbn\">917054</span>"},
        {u'n', "+0312", "<span itemprop=\"numberOfPages\">312</span>"},
        {u'U', "Elvish & Co", "Elvish &amp; Co"},
        {u'$', "<5", "&lt;5"},
        {u'y', "<1950>", "&lt;1950&gt;"},
        {u'c', "a & b", "a &amp; b"},
        {u'T', " \t\r\n ", ""},
        {u'A', "   ", ""},
        {u'i', "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(f(c.code, c.value), s(c.expected)) << QChar(c.code).toLatin1() << c.value;
}

TEST(Microdata, FullTitleIsTrimmedAfterTheJoin)
{
    const Fixture f("", false);
    const QString joined = fullTitle(s(" Emma"), s(" "), s(": "));
    EXPECT_EQ(MarkupField(u'F', joined, f.record, f.context), s("Emma:"));
    EXPECT_EQ(MarkupField(u'F', fullTitle(s(" "), s(""), s(": ")), f.record, f.context), QString());
}

TEST(Microdata, IntegersFailWithTheTrimmedValue)
{
    const Fixture f("", true);
    for (const char16_t code : {u'i', u'n'}) {
        try {
            f(code, " 3a ");
            FAIL() << "no error";
        } catch (const FormatError& e) {
            EXPECT_EQ(e.message(), s("''3a'' is not a valid integer value"));
        }
    }
}

TEST(Microdata, BookFormats)
{
    const Fixture f("", true);
    EXPECT_EQ(f(u'B', "Hardcover"), s("<span itemprop=\"bookFormat\">Hardcover</span>"));
    EXPECT_EQ(f(u'B', "hardcover"),
              s("<meta itemprop=\"bookFormat\" content=\"Hardcover\" />hardcover"));
    EXPECT_EQ(f(u'B', "KINDLE"), s("<meta itemprop=\"bookFormat\" content=\"EBook\" />KINDLE"));
    // In two lists: the earlier list wins.
    EXPECT_EQ(f(u'B', "Bound"), s("<meta itemprop=\"bookFormat\" content=\"Hardcover\" />Bound"));
    EXPECT_EQ(f(u'B', "spiral & co"), s("spiral &amp; co"));
    EXPECT_EQ(f(u'B', "ebook"), s("ebook"));
}

TEST(Microdata, LanguageFieldAndLangAttribute)
{
    EXPECT_EQ(Fixture("", true)(u'U', "English (en-GB)"),
              s("<meta itemprop=\"inLanguage\" content=\"en-GB\" />English (en-GB)"));
    // The annotated value is trimmed, the stored field used for lang is not.
    const Fixture blank(" English", true);
    EXPECT_EQ(blank(u'U', " English"), s("<meta itemprop=\"inLanguage\" content=\"en\" />English"));
    EXPECT_EQ(blank(u'T', "Emma"), s("<cite itemprop=\"name\">Emma</cite>"));
    EXPECT_EQ(LangAttribute(blank.record, blank.context), QString());
    // A tag typed in parentheses cannot break out of its attribute.
    const Fixture hostile("x (en\" onclick=\"alert(1)", true);
    EXPECT_EQ(LangAttribute(hostile.record, hostile.context),
              s(" lang=\"en&quot; onclick=&quot;alert(1\""));
    EXPECT_EQ(hostile(u'U', "(a\"<b>)"),
              s("<meta itemprop=\"inLanguage\" content=\"a&quot;&lt;b&gt;\" />(a\"&lt;b&gt;)"));
    // An unresolvable default language never matches.
    EXPECT_EQ(LangAttribute(Fixture("Swedish", false, "Elvish").record,
                            Fixture("Swedish", false, "Elvish").context),
              s(" lang=\"sv\""));
}

TEST(Microdata, UsesTheContextsRegistry)
{
    const LanguageRegistry own =
        LanguageRegistry::parse("File-Date: x\r\n%%\r\nSubtag: qq\r\nDescription: English\r\n");
    Fixture f("English", true);
    f.context.languages = &own;
    EXPECT_EQ(LangAttribute(f.record, f.context), s(" lang=\"qq\""));
}

TEST(Microdata, ApplyMicrodataToBeforeItem)
{
    const struct {
        bool on;
        const char* before;
        const char* after;
        const char* newBefore;
        const char* newAfter;
    } cases[] = {
        {true, "<li>", "</li>", "<li itemscope=\"\" itemtype=\"http://schema.org/Book\">", "</li>"},
        {true, " <p> ", "</p>", "<p itemscope=\"\" itemtype=\"http://schema.org/Book\">", "</p>"},
        {true, "<h2>", "</h2>", "<h2>", "</h2>"},
        {true, "<li class=\"x\">", "</li>", "<li class=\"x\">", "</li>"},
        {true, "<>", "", "<>", ""},
        {true, "<\u00e5>", "", "<\u00e5 itemscope=\"\" itemtype=\"http://schema.org/Book\">", ""},
        {true, "", "", "<div itemscope=\"\" itemtype=\"http://schema.org/Book\">", "</div>"},
        {true, "", "</x>", "", "</x>"},
        {false, "<li itemscope=\"\" itemtype=\"http://schema.org/Book\">", "</li>", "<li>",
         "</li>"},
        {false, "<li itemtype=\"http://schema.org/Book\" class=\"a\" itemscope=\"\">", "</li>",
         "<li class=\"a\">", "</li>"},
        {false, "<li ITEMSCOPE=\"\">", "</li>", "<li ITEMSCOPE=\"\">", "</li>"},
    };
    for (const auto& c : cases) {
        QString before = s(c.before), after = s(c.after);
        ApplyMicrodataToBeforeItem(c.on, before, after);
        EXPECT_EQ(before, s(c.newBefore)) << c.before;
        EXPECT_EQ(after, s(c.newAfter)) << c.before;
    }
}
