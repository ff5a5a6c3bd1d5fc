#include "ui/DirWin.h"

#include "ui/Accessibility.h"

#include "catalogue/IniFile.h"
#include "markup/Microdata.h"
#include "ui/DesignSize.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"
#include "ui/ReportOptionsBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace quillery {

namespace {

QString caption()
{
    return TDirFrm::tr("Book Directory Options");
}

} // namespace

TDirFrm::TDirFrm(const QString& currentDir, const QStringList& formats, const QString& formatText,
                 const ReportOptions& report, QWidget* parent)
    : QDialog(parent), m_currentDir(currentDir), m_formats(formats), m_formatText(formatText),
      m_report(report)
{
    setObjectName(QStringLiteral("DirFrm"));
    setWindowTitle(caption());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto* intro = new QLabel(tr("These settings applies specifically to the current directory"));
    intro->setWordWrap(true);

    m_lblCurDir = new QLabel;
    m_lblCurDir->setObjectName(QStringLiteral("lblCurDir"));
    m_lblCurDir->setTextFormat(Qt::RichText);
    m_lblCurDir->setWordWrap(true);
    m_lblCurDir->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(m_lblCurDir, &QLabel::linkActivated, this,
            [this](const QString& link) { lblCurDirLinkClick(link, LinkKind::Target); });

    auto* gpFormats = new QGroupBox(tr("Formats"));
    gpFormats->setObjectName(QStringLiteral("gpFormats"));
    m_cbFormats = new QComboBox;
    m_cbFormats->setObjectName(QStringLiteral("cbFormats"));
    m_cbFormats->setEditable(true);
    m_cbFormats->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would finish a typed format with the rest of a listed one.
    m_cbFormats->setCompleter(nullptr);
    m_cbFormats->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbFormats->setMinimumContentsLength(20);
    auto* lblFormat = new QLabel(tr("F&ormat:"));
    lblFormat->setBuddy(m_cbFormats);
    auto* formatsLayout = new QHBoxLayout(gpFormats);
    formatsLayout->addWidget(lblFormat);
    formatsLayout->addWidget(m_cbFormats, 1);

    m_reportBox =
        new ui::TReportOptionsBox(ui::TReportOptionsBox::Place::DirectoryOptions, tr("Report"));
    m_reportBox->setObjectName(QStringLiteral("gpReport"));
    // From here on every change of the microdata box's state, by the user or by FormShow,
    // rewrites the item texts.
    connect(m_reportBox, &ui::TReportOptionsBox::microdataToggled, this,
            [this] { cbMicrodataClick(); });

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

    m_lblRemove = new QLabel;
    m_lblRemove->setObjectName(QStringLiteral("lblRemove"));
    m_lblRemove->setTextFormat(Qt::RichText);
    // The label reports the href of a link, so the id travels there as well.
    m_lblRemove->setText(
        QStringLiteral("<a id=\"remove\" href=\"remove\">%1</a>")
            .arg(tr("Remove the settings file in this directory.").toHtmlEscaped()));
    m_lblRemove->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(m_lblRemove, &QLabel::linkActivated, this,
            [this](const QString& link) { lblCurDirLinkClick(link, LinkKind::Id); });
    m_lblRemove->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_lblCurDir);
    layout->addWidget(gpFormats);
    layout->addWidget(m_reportBox);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(m_lblRemove);
    // A fixed border: the design size, grown to what the contents ask for in this font, and
    // grown again when the remove link is shown below the buttons. The height includes the row of
    // the JSON-LD and complete-page boxes.
    layout->activate();
    setFixedSize(ui::scaledDesignSize(this, QSize(319, 415)).expandedTo(minimumSizeHint()));
    ui::nameControls(this);
    ui::showFocusFrames(this);
}

DirectoryOptions TDirFrm::options() const
{
    return DirectoryOptions{m_cbFormats->currentText(), m_reportBox->options()};
}

void TDirFrm::setControls(const DirectoryOptions& options)
{
    m_cbFormats->setCurrentText(options.format);
    // A change of the microdata state counts as a click and rewrites the item texts just set.
    const bool microdataChanged = m_reportBox->options().microdata != options.report.microdata;
    m_reportBox->setOptions(options.report);
    if (microdataChanged)
        cbMicrodataClick();
}

void TDirFrm::showEvent(QShowEvent* event)
{
    // The dialog is made for one showing; its values are filled in once, when it first appears.
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TDirFrm::FormShow()
{
    const QString target = QUrl::fromLocalFile(m_currentDir).toString(QUrl::FullyEncoded);
    m_lblCurDir->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                             .arg(target.toHtmlEscaped(), m_currentDir.toHtmlEscaped()));

    m_cbFormats->clear();
    m_cbFormats->addItems(m_formats);
    fitFormatList();
    setControls(DirectoryOptions{m_formatText, m_report});

    const QString path = directoryOptionsPath(m_currentDir);
    if (!QFileInfo::exists(path))
        return;
    ui::guarded(this, [&] {
        const IniFile file = IniFile::load(path);
        setControls(readDirectoryOptionsForDialog(file, options()));
    });
    // Shown below the buttons, in room of its own.
    m_lblRemove->show();
    setFixedHeight(height() + m_lblRemove->sizeHint().height() + layout()->spacing());
}

void TDirFrm::fitFormatList()
{
    // Formats are long and differ at their ends: the list shows each one whole (as far as the
    // screen allows), and its tooltip does as well.
    QAbstractItemView* view = m_cbFormats->view();
    const QFontMetrics metrics = view->fontMetrics();
    int widest = 0;
    for (int i = 0; i < m_cbFormats->count(); ++i) {
        const QString format = m_cbFormats->itemText(i);
        widest = std::max(widest, metrics.horizontalAdvance(format));
        m_cbFormats->setItemData(i, format, Qt::ToolTipRole);
    }
    // The item's text margins, the list's frame and room for its scroll bar.
    const QStyle* style = view->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) +
                        2 * view->frameWidth() +
                        style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    view->setMinimumWidth(widest + margins);
}

void TDirFrm::cbMicrodataClick()
{
    ReportOptions report = m_reportBox->options();
    ApplyMicrodataToBeforeItem(report.microdata, report.beforeItem, report.afterItem);
    m_reportBox->setOptions(report);
}

void TDirFrm::lblCurDirLinkClick(const QString& link, LinkKind kind)
{
    if (kind == LinkKind::Target) {
        ui::dialogs().openUrl(QUrl(link));
        return;
    }
    if (link != u"remove")
        return;
    QString reason;
    if (removeDirectoryOptions(m_currentDir, &reason)) {
        reject();
        return;
    }
    ui::dialogs().messageBox(this, QMessageBox::Critical, caption(),
                             tr("Could not remove file.") + QStringLiteral("\r\n\r\n") + reason,
                             QMessageBox::Ok);
}

bool TDirFrm::FormClose()
{
    bool written = false;
    ui::guarded(this, [&] {
        writeDirectoryOptions(m_currentDir, options());
        written = true;
    });
    return written;
}

void TDirFrm::done(int result)
{
    if (result == QDialog::Accepted) {
        // A file that cannot be written keeps the dialog open with the user's values, so the
        // caller never re-reads a catalogue whose options were not saved.
        if (!FormClose())
            return;
        m_closedWithOk = true;
    }
    QDialog::done(result);
}

} // namespace quillery
