#include "settings/AppSettings.h"
#include "base/Errors.h"
#include "markup/DataLinks.h"
#include "markup/FormatContext.h"
#include "settings/RegFileStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace quillery;

namespace {

using quillery::test::s;

const char* const Header = "Windows Registry Editor Version 5.00\r\n\r\n";

// A store whose file holds the given keys and values (written after the header).
struct StoreFile {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(s("Quillery.reg")); }

    AppSettings load(const QByteArray& body)
    {
        test::writeBytes(path(), Header + body);
        RegFileStore store(path());
        return LoadAppSettings(store);
    }
    void save(const AppSettings& settings)
    {
        RegFileStore store(path());
        SaveAppSettings(store, settings);
    }
    AppSettings reload()
    {
        RegFileStore store(path());
        return LoadAppSettings(store);
    }
    QByteArray bytes() const { return test::readBytes(path()); }
};

QByteArray settingsKey(const QByteArray& values)
{
    return "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n" + values + "\r\n";
}

QByteArray formatsKey(const QByteArray& values)
{
    return "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Formats]\r\n" + values + "\r\n";
}

} // namespace

TEST(AppSettings, FirstStartWithNothingStored)
{
    StoreFile f;
    RegFileStore store(f.path()); // no file at all
    const AppSettings a = LoadAppSettings(store);
    EXPECT_EQ(a.dashChar, QChar(0x2014));
    EXPECT_FALSE(a.dashSpaced);
    EXPECT_EQ(a.subtitleSeparator, s(": "));
    EXPECT_TRUE(a.statusbar);
    EXPECT_TRUE(a.tooltips);
    EXPECT_TRUE(a.escapeHtml);
    EXPECT_TRUE(a.markInvalidIsbns);
    EXPECT_EQ(a.directory, defaultDirectory());
    EXPECT_TRUE(a.directory.endsWith(QDir::separator()));
    ASSERT_EQ(a.formats.size(), 6);
    EXPECT_EQ(a.formats[0], s(R"(%A(Y.F(E.P,p(y". ISBN "N(B)"));
    EXPECT_EQ(
        a.formats[5],
        s(R"fmt(<p>%A(Y.F(E.P,e(i.p(y". ISBN "N(B(t(U" (| pages)"n" Translated from "O" by "r". Original title: "o</p>"<p class=""comment"">|</p>"c)fmt"));
    EXPECT_EQ(formatBoxText(a), a.formats[0]);
    EXPECT_EQ(a.dataLinkTemplates, defaultDataLinkTemplates());
    EXPECT_EQ(a.synonymsEBook.size(), 15);
    EXPECT_EQ(a.synonymsEBook.last(), s("PDF-dokument"));
    EXPECT_EQ(a.synonymsHardcover, QStringList({s("Hardcover"), s("inbunden")}));
    EXPECT_EQ(a.synonymsPaperback, QStringList({s("Paperback"), s("pocket")}));
    EXPECT_EQ(a, AppSettings());
}

TEST(AppSettings, SettingsValuesLoadByTheRules)
{
    QTemporaryDir catalogue;
    const struct {
        const char* name;
        QByteArray values;
        std::function<void(const AppSettings&)> check;
    } cases[] = {
        {"empty key: separator default, format empty", "",
         [](const AppSettings& a) {
             EXPECT_EQ(a.subtitleSeparator, s(": "));
             EXPECT_EQ(a.format, QString());
             EXPECT_EQ(formatBoxText(a), a.formats[0]);
         }},
        {"stored empty separator stays empty", "\"SubtitleSeparator\"=\"\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.subtitleSeparator, QString());
         }},
        {"two-character dash ignored", "\"DashChar\"=\"--\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.dashChar, QChar(0x2014));
         }},
        {"empty dash ignored", "\"DashChar\"=\"\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.dashChar, QChar(0x2014));
         }},
        {"en dash taken", "\"DashChar\"=\"\xE2\x80\x93\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.dashChar, QChar(0x2013));
         }},
        {"astral dash (two code units) ignored", "\"DashChar\"=\"\xF0\x9F\x98\x80\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.dashChar, QChar(0x2014));
         }},
        {"booleans: any non-zero number is true",
         "\"DashSpaced\"=dword:00000002\r\n\"Statusbar\"=dword:00000000\r\n"
         "\"Tooltips\"=dword:00000000\r\n\"EscapeHTML\"=dword:00000000\r\n"
         "\"MarkInvalidIsbns\"=dword:00000000\r\n",
         [](const AppSettings& a) {
             EXPECT_TRUE(a.dashSpaced);
             EXPECT_FALSE(a.statusbar);
             EXPECT_FALSE(a.tooltips);
             EXPECT_FALSE(a.escapeHtml);
             EXPECT_FALSE(a.markInvalidIsbns);
         }},
        {"values of the wrong kind count as absent",
         "\"DashSpaced\"=\"1\"\r\n\"EscapeHTML\"=\"0\"\r\n\"DashChar\"=dword:00002013\r\n"
         "\"SubtitleSeparator\"=dword:00000000\r\n\"Format\"=dword:00000001\r\n"
         "\"MarkInvalidIsbns\"=\"0\"\r\n",
         [](const AppSettings& a) {
             EXPECT_FALSE(a.dashSpaced);
             EXPECT_TRUE(a.escapeHtml);
             EXPECT_TRUE(a.markInvalidIsbns);
             EXPECT_EQ(a.dashChar, QChar(0x2014));
             EXPECT_EQ(a.subtitleSeparator, s(": "));
             EXPECT_EQ(a.format, QString());
         }},
        {"missing directory falls back to Documents",
         "\"Directory\"=\"/no/such/folder/\"\r\n\"Format\"=\"%T\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.directory, defaultDirectory());
             EXPECT_EQ(formatBoxText(a), s("%T"));
         }},
        {"relative directory ignored", "\"Directory\"=\".\"\r\n",
         [](const AppSettings& a) {
             EXPECT_EQ(a.directory, defaultDirectory());
         }},
        {"existing directory taken, with a separator added",
         "\"Directory\"=\"" + catalogue.path().toUtf8() + "\"\r\n",
         [&](const AppSettings& a) {
             EXPECT_EQ(a.directory, catalogue.path() + QDir::separator());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreFile f;
        c.check(f.load(settingsKey(c.values)));
    }
}

TEST(AppSettings, ListsLoadUpToTheFirstGap)
{
    StoreFile f;
    AppSettings a = f.load(formatsKey("\"Format0\"=\"a\"\r\n\"Format1\"=\"b\"\r\n"
                                      "\"Format3\"=\"d\"\r\n"));
    EXPECT_EQ(a.formats, QStringList({s("a"), s("b")}));
    EXPECT_EQ(formatBoxText(a), s("a"));                        // no Settings key: the first format
    EXPECT_EQ(a.dataLinkTemplates, defaultDataLinkTemplates()); // key missing

    // An existing key without index 0 is an empty list, not the defaults.
    a = f.load(formatsKey("\"Format1\"=\"b\"\r\n") +
               "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Synonyms\\Hardcover]\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\RefLinks]\r\n"
               "\"RefLink0\"=dword:00000001\r\n");
    EXPECT_TRUE(a.formats.isEmpty());
    EXPECT_TRUE(a.synonymsHardcover.isEmpty());
    EXPECT_TRUE(a.dataLinkTemplates.isEmpty()); // a number is no entry
    EXPECT_EQ(a.synonymsPaperback, defaultSynonymsPaperback());
    EXPECT_EQ(formatBoxText(a), QString());

    // An empty list with a stored format shows that format.
    a = f.load(formatsKey("") + settingsKey("\"Format\"=\"%T\"\r\n"));
    EXPECT_TRUE(a.formats.isEmpty());
    EXPECT_EQ(formatBoxText(a), s("%T"));
}

TEST(AppSettings, SaveWritesTheSettingsInOrderAndReadsBack)
{
    StoreFile f;
    QTemporaryDir catalogue;
    AppSettings a;
    a.dashChar = QChar(0x2013);
    a.dashSpaced = true;
    a.subtitleSeparator = QString();
    a.statusbar = false;
    a.escapeHtml = false;
    a.markInvalidIsbns = false;
    a.directory = catalogue.path() + QDir::separator();
    a.format = s("%A \"%T\"");
    a.synonymsEBook = {s("Kindle"), s("c:\\e\"book")};
    f.save(a);
    EXPECT_EQ(f.reload(), a);

    const QByteArray bytes = f.bytes();
    const qsizetype start =
        bytes.indexOf("[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]");
    ASSERT_GE(start, 0);
    const QByteArray expected = "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n"
                                "\"DashChar\"=\"\xE2\x80\x93\"\r\n"
                                "\"DashSpaced\"=dword:00000001\r\n"
                                "\"SubtitleSeparator\"=\"\"\r\n"
                                "\"Statusbar\"=dword:00000000\r\n"
                                "\"Tooltips\"=dword:00000001\r\n"
                                "\"Directory\"=\"" +
                                a.directory.toUtf8().replace("\\", "\\\\") +
                                "\"\r\n"
                                "\"Format\"=\"%A \\\"%T\\\"\"\r\n"
                                "\"EscapeHTML\"=dword:00000000\r\n"
                                "\"MarkInvalidIsbns\"=dword:00000000\r\n\r\n";
    EXPECT_EQ(bytes.mid(start, expected.size()), expected);
}

// A NUL or another character the quoted form cannot carry, in a format or any other string,
// takes nothing with it when the settings are saved.
TEST(AppSettings, StringsWithNulsControlsAndLoneSurrogatesSurviveASaveAndALoad)
{
    const auto text = [](std::u16string_view t) {
        return QString::fromUtf16(t.data(), t.size());
    };
    using namespace std::string_view_literals;
    StoreFile f;
    AppSettings a;
    a.formats[0] = text(u"%A\0%T"sv);
    a.formats[2] = text(u"\0"sv);
    a.formats[5] = text(u"%T\x01\x1F\t\xD800"sv);
    a.format = text(u"%Y\0"sv);
    a.dashChar = QChar(0xDC00);
    a.subtitleSeparator = text(u":\0 "sv);
    a.dataLinkTemplates = {text(u"http://x/?q=%T\0"sv), text(u"\xD83D"sv)};
    a.synonymsPaperback = {text(u"\0pocket"sv)};
    f.save(a);
    const AppSettings back = f.reload();
    EXPECT_EQ(back.formats, a.formats);
    EXPECT_EQ(back, a);
    // And a second save keeps them as well.
    f.save(back);
    EXPECT_EQ(f.reload(), a);
}

TEST(AppSettings, ShortenedAndEmptiedListsLeaveNothingStale)
{
    StoreFile f;
    AppSettings a;
    f.save(a);
    // The user removed the last two formats and every link template.
    a.formats.resize(4);
    a.dataLinkTemplates.clear();
    f.save(a);

    const QByteArray bytes = f.bytes();
    EXPECT_TRUE(bytes.contains("\"Format3\""));
    EXPECT_FALSE(bytes.contains("\"Format4\""));
    EXPECT_FALSE(bytes.contains("\"Format5\""));
    EXPECT_FALSE(bytes.contains("\"RefLink0\""));
    EXPECT_TRUE(
        bytes.contains("[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\RefLinks]\r\n\r\n"));

    const AppSettings back = f.reload();
    EXPECT_EQ(back.formats, a.formats);
    EXPECT_TRUE(back.dataLinkTemplates.isEmpty()); // stays empty, not the defaults
}

TEST(AppSettings, SaveKeepsWhatTheProgramDoesNotKnow)
{
    StoreFile f;
    f.load(settingsKey("\"FutureOption\"=dword:00000007\r\n") +
           formatsKey("\"Format0\"=\"a\"\r\n\"Format7\"=\"stale\"\r\n\"Note\"=\"gone\"\r\n") +
           "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"X\"=\"y\"\r\n\r\n");
    AppSettings a = f.reload();
    f.save(a);
    const QByteArray bytes = f.bytes();
    EXPECT_TRUE(bytes.contains("\"FutureOption\"=dword:00000007"));
    EXPECT_TRUE(bytes.contains("[HKEY_CURRENT_USER\\Software\\Other]\r\n\"X\"=\"y\""));
    // A list key is rewritten whole: what lay beyond the list is gone.
    EXPECT_FALSE(bytes.contains("stale"));
    EXPECT_FALSE(bytes.contains("gone"));
}

TEST(AppSettings, DeletedDirectoryIsReplacedOnTheNextSave)
{
    StoreFile f;
    AppSettings a;
    {
        QTemporaryDir gone;
        a.directory = gone.path() + QDir::separator();
        f.save(a);
    }
    a = f.reload();
    EXPECT_EQ(a.directory, defaultDirectory());
    f.save(a);
    const QByteArray line =
        "\"Directory\"=\"" + defaultDirectory().toUtf8().replace("\\", "\\\\") + "\"";
    EXPECT_TRUE(f.bytes().contains(line));
}

TEST(AppSettings, ReachesTheFormatContext)
{
    AppSettings a;
    a.dashChar = QChar(0x2013);
    a.dashSpaced = true;
    a.subtitleSeparator = s(" (");
    a.escapeHtml = false;
    a.dataLinkTemplates = {s("x%I")};
    a.synonymsEBook = {s("e")};
    a.synonymsHardcover = {s("h")};
    a.synonymsPaperback = {s("p")};
    FormatContext c;
    c.mode = FormatMode::Link;
    c.report.microdata = true;
    applyToFormatContext(a, c);
    EXPECT_EQ(c.dashChar, QChar(0x2013));
    EXPECT_TRUE(c.dashSpaced);
    EXPECT_EQ(c.subtitleSeparator, s(" ("));
    EXPECT_FALSE(c.escapeHtml);
    EXPECT_EQ(c.dataLinkTemplates, a.dataLinkTemplates);
    EXPECT_EQ(c.synonymsEBook, a.synonymsEBook);
    EXPECT_EQ(c.synonymsHardcover, a.synonymsHardcover);
    EXPECT_EQ(c.synonymsPaperback, a.synonymsPaperback);
    EXPECT_EQ(c.mode, FormatMode::Link); // left alone
    EXPECT_TRUE(c.report.microdata);
}

TEST(AppSettings, FailedFileWriteIsReported)
{
    StoreFile f;
    // The settings file's folder is a file: nothing can be written there.
    test::writeBytes(f.dir.filePath(s("blocker")), "x");
    RegFileStore store(f.dir.filePath(s("blocker/Quillery.reg")));
    EXPECT_THROW(SaveAppSettings(store, AppSettings()), Error);
}
