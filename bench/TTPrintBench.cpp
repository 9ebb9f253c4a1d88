// The timetable printed by participant on a generated event (by default
// 2,000 participants, 60 calendar days and 40 venues): every item's layout
// and every page laid out and drawn on a canvas of fixed glyphs, with the
// number of items and pages, the time per page and the peak resident size.
//
// Run by hand: build/bin/ttprint_bench [--participants=N --days=N ...] (the
// event generator's options).
#include "generators/EventGenerator.h"
#include "generators/ProcessFigures.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "model/PrintOptions.h"
#include "model/Timetable.h"
#include "output/TTPrint.h"
#include "res/RotavexStrings.h"
#include "testsupport/FakePrintCanvas.h"

#include <chrono>
#include <cstdio>

namespace {

// Every participant, in list order.
class AllParticipants : public ITTPrintRows {
public:
    explicit AllParticipants(const EventDoc& doc) : Doc(doc) {}
    std::vector<int> GetRowItems(int, BOOL) override
    {
        std::vector<int> v;
        for (int i = 0; i < Doc.GetParticipants().GetNumParticipants(); ++i)
            v.push_back(i);
        return v;
    }
    int GetSelectedCount(int) override { return 0; }

private:
    const EventDoc& Doc;
};

// A canvas that keeps nothing it is given: only the counts.
class CountingCanvas : public FakePrintCanvas {
public:
    void TextOut(LONG, LONG, const std::string&) override { ++nTexts; }
    void DrawText(const std::string&, const ZelRect&, UINT) override { ++nTexts; }
    BOOL DrawLine(const CPoint&, const CPoint&, int) override
    {
        ++nLines;
        return TRUE;
    }
    long nTexts = 0;
    long nLines = 0;
};

} // namespace

int main(int argc, char** argv)
{
    JoinRotavexResources();
    benchevent::EventOptions options;
    options.nParticipants = 2000;
    std::string s_error;
    if (!benchevent::ParseEventOptions(argc, argv, options, s_error)) {
        std::fprintf(stderr, "%s\n", s_error.c_str());
        return 2;
    }
    options.bTimetable = true;
    std::printf("event: %s\n", benchevent::DescribeEventOptions(options).c_str());
    std::unique_ptr<EventDoc> p_doc = benchevent::GenerateEvent(options);
    EventDoc& doc = *p_doc;
    doc.SetEventName("Bench event");
    doc.GetPrintOptions().ePrintBy = PrintOptions::eParts;
    doc.GetPrintOptions().bPrintAll = 1;

    using Clock = std::chrono::steady_clock;
    AllParticipants rows(doc);
    TTPrintJob job(&doc);
    CountingCanvas dc;
    const auto t_start = Clock::now();
    job.BuildItems(&rows);
    const int n_pages = job.CountPages(dc);
    const auto t_counted = Clock::now();
    for (int i_page = 1; i_page <= n_pages; ++i_page)
        job.PrintPage(dc, i_page);
    const auto t_printed = Clock::now();

    const double d_countMs = std::chrono::duration<double, std::milli>(t_counted - t_start).count();
    const double d_printMs = std::chrono::duration<double, std::milli>(t_printed - t_counted).count();
    std::printf("%d items, %d pages\n", job.GetItemCount(), n_pages);
    std::printf("items and page counts   %10.1f ms\n", d_countMs);
    std::printf("every page printed      %10.1f ms (%.3f ms a page, %ld texts, %ld lines)\n", d_printMs,
                n_pages > 0 ? d_printMs / n_pages : 0.0, dc.nTexts, dc.nLines);
    std::printf("peak RSS                %10ld KB\n", PeakResidentKib());
    return 0;
}
