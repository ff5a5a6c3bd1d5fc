#include "exchange/Import.h"

#include "base/FileIo.h"
#include "base/TextCodec.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "exchange/BookMapping.h"

#include <QHash>
#include <QSet>

namespace quillery {

namespace {

// Names are cut to this many bytes of UTF-8, which leaves room for " (NNN)" and ".book" within
// the 255 bytes every common file system allows.
constexpr qsizetype MaxNameBytes = 200;

// Characters a book name cannot hold, and what stands in their place.
QString fileNameText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'/':
        case u'\\':
        case u'|':
            out += u'-';
            break;
        case u':':
            out += u" - ";
            break;
        case u'"':
            out += u'\'';
            break;
        case u'*':
        case u'?':
        case u'<':
        case u'>':
            out += u' ';
            break;
        default:
            out += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
        }
    }
    out = out.simplified();
    // A leading period would hide the file; a trailing one or a blank is dropped by Windows.
    while (out.startsWith(u'.') || out.startsWith(u' '))
        out.remove(0, 1);
    while (out.endsWith(u'.') || out.endsWith(u' '))
        out.chop(1);
    return out;
}

QString cutToBytes(const QString& text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const char32_t cp = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const qsizetype length = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (bytes + length > maxBytes)
            break;
        bytes += length;
        i += pair ? 2 : 1;
    }
    QString cut = text.first(i);
    while (cut.endsWith(u'.') || cut.endsWith(u' '))
        cut.chop(1);
    return cut;
}

// The names of a folder's entries, folded, to keep a new book from clashing with any of them on
// a file system that ignores case.
QSet<QString> takenNames(const QString& directory)
{
    QSet<QString> taken;
    forEachDirectoryEntry(
        directory, [&](const DirectoryEntry& entry) { taken.insert(entry.name.toCaseFolded()); });
    return taken;
}

QString firstAuthorName(const BookRecord& book)
{
    const std::vector<AuthorEntry> names = namesOf(book[Field::Author]);
    if (names.empty())
        return {};
    const AuthorEntry& first = names.front();
    return first.kind == AuthorKind::PersonFamilyGiven ? first.familyName : first.name;
}

bool holdsNothing(const BookRecord& book)
{
    for (int f = 1; f < FieldCount; ++f) {
        if (!book[Field(f)].isEmpty())
            return false;
    }
    return true;
}

struct Match {
    QString name;
    QString reason;
};

// The books already there and the records planned so far, by the two keys duplicates share.
class Seen {
public:
    void add(const BookRecord& book, const QString& name)
    {
        if (const QByteArray isbn = duplicateIsbnKey(book[Field::ISBN]); !isbn.isEmpty())
            m_isbn.insert(isbn, name);
        if (const QByteArray title = duplicateTitleKey(book); !title.isEmpty())
            m_title.insert(title, name);
    }

    std::optional<Match> find(const BookRecord& book) const
    {
        if (const QByteArray isbn = duplicateIsbnKey(book[Field::ISBN]); !isbn.isEmpty()) {
            if (const auto it = m_isbn.constFind(isbn); it != m_isbn.cend())
                return Match{*it, QStringLiteral("same ISBN")};
        }
        if (const QByteArray title = duplicateTitleKey(book); !title.isEmpty()) {
            if (const auto it = m_title.constFind(title); it != m_title.cend())
                return Match{*it, QStringLiteral("same author and title")};
        }
        return std::nullopt;
    }

private:
    // The first book of a key is the one named.
    QHash<QByteArray, QString> m_isbn;
    QHash<QByteArray, QString> m_title;
};

// The name with " (2)", " (3)", ... when it is taken.
QString uniqueName(const QString& directory, const QString& base, QSet<QString>& taken)
{
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n);
        const QString file = name + QStringView(BookExtension);
        if (taken.contains(file.toCaseFolded()) ||
            checkProposal(directory, file) != NameCheck::Accepted)
            continue;
        taken.insert(file.toCaseFolded());
        return name;
    }
}

} // namespace

int ImportPlan::count(ImportStep::Action action) const
{
    return int(std::count_if(steps.begin(), steps.end(),
                             [action](const ImportStep& s) { return s.action == action; }));
}

QString importBookName(const BookRecord& book)
{
    QString name = fileNameText(book[Field::ID]);
    if (name.isEmpty()) {
        const QString author = fileNameText(firstAuthorName(book));
        const QString title = fileNameText(book[Field::Title]);
        name = author.isEmpty() || title.isEmpty() ? QString(author + title)
                                                   : QString(author + u" - " + title);
    }
    name = cutToBytes(name, MaxNameBytes);
    return name.isEmpty() ? QStringLiteral("Book") : name;
}

ImportPlan planImport(const QString& directory, std::span<const BookRecord> catalogue,
                      ImportRecords records, DuplicatePolicy policy)
{
    ImportPlan plan;
    plan.directory = withTrailingSeparator(directory);
    QSet<QString> taken = takenNames(plan.directory);
    Seen seen;
    for (const BookRecord& book : catalogue)
        seen.add(book, book[Field::ID]);

    plan.steps.reserve(records.size());
    for (ImportRecord& record : records) {
        ImportStep step;
        cleanImportedRecord(record.book);
        if (record.rejection.isEmpty() && holdsNothing(record.book))
            record.rejection = QStringLiteral("The record holds no book data.");
        if (!record.rejection.isEmpty()) {
            step.action = ImportStep::Action::Reject;
        } else if (const std::optional<Match> match = seen.find(record.book)) {
            step.duplicateOf = match->name;
            step.duplicateReason = match->reason;
            step.action = policy == DuplicatePolicy::Skip ? ImportStep::Action::Duplicate
                                                          : ImportStep::Action::Create;
        }
        if (step.action == ImportStep::Action::Create) {
            step.name = uniqueName(plan.directory, importBookName(record.book), taken);
            seen.add(record.book, step.name);
        }
        step.record = std::move(record);
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

ImportResult runImport(const ImportPlan& plan, const QDateTime& when, const QString& version,
                       const std::function<void(qsizetype done)>& progress)
{
    // Books are written in batches that are flushed to disk together: one flush for hundreds of
    // files instead of one each.
    constexpr qsizetype BatchSize = 500;
    ImportResult result;
    std::vector<QString> names(plan.steps.size());
    QSet<QString> taken;
    NewFileBatch batch;
    std::vector<size_t> inBatch;
    size_t failedFrom = plan.steps.size();

    const auto bookOf = [&](const ImportStep& step) {
        BookRecord book = step.record.book;
        book[Field::ID].clear();
        return newBookFileBytes(book, when, version);
    };
    const auto commit = [&] {
        const QStringList takenPaths = batch.commit();
        for (const size_t i : inBatch) {
            QString name = plan.steps[i].name;
            // A file made under the name since the plan was made is never replaced: the book
            // takes the next free name instead.
            if (takenPaths.contains(bookFilePath(plan.directory, name))) {
                const QByteArray bytes = bookOf(plan.steps[i]);
                do {
                    taken.insert(QString(name + QStringView(BookExtension)).toCaseFolded());
                    name = uniqueName(plan.directory, plan.steps[i].name, taken);
                } while (!writeNewFile(bookFilePath(plan.directory, name), bytes));
            }
            names[i] = name;
            ++result.imported;
        }
        inBatch.clear();
    };
    try {
        for (size_t i = 0; i < plan.steps.size(); ++i) {
            const ImportStep& step = plan.steps[i];
            if (step.action == ImportStep::Action::Reject) {
                ++result.rejected;
            } else if (step.action == ImportStep::Action::Duplicate) {
                ++result.duplicates;
            } else {
                if (inBatch.empty())
                    failedFrom = i;
                batch.add(bookFilePath(plan.directory, step.name), bookOf(step));
                inBatch.push_back(i);
                if (batch.size() == BatchSize)
                    commit();
            }
            if (progress && inBatch.empty())
                progress(qsizetype(i) + 1);
        }
        commit();
        if (progress)
            progress(qsizetype(plan.steps.size()));
    } catch (const FileError& error) {
        QStringList missed;
        for (size_t j = failedFrom; j < plan.steps.size(); ++j) {
            if (plan.steps[j].action == ImportStep::Action::Create && names[j].isEmpty())
                missed.append(plan.steps[j].record.location);
        }
        throw Error(QStringLiteral("%1\n%2 books were imported before the failure; these "
                                   "records were not: %3.")
                        .arg(error.message())
                        .arg(result.imported)
                        .arg(missed.join(u", ")));
    }
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        if (!names[i].isEmpty())
            result.created.append(names[i]);
    }
    return result;
}

QString importSummaryText(int imported, int duplicates, int rejected)
{
    return QStringLiteral("%1 books imported, %2 duplicates skipped, %3 records rejected.")
        .arg(imported)
        .arg(duplicates)
        .arg(rejected);
}

QStringList importStepLines(const ImportPlan& plan)
{
    QStringList lines;
    for (const ImportStep& step : plan.steps) {
        const QString& where = step.record.location;
        switch (step.action) {
        case ImportStep::Action::Create:
            if (step.duplicateOf.isEmpty())
                lines.append(QStringLiteral("%1: new book \"%2\"").arg(where, step.name));
            else
                lines.append(QStringLiteral("%1: new book \"%2\", a duplicate of \"%3\" (%4)")
                                 .arg(where, step.name, step.duplicateOf, step.duplicateReason));
            break;
        case ImportStep::Action::Duplicate:
            lines.append(QStringLiteral("%1: duplicate of \"%2\" (%3), skipped")
                             .arg(where, step.duplicateOf, step.duplicateReason));
            break;
        case ImportStep::Action::Reject:
            lines.append(QStringLiteral("%1: rejected: %2").arg(where, step.record.rejection));
            break;
        }
    }
    return lines;
}

} // namespace quillery
