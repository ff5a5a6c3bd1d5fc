// Real consumers read the reports back: the jsonld package expands the JSON-LD block, and the Nu
// HTML Checker reads a complete page. Both come from tests/consumers (scripts/install-deps.sh).
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"

#include "CliRun.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

const QString kConsumers = s(QUILLERY_SOURCE_DIR "/tests/consumers/");

struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun runProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    ProgramRun r;
    if (!process.waitForFinished(180000))
        return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = process.readAllStandardError();
    return r;
}

// A copy of the sample catalogue, reported with settings of its own.
class Consumers : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_catalogue = m_dir.filePath(s("catalogue"));
        QDir().mkpath(m_catalogue);
        const QDir sample(s(QUILLERY_SOURCE_DIR "/examples/catalogue"));
        for (const QString& name : sample.entryList({s("*.book")}, QDir::Files))
            ASSERT_TRUE(QFile::copy(sample.filePath(name), m_catalogue + u'/' + name));
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n");
    }

    QByteArray report(const QStringList& flags)
    {
        const QString out = m_dir.filePath(s("report.html"));
        const test::CliResult r = test::runCli(
            QStringList{s("--settings"), m_settings, s("report"), m_catalogue, s("-o"), out} +
            flags);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return test::readBytes(out);
    }

    QTemporaryDir m_dir;
    QString m_catalogue;
    QString m_settings;
};

} // namespace

TEST_F(Consumers, TheJsonLdProcessorExpandsTheBlockToSchemaOrgTerms)
{
    const QString node = QStandardPaths::findExecutable(s("node"));
    if (node.isEmpty() || !QFile::exists(kConsumers + s("node_modules/jsonld/package.json")))
        GTEST_SKIP() << "node or the jsonld package is missing (scripts/install-deps.sh)";

    // A title no script element may hold as it is, beside the sample books.
    const QString title = s("\"Tricky\" </script><!-- \\ \t\x01 𝄞 café");
    BookRecord tricky;
    tricky[Field::Title] = title;
    writeBookFile(bookFilePath(m_catalogue, s("Tricky")), tricky, QDateTime::currentDateTime(),
                  s("1.2.0.0"));

    const QList<QByteArray> lines = report({s("--jsonld")}).split('\n');
    const qsizetype start = lines.indexOf("<script type=\"application/ld+json\">\r");
    ASSERT_GE(start, 0);
    QByteArray json;
    for (qsizetype i = start + 1; i < lines.size() && lines[i] != "</script>\r"; ++i)
        json += lines[i] + '\n';
    const QString file = m_dir.filePath(s("ld.json"));
    test::writeBytes(file, json);

    const ProgramRun r = runProgram(node, {kConsumers + s("expand-jsonld.mjs"), file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    // The processor read every book, and the title back as it was typed.
    const QJsonArray expanded = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(expanded.size(), 1);
    QStringList names;
    for (const QJsonValue& element :
         expanded[0][QLatin1StringView("http://schema.org/itemListElement")].toArray()) {
        const QJsonValue book = element[QLatin1StringView("http://schema.org/item")][0];
        names.append(
            book[QLatin1StringView("http://schema.org/name")][0][QLatin1StringView("@value")]
                .toString());
    }
    EXPECT_EQ(names.size(), 9);
    EXPECT_TRUE(names.contains(title));
    EXPECT_TRUE(names.contains(s("Norwegian Wood")));
}

TEST_F(Consumers, TheNuHtmlCheckerFindsNoErrorInACompletePage)
{
    const QString java = QStandardPaths::findExecutable(s("java"));
    const QString vnu = kConsumers + s("node_modules/vnu-jar/build/dist/vnu.jar");
    if (java.isEmpty() || !QFile::exists(vnu))
        GTEST_SKIP() << "java or the vnu-jar package is missing (scripts/install-deps.sh)";

    const QString page = m_dir.filePath(s("page.html"));
    test::writeBytes(page, report({s("--microdata"), s("--default-lang"), s("English"),
                                   s("--jsonld"), s("--page")}));
    ASSERT_TRUE(test::readBytes(page).startsWith("\xEF\xBB\xBF<!DOCTYPE html>\r\n"));
    const ProgramRun r = runProgram(java, {s("-jar"), vnu, s("--errors-only"), page});
    EXPECT_EQ(r.status, 0) << r.err.toStdString() << r.out.toStdString();
    EXPECT_EQ(r.err + r.out, QByteArray());

    // The checker does find the errors of a report that is no page.
    test::writeBytes(page, report({s("--microdata"), s("--jsonld")}));
    EXPECT_NE(runProgram(java, {s("-jar"), vnu, s("--errors-only"), page}).status, 0);
}
