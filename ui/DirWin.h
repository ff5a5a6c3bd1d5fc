#pragma once

#include "catalogue/DirectoryOptions.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace quillery {

namespace ui {
class TReportOptionsBox;
}

// "Book Directory Options": edits the options file of one catalogue folder. It starts from the
// main window's format list, format text and report options, then takes whatever the folder's
// options file holds. Closing with OK writes the file; the caller then re-opens the catalogue so
// the main window reads it. The link under the buttons, shown only when the file exists, deletes
// the file and closes the dialog as Cancel.
class TDirFrm final : public QDialog {
    Q_OBJECT
public:
    // Which kind of link a link label reported: one with a target to open, or one with an id.
    enum class LinkKind { Target, Id };

    // `currentDir` is the catalogue folder; `formats` and `formatText` the main window's format
    // list and format text; `report` the main window's seven report values.
    TDirFrm(const QString& currentDir, const QStringList& formats, const QString& formatText,
            const ReportOptions& report, QWidget* parent = nullptr);

    // Whether the dialog was closed with OK and the options file was written.
    bool closedWithOk() const { return m_closedWithOk; }
    // The values the dialog's controls hold (what OK writes).
    DirectoryOptions options() const;
    const QString& currentDir() const { return m_currentDir; }

    void done(int result) override;

    // The handler of both link labels: opens a link with a target in the file manager; a link
    // with the id "remove" deletes the options file.
    void lblCurDirLinkClick(const QString& link, LinkKind kind);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    bool FormClose();
    void cbMicrodataClick();
    void fitFormatList();
    void setControls(const DirectoryOptions& options);

    QString m_currentDir;
    QStringList m_formats;
    QString m_formatText;
    ReportOptions m_report;
    bool m_closedWithOk = false;
    bool m_formShown = false;

    QLabel* m_lblCurDir = nullptr;
    QComboBox* m_cbFormats = nullptr;
    ui::TReportOptionsBox* m_reportBox = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QLabel* m_lblRemove = nullptr;
};

} // namespace quillery
