// The catalogue column of the main window: the folder box, the book list and how the list
// follows the session.

#include "ui/MainWin.h"

#include "catalogue/BookFile.h"
#include "catalogue/BookIndex.h"
#include "catalogue/BookQuery.h"
#include "catalogue/Catalogue.h"
#include "session/Session.h"
#include "ui/CatalogueCommands.h"
#include "ui/CountTexts.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/ItemPage.h"
#include "ui/ReportPage.h"
#include "ui/WaitCursor.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace quillery::ui {

void TmainFrm::createLeftColumn(QWidget* central)
{
    eDir = new QLineEdit(central);
    eDir->setObjectName(QStringLiteral("eDir"));
    eDir->setToolTip(tr("Displays the folder in which to save the book entries."));
    eDirButton =
        eDir->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    eDirButton->setObjectName(QStringLiteral("eDirButton"));
    connect(eDirButton, &QAction::triggered, this,
            [this] { guarded(this, [this] { eDirRightButtonClick(); }); });
    eDir->installEventFilter(this);

    // The filter over the list: the books that match are shown as the user types.
    eFilter = new QLineEdit(central);
    eFilter->setObjectName(QStringLiteral("eFilter"));
    eFilter->setPlaceholderText(tr("Find books (Ctrl+L)"));
    eFilter->setClearButtonEnabled(true);
    eFilter->setToolTip(tr("Shows only the books that match every word typed here: a word in any "
                           "field, \"a phrase\", author:tolkien, year:1900..1950, isbn:0261103571, "
                           "has:series, -word to leave books out."));
    connect(eFilter, &QLineEdit::textChanged, this,
            [this] { guarded(this, [this] { filterList(); }); });
    connect(m_actions.aFind, &QAction::triggered, this, [this] {
        eFilter->setFocus();
        eFilter->selectAll();
    });

    lbBooks = new QListWidget(central);
    lbBooks->setObjectName(QStringLiteral("lbBooks"));
    lbBooks->setToolTip(tr("Lists all books in the catalogue."));
    lbBooks->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every entry is one line of the same font: the list is laid out without measuring each.
    lbBooks->setUniformItemSizes(true);
    lbBooks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lbBooks, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ListPopup->popup(lbBooks->viewport()->mapToGlobal(pos)); });
    // Whatever selects an entry (a click, a press released elsewhere, the arrow keys, Space,
    // Home, End, typing its name) loads its book, once the selection has moved.
    connect(lbBooks, &QListWidget::itemSelectionChanged, this, [this] {
        guarded(this, [this] { lbBooksClick(); });
        updateActions();
    });
    lbBooks->installEventFilter(this);
}

void TmainFrm::layOutColumns(QWidget* central)
{
    // The book list and the pages share the width as designed (201 to 722) as the window grows.
    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(eDir);
    left->addWidget(eFilter);
    left->addWidget(lbBooks, 1);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(13);
    columns->addLayout(left, 201);
    columns->addWidget(MainPageControl, 722);
}

// ----- The catalogue -----

void TmainFrm::OpenCatalogue(const QString& folder)
{
    try {
        m_session->openFolder(folder);
    } catch (...) {
        showCatalogue();
        throw;
    }
    showCatalogue();
    readCatalogueInBackground();
    updateActions();
}

void TmainFrm::readCatalogueInBackground()
{
    // The filter answers from an index of the books, read on other threads while the list is
    // used. A large catalogue's version test goes with it, and its question comes when it is
    // done; a small one is tested at once.
    constexpr qsizetype testedInBackgroundFrom = 20000;
    if (m_session->bookNames().size() >= testedInBackgroundFrom) {
        m_session->buildBookIndexInBackground(true);
        m_backgroundReading->start();
        return;
    }
    m_backgroundReading->stop();
    const bool old = m_session->hasVersion10Books();
    m_session->buildBookIndexInBackground();
    if (old)
        m_commands->offerUpgrade();
}

void TmainFrm::backgroundReadingDone()
{
    if (m_busy || m_session->bookIndexPending())
        return;
    m_backgroundReading->stop();
    if (m_session->backgroundVersionTest().value_or(false))
        m_commands->offerUpgrade();
}

void TmainFrm::showCatalogue()
{
    // The list follows what other programs add, remove or rename in the folder.
    const QString folder = m_session->currentDir();
    if (m_watcher->directories() != QStringList{folder}) {
        if (!m_watcher->directories().isEmpty())
            m_watcher->removePaths(m_watcher->directories());
        if (QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    }
    eDir->setText(m_session->currentDir());
    fillList();
    if (m_session->currentBookFile().isEmpty())
        SetEditorVisible(false);
    showListCount();
    m_reportPage->showFormatAndOptions();
}

void TmainFrm::followFolder()
{
    // Not under a long task, which reads what the session held when it began.
    if (m_busy) {
        m_settle->start();
        return;
    }
    m_session->rereadBookNames();
    fillList();
    showListCount();
    updateActions();
}

void TmainFrm::fillList()
{
    {
        const QSignalBlocker blocker(lbBooks);
        lbBooks->clear();
        lbBooks->addItems(m_session->shownNames());
        // A name too long for the column is shown whole in its hint. The view has nothing to
        // redraw for a hint, so the model tells no one.
        const QSignalBlocker model(lbBooks->model());
        for (int i = 0; i < lbBooks->count(); ++i)
            lbBooks->item(i)->setToolTip(lbBooks->item(i)->text());
        // The book being edited stays in the list while it no longer matches the filter, in
        // italics, until another book is selected.
        const QString unmatched = m_session->shownButNotMatching();
        m_listShowsUnmatched = !unmatched.isEmpty();
        if (m_listShowsUnmatched) {
            const int row = int(m_session->shownNames().indexOf(unmatched));
            QFont font = lbBooks->item(row)->font();
            font.setItalic(true);
            lbBooks->item(row)->setFont(font);
        }
    }
    selectCurrentBookEntry();
}

void TmainFrm::filterList()
{
    try {
        m_session->setFilter(eFilter->text());
    } catch (const QueryError& error) {
        // Half a query is normal while it is typed: the list stays as it was and the status bar
        // says what is missing.
        showStatusHint(error.message());
        return;
    }
    if (m_session->bookIndexPending()) {
        // The books are still being read for the index: the list waits for it.
        const WaitCursor wait;
        showStatusHint(tr("Reading the books to find..."));
        m_session->shownNames();
    }
    showStatusHint(QString());
    fillList();
    showListCount();
    updateActions();
}

void TmainFrm::showListCount()
{
    statusCount->setText(m_session->filtered()
                             ? shownBooksLine(lbBooks->count(), m_session->bookNames().size())
                             : bookCountLine(lbBooks->count()));
    // Book files the list cannot name are said, never dropped without a word.
    if (const int skipped = m_session->undecodableBookNames())
        showStatusHint(undecodableNamesLine(skipped));
}

void TmainFrm::lbBooksClick()
{
    if (selectedIndex() < 0) {
        // Nothing selected and a book loaded: the selection goes back to the book on screen.
        selectCurrentBookEntry();
        return;
    }
    try {
        m_session->editBook(selectedName());
    } catch (...) {
        // The book on screen stays (the book left could not be saved, the user cancelled, or
        // the entry could not be read), and so does its entry's selection.
        selectCurrentBookEntry();
        throw;
    }
    m_itemPage->syncWithSession();
    // A book shown only because it was being edited goes when another is selected.
    if (m_listShowsUnmatched)
        fillList();
}

void TmainFrm::selectCurrentBookEntry()
{
    const QSignalBlocker blocker(lbBooks);
    const QString& current = m_session->currentBookFile();
    const qsizetype row =
        current.isEmpty() ? -1 : m_session->shownNames().indexOf(bookIdFromPath(current));
    lbBooks->setCurrentRow(-1);
    lbBooks->clearSelection();
    if (row >= 0) {
        lbBooks->setCurrentRow(int(row));
        lbBooks->item(int(row))->setSelected(true);
    }
}

bool TmainFrm::selectBook(const QString& name)
{
    const std::optional<qsizetype> found = m_session->findBook(name);
    if (!found)
        return false;
    {
        const QSignalBlocker blocker(lbBooks);
        lbBooks->setCurrentRow(int(*found));
        lbBooks->item(int(*found))->setSelected(true);
    }
    lbBooksClick();
    updateActions();
    return true;
}

void TmainFrm::SetEditorVisible(bool visible)
{
    m_itemPage->SetEditorVisible(visible);
}

int TmainFrm::selectedIndex() const
{
    const QList<QListWidgetItem*> items = lbBooks->selectedItems();
    return items.isEmpty() ? -1 : lbBooks->row(items.constFirst());
}

QString TmainFrm::selectedName() const
{
    const int index = selectedIndex();
    return index < 0 ? QString() : lbBooks->item(index)->text();
}

void TmainFrm::eDirEnter()
{
    const QString typed = eDir->text();
    if (QFileInfo(typed).isDir()) {
        OpenCatalogue(typed);
        return;
    }
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = windowTitle();
        spec.mainInstruction = tr("Directory Selection");
        spec.content = tr("There is no directory with the specified path.");
        spec.icon = TaskDialogSpec::Icon::Error;
        spec.commonButtons = QDialogButtonBox::Close;
        spec.expandedInformation = tr("An attempt was made to select the non-existing directory") +
                                   QStringLiteral("\r\n\r\n") + typed;
        dialogs().taskDialog(this, spec);
    } else {
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(),
                             tr("There is no directory with the specified path"), QMessageBox::Ok);
    }
    eDir->setText(m_session->currentDir());
}

void TmainFrm::eDirRightButtonClick()
{
    const std::optional<QString> folder =
        dialogs().pickFolder(this, tr("Select Directory"), tr("Select"), m_session->currentDir());
    if (!folder)
        return;
    OpenCatalogue(*folder);
}

void TmainFrm::previous()
{
    const int index = selectedIndex();
    if (index <= 0)
        return;
    selectBook(lbBooks->item(index - 1)->text());
}

void TmainFrm::next()
{
    const int index = selectedIndex();
    if (index < 0 || index >= lbBooks->count() - 1)
        return;
    selectBook(lbBooks->item(index + 1)->text());
}

} // namespace quillery::ui
