#pragma once

#include "exchange/ExchangeFormat.h"
#include "exchange/Import.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace quillery::ui {

// "Import Books": what an import will do, record by record, before anything is written. The user
// may read the file as another format or import duplicates too; each change plans the import
// again through the callback, so the dialog never holds the catalogue itself.
class TImportWin final : public QDialog {
    Q_OBJECT
public:
    // Plans the import of the same file again in a format and with a duplicate policy; throws
    // Error when the file cannot be read so.
    using Replan = std::function<ImportPlan(ExchangeFormat, DuplicatePolicy)>;

    TImportWin(const QString& file, ExchangeFormat format, ImportPlan plan, Replan replan,
               QWidget* parent = nullptr);

    // The plan as shown, which Import carries out.
    const ImportPlan& plan() const { return m_plan; }

private:
    void cbImportFormatChange();
    void cbImportDuplicatesClick();
    // Plans again; false, with the error shown, when that failed (the plan is then unchanged).
    bool replan(ExchangeFormat format, DuplicatePolicy policy);
    void showPlan();

    ImportPlan m_plan;
    Replan m_replan;
    ExchangeFormat m_format;

    QComboBox* cbImportFormat = nullptr;
    QCheckBox* cbImportDuplicates = nullptr;
    QTableWidget* tvImportPreview = nullptr;
    QLabel* lblImportSummary = nullptr;
    QPushButton* btnImport = nullptr;
};

} // namespace quillery::ui
