// The event generator: the same options give the same event, the event is
// of the size asked for, and its timetable keeps every rule that the tests'
// judge and the engine's verification know.
#include "generators/EventGenerator.h"
#include "engine/Generator.h"
#include "engine/SelCounters.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "generators/TimetableChecker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using benchevent::EventOptions;

namespace {

EventOptions Small(std::uint32_t u_seed)
{
    EventOptions o;
    o.uSeed = u_seed;
    o.nGroups = 120;
    o.nParticipants = 300;
    o.nDays = 6;
    o.nVenues = 8;
    o.nDayRules = 10;
    o.nVenueRules = 10;
    return o;
}

// Everything of the event that a change of choices would alter, as text.
std::string Fingerprint(const EventDoc& doc)
{
    std::string s;
    for (int g = 0; g < doc.GetGroups().GetNumGroups(); ++g) {
        const Group& group = doc.GetGroups()[g];
        s += group.GetName() + "#" + std::to_string(group.GetKey()) + ":";
        for (int m = 0; m < group.GetMembers().GetSize(); ++m)
            s += std::to_string(group.GetMembers()[m].lParticipantKey) + ",";
        s += "s" + std::to_string(group.GetStyles()[0]) + " e" + std::to_string(group.GetEventLimits().GetMax()) + "\n";
    }
    const Timetable& timetable = *doc.GetTimetable();
    for (int d = 0; d < timetable.GetNumDays(); ++d) {
        for (int v = 0; v < timetable.GetDay(d).GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = timetable.GetDay(d).GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i)
                s += std::to_string(a_slots[i].GetGroup()) + (a_slots[i].IsLocked() ? "L " : " ");
        }
    }
    for (int r = 0; r < doc.GetSchedulingRules().GetNumDayRules(); ++r)
        s += doc.GetSchedulingRules().GetDayRules()[r].GetDescription(&doc) + "\n";
    return s;
}

TEST(EventGenerator, TheSameOptionsGiveTheSameEvent)
{
    const std::string s_first = Fingerprint(*benchevent::GenerateEvent(Small(7)));
    EXPECT_EQ(Fingerprint(*benchevent::GenerateEvent(Small(7))), s_first);
    EXPECT_NE(Fingerprint(*benchevent::GenerateEvent(Small(8))), s_first);
}

TEST(EventGenerator, TheEventHasTheSizeAskedFor)
{
    const EventOptions o = Small(3);
    const std::unique_ptr<EventDoc> p_doc = benchevent::GenerateEvent(o);
    const benchevent::EventSummary summary = benchevent::SummarizeEvent(*p_doc);
    EXPECT_EQ(summary.nGroups, o.nGroups);
    EXPECT_EQ(summary.nParticipants, o.nParticipants);
    EXPECT_EQ(summary.nDays, o.nDays);
    EXPECT_EQ(summary.nVenues, o.nVenues);
    EXPECT_EQ(summary.nCells, o.nDays * o.nVenues * o.nSlotsPerDay);
    EXPECT_GT(summary.nPlacements, summary.nCells / 2) << "filled toward 60 percent";
    EXPECT_LE(summary.nPlacements, summary.nCells * 6 / 10 + 1);
    EXPECT_GT(summary.nLocked, 0);
    EXPECT_EQ(summary.nDayRules, o.nDayRules);
    EXPECT_EQ(summary.nVenueRules, o.nVenueRules);
    EXPECT_GE(summary.nMembers, o.nGroups * 2 - 10);

    EventOptions bare = o;
    bare.bTimetable = false;
    EXPECT_EQ(benchevent::GenerateEvent(bare)->GetTimetableObject(), nullptr);
}

TEST(EventGenerator, TheTimetableKeepsEveryRule)
{
    for (const std::uint32_t u_seed : {1u, 2u, 3u}) {
        const std::unique_ptr<EventDoc> p_doc = benchevent::GenerateEvent(Small(u_seed));
        EventDoc& doc = *p_doc;
        const testcheck::TimetableChecker checker(doc);
        EXPECT_EQ(checker.CheckAll({}), std::vector<std::string>{}) << "seed " << u_seed;

        ScriptedMessageBox boxes;
        SelCounters counters(&doc, doc.GetTimetable(), TRUE);
        const Generator generator;
        int n_failed = 0;
        for (int d = 0; d < doc.GetTimetable()->GetNumDays(); ++d) {
            const Day& day = doc.GetTimetable()->GetDay(d);
            for (int v = 0; v < day.GetNumVenues(); ++v) {
                for (int s = 0; s < day.GetVenueSlots(v).GetSize(); ++s)
                    n_failed += generator.VerifySlot(&doc, d, day, v, s, counters) ? 0 : 1;
            }
        }
        EXPECT_EQ(n_failed, 0) << (boxes.Boxes().empty() ? "" : boxes.Boxes()[0].sText);
        for (int r = 0; r < doc.GetSchedulingRules().GetNumDayRules(); ++r) {
            std::string s_message;
            EXPECT_EQ(doc.GetSchedulingRules().GetDayRules()[r].CheckRule(r + 1, &doc, s_message, FALSE), 1)
                << s_message;
        }
        for (int r = 0; r < doc.GetSchedulingRules().GetNumVenueRules(); ++r) {
            std::string s_message;
            EXPECT_EQ(doc.GetSchedulingRules().GetVenueRules()[r].CheckRule(r + 1, &doc, s_message, FALSE), 1)
                << s_message;
        }
    }
}

TEST(EventGenerator, Options)
{
    struct Case {
        std::vector<const char*> vArgs;
        bool bOk;
        const char* pError; // a part of it
    };
    const Case a_cases[] = {
        {{"--groups=50", "--seed=9", "--no-timetable", "plain"}, true, ""},
        {{"--fill=101"}, false, "--fill takes a number from 0 to 100"},
        {{"--venues=x"}, false, "--venues takes a number"},
        {{"--seed=-1"}, false, "the seed must be"},
        {{"--colour=blue"}, false, "unknown option: --colour=blue"},
    };
    for (const Case& c : a_cases) {
        std::vector<char*> v_argv = {const_cast<char*>("tool")};
        for (const char* p : c.vArgs)
            v_argv.push_back(const_cast<char*>(p));
        EventOptions o;
        std::string s_error;
        EXPECT_EQ(benchevent::ParseEventOptions(static_cast<int>(v_argv.size()), v_argv.data(), o, s_error), c.bOk)
            << c.vArgs[0];
        EXPECT_NE(s_error.find(c.pError), std::string::npos) << s_error;
        if (c.bOk) {
            EXPECT_EQ(o.nGroups, 50);
            EXPECT_EQ(o.uSeed, 9u);
            EXPECT_FALSE(o.bTimetable);
            EXPECT_NE(benchevent::DescribeEventOptions(o).find("--seed=9 --groups=50 "), std::string::npos);
        }
    }
}

} // namespace
