// The fixed costs every build pays, on a generated event (by default 2,000
// groups, 5,000 participants, 60 calendar days and 40 venues, the
// timetable filled in part with locks, and rules): the time and memory of
// filling the build map, of counting the timetable into the selection
// counters (and their run counts), and of a verification of every
// timeslot. The generated timetable keeps every check, so the pass
// verifies each placement all the way through.
//
// The heap figure is what the step holds when it ends (the map, the
// counters); the peak resident size is the process's so far.
//
// Run by hand: build/bin/buildmap_bench [--groups=N --seed=N ...] (the
// event generator's options).
#include "generators/CountingBoxes.h"
#include "generators/EventGenerator.h"
#include "generators/ProcessFigures.h"
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"

#include <chrono>
#include <cstdio>
#include <malloc.h>

namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// Times a step and shows the heap it holds when it ends (what it made and
// still has) and the process's peak resident size so far.
class Measure {
public:
    explicit Measure(const char* p_what) : pWhat(p_what), uHeap(HeapInUse()), tStart(std::chrono::steady_clock::now())
    {
    }
    // Shows the figures now (before the step's objects go); else at the end
    // of the scope.
    void Stop()
    {
        if (bStopped)
            return;
        bStopped = true;
        const double d_ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - tStart).count();
        const long l_kb = (static_cast<long>(HeapInUse()) - static_cast<long>(uHeap)) / 1024;
        std::printf("%-36s %10.1f ms %+10ld KB heap %10ld KB peak RSS\n", pWhat, d_ms, l_kb, PeakResidentKib());
    }
    ~Measure() { Stop(); }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

private:
    const char* pWhat;
    std::size_t uHeap;
    std::chrono::steady_clock::time_point tStart;
    bool bStopped = false;
};

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    benchevent::EventOptions options;
    std::string s_error;
    if (!benchevent::ParseEventOptions(argc, argv, options, s_error)) {
        std::fprintf(stderr, "%s\n", s_error.c_str());
        return 2;
    }
    options.bTimetable = true;
    std::printf("event: %s\n", benchevent::DescribeEventOptions(options).c_str());

    std::unique_ptr<EventDoc> p_doc;
    {
        Measure measure("generating the event");
        p_doc = benchevent::GenerateEvent(options);
    }
    EventDoc& doc = *p_doc;
    Timetable* p_timetable = doc.GetTimetable();
    const benchevent::EventSummary summary = benchevent::SummarizeEvent(doc);
    std::printf("%d groups (%d members), %d participants, %d days, %d venues, %d timeslots, %d placed, %d locked, "
                "%d day and %d venue rules\n\n",
                summary.nGroups, summary.nMembers, summary.nParticipants, summary.nDays, summary.nVenues, summary.nCells,
                summary.nPlacements, summary.nLocked, summary.nDayRules, summary.nVenueRules);

    CountingBoxes boxes;
    TTMap map(&doc, p_timetable);
    {
        Measure measure("TTMap::Build");
        map.Build();
    }
    {
        Measure measure("SelCounters and CountTimetable");
        SelCounters counters(&doc, p_timetable, TRUE);
        counters.CountTimetable();
        measure.Stop();
    }
    {
        Measure measure("SelCounters::CountRuns");
        SelCounters counters(&doc, p_timetable, FALSE);
        counters.CountRuns(map);
        measure.Stop();
    }
    int n_failed = 0;
    {
        Measure measure("VerifySlot over every timeslot");
        SelCounters counters(&doc, p_timetable, TRUE);
        const Generator generator;
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            for (int v = 0; v < day.GetNumVenues() && v < doc.GetNumVenues(); ++v) {
                for (int s = 0; s < day.GetVenueSlots(v).GetSize(); ++s) {
                    if (!generator.VerifySlot(&doc, d, day, v, s, counters))
                        ++n_failed;
                }
            }
        }
        measure.Stop();
    }
    std::printf("\n%d timeslots failed the verification", n_failed);
    if (boxes.nShown > 0)
        std::printf("; the first text:\n%s", boxes.sFirst.c_str());
    std::printf("\n");
    return n_failed == 0 ? 0 : 1;
}
