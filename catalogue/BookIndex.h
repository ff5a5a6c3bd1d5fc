#pragma once

#include "catalogue/BookQuery.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <vector>

namespace quillery {

// The books of a catalogue read once and folded for matching, so that a query is answered as the
// user types it.
class BookIndex {
public:
    // Reads every book of the list (ReadBookRecord; a book that cannot be read counts as empty),
    // keeping the list's order. Once `stop` is set the reading ends early, leaving the index
    // incomplete: only a build that is thrown away is stopped.
    void build(const QString& directory, const QStringList& names,
               const std::atomic<bool>* stop = nullptr);
    // Reads one book again (after a save). A name the index does not hold is added at its end.
    void refresh(const QString& directory, const QString& name);
    // Puts a record in the place of the book of its name (record[Field::ID]), or adds it at the
    // end.
    void update(const BookRecord& record);

    // The names, in list order, of the books that match.
    QStringList filter(const BookQuery& query) const;

    qsizetype size() const { return m_names.size(); }
    const QStringList& names() const { return m_names; }

private:
    struct Entry {
        QByteArray text; // the folded fields, each followed by 0xFF, then the ISBN forms
        std::array<quint32, FieldCount> ends{}; // where each field's 0xFF stands
        quint32 filled = 0;                     // bit f: field f holds more than blanks
        std::array<qint64, 5> numbers{};        // the numeric fields' leading integers
    };
    class EntryBook;

    static Entry entryOf(const BookRecord& record);

    QStringList m_names;
    std::vector<Entry> m_entries;
};

// The names, in list order, of the books of the list that match, read one after another without
// keeping an index; a book that cannot be read counts as empty, as in the index.
QStringList filterBooks(const QString& directory, const QStringList& names, const BookQuery& query);

// The count of a filtered list: "%1 of %2 book(s) shown."
QString shownBooksText(qsizetype shown, qsizetype total);

} // namespace quillery
