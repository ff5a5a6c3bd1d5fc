#pragma once

#include "ui/Dialogs.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace quillery::test {

// Dialogs answered by script: every dialog the program shows is recorded, and answered with the
// next scripted answer (or cancelled when none is left), so tests drive every command headlessly.
class ScriptedDialogs final : public ui::Dialogs {
public:
    enum class Kind { Task, Message, Input, Folder, Save, Open, Print, Form };

    struct Shown {
        Kind kind;
        QString caption; // window caption or dialog title
        QString text;    // content, message text, prompt or a file dialog's start folder
        ui::TaskDialogSpec task;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString initial; // input text, start folder or proposed file name
        QString filter;
        QString acceptLabel;
        QString objectName; // a form's object name
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    // What a test does with one of the program's own dialogs while it is shown: fill its controls
    // and close it, typically by clicking its OK or Cancel button.
    using FormScript = std::function<void(QDialog&)>;

    // An answer: a button or command-link id, a text (input, folder, file name), a form script or
    // nothing.
    struct Answer {
        bool isText = false;
        int id = -1;
        QString text;
        FormScript form;
    };

    void answer(int idOrButton) { m_answers.push_back({false, idOrButton, {}, {}}); }
    void answer(const QString& text) { m_answers.push_back({true, 0, text, {}}); }
    void cancel() { m_answers.push_back({false, -1, {}, {}}); }
    // Answers the next dialog of the program's own: the script runs while the dialog is shown; a
    // dialog the script leaves open is then closed as Cancel.
    void answer(FormScript form) { m_answers.push_back({false, -1, {}, std::move(form)}); }

    std::vector<Shown> shown;
    std::vector<QUrl> opened;

    const Shown& last() const { return shown.back(); }
    qsizetype remainingAnswers() const { return qsizetype(m_answers.size()); }

    int taskDialog(QWidget*, const ui::TaskDialogSpec& spec) override;
    QMessageBox::StandardButton
    messageBox(QWidget*, QMessageBox::Icon icon, const QString& caption, const QString& text,
               QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override;
    std::optional<QString> inputBox(QWidget*, const QString& title, const QString& prompt,
                                    const QString& text) override;
    std::optional<QString> pickFolder(QWidget*, const QString& title, const QString& acceptLabel,
                                      const QString& startFolder) override;
    std::optional<QString> saveFileName(QWidget*, const QString& title, const QString& filter,
                                        const QString& startFolder,
                                        const QString& fileName) override;
    std::optional<QString> openFileName(QWidget*, const QString& title, const QString& filter,
                                        const QString& startFolder) override;
    bool printDialog(QWidget*, QPrinter& printer) override;
    void openUrl(const QUrl& url) override { opened.push_back(url); }
    int execDialog(QDialog& dialog) override;

    // Called by printDialog when answered with 1, to set the printer up (e.g. a PDF file).
    std::function<void(QPrinter&)> preparePrinter;

private:
    std::optional<Answer> next();
    std::deque<Answer> m_answers;
};

// Installs scripted dialogs for the life of the object and restores the real ones after.
class ScriptedDialogsScope {
public:
    ScriptedDialogsScope();
    ~ScriptedDialogsScope();
    ScriptedDialogs& operator*() { return *m_dialogs; }
    ScriptedDialogs* operator->() { return m_dialogs; }

private:
    ScriptedDialogs* m_dialogs;
};

} // namespace quillery::test
