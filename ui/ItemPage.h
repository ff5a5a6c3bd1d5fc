#pragma once

#include "catalogue/FieldTable.h"

#include <QHash>
#include <QWidget>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTextEdit;

namespace quillery {
class Session;
enum class IsbnEdit;
} // namespace quillery

namespace quillery::ui {

class TCommentsMemo;
class TFullRichEdit;

// The "Item Properties" page: the editor of the book being edited, with the preview of its
// database links and of its reference. Every edit goes to the session's record at once and
// refreshes both previews; filling the controls from a book (`LoadingBook`) edits nothing.
class TItemPage final : public QWidget {
    Q_OBJECT
public:
    TItemPage(Session& session, QWidget* parent = nullptr);

    // Shows the session's book again when it was loaded or reloaded since it was last shown.
    void syncWithSession();
    // Fills the controls from the session's book, shows the editor and refreshes the previews
    // once. A format error in a preview is thrown after the editor shows the book.
    void showBook();
    // The editor, or the program's picture when no book is open.
    void SetEditorVisible(bool visible);

    void RefreshRefPreview();
    void RefreshDataLinks();
    // Both previews, as showing the page does. A failure is thrown to be shown, unless it repeats
    // the one shown last: that one is only reported by repeatedError.
    void refreshPreviews();
    // The ISBN box's mark (shown while an ISBN of it is not valid and the settings ask for it) and
    // the edits of its context menu (enabled where they would change the text). Follows the box's
    // text by itself; called when the settings change.
    void refreshIsbnChecks();

    bool loadingBook() const { return m_loadingBook; }
    // How many times each preview was rebuilt (tests check that a load refreshes once).
    int refPreviewRefreshes() const { return m_refPreviewRefreshes; }
    int dataLinkRefreshes() const { return m_dataLinkRefreshes; }

Q_SIGNALS:
    // A preview failed again as it did just before; the message is for the status bar.
    void repeatedError(const QString& message);

private:
    QWidget* makeField(const FieldDef& def, QWidget* parent);
    void layOutCataloguingData();
    void layOutMoreProperties();
    void createPreviews();
    void setUpIsbnBox();
    // Replaces the ISBN box's text by the edited field, as an edit the user can undo.
    void editIsbns(IsbnEdit edit);
    void fieldEdited(Field field);
    void ItemPropChange();
    void cbIsTranslationClick();
    QWidget* control(Field field) const { return m_fieldControls.value(int(field)); }
    QLabel* label(Field field) const { return m_fieldLabels.value(int(field)); }
    QLineEdit* isbnBox() const;

    Session& m_session;
    bool m_loadingBook = false;
    quint64 m_shownGeneration = 0;
    quint64 m_refPreviewGeneration = 0;
    QString m_lastError;
    int m_refPreviewRefreshes = 0;
    int m_dataLinkRefreshes = 0;

    QGroupBox* gpCataloguingData = nullptr;
    QTabWidget* pcMoreProperties = nullptr;
    QLabel* bkImg = nullptr;
    QHash<int, QWidget*> m_fieldControls; // Field -> editor control
    QHash<int, QLabel*> m_fieldLabels;
    QCheckBox* cbIsTranslation = nullptr;
    QAction* acIsbnMark = nullptr;
    QAction* acIsbnHyphenate = nullptr;
    QAction* acIsbnTo13 = nullptr;
    QAction* acIsbnTo10 = nullptr;
    TCommentsMemo* mComments = nullptr;
    TFullRichEdit* reDataLinks = nullptr;
    QTextEdit* reRefPreview = nullptr;
};

} // namespace quillery::ui
