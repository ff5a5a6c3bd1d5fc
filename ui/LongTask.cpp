#include "ui/LongTask.h"

#include "ui/MainWin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QStatusBar>

namespace quillery::ui {

namespace {

// Shown once the task has run this long.
constexpr qint64 ProgressAfterMs = 500;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

LongTask::LongTask(TmainFrm* window, const QString& what) : m_window(window), m_what(what)
{
    m_window->setBusy(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
    m_clock.start();
}

LongTask::~LongTask()
{
    qApp->removeEventFilter(this);
    if (m_bar) {
        m_window->statusBar()->removeWidget(m_bar);
        delete m_bar;
        m_window->showStatusHint(m_hintBefore);
    }
    QApplication::restoreOverrideCursor();
    m_window->setBusy(false);
}

ReportRun LongTask::reportRun()
{
    ReportRun run;
    run.cancel = &m_cancel;
    run.progress = [this](qsizetype done, qsizetype total) {
        step(done, total);
    };
    return run;
}

void LongTask::step(qsizetype done, qsizetype total)
{
    if (!m_bar && m_clock.elapsed() >= ProgressAfterMs) {
        m_bar = new QProgressBar(m_window);
        m_bar->setObjectName(QStringLiteral("taskProgress"));
        m_bar->setMaximumWidth(160);
        m_bar->setTextVisible(false);
        m_window->statusBar()->addPermanentWidget(m_bar);
        m_bar->show();
        m_hintBefore = m_window->showStatusHint(m_what + u' ' + tr("Esc cancels."));
    }
    if (m_bar) {
        // The bar counts in thousandths, so any count fits its int range; without a count it
        // shows that the work goes on.
        m_bar->setRange(0, total > 0 ? 1000 : 0);
        m_bar->setValue(total > 0 ? int(done * 1000 / total) : 0);
    }
    QCoreApplication::processEvents();
}

bool LongTask::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            if (type == QEvent::KeyPress)
                m_cancel = true;
            return true;
        }
    }
    if (isUserInput(type))
        return true;
    // Closing the window while the task runs stops the task first; the window stays.
    if (type == QEvent::Close && watched == m_window) {
        m_cancel = true;
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillery::ui
