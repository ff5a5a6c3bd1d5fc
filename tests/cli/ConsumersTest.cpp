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
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

const QString kConsumers = s(QUILLERY_SOURCE_DIR "/tests/consumers/");

// Runs a program to its end: its exit status (-1 when it crashed or hung), stdout in `out`, and
// stderr after it.
int runProgram(const QString& program, const QStringList& args, QByteArray& out)
{
    QProcess process;
    process.start(program, args);
    const bool finished = process.waitForFinished(180000);
    out = process.readAllStandardOutput() + process.readAllStandardError();
    return finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
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
        test::writeBytes(m_dir.filePath(s("settings.reg")),
                         "Windows Registry Editor Version 5.00\r\n");
    }

    // The report file of the catalogue with the flags; also left in `path`.
    QByteArray report(const QStringList& flags, const QString& path)
    {
        const test::CliResult r =
            test::runCli(QStringList{s("--settings"), m_dir.filePath(s("settings.reg")),
                                     s("report"), m_catalogue, s("-o"), path} +
                         flags);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return test::readBytes(path);
    }

    QTemporaryDir m_dir;
    QString m_catalogue;
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

    const QString file = m_dir.filePath(s("ld.json"));
    const QByteArray page = report({s("--jsonld")}, file);
    const QByteArray start = "<script type=\"application/ld+json\">\r\n";
    const qsizetype from = page.indexOf(start) + start.size();
    ASSERT_GE(from, start.size());
    test::writeBytes(file, page.sliced(from, page.lastIndexOf("</script>") - from));

    QByteArray out;
    ASSERT_EQ(runProgram(node, {kConsumers + s("expand-jsonld.mjs"), file}, out), 0)
        << out.toStdString();

    // The processor read every book, and the title back as it was typed.
    QStringList names;
    const QJsonValue list = QJsonDocument::fromJson(out).array().first();
    for (const QJsonValue& element :
         list[QLatin1StringView("http://schema.org/itemListElement")].toArray())
        names.append(element[QLatin1StringView("http://schema.org/item")][0][QLatin1StringView(
            "http://schema.org/name")][0][QLatin1StringView("@value")]
                         .toString());
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
    const QStringList on = {s("--microdata"), s("--default-lang"), s("English"), s("--jsonld")};
    EXPECT_TRUE(
        report(on + QStringList{s("--page")}, page).startsWith("\xEF\xBB\xBF<!DOCTYPE html>"));
    QByteArray out;
    EXPECT_EQ(runProgram(java, {s("-jar"), vnu, s("--errors-only"), page}, out), 0)
        << out.toStdString();
    EXPECT_EQ(out, QByteArray());

    // The checker does find the errors of a report that is no page.
    report(on, page);
    EXPECT_EQ(runProgram(java, {s("-jar"), vnu, s("--errors-only"), page}, out), 1);
}
