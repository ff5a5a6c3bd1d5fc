#include "ui/OutputWin.h"

#include "ui/Accessibility.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "format/Report.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/HangingIndent.h"
#include "ui/ZoomControl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

namespace quillery {

namespace {

constexpr int LargestFontSize = 1638;

// The report text control. Its own copy command (Ctrl+C and the context menu) hands over plain
// text only, exactly as the "Copy to Clipboard" button does: the default would add an HTML form
// and turn no-break spaces into plain spaces.
//
// Ctrl+wheel steps the zoom control instead of zooming the text by itself, which would leave the
// level and the text size apart: one step per notch, up for the wheel turned away from the user.
class ReportEdit final : public QTextEdit {
public:
    ReportEdit(TZoomControl* zoom, QWidget* parent) : QTextEdit(parent), m_zoom(zoom) {}

    // Called with the paragraph double-clicked, or the cursor's on Enter.
    std::function<void(const QTextBlock&)> activated;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        QTextEdit::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && activated)
            activated(cursorForPosition(event->position().toPoint()).block());
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier && activated) {
            activated(textCursor().block());
            event->accept();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }

    QMimeData* createMimeDataFromSelection() const override
    {
        auto* data = new QMimeData;
        data->setText(clipboardText(textCursor().selectedText()));
        return data;
    }

    void wheelEvent(QWheelEvent* event) override
    {
        if (!(event->modifiers() & Qt::ControlModifier)) {
            QTextEdit::wheelEvent(event);
            return;
        }
        // Fine-grained wheels and touch pads send parts of a notch; they add up to whole ones,
        // and turning back starts afresh.
        const int delta = event->angleDelta().y();
        if ((delta > 0 && m_wheelDelta < 0) || (delta < 0 && m_wheelDelta > 0))
            m_wheelDelta = 0;
        m_wheelDelta += delta;
        const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
        m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
        m_zoom->stepLevel(notches);
        event->accept();
    }

private:
    TZoomControl* m_zoom;
    int m_wheelDelta = 0;
};

// The colours of one state of the tool-bar images.
struct ImageColours {
    QColor line;
    QColor body;
    QColor paper;
    QColor accent;
    QColor alert;
};

ImageColours coloursFor(QIcon::Mode mode)
{
    switch (mode) {
    case QIcon::Disabled:
        return {QColor(0xa6, 0xa6, 0xa6), QColor(0xd8, 0xd8, 0xd8), QColor(0xf2, 0xf2, 0xf2),
                QColor(0xbc, 0xbc, 0xbc), QColor(0xbc, 0xbc, 0xbc)};
    case QIcon::Active: // hot: the pointer is over the button
        return {QColor(0x1c, 0x1c, 0x1c), QColor(0xc8, 0xd6, 0xe8), QColor(0xff, 0xff, 0xff),
                QColor(0x16, 0x7f, 0xe8), QColor(0xe0, 0x3c, 0x2c)};
    default:
        return {QColor(0x3a, 0x3a, 0x3a), QColor(0xc4, 0xc8, 0xcc), QColor(0xfc, 0xfc, 0xfc),
                QColor(0x2b, 0x5f, 0xa8), QColor(0xb8, 0x32, 0x26)};
    }
}

// Draws one image in a 24 x 24 frame (the painter is scaled for larger pixmaps).
void drawImage(QPainter& p, int image, const ImageColours& c)
{
    const QPen outline(c.line, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto paperLines = [&](qreal left, qreal right, qreal top, int count, const QColor& colour) {
        p.setPen(QPen(colour, 1.0));
        for (int i = 0; i < count; ++i)
            p.drawLine(QPointF(left, top + i * 2.5), QPointF(right, top + i * 2.5));
    };

    switch (image) {
    case 0: { // save: a diskette
        QPainterPath body;
        body.moveTo(3.5, 3.5);
        body.lineTo(17.5, 3.5);
        body.lineTo(20.5, 6.5);
        body.lineTo(20.5, 20.5);
        body.lineTo(3.5, 20.5);
        body.closeSubpath();
        p.setPen(outline);
        p.setBrush(c.accent);
        p.drawPath(body);
        p.setBrush(c.body);
        p.drawRect(QRectF(7.5, 3.5, 8, 6));
        p.setBrush(c.line);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(12.5, 4.5, 2, 4));
        p.setPen(outline);
        p.setBrush(c.paper);
        p.drawRect(QRectF(6.5, 12.5, 11, 8));
        paperLines(8.5, 15.5, 15, 2, c.line);
        break;
    }
    case 1: { // print: a printer with a sheet coming out
        p.setPen(outline);
        p.setBrush(c.paper);
        p.drawRect(QRectF(6.5, 2.5, 11, 8));
        p.setBrush(c.body);
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
        p.setBrush(c.line);
        p.drawRect(QRectF(5.5, 13.5, 13, 1));
        p.setPen(Qt::NoPen);
        p.setBrush(c.accent);
        p.drawEllipse(QRectF(17, 10.5, 2.5, 2.5));
        p.setPen(outline);
        p.setBrush(c.paper);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        paperLines(8.5, 15.5, 17, 2, c.accent);
        break;
    }
    case 2: { // copy: two sheets, one over the other
        p.setPen(outline);
        p.setBrush(c.paper);
        p.drawRect(QRectF(3.5, 2.5, 11, 14));
        paperLines(5.5, 12.5, 5.5, 4, c.line);
        p.setPen(outline);
        p.setBrush(c.paper);
        p.drawRect(QRectF(9.5, 7.5, 11, 14));
        paperLines(11.5, 18.5, 10.5, 5, c.accent);
        break;
    }
    default: { // close: a cross on a round button
        p.setPen(QPen(c.alert.darker(130), 1.0));
        p.setBrush(c.alert);
        p.drawEllipse(QRectF(3.5, 3.5, 17, 17));
        p.setPen(QPen(c.paper, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
        break;
    }
    }
}

QPixmap imagePixmap(int image, QIcon::Mode mode, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    drawImage(painter, image, coloursFor(mode));
    return pixmap;
}

} // namespace

int zoomFontSize(int level)
{
    // Whole-number arithmetic: level x 8 / 100 is never exactly half way between two sizes.
    const qint64 eighths = qint64(level) * 8;
    const qint64 size = eighths >= 0 ? (eighths + 50) / 100 : (eighths - 50) / 100;
    return int(std::clamp<qint64>(size, 1, LargestFontSize));
}

QString clipboardText(QString selected)
{
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return selected;
}

QIcon outputToolImage(int image)
{
    QIcon icon;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
        for (const int size : {ToutputFrm::ToolImageSize, 2 * ToutputFrm::ToolImageSize})
            icon.addPixmap(imagePixmap(image, mode, size), mode);
    }
    return icon;
}

ToutputFrm::ToutputFrm(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("outputFrm"));
    setWindowTitle(tr("Report Output"));
    QFont windowFont(QStringLiteral("Segoe UI"), 8);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(ToolImageSize, ToolImageSize));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setContentsMargins(0, 0, 0, 0);
    m_toolBar->layout()->setContentsMargins(0, 0, 0, 0);
    m_toolBar->layout()->setSpacing(0);
    m_toolBar->setFixedHeight(ToolBarHeight);

    m_btnSave = addToolButton(QStringLiteral("btnSave"), tr("Save As..."), 0);
    m_btnPrint = addToolButton(QStringLiteral("btnPrint"), tr("Print..."), 1);
    addSeparator();
    m_btnCopy = addToolButton(QStringLiteral("btnCopy"), tr("Copy to Clipboard"), 2);
    addSeparator();
    m_zoom = new TZoomControl(m_toolBar);
    m_zoom->setObjectName(QStringLiteral("ZoomControl1"));
    m_zoom->setFixedSize(ZoomControlWidth, ToolBarHeight);
    m_zoom->setFont(windowFont);
    m_toolBar->addWidget(m_zoom);
    addSeparator();
    m_btnClose = addToolButton(QStringLiteral("btnClose"), tr("Close"), 3);

    connect(m_btnSave, &QToolButton::clicked, this, &ToutputFrm::btnSaveClick);
    connect(m_btnPrint, &QToolButton::clicked, this, &ToutputFrm::btnPrintClick);
    connect(m_btnCopy, &QToolButton::clicked, this, &ToutputFrm::btnCopyClick);
    connect(m_btnClose, &QToolButton::clicked, this, &ToutputFrm::btnCloseClick);
    connect(m_zoom, &TZoomControl::changed, this, &ToutputFrm::ZoomControl1Change);
    // Tab reaches the zoom control; Escape or Ctrl+Tab leaves it again.
    m_zoom->setTabStop(true);

    // The zoom keys, wherever the focus is in the window. Ctrl+= is Ctrl+Plus on keyboards where
    // the plus sign needs Shift.
    const auto addZoomKeys = [this](const QString& name, const QList<QKeySequence>& keys,
                                    const std::function<void()>& zoom) {
        auto* action = new QAction(this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, zoom);
    };
    addZoomKeys(QStringLiteral("aZoomIn"),
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                [this] { m_zoom->stepLevel(1); });
    addZoomKeys(QStringLiteral("aZoomOut"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                [this] { m_zoom->stepLevel(-1); });
    addZoomKeys(QStringLiteral("aZoom100"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
                [this] { m_zoom->setZoomLevel(100); });
    // The toolbar's buttons take no focus, so the report keeps it; each has a key instead, and
    // its accessible description names the key.
    for (const auto& [button, key] :
         {std::pair{m_btnSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
          std::pair{m_btnPrint, QKeySequence(Qt::CTRL | Qt::Key_P)},
          std::pair{m_btnCopy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
          std::pair{m_btnClose, QKeySequence(Qt::Key_Escape)}}) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("a") + button->objectName().mid(3));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, button, &QToolButton::click);
        button->setAccessibleDescription(key.toString(QKeySequence::NativeText));
    }

    auto* edit = new ReportEdit(m_zoom, this);
    edit->activated = [this](const QTextBlock& block) {
        if (m_hasLines && block.isValid())
            Q_EMIT paragraphActivated(block.text());
    };
    m_output = edit;
    m_output->setObjectName(QStringLiteral("reOutput"));
    // Neither has a caption of its own to be named by.
    m_output->setAccessibleName(tr("Report"));
    m_zoom->setAccessibleName(tr("Zoom"));
    m_output->setReadOnly(true);
    m_output->setAcceptRichText(false);
    m_output->setUndoRedoEnabled(false);
    m_output->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_output->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_output->setLineWrapMode(QTextEdit::WidgetWidth);
    m_output->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont textFont(QStringLiteral("Tahoma"));
    textFont.setStyleHint(QFont::SansSerif);
    textFont.setPointSize(zoomFontSize(m_zoom->zoomLevel()));
    m_output->setFont(textFont);
    // The window opens with the focus in the text, although the zoom control comes first in the
    // focus chain.
    m_output->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_output, 1);

    resize(InitialClientWidth, InitialClientHeight);
    ui::nameControls(this);
    ui::showFocusFrames(this);
}

ToutputFrm::~ToutputFrm() = default;

QToolButton* ToutputFrm::addToolButton(const QString& name, const QString& hint, int image)
{
    auto* button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setText(hint);
    button->setToolTip(hint);
    button->setIcon(outputToolImage(image));
    button->setIconSize(QSize(ToolImageSize, ToolImageSize));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(ToolButtonWidth, ToolBarHeight);
    m_toolBar->addWidget(button);
    return button;
}

void ToutputFrm::addSeparator()
{
    QAction* separator = m_toolBar->addSeparator();
    if (QWidget* widget = m_toolBar->widgetForAction(separator))
        widget->setFixedWidth(SeparatorWidth);
}

void ToutputFrm::showReport(const QStringList& lines)
{
    m_hasLines = !lines.isEmpty();
    // One paragraph per line; the document turns every CR LF, CR, LF or paragraph separator
    // inside a line into a further paragraph, as the text then also shows it.
    const QString text = lines.join(QChar::ParagraphSeparator);
    // Emptied before the wrapping changes, which lays out whatever the window holds.
    m_output->clear();
    m_output->setWordWrapMode(ui::wrapModeFor(text));
    m_output->setPlainText(text);

    QTextCursor all(m_output->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(ui::hangingIndentFormat());
    m_output->setLineWrapMode(QTextEdit::WidgetWidth);
    m_output->moveCursor(QTextCursor::Start);

    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QStringList ToutputFrm::paragraphs() const
{
    QStringList result;
    if (!m_hasLines)
        return result;
    const QTextDocument* document = m_output->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        result.append(block.text());
    return result;
}

QString ToutputFrm::text() const
{
    return reportText(paragraphs());
}

QString ToutputFrm::selectedText() const
{
    return clipboardText(m_output->textCursor().selectedText());
}

int ToutputFrm::textPointSize() const
{
    return m_output->document()->defaultFont().pointSize();
}

std::unique_ptr<QTextDocument> ToutputFrm::printedDocument(const QPaintDevice& printer) const
{
    // QTextDocument::print lays its copy out in the printer's dots but takes the block formats'
    // lengths as they are, and those of the text shown are screen pixels: at 1200 dots per inch
    // the 10-point indent would shrink to less than one point.
    std::unique_ptr<QTextDocument> document(m_output->document()->clone());
    QTextCursor all(document.get());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(ui::hangingIndentFormat(printer.logicalDpiX()));
    return document;
}

void ToutputFrm::btnSaveClick()
{
    ui::guarded(this, [this] {
        const std::optional<QString> path = ui::dialogs().saveFileName(
            this, tr("Save Report to File"), tr("Text file") + QStringLiteral(" (*.txt)"),
            QString(), QString());
        if (!path)
            return;
        writeWholeFile(*path, reportFileBytes(paragraphs()));
    });
}

void ToutputFrm::btnPrintClick()
{
    ui::guarded(this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(tr("Quillery Report"));
        if (!ui::dialogs().printDialog(this, printer))
            return;
        // Printing into a file that cannot be created would otherwise end silently, as if the
        // report had been printed.
        const QString file = printer.outputFileName();
        if (!file.isEmpty()) {
            QFile probe(file);
            if (!probe.open(QIODevice::WriteOnly))
                throw FileError(FileError::Kind::Create, file, probe.errorString());
        }
        // Lays the text out on the printable area of the printer's pages, as many as it takes,
        // at the size the text is shown in.
        printedDocument(printer)->print(&printer);
    });
}

void ToutputFrm::btnCopyClick()
{
    ui::guarded(this, [this] {
        const QTextCursor cursor = m_output->textCursor();
        QApplication::clipboard()->setText(cursor.hasSelection() ? selectedText() : text());
    });
}

void ToutputFrm::btnCloseClick()
{
    close();
}

void ToutputFrm::ZoomControl1Change()
{
    QFont font = m_output->font();
    font.setPointSize(zoomFontSize(m_zoom->zoomLevel()));
    m_output->setFont(font);
}

void ToutputFrm::showEvent(QShowEvent* event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        placeOnOwner();
    }
    QWidget::showEvent(event);
}

void ToutputFrm::placeOnOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const bool ownerShown = owner && owner->isVisible();
    QScreen* screen = ownerShown ? owner->screen() : this->screen();
    const QPoint centre = ownerShown ? owner->geometry().center()
                          : screen   ? screen->availableGeometry().center()
                                     : geometry().center();
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(centre);
    if (screen) {
        // Keep the caption on the screen, so the window can always be moved.
        const QRect area = screen->availableGeometry();
        placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() - width())));
        placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() - height())));
    }
    setGeometry(placed);
}

} // namespace quillery
