#pragma once

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// A WebAssembly build without threads (nor std::jthread in its library)
// runs every range on the caller's thread.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define QUORVEX_NO_THREADS 1
#endif

namespace quorvex::kernels {

/// How many threads the fast kernels may use: the processor's cores, at
/// least 1 and at most 16; 1 where there are no threads, since the results
/// do not depend on the count.
inline int defaultKernelThreads() {
#ifdef QUORVEX_NO_THREADS
    return 1;
#else
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min(cores, 16u));
#endif
}

/// Below this many element steps a piece of work is not worth a thread.
inline constexpr double kWorkPerThread = 4e5;

/// Runs work(first, last) over rows first..last-1, split into contiguous
/// ranges across up to `threads` threads (the caller's thread takes the
/// first range). Each row is touched by one range only, so the results do
/// not depend on the number of threads. What a helper throws (a stop, or
/// running out of memory) is thrown again on the caller's thread once every
/// helper has ended, as if the caller had thrown it.
template <class Work>
void parallelRows(int first, int last, int threads, double workPerRow, Work&& work) {
    const int rows = last - first;
    if (rows <= 0) return;
    const double total = workPerRow * rows;
    int parts = std::min(threads, rows);
    parts = std::min(parts, static_cast<int>(total / kWorkPerThread) + 1);
#ifdef QUORVEX_NO_THREADS
    parts = 1;
#endif
    if (parts <= 1) {
        work(first, last);
        return;
    }
#ifndef QUORVEX_NO_THREADS
    std::mutex failing;
    std::exception_ptr failure;
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(parts - 1));
        for (int t = 1; t < parts; ++t) {
            const int a = first + static_cast<int>(static_cast<long long>(rows) * t / parts);
            const int b = first + static_cast<int>(static_cast<long long>(rows) * (t + 1) / parts);
            helpers.emplace_back([&, a, b] {
                try {
                    work(a, b);
                } catch (...) {
                    const std::lock_guard lock(failing);
                    if (!failure) failure = std::current_exception();
                }
            });
        }
        work(first, first + static_cast<int>(static_cast<long long>(rows) / parts));
    } // the helpers end here
    if (failure) std::rethrow_exception(failure);
#endif
}

} // namespace quorvex::kernels
