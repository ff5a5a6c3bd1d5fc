#include "ui/OutputWin.h"

#include "ui/ZoomControl.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace quillery;
using quillery::test::ScriptedDialogs;
using quillery::test::ScriptedDialogsScope;

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

QStringList strings(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

class OutputWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QApplication::clipboard()->clear();
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    // Selects the characters from..to of the document.
    void select(int from, int to)
    {
        QTextCursor cursor(window.reOutput()->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        window.reOutput()->setTextCursor(cursor);
    }

    // Saves the window's text into a file of the folder and returns the file's bytes.
    QByteArray saveAs(const QString& name)
    {
        dialogs->answer(path(name));
        window.btnSaveClick();
        return test::readBytes(path(name));
    }

    ScriptedDialogsScope dialogs;
    QTemporaryDir folder;
    ToutputFrm window;
};

// The pages of a PDF file: its page objects, not the page tree ("/Type /Pages").
int pdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    const QString text = QString::fromLatin1(pdf);
    int count = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral(
                     "<li>Author %1, Title of book number %1. Place: Publisher, 2001.</li>")
                     .arg(i);
    return lines;
}

} // namespace

// ---- The zoom level and the size of the text ----

struct ZoomCase {
    int level;
    int points;
};

class ZoomToFontSize : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomToFontSize, TheZoomControlSetsTheTextSize)
{
    const ZoomCase c = GetParam();
    EXPECT_EQ(zoomFontSize(c.level), c.points) << "level " << c.level;

    ToutputFrm window;
    window.zoomControl()->setZoomLevel(c.level);
    EXPECT_EQ(window.textPointSize(), c.points) << "level " << c.level;
    EXPECT_EQ(window.reOutput()->document()->defaultFont().pointSize(), c.points);
}

INSTANTIATE_TEST_SUITE_P(
    OutputWin, ZoomToFontSize,
    ::testing::Values(ZoomCase{100, 8}, ZoomCase{150, 12}, ZoomCase{110, 9}, ZoomCase{50, 4},
                      ZoomCase{10, 1}, ZoomCase{500, 40},
                      // 8.8 and 0.8 round up, 8.4 and 0.56 round to the nearest
                      ZoomCase{105, 8}, ZoomCase{107, 9}, ZoomCase{7, 1},
                      // a size of 0 (levels 0 to 6) and levels outside the range stay readable
                      ZoomCase{6, 1}, ZoomCase{0, 1}, ZoomCase{-40, 1},
                      ZoomCase{1000000000, 1638}));

TEST(OutputWin, TextStartsAtEightPointsAndSavingIgnoresTheZoom)
{
    ScriptedDialogsScope dialogs;
    QTemporaryDir folder;
    ToutputFrm window;
    EXPECT_EQ(window.zoomControl()->zoomLevel(), 100);
    EXPECT_EQ(window.textPointSize(), 8);

    window.showReport({QStringLiteral("Emma")});
    window.zoomControl()->setZoomLevel(300);
    EXPECT_EQ(window.textPointSize(), 24);
    EXPECT_EQ(window.text(), QStringLiteral("Emma\r\n"));
    dialogs->answer(folder.filePath(QStringLiteral("r.txt")));
    window.btnSaveClick();
    EXPECT_EQ(test::readBytes(folder.filePath(QStringLiteral("r.txt"))), Bom + "Emma\r\n");
}

TEST(OutputWin, CtrlWheelOverTheTextStepsTheZoomLevel)
{
    ToutputFrm window;
    window.showReport(numberedLines(200));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TZoomControl* zoom = window.zoomControl();
    QWidget* viewport = window.reOutput()->viewport();
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(viewport->rect().center());
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    const auto expectLevel = [&](int level) {
        EXPECT_EQ(zoom->zoomLevel(), level);
        EXPECT_EQ(zoom->labelText(), QStringLiteral("%1 %").arg(level));
        EXPECT_EQ(window.textPointSize(), zoomFontSize(level));
        EXPECT_EQ(window.reOutput()->font().pointSize(), zoomFontSize(level));
    };

    struct Case {
        int from;
        QList<int> deltas; // 120 a notch
        int to;
    };
    for (const Case& c : {Case{150, {120}, 160}, Case{100, {-120}, 90}, Case{100, {240}, 120},
                          // parts of a notch add up; turning back starts afresh
                          Case{100, {60, 60}, 110}, Case{100, {60, -60, -60}, 90},
                          // the level keeps to its range
                          Case{495, {120}, 500}, Case{5, {-120}, 0}, Case{500, {120}, 500}}) {
        SCOPED_TRACE(testing::Message() << c.from << " by " << c.deltas.size() << " turns");
        zoom->setZoomLevel(c.from);
        for (const int delta : c.deltas)
            wheel(delta, Qt::ControlModifier);
        expectLevel(c.to);
    }
    // The control's own step and limits.
    zoom->setStep(25);
    zoom->setZoomMax(200);
    zoom->setZoomLevel(150);
    wheel(120, Qt::ControlModifier);
    wheel(120, Qt::ControlModifier);
    expectLevel(200);
    // The plus button goes on from there: the level and the text size stay together.
    zoom->setZoomMax(500);
    QTest::mouseClick(zoom, Qt::LeftButton, {}, zoom->plusRect().center());
    expectLevel(225);

    // Without Ctrl the wheel scrolls the text and leaves the zoom alone.
    QScrollBar* bar = window.reOutput()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(0);
    wheel(-120, Qt::NoModifier);
    EXPECT_GT(bar->value(), 0);
    expectLevel(225);
}

TEST(OutputWin, ZoomKeysWorkWhereverTheFocusIs)
{
    ToutputFrm window;
    window.showReport({QStringLiteral("text")});
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(window.reOutput()->hasFocus()); // the text has it when the window opens
    TZoomControl* zoom = window.zoomControl();

    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int from;
        int to;
    };
    const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
    for (QWidget* focus : {static_cast<QWidget*>(window.reOutput()), static_cast<QWidget*>(zoom)}) {
        focus->setFocus();
        ASSERT_TRUE(focus->hasFocus());
        for (const Case& c :
             {Case{Qt::Key_Plus, Qt::ControlModifier, 100, 110},
              Case{Qt::Key_Equal, Qt::ControlModifier, 100, 110},
              Case{Qt::Key_Minus, Qt::ControlModifier, 100, 90},
              Case{Qt::Key_Plus, keypad, 100, 110}, Case{Qt::Key_Minus, keypad, 100, 90},
              Case{Qt::Key_0, Qt::ControlModifier, 250, 100},
              Case{Qt::Key_Plus, Qt::ControlModifier, 495, 500},
              Case{Qt::Key_Minus, Qt::ControlModifier, 4, 0}}) {
            SCOPED_TRACE(testing::Message() << focus->objectName().toStdString() << " key " << c.key
                                            << " from " << c.from);
            zoom->setZoomLevel(c.from);
            QTest::keyClick(focus, c.key, c.modifiers);
            EXPECT_EQ(zoom->zoomLevel(), c.to);
            EXPECT_EQ(window.textPointSize(), zoomFontSize(c.to));
        }
    }
}

TEST(OutputWin, TabReachesTheZoomControlFromTheTextAndEscapeLeavesIt)
{
    ToutputFrm window;
    window.showReport({QStringLiteral("text")});
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTextEdit* text = window.reOutput();
    TZoomControl* zoom = window.zoomControl();
    ASSERT_TRUE(text->hasFocus());

    QTest::keyClick(text, Qt::Key_Tab);
    ASSERT_TRUE(zoom->hasFocus());
    // Inside, Tab moves between the control's parts.
    QTest::keyClick(zoom, Qt::Key_Tab);
    EXPECT_TRUE(zoom->hasFocus());
    EXPECT_EQ(zoom->focusPart(), TZoomControl::FocusPart::PlusPart);
    QTest::keyClick(zoom, Qt::Key_Escape);
    EXPECT_TRUE(text->hasFocus());
    QTest::keyClick(text, Qt::Key_Tab);
    QTest::keyClick(zoom, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(text->hasFocus());
}

// ---- The window and its parts ----

TEST(OutputWin, IsAHiddenResizableToolWindowWithTheToolBarInItsOrder)
{
    ToutputFrm window;
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Report Output"));
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window.size(), QSize(635, 304));
    EXPECT_FALSE(window.isModal());

    struct Button {
        QToolButton* button;
        const char* name;
        const char* hint;
    };
    for (const Button& b : {Button{window.btnSave(), "btnSave", "Save As..."},
                            Button{window.btnPrint(), "btnPrint", "Print..."},
                            Button{window.btnCopy(), "btnCopy", "Copy to Clipboard"},
                            Button{window.btnClose(), "btnClose", "Close"}}) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(b.button->objectName(), QLatin1String(b.name));
        EXPECT_EQ(b.button->toolTip(), QLatin1String(b.hint));
        EXPECT_EQ(b.button->size(), QSize(36, 40));
        EXPECT_EQ(b.button->iconSize(), QSize(24, 24));
        // Three images: normal, disabled and hot.
        const QIcon icon = b.button->icon();
        const QImage normal = icon.pixmap(24, QIcon::Normal).toImage();
        const QImage disabled = icon.pixmap(24, QIcon::Disabled).toImage();
        const QImage hot = icon.pixmap(24, QIcon::Active).toImage();
        EXPECT_FALSE(normal.isNull());
        EXPECT_NE(normal, disabled);
        EXPECT_NE(normal, hot);
        EXPECT_NE(disabled, hot);
    }

    // Left to right: save, print, copy, the zoom control, close.
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QList<QWidget*> order{window.btnSave(), window.btnPrint(), window.btnCopy(),
                                window.zoomControl(), window.btnClose()};
    for (qsizetype i = 1; i < order.size(); ++i)
        EXPECT_LT(order[i - 1]->geometry().right(), order[i]->geometry().left()) << i;
    EXPECT_EQ(window.zoomControl()->size(), QSize(221, 40));
    EXPECT_EQ(window.toolBar()->height(), 40);
    EXPECT_EQ(window.reOutput()->geometry().top(), 40);
}

TEST(OutputWin, TextIsReadOnlyWrappedPlainText)
{
    ToutputFrm window;
    QTextEdit* edit = window.reOutput();
    EXPECT_EQ(edit->objectName(), QStringLiteral("reOutput"));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_FALSE(edit->acceptRichText());
    EXPECT_EQ(edit->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(OutputWin, ReportLinesBecomeParagraphsWithAHangingIndent)
{
    ToutputFrm window;
    window.showReport({QStringLiteral("<ul>"), QStringLiteral("<li>Austen, Jane: Emma.</li>"),
                       QStringLiteral("</ul>")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const QTextDocument* document = window.reOutput()->document();
    EXPECT_EQ(document->blockCount(), 3);
    EXPECT_EQ(window.paragraphs(), strings({"<ul>", "<li>Austen, Jane: Emma.</li>", "</ul>"}));
    const qreal tenPoints = 10 * 96.0 / 72.0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        SCOPED_TRACE(block.text().toStdString());
        EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), tenPoints);
        EXPECT_DOUBLE_EQ(block.blockFormat().textIndent(), -tenPoints);
    }
    // Plain text: no character formatting anywhere, so the zoom sizes all of it.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            EXPECT_TRUE(it.fragment().charFormat().properties().isEmpty());
    }
}

TEST(OutputWin, LineBreaksInsideALineStartFurtherParagraphs)
{
    // A multi-line comment or "%0013%0010" in the format puts line breaks inside one line.
    ToutputFrm window;
    window.showReport(
        {QStringLiteral("one\r\ntwo"), QStringLiteral("three\nfour"), QStringLiteral("five\rsix")});
    EXPECT_EQ(window.paragraphs(), strings({"one", "two", "three", "four", "five", "six"}));
    EXPECT_EQ(window.text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\n"));
}

TEST(OutputWin, ANewReportReplacesTheText)
{
    ToutputFrm window;
    window.showReport(numberedLines(5));
    window.showReport({QStringLiteral("only")});
    EXPECT_EQ(window.paragraphs(), strings({"only"}));
    window.showReport({});
    EXPECT_TRUE(window.paragraphs().isEmpty());
    EXPECT_EQ(window.text(), QString());
}

TEST(OutputWin, FirstShowIsCentredOnTheOwnerAndLaterShowsKeepThePlace)
{
    QWidget owner;
    owner.setGeometry(60, 50, 700, 500);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    auto* window = new ToutputFrm(&owner);
    window->showReport({QStringLiteral("first")});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->size(), QSize(635, 304));
    const QPoint offset = window->geometry().center() - owner.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();

    window->move(window->pos() + QPoint(-30, 40));
    const QPoint moved = window->pos();
    window->btnCloseClick();
    window->showReport({QStringLiteral("second")});
    EXPECT_EQ(window->pos(), moved);
}

TEST(OutputWin, WithoutAnOwnerTheFirstShowIsCentredOnTheScreen)
{
    ToutputFrm window;
    window.showReport({QStringLiteral("text")});
    const QRect area = window.screen()->availableGeometry();
    const QPoint offset = window.geometry().center() - area.center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST(OutputWin, AnOwnerNearTheScreenEdgeDoesNotPushTheWindowOffTheScreen)
{
    QWidget owner;
    const QRect area = owner.screen()->availableGeometry();
    owner.setGeometry(area.right() - 200, area.bottom() - 150, 300, 200);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    auto* window = new ToutputFrm(&owner);
    window->showReport({QStringLiteral("text")});
    EXPECT_TRUE(area.contains(window->geometry()))
        << window->geometry().x() << "," << window->geometry().y();
}

// ---- Copy ----

TEST_F(OutputWindow, CopyWithoutASelectionCopiesTheWholeReport)
{
    window.showReport(
        {QStringLiteral("<ul>"), QStringLiteral("<li>Emma</li>"), QStringLiteral("</ul>")});
    window.btnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("<ul>\r\n<li>Emma</li>\r\n</ul>\r\n"));
}

TEST_F(OutputWindow, CopyWithASelectionCopiesJustThatPart)
{
    window.showReport(
        {QStringLiteral("<ul>"), QStringLiteral("<li>Emma</li>"), QStringLiteral("</ul>")});
    select(9, 13); // "Emma" inside the second line
    window.btnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Emma"));

    select(2, 9); // across a paragraph break
    window.btnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("l>\r\n<li>"));
}

TEST_F(OutputWindow, CopyKeepsNoBreakSpacesAndReplacesTheClipboard)
{
    const QString line = QStringLiteral("p.\u00A05\u2013\u00A09 \u00C9mile");
    window.showReport({line});
    QApplication::clipboard()->setText(QStringLiteral("old"));
    window.btnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), line + QStringLiteral("\r\n"));

    // The text control's own copy command hands over the same plain text.
    select(0, 3);
    QTest::keyClick(window.reOutput(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("p.\u00A0"));
    EXPECT_FALSE(data->hasHtml());
}

TEST_F(OutputWindow, CopyOfAnEmptyWindowEmptiesTheClipboardText)
{
    QApplication::clipboard()->setText(QStringLiteral("old"));
    window.btnCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), QString());
}

// ---- Save ----

TEST_F(OutputWindow, SaveAsksForATextFileWithoutPresets)
{
    dialogs->cancel();
    window.btnSaveClick();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const ScriptedDialogs::Shown& shown = dialogs->last();
    EXPECT_EQ(shown.kind, ScriptedDialogs::Kind::Save);
    EXPECT_EQ(shown.caption, QStringLiteral("Save Report to File"));
    EXPECT_EQ(shown.filter, QStringLiteral("Text file (*.txt)"));
    EXPECT_EQ(shown.text, QString());    // no start folder
    EXPECT_EQ(shown.initial, QString()); // no file name
}

TEST_F(OutputWindow, SavingAnEmptyWindowWritesOnlyTheByteOrderMark)
{
    EXPECT_EQ(saveAs(QStringLiteral("empty.txt")), Bom);
    window.showReport({});
    EXPECT_EQ(saveAs(QStringLiteral("empty2.txt")), Bom);
}

TEST_F(OutputWindow, SavingWritesUtf8WithCrLfAfterEveryLine)
{
    window.showReport({QStringLiteral("<ul>"), QStringLiteral("<li>\u00C9mile, p.\u00A05</li>"),
                       QStringLiteral("</ul>")});
    EXPECT_EQ(test::visible(saveAs(QStringLiteral("report"))),
              test::visible(Bom + "<ul>\r\n<li>\xC3\x89mile, p.\xC2\xA0"
                                  "5</li>\r\n</ul>\r\n"));
    // No extension is added to a name typed without one.
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("report"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("report.txt"))));

    // A report of one empty line is one line break, unlike an empty report.
    window.showReport({QString()});
    EXPECT_EQ(saveAs(QStringLiteral("blank.txt")), Bom + "\r\n");
}

TEST_F(OutputWindow, SavingReplacesAnExistingFile)
{
    test::writeBytes(path(QStringLiteral("r.txt")), QByteArray(5000, 'x'));
    window.showReport({QStringLiteral("new")});
    EXPECT_EQ(saveAs(QStringLiteral("r.txt")), Bom + "new\r\n");
}

TEST_F(OutputWindow, CancellingTheSaveWritesNothing)
{
    window.showReport({QStringLiteral("text")});
    dialogs->cancel();
    window.btnSaveClick();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(dialogs->shown.size(), 1u); // the dialog, and no message after it
}

TEST_F(OutputWindow, AFileThatCannotBeCreatedIsReportedAndTheTextStays)
{
    window.showReport({QStringLiteral("kept")});
    const QString target = path(QStringLiteral("missing/r.txt"));
    dialogs->answer(target);
    window.btnSaveClick();

    ASSERT_EQ(dialogs->shown.size(), 2u);
    const ScriptedDialogs::Shown& error = dialogs->last();
    EXPECT_EQ(error.kind, ScriptedDialogs::Kind::Message);
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.caption, QStringLiteral("Report Output"));
    const QString start =
        QStringLiteral("Cannot create file \"%1\". ").arg(QDir::toNativeSeparators(target));
    EXPECT_TRUE(error.text.startsWith(start)) << error.text.toStdString();
    EXPECT_GT(error.text.size(), start.size()); // the system's reason follows
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(window.paragraphs(), strings({"kept"}));
    EXPECT_TRUE(window.isVisible());
}

// ---- Close ----

TEST_F(OutputWindow, CloseHidesAndANewReportShowsAgainAtTheKeptZoom)
{
    window.showReport({QStringLiteral("first")});
    window.zoomControl()->setZoomLevel(150);
    EXPECT_EQ(window.textPointSize(), 12);

    window.btnClose()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.paragraphs(), strings({"first"})); // the text stays while hidden

    window.showReport({QStringLiteral("second")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.paragraphs(), strings({"second"}));
    EXPECT_EQ(window.zoomControl()->zoomLevel(), 150);
    EXPECT_EQ(window.textPointSize(), 12);
}

TEST_F(OutputWindow, TheWindowsOwnCloseButtonOnlyHidesIt)
{
    window.showReport({QStringLiteral("text")});
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.text(), QStringLiteral("text\r\n"));
}

// ---- Print ----

class OutputPrinting : public OutputWindow {
protected:
    // Prints to a PDF file and returns its bytes.
    QByteArray printToPdf(const QString& name)
    {
        const QString file = path(name);
        dialogs->preparePrinter = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPageSize(QPageSize(QPageSize::A4));
        };
        dialogs->answer(1);
        window.btnPrintClick();
        return QFileInfo::exists(file) ? test::readBytes(file) : QByteArray();
    }
};

TEST_F(OutputPrinting, ALongReportGoesOverAsManyPagesAsItNeeds)
{
    window.showReport({QStringLiteral("one line")});
    const QByteArray shortPdf = printToPdf(QStringLiteral("short.pdf"));
    ASSERT_TRUE(shortPdf.startsWith("%PDF"));
    EXPECT_EQ(pdfPageCount(shortPdf), 1);

    window.showReport(numberedLines(400));
    const QByteArray longPdf = printToPdf(QStringLiteral("long.pdf"));
    const int pages = pdfPageCount(longPdf);
    // About 70 lines of 8 points fit an A4 page inside its margins.
    EXPECT_GE(pages, 4);
    EXPECT_LE(pages, 10);

    // The text is printed at the size it is shown in: larger text takes more pages.
    window.zoomControl()->setZoomLevel(200);
    EXPECT_GT(pdfPageCount(printToPdf(QStringLiteral("large.pdf"))), pages);
    EXPECT_EQ(dialogs->shown.size(), 3u); // three print dialogs, no error
}

TEST_F(OutputPrinting, TheJobIsTitledQuilleryReport)
{
    window.showReport({QStringLiteral("one line")});
    const QByteArray pdf = printToPdf(QStringLiteral("title.pdf"));
    QByteArray utf16 = "\xFE\xFF";
    for (const QChar c : QStringLiteral("Quillery Report"))
        utf16 += QByteArray(1, '\0') + char(c.unicode());
    EXPECT_TRUE(pdf.contains(utf16) || pdf.contains("(Quillery Report)"));
}

TEST_F(OutputPrinting, CancellingThePrintDialogPrintsNothing)
{
    window.showReport({QStringLiteral("one line")});
    bool prepared = false;
    dialogs->preparePrinter = [&prepared](QPrinter&) {
        prepared = true;
    };
    dialogs->cancel();
    window.btnPrintClick();
    EXPECT_FALSE(prepared);
    EXPECT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().kind, ScriptedDialogs::Kind::Print);
}

TEST_F(OutputPrinting, APrintFileThatCannotBeCreatedIsReported)
{
    window.showReport({QStringLiteral("one line")});
    const QByteArray pdf = printToPdf(QStringLiteral("missing/out.pdf"));
    EXPECT_TRUE(pdf.isEmpty());
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_EQ(dialogs->last().kind, ScriptedDialogs::Kind::Message);
    EXPECT_TRUE(dialogs->last().text.startsWith(QStringLiteral("Cannot create file \"")))
        << dialogs->last().text.toStdString();
}

namespace {

// The first word of each printed line of a PDF file, top to bottom, with its left edge in
// points, read from the word boxes of `pdftotext -bbox` (poppler-utils).
QList<std::pair<QString, double>> printedLineStarts(const QString& pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    tool.waitForFinished();
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    QMap<double, std::pair<QString, double>> lines; // by the top of the line
    const QString boxes = QString::fromUtf8(tool.readAllStandardOutput());
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const std::pair<QString, double> start{m.captured(3), m.captured(1).toDouble()};
        auto line = lines.find(m.captured(2).toDouble());
        if (line == lines.end())
            lines.insert(m.captured(2).toDouble(), start);
        else if (start.second < line->second)
            *line = start;
    }
    return lines.values();
}

} // namespace

TEST_F(OutputPrinting, WrappedLinesKeepTheHangingIndent)
{
    QStringList words;
    for (int i = 1; i <= 90; ++i)
        words << QStringLiteral("w%1").arg(i);
    const QStringList report{words.join(u' '), QStringLiteral("next")};
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const qreal tenPoints = 10 * printer.logicalDpiX() / 72.0;
    const bool canReadPdf = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    for (const int level : {100, 250}) {
        SCOPED_TRACE(level);
        window.zoomControl()->setZoomLevel(level);
        window.showReport(report);

        // The document the printer lays out holds the indent in the printer's dots.
        const std::unique_ptr<QTextDocument> printed = window.printedDocument(printer);
        EXPECT_EQ(printed->toPlainText(), report.join(u'\n'));
        EXPECT_EQ(printed->defaultFont().pointSize(), window.textPointSize());
        for (QTextBlock block = printed->begin(); block.isValid(); block = block.next()) {
            EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), tenPoints);
            EXPECT_DOUBLE_EQ(block.blockFormat().textIndent(), -tenPoints);
        }

        // On paper: the long line wraps over several lines, each after the first 10 points in;
        // the next report line starts at the margin again. The page number is left out.
        const QString name = QStringLiteral("wrapped%1.pdf").arg(level);
        ASSERT_TRUE(printToPdf(name).startsWith("%PDF"));
        if (!canReadPdf)
            continue;
        const auto starts = printedLineStarts(path(name));
        ASSERT_GE(starts.size(), 3);
        ASSERT_EQ(starts.front().first, QStringLiteral("w1"));
        const double margin = starts.front().second;
        int wrapped = 0;
        for (const auto& [first, x] : starts) {
            SCOPED_TRACE(first.toStdString());
            if (first == QStringLiteral("next")) {
                EXPECT_NEAR(x, margin, 0.5);
            } else if (first.startsWith(u'w') && first != QStringLiteral("w1")) {
                EXPECT_NEAR(x - margin, 10.0, 0.5);
                ++wrapped;
            }
        }
        EXPECT_GE(wrapped, 1);
    }
    if (!canReadPdf)
        GTEST_SKIP() << "the printed pages are not checked: pdftotext (poppler-utils) is missing";
}
