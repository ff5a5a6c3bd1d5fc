#include "ui/ReportOptionsBox.h"

#include "ui/HelpTopics.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace quillery::ui {

namespace {

const QString kLangHint = QStringLiteral(
    "If possible, use the BCP 47 language tag in the lang attribute of the span elements "
    "containing the title, subtitle, edition, and series of the book.");
const QString kDefLangHint = QStringLiteral(
    "If a particular book's language is the default language, its fields will not be given the "
    "lang attribute. The parent of the Quillery report must have the default language. ");

} // namespace

TReportOptionsBox::TReportOptionsBox(Place place, const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    const bool onPage = place == Place::ReportPage;
    auto* grid = new QGridLayout(this);
    m_eBeforeItem = addTextRow(grid, 0, "eBeforeItem", "&Before item:");
    m_eAfterItem = addTextRow(grid, 1, "eAfterItem", "&After item:");
    m_eBeforeReport = addTextRow(grid, 2, "eBeforeReport", "B&efore report:");
    m_eAfterReport = addTextRow(grid, 3, "eAfterReport", "A&fter report:");
    if (onPage) {
        auto* idNote = new QLabel(QStringLiteral("%ID is the book file name"), this);
        idNote->setObjectName(QStringLiteral("lblIdNote"));
        grid->addWidget(idNote, 0, 2);
    }
    // On the page the boxes line up with the edits; the dialog has no column to spare.
    const int boxColumn = onPage ? 1 : 0;
    m_cbMicrodata = new QCheckBox(QStringLiteral("Include microdata (schema.org/Book)"), this);
    m_cbMicrodata->setObjectName(QStringLiteral("cbMicrodata"));
    grid->addWidget(m_cbMicrodata, 4, boxColumn, 1, 2);
    m_cbUseLangForTitle = new QCheckBox(QStringLiteral("Use book language for titles"), this);
    m_cbUseLangForTitle->setObjectName(QStringLiteral("cbUseLangForTitle"));
    m_cbUseLangForTitle->setToolTip(kLangHint);
    grid->addWidget(m_cbUseLangForTitle, 5, boxColumn, 1, 2);
    m_eDefLang = new QLineEdit(this);
    m_eDefLang->setObjectName(QStringLiteral("eDefLang"));
    m_eDefLang->setToolTip(kDefLangHint);
    auto* defLangLabel = new QLabel(QStringLiteral("Default language of the catalogue:"), this);
    defLangLabel->setBuddy(m_eDefLang);
    grid->addWidget(defLangLabel, 6, 0, 1, 2);
    grid->addWidget(m_eDefLang, 7, 0, 1, 2);
    if (onPage) {
        auto* LinkLabel4 =
            helpLink(QStringLiteral("LinkLabel4"),
                     QStringLiteral("How do I specify a BCP 47 code?"), HelpTopic::Language, this);
        grid->addWidget(LinkLabel4, 7, 2);
    }

    // The design-time values are the options a catalogue without options file reports with.
    setOptions(ReportOptions());

    const auto edits = [this] {
        if (!m_setting)
            Q_EMIT edited();
    };
    for (QLineEdit* edit :
         {m_eBeforeItem, m_eAfterItem, m_eBeforeReport, m_eAfterReport, m_eDefLang})
        connect(edit, &QLineEdit::textChanged, this, edits);
    connect(m_cbUseLangForTitle, &QCheckBox::toggled, this, edits);
    connect(m_cbMicrodata, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_setting)
            Q_EMIT microdataToggled(on);
    });
}

QLineEdit* TReportOptionsBox::addTextRow(QGridLayout* grid, int row, const char* name,
                                         const char* caption)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(name));
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

ReportOptions TReportOptionsBox::options() const
{
    ReportOptions options;
    options.beforeItem = m_eBeforeItem->text();
    options.afterItem = m_eAfterItem->text();
    options.beforeReport = m_eBeforeReport->text();
    options.afterReport = m_eAfterReport->text();
    options.microdata = m_cbMicrodata->isChecked();
    options.useLangForTitle = m_cbUseLangForTitle->isChecked();
    options.defaultLang = m_eDefLang->text();
    return options;
}

void TReportOptionsBox::setOptions(const ReportOptions& options)
{
    m_setting = true;
    m_eBeforeItem->setText(options.beforeItem);
    m_eAfterItem->setText(options.afterItem);
    m_eBeforeReport->setText(options.beforeReport);
    m_eAfterReport->setText(options.afterReport);
    m_cbMicrodata->setChecked(options.microdata);
    m_cbUseLangForTitle->setChecked(options.useLangForTitle);
    m_eDefLang->setText(options.defaultLang);
    m_setting = false;
}

} // namespace quillery::ui
