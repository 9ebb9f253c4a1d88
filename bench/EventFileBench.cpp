// Load and save speed of the event file on a generated event (by default
// 2,000 groups, 5,000 participants, 60 calendar days and 40 venues, the
// timetable filled in part with locks, and rules): the file's size, then the
// median over several runs of
//   - loading the file's bytes into a document through the program's open
//     (a fresh document that takes the open one's place),
//   - writing the document's bytes (the archive alone), and
//   - saving to a file through the program's writer (temporary file, flushed
//     to disk, renamed over the target),
// each in MB/s of the file by the clock and by the process's CPU time (the
// steadier figure on a shared machine), and the process's peak resident
// size.
//
// Run by hand: build/bin/event_file_bench [--runs=N] [--loads-only]
// [generator options] (the event generator's options: --groups=N --seed=N
// ...). With --loads-only it times the loads from bytes alone, so that a
// profiler attached to it sees nothing else once the event is generated.
#include "generators/CountingBoxes.h"
#include "generators/EventGenerator.h"
#include "generators/ProcessFigures.h"
#include "framework/FileIO.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Timing {
    double dSeconds = 0;
    double dCpuSeconds = 0;
};

// The median time of the runs by the clock and by CPU time, in seconds.
Timing Median(int n_runs, const std::function<void()>& f_run)
{
    std::vector<double> v_seconds;
    std::vector<double> v_cpu;
    for (int i = 0; i < n_runs; ++i) {
        const auto t_start = std::chrono::steady_clock::now();
        const double d_cpuStart = ProcessCpuSeconds();
        f_run();
        v_cpu.push_back(ProcessCpuSeconds() - d_cpuStart);
        v_seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count());
    }
    std::sort(v_seconds.begin(), v_seconds.end());
    std::sort(v_cpu.begin(), v_cpu.end());
    return {v_seconds[v_seconds.size() / 2], v_cpu[v_cpu.size() / 2]};
}

void Report(const char* p_what, const Timing& timing, std::size_t n_bytes)
{
    const double d_mb = static_cast<double>(n_bytes) / 1e6;
    std::printf("%-34s %9.1f ms %9.1f MB/s   CPU %9.1f ms %9.1f MB/s\n", p_what, timing.dSeconds * 1e3,
                d_mb / timing.dSeconds, timing.dCpuSeconds * 1e3, d_mb / timing.dCpuSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    CountingBoxes boxes;

    int n_runs = 7;
    bool b_loadsOnly = false;
    std::vector<char*> v_args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0)
            n_runs = std::max(1, std::atoi(argv[i] + 7));
        else if (std::strcmp(argv[i], "--loads-only") == 0)
            b_loadsOnly = true;
        else
            v_args.push_back(argv[i]);
    }
    benchevent::EventOptions options;
    std::string s_error;
    if (!benchevent::ParseEventOptions(static_cast<int>(v_args.size()), v_args.data(), options, s_error)) {
        std::fprintf(stderr, "event_file_bench: %s\n", s_error.c_str());
        return 2;
    }

    auto p_event = benchevent::GenerateEvent(options);
    const benchevent::EventSummary summary = benchevent::SummarizeEvent(*p_event);
    std::printf("event: %s\n", benchevent::DescribeEventOptions(options).c_str());
    std::printf("       %d groups, %d participants, %d members, %d days, %d venues, %d timeslots, %d placed, %d "
                "locked, %d day rules, %d venue rules\n",
                summary.nGroups, summary.nParticipants, summary.nMembers, summary.nDays, summary.nVenues,
                summary.nCells, summary.nPlacements, summary.nLocked, summary.nDayRules, summary.nVenueRules);
    const long l_rssGenerated = PeakResidentKib();

    const std::vector<std::uint8_t> v_file = p_event->WriteEventFile();
    std::printf("file size: %zu bytes (%.2f MB)\n", v_file.size(), static_cast<double>(v_file.size()) / 1e6);

    // The first load checks that the file comes back whole.
    EventDoc doc;
    if (!EventFile::LoadBytes(doc, v_file, "generated.eve") || doc.WriteEventFile() != v_file) {
        std::fprintf(stderr, "event_file_bench: the generated event does not load back to the same bytes%s%s\n",
                     boxes.nShown ? ": " : "", boxes.sFirst.c_str());
        return 1;
    }
    p_event.reset();

    std::printf("median of %d runs:\n", n_runs);
    const Timing t_load = Median(n_runs, [&] {
        if (!EventFile::LoadBytes(doc, v_file, "generated.eve"))
            std::abort();
    });
    Report("load (bytes to document)", t_load, v_file.size());
    if (b_loadsOnly)
        return 0;
    std::vector<std::uint8_t> v_written;
    const Timing t_write = Median(n_runs, [&] { v_written = doc.WriteEventFile(); });
    Report("save (document to bytes)", t_write, v_file.size());

    const std::string s_path = (std::filesystem::temp_directory_path()
                                / ("event-file-bench-" + std::to_string(getpid()) + ".eve"))
                                   .string();
    EventFile file;
    const Timing t_save = Median(n_runs, [&] {
        if (!file.Save(doc, s_path))
            std::abort();
    });
    Report("save to disk (flushed, renamed)", t_save, v_file.size());
    const Timing t_open = Median(n_runs, [&] {
        if (!file.Load(doc, s_path))
            std::abort();
    });
    Report("load from disk", t_open, v_file.size());
    std::filesystem::remove(s_path);

    std::printf("peak resident size: %ld KB (%ld KB after generating the event)\n", PeakResidentKib(), l_rssGenerated);
    if (boxes.nShown > 0)
        std::printf("messages shown: %d, the first: %s\n", boxes.nShown, boxes.sFirst.c_str());
    return 0;
}
