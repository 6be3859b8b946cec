// Time budgets of the fuzz targets. A step is timed by the processor time of the thread that
// runs it, so that other programs on a busy machine do not count, while a step that is slow for
// its input stays slow. The kernel gives two readings of it, each wrong in its own way:
// - the thread's whole processor time, to the nanosecond, which includes the kernel's work for
//   the step: page faults of memory that the sanitizer's allocator handed back earlier, now and
//   then a stall for a huge page;
// - the thread's user time, which the kernel counts in clock ticks (4 ms here) and re-estimates
//   as a share of the whole at every reading: it moves in ticks, and after a spell of kernel
//   work it lags and later catches up in a jump that lands in whatever step is being timed.
// A stopwatch takes the lesser of the two. A step that can be repeated (a layout) is timed
// several times and judged by its fastest run, which no stall or jump reaches every time.
// ZU_FUZZ_TIME_SCALE multiplies every budget (1 at least): the seed replays among the tests set
// it, for the sanitizers' runs beside other test programs.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include <sys/resource.h>

namespace ZuFuzz
{
inline double TimeBudgetScale()
{
    const char* text = std::getenv("ZU_FUZZ_TIME_SCALE");
    const double scale = text ? std::atof(text) : 1.0;
    return scale >= 1.0 ? scale : 1.0;
}

// The calling thread's processor time so far, in seconds: all of it, and its user time.
struct ThreadTimes
{
    double whole;
    double user;
};

inline ThreadTimes ReadThreadTimes()
{
    timespec whole{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &whole);
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return ThreadTimes{double(whole.tv_sec) + double(whole.tv_nsec) * 1e-9,
                       double(usage.ru_utime.tv_sec) + double(usage.ru_utime.tv_usec) * 1e-6};
}

// The calling thread's processor time since the stopwatch was made: the lesser reading.
class ThreadStopwatch
{
public:
    double Seconds() const
    {
        const ThreadTimes now = ReadThreadTimes();
        return std::min(now.whole - m_start.whole, now.user - m_start.user);
    }

private:
    ThreadTimes m_start = ReadThreadTimes();
};
} // namespace ZuFuzz
