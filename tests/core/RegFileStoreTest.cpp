#include "settings/RegFileStore.h"
#include "base/Errors.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

// Text as the Registry Editor exports it: UTF-16 LE with a byte-order mark and CR LF.
QByteArray asRegeditExport(const char* utf8WithLf)
{
    const QString text = s(utf8WithLf).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const char* const Export = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Tollvern\Quillery]

[HKEY_CURRENT_USER\Software\Tollvern\Quillery\Formats]
"Format0"="%A \"quoted\" C:\\path"
"Format1"="<p>%T</p>"

[HKEY_CURRENT_USER\Software\Tollvern\Quillery\RefLinks]

[HKEY_CURRENT_USER\Software\Tollvern\Quillery\Settings]
"DashChar"="–"
"DashSpaced"=dword:00000001
"Unknown"=hex(2):25,00,54,00,\
  45,00,00,00
@="default"
"Wide"=dword:ffffffff
)";

struct Fixture {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(s("Quillery.reg")); }
};

} // namespace

TEST(RegFileStore, ReadsARegistryEditorExport)
{
    Fixture f;
    test::writeBytes(f.path(), asRegeditExport(Export));
    RegFileStore store(f.path());

    const auto settings =
        store.openKey(s("Software\\Tollvern\\Quillery\\Settings"), SettingsStore::Open::Existing);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->readString(s("DashChar")), s("–"));
    EXPECT_EQ(settings->readNumber(s("dashspaced")), 1u); // names ignore case
    EXPECT_EQ(settings->readNumber(s("Wide")), 0xFFFFFFFFu);
    EXPECT_EQ(settings->readString(s("")), s("default"));
    EXPECT_TRUE(settings->hasValue(s("Unknown")));
    EXPECT_FALSE(settings->readString(s("Unknown")));

    const auto formats =
        store.openKey(s("SOFTWARE\\tollvern\\Quillery\\Formats"), SettingsStore::Open::Existing);
    ASSERT_TRUE(formats);
    EXPECT_EQ(formats->readString(s("Format0")), s(R"(%A "quoted" C:\path)"));
    EXPECT_EQ(formats->readString(s("Format1")), s("<p>%T</p>"));

    // A key without values exists; one never listed does not.
    EXPECT_TRUE(
        store.openKey(s("Software\\Tollvern\\Quillery\\RefLinks"), SettingsStore::Open::Existing));
    EXPECT_FALSE(store.openKey(s("Software\\Tollvern\\Quillery\\Synonyms\\EBook"),
                               SettingsStore::Open::Existing));
    // Parents exist without a line of their own, as in the registry.
    EXPECT_TRUE(store.openKey(s("Software\\Tollvern"), SettingsStore::Open::Existing));
}

TEST(RegFileStore, ValueOfTheWrongKindReadsAsAbsent)
{
    Fixture f;
    test::writeBytes(f.path(), "Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\K]\r\n\"Str\"=\"1\"\r\n\"Num\"=dword:1\r\n");
    RegFileStore store(f.path());
    const auto key = store.openKey(s("K"), SettingsStore::Open::Existing);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->readNumber(s("Str")));
    EXPECT_FALSE(key->readString(s("Num")));
    EXPECT_EQ(key->readNumber(s("Num")), 1u);
}

// Everything the program does not know survives a load and a save; what it writes reads back.
TEST(RegFileStore, SaveKeepsTheWholeTreeAndReadsBack)
{
    Fixture f;
    test::writeBytes(f.path(), asRegeditExport(Export));
    {
        RegFileStore store(f.path());
        const auto key = store.openKey(s("Software\\Tollvern\\Quillery\\Synonyms\\EBook"),
                                       SettingsStore::Open::CreateIfMissing);
        ASSERT_TRUE(key);
        EXPECT_TRUE(key->writeString(s("Synonym0"), s("two\r\nlines")));
        EXPECT_TRUE(key->writeString(s("Back\\slash \"q\""), s("é\\\"")));
        store.flush();
    }
    const QByteArray written = test::readBytes(f.path());
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF"
                                   "Windows Registry Editor Version 5.00\r\n\r\n"));
    EXPECT_TRUE(written.contains("\"Unknown\"=hex(2):25,00,54,00,45,00,00,00\r\n"))
        << test::visible(written);
    EXPECT_TRUE(written.contains("[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery]\r\n\r\n"));
    EXPECT_TRUE(written.contains("\"DashSpaced\"=dword:00000001\r\n"));
    EXPECT_TRUE(written.contains("\"Back\\\\slash \\\"q\\\"\"=\"\xC3\xA9\\\\\\\"\"\r\n"));
    EXPECT_FALSE(written.contains("two\r\nlines")); // kept in hex form instead

    RegFileStore again(f.path());
    EXPECT_EQ(again.toBytes(), written);
    const auto key = again.openKey(s("Software\\Tollvern\\Quillery\\Synonyms\\EBook"),
                                   SettingsStore::Open::Existing);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString(s("Synonym0")), s("two\r\nlines"));
    EXPECT_EQ(key->readString(s("Back\\slash \"q\"")), s("é\\\""));
    EXPECT_TRUE(
        again.openKey(s("Software\\Tollvern\\Quillery\\RefLinks"), SettingsStore::Open::Existing));
}

TEST(RegFileStore, DeleteKeyRemovesSubkeysAndKeepsTheParent)
{
    Fixture f;
    RegFileStore store(f.path());
    for (const char* path : {"A\\B\\C", "A\\B\\D", "A\\Bee"})
        store.openKey(s(path), SettingsStore::Open::CreateIfMissing)->writeNumber(s("v"), 1);
    const auto handle = store.openKey(s("A\\B\\C"), SettingsStore::Open::Existing);

    EXPECT_TRUE(store.deleteKey(s("a\\b")));
    EXPECT_FALSE(store.openKey(s("A\\B"), SettingsStore::Open::Existing));
    EXPECT_FALSE(store.openKey(s("A\\B\\D"), SettingsStore::Open::Existing));
    EXPECT_TRUE(store.openKey(s("A\\Bee"), SettingsStore::Open::Existing)); // not a subkey
    EXPECT_TRUE(store.deleteKey(s("A\\Bee")));
    EXPECT_TRUE(store.openKey(s("A"), SettingsStore::Open::Existing)); // the parent remains
    EXPECT_TRUE(store.deleteKey(s("Missing")));

    // A handle on a deleted key reads nothing and cannot write.
    EXPECT_FALSE(handle->hasValue(s("v")));
    EXPECT_FALSE(handle->writeNumber(s("v"), 2));
}

TEST(RegFileStore, MissingAndEmptyFilesAreEmptyStores)
{
    Fixture f;
    EXPECT_TRUE(RegFileStore(f.path()).toBytes().endsWith("Version 5.00\r\n\r\n"));
    test::writeBytes(f.path(), "");
    EXPECT_FALSE(RegFileStore(f.path()).openKey(s("Software"), SettingsStore::Open::Existing));

    // The folder of the file is made on the first save.
    RegFileStore nested(f.dir.filePath(s("Tollvern/Quillery.reg")));
    nested.flush();
    EXPECT_TRUE(QFileInfo::exists(nested.path()));
}

TEST(RegFileStore, DamagedFilesAreRefusedWithTheLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"[HKEY_CURRENT_USER\\K]\r\n", "The settings file \"%1\" is not a registry file."},
        {"REGEDIT4\r\n\"Name\"=\"value\"\r\n",
         "Line 2 of the settings file \"%1\" is not understood."},
        {"REGEDIT4\r\n[K]\r\n\"Name\"=\"open\r\n",
         "Line 3 of the settings file \"%1\" is not understood."},
        {"REGEDIT4\r\n[K]\r\n\"N\"=dword:123456789\r\n",
         "Line 3 of the settings file \"%1\" is not understood."},
        {"REGEDIT4\r\n[K]\r\n\"N\"=hex:zz\r\n",
         "Line 3 of the settings file \"%1\" is not understood."},
        {"REGEDIT4\r\n[-K]\r\n", "Line 2 of the settings file \"%1\" is not understood."},
        {"REGEDIT4\r\n[K\r\n", "Line 2 of the settings file \"%1\" is not understood."},
    };
    Fixture f;
    for (const auto& c : cases) {
        test::writeBytes(f.path(), c.text);
        try {
            RegFileStore store(f.path());
            ADD_FAILURE() << c.text;
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), s(c.message).arg(QDir::toNativeSeparators(f.path()))) << c.text;
        }
    }
}

// Keys and values are found ignoring case (beyond ASCII too) however many there are, and the
// file lists its keys in the editor's export order whatever order they were read in.
TEST(RegFileStore, ManyKeysAndValuesKeepTheirRulesAndTheExportOrder)
{
    QByteArray text = "REGEDIT4\r\n";
    for (const char* name : {"K\\b2", "K\\B10", "K\\b1", "K\\B1\\Sub", "K\\\xC3\x84rger",
                             "K\\\xF0\x90\x90\x80", "K\\b", "K\\b!"})
        text += QByteArray("[HKEY_CURRENT_USER\\") + name + "]\r\n";
    text += "[HKEY_CURRENT_USER\\K\\b]\r\n";
    for (int i = 0; i < 40; ++i)
        text += "\"V" + QByteArray::number(i) + "\"=dword:" + QByteArray::number(i, 16) + "\r\n";
    Fixture f;
    test::writeBytes(f.path(), text);
    RegFileStore store(f.path());

    for (const char* path : {"k\\B2", "K\\\xC3\xA4RGER", "k\\\xF0\x90\x90\xA8", "k\\b1\\sub", "K"})
        EXPECT_TRUE(store.openKey(s(path), SettingsStore::Open::Existing)) << path;
    EXPECT_FALSE(store.openKey(s("K\\B1\\Su"), SettingsStore::Open::Existing));
    const auto key = store.openKey(s("k\\B"), SettingsStore::Open::Existing);
    EXPECT_EQ(key->readNumber(s("v33")), 33u);
    EXPECT_TRUE(key->writeNumber(s("v5"), 99));
    EXPECT_TRUE(key->writeNumber(s("V40"), 40));

    const QByteArray written = store.toBytes();
    const char* order[] = {"[HKEY_CURRENT_USER\\K\\b]",
                           "\"V4\"=dword:00000004",
                           "\"v5\"=dword:00000063",
                           "\"V6\"=dword:00000006",
                           "\"V39\"=dword:00000027",
                           "\"V40\"=dword:00000028",
                           "[HKEY_CURRENT_USER\\K\\b!]",
                           "[HKEY_CURRENT_USER\\K\\b1]",
                           "[HKEY_CURRENT_USER\\K\\B1\\Sub]",
                           "[HKEY_CURRENT_USER\\K\\B10]",
                           "[HKEY_CURRENT_USER\\K\\b2]",
                           "[HKEY_CURRENT_USER\\K\\\xC3\x84rger]",
                           "[HKEY_CURRENT_USER\\K\\\xF0\x90\x90\x80]"};
    qsizetype at = 0;
    for (const char* line : order) {
        const qsizetype next = written.indexOf(QByteArray(QByteArray(line) + "\r\n"), at);
        EXPECT_GT(next, at - 1) << line << "\n" << test::visible(written);
        at = next;
    }
    EXPECT_EQ(written.count("\"V5\""), 0);

    // Deleting a key takes the keys below it, and no sibling that merely starts alike.
    EXPECT_TRUE(store.deleteKey(s("k\\B1")));
    EXPECT_FALSE(store.openKey(s("K\\B1\\Sub"), SettingsStore::Open::Existing));
    EXPECT_TRUE(store.openKey(s("K\\B10"), SettingsStore::Open::Existing));
    EXPECT_TRUE(store.openKey(s("K\\b"), SettingsStore::Open::Existing));
}

// A string the quoted form cannot carry goes into the hex(1) form, and every string reads back
// from the file exactly as it was written.
TEST(RegFileStore, EveryStringReadsBackExactlyInTheFormThatCarriesIt)
{
    using namespace std::string_view_literals;
    const struct {
        std::u16string_view text;
        bool hex;
    } cases[] = {
        {u"a\0b"sv, true},
        {u"\0"sv, true},
        {u"ends in a NUL\0"sv, true},
        {u"\0\0"sv, true},
        {u"tab\t\x01\x1F"sv, true},
        {u"line\r\nbreak"sv, true},
        {u"lone high \xD800"sv, true},
        {u"\xDC00 lone low"sv, true},
        {u"low before high \xDC00\xD800"sv, true},
        {u"\xD83D\xDCDA paired \x7F\x85\x9F\xA0\x2028\xFEFF\xFFFE\xFFFF"sv, false},
        {u"\xFEFF"sv, false},
        {u"\"quoted\" C:\\path\\"sv, false},
        {u""sv, false},
    };
    Fixture f;
    {
        RegFileStore store(f.path());
        const auto key = store.openKey(s("K"), SettingsStore::Open::CreateIfMissing);
        for (size_t i = 0; i < std::size(cases); ++i)
            key->writeString(QString::number(i),
                             QString::fromUtf16(cases[i].text.data(), cases[i].text.size()));
        store.flush();
    }
    const QByteArray written = test::readBytes(f.path());
    RegFileStore again(f.path());
    EXPECT_EQ(again.toBytes(), written);
    const auto key = again.openKey(s("K"), SettingsStore::Open::Existing);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const QString text = QString::fromUtf16(cases[i].text.data(), cases[i].text.size());
        EXPECT_EQ(key->readString(QString::number(i)), text) << i;
        EXPECT_EQ(
            written.contains(QByteArray("\"" + QByteArray::number(qulonglong(i)) + "\"=hex(1):")),
            cases[i].hex)
            << i;
    }
}

TEST(RegFileStore, AStrayLegacyByteLeavesTheUtf8AroundItAlone)
{
    Fixture f;
    test::writeBytes(
        f.path(),
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"T\"=\"Caf\xC3\xA9 \xE2\x80\x93 \xE9t\xE9\"\r\n");
    RegFileStore store(f.path());
    const auto key = store.openKey(s("K"), SettingsStore::Open::Existing);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString(s("T")), s("Café – été"));
}
