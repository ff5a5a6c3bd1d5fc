#pragma once

#include <QTextEdit>

namespace quillery::ui {

// A rich edit that recognises web addresses in its text, shows them as links, and reports a
// click on one (and, if asked, opens it in the browser). The database-link preview is one.
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
    // A click on a link: raised on the release of the left button, before the browser is asked.
    void urlClicked(QObject* sender, const QString& url);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void clearLinks();
    bool selectLinkAt(const QPoint& viewportPos);

    bool m_urlDetect = false;
    bool m_startBrowser = false;
    bool m_marking = false;
};

} // namespace quillery::ui
