#include "ui/HelpTopics.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace quillery;
using namespace quillery::ui;

using quillery::test::s;

TEST(HelpTopics, TextsAreExact)
{
    EXPECT_EQ(helpTopicTitle(HelpTopic::FormattingOptions), s("Formatting Options"));
    EXPECT_EQ(helpTopicTitle(HelpTopic::Language), s("Language"));
    EXPECT_EQ(helpTopicTitle(HelpTopic::SpecifyingAuthors), s("Specifying Authors"));

    const QStringList formatting = helpTopicText(HelpTopic::FormattingOptions).split(s("\r\n\r\n"));
    ASSERT_EQ(formatting.size(), 6);
    EXPECT_EQ(formatting[4], s(",A works the same way, but using comma instead of period."));
    EXPECT_TRUE(formatting[5].endsWith(s("For example, \"I \"\"love\"\" carrots\"A would print the "
                                         "string 'I \"love\" carrots' before the value of A.")));

    const QStringList authors = helpTopicText(HelpTopic::SpecifyingAuthors).split(s("\r\n\r\n"));
    ASSERT_EQ(authors.size(), 4);
    // The third paragraph ends with a space.
    EXPECT_TRUE(authors[2].endsWith(s("organisation and not a person. ")));
    EXPECT_TRUE(
        authors[3].startsWith(s("For example, the string \"Doe, John; Mary Smith; IBM *\"")));

    EXPECT_TRUE(helpTopicText(HelpTopic::Language)
                    .startsWith(s("You can choose to specify a language using its name, e.g. "
                                  "\"English\".")));
    EXPECT_TRUE(helpTopicText(HelpTopic::Language)
                    .endsWith(s("Notice that a BCP 47 code is needed for semantic HTML (but "
                                "otherwise not).")));
}

TEST(HelpTopics, ShownInBothFormsAndOnlyForTheHelpId)
{
    test::ScriptedDialogsScope dialogs;
    helpLinkClicked(nullptr, s("other"), HelpTopic::Language);
    EXPECT_TRUE(dialogs->shown.empty());
    helpLinkClicked(nullptr, s("Help"), HelpTopic::Language);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().task.windowCaption, s("Tollvern Quillery"));
    EXPECT_EQ(dialogs->last().task.mainInstruction, s("Language"));
    EXPECT_EQ(dialogs->last().task.commonButtons, QDialogButtonBox::Close);

    qputenv("QUILLERY_DIALOG_FORM", "messagebox");
    ShowHelpTopic(nullptr, HelpTopic::SpecifyingAuthors);
    qunsetenv("QUILLERY_DIALOG_FORM");
    EXPECT_EQ(dialogs->last().kind, test::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(dialogs->last().caption, s("Specifying Authors"));
    EXPECT_EQ(dialogs->last().icon, QMessageBox::Information);
}

TEST(HelpTopics, LinkLabelIsOneTabStopWithAFocusFrameAndKeysShowTheTopic)
{
    test::ScriptedDialogsScope dialogs;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    QLabel* link =
        helpLink(s("LinkLabel3"), s("Help on names"), HelpTopic::SpecifyingAuthors, nullptr);
    auto* after = new QLineEdit;
    layout->addWidget(before);
    layout->addWidget(link);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    before->setFocus();
    const QImage unfocused = link->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(link->hasFocus());
    EXPECT_NE(link->grab().toImage(), unfocused);

    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_Enter, Qt::KeypadModifier},
          std::pair{Qt::Key_Space, Qt::NoModifier}}) {
        SCOPED_TRACE(key);
        dialogs->shown.clear();
        QTest::keyClick(link, key, modifiers);
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(dialogs->last().task.mainInstruction, s("Specifying Authors"));
    }
    QTest::keyClick(link, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(link->hasFocus());
    QTest::keyClick(link, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());

    // The mouse still opens it.
    dialogs->shown.clear();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
    EXPECT_EQ(dialogs->shown.size(), 1u);
}

TEST(About, ShowsTheVersionAndTheMakersSite)
{
    test::ScriptedDialogsScope dialogs;
    showAbout(nullptr);
    const auto& task = dialogs->last().task;
    EXPECT_EQ(task.windowCaption, s("About Tollvern Quillery"));
    EXPECT_EQ(task.mainInstruction, s("Tollvern Quillery"));
    EXPECT_TRUE(task.content.startsWith(s("File Version: 1.2.0.0\r\n\r\n")));
    ASSERT_TRUE(task.onHyperlink);
    task.onHyperlink(s("https://www.tollvern.example/"));
    ASSERT_EQ(dialogs->opened.size(), 1u);
    EXPECT_EQ(dialogs->opened[0], QUrl(s("https://www.tollvern.example/")));

    qputenv("QUILLERY_DIALOG_FORM", "messagebox");
    showAbout(nullptr);
    qunsetenv("QUILLERY_DIALOG_FORM");
    EXPECT_EQ(dialogs->last().caption, s("Tollvern Quillery"));
    EXPECT_TRUE(dialogs->last().text.startsWith(s("File Version: 1.2.0.0\r\n\r\n")));
    EXPECT_TRUE(dialogs->last().text.endsWith(
        s("\r\n\r\nTollvern Quillery is running in Windows XP Compatibility Mode.")));
}
