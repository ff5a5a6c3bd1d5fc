#pragma once

#include "markup/FormatContext.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace quillery {

class WorkerPool;

// How a report runs. Its books are made on `pool` (the shared pool when none; a pool of one runs
// them in order on the caller). Between steps of a few thousand books, `progress` hears on the
// calling thread how many of how many are done; once `cancel` is set the report stops at the
// next book and throws Cancelled.
struct ReportRun {
    WorkerPool* pool = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(qsizetype done, qsizetype total)> progress;
};

// The text with every "%ID" (exactly so, case-sensitive) replaced by the book's ID.
QString SubstituteId(const QString& text, const QString& id);

// The report lines for the given list entries of a catalogue folder: each line is the
// before-item text with "%ID" replaced, the book's reference in Reference mode and the
// after-item text; the before- and after-report texts open and close the list when not empty.
// The options come from context.report. Throws the first error met (a FormatError, or a book
// that cannot be read); no partial report is returned.
//
// Without sort keys (or with Name ascending first) the books come in the order given, each read
// and formatted in turn. Otherwise every book is read first, then they are sorted by the keys,
// first key first: texts ignore case in the locale's order (as the book list sorts names), years
// and positions that start with an integer compare as numbers and come before the values that do
// not, and empty values come last; a descending key reverses all of that. Books that tie keep the
// order given, and Name descending reverses it.
//
// With a group field the books are sorted by that field first (descending when the sort keys
// name it so), then by the sort keys. The books of one value (trimmed) form a group, placed where
// its first book falls and framed by the before- and after-group texts, when not empty, with
// "%G" replaced by the value (escaped for HTML when microdata is on); the group of books without
// a value comes last.
//
// With jsonLd the report is followed by a script element of JSON-LD: the schema.org ItemList of
// the books in report order (see jsonLdBook). With completePage the lines are an HTML document:
// "<!DOCTYPE html>", "<html>" with the lang of the default language when it gives a tag, a head
// with the character set and the title (the page title, or the catalogue folder's name when it
// is blank; HTML-escaped), then "<body>", the report and the JSON-LD, "</body>" and "</html>",
// one element a line. With both off the lines are the report alone.
//
// The books are read and formatted on a pool of threads (see ReportRun) and put out in report
// order; the lines and the error are those of a run book after book.
QStringList GenerateReport(const QString& directory, const QStringList& entries,
                           const QString& format, const FormatContext& context,
                           const ReportRun& run = {});

// The same, handing each line to `sink` as it is built instead of keeping them all: a caller that
// must deliver nothing on failure keeps what it needs.
void generateReportLines(const QString& directory, const QStringList& entries,
                         const QString& format, const FormatContext& context,
                         const std::function<void(const QString& line)>& sink,
                         const ReportRun& run = {});

// The same as UTF-8, every line followed by CR LF, after the byte-order mark of report files when
// asked: the bytes of reportFileBytes, made without keeping the lines as text.
QByteArray generateReportUtf8(const QString& directory, const QStringList& entries,
                              const QString& format, const FormatContext& context,
                              bool byteOrderMark, const ReportRun& run = {});

// The report of every book of a catalogue folder, as generateReportUtf8 gives it for the folder's
// list (listBookNames), made while the folder is listed: the books are read and formatted on the
// pool in the folder's order as their names come, while the names are still listed and sorted,
// and put out in the list's order. `names` gets the list and `undecodable` the count of names
// left out. Reports in another order, or with JSON-LD, are made after the listing. Throws what
// generateReportUtf8 throws for the list: when a book fails, the report is made again in list
// order to meet the same first failure.
QByteArray generateFolderReportUtf8(const QString& directory, const QString& format,
                                    const FormatContext& context, bool byteOrderMark,
                                    QStringList& names, int& undecodable);

// Appends a line in UTF-8 and CR LF, as toUtf8 encodes it.
void appendUtf8Line(QByteArray& bytes, QStringView line);

// The report as one text: every line followed by CR LF.
QString reportText(const QStringList& lines);

// The bytes of a report file: the UTF-8 byte-order mark, then the report text in UTF-8.
QByteArray reportFileBytes(const QStringList& lines);

} // namespace quillery
