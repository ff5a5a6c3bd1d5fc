#include "ui/MainActions.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace quillery::ui {

MainActions createMainActions(QWidget* window)
{
    // Manage opens the folder in whatever the desktop uses to browse files; only Windows has
    // Explorer to name.
#ifdef Q_OS_WIN
    const char* const manageHint = "Opens the catalogue directory in Windows Explorer.";
#else
    const char* const manageHint = "Opens the catalogue directory in the file manager.";
#endif
    MainActions actions;
    struct Spec {
        QAction** action;
        const char* name;
        const char* category;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
    };
    const Spec specs[] = {
        {&actions.aNewItem, "aNewItem", "Items", "New Book", "Creates a new book entry.",
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&actions.aDelItem, "aDelItem", "Items", "Delete", "Deletes the selected book(s).", {}},
        {&actions.aRename,
         "aRename",
         "Items",
         "Rename...",
         "Renames the selected catalogue file.",
         {}},
        {&actions.aDuplicate,
         "aDuplicate",
         "Items",
         "Duplicate...",
         "Duplicates the selected book, that is, creates a new book file with identical content.",
         {}},
        {&actions.aManage, "aManage", "Items", "Manage", manageHint,
         QKeySequence(Qt::CTRL | Qt::Key_E)},
        {&actions.aCreateShelf,
         "aCreateShelf",
         "Items",
         "Create Shelf...",
         "Creates a bookshelf file containing the books in the current directory.",
         {}},
        {&actions.aImport,
         "aImport",
         "Items",
         "Import...",
         "Creates books from the records of a CSV, Goodreads, LibraryThing, CSL-JSON, BibTeX or "
         "RIS file.",
         {}},
        {&actions.aExport,
         "aExport",
         "Items",
         "Export...",
         "Exports the books to a CSV, CSL-JSON, BibTeX or RIS file.",
         {}},
        {&actions.aCheck,
         "aCheck",
         "Items",
         "Check Catalogue",
         "Lists what is wrong with the books of the catalogue: invalid ISBNs, duplicates, sync "
         "conflict copies, files that cannot be read, values that make reports fail.",
         {}},
        {&actions.aUpgrade,
         "aUpgrade",
         "Items",
         "Upgrade Book Files",
         "Upgrades all book files in the current catalogue (directory) from version 1.0 ANSI to "
         "version 1.1 UTF-8 files.",
         {}},
        {&actions.aPrev, "aPrev", "Items", "Previous",
         "Selects the previous book in the catalogue.", QKeySequence(Qt::ALT | Qt::Key_Left)},
        {&actions.aNext, "aNext", "Items", "Next", "Selects the next book in the catalogue.",
         QKeySequence(Qt::ALT | Qt::Key_Right)},
        {&actions.aExit, "aExit", "", "Exit", "Exits Quillery.",
         QKeySequence(Qt::ALT | Qt::Key_F4)},
        {&actions.aStatus, "aStatus", "View", "Status Bar", "Shows or hides the status bar.", {}},
        {&actions.aHints, "aHints", "View", "Popup Hints", "Shows or hides popup hints (tooltips).",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
        {&actions.aFormatMgr, "aFormatMgr", "Settings", "Formats...",
         "Displays the reference format manager.", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {&actions.aSettings, "aSettings", "Settings", "Settings...",
         "Displays the program settings.", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {&actions.aDirOptions, "aDirOptions", "Settings", "Directory-specific Options...",
         "Displays and edits options specific to the current directory.",
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {&actions.aAbout, "aAbout", "Help", "About", "Displays program information.", {}},
        {&actions.aFind, "aFind", "Items", "Find",
         "Shows only the books that match what you type in the filter box.",
         QKeySequence(Qt::CTRL | Qt::Key_L)},
        {&actions.aGenMemo,
         "aGenMemo",
         "Generate",
         "Generate to memo",
         "Generates the report and displays it in a memo control.",
         {}},
        {&actions.aGenClipbrd,
         "aGenClipbrd",
         "Generate",
         "Generate to clipboard",
         "Generates the report and saves it to clipboard.",
         {}},
        {&actions.aGenFile,
         "aGenFile",
         "Generate",
         "Generate to file...",
         "Generates the report and saves it to a text file.",
         {}},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(QString::fromUtf8(spec.caption), window);
        action->setObjectName(QString::fromUtf8(spec.name));
        action->setProperty("category", QString::fromUtf8(spec.category));
        action->setStatusTip(QString::fromUtf8(spec.hint));
        action->setToolTip(QString::fromUtf8(spec.hint));
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
        text += QStringLiteral("Shift+");
    if (modifiers & Qt::ControlModifier)
        text += QStringLiteral("Ctrl+");
    if (modifiers & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    text += QKeySequence(combination.key()).toString(QKeySequence::PortableText);
    return text;
}

} // namespace quillery::ui
