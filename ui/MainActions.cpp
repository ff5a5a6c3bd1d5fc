#include "ui/MainActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QStyle>
#include <QWidget>

namespace quillery::ui {

MainActions createMainActions(QWidget* window)
{
    // Manage opens the folder in whatever the desktop uses to browse files; only Windows has
    // Explorer to name.
#ifdef Q_OS_WIN
    const char* const manageHint =
        QT_TRANSLATE_NOOP("MainActions", "Opens the catalogue directory in Windows Explorer.");
#else
    const char* const manageHint =
        QT_TRANSLATE_NOOP("MainActions", "Opens the catalogue directory in the file manager.");
#endif
    MainActions actions;
    struct Spec {
        QAction** action;
        const char* name;
        const char* category;
        const char* caption; // English, translated as the action is made
        const char* hint;
        QKeySequence shortcut;
    };
    const Spec specs[] = {
        {&actions.aNewItem, "aNewItem", "Items", QT_TRANSLATE_NOOP("MainActions", "New Book"),
         QT_TRANSLATE_NOOP("MainActions", "Creates a new book entry."),
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&actions.aDelItem,
         "aDelItem",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Delete"),
         QT_TRANSLATE_NOOP("MainActions", "Deletes the selected book(s)."),
         {}},
        {&actions.aRename,
         "aRename",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Rename..."),
         QT_TRANSLATE_NOOP("MainActions", "Renames the selected catalogue file."),
         {}},
        {&actions.aDuplicate,
         "aDuplicate",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Duplicate..."),
         QT_TRANSLATE_NOOP("MainActions", "Duplicates the selected book, that is, creates a new "
                                          "book file with identical content."),
         {}},
        {&actions.aManage, "aManage", "Items", QT_TRANSLATE_NOOP("MainActions", "Manage"),
         manageHint, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {&actions.aCreateShelf,
         "aCreateShelf",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Create Shelf..."),
         QT_TRANSLATE_NOOP(
             "MainActions",
             "Creates a bookshelf file containing the books in the current directory."),
         {}},
        {&actions.aImport,
         "aImport",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Import..."),
         QT_TRANSLATE_NOOP("MainActions", "Creates books from the records of a CSV, Goodreads, "
                                          "LibraryThing, CSL-JSON, BibTeX or "
                                          "RIS file."),
         {}},
        {&actions.aExport,
         "aExport",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Export..."),
         QT_TRANSLATE_NOOP("MainActions",
                           "Exports the books to a CSV, CSL-JSON, BibTeX or RIS file."),
         {}},
        {&actions.aCheck,
         "aCheck",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Check Catalogue"),
         QT_TRANSLATE_NOOP(
             "MainActions",
             "Lists what is wrong with the books of the catalogue: invalid ISBNs, duplicates, sync "
             "conflict copies, files that cannot be read, values that make reports fail."),
         {}},
        {&actions.aUpgrade,
         "aUpgrade",
         "Items",
         QT_TRANSLATE_NOOP("MainActions", "Upgrade Book Files"),
         QT_TRANSLATE_NOOP("MainActions", "Upgrades all book files in the current catalogue "
                                          "(directory) from version 1.0 ANSI to "
                                          "version 1.1 UTF-8 files."),
         {}},
        {&actions.aPrev, "aPrev", "Items", QT_TRANSLATE_NOOP("MainActions", "Previous"),
         QT_TRANSLATE_NOOP("MainActions", "Selects the previous book in the catalogue."),
         QKeySequence(Qt::ALT | Qt::Key_Left)},
        {&actions.aNext, "aNext", "Items", QT_TRANSLATE_NOOP("MainActions", "Next"),
         QT_TRANSLATE_NOOP("MainActions", "Selects the next book in the catalogue."),
         QKeySequence(Qt::ALT | Qt::Key_Right)},
        {&actions.aExit, "aExit", "", QT_TRANSLATE_NOOP("MainActions", "Exit"),
         QT_TRANSLATE_NOOP("MainActions", "Exits Quillery."), QKeySequence(Qt::ALT | Qt::Key_F4)},
        {&actions.aStatus,
         "aStatus",
         "View",
         QT_TRANSLATE_NOOP("MainActions", "Status Bar"),
         QT_TRANSLATE_NOOP("MainActions", "Shows or hides the status bar."),
         {}},
        {&actions.aHints, "aHints", "View", QT_TRANSLATE_NOOP("MainActions", "Popup Hints"),
         QT_TRANSLATE_NOOP("MainActions", "Shows or hides popup hints (tooltips)."),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
        {&actions.aFormatMgr, "aFormatMgr", "Settings",
         QT_TRANSLATE_NOOP("MainActions", "Formats..."),
         QT_TRANSLATE_NOOP("MainActions", "Displays the reference format manager."),
         QKeySequence(Qt::CTRL | Qt::Key_F)},
        {&actions.aSettings, "aSettings", "Settings",
         QT_TRANSLATE_NOOP("MainActions", "Settings..."),
         QT_TRANSLATE_NOOP("MainActions", "Displays the program settings."),
         QKeySequence(Qt::CTRL | Qt::Key_G)},
        {&actions.aDirOptions, "aDirOptions", "Settings",
         QT_TRANSLATE_NOOP("MainActions", "Directory-specific Options..."),
         QT_TRANSLATE_NOOP("MainActions",
                           "Displays and edits options specific to the current directory."),
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {&actions.aAbout,
         "aAbout",
         "Help",
         QT_TRANSLATE_NOOP("MainActions", "About"),
         QT_TRANSLATE_NOOP("MainActions", "Displays program information."),
         {}},
        {&actions.aFind, "aFind", "Items", QT_TRANSLATE_NOOP("MainActions", "Find"),
         QT_TRANSLATE_NOOP("MainActions",
                           "Shows only the books that match what you type in the filter box."),
         QKeySequence(Qt::CTRL | Qt::Key_L)},
        {&actions.aGenMemo,
         "aGenMemo",
         "Generate",
         QT_TRANSLATE_NOOP("MainActions", "Generate to memo"),
         QT_TRANSLATE_NOOP("MainActions",
                           "Generates the report and displays it in a memo control."),
         {}},
        {&actions.aGenClipbrd,
         "aGenClipbrd",
         "Generate",
         QT_TRANSLATE_NOOP("MainActions", "Generate to clipboard"),
         QT_TRANSLATE_NOOP("MainActions", "Generates the report and saves it to clipboard."),
         {}},
        {&actions.aGenFile,
         "aGenFile",
         "Generate",
         QT_TRANSLATE_NOOP("MainActions", "Generate to file..."),
         QT_TRANSLATE_NOOP("MainActions", "Generates the report and saves it to a text file."),
         {}},
    };
    for (const Spec& spec : specs) {
        auto* action =
            new QAction(QCoreApplication::translate("MainActions", spec.caption), window);
        action->setObjectName(QString::fromUtf8(spec.name));
        action->setProperty("category", QString::fromUtf8(spec.category));
        const QString hint = QCoreApplication::translate("MainActions", spec.hint);
        action->setStatusTip(hint);
        action->setToolTip(hint);
        action->setShortcut(spec.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        *spec.action = action;
        window->addAction(action);
    }
    actions.aStatus->setCheckable(true);
    actions.aStatus->setChecked(true);
    actions.aHints->setCheckable(true);
    actions.aHints->setChecked(true);
    actions.aDelItem->setEnabled(false);

    // The five small pictures of the action list: New Book, Delete, the folder button,
    // Previous and Next.
    actions.aNewItem->setIcon(window->style()->standardIcon(QStyle::SP_FileIcon));
    actions.aDelItem->setIcon(window->style()->standardIcon(QStyle::SP_TrashIcon));
    actions.aPrev->setIcon(window->style()->standardIcon(QStyle::SP_ArrowBack));
    actions.aNext->setIcon(window->style()->standardIcon(QStyle::SP_ArrowForward));

    return actions;
}

void applyHintsAndShortcuts(QWidget* window)
{
    // Pop-up hints stay 60 s; a control bound to an action with a shortcut shows it too.
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->toolTip().isEmpty()) {
            w->setToolTipDuration(60000);
            if (w->statusTip().isEmpty())
                w->setStatusTip(w->toolTip());
        }
    }
    for (QAction* action : window->actions()) {
        action->setProperty("caption", action->text());
        if (action->shortcut().isEmpty())
            continue;
        const QString shortcut = shortcutText(action->shortcut());
        action->setToolTip(QStringLiteral("%1 (%2)").arg(action->statusTip(), shortcut));
        // Menus show the text after a tab as the shortcut, in the program's own spelling.
        action->setText(action->text() + u'\t' + shortcut);
    }
}

QString shortcutText(const QKeySequence& shortcut)
{
    if (shortcut.isEmpty())
        return {};
    const QKeyCombination combination = shortcut[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (modifiers & Qt::ShiftModifier)
        text += QCoreApplication::translate("MainActions", "Shift+");
    if (modifiers & Qt::ControlModifier)
        text += QCoreApplication::translate("MainActions", "Ctrl+");
    if (modifiers & Qt::AltModifier)
        text += QCoreApplication::translate("MainActions", "Alt+");
    text += QKeySequence(combination.key()).toString(QKeySequence::PortableText);
    return text;
}

} // namespace quillery::ui
