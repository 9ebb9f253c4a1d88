// A bench for the search's tests: an event from the test builder, and once
// it is described, the build map, the engine, the counters (counted from the
// timetable, runs included) and the build's placement checks, as a build
// has them when its passes start; shufflers made over them; the whole state
// the search may touch written out, to compare before and after; and the
// independent judge of the timetable.
#pragma once

#include "engine/BuildEngine.h"
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "engine/Shuffler.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"
#include "generators/TimetableChecker.h"

#include <memory>
#include <string>
#include <vector>

namespace shufflertest {

inline SchedLim Range(UINT u_min, UINT u_max)
{
    return SchedLim(SchedLim::e_range, 0, u_min, u_max);
}

struct Bed {
    using TTTrans = Transaction<TTMove, TTLocArray>;

    Bed() { event.Doc().GetPreferences().SetAllowTravel(FALSE); }

    // Call once the event and its placements are described; or over
    // another document (a generated event), which the bed then works on.
    void Start(EventDoc* p_doc = nullptr)
    {
        pDoc = p_doc;
        EventDoc& doc = Doc();
        vLocks = testcheck::TimetableChecker::TakeLocks(doc);
        doc.AttachRulesToSlots(TRUE);
        pMap = std::make_unique<TTMap>(&doc, doc.GetTimetable());
        pMap->Build();
        pEngine = std::make_unique<BuildEngine>(&doc, doc.GetTimetable(), pMap.get());
        pCounters = std::make_unique<SelCounters>(&doc, doc.GetTimetable(), pEngine->IsCountingParticipants());
        pCounters->CountTimetable();
        pCounters->CountRuns(*pMap);
    }

    EventDoc& Doc() { return pDoc != nullptr ? *pDoc : event.Doc(); }

    std::unique_ptr<Shuffler> Make(int i_mode, UINT u_depth = 0, BOOL b_empty_allowed = TRUE)
    {
        return std::make_unique<Shuffler>(pEngine.get(), &generator, pCounters.get(), i_mode, u_depth, b_empty_allowed);
    }

    int G(const std::string& s_group) { return event.Doc().GetGroups().FindByKey(event.GroupKey(s_group)); }
    int V(const std::string& s_venue) { return event.VenueIndex(s_venue); }
    // The cell of the venue's slot starting at "hh:mm" on the day.
    TTLoc At(int i_day, const std::string& s_venue, const std::string& s_start)
    {
        const int i_venue = V(s_venue);
        const TimeslotArray& a_slots = event.Doc().GetTimetable()->GetDay(i_day).GetVenueSlots(i_venue);
        const Timeslot& slot = event.Slot(i_day, s_venue, s_start);
        for (int s = 0; s < a_slots.GetSize(); ++s) {
            if (&a_slots[s] == &slot)
                return TTLoc(i_day, i_venue, s);
        }
        return TTLoc();
    }
    // The name of the group in the cell, "-" when empty.
    std::string In(int i_day, const std::string& s_venue, const std::string& s_start)
    {
        const LONG l_key = event.Slot(i_day, s_venue, s_start).GetGroup();
        if (l_key < 0)
            return "-";
        const int i_group = event.Doc().GetGroups().FindByKey(l_key);
        return i_group < 0 ? "?" : event.Doc().GetGroups()[i_group].GetName();
    }
    // Every cell's group, day by day and venue by venue ("-" empty, "*" locked).
    std::string Cells()
    {
        std::string s;
        const Timetable& timetable = *Doc().GetTimetable();
        for (int d = 0; d < timetable.GetNumDays(); ++d) {
            if (d > 0)
                s += " |";
            for (int v = 0; v < timetable.GetDay(d).GetNumVenues(); ++v) {
                const TimeslotArray& a_slots = timetable.GetDay(d).GetVenueSlots(v);
                s += v > 0 ? " /" : "";
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    const LONG l_key = a_slots[i].GetGroup();
                    const int i_group = l_key < 0 ? -1 : Doc().GetGroups().FindByKey(l_key);
                    s += " " + (i_group < 0 ? std::string("-") : Doc().GetGroups()[i_group].GetName());
                    if (a_slots[i].IsLocked())
                        s += "*";
                }
            }
        }
        return s;
    }
    // The cells, every count of every group and participant (runs
    // included), and when given the shuffler's marks: what a failed trial
    // has to leave as it found it.
    std::string State(const Shuffler* p_shuffler = nullptr)
    {
        std::string s = Cells();
        const SelCounters& counters = *pCounters;
        for (int g = 0; g < counters.GetNumGroups(); ++g) {
            s += " g" + std::to_string(counters.GetTotal(g)) + ":";
            for (int d = 0; d < counters.GetNumDays(); ++d) {
                s += std::to_string(counters.GetDayTotal(g, d)) + ",";
                for (int v = 0; v < counters.GetNumVenues(); ++v)
                    s += std::to_string(counters.GetDayVenueTotal(g, d, v)) + "/"
                        + std::to_string(counters.GetRuns(g, d, v)) + ",";
            }
            for (int v = 0; v < counters.GetNumVenues(); ++v)
                s += std::to_string(counters.GetVenueTotal(g, v)) + "/" + std::to_string(counters.GetRuns(g, -1, v)) + ",";
        }
        if (counters.IsCountingParticipants()) {
            for (int p = 0; p < counters.GetNumParticipants(); ++p) {
                const PartCount& part = counters.GetPartCount(p);
                s += " p" + std::to_string(part.GetTotal()) + ":";
                for (int d = 0; d < counters.GetNumDays(); ++d)
                    s += std::to_string(part.GetDayCount(d)) + ",";
                for (int v = 0; v < counters.GetNumVenues(); ++v)
                    s += std::to_string(part.GetVenueCount(v)) + ",";
            }
        }
        if (p_shuffler != nullptr) {
            s += " x";
            for (BYTE u_byte : p_shuffler->GetExclude().GetBytes())
                s += std::to_string(u_byte);
            s += " q";
            for (int g = 0; g < counters.GetNumGroups(); ++g)
                s += std::to_string(p_shuffler->GetProtected(g));
            const Shuffler::GroupTarget& target = p_shuffler->GetGroupTarget();
            s += " t" + std::to_string(target.iGroup) + "," + std::to_string(target.bEvent) + ","
                + std::to_string(target.uEventMin) + "," + std::to_string(target.iDay) + ","
                + std::to_string(target.uDayMin) + "," + std::to_string(target.iVenue) + ","
                + std::to_string(target.uVenueMin) + " d" + std::to_string(p_shuffler->GetDepth())
                + " l" + std::to_string(p_shuffler->GetDepthLimit());
        }
        return s;
    }
    // What the judge finds wrong with the timetable (the locks taken at
    // Start).
    std::vector<std::string> Problems() { return testcheck::TimetableChecker(Doc()).CheckAll(vLocks); }
    // The counters agree with a fresh count of the timetable.
    bool CountsAgree()
    {
        SelCounters fresh(&Doc(), Doc().GetTimetable(), pCounters->IsCountingParticipants());
        fresh.CountTimetable();
        fresh.CountRuns(*pMap);
        for (int g = 0; g < fresh.GetNumGroups(); ++g) {
            if (fresh.GetTotal(g) != pCounters->GetTotal(g))
                return false;
            for (int d = 0; d < fresh.GetNumDays(); ++d) {
                for (int v = 0; v < fresh.GetNumVenues(); ++v) {
                    if (fresh.GetDayVenueTotal(g, d, v) != pCounters->GetDayVenueTotal(g, d, v)
                        || fresh.GetRuns(g, d, v) != pCounters->GetRuns(g, d, v))
                        return false;
                }
            }
            for (int v = 0; v < fresh.GetNumVenues(); ++v) {
                if (fresh.GetRuns(g, -1, v) != pCounters->GetRuns(g, -1, v))
                    return false;
            }
        }
        return true;
    }

    testevent::EventBuilder event;
    EventDoc* pDoc = nullptr;
    std::vector<testcheck::LockedCell> vLocks;
    std::unique_ptr<TTMap> pMap;
    std::unique_ptr<BuildEngine> pEngine;
    std::unique_ptr<SelCounters> pCounters;
    Generator generator;
};

} // namespace shufflertest
