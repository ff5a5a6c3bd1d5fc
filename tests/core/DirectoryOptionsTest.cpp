#include "catalogue/DirectoryOptions.h"
#include "catalogue/IniFile.h"
#include "session/ReportControls.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace quillery;

using quillery::test::s;

TEST(DirectoryOptions, FirstWriteHoldsBothSectionsAndAllEightKeys)
{
    QTemporaryDir dir;
    DirectoryOptions options;
    options.format = s("%T");
    writeDirectoryOptions(dir.path(), options);
    EXPECT_EQ(test::readBytes(directoryOptionsPath(dir.path())),
              QByteArray("\xEF\xBB\xBF[Formats]\r\nFormat=%T\r\n\r\n"
                         "[Report]\r\nBeforeItem=<li>\r\nAfterItem=</li>\r\nBeforeReport=<ul>\r\n"
                         "AfterReport=</ul>\r\nMicrodata=0\r\nUseLangForTitle=1\r\nDefaultLang=\r\n"
                         "\r\n"));
}

TEST(DirectoryOptions, RoundTripKeepsForeignContent)
{
    QTemporaryDir dir;
    test::writeBytes(directoryOptionsPath(dir.path()),
                     "[Mine]\r\nkeep=1\r\n[Report]\r\nextra=x\r\nMicrodata=1\r\n");
    DirectoryOptions options;
    options.format = s("%A.T");
    options.report.beforeItem = s("<p>");
    options.report.defaultLang = s("sv");
    writeDirectoryOptions(dir.path(), options);
    const IniFile file = IniFile::load(directoryOptionsPath(dir.path()));
    EXPECT_EQ(file.readString(u"Mine", u"keep"), s("1"));
    EXPECT_EQ(file.readString(u"Report", u"extra"), s("x"));
    EXPECT_EQ(readDirectoryOptionsForDialog(file, DirectoryOptions()), options);
}

TEST(DirectoryOptions, OpeningACatalogueAppliesTheFileAsTheControlsDo)
{
    QTemporaryDir dir;
    QString format = s("%T");
    ReportOptions report;
    report.useLangForTitle = true;
    // No file: nothing changes.
    EXPECT_FALSE(readDirectoryOptionsInto(dir.path(), format, report));
    EXPECT_EQ(format, s("%T"));
    EXPECT_EQ(report, ReportOptions());

    // A file without the booleans unchecks both; texts default to what the controls hold.
    test::writeBytes(directoryOptionsPath(dir.path()),
                     "[Formats]\r\nFormat=not a listed format\r\n[Report]\r\nBeforeItem=<p> \r\n");
    EXPECT_TRUE(readDirectoryOptionsInto(dir.path(), format, report));
    EXPECT_EQ(format, s("not a listed format"));
    EXPECT_EQ(report.beforeItem, s("<p>"));
    EXPECT_EQ(report.afterItem, s("</li>"));
    EXPECT_FALSE(report.useLangForTitle);
    EXPECT_FALSE(report.microdata);

    // Microdata switched on by the file rewrites the item text just read.
    test::writeBytes(directoryOptionsPath(dir.path()),
                     "[Report]\r\nBeforeItem=<li>\r\nMicrodata=1\r\n");
    readDirectoryOptionsInto(dir.path(), format, report);
    EXPECT_TRUE(report.microdata);
    EXPECT_EQ(report.beforeItem, s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    // Opened again with microdata already on: no second rewrite of the text read.
    readDirectoryOptionsInto(dir.path(), format, report);
    EXPECT_EQ(report.beforeItem, s("<li>"));

    // The dialog defaults the booleans to what it holds.
    DirectoryOptions current;
    current.report.microdata = true;
    current.report.useLangForTitle = true;
    test::writeBytes(directoryOptionsPath(dir.path()), "[Report]\r\nAfterItem=</p>\r\n");
    const DirectoryOptions shown =
        readDirectoryOptionsForDialog(IniFile::load(directoryOptionsPath(dir.path())), current);
    EXPECT_TRUE(shown.report.microdata);
    EXPECT_TRUE(shown.report.useLangForTitle);
    EXPECT_EQ(shown.report.afterItem, s("</p>"));
}

TEST(DirectoryOptions, Remove)
{
    QTemporaryDir dir;
    QString reason;
    EXPECT_FALSE(removeDirectoryOptions(dir.path(), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOENT)));
    writeDirectoryOptions(dir.path(), DirectoryOptions());
    EXPECT_TRUE(removeDirectoryOptions(dir.path(), &reason));
    EXPECT_FALSE(QFile::exists(directoryOptionsPath(dir.path())));
}

TEST(DirectoryOptions, MicrodataStateChangesOnlyOnAChange)
{
    ReportOptions report;
    setMicrodata(report, false);
    EXPECT_EQ(report.beforeItem, s("<li>"));
    setMicrodata(report, true);
    EXPECT_EQ(report.beforeItem, s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    setMicrodata(report, true);
    EXPECT_EQ(report.beforeItem, s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    setMicrodata(report, false);
    EXPECT_EQ(report.beforeItem, s("<li>"));
}

// A mark in front of a section header, as two joined files leave it, hides nothing; a stray
// legacy byte leaves the UTF-8 around it as it is.
TEST(DirectoryOptions, MarksAtLineStartsAndStrayBytesAreRead)
{
    QTemporaryDir dir;
    test::writeBytes(directoryOptionsPath(dir.path()),
                     "\xEF\xBB\xBF[Formats]\r\nFormat=%A \xE2\x80\x93 %T\r\n"
                     "\xEF\xBB\xBF[Report]\r\n\xEF\xBB\xBF\xEF\xBB\xBF"
                     "BeforeItem=<li class=\"caf\xC3\xA9\">\r\nDefaultLang=fr\xE9\r\n");
    const DirectoryOptions read =
        readDirectoryOptionsForDialog(IniFile::load(directoryOptionsPath(dir.path())), {});
    EXPECT_EQ(read.format, s("%A – %T"));
    EXPECT_EQ(read.report.beforeItem, s("<li class=\"café\">"));
    EXPECT_EQ(read.report.defaultLang, s("fré"));
}

// The order and the groups are written only when not at their defaults; once in the file they
// are rewritten with the defaults instead of keeping what is no longer meant.
TEST(DirectoryOptions, OrderAndGroupKeysOnlyWhenNotTheDefaults)
{
    const QByteArray head =
        "\xEF\xBB\xBF[Formats]\r\nFormat=\r\n\r\n"
        "[Report]\r\nBeforeItem=<li>\r\nAfterItem=</li>\r\nBeforeReport=<ul>\r\n"
        "AfterReport=</ul>\r\nMicrodata=0\r\nUseLangForTitle=1\r\nDefaultLang=\r\n";
    DirectoryOptions sorted;
    sorted.report.sort = {{ReportField::Author, false}, {ReportField::YearWritten, true}};
    sorted.report.group = ReportField::Series;
    sorted.report.beforeGroup = s("<h2>%G</h2>");
    sorted.report.afterGroup = s("<hr>");
    DirectoryOptions onlyGroupText;
    onlyGroupText.report.afterGroup = s("</ul>");

    const struct {
        DirectoryOptions options;
        const char* tail;
    } writes[] = {
        {DirectoryOptions(), ""},
        {sorted, "Sort=author,-yearwritten\r\nGroup=series\r\nBeforeGroup=<h2>%G</h2>\r\n"
                 "AfterGroup=<hr>\r\n"},
        {DirectoryOptions(), "Sort=\r\nGroup=none\r\nBeforeGroup=\r\nAfterGroup=\r\n"},
    };
    QTemporaryDir dir;
    for (const auto& w : writes) {
        writeDirectoryOptions(dir.path(), w.options);
        EXPECT_EQ(test::visible(test::readBytes(directoryOptionsPath(dir.path()))),
                  test::visible(head + w.tail + "\r\n"));
        const IniFile file = IniFile::load(directoryOptionsPath(dir.path()));
        EXPECT_EQ(readDirectoryOptionsForDialog(file, sorted), w.options);
    }
    QTemporaryDir fresh;
    writeDirectoryOptions(fresh.path(), onlyGroupText);
    EXPECT_EQ(test::visible(test::readBytes(directoryOptionsPath(fresh.path()))),
              test::visible(head + "AfterGroup=</ul>\r\n\r\n"));
}

// A file without the keys means the defaults, whatever was open before; a value this version
// cannot read (a key of a later one) reads as the default rather than stop the catalogue.
TEST(DirectoryOptions, OpeningACatalogueReadsTheOrderAndTheGroups)
{
    const struct {
        const char* report;
        const char* sort;
        std::optional<ReportField> group;
        const char* beforeGroup;
    } cases[] = {
        {"", "", std::nullopt, ""},
        {"Sort=-Year, title\r\nGroup=Category\r\nBeforeGroup=<h3>%G</h3>\r\n", "-yearwritten,title",
         ReportField::Category, "<h3>%G</h3>"},
        {"Sort=author,publisher\r\nGroup=name\r\n", "", std::nullopt, ""},
        {"Sort=series\r\nGroup=shelf\r\n", "series", std::nullopt, ""},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        test::writeBytes(directoryOptionsPath(dir.path()),
                         QByteArray("[Report]\r\nAfterGroup=!\r\n") + c.report);
        QString format;
        ReportOptions report;
        report.sort = {{ReportField::Title, true}};
        report.group = ReportField::Author;
        report.beforeGroup = s("<h1>");
        EXPECT_TRUE(readDirectoryOptionsInto(dir.path(), format, report));
        EXPECT_EQ(sortKeysText(report.sort), s(c.sort)) << c.report;
        EXPECT_EQ(report.group, c.group) << c.report;
        EXPECT_EQ(report.beforeGroup, s(c.beforeGroup)) << c.report;
        EXPECT_EQ(report.afterGroup, s("!"));
    }
}

// The JSON-LD block, the complete page and its title follow the rule of the order keys: absent at
// their defaults, so a file of default options keeps its bytes, and the defaults when missing.
TEST(DirectoryOptions, OutputFormKeysOnlyWhenNotTheDefaults)
{
    const QByteArray head =
        "\xEF\xBB\xBF[Formats]\r\nFormat=\r\n\r\n"
        "[Report]\r\nBeforeItem=<li>\r\nAfterItem=</li>\r\nBeforeReport=<ul>\r\n"
        "AfterReport=</ul>\r\nMicrodata=0\r\nUseLangForTitle=1\r\nDefaultLang=\r\n";
    DirectoryOptions page;
    page.report.jsonLd = true;
    page.report.completePage = true;
    page.report.pageTitle = s("Böcker & mer");
    const struct {
        DirectoryOptions options;
        const char* tail;
    } writes[] = {
        {DirectoryOptions(), ""},
        {page, "JsonLd=1\r\nCompletePage=1\r\nPageTitle=Böcker & mer\r\n"},
        {DirectoryOptions(), "JsonLd=0\r\nCompletePage=0\r\nPageTitle=\r\n"},
    };
    QTemporaryDir dir;
    for (const auto& w : writes) {
        writeDirectoryOptions(dir.path(), w.options);
        EXPECT_EQ(test::visible(test::readBytes(directoryOptionsPath(dir.path()))),
                  test::visible(head + w.tail + "\r\n"));
        const IniFile file = IniFile::load(directoryOptionsPath(dir.path()));
        EXPECT_EQ(readDirectoryOptionsForDialog(file, page), w.options);
    }
}
