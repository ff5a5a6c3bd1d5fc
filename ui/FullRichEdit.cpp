#include "ui/FullRichEdit.h"

#include "ui/Dialogs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include <optional>
#include <utility>

namespace quillery::ui {

namespace {

const QRegularExpression& urlPattern()
{
    // Web addresses with the schemes the link templates produce; they end at white space or at
    // characters that cannot stand unencoded in an address.
    static const QRegularExpression pattern(QStringLiteral("https?://[^\\s<>\"]+"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// The start and end of the link that holds a document position, its ends included.
std::optional<std::pair<int, int>> linkRangeAt(const QTextDocument& document, int position)
{
    int start = -1;
    int end = -1;
    QString href;
    const auto holds = [&] {
        return start >= 0 && position >= start && position <= end;
    };
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        // Neighbouring fragments of the same link belong to its range too.
        if (start >= 0 && format.isAnchor() && format.anchorHref() == href) {
            end += fragment.length();
            continue;
        }
        if (holds())
            break;
        start = -1;
        if (format.isAnchor()) {
            start = fragment.position();
            end = start + fragment.length();
            href = format.anchorHref();
        }
    }
    if (!holds())
        return std::nullopt;
    return std::pair(start, end);
}

} // namespace

TFullRichEdit::TFullRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_marking)
            detectUrls();
    });
}

void TFullRichEdit::setUrlDetect(bool on)
{
    if (on == m_urlDetect)
        return;
    m_urlDetect = on;
    if (on)
        detectUrls();
    else
        clearLinks();
    viewport()->setCursor(Qt::IBeamCursor);
}

void TFullRichEdit::clearLinks()
{
    m_marking = true;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setAnchor(false);
    plain.setAnchorHref(QString());
    plain.setFontUnderline(false);
    plain.setForeground(palette().text());
    cursor.mergeCharFormat(plain);
    m_marking = false;
}

void TFullRichEdit::detectUrls()
{
    if (!m_urlDetect)
        return;
    m_marking = true;
    clearLinks();
    m_marking = true;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        auto it = urlPattern().globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + int(match.capturedStart()));
            cursor.setPosition(block.position() + int(match.capturedEnd()),
                               QTextCursor::KeepAnchor);
            QTextCharFormat link;
            link.setAnchor(true);
            link.setAnchorHref(match.captured());
            link.setFontUnderline(true);
            link.setForeground(palette().link());
            cursor.mergeCharFormat(link);
        }
    }
    m_marking = false;
}

QString TFullRichEdit::linkAt(const QPoint& viewportPos) const
{
    if (!m_urlDetect)
        return {};
    return anchorAt(viewportPos);
}

bool TFullRichEdit::activateLinkAt(int position)
{
    if (!m_urlDetect)
        return false;
    const std::optional<std::pair<int, int>> range = linkRangeAt(*document(), position);
    if (!range)
        return false;
    QTextCursor selection(document());
    selection.setPosition(range->first);
    selection.setPosition(range->second, QTextCursor::KeepAnchor);
    setTextCursor(selection);
    // The URL is the link's text as shown; nothing is added or decoded.
    const QString url = selection.selectedText();
    Q_EMIT urlClicked(this, url);
    if (m_startBrowser)
        dialogs().openUrl(QUrl(url));
    return true;
}

void TFullRichEdit::mousePressEvent(QMouseEvent* event)
{
    if (!linkAt(event->position().toPoint()).isEmpty())
        return; // nothing happens on a link until the button is released
    QTextEdit::mousePressEvent(event);
}

void TFullRichEdit::mouseMoveEvent(QMouseEvent* event)
{
    viewport()->setCursor(linkAt(event->position().toPoint()).isEmpty() ? Qt::IBeamCursor
                                                                        : Qt::PointingHandCursor);
    QTextEdit::mouseMoveEvent(event);
}

void TFullRichEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!linkAt(event->position().toPoint()).isEmpty()) {
        // The first click of the pair has opened the link already.
        if (event->button() == Qt::LeftButton)
            m_ignoreRelease = true;
        return;
    }
    QTextEdit::mouseDoubleClickEvent(event);
}

void TFullRichEdit::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool secondClick =
        event->button() == Qt::LeftButton && std::exchange(m_ignoreRelease, false);
    if (event->button() != Qt::LeftButton || linkAt(pos).isEmpty()) {
        QTextEdit::mouseReleaseEvent(event);
        return;
    }
    if (!secondClick)
        activateLinkAt(cursorForPosition(pos).position());
}

void TFullRichEdit::keyPressEvent(QKeyEvent* event)
{
    // Return acts on the link at the caret; in an editable control it stays a line break.
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && isReadOnly() && activateLinkAt(textCursor().position())) {
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void TFullRichEdit::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    // Read-only, the text is still selectable by keyboard, which gives the caret the keys move.
    if (event->type() == QEvent::ReadOnlyChange && isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

} // namespace quillery::ui
