#include "ui/ExchangeCommands.h"

#include "base/FileIo.h"
#include "exchange/Exchange.h"
#include "exchange/Import.h"
#include "session/Session.h"
#include "ui/CountTexts.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/ExportWin.h"
#include "ui/ImportWin.h"
#include "ui/LongTask.h"
#include "ui/MainWin.h"
#include "ui/Translation.h"
#include "ui/WaitCursor.h"

#include <QDir>
#include <QFileInfo>

namespace quillery::ui {

namespace {

// A hint in the status bar while a long operation runs, and the wait cursor.
class Busy {
public:
    Busy(TmainFrm& window, const QString& hint)
        : m_window(window), m_previous(window.showStatusHint(hint))
    {}
    ~Busy() { m_window.showStatusHint(m_previous); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    WaitCursor m_wait;
    TmainFrm& m_window;
    QString m_previous;
};

QString exportFilter(ExchangeFormat format)
{
    const QString pattern = QStringLiteral(" (*.%1)").arg(exchangeFileExtension(format));
    switch (format) {
    case ExchangeFormat::CslJson:
        return ExchangeCommands::tr("CSL-JSON files") + pattern;
    case ExchangeFormat::BibTeX:
        return ExchangeCommands::tr("BibTeX files") + pattern;
    case ExchangeFormat::Ris:
        return ExchangeCommands::tr("RIS files") + pattern;
    default:
        return ExchangeCommands::tr("CSV files") + pattern;
    }
}

} // namespace

ExchangeCommands::ExchangeCommands(TmainFrm& window, Session& session)
    : m_window(window), m_session(session)
{}

void ExchangeCommands::exportBooks()
{
    const std::optional<qsizetype> shown =
        m_session.filtered() ? std::optional(m_session.shownNames().size()) : std::nullopt;
    TExportWin dialog(m_exportFormat, m_session.bookNames().size(), shown, &m_window);
    if (dialogs().execDialog(dialog) != QDialog::Accepted)
        return;
    const ExchangeFormat format = dialog.format();
    m_exportFormat = format;
    const QStringList names =
        dialog.shownBooksOnly() ? m_session.shownNames() : m_session.bookNames();

    const QString& dir = m_session.currentDir();
    const QString extension = exchangeFileExtension(format);
    QString proposal = QDir(dir).dirName();
    if (proposal.isEmpty())
        proposal = tr("Books");
    const std::optional<QString> chosen = dialogs().saveFileName(
        &m_window, tr("Export Books"), exportFilter(format), dir, proposal + u'.' + extension);
    if (!chosen)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + extension;
    QByteArray bytes;
    {
        // Prepared (the book being edited saved) before the task holds back keys and clicks.
        auto make = m_session.prepareExport(format, names);
        // Escape drops the export: nothing is written.
        LongTask task(&m_window, tr("Exporting books..."));
        bytes = task.run(std::move(make));
    }
    {
        const Busy busy(m_window, tr("Exporting books..."));
        writeWholeFile(path, bytes);
    }
    m_window.showStatusHint(
        tr("%1 books exported to %2.")
            .arg(uiLocale().toString(names.size()), QDir::toNativeSeparators(path)));
}

void ExchangeCommands::importBooks()
{
    const std::optional<QString> file = dialogs().openFileName(
        &m_window, tr("Import Books"),
        tr("Book lists") + QStringLiteral(" (*.csv *.tsv *.txt *.json *.bib *.ris);;") +
            tr("All files") + QStringLiteral(" (*)"),
        m_session.currentDir());
    if (!file)
        return;
    const auto plan = [this, file](std::optional<ExchangeFormat> format, DuplicatePolicy policy) {
        const WaitCursor wait;
        return m_session.planImport(*file, format, policy);
    };
    ImportPlan first = plan(std::nullopt, DuplicatePolicy::Skip);
    TImportWin dialog(*file, m_session.lastImportFormat(), std::move(first), plan, &m_window);
    if (dialogs().execDialog(dialog) != QDialog::Accepted)
        return;

    // The list shows the books written, also those before a failure part way.
    const auto showNewBooks = [this] {
        m_window.OpenCatalogue(m_session.currentDir());
    };
    ImportResult result;
    try {
        const Busy busy(m_window, tr("Importing books..."));
        result = m_session.runImport(dialog.plan());
    } catch (...) {
        guarded(&m_window, showNewBooks);
        throw;
    }
    showNewBooks();
    dialogs().messageBox(&m_window, QMessageBox::Information, m_window.windowTitle(),
                         importSummaryLine(result.imported, result.duplicates, result.rejected),
                         QMessageBox::Ok);
}

} // namespace quillery::ui
