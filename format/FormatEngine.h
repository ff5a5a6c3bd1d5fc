#pragma once

#include "base/FormatError.h"
#include "catalogue/BookRecord.h"
#include "markup/FormatContext.h"

#include <QString>
#include <QStringView>

namespace quillery {

// The interpreter of the reference format language. Every reference, report item and database
// link passes through it.
//
// A run is one left-to-right pass over the format: literal characters are copied, "%" codes insert
// field values or literals, the four conditional introducers "(", "-", "." and "," attach a value
// with punctuation only when it is non-empty, and a quoted "prefix|suffix" followed by a code
// attaches a value between the two. In Reference mode each value goes through MarkupField; in Link
// mode it is URL-encoded and only "%" is special. A run either returns the whole text or throws
// FormatError with the 1-based position of the offending token; it never returns partial text.
namespace FormatEngine {

QString formatRecord(QStringView format, const BookRecord& record, const FormatContext& context);

// How deep database links may nest (a link template that inserts another link, and so on).
inline constexpr int MaxLinkDepth = 4096;
// How many link runs one format run may make in all. Templates that each insert the next one
// twice double the work at every step; past this count the run fails as too deeply nested
// instead of exhausting time and memory.
inline constexpr int MaxLinkRuns = 65536;

} // namespace FormatEngine

// The lines of the database links for a record: every template formatted in Link mode, in order,
// an empty template giving an empty line. A failing template throws its FormatError; the lines
// built before it are in `lines` when the error leaves.
void buildDataLinks(const BookRecord& record, const FormatContext& context, QStringList& lines);

} // namespace quillery
