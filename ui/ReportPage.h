#pragma once

#include "session/Session.h"

#include <QWidget>

class QAction;
class QComboBox;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace quillery::ui {

class TReportOptionsBox;

// The "Generate Report" page: which books, the reference format with its legend, the report
// options and the split button of the three destinations. Every edit goes to the session as the
// user makes it; ticking the microdata box rewrites the item texts there and shows the result.
class TReportPage final : public QWidget {
    Q_OBJECT
public:
    // `destinations` are the actions of the split button, the first its default.
    TReportPage(Session& session, const QList<QAction*>& destinations, QWidget* parent = nullptr);

    // Shows the session's format list, keeping the format text.
    void showFormats();
    // Shows the session's format text and report options.
    void showFormatAndOptions();

    // Which books the report covers.
    ReportScope scope() const;
    // The split button repeats the destination used last.
    void setLastDestination(QAction* destination);

private:
    void optionsEdited();
    void cbMicrodataClick(bool checked);

    Session& m_session;
    QRadioButton* rbSelected = nullptr;
    QRadioButton* rbAll = nullptr;
    QComboBox* eFormat = nullptr;
    QPlainTextEdit* mFormatLegend = nullptr;
    TReportOptionsBox* m_options = nullptr;
    QToolButton* btnGenerate = nullptr;
    QMenu* btnGeneratePopup = nullptr;
};

} // namespace quillery::ui
