#pragma once

#include "catalogue/DirectoryOptions.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace quillery {

// One finding of a catalogue check: the book it is about and what is wrong with it.
struct CheckProblem {
    // The book's name as the list shows it; for a folder entry that is no book of the list (a
    // sync client's copy such as "Dune.book~") the entry's file name.
    QString name;
    QString text;
    // A value that makes reports fail or lose their markup: the book itself is fine. Warnings
    // alone let `quillery-cli check` succeed.
    bool warning = false;

    // "NAME: TEXT", or "NAME: warning: TEXT".
    QString line() const;

    friend bool operator==(const CheckProblem&, const CheckProblem&) = default;
};

// What is wrong with the list entries `names` of a catalogue folder (in list order, such as the
// books a query left), sorted by name as the book list sorts, then by line:
//
// - each ISBN of the ISBN field that is not valid, with the reason;
// - books with an ISBN in common (ISBN-10 and ISBN-13 alike; each ISBN of a field counts) or with
//   the same author and title, each naming the others; a pair named for its ISBN is not named
//   again for its title, and the pairs of `notDuplicates` are never named;
// - sync clients' conflict copies, found among the folder's entries, naming the book they copy;
// - entries that cannot be read as books: no regular file, links out of the folder or to
//   nothing, names that are not valid UTF-8, version 1.0 files and any other read failure;
// - warnings: Position or Num pages that are no integer, a Year written that gives no
//   machine-readable date, a Language that gives no language tag.
//
// A conflict copy is reported as such only: neither its values nor its duplicates are checked.
// Entries that are no books of the list are reported when every book of the list is checked, or
// (conflict copies) when the book they copy is. Values of blanks only are never a problem. The
// books are read on several threads; nothing is written.
std::vector<CheckProblem> checkCatalogue(const QString& directory, const QStringList& names,
                                         const std::vector<BookPair>& notDuplicates = {});

// The book a sync client's conflict copy stands for, by the copy's file name: "Dune" for
// "Dune (Mary's conflicted copy 2024-01-02).book", "Dune.sync-conflict-20240102-101010-ABCDEFG
// .book", "Dune (Case Conflict 1).book", "Dune.book~" or "Dune~.book". Nothing for any other
// name.
std::optional<QString> conflictCopyOf(QStringView fileName);

// Whether any finding is more than a warning.
bool hasProblems(const std::vector<CheckProblem>& problems);

// "N problems in M books.": every line counts, warnings included; M is the number of names
// with a line. The same form for every count ("1 problems in 1 books.").
QString checkSummaryText(const std::vector<CheckProblem>& problems);

// The lines of the findings, then the summary.
QStringList checkReportLines(const std::vector<CheckProblem>& problems);

} // namespace quillery
