#include "ui/TaskDialog.h"

#include "ui/Accessibility.h"

#include <QApplication>
#include <QCommandLinkButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillery::ui {

namespace {

QIcon iconFor(TaskDialogSpec::Icon icon, const QWidget* widget)
{
    QStyle* style = widget->style();
    switch (icon) {
    case TaskDialogSpec::Icon::None:
        return {};
    case TaskDialogSpec::Icon::Information:
        return style->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, widget);
    case TaskDialogSpec::Icon::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, widget);
    case TaskDialogSpec::Icon::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, widget);
    case TaskDialogSpec::Icon::Question:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, widget);
    case TaskDialogSpec::Icon::Application:
        return QApplication::windowIcon();
    }
    return {};
}

// Text with CR LF breaks, as the program's texts carry them, shown in a label.
QString forLabel(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

TaskDialog::TaskDialog(const TaskDialogSpec& spec, QWidget* parent) : QDialog(parent), m_spec(spec)
{
    setObjectName(QStringLiteral("TaskDialog"));
    setWindowTitle(spec.windowCaption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    const QIcon icon = iconFor(spec.icon, this);
    if (!icon.isNull()) {
        auto* iconLabel = new QLabel(this);
        iconLabel->setObjectName(QStringLiteral("icon"));
        iconLabel->setPixmap(icon.pixmap(32, 32));
        iconLabel->setAlignment(Qt::AlignTop);
        top->addWidget(iconLabel);
    }
    auto* texts = new QVBoxLayout;
    if (!spec.mainInstruction.isEmpty()) {
        auto* instruction = new QLabel(forLabel(spec.mainInstruction), this);
        instruction->setObjectName(QStringLiteral("mainInstruction"));
        instruction->setTextFormat(Qt::PlainText);
        instruction->setWordWrap(true);
        QFont font = instruction->font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        instruction->setFont(font);
        QPalette palette = instruction->palette();
        palette.setColor(QPalette::WindowText, QColor(0x00, 0x33, 0x99));
        instruction->setPalette(palette);
        texts->addWidget(instruction);
    }
    if (!spec.content.isEmpty()) {
        auto* content = new QLabel(this);
        content->setObjectName(QStringLiteral("content"));
        content->setWordWrap(true);
        if (spec.onHyperlink) {
            content->setTextFormat(Qt::RichText);
            QString html = spec.content;
            html.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
            content->setText(html);
            content->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                             Qt::LinksAccessibleByKeyboard);
            connect(content, &QLabel::linkActivated, this,
                    [this](const QString& href) { m_spec.onHyperlink(href); });
        } else {
            content->setTextFormat(Qt::PlainText);
            content->setText(forLabel(spec.content));
            content->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        texts->addWidget(content);
    }
    for (const TaskDialogSpec::CommandLink& link : spec.commandLinks) {
        auto* button = new QCommandLinkButton(link.caption, link.note, this);
        button->setObjectName(QStringLiteral("commandLink%1").arg(link.id));
        const int id = link.id;
        connect(button, &QCommandLinkButton::clicked, this, [this, id] { finishWith(id); });
        if (spec.defaultButton != 0) {
            button->setAutoDefault(false);
            if (id == spec.defaultButton) {
                button->setDefault(true);
                button->setFocus();
            }
        }
        texts->addWidget(button);
    }
    top->addLayout(texts, 1);
    outer->addLayout(top);

    auto* bottom = new QHBoxLayout;
    if (!spec.expandedInformation.isEmpty()) {
        m_expander = new QToolButton(this);
        m_expander->setObjectName(QStringLiteral("expander"));
        m_expander->setText(spec.expanderCaption);
        m_expander->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_expander->setAutoRaise(true);
        m_expander->setCheckable(true);
        m_expander->setArrowType(Qt::RightArrow);
        connect(m_expander, &QToolButton::toggled, this, &TaskDialog::setDetailsExpanded);
        bottom->addWidget(m_expander);
    }
    bottom->addStretch(1);
    if (spec.commonButtons != QDialogButtonBox::NoButton) {
        auto* box = new QDialogButtonBox(spec.commonButtons, this);
        box->setObjectName(QStringLiteral("buttons"));
        connect(box, &QDialogButtonBox::clicked, this, [this, box](QAbstractButton* button) {
            finishWith(int(box->standardButton(button)));
        });
        if (QPushButton* chosen =
                box->button(QDialogButtonBox::StandardButton(spec.defaultButton))) {
            chosen->setDefault(true);
            chosen->setFocus();
        }
        bottom->addWidget(box);
    }
    outer->addLayout(bottom);

    if (m_expander) {
        m_details = new QLabel(forLabel(spec.expandedInformation), this);
        m_details->setObjectName(QStringLiteral("details"));
        m_details->setTextFormat(Qt::PlainText);
        m_details->setWordWrap(true);
        m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_details->hide();
        outer->addWidget(m_details);
    }
    if (!spec.footer.isEmpty()) {
        auto* footer = new QLabel(forLabel(spec.footer), this);
        footer->setObjectName(QStringLiteral("footer"));
        footer->setTextFormat(Qt::PlainText);
        footer->setWordWrap(true);
        footer->setFrameShape(QFrame::StyledPanel);
        outer->addWidget(footer);
    }
    setMinimumWidth(420);
    nameControls(this);
    showFocusFrames(this);
}

void TaskDialog::setDetailsExpanded(bool expanded)
{
    if (!m_details)
        return;
    m_details->setVisible(expanded);
    m_expander->setChecked(expanded);
    m_expander->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    adjustSize();
}

bool TaskDialog::detailsExpanded() const
{
    return m_details && m_details->isVisible();
}

void TaskDialog::finishWith(int id)
{
    m_result = id;
    accept();
}

} // namespace quillery::ui
