#include "ui/ReportOptionsBox.h"

#include "ui/HelpTopics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace quillery::ui {

TReportOptionsBox::TReportOptionsBox(Place place, const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    const bool onPage = place == Place::ReportPage;
    auto* grid = new QGridLayout(this);
    m_eBeforeItem = addTextRow(grid, 0, "eBeforeItem", QT_TR_NOOP("&Before item:"));
    m_eAfterItem = addTextRow(grid, 1, "eAfterItem", QT_TR_NOOP("&After item:"));
    m_eBeforeReport = addTextRow(grid, 2, "eBeforeReport", QT_TR_NOOP("B&efore report:"));
    m_eAfterReport = addTextRow(grid, 3, "eAfterReport", QT_TR_NOOP("A&fter report:"));
    if (onPage) {
        auto* idNote = new QLabel(tr("%ID is the book file name"), this);
        idNote->setObjectName(QStringLiteral("lblIdNote"));
        grid->addWidget(idNote, 0, 2);
    }
    // On the page the boxes line up with the edits; the dialog has no column to spare.
    const int boxColumn = onPage ? 1 : 0;
    m_cbMicrodata = new QCheckBox(tr("Include microdata (schema.org/Book)"), this);
    m_cbMicrodata->setObjectName(QStringLiteral("cbMicrodata"));
    grid->addWidget(m_cbMicrodata, 4, boxColumn, 1, onPage ? 1 : 2);
    m_cbUseLangForTitle = new QCheckBox(tr("Use book language for titles"), this);
    m_cbUseLangForTitle->setObjectName(QStringLiteral("cbUseLangForTitle"));
    m_cbUseLangForTitle->setToolTip(
        tr("If possible, use the BCP 47 language tag in the lang attribute of the span elements "
           "containing the title, subtitle, edition, and series of the book."));
    grid->addWidget(m_cbUseLangForTitle, 5, boxColumn, 1, onPage ? 1 : 2);
    m_cbJsonLd = new QCheckBox(tr("JSON-LD"), this);
    m_cbJsonLd->setObjectName(QStringLiteral("cbJsonLd"));
    m_cbJsonLd->setToolTip(
        tr("Adds a JSON-LD script after the report: a schema.org ItemList of the books with their "
           "authors, dates, ISBN-13, format, language, series, publisher and translation."));
    m_cbCompletePage = new QCheckBox(tr("Complete page"), this);
    m_cbCompletePage->setObjectName(QStringLiteral("cbCompletePage"));
    m_cbCompletePage->setToolTip(tr(
        "Makes the report a complete HTML page: the default language as its language, the "
        "catalogue "
        "folder's name as its title (or PageTitle in the folder's options file), the report as its "
        "body."));
    // On the page they stand beside the other two boxes; the dialog has a row for them below.
    if (onPage) {
        grid->addWidget(m_cbJsonLd, 4, 2);
        grid->addWidget(m_cbCompletePage, 5, 2);
    } else {
        auto* forms = new QHBoxLayout;
        forms->addWidget(m_cbJsonLd);
        forms->addWidget(m_cbCompletePage);
        forms->addStretch(1);
        grid->addLayout(forms, 10, 0, 1, 2);
    }
    m_eDefLang = new QLineEdit(this);
    m_eDefLang->setObjectName(QStringLiteral("eDefLang"));
    m_eDefLang->setToolTip(tr(
        "If a particular book's language is the default language, its fields will not be given the "
        "lang attribute. The parent of the Quillery report must have the default language. "));
    auto* defLangLabel = new QLabel(tr("Default language of the catalogue:"), this);
    defLangLabel->setBuddy(m_eDefLang);
    grid->addWidget(defLangLabel, 6, 0, 1, 2);
    grid->addWidget(m_eDefLang, 7, 0, 1, 2);
    if (onPage) {
        auto* LinkLabel4 =
            helpLink(QStringLiteral("LinkLabel4"), tr("How do I specify a BCP 47 code?"),
                     HelpTopic::Language, this);
        grid->addWidget(LinkLabel4, 7, 2);
    }

    // The order and the groups: one sort key with its direction here (the options file and the
    // command line may hold several), and the field the books are grouped by.
    m_cbSortBy = new QComboBox(this);
    m_cbSortBy->setObjectName(QStringLiteral("cbSortBy"));
    m_cbGroupBy = new QComboBox(this);
    m_cbGroupBy->setObjectName(QStringLiteral("cbGroupBy"));
    m_cbGroupBy->addItem(tr("None"));
    for (const auto& [field, english] : reportFields()) {
        const QString caption = QCoreApplication::translate("ReportOptions", english.toUtf8());
        m_cbSortBy->addItem(caption, int(field));
        if (field != ReportField::Name)
            m_cbGroupBy->addItem(caption, int(field));
    }
    m_cbSortDescending = new QCheckBox(tr("Descending"), this);
    m_cbSortDescending->setObjectName(QStringLiteral("cbSortDescending"));
    for (QComboBox* box : {m_cbSortBy, m_cbGroupBy}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
    }
    auto* sortLabel = new QLabel(tr("Sor&t by:"), this);
    sortLabel->setBuddy(m_cbSortBy);
    auto* groupLabel = new QLabel(tr("&Group by:"), this);
    groupLabel->setBuddy(m_cbGroupBy);
    m_eBeforeGroup = new QLineEdit(this);
    m_eBeforeGroup->setObjectName(QStringLiteral("eBeforeGroup"));
    m_eAfterGroup = new QLineEdit(this);
    m_eAfterGroup->setObjectName(QStringLiteral("eAfterGroup"));
    auto* beforeGroupLabel = new QLabel(tr("Before grou&p:"), this);
    beforeGroupLabel->setBuddy(m_eBeforeGroup);
    auto* afterGroupLabel = new QLabel(tr("After gro&up:"), this);
    afterGroupLabel->setBuddy(m_eAfterGroup);
    // Two rows under the other options.
    auto* order = new QHBoxLayout;
    order->addWidget(m_cbSortBy);
    order->addWidget(m_cbSortDescending);
    order->addSpacing(12);
    order->addWidget(groupLabel);
    order->addWidget(m_cbGroupBy);
    order->addStretch(1);
    auto* groupTexts = new QHBoxLayout;
    groupTexts->addWidget(m_eBeforeGroup, 1);
    groupTexts->addWidget(afterGroupLabel);
    groupTexts->addWidget(m_eAfterGroup, 1);
    grid->addWidget(sortLabel, 8, 0);
    grid->addLayout(order, 8, 1, 1, 2);
    grid->addWidget(beforeGroupLabel, 9, 0);
    grid->addLayout(groupTexts, 9, 1, 1, 2);
    // The options dialog keeps the order it was given and shows no controls for it: the file
    // stores the order the report page holds.
    if (!onPage) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 sortLabel, m_cbSortBy, m_cbSortDescending, groupLabel, m_cbGroupBy,
                 beforeGroupLabel, m_eBeforeGroup, afterGroupLabel, m_eAfterGroup})
            w->hide();
    }
    const QString groupHint =
        tr("%G is the group's value (HTML-escaped when microdata is included).");
    m_eBeforeGroup->setToolTip(groupHint);
    m_eAfterGroup->setToolTip(groupHint);

    // The design-time values are the options a catalogue without options file reports with.
    setOptions(ReportOptions());

    const auto edits = [this] {
        if (!m_setting)
            Q_EMIT edited();
    };
    for (QLineEdit* edit :
         {m_eBeforeItem, m_eAfterItem, m_eBeforeReport, m_eAfterReport, m_eDefLang})
        connect(edit, &QLineEdit::textChanged, this, edits);
    for (QCheckBox* box : {m_cbUseLangForTitle, m_cbJsonLd, m_cbCompletePage})
        connect(box, &QCheckBox::toggled, this, edits);
    for (QLineEdit* edit : {m_eBeforeGroup, m_eAfterGroup})
        connect(edit, &QLineEdit::textChanged, this, edits);
    connect(m_cbGroupBy, &QComboBox::currentIndexChanged, this, edits);
    const auto sortEdited = [this] {
        if (m_setting)
            return;
        const auto field = ReportField(m_cbSortBy->currentData().toInt());
        const bool descending = m_cbSortDescending->isChecked();
        // Name order upwards is the order as listed: no key at all.
        m_sort = field == ReportField::Name && !descending
                     ? QList<ReportSortKey>()
                     : QList<ReportSortKey>{ReportSortKey{field, descending}};
        Q_EMIT edited();
    };
    connect(m_cbSortBy, &QComboBox::currentIndexChanged, this, sortEdited);
    connect(m_cbSortDescending, &QCheckBox::toggled, this, sortEdited);
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
    auto* label = new QLabel(tr(caption), this);
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
    options.sort = m_sort;
    if (m_cbGroupBy->currentIndex() > 0)
        options.group = ReportField(m_cbGroupBy->currentData().toInt());
    options.beforeGroup = m_eBeforeGroup->text();
    options.afterGroup = m_eAfterGroup->text();
    options.jsonLd = m_cbJsonLd->isChecked();
    options.completePage = m_cbCompletePage->isChecked();
    options.pageTitle = m_pageTitle;
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
    m_sort = options.sort;
    const ReportSortKey first = m_sort.value(0);
    m_cbSortBy->setCurrentIndex(m_cbSortBy->findData(int(first.field)));
    m_cbSortDescending->setChecked(first.descending);
    const bool grouped = options.group && *options.group != ReportField::Name;
    m_cbGroupBy->setCurrentIndex(grouped ? m_cbGroupBy->findData(int(*options.group)) : 0);
    m_eBeforeGroup->setText(options.beforeGroup);
    m_eAfterGroup->setText(options.afterGroup);
    m_cbJsonLd->setChecked(options.jsonLd);
    m_cbCompletePage->setChecked(options.completePage);
    m_pageTitle = options.pageTitle;
    m_setting = false;
}

} // namespace quillery::ui
