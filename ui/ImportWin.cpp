#include "ui/ImportWin.h"

#include "ui/Accessibility.h"

#include "ui/Translation.h"

#include "ui/ErrorGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillery::ui {

namespace {

// The columns of the preview, left to right.
enum Column {
    ColRecord,
    ColResult,
    ColName,
    ColAuthor,
    ColTitle,
    ColYearPrinted,
    ColIsbn,
    ColNote,
    ColumnCount
};

// "N books will be imported, D duplicates skipped, R records rejected."
QString importPreviewSummaryText(const ImportPlan& plan)
{
    const QLocale locale = uiLocale();
    return TImportWin::tr("%1 books will be imported, %2 duplicates skipped, %3 records rejected.")
        .arg(locale.toString(plan.count(ImportStep::Action::Create)),
             locale.toString(plan.count(ImportStep::Action::Duplicate)),
             locale.toString(plan.count(ImportStep::Action::Reject)));
}

} // namespace

TImportWin::TImportWin(const QString& file, ExchangeFormat format, ImportPlan plan, Replan replan,
                       QWidget* parent)
    : QDialog(parent), m_plan(std::move(plan)), m_replan(std::move(replan)), m_format(format)
{
    setObjectName(QStringLiteral("ImportWin"));
    setWindowTitle(tr("Import Books"));

    auto* lblImportFile = new QLabel(tr("File: %1").arg(QFileInfo(file).fileName()));
    lblImportFile->setObjectName(QStringLiteral("lblImportFile"));
    lblImportFile->setToolTip(QDir::toNativeSeparators(file));

    cbImportFormat = new QComboBox;
    cbImportFormat->setObjectName(QStringLiteral("cbImportFormat"));
    cbImportFormat->setToolTip(
        tr("The kind of file to read it as; the program tells it from the content."));
    const std::pair<const char*, ExchangeFormat> formats[] = {
        {"CSV", ExchangeFormat::Csv},
        {"Goodreads", ExchangeFormat::Goodreads},
        {"LibraryThing", ExchangeFormat::LibraryThing},
        {"CSL-JSON", ExchangeFormat::CslJson},
        {"BibTeX", ExchangeFormat::BibTeX},
        {"RIS", ExchangeFormat::Ris},
    };
    for (const auto& [caption, f] : formats)
        cbImportFormat->addItem(QString::fromUtf8(caption), int(f));
    cbImportFormat->setCurrentIndex(cbImportFormat->findData(int(format)));
    connect(cbImportFormat, &QComboBox::currentIndexChanged, this,
            [this] { cbImportFormatChange(); });
    auto* lblFormat = new QLabel(tr("&Format:"));
    lblFormat->setBuddy(cbImportFormat);

    cbImportDuplicates = new QCheckBox(tr("Import &duplicates too"));
    cbImportDuplicates->setObjectName(QStringLiteral("cbImportDuplicates"));
    cbImportDuplicates->setToolTip(
        tr("Creates a new book also for a record that matches a book of the catalogue or an "
           "earlier record, by ISBN or by author and title."));
    connect(cbImportDuplicates, &QCheckBox::toggled, this, [this] { cbImportDuplicatesClick(); });

    tvImportPreview = new QTableWidget(0, ColumnCount);
    tvImportPreview->setObjectName(QStringLiteral("tvImportPreview"));
    tvImportPreview->setAccessibleName(tr("Preview"));
    tvImportPreview->setHorizontalHeaderLabels({tr("Record"), tr("Result"), tr("Name"),
                                                tr("Author"), tr("Title"), tr("Year printed"),
                                                tr("ISBN"), tr("Note")});
    tvImportPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvImportPreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvImportPreview->setSortingEnabled(false);
    tvImportPreview->verticalHeader()->hide();
    tvImportPreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tvImportPreview->horizontalHeader()->setStretchLastSection(true);

    lblImportSummary = new QLabel;
    lblImportSummary->setObjectName(QStringLiteral("lblImportSummary"));

    auto* buttons = new QDialogButtonBox;
    btnImport = buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    btnImport->setObjectName(QStringLiteral("btnImport"));
    btnImport->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(lblImportFile, 1);
    top->addWidget(lblFormat);
    top->addWidget(cbImportFormat);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cbImportDuplicates);
    layout->addWidget(tvImportPreview, 1);
    layout->addWidget(lblImportSummary);
    layout->addWidget(buttons);
    resize(960, 480);

    showPlan();
    nameControls(this);
    showFocusFrames(this);
}

void TImportWin::cbImportFormatChange()
{
    const auto chosen = ExchangeFormat(cbImportFormat->currentData().toInt());
    const DuplicatePolicy policy =
        cbImportDuplicates->isChecked() ? DuplicatePolicy::Import : DuplicatePolicy::Skip;
    if (replan(chosen, policy)) {
        m_format = chosen;
        return;
    }
    // The file stays read as it was, and the box says so.
    const QSignalBlocker blocker(cbImportFormat);
    cbImportFormat->setCurrentIndex(cbImportFormat->findData(int(m_format)));
}

void TImportWin::cbImportDuplicatesClick()
{
    const bool importThem = cbImportDuplicates->isChecked();
    if (replan(m_format, importThem ? DuplicatePolicy::Import : DuplicatePolicy::Skip))
        return;
    const QSignalBlocker blocker(cbImportDuplicates);
    cbImportDuplicates->setChecked(!importThem);
}

bool TImportWin::replan(ExchangeFormat format, DuplicatePolicy policy)
{
    bool planned = false;
    guarded(this, [&] {
        m_plan = m_replan(format, policy);
        planned = true;
    });
    if (planned)
        showPlan();
    return planned;
}

void TImportWin::showPlan()
{
    // Skipped and rejected records are greyed; the Result column says the same in words.
    const QBrush passedOver = palette().brush(QPalette::Disabled, QPalette::Text);
    tvImportPreview->setRowCount(0);
    tvImportPreview->setRowCount(int(m_plan.steps.size()));
    int row = 0;
    for (const ImportStep& step : m_plan.steps) {
        const BookRecord& book = step.record.book;
        const bool duplicate = !step.duplicateOf.isEmpty();
        QString result;
        QString note;
        switch (step.action) {
        case ImportStep::Action::Create:
            result = duplicate ? tr("New book (duplicate)") : tr("New book");
            break;
        case ImportStep::Action::Duplicate:
            result = tr("Duplicate");
            break;
        case ImportStep::Action::Reject:
            result = tr("Rejected");
            note = step.record.rejection;
            break;
        }
        if (duplicate)
            note = tr("Duplicate of \"%1\" (%2)").arg(step.duplicateOf, step.duplicateReason);
        const QString cells[ColumnCount] = {
            step.record.location,
            result,
            step.action == ImportStep::Action::Create ? step.name : QString(),
            book[Field::Author],
            book[Field::Title],
            book[Field::YearPrinted],
            book[Field::ISBN],
            note,
        };
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (step.action != ImportStep::Action::Create)
                item->setForeground(passedOver);
            tvImportPreview->setItem(row, column, item);
        }
        tvImportPreview->item(row, ColNote)->setToolTip(note);
        ++row;
    }
    // A long title must not push the other columns out of sight; the note takes the width left,
    // and its tooltip holds it whole.
    for (int column = 0; column < ColNote; ++column) {
        tvImportPreview->resizeColumnToContents(column);
        tvImportPreview->setColumnWidth(column,
                                        std::min(tvImportPreview->columnWidth(column), 160));
    }
    lblImportSummary->setText(importPreviewSummaryText(m_plan));
    btnImport->setEnabled(m_plan.count(ImportStep::Action::Create) > 0);
}

} // namespace quillery::ui
