#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace quillery {

struct AppSettings;

// "Settings": the dash character and its spacing, the subtitle separator, the editor's mark of
// ISBNs that are not valid, the synonyms of the three book formats, HTML escaping and the window's
// language (taken at the next start). The dialog
// reads and writes no settings of its own: it is filled from the caller's AppSettings and, after
// OK, copies its values back with applyTo().
//
// The codepoint, the character and the description boxes always describe one character: an edit
// in one of them updates the others through SetDashChar, which never rewrites the box the user is
// typing in. OK is enabled only while the codepoint box holds a complete code and the character
// box that very character, and only for a character that can be the dash: no control character
// and nothing beyond U+FFFF (the description box says why for the latter).
class TsettingsFrm final : public QDialog {
    Q_OBJECT
public:
    // The box whose change caused a SetDashChar call.
    enum class DashSource { None, CodeBox, CharBox };

    explicit TsettingsFrm(const AppSettings& settings, QWidget* parent = nullptr);

    // Copies the edited values (dash character, spacing, subtitle separator, the ISBN mark, the
    // three synonym lists without empty lines at their ends, HTML escaping, the language) into
    // `settings`; everything else there is left alone.
    void applyTo(AppSettings& settings) const;
    bool closedWithOk() const { return m_closedWithOk; }

    void done(int result) override;

    // Shows the character `code` in the boxes other than `source` and its name in the
    // description box. A code beyond U+FFFF empties the boxes other than `source` instead and
    // says why.
    void SetDashChar(DashSource source, int code);
    // Selects the preset that matches the character and the spacing box, or none.
    void UpdateDashPreset();

    // The codepoint box's value read as hexadecimal by readBase16, with the messages of a bad
    // digit; an empty value reads as 0. Throws FormatError.
    static int readCodepoint(const QString& value);
    // "U+003A COLON, U+0020 SPACE": the UTF-16 code units of a text with their names.
    static QString characterList(const QString& text);
    // The sample full title for a subtitle separator.
    static QString fullTitleSample(const QString& separator);
    // The four paragraphs explaining HTML escaping.
    static QString escapeExplanation();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class CharacterListArea;

    void FormShow();
    void fitExplanation();
    void fitCharacterList();
    void cbDashPresetsChange(int index);
    void cbDashSpacesClick();
    void eDashCodeChange();
    void eDashCharChange();
    void eDashCodeKeyDown(int key);
    void eSubtitleSeparatorChange();
    void refuseBeyondBmp(DashSource source);
    void updateOkButton();
    bool codeBoxIncomplete() const;
    // The code the codepoint box holds when it is complete and reads without error.
    std::optional<int> completeCode() const;
    // The dash OK stands for: the two boxes agree on one complete code that can be the dash.
    std::optional<QChar> acceptedDash() const;
    // Whether a key typed into the codepoint box, or the text it pastes, asks for a code beyond
    // U+FFFF, which the box's four places cannot take.
    bool asksBeyondBmp(const QKeyEvent& key) const;

    bool m_closedWithOk = false;
    bool m_formShown = false;
    // Set while SetDashChar rewrites boxes, so their change handlers do not start another round.
    bool m_settingDash = false;
    // The codepoint box's text when it last held a complete code that can be the dash (Escape
    // returns to it).
    QString m_lastCompleteCode;

    QTabWidget* m_pcSettings = nullptr;
    QComboBox* m_cbDashPresets = nullptr;
    QLineEdit* m_eDashCode = nullptr;
    QLineEdit* m_eDashChar = nullptr;
    QLineEdit* m_eDescr = nullptr;
    QCheckBox* m_cbDashSpaces = nullptr;
    QComboBox* m_eSubtitleSeparator = nullptr;
    QLabel* m_lblSubtitleSeparatorCharacters = nullptr;
    CharacterListArea* m_sbSubtitleSeparatorCharacters = nullptr;
    QWidget* m_tsGeneral = nullptr;
    QLabel* m_lblFullTitleSample = nullptr;
    QPlainTextEdit* m_lbSynonymsEBook = nullptr;
    QPlainTextEdit* m_lbSynonymsHardcover = nullptr;
    QPlainTextEdit* m_lbSynonymsPaperback = nullptr;
    QCheckBox* m_cbEscapeHTML = nullptr;
    QCheckBox* m_cbMarkInvalidIsbns = nullptr;
    QComboBox* m_cbLanguage = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

} // namespace quillery
