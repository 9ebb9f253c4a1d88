// The process's own figures that the headless runs and the benchmarks
// report: CPU time (every thread, the steadier figure on a shared machine)
// and the peak resident size; the resident size now and its peak as the
// system's process status gives them.
#pragma once

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
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

// A "kB" line of /proc/self/status ("VmRSS", "VmHWM"), in KiB; -1 when
// absent.
inline long StatusKib(const char* p_field)
{
    std::ifstream in("/proc/self/status");
    std::string s_line;
    const std::size_t n = std::strlen(p_field);
    while (std::getline(in, s_line)) {
        if (s_line.compare(0, n, p_field) == 0 && s_line.size() > n && s_line[n] == ':')
            return std::atol(s_line.c_str() + n + 1);
    }
    return -1;
}

// Sets the peak resident size (VmHWM) back to the present one; false where
// the system does not allow it.
inline bool ResetPeak()
{
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return static_cast<bool>(out);
}
