#include "ui/MainWin.h"

#include "base/Errors.h"
#include "base/FileIo.h"
#include "base/ProductInfo.h"
#include "base/ProgramVersion.h"
#include "base/TextCodec.h"
#include "catalogue/BookFile.h"
#include "catalogue/DirectoryOptions.h"
#include "catalogue/Shelf.h"
#include "format/FormatEngine.h"
#include "format/Legend.h"
#include "format/Report.h"
#include "markup/Microdata.h"
#include "session/ReportControls.h"
#include "settings/SettingsStore.h"
#include "ui/Dialogs.h"
#include "ui/DirWin.h"
#include "ui/ErrorGuard.h"
#include "ui/FormatWin.h"
#include "ui/FullRichEdit.h"
#include "ui/HelpTopics.h"
#include "ui/OutputWin.h"
#include "ui/ProgramIcon.h"
#include "ui/SettingsWin.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

namespace quillery::ui {

namespace {

const QString kCaption = QStringLiteral("Tollvern Quillery");

// Hints of the editor controls, by control name.
const QHash<QString, QString>& editorHints()
{
    static const QHash<QString, QString> hints = {
        {QStringLiteral("eAuthor"), QStringLiteral("The author(s) of the book.")},
        {QStringLiteral("eYearWritten"),
         QStringLiteral("The year the book was written by the author(s).")},
        {QStringLiteral("eEdition"),
         QStringLiteral("The edition of the book (e.g., \"Second Edition\")")},
        {QStringLiteral("eTitle"), QStringLiteral("The title of the book (the translated title if "
                                                  "the work is a translation).")},
        {QStringLiteral("ePublisher"), QStringLiteral("The publisher of the book.")},
        {QStringLiteral("eSeries"),
         QStringLiteral("The (publisher's) series of books that this book belongs to.")},
        {QStringLiteral("eSeriesPos"), QStringLiteral("The position of this book in the series.")},
        {QStringLiteral("ePrintedWhere"), QStringLiteral("The place where the book was printed.")},
        {QStringLiteral("eYearPrinted"), QStringLiteral("The year the book was printed.")},
        {QStringLiteral("eISBN"),
         QStringLiteral("The International Standard Book Number (ISBN) of the book. Please enter "
                        "ISBN-10 or ISBN-13 with hyphens.")},
        {QStringLiteral("eNumPages"), QStringLiteral("The number of pages in the book.")},
        {QStringLiteral("eCategory"), QStringLiteral("The category of the book.")},
        {QStringLiteral("mComments"), QStringLiteral("Free-text comments about the book.")},
        {QStringLiteral("eBookType"), QStringLiteral("The type of the book (e.g., PhD thesis).")},
        {QStringLiteral("eBinding"), QStringLiteral("The binding of the physical book (e.g., "
                                                    "hardcover or paperback).")},
        {QStringLiteral("eLevel"), QStringLiteral("The level of the work (e.g., popular, "
                                                  "undergraduate, or graduate).")},
        {QStringLiteral("eRating"), QStringLiteral("The rating of the book (e.g. five stars).")},
        {QStringLiteral("cbIsTranslation"),
         QStringLiteral("Check this box if the work is a translation.")},
        {QStringLiteral("eLanguage"), QStringLiteral("The language of the book.")},
        {QStringLiteral("eOriginalLanguage"), QStringLiteral("The original language of the book.")},
        {QStringLiteral("eTranslator"),
         QStringLiteral("The name of the translator(s) of the original work.")},
        {QStringLiteral("eOriginalTitle"), QStringLiteral("The original title of the work.")},
        {QStringLiteral("ePrice"), QStringLiteral("The price of the physical book.")},
    };
    return hints;
}

const QString kLangHint = QStringLiteral(
    "If possible, use the BCP 47 language tag in the lang attribute of the span elements "
    "containing the title, subtitle, edition, and series of the book.");
const QString kDefLangHint = QStringLiteral(
    "If a particular book's language is the default language, its fields will not be given the "
    "lang attribute. The parent of the Quillery report must have the default language. ");

// A link label: its text as one link with the id "help", on the parent's background.
QLabel* helpLink(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"help\">") + text.toHtmlEscaped() +
                                 QStringLiteral("</a>"),
                             parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

// Ten points in pixels of the widget's screen, for the hanging indent of the previews.
qreal tenPoints(const QWidget* widget)
{
    return widget->logicalDpiX() * 10.0 / 72.0;
}

// Replaces a rich edit's text with one paragraph per line, each with a hanging indent: the
// first line of a paragraph 10 points left of the lines that follow it.
void setHangingParagraphs(QTextEdit* edit, const QStringList& lines)
{
    edit->clear();
    QTextCursor cursor(edit->document());
    QTextBlockFormat format;
    format.setLeftMargin(tenPoints(edit));
    format.setTextIndent(-tenPoints(edit));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(format);
        else
            cursor.setBlockFormat(format);
        QString line = lines[i];
        line.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
        line.replace(u'\n', QChar::LineSeparator);
        line.replace(u'\r', QChar::LineSeparator);
        cursor.insertText(line);
    }
}

// The lines of a memo, as its line list holds them: a break at the end starts no further line.
QStringList memoLines(const QPlainTextEdit* memo)
{
    // The text must outlive the views into it.
    const QString text = memo->toPlainText();
    QStringList lines;
    for (const QStringView line : splitLines(text))
        lines.append(line.toString());
    return lines;
}

QString withSeparator(const QString& path)
{
    return withTrailingSeparator(QDir::toNativeSeparators(path));
}

} // namespace

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

TmainFrm::TmainFrm(std::unique_ptr<SettingsStore> store, const QStringList& arguments,
                   QWidget* parent)
    : QMainWindow(parent), m_store(std::move(store)), m_arguments(arguments)
{
    setObjectName(QStringLiteral("mainFrm"));
    setWindowTitle(kCaption);
    setWindowIcon(programIcon());

    // The program's token of a running instance: created or opened, held, never waited on.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        m_instanceToken =
            std::make_unique<QLockFile>(runtime + QStringLiteral("/Tollvern Quillery.lock"));
        m_instanceToken->setStaleLockTime(0);
        m_instanceToken->tryLock(0);
    }

    m_currentDir = withSeparator(defaultDirectory());
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    createActions();
    createMenus();
    createLeftColumn(central);
    createPages(central);
    createStatusBar();
    applyHintsAndShortcuts();
    qApp->installEventFilter(this);

    guarded(this, [this] { loadSettings(); });
    SetEditorVisible(false);
    guarded(this, [this] { OpenCatalogue(); });
    m_output = new ToutputFrm(this);
    m_output->setObjectName(QStringLiteral("outputFrm"));
    m_output->hide();

    // The client area is fixed; the menu bar and the status bar come on top of the page area.
    const int clientHeight = 727;
    setFixedSize(952, clientHeight + menuBar()->sizeHint().height());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // Update rules run when the application is idle.
    auto* idle = new QTimer(this);
    idle->setInterval(0);
    connect(idle, &QTimer::timeout, this, [this, idle] {
        updateActions();
        idle->setInterval(100);
    });
    idle->start();
    updateActions();
}

TmainFrm::~TmainFrm()
{
    qApp->removeEventFilter(this);
}

void TmainFrm::createActions()
{
    struct Spec {
        QAction** action;
        const char* name;
        const char* category;
        const char* caption;
        const char* hint;
        QKeySequence shortcut;
    };
    const Spec specs[] = {
        {&aNewItem, "aNewItem", "Items", "New Book", "Creates a new book entry.",
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&aDelItem, "aDelItem", "Items", "Delete", "Deletes the selected book(s).", {}},
        {&aRename, "aRename", "Items", "Rename...", "Renames the selected catalogue file.", {}},
        {&aDuplicate,
         "aDuplicate",
         "Items",
         "Duplicate...",
         "Duplicates the selected book, that is, creates a new book file with identical content.",
         {}},
        {&aManage, "aManage", "Items", "Manage",
         "Opens the catalogue directory in Windows Explorer.", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {&aCreateShelf,
         "aCreateShelf",
         "Items",
         "Create Shelf...",
         "Creates a bookshelf file containing the books in the current directory.",
         {}},
        {&aUpgrade,
         "aUpgrade",
         "Items",
         "Upgrade Book Files",
         "Upgrades all book files in the current catalogue (directory) from version 1.0 ANSI to "
         "version 1.1 UTF-8 files.",
         {}},
        {&aPrev, "aPrev", "Items", "Previous", "Selects the previous book in the catalogue.",
         QKeySequence(Qt::ALT | Qt::Key_Left)},
        {&aNext, "aNext", "Items", "Next", "Selects the next book in the catalogue.",
         QKeySequence(Qt::ALT | Qt::Key_Right)},
        {&aExit, "aExit", "", "Exit", "Exits Quillery.", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {&aStatus, "aStatus", "View", "Status Bar", "Shows or hides the status bar.", {}},
        {&aHints, "aHints", "View", "Popup Hints", "Shows or hides popup hints (tooltips).",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H)},
        {&aFormatMgr, "aFormatMgr", "Settings", "Formats...",
         "Displays the reference format manager.", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {&aSettings, "aSettings", "Settings", "Settings...", "Displays the program settings.",
         QKeySequence(Qt::CTRL | Qt::Key_G)},
        {&aDirOptions, "aDirOptions", "Settings", "Directory-specific Options...",
         "Displays and edits options specific to the current directory.",
         QKeySequence(Qt::CTRL | Qt::Key_D)},
        {&aAbout, "aAbout", "Help", "About", "Displays program information.", {}},
        {&aGenMemo,
         "aGenMemo",
         "Generate",
         "Generate to memo",
         "Generates the report and displays it in a memo control.",
         {}},
        {&aGenClipbrd,
         "aGenClipbrd",
         "Generate",
         "Generate to clipboard",
         "Generates the report and saves it to clipboard.",
         {}},
        {&aGenFile,
         "aGenFile",
         "Generate",
         "Generate to file...",
         "Generates the report and saves it to a text file.",
         {}},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(QString::fromUtf8(spec.caption), this);
        action->setObjectName(QString::fromUtf8(spec.name));
        action->setProperty("category", QString::fromUtf8(spec.category));
        action->setStatusTip(QString::fromUtf8(spec.hint));
        action->setToolTip(QString::fromUtf8(spec.hint));
        action->setShortcut(spec.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        *spec.action = action;
        addAction(action);
    }
    aStatus->setCheckable(true);
    aStatus->setChecked(true);
    aHints->setCheckable(true);
    aHints->setChecked(true);
    aDelItem->setEnabled(false);

    // The five small pictures of the action list: New Book, Delete, the folder button,
    // Previous and Next.
    aNewItem->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    aDelItem->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    aPrev->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    aNext->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));

    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, action, handler] {
            if (!action->isEnabled())
                return;
            guarded(this, [this, handler] { (this->*handler)(); });
            updateActions();
        });
    };
    on(aNewItem, &TmainFrm::newItem);
    on(aDelItem, &TmainFrm::deleteItem);
    on(aRename, &TmainFrm::renameItem);
    on(aDuplicate, &TmainFrm::duplicateItem);
    on(aManage, &TmainFrm::manage);
    on(aCreateShelf, &TmainFrm::createShelf);
    on(aUpgrade, &TmainFrm::upgrade);
    on(aPrev, &TmainFrm::previous);
    on(aNext, &TmainFrm::next);
    on(aStatus, &TmainFrm::toggleStatusBar);
    on(aHints, &TmainFrm::toggleHints);
    on(aFormatMgr, &TmainFrm::formatManager);
    on(aSettings, &TmainFrm::settingsDialog);
    on(aDirOptions, &TmainFrm::directoryOptions);
    on(aAbout, &TmainFrm::about);
    connect(aExit, &QAction::triggered, this, &QWidget::close);
    for (QAction* destination : {aGenMemo, aGenClipbrd, aGenFile}) {
        connect(destination, &QAction::triggered, this, [this, destination] {
            guarded(this, [this, destination] { generate(destination); });
        });
    }
}

void TmainFrm::createMenus()
{
    QMenu* books = menuBar()->addMenu(QStringLiteral("Books"));
    books->setObjectName(QStringLiteral("mnuBooks"));
    books->addActions({aNewItem, aDelItem, aRename, aDuplicate});
    books->addSeparator();
    books->addActions({aManage, aCreateShelf, aUpgrade});
    books->addSeparator();
    books->addActions({aPrev, aNext});
    books->addSeparator();
    books->addAction(aExit);
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("mnuView"));
    view->addActions({aStatus, aHints});
    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    options->addActions({aFormatMgr, aSettings});
    options->addSeparator();
    options->addAction(aDirOptions);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(aAbout);
    for (QMenu* menu : {books, view, options, help})
        menu->setToolTipsVisible(false);

    ListPopup = new QMenu(this);
    ListPopup->setObjectName(QStringLiteral("ListPopup"));
    ListPopup->addActions({aNewItem, aDelItem, aRename, aDuplicate});
    ListPopup->addSeparator();
    ListPopup->addAction(aUpgrade);
}

void TmainFrm::createLeftColumn(QWidget* central)
{
    eDir = new QLineEdit(central);
    eDir->setObjectName(QStringLiteral("eDir"));
    eDir->setGeometry(8, 8, 201, 22);
    eDir->setToolTip(QStringLiteral("Displays the folder in which to save the book entries."));
    eDirButton =
        eDir->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    eDirButton->setObjectName(QStringLiteral("eDirButton"));
    connect(eDirButton, &QAction::triggered, this,
            [this] { guarded(this, [this] { eDirRightButtonClick(); }); });
    eDir->installEventFilter(this);

    lbBooks = new QListWidget(central);
    lbBooks->setObjectName(QStringLiteral("lbBooks"));
    lbBooks->setGeometry(8, 32, 201, 667);
    lbBooks->setToolTip(QStringLiteral("Lists all books in the catalogue."));
    lbBooks->setSelectionMode(QAbstractItemView::SingleSelection);
    lbBooks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lbBooks, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ListPopup->popup(lbBooks->viewport()->mapToGlobal(pos)); });
    // A click or a keyboard move in the list selects a book.
    connect(lbBooks, &QListWidget::currentRowChanged, this, [this](int) {
        guarded(this, [this] { lbBooksClick(); });
        updateActions();
    });
    connect(lbBooks, &QListWidget::itemClicked, this,
            [this] { guarded(this, [this] { lbBooksClick(); }); });
    lbBooks->installEventFilter(this);
}

void TmainFrm::createPages(QWidget* central)
{
    MainPageControl = new QTabWidget(central);
    MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
    MainPageControl->setGeometry(222, 8, 722, 691);
    TabSheet1 = createItemPage();
    TabSheet2 = createReportPage();
    TabSheet3 = createLinksPage();
    MainPageControl->addTab(TabSheet1, QStringLiteral("Item Properties"));
    MainPageControl->addTab(TabSheet2, QStringLiteral("Generate Report"));
    MainPageControl->addTab(TabSheet3, QStringLiteral("Database Links"));
    MainPageControl->setCurrentIndex(0);
    connect(MainPageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0)
            guarded(this, [this] { TabSheet1Show(); });
    });
}

QWidget* TmainFrm::createItemPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));

    const auto makeField = [this](const FieldDef& def, QWidget* parent) -> QWidget* {
        const QString name = QString::fromLatin1(def.control);
        const QString hint = editorHints().value(name);
        QWidget* control = nullptr;
        switch (def.editor) {
        case EditorKind::Memo: {
            mComments = new QPlainTextEdit(parent);
            mComments->setTabChangesFocus(true);
            connect(mComments, &QPlainTextEdit::textChanged, this,
                    [this] { guarded(this, [this] { ItemPropChange(); }); });
            control = mComments;
            break;
        }
        case EditorKind::CheckBox: {
            cbIsTranslation = new QCheckBox(QString::fromUtf16(def.caption), parent);
            connect(cbIsTranslation, &QCheckBox::toggled, this,
                    [this] { guarded(this, [this] { cbIsTranslationClick(); }); });
            control = cbIsTranslation;
            break;
        }
        case EditorKind::Text:
        case EditorKind::DigitsOnly: {
            auto* edit = new QLineEdit(parent);
            if (def.editor == EditorKind::DigitsOnly)
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("[0-9]*")), edit));
            connect(edit, &QLineEdit::textChanged, this,
                    [this] { guarded(this, [this] { ItemPropChange(); }); });
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
            auto* label = new QLabel(QString::fromUtf16(def.caption), parent);
            label->setObjectName(QStringLiteral("lbl") + name.mid(1));
            label->setBuddy(control);
            m_fieldLabels.insert(int(def.field), label);
        }
        return control;
    };
    const auto field = [this](Field f) {
        return m_fieldControls.value(int(f));
    };
    const auto label = [this](Field f) {
        return m_fieldLabels.value(int(f));
    };

    // Cataloguing data.
    gpCataloguingData = new QGroupBox(QStringLiteral("Cataloguing Data"), page);
    gpCataloguingData->setObjectName(QStringLiteral("gpCataloguingData"));
    gpCataloguingData->setGeometry(16, 16, 682, 248);
    for (const FieldDef& def : FieldTable::rows()) {
        if (QStringView(def.section) == QStringView(SectionCataloguing))
            makeField(def, gpCataloguingData);
    }
    auto* LinkLabel3 =
        helpLink(QStringLiteral("LinkLabel3"), QStringLiteral("Help on names"), gpCataloguingData);
    connect(LinkLabel3, &QLabel::linkActivated, this, [this](const QString& link) {
        helpLinkClicked(this, link, HelpTopic::SpecifyingAuthors);
    });
    auto* grid = new QGridLayout(gpCataloguingData);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(label(Field::Author), 0, 0);
    grid->addWidget(field(Field::Author), 0, 1, 1, 3);
    grid->addWidget(LinkLabel3, 0, 4, 1, 2);
    grid->addWidget(label(Field::YearWritten), 1, 0);
    grid->addWidget(field(Field::YearWritten), 1, 1);
    grid->addWidget(label(Field::Edition), 1, 2);
    grid->addWidget(field(Field::Edition), 1, 3, 1, 3);
    grid->addWidget(label(Field::Title), 2, 0);
    grid->addWidget(field(Field::Title), 2, 1, 1, 5);
    grid->addWidget(label(Field::Subtitle), 3, 0);
    grid->addWidget(field(Field::Subtitle), 3, 1, 1, 5);
    grid->addWidget(label(Field::Publisher), 4, 0);
    grid->addWidget(field(Field::Publisher), 4, 1);
    grid->addWidget(label(Field::Series), 4, 2);
    grid->addWidget(field(Field::Series), 4, 3);
    grid->addWidget(label(Field::Position), 4, 4);
    grid->addWidget(field(Field::Position), 4, 5);
    field(Field::Position)->setFixedWidth(48);
    grid->addWidget(label(Field::Printed), 5, 0);
    grid->addWidget(field(Field::Printed), 5, 1);
    grid->addWidget(label(Field::YearPrinted), 5, 2);
    grid->addWidget(field(Field::YearPrinted), 5, 3, 1, 3);
    grid->addWidget(label(Field::ISBN), 6, 0);
    grid->addWidget(field(Field::ISBN), 6, 1);
    QWidget::setTabOrder(field(Field::Author), LinkLabel3);
    QWidget* previous = LinkLabel3;
    for (Field f :
         {Field::YearWritten, Field::Edition, Field::Title, Field::Subtitle, Field::Publisher,
          Field::Series, Field::Position, Field::Printed, Field::YearPrinted, Field::ISBN}) {
        QWidget::setTabOrder(previous, field(f));
        previous = field(f);
    }

    // More properties: additional details and language.
    pcMoreProperties = new QTabWidget(page);
    pcMoreProperties->setObjectName(QStringLiteral("pcMoreProperties"));
    pcMoreProperties->setGeometry(16, 270, 682, 226);
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
        addGrid->addWidget(field(f), row, 1);
        ++row;
    }
    addGrid->addWidget(label(Field::Comments), 0, 2, Qt::AlignTop);
    addGrid->addWidget(field(Field::Comments), 0, 3, row, 1);
    previous = field(Field::NumPages);
    for (Field f : {Field::Category, Field::Comments, Field::BookType, Field::Binding, Field::Level,
                    Field::Rating}) {
        QWidget::setTabOrder(previous, field(f));
        previous = field(f);
    }

    auto* LinkLabel2 = helpLink(QStringLiteral("LinkLabel2"),
                                QStringLiteral("How do I specify a BCP 47 code?"), language);
    connect(LinkLabel2, &QLabel::linkActivated, this,
            [this](const QString& link) { helpLinkClicked(this, link, HelpTopic::Language); });
    auto* langGrid = new QGridLayout(language);
    langGrid->setColumnStretch(1, 1);
    langGrid->addWidget(cbIsTranslation, 0, 0, 1, 2);
    langGrid->addWidget(label(Field::Language), 1, 0);
    langGrid->addWidget(field(Field::Language), 1, 1);
    langGrid->addWidget(LinkLabel2, 1, 2);
    langGrid->addWidget(label(Field::OriginalLanguage), 2, 0);
    langGrid->addWidget(field(Field::OriginalLanguage), 2, 1);
    langGrid->addWidget(label(Field::Translator), 3, 0);
    langGrid->addWidget(field(Field::Translator), 3, 1);
    langGrid->addWidget(label(Field::OriginalTitle), 4, 0);
    langGrid->addWidget(field(Field::OriginalTitle), 4, 1);
    langGrid->addWidget(label(Field::Price), 5, 0);
    langGrid->addWidget(field(Field::Price), 5, 1);
    langGrid->setRowStretch(6, 1);
    previous = cbIsTranslation;
    for (QWidget* w :
         {field(Field::Language), static_cast<QWidget*>(LinkLabel2), field(Field::OriginalLanguage),
          field(Field::Translator), field(Field::OriginalTitle), field(Field::Price)}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    pcMoreProperties->addTab(additional, QStringLiteral("Additional Details"));
    pcMoreProperties->addTab(language, QStringLiteral("Language"));
    for (Field f : {Field::OriginalLanguage, Field::Translator, Field::OriginalTitle}) {
        field(f)->setEnabled(false);
        label(f)->setEnabled(false);
    }

    // The previews.
    auto* linksGroup = new QGroupBox(QStringLiteral("Database Links"), page);
    linksGroup->setObjectName(QStringLiteral("gbDataLinks"));
    linksGroup->setGeometry(16, 502, 329, 149);
    reDataLinks = new TFullRichEdit(linksGroup);
    reDataLinks->setObjectName(QStringLiteral("reDataLinks"));
    reDataLinks->setReadOnly(true);
    reDataLinks->setFrameShape(QFrame::NoFrame);
    reDataLinks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reDataLinks->setUrlDetect(true);
    reDataLinks->setStartBrowser(true);
    reDataLinks->setToolTip(QStringLiteral("Links to on-line databases."));
    (new QVBoxLayout(linksGroup))->addWidget(reDataLinks);

    auto* previewGroup = new QGroupBox(QStringLiteral("Reference Preview"), page);
    previewGroup->setObjectName(QStringLiteral("gbRefPreview"));
    previewGroup->setGeometry(362, 502, 335, 149);
    reRefPreview = new QTextEdit(previewGroup);
    reRefPreview->setObjectName(QStringLiteral("reRefPreview"));
    reRefPreview->setReadOnly(true);
    reRefPreview->setFrameShape(QFrame::NoFrame);
    reRefPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reRefPreview->setToolTip(QStringLiteral("Item reference preview."));
    (new QVBoxLayout(previewGroup))->addWidget(reRefPreview);

    bkImg = new QLabel(page);
    bkImg->setObjectName(QStringLiteral("bkImg"));
    bkImg->setGeometry(3, 0, 710, 496);
    bkImg->setAlignment(Qt::AlignCenter);
    bkImg->setPixmap(programIcon().pixmap(256, 256));
    return page;
}

QWidget* TmainFrm::createReportPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* layout = new QVBoxLayout(page);

    auto* RadioGroup1 = new QGroupBox(QStringLiteral("Data Selection"), page);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    rbSelected = new QRadioButton(QStringLiteral("&Selected item"), RadioGroup1);
    rbSelected->setObjectName(QStringLiteral("rbSelected"));
    rbAll = new QRadioButton(QStringLiteral("A&ll items"), RadioGroup1);
    rbAll->setObjectName(QStringLiteral("rbAll"));
    rbAll->setChecked(true);
    auto* radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(rbSelected);
    radios->addWidget(rbAll);
    layout->addWidget(RadioGroup1);

    auto* formatGroup = new QGroupBox(QStringLiteral("Reference Format"), page);
    formatGroup->setObjectName(QStringLiteral("gbReferenceFormat"));
    auto* formatGrid = new QGridLayout(formatGroup);
    eFormat = new QComboBox(formatGroup);
    eFormat->setObjectName(QStringLiteral("eFormat"));
    eFormat->setEditable(true);
    eFormat->setInsertPolicy(QComboBox::NoInsert);
    eFormat->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* formatLabel = new QLabel(QStringLiteral("F&ormat:"), formatGroup);
    formatLabel->setBuddy(eFormat);
    mFormatLegend = new QPlainTextEdit(formatGroup);
    mFormatLegend->setObjectName(QStringLiteral("mFormatLegend"));
    mFormatLegend->setReadOnly(true);
    mFormatLegend->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mFormatLegend->setLineWrapMode(QPlainTextEdit::NoWrap);
    mFormatLegend->setPlainText(formatLegendLines().join(u'\n'));
    auto* legendLabel = new QLabel(QStringLiteral("Legend:"), formatGroup);
    legendLabel->setBuddy(mFormatLegend);
    auto* LinkLabel1 =
        helpLink(QStringLiteral("LinkLabel1"),
                 QStringLiteral("Learn about more formatting options."), formatGroup);
    connect(LinkLabel1, &QLabel::linkActivated, this, [this](const QString& link) {
        helpLinkClicked(this, link, HelpTopic::FormattingOptions);
    });
    formatGrid->addWidget(formatLabel, 0, 0);
    formatGrid->addWidget(eFormat, 0, 1);
    formatGrid->addWidget(legendLabel, 1, 0, Qt::AlignTop);
    formatGrid->addWidget(mFormatLegend, 1, 1);
    formatGrid->addWidget(LinkLabel1, 2, 1);
    layout->addWidget(formatGroup, 1);

    auto* reportGroup = new QGroupBox(QStringLiteral("Report Format"), page);
    reportGroup->setObjectName(QStringLiteral("gbReportFormat"));
    auto* reportGrid = new QGridLayout(reportGroup);
    const auto textRow = [&](QLineEdit*& edit, const char* name, const char* caption,
                             const char* start, int row) {
        edit = new QLineEdit(QString::fromUtf8(start), reportGroup);
        edit->setObjectName(QString::fromUtf8(name));
        auto* l = new QLabel(QString::fromUtf8(caption), reportGroup);
        l->setBuddy(edit);
        reportGrid->addWidget(l, row, 0);
        reportGrid->addWidget(edit, row, 1);
    };
    textRow(eBeforeItem, "eBeforeItem", "&Before item:", "<li>", 0);
    auto* idNote = new QLabel(QStringLiteral("%ID is the book file name"), reportGroup);
    idNote->setObjectName(QStringLiteral("lblIdNote"));
    reportGrid->addWidget(idNote, 0, 2);
    textRow(eAfterItem, "eAfterItem", "&After item:", "</li>", 1);
    textRow(eBeforeReport, "eBeforeReport", "B&efore report:", "<ul>", 2);
    textRow(eAfterReport, "eAfterReport", "A&fter report:", "</ul>", 3);
    cbMicrodata = new QCheckBox(QStringLiteral("Include microdata (schema.org/Book)"), reportGroup);
    cbMicrodata->setObjectName(QStringLiteral("cbMicrodata"));
    connect(cbMicrodata, &QCheckBox::toggled, this, &TmainFrm::cbMicrodataClick);
    reportGrid->addWidget(cbMicrodata, 4, 1, 1, 2);
    cbUseLangForTitle = new QCheckBox(QStringLiteral("Use book language for titles"), reportGroup);
    cbUseLangForTitle->setObjectName(QStringLiteral("cbUseLangForTitle"));
    cbUseLangForTitle->setChecked(true);
    cbUseLangForTitle->setToolTip(kLangHint);
    cbUseLangForTitle->setStatusTip(kLangHint);
    reportGrid->addWidget(cbUseLangForTitle, 5, 1, 1, 2);
    eDefLang = new QLineEdit(reportGroup);
    eDefLang->setObjectName(QStringLiteral("eDefLang"));
    eDefLang->setToolTip(kDefLangHint);
    eDefLang->setStatusTip(kDefLangHint);
    auto* defLangLabel =
        new QLabel(QStringLiteral("Default language of the catalogue:"), reportGroup);
    defLangLabel->setBuddy(eDefLang);
    reportGrid->addWidget(defLangLabel, 6, 0, 1, 2);
    reportGrid->addWidget(eDefLang, 7, 0, 1, 2);
    auto* LinkLabel4 = helpLink(QStringLiteral("LinkLabel4"),
                                QStringLiteral("How do I specify a BCP 47 code?"), reportGroup);
    connect(LinkLabel4, &QLabel::linkActivated, this,
            [this](const QString& link) { helpLinkClicked(this, link, HelpTopic::Language); });
    reportGrid->addWidget(LinkLabel4, 7, 2);
    layout->addWidget(reportGroup);

    btnGeneratePopup = new QMenu(page);
    btnGeneratePopup->setObjectName(QStringLiteral("btnGeneratePopup"));
    btnGeneratePopup->addActions({aGenMemo, aGenClipbrd, aGenFile});
    btnGenerate = new QToolButton(page);
    btnGenerate->setObjectName(QStringLiteral("btnGenerate"));
    btnGenerate->setPopupMode(QToolButton::MenuButtonPopup);
    btnGenerate->setMenu(btnGeneratePopup);
    btnGenerate->setDefaultAction(aGenMemo);
    btnGenerate->setToolButtonStyle(Qt::ToolButtonTextOnly);
    btnGenerate->setMinimumWidth(160);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnGenerate);
    layout->addLayout(buttonRow);
    return page;
}

QWidget* TmainFrm::createLinksPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    teDataLinks = new QPlainTextEdit(page);
    teDataLinks->setObjectName(QStringLiteral("teDataLinks"));
    teDataLinks->setFrameShape(QFrame::NoFrame);
    teDataLinks->setLineWrapMode(QPlainTextEdit::NoWrap);
    mFormatLegend2 = new QPlainTextEdit(page);
    mFormatLegend2->setObjectName(QStringLiteral("mFormatLegend2"));
    mFormatLegend2->setReadOnly(true);
    mFormatLegend2->setFixedWidth(226);
    mFormatLegend2->setLineWrapMode(QPlainTextEdit::NoWrap);
    mFormatLegend2->setPlainText(linkLegendLines().join(u'\n'));
    // A narrow column: the descriptions start right after the longest code.
    mFormatLegend2->setTabStopDistance(
        mFormatLegend2->fontMetrics().horizontalAdvance(QStringLiteral("%xNNNN")) + 8);
    layout->addWidget(teDataLinks, 1);
    layout->addWidget(mFormatLegend2);
    return page;
}

void TmainFrm::createStatusBar()
{
    statusCount = new QLabel(this);
    statusCount->setObjectName(QStringLiteral("statusCount"));
    statusCount->setFixedWidth(216);
    statusHint = new QLabel(this);
    statusHint->setObjectName(QStringLiteral("statusHint"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(statusCount);
    statusBar()->addPermanentWidget(statusHint, 1);
}

void TmainFrm::applyHintsAndShortcuts()
{
    // Pop-up hints stay 60 s; a control bound to an action with a shortcut shows it too.
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->toolTip().isEmpty()) {
            w->setToolTipDuration(60000);
            if (w->statusTip().isEmpty())
                w->setStatusTip(w->toolTip());
        }
    }
    for (QAction* action : actions()) {
        action->setProperty("caption", action->text());
        if (action->shortcut().isEmpty())
            continue;
        const QString shortcut = shortcutText(action->shortcut());
        action->setToolTip(QStringLiteral("%1 (%2)").arg(action->statusTip(), shortcut));
        // Menus show the text after a tab as the shortcut, in the program's own spelling.
        action->setText(action->text() + u'\t' + shortcut);
    }
}

// ----- Settings, start-up and shutdown -----

void TmainFrm::loadSettings()
{
    if (!m_store)
        m_store = openUserSettingsStore();
    m_settings = LoadAppSettings(*m_store);
    if (!m_settings.directory.isEmpty())
        m_currentDir = withSeparator(m_settings.directory);
    if (!m_settings.tooltips && m_hintsOn)
        toggleHints();
    eFormat->clear();
    eFormat->addItems(m_settings.formats);
    eFormat->setCurrentText(formatBoxText(m_settings));
    teDataLinks->setPlainText(m_settings.dataLinkTemplates.join(u'\n'));
}

void TmainFrm::saveSettings()
{
    m_settings.directory = m_currentDir;
    m_settings.format = eFormat->currentText();
    m_settings.formats = formatItems();
    m_settings.dataLinkTemplates = linkTemplates();
    m_settings.statusbar = !statusBar()->isHidden();
    m_settings.tooltips = m_hintsOn;
    if (m_store)
        SaveAppSettings(*m_store, m_settings);
}

void TmainFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (!m_settings.statusbar)
        guarded(this, [this] { toggleStatusBar(); });
    guarded(this, [this] { commandLineOpen(); });
}

void TmainFrm::commandLineOpen()
{
    if (m_arguments.isEmpty())
        return;
    const QFileInfo file(m_arguments.constFirst());
    if (!file.isFile() || file.suffix().compare(u"book", Qt::CaseInsensitive) != 0)
        return;
    m_currentDir = withSeparator(file.absolutePath());
    OpenCatalogue();
    if (!selectBook(file.completeBaseName()))
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(),
                             QStringLiteral("The *.book file that was passed as command-line "
                                            "argument was found in the file system, but could not "
                                            "be found in the catalogue list box, which was highly "
                                            "unexpected."),
                             QMessageBox::Ok);
}

void TmainFrm::closeEvent(QCloseEvent* event)
{
    if (!m_currentBookFile.isEmpty()) {
        try {
            SaveBookFromEditor();
        } catch (const Error& error) {
            // The open book is the user's work: never close over a failed save unasked.
            showError(this, error.message());
            if (dialogs().messageBox(this, QMessageBox::Warning, windowTitle(),
                                     QStringLiteral("The open book could not be saved. Close "
                                                    "anyway and lose its changes?"),
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
                event->ignore();
                return;
            }
        }
    }
    guarded(this, [this] { saveSettings(); });
    m_output->close();
    event->accept();
}

bool TmainFrm::event(QEvent* event)
{
    // The hint of whatever the pointer rests on goes to the status bar's second panel.
    if (event->type() == QEvent::StatusTip) {
        statusHint->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TmainFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_hintsOn)
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == eDir && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (key->modifiers() & Qt::ControlModifier)
                guarded(this, [this] { eDirRightButtonClick(); });
            else
                guarded(this, [this] { eDirEnter(); });
            return true;
        }
        if (watched == lbBooks && key->key() == Qt::Key_Delete &&
            key->modifiers() == Qt::NoModifier) {
            if (selectedIndex() >= 0)
                aDelItem->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TmainFrm::updateActions()
{
    const int index = selectedIndex();
    const bool selected = index >= 0;
    aDelItem->setEnabled(selected);
    aRename->setEnabled(selected);
    aDuplicate->setEnabled(selected);
    const bool dirExists = !m_currentDir.isEmpty() && QFileInfo(m_currentDir).isDir();
    aDirOptions->setEnabled(dirExists);
    aCreateShelf->setEnabled(dirExists);
    aPrev->setEnabled(index > 0);
    aNext->setEnabled(selected && index < lbBooks->count() - 1);
    aStatus->setChecked(!statusBar()->isHidden());
    aHints->setChecked(m_hintsOn);
}

// ----- The catalogue -----

int TmainFrm::selectedIndex() const
{
    const QList<QListWidgetItem*> items = lbBooks->selectedItems();
    return items.isEmpty() ? -1 : lbBooks->row(items.constFirst());
}

QString TmainFrm::selectedName() const
{
    const int index = selectedIndex();
    return index < 0 ? QString() : lbBooks->item(index)->text();
}

void TmainFrm::OpenCatalogue()
{
    eDir->setText(m_currentDir);
    {
        const QSignalBlocker blocker(lbBooks);
        lbBooks->clear();
        lbBooks->addItems(listBookNames(m_currentDir));
        lbBooks->setCurrentRow(-1);
        lbBooks->clearSelection();
    }
    statusCount->setText(bookCountText(lbBooks->count()));
    QString format = eFormat->currentText();
    ReportOptions options = reportOptionsFromControls();
    if (readDirectoryOptionsInto(m_currentDir, format, options)) {
        eFormat->setCurrentText(format);
        setReportControls(options);
    }
    if (m_versionCache.catalogueHasVersion10Files(m_currentDir, bookNames()))
        offerUpgrade();
    updateActions();
}

void TmainFrm::offerUpgrade()
{
    const QString question = QStringLiteral(
        "This catalogue contains books in the version 1.0 format, which only supports ASCII "
        "characters. Do you want to upgrade the catalogue to the 1.1 format (strongly adviced)?");
    bool yes = false;
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = QStringLiteral("Old File Format");
        spec.content = question;
        spec.commonButtons = QDialogButtonBox::Yes | QDialogButtonBox::No;
        spec.footer = QStringLiteral("The current catalogue is \r\n\r\n") + m_currentDir +
                      QStringLiteral("\r\n\r\nAll *.book files in this catalogue will be "
                                     "upgraded, if needed.");
        yes = dialogs().taskDialog(this, spec) == QDialogButtonBox::Yes;
    } else {
        yes = dialogs().messageBox(this, QMessageBox::Question, windowTitle(), question,
                                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    if (yes)
        upgrade();
}

void TmainFrm::upgrade()
{
    const int count = upgradeCatalogue(m_currentDir, bookNames());
    dialogs().messageBox(this, QMessageBox::Information, windowTitle(), booksUpgradedText(count),
                         QMessageBox::Ok);
}

void TmainFrm::lbBooksClick()
{
    const QString name = selectedName();
    if (selectedIndex() < 0)
        return;
    const QString path = bookFilePath(m_currentDir, name);
    if (sameFilePath(path, m_currentBookFile))
        return;
    if (!m_currentBookFile.isEmpty())
        SaveBookFromEditor();
    LoadBookIntoEditor(path);
}

bool TmainFrm::selectBook(const QString& name)
{
    // The entry of exactly this name, else one that differs only in case: where the file system
    // tells case apart, "Emma" and "emma" are two books.
    int found = -1;
    for (int i = 0; i < lbBooks->count() && found < 0; ++i) {
        if (lbBooks->item(i)->text() == name)
            found = i;
    }
    for (int i = 0; i < lbBooks->count() && found < 0; ++i) {
        if (lbBooks->item(i)->text().compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    if (found < 0)
        return false;
    {
        const QSignalBlocker blocker(lbBooks);
        lbBooks->setCurrentRow(found);
        lbBooks->item(found)->setSelected(true);
    }
    lbBooksClick();
    updateActions();
    return true;
}

void TmainFrm::eDirEnter()
{
    const QString typed = eDir->text();
    if (QFileInfo(typed).isDir()) {
        m_currentDir = withSeparator(typed);
        OpenCatalogue();
        return;
    }
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = windowTitle();
        spec.mainInstruction = QStringLiteral("Directory Selection");
        spec.content = QStringLiteral("There is no directory with the specified path.");
        spec.icon = TaskDialogSpec::Icon::Error;
        spec.commonButtons = QDialogButtonBox::Close;
        spec.expandedInformation =
            QStringLiteral("An attempt was made to select the non-existing directory\r\n\r\n") +
            typed;
        dialogs().taskDialog(this, spec);
    } else {
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(),
                             QStringLiteral("There is no directory with the specified path"),
                             QMessageBox::Ok);
    }
    eDir->setText(m_currentDir);
}

void TmainFrm::eDirRightButtonClick()
{
    const std::optional<QString> folder = dialogs().pickFolder(
        this, QStringLiteral("Select Directory"), QStringLiteral("Select"), m_currentDir);
    if (!folder)
        return;
    m_currentDir = withSeparator(*folder);
    OpenCatalogue();
}

void TmainFrm::SetEditorVisible(bool visible)
{
    gpCataloguingData->setVisible(visible);
    pcMoreProperties->setVisible(visible);
    bkImg->setVisible(!visible);
}

std::optional<QString> TmainFrm::acceptName(const QString& title, const QString& prompt,
                                            QString proposal)
{
    for (;;) {
        const std::optional<QString> entered = dialogs().inputBox(this, title, prompt, proposal);
        if (!entered)
            return std::nullopt;
        proposal = withBookExtension(*entered);
        if (checkProposal(m_currentDir, proposal) == NameCheck::Accepted)
            return proposal;
    }
}

void TmainFrm::newItem()
{
    const std::optional<QString> name = acceptName(
        QStringLiteral("New Book"), QStringLiteral("Please enter a new, unique, file name:"),
        firstNewBookProposal(m_currentDir));
    if (!name)
        return;
    createNewEmptyFile(m_currentDir + *name);
    OpenCatalogue();
}

void TmainFrm::deleteItem()
{
    if (selectedIndex() < 0)
        return;
    const QString name = selectedName();
    const QString path = bookFilePath(m_currentDir, name);
    const QString question =
        QStringLiteral("Are you sure that you want to remove the book file named \"%1\"?")
            .arg(name);
    bool confirmed = false;
    if (useTaskDialogForm()) {
        enum { Remove = 101, Keep = 102 };
        TaskDialogSpec spec;
        spec.windowCaption = kCaption;
        spec.mainInstruction = QStringLiteral("Confirm Removal");
        spec.content = question;
        spec.commandLinks = {
            {Remove, QStringLiteral("Remove"),
             QStringLiteral("Remove the book from the catalogue.")},
            {Keep, QStringLiteral("Keep"), QStringLiteral("Keep the book in the catalogue.")}};
        spec.expandedInformation =
            QStringLiteral("If you remove the book item from the catalogue, the corresponding "
                           "*.book file will be removed from the file system. In this case, the "
                           "file is\r\n\r\n") +
            path;
        confirmed = dialogs().taskDialog(this, spec) == Remove;
    } else {
        confirmed =
            dialogs().messageBox(this, QMessageBox::Question, QStringLiteral("Confirm Removal"),
                                 question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    if (!confirmed)
        return;
    if (deleteFile(path)) {
        m_currentBookFile.clear();
        SetEditorVisible(false);
    } else {
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(),
                             QStringLiteral("The file %1 could not be deleted.")
                                 .arg(name + QStringView(BookExtension)),
                             QMessageBox::Ok);
    }
    OpenCatalogue();
}

void TmainFrm::renameItem()
{
    if (selectedIndex() < 0)
        return;
    if (!m_currentBookFile.isEmpty())
        SaveBookFromEditor();
    const QString oldName = selectedName();
    const std::optional<QString> proposal = acceptName(
        QStringLiteral("Rename Item"),
        QStringLiteral("Please enter the new (unique) name of the catalogue item:"), oldName);
    if (!proposal)
        return;
    m_currentBookFile.clear();
    const bool moved =
        renameNoReplace(bookFilePath(m_currentDir, oldName), m_currentDir + *proposal);
    afterFileOperation(moved, *proposal,
                       QStringLiteral("The file was successfully renamed by the operating system, "
                                      "but could not be found afterwards. This was highly "
                                      "unexpected."),
                       QStringLiteral("The operating system could not rename the file."));
}

void TmainFrm::duplicateItem()
{
    if (selectedIndex() < 0 || m_currentBookFile.isEmpty())
        return;
    SaveBookFromEditor();
    const QString source = selectedName();
    const std::optional<QString> proposal =
        acceptName(QStringLiteral("Rename Item"),
                   QStringLiteral("Please enter the new (unique) name of the new, duplicate, "
                                  "catalogue item:"),
                   source);
    if (!proposal)
        return;
    m_currentBookFile.clear();
    const bool copied = copyNoReplace(bookFilePath(m_currentDir, source), m_currentDir + *proposal);
    afterFileOperation(copied, *proposal,
                       QStringLiteral("The file was successfully copied by the operating system, "
                                      "but the new file could not be found afterwards. This was "
                                      "highly unexpected."),
                       QStringLiteral("The operating system could not copy the file."));
}

void TmainFrm::afterFileOperation(bool succeeded, const QString& proposal, const QString& notFound,
                                  const QString& failed)
{
    // Rename and Duplicate end alike: relist, then load the new book or say why not.
    OpenCatalogue();
    if (succeeded && selectBook(bookIdFromPath(proposal)))
        return;
    if (succeeded) {
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(), notFound, QMessageBox::Ok);
        SetEditorVisible(false);
    } else {
        SetEditorVisible(false);
        dialogs().messageBox(this, QMessageBox::Critical, windowTitle(), failed, QMessageBox::Ok);
    }
}

void TmainFrm::manage()
{
    dialogs().openUrl(QUrl::fromLocalFile(m_currentDir));
}

void TmainFrm::createShelf()
{
    if (!m_currentBookFile.isEmpty())
        SaveBookFromEditor();
    m_currentDir = withSeparator(m_currentDir);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString hint = statusHint->text();
    statusHint->setText(QStringLiteral("Creating shelf..."));
    statusHint->repaint();
    struct Restore {
        QLabel* label;
        QString text;
        ~Restore()
        {
            QApplication::restoreOverrideCursor();
            label->setText(text);
        }
    } restore{statusHint, hint};
    const QByteArray bytes = shelfBytes(m_currentDir, programVersionString());
    QApplication::restoreOverrideCursor();
    const std::optional<QString> chosen = dialogs().saveFileName(
        this, QString(), QStringLiteral("Bookshelf files (*.shelf)"), m_currentDir, QString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!chosen)
        return;
    writeWholeFile(withShelfExtension(*chosen), bytes);
}

void TmainFrm::previous()
{
    const int index = selectedIndex();
    if (index <= 0)
        return;
    selectBook(lbBooks->item(index - 1)->text());
}

void TmainFrm::next()
{
    const int index = selectedIndex();
    if (index < 0 || index >= lbBooks->count() - 1)
        return;
    selectBook(lbBooks->item(index + 1)->text());
}

void TmainFrm::toggleStatusBar()
{
    // The window grows or shrinks by the bar, so the other controls keep their size.
    const bool show = statusBar()->isHidden();
    const int barHeight = statusBar()->sizeHint().height();
    statusBar()->setVisible(show);
    setFixedSize(width(), height() + (show ? barHeight : -barHeight));
    aStatus->setChecked(show);
}

void TmainFrm::toggleHints()
{
    m_hintsOn = !m_hintsOn;
    if (!m_hintsOn)
        QToolTip::hideText();
    aHints->setChecked(m_hintsOn);
}

void TmainFrm::formatManager()
{
    TformatFrm dialog(formatItems(), this);
    if (dialogs().execDialog(dialog) != QDialog::Accepted || !dialog.closedWithOk())
        return;
    // The items are replaced; the text of the box stays as it was.
    const QString text = eFormat->currentText();
    eFormat->clear();
    eFormat->addItems(dialog.formats());
    eFormat->setCurrentText(text);
}

void TmainFrm::settingsDialog()
{
    TsettingsFrm dialog(m_settings, this);
    if (dialogs().execDialog(dialog) == QDialog::Accepted && dialog.closedWithOk())
        dialog.applyTo(m_settings);
    RefreshRefPreview();
}

void TmainFrm::directoryOptions()
{
    QStringList formats;
    for (int i = 0; i < eFormat->count(); ++i)
        formats.append(eFormat->itemText(i));
    TDirFrm dialog(m_currentDir, formats, eFormat->currentText(), reportOptionsFromControls(),
                   this);
    dialogs().execDialog(dialog);
    if (dialog.closedWithOk())
        OpenCatalogue();
}

void TmainFrm::about()
{
    showAbout(this);
}

// ----- The editor -----

QWidget* TmainFrm::editorControl(Field field) const
{
    return m_fieldControls.value(int(field));
}

BookRecord TmainFrm::GatherBookRecord() const
{
    BookRecord record;
    for (const FieldDef& def : FieldTable::rows()) {
        QWidget* control = editorControl(def.field);
        if (def.editor == EditorKind::CheckBox) {
            record.setTranslation(static_cast<QCheckBox*>(control)->isChecked());
        } else if (def.editor == EditorKind::Memo) {
            QString text = static_cast<QPlainTextEdit*>(control)->toPlainText();
#ifdef Q_OS_WIN
            text.replace(u'\n', QStringLiteral("\r\n"));
#endif
            record[def.field] = text;
        } else {
            record[def.field] = static_cast<QLineEdit*>(control)->text();
        }
    }
    return record;
}

void TmainFrm::LoadBookIntoEditor(const QString& path)
{
    if (IsVersion10File(path))
        UpgradeBookFile(path);
    const BookRecord record = ReadBookRecord(path);
    m_loadingBook = true;
    try {
        for (const FieldDef& def : FieldTable::rows()) {
            QWidget* control = editorControl(def.field);
            if (def.editor == EditorKind::CheckBox)
                static_cast<QCheckBox*>(control)->setChecked(record.isTranslation());
            else if (def.editor == EditorKind::Memo)
                static_cast<QPlainTextEdit*>(control)->setPlainText(record[def.field]);
            else
                static_cast<QLineEdit*>(control)->setText(record[def.field]);
        }
    } catch (...) {
        m_loadingBook = false;
        ItemPropChange();
        throw;
    }
    m_loadingBook = false;
    // The editor now shows this book, so it is the current one before the previews run: a
    // format error in a preview must not leave the editor's values bound to the book left, where
    // the next save would write them.
    m_currentBookFile = path;
    SetEditorVisible(true);
    ItemPropChange();
}

void TmainFrm::SaveBookFromEditor()
{
    if (m_currentBookFile.isEmpty())
        return;
    writeBookFile(m_currentBookFile, GatherBookRecord());
}

void TmainFrm::ItemPropChange()
{
    if (m_loadingBook)
        return;
    RefreshDataLinks();
    RefreshRefPreview();
}

void TmainFrm::cbIsTranslationClick()
{
    const bool on = cbIsTranslation->isChecked();
    for (Field f : {Field::OriginalLanguage, Field::OriginalTitle, Field::Translator}) {
        editorControl(f)->setEnabled(on);
        m_fieldLabels.value(int(f))->setEnabled(on);
    }
    ItemPropChange();
}

void TmainFrm::TabSheet1Show()
{
    RefreshDataLinks();
    RefreshRefPreview();
}

QStringList TmainFrm::formatItems() const
{
    QStringList formats;
    for (int i = 0; i < eFormat->count(); ++i)
        formats.append(eFormat->itemText(i));
    return formats;
}

QStringList TmainFrm::bookNames() const
{
    QStringList names;
    for (int i = 0; i < lbBooks->count(); ++i)
        names.append(lbBooks->item(i)->text());
    return names;
}

QStringList TmainFrm::linkTemplates() const
{
    return memoLines(teDataLinks);
}

ReportOptions TmainFrm::reportOptionsFromControls() const
{
    ReportOptions options;
    options.beforeItem = eBeforeItem->text();
    options.afterItem = eAfterItem->text();
    options.beforeReport = eBeforeReport->text();
    options.afterReport = eAfterReport->text();
    options.microdata = cbMicrodata->isChecked();
    options.useLangForTitle = cbUseLangForTitle->isChecked();
    options.defaultLang = eDefLang->text();
    return options;
}

void TmainFrm::setReportControls(const ReportOptions& options)
{
    eBeforeItem->setText(options.beforeItem);
    eAfterItem->setText(options.afterItem);
    eBeforeReport->setText(options.beforeReport);
    eAfterReport->setText(options.afterReport);
    {
        // The microdata rule was applied to the texts already.
        const QSignalBlocker blocker(cbMicrodata);
        cbMicrodata->setChecked(options.microdata);
    }
    cbUseLangForTitle->setChecked(options.useLangForTitle);
    eDefLang->setText(options.defaultLang);
}

void TmainFrm::cbMicrodataClick(bool checked)
{
    QString before = eBeforeItem->text();
    QString after = eAfterItem->text();
    ApplyMicrodataToBeforeItem(checked, before, after);
    eBeforeItem->setText(before);
    eAfterItem->setText(after);
}

FormatContext TmainFrm::formatContext(FormatMode mode) const
{
    FormatContext context;
    applyToFormatContext(m_settings, context);
    context.dataLinkTemplates = linkTemplates();
    context.report = reportOptionsFromControls();
    context.mode = mode;
    return context;
}

void TmainFrm::RefreshRefPreview()
{
    ++m_refPreviewRefreshes;
    const BookRecord record = GatherBookRecord();
    const QString text = FormatEngine::formatRecord(eFormat->currentText(), record,
                                                    formatContext(FormatMode::Reference));
    setHangingParagraphs(reRefPreview, {text});
}

void TmainFrm::RefreshDataLinks()
{
    ++m_dataLinkRefreshes;
    const BookRecord record = GatherBookRecord();
    QStringList lines;
    const auto show = [this, &lines] {
        setHangingParagraphs(reDataLinks, lines);
        reDataLinks->detectUrls();
        reDataLinks->moveCursor(QTextCursor::Start);
    };
    try {
        buildDataLinks(record, formatContext(FormatMode::Link), lines);
    } catch (...) {
        show(); // the lines built before the failing template stay
        throw;
    }
    show();
}

// ----- Reports -----

QStringList TmainFrm::generateReportLines()
{
    if (!m_currentBookFile.isEmpty())
        SaveBookFromEditor();
    QStringList entries;
    if (rbAll->isChecked()) {
        entries = bookNames();
    } else if (selectedIndex() >= 0) {
        entries.append(selectedName());
    }
    return GenerateReport(m_currentDir, entries, eFormat->currentText(),
                          formatContext(FormatMode::Reference));
}

void TmainFrm::generate(QAction* destination)
{
    btnGenerate->setDefaultAction(destination);
    btnGenerate->setMenu(btnGeneratePopup);
    QStringList lines;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore {
            ~Restore() { QApplication::restoreOverrideCursor(); }
        } restore;
        lines = generateReportLines();
    }
    if (destination == aGenMemo) {
        m_output->showReport(lines);
    } else if (destination == aGenClipbrd) {
        QGuiApplication::clipboard()->setText(reportText(lines));
    } else {
        const std::optional<QString> file =
            dialogs().saveFileName(this, QStringLiteral("Save Report to File"),
                                   QStringLiteral("Text file (*.txt)"), m_currentDir, m_currentDir);
        if (file)
            writeWholeFile(*file, reportFileBytes(lines));
    }
}

} // namespace quillery::ui
