#include "catalogue/BookIndex.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/WorkerPool.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"

#include <algorithm>
#include <limits>

namespace quillery {

namespace {

constexpr std::array<Field, 5> kNumericFields = {
    Field::YearWritten, Field::Position, Field::YearPrinted, Field::NumPages, Field::Rating};
constexpr qint64 kNoNumber = std::numeric_limits<qint64>::min();

int numericSlot(Field field)
{
    for (int i = 0; i < int(kNumericFields.size()); ++i) {
        if (kNumericFields[i] == field)
            return i;
    }
    return -1;
}

// The record of a list entry; a book that cannot be read is an empty book of that name.
const BookRecord& readEntry(BookReader& reader, const QString& name, BookRecord& empty)
{
    try {
        return reader.read(name);
    } catch (const FileError&) {
        empty = BookRecord();
        empty[Field::ID] = name;
        return empty;
    }
}

} // namespace

class BookIndex::EntryBook final : public FoldedBook {
public:
    explicit EntryBook(const Entry& entry) : m_entry(entry) {}

    QByteArrayView field(Field field) const override
    {
        const int f = int(field);
        const quint32 begin = f == 0 ? 0 : m_entry.ends[f - 1] + 1;
        return QByteArrayView(m_entry.text).sliced(begin, m_entry.ends[f] - begin);
    }
    QByteArrayView allFields() const override
    {
        return QByteArrayView(m_entry.text).first(m_entry.ends.back() + 1);
    }
    bool hasValue(Field field) const override { return (m_entry.filled >> int(field)) & 1; }
    std::optional<qint64> leadingInteger(Field field) const override
    {
        const int slot = numericSlot(field);
        const qint64 value = slot < 0 ? kNoNumber : m_entry.numbers[size_t(slot)];
        return value == kNoNumber ? std::nullopt : std::optional<qint64>(value);
    }
    QByteArrayView isbnForms() const override
    {
        return QByteArrayView(m_entry.text).sliced(m_entry.ends.back() + 1);
    }

private:
    const Entry& m_entry;
};

BookIndex::Entry BookIndex::entryOf(const BookRecord& record)
{
    Entry entry;
    for (int f = 0; f < FieldCount; ++f) {
        const QString& value = record[Field(f)];
        entry.text += foldForQuery(value);
        entry.ends[f] = quint32(entry.text.size());
        entry.text += '\xFF';
        if (queryHasValue(value))
            entry.filled |= quint32(1) << f;
    }
    entry.text += queryIsbnForms(record[Field::ISBN]);
    for (size_t i = 0; i < kNumericFields.size(); ++i)
        entry.numbers[i] = queryLeadingInteger(record[kNumericFields[i]]).value_or(kNoNumber);
    entry.text.squeeze();
    return entry;
}

void BookIndex::build(const QString& directory, const QStringList& names,
                      const std::atomic<bool>* stop)
{
    std::vector<Entry> entries(size_t(names.size()));
    const FolderReader folder(withTrailingSeparator(directory));
    WorkerPool::shared().forEachRun(
        names.size(),
        [&](qsizetype begin, qsizetype end) {
            BookReader reader(folder);
            BookRecord empty;
            for (qsizetype i = begin; i < end; ++i)
                entries[size_t(i)] = entryOf(readEntry(reader, names[i], empty));
        },
        64, stop);
    m_names = names;
    m_entries = std::move(entries);
}

void BookIndex::refresh(const QString& directory, const QString& name)
{
    const FolderReader folder(withTrailingSeparator(directory));
    BookReader reader(folder);
    BookRecord empty;
    update(readEntry(reader, name, empty));
}

void BookIndex::update(const BookRecord& record)
{
    const qsizetype i = m_names.indexOf(record[Field::ID]);
    if (i < 0) {
        m_names.append(record[Field::ID]);
        m_entries.push_back(entryOf(record));
    } else {
        m_entries[size_t(i)] = entryOf(record);
    }
}

QStringList BookIndex::filter(const BookQuery& query) const
{
    if (query.isEmpty())
        return m_names;
    QStringList found;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (query.matches(EntryBook(m_entries[i])))
            found.append(m_names[qsizetype(i)]);
    }
    return found;
}

QStringList filterBooks(const QString& directory, const QStringList& names, const BookQuery& query)
{
    if (query.isEmpty())
        return names;
    std::vector<char> matching(size_t(names.size()));
    const FolderReader folder(withTrailingSeparator(directory));
    WorkerPool::shared().forEachRun(names.size(), [&](qsizetype begin, qsizetype end) {
        BookReader reader(folder);
        BookRecord empty;
        for (qsizetype i = begin; i < end; ++i)
            matching[size_t(i)] = query.matches(readEntry(reader, names[i], empty));
    });
    QStringList found;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (matching[size_t(i)])
            found.append(names[i]);
    }
    return found;
}

QString shownBooksText(qsizetype shown, qsizetype total)
{
    return QStringLiteral("%1 of %2 book(s) shown.").arg(shown).arg(total);
}

} // namespace quillery
