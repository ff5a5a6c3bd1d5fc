#include "ui/SettingsWin.h"

#include "ui/Accessibility.h"

#include "base/Errors.h"
#include "base/IntegerText.h"
#include "format/ValueRules.h"
#include "settings/AppSettings.h"
#include "settings/UnicodeNames.h"
#include "ui/DesignSize.h"
#include "ui/ErrorGuard.h"
#include "ui/MemoLines.h"
#include "ui/Translation.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quillery {

namespace {

constexpr char16_t EnDash = 0x2013;
constexpr char16_t EmDash = 0x2014;
constexpr int HighestCode = 0xFFFF;

QString incompleteCodeText()
{
    return TsettingsFrm::tr("Invalid input value.  Use escape key to abandon changes");
}

QString hex4(int code)
{
    return QString::number(code, 16).toUpper().rightJustified(4, u'0');
}

// The text the character box shows for a code: the character itself, or nothing for a code that
// is no character on its own (U+0000, which would end the text, and the surrogate halves).
QString dashText(int code)
{
    if (code <= 0 || code > HighestCode || QChar::isSurrogate(char32_t(code)))
        return {};
    return QString(QChar(char16_t(code)));
}

// A character of one UTF-16 code unit that prints: control characters (C0, DEL and C1) and the
// surrogate halves are no dash.
bool isUsableDash(int code)
{
    return code >= 0x20 && !(code >= 0x7F && code <= 0x9F) && code <= HighestCode &&
           !QChar::isSurrogate(char32_t(code));
}

QString trimmedSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QLabel* boldLabel(const QString& text)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPlainTextEdit* synonymMemo(const QString& name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    return memo;
}

// The synonyms a memo holds. Empty lines at its end are left over from moving past the last
// entry (Ctrl+End, Enter) and store nothing; empty lines between entries stay as typed.
QStringList synonymLines(const QPlainTextEdit* memo)
{
    QStringList lines = ui::memoLines(memo);
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

// The list of the separator's characters: as tall as its text, or as tall as the dialog sets it
// when the page has less room than that, and then scrolling.
class TsettingsFrm::CharacterListArea final : public QScrollArea {
public:
    explicit CharacterListArea(QLabel* label)
    {
        setObjectName(QStringLiteral("sbSubtitleSeparatorCharacters"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The list is there to be read, not a stop of the tab order.
        setFocusPolicy(Qt::NoFocus);
        setWidget(label);
    }

    // At least one line.
    void setHeightLimit(int limit)
    {
        limit = std::max(limit, fontMetrics().height());
        if (limit == m_limit)
            return;
        m_limit = limit;
        updateGeometry();
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        return std::min(widget()->heightForWidth(width), m_limit);
    }
    QSize sizeHint() const override
    {
        const int width = minimumSizeHint().width();
        return QSize(width, heightForWidth(width));
    }
    // A width of its own that does not depend on the separator.
    QSize minimumSizeHint() const override
    {
        return QSize(fontMetrics().averageCharWidth() * 20, fontMetrics().height());
    }

private:
    int m_limit = QWIDGETSIZE_MAX;
};

TsettingsFrm::TsettingsFrm(const AppSettings& settings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("settingsFrm"));
    setWindowTitle(tr("Settings"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // Tab "General": the dashes.
    auto* gbDashes = new QGroupBox(tr("Dashes"));
    gbDashes->setObjectName(QStringLiteral("gbDashes"));
    m_cbDashPresets = new QComboBox;
    m_cbDashPresets->setObjectName(QStringLiteral("cbDashPresets"));
    m_cbDashPresets->addItems({tr("Swedish (space-EN dash-space)"), tr("English (EM dash)")});
    m_cbDashPresets->setCurrentIndex(-1);
    m_eDashCode = new QLineEdit;
    m_eDashCode->setObjectName(QStringLiteral("eDashCode"));
    // "U+" and one required and three optional characters; unfilled places are spaces.
    m_eDashCode->setInputMask(QStringLiteral("U+Xxxx; "));
    m_eDashCode->setFixedWidth(m_eDashCode->fontMetrics().horizontalAdvance(u'W') * 6 + 16);
    m_eDashChar = new QLineEdit;
    m_eDashChar->setObjectName(QStringLiteral("eDashChar"));
    m_eDashChar->setMaxLength(1);
    m_eDashChar->setFixedWidth(m_eDashCode->width());
    m_eDescr = new QLineEdit;
    m_eDescr->setObjectName(QStringLiteral("eDescr"));
    m_eDescr->setReadOnly(true);
    m_eDescr->setFocusPolicy(Qt::ClickFocus);
    {
        QPalette palette = m_eDescr->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        m_eDescr->setPalette(palette);
    }
    m_cbDashSpaces = new QCheckBox(tr("&Surround with spaces"));
    m_cbDashSpaces->setObjectName(QStringLiteral("cbDashSpaces"));

    auto* dashGrid = new QGridLayout(gbDashes);
    const auto addDashRow = [dashGrid](int row, const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption);
        label->setBuddy(control);
        dashGrid->addWidget(label, row, 0);
        dashGrid->addWidget(control, row, 1);
    };
    addDashRow(0, tr("&Presets:"), m_cbDashPresets);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(m_eDashCode);
    codeRow->addStretch(1);
    auto* charRow = new QHBoxLayout;
    charRow->addWidget(m_eDashChar);
    charRow->addStretch(1);
    {
        auto* codeLabel = new QLabel(tr("&Codepoint:"));
        codeLabel->setBuddy(m_eDashCode);
        dashGrid->addWidget(codeLabel, 1, 0);
        dashGrid->addLayout(codeRow, 1, 1);
        auto* charLabel = new QLabel(tr("C&haracter:"));
        charLabel->setBuddy(m_eDashChar);
        dashGrid->addWidget(charLabel, 2, 0);
        dashGrid->addLayout(charRow, 2, 1);
    }
    addDashRow(3, tr("Description:"), m_eDescr);
    dashGrid->addWidget(m_cbDashSpaces, 4, 0, 1, 2);
    dashGrid->setColumnStretch(1, 1);

    // Tab "General": full titles.
    auto* gbFullTitles = new QGroupBox(tr("Full titles"));
    gbFullTitles->setObjectName(QStringLiteral("gbFullTitles"));
    m_eSubtitleSeparator = new QComboBox;
    m_eSubtitleSeparator->setObjectName(QStringLiteral("eSubtitleSeparator"));
    m_eSubtitleSeparator->setEditable(true);
    m_eSubtitleSeparator->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would turn a typed ":" into the listed ": " behind the user's back.
    m_eSubtitleSeparator->setCompleter(nullptr);
    m_eSubtitleSeparator->addItems({QStringLiteral(": "), QStringLiteral("\u2013"),
                                    QStringLiteral(" \u2013 "), QStringLiteral("\u2014"),
                                    QStringLiteral(" \u2014 "), QStringLiteral("(")});
    m_lblSubtitleSeparatorCharacters = new QLabel;
    m_lblSubtitleSeparatorCharacters->setObjectName(
        QStringLiteral("lblSubtitleSeparatorCharacters"));
    m_lblSubtitleSeparatorCharacters->setTextFormat(Qt::PlainText);
    m_lblSubtitleSeparatorCharacters->setWordWrap(true);
    m_lblFullTitleSample = new QLabel;
    m_lblFullTitleSample->setObjectName(QStringLiteral("lblFullTitleSample"));
    m_lblFullTitleSample->setTextFormat(Qt::PlainText);
    m_lblFullTitleSample->setWordWrap(true);
    auto* separatorLabel = new QLabel(tr("S&ubtitle separator:"));
    separatorLabel->setBuddy(m_eSubtitleSeparator);
    auto* titlesLayout = new QVBoxLayout(gbFullTitles);
    auto* separatorRow = new QHBoxLayout;
    separatorRow->addWidget(separatorLabel);
    separatorRow->addWidget(m_eSubtitleSeparator, 1);
    titlesLayout->addLayout(separatorRow);
    titlesLayout->addWidget(boldLabel(tr("Characters:")));
    m_sbSubtitleSeparatorCharacters = new CharacterListArea(m_lblSubtitleSeparatorCharacters);
    titlesLayout->addWidget(m_sbSubtitleSeparatorCharacters);
    titlesLayout->addWidget(boldLabel(tr("Example:")));
    titlesLayout->addWidget(m_lblFullTitleSample);

    // Tab "General": the editor's ISBN check.
    auto* gbIsbns = new QGroupBox(tr("ISBNs"));
    gbIsbns->setObjectName(QStringLiteral("gbIsbns"));
    m_cbMarkInvalidIsbns = new QCheckBox(tr("&Mark ISBNs with a wrong check digit or length"));
    m_cbMarkInvalidIsbns->setObjectName(QStringLiteral("cbMarkInvalidIsbns"));
    (new QVBoxLayout(gbIsbns))->addWidget(m_cbMarkInvalidIsbns);

    auto* tabGeneral = new QWidget;
    m_tsGeneral = tabGeneral;
    tabGeneral->setObjectName(QStringLiteral("tsGeneral"));
    auto* generalLayout = new QVBoxLayout(tabGeneral);
    generalLayout->addWidget(gbDashes);
    generalLayout->addWidget(gbFullTitles);
    generalLayout->addWidget(gbIsbns);
    generalLayout->addStretch(1);

    // Tab "Synonyms".
    m_lbSynonymsEBook = synonymMemo(QStringLiteral("lbSynonymsEBook"));
    m_lbSynonymsHardcover = synonymMemo(QStringLiteral("lbSynonymsHardcover"));
    m_lbSynonymsPaperback = synonymMemo(QStringLiteral("lbSynonymsPaperback"));
    auto* tabSynonyms = new QWidget;
    tabSynonyms->setObjectName(QStringLiteral("tsSynonyms"));
    auto* synonymsLayout = new QVBoxLayout(tabSynonyms);
    const auto addMemo = [synonymsLayout](const QString& caption, QPlainTextEdit* memo) {
        auto* label = new QLabel(caption);
        label->setBuddy(memo);
        synonymsLayout->addWidget(label);
        synonymsLayout->addWidget(memo, 1);
    };
    addMemo(tr("Synonyms for \"&EBook\":"), m_lbSynonymsEBook);
    addMemo(tr("Synonyms for \"&Hardcover\":"), m_lbSynonymsHardcover);
    addMemo(tr("Synonyms for \"&Paperback\":"), m_lbSynonymsPaperback);

    // Tab "Hypertext". The ampersand is shown, not an accelerator mark.
    m_cbEscapeHTML = new QCheckBox(tr("Escape <, >, and &&"));
    m_cbEscapeHTML->setObjectName(QStringLiteral("cbEscapeHTML"));
    m_cbEscapeHTML->setChecked(true);
    m_memo1 = new QPlainTextEdit;
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setReadOnly(true);
    m_memo1->setFrameShape(QFrame::NoFrame);
    m_memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo1->setTabChangesFocus(true);
    {
        QPalette palette = m_memo1->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        m_memo1->setPalette(palette);
    }
    auto* tabHypertext = new QWidget;
    tabHypertext->setObjectName(QStringLiteral("tsHypertext"));
    auto* hypertextLayout = new QVBoxLayout(tabHypertext);
    hypertextLayout->addWidget(m_cbEscapeHTML);
    hypertextLayout->addWidget(m_memo1, 1);

    // Tab "Language": the window's language, taken at the next start (widgets take their texts as
    // they are made).
    m_cbLanguage = new QComboBox;
    m_cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    m_cbLanguage->addItem(tr("System language"), QString());
    // Each language by its own name, which its speakers look for whatever the window shows now.
    for (const ui::UiLanguage& language : ui::uiLanguages())
        m_cbLanguage->addItem(QString::fromUtf8(language.name), QString::fromUtf8(language.code));
    auto* languageLabel = new QLabel(tr("&Language:"));
    languageLabel->setBuddy(m_cbLanguage);
    auto* languageNote = new QLabel(tr("Takes effect when Quillery starts next."));
    languageNote->setObjectName(QStringLiteral("lblLanguageNote"));
    languageNote->setWordWrap(true);
    auto* tabLanguage = new QWidget;
    tabLanguage->setObjectName(QStringLiteral("tsLanguage"));
    auto* languageLayout = new QVBoxLayout(tabLanguage);
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(m_cbLanguage, 1);
    languageLayout->addLayout(languageRow);
    languageLayout->addWidget(languageNote);
    languageLayout->addStretch(1);

    m_pcSettings = new QTabWidget;
    m_pcSettings->setObjectName(QStringLiteral("pcSettings"));
    m_pcSettings->addTab(tabGeneral, tr("General"));
    m_pcSettings->addTab(tabSynonyms, tr("Synonyms"));
    m_pcSettings->addTab(tabHypertext, tr("Hypertext"));
    m_pcSettings->addTab(tabLanguage, tr("Language"));

    m_btnOk = new QPushButton(tr("OK"));
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pcSettings, 1);
    layout->addLayout(buttons);
    // A fixed border: the design size, grown to what the contents ask for in this font.
    layout->activate();
    setFixedSize(ui::scaledDesignSize(this, QSize(346, 482)).expandedTo(minimumSizeHint()));

    connect(m_cbDashPresets, &QComboBox::activated, this,
            [this](int index) { cbDashPresetsChange(index); });
    connect(m_cbDashSpaces, &QCheckBox::toggled, this, [this] { cbDashSpacesClick(); });
    connect(m_eDashCode, &QLineEdit::textChanged, this, [this] { eDashCodeChange(); });
    connect(m_eDashChar, &QLineEdit::textChanged, this, [this] { eDashCharChange(); });
    connect(m_eSubtitleSeparator, &QComboBox::editTextChanged, this,
            [this] { eSubtitleSeparatorChange(); });
    m_eDashCode->installEventFilter(this);
    m_eDashChar->installEventFilter(this);
    m_tsGeneral->installEventFilter(this);

    // Filled as the main window does before showing the dialog.
    SetDashChar(DashSource::None, settings.dashChar.unicode());
    m_lastCompleteCode = m_eDashCode->text();
    m_cbDashSpaces->setChecked(settings.dashSpaced);
    UpdateDashPreset();
    m_eSubtitleSeparator->setEditText(settings.subtitleSeparator);
    ui::setMemoLines(m_lbSynonymsEBook, settings.synonymsEBook);
    ui::setMemoLines(m_lbSynonymsHardcover, settings.synonymsHardcover);
    ui::setMemoLines(m_lbSynonymsPaperback, settings.synonymsPaperback);
    m_cbEscapeHTML->setChecked(settings.escapeHtml);
    m_cbMarkInvalidIsbns->setChecked(settings.markInvalidIsbns);
    // A language the program does not offer (set by hand) is kept until another is chosen.
    if (m_cbLanguage->findData(settings.language) < 0)
        m_cbLanguage->addItem(settings.language, settings.language);
    m_cbLanguage->setCurrentIndex(m_cbLanguage->findData(settings.language));
    eSubtitleSeparatorChange();
    ui::nameControls(this);
    ui::showFocusFrames(this);
}

void TsettingsFrm::applyTo(AppSettings& settings) const
{
    if (const auto dash = acceptedDash())
        settings.dashChar = *dash;
    settings.dashSpaced = m_cbDashSpaces->isChecked();
    settings.subtitleSeparator = m_eSubtitleSeparator->currentText();
    settings.synonymsEBook = synonymLines(m_lbSynonymsEBook);
    settings.synonymsHardcover = synonymLines(m_lbSynonymsHardcover);
    settings.synonymsPaperback = synonymLines(m_lbSynonymsPaperback);
    settings.escapeHtml = m_cbEscapeHTML->isChecked();
    settings.markInvalidIsbns = m_cbMarkInvalidIsbns->isChecked();
    settings.language = m_cbLanguage->currentData().toString();
}

void TsettingsFrm::done(int result)
{
    if (result == QDialog::Accepted) {
        // OK stands for a complete dash; Enter may reach it while the codepoint box is unfinished,
        // which is said, or while the boxes hold no dash, which the disabled OK shows.
        if (codeBoxIncomplete() && m_eDashCode->isModified()) {
            m_eDashCode->setFocus();
            ui::showError(this, incompleteCodeText());
            return;
        }
        if (!m_btnOk->isEnabled())
            return;
        m_closedWithOk = true;
    }
    QDialog::done(result);
}

void TsettingsFrm::showEvent(QShowEvent* event)
{
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TsettingsFrm::FormShow()
{
    eSubtitleSeparatorChange();
    m_memo1->setPlainText(escapeExplanation());
    fitExplanation();
    fitCharacterList();
}

void TsettingsFrm::fitExplanation()
{
    // The explanation is read without scrolling: where this font wraps it into more lines than
    // the page holds, the dialog grows by the difference. Every page has the size of the one
    // shown, which the page control has laid out by now.
    const QWidget* page = m_pcSettings->currentWidget();
    const QMargins margins = m_memo1->parentWidget()->layout()->contentsMargins();
    const int spacing = m_memo1->parentWidget()->layout()->spacing();
    QTextDocument probe;
    probe.setDefaultFont(m_memo1->font());
    probe.setDocumentMargin(m_memo1->document()->documentMargin());
    probe.setPlainText(m_memo1->toPlainText());
    // Leave room for a scroll bar, which the memo shows while the text does not fit.
    probe.setTextWidth(page->width() - margins.left() - margins.right() -
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const int needed = int(std::ceil(probe.size().height())) + m_memo1->fontMetrics().height();
    const int available = page->height() - margins.top() - margins.bottom() -
                          m_cbEscapeHTML->sizeHint().height() - spacing;
    if (needed > available)
        setFixedHeight(height() + needed - available);
}

void TsettingsFrm::fitCharacterList()
{
    // The list takes what it needs of the page; when the page cannot hold it and everything else,
    // it takes what is left and scrolls.
    if (!m_formShown)
        return;
    m_sbSubtitleSeparatorCharacters->setHeightLimit(QWIDGETSIZE_MAX);
    // The list and the sample have new texts: the layouts are asked afresh, not from their caches.
    m_sbSubtitleSeparatorCharacters->updateGeometry();
    m_sbSubtitleSeparatorCharacters->parentWidget()->updateGeometry();
    const int needed = m_tsGeneral->layout()->totalHeightForWidth(m_tsGeneral->width());
    const int over = needed - m_tsGeneral->height();
    if (over > 0) {
        const int whole = m_sbSubtitleSeparatorCharacters->heightForWidth(
            m_sbSubtitleSeparatorCharacters->width());
        m_sbSubtitleSeparatorCharacters->setHeightLimit(whole - over);
    }
}

void TsettingsFrm::SetDashChar(DashSource source, int code)
{
    if (code > HighestCode) {
        refuseBeyondBmp(source);
        return;
    }
    const bool wasSetting = m_settingDash;
    m_settingDash = true;
    if (source != DashSource::CodeBox) {
        m_eDashCode->setText(QStringLiteral("U+") + hex4(code));
        m_eDashCode->setModified(false);
    }
    if (source != DashSource::CharBox)
        m_eDashChar->setText(dashText(code));
    m_eDescr->setText(UnicodeCharName(code));
    m_eDescr->setCursorPosition(0);
    if (const auto complete = completeCode(); complete && isUsableDash(*complete))
        m_lastCompleteCode = m_eDashCode->text();
    m_settingDash = wasSetting;
    updateOkButton();
}

void TsettingsFrm::refuseBeyondBmp(DashSource source)
{
    // No box can show such a character as the dash: the boxes are emptied (the one typed in
    // keeps its text) and the description says why.
    const bool wasSetting = m_settingDash;
    m_settingDash = true;
    if (source != DashSource::CodeBox) {
        m_eDashCode->clear();
        m_eDashCode->setModified(false);
    }
    m_eDashChar->clear();
    m_eDescr->setText(tr("Characters beyond U+FFFF cannot be the dash."));
    m_eDescr->setCursorPosition(0);
    m_settingDash = wasSetting;
    UpdateDashPreset();
    updateOkButton();
}

void TsettingsFrm::UpdateDashPreset()
{
    const QString dash = m_eDashChar->text();
    const bool spaced = m_cbDashSpaces->isChecked();
    if (dash == QStringView(u"\u2013") && spaced)
        m_cbDashPresets->setCurrentIndex(0);
    else if (dash == QStringView(u"\u2014") && !spaced)
        m_cbDashPresets->setCurrentIndex(1);
    else
        m_cbDashPresets->setCurrentIndex(-1);
}

void TsettingsFrm::cbDashPresetsChange(int index)
{
    if (index == 0) {
        SetDashChar(DashSource::None, EnDash);
        m_cbDashSpaces->setChecked(true);
    } else if (index == 1) {
        SetDashChar(DashSource::None, EmDash);
        m_cbDashSpaces->setChecked(false);
    }
    UpdateDashPreset();
}

void TsettingsFrm::cbDashSpacesClick()
{
    UpdateDashPreset();
}

void TsettingsFrm::eDashCodeChange()
{
    if (m_settingDash)
        return;
    ui::guarded(this, [this] {
        const int code = readCodepoint(trimmedSpaces(m_eDashCode->displayText().mid(2)));
        SetDashChar(DashSource::CodeBox, code);
        UpdateDashPreset();
    });
    // A bad digit leaves the other boxes at the last good code, which OK must not take.
    updateOkButton();
}

void TsettingsFrm::eDashCharChange()
{
    if (!m_settingDash) {
        const QString text = m_eDashChar->text();
        // The box holds one code unit: a character beyond U+FFFF, typed or pasted, leaves only
        // its first half there.
        if (text.size() == 1 && text[0].isSurrogate()) {
            refuseBeyondBmp(DashSource::CharBox);
            return;
        }
        if (text.size() == 1)
            SetDashChar(DashSource::CharBox, text[0].unicode());
        UpdateDashPreset();
    }
    updateOkButton();
}

void TsettingsFrm::eDashCodeKeyDown(int key)
{
    ui::guarded(this, [this, key] {
        const int code = readCodepoint(trimmedSpaces(m_eDashCode->displayText().mid(2)));
        // The dash is one UTF-16 code unit: stepping stops at both ends of that range.
        const int next = std::clamp(key == Qt::Key_Up ? code + 1 : code - 1, 0, HighestCode);
        SetDashChar(DashSource::None, next);
        UpdateDashPreset();
    });
}

void TsettingsFrm::eSubtitleSeparatorChange()
{
    const QString separator = m_eSubtitleSeparator->currentText();
    m_lblFullTitleSample->setText(fullTitleSample(separator));
    m_lblSubtitleSeparatorCharacters->setText(characterList(separator));
    fitCharacterList();
}

void TsettingsFrm::updateOkButton()
{
    m_btnOk->setEnabled(acceptedDash().has_value());
}

bool TsettingsFrm::codeBoxIncomplete() const
{
    const QString shown = m_eDashCode->displayText();
    return shown.size() < 3 || shown[2] == u' ';
}

std::optional<int> TsettingsFrm::completeCode() const
{
    if (codeBoxIncomplete())
        return std::nullopt;
    try {
        return readCodepoint(trimmedSpaces(m_eDashCode->displayText().mid(2)));
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::optional<QChar> TsettingsFrm::acceptedDash() const
{
    const auto code = completeCode();
    if (!code || !isUsableDash(*code) || m_eDashChar->text() != dashText(*code))
        return std::nullopt;
    return QChar(char16_t(*code));
}

bool TsettingsFrm::asksBeyondBmp(const QKeyEvent& key) const
{
    const auto isHex = [](QStringView text) {
        return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
        });
    };
    if (key.matches(QKeySequence::Paste)) {
        const QString clipboard = QGuiApplication::clipboard()->text();
        QStringView pasted = QStringView(clipboard).trimmed();
        if (pasted.startsWith(u"U+", Qt::CaseInsensitive))
            pasted = pasted.sliced(2);
        while (pasted.size() > 4 && pasted.front() == u'0')
            pasted = pasted.sliced(1);
        return pasted.size() > 4 && isHex(pasted);
    }
    // A digit after the fourth place, which the box would drop without a word.
    const QString shown = m_eDashCode->displayText();
    return isHex(key.text()) && key.text().size() == 1 && !m_eDashCode->hasSelectedText() &&
           m_eDashCode->cursorPosition() == shown.size() && !shown.contains(u' ');
}

bool TsettingsFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tsGeneral) {
        if (event->type() == QEvent::Resize)
            fitCharacterList();
        return QDialog::eventFilter(watched, event);
    }
    if (watched != m_eDashCode && watched != m_eDashChar)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            eDashCodeKeyDown(key->key());
            // The key still goes on to the box.
            return false;
        }
        if (watched == m_eDashCode && asksBeyondBmp(*key)) {
            // A refused paste empties the box it was to replace; a refused digit leaves what
            // was typed before it.
            refuseBeyondBmp(key->matches(QKeySequence::Paste) ? DashSource::None
                                                              : DashSource::CodeBox);
            return true;
        }
        if (watched == m_eDashCode && key->key() == Qt::Key_Escape && codeBoxIncomplete() &&
            m_eDashCode->isModified()) {
            // Escape abandons the unfinished edit instead of closing the dialog.
            m_eDashCode->setText(m_lastCompleteCode);
            m_eDashCode->setModified(false);
            return true;
        }
    } else if (watched == m_eDashCode && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            codeBoxIncomplete() && m_eDashCode->isModified()) {
            // Refused: the focus goes back to the box once the move has finished.
            QTimer::singleShot(0, this, [this] {
                if (!isVisible() || !codeBoxIncomplete())
                    return;
                m_eDashCode->setFocus(Qt::OtherFocusReason);
                ui::showError(this, incompleteCodeText());
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

int TsettingsFrm::readCodepoint(const QString& value)
{
    return readBase16(value);
}

QString TsettingsFrm::characterList(const QString& text)
{
    QString list;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0)
            list += QStringLiteral(", ");
        const int code = text[i].unicode();
        list += QStringLiteral("U+") + hex4(code) + u' ' + UnicodeCharName(code);
    }
    return list;
}

QString TsettingsFrm::fullTitleSample(const QString& separator)
{
    return fullTitle(QStringLiteral("The Old New Thing"),
                     QStringLiteral("Practical Development Throughout the Evolution of Windows"),
                     separator);
}

QString TsettingsFrm::escapeExplanation()
{
    return QStringList{
        tr("If the target format of the report is an HTML document, you can choose if you want "
           "to escape the HTML-specific characters <, >, and &. These will then be replaced by "
           "\"&lt;\", \"&gt;\", and \"&amp;\", respectively."),
        tr("If you escape, you can freely enter any characters in the book fields. The output "
           "text will be valid HTML markup and be displayed properly in an HTML renderer, "
           "exactly as in the edit fields. Obviously, you cannot use (effective) HTML markup in "
           "the fields; for example, \"this <em>is</em> good\" will be displayed literally, "
           "with the tags visible."),
        tr("If you do not escape, you must only use <, >, and & according to the strict HTML "
           "rules; otherwise, the markup will not be valid. On the other hand, you can then "
           "include HTML markup. For instance, \"this <em>is</em>good\" will be rendered as "
           "three English words only, the middle one (probably) in italics. If you want to "
           "display the characters <, >, and & in the text, you must escape them manually."),
        tr("If the target format of the report is plain text, you should not escape the "
           "characters. Indeed, there is no need for HTML markup, and you want all characters "
           "to be interpreted literally."),
    }
        .join(QStringLiteral("\n\n"));
}

} // namespace quillery
