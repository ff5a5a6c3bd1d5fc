#pragma once

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace quillery {

// Calls work(i) for every i below count, on a few threads when there is enough to share: reading
// books is mostly waiting for the system, and the parsing and folding parallelise well. Each
// thread takes the next run of items until none are left; the first exception thrown is thrown
// again here once all threads have stopped. Callers that must report the first failure in list
// order catch in `work` and keep the failures by index.
template <typename Work> void forEachInParallel(qsizetype count, const Work& work)
{
    constexpr qsizetype run = 64;
    const qsizetype threads = std::min<qsizetype>(
        {qsizetype(std::max(1U, std::thread::hardware_concurrency())), 8, (count + run - 1) / run});
    if (threads <= 1) {
        for (qsizetype i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::atomic<qsizetype> next{0};
    std::atomic<bool> failed{false};
    std::vector<std::exception_ptr> errors(static_cast<size_t>(threads));
    const auto share = [&](qsizetype t) {
        try {
            for (;;) {
                const qsizetype begin = next.fetch_add(run);
                if (begin >= count || failed)
                    return;
                for (qsizetype i = begin; i < std::min(count, begin + run); ++i)
                    work(i);
            }
        } catch (...) {
            errors[size_t(t)] = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> pool;
    try {
        for (qsizetype t = 1; t < threads; ++t)
            pool.emplace_back(share, t);
    } catch (const std::system_error&) {
        // No more threads to be had: those that started share the work.
    }
    share(0);
    for (std::thread& thread : pool)
        thread.join();
    for (const std::exception_ptr& error : errors) {
        if (error)
            std::rethrow_exception(error);
    }
}

} // namespace quillery
