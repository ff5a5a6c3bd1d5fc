#include "ui/MainWin.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/FormatError.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/Report.h"
#include "health/CatalogueCheck.h"
#include "session/Session.h"
#include "settings/SettingsStore.h"
#include "ui/Accessibility.h"
#include "ui/CatalogueCommands.h"
#include "ui/Dialogs.h"
#include "ui/DirWin.h"
#include "ui/ErrorGuard.h"
#include "ui/ExchangeCommands.h"
#include "ui/FormatWin.h"
#include "ui/HelpTopics.h"
#include "ui/ItemPage.h"
#include "ui/LinksPage.h"
#include "ui/LongTask.h"
#include "ui/OutputWin.h"
#include "ui/ProgramIcon.h"
#include "ui/ReportPage.h"
#include "ui/SettingsWin.h"
#include "ui/WaitCursor.h"
#include "ui/WindowPlace.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace quillery::ui {

namespace {

const QString kCaption = QStringLiteral("Tollvern Quillery");

} // namespace

TmainFrm::TmainFrm(std::unique_ptr<SettingsStore> store, const QStringList& arguments,
                   QWidget* parent)
    : QMainWindow(parent), m_session(std::make_unique<Session>(std::move(store))),
      m_arguments(arguments)
{
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(kCaption);
    setWindowIcon(programIcon());
    m_commands = std::make_unique<CatalogueCommands>(*this, *m_session);
    m_exchange = std::make_unique<ExchangeCommands>(*this, *m_session);
    m_session->setOutsideChangeHandler(
        [this](const OutsideChange& change) { return m_commands->outsideChange(change); });

    // The program's token of a running instance: created or opened, held, never waited on.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        m_instanceToken =
            std::make_unique<QLockFile>(runtime + QStringLiteral("/Tollvern Quillery.lock"));
        m_instanceToken->setStaleLockTime(0);
        m_instanceToken->tryLock(0);
    }

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    m_actions = createMainActions(this);
    connectActions();
    createMenus();
    createLeftColumn(central);
    createPages(central);
    layOutColumns(central);
    createStatusBar();
    applyHintsAndShortcuts(this);
    // F10 opens the menu bar from the keyboard, whatever the style does with Alt: the menus'
    // captions have no accelerators.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
    // Changes in the folder come in bursts (a save writes a temporary file and renames it): the
    // list is read again once they have settled.
    m_watcher = new QFileSystemWatcher(this);
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(250);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, [this] { followFolder(); });
    qApp->installEventFilter(this);
    m_backgroundReading = new QTimer(this);
    m_backgroundReading->setInterval(50);
    connect(m_backgroundReading, &QTimer::timeout, this,
            [this] { guarded(this, [this] { backgroundReadingDone(); }); });

    // Start-up: a settings store that cannot be read is shown and the program goes on with the
    // defaults; a catalogue that cannot be opened whole is shown as far as it was.
    bool opened = false;
    guarded(this, [this, &opened] {
        m_session->start([this](const Error& error) {
            showError(this, error.message() + QStringLiteral("\r\n\r\n") +
                                tr("The file is left as it is. Settings changed from now on are "
                                   "not written to it; when the program closes they can be saved "
                                   "to another file."));
        });
        opened = true;
    });
    showSettings();
    SetEditorVisible(false);
    showCatalogue();
    if (opened)
        guarded(this, [this] {
            readCatalogueInBackground();
            // The user starts where they stopped: the book last loaded, when it is still there.
            const QString& last = m_session->settings().book;
            if (!last.isEmpty() && m_session->bookNames().contains(last))
                selectBook(last);
        });
    m_output = new ToutputFrm(this);
    m_output->setObjectName(QStringLiteral("outputFrm"));
    m_output->hide();

    // The designed client area; the menu bar and the status bar come on top of the page area. The
    // window opens at this size where the screen holds it, and the user may resize it.
    const int clientHeight = 727;
    m_designedSize = QSize(952, clientHeight + menuBar()->sizeHint().height());
    resize(m_designedSize);

    // The update rules run on events, never by polling: after every command and selection, when
    // the focus moves and when the folder changes.
    // Every control of the window and of the report output window is named for screen readers,
    // from the captions and hints made above.
    nameControls(this);
    showFocusFrames(this);
    m_focusRule = connect(qApp, &QApplication::focusChanged, this, [this] { updateActions(); });
    updateActions();
}

TmainFrm::~TmainFrm()
{
    // Widgets deleted with the window move the focus; the rules must not run on a half-gone one.
    disconnect(m_focusRule);
    qApp->removeEventFilter(this);
}

const QString& TmainFrm::currentDir() const
{
    return m_session->currentDir();
}

const QString& TmainFrm::currentBookFile() const
{
    return m_session->currentBookFile();
}

const AppSettings& TmainFrm::settings() const
{
    return m_session->settings();
}

bool TmainFrm::loadingBook() const
{
    return m_itemPage->loadingBook();
}

int TmainFrm::refPreviewRefreshes() const
{
    return m_itemPage->refPreviewRefreshes();
}

int TmainFrm::dataLinkRefreshes() const
{
    return m_itemPage->dataLinkRefreshes();
}

void TmainFrm::connectActions()
{
    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            if (!action->isEnabled())
                return;
            guarded(this, handler);
            guarded(this, [this] { m_itemPage->syncWithSession(); });
            updateActions();
        });
    };
    const MainActions& a = m_actions;
    CatalogueCommands& commands = *m_commands;
    ExchangeCommands& exchange = *m_exchange;
    on(a.aNewItem, [&commands] { commands.newItem(); });
    on(a.aDelItem, [&commands] { commands.deleteItem(); });
    on(a.aRename, [&commands] { commands.renameItem(); });
    on(a.aDuplicate, [&commands] { commands.duplicateItem(); });
    on(a.aManage, [&commands] { commands.manage(); });
    on(a.aCreateShelf, [&commands] { commands.createShelf(); });
    on(a.aImport, [&exchange] { exchange.importBooks(); });
    on(a.aExport, [&exchange] { exchange.exportBooks(); });
    on(a.aCheck, [this] { checkCatalogue(); });
    on(a.aUpgrade, [&commands] { commands.upgrade(); });
    on(a.aPrev, [this] { previous(); });
    on(a.aNext, [this] { next(); });
    on(a.aStatus, [this] { toggleStatusBar(); });
    on(a.aHints, [this] { toggleHints(); });
    on(a.aFormatMgr, [this] { formatManager(); });
    on(a.aSettings, [this] { settingsDialog(); });
    on(a.aDirOptions, [this] { directoryOptions(); });
    on(a.aAbout, [this] { showAbout(this); });
    connect(a.aExit, &QAction::triggered, this, &QWidget::close);
    for (QAction* destination : {a.aGenMemo, a.aGenClipbrd, a.aGenFile}) {
        connect(destination, &QAction::triggered, this, [this, destination] {
            guarded(this, [this, destination] { generate(destination); });
        });
    }
}

void TmainFrm::createMenus()
{
    QMenu* books = menuBar()->addMenu(tr("Books"));
    books->setObjectName(QStringLiteral("mnuBooks"));
    books->addActions(
        {m_actions.aNewItem, m_actions.aDelItem, m_actions.aRename, m_actions.aDuplicate});
    books->addSeparator();
    books->addActions({m_actions.aManage, m_actions.aCreateShelf, m_actions.aImport,
                       m_actions.aExport, m_actions.aCheck, m_actions.aUpgrade});
    books->addSeparator();
    books->addActions({m_actions.aPrev, m_actions.aNext});
    books->addSeparator();
    books->addAction(m_actions.aExit);
    QMenu* view = menuBar()->addMenu(tr("View"));
    view->setObjectName(QStringLiteral("mnuView"));
    view->addActions({m_actions.aStatus, m_actions.aHints});
    QMenu* options = menuBar()->addMenu(tr("Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    options->addActions({m_actions.aFormatMgr, m_actions.aSettings});
    options->addSeparator();
    options->addAction(m_actions.aDirOptions);
    QMenu* help = menuBar()->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(m_actions.aAbout);
    for (QMenu* menu : {books, view, options, help})
        menu->setToolTipsVisible(false);

    ListPopup = new QMenu(this);
    ListPopup->setObjectName(QStringLiteral("ListPopup"));
    ListPopup->addActions(
        {m_actions.aNewItem, m_actions.aDelItem, m_actions.aRename, m_actions.aDuplicate});
    ListPopup->addSeparator();
    ListPopup->addAction(m_actions.aUpgrade);
}

void TmainFrm::createPages(QWidget* central)
{
    MainPageControl = new QTabWidget(central);
    MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
    m_itemPage = new TItemPage(*m_session);
    connect(m_itemPage, &TItemPage::repeatedError, this,
            [this](const QString& message) { showStatusHint(message); });
    m_reportPage = new TReportPage(*m_session,
                                   {m_actions.aGenMemo, m_actions.aGenClipbrd, m_actions.aGenFile});
    m_linksPage = new TLinksPage(*m_session);
    MainPageControl->addTab(m_itemPage, tr("Item Properties"));
    MainPageControl->addTab(m_reportPage, tr("Generate Report"));
    MainPageControl->addTab(m_linksPage, tr("Database Links"));
    MainPageControl->setCurrentIndex(0);
    connect(MainPageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            guarded(this, [this] { m_itemPage->refreshPreviews(); });
    });
}

void TmainFrm::createStatusBar()
{
    statusCount = new QLabel(this);
    statusCount->setObjectName(QStringLiteral("statusCount"));
    statusCount->setFixedWidth(216);
    statusHint = new QLabel(this);
    statusHint->setObjectName(QStringLiteral("statusHint"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(statusCount);
    statusBar()->addPermanentWidget(statusHint, 1);
}

// ----- Start-up and shutdown -----

void TmainFrm::showSettings()
{
    if (!m_session->settings().tooltips && m_hintsOn)
        toggleHints();
    m_reportPage->showFormats();
    m_linksPage->showTemplates();
}

void TmainFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen* screen = this->screen()) {
        // The frame comes around the window's own area, and both must fit on the screen.
        const QRect inner = geometry();
        const QRect outer = frameGeometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        setGeometry(initialWindowPlace(m_designedSize,
                                       screen->availableGeometry().marginsRemoved(frame),
                                       m_session->settings().window));
    }
    if (!m_session->settings().statusbar)
        guarded(this, [this] { toggleStatusBar(); });
    guarded(this, [this] { commandLineOpen(); });
}

void TmainFrm::commandLineOpen()
{
    if (m_arguments.isEmpty())
        return;
    const QFileInfo file(m_arguments.constFirst());
    if (!file.isFile() || file.suffix().compare(u"book", Qt::CaseInsensitive) != 0)
        return;
    OpenCatalogue(file.absolutePath());
    if (!selectBook(file.completeBaseName()))
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(),
                             tr("The *.book file that was passed as command-line "
                                "argument was found in the file system, but could not "
                                "be found in the catalogue list box, which was highly "
                                "unexpected."),
                             QMessageBox::Ok);
}

void TmainFrm::closeEvent(QCloseEvent* event)
{
    try {
        m_session->saveBook();
    } catch (const Cancelled&) {
        event->ignore();
        return;
    } catch (const Error& error) {
        // The open book is the user's work: never close over a failed save unasked.
        showError(this, error.message());
        if (dialogs().messageBox(this, QMessageBox::Warning, windowTitle(),
                                 tr("The open book could not be saved. Close "
                                    "anyway and lose its changes?"),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) != QMessageBox::Yes) {
            event->ignore();
            return;
        }
    }
    m_session->setStatusBarShown(!statusBar()->isHidden());
    m_session->setHintsShown(m_hintsOn);
    m_session->setWindowPlace(normalGeometry());
    if (m_session->settingsUnwritable()) {
        if (m_session->settingsChangedSinceStart() && !m_commands->keepUnsavedSettings()) {
            event->ignore();
            return;
        }
    } else {
        guarded(this, [this] { m_session->saveSettings(); });
    }
    m_output->close();
    event->accept();
}

bool TmainFrm::event(QEvent* event)
{
    // The hint of whatever the pointer rests on goes to the status bar's second panel.
    if (event->type() == QEvent::StatusTip) {
        statusHint->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TmainFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_hintsOn)
        return true;
    if (event->type() == QEvent::ShortcutOverride && isActiveWindow()) {
        // A line edit claims some keys of the window's shortcuts for itself (Ctrl+E goes to the
        // end of the line on some platforms); the window's commands win wherever the focus is.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (QAction* action : actions()) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == eDir && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (key->modifiers() & Qt::ControlModifier)
                guarded(this, [this] { eDirRightButtonClick(); });
            else
                guarded(this, [this] { eDirEnter(); });
            return true;
        }
        if (watched == lbBooks && key->key() == Qt::Key_Delete &&
            key->modifiers() == Qt::NoModifier) {
            if (selectedIndex() >= 0)
                m_actions.aDelItem->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TmainFrm::updateActions()
{
    const int index = selectedIndex();
    const bool selected = index >= 0;
    const MainActions& a = m_actions;
    a.aDelItem->setEnabled(selected);
    a.aRename->setEnabled(selected);
    a.aDuplicate->setEnabled(selected);
    const QString& dir = m_session->currentDir();
    const bool dirExists = !dir.isEmpty() && QFileInfo(dir).isDir();
    a.aDirOptions->setEnabled(dirExists);
    a.aCreateShelf->setEnabled(dirExists);
    a.aExport->setEnabled(dirExists);
    a.aCheck->setEnabled(dirExists);
    a.aPrev->setEnabled(index > 0);
    a.aNext->setEnabled(selected && index < lbBooks->count() - 1);
    a.aStatus->setChecked(!statusBar()->isHidden());
    a.aHints->setChecked(m_hintsOn);
}

QString TmainFrm::showStatusHint(const QString& text)
{
    const QString previous = statusHint->text();
    statusHint->setText(text);
    statusHint->repaint();
    return previous;
}

void TmainFrm::toggleStatusBar()
{
    // The window grows or shrinks by the bar, so the other controls keep their size.
    const bool show = statusBar()->isHidden();
    const int barHeight = statusBar()->sizeHint().height();
    statusBar()->setVisible(show);
    resize(width(), height() + (show ? barHeight : -barHeight));
    m_actions.aStatus->setChecked(show);
}

void TmainFrm::toggleHints()
{
    m_hintsOn = !m_hintsOn;
    if (!m_hintsOn)
        QToolTip::hideText();
    m_actions.aHints->setChecked(m_hintsOn);
}

void TmainFrm::formatManager()
{
    TformatFrm dialog(m_session->formats(), this, m_session->formatContext(FormatMode::Reference));
    if (dialogs().execDialog(dialog) != QDialog::Accepted || !dialog.closedWithOk())
        return;
    // The items are replaced; the text of the box stays as it was.
    m_session->setFormats(dialog.formats());
    m_reportPage->showFormats();
}

void TmainFrm::settingsDialog()
{
    TsettingsFrm dialog(m_session->settings(), this);
    if (dialogs().execDialog(dialog) == QDialog::Accepted && dialog.closedWithOk()) {
        AppSettings edited = m_session->settings();
        dialog.applyTo(edited);
        m_session->setSettings(edited);
        m_itemPage->refreshIsbnChecks();
    }
    m_itemPage->RefreshRefPreview();
}

void TmainFrm::directoryOptions()
{
    TDirFrm dialog(m_session->currentDir(), m_session->formats(), m_session->formatText(),
                   m_session->reportOptions(), this);
    dialogs().execDialog(dialog);
    if (dialog.closedWithOk())
        OpenCatalogue(m_session->currentDir());
}

// ----- Reports -----

void TmainFrm::generate(QAction* destination)
{
    m_reportPage->setLastDestination(destination);
    QStringList lines;
    try {
        const QStringList entries = m_session->reportEntries(m_reportPage->scope(), selectedName());
        // Saved before the task, which holds back every key and click, so that a question the
        // save asks can be answered.
        m_session->saveBook();
        // Escape stops it: nothing is then shown, copied or written.
        LongTask task(this, tr("Generating the report..."));
        lines = m_session->generateReport(entries, task.reportRun());
    } catch (const FormatError& error) {
        throw FormatError(m_session->namedFormatError(error.message()), error.position());
    } catch (const Cancelled&) {
        m_itemPage->syncWithSession();
        throw;
    }
    // Saving first may have read the book anew (its file had changed on disk).
    m_itemPage->syncWithSession();
    if (destination == m_actions.aGenMemo) {
        disconnect(m_checkLines);
        m_output->showReport(lines);
    } else if (destination == m_actions.aGenClipbrd) {
        QGuiApplication::clipboard()->setText(reportText(lines));
    } else {
        const QString& dir = m_session->currentDir();
        // The dialog opens in the catalogue folder with no name that Enter would save as.
        const std::optional<QString> file =
            dialogs().saveFileName(this, tr("Save Report to File"),
                                   tr("Text file") + QStringLiteral(" (*.txt)"), dir, QString());
        if (file)
            writeWholeFile(*file, reportFileBytes(lines));
    }
}

// ----- Checking the catalogue -----

void TmainFrm::checkCatalogue()
{
    std::vector<CheckProblem> problems;
    {
        struct Hint {
            TmainFrm& window;
            QString previous;
            ~Hint() { window.showStatusHint(previous); }
        } hint{*this, showStatusHint(tr("Checking the catalogue..."))};
        // Prepared (the book being edited saved) before the task holds back keys and clicks.
        auto check = m_session->prepareCheck(m_session->bookNames());
        // Escape drops the findings: nothing is shown.
        LongTask task(this, tr("Checking the catalogue..."));
        problems = task.run(std::move(check));
    }
    if (!m_checkLines)
        m_checkLines =
            connect(m_output, &ToutputFrm::paragraphActivated, this, [this](const QString& line) {
                guarded(this, [this, &line] { openCheckedBook(line); });
            });
    m_output->showReport(checkReportLines(problems));
}

void TmainFrm::openCheckedBook(const QString& line)
{
    const qsizetype end = line.indexOf(u": ");
    if (end <= 0)
        return; // the summary
    const QString name = line.first(end);
    // A book the filter hides is shown with all the others.
    if (!m_session->findBook(name) && m_session->bookNames().contains(name))
        eFilter->clear();
    if (!selectBook(name))
        showStatusHint(tr("\"%1\" is not in the book list.").arg(name));
}

} // namespace quillery::ui
