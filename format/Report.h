#pragma once

#include "markup/FormatContext.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace quillery {

// The text with every "%ID" (exactly so, case-sensitive) replaced by the book's ID.
QString SubstituteId(const QString& text, const QString& id);

// The report lines for the given list entries of a catalogue folder, in the order given: each
// line is the before-item text with "%ID" replaced, the book's reference in Reference mode and the
// after-item text; the before- and after-report texts open and close the list when not empty.
// The options come from context.report. Throws the first error met (a FormatError, or a book
// that cannot be read); no partial report is returned.
QStringList GenerateReport(const QString& directory, const QStringList& entries,
                           const QString& format, const FormatContext& context);

// The same, handing each line to `sink` as it is built instead of keeping them all: a caller that
// must deliver nothing on failure keeps what it needs (the command line keeps UTF-8 bytes).
void generateReportLines(const QString& directory, const QStringList& entries,
                         const QString& format, const FormatContext& context,
                         const std::function<void(const QString& line)>& sink);

// The report as one text: every line followed by CR LF.
QString reportText(const QStringList& lines);

// The bytes of a report file: the UTF-8 byte-order mark, then the report text in UTF-8.
QByteArray reportFileBytes(const QStringList& lines);

} // namespace quillery
