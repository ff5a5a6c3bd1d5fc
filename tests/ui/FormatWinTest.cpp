#include "ui/FormatWin.h"

#include "settings/AppSettings.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quillery;
using Kind = test::ScriptedDialogs::Kind;

namespace {

using quillery::test::s;

// Selects the form of the questions for the life of the object.
class DialogForm {
public:
    explicit DialogForm(bool messageBox)
    {
        if (messageBox)
            qputenv("QUILLERY_DIALOG_FORM", "messagebox");
        else
            qunsetenv("QUILLERY_DIALOG_FORM");
    }
    ~DialogForm() { qunsetenv("QUILLERY_DIALOG_FORM"); }
};

class FormatWin : public ::testing::Test {
protected:
    std::unique_ptr<TformatFrm> open(const QStringList& formats)
    {
        auto dialog = std::make_unique<TformatFrm>(formats);
        dialog->show();
        return dialog;
    }

    static QPlainTextEdit* editor(TformatFrm& dialog)
    {
        return dialog.findChild<QPlainTextEdit*>(QStringLiteral("mFormats"));
    }

    static QPushButton* button(TformatFrm& dialog, const char* name)
    {
        return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    }

    test::ScriptedDialogsScope dialogs;
    const QStringList mine{s("%T"), s(""), s("%A\u00A0%T"), s("")};
};

} // namespace

TEST_F(FormatWin, ListsOneFormatPerLineAndGivesThemBackUnchanged)
{
    const QStringList cases[] = {mine, {}, {s("")}, {s("%A"), s("%Y")}};
    for (const QStringList& formats : cases) {
        SCOPED_TRACE(formats.join(u'|').toStdString());
        auto dialog = open(formats);
        EXPECT_EQ(dialog->windowTitle(), s("Format Manager"));
        EXPECT_EQ(dialog->formats(), formats);
    }
}

TEST_F(FormatWin, OkGivesTheEditedLinesEmptyOnesIncluded)
{
    auto dialog = open(mine);
    editor(*dialog)->setPlainText(s("%A\n\n%Y\n"));
    button(*dialog, "btnOk")->click();
    EXPECT_TRUE(dialog->closedWithOk());
    EXPECT_EQ(dialog->formats(), (QStringList{s("%A"), s(""), s("%Y")}));
    // Formats that run ask nothing.
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(FormatWin, AClearedEditorGivesNoFormats)
{
    auto dialog = open(mine);
    editor(*dialog)->clear();
    button(*dialog, "btnOk")->click();
    EXPECT_TRUE(dialog->closedWithOk());
    EXPECT_TRUE(dialog->formats().isEmpty());
}

TEST_F(FormatWin, CancelReportsNoOk)
{
    auto dialog = open(mine);
    button(*dialog, "btnCancel")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->closedWithOk());
}

TEST_F(FormatWin, RestoreAsksInTheTaskDialogForm)
{
    DialogForm form(false);
    auto dialog = open(mine);
    dialogs->answer(QDialogButtonBox::Yes);
    button(*dialog, "btnRestore")->click();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& task = dialogs->last().task;
    EXPECT_EQ(dialogs->last().kind, Kind::Task);
    EXPECT_EQ(task.windowCaption, s("Format Manager"));
    EXPECT_EQ(task.mainInstruction, s("Restore to Defaults"));
    EXPECT_EQ(task.content, s("Are you sure you wish to revert the list of formats to the "
                              "default list, and thereby disregard any changes made since "
                              "Quillery was installed?"));
    EXPECT_EQ(task.icon, ui::TaskDialogSpec::Icon::None);
    EXPECT_EQ(task.commonButtons, QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(task.defaultButton, QDialogButtonBox::No);
    EXPECT_EQ(dialog->formats(), defaultFormats());
}

TEST_F(FormatWin, RestoreAsksInTheMessageBoxForm)
{
    DialogForm form(true);
    auto dialog = open(mine);
    dialogs->answer(QMessageBox::Yes);
    dialog->btnRestoreClick();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().kind, Kind::Message);
    EXPECT_EQ(dialogs->last().caption, s("Format Manager"));
    EXPECT_EQ(dialogs->last().text, TformatFrm::restoreQuestion());
    EXPECT_EQ(dialogs->last().icon, QMessageBox::Question);
    EXPECT_EQ(dialogs->last().buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(dialogs->last().defaultButton, QMessageBox::No);
    EXPECT_EQ(dialog->formats(), defaultFormats());
}

TEST_F(FormatWin, RestoreAnsweredNoOrEscapeLeavesTheEditorUntouched)
{
    struct Case {
        const char* name;
        bool messageBox;
        int answer; // -1: closed without an answer (Escape)
    };
    const Case cases[] = {
        {"task dialog, No", false, QDialogButtonBox::No},
        {"task dialog, Escape", false, -1},
        {"message box, No", true, QMessageBox::No},
        {"message box, closed", true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogForm form(c.messageBox);
        auto dialog = open(mine);
        editor(*dialog)->appendPlainText(s("%E"));
        const QString before = editor(*dialog)->toPlainText();
        if (c.answer < 0)
            dialogs->cancel();
        else
            dialogs->answer(c.answer);
        dialog->btnRestoreClick();
        EXPECT_EQ(dialogs->last().kind, c.messageBox ? Kind::Message : Kind::Task);
        EXPECT_EQ(editor(*dialog)->toPlainText(), before);
    }
}

TEST_F(FormatWin, RestoreIsOneEditThatOneUndoTakesBack)
{
    auto dialog = open(mine);
    const QString before = editor(*dialog)->document()->toRawText();
    dialogs->answer(QDialogButtonBox::Yes);
    dialog->btnRestoreClick();
    ASSERT_EQ(dialog->formats(), defaultFormats());
    editor(*dialog)->undo();
    EXPECT_EQ(dialog->formats(), mine);
    EXPECT_EQ(editor(*dialog)->document()->toRawText(), before);
}

TEST_F(FormatWin, OkAsksAboutEachFailingFormatAndNoReturnsToItsLine)
{
    const QStringList formats{s("%T"), s("\"abc"), s("%A"), s("\"x|y\"")};
    const QString second = s("Format 2: Unterminated string starting at 1. Keep it anyway?");
    const QString fourth =
        s("Format 4: Identifier expected after conditional string starting at 1. Keep it anyway?");
    struct Case {
        const char* name;
        bool messageBox;
        std::vector<int> answers; // -1: closed without an answer (Escape)
        QStringList asked;
        int caretLine; // -1: the dialog closed with OK
    };
    const int yesTask = QDialogButtonBox::Yes;
    const int yesBox = QMessageBox::Yes;
    const Case cases[] = {
        {"task dialog, No", false, {QDialogButtonBox::No}, {second}, 1},
        {"task dialog, Escape", false, {-1}, {second}, 1},
        {"task dialog, Yes then No", false, {yesTask, QDialogButtonBox::No}, {second, fourth}, 3},
        {"task dialog, Yes to both", false, {yesTask, yesTask}, {second, fourth}, -1},
        {"message box, No", true, {QMessageBox::No}, {second}, 1},
        {"message box, Yes to both", true, {yesBox, yesBox}, {second, fourth}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogForm form(c.messageBox);
        dialogs->shown.clear();
        auto dialog = open(formats);
        editor(*dialog)->moveCursor(QTextCursor::End);
        for (const int a : c.answers) {
            if (a < 0)
                dialogs->cancel();
            else
                dialogs->answer(a);
        }
        button(*dialog, "btnOk")->click();
        QStringList asked;
        for (const auto& shown : dialogs->shown) {
            EXPECT_EQ(shown.caption, s("Format Manager"));
            if (c.messageBox) {
                EXPECT_EQ(shown.kind, Kind::Message);
                EXPECT_EQ(shown.buttons, QMessageBox::Yes | QMessageBox::No);
                EXPECT_EQ(shown.defaultButton, QMessageBox::No);
            } else {
                EXPECT_EQ(shown.kind, Kind::Task);
                EXPECT_EQ(shown.task.commonButtons, QDialogButtonBox::Yes | QDialogButtonBox::No);
                EXPECT_EQ(shown.task.defaultButton, QDialogButtonBox::No);
            }
            asked << shown.text;
        }
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(dialogs->remainingAnswers(), 0);
        EXPECT_EQ(dialog->formats(), formats);
        if (c.caretLine < 0) {
            EXPECT_TRUE(dialog->closedWithOk());
            EXPECT_FALSE(dialog->isVisible());
            continue;
        }
        EXPECT_FALSE(dialog->closedWithOk());
        EXPECT_TRUE(dialog->isVisible());
        const QTextCursor caret = editor(*dialog)->textCursor();
        EXPECT_EQ(caret.blockNumber(), c.caretLine);
        EXPECT_EQ(caret.positionInBlock(), 0);
        EXPECT_FALSE(caret.hasSelection());
        EXPECT_EQ(dialog->focusWidget(), editor(*dialog));
    }
}
