#include "ui/CommentsMemo.h"

#include "ui/HangingIndent.h"

#include <QKeyEvent>
#include <QTextDocument>

namespace quillery::ui {

namespace {

constexpr char16_t BlockBreak = 0x2029;

// The length of the line break at `i` of a value: 2 for CR LF, 1 for LF, CR and U+2029, 0 when
// there is none. The document shows each as one block break.
qsizetype breakAt(const QString& value, qsizetype i)
{
    const char16_t c = value[i].unicode();
    if (c == u'\r')
        return i + 1 < value.size() && value[i + 1] == u'\n' ? 2 : 1;
    return c == u'\n' || c == BlockBreak ? 1 : 0;
}

// The value as the document's raw text shows it.
QString shownText(const QString& value)
{
    QString shown;
    shown.reserve(value.size());
    for (qsizetype i = 0; i < value.size();) {
        const qsizetype length = breakAt(value, i);
        shown += length > 0 ? QChar(BlockBreak) : value[i];
        i += length > 0 ? length : 1;
    }
    return shown;
}

// Text from the document as the value stores it: every block break a CR LF.
QString storedText(QStringView shown)
{
    QString text;
    text.reserve(shown.size());
    for (const QChar c : shown) {
        if (c == QChar(BlockBreak))
            text += u"\r\n";
        else
            text += c;
    }
    return text;
}

} // namespace

TCommentsMemo::TCommentsMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &TCommentsMemo::documentChanged);
}

void TCommentsMemo::setValue(const QString& value)
{
    m_setting = true;
    m_value = value;
    // Emptied first: a change of wrapping lays out whatever the memo holds, and the old text laid
    // out word by word can take minutes.
    clear();
    chooseWrapping();
    setPlainText(value);
    m_shown = document()->toRawText();
    m_mapped = m_shown == shownText(value);
    m_setting = false;
}

void TCommentsMemo::keyPressEvent(QKeyEvent* event)
{
    // Shift+Enter would insert a line separator inside the paragraph; here every typed line
    // break is a plain one.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TCommentsMemo::documentChanged()
{
    if (m_setting)
        return;
    const QString now = document()->toRawText();
    if (now == m_shown)
        return;
    if (!m_mapped) {
        m_value = storedText(now);
    } else {
        // The edit is what lies between the longest common start and end of the two texts.
        const qsizetype common = std::min(now.size(), m_shown.size());
        qsizetype start = 0;
        while (start < common && now[start] == m_shown[start])
            ++start;
        qsizetype end = 0;
        while (end < common - start &&
               now[now.size() - 1 - end] == m_shown[m_shown.size() - 1 - end])
            ++end;
        // Where the replaced part of the shown text begins and ends in the value.
        const qsizetype shownFrom = start;
        const qsizetype shownTo = m_shown.size() - end;
        qsizetype from = -1;
        qsizetype to = -1;
        qsizetype shown = 0;
        for (qsizetype i = 0;; ++shown) {
            if (shown == shownFrom)
                from = i;
            if (shown == shownTo) {
                to = i;
                break;
            }
            const qsizetype length = breakAt(m_value, i);
            i += length > 0 ? length : 1;
        }
        const QString inserted =
            storedText(QStringView(now).sliced(start, now.size() - end - start));
        m_value.replace(from, to - from, inserted);
        // Removing what stood between a lone CR and a lone LF would join them into one CR LF,
        // one break where the text shows two: both become CR LF.
        const qsizetype joint = from + inserted.size();
        if (inserted.isEmpty() && joint > 0 && joint < m_value.size() &&
            m_value[joint - 1] == u'\r' && m_value[joint] == u'\n')
            m_value.insert(joint, u"\n\r");
        // Should the two ever disagree, the value follows the document.
        if (shownText(m_value) != now)
            m_value = storedText(now);
    }
    m_shown = now;
    chooseWrapping();
    Q_EMIT edited();
}

void TCommentsMemo::chooseWrapping()
{
    const QTextOption::WrapMode mode = wrapModeFor(m_value);
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

} // namespace quillery::ui
