#include "ui/MemoLines.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace quillery::ui {

QString memoText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u'\n';
    }
    return text;
}

QStringList memoLines(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    QStringList lines = plain.split(u'\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void setMemoLines(QPlainTextEdit* memo, const QStringList& lines)
{
    memo->setPlainText(memoText(lines));
}

QStringList memoLines(const QPlainTextEdit* memo)
{
    // The raw text: toPlainText() would turn no-break spaces into plain ones, and a format or a
    // synonym may hold them on purpose. Blocks are separated by U+2029 there.
    QString text = memo->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return memoLines(text);
}

} // namespace quillery::ui
