#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <future>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace quillery {

// The threads that read, parse and format books. Half of reading a catalogue is the system's
// work of opening and reading the files, which runs on every core as the parsing does, and the
// books are independent of each other.
//
// The thread that calls forEach works too, so a pool of one runs everything on the caller in
// list order: the sequential run the parallel one must equal. Several threads may call forEach at
// once (a report while the index is read), and work may call forEach again; a job never waits for
// a thread that is busy elsewhere.
class WorkerPool {
public:
    // `threads` in all, the caller of forEach counting as one (at least one).
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The program's pool: as many threads as QThread::idealThreadCount() (one on a single core).
    static WorkerPool& shared();
    // A pool of one.
    static WorkerPool& sequential();

    int threadCount() const { return m_threadCount; }

    // Calls work(i) for every i below count, in runs of `run` items taken in order by the caller
    // and the free threads, and returns once all are done. When work(i) throws, no item after i
    // starts from then on and the exception is thrown again here; when several throw, the one of
    // the smallest i, which is the one a run in list order meets first. `stop` is read before every
    // item: once it is set, no more items start and forEach returns without an exception.
    template <typename Work>
    void forEach(qsizetype count, const Work& work, qsizetype run = 64,
                 const std::atomic<bool>* stop = nullptr)
    {
        if (count <= 0)
            return;
        Job job;
        job.count = count;
        job.run = std::max<qsizetype>(1, run);
        job.stop = stop;
        job.body = [&work, &job](qsizetype begin, qsizetype end) {
            for (qsizetype i = begin; i < end; ++i) {
                if ((job.stop && job.stop->load(std::memory_order_relaxed)) ||
                    i > job.failedAt.load(std::memory_order_relaxed))
                    return;
                try {
                    work(i);
                } catch (...) {
                    job.fail(i, std::current_exception());
                    return;
                }
            }
        };
        execute(job);
        if (job.failure)
            std::rethrow_exception(job.failure);
    }

    // The same over runs of `run` items: work(begin, end) for each, so that a run can keep what
    // it needs between its items (a reader's buffers). A run that throws stops at its failing
    // item, so the exception thrown here is still the one of the first failing item.
    template <typename Work>
    void forEachRun(qsizetype count, const Work& work, qsizetype run = 64,
                    const std::atomic<bool>* stop = nullptr)
    {
        run = std::max<qsizetype>(1, run);
        forEach((count + run - 1) / run,
                [&](qsizetype r) { work(r * run, std::min(count, (r + 1) * run)); }, 1, stop);
    }

    // Runs `task` on a thread of its own, beside the pool; what it gives (or throws) is in the
    // future. A forEach inside it is shared with the pool as any other.
    template <typename Task> static auto runInBackground(Task task)
    {
        return std::async(std::launch::async, std::move(task));
    }

private:
    struct Job {
        qsizetype count = 0;
        qsizetype run = 1;
        const std::atomic<bool>* stop = nullptr;
        std::function<void(qsizetype, qsizetype)> body;
        std::atomic<qsizetype> next{0};
        std::atomic<qsizetype> failedAt{std::numeric_limits<qsizetype>::max()};
        std::mutex failureLock;
        std::exception_ptr failure;
        int helpers = 0; // pool threads working on it, under the pool's lock

        bool exhausted() const
        {
            return next.load(std::memory_order_relaxed) >= count ||
                   next.load(std::memory_order_relaxed) > failedAt.load() ||
                   (stop && stop->load(std::memory_order_relaxed));
        }
        void fail(qsizetype i, std::exception_ptr error);
        // Takes runs until none are left.
        void work();
    };

    void execute(Job& job);
    void serve();

    int m_threadCount = 1;
    std::vector<std::thread> m_threads;
    std::mutex m_lock;
    std::condition_variable m_wake;     // work was posted, or the pool is closing
    std::condition_variable m_finished; // a helper left a job
    std::vector<Job*> m_jobs;
    bool m_closing = false;
};

} // namespace quillery
