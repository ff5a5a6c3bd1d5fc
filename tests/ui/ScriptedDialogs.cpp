#include "ScriptedDialogs.h"

namespace quillery::test {

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::next()
{
    if (m_answers.empty())
        return std::nullopt;
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

int ScriptedDialogs::taskDialog(QWidget*, const ui::TaskDialogSpec& spec)
{
    Shown s{Kind::Task, spec.windowCaption, spec.content, spec, {}, {}, {}, {}, {}, {}, {}};
    shown.push_back(s);
    const auto a = next();
    if (!a || a->isText || a->id < 0)
        return ui::TaskDialogCancelled;
    return a->id;
}

QMessageBox::StandardButton ScriptedDialogs::messageBox(QWidget*, QMessageBox::Icon icon,
                                                        const QString& caption, const QString& text,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton defaultButton)
{
    Shown s{Kind::Message, caption, text, {}, icon, buttons, {}, {}, {}, {}, defaultButton};
    shown.push_back(s);
    // A box with a single button needs no answer.
    if (buttons == QMessageBox::Ok)
        return QMessageBox::Ok;
    const auto a = next();
    if (!a || a->isText || a->id < 0)
        return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Cancel;
    return QMessageBox::StandardButton(a->id);
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget*, const QString& title,
                                                 const QString& prompt, const QString& text)
{
    Shown s{Kind::Input, title, prompt, {}, {}, {}, text, {}, {}, {}, {}};
    shown.push_back(s);
    const auto a = next();
    if (!a || !a->isText)
        return std::nullopt;
    return a->text;
}

std::optional<QString> ScriptedDialogs::pickFolder(QWidget*, const QString& title,
                                                   const QString& acceptLabel,
                                                   const QString& startFolder)
{
    Shown s{Kind::Folder, title, {}, {}, {}, {}, startFolder, {}, acceptLabel, {}, {}};
    shown.push_back(s);
    const auto a = next();
    if (!a || !a->isText)
        return std::nullopt;
    return a->text;
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget*, const QString& title,
                                                     const QString& filter,
                                                     const QString& startFolder,
                                                     const QString& fileName)
{
    Shown s{Kind::Save, title, startFolder, {}, {}, {}, fileName, filter, {}, {}, {}};
    shown.push_back(s);
    const auto a = next();
    if (!a || !a->isText)
        return std::nullopt;
    return a->text;
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget*, const QString& title,
                                                     const QString& filter,
                                                     const QString& startFolder)
{
    shown.push_back(Shown{Kind::Open, title, startFolder, {}, {}, {}, {}, filter, {}, {}, {}});
    const auto a = next();
    if (!a || !a->isText)
        return std::nullopt;
    return a->text;
}

bool ScriptedDialogs::printDialog(QWidget*, QPrinter& printer)
{
    shown.push_back(Shown{Kind::Print, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    const auto a = next();
    if (!a || a->isText || a->id != 1)
        return false;
    if (preparePrinter)
        preparePrinter(printer);
    return true;
}

int ScriptedDialogs::execDialog(QDialog& dialog)
{
    Shown s{Kind::Form, dialog.windowTitle(), {}, {}, {}, {}, {}, {}, {}, dialog.objectName(), {}};
    shown.push_back(s);
    // Shown without a loop of its own: the dialog fills itself in as it appears, the script acts
    // on it, and a dialog still open afterwards is cancelled, so a test never waits on one.
    dialog.show();
    const auto a = next();
    if (a && a->form)
        a->form(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

ScriptedDialogsScope::ScriptedDialogsScope()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    ui::setDialogs(std::move(dialogs));
}

ScriptedDialogsScope::~ScriptedDialogsScope()
{
    ui::setDialogs(nullptr);
}

} // namespace quillery::test
