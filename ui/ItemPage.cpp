#include "ui/ItemPage.h"

#include "base/Errors.h"
#include "base/FormatError.h"
#include "catalogue/Isbn.h"
#include "session/Session.h"
#include "ui/Accessibility.h"
#include "ui/CommentsMemo.h"
#include "ui/ErrorGuard.h"
#include "ui/FullRichEdit.h"
#include "ui/HangingIndent.h"
#include "ui/HelpTopics.h"
#include "ui/ProgramIcon.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>
#include <QVBoxLayout>

#include <limits>

namespace quillery::ui {

namespace {

// Hints of the editor controls, by control name; English, translated where they are shown.
const char* editorHint(QStringView name)
{
    struct Hint {
        const char* control;
        const char* text;
    };
    static constexpr Hint hints[] = {
        {"eAuthor", QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The author(s) of the book.")},
        {"eYearWritten", QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                                           "The year the book was written by the author(s).")},
        {"eEdition", QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                                       "The edition of the book (e.g., \"Second Edition\")")},
        {"eTitle", QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                                     "The title of the book (the translated title if "
                                     "the work is a translation).")},
        {"ePublisher", QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The publisher of the book.")},
        {"eSeries",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                           "The (publisher's) series of books that this book belongs to.")},
        {"eSeriesPos",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The position of this book in the series.")},
        {"ePrintedWhere",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The place where the book was printed.")},
        {"eYearPrinted",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The year the book was printed.")},
        {"eISBN", QT_TRANSLATE_NOOP(
                      "quillery::ui::TItemPage",
                      "The International Standard Book Number (ISBN) of the book. Please enter "
                      "ISBN-10 or ISBN-13 with hyphens.")},
        {"eNumPages",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The number of pages in the book.")},
        {"eCategory", QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The category of the book.")},
        {"mComments",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "Free-text comments about the book.")},
        {"eBookType",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The type of the book (e.g., PhD thesis).")},
        {"eBinding",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The binding of the physical book (e.g., "
                                                      "hardcover or paperback).")},
        {"eLevel",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The level of the work (e.g., popular, "
                                                      "undergraduate, or graduate).")},
        {"eRating",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The rating of the book (e.g. five stars).")},
        {"cbIsTranslation", QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                                              "Check this box if the work is a translation.")},
        {"eLanguage", QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The language of the book.")},
        {"eOriginalLanguage",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The original language of the book.")},
        {"eTranslator", QT_TRANSLATE_NOOP("quillery::ui::TItemPage",
                                          "The name of the translator(s) of the original work.")},
        {"eOriginalTitle",
         QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The original title of the work.")},
        {"ePrice", QT_TRANSLATE_NOOP("quillery::ui::TItemPage", "The price of the physical book.")},
    };
    for (const Hint& hint : hints) {
        if (name == QLatin1String(hint.control))
            return hint.text;
    }
    return nullptr;
}

// A line break pasted into a one-line field is kept, as CR LF like every line break the user
// enters.
QString withCrLf(QString text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

// What is wrong with the first ISBN of a field that is not valid, led by that ISBN when the field
// holds several; empty when all are valid.
QString isbnProblem(QStringView field)
{
    const std::vector<IsbnEntry> entries = parseIsbns(field);
    for (const IsbnEntry& entry : entries) {
        if (entry.valid())
            continue;
        if (entries.size() == 1)
            return entry.problem;
        QString isbn = field.sliced(entry.start, entry.length).toString();
        if (isbn.isEmpty())
            isbn = entry.text; // a label or a qualifier alone
        return u'"' + isbn + QStringLiteral("\": ") + entry.problem;
    }
    return {};
}

} // namespace

TItemPage::TItemPage(Session& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("TabSheet1"));
    layOutCataloguingData();
    setUpIsbnBox();
    layOutMoreProperties();
    createPreviews();
}

QWidget* TItemPage::makeField(const FieldDef& def, QWidget* parent)
{
    const QString name = QString::fromLatin1(def.control);
    const char* const english = editorHint(name);
    const QString hint = english ? tr(english) : QString();
    QWidget* control = nullptr;
    switch (def.editor) {
    case EditorKind::Memo: {
        mComments = new TCommentsMemo(parent);
        mComments->setTabChangesFocus(true);
        connect(mComments, &TCommentsMemo::edited, this, [this] { fieldEdited(Field::Comments); });
        control = mComments;
        break;
    }
    case EditorKind::CheckBox: {
        cbIsTranslation =
            new QCheckBox(QCoreApplication::translate("FieldTable", def.caption), parent);
        connect(cbIsTranslation, &QCheckBox::toggled, this,
                [this] { guarded(this, [this] { cbIsTranslationClick(); }); });
        control = cbIsTranslation;
        break;
    }
    case EditorKind::Text:
    case EditorKind::DigitsOnly: {
        auto* edit = new QLineEdit(parent);
        // No field has a length limit: a long title or author list is kept whole.
        edit->setMaxLength(std::numeric_limits<int>::max());
        if (def.editor == EditorKind::DigitsOnly)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        connect(edit, &QLineEdit::textChanged, this,
                [this, field = def.field] { fieldEdited(field); });
        control = edit;
        break;
    }
    }
    control->setObjectName(name);
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
        control->setStatusTip(hint);
    }
    m_fieldControls.insert(int(def.field), control);
    if (def.editor != EditorKind::CheckBox) {
        auto* label = new QLabel(QCoreApplication::translate("FieldTable", def.caption), parent);
        label->setObjectName(QStringLiteral("lbl") + name.mid(1));
        label->setBuddy(control);
        m_fieldLabels.insert(int(def.field), label);
    }
    return control;
}

void TItemPage::layOutCataloguingData()
{
    // Cataloguing data.
    gpCataloguingData = new QGroupBox(tr("Cataloguing Data"), this);
    gpCataloguingData->setObjectName(QStringLiteral("gpCataloguingData"));
    for (const FieldDef& def : FieldTable::rows()) {
        if (QStringView(def.section) == QStringView(SectionCataloguing))
            makeField(def, gpCataloguingData);
    }
    auto* LinkLabel3 = helpLink(QStringLiteral("LinkLabel3"), tr("Help on names"),
                                HelpTopic::SpecifyingAuthors, gpCataloguingData);
    auto* grid = new QGridLayout(gpCataloguingData);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(label(Field::Author), 0, 0);
    grid->addWidget(control(Field::Author), 0, 1, 1, 3);
    grid->addWidget(LinkLabel3, 0, 4, 1, 2);
    grid->addWidget(label(Field::YearWritten), 1, 0);
    grid->addWidget(control(Field::YearWritten), 1, 1);
    grid->addWidget(label(Field::Edition), 1, 2);
    grid->addWidget(control(Field::Edition), 1, 3, 1, 3);
    grid->addWidget(label(Field::Title), 2, 0);
    grid->addWidget(control(Field::Title), 2, 1, 1, 5);
    grid->addWidget(label(Field::Subtitle), 3, 0);
    grid->addWidget(control(Field::Subtitle), 3, 1, 1, 5);
    grid->addWidget(label(Field::Publisher), 4, 0);
    grid->addWidget(control(Field::Publisher), 4, 1);
    grid->addWidget(label(Field::Series), 4, 2);
    grid->addWidget(control(Field::Series), 4, 3);
    grid->addWidget(label(Field::Position), 4, 4);
    grid->addWidget(control(Field::Position), 4, 5);
    control(Field::Position)->setFixedWidth(48);
    grid->addWidget(label(Field::Printed), 5, 0);
    grid->addWidget(control(Field::Printed), 5, 1);
    grid->addWidget(label(Field::YearPrinted), 5, 2);
    grid->addWidget(control(Field::YearPrinted), 5, 3, 1, 3);
    grid->addWidget(label(Field::ISBN), 6, 0);
    grid->addWidget(control(Field::ISBN), 6, 1);
    QWidget::setTabOrder(control(Field::Author), LinkLabel3);
    QWidget* previous = LinkLabel3;
    for (Field f :
         {Field::YearWritten, Field::Edition, Field::Title, Field::Subtitle, Field::Publisher,
          Field::Series, Field::Position, Field::Printed, Field::YearPrinted, Field::ISBN}) {
        QWidget::setTabOrder(previous, control(f));
        previous = control(f);
    }
}

void TItemPage::setUpIsbnBox()
{
    QLineEdit* box = isbnBox();
    // Inside the box's right end, so the editor's grid stays as it is.
    acIsbnMark = new QAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QString(), box);
    acIsbnMark->setObjectName(QStringLiteral("acIsbnMark"));
    // Added while visible: the box shows the button it makes for the action whatever the action
    // says, and hides it only as the action changes (refreshIsbnChecks below).
    box->addAction(acIsbnMark, QLineEdit::TrailingPosition);
    // A click shows the hint too, for a user who turned the popup hints off.
    connect(acIsbnMark, &QAction::triggered, this,
            [this, box] { QToolTip::showText(QCursor::pos(), acIsbnMark->toolTip(), box); });

    const auto addEdit = [this, box](const char* name, const QString& caption, IsbnEdit edit) {
        auto* action = new QAction(caption, box);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this,
                [this, edit] { guarded(this, [this, edit] { editIsbns(edit); }); });
        return action;
    };
    acIsbnHyphenate = addEdit("acIsbnHyphenate", tr("&Hyphenate"), IsbnEdit::Hyphenate);
    acIsbnTo13 = addEdit("acIsbnTo13", tr("Convert to ISBN-1&3"), IsbnEdit::ToIsbn13);
    acIsbnTo10 = addEdit("acIsbnTo10", tr("Convert to ISBN-1&0"), IsbnEdit::ToIsbn10);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& pos) {
        QMenu* menu = box->createStandardContextMenu();
        menu->setObjectName(QStringLiteral("pmIsbn"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        menu->addActions({acIsbnHyphenate, acIsbnTo13, acIsbnTo10});
        menu->popup(box->mapToGlobal(pos));
    });

    // Named here: its description is what is wrong with the ISBN, not its hint.
    box->setAccessibleName(spokenCaption(label(Field::ISBN)->text()));
    connect(box, &QLineEdit::textChanged, this, [this] { refreshIsbnChecks(); });
    refreshIsbnChecks();
}

void TItemPage::layOutMoreProperties()
{
    // More properties: additional details and language.
    pcMoreProperties = new QTabWidget(this);
    pcMoreProperties->setObjectName(QStringLiteral("pcMoreProperties"));
    auto* additional = new QWidget;
    additional->setObjectName(QStringLiteral("tsAdditional"));
    auto* language = new QWidget;
    language->setObjectName(QStringLiteral("tsLanguage"));
    for (const FieldDef& def : FieldTable::rows()) {
        if (QStringView(def.section) == QStringView(SectionAdditional))
            makeField(def, additional);
        else if (QStringView(def.section) == QStringView(SectionLanguage))
            makeField(def, language);
    }
    auto* addGrid = new QGridLayout(additional);
    addGrid->setColumnStretch(1, 1);
    addGrid->setColumnStretch(3, 2);
    int row = 0;
    for (Field f : {Field::NumPages, Field::Category, Field::BookType, Field::Binding, Field::Level,
                    Field::Rating}) {
        addGrid->addWidget(label(f), row, 0);
        addGrid->addWidget(control(f), row, 1);
        ++row;
    }
    addGrid->addWidget(label(Field::Comments), 0, 2, Qt::AlignTop);
    addGrid->addWidget(control(Field::Comments), 0, 3, row, 1);
    QWidget* previous = control(Field::NumPages);
    for (Field f : {Field::Category, Field::Comments, Field::BookType, Field::Binding, Field::Level,
                    Field::Rating}) {
        QWidget::setTabOrder(previous, control(f));
        previous = control(f);
    }

    auto* LinkLabel2 = helpLink(QStringLiteral("LinkLabel2"), tr("How do I specify a BCP 47 code?"),
                                HelpTopic::Language, language);
    auto* langGrid = new QGridLayout(language);
    langGrid->setColumnStretch(1, 1);
    langGrid->addWidget(cbIsTranslation, 0, 0, 1, 2);
    langGrid->addWidget(label(Field::Language), 1, 0);
    langGrid->addWidget(control(Field::Language), 1, 1);
    langGrid->addWidget(LinkLabel2, 1, 2);
    langGrid->addWidget(label(Field::OriginalLanguage), 2, 0);
    langGrid->addWidget(control(Field::OriginalLanguage), 2, 1);
    langGrid->addWidget(label(Field::Translator), 3, 0);
    langGrid->addWidget(control(Field::Translator), 3, 1);
    langGrid->addWidget(label(Field::OriginalTitle), 4, 0);
    langGrid->addWidget(control(Field::OriginalTitle), 4, 1);
    langGrid->addWidget(label(Field::Price), 5, 0);
    langGrid->addWidget(control(Field::Price), 5, 1);
    langGrid->setRowStretch(6, 1);
    previous = cbIsTranslation;
    for (QWidget* w : {control(Field::Language), static_cast<QWidget*>(LinkLabel2),
                       control(Field::OriginalLanguage), control(Field::Translator),
                       control(Field::OriginalTitle), control(Field::Price)}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    pcMoreProperties->addTab(additional, tr("Additional Details"));
    pcMoreProperties->addTab(language, tr("Language"));
    for (Field f : {Field::OriginalLanguage, Field::Translator, Field::OriginalTitle}) {
        control(f)->setEnabled(false);
        label(f)->setEnabled(false);
    }
}

void TItemPage::createPreviews()
{
    // The previews.
    auto* linksGroup = new QGroupBox(tr("Database Links"), this);
    linksGroup->setObjectName(QStringLiteral("gbDataLinks"));
    reDataLinks = new TFullRichEdit(linksGroup);
    reDataLinks->setObjectName(QStringLiteral("reDataLinks"));
    reDataLinks->setReadOnly(true);
    reDataLinks->setFrameShape(QFrame::NoFrame);
    reDataLinks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reDataLinks->setUrlDetect(true);
    reDataLinks->setStartBrowser(true);
    reDataLinks->setToolTip(tr("Links to on-line databases."));
    (new QVBoxLayout(linksGroup))->addWidget(reDataLinks);

    auto* previewGroup = new QGroupBox(tr("Reference Preview"), this);
    previewGroup->setObjectName(QStringLiteral("gbRefPreview"));
    reRefPreview = new QTextEdit(previewGroup);
    reRefPreview->setObjectName(QStringLiteral("reRefPreview"));
    reRefPreview->setReadOnly(true);
    reRefPreview->setFrameShape(QFrame::NoFrame);
    reRefPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reRefPreview->setToolTip(tr("Item reference preview."));
    (new QVBoxLayout(previewGroup))->addWidget(reRefPreview);

    bkImg = new QLabel(this);
    bkImg->setObjectName(QStringLiteral("bkImg"));
    bkImg->setAlignment(Qt::AlignCenter);
    bkImg->setPixmap(programIcon().pixmap(256, 256));

    // Top to bottom: the cataloguing data, the more properties, the two previews side by side;
    // the program's picture stands where the editor would when no book is open. The editor keeps
    // the designed proportions (248, 226 and 149 pixels) as the window grows or shrinks.
    auto* previews = new QHBoxLayout;
    previews->setSpacing(17);
    previews->addWidget(linksGroup, 329);
    previews->addWidget(previewGroup, 335);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(6);
    layout->addWidget(bkImg, 474);
    layout->addWidget(gpCataloguingData, 248);
    layout->addWidget(pcMoreProperties, 226);
    layout->addLayout(previews, 149);
}

void TItemPage::syncWithSession()
{
    if (!m_session.currentBookFile().isEmpty() && m_shownGeneration != m_session.bookGeneration())
        showBook();
}

void TItemPage::showBook()
{
    m_shownGeneration = m_session.bookGeneration();
    const BookRecord& record = m_session.book();
    m_loadingBook = true;
    for (const FieldDef& def : FieldTable::rows()) {
        QWidget* edit = control(def.field);
        if (def.editor == EditorKind::CheckBox)
            static_cast<QCheckBox*>(edit)->setChecked(record.isTranslation());
        else if (def.editor == EditorKind::Memo)
            mComments->setValue(record[def.field]);
        else
            static_cast<QLineEdit*>(edit)->setText(record[def.field]);
    }
    m_loadingBook = false;
    SetEditorVisible(true);
    ItemPropChange();
}

void TItemPage::SetEditorVisible(bool visible)
{
    gpCataloguingData->setVisible(visible);
    pcMoreProperties->setVisible(visible);
    bkImg->setVisible(!visible);
    if (!visible) {
        // No book, no previews: they never show a book that is not loaded.
        reRefPreview->clear();
        reDataLinks->clear();
    }
}

void TItemPage::fieldEdited(Field field)
{
    if (m_loadingBook)
        return;
    if (field == Field::Comments)
        m_session.setField(field, mComments->value());
    else
        m_session.setField(field, withCrLf(static_cast<QLineEdit*>(control(field))->text()));
    guarded(this, [this] { ItemPropChange(); });
}

void TItemPage::ItemPropChange()
{
    if (m_loadingBook)
        return;
    refreshPreviews();
}

void TItemPage::cbIsTranslationClick()
{
    const bool on = cbIsTranslation->isChecked();
    for (Field f : {Field::OriginalLanguage, Field::OriginalTitle, Field::Translator}) {
        control(f)->setEnabled(on);
        label(f)->setEnabled(on);
    }
    if (!m_loadingBook)
        m_session.setTranslation(on);
    ItemPropChange();
}

QLineEdit* TItemPage::isbnBox() const
{
    return static_cast<QLineEdit*>(control(Field::ISBN));
}

void TItemPage::refreshIsbnChecks()
{
    const QString text = isbnBox()->text();
    const QString problem = m_session.settings().markInvalidIsbns ? isbnProblem(text) : QString();
    acIsbnMark->setVisible(!problem.isEmpty());
    // The field's own text is in the hint: never read as markup.
    acIsbnMark->setToolTip(Qt::mightBeRichText(problem) ? Qt::convertFromPlainText(problem)
                                                        : problem);
    acIsbnMark->setIconText(problem);
    // Reaches screen readers with the box, which is what the keyboard can focus.
    isbnBox()->setAccessibleDescription(problem);
    acIsbnHyphenate->setEnabled(editIsbnField(text, IsbnEdit::Hyphenate) != text);
    acIsbnTo13->setEnabled(editIsbnField(text, IsbnEdit::ToIsbn13) != text);
    acIsbnTo10->setEnabled(editIsbnField(text, IsbnEdit::ToIsbn10) != text);
}

void TItemPage::editIsbns(IsbnEdit edit)
{
    QLineEdit* box = isbnBox();
    const QString edited = editIsbnField(box->text(), edit);
    if (edited == box->text())
        return;
    // The box's own editing, not setText: Ctrl+Z takes it back, and it reaches the session as a
    // typed edit does.
    box->selectAll();
    box->insert(edited);
}

void TItemPage::refreshPreviews()
{
    try {
        RefreshDataLinks();
        RefreshRefPreview();
        m_lastError.clear();
    } catch (const Error& error) {
        // The same failure again (same format, same templates, same message) goes to the status
        // bar: a box at every keystroke would take the focus away from the typing.
        const QString failure = m_session.formatText() + u'\n' +
                                m_session.linkTemplates().join(u'\n') + u'\n' + error.message();
        if (failure == m_lastError) {
            Q_EMIT repeatedError(error.message());
            return;
        }
        m_lastError = failure;
        throw;
    }
}

void TItemPage::RefreshRefPreview()
{
    ++m_refPreviewRefreshes;
    if (m_session.currentBookFile().isEmpty()) {
        reRefPreview->clear();
        return;
    }
    try {
        setHangingParagraphs(reRefPreview, {m_session.referencePreview()});
        m_refPreviewGeneration = m_session.bookGeneration();
    } catch (const FormatError& error) {
        // The text of the book shown before may stay, another book's never.
        if (m_refPreviewGeneration != m_session.bookGeneration())
            reRefPreview->clear();
        throw FormatError(m_session.namedFormatError(error.message()), error.position());
    }
}

void TItemPage::RefreshDataLinks()
{
    ++m_dataLinkRefreshes;
    if (m_session.currentBookFile().isEmpty()) {
        reDataLinks->clear();
        return;
    }
    QStringList lines;
    const auto show = [this, &lines] {
        setHangingParagraphs(reDataLinks, lines);
        reDataLinks->detectUrls();
        reDataLinks->moveCursor(QTextCursor::Start);
    };
    try {
        m_session.dataLinks(lines);
    } catch (...) {
        show(); // the lines built before the failing template stay
        throw;
    }
    show();
}

} // namespace quillery::ui
