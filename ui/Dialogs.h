#pragma once

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace quillery::ui {

// A question or a piece of information in the task-dialog form: a main instruction above the
// text, command-link buttons with notes, common buttons, a collapsed details area and a footer.
struct TaskDialogSpec {
    enum class Icon { None, Information, Warning, Error, Question, Application };

    struct CommandLink {
        int id;
        QString caption;
        QString note;
    };

    QString windowCaption;
    QString mainInstruction;
    QString content;
    Icon icon = Icon::None;
    QList<CommandLink> commandLinks;
    QDialogButtonBox::StandardButtons commonButtons = QDialogButtonBox::NoButton;
    QString expandedInformation; // shown under the expander, collapsed at first
    QString expanderCaption = QCoreApplication::translate("TaskDialog", "Technical Details");
    QString footer;
    // The command link or common button that Enter presses and that has the focus at first; 0
    // leaves it to the dialog. Questions that destroy something make the safe answer the default.
    int defaultButton = 0;
    // Links in the text are active and reported here; nullptr leaves them plain text.
    std::function<void(const QString& href)> onHyperlink;
};

// The value a task dialog returns when it is closed with Escape or its close button.
inline constexpr int TaskDialogCancelled = 0;

// Every modal dialog and question of the program goes through this interface, so that tests can
// answer them by script. The program holds one instance (see dialogs()).
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Returns the id of the command link or the QDialogButtonBox::StandardButton pressed, or
    // TaskDialogCancelled.
    virtual int taskDialog(QWidget* parent, const TaskDialogSpec& spec) = 0;
    // `defaultButton` is the button Enter presses (NoButton: the box's own choice).
    virtual QMessageBox::StandardButton
    messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
               QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // A modal box with a prompt and one pre-filled edit; nothing when cancelled.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& title,
                                            const QString& prompt, const QString& text) = 0;
    virtual std::optional<QString> pickFolder(QWidget* parent, const QString& title,
                                              const QString& acceptLabel,
                                              const QString& startFolder) = 0;
    // A save-file dialog asking before overwriting; `filter` in Qt's "Text file (*.txt)" form.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                                const QString& filter, const QString& startFolder,
                                                const QString& fileName) = 0;
    // An open-file dialog for one existing file; `filter` as for saveFileName.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                                const QString& filter,
                                                const QString& startFolder) = 0;
    // The print dialog; false when cancelled.
    virtual bool printDialog(QWidget* parent, QPrinter& printer) = 0;
    // The shell's "open" of a folder or a web address; the result is not checked.
    virtual void openUrl(const QUrl& url) = 0;
    // Runs one of the program's own dialogs (the format manager, the settings, the directory
    // options) modally and returns its result code, QDialog::Accepted or QDialog::Rejected.
    virtual int execDialog(QDialog& dialog) = 0;
};

// The dialogs of the program: the real ones unless a test installed its own.
Dialogs& dialogs();
// Installs other dialogs (tests); nullptr restores the real ones. Returns the previous ones.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> replacement);

// Whether questions take the task-dialog form (the default) or the plain message-box form, which
// the environment variable QUILLERY_DIALOG_FORM=messagebox selects.
bool useTaskDialogForm();

// The real dialogs.
class PlatformDialogs : public Dialogs {
public:
    int taskDialog(QWidget* parent, const TaskDialogSpec& spec) override;
    QMessageBox::StandardButton
    messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
               QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override;
    std::optional<QString> inputBox(QWidget* parent, const QString& title, const QString& prompt,
                                    const QString& text) override;
    std::optional<QString> pickFolder(QWidget* parent, const QString& title,
                                      const QString& acceptLabel,
                                      const QString& startFolder) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& startFolder,
                                        const QString& fileName) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                        const QString& filter, const QString& startFolder) override;
    bool printDialog(QWidget* parent, QPrinter& printer) override;
    void openUrl(const QUrl& url) override;
    int execDialog(QDialog& dialog) override;
};

} // namespace quillery::ui
