#include "format/Report.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/FormatEngine.h"

#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;

namespace {

using quillery::test::s;

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* title : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) {
            BookRecord r;
            r[Field::Title] = s(title);
            r[Field::Author] = s("Doe, Jane");
            writeBookFile(bookFilePath(m_dir.path(), s(title)), r, QDateTime::currentDateTime(),
                          s("1.2.0.0"));
        }
        m_context.escapeHtml = false;
    }

    QStringList report(const QStringList& entries, const QString& format = QStringLiteral("%T"))
    {
        return GenerateReport(m_dir.path(), entries, format, m_context);
    }

    QTemporaryDir m_dir;
    FormatContext m_context;
};

} // namespace

TEST_F(ReportTest, AllItemsWithTheDefaults)
{
    const QStringList lines = report({s("Alpha"), s("Beta")});
    EXPECT_EQ(reportText(lines), s("<ul>\r\n<li>Alpha</li>\r\n<li>Beta</li>\r\n</ul>\r\n"));
    EXPECT_EQ(reportFileBytes(lines), QByteArray("\xEF\xBB\xBF") + reportText(lines).toUtf8());
}

TEST_F(ReportTest, IdSubstitutionOnlyInBeforeItem)
{
    m_context.report.beforeItem = s("<li id=\"%ID\" class=\"%id\">");
    m_context.report.afterItem = s("%ID</li>");
    EXPECT_EQ(report({s("Alpha")}, s("%ID")),
              QStringList({s("<ul>"), s("<li id=\"Alpha\" class=\"%id\">D%ID</li>"), s("</ul>")}));
    EXPECT_EQ(SubstituteId(s("%ID-%ID-%Id"), s("x")), s("x-x-%Id"));
}

TEST_F(ReportTest, EmptyFramesAndNoSelection)
{
    m_context.report.beforeReport.clear();
    m_context.report.afterReport.clear();
    EXPECT_EQ(report({s("Alpha"), s("Beta")}),
              QStringList({s("<li>Alpha</li>"), s("<li>Beta</li>")}));
    EXPECT_EQ(report({}), QStringList());
    EXPECT_EQ(reportText({}), QString());
    EXPECT_EQ(reportFileBytes({}), QByteArray("\xEF\xBB\xBF"));
}

TEST_F(ReportTest, MultiLineValuesStayInsideTheirLine)
{
    BookRecord r;
    r[Field::Comments] = s("one\r\ntwo");
    writeBookFile(bookFilePath(m_dir.path(), s("Notes")), r, QDateTime::currentDateTime(),
                  s("1.2.0.0"));
    const QStringList lines = report({s("Notes")}, s("%c%0013%0010end"));
    EXPECT_EQ(lines[1], s("<li>one\r\ntwo\r\nend</li>"));
}

TEST_F(ReportTest, AFormatErrorOnTheThirdBookDeliversNothing)
{
    writeBookFile(
        bookFilePath(m_dir.path(), s("Gamma")),
        [] {
            BookRecord r;
            r[Field::Position] = s("3a");
            return r;
        }(),
        QDateTime::currentDateTime(), s("1.2.0.0"));
    m_context.report.microdata = true;
    try {
        report({s("Alpha"), s("Beta"), s("Gamma"), s("Delta"), s("Epsilon")}, s("%T%i"));
        FAIL() << "the third book must fail";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.message(), s("''3a'' is not a valid integer value"));
    }
}

TEST_F(ReportTest, AMissingBookReadsAsEmpty)
{
    EXPECT_EQ(report({s("Vanished")}, s("[%T]%ID")),
              QStringList({s("<ul>"), s("<li>[]D</li>"), s("</ul>")}));
}
