#pragma once

#include <QString>
#include <QStringList>

namespace quillery::ui {

// The window's own wording of the counts the core also gives the command line (bookCountText,
// shownBooksText, ...): the same English texts, translated, with the numbers in the window's
// locale. The command line keeps the core's texts, which scripts read.
QString bookCountLine(qsizetype count);
QString shownBooksLine(qsizetype shown, qsizetype total);
QString undecodableNamesLine(int count);
QString booksUpgradedLine(int count);
QString shelfLeftOutLine(const QStringList& leftOut);
QString importSummaryLine(int imported, int duplicates, int rejected);

} // namespace quillery::ui
