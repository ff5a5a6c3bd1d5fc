#pragma once

#include "ui/Dialogs.h"

#include <QDialog>

class QLabel;
class QToolButton;

namespace quillery::ui {

// The task-dialog form of a question: the main instruction in a larger font, the text,
// command-link buttons with their notes, the common buttons, a collapsed details area under the
// expander and a footer.
class TaskDialog final : public QDialog {
    Q_OBJECT
public:
    TaskDialog(const TaskDialogSpec& spec, QWidget* parent = nullptr);

    // The id of the command link or standard button that closed the dialog, or
    // TaskDialogCancelled.
    int result() const { return m_result; }

    // Shows or hides the details area, as the expander does.
    void setDetailsExpanded(bool expanded);
    bool detailsExpanded() const;

private:
    void finishWith(int id);

    TaskDialogSpec m_spec;
    int m_result = TaskDialogCancelled;
    QToolButton* m_expander = nullptr;
    QLabel* m_details = nullptr;
};

} // namespace quillery::ui
