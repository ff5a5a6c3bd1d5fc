#include "ui/DirWin.h"

#include "catalogue/DirectoryOptions.h"
#include "session/ReportControls.h"

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

using namespace quillery;
using Kind = test::ScriptedDialogs::Kind;

namespace {

using quillery::test::s;

ReportOptions mainWindowReport()
{
    ReportOptions report;
    report.beforeItem = s("<p>");
    report.afterItem = s("</p>");
    report.beforeReport = s("<div>");
    report.afterReport = s("</div>");
    report.microdata = false;
    report.useLangForTitle = true;
    report.defaultLang = s("English");
    return report;
}

class DirWin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString currentDir() const { return folder.path() + u'/'; }
    QString optionsPath() const { return directoryOptionsPath(currentDir()); }

    std::unique_ptr<TDirFrm> showDialog(const ReportOptions& report = mainWindowReport())
    {
        auto dialog = std::make_unique<TDirFrm>(currentDir(), formats, s("%T"), report);
        dialog->show();
        return dialog;
    }

    template <typename T> static T* child(const TDirFrm& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir folder;
    QStringList formats{s("%A.T"), s("%T"), s("")};
    test::ScriptedDialogsScope dialogs;
};

} // namespace

TEST_F(DirWin, ShowsTheMainWindowValuesAndNoRemoveLinkWithoutAFile)
{
    auto dialog = showDialog();
    EXPECT_EQ(dialog->windowTitle(), s("Book Directory Options"));
    auto* cbFormats = child<QComboBox>(*dialog, "cbFormats");
    ASSERT_EQ(cbFormats->count(), 3);
    EXPECT_EQ(cbFormats->itemText(0), s("%A.T"));
    EXPECT_EQ(cbFormats->itemText(2), s(""));
    EXPECT_EQ(cbFormats->currentText(), s("%T"));
    EXPECT_EQ(dialog->options(), (DirectoryOptions{s("%T"), mainWindowReport()}));
    EXPECT_TRUE(child<QLabel>(*dialog, "lblRemove")->isHidden());
}

TEST_F(DirWin, OkWritesBothSectionsAndAllEightKeysEvenWhenNothingChanged)
{
    auto dialog = showDialog();
    child<QPushButton>(*dialog, "btnOk")->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->closedWithOk());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(test::readBytes(optionsPath()),
              QByteArray("\xEF\xBB\xBF[Formats]\r\nFormat=%T\r\n\r\n"
                         "[Report]\r\nBeforeItem=<p>\r\nAfterItem=</p>\r\nBeforeReport=<div>\r\n"
                         "AfterReport=</div>\r\nMicrodata=0\r\nUseLangForTitle=1\r\n"
                         "DefaultLang=English\r\n\r\n"));
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(DirWin, OkWritesTheEditedValues)
{
    auto dialog = showDialog();
    auto* cbFormats = child<QComboBox>(*dialog, "cbFormats");
    cbFormats->setCurrentText(s("not a listed format"));
    child<QLineEdit>(*dialog, "eDefLang")->setText(s("Svenska (sv)"));
    child<QCheckBox>(*dialog, "cbUseLangForTitle")->setChecked(false);
    dialog->accept();
    ASSERT_TRUE(dialog->closedWithOk());
    QString format = s("%T");
    ReportOptions report;
    ASSERT_TRUE(readDirectoryOptionsInto(currentDir(), format, report));
    EXPECT_EQ(format, s("not a listed format"));
    EXPECT_EQ(report.defaultLang, s("Svenska (sv)"));
    EXPECT_FALSE(report.useLangForTitle);
    // The list of formats is the main window's; the dialog does not add the typed one.
    EXPECT_EQ(cbFormats->count(), 3);
}

// The two boxes are written when ticked; the page title, which has no control, is kept.
TEST_F(DirWin, JsonLdAndCompletePageBoxesAndThePageTitle)
{
    ReportOptions report = mainWindowReport();
    report.pageTitle = s("Shelf");
    auto dialog = showDialog(report);
    child<QCheckBox>(*dialog, "cbJsonLd")->setChecked(true);
    child<QCheckBox>(*dialog, "cbCompletePage")->setChecked(true);
    dialog->accept();
    ASSERT_TRUE(dialog->closedWithOk());
    EXPECT_TRUE(test::readBytes(optionsPath())
                    .endsWith("DefaultLang=English\r\nJsonLd=1\r\nCompletePage=1\r\n"
                              "PageTitle=Shelf\r\n\r\n"));

    auto again = showDialog();
    EXPECT_TRUE(child<QCheckBox>(*again, "cbJsonLd")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*again, "cbCompletePage")->isChecked());
    EXPECT_EQ(again->options().report.pageTitle, s("Shelf"));
}

TEST_F(DirWin, CancelEscapeAndClosingWriteNothing)
{
    const std::vector<std::pair<const char*, std::function<void(TDirFrm&)>>> ways = {
        {"Cancel button",
         [](TDirFrm& d) {
             d.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
         }},
        {"Escape",
         [](TDirFrm& d) {
             QTest::keyClick(&d, Qt::Key_Escape);
         }},
        {"window closed",
         [](TDirFrm& d) {
             d.close();
         }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        auto dialog = showDialog();
        child<QLineEdit>(*dialog, "eBeforeItem")->setText(s("<tr>"));
        close(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(dialog->closedWithOk());
        EXPECT_FALSE(QFile::exists(optionsPath()));
    }
}

TEST_F(DirWin, ExecReturnsAcceptedWithOk)
{
    TDirFrm dialog(currentDir(), formats, s("%T"), mainWindowReport());
    QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialog.closedWithOk());
    EXPECT_TRUE(QFile::exists(optionsPath()));
}

TEST_F(DirWin, TheFileOverridesTheMainWindowAndShowsTheRemoveLink)
{
    const int heightWithoutFile = showDialog()->height();
    test::writeBytes(optionsPath(), "[Formats]\r\nFormat=%Y\r\n[Report]\r\nAfterItem=</p> \r\n"
                                    "DefaultLang=en\r\n");
    auto dialog = showDialog();
    // Missing keys keep what the dialog holds, the booleans included.
    DirectoryOptions expected{s("%Y"), mainWindowReport()};
    expected.report.defaultLang = s("en");
    EXPECT_EQ(dialog->options(), expected);
    EXPECT_FALSE(child<QLabel>(*dialog, "lblRemove")->isHidden());
    EXPECT_GT(dialog->height(), heightWithoutFile);
}

TEST_F(DirWin, MicrodataInTheFileRewritesTheItemTextsJustRead)
{
    test::writeBytes(optionsPath(), "[Report]\r\nBeforeItem=<li>\r\nAfterItem=</li>\r\n"
                                    "Microdata=1\r\n");
    auto dialog = showDialog();
    EXPECT_TRUE(child<QCheckBox>(*dialog, "cbMicrodata")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*dialog, "eBeforeItem")->text(),
              s("<li itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "eAfterItem")->text(), s("</li>"));
}

TEST_F(DirWin, TickingMicrodataRewritesTheDialogsOwnItemTexts)
{
    auto dialog = showDialog();
    auto* microdata = child<QCheckBox>(*dialog, "cbMicrodata");
    auto* beforeItem = child<QLineEdit>(*dialog, "eBeforeItem");
    microdata->click();
    EXPECT_EQ(beforeItem->text(), s("<p itemscope=\"\" itemtype=\"http://schema.org/Book\">"));
    microdata->click();
    EXPECT_EQ(beforeItem->text(), s("<p>"));
}

TEST_F(DirWin, MainWindowWithMicrodataOnKeepsItsItemTexts)
{
    ReportOptions report = mainWindowReport();
    report.microdata = true;
    report.beforeItem = s("<p itemscope=\"\" itemtype=\"http://schema.org/Book\">");
    auto dialog = showDialog(report);
    EXPECT_EQ(dialog->options().report, report);
}

TEST_F(DirWin, TheDirectoryLinkOpensTheFolder)
{
    QDir(folder.path()).mkdir(s("Books #1 & more"));
    const QString dir = folder.path() + s("/Books #1 & more/");
    TDirFrm dialog(dir, formats, s("%T"), mainWindowReport());
    dialog.show();
    auto* label = child<QLabel>(dialog, "lblCurDir");
    EXPECT_TRUE(label->text().contains(dir.toHtmlEscaped())) << label->text().toStdString();
    // The label hands its href to the handler, as a click does.
    const QString href = QUrl::fromLocalFile(dir).toString(QUrl::FullyEncoded);
    Q_EMIT label->linkActivated(href);
    ASSERT_EQ(dialogs->opened.size(), 1u);
    EXPECT_EQ(dialogs->opened[0].toLocalFile(), dir);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DirWin, TheRemoveLinkDeletesTheFileAndClosesAsCancel)
{
    test::writeBytes(optionsPath(), "[Formats]\r\nFormat=%Y\r\n");
    auto dialog = showDialog();
    Q_EMIT child<QLabel>(*dialog, "lblRemove")->linkActivated(s("remove"));
    EXPECT_FALSE(QFile::exists(optionsPath()));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->closedWithOk());
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(DirWin, RemovingAMissingFileShowsTheErrorAndStaysOpen)
{
    test::writeBytes(optionsPath(), "[Formats]\r\nFormat=%Y\r\n");
    auto dialog = showDialog();
    QFile::remove(optionsPath());
    dialog->lblCurDirLinkClick(s("remove"), TDirFrm::LinkKind::Id);
    ASSERT_EQ(dialogs->shown.size(), 1u);
    const auto& box = dialogs->last();
    EXPECT_EQ(box.kind, Kind::Message);
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.caption, s("Book Directory Options"));
    EXPECT_TRUE(box.text.startsWith(s("Could not remove file.\r\n\r\n")));
    EXPECT_GT(box.text.size(), s("Could not remove file.\r\n\r\n").size());
    // The system's own words for a missing file.
    EXPECT_EQ(box.text,
              s("Could not remove file.\r\n\r\n") + QString::fromLocal8Bit(std::strerror(ENOENT)));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(DirWin, OnlyTheExactRemoveIdRemoves)
{
    test::writeBytes(optionsPath(), "[Formats]\r\nFormat=%Y\r\n");
    auto dialog = showDialog();
    dialog->lblCurDirLinkClick(s("Remove"), TDirFrm::LinkKind::Id);
    dialog->lblCurDirLinkClick(s("help"), TDirFrm::LinkKind::Id);
    EXPECT_TRUE(QFile::exists(optionsPath()));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialogs->shown.empty());
    EXPECT_TRUE(dialogs->opened.empty());
}

TEST_F(DirWin, AFailedWriteIsShownAndKeepsTheDialogOpen)
{
    // A folder that has gone away since the catalogue was opened.
    const QString gone = folder.path() + s("/gone/");
    TDirFrm dialog(gone, formats, s("%T"), mainWindowReport());
    dialog.show();
    dialog.accept();
    ASSERT_EQ(dialogs->shown.size(), 1u);
    EXPECT_EQ(dialogs->last().icon, QMessageBox::Critical);
    EXPECT_EQ(dialogs->last().caption, s("Book Directory Options"));
    EXPECT_FALSE(dialogs->last().text.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.closedWithOk());
    // Cancel still closes it.
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DirWin, TheDesignSizeScalesWithTheFont)
{
    struct Case {
        const char* name;
        int pixelSize; // 0: the application's font
    };
    const Case cases[] = {{"application font", 0}, {"larger font", 20}};
    const QFont applicationFont = QApplication::font();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFont font = applicationFont;
        if (c.pixelSize > 0)
            font.setPixelSize(c.pixelSize);
        QApplication::setFont(font);
        auto dialog = showDialog();
        QApplication::setFont(applicationFont);
        // 319 x 415 for the design font's 13-pixel lines, scaled to this font's lines.
        const double scale = dialog->fontMetrics().height() / 13.0;
        ASSERT_GT(scale, 1.0) << "the test fonts are larger than the design font";
        EXPECT_EQ(dialog->size(), QSize(qRound(319 * scale), qRound(415 * scale)));
        // The contents fit.
        EXPECT_EQ(dialog->size().expandedTo(dialog->minimumSizeHint()), dialog->size());
    }
}

TEST_F(DirWin, TheFormatListIsAsWideAsItsLongestFormatWithEachAsTooltip)
{
    formats = {s("%T"), s("%A(Y.F(E.P,p(y\". ISBN \"N(U\" Translated from \"O\" by \"r"),
               s("%A.T")};
    auto dialog = showDialog();
    auto* box = child<QComboBox>(*dialog, "cbFormats");
    for (int i = 0; i < box->count(); ++i)
        EXPECT_EQ(box->itemData(i, Qt::ToolTipRole).toString(), formats[i]);
    box->showPopup();
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible());
    EXPECT_GT(list->width(), box->width());
    for (int i = 0; i < box->count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(list->sizeHintForIndex(list->model()->index(i, 0)).width(),
                  list->viewport()->width());
    }
    box->hidePopup();
}
