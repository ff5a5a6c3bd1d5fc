#pragma once

#include <QTextEdit>

namespace quillery::ui {

// A rich edit that recognises web addresses in its text, shows them as links, and reports a
// click on one (and, if asked, opens it in the browser). The database-link preview is one.
//
// Read-only, it still takes the focus by Tab and shows a caret that the arrow keys move; Return
// or Enter then acts on the link at the caret as a click does. A double-click acts once.
class TFullRichEdit : public QTextEdit {
    Q_OBJECT
    Q_PROPERTY(bool URLDetect READ urlDetect WRITE setUrlDetect)
    Q_PROPERTY(bool StartBrowser READ startBrowser WRITE setStartBrowser)
public:
    explicit TFullRichEdit(QWidget* parent = nullptr);

    bool urlDetect() const { return m_urlDetect; }
    // Switching detection on marks every http and https address of the text as a link;
    // switching it off removes the links at once. Setting the same value does nothing.
    void setUrlDetect(bool on);

    bool startBrowser() const { return m_startBrowser; }
    void setStartBrowser(bool on) { m_startBrowser = on; }

    // Marks the addresses of the current text as links (when detection is on). Called after the
    // text changes; the program calls it once after filling the control.
    void detectUrls();

    // The address of the link at a position of the viewport, or nothing.
    QString linkAt(const QPoint& viewportPos) const;

Q_SIGNALS:
    // A click on a link: raised on the release of the left button (or on Return at the caret),
    // before the browser is asked.
    void urlClicked(QObject* sender, const QString& url);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void clearLinks();
    // Selects the link that holds the document position (its ends included) and reports it.
    bool activateLinkAt(int position);

    bool m_urlDetect = false;
    bool m_startBrowser = false;
    bool m_marking = false;
    // Set by the second press of a double-click on a link, so that its release opens nothing.
    bool m_ignoreRelease = false;
};

} // namespace quillery::ui
