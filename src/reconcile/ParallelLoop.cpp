#include "reconcile/ParallelLoop.h"

#include <algorithm>

#ifdef PLIM_PARALLEL_THREAD_POOL
#include <thread>
#include <vector>
#else
#include <omp.h>
#endif

int GetProcessorCount()
{
#ifdef PLIM_PARALLEL_THREAD_POOL
    return std::max(1, int(std::thread::hardware_concurrency()));
#else
    return std::max(1, omp_get_num_procs());
#endif
}

void ParallelFor(int count, int threads, const std::function<void(int index)>& body)
{
    if (count <= 0)
        return;
    threads = std::clamp(threads > 0 ? threads : GetProcessorCount(), 1, count);
#ifdef PLIM_PARALLEL_THREAD_POOL
    const auto work = [&](int first) {
        for (int i = first; i < count; i += threads)
            body(i);
    };
    std::vector<std::thread> pool;
    pool.reserve(size_t(threads - 1));
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, t);
    work(0);
    for (std::thread& thread : pool)
        thread.join();
#else
    // Dealt round, the same index to the same thread on every run: a volume's questionnaire,
    // read again, is freed by the thread whose heap holds it.
#pragma omp parallel for schedule(static, 1) num_threads(threads)
    for (int i = 0; i < count; ++i)
        body(i);
#endif
}
