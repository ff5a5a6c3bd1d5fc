#pragma once

#include <QStringList>
#include <QTextBlockFormat>

class QTextEdit;

namespace quillery::ui {

// The paragraph format of report lines and previews: the first line of a paragraph 10 points left
// of the lines that follow it.
QTextBlockFormat hangingIndentFormat();
// Replaces a rich edit's text with one paragraph per line, each in hangingIndentFormat(); CR LF, LF
// and CR inside a line become line separators (U+2028).
void setHangingParagraphs(QTextEdit* edit, const QStringList& lines);

} // namespace quillery::ui
