#pragma once

#include "markup/FormatContext.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace quillery {

// "Format Manager": the list of reference formats as plain text, one format per line, with a
// button that restores the default formats after asking. OK asks about every format that fails
// to run and stays open for the user to mend it. The caller replaces its format list by formats()
// when the dialog closes with OK; Cancel changes nothing.
class TformatFrm final : public QDialog {
    Q_OBJECT
public:
    // `formats` are the items of the main window's format box, in order.
    // `context` is what the formats are tried with on OK (the program's settings and database
    // links; a default one knows no links).
    explicit TformatFrm(const QStringList& formats, QWidget* parent = nullptr,
                        const FormatContext& context = FormatContext());

    // The editor's lines, one format per line, in order, empty lines included.
    QStringList formats() const;
    bool closedWithOk() const { return m_closedWithOk; }

    void done(int result) override;

    // Asks whether to restore the default formats and, on Yes, puts them into the editor.
    void btnRestoreClick();

    // The text of the restore question.
    static QString restoreQuestion();
    // "Format 2: Invalid token starting with %Q at 1. Keep it anyway?": the question asked on OK
    // for a format that fails; `number` counts the lines from 1.
    static QString failureQuestion(int number, const QString& message);

private:
    void FormCreate(const QStringList& formats);
    // Runs every format once on an empty book and asks about each one that fails. False when
    // the user chose to mend one: the caret is then at the start of its line.
    bool keepFailingFormats();
    bool askKeepFailing(int number, const QString& message);

    FormatContext m_context;
    bool m_closedWithOk = false;
    QPlainTextEdit* m_mFormats = nullptr;
    QPushButton* m_btnRestore = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

} // namespace quillery
