#include "ui/CatalogueCommands.h"

#include "base/FileIo.h"
#include "catalogue/BookFile.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Shelf.h"
#include "session/Session.h"
#include "settings/SettingsStore.h"
#include "ui/CountTexts.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/LongTask.h"
#include "ui/MainWin.h"
#include "ui/WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace quillery::ui {

namespace {

const QString kCaption = QStringLiteral("Tollvern Quillery");

} // namespace

CatalogueCommands::CatalogueCommands(TmainFrm& window, Session& session)
    : m_window(window), m_session(session)
{}

std::optional<QString> CatalogueCommands::acceptName(const QString& title, const QString& prompt,
                                                     QString proposal)
{
    for (;;) {
        const std::optional<QString> entered =
            dialogs().inputBox(&m_window, title, prompt, proposal);
        if (!entered)
            return std::nullopt;
        proposal = withBookExtension(*entered);
        if (m_session.checkBookName(proposal) == NameCheck::Accepted)
            return proposal;
    }
}

void CatalogueCommands::newItem()
{
    const std::optional<QString> name = acceptName(
        tr("New Book"), tr("Please enter a new, unique, file name:"), m_session.newBookProposal());
    if (!name)
        return;
    m_session.createBook(*name);
    m_window.OpenCatalogue(m_session.currentDir());
    // The new book is selected and loaded, so the first typing goes into it.
    m_window.selectBook(bookIdFromPath(*name));
}

void CatalogueCommands::deleteItem()
{
    if (m_window.selectedIndex() < 0)
        return;
    const QString name = m_window.selectedName();
    const QString path = bookFilePath(m_session.currentDir(), name);
    const QString question =
        tr("Are you sure that you want to remove the book file named \"%1\"?").arg(name);
    bool confirmed = false;
    if (useTaskDialogForm()) {
        enum { Remove = 101, Keep = 102 };
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = tr("Confirm Removal");
        spec.content = question;
        spec.commandLinks = {{Remove, tr("Remove"), tr("Remove the book from the catalogue.")},
                             {Keep, tr("Keep"), tr("Keep the book in the catalogue.")}};
        spec.defaultButton = Keep;
        spec.expandedInformation = tr("If you remove the book item from the catalogue, the "
                                      "corresponding *.book file will be "
                                      "removed from the file system. In this case, the file is") +
                                   QStringLiteral("\r\n\r\n") + path;
        confirmed = dialogs().taskDialog(&m_window, spec) == Remove;
    } else {
        confirmed = dialogs().messageBox(&m_window, QMessageBox::Question, tr("Confirm Removal"),
                                         question, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes;
    }
    if (!confirmed)
        return;
    const int row = m_window.selectedIndex();
    if (m_session.deleteBook(name)) {
        m_window.SetEditorVisible(false);
    } else {
        dialogs().messageBox(
            &m_window, QMessageBox::Critical, m_window.windowTitle(),
            tr("The file %1 could not be deleted.").arg(name + QStringView(BookExtension)),
            QMessageBox::Ok);
    }
    m_window.OpenCatalogue(m_session.currentDir());
    // The user keeps their place: the book that followed the one removed, else the one before.
    const QStringList& names = m_session.shownNames();
    if (m_session.currentBookFile().isEmpty() && !names.isEmpty())
        m_window.selectBook(names[std::min<qsizetype>(row, names.size() - 1)]);
}

void CatalogueCommands::renameItem()
{
    if (m_window.selectedIndex() < 0)
        return;
    m_session.saveBook();
    const QString oldName = m_window.selectedName();
    const std::optional<QString> proposal =
        acceptName(tr("Rename Item"),
                   tr("Please enter the new (unique) name of the catalogue item:"), oldName);
    if (!proposal)
        return;
    const bool moved = m_session.renameBook(oldName, *proposal);
    afterFileOperation(moved, *proposal,
                       tr("The file was successfully renamed by the operating system, "
                          "but could not be found afterwards. This was highly "
                          "unexpected."),
                       tr("The operating system could not rename the file."));
}

void CatalogueCommands::duplicateItem()
{
    if (m_window.selectedIndex() < 0 || m_session.currentBookFile().isEmpty())
        return;
    m_session.saveBook();
    const QString source = m_window.selectedName();
    const std::optional<QString> proposal =
        acceptName(tr("Rename Item"),
                   tr("Please enter the new (unique) name of the new, duplicate, "
                      "catalogue item:"),
                   source);
    if (!proposal)
        return;
    const bool copied = m_session.duplicateBook(source, *proposal);
    afterFileOperation(copied, *proposal,
                       tr("The file was successfully copied by the operating system, "
                          "but the new file could not be found afterwards. This was "
                          "highly unexpected."),
                       tr("The operating system could not copy the file."));
}

void CatalogueCommands::afterFileOperation(bool succeeded, const QString& proposal,
                                           const QString& notFound, const QString& failed)
{
    // Rename and Duplicate end alike: relist, then load the new book or say why not.
    m_window.OpenCatalogue(m_session.currentDir());
    if (succeeded && m_window.selectBook(bookIdFromPath(proposal)))
        return;
    if (succeeded) {
        dialogs().messageBox(&m_window, QMessageBox::Critical, m_window.windowTitle(), notFound,
                             QMessageBox::Ok);
        m_window.SetEditorVisible(false);
    } else {
        m_window.SetEditorVisible(false);
        dialogs().messageBox(&m_window, QMessageBox::Critical, m_window.windowTitle(), failed,
                             QMessageBox::Ok);
    }
}

void CatalogueCommands::manage()
{
    dialogs().openUrl(QUrl::fromLocalFile(m_session.currentDir()));
}

void CatalogueCommands::createShelf()
{
    Session::ShelfMade shelf;
    {
        // Prepared (the book being edited saved) before the task holds back keys and clicks.
        auto make = m_session.prepareShelf();
        // Escape drops the shelf: nothing is asked or written.
        LongTask task(&m_window, tr("Creating shelf..."));
        shelf = task.run(std::move(make));
    }
    const QByteArray& bytes = shelf.bytes;
    const QStringList& leftOut = shelf.leftOut;
    const int skipped = shelf.skippedNames;
    const std::optional<QString> chosen = dialogs().saveFileName(
        &m_window, QString(), tr("Bookshelf files") + QStringLiteral(" (*.shelf)"),
        m_session.currentDir(), QString());
    if (!chosen)
        return;
    const WaitCursor wait;
    writeWholeFile(withShelfExtension(*chosen), bytes);
    // What the shelf does not hold is said where the user looks next.
    QStringList warnings;
    if (!leftOut.isEmpty())
        warnings.append(shelfLeftOutLine(leftOut));
    if (skipped > 0)
        warnings.append(undecodableNamesLine(skipped));
    if (!warnings.isEmpty())
        m_window.showStatusHint(warnings.join(u' '));
}

void CatalogueCommands::upgrade()
{
    const int count = m_session.upgradeBooks();
    dialogs().messageBox(&m_window, QMessageBox::Information, m_window.windowTitle(),
                         booksUpgradedLine(count), QMessageBox::Ok);
}

void CatalogueCommands::offerUpgrade()
{
    const QString question = tr(
        "This catalogue contains books in the version 1.0 format, which only supports ASCII "
        "characters. Do you want to upgrade the catalogue to the 1.1 format (strongly adviced)?");
    bool yes = false;
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = tr("Old File Format");
        spec.content = question;
        spec.commonButtons = QDialogButtonBox::Yes | QDialogButtonBox::No;
        spec.footer = tr("The current catalogue is ") + QStringLiteral("\r\n\r\n") +
                      m_session.currentDir() + QStringLiteral("\r\n\r\n") +
                      tr("All *.book files in this catalogue will be upgraded, if needed.");
        yes = dialogs().taskDialog(&m_window, spec) == QDialogButtonBox::Yes;
    } else {
        yes =
            dialogs().messageBox(&m_window, QMessageBox::Question, m_window.windowTitle(), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    if (yes)
        upgrade();
}

OutsideChangeAnswer CatalogueCommands::outsideChange(const OutsideChange& change)
{
    const QString file = QDir::toNativeSeparators(change.path);
    const QString content =
        change.removed ? tr("The book file \"%1\" was removed by another program after it was "
                            "loaded. Do you want to write your changes?")
                             .arg(file)
                       : tr("The book file \"%1\" was changed by another program after it was "
                            "loaded. Do you want to write your changes over it?")
                             .arg(file);
    QString edits = tr("My changes:");
    for (const Field field : change.edited)
        edits += QStringLiteral("\r\n\r\n") + FieldTable::name(field) + QStringLiteral(": ") +
                 m_session.book()[field];
    if (useTaskDialogForm()) {
        enum { KeepMine = 201, TakeTheirs = 202 };
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = tr("Book Changed on Disk");
        spec.content = content;
        spec.icon = TaskDialogSpec::Icon::Warning;
        spec.commandLinks = {{KeepMine, tr("Keep my changes"),
                              tr("Write my changes to the file, replacing what is there now.")},
                             {TakeTheirs, tr("Take theirs"),
                              tr("Read the file as it is now and drop my changes; they are listed "
                                 "under Technical Details.")}};
        spec.commonButtons = QDialogButtonBox::Cancel;
        spec.defaultButton = QDialogButtonBox::Cancel;
        spec.expandedInformation = edits;
        switch (dialogs().taskDialog(&m_window, spec)) {
        case KeepMine:
            return OutsideChangeAnswer::KeepMine;
        case TakeTheirs:
            return OutsideChangeAnswer::TakeTheirs;
        default:
            return OutsideChangeAnswer::Cancel;
        }
    }
    const QMessageBox::StandardButton answer = dialogs().messageBox(
        &m_window, QMessageBox::Warning, m_window.windowTitle(),
        content + QStringLiteral("\r\n\r\n") +
            tr("Yes writes your changes, No reads the file as it is now and drops them, Cancel "
               "changes nothing.") +
            QStringLiteral("\r\n\r\n") + edits,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return OutsideChangeAnswer::KeepMine;
    if (answer == QMessageBox::No)
        return OutsideChangeAnswer::TakeTheirs;
    return OutsideChangeAnswer::Cancel;
}

bool CatalogueCommands::keepUnsavedSettings()
{
    const QString question =
        tr("The settings file could not be read when the program started, so it is left as it is. "
           "The settings have changed since. Do you want to save them to another file?");
    bool save = false;
    if (useTaskDialogForm()) {
        enum { SaveElsewhere = 301, Discard = 302 };
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = tr("Settings Not Saved");
        spec.content = question;
        spec.icon = TaskDialogSpec::Icon::Warning;
        spec.commandLinks = {
            {SaveElsewhere, tr("Save to another file..."),
             tr("Choose a file to keep this session's settings in.")},
            {Discard, tr("Discard them"), tr("Close without keeping the changed settings.")}};
        spec.commonButtons = QDialogButtonBox::Cancel;
        spec.defaultButton = SaveElsewhere;
        const int answer = dialogs().taskDialog(&m_window, spec);
        if (answer != SaveElsewhere && answer != Discard)
            return false;
        save = answer == SaveElsewhere;
    } else {
        const QMessageBox::StandardButton answer = dialogs().messageBox(
            &m_window, QMessageBox::Warning, m_window.windowTitle(), question,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer == QMessageBox::Cancel)
            return false;
        save = answer == QMessageBox::Yes;
    }
    if (!save)
        return true;
    const std::optional<QString> file = dialogs().saveFileName(
        &m_window, tr("Save Settings to File"), tr("Registry files") + QStringLiteral(" (*.reg)"),
        QFileInfo(userSettingsFilePath()).absolutePath(), QStringLiteral("Quillery.reg"));
    if (!file)
        return false;
    bool saved = false;
    guarded(&m_window, [&] {
        m_session.saveSettingsTo(*file);
        saved = true;
    });
    return saved;
}

} // namespace quillery::ui
