#include "health/CatalogueCheck.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/IntegerText.h"
#include "base/TextCodec.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Isbn.h"
#include "exchange/BookMapping.h"
#include "markup/Dates.h"
#include "markup/LanguageRegistry.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace quillery {

namespace {

// A duplicate line names this many other books at most; a larger group is counted.
constexpr qsizetype NamedDuplicates = 5;

QString quoted(QStringView text)
{
    return u'"' + text.toString() + u'"';
}

// The system's reason inside a sentence: "Permission denied" as "permission denied", while a
// word in capitals ("ISO") stays as it is.
QString reasonInSentence(QString reason)
{
    if (reason.size() > 1 && reason[0].isUpper() && reason[1].isLower())
        reason[0] = reason[0].toLower();
    return reason;
}

// What the check learns from one book of the list.
struct BookFindings {
    std::vector<CheckProblem> problems;
    std::vector<QByteArray> isbnKeys; // each valid ISBN once
    QByteArray titleKey;
};

void warnUnlessInteger(const QString& name, const char16_t* field, QStringView value,
                       std::vector<CheckProblem>& out)
{
    if (value.isEmpty() || parseInteger(value))
        return;
    out.push_back({name,
                   QStringLiteral("%1 %2 is not an integer: a report with microdata fails on it")
                       .arg(QStringView(field), quoted(value)),
                   true});
}

// The checks of one book's values, as the report's field annotation reads them: each value
// trimmed of blanks, and the Language whole (as its lang attribute takes it).
void checkValues(const QString& name, const BookRecord& book, const QLocale& locale,
                 BookFindings& findings)
{
    std::vector<CheckProblem>& out = findings.problems;
    const QString& isbnField = book[Field::ISBN];
    for (const IsbnEntry& isbn : parseIsbns(isbnField)) {
        if (!isbn.valid()) {
            const QStringView shown = isbn.length > 0
                                          ? QStringView(isbnField).sliced(isbn.start, isbn.length)
                                          : QStringView(isbn.text);
            out.push_back(
                {name, QStringLiteral("ISBN %1: %2").arg(quoted(shown), isbn.problem), false});
            continue;
        }
        QByteArray key = duplicateIsbnKey(isbn.digits);
        if (!key.isEmpty() && std::find(findings.isbnKeys.cbegin(), findings.isbnKeys.cend(),
                                        key) == findings.isbnKeys.cend())
            findings.isbnKeys.push_back(std::move(key));
    }
    findings.titleKey = duplicateTitleKey(book);

    warnUnlessInteger(name, u"Position", trimBlanks(book[Field::Position]), out);
    warnUnlessInteger(name, u"Num pages", trimBlanks(book[Field::NumPages]), out);
    const QStringView year = trimBlanks(book[Field::YearWritten]);
    if (!year.isEmpty() && !DateMarkup(QStringLiteral("dateCreated"), year.toString(), true, locale)
                                .startsWith(u"<time"))
        out.push_back({name,
                       QStringLiteral("Year written %1 gives no machine-readable date in a "
                                      "report with microdata")
                           .arg(quoted(year)),
                       true});
    const QString& language = book[Field::Language];
    if (!trimBlanks(language).isEmpty() && !LanguageTagOf(language))
        out.push_back({name,
                       QStringLiteral("Language %1 gives no language tag: a report has no lang "
                                      "attribute for the book")
                           .arg(quoted(language)),
                       true});
}

// Reads one book and checks it. `link` tells whether its entry is a symbolic link.
void checkBook(const QString& directory, const QString& name, bool link, const QLocale& locale,
               BookFindings& findings)
{
    const QString path = bookFilePath(directory, name);
    std::vector<CheckProblem>& out = findings.problems;
    if (link) {
        switch (linkTarget(path, directory)) {
        case LinkTarget::Dangling:
            out.push_back({name, QStringLiteral("symbolic link that points to nothing"), false});
            return;
        case LinkTarget::Outside:
            out.push_back({name,
                           QStringLiteral("symbolic link to a file outside the catalogue folder: "
                                          "it is read, but changes to it are not saved"),
                           false});
            break;
        case LinkTarget::NotALink:
        case LinkTarget::Inside:
            break;
        }
    }
    std::optional<QByteArray> bytes;
    try {
        bytes = readWholeFileIfExists(path);
    } catch (const FileError& error) {
        // The system names a folder in its own words; the other kinds are named by the reader.
        const QString reason = QFileInfo(path).isDir()
                                   ? QStringLiteral("it is a folder, not a regular file")
                                   : reasonInSentence(error.reason());
        out.push_back({name, u"cannot be read: " + reason, false});
        return;
    }
    if (!bytes)
        return; // gone since the list was read
    if (isVersion10Text(*bytes))
        out.push_back({name,
                       QStringLiteral("version 1.0 book file, not upgraded yet (Upgrade Book "
                                      "Files, or quillery-cli upgrade)"),
                       false});
    checkValues(name, bookRecordFromBytes(*bytes), locale, findings);
}

// "same ISBN as "A"", "... as "A" and "B"", "... as "A", "B", "C", "D", "E" and 3 more books".
QString duplicateText(const QString& what, const QStringList& names, const std::vector<int>& others)
{
    QString text = u"same " + what + u" as ";
    const qsizetype named = std::min<qsizetype>(qsizetype(others.size()), NamedDuplicates);
    for (qsizetype i = 0; i < named; ++i) {
        if (i > 0)
            text += i + 1 == named && named == qsizetype(others.size()) ? u" and " : u", ";
        text += quoted(names[others[size_t(i)]]);
    }
    const qsizetype more = qsizetype(others.size()) - named;
    if (more == 1)
        text += QStringLiteral(" and 1 more book");
    else if (more > 1)
        text += QStringLiteral(" and %1 more books").arg(more);
    return text;
}

// Books of the list that share a key, each group in list order.
class Groups {
public:
    void add(const QByteArray& key, int book, std::vector<int>& groupsOfBook)
    {
        auto it = m_byKey.constFind(key);
        if (it == m_byKey.cend())
            it = m_byKey.insert(key, int(m_members.size()));
        if (size_t(*it) == m_members.size())
            m_members.emplace_back();
        m_members[size_t(*it)].push_back(book);
        groupsOfBook.push_back(*it);
    }
    const std::vector<int>& members(int group) const { return m_members[size_t(group)]; }

    // The other books of the groups, in list order, each once, without those `skip` names.
    template <typename Skip>
    std::vector<int> othersOf(int book, const std::vector<int>& groups, const Skip& skip) const
    {
        std::vector<int> others;
        for (const int group : groups) {
            if (members(group).size() < 2)
                continue;
            for (const int other : members(group)) {
                if (other != book && !skip(other))
                    others.push_back(other);
            }
        }
        if (groups.size() > 1) {
            std::sort(others.begin(), others.end());
            others.erase(std::unique(others.begin(), others.end()), others.end());
        }
        return others;
    }

private:
    QHash<QByteArray, int> m_byKey;
    std::vector<std::vector<int>> m_members;
};

quint64 pairKey(int a, int b)
{
    if (a > b)
        std::swap(a, b);
    return (quint64(quint32(a)) << 32) | quint32(b);
}

void findDuplicates(const QStringList& names, const std::vector<BookFindings>& books,
                    const std::vector<char>& compared, const std::vector<BookPair>& notDuplicates,
                    std::vector<CheckProblem>& out)
{
    QHash<QString, int> index;
    index.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        index.insert(names[i], int(i));
    QSet<quint64> exempt;
    for (const BookPair& pair : notDuplicates) {
        const auto a = index.constFind(pair.first);
        const auto b = index.constFind(pair.second);
        if (a != index.cend() && b != index.cend())
            exempt.insert(pairKey(*a, *b));
    }

    Groups isbns;
    Groups titles;
    std::vector<std::vector<int>> isbnGroups(books.size());
    std::vector<std::vector<int>> titleGroups(books.size());
    for (size_t i = 0; i < books.size(); ++i) {
        if (!compared[i])
            continue;
        for (const QByteArray& key : books[i].isbnKeys)
            isbns.add(key, int(i), isbnGroups[i]);
        if (!books[i].titleKey.isEmpty())
            titles.add(books[i].titleKey, int(i), titleGroups[i]);
    }
    for (size_t i = 0; i < books.size(); ++i) {
        const int book = int(i);
        const auto exempted = [&](int other) {
            return exempt.contains(pairKey(book, other));
        };
        const std::vector<int> sameIsbn = isbns.othersOf(book, isbnGroups[i], exempted);
        if (!sameIsbn.empty())
            out.push_back(
                {names[book], duplicateText(QStringLiteral("ISBN"), names, sameIsbn), false});
        // A pair already named for its ISBN is the same finding.
        const std::vector<int> sameTitle = titles.othersOf(book, titleGroups[i], [&](int other) {
            return exempted(other) || std::binary_search(sameIsbn.cbegin(), sameIsbn.cend(), other);
        });
        if (!sameTitle.empty())
            out.push_back({names[book],
                           duplicateText(QStringLiteral("author and title"), names, sameTitle),
                           false});
    }
}

// A folder entry a check may report for itself.
struct FolderEntry {
    QString name;      // the book's name for a book entry, else the file name
    QString copyOf;    // the book a conflict copy stands for
    bool book = false; // named like a book (".book"), so in the list when its name is valid
    bool reachable = true;
};

// Puts the lines in their order: by name as the book list sorts, then by text.
void sortProblems(std::vector<CheckProblem>& problems)
{
    QStringList named;
    QSet<QString> seen;
    for (const CheckProblem& p : problems) {
        if (!seen.contains(p.name)) {
            seen.insert(p.name);
            named.append(p.name);
        }
    }
    sortBookNames(named);
    QHash<QString, int> rank;
    rank.reserve(named.size());
    for (qsizetype i = 0; i < named.size(); ++i)
        rank.insert(named[i], int(i));
    struct Keyed {
        int rank;
        QString text;
        CheckProblem problem;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(problems.size());
    for (CheckProblem& p : problems) {
        const int r = rank.value(p.name);
        QString text = p.warning ? u"warning: " + p.text : p.text;
        keyed.push_back({r, std::move(text), std::move(p)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.text < b.text;
    });
    problems.clear();
    for (Keyed& k : keyed)
        problems.push_back(std::move(k.problem));
}

} // namespace

QString CheckProblem::line() const
{
    return name + (warning ? QStringLiteral(": warning: ") : QStringLiteral(": ")) + text;
}

std::optional<QString> conflictCopyOf(QStringView fileName)
{
    QStringView base = fileName;
    bool marked = false;
    while (base.endsWith(u'~')) {
        base.chop(1);
        marked = true;
    }
    const QStringView extension(BookExtension);
    if (!base.endsWith(extension, Qt::CaseInsensitive))
        return std::nullopt;
    base.chop(extension.size());
    while (base.endsWith(u'~')) {
        base.chop(1);
        marked = true;
    }
    // Every other mark holds this word; most names hold none.
    if (!marked && !base.contains(u"conflict", Qt::CaseInsensitive))
        return std::nullopt;
    QString original = base.toString();
    // Dropbox and Nextcloud: "Dune (Mary's conflicted copy 2024-01-02)".
    if (const qsizetype at = original.indexOf(u"conflicted copy", 0, Qt::CaseInsensitive);
        at >= 0) {
        const qsizetype open = original.lastIndexOf(u'(', at);
        const qsizetype close = original.indexOf(u')', at);
        if (open >= 0 && close >= 0)
            original.remove(open, close + 1 - open);
        else
            original.truncate(at);
        marked = true;
    }
    // Syncthing: "Dune.sync-conflict-20240102-101010-ABCDEFG".
    if (const qsizetype at = original.indexOf(u".sync-conflict-", 0, Qt::CaseInsensitive);
        at >= 0) {
        qsizetype end = at + QStringView(u".sync-conflict-").size();
        while (end < original.size() && (original[end].isLetterOrNumber() || original[end] == u'-'))
            ++end;
        original.remove(at, end - at);
        marked = true;
    }
    // OneDrive and others, for names that differ only in case: "Dune (Case Conflict 1)".
    if (const qsizetype at = original.indexOf(u"(Case Conflict", 0, Qt::CaseInsensitive); at >= 0) {
        const qsizetype close = original.indexOf(u')', at);
        original.remove(at, close >= 0 ? close + 1 - at : original.size() - at);
        marked = true;
    }
    original = trimBlanks(original).toString();
    if (!marked || original.isEmpty())
        return std::nullopt;
    return original;
}

std::vector<CheckProblem> checkCatalogue(const QString& directory, const QStringList& names,
                                         const std::vector<BookPair>& notDuplicates)
{
    // The folder's entries: the books of the list, which of them are links, and the entries
    // that are checked for their names alone.
    QSet<QString> listed;
    QSet<QString> links;
    std::vector<FolderEntry> special;
    const QStringView extension(BookExtension);
    forEachDirectoryEntry(directory, [&](const DirectoryEntry& entry) {
        FolderEntry e;
        e.book = entry.name.endsWith(extension, Qt::CaseInsensitive);
        e.reachable = entry.reachable;
        e.name = e.book ? entry.name.first(entry.name.size() - extension.size()) : entry.name;
        if (e.book && e.reachable) {
            listed.insert(e.name);
            if (entry.symLink)
                links.insert(e.name);
        }
        if (const std::optional<QString> original = conflictCopyOf(entry.name))
            e.copyOf = *original;
        if (!e.copyOf.isEmpty() || !e.reachable)
            special.push_back(std::move(e));
    });

    const QSet<QString> checked(names.cbegin(), names.cend());
    const bool wholeList = std::all_of(listed.cbegin(), listed.cend(),
                                       [&](const QString& name) { return checked.contains(name); });
    std::vector<CheckProblem> problems;
    QSet<QString> copies;
    for (const FolderEntry& e : special) {
        const bool listEntry = e.book && e.reachable;
        if (!e.copyOf.isEmpty()) {
            if (listEntry)
                copies.insert(e.name);
            if (listEntry ? checked.contains(e.name) : wholeList || checked.contains(e.copyOf))
                problems.push_back(
                    {e.name,
                     listed.contains(e.copyOf)
                         ? QStringLiteral("sync conflict copy of %1").arg(quoted(e.copyOf))
                         : QStringLiteral("sync conflict copy of %1, which is not "
                                          "in the catalogue")
                               .arg(quoted(e.copyOf)),
                     false});
        }
        if (e.book && !e.reachable && wholeList)
            problems.push_back({e.name,
                                QStringLiteral("file name that is not valid UTF-8: the program "
                                               "cannot open it"),
                                false});
    }

    // Every book read and checked on its own, on several threads; then the duplicates.
    std::vector<BookFindings> books(size_t(names.size()));
    std::vector<char> compared(size_t(names.size()), 0);
    const QLocale locale;
    WorkerPool::shared().forEach(names.size(), [&](qsizetype i) {
        const QString& name = names[i];
        if (copies.contains(name))
            return;
        checkBook(directory, name, links.contains(name), locale, books[size_t(i)]);
        compared[size_t(i)] = 1;
    });
    for (BookFindings& book : books)
        std::move(book.problems.begin(), book.problems.end(), std::back_inserter(problems));
    findDuplicates(names, books, compared, notDuplicates, problems);
    sortProblems(problems);
    return problems;
}

bool hasProblems(const std::vector<CheckProblem>& problems)
{
    return std::any_of(problems.cbegin(), problems.cend(),
                       [](const CheckProblem& p) { return !p.warning; });
}

QString checkSummaryText(const std::vector<CheckProblem>& problems)
{
    QSet<QString> books;
    for (const CheckProblem& p : problems)
        books.insert(p.name);
    const qsizetype n = qsizetype(problems.size());
    const qsizetype m = books.size();
    // One form for every count, as the program's other counts ("%d books upgraded."), so
    // scripts read it alike.
    return QStringLiteral("%1 problems in %2 books.").arg(n).arg(m);
}

QStringList checkReportLines(const std::vector<CheckProblem>& problems)
{
    QStringList lines;
    lines.reserve(qsizetype(problems.size()) + 1);
    for (const CheckProblem& p : problems)
        lines.append(p.line());
    lines.append(checkSummaryText(problems));
    return lines;
}

} // namespace quillery
