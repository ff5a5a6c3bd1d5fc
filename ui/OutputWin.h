#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class QIcon;
class QPaintDevice;
class QTextDocument;
class QTextEdit;
class QToolBar;
class QToolButton;

namespace quillery {

class TZoomControl;

// The point size of the report text at a zoom level in percent: level x 8 / 100, rounded to the
// nearest whole number, so 100 % gives 8 points. Levels below 7 would give 0, which no font can
// have: the text then stays at 1 point, the smallest size, so the report is still drawn (and the
// look changes smoothly from 6 % to 7 %). At the far end the size stops at 1638 points, the
// largest a rich edit allows; only levels set by program reach that far.
int zoomFontSize(int level);

// The report output window ("Report Output"): shows a report generated to the memo and lets the
// user save it to a text file, print it, copy it and zoom it. The main window creates one, hidden,
// and fills and shows it with showReport(); "Close" and the window's own close button only hide
// it, and the text and the zoom level stay until the next report.
//
// Every way of zooming goes through the zoom control's level: the control itself (Tab reaches it
// from the text, Escape or Ctrl+Tab leaves it), Ctrl+wheel over the text, and, wherever the focus
// is, Ctrl+Plus (or Ctrl+=) and Ctrl+Minus, a step up or down, and Ctrl+0, back to 100 %.
//
// The text is read-only plain text, one paragraph per report line, with a hanging indent: the
// first line of each paragraph starts 10 points left of the lines it wraps onto. Saving writes the
// UTF-8 byte-order mark and every paragraph followed by CR LF; copying without a selection puts
// the same text (without the mark) on the clipboard, with a selection just the selected
// characters, paragraph breaks as CR LF. A double-click on a paragraph, or Enter, tells its text
// (paragraphActivated).
class ToutputFrm final : public QWidget {
    Q_OBJECT

public:
    static constexpr int InitialClientWidth = 635;
    static constexpr int InitialClientHeight = 304;
    static constexpr int ToolBarHeight = 40;
    static constexpr int ToolButtonWidth = 36;
    static constexpr int ToolImageSize = 24;
    static constexpr int SeparatorWidth = 8;
    static constexpr int ZoomControlWidth = 221;

    // `owner` is the main window: the report window stays above it and is centred on it when it
    // is first shown. The window starts hidden.
    explicit ToutputFrm(QWidget* owner = nullptr);
    ~ToutputFrm() override;

    // Replaces the text with the report lines, one paragraph per line (a line break inside a line
    // starts a further paragraph), shows the window without making it modal and brings it
    // forward. The zoom level is kept.
    void showReport(const QStringList& lines);

    // The whole text as it is saved and copied: every paragraph followed by CR LF; empty when
    // the report has no lines.
    QString text() const;
    // The paragraphs shown, in order; none for an empty report.
    QStringList paragraphs() const;
    // The selected text with paragraph breaks as CR LF; empty when nothing is selected.
    QString selectedText() const;
    // The point size the report text is shown at.
    int textPointSize() const;
    // The report as it goes to a printer: a copy of the text at the size it is shown in, its
    // hanging indent measured in the printer's dots.
    std::unique_ptr<QTextDocument> printedDocument(const QPaintDevice& printer) const;

    QToolBar* toolBar() const { return m_toolBar; }
    QToolButton* btnSave() const { return m_btnSave; }
    QToolButton* btnPrint() const { return m_btnPrint; }
    QToolButton* btnCopy() const { return m_btnCopy; }
    QToolButton* btnClose() const { return m_btnClose; }
    TZoomControl* zoomControl() const { return m_zoom; }
    QTextEdit* reOutput() const { return m_output; }

    // The tool-bar commands. Failures reach the user through the error box; the window and its
    // text stay as they were.
    // Asks for a file name ("Save Report to File") and writes the text there, replacing the file.
    void btnSaveClick();
    // Asks for a printer and prints the text as one job, "Quillery Report", over as many pages
    // as it needs, at the size it is shown in. An output file that cannot be created is reported
    // instead of printing nothing in silence.
    void btnPrintClick();
    // Puts the selection, or the whole text when nothing is selected, on the clipboard.
    void btnCopyClick();
    // Hides the window; the text stays.
    void btnCloseClick();
    // Sets the text size from the zoom control's level.
    void ZoomControl1Change();

Q_SIGNALS:
    // A double-click on a paragraph, or Enter in it: its text. The window keeps doing what it
    // does with the click (it selects the word); whoever showed the text decides what a line
    // stands for.
    void paragraphActivated(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* addToolButton(const QString& name, const QString& hint, int image);
    void addSeparator();
    // Centres the window on its owner (or on the screen without one), kept on that screen.
    void placeOnOwner();

    QToolBar* m_toolBar = nullptr;
    QToolButton* m_btnSave = nullptr;
    QToolButton* m_btnPrint = nullptr;
    QToolButton* m_btnCopy = nullptr;
    QToolButton* m_btnClose = nullptr;
    TZoomControl* m_zoom = nullptr;
    QTextEdit* m_output = nullptr;
    // Whether the report has any line: an empty report and a report of one empty line both show
    // one empty paragraph, but only the latter is saved as a line.
    bool m_hasLines = false;
    bool m_placed = false;
};

// The text of a selection or a fragment as it goes to the clipboard: the characters as they are
// (no-break spaces and line separators included), paragraph breaks as CR LF.
QString clipboardText(QString selected);

// The 24 x 24 tool-bar images, drawn in code: 0 save, 1 print, 2 copy, 3 close, each with its
// normal, disabled and hot (QIcon::Active) form.
QIcon outputToolImage(int image);

} // namespace quillery
