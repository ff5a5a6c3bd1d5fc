#pragma once

#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace quillery::ui {

// The lines of a memo as a list. Every line is written with its own line end, so the editor ends
// in an empty line where the caret can go; reading drops that one trailing empty line again, so
// a list with empty entries (even a last empty one) comes back unchanged and an empty memo gives
// no lines at all.
QString memoText(const QStringList& lines);
QStringList memoLines(const QString& text);

void setMemoLines(QPlainTextEdit* memo, const QStringList& lines);
QStringList memoLines(const QPlainTextEdit* memo);

} // namespace quillery::ui
