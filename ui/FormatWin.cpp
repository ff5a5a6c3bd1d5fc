#include "ui/FormatWin.h"

#include "ui/Accessibility.h"

#include "base/FormatError.h"
#include "catalogue/BookRecord.h"
#include "format/FormatEngine.h"
#include "markup/FormatContext.h"
#include "settings/AppSettings.h"
#include "ui/DesignSize.h"
#include "ui/Dialogs.h"
#include "ui/MemoLines.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quillery {

namespace {

QString caption()
{
    return TformatFrm::tr("Format Manager");
}

} // namespace

TformatFrm::TformatFrm(const QStringList& formats, QWidget* parent, const FormatContext& context)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("formatFrm"));
    setWindowTitle(caption());
    // Sizeable, with the system menu only.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    m_mFormats = new QPlainTextEdit;
    m_mFormats->setObjectName(QStringLiteral("mFormats"));
    m_mFormats->setAccessibleName(tr("Formats")); // the dialog's title says the rest
    m_mFormats->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_mFormats->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mFormats->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mFormats->setTabChangesFocus(true);

    m_btnRestore = new QPushButton(tr("Restore to defaults"));
    m_btnRestore->setObjectName(QStringLiteral("btnRestore"));
    m_btnRestore->setAutoDefault(false);
    m_btnOk = new QPushButton(tr("OK"));
    m_btnOk->setObjectName(QStringLiteral("btnOk"));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"));
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnRestore, &QPushButton::clicked, this, [this] { btnRestoreClick(); });
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnRestore);
    buttons->addStretch(1);
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_mFormats, 1);
    layout->addLayout(buttons);
    resize(ui::scaledDesignSize(this, QSize(445, 207)));

    FormCreate(formats);
    ui::nameControls(this);
    ui::showFocusFrames(this);
}

void TformatFrm::FormCreate(const QStringList& formats)
{
    ui::setMemoLines(m_mFormats, formats);
}

QStringList TformatFrm::formats() const
{
    return ui::memoLines(m_mFormats);
}

void TformatFrm::done(int result)
{
    if (result == QDialog::Accepted && !keepFailingFormats())
        return;
    m_closedWithOk = result == QDialog::Accepted;
    QDialog::done(result);
}

bool TformatFrm::keepFailingFormats()
{
    const QStringList lines = formats();
    const BookRecord empty;
    FormatContext context = m_context;
    context.mode = FormatMode::Reference;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        try {
            FormatEngine::formatRecord(lines[i], empty, context);
        } catch (const FormatError& e) {
            if (askKeepFailing(int(i) + 1, e.message()))
                continue;
            QTextCursor cursor(m_mFormats->document()->findBlockByNumber(int(i)));
            m_mFormats->setTextCursor(cursor);
            m_mFormats->ensureCursorVisible();
            m_mFormats->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

QString TformatFrm::failureQuestion(int number, const QString& message)
{
    // The messages are sentences already; the question adds no second period.
    QString text = tr("Format %1: %2").arg(QString::number(number), message);
    if (!text.endsWith(u'.'))
        text += u'.';
    return text + u' ' + tr("Keep it anyway?");
}

bool TformatFrm::askKeepFailing(int number, const QString& message)
{
    const QString question = failureQuestion(number, message);
    // Keeping a format that fails is the risky answer: Enter returns to the editor.
    if (ui::useTaskDialogForm()) {
        ui::TaskDialogSpec spec;
        spec.windowCaption = caption();
        spec.mainInstruction = tr("Invalid Format");
        spec.content = question;
        spec.icon = ui::TaskDialogSpec::Icon::Warning;
        spec.commonButtons = QDialogButtonBox::Yes | QDialogButtonBox::No;
        spec.defaultButton = QDialogButtonBox::No;
        return ui::dialogs().taskDialog(this, spec) == QDialogButtonBox::Yes;
    }
    return ui::dialogs().messageBox(this, QMessageBox::Warning, caption(), question,
                                    QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) == QMessageBox::Yes;
}

QString TformatFrm::restoreQuestion()
{
    return tr("Are you sure you wish to revert the list of formats to the default list, and "
              "thereby disregard any changes made since Quillery was installed?");
}

void TformatFrm::btnRestoreClick()
{
    bool yes = false;
    if (ui::useTaskDialogForm()) {
        ui::TaskDialogSpec spec;
        spec.windowCaption = caption();
        spec.mainInstruction = tr("Restore to Defaults");
        spec.content = restoreQuestion();
        spec.icon = ui::TaskDialogSpec::Icon::None;
        spec.commonButtons = QDialogButtonBox::Yes | QDialogButtonBox::No;
        // Restoring drops the user's formats: Enter keeps them.
        spec.defaultButton = QDialogButtonBox::No;
        yes = ui::dialogs().taskDialog(this, spec) == QDialogButtonBox::Yes;
    } else {
        yes = ui::dialogs().messageBox(this, QMessageBox::Question, caption(), restoreQuestion(),
                                       QMessageBox::Yes | QMessageBox::No,
                                       QMessageBox::No) == QMessageBox::Yes;
    }
    if (!yes)
        return;
    // One edit of the document, so a single undo brings the user's list back.
    QTextCursor cursor(m_mFormats->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(ui::memoText(defaultFormats()));
    cursor.endEditBlock();
}

} // namespace quillery
