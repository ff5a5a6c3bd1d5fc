#pragma once

#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "ui/MainActions.h"

#include <QMainWindow>

#include <memory>

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QListWidget;
class QLockFile;
class QMenu;
class QTabWidget;
class QTimer;

namespace quillery {
class Session;
class ToutputFrm;
} // namespace quillery

namespace quillery::ui {

class CatalogueCommands;
class ExchangeCommands;
class TItemPage;
class TLinksPage;
class TReportPage;

// The main window: the catalogue on the left, the item editor with its previews, the report
// settings and the database-link templates on the right, every command an action. The program's
// state lives in the session the window binds its controls to.
class TmainFrm final : public QMainWindow {
    Q_OBJECT
public:
    // Starts as the program starts: the settings are loaded from `store` (the user's own when
    // null), the saved catalogue is opened. `arguments` are the command-line arguments after the
    // program name; a ".book" file among them is opened when the window is first shown.
    explicit TmainFrm(std::unique_ptr<SettingsStore> store = nullptr,
                      const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TmainFrm() override;

    Session& session() const { return *m_session; }
    const QString& currentDir() const;
    const QString& currentBookFile() const;
    const AppSettings& settings() const;
    bool loadingBook() const;
    ToutputFrm* outputWindow() const { return m_output; }
    // How many times each preview was rebuilt (tests check that a load refreshes once).
    int refPreviewRefreshes() const;
    int dataLinkRefreshes() const;

    // Opens a folder as the catalogue and shows it: the list, the count, the format text and the
    // report options; then offers to upgrade version 1.0 books.
    void OpenCatalogue(const QString& folder);
    // Selects the list entry with this name (exact match, else ignoring case) and loads it; false
    // when there is none.
    bool selectBook(const QString& name);
    void SetEditorVisible(bool visible);

    int selectedIndex() const;
    QString selectedName() const;
    // Shows a text in the hint panel of the status bar at once; returns the text it replaced.
    QString showStatusHint(const QString& text);
    // While a long task runs (see LongTask), what the window does by itself (following the
    // folder, asking about version 1.0 books) waits.
    void setBusy(bool busy) { m_busy = busy; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectActions();
    void createMenus();
    void createLeftColumn(QWidget* central);
    void createPages(QWidget* central);
    void layOutColumns(QWidget* central);
    void createStatusBar();
    void updateActions();

    void showSettings();
    void showCatalogue();
    void commandLineOpen();
    void lbBooksClick();
    // Selects the list entry of the book being edited, or none, without loading anything.
    void selectCurrentBookEntry();
    // Lists the folder again after a change from outside, keeping the selected entry.
    void followFolder();
    // The count of books in the status bar, and what the list had to leave out.
    void showListCount();
    // Starts reading the books for the filter (and the version test) once the list is shown;
    // asks about version 1.0 books when there are some.
    void readCatalogueInBackground();
    // Polled while the reading runs: the version test's question once it has ended.
    void backgroundReadingDone();
    // Fills the list from the session with the entry of the book being edited selected.
    void fillList();
    // Shows the books that match the filter box.
    void filterList();
    void eDirEnter();
    void eDirRightButtonClick();
    void previous();
    void next();
    void toggleStatusBar();
    void toggleHints();
    void formatManager();
    void settingsDialog();
    void directoryOptions();
    void generate(QAction* destination);
    // Check Catalogue: the findings in the report output window, where a line opens its book.
    void checkCatalogue();
    // Selects and loads the book a line of the check names (the text before its first ": ").
    void openCheckedBook(const QString& line);

    std::unique_ptr<Session> m_session;
    std::unique_ptr<CatalogueCommands> m_commands;
    std::unique_ptr<ExchangeCommands> m_exchange;
    bool m_shownOnce = false;
    QSize m_designedSize;
    bool m_hintsOn = true;
    QStringList m_arguments;
    std::unique_ptr<QLockFile> m_instanceToken;

    // Controls (named as the program names them; tests find them by object name).
    MainActions m_actions;
    QLineEdit* eDir = nullptr;
    QAction* eDirButton = nullptr;
    QLineEdit* eFilter = nullptr;
    QListWidget* lbBooks = nullptr;
    bool m_listShowsUnmatched = false;
    QMenu* ListPopup = nullptr;
    QTabWidget* MainPageControl = nullptr;
    TItemPage* m_itemPage = nullptr;
    TReportPage* m_reportPage = nullptr;
    TLinksPage* m_linksPage = nullptr;
    QLabel* statusCount = nullptr;
    QLabel* statusHint = nullptr;
    ToutputFrm* m_output = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_backgroundReading = nullptr;
    QTimer* m_settle = nullptr;
    bool m_busy = false;
    QMetaObject::Connection m_focusRule;
    // Lines of the output window open books only while it shows the findings of a check.
    QMetaObject::Connection m_checkLines;
};

} // namespace quillery::ui
