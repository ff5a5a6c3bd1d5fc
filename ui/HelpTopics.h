#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace quillery::ui {

enum class HelpTopic { FormattingOptions, Language, SpecifyingAuthors };

QString helpTopicTitle(HelpTopic topic);
QString helpTopicText(HelpTopic topic);

// Shows a help topic: a task dialog with the title as main instruction, or a message box titled
// with it.
void ShowHelpTopic(QWidget* parent, HelpTopic topic);

// The link handler of the help link labels: acts only for a link whose id is "help" (ignoring
// case). `link` is the link's id as the label reports it.
void helpLinkClicked(QWidget* parent, const QString& link, HelpTopic topic);

// A link label: `text` as one link with the id "help", on the parent's background; clicking it
// shows the topic. It is one Tab stop, framed while it has the focus, and Return, Enter or Space
// show the topic too.
QLabel* helpLink(const QString& name, const QString& text, HelpTopic topic, QWidget* parent);

// The About box in the form the platform takes.
void showAbout(QWidget* parent);

// "File Version: " and the running program's version.
QString fileVersionLine();

} // namespace quillery::ui
