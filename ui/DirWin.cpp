#include "ui/DirWin.h"

#include "catalogue/IniFile.h"
#include "markup/Microdata.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace quillery {

namespace {

const QString kCaption = QStringLiteral("Book Directory Options");

QLineEdit* addTextRow(QGridLayout* grid, int row, const QString& caption, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TDirFrm::TDirFrm(const QString& currentDir, const QStringList& formats, const QString& formatText,
                 const ReportOptions& report, QWidget* parent)
    : QDialog(parent), m_currentDir(currentDir), m_formats(formats), m_formatText(formatText),
      m_report(report)
{
    setObjectName(QStringLiteral("DirFrm"));
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* intro = new QLabel(QStringLiteral("These settings applies specifically to the current "
                                            "directory"));
    intro->setWordWrap(true);

    m_lblCurDir = new QLabel;
    m_lblCurDir->setObjectName(QStringLiteral("lblCurDir"));
    m_lblCurDir->setTextFormat(Qt::RichText);
    m_lblCurDir->setWordWrap(true);
    m_lblCurDir->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(m_lblCurDir, &QLabel::linkActivated, this,
            [this](const QString& link) { lblCurDirLinkClick(link, LinkKind::Target); });

    auto* gpFormats = new QGroupBox(QStringLiteral("Formats"));
    gpFormats->setObjectName(QStringLiteral("gpFormats"));
    m_cbFormats = new QComboBox;
    m_cbFormats->setObjectName(QStringLiteral("cbFormats"));
    m_cbFormats->setEditable(true);
    m_cbFormats->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would finish a typed format with the rest of a listed one.
    m_cbFormats->setCompleter(nullptr);
    m_cbFormats->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbFormats->setMinimumContentsLength(20);
    auto* lblFormat = new QLabel(QStringLiteral("F&ormat:"));
    lblFormat->setBuddy(m_cbFormats);
    auto* formatsLayout = new QHBoxLayout(gpFormats);
    formatsLayout->addWidget(lblFormat);
    formatsLayout->addWidget(m_cbFormats, 1);

    auto* gpReport = new QGroupBox(QStringLiteral("Report"));
    gpReport->setObjectName(QStringLiteral("gpReport"));
    auto* grid = new QGridLayout(gpReport);
    m_eBeforeItem =
        addTextRow(grid, 0, QStringLiteral("&Before item:"), QStringLiteral("eBeforeItem"));
    m_eAfterItem =
        addTextRow(grid, 1, QStringLiteral("&After item:"), QStringLiteral("eAfterItem"));
    m_eBeforeReport =
        addTextRow(grid, 2, QStringLiteral("B&efore report:"), QStringLiteral("eBeforeReport"));
    m_eAfterReport =
        addTextRow(grid, 3, QStringLiteral("A&fter report:"), QStringLiteral("eAfterReport"));
    m_cbMicrodata = new QCheckBox(QStringLiteral("Include microdata (schema.org/Book)"));
    m_cbMicrodata->setObjectName(QStringLiteral("cbMicrodata"));
    grid->addWidget(m_cbMicrodata, 4, 0, 1, 2);
    m_cbUseLangForTitle = new QCheckBox(QStringLiteral("Use book language for titles"));
    m_cbUseLangForTitle->setObjectName(QStringLiteral("cbUseLangForTitle"));
    m_cbUseLangForTitle->setToolTip(QStringLiteral(
        "If possible, use the BCP 47 language tag in the lang attribute of the span elements "
        "containing the title, subtitle, edition, and series of the book."));
    grid->addWidget(m_cbUseLangForTitle, 5, 0, 1, 2);
    m_eDefLang = new QLineEdit;
    m_eDefLang->setObjectName(QStringLiteral("eDefLang"));
    m_eDefLang->setToolTip(QStringLiteral(
        "If a particular book's language is the default language, its fields will not be given "
        "the lang attribute. The parent of the Quillery report must have the default language. "));
    auto* lblDefLang = new QLabel(QStringLiteral("Default language of the catalogue:"));
    lblDefLang->setBuddy(m_eDefLang);
    grid->addWidget(lblDefLang, 6, 0, 1, 2);
    grid->addWidget(m_eDefLang, 7, 0, 1, 2);

    // The design-time values, which the main window's values replace when the dialog is shown.
    const ReportOptions defaults;
    m_eBeforeItem->setText(defaults.beforeItem);
    m_eAfterItem->setText(defaults.afterItem);
    m_eBeforeReport->setText(defaults.beforeReport);
    m_eAfterReport->setText(defaults.afterReport);
    m_cbMicrodata->setChecked(defaults.microdata);
    m_cbUseLangForTitle->setChecked(defaults.useLangForTitle);
    // Connected after the design-time values: from here on every change of the box's state, by
    // the user or by FormShow, rewrites the item texts.
    connect(m_cbMicrodata, &QCheckBox::toggled, this, [this] { cbMicrodataClick(); });

    m_btnOk = new QPushButton(QStringLiteral("OK"));
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);

    m_lblRemove = new QLabel;
    m_lblRemove->setObjectName(QStringLiteral("lblRemove"));
    m_lblRemove->setTextFormat(Qt::RichText);
    // The label reports the href of a link, so the id travels there as well.
    m_lblRemove->setText(QStringLiteral(
        "<a id=\"remove\" href=\"remove\">Remove the settings file in this directory.</a>"));
    m_lblRemove->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(m_lblRemove, &QLabel::linkActivated, this,
            [this](const QString& link) { lblCurDirLinkClick(link, LinkKind::Id); });
    m_lblRemove->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_lblCurDir);
    layout->addWidget(gpFormats);
    layout->addWidget(gpReport);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(m_lblRemove);
    // Fixed border: the dialog takes the size its contents ask for, and grows when the remove
    // link is shown below the buttons.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(319);
}

DirectoryOptions TDirFrm::options() const
{
    DirectoryOptions options;
    options.format = m_cbFormats->currentText();
    options.report.beforeItem = m_eBeforeItem->text();
    options.report.afterItem = m_eAfterItem->text();
    options.report.beforeReport = m_eBeforeReport->text();
    options.report.afterReport = m_eAfterReport->text();
    options.report.microdata = m_cbMicrodata->isChecked();
    options.report.useLangForTitle = m_cbUseLangForTitle->isChecked();
    options.report.defaultLang = m_eDefLang->text();
    return options;
}

void TDirFrm::setControls(const DirectoryOptions& options)
{
    m_cbFormats->setCurrentText(options.format);
    m_eBeforeItem->setText(options.report.beforeItem);
    m_eAfterItem->setText(options.report.afterItem);
    m_eBeforeReport->setText(options.report.beforeReport);
    m_eAfterReport->setText(options.report.afterReport);
    // A change of state counts as a click and rewrites the item texts just set.
    m_cbMicrodata->setChecked(options.report.microdata);
    m_cbUseLangForTitle->setChecked(options.report.useLangForTitle);
    m_eDefLang->setText(options.report.defaultLang);
}

void TDirFrm::showEvent(QShowEvent* event)
{
    // The dialog is made for one showing; its values are filled in once, when it first appears.
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TDirFrm::FormShow()
{
    const QString target = QUrl::fromLocalFile(m_currentDir).toString(QUrl::FullyEncoded);
    m_lblCurDir->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(target.toHtmlEscaped(), m_currentDir.toHtmlEscaped()));

    m_cbFormats->clear();
    m_cbFormats->addItems(m_formats);
    setControls(DirectoryOptions{m_formatText, m_report});

    const QString path = directoryOptionsPath(m_currentDir);
    if (!QFileInfo::exists(path))
        return;
    ui::guarded(this, [&] {
        const IniFile file = IniFile::load(path);
        setControls(readDirectoryOptionsForDialog(file, options()));
    });
    // Shown below the buttons; the fixed-size layout enlarges the dialog to take it in.
    m_lblRemove->show();
    layout()->activate();
}

void TDirFrm::cbMicrodataClick()
{
    QString beforeItem = m_eBeforeItem->text();
    QString afterItem = m_eAfterItem->text();
    ApplyMicrodataToBeforeItem(m_cbMicrodata->isChecked(), beforeItem, afterItem);
    m_eBeforeItem->setText(beforeItem);
    m_eAfterItem->setText(afterItem);
}

void TDirFrm::lblCurDirLinkClick(const QString& link, LinkKind kind)
{
    if (kind == LinkKind::Target) {
        ui::dialogs().openUrl(QUrl(link));
        return;
    }
    if (link != u"remove")
        return;
    QString reason;
    if (removeDirectoryOptions(m_currentDir, &reason)) {
        reject();
        return;
    }
    ui::dialogs().messageBox(this, QMessageBox::Critical, kCaption,
                             QStringLiteral("Could not remove file.\r\n\r\n") + reason,
                             QMessageBox::Ok);
}

bool TDirFrm::FormClose()
{
    bool written = false;
    ui::guarded(this, [&] {
        writeDirectoryOptions(m_currentDir, options());
        written = true;
    });
    return written;
}

void TDirFrm::done(int result)
{
    if (result == QDialog::Accepted) {
        // A file that cannot be written keeps the dialog open with the user's values, so the
        // caller never re-reads a catalogue whose options were not saved.
        if (!FormClose())
            return;
        m_closedWithOk = true;
    }
    QDialog::done(result);
}

} // namespace quillery
