#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace quillery {

// "Format Manager": the list of reference formats as plain text, one format per line, with a
// button that restores the default formats after asking. The caller replaces its format list by
// formats() when the dialog closes with OK; Cancel changes nothing.
class TformatFrm final : public QDialog {
    Q_OBJECT
public:
    // `formats` are the items of the main window's format box, in order.
    explicit TformatFrm(const QStringList& formats, QWidget* parent = nullptr);

    // The editor's lines, one format per line, in order, empty lines included.
    QStringList formats() const;
    bool closedWithOk() const { return m_closedWithOk; }

    void done(int result) override;

    // Asks whether to restore the default formats and, on Yes, puts them into the editor.
    void btnRestoreClick();

    // The text of the restore question.
    static QString restoreQuestion();

private:
    void FormCreate(const QStringList& formats);

    bool m_closedWithOk = false;
    QPlainTextEdit* m_mFormats = nullptr;
    QPushButton* m_btnRestore = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

} // namespace quillery
