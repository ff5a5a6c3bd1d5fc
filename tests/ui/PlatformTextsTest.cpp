#include "ui/ApplicationSetup.h"
#include "ui/MainActions.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

TEST(ApplicationSetup, WindowTitlesReachThePlatformAsSet)
{
    const QString testName = QCoreApplication::applicationName();
    const QString testOrganisation = QCoreApplication::organizationName();
    const QIcon testIcon = QApplication::windowIcon();
    ui::setUpApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), s("Tollvern Quillery"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), s("Tollvern Quillery"));
    // The platform windows append the display name to every title only once one has been set.
    // Until then it follows the application name, so this shows that none was set.
    QCoreApplication::setApplicationName(s("probe"));
    const QString followed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(testName);
    QCoreApplication::setOrganizationName(testOrganisation);
    QApplication::setWindowIcon(testIcon);
    EXPECT_EQ(followed, s("probe"));

    QWidget window;
    window.setWindowTitle(s("New Book"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), s("New Book"));
    ASSERT_TRUE(window.windowHandle());
    EXPECT_EQ(window.windowHandle()->title(), s("New Book"));
}

TEST(MainActions, ManageNamesTheFileManagerOffWindows)
{
    QWidget window;
    const ui::MainActions actions = ui::createMainActions(&window);
#ifdef Q_OS_WIN
    const QString hint = s("Opens the catalogue directory in Windows Explorer.");
#else
    const QString hint = s("Opens the catalogue directory in the file manager.");
#endif
    EXPECT_EQ(actions.aManage->statusTip(), hint);
    EXPECT_EQ(actions.aManage->toolTip(), hint);
}
