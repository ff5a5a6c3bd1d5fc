// Books > Export... and Books > Import... in the window, answered through the dialog seam.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "exchange/ExchangeFormat.h"
#include "session/Session.h"
#include "settings/RegFileStore.h"
#include "ui/MainWin.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <tuple>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;
using Kind = quillery::test::ScriptedDialogs::Kind;

namespace {

class Exchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        for (const auto& [name, author, isbn] :
             {std::tuple{"Austen - Emma", "Austen, Jane", "9780141439587"},
              std::tuple{"Darwin - Origin", "Darwin, Charles", ""}}) {
            BookRecord r;
            r[Field::Author] = s(author);
            r[Field::Title] = s(name).section(u'-', 1).trimmed();
            r[Field::ISBN] = s(isbn);
            writeBookFile(bookFilePath(m_cat, s(name)), r);
        }
        const QString settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                   "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                   "\r\n\"Directory\"=\"" +
                                       m_cat.toUtf8() + "\"\r\n\r\n");
        m_window = std::make_unique<TmainFrm>(std::make_unique<RegFileStore>(settings));
        m_window->show();
        QCoreApplication::processEvents();
    }

    template <typename T> static T* child(QWidget& parent, const char* name)
    {
        T* found = parent.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void trigger(const char* action) { child<QAction>(*m_window, action)->trigger(); }

    QStringList files() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files) + QDir(m_cat).entryList(QDir::Files);
    }

    // A new record, a duplicate of "Austen - Emma" by its ISBN, and a row with too many cells.
    QString writeCsv()
    {
        const QString path = m_dir.filePath(s("list.csv"));
        test::writeBytes(path, "Author,Title,ISBN\r\n"
                               "\"Tolkien, J. R. R.\",The Hobbit,9780261103344\r\n"
                               "\"Woodhouse, Emma\",Emma Again,9780141439587\r\n"
                               "a,b,c,d\r\n");
        return path;
    }

    static QStringList column(QDialog& dialog, int c)
    {
        auto* table = child<QTableWidget>(dialog, "tvImportPreview");
        QStringList cells;
        for (int row = 0; row < table->rowCount(); ++row)
            cells.append(table->item(row, c)->text());
        return cells;
    }

    QTemporaryDir m_dir;
    QString m_cat;
    test::ScriptedDialogsScope m_dialogs;
    std::unique_ptr<TmainFrm> m_window;
};

enum { Result = 1, Name = 2, Note = 7 };

} // namespace

TEST_F(Exchange, ExportWritesTheBytesOfTheChosenFormatToTheFileNamed)
{
    struct Case {
        const char* caption;
        ExchangeFormat format;
        const char* filter;
        const char* extension;
    };
    const Case cases[] = {
        {"CSV", ExchangeFormat::Csv, "CSV files (*.csv)", "csv"},
        {"CSL-JSON", ExchangeFormat::CslJson, "CSL-JSON files (*.json)", "json"},
        {"RIS", ExchangeFormat::Ris, "RIS files (*.ris)", "ris"},
    };
    QString previous = s("CSV");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        m_dialogs->shown.clear();
        m_dialogs->answer([&](QDialog& dialog) {
            auto* format = child<QComboBox>(dialog, "cbExportFormat");
            // The format chosen last is offered again.
            EXPECT_EQ(format->currentText(), previous);
            EXPECT_TRUE(child<QRadioButton>(dialog, "rbAllBooks")->isChecked());
            EXPECT_FALSE(child<QRadioButton>(dialog, "rbShownBooks")->isEnabled());
            format->setCurrentIndex(format->findText(s(c.caption)));
            child<QPushButton>(dialog, "btnOk")->click();
        });
        // Typed without an extension: the format's is added.
        m_dialogs->answer(m_dir.filePath(s("out-%1").arg(s(c.extension))));
        trigger("aExport");

        ASSERT_EQ(m_dialogs->shown.size(), 2u);
        const auto& save = m_dialogs->last();
        EXPECT_EQ(save.kind, Kind::Save);
        EXPECT_EQ(save.caption, s("Export Books"));
        EXPECT_EQ(save.filter, s(c.filter));
        EXPECT_EQ(save.text, m_cat);
        EXPECT_EQ(save.initial, s("cat.%1").arg(s(c.extension)));
        const QString path = m_dir.filePath(s("out-%1.%1").arg(s(c.extension)));
        EXPECT_EQ(test::readBytes(path),
                  m_window->session().exportBooks(c.format, m_window->session().bookNames()));
        EXPECT_EQ(child<QLabel>(*m_window, "statusHint")->text(),
                  s("2 books exported to %1.").arg(QDir::toNativeSeparators(path)));
        previous = s(c.caption);
    }
}

TEST_F(Exchange, ExportOfTheBooksShownLeavesTheOthersOut)
{
    child<QLineEdit>(*m_window, "eFilter")->setText(s("darwin"));
    m_dialogs->answer([&](QDialog& dialog) {
        EXPECT_EQ(child<QRadioButton>(dialog, "rbAllBooks")->text(), s("&All books (2)"));
        auto* shown = child<QRadioButton>(dialog, "rbShownBooks");
        EXPECT_EQ(shown->text(), s("The books &shown (1)"));
        EXPECT_TRUE(shown->isEnabled() && shown->isChecked());
        child<QPushButton>(dialog, "btnOk")->click();
    });
    const QString path = m_dir.filePath(s("shown.csv"));
    m_dialogs->answer(path);
    trigger("aExport");
    EXPECT_EQ(test::readBytes(path),
              m_window->session().exportBooks(ExchangeFormat::Csv, {s("Darwin - Origin")}));
}

TEST_F(Exchange, CancelAtEitherExportDialogWritesNothing)
{
    const QStringList before = files();
    for (const bool atSave : {false, true}) {
        SCOPED_TRACE(atSave);
        m_dialogs->shown.clear();
        m_dialogs->answer([&](QDialog& dialog) {
            child<QPushButton>(dialog, atSave ? "btnOk" : "btnCancel")->click();
        });
        if (atSave)
            m_dialogs->cancel();
        trigger("aExport");
        EXPECT_EQ(m_dialogs->shown.size(), atSave ? 2u : 1u);
        EXPECT_EQ(m_dialogs->remainingAnswers(), 0);
        EXPECT_EQ(files(), before);
    }
}

TEST_F(Exchange, ThePreviewShowsWhatBecomesOfEachRecordBeforeAnythingIsWritten)
{
    const QString csv = writeCsv();
    const QStringList before = files();
    m_dialogs->answer(csv);
    m_dialogs->answer([&](QDialog& dialog) {
        EXPECT_EQ(child<QLabel>(dialog, "lblImportFile")->text(), s("File: list.csv"));
        auto* format = child<QComboBox>(dialog, "cbImportFormat");
        EXPECT_EQ(format->currentText(), s("CSV"));
        const QString duplicateNote = s("Duplicate of \"Austen - Emma\" (same ISBN)");
        const QString rejectedNote = s("The row has 4 cells, the header row 3.");
        struct State {
            bool importDuplicates;
            QStringList results;
            QString summary;
        };
        const State states[] = {
            {false,
             {s("New book"), s("Duplicate"), s("Rejected")},
             s("1 books will be imported, 1 duplicates skipped, 1 records rejected.")},
            {true,
             {s("New book"), s("New book (duplicate)"), s("Rejected")},
             s("2 books will be imported, 0 duplicates skipped, 1 records rejected.")},
        };
        for (const State& state : states) {
            SCOPED_TRACE(state.importDuplicates);
            child<QCheckBox>(dialog, "cbImportDuplicates")->setChecked(state.importDuplicates);
            EXPECT_EQ(column(dialog, Result), state.results);
            EXPECT_EQ(column(dialog, Note), (QStringList{{}, duplicateNote, rejectedNote}));
            const QStringList names = column(dialog, Name);
            EXPECT_EQ(names[0], s("Tolkien - The Hobbit"));
            EXPECT_EQ(names[1].isEmpty(), !state.importDuplicates);
            EXPECT_TRUE(names[2].isEmpty());
            EXPECT_EQ(child<QLabel>(dialog, "lblImportSummary")->text(), state.summary);
        }
        // Rows passed over look different from the rows that become books.
        auto* table = child<QTableWidget>(dialog, "tvImportPreview");
        EXPECT_NE(table->item(2, 0)->foreground(), table->item(0, 0)->foreground());

        // A format that cannot read the file: the error is shown and the file stays read as CSV.
        format->setCurrentIndex(format->findText(s("CSL-JSON")));
        ASSERT_EQ(m_dialogs->last().kind, Kind::Message);
        EXPECT_TRUE(m_dialogs->last().text.startsWith(s("Cannot import \"")));
        EXPECT_EQ(format->currentText(), s("CSV"));
        EXPECT_EQ(column(dialog, Result).size(), 3);
        child<QPushButton>(dialog, "btnCancel")->click();
    });
    trigger("aImport");

    const auto& open = m_dialogs->shown.front();
    EXPECT_EQ(open.kind, Kind::Open);
    EXPECT_EQ(open.caption, s("Import Books"));
    EXPECT_EQ(open.text, m_cat);
    EXPECT_EQ(open.filter, s("Book lists (*.csv *.tsv *.txt *.json *.bib *.ris);;All files (*)"));
    EXPECT_EQ(m_dialogs->shown[1].objectName, s("ImportWin"));
    EXPECT_EQ(files(), before);
    EXPECT_EQ(m_dialogs->shown.size(), 3u); // the open dialog, the preview, the error box
}

TEST_F(Exchange, ImportCreatesTheNewBooksListsThemAndSaysHowItWent)
{
    m_dialogs->answer(writeCsv());
    m_dialogs->answer([&](QDialog& dialog) { child<QPushButton>(dialog, "btnImport")->click(); });
    trigger("aImport");

    EXPECT_EQ(QDir(m_cat).entryList({s("*.book")}).size(), 3);
    auto* list = child<QListWidget>(*m_window, "lbBooks");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->findItems(s("Tolkien - The Hobbit"), Qt::MatchExactly).size(), 1);
    const auto& message = m_dialogs->last();
    EXPECT_EQ(message.kind, Kind::Message);
    EXPECT_EQ(message.icon, QMessageBox::Information);
    EXPECT_EQ(message.caption, m_window->windowTitle());
    EXPECT_EQ(message.text, s("1 books imported, 1 duplicates skipped, 1 records rejected."));
}

TEST_F(Exchange, AFileOfNoKnownFormatShowsTheErrorAndNoPreview)
{
    const QString path = m_dir.filePath(s("notes.txt"));
    test::writeBytes(path, "{ not a book list\n");
    m_dialogs->answer(path);
    trigger("aImport");
    ASSERT_EQ(m_dialogs->shown.size(), 2u);
    EXPECT_EQ(m_dialogs->last().kind, Kind::Message);
    EXPECT_EQ(m_dialogs->last().icon, QMessageBox::Critical);
    EXPECT_TRUE(m_dialogs->last().text.startsWith(
        s("Cannot import \"%1\".").arg(QDir::toNativeSeparators(path))));
}
