#include "markup/Authors.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

AuthorEntry person(const char* name)
{
    return {AuthorKind::PersonFreeForm, s(name), {}, {}};
}

AuthorEntry familyGiven(const char* item, const char* family, const char* given)
{
    return {AuthorKind::PersonFamilyGiven, s(item), s(family), s(given)};
}

AuthorEntry organisation(const char* name)
{
    return {AuthorKind::Organisation, s(name), {}, {}};
}

} // namespace

TEST(Authors, ParsesItemsAndKinds)
{
    const struct {
        const char* text;
        std::vector<AuthorEntry> entries;
    } cases[] = {
        {"Doe, John; Mary Smith; IBM *",
         {familyGiven("Doe, John", "Doe", "John"), person("Mary Smith"), organisation("IBM")}},
        {"Doe,John", {familyGiven("Doe,John", "Doe", "John")}},
        {"Smith, John, Jr.", {familyGiven("Smith, John, Jr.", "Smith", "John, Jr.")}},
        {"Doe, John;", {familyGiven("Doe, John", "Doe", "John")}},
        {"Doe, John;;Mary Smith",
         {familyGiven("Doe, John", "Doe", "John"), person(""), person("Mary Smith")}},
        {";Mary Smith", {person(""), person("Mary Smith")}},
        {"*", {organisation("")}},
        {"Research, Inc. *", {organisation("Research, Inc.")}},
        {"**Acme** Corp", {organisation("Acme Corp")}},
        {"  Doe  ,  John  ", {familyGiven("Doe  ,  John", "Doe", "John")}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseAuthorList(s(c.text)), c.entries) << c.text;
}

TEST(Authors, MarkupEscapesNamesButNotTheMarkup)
{
    EXPECT_EQ(AuthorListMarkup(s("author"), u"Doe, John; Mary Smith; IBM *", true),
              s("<span itemprop=\"author\" itemscope=\"\" itemtype=\"http://schema.org/Person\">"
                "<span itemprop=\"familyName\">Doe</span>, <span "
                "itemprop=\"givenName\">John</span></span>; "
                "<span itemprop=\"author\" itemscope=\"\" itemtype=\"http://schema.org/Person\">"
                "<span itemprop=\"name\">Mary Smith</span></span>; "
                "<span itemprop=\"author\" itemscope=\"\" "
                "itemtype=\"http://schema.org/Organization\"><span "
                "itemprop=\"name\">IBM</span></span>"));
    EXPECT_EQ(AuthorListMarkup(s("author"), u"Tom & Jerry *", true),
              s("<span itemprop=\"author\" itemscope=\"\" "
                "itemtype=\"http://schema.org/Organization\"><span itemprop=\"name\">Tom &amp; "
                "Jerry</span></span>"));
    EXPECT_TRUE(AuthorListMarkup(s("author"), u"Tom & Jerry *", false).contains(u"Tom & Jerry"));
    // An empty item still writes its (empty) name element.
    EXPECT_TRUE(AuthorListMarkup(s("author"), u"A;;B", true)
                    .contains(u"</span></span>; <span itemprop=\"author\" itemscope=\"\" "
                              u"itemtype=\"http://schema.org/Person\"><span "
                              u"itemprop=\"name\"></span></span>; "));
}
