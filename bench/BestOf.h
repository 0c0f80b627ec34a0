#pragma once

// The best pass of an operation, in elapsed time and in this thread's processor time. On a
// machine shared with builds the elapsed time waits for the processor; the processor time does
// not, but leaves out the waits for the disk that a commit makes.

#include <algorithm>
#include <chrono>
#include <time.h>

namespace bench {

inline double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

struct Best {
    double wall = 1e300;
    double cpu = 1e300;
};

class BestOf {
public:
    using Clock = std::chrono::steady_clock;

    void start()
    {
        t0_ = Clock::now();
        c0_ = threadCpuSeconds();
    }
    void stop()
    {
        best_.wall = std::min(best_.wall, std::chrono::duration<double>(Clock::now() - t0_).count());
        best_.cpu = std::min(best_.cpu, threadCpuSeconds() - c0_);
    }
    const Best& result() const { return best_; }

private:
    Clock::time_point t0_;
    double c0_ = 0;
    Best best_;
};

} // namespace bench
