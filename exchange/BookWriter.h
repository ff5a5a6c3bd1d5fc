#pragma once

#include "catalogue/BookRecord.h"

#include <QByteArray>
#include <QStringList>

#include <span>

namespace quillery {

// Writes the books of an export piece by piece: a head, the text of every book joined by a
// separator, and a tail. The text of a book depends on that book alone (and on the names of all
// the books, which are known before any is read), so a large export is written on several
// threads, each book as soon as it has been read.
class BookWriter {
public:
    virtual ~BookWriter() = default;

    virtual QByteArray head() const { return {}; }
    // Appends the text of the book at `index` of the export. Called from several threads at once.
    virtual void appendBook(QByteArray& out, qsizetype index, const BookRecord& book) const = 0;
    virtual QByteArray separator() const { return {}; }
    // The tail after `count` books.
    virtual QByteArray tail(qsizetype count) const
    {
        Q_UNUSED(count);
        return {};
    }

    // The whole text of the books, written one after another.
    QByteArray write(std::span<const BookRecord> books) const
    {
        QByteArray out = head();
        for (size_t i = 0; i < books.size(); ++i) {
            if (i > 0)
                out += separator();
            appendBook(out, qsizetype(i), books[i]);
        }
        return out + tail(qsizetype(books.size()));
    }
};

// The names of books, for the writers that need them all.
inline QStringList bookNamesOf(std::span<const BookRecord> books)
{
    QStringList names;
    names.reserve(qsizetype(books.size()));
    for (const BookRecord& book : books)
        names.append(book[Field::ID]);
    return names;
}

} // namespace quillery
