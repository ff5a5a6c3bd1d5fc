#pragma once

#include <QStringList>
#include <QTextBlockFormat>
#include <QTextOption>

class QTextEdit;

namespace quillery::ui {

// The paragraph format of report lines and previews: the first line of a paragraph 10 points left
// of the lines that follow it.
QTextBlockFormat hangingIndentFormat();
// The same for a document laid out on a device of the given resolution. A document's layout takes
// block lengths as pixels of the device it lays out for: on screen the primary screen's logical
// resolution (what hangingIndentFormat() gives), on a printer the printer's, which
// QTextDocument::print does not scale them to.
QTextBlockFormat hangingIndentFormat(qreal dotsPerInch);
// How to wrap a text: at word boundaries, or anywhere when some run of it is too long to break
// at a blank, where searching it again and again for a break would take seconds to lay out.
QTextOption::WrapMode wrapModeFor(QStringView text);

// Replaces a rich edit's text with one paragraph per line, each in hangingIndentFormat(); CR LF, LF
// and CR inside a line become line separators (U+2028).
void setHangingParagraphs(QTextEdit* edit, const QStringList& lines);

} // namespace quillery::ui
