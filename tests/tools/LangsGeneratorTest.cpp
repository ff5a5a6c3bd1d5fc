#include "tools/langs/LangsGenerator.h"
#include "markup/LanguageRegistry.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

// The registry package: $QUILLERY_LANGREG_DIR, else the folder the build was configured with.
QString packageDir()
{
    const QString fromEnvironment = qEnvironmentVariable("QUILLERY_LANGREG_DIR");
    return fromEnvironment.isEmpty() ? s(QUILLERY_LANGREG_DIR) : fromEnvironment;
}

} // namespace

TEST(LangsGenerator, WritesRecordJarInFieldOrder)
{
    const QByteArray json = R"([
        {"Type": "language", "Subtag": "aa", "Description": ["Afar", "Second \"name\""],
         "Added": "2005-10-16"},
        {"Type": "grandfathered", "Tag": "i-t", "Description": ["B\u00e9 \u00e5"],
         "Prefix": ["x", "y"], "Comments": ["A long comment that the registry would fold but that stays on one line here"]}
    ])";
    const QByteArray expected = "File-Date: 2014-10-24\r\n"
                                "%%\r\n"
                                "Type: language\r\nSubtag: aa\r\nDescription: Afar\r\n"
                                "Description: Second \"name\"\r\nAdded: 2005-10-16\r\n"
                                "%%\r\n"
                                "Type: grandfathered\r\nTag: i-t\r\n"
                                "Description: B\xc3\xa9 \xc3\xa5\r\nPrefix: x\r\nPrefix: y\r\n"
                                "Comments: A long comment that the registry would fold but that "
                                "stays on one line here\r\n";
    EXPECT_EQ(tools::generateLangs(json, R"({"File-Date": "2014-10-24"})"), expected);
}

TEST(LangsGenerator, RejectsWhatItCannotRepresent)
{
    const QByteArray meta = R"({"File-Date": "d"})";
    EXPECT_THROW(tools::generateLangs("[{\"Comments\": \"two\\nlines\"}]", meta),
                 tools::GeneratorError);
    EXPECT_THROW(tools::generateLangs("[{\"Type\": 1}]", meta), tools::GeneratorError);
    EXPECT_THROW(tools::generateLangs("[{\"Type\": \"x\"", meta), tools::GeneratorError);
    EXPECT_THROW(tools::generateLangs("[]", "{}"), tools::GeneratorError);
}

TEST(LangsGenerator, ReproducesTheCommittedTable)
{
    const QString dir = packageDir();
    if (!QFileInfo::exists(QDir(dir).filePath(s("data/json/registry.json"))))
        GTEST_SKIP() << "language-subtag-registry package not found in " << dir.toStdString()
                     << " (set QUILLERY_LANGREG_DIR)";
    const QByteArray generated = tools::generateLangsFromPackage(dir);
    const QByteArray committed =
        test::readBytes(s(QUILLERY_SOURCE_DIR) + s("/resources/data/langs.txt"));
    ASSERT_EQ(generated.size(), committed.size());
    EXPECT_TRUE(generated == committed);
    // And the program's copy is that same text.
    EXPECT_TRUE(LanguageRegistry::resourceText() == committed);
    EXPECT_EQ(LanguageRegistry::parse(generated).recordCount(), 8938);
}
