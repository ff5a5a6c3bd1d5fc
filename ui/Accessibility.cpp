#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextDocument>

namespace quillery::ui {

namespace {

// The title of the group box or the tab page the control sits in, the nearest first.
QString placeTitle(const QWidget* control, const QWidget* root)
{
    for (const QWidget* w = control->parentWidget(); w && w != root->parentWidget();
         w = w->parentWidget()) {
        if (const auto* box = qobject_cast<const QGroupBox*>(w); box && !box->title().isEmpty())
            return box->title();
        // A tab page's parent is the stack inside the tab widget.
        const auto* stack = qobject_cast<const QStackedWidget*>(w->parentWidget());
        const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(const_cast<QWidget*>(w)) >= 0)
            return tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
    }
    return {};
}

QString plainHint(const QString& hint)
{
    if (!Qt::mightBeRichText(hint))
        return hint;
    QTextDocument document;
    document.setHtml(hint);
    return document.toPlainText();
}

} // namespace

QString spokenCaption(const QString& caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                spoken += u'&';
            ++i;
            if (i < caption.size() && caption[i] != u'&')
                spoken += caption[i];
            continue;
        }
        spoken += caption[i];
    }
    spoken = spoken.trimmed();
    if (spoken.endsWith(u':'))
        spoken.chop(1);
    return spoken;
}

void nameControls(QWidget* root)
{
    QHash<const QWidget*, const QLabel*> buddies;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy())
            buddies.insert(label->buddy(), label);
    }
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* w : controls) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        // The edit of an editable combo box is named with its box.
        if (qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        // A control named before says what it says of itself (the ISBN box its problem).
        if (!w->accessibleName().isEmpty())
            continue;
        const QString hint = plainHint(w->toolTip());
        QString name;
        if (const QLabel* label = buddies.value(w))
            name = label->text();
        else if (const auto* button = qobject_cast<QAbstractButton*>(w))
            name = button->text();
        if (name.isEmpty())
            name = placeTitle(w, root);
        if (const auto* edit = qobject_cast<QLineEdit*>(w); name.isEmpty() && edit)
            name = edit->placeholderText();
        if (name.isEmpty())
            name = hint;
        w->setAccessibleName(spokenCaption(name));
        if (!hint.isEmpty() && hint != w->accessibleName())
            w->setAccessibleDescription(hint);
    }
}

void showFocusFrames(QWidget* window)
{
    auto* frame = new QFocusFrame(window);
    frame->setObjectName(QStringLiteral("focusFrame"));
    const QPointer<QFocusFrame> guard(frame);
    QObject::connect(qApp, &QApplication::focusChanged, frame,
                     [guard, window](QWidget*, QWidget* now) {
                         if (!guard)
                             return;
                         const auto* area = qobject_cast<QAbstractScrollArea*>(now);
                         const bool bare = area && area->frameShape() == QFrame::NoFrame &&
                                           area->window() == window;
                         guard->setWidget(bare ? now : nullptr);
                     });
}

} // namespace quillery::ui
