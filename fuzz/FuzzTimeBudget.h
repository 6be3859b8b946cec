// Time budgets of the fuzz targets. A step is timed by the processor time of the thread that
// runs it, so that other programs on a busy machine do not make it look slow; a step that is
// slow for its input stays slow. ZU_FUZZ_TIME_SCALE multiplies every budget (1 at least): the
// seed replays among the tests set it, for the sanitizers' runs beside other test programs.
#pragma once

#include <cstdlib>
#include <ctime>

namespace ZuFuzz
{
inline double TimeBudgetScale()
{
    const char* text = std::getenv("ZU_FUZZ_TIME_SCALE");
    const double scale = text ? std::atof(text) : 1.0;
    return scale >= 1.0 ? scale : 1.0;
}

// Seconds of processor time that the calling thread has used.
inline double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The calling thread's processor time since the stopwatch was made.
class ThreadStopwatch
{
public:
    double Seconds() const { return ThreadSeconds() - m_start; }

private:
    double m_start = ThreadSeconds();
};
} // namespace ZuFuzz
