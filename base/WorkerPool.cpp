#include "base/WorkerPool.h"

#include <QThread>

#include <system_error>

namespace quillery {

WorkerPool::WorkerPool(int threads)
{
    threads = std::max(1, threads);
    try {
        for (int t = 1; t < threads; ++t)
            m_threads.emplace_back([this] { serve(); });
    } catch (const std::system_error&) {
        // No more threads to be had: those that started share the work.
    }
    m_threadCount = int(m_threads.size()) + 1;
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_closing = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

WorkerPool& WorkerPool::shared()
{
    static WorkerPool pool(std::max(1, QThread::idealThreadCount()));
    return pool;
}

WorkerPool& WorkerPool::sequential()
{
    static WorkerPool pool(1);
    return pool;
}

void WorkerPool::Job::fail(qsizetype i, std::exception_ptr error)
{
    const std::lock_guard<std::mutex> lock(failureLock);
    if (i < failedAt.load()) {
        failedAt.store(i);
        failure = std::move(error);
    }
}

void WorkerPool::Job::work()
{
    for (;;) {
        if (stop && stop->load(std::memory_order_relaxed))
            return;
        const qsizetype begin = next.fetch_add(run);
        if (begin >= count || begin > failedAt.load())
            return;
        body(begin, std::min(count, begin + run));
    }
}

void WorkerPool::execute(Job& job)
{
    const bool shared = !m_threads.empty() && job.count > job.run;
    if (shared) {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_jobs.push_back(&job);
        }
        m_wake.notify_all();
    }
    job.work();
    if (!shared)
        return;
    // No helper joins once the job is off the list; those at work finish their runs.
    std::unique_lock<std::mutex> lock(m_lock);
    std::erase(m_jobs, &job);
    m_finished.wait(lock, [&job] { return job.helpers == 0; });
}

void WorkerPool::serve()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        Job* job = nullptr;
        m_wake.wait(lock, [&] {
            if (m_closing)
                return true;
            for (Job* j : m_jobs) {
                if (!j->exhausted()) {
                    job = j;
                    return true;
                }
            }
            return false;
        });
        if (!job)
            return;
        ++job->helpers;
        lock.unlock();
        job->work();
        lock.lock();
        if (--job->helpers == 0)
            m_finished.notify_all();
    }
}

} // namespace quillery
