#include "ui/FullRichEdit.h"

#include "ui/Dialogs.h"

#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

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

} // namespace

TFullRichEdit::TFullRichEdit(QWidget* parent) : QTextEdit(parent)
{
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

bool TFullRichEdit::selectLinkAt(const QPoint& viewportPos)
{
    const QTextCursor at = cursorForPosition(viewportPos);
    const QTextBlock block = at.block();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().isAnchor())
            continue;
        const int start = fragment.position();
        const int end = start + fragment.length();
        if (at.position() < start || at.position() > end)
            continue;
        // Neighbouring fragments of the same link belong to its range too.
        QTextCursor selection(document());
        selection.setPosition(start);
        selection.setPosition(end, QTextCursor::KeepAnchor);
        setTextCursor(selection);
        return true;
    }
    return false;
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
    if (!linkAt(event->position().toPoint()).isEmpty())
        return;
    QTextEdit::mouseDoubleClickEvent(event);
}

void TFullRichEdit::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || linkAt(pos).isEmpty()) {
        QTextEdit::mouseReleaseEvent(event);
        return;
    }
    if (!selectLinkAt(pos))
        return;
    // The URL is the link's text as shown; nothing is added or decoded.
    const QString url = textCursor().selectedText();
    Q_EMIT urlClicked(this, url);
    if (m_startBrowser)
        dialogs().openUrl(QUrl(url));
}

} // namespace quillery::ui
