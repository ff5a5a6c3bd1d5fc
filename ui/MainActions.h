#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

namespace quillery::ui {

// The commands of the main window, each an action named as the program names it, with its
// caption, hint, shortcut and category.
struct MainActions {
    QAction* aNewItem = nullptr;
    QAction* aDelItem = nullptr;
    QAction* aRename = nullptr;
    QAction* aDuplicate = nullptr;
    QAction* aManage = nullptr;
    QAction* aCreateShelf = nullptr;
    QAction* aImport = nullptr;
    QAction* aExport = nullptr;
    QAction* aCheck = nullptr;
    QAction* aUpgrade = nullptr;
    QAction* aPrev = nullptr;
    QAction* aNext = nullptr;
    QAction* aExit = nullptr;
    QAction* aStatus = nullptr;
    QAction* aHints = nullptr;
    QAction* aFormatMgr = nullptr;
    QAction* aSettings = nullptr;
    QAction* aDirOptions = nullptr;
    QAction* aAbout = nullptr;
    QAction* aFind = nullptr; // no menu of its own: it puts the focus into the filter box
    QAction* aGenMemo = nullptr;
    QAction* aGenClipbrd = nullptr;
    QAction* aGenFile = nullptr;
};

// Makes the actions, owned by and added to `window`, with their pictures and check states.
MainActions createMainActions(QWidget* window);

// Hints stay 60 seconds and reach the status bar; an action with a shortcut names it in its hint
// and, after a tab, in its menu caption.
void applyHintsAndShortcuts(QWidget* window);

// The text of a shortcut as the program shows it: "Shift+", "Ctrl+" and "Alt+" in this order,
// then the key's name ("Shift+Ctrl+H", "Alt+Left").
QString shortcutText(const QKeySequence& shortcut);

} // namespace quillery::ui
