#pragma once

#include "base/Cancelled.h"
#include "base/WorkerPool.h"
#include "format/Report.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <future>

class QProgressBar;

namespace quillery::ui {

class TmainFrm;

// A long operation of the window, such as a report over a large catalogue. Either the work stays
// on the window's thread (the session has no other) and hands the books to the worker pool,
// running the event loop between its steps, or work that does not touch the session runs on a
// thread of its own while the event loop runs; either way the window repaints. From half a second
// on, the status bar shows what runs and how far it got. Escape cancels it; every other key and
// click is held back while it runs, so nothing changes the session under it.
class LongTask final : public QObject {
    Q_OBJECT
public:
    LongTask(TmainFrm* window, const QString& what);
    ~LongTask() override;
    LongTask(const LongTask&) = delete;
    LongTask& operator=(const LongTask&) = delete;

    // The run of a report that reports its steps here and stops on Escape.
    ReportRun reportRun();
    // Between two steps: shows the progress when it is time (a count of 0 shows that it runs),
    // and runs the event loop.
    void step(qsizetype done, qsizetype total);
    // Runs `work`, which must not touch the session, on a thread of its own while the event
    // loop runs here; gives its result or throws its exception. After Escape its result is
    // dropped: Cancelled is thrown once it is done.
    template <typename Work> auto run(Work work)
    {
        auto done = WorkerPool::runInBackground(std::move(work));
        do
            step(0, 0);
        while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
        auto result = done.get();
        if (cancelled())
            throw Cancelled();
        return result;
    }
    bool cancelled() const { return m_cancel.load(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TmainFrm* m_window;
    QString m_what;
    QString m_hintBefore;
    QProgressBar* m_bar = nullptr;
    QElapsedTimer m_clock;
    qint64 m_lastEvents = -1;
    std::atomic<bool> m_cancel{false};
};

} // namespace quillery::ui
