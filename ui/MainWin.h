#pragma once

#include "catalogue/BookRecord.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ReportOptions.h"
#include "markup/FormatContext.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QLockFile;

namespace quillery {
class ToutputFrm;
}

namespace quillery::ui {

class TFullRichEdit;

// The main window: the catalogue on the left, the item editor with its previews, the report
// settings and the database-link templates on the right, every command an action.
class TmainFrm final : public QMainWindow {
    Q_OBJECT
public:
    // Starts as the program starts: the settings are loaded from `store` (the user's own when
    // null), the saved catalogue is opened. `arguments` are the command-line arguments after the
    // program name; a ".book" file among them is opened when the window is first shown.
    explicit TmainFrm(std::unique_ptr<SettingsStore> store = nullptr,
                      const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TmainFrm() override;

    // Catalogue state.
    const QString& currentDir() const { return m_currentDir; }
    const QString& currentBookFile() const { return m_currentBookFile; }
    bool loadingBook() const { return m_loadingBook; }
    const AppSettings& settings() const { return m_settings; }
    ToutputFrm* outputWindow() const { return m_output; }

    // Operations of the catalogue (also reachable through the window's controls).
    void OpenCatalogue();
    void lbBooksClick();
    void eDirRightButtonClick();
    void SetEditorVisible(bool visible);
    void LoadBookIntoEditor(const QString& path);
    void SaveBookFromEditor();
    BookRecord GatherBookRecord() const;
    void RefreshRefPreview();
    void RefreshDataLinks();
    void ItemPropChange();

    // How many times each preview was rebuilt (tests check that a load refreshes once).
    int refPreviewRefreshes() const { return m_refPreviewRefreshes; }
    int dataLinkRefreshes() const { return m_dataLinkRefreshes; }

    // Selects the list entry with this name (exact match ignoring case) and loads it; false when
    // there is none.
    bool selectBook(const QString& name);

    // The report options as the "Generate Report" tab's controls hold them.
    ReportOptions reportOptionsFromControls() const;
    // The format context of a run from the window's state (settings, link templates, report
    // options).
    FormatContext formatContext(FormatMode mode) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createLeftColumn(QWidget* central);
    void createPages(QWidget* central);
    QWidget* createItemPage();
    QWidget* createReportPage();
    QWidget* createLinksPage();
    void createStatusBar();
    void applyHintsAndShortcuts();
    void updateActions();

    void loadSettings();
    void saveSettings();
    void commandLineOpen();

    void eDirEnter();
    void newItem();
    void deleteItem();
    void renameItem();
    void duplicateItem();
    void manage();
    void createShelf();
    void upgrade();
    void offerUpgrade();
    void previous();
    void next();
    void toggleStatusBar();
    void toggleHints();
    void formatManager();
    void settingsDialog();
    void directoryOptions();
    void about();
    void generate(QAction* destination);
    QStringList generateReportLines();
    void cbIsTranslationClick();
    void cbMicrodataClick(bool checked);
    void TabSheet1Show();

    std::optional<QString> acceptName(const QString& title, const QString& prompt,
                                      QString proposal);
    void setReportControls(const ReportOptions& options);
    QStringList linkTemplates() const;
    QStringList formatItems() const;
    QStringList bookNames() const;
    void afterFileOperation(bool succeeded, const QString& proposal, const QString& notFound,
                            const QString& failed);
    QWidget* editorControl(Field field) const;
    QString selectedName() const;
    int selectedIndex() const;

    // State.
    std::unique_ptr<SettingsStore> m_store;
    AppSettings m_settings;
    QString m_currentDir;
    QString m_currentBookFile;
    bool m_loadingBook = false;
    bool m_shownOnce = false;
    QStringList m_arguments;
    VersionTestCache m_versionCache;
    std::unique_ptr<QLockFile> m_instanceToken;
    int m_refPreviewRefreshes = 0;
    int m_dataLinkRefreshes = 0;
    bool m_hintsOn = true;

    // Controls (named as the document names them; tests find them by object name).
    QLineEdit* eDir = nullptr;
    QAction* eDirButton = nullptr;
    QListWidget* lbBooks = nullptr;
    QTabWidget* MainPageControl = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QLabel* statusCount = nullptr;
    QLabel* statusHint = nullptr;
    QGroupBox* gpCataloguingData = nullptr;
    QTabWidget* pcMoreProperties = nullptr;
    QLabel* bkImg = nullptr;
    QHash<int, QWidget*> m_fieldControls; // Field -> editor control
    QHash<int, QLabel*> m_fieldLabels;
    QCheckBox* cbIsTranslation = nullptr;
    QPlainTextEdit* mComments = nullptr;
    TFullRichEdit* reDataLinks = nullptr;
    QTextEdit* reRefPreview = nullptr;
    QRadioButton* rbSelected = nullptr;
    QRadioButton* rbAll = nullptr;
    QComboBox* eFormat = nullptr;
    QPlainTextEdit* mFormatLegend = nullptr;
    QLineEdit* eBeforeItem = nullptr;
    QLineEdit* eAfterItem = nullptr;
    QLineEdit* eBeforeReport = nullptr;
    QLineEdit* eAfterReport = nullptr;
    QCheckBox* cbMicrodata = nullptr;
    QCheckBox* cbUseLangForTitle = nullptr;
    QLineEdit* eDefLang = nullptr;
    QToolButton* btnGenerate = nullptr;
    QMenu* btnGeneratePopup = nullptr;
    QPlainTextEdit* teDataLinks = nullptr;
    QPlainTextEdit* mFormatLegend2 = nullptr;
    QMenu* ListPopup = nullptr;
    ToutputFrm* m_output = nullptr;

    // Actions.
    QAction* aNewItem = nullptr;
    QAction* aDelItem = nullptr;
    QAction* aRename = nullptr;
    QAction* aDuplicate = nullptr;
    QAction* aManage = nullptr;
    QAction* aCreateShelf = nullptr;
    QAction* aUpgrade = nullptr;
    QAction* aPrev = nullptr;
    QAction* aNext = nullptr;
    QAction* aExit = nullptr;
    QAction* aStatus = nullptr;
    QAction* aHints = nullptr;
    QAction* aFormatMgr = nullptr;
    QAction* aSettings = nullptr;
    QAction* aDirOptions = nullptr;
    QAction* aAbout = nullptr;
    QAction* aGenMemo = nullptr;
    QAction* aGenClipbrd = nullptr;
    QAction* aGenFile = nullptr;
};

// The text of a shortcut as the program shows it: "Shift+", "Ctrl+" and "Alt+" in this order,
// then the key's name ("Shift+Ctrl+H", "Alt+Left").
QString shortcutText(const QKeySequence& shortcut);

} // namespace quillery::ui
