#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace quillery {
class Session;
}

namespace quillery::ui {

// The "Database Links" page: the link templates, one per line, beside the legend of their codes.
// Every edit goes to the session's templates as typed, no-break spaces included.
class TLinksPage final : public QWidget {
    Q_OBJECT
public:
    TLinksPage(Session& session, QWidget* parent = nullptr);

    // Shows the session's templates.
    void showTemplates();

private:
    Session& m_session;
    QPlainTextEdit* teDataLinks = nullptr;
    QPlainTextEdit* mFormatLegend2 = nullptr;
};

} // namespace quillery::ui
