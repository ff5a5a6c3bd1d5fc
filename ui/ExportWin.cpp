#include "ui/ExportWin.h"

#include "ui/Accessibility.h"

#include "ui/Translation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillery::ui {

TExportWin::TExportWin(ExchangeFormat format, qsizetype allBooks,
                       std::optional<qsizetype> shownBooks, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportWin"));
    setWindowTitle(tr("Export Books"));

    cbExportFormat = new QComboBox;
    cbExportFormat->setObjectName(QStringLiteral("cbExportFormat"));
    cbExportFormat->setToolTip(tr("The kind of file to write."));
    // Goodreads and LibraryThing files are only read: their sites import plain CSV.
    const std::pair<const char*, ExchangeFormat> formats[] = {
        {"CSV", ExchangeFormat::Csv},
        {"CSL-JSON", ExchangeFormat::CslJson},
        {"BibTeX", ExchangeFormat::BibTeX},
        {"RIS", ExchangeFormat::Ris},
    };
    for (const auto& [caption, f] : formats)
        cbExportFormat->addItem(QString::fromUtf8(caption), int(f));
    cbExportFormat->setCurrentIndex(std::max(0, cbExportFormat->findData(int(format))));
    auto* form = new QFormLayout;
    form->addRow(tr("&Format:"), cbExportFormat);

    auto* scope = new QGroupBox(tr("Books"));
    rbAllBooks = new QRadioButton(tr("&All books (%1)").arg(uiLocale().toString(allBooks)));
    rbAllBooks->setObjectName(QStringLiteral("rbAllBooks"));
    rbShownBooks = new QRadioButton(
        tr("The books &shown (%1)").arg(uiLocale().toString(shownBooks.value_or(allBooks))));
    rbShownBooks->setObjectName(QStringLiteral("rbShownBooks"));
    rbShownBooks->setToolTip(tr("The books the filter box leaves in the list."));
    rbShownBooks->setEnabled(shownBooks.has_value());
    (shownBooks ? rbShownBooks : rbAllBooks)->setChecked(true);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(rbAllBooks);
    scopeLayout->addWidget(rbShownBooks);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(scope);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    nameControls(this);
    showFocusFrames(this);
}

ExchangeFormat TExportWin::format() const
{
    return ExchangeFormat(cbExportFormat->currentData().toInt());
}

bool TExportWin::shownBooksOnly() const
{
    return rbShownBooks->isChecked();
}

} // namespace quillery::ui
