#include "ui/OutputWin.h"
#include <QTextEdit>
#include <QVBoxLayout>
namespace quillery::ui {
ToutputFrm::ToutputFrm(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("outputFrm"));
    setWindowTitle(QStringLiteral("Report Output"));
    reOutput = new QTextEdit(this);
    reOutput->setObjectName(QStringLiteral("reOutput"));
    reOutput->setReadOnly(true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(reOutput);
    resize(635, 304);
}
void ToutputFrm::showReport(const QStringList& lines)
{
    reOutput->setPlainText(lines.join(u'\n'));
    show();
    raise();
}
} // namespace quillery::ui
