#include "ui/HelpTopics.h"

#include "base/ProductInfo.h"
#include "base/ProgramVersion.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QUrl>

namespace quillery::ui {

namespace {

const QString kParagraphBreak = QStringLiteral("\r\n\r\n");
// The id of the link of the help link labels.
const QString kHelpId = QStringLiteral("help");

// The paragraphs of a help text, each translated on its own.
QString paragraphs(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list.append(QCoreApplication::translate("HelpTopics", t));
    return list.join(kParagraphBreak);
}

// A label that is one link: one Tab stop with a focus frame round its text, and Return, Enter or
// Space act on the link as a click does. (A label's own keyboard link navigation takes a second
// Tab to reach the link inside it and marks it only as selected text.)
class HelpLinkLabel final : public QLabel {
public:
    HelpLinkLabel(const QString& text, QWidget* parent)
        : QLabel(QStringLiteral("<a href=\"") + kHelpId + QStringLiteral("\">") +
                     text.toHtmlEscaped() + QStringLiteral("</a>"),
                 parent),
          m_text(text)
    {
        setTextFormat(Qt::RichText);
        setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            Q_EMIT linkActivated(kHelpId);
            return;
        }
        QLabel::keyPressEvent(event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        const QSize textSize = fontMetrics().size(Qt::TextSingleLine, m_text);
        option.rect = QStyle::alignedRect(layoutDirection(), alignment(), textSize + QSize(4, 2),
                                          contentsRect()) &
                      rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    QString m_text;
};

} // namespace

QString helpTopicTitle(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::FormattingOptions:
        return QCoreApplication::translate("HelpTopics", "Formatting Options");
    case HelpTopic::Language:
        return QCoreApplication::translate("HelpTopics", "Language");
    case HelpTopic::SpecifyingAuthors:
        return QCoreApplication::translate("HelpTopics", "Specifying Authors");
    }
    return {};
}

QString helpTopicText(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::FormattingOptions:
        return paragraphs({
            QT_TRANSLATE_NOOP("HelpTopics", "For every character A such that %A would print the "
                                            "value of the variable associated "
                                            "with the token A, (A will print a space followed by "
                                            "the value of the variable inside "
                                            "parentheses if the length of the value is non-zero."),
            QT_TRANSLATE_NOOP("HelpTopics", "Similarly, -A will print a dash followed by the value "
                                            "of the variable if the length "
                                            "of the value is non-zero."),
            QT_TRANSLATE_NOOP("HelpTopics", "In any case, if %A wouldn't print anything, no "
                                            "spaces, parentheses, or dashes will be "
                                            "output."),
            QT_TRANSLATE_NOOP(
                "HelpTopics",
                "In almost the same way, .A will print a period, a space and the value of the "
                "variable "
                "if the variable is of non-zero length and we are not at the very beginning of the "
                "string. In the latter case, the period and space are omitted."),
            QT_TRANSLATE_NOOP("HelpTopics",
                              ",A works the same way, but using comma instead of period."),
            QT_TRANSLATE_NOOP("HelpTopics", "Finally, \"str\"A will print the string str followed "
                                            "by the value of A if the latter "
                                            "is of non-zero length. \"pref|suff\"A will use both a "
                                            "prefix pref and a suffix suff. "
                                            "You can include double quotation marks (\") in the "
                                            "prefix and suffix, but you have to "
                                            "escape them by doubling them. For example, \"I "
                                            "\"\"love\"\" carrots\"A would print "
                                            "the "
                                            "string 'I \"love\" carrots' before the value of A."),
        });
    case HelpTopic::Language:
        return QCoreApplication::translate(
            "HelpTopics",
            "You can choose to specify a language using its name, e.g. \"English\". If you use "
            "the English name of the language, then the BCP 47 code will be deduced "
            "automatically. However, you can always manually specify the desired BCP 47 code "
            "inside parentheses, e.g. \"English (en-uk)\". This also works in every language, "
            "e.g. \"Engelska (en)\" or \"Englisch (en)\". Notice that a BCP 47 code is needed for "
            "semantic HTML (but otherwise not).");
    case HelpTopic::SpecifyingAuthors:
        return paragraphs({
            QT_TRANSLATE_NOOP("HelpTopics",
                              "If you want to generate a report with additional semantic content "
                              "(e.g., microdata), "
                              "you must specify the author(s) in a particular format."),
            QT_TRANSLATE_NOOP(
                "HelpTopics",
                "You may give a list (of any length) of authors, and each author must be either a "
                "person or an organisation. You must separate authors from each other using "
                "semicolon "
                "(;). Whitespace next to punctuation is optional as all strings are trimmed. When "
                "giving the name of a person, you must either give a free-form standard form of "
                "the "
                "name, such as \"John Doe\", or specify the first name (given name) and last name "
                "(family name) explicitly, in the form \"Doe, John\" (again, whitespace is "
                "optional)."),
            QT_TRANSLATE_NOOP(
                "HelpTopics",
                "When an author is an organisation, simply write the name of the organisation, "
                "followed by an asterisk (*). The asterisk is used to specify that the author is "
                "an "
                "organisation and not a person. "),
            QT_TRANSLATE_NOOP(
                "HelpTopics",
                "For example, the string \"Doe, John; Mary Smith; IBM *\" is a list of three (3) "
                "authors: the first one is a person with last name \"Doe\" and first name "
                "\"John\"; "
                "the second one is a person named \"Mary Smith\" (with no hints on how to parse "
                "the "
                "name); and the last author is an organisation named \"IBM\"."),
        });
    }
    return {};
}

void ShowHelpTopic(QWidget* parent, HelpTopic topic)
{
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = QString::fromUtf16(ProductName);
        spec.mainInstruction = helpTopicTitle(topic);
        spec.content = helpTopicText(topic);
        spec.icon = TaskDialogSpec::Icon::Information;
        spec.commonButtons = QDialogButtonBox::Close;
        dialogs().taskDialog(parent, spec);
    } else {
        dialogs().messageBox(parent, QMessageBox::Information, helpTopicTitle(topic),
                             helpTopicText(topic), QMessageBox::Ok);
    }
}

void helpLinkClicked(QWidget* parent, const QString& link, HelpTopic topic)
{
    if (link.compare(u"help", Qt::CaseInsensitive) == 0)
        ShowHelpTopic(parent, topic);
}

QLabel* helpLink(const QString& name, const QString& text, HelpTopic topic, QWidget* parent)
{
    auto* label = new HelpLinkLabel(text, parent);
    label->setObjectName(name);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QObject::connect(label, &QLabel::linkActivated, label, [label, topic](const QString& link) {
        helpLinkClicked(label->window(), link, topic);
    });
    return label;
}

QString fileVersionLine()
{
    return QCoreApplication::translate("HelpTopics", "File Version: ") + programVersionString();
}

void showAbout(QWidget* parent)
{
    const QString site = QString::fromUtf16(MakerWebSite);
    if (useTaskDialogForm()) {
        TaskDialogSpec spec;
        spec.windowCaption = QCoreApplication::translate("HelpTopics", "About Tollvern Quillery");
        spec.mainInstruction = QString::fromUtf16(ProductName);
        spec.icon = TaskDialogSpec::Icon::Application;
        spec.commonButtons = QDialogButtonBox::Close;
        spec.content = fileVersionLine().toHtmlEscaped() + QStringLiteral("\r\n\r\n") +
                       QString::fromUtf16(CopyrightLine).toHtmlEscaped() +
                       QStringLiteral("\r\n\r\n<a href=\"") + site + QStringLiteral("\">") + site +
                       QStringLiteral("</a>");
        spec.onHyperlink = [](const QString& href) {
            dialogs().openUrl(QUrl(href));
        };
        dialogs().taskDialog(parent, spec);
    } else {
        dialogs().messageBox(
            parent, QMessageBox::Information, QString::fromUtf16(ProductName),
            fileVersionLine() + kParagraphBreak + QString::fromUtf16(CopyrightLine) +
                kParagraphBreak + site + kParagraphBreak +
                QCoreApplication::translate(
                    "HelpTopics", "Tollvern Quillery is running in Windows XP Compatibility Mode."),
            QMessageBox::Ok);
    }
}

} // namespace quillery::ui
