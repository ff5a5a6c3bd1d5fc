#include "session/Session.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ProgramVersion.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/DirectoryOptions.h"
#include "catalogue/Shelf.h"
#include "exchange/Exchange.h"
#include "format/FormatEngine.h"
#include "format/JsonLd.h"
#include "format/Report.h"
#include "markup/LanguageRegistry.h"
#include "session/ReportControls.h"
#include "settings/RegFileStore.h"
#include "settings/SettingsStore.h"

#include <QCryptographicHash>
#include <QDir>

#include <QFileInfo>
#include <QScopeGuard>
#include <exception>
#include <utility>

namespace quillery {

namespace {

// The catalogue folder as the program holds it: a full path with native separators and one at
// the end.
QString catalogueFolder(const QString& path)
{
    return withTrailingSeparator(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

} // namespace

FileStamp stampOf(const QString& path)
{
    FileStamp stamp;
    const std::optional<QByteArray> bytes = readWholeFileIfExists(path);
    if (!bytes)
        return stamp;
    const QFileInfo info(path);
    stamp.exists = true;
    stamp.size = bytes->size();
    stamp.modified = info.lastModified().toMSecsSinceEpoch();
    stamp.hash = QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
    return stamp;
}

Session::Session(std::unique_ptr<SettingsStore> store)
    : m_store(std::move(store)), m_currentDir(catalogueFolder(defaultDirectory()))
{
    m_formatText = formatBoxText(m_settings);
}

Session::~Session()
{
    dropPendingIndex();
}

void Session::start(const std::function<void(const Error&)>& settingsFailed)
{
    try {
        if (!m_store)
            m_store = openUserSettingsStore();
        m_settings = LoadAppSettings(*m_store);
    } catch (const Error& error) {
        if (!settingsFailed)
            throw;
        // The store is never written over: it holds something the program does not understand.
        m_settingsUnreadable = true;
        settingsFailed(error);
    }
    if (!m_settings.directory.isEmpty())
        m_currentDir = catalogueFolder(m_settings.directory);
    m_formatText = formatBoxText(m_settings);
    m_startSettings = settingsToSave();
    openFolder(m_currentDir);
}

AppSettings Session::settingsToSave() const
{
    AppSettings settings = m_settings;
    settings.directory = m_currentDir;
    settings.format = m_formatText;
    settings.book = m_currentBookFile.isEmpty() ? QString() : bookIdFromPath(m_currentBookFile);
    return settings;
}

bool Session::settingsChangedSinceStart() const
{
    // Where the window stood and which book was open are no changes a user would miss.
    AppSettings now = settingsToSave();
    now.window = m_startSettings.window;
    now.book = m_startSettings.book;
    return now != m_startSettings;
}

void Session::saveSettings()
{
    if (!m_store || m_settingsUnreadable)
        return;
    m_settings = settingsToSave();
    SaveAppSettings(*m_store, m_settings);
}

void Session::saveSettingsTo(const QString& path)
{
    RegFileStore store(path);
    SaveAppSettings(store, settingsToSave());
}

void Session::openFolder(const QString& folder)
{
    const QString opened = catalogueFolder(folder);
    if (!sameFilePath(opened, m_currentDir)) {
        // The book being edited belongs to the folder left: it is saved and closed first.
        saveBook();
        closeBook();
    }
    m_currentDir = opened;
    rereadBookNames();
    readDirectoryOptionsInto(m_currentDir, m_formatText, m_report);
    // The books of the folder will be formatted: the language table is read on a thread of its
    // own while the folder is listed, rather than by the first book formatted while every other
    // waits for it. Should reading it fail, the error stays in the future, which nobody asks,
    // and the first use reads the table again and reports it.
    if (!m_languagesRead.valid())
        m_languagesRead = WorkerPool::runInBackground([] { LanguageRegistry::instance(); });
}

const QStringList& Session::bookNames() const
{
    if (!m_bookNames)
        m_bookNames = listBookNames(m_currentDir, &m_undecodableNames);
    return *m_bookNames;
}

int Session::undecodableBookNames() const
{
    bookNames();
    return m_undecodableNames;
}

void Session::rereadBookNames()
{
    dropPendingIndex();
    m_bookNames.reset();
    m_indexCurrent = false;
    m_shown.reset();
}

void Session::buildBookIndex()
{
    dropPendingIndex();
    m_index.build(m_currentDir, bookNames());
    m_indexCurrent = true;
    m_shown.reset();
}

void Session::buildBookIndexInBackground(bool versionTest)
{
    dropPendingIndex();
    m_indexCurrent = false;
    m_shown.reset();
    // The thread gets copies of what it reads and of the version test's memory; the session
    // stays this thread's alone, and takes the results when they are done.
    m_stopIndex = std::make_shared<std::atomic<bool>>(false);
    m_pendingIndex = WorkerPool::runInBackground(
        [directory = m_currentDir, names = bookNames(), stop = m_stopIndex,
         cache = versionTest ? std::optional<VersionTestCache>(m_versionCache)
                             : std::nullopt]() mutable {
            BackgroundReading done;
            if (cache) {
                // First, so that its question is asked as soon as it can be.
                done.version10 = cache->catalogueHasVersion10Files(directory, names);
                done.versionCache = std::move(cache);
            }
            done.index.build(directory, names, stop.get());
            return done;
        });
}

bool Session::bookIndexPending() const
{
    return m_pendingIndex.valid() &&
           m_pendingIndex.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

std::optional<bool> Session::backgroundVersionTest()
{
    if (bookIndexPending())
        return std::nullopt;
    takePendingIndex();
    return std::exchange(m_backgroundVersion10, std::nullopt);
}

void Session::takePendingIndex() const
{
    if (!m_pendingIndex.valid())
        return;
    BackgroundReading done = m_pendingIndex.get();
    m_index = std::move(done.index);
    if (done.versionCache) {
        m_versionCache = std::move(*done.versionCache);
        m_backgroundVersion10 = done.version10;
    }
    m_stopIndex.reset();
    m_indexCurrent = true;
    // The books saved since the reading started may have been read before they were written.
    for (const BookRecord& saved : m_savedWhileIndexing)
        m_index.update(saved);
    m_savedWhileIndexing.clear();
}

void Session::dropPendingIndex()
{
    if (!m_pendingIndex.valid())
        return;
    *m_stopIndex = true;
    m_pendingIndex.wait();
    m_pendingIndex = {};
    m_stopIndex.reset();
    m_savedWhileIndexing.clear();
    m_backgroundVersion10.reset();
}

void Session::setFilter(const QString& text)
{
    BookQuery query = BookQuery::parse(text);
    m_query = std::move(query);
    m_filterText = text;
    m_shown.reset();
}

const QStringList& Session::shownNames() const
{
    if (!filtered())
        return bookNames();
    if (!m_shown) {
        takePendingIndex();
        if (!m_indexCurrent) {
            m_index.build(m_currentDir, bookNames());
            m_indexCurrent = true;
        }
        QStringList shown = m_index.filter(m_query);
        m_shownButNotMatching.clear();
        const QString current =
            m_currentBookFile.isEmpty() ? QString() : bookIdFromPath(m_currentBookFile);
        if (!current.isEmpty() && !shown.contains(current) && bookNames().contains(current)) {
            // In list order among the others: the index answers in list order, so one walk along
            // the list finds its place.
            qsizetype i = 0;
            for (const QString& name : bookNames()) {
                if (name == current)
                    break;
                if (i < shown.size() && shown[i] == name)
                    ++i;
            }
            shown.insert(i, current);
            m_shownButNotMatching = current;
        }
        m_shown = std::move(shown);
    }
    return *m_shown;
}

QString Session::shownButNotMatching() const
{
    shownNames();
    return filtered() ? m_shownButNotMatching : QString();
}

std::optional<qsizetype> Session::findBook(const QString& name) const
{
    const QStringList& names = shownNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return i;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

bool Session::hasVersion10Books()
{
    return m_versionCache.catalogueHasVersion10Files(m_currentDir, bookNames());
}

int Session::upgradeBooks()
{
    return upgradeCatalogue(m_currentDir, bookNames());
}

QString Session::newBookProposal() const
{
    return firstNewBookProposal(m_currentDir);
}

NameCheck Session::checkBookName(const QString& proposal) const
{
    return checkProposal(m_currentDir, proposal);
}

void Session::createBook(const QString& proposal)
{
    createNewEmptyFile(m_currentDir + proposal);
}

bool Session::deleteBook(const QString& name, QString* reason)
{
    if (!deleteFile(bookFilePath(m_currentDir, name), reason))
        return false;
    closeBook();
    return true;
}

bool Session::renameBook(const QString& name, const QString& proposal)
{
    closeBook();
    return renameNoReplace(bookFilePath(m_currentDir, name), m_currentDir + proposal);
}

bool Session::duplicateBook(const QString& name, const QString& proposal)
{
    closeBook();
    return copyNoReplace(bookFilePath(m_currentDir, name), m_currentDir + proposal);
}

QByteArray Session::shelf(QStringList* leftOut, int* skippedNames)
{
    ShelfMade made = prepareShelf()();
    if (leftOut)
        *leftOut = std::move(made.leftOut);
    if (skippedNames)
        *skippedNames = made.skippedNames;
    return made.bytes;
}

std::function<Session::ShelfMade()> Session::prepareShelf()
{
    saveBook();
    return [directory = m_currentDir] {
        ShelfMade made;
        made.bytes =
            shelfBytes(directory, programVersionString(), &made.leftOut, &made.skippedNames);
        return made;
    };
}

bool Session::editBook(const QString& name)
{
    const QString path = bookFilePath(m_currentDir, name);
    if (sameFilePath(path, m_currentBookFile))
        return false;
    saveBook();
    loadBook(path);
    return true;
}

void Session::loadBook(const QString& path)
{
    if (IsVersion10File(path))
        UpgradeBookFile(path);
    FileStamp stamp = stampOf(path);
    m_loadedBook = ReadBookRecord(path);
    m_loadedStamp = std::move(stamp);
    m_book = m_loadedBook;
    m_currentBookFile = path;
    ++m_bookGeneration;
    m_shown.reset();
}

void Session::saveBook()
{
    if (!bookEdited())
        return;
    const FileStamp onDisk = stampOf(m_currentBookFile);
    if (onDisk != m_loadedStamp) {
        OutsideChange change{m_currentBookFile, {}, !onDisk.exists};
        for (const FieldDef& def : FieldTable::rows()) {
            if (m_book[def.field] != m_loadedBook[def.field])
                change.edited.append(def.field);
        }
        if (!m_outsideChange)
            throw Error(QStringLiteral("The book file \"%1\" was changed by another program "
                                       "after it was loaded; the edits were not written over it.")
                            .arg(QDir::toNativeSeparators(m_currentBookFile)));
        switch (m_outsideChange(change)) {
        case OutsideChangeAnswer::Cancel:
            throw Cancelled();
        case OutsideChangeAnswer::TakeTheirs:
            loadBook(m_currentBookFile);
            return;
        case OutsideChangeAnswer::KeepMine:
            break;
        }
    }
    writeBookFile(m_currentBookFile, m_book);
    m_loadedBook = m_book;
    if (m_indexCurrent || m_pendingIndex.valid()) {
        // The filter answers from what the book holds now.
        BookRecord saved = m_book;
        saved[Field::ID] = bookIdFromPath(m_currentBookFile);
        if (m_indexCurrent)
            m_index.update(saved);
        else
            m_savedWhileIndexing.push_back(std::move(saved));
        m_shown.reset();
    }
    m_loadedStamp = stampOf(m_currentBookFile);
}

void Session::closeBook()
{
    m_currentBookFile.clear();
    m_shown.reset();
}

QString Session::referencePreview() const
{
    return FormatEngine::formatRecord(m_formatText, m_book, formatContext(FormatMode::Reference));
}

void Session::dataLinks(QStringList& lines) const
{
    buildDataLinks(m_book, formatContext(FormatMode::Link), lines);
}

void Session::setMicrodata(bool on)
{
    quillery::setMicrodata(m_report, on);
}

QString Session::namedFormatError(const QString& message) const
{
    const qsizetype index = m_settings.formats.indexOf(m_formatText);
    return index < 0 ? message : QStringLiteral("Format %1: %2").arg(index + 1).arg(message);
}

QByteArray Session::exportBooks(ExchangeFormat format, const QStringList& names)
{
    return prepareExport(format, names)();
}

std::function<QByteArray()> Session::prepareExport(ExchangeFormat format, const QStringList& names)
{
    saveBook();
    return [format, directory = m_currentDir, names] {
        return exportBookFiles(format, directory, names);
    };
}

std::vector<CheckProblem> Session::checkCatalogue(const QStringList& names)
{
    return prepareCheck(names)();
}

std::function<std::vector<CheckProblem>()> Session::prepareCheck(const QStringList& names)
{
    saveBook();
    return [directory = m_currentDir, names, pairs = readNotDuplicatePairs(m_currentDir)] {
        return quillery::checkCatalogue(directory, names, pairs);
    };
}

ImportPlan Session::planImport(const QString& file, std::optional<ExchangeFormat> format,
                               DuplicatePolicy duplicates)
{
    const QByteArray bytes = readWholeFile(file);
    const auto cannotImport = [&](const QString& reason) {
        return Error(
            QStringLiteral("Cannot import \"%1\". %2").arg(QDir::toNativeSeparators(file), reason));
    };
    if (!format)
        format = guessExchangeFormat(bytes);
    if (!format)
        throw cannotImport(
            QStringLiteral("Its content is not CSV, CSL-JSON, BibTeX or RIS as far as the "
                           "program can tell."));
    ImportRecords records;
    try {
        records = readImportRecords(*format, bytes);
    } catch (const ImportError& error) {
        throw cannotImport(error.message());
    }
    m_lastImportFormat = *format;
    saveBook();
    const std::vector<BookRecord> books = readBookRecords(m_currentDir, bookNames(), true);
    return quillery::planImport(m_currentDir, books, std::move(records), duplicates);
}

ImportResult Session::runImport(const ImportPlan& plan,
                                const std::function<void(qsizetype done)>& progress)
{
    struct Reread {
        Session& session;
        ~Reread() { session.rereadBookNames(); }
    } reread{*this};
    return quillery::runImport(plan, QDateTime::currentDateTime(), programVersionString(),
                               progress);
}

FormatContext Session::formatContext(FormatMode mode) const
{
    FormatContext context;
    applyToFormatContext(m_settings, context);
    context.report = m_report;
    context.mode = mode;
    return context;
}

QStringList Session::reportEntries(ReportScope scope, const QString& selected) const
{
    if (scope == ReportScope::AllItems)
        return shownNames();
    return shownNames().contains(selected) ? QStringList{selected} : QStringList{};
}

QStringList Session::generateReport(const QStringList& entries, const ReportRun& run)
{
    saveBook();
    return GenerateReport(m_currentDir, entries, m_formatText, formatContext(FormatMode::Reference),
                          run);
}

QByteArray Session::generateReportUtf8(const QStringList& entries, bool byteOrderMark,
                                       const ReportRun& run)
{
    saveBook();
    return quillery::generateReportUtf8(m_currentDir, entries, m_formatText,
                                        formatContext(FormatMode::Reference), byteOrderMark, run);
}

QByteArray Session::generateAllBooksReportUtf8(bool byteOrderMark)
{
    if (m_bookNames || filtered())
        return generateReportUtf8(reportEntries(ReportScope::AllItems, QString()), byteOrderMark);
    saveBook();
    QStringList names;
    int undecodable = 0;
    // The list is kept when the report is made, and when it fails on a book once listed.
    const auto keepList = qScopeGuard([&] {
        if (!names.isEmpty() || std::uncaught_exceptions() == 0) {
            m_bookNames = std::move(names);
            m_undecodableNames = undecodable;
        }
    });
    return generateFolderReportUtf8(m_currentDir, m_formatText,
                                    formatContext(FormatMode::Reference), byteOrderMark, names,
                                    undecodable);
}

QString Session::formatBookFile(const QString& path, const QString& format, FormatMode mode) const
{
    return FormatEngine::formatRecord(format, ReadBookRecord(path), formatContext(mode));
}

QByteArray Session::jsonLdOfBookFile(const QString& path) const
{
    const FormatContext context = formatContext(FormatMode::Reference);
    return jsonLdText(withSchemaContext(jsonLdBook(ReadBookRecord(path), context)));
}

QStringList Session::dataLinksOfBookFile(const QString& path) const
{
    QStringList links;
    buildDataLinks(ReadBookRecord(path), formatContext(FormatMode::Link), links);
    return links;
}

} // namespace quillery
