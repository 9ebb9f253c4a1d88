// The sample timetables as the installation ships them (the build tree's
// share/rotavex/sample timetables, which File > Open sample lists): each
// opens without a message, builds again with the options it stores (the
// build options dialog as it first shows) into a valid timetable in which
// every group has a place and no slot stays empty, and rosters without an
// error; one of them has participants that rostering places to their
// maximum.
#include "generators/AlwaysContinue.h"
#include "generators/CountingBoxes.h"
#include "generators/HeadlessBuild.h"
#include "generators/RosterRunner.h"
#include "model/EventDoc.h"
#include "testsupport/ShippedSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifndef ROTAVEX_SAMPLE_TIMETABLES
#error "ROTAVEX_SAMPLE_TIMETABLES must name the shipped sample folder"
#endif

namespace fs = std::filesystem;

namespace {

std::unique_ptr<EventDoc> Open(const fs::path& path)
{
    auto p_doc = std::make_unique<EventDoc>();
    return p_doc->OnOpenDocument(path.string()) ? std::move(p_doc) : nullptr;
}

// The groups without a placement in the timetable.
std::vector<std::string> Unscheduled(const EventDoc& doc)
{
    std::vector<std::string> v_names;
    const Timetable& timetable = *doc.GetTimetableObject();
    for (int g = 0; g < doc.GetGroups().GetNumGroups(); ++g) {
        const LONG l_key = doc.GetGroups()[g].GetKey();
        bool b_placed = false;
        for (int d = 0; d < timetable.GetNumDays() && !b_placed; ++d)
            for (int v = 0; v < timetable.GetDay(d).GetNumVenues() && !b_placed; ++v) {
                const TimeslotArray& a_slots = timetable.GetDay(d).GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize() && !b_placed; ++i)
                    b_placed = a_slots[i].GetGroup() == l_key;
            }
        if (!b_placed)
            v_names.push_back(doc.GetGroups()[g].GetName());
    }
    return v_names;
}

std::string Texts(const std::map<std::string, int>& m_errors)
{
    std::string s;
    for (const auto& [s_id, n] : m_errors)
        s += s_id + " x" + std::to_string(n) + "; ";
    return s;
}

TEST(ShippedSamples, EachBuildsEveryGroupAndRostersWithoutAnError)
{
    const std::vector<fs::path> v_samples = ShippedSamples(ROTAVEX_SAMPLE_TIMETABLES);
    ASSERT_GE(v_samples.size(), 3u);
    bool b_rostersSomeone = false;
    for (const fs::path& path : v_samples) {
        SCOPED_TRACE(path.filename().string());
        const AlwaysContinue go_on;
        {
            const CountingBoxes boxes;
            std::unique_ptr<EventDoc> p_doc = Open(path);
            ASSERT_TRUE(p_doc) << boxes.sFirst;
            EXPECT_EQ(boxes.nShown, 0) << boxes.sFirst;
            ASSERT_NE(p_doc->GetTimetableObject(), nullptr);
            EXPECT_TRUE(p_doc->GetPreferences().GetFillEmptySlots());

            const benchbuild::BuildFigures built = benchbuild::RunBuild(*p_doc, benchbuild::BuildScript{});
            EXPECT_EQ(built.sResult, "built");
            EXPECT_TRUE(built.bValid);
            EXPECT_EQ(built.nViolations, 0) << built.sFirstViolation;
            // No report of unfilled slots, minimums or anything else.
            EXPECT_EQ(built.nMessages, 0) << built.sFirstMessage;
            EXPECT_EQ(built.nUnfilled, 0);
            EXPECT_EQ(Unscheduled(*p_doc), std::vector<std::string>{});

            const benchroster::RosterResult rostered = benchroster::RunRoster(*p_doc);
            EXPECT_TRUE(rostered.Errors.empty()) << Texts(rostered.Errors);
            EXPECT_TRUE(rostered.PassErrors.empty()) << Texts(rostered.PassErrors);
            EXPECT_EQ(rostered.nBelowMinimum, 0u);
            EXPECT_EQ(rostered.nToMaximum, rostered.nWithRostering);
            b_rostersSomeone = b_rostersSomeone || rostered.nToMaximum > 0;
        }
    }
    EXPECT_TRUE(b_rostersSomeone) << "no shipped sample has participants to roster";
}

} // namespace
