#pragma once

#include "base/Cancelled.h"
#include "catalogue/BookIndex.h"
#include "catalogue/BookRecord.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ReportOptions.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/Import.h"
#include "format/Report.h"
#include "health/CatalogueCheck.h"
#include "markup/FormatContext.h"
#include "settings/AppSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

namespace quillery {

class Error;
class SettingsStore;

// Which list entries a report covers.
enum class ReportScope { AllItems, SelectedItem };

// What a book's file was when it was read or last written, to tell whether something else has
// written it since: its size, its time of last change and a hash of its bytes.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    QByteArray hash;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp stampOf(const QString& path);

// The file of the book being edited changed on disk (another program, a sync client, a second
// window) between loading it and writing the user's edits.
struct OutsideChange {
    QString path;
    QList<Field> edited;  // the fields the user changed, in record order
    bool removed = false; // the file is gone
};

// What to do about it: write the user's edits over it, read the file as it is now (dropping the
// edits), or stop the operation that was about to write.
enum class OutsideChangeAnswer { KeepMine, TakeTheirs, Cancel };

// What the program holds once it has started, and every operation on it: the settings, the
// catalogue folder and its books, the format list and the format text, the report options, the
// database-link templates, and the book being edited with the record it was loaded with.
//
// The main window binds its controls to one session; quillery-cli drives one the same way. So the
// window and the command line start up, open catalogues, set the report controls and format books
// by the same code, and give the same bytes.
//
// Every failure is thrown as Error (FileError, FormatError) with the message the user is shown;
// an operation that fails leaves the state as far as it got, as the window does.
class Session final {
public:
    // `store` is where the settings are read at start and written at shutdown; without one the
    // user's own store is opened at start.
    explicit Session(std::unique_ptr<SettingsStore> store = nullptr);
    ~Session();

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // ----- Start-up and shutdown -----

    // Starts as the program starts: the settings loaded, then the saved catalogue (the Documents
    // folder when none is saved) opened with its options file. When the settings cannot be read,
    // `settingsFailed` hears why and the start goes on with the defaults, as the window does;
    // without it the error leaves start before any folder is opened, as the command line wants.
    void start(const std::function<void(const Error&)>& settingsFailed = {});

    // Shutdown: the settings written to the store with the current folder, the book being edited,
    // the format text and the lists as they are now. Nothing is written when the store could not be
    // opened at start. Throws FileError when a settings file cannot be written.
    void saveSettings();
    // Whether the settings store could not be read at start, so that nothing is written to it.
    bool settingsUnwritable() const { return m_settingsUnreadable || !m_store; }
    // Whether the settings differ from what the program started with (the window's place and
    // the book last open aside).
    bool settingsChangedSinceStart() const;
    // Writes the settings as saveSettings would into a registry export file of the user's
    // choice. Throws Error when the file exists but is no registry file, FileError when it cannot
    // be written.
    void saveSettingsTo(const QString& path);

    // ----- Settings -----

    // The settings as they stand: the format list, the link templates and the view options are
    // kept up to date; "Directory" and "Format" take the current folder and format text only when
    // the settings are saved.
    const AppSettings& settings() const { return m_settings; }
    // Replaces the settings, as the settings dialog does with what it edited.
    void setSettings(const AppSettings& settings) { m_settings = settings; }
    void setStatusBarShown(bool shown) { m_settings.statusbar = shown; }
    void setHintsShown(bool shown) { m_settings.tooltips = shown; }
    void setWindowPlace(const QRect& place) { m_settings.window = place; }

    // ----- The catalogue -----

    // The catalogue folder, always ending in a path separator.
    const QString& currentDir() const { return m_currentDir; }

    // Opens a folder as the catalogue: it becomes the current folder (a full path) and its
    // options file, when there is one, sets the format text and the report options as the
    // controls take them. Opening another folder saves and closes the book being edited first
    // (a failing save stops it there); opening the same folder again keeps the book open. Throws
    // FileError when the options file cannot be read; the folder is the catalogue then all the
    // same.
    void openFolder(const QString& folder);

    // The book names of the catalogue in list order, as they were when it was opened. Listed on
    // first use, so a command that never looks at the list never reads the folder.
    const QStringList& bookNames() const;
    // How many book files of the folder the list leaves out because their names are not valid
    // UTF-8 (the program could not name them again to open them).
    int undecodableBookNames() const;
    // Forgets the list, so the next look at it reads the folder again (another program added,
    // removed or renamed books).
    void rereadBookNames();

    // ----- Finding books -----

    // Reads every listed book into the index the filter answers from, as the window does when it
    // opens a catalogue; the filter reads them itself when it is set before.
    void buildBookIndex();
    // The same on a thread of its own, so that the list can be shown at once: the filter waits
    // for the reading when it is set before the reading ends. Listing the folder again, or
    // building the index anew, stops it. With `versionTest` the version test of
    // hasVersion10Books runs there first, its answer kept for backgroundVersionTest.
    void buildBookIndexInBackground(bool versionTest = false);
    // Whether that reading is still going on.
    bool bookIndexPending() const;
    // Once the reading has ended, the answer of the version test it ran (once); nothing while it
    // runs or when it ran none.
    std::optional<bool> backgroundVersionTest();
    // Shows only the books that match a query (see catalogue/BookQuery.h); the empty text shows
    // every book. Throws QueryError (the query is then unchanged).
    void setFilter(const QString& text);
    const QString& filterText() const { return m_filterText; }
    bool filtered() const { return !m_query.isEmpty(); }
    // The list as shown, in list order: every book, or those that match the filter and the book
    // being edited (shown even when it no longer matches, until another is selected).
    const QStringList& shownNames() const;
    // The book being edited when it is shown only because it is being edited; empty otherwise.
    QString shownButNotMatching() const;
    // The entry of the shown list of exactly this name, else one that differs only in case
    // (where the file system tells case apart, "Emma" and "emma" are two books); nothing when
    // there is none.
    std::optional<qsizetype> findBook(const QString& name) const;

    // Whether one of the listed books is a version 1.0 file, which the program offers to upgrade.
    bool hasVersion10Books();
    // Upgrades the version 1.0 books of the list; returns how many.
    int upgradeBooks();

    // ----- Book commands -----

    QString newBookProposal() const;
    NameCheck checkBookName(const QString& proposal) const;
    // The commands change files and the editor; the caller then opens the catalogue anew, so the
    // list shows what the folder holds.
    // New Book: an empty file of that name (a proposal ending in ".book"). Throws FileError.
    void createBook(const QString& proposal);
    // Delete: the entry's file removed and, when that worked, the editor closed. False, with the
    // system's reason, when the file stays.
    bool deleteBook(const QString& name, QString* reason = nullptr);
    // Rename and Duplicate: the editor closed, then the file moved or copied without replacing
    // anything. False when the file system refused.
    bool renameBook(const QString& name, const QString& proposal);
    bool duplicateBook(const QString& name, const QString& proposal);
    // The bookshelf file of the catalogue; the book being edited is saved first. Books that are
    // links to files outside the catalogue (or to nothing) are left out and named in `leftOut`;
    // `skippedNames` counts the book files whose names are not valid UTF-8.
    QByteArray shelf(QStringList* leftOut = nullptr, int* skippedNames = nullptr);
    // The same in two steps, for a caller that runs the reading on a thread of its own: the book
    // being edited is saved now, and the work returned reads the books without touching the
    // session.
    struct ShelfMade {
        QByteArray bytes;
        QStringList leftOut;
        int skippedNames = 0;
    };
    std::function<ShelfMade()> prepareShelf();

    // ----- Exchanging books with other programs -----

    // The listed books of the names in a format (see exchange/Exchange.h), in the order given;
    // the book being edited is saved first. Throws the FileError of the first book, in that
    // order, that cannot be read.
    QByteArray exportBooks(ExchangeFormat format, const QStringList& names);
    // The same in two steps, as prepareShelf.
    std::function<QByteArray()> prepareExport(ExchangeFormat format, const QStringList& names);
    // Reads a file of another program and plans its import into the catalogue: which records
    // become which new books, which are duplicates of books it has, which are rejected and why.
    // The format is told from the content when none is given. The book being edited is saved
    // first, so duplicates are found against what it holds. Writes nothing. Throws FileError when
    // the file cannot be read, and Error ("Cannot import "FILE". ...") when it is not of a known
    // format or cannot be read as the format.
    ImportPlan planImport(const QString& file, std::optional<ExchangeFormat> format,
                          DuplicatePolicy duplicates);
    // The format planImport read the file in.
    ExchangeFormat lastImportFormat() const { return m_lastImportFormat; }
    // Writes the new books of a plan (see runImport in exchange/Import.h); the catalogue's list
    // is read anew afterwards, also when it fails part way.
    ImportResult runImport(const ImportPlan& plan,
                           const std::function<void(qsizetype done)>& progress = {});

    // ----- Checking the catalogue -----

    // What is wrong with the listed books of the names (see health/CatalogueCheck.h), with the
    // pairs the folder's options file says are no duplicates; the book being edited is saved
    // first, so its values are checked as the editor holds them. Throws FileError when the
    // options file cannot be read.
    std::vector<CheckProblem> checkCatalogue(const QStringList& names);
    // The same in two steps, as prepareShelf (the options file is read now).
    std::function<std::vector<CheckProblem>()> prepareCheck(const QStringList& names);

    // ----- The book being edited -----

    // The file of the book in the editor; empty when none.
    const QString& currentBookFile() const { return m_currentBookFile; }
    // The book as the editor holds it, and as its file holds it (as read, or as last saved).
    const BookRecord& book() const { return m_book; }
    const BookRecord& loadedBook() const { return m_loadedBook; }

    // Selects a list entry as a click does: the book being edited is saved, then the entry's
    // book loaded. Nothing happens when the entry is the book being edited already; returns
    // whether a book was loaded.
    bool editBook(const QString& name);
    // Loads a book file into the editor; a version 1.0 file is upgraded first. Throws FileError,
    // leaving the editor on the book it had.
    void loadBook(const QString& path);
    // Writes the book being edited back to its file when the user changed a value; a plain visit
    // writes nothing. When the file changed on disk since it was loaded, the outside-change handler
    // decides: write, reload (no write) or throw Cancelled; without a handler the edits are not
    // written over it and an Error says so. Throws FileError when the write fails.
    void saveBook();
    // Whether the user changed a value of the book being edited.
    bool bookEdited() const { return !m_currentBookFile.isEmpty() && m_book != m_loadedBook; }
    // Asks what to do when the file of the book being edited changed on disk (see saveBook).
    using OutsideChangeHandler = std::function<OutsideChangeAnswer(const OutsideChange&)>;
    void setOutsideChangeHandler(OutsideChangeHandler handler)
    {
        m_outsideChange = std::move(handler);
    }
    // Counts the loads and reloads of the book being edited, so a view can tell that what it
    // shows is out of date.
    quint64 bookGeneration() const { return m_bookGeneration; }
    // Leaves the book without writing it (it was deleted, renamed or copied).
    void closeBook();

    // An edit of one field, as the user types it.
    void setField(Field field, const QString& value) { m_book[field] = value; }
    void setTranslation(bool on) { m_book.setTranslation(on); }

    // The reference preview: the book being edited by the format text.
    QString referencePreview() const;
    // The database links of the book being edited, one line per template. A failing template
    // throws its FormatError with the lines before it in `lines`.
    void dataLinks(QStringList& lines) const;

    // ----- Formats, report controls and link templates -----

    const QStringList& formats() const { return m_settings.formats; }
    void setFormats(const QStringList& formats) { m_settings.formats = formats; }
    const QString& formatText() const { return m_formatText; }
    void setFormatText(const QString& text) { m_formatText = text; }

    const QStringList& linkTemplates() const { return m_settings.dataLinkTemplates; }
    void setLinkTemplates(const QStringList& templates)
    {
        m_settings.dataLinkTemplates = templates;
    }

    // The report controls, each set as a user sets it. Ticking the microdata box (a change of its
    // state) rewrites the item texts.
    const ReportOptions& reportOptions() const { return m_report; }
    void setBeforeItem(const QString& text) { m_report.beforeItem = text; }
    void setAfterItem(const QString& text) { m_report.afterItem = text; }
    void setBeforeReport(const QString& text) { m_report.beforeReport = text; }
    void setAfterReport(const QString& text) { m_report.afterReport = text; }
    void setMicrodata(bool on);
    void setUseLangForTitle(bool on) { m_report.useLangForTitle = on; }
    void setDefaultLang(const QString& text) { m_report.defaultLang = text; }
    // The order and the groups of a report.
    void setSort(const QList<ReportSortKey>& keys) { m_report.sort = keys; }
    void setGroup(std::optional<ReportField> field) { m_report.group = field; }
    void setBeforeGroup(const QString& text) { m_report.beforeGroup = text; }
    void setAfterGroup(const QString& text) { m_report.afterGroup = text; }
    // The JSON-LD block after the report, and the report as a complete page.
    void setJsonLd(bool on) { m_report.jsonLd = on; }
    void setCompletePage(bool on) { m_report.completePage = on; }
    void setPageTitle(const QString& text) { m_report.pageTitle = text; }

    // A format failure as the window tells it: "Format N: " in front when the format text is the
    // Nth of the format list, so a stored bad format is known by its place.
    QString namedFormatError(const QString& message) const;

    // What a format run reads besides the record: the settings, the link templates and the
    // report options, in `mode`.
    FormatContext formatContext(FormatMode mode) const;

    // ----- Output -----

    // The list entries a report covers: every book shown (in the order shown), or the one named
    // `selected` when it is listed under exactly that name.
    QStringList reportEntries(ReportScope scope, const QString& selected) const;
    // The report of the entries by the format text and the report options; the book being edited
    // is saved first. Throws the first error met and delivers nothing then.
    // `run` says how it runs and lets the caller follow and stop it (see format/Report.h).
    QStringList generateReport(const QStringList& entries, const ReportRun& run = {});
    // The same as UTF-8, every line followed by CR LF, with the byte-order mark of report files
    // when asked; built as bytes, so a large report takes half the memory of its text.
    QByteArray generateReportUtf8(const QStringList& entries, bool byteOrderMark,
                                  const ReportRun& run = {});
    // The same for every book shown (reportEntries(ReportScope::AllItems)). When the folder is
    // not listed yet and no filter is set, the books are read and formatted while it is listed
    // (see generateFolderReportUtf8), and the list is kept as bookNames() would list it.
    QByteArray generateAllBooksReportUtf8(bool byteOrderMark);

    // The reference of a book file as a report item formats it (ID set), by `format` in `mode`.
    QString formatBookFile(const QString& path, const QString& format, FormatMode mode) const;
    // The JSON-LD of a book file: its schema.org Book node with its own "@context", indented,
    // ending with a line end.
    QByteArray jsonLdOfBookFile(const QString& path) const;
    // Every database link of a book file, in template order.
    QStringList dataLinksOfBookFile(const QString& path) const;

private:
    AppSettings settingsToSave() const;

    std::unique_ptr<SettingsStore> m_store;
    AppSettings m_settings;
    AppSettings m_startSettings;
    bool m_settingsUnreadable = false;
    QString m_currentDir;
    mutable std::optional<QStringList> m_bookNames;
    // Adopts the index read in the background, once it is read.
    void takePendingIndex() const;
    void dropPendingIndex();

    mutable BookIndex m_index;
    mutable bool m_indexCurrent = false;
    struct BackgroundReading {
        BookIndex index;
        std::optional<VersionTestCache> versionCache;
        bool version10 = false;
    };
    mutable std::future<BackgroundReading> m_pendingIndex;
    std::future<void> m_languagesRead;
    mutable std::optional<bool> m_backgroundVersion10;
    mutable std::shared_ptr<std::atomic<bool>> m_stopIndex;
    mutable std::vector<BookRecord> m_savedWhileIndexing;
    BookQuery m_query;
    QString m_filterText;
    mutable std::optional<QStringList> m_shown;
    mutable QString m_shownButNotMatching;
    mutable int m_undecodableNames = 0;
    mutable VersionTestCache m_versionCache;
    QString m_formatText;
    ReportOptions m_report;
    QString m_currentBookFile;
    BookRecord m_book;
    BookRecord m_loadedBook;
    FileStamp m_loadedStamp;
    quint64 m_bookGeneration = 0;
    OutsideChangeHandler m_outsideChange;
    ExchangeFormat m_lastImportFormat = ExchangeFormat::Csv;
};

} // namespace quillery
