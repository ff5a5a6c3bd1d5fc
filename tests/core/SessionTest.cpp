#include "session/Session.h"

#include "base/Errors.h"
#include "catalogue/BookFile.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

namespace {

// A catalogue of two books and a settings file that names it.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        for (const char* title : {"Emma", "Villette"}) {
            BookRecord r;
            r[Field::Title] = s(title);
            writeBookFile(bookFilePath(m_cat, s(title)), r, QDateTime(QDate(2020, 1, 1), {}),
                          s("1.2.0.0"));
        }
        m_settingsFile = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settingsFile,
                         "Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]\r\n"
                         "\"Directory\"=\"" +
                             m_cat.toUtf8() + "\"\r\n\"Format\"=\"%T\"\r\n\r\n");
    }

    std::unique_ptr<Session> start()
    {
        auto session = std::make_unique<Session>(std::make_unique<RegFileStore>(m_settingsFile));
        session->start();
        return session;
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settingsFile;
};

} // namespace

TEST_F(SessionTest, StartsOnTheSavedCatalogueWithItsOptionsFile)
{
    test::writeBytes(m_cat + s("directory.qy-opts"), "[Report]\r\nMicrodata=1\r\n");
    const auto session = start();
    EXPECT_EQ(session->currentDir(), m_cat);
    EXPECT_EQ(session->bookNames(), QStringList({s("Emma"), s("Villette")}));
    EXPECT_EQ(session->formatText(), s("%T"));
    // The box was ticked by the file, so the item text was rewritten as a click does.
    EXPECT_EQ(session->reportOptions().beforeItem,
              s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    EXPECT_FALSE(session->reportOptions().useLangForTitle);
    EXPECT_EQ(session->formats(), defaultFormats());
}

TEST_F(SessionTest, ASettingsFileThatCannotBeReadStopsTheCommandLineButNotTheWindow)
{
    test::writeBytes(m_settingsFile, "not a registry file");
    EXPECT_THROW(start(), Error);

    // A store that cannot be read, as a broken settings file of the user's own (never the real
    // one: other test programs read it at the same time).
    struct UnreadableStore final : SettingsStore {
        std::unique_ptr<SettingsKey> openKey(const QString&, Open) override
        {
            throw Error(s("unreadable settings"));
        }
        bool deleteKey(const QString&) override { return false; }
    };
    Session window(std::make_unique<UnreadableStore>());
    QStringList heard;
    window.start([&](const Error& e) { heard << e.message(); });
    ASSERT_EQ(heard.size(), 1);
    EXPECT_EQ(window.settings(), AppSettings());
    EXPECT_EQ(window.currentDir(), withTrailingSeparator(defaultDirectory()));
}

TEST_F(SessionTest, EditingSavesTheBookLeftAndLoadsTheNextOnce)
{
    const auto session = start();
    EXPECT_TRUE(session->editBook(s("Emma")));
    EXPECT_EQ(session->currentBookFile(), m_cat + s("Emma.book"));
    session->setField(Field::Edition, s("Second"));
    EXPECT_EQ(session->referencePreview(), s("Emma"));
    EXPECT_FALSE(session->editBook(s("Emma")));
    EXPECT_EQ(ReadBookRecord(m_cat + s("Emma.book"))[Field::Edition], QString());

    EXPECT_TRUE(session->editBook(s("Villette")));
    EXPECT_EQ(ReadBookRecord(m_cat + s("Emma.book"))[Field::Edition], s("Second"));
    EXPECT_EQ(session->book()[Field::Title], s("Villette"));
    EXPECT_EQ(session->loadedBook(), session->book());
    EXPECT_EQ(session->findBook(s("villette")), 1);
    EXPECT_EQ(session->findBook(s("Middlemarch")), std::nullopt);
}

TEST_F(SessionTest, BookCommandsCloseTheEditorAndTheCatalogueListsThemAfterwards)
{
    const auto session = start();
    session->editBook(s("Emma"));
    EXPECT_EQ(session->newBookProposal(), s("Book"));
    EXPECT_EQ(session->checkBookName(s("Emma.book")), NameCheck::Exists);
    session->createBook(s("Book.book"));
    EXPECT_TRUE(session->duplicateBook(s("Emma"), s("Emma 2.book")));
    EXPECT_TRUE(session->currentBookFile().isEmpty());
    EXPECT_FALSE(session->renameBook(s("Emma"), s("Villette.book")));
    EXPECT_TRUE(session->renameBook(s("Villette"), s("Bronte.book")));
    QString reason;
    EXPECT_FALSE(session->deleteBook(s("Missing"), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(session->deleteBook(s("Book")));
    session->openFolder(session->currentDir());
    EXPECT_EQ(session->bookNames(), QStringList({s("Bronte"), s("Emma"), s("Emma 2")}));
}

TEST_F(SessionTest, ReportsSaveTheBookBeingEditedFirst)
{
    const auto session = start();
    session->editBook(s("Villette"));
    session->setField(Field::Title, s("Villette, a Novel"));
    session->setBeforeItem(s("<p>%ID: "));
    session->setAfterItem(s("</p>"));
    session->setBeforeReport(QString());
    const QStringList all = session->reportEntries(ReportScope::AllItems, QString());
    EXPECT_EQ(
        session->generateReport(all),
        QStringList({s("<p>Emma: Emma</p>"), s("<p>Villette: Villette, a Novel</p>"), s("</ul>")}));
    EXPECT_EQ(session->generateReportUtf8(
                  session->reportEntries(ReportScope::SelectedItem, s("Emma")), true),
              QByteArray("\xEF\xBB\xBF<p>Emma: Emma</p>\r\n</ul>\r\n"));
    EXPECT_TRUE(session->reportEntries(ReportScope::SelectedItem, s("emma")).isEmpty());
}

TEST_F(SessionTest, ShutdownWritesTheFolderTheFormatTextAndTheLists)
{
    {
        const auto session = start();
        session->openFolder(m_dir.path());
        session->setFormatText(s("%A"));
        session->setFormats({s("%A"), QString()});
        session->setLinkTemplates({s("https://example.org/?q=%T\u00A0x")});
        session->setHintsShown(false);
        session->saveSettings();
    }
    RegFileStore store(m_settingsFile);
    const AppSettings saved = LoadAppSettings(store);
    EXPECT_EQ(saved.directory, withTrailingSeparator(m_dir.path()));
    EXPECT_EQ(saved.format, s("%A"));
    EXPECT_EQ(saved.formats, QStringList({s("%A"), QString()}));
    EXPECT_EQ(saved.dataLinkTemplates, QStringList({s("https://example.org/?q=%T\u00A0x")}));
    EXPECT_FALSE(saved.tooltips);
}
