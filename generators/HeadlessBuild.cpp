#include "generators/HeadlessBuild.h"

#include "engine/BuildDriver.h"
#include "engine/BuildEngine.h"
#include "engine/BuildPorts.h"
#include "engine/ProgressClock.h"
#include "engine/ProgressPort.h"
#include "model/EventDoc.h"
#include "generators/CountingBoxes.h"
#include "generators/ProcessFigures.h"
#include "generators/TimetableChecker.h"
#include "zelkit/base/ZelErrorReport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace benchbuild {

namespace {

std::int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The marks between which the user-interface thread dispatches no events
// (a pump, a dialog or a box shown, the start and end of the command), on
// the steady clock: the longest stretch between two and what they were.
class FreezeWatch {
public:
    void Start()
    {
        tLast = std::chrono::steady_clock::now();
        sLast = "start";
    }
    void Mark(std::string s_what)
    {
        const auto t_now = std::chrono::steady_clock::now();
        const double d_ms = std::chrono::duration<double, std::milli>(t_now - tLast).count();
        if (d_ms > dAnsweringMs)
            ++nOverAnswering;
        if (d_ms > dLongestMs) {
            dLongestMs = d_ms;
            sWhere = sLast + " .. " + s_what;
        }
        tLast = t_now;
        sLast = std::move(s_what);
    }

    // The longest a window may go without answering before the user
    // sees it hang.
    static constexpr double dAnsweringMs = 250;

    double dLongestMs = 0;
    std::string sWhere;
    int nPumps = 0;
    int nOverAnswering = 0;

private:
    std::chrono::steady_clock::time_point tLast = std::chrono::steady_clock::now();
    std::string sLast = "start";
};

// Message boxes marked as they show (each runs its own loop), then answered
// by the port installed before.
class MarkingBoxes : public IMessageBoxPort {
public:
    explicit MarkingBoxes(FreezeWatch& watch) : Watch(watch), pPrevious(SetMessageBoxPort(this)) {}
    ~MarkingBoxes() override { SetMessageBoxPort(pPrevious); }
    MarkingBoxes(const MarkingBoxes&) = delete;
    MarkingBoxes& operator=(const MarkingBoxes&) = delete;

    int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) override
    {
        Watch.Mark("message box");
        return pPrevious->Show(s_text, s_caption, u_style);
    }

private:
    FreezeWatch& Watch;
    IMessageBoxPort* pPrevious;
};

// The progress window of a headless build: on the real clock, where a
// yield moves time on instead of waiting (the end's second on screen costs
// nothing), and with the build's time limit armed during the search stages
// only.
class BenchProgress : public IProgressPort, public IProgressClock {
public:
    BenchProgress(UINT u_limit_seconds, FreezeWatch& watch)
        : Watch(watch),
          llDeadline(u_limit_seconds != 0 ? SteadyMs() + 1000LL * u_limit_seconds : 0),
          pPreviousPort(SetProgressPort(this)),
          pPreviousClock(SetProgressClock(this))
    {
    }
    ~BenchProgress() override
    {
        SetProgressClock(pPreviousClock);
        SetProgressPort(pPreviousPort);
    }
    BenchProgress(const BenchProgress&) = delete;
    BenchProgress& operator=(const BenchProgress&) = delete;

    std::int64_t GetMilliseconds() override { return SteadyMs() + llYielded; }

    std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) override
    {
        pModel = &model;
        Arm();
        Watch.Mark("progress window shown");
        return std::make_unique<Window>(*this);
    }
    void Pump() override
    {
        // Dispatching a window's events takes memory, as a repaint does:
        // a pump waits for the allocator like the program's.
        std::vector<char> a_event(64 * 1024, 1);
        // (kept: the compiler may not drop the allocation)
        asm volatile("" : : "r"(a_event.data()) : "memory");
        Arm();
        ++Watch.nPumps;
        Watch.Mark(pModel != nullptr ? "pump in stage " + std::to_string(pModel->GetStage()) + " \""
                           + pModel->GetDescription() + "\""
                                     : std::string("pump without a window"));
    }
    void Yield() override { llYielded += 10; }

private:
    class Window : public IProgressWindow {
    public:
        explicit Window(BenchProgress& port) : Port(port) {}
        ~Window() override { Port.pModel = nullptr; }
        void Refresh(UINT u_parts) override
        {
            if (u_parts & ProgressModel::kStageBar)
                Port.Arm();
        }
        void Disable() override {}

    private:
        BenchProgress& Port;
    };

    // The limit runs while a search stage runs, for what is left of the
    // build's time; a check stage runs without it.
    void Arm()
    {
        if (pModel == nullptr || llDeadline == 0)
            return;
        const int i_stage = pModel->GetStage();
        const bool b_search = i_stage == BuildEngine::e_stage_minimums || i_stage == BuildEngine::e_stage_first_fill
            || i_stage == BuildEngine::e_stage_second_fill;
        if (!b_search) {
            if (pModel->IsTimeLimitRunning())
                pModel->SetTimeLimit(0);
            return;
        }
        if (pModel->IsTimeLimitRunning() || pModel->IsTimeLimitReached())
            return;
        // What is left of the build's time, to the millisecond: once it has
        // run out, a later search stage ends at its first check.
        pModel->SetTimeLimitLeft(llDeadline - SteadyMs());
    }

    FreezeWatch& Watch;
    BuildProgressModel* pModel = nullptr;
    std::int64_t llDeadline;
    std::int64_t llYielded = 0;
    IProgressPort* pPreviousPort;
    IProgressClock* pPreviousClock;
};

const char* EndName(BuildEngine::EndRoad e_end)
{
    switch (e_end) {
    case BuildEngine::e_not_run: return "not run";
    case BuildEngine::e_built: return "built";
    case BuildEngine::e_rotation_failed: return "rotation failed";
    case BuildEngine::e_options_cancelled: return "options cancelled";
    case BuildEngine::e_lock_limit: return "lock over a maximum";
    case BuildEngine::e_rule_failed: return "rule failed";
    case BuildEngine::e_locks_infeasible: return "locks cannot stand";
    case BuildEngine::e_cancelled: return "cancelled";
    case BuildEngine::e_count_check_failed: return "count check failed";
    case BuildEngine::e_count_check_cleared: return "count check cleared";
    case BuildEngine::e_minimums_failed: return "minimums failed";
    case BuildEngine::e_minimum_check_cleared: return "minimum check cleared";
    case BuildEngine::e_check_valid: return "valid";
    case BuildEngine::e_check_invalid: return "invalid";
    }
    return "?";
}

} // namespace

CheckFigures RunCheck(EventDoc& doc)
{
    ScriptedBuildWindow window;
    CountingBoxes boxes;
    ZelRecordingErrorReports reports;
    FreezeWatch watch;
    const MarkingBoxes marking(watch);
    BenchProgress progress(0, watch);

    CheckFigures figures;
    const auto t_start = std::chrono::steady_clock::now();
    watch.Start();
    doc.OnCheckTimetable();
    watch.Mark("end");
    figures.dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
    const Timetable* p_timetable = doc.GetTimetable();
    figures.sResult = p_timetable != nullptr && p_timetable->IsValid() ? "valid" : "invalid";
    figures.nMessages = boxes.nShown;
    figures.sFirstMessage = boxes.sFirst;
    figures.dLongestFreezeMs = watch.dLongestMs;
    figures.sFreezeWhere = watch.sWhere;
    figures.nPumps = watch.nPumps;
    figures.nFreezesOver250 = watch.nOverAnswering;
    return figures;
}

std::string TimetableHash(const EventDoc& doc)
{
    // FNV-1a over 64 bits: fixed, and the same on every machine.
    std::uint64_t u_hash = 1469598103934665603ULL;
    auto mix = [&u_hash](std::uint32_t u_word) {
        for (int i = 0; i < 4; ++i) {
            u_hash ^= (u_word >> (8 * i)) & 0xFFu;
            u_hash *= 1099511628211ULL;
        }
    };
    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable != nullptr) {
        for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
            const Day& day = p_timetable->GetDay(d);
            mix(static_cast<std::uint32_t>(day.GetNumVenues()));
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                mix(static_cast<std::uint32_t>(a_slots.GetSize()));
                for (int s = 0; s < a_slots.GetSize(); ++s) {
                    mix(static_cast<std::uint32_t>(a_slots[s].GetGroup()));
                    mix(a_slots[s].IsLocked() ? 1u : 0u);
                }
            }
        }
    }
    char a_text[17];
    std::snprintf(a_text, sizeof a_text, "%016llx", static_cast<unsigned long long>(u_hash));
    return a_text;
}

BuildFigures RunBuild(EventDoc& doc, const BuildScript& script)
{
    Preferences& prefs = doc.GetPreferences();
    if (script.bFill)
        prefs.SetFillEmptySlots(*script.bFill ? TRUE : FALSE);
    if (script.bAllowTravel)
        prefs.SetAllowTravel(*script.bAllowTravel ? TRUE : FALSE);
    if (script.uTravelMinutes)
        prefs.SetTravelMinutes(*script.uTravelMinutes);

    ScriptedBuildDialogs dialogs;
    // "Keep searching" only as a user could choose it: where the report
    // leaves it enabled; else "make changes", which ends the build.
    for (int i = 0; script.iKeepSearchingMode >= 0 && i < script.nKeepSearching; ++i)
        dialogs.KeepSearching(script.iKeepSearchingMode, TRUE);
    // Then "make changes": the build stops at the next report.
    dialogs.MakeChanges();
    ScriptedBuildWindow window;
    CountingBoxes boxes;
    ZelRecordingErrorReports reports;
    FreezeWatch watch;
    const MarkingBoxes marking(watch);
    dialogs.fOnShow = [&watch](UINT u_dialog) { watch.Mark("dialog " + std::to_string(u_dialog)); };
    BenchProgress progress(script.uTimeLimitSeconds, watch);

    Timetable& timetable = *doc.GetTimetable();
    const std::vector<testcheck::LockedCell> v_locks = testcheck::TimetableChecker::TakeLocks(doc);
    BuildEngine::BuildStats stats;
    bool b_returned = false;

    BuildFigures figures;
    const double d_cpu = ProcessCpuSeconds();
    const auto t_start = std::chrono::steady_clock::now();
    watch.Start();
    figures.iResult = RunBuildDriver(&doc, &timetable, [&](BuildEngine& engine, BOOL* p_started) {
        const BOOL b_result = engine.Build(p_started);
        stats = engine.GetStats();
        b_returned = true;
        return b_result;
    });
    watch.Mark("end");
    figures.dLongestFreezeMs = watch.dLongestMs;
    figures.sFreezeWhere = watch.sWhere;
    figures.nPumps = watch.nPumps;
    figures.nFreezesOver250 = watch.nOverAnswering;
    figures.dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
    figures.dCpuSeconds = ProcessCpuSeconds() - d_cpu;

    figures.sResult = b_returned ? EndName(stats.eEnd) : "engine failure";
    figures.bValid = timetable.IsValid() != FALSE;
    for (int d = 0; d < timetable.GetNumDays(); ++d) {
        const Day& day = timetable.GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v)
            figures.nCells += day.GetVenueSlots(v).GetSize();
    }
    figures.nUnfilled = timetable.CountUnfilled(-1, -1);
    figures.nPlaced = figures.nCells - figures.nUnfilled;
    figures.nMinimumRows = stats.nMinimumRows;
    figures.uMinimumShortfall = stats.uMinimumShortfall;
    figures.nRotationRows = stats.nRotationRows;
    figures.nNotScheduled = stats.nNotScheduled;
    figures.uSteps = stats.uSteps;
    figures.uMaxDepth = stats.uDeepest;
    figures.nAttempts = stats.nAttempts;
    figures.bTimeLimitHit = stats.bTimeLimitHit != FALSE;
    const std::vector<std::string> v_problems = testcheck::TimetableChecker(doc).CheckAll(v_locks);
    figures.nViolations = static_cast<int>(v_problems.size());
    if (!v_problems.empty())
        figures.sFirstViolation = v_problems.front();
    figures.nMessages = boxes.nShown;
    figures.sFirstMessage = boxes.sFirst;
    figures.lPeakKib = PeakResidentKib();
    figures.sHash = TimetableHash(doc);
    return figures;
}

} // namespace benchbuild
