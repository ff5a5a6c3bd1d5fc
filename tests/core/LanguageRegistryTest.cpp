#include "markup/LanguageRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

std::optional<QString> tag(const char* utf8)
{
    return std::optional<QString>(s(utf8));
}

const LanguageRegistry& langs()
{
    return LanguageRegistry::instance();
}

bool equalIgnoringAsciiCase(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        const auto fold = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        };
        if (fold(x) != fold(y))
            return false;
    }
    return true;
}

// The look-up as a plain scan of the two lists, to check the index against.
std::optional<QString> scan(const LanguageRegistry& registry, const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    for (const auto* list : {&registry.tagList(), &registry.subtagList()}) {
        for (const LanguageName& entry : *list) {
            if (equalIgnoringAsciiCase(entry.description, name))
                return entry.tag;
        }
    }
    return std::nullopt;
}

} // namespace

TEST(LanguageRegistry, ParsesTheRecordJarByFixedColumns)
{
    const LanguageRegistry r =
        LanguageRegistry::parse("File-Date: 2014-10-24\r\n"
                                "Description: header lines belong to no record\r\n"
                                "%%\r\n"
                                "Type: language\r\n"
                                "Subtag: aa\r\n"
                                "Description: Afar\r\n"
                                "Description: Second Name\r\n"
                                "  Description: indented continuation\r\n"
                                "description: wrong case\r\n"
                                "Description:no space\r\n"
                                "Comments: Description: inside another field\r\n"
                                "%%\r\n"
                                "Type: grandfathered\r\n"
                                "Tag: i-test\r\n"
                                "Description: Afar\r\n"
                                "%%\r\n"
                                "Type: region\r\n"
                                "Subtag: FR\r\n"
                                "Description: France\r\n"
                                "Description: Caf\xc3\xa9 Land\r\n"
                                "%%\r\n"
                                "Description: a record without a tag\r\n"
                                "%% \r\n"
                                "Subtag: xx\r\n"
                                "Description: Ends without line break");
    EXPECT_EQ(r.fileDate(), s("2014-10-24"));
    EXPECT_EQ(r.recordCount(), 4);
    EXPECT_EQ(r.tagList(), (std::vector<LanguageName>{{s("Afar"), s("i-test")}}));
    // "%% " is not a record end, so the last record continues after it.
    EXPECT_EQ(r.subtagList(), (std::vector<LanguageName>{{s("Afar"), s("aa")},
                                                         {s("Second Name"), s("aa")},
                                                         {s("France"), s("FR")},
                                                         {s("Caf\u00e9 Land"), s("FR")},
                                                         {s("Ends without line break"), s("xx")}}));
    // The tag list wins over an earlier subtag of the same name.
    EXPECT_EQ(r.Find(u"afar"), tag("i-test"));
    EXPECT_EQ(r.Find(u"SECOND NAME"), tag("aa"));
    EXPECT_EQ(r.Find(u"CAF\u00c9 LAND"), std::nullopt);
    EXPECT_EQ(r.Find(u"Caf\u00e9 land"), tag("FR"));
    EXPECT_EQ(r.Find(u""), std::nullopt);
    EXPECT_EQ(r.Find(u"a record without a tag"), std::nullopt);

    const LanguageRegistry empty = LanguageRegistry::parse("");
    EXPECT_EQ(empty.recordCount(), 0);
    EXPECT_EQ(empty.Find(u"English"), std::nullopt);
}

TEST(LanguageRegistry, BundledTableIsTheWholeRegistry)
{
    EXPECT_EQ(langs().fileDate(), s("2014-10-24"));
    EXPECT_EQ(langs().recordCount(), 8938);
    EXPECT_EQ(langs().tagList().size(), 94u);
    EXPECT_EQ(langs().subtagList().size(), 9197u);
    EXPECT_EQ(&LanguageRegistry::instance(), &langs());
}

TEST(LanguageRegistry, FindMatchesAScanOfBothLists)
{
    const LanguageRegistry& r = langs();
    std::vector<QString> names;
    for (const auto* list : {&r.tagList(), &r.subtagList()}) {
        for (const LanguageName& entry : *list) {
            names.push_back(entry.description);
            names.push_back(entry.description.toUpper());
            names.push_back(entry.description.toLower());
            names.push_back(u' ' + entry.description);
            names.push_back(entry.tag);
        }
    }
    for (const QString& name : names)
        ASSERT_EQ(r.Find(name), scan(r, name)) << name.toStdString();
}

TEST(LanguageRegistry, LanguageTagOf)
{
    const struct {
        const char* text;
        std::optional<QString> expected;
    } cases[] = {
        {"English", tag("en")},
        {"english", tag("en")},
        {"ENGLISH", tag("en")},
        {" English", std::nullopt},
        {"English ", std::nullopt},
        {"Spanish", tag("es")},
        {"Castilian", tag("es")},
        {"English (en-GB)", tag("en-GB")},
        {"English (en-uk)", tag("en-uk")},
        {"Engelska (en)", tag("en")},
        {"Elvish (  qya  )", tag("qya")},
        {"(x-private)", tag("x-private")},
        {"Modern Greek (1453-)", tag("1453-")},
        {"a ) b ( c", tag("")},
        {"Half (open", std::nullopt},
        {"Klingon", tag("i-klingon")},
        {"Mandarin Chinese", tag("zh-cmn")},
        {"Luxembourgish", tag("i-lux")},
        {"France", tag("FR")},
        {"Latin", tag("la")},
        {"Norwegian Bokm\u00e5l", tag("nb")},
        {"NORWEGIAN BOKM\u00c5L", std::nullopt},
        {"Elvish", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageTagOf(s(c.text)), c.expected) << c.text;
}

TEST(LanguageRegistry, SameLanguage)
{
    EXPECT_TRUE(SameLanguage(u"English", u"English (en)"));
    EXPECT_TRUE(SameLanguage(u"english", u"ENGLISH"));
    EXPECT_FALSE(SameLanguage(u"English", u"English (EN)"));
    EXPECT_FALSE(SameLanguage(u"English", u""));
    EXPECT_FALSE(SameLanguage(u"Elvish", u"Elvish"));
    EXPECT_TRUE(SameLanguage(u")(", u"()"));
}
