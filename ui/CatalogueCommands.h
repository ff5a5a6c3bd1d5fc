#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace quillery {
class Session;
struct OutsideChange;
enum class OutsideChangeAnswer;
} // namespace quillery

namespace quillery::ui {

class TmainFrm;

// The book commands of the main window (New Book, Delete, Rename, Duplicate, Manage, Create Shelf,
// Upgrade) with their questions and messages. The session changes the files; these ask first,
// say what went wrong, and have the window show the catalogue afterwards.
class CatalogueCommands final {
    Q_DECLARE_TR_FUNCTIONS(CatalogueCommands)

public:
    CatalogueCommands(TmainFrm& window, Session& session);

    void newItem();
    void deleteItem();
    void renameItem();
    void duplicateItem();
    void manage();
    void createShelf();
    void upgrade();
    // Asks whether to upgrade the catalogue's version 1.0 books, and does on Yes.
    void offerUpgrade();
    // Asks what to do with the edits of a book whose file changed on disk since it was loaded:
    // keep mine, take theirs (the edits listed in the details, to copy them once more) or cancel.
    OutsideChangeAnswer outsideChange(const OutsideChange& change);
    // At close, when the settings changed but their file could not be read at start (and so is
    // not written): offers to save them to another file or to discard them. False when the user
    // cancels the close.
    bool keepUnsavedSettings();

private:
    std::optional<QString> acceptName(const QString& title, const QString& prompt,
                                      QString proposal);
    void afterFileOperation(bool succeeded, const QString& proposal, const QString& notFound,
                            const QString& failed);

    TmainFrm& m_window;
    Session& m_session;
};

} // namespace quillery::ui
