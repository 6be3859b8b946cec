// Time budgets of the fuzz targets. A step is timed by the processor time that the thread
// running it spends in the program itself (user time): other programs on a busy machine do not
// count, nor does the kernel's work for the sanitizer's allocator (page faults of memory that
// an earlier input freed), while a step that is slow for its input stays slow.
// ZU_FUZZ_TIME_SCALE multiplies every budget (1 at least): the seed replays among the tests set
// it, for the sanitizers' runs beside other test programs.
#pragma once

#include <cstdlib>

#include <sys/resource.h>

namespace ZuFuzz
{
inline double TimeBudgetScale()
{
    const char* text = std::getenv("ZU_FUZZ_TIME_SCALE");
    const double scale = text ? std::atof(text) : 1.0;
    return scale >= 1.0 ? scale : 1.0;
}

// Seconds of user time that the calling thread has used.
inline double ThreadSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec) + double(usage.ru_utime.tv_usec) * 1e-6;
}

// The calling thread's user time since the stopwatch was made.
class ThreadStopwatch
{
public:
    double Seconds() const { return ThreadSeconds() - m_start; }

private:
    double m_start = ThreadSeconds();
};
} // namespace ZuFuzz
