#pragma once

#include "catalogue/BookRecord.h"
#include "exchange/ImportRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

namespace quillery {

// What an import does with a record that matches a book it already has.
enum class DuplicatePolicy { Skip, Import };

// One record of an import and what becomes of it.
struct ImportStep {
    enum class Action {
        Create,    // a new book file
        Duplicate, // skipped: it matches a book of the catalogue or an earlier record
        Reject,    // it cannot become a book
    };
    ImportRecord record; // cleaned as the book file will hold it
    Action action = Action::Create;
    // The name of the new book (Create).
    QString name;
    // The book it matches, and why ("same ISBN", "same author and title"): for a skipped
    // duplicate, and for a created one when duplicates are imported too.
    QString duplicateOf;
    QString duplicateReason;
};

// An import as it will be done, for showing before anything is written.
struct ImportPlan {
    QString directory; // the catalogue folder, with its trailing separator
    std::vector<ImportStep> steps;

    int count(ImportStep::Action action) const;
};

// Plans the import of the records into the catalogue folder, whose books (IDs set to their
// names) are `catalogue`:
// - a rejected record stays rejected;
// - a record whose ISBN (ISBN-10 and ISBN-13 alike) or whose author and title (folded as the
//   filter folds them) match a book of the catalogue or an earlier record to be created is a
//   duplicate: skipped, or created all the same with `DuplicatePolicy::Import`;
// - every other record is created, named "Author - Title" (the first author's family name, or an
//   organisation's or free-form name) or by the name its record asks for, made a valid file name,
//   and unique in the folder (" (2)", " (3)", ... added).
ImportPlan planImport(const QString& directory, std::span<const BookRecord> catalogue,
                      ImportRecords records, DuplicatePolicy policy);

// The name a record's book gets before it is made unique: the name it asks for, else "Author -
// Title", else whichever of the two it has, else "Book"; characters a file name cannot hold
// replaced, and cut to a length every file system takes.
QString importBookName(const BookRecord& book);

// The outcome of an import.
struct ImportResult {
    int imported = 0;
    int duplicates = 0; // skipped
    int rejected = 0;
    // The names the created books finally got, in plan order (a name taken since the plan was
    // made gets the next free one).
    QStringList created;
};

// Writes the books of the plan, each as a new file written atomically, never replacing anything.
// `progress`, when given, hears how many steps are done. Throws Error when a file cannot be
// written: the books written before it stay whole, and the message names the records that were
// not imported.
ImportResult runImport(const ImportPlan& plan, const QDateTime& when, const QString& version,
                       const std::function<void(qsizetype done)>& progress = {});

// "N books imported, D duplicates skipped, R records rejected."
QString importSummaryText(int imported, int duplicates, int rejected);

// One line per step, in order: "LOCATION: NAME", "LOCATION: duplicate of "NAME" (REASON), skipped"
// (or "imported as NAME, a duplicate of ..." when duplicates are imported) and
// "LOCATION: rejected: REASON".
QStringList importStepLines(const ImportPlan& plan);

} // namespace quillery
