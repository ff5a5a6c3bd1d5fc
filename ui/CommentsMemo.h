#pragma once

#include <QPlainTextEdit>

namespace quillery::ui {

// The memo of the Comments field, lossless: it keeps the value exactly as it was loaded, every
// character and every kind of line break (CR LF, LF, CR, U+2029) included, and splices the user's
// edits into it. A line break the user types or pastes is stored as CR LF on every platform, so
// a report never mixes line ends. A line too long to break at a word wraps anywhere, which keeps
// a megabyte without blanks quick to show.
class TCommentsMemo final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TCommentsMemo(QWidget* parent = nullptr);

    // Shows a value exactly; says nothing through edited().
    void setValue(const QString& value);
    // The value with the user's edits.
    const QString& value() const { return m_value; }

Q_SIGNALS:
    // The user changed the text.
    void edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void documentChanged();
    void chooseWrapping();

    QString m_value;
    // The document's raw text (U+2029 between blocks) when it last matched m_value.
    QString m_shown;
    // Whether m_shown is m_value with each line break as one block break, so an edit of the
    // document can be mapped back; when the document altered a character on its own it is not,
    // and the value then follows the document whole.
    bool m_mapped = true;
    bool m_setting = false;
};

} // namespace quillery::ui
