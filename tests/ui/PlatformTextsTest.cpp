#include "ui/MainActions.h"

#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

using namespace quillery;
using quillery::test::s;

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
