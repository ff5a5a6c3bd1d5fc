#include "ui/FullRichEdit.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

// The database-link preview as the item page sets it up, between two line edits, in an active
// window.
class FullRichEditInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit;
        edit = new TFullRichEdit;
        after = new QLineEdit;
        layout->addWidget(before);
        layout->addWidget(edit);
        layout->addWidget(after);
        edit->setReadOnly(true);
        edit->setUrlDetect(true);
        edit->setStartBrowser(true);
        edit->setPlainText(s("http://a.example/1\nno link here\nsee https://b.example/2"));
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QObject::connect(edit, &TFullRichEdit::urlClicked,
                         [this](QObject*, const QString& url) { clicked.append(url); });
    }

    // The middle of the character at a position of the document, in viewport coordinates.
    QPoint at(int position) const
    {
        QTextCursor cursor(edit->document());
        cursor.setPosition(position);
        return edit->cursorRect(cursor).center() + QPoint(2, 0);
    }

    test::ScriptedDialogsScope dialogs;
    QWidget window;
    QLineEdit* before = nullptr;
    TFullRichEdit* edit = nullptr;
    QLineEdit* after = nullptr;
    QStringList clicked;
};

} // namespace

TEST_F(FullRichEditInput, EveryClickSequenceOpensTheLinkOnce)
{
    const QPoint link = at(5);
    ASSERT_EQ(edit->linkAt(link), s("http://a.example/1"));
    QWidget* const viewport = edit->viewport();
    struct Case {
        const char* name;
        std::function<void()> clicks;
        int opened;
    };
    const auto click = [&] {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, link);
    };
    // A double-click comes as press, release, (press,) double-click, release.
    const auto doubleClick = [&](bool secondPress) {
        click();
        if (secondPress)
            QTest::mousePress(viewport, Qt::LeftButton, {}, link);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, link);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, link);
    };
    const Case cases[] = {
        {"click", click, 1},
        {"double-click", [&] { doubleClick(true); }, 1},
        {"double-click without a second press", [&] { doubleClick(false); }, 1},
        {"two clicks", [&] { click(), click(); }, 2},
        {"double-click, then a click", [&] { doubleClick(true), click(); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicked.clear();
        dialogs->opened.clear();
        c.clicks();
        EXPECT_EQ(clicked.size(), c.opened);
        EXPECT_EQ(dialogs->opened.size(), size_t(c.opened));
    }
}

TEST_F(FullRichEditInput, TabReachesThePreviewAndReturnOpensTheLinkAtTheCaret)
{
    before->setFocus();
    const QImage unfocused = edit->viewport()->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(edit->hasFocus());
    // The caret is drawn, and the arrow keys move it.
    EXPECT_NE(edit->viewport()->grab().toImage(), unfocused);
    EXPECT_EQ(edit->textCursor().position(), 0);

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicked, QStringList({s("http://a.example/1")}));
    EXPECT_EQ(edit->textCursor().selectedText(), s("http://a.example/1"));

    // No link on the second line: Return does nothing there.
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->textCursor().block().blockNumber(), 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicked.size(), 1);

    // The caret just after the link's last character still counts; Enter of the keypad too.
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicked, QStringList({s("http://a.example/1"), s("https://b.example/2")}));
    ASSERT_EQ(dialogs->opened.size(), 2u);
    EXPECT_EQ(dialogs->opened[1], QUrl(s("https://b.example/2")));

    // Tab leaves the preview.
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    // An editable control keeps Return as a line break.
    edit->setReadOnly(false);
    edit->moveCursor(QTextCursor::Start);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicked.size(), 2);
    EXPECT_EQ(edit->document()->blockCount(), 4);
}
