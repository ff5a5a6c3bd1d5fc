#include "format/Report.h"

#include "base/Cancelled.h"
#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ListCollation.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "format/FormatEngine.h"
#include "format/JsonLd.h"
#include "markup/HtmlText.h"
#include "markup/LanguageRegistry.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QLocale>
#include <QScopeGuard>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <iterator>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <vector>

namespace quillery {

QString SubstituteId(const QString& text, const QString& id)
{
    QString result = text;
    result.replace(QStringLiteral("%ID"), id, Qt::CaseSensitive);
    return result;
}

namespace {

// The record field a report field reads; Name reads the entry's place instead.
Field recordField(ReportField field)
{
    switch (field) {
    case ReportField::Name:
        return Field::ID;
    case ReportField::Author:
        return Field::Author;
    case ReportField::Title:
        return Field::Title;
    case ReportField::YearWritten:
        return Field::YearWritten;
    case ReportField::YearPrinted:
        return Field::YearPrinted;
    case ReportField::Series:
        return Field::Series;
    case ReportField::Category:
        return Field::Category;
    case ReportField::Language:
        return Field::Language;
    }
    return Field::ID;
}

bool isGrouped(const ReportOptions& options)
{
    return options.group && *options.group != ReportField::Name;
}

// One part of a book's place in the order. Parts compare by kind first, so numbers come before
// other texts and empty values last; numbers by their value, then by the text after them.
struct SortPart {
    enum Kind { Number, Text, Empty } kind = Empty;
    bool negative = false;
    QString digits;      // the number's digits without leading zeros
    qsizetype place = 0; // the entry's place in the order given (Name)
    std::optional<QCollatorSortKey> text;
};

int compareParts(const SortPart& a, const SortPart& b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind ? -1 : 1;
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    int c = a.digits.size() == b.digits.size() ? a.digits.compare(b.digits)
                                               : (a.digits.size() < b.digits.size() ? -1 : 1);
    if (a.negative)
        c = -c;
    if (c != 0)
        return c;
    if (a.place != b.place)
        return a.place < b.place ? -1 : 1;
    return a.text && b.text ? a.text->compare(*b.text) : 0;
}

SortPart textPart(const QCollator& collator, QStringView value)
{
    SortPart part;
    value = value.trimmed();
    if (!value.isEmpty()) {
        part.kind = SortPart::Text;
        part.text = collator.sortKey(value.toString());
    }
    return part;
}

// A value that starts with an integer ("1869", "2a", "-400") sorts as that number and then by
// the rest; any other value as a text, after the numbers.
SortPart numberPart(const QCollator& collator, QStringView value)
{
    value = value.trimmed();
    const qsizetype start = value.startsWith(u'-') ? 1 : 0;
    qsizetype end = start;
    while (end < value.size() && value[end] >= u'0' && value[end] <= u'9')
        ++end;
    if (end == start)
        return textPart(collator, value);
    QStringView digits = value.sliced(start, end - start);
    while (!digits.isEmpty() && digits.front() == u'0')
        digits = digits.sliced(1);
    SortPart part;
    part.kind = SortPart::Number;
    part.negative = start == 1 && !digits.isEmpty();
    part.digits = digits.toString();
    part.text = collator.sortKey(value.sliced(end).trimmed().toString());
    return part;
}

// The keys the books are sorted by. With groups the group field comes first, so that each
// group's books come together, in the direction the sort keys give that field (ascending when
// they do not name it); the sort keys follow.
QList<ReportSortKey> effectiveSortKeys(const ReportOptions& options)
{
    if (!isGrouped(options))
        return options.sort;
    const ReportField group = *options.group;
    const auto named = std::find_if(options.sort.cbegin(), options.sort.cend(),
                                    [group](const ReportSortKey& k) { return k.field == group; });
    QList<ReportSortKey> keys{named != options.sort.cend() ? *named : ReportSortKey{group, false}};
    for (const ReportSortKey& key : options.sort) {
        if (key.field != group)
            keys.append(key);
    }
    return keys;
}

// A collator as the book list sorts names with. Each thread makes its own.
QCollator listCollator()
{
    return ListSortKeys::collator();
}

// The direction of each part of a book's place in the order (Series has two: the series, then
// the position).
std::vector<bool> partDirections(const QList<ReportSortKey>& keys)
{
    std::vector<bool> descending;
    for (const ReportSortKey& key : keys) {
        descending.push_back(key.descending);
        if (key.field == ReportField::Series)
            descending.push_back(key.descending);
    }
    return descending;
}

// A book's parts, key after key, into `parts`.
void sortParts(const QCollator& collator, const BookRecord& record, qsizetype place,
               const QList<ReportSortKey>& keys, SortPart* parts)
{
    for (const ReportSortKey& key : keys) {
        switch (key.field) {
        case ReportField::Name:
            *parts = SortPart();
            parts->kind = SortPart::Number;
            parts->place = place;
            ++parts;
            break;
        case ReportField::YearWritten:
        case ReportField::YearPrinted:
            *parts++ = numberPart(collator, record[recordField(key.field)]);
            break;
        case ReportField::Series:
            *parts++ = textPart(collator, record[Field::Series]);
            *parts++ = numberPart(collator, record[Field::Position]);
            break;
        default:
            *parts++ = textPart(collator, record[recordField(key.field)]);
            break;
        }
    }
}

// The places of the books in the order of their parts; the sort is stable, so books that tie
// keep the order given.
std::vector<qsizetype> sortedOrder(qsizetype count, const std::vector<SortPart>& parts,
                                   const std::vector<bool>& descending)
{
    const size_t width = descending.size();
    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        for (size_t j = 0; j < width; ++j) {
            const int c = compareParts(parts[a * width + j], parts[b * width + j]);
            if (c != 0)
                return descending[j] ? c > 0 : c < 0;
        }
        return false;
    });
    return order;
}

struct Group {
    QString value;
    std::vector<qsizetype> books;
};

// The books in groups of the same value (trimmed), in the order of each group's first book; the
// group of empty values comes last, whichever the direction.
std::vector<Group> groupBooks(const std::vector<QString>& values,
                              const std::vector<qsizetype>& order)
{
    std::vector<Group> groups;
    QHash<QString, size_t> byValue;
    for (const qsizetype i : order) {
        const QString& value = values[size_t(i)];
        const auto found = byValue.constFind(value);
        if (found != byValue.cend()) {
            groups[*found].books.push_back(i);
            continue;
        }
        byValue.insert(value, groups.size());
        groups.push_back({value, {i}});
    }
    std::stable_partition(groups.begin(), groups.end(),
                          [](const Group& g) { return !g.value.isEmpty(); });
    return groups;
}

// The lines of a complete page up to the report: one element a line.
QStringList pageHead(const QString& directory, const FormatContext& context)
{
    const ReportOptions& options = context.report;
    const LanguageRegistry& registry =
        context.languages ? *context.languages : LanguageRegistry::instance();
    const std::optional<QString> tag = LanguageTagOf(options.defaultLang, registry);
    QString title = options.pageTitle;
    if (title.trimmed().isEmpty()) {
        const QString folder = QDir::cleanPath(directory);
        title = QFileInfo(folder).fileName();
        if (title.isEmpty()) // the root has no name of its own
            title = QDir::toNativeSeparators(folder);
    }
    return {QStringLiteral("<!DOCTYPE html>"),
            tag && !tag->isEmpty() ? u"<html lang=\"" + escapeAttribute(*tag) + u"\">"
                                   : QStringLiteral("<html>"),
            QStringLiteral("<head>"),
            QStringLiteral("<meta charset=\"utf-8\">"),
            u"<title>" + EscapeHtml(title, true) + u"</title>",
            QStringLiteral("</head>"),
            QStringLiteral("<body>")};
}

// Where the lines go: UTF-8 bytes, each line followed by CR LF, or each line to a sink. Books
// are made into pieces on the pool's threads; the pieces and the other lines are put out in
// order on the calling thread.
class Utf8Out {
public:
    using Piece = QByteArray;
    explicit Utf8Out(QByteArray& bytes) : m_bytes(bytes) {}
    static void add(Piece& piece, QStringView line) { appendUtf8Line(piece, line); }
    static void empty(Piece& piece) { piece.resize(0); }
    void line(QStringView line) { appendUtf8Line(m_bytes, line); }
    void put(const Piece& piece) { m_bytes += piece; }

private:
    QByteArray& m_bytes;
};

class LineOut {
public:
    using Piece = QStringList;
    explicit LineOut(const std::function<void(const QString&)>& sink) : m_sink(sink) {}
    static void add(Piece& piece, QStringView line) { piece.append(line.toString()); }
    static void empty(Piece& piece) { piece.resize(0); }
    void line(QStringView line) { m_sink(line.toString()); }
    void put(const Piece& piece)
    {
        for (const QString& line : piece)
            m_sink(line);
    }

private:
    const std::function<void(const QString&)>& m_sink;
};

// What every book of a report is made with.
struct ItemRules {
    const QString& format;
    FormatContext reference;
    const ReportOptions& options;
    bool idInBeforeItem;
    bool jsonLd;

    ItemRules(const QString& f, const FormatContext& context)
        : format(f), reference(context), options(context.report),
          idInBeforeItem(context.report.beforeItem.contains(QStringLiteral("%ID"))),
          jsonLd(context.report.jsonLd)
    {
        reference.mode = FormatMode::Reference;
    }

    // The item line of a book: the before-item text with "%ID", the reference, the after-item
    // text. Throws FormatError.
    void line(const BookRecord& record, QString& out) const
    {
        // Built in the caller's string, whose allocation serves book after book.
        out.resize(0);
        if (idInBeforeItem)
            out += SubstituteId(options.beforeItem, record[Field::ID]);
        else
            out += options.beforeItem;
        out += FormatEngine::formatRecord(format, record, reference);
        out += options.afterItem;
    }
};

// The names of a sorted list lie wherever the listing put them, so reading them in order misses
// the cache once a book; the next book's name is fetched while this one is read.
inline void prefetchName(const QString& name)
{
#if defined(__GNUC__)
    __builtin_prefetch(name.constData());
#else
    Q_UNUSED(name);
#endif
}

// Whether the books of a report come in the order of their list.
bool inListOrder(const ReportOptions& options)
{
    return !isGrouped(options) &&
           (options.sort.isEmpty() || options.sort.front() == ReportSortKey{});
}

// Books per piece, and pieces made between two looks at the caller's progress and cancellation.
constexpr qsizetype PieceBooks = 64;
constexpr qsizetype PiecesPerStep = 32;

void checkCancelled(const ReportRun& run)
{
    if (run.cancel && run.cancel->load())
        throw Cancelled();
}

void tellProgress(const ReportRun& run, qsizetype done, qsizetype total)
{
    if (run.progress)
        run.progress(done, total);
    checkCancelled(run);
}

// The books in the order given: each step formats a few pieces of books on the pool, then puts
// them out in order. The first failure in list order (a book that cannot be read, a format that
// fails) stops the report, as a run book after book would.
template <typename Out>
void plainItems(const QString& directory, const QStringList& entries, const ItemRules& rules,
                Out& out, std::vector<QJsonObject>& books, const ReportRun& run)
{
    WorkerPool& pool = run.pool ? *run.pool : WorkerPool::shared();
    const FolderReader folder(withTrailingSeparator(directory));
    const qsizetype count = entries.size();
    std::vector<typename Out::Piece> pieces(static_cast<size_t>(PiecesPerStep));
    std::vector<std::vector<QJsonObject>> nodes(rules.jsonLd ? size_t(PiecesPerStep) : 0);
    for (qsizetype first = 0; first < count; first += PieceBooks * PiecesPerStep) {
        const qsizetype stepEnd = std::min(count, first + PieceBooks * PiecesPerStep);
        const qsizetype stepPieces = (stepEnd - first + PieceBooks - 1) / PieceBooks;
        pool.forEach(
            stepPieces,
            [&](qsizetype p) {
                typename Out::Piece& piece = pieces[size_t(p)];
                Out::empty(piece);
                BookReader reader(folder);
                QString line;
                const qsizetype begin = first + p * PieceBooks;
                const qsizetype end = std::min(stepEnd, begin + PieceBooks);
                for (qsizetype i = begin; i < end; ++i) {
                    if (i + 1 < end)
                        prefetchName(entries[i + 1]);
                    const BookRecord& record = reader.read(entries[i]);
                    rules.line(record, line);
                    Out::add(piece, line);
                    if (rules.jsonLd)
                        nodes[size_t(p)].push_back(jsonLdBook(record, rules.reference));
                }
            },
            1, run.cancel);
        checkCancelled(run);
        for (qsizetype p = 0; p < stepPieces; ++p) {
            out.put(pieces[size_t(p)]);
            if (rules.jsonLd) {
                std::move(nodes[size_t(p)].begin(), nodes[size_t(p)].end(),
                          std::back_inserter(books));
                nodes[size_t(p)].clear();
            }
        }
        tellProgress(run, stepEnd, count);
    }
}

// What a sorted or grouped report keeps of a book: its line made, or why it could not be; its
// place in the order; its group's value; its JSON-LD. Not the record itself.
template <typename Piece> struct MadeBook {
    Piece piece;
    std::exception_ptr failure;
    QString group;
    QJsonObject node;
};

// Sorted or grouped: every book is read and made first (a book that cannot be read fails the
// report before anything is formatted: the first in list order), then they are put out in the
// order of their keys, where a format that fails fails at the first book in that order.
template <typename Out>
void sortedItems(const QString& directory, const QStringList& entries, const ItemRules& rules,
                 Out& out, std::vector<QJsonObject>& books, const ReportRun& run)
{
    WorkerPool& pool = run.pool ? *run.pool : WorkerPool::shared();
    const ReportOptions& options = rules.options;
    const QList<ReportSortKey> keys = effectiveSortKeys(options);
    const std::vector<bool> descending = partDirections(keys);
    const size_t width = descending.size();
    const bool grouped = isGrouped(options);
    const Field groupField = grouped ? recordField(*options.group) : Field::ID;

    const FolderReader folder(withTrailingSeparator(directory));
    const qsizetype count = entries.size();
    std::vector<MadeBook<typename Out::Piece>> made(static_cast<size_t>(count));
    std::vector<SortPart> parts(static_cast<size_t>(count) * width);
    // Collators take a while to make: up to a few hundred books share one, while small
    // catalogues are still shared among the threads.
    const qsizetype sortRun = std::clamp<qsizetype>(count / (pool.threadCount() * 8), 16, 256);
    for (qsizetype first = 0; first < count; first += sortRun * PiecesPerStep) {
        const qsizetype stepEnd = std::min(count, first + sortRun * PiecesPerStep);
        pool.forEachRun(
            stepEnd - first,
            [&](qsizetype begin, qsizetype end) {
                BookReader reader(folder);
                const QCollator collator = listCollator();
                QString line;
                for (qsizetype i = first + begin; i < first + end; ++i) {
                    if (i + 1 < first + end)
                        prefetchName(entries[i + 1]);
                    const BookRecord& record = reader.read(entries[i]);
                    MadeBook<typename Out::Piece>& book = made[size_t(i)];
                    sortParts(collator, record, i, keys, parts.data() + size_t(i) * width);
                    if (grouped)
                        book.group = record[groupField].trimmed();
                    try {
                        rules.line(record, line);
                        Out::add(book.piece, line);
                        if (rules.jsonLd)
                            book.node = jsonLdBook(record, rules.reference);
                    } catch (const Error&) {
                        book.failure = std::current_exception();
                    }
                }
            },
            sortRun, run.cancel);
        checkCancelled(run);
        tellProgress(run, stepEnd, count);
    }
    const std::vector<qsizetype> order = sortedOrder(count, parts, descending);
    parts = {};

    const auto item = [&](qsizetype i) {
        MadeBook<typename Out::Piece>& book = made[size_t(i)];
        if (book.failure)
            std::rethrow_exception(book.failure);
        out.put(book.piece);
        book.piece = {};
        if (rules.jsonLd)
            books.push_back(std::move(book.node));
    };
    if (!options.beforeReport.isEmpty())
        out.line(options.beforeReport);
    if (!grouped) {
        for (const qsizetype i : order)
            item(i);
    } else {
        std::vector<QString> values(static_cast<size_t>(count));
        for (qsizetype i = 0; i < count; ++i)
            values[size_t(i)] = std::move(made[size_t(i)].group);
        const auto groupLine = [&](const QString& text, const QString& value) {
            if (text.isEmpty())
                return;
            QString framed = text;
            framed.replace(QStringLiteral("%G"), EscapeHtml(value, options.microdata),
                           Qt::CaseSensitive);
            out.line(framed);
        };
        for (const Group& group : groupBooks(values, order)) {
            groupLine(options.beforeGroup, group.value);
            for (const qsizetype i : group.books)
                item(i);
            groupLine(options.afterGroup, group.value);
        }
    }
    if (!options.afterReport.isEmpty())
        out.line(options.afterReport);
}

// A complete page's head, up to "<body>", when the options ask for one.
template <typename Out>
void openPage(const QString& directory, const FormatContext& context, Out& out)
{
    if (context.report.completePage) {
        for (const QString& line : pageHead(directory, context))
            out.line(line);
    }
}

// The end of a complete page.
template <typename Out> void closePage(const FormatContext& context, Out& out)
{
    if (context.report.completePage) {
        out.line(u"</body>");
        out.line(u"</html>");
    }
}

// The whole report: the page's head, the report from the before-report text to the after-report
// text, the JSON-LD and the page's end.
template <typename Out>
void reportInto(const QString& directory, const QStringList& entries, const QString& format,
                const FormatContext& context, Out& out, const ReportRun& run)
{
    const ReportOptions& options = context.report;
    checkCancelled(run);
    openPage(directory, context, out);
    const ItemRules rules(format, context);
    std::vector<QJsonObject> books;
    if (inListOrder(options)) {
        if (!options.beforeReport.isEmpty())
            out.line(options.beforeReport);
        plainItems(directory, entries, rules, out, books, run);
        if (!options.afterReport.isEmpty())
            out.line(options.afterReport);
    } else {
        sortedItems(directory, entries, rules, out, books, run);
    }
    if (options.jsonLd) {
        QJsonArray list;
        for (QJsonObject& book : books)
            list.append(std::move(book));
        books = {};
        for (const QString& line : jsonLdScriptLines(jsonLdItemList(list)))
            out.line(line);
    }
    closePage(context, out);
}

// The names of a folder as its listing hands them out, kept in blocks that never move, so that
// readers take runs of them while more are coming. One thread appends; any thread takes runs.
class ListedNames {
public:
    static constexpr qsizetype Block = 1024; // a whole number of runs

    void append(QString&& name)
    {
        if (m_count % Block == 0) {
            auto block = std::make_unique<QString[]>(size_t(Block));
            m_last = block.get();
            const std::lock_guard<std::mutex> lock(m_lock);
            m_blocks.push_back(std::move(block));
        }
        m_last[m_count % Block] = std::move(name);
        ++m_count;
        if (m_count % PieceBooks == 0)
            publish(false);
    }

    // No more names come.
    void finish() { publish(true); }

    // The names [begin, begin + wanted) once they are listed, or as many of them as the listing
    // had when it ended; `got` is how many (none: the listing has no more).
    const QString* take(qsizetype begin, qsizetype wanted, qsizetype& got)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_more.wait(lock, [&] { return m_done || m_published >= begin + wanted; });
        got = std::clamp<qsizetype>(m_published - begin, 0, wanted);
        return got > 0 ? m_blocks[size_t(begin / Block)].get() + begin % Block : nullptr;
    }

    // Every name, in the listing's order: once finished.
    std::vector<QStringView> all() const
    {
        std::vector<QStringView> names;
        names.reserve(size_t(m_count));
        for (qsizetype i = 0; i < m_count; ++i)
            names.emplace_back(m_blocks[size_t(i / Block)][i % Block]);
        return names;
    }

    // The names in the given order, taken out: once nobody reads them any more.
    QStringList takeAll(const std::vector<quint32>& order)
    {
        QStringList names;
        names.reserve(qsizetype(order.size()));
        for (const quint32 i : order)
            names.append(std::move(m_blocks[i / Block][i % Block]));
        return names;
    }

private:
    void publish(bool done)
    {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_published = m_count;
            m_done = m_done || done;
        }
        m_more.notify_all();
    }

    std::mutex m_lock;
    std::condition_variable m_more;
    std::vector<std::unique_ptr<QString[]>> m_blocks; // appended under the lock
    QString* m_last = nullptr;                        // the block being filled
    qsizetype m_count = 0;                            // the appender's own
    qsizetype m_published = 0;                        // under the lock
    bool m_done = false;                              // under the lock
};

// The lines of one run of books, in the folder's order: each book's line ends at ends[i].
struct ListedRun {
    QByteArray bytes;
    std::array<qsizetype, PieceBooks> ends{};
};

} // namespace

QByteArray generateFolderReportUtf8(const QString& directory, const QString& format,
                                    const FormatContext& context, bool byteOrderMark,
                                    QStringList& names, int& undecodable)
{
    const ReportOptions& options = context.report;
    if (!inListOrder(options) || options.jsonLd) {
        names = listBookNames(directory, &undecodable);
        return generateReportUtf8(directory, names, format, context, byteOrderMark);
    }
    const ItemRules rules(format, context);
    const FolderReader folder(withTrailingSeparator(directory));
    ListedNames listed;
    std::mutex runsLock;
    std::deque<ListedRun> runs; // grows under runsLock; a run never moves
    std::atomic<qsizetype> nextRun{0};
    std::atomic<bool> failed{false};
    std::vector<quint32> order;

    // Reads, formats and keeps runs of books until the listing has no more or one fails.
    const auto readRuns = [&] {
        BookReader reader(folder);
        QString line;
        while (!failed.load(std::memory_order_relaxed)) {
            const qsizetype r = nextRun.fetch_add(1);
            qsizetype got = 0;
            const QString* name = listed.take(r * PieceBooks, PieceBooks, got);
            if (got == 0)
                return;
            ListedRun* run = nullptr;
            {
                const std::lock_guard<std::mutex> lock(runsLock);
                if (runs.size() <= size_t(r))
                    runs.resize(size_t(r) + 1);
                run = &runs[size_t(r)];
            }
            run->bytes.reserve(got * 256);
            try {
                for (qsizetype i = 0; i < got; ++i) {
                    if (i + 1 < got)
                        prefetchName(name[i + 1]);
                    rules.line(reader.read(name[i]), line);
                    appendUtf8Line(run->bytes, line);
                    run->ends[size_t(i)] = run->bytes.size();
                }
            } catch (...) {
                // The error a report in list order meets first is found again below.
                failed = true;
            }
        }
    };
    // One thread lists the folder and sorts the names, then reads with the others, which read
    // the books in the folder's order from the first names listed.
    WorkerPool& pool = WorkerPool::shared();
    pool.forEach(
        pool.threadCount(),
        [&](qsizetype role) {
            if (role == 0) {
                {
                    const auto finished = qScopeGuard([&] { listed.finish(); });
                    undecodable = forEachListedBookName(
                        directory, [&](QString&& name) { listed.append(std::move(name)); });
                }
                order = bookNameOrder(listed.all());
            }
            readRuns();
        },
        1);
    names = listed.takeAll(order);
    if (failed)
        return generateReportUtf8(directory, names, format, context, byteOrderMark);

    QByteArray bytes = byteOrderMark ? utf8Bom() : QByteArray();
    Utf8Out out(bytes);
    openPage(directory, context, out);
    if (!options.beforeReport.isEmpty())
        out.line(options.beforeReport);
    // The lines gathered in list order straight into the report, a share of the list on each
    // thread: first the size of each share, then the copies.
    const qsizetype shares = order.size() < 4096 ? 1 : pool.threadCount();
    const auto lineOf = [&](quint32 book) {
        const ListedRun& run = runs[book / PieceBooks];
        const qsizetype i = book % PieceBooks;
        const qsizetype from = i == 0 ? 0 : run.ends[size_t(i - 1)];
        return QByteArrayView(run.bytes.constData() + from, run.ends[size_t(i)] - from);
    };
    const auto shareBounds = [&](qsizetype p) {
        return std::pair{order.size() * size_t(p) / size_t(shares),
                         order.size() * size_t(p + 1) / size_t(shares)};
    };
    std::vector<qsizetype> shareStart(static_cast<size_t>(shares) + 1, 0);
    pool.forEach(
        shares,
        [&](qsizetype p) {
            const auto [begin, end] = shareBounds(p);
            for (size_t k = begin; k < end; ++k)
                shareStart[size_t(p) + 1] += lineOf(order[k]).size();
        },
        1);
    shareStart[0] = bytes.size();
    for (size_t p = 1; p < shareStart.size(); ++p)
        shareStart[p] += shareStart[p - 1];
    bytes.reserve(shareStart.back() + options.afterReport.size() * 3 + 64);
    bytes.resize(shareStart.back());
    char* const data = bytes.data();
    pool.forEach(
        shares,
        [&](qsizetype p) {
            const auto [begin, end] = shareBounds(p);
            char* at = data + shareStart[size_t(p)];
            for (size_t k = begin; k < end; ++k) {
                const QByteArrayView line = lineOf(order[k]);
                std::memcpy(at, line.data(), size_t(line.size()));
                at += line.size();
            }
        },
        1);
    if (!options.afterReport.isEmpty())
        out.line(options.afterReport);
    closePage(context, out);
    return bytes;
}

void appendUtf8Line(QByteArray& bytes, QStringView line)
{
    // toUtf8 writes a lone surrogate as "?" where the encoder writes U+FFFD: lines with
    // surrogates (rare outside CJK extensions and emoji) take its way.
    if (std::any_of(line.begin(), line.end(), [](QChar c) { return c.isSurrogate(); })) {
        bytes += line.toUtf8();
        bytes += "\r\n";
        return;
    }
    // Encoded straight into the bytes: a report's lines are never copied on their way.
    const qsizetype size = bytes.size();
    bytes.resize(size + line.size() * 3 + 2);
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    char* end = encoder.appendToBuffer(bytes.data() + size, line);
    *end++ = '\r';
    *end++ = '\n';
    bytes.resize(end - bytes.constData());
}

void generateReportLines(const QString& directory, const QStringList& entries,
                         const QString& format, const FormatContext& context,
                         const std::function<void(const QString& line)>& sink, const ReportRun& run)
{
    LineOut out(sink);
    reportInto(directory, entries, format, context, out, run);
}

QByteArray generateReportUtf8(const QString& directory, const QStringList& entries,
                              const QString& format, const FormatContext& context,
                              bool byteOrderMark, const ReportRun& run)
{
    QByteArray bytes = byteOrderMark ? utf8Bom() : QByteArray();
    Utf8Out out(bytes);
    reportInto(directory, entries, format, context, out, run);
    return bytes;
}

QStringList GenerateReport(const QString& directory, const QStringList& entries,
                           const QString& format, const FormatContext& context,
                           const ReportRun& run)
{
    QStringList lines;
    lines.reserve(entries.size() + 2);
    generateReportLines(
        directory, entries, format, context, [&lines](const QString& line) { lines.append(line); },
        run);
    return lines;
}

QString reportText(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

QByteArray reportFileBytes(const QStringList& lines)
{
    return utf8Bom() + reportText(lines).toUtf8();
}

} // namespace quillery
