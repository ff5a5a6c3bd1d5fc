// The window and every dialog worked from the keyboard alone and read by a screen reader: Tab
// reaches every control (no text box keeps it; Ctrl+Tab leaves the zoom control), and every
// control has an accessible name.

#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "exchange/Import.h"
#include "markup/FormatContext.h"
#include "settings/AppSettings.h"
#include "settings/RegFileStore.h"
#include "ui/DirWin.h"
#include "ui/ExportWin.h"
#include "ui/FormatWin.h"
#include "ui/ImportWin.h"
#include "ui/MainWin.h"
#include "ui/OutputWin.h"
#include "ui/SettingsWin.h"
#include "ui/TaskDialog.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <functional>

using namespace quillery;
using namespace quillery::ui;
using quillery::test::s;

namespace {

QString describe(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromUtf8(w->metaObject()->className())
                                     : w->objectName();
}

// The control a focus lands on: an editable combo box's line edit stands for the box.
QWidget* control(QWidget* w)
{
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

// What Tab should reach in the window as it is now: shown, enabled, taking the focus by Tab.
QList<QWidget*> tabStops(QWidget* window)
{
    QList<QWidget*> stops;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() == window && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && control(w) == w)
            stops.append(w);
    }
    return stops;
}

// Presses Tab from the first tab stop until the focus comes back to it; the controls reached, in
// order.
QList<QWidget*> tabThrough(QWidget* window)
{
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    // The walk starts at the first stop of the focus chain.
    const QList<QWidget*> stops = tabStops(window);
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (stops.contains(w)) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    QWidget* first = control(QApplication::focusWidget());
    QList<QWidget*> reached{first};
    QWidget* now = first;
    int stayed = 0;
    for (int press = 0; first && press < 500; ++press) {
        // A control of several parts (a label's links, the zoom control's buttons) moves between
        // them on Tab; after them, or on Ctrl+Tab for the zoom control, the focus moves on.
        const Qt::KeyboardModifiers leave = stayed >= 8 ? Qt::ControlModifier : Qt::NoModifier;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, leave);
        QWidget* next = control(QApplication::focusWidget());
        if (next == now) {
            ++stayed;
            continue;
        }
        stayed = 0;
        now = next;
        if (next == first)
            break;
        if (!reached.contains(next))
            reached.append(next);
    }
    return reached;
}

void expectReachedAndNamed(QWidget* window, const char* where)
{
    SCOPED_TRACE(where);
    const QList<QWidget*> reached = tabThrough(window);
    const QList<QWidget*> stops = tabStops(window);
    EXPECT_GT(stops.size(), 0);
    for (QWidget* w : stops) {
        EXPECT_TRUE(reached.contains(w)) << "not reached: " << describe(w).toStdString();
        const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << "no accessible name: " << describe(w).toStdString();
    }
}

class KeyboardAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_cat = withTrailingSeparator(m_dir.filePath(s("cat")));
        QDir().mkpath(m_cat);
        BookRecord r;
        r[Field::Title] = s("Emma");
        r[Field::ISBN] = s("0-306-40615-2");
        writeBookFile(bookFilePath(m_cat, s("Emma")), r, QDateTime(QDate(2020, 1, 1), {}),
                      s("1.2.0.0"));
        m_settings = m_dir.filePath(s("settings.reg"));
        test::writeBytes(m_settings, "Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_CURRENT_USER\\Software\\Tollvern\\Quillery\\Settings]"
                                     "\r\n\"Directory\"=\"" +
                                         m_cat.toUtf8() + "\"\r\n\"Book\"=\"Emma\"\r\n\r\n");
    }

    QTemporaryDir m_dir;
    QString m_cat;
    QString m_settings;
};

TEST_F(KeyboardAccess, TabReachesEveryControlOfEveryPageOfTheMainWindow)
{
    TmainFrm window(std::make_unique<RegFileStore>(m_settings));
    window.show();
    ASSERT_FALSE(window.currentBookFile().isEmpty());
    auto* pages = window.findChild<QTabWidget*>(s("MainPageControl"));
    auto* more = window.findChild<QTabWidget*>(s("pcMoreProperties"));
    const struct {
        int page;
        int morePage;
        const char* where;
    } cases[] = {
        {0, 0, "Item Properties, Additional Details"},
        {0, 1, "Item Properties, Language"},
        {1, 0, "Generate Report"},
        {2, 0, "Database Links"},
    };
    for (const auto& c : cases) {
        pages->setCurrentIndex(c.page);
        more->setCurrentIndex(c.morePage);
        expectReachedAndNamed(&window, c.where);
    }
    // F10 opens the first menu.
    QTest::keyClick(&window, Qt::Key_F10);
    EXPECT_EQ(window.menuBar()->activeAction(), window.menuBar()->actions().constFirst());
    // The link preview is one of the stops, with its caption as its name.
    EXPECT_EQ(window.findChild<QWidget*>(s("reDataLinks"))->accessibleName(), s("Database Links"));
}

TEST_F(KeyboardAccess, TabReachesEveryControlOfTheReportOutputWindowTheZoomControlIncluded)
{
    TmainFrm window(std::make_unique<RegFileStore>(m_settings));
    window.show();
    ToutputFrm* output = window.outputWindow();
    output->showReport({s("Austen, Jane. Emma."), s("Brontë, Charlotte. Villette.")});
    expectReachedAndNamed(output, "Report Output");
    EXPECT_TRUE(tabThrough(output).contains(output->findChild<QWidget*>(s("ZoomControl1"))));
}

TEST_F(KeyboardAccess, TheReportWindowsToolbarCommandsHaveKeys)
{
    test::ScriptedDialogsScope dialogs;
    ToutputFrm output;
    output.showReport({s("Austen, Jane. Emma.")});
    ASSERT_TRUE(QTest::qWaitForWindowActive(&output));
    QTest::keyClick(output.reOutput(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().kind, test::ScriptedDialogs::Kind::Save);
    QTest::keyClick(output.reOutput(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs->shown.size(), 2u);
    EXPECT_EQ(dialogs->last().kind, test::ScriptedDialogs::Kind::Print);
    QApplication::clipboard()->clear();
    QTest::keyClick(output.reOutput(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(s("Austen, Jane. Emma.")));
    QTest::keyClick(output.reOutput(), Qt::Key_Escape);
    EXPECT_FALSE(output.isVisible());
}

TEST_F(KeyboardAccess, TabReachesEveryControlOfEveryDialog)
{
    const AppSettings settings;
    const std::function<std::unique_ptr<QDialog>()> dialogs[] = {
        [&] { return std::make_unique<TsettingsFrm>(settings); },
        [&] {
            return std::make_unique<TDirFrm>(m_cat, settings.formats, s("%A"), ReportOptions());
        },
        [&] { return std::make_unique<TformatFrm>(settings.formats, nullptr, FormatContext()); },
        [&] { return std::make_unique<TExportWin>(ExchangeFormat::Csv, 12, 3); },
        [&] {
            return std::make_unique<TImportWin>(
                m_dir.filePath(s("books.csv")), ExchangeFormat::Csv, ImportPlan(),
                [](ExchangeFormat, DuplicatePolicy) { return ImportPlan(); });
        },
        [&] {
            TaskDialogSpec spec;
            spec.mainInstruction = s("Confirm Removal");
            spec.commandLinks = {{101, s("Remove"), s("Remove the book.")},
                                 {102, s("Keep"), s("Keep the book.")}};
            spec.commonButtons = QDialogButtonBox::Cancel;
            spec.expandedInformation = s("details");
            return std::make_unique<TaskDialog>(spec);
        },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        const std::string name = describe(dialog.get()).toStdString();
        // A dialog with pages is walked page by page.
        auto* pages = dialog->findChild<QTabWidget*>();
        for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
            if (pages)
                pages->setCurrentIndex(page);
            expectReachedAndNamed(dialog.get(), name.c_str());
        }
    }
}

} // namespace
