#include "ui/ReportPage.h"

#include "ui/Translation.h"

#include "format/Legend.h"
#include "ui/HelpTopics.h"
#include "ui/ReportOptionsBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillery::ui {

TReportPage::TReportPage(Session& session, const QList<QAction*>& destinations, QWidget* parent)
    : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(this);

    auto* RadioGroup1 = new QGroupBox(tr("Data Selection"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    rbSelected = new QRadioButton(tr("&Selected item"), RadioGroup1);
    rbSelected->setObjectName(QStringLiteral("rbSelected"));
    rbAll = new QRadioButton(tr("A&ll items"), RadioGroup1);
    rbAll->setObjectName(QStringLiteral("rbAll"));
    rbAll->setChecked(true);
    auto* radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(rbSelected);
    radios->addWidget(rbAll);
    layout->addWidget(RadioGroup1);

    auto* formatGroup = new QGroupBox(tr("Reference Format"), this);
    formatGroup->setObjectName(QStringLiteral("gbReferenceFormat"));
    auto* formatGrid = new QGridLayout(formatGroup);
    eFormat = new QComboBox(formatGroup);
    eFormat->setObjectName(QStringLiteral("eFormat"));
    eFormat->setEditable(true);
    eFormat->setInsertPolicy(QComboBox::NoInsert);
    // The format is exactly what the user typed: inline completion would finish it with the
    // rest of a listed format.
    eFormat->setCompleter(nullptr);
    eFormat->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(eFormat, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { m_session.setFormatText(text); });
    auto* formatLabel = new QLabel(tr("F&ormat:"), formatGroup);
    formatLabel->setBuddy(eFormat);
    mFormatLegend = new QPlainTextEdit(formatGroup);
    mFormatLegend->setObjectName(QStringLiteral("mFormatLegend"));
    mFormatLegend->setReadOnly(true);
    mFormatLegend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mFormatLegend->setLineWrapMode(QPlainTextEdit::NoWrap);
    mFormatLegend->setPlainText(formatLegendLines(translatedLegend()).join(u'\n'));
    auto* legendLabel = new QLabel(tr("Legend:"), formatGroup);
    legendLabel->setBuddy(mFormatLegend);
    auto* LinkLabel1 =
        helpLink(QStringLiteral("LinkLabel1"), tr("Learn about more formatting options."),
                 HelpTopic::FormattingOptions, formatGroup);
    formatGrid->addWidget(formatLabel, 0, 0);
    formatGrid->addWidget(eFormat, 0, 1);
    formatGrid->addWidget(legendLabel, 1, 0, Qt::AlignTop);
    formatGrid->addWidget(mFormatLegend, 1, 1);
    formatGrid->addWidget(LinkLabel1, 2, 1);
    layout->addWidget(formatGroup, 1);

    m_options =
        new TReportOptionsBox(TReportOptionsBox::Place::ReportPage, tr("Report Format"), this);
    m_options->setObjectName(QStringLiteral("gbReportFormat"));
    connect(m_options, &TReportOptionsBox::edited, this, &TReportPage::optionsEdited);
    connect(m_options, &TReportOptionsBox::microdataToggled, this, &TReportPage::cbMicrodataClick);
    layout->addWidget(m_options);

    btnGeneratePopup = new QMenu(this);
    btnGeneratePopup->setObjectName(QStringLiteral("btnGeneratePopup"));
    btnGeneratePopup->addActions(destinations);
    btnGenerate = new QToolButton(this);
    btnGenerate->setObjectName(QStringLiteral("btnGenerate"));
    btnGenerate->setPopupMode(QToolButton::MenuButtonPopup);
    btnGenerate->setMenu(btnGeneratePopup);
    btnGenerate->setDefaultAction(destinations.value(0));
    btnGenerate->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnGenerate->setMinimumWidth(160);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnGenerate);
    layout->addLayout(buttonRow);
}

void TReportPage::showFormats()
{
    const QSignalBlocker blocker(eFormat);
    eFormat->clear();
    eFormat->addItems(m_session.formats());
    eFormat->setCurrentText(m_session.formatText());
}

void TReportPage::showFormatAndOptions()
{
    {
        const QSignalBlocker blocker(eFormat);
        eFormat->setCurrentText(m_session.formatText());
    }
    m_options->setOptions(m_session.reportOptions());
}

ReportScope TReportPage::scope() const
{
    return rbAll->isChecked() ? ReportScope::AllItems : ReportScope::SelectedItem;
}

void TReportPage::setLastDestination(QAction* destination)
{
    btnGenerate->setDefaultAction(destination);
    btnGenerate->setMenu(btnGeneratePopup);
}

void TReportPage::optionsEdited()
{
    const ReportOptions options = m_options->options();
    m_session.setBeforeItem(options.beforeItem);
    m_session.setAfterItem(options.afterItem);
    m_session.setBeforeReport(options.beforeReport);
    m_session.setAfterReport(options.afterReport);
    m_session.setUseLangForTitle(options.useLangForTitle);
    m_session.setDefaultLang(options.defaultLang);
    m_session.setSort(options.sort);
    m_session.setGroup(options.group);
    m_session.setBeforeGroup(options.beforeGroup);
    m_session.setAfterGroup(options.afterGroup);
    m_session.setJsonLd(options.jsonLd);
    m_session.setCompletePage(options.completePage);
}

void TReportPage::cbMicrodataClick(bool checked)
{
    m_session.setMicrodata(checked);
    m_options->setOptions(m_session.reportOptions());
}

} // namespace quillery::ui
