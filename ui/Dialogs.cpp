#include "ui/Dialogs.h"

#include "ui/TaskDialog.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace quillery::ui {

namespace {

std::unique_ptr<Dialogs>& current()
{
    static std::unique_ptr<Dialogs> instance = std::make_unique<PlatformDialogs>();
    return instance;
}

} // namespace

Dialogs& dialogs()
{
    return *current();
}

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement)
{
    std::unique_ptr<Dialogs> previous = std::move(current());
    current() = replacement ? std::move(replacement) : std::make_unique<PlatformDialogs>();
    return previous;
}

bool useTaskDialogForm()
{
    return qEnvironmentVariable("QUILLERY_DIALOG_FORM")
               .compare(u"messagebox", Qt::CaseInsensitive) != 0;
}

int PlatformDialogs::taskDialog(QWidget* parent, const TaskDialogSpec& spec)
{
    TaskDialog dialog(spec, parent);
    dialog.exec();
    return dialog.result();
}

QMessageBox::StandardButton PlatformDialogs::messageBox(QWidget* parent, QMessageBox::Icon icon,
                                                        const QString& caption, const QString& text,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton defaultButton)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, caption, shown, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

std::optional<QString> PlatformDialogs::inputBox(QWidget* parent, const QString& title,
                                                 const QString& prompt, const QString& text)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

std::optional<QString> PlatformDialogs::pickFolder(QWidget* parent, const QString& title,
                                                   const QString& acceptLabel,
                                                   const QString& startFolder)
{
    QFileDialog dialog(parent, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setLabelText(QFileDialog::Accept, acceptLabel);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> PlatformDialogs::saveFileName(QWidget* parent, const QString& title,
                                                     const QString& filter,
                                                     const QString& startFolder,
                                                     const QString& fileName)
{
    QFileDialog dialog(parent, title, startFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> PlatformDialogs::openFileName(QWidget* parent, const QString& title,
                                                     const QString& filter,
                                                     const QString& startFolder)
{
    const QString file = QFileDialog::getOpenFileName(parent, title, startFolder, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

bool PlatformDialogs::printDialog(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PlatformDialogs::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

int PlatformDialogs::execDialog(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace quillery::ui
