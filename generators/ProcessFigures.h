// The process's own figures that the headless runs and the benchmarks
// report: CPU time (every thread, the steadier figure on a shared machine)
// and the peak resident size.
#pragma once

#include <sys/resource.h>
#include <time.h>

// CPU seconds the process has used so far, to the nanosecond.
inline double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The largest resident size the process has had, in KiB.
inline long PeakResidentKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
