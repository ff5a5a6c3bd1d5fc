#pragma once
// Stand-in until the report output window lands.
#include <QStringList>
#include <QWidget>
class QTextEdit;
namespace quillery::ui {
class ToutputFrm : public QWidget {
    Q_OBJECT
public:
    explicit ToutputFrm(QWidget* owner = nullptr);
    void showReport(const QStringList& lines);
    QTextEdit* reOutput;
};
} // namespace quillery::ui
