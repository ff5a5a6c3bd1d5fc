#pragma once

#include "catalogue/ReportOptions.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

namespace quillery::ui {

// The report options as one group of controls, with their captions and hints: the texts before
// and after each item and the whole report, the microdata box, the language box, the default
// language, the JSON-LD and complete-page boxes, and the order and the groups of the books. The
// "Generate Report" page and the directory-options dialog both show one. The page title has no
// control: the box keeps the title it was given.
//
// The box reports the user's edits and leaves the microdata rule to its owner: `setOptions` never
// signals, and ticking the microdata box only says so.
class TReportOptionsBox final : public QGroupBox {
    Q_OBJECT
public:
    // Where the box stands: the report page adds the "%ID" note and the language help link.
    enum class Place { ReportPage, DirectoryOptions };

    TReportOptionsBox(Place place, const QString& title, QWidget* parent = nullptr);

    ReportOptions options() const;
    // Shows the options as they are; no signal, no rewrite of the item texts.
    void setOptions(const ReportOptions& options);

Q_SIGNALS:
    // One of the texts or the language, JSON-LD or complete-page box was edited.
    void edited();
    // The microdata box changed state.
    void microdataToggled(bool on);

private:
    QLineEdit* addTextRow(QGridLayout* grid, int row, const char* name, const char* caption);

    QLineEdit* m_eBeforeItem = nullptr;
    QLineEdit* m_eAfterItem = nullptr;
    QLineEdit* m_eBeforeReport = nullptr;
    QLineEdit* m_eAfterReport = nullptr;
    QCheckBox* m_cbMicrodata = nullptr;
    QCheckBox* m_cbUseLangForTitle = nullptr;
    QLineEdit* m_eDefLang = nullptr;
    QComboBox* m_cbSortBy = nullptr;
    QCheckBox* m_cbSortDescending = nullptr;
    QComboBox* m_cbGroupBy = nullptr;
    QLineEdit* m_eBeforeGroup = nullptr;
    QLineEdit* m_eAfterGroup = nullptr;
    QCheckBox* m_cbJsonLd = nullptr;
    QCheckBox* m_cbCompletePage = nullptr;
    QString m_pageTitle;
    // The sort keys as set: the box shows the first, and keeps the others until the user picks
    // another order.
    QList<ReportSortKey> m_sort;
    // Set while setOptions fills the controls, so their change signals say nothing.
    bool m_setting = false;
};

} // namespace quillery::ui
