#include "ui/HangingIndent.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>

namespace quillery::ui {

QTextBlockFormat hangingIndentFormat()
{
    // On screen the layout's pixels are those of the primary screen's logical resolution (96
    // dots per inch without a screen).
    const QScreen* screen = QGuiApplication::primaryScreen();
    return hangingIndentFormat(screen ? screen->logicalDotsPerInchX() : 96.0);
}

QTextBlockFormat hangingIndentFormat(qreal dotsPerInch)
{
    // Ten points are ten seventy-seconds of an inch.
    const qreal tenPoints = 10 * dotsPerInch / 72;
    QTextBlockFormat format;
    format.setLeftMargin(tenPoints);
    format.setTextIndent(-tenPoints);
    return format;
}

QTextOption::WrapMode wrapModeFor(QStringView text)
{
    constexpr qsizetype Longest = 1000;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > Longest)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

void setHangingParagraphs(QTextEdit* edit, const QStringList& lines)
{
    QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere;
    for (const QString& line : lines) {
        if (wrapModeFor(line) == QTextOption::WrapAnywhere)
            mode = QTextOption::WrapAnywhere;
    }
    // Emptied before the wrapping changes, which lays out whatever the edit holds.
    edit->clear();
    if (edit->wordWrapMode() != mode)
        edit->setWordWrapMode(mode);
    QTextCursor cursor(edit->document());
    const QTextBlockFormat format = hangingIndentFormat();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(format);
        else
            cursor.setBlockFormat(format);
        QString line = lines[i];
        line.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
        line.replace(u'\n', QChar::LineSeparator);
        line.replace(u'\r', QChar::LineSeparator);
        cursor.insertText(line);
    }
}

} // namespace quillery::ui
