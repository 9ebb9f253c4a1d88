// The rostering engine's passes, recount, un-rostering and error report
// on the small event, run on the test's own thread.
#include "roster/RosterEngine.h"
#include "roster/tests/RosterBed.h"

#include "model/General.h"
#include "generators/SampleEvents.h"

#include <gtest/gtest.h>

using namespace rostertest;

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sampleevents::ResetKeyCounters();
        SmallEvent(event);
    }

    // The five participants of the pinned runs.
    void FiveParticipants()
    {
        event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true))
            .Participant("Bob Ray", Styles(event, {{"Jazz", 1}, {"Rock", 1}}, false, Range(1, 2)))
            .Participant("Cy Fox", Styles(event, {{"Folk", 1}, {"Rock", 2}}, true, Exact(1)))
            .Participant("Di Moe", Styles(event, {{"Jazz", 1}, {"Folk", 1}, {"Rock", 1}}, true, Range(1, 3)))
            .Participant("Ed Poe")
            .Member("Band", "Ed Poe");
        event.Timetable();
        PlaceSmallEvent(event);
    }

    static std::vector<UINT> Counts(const RosterStatus& status)
    {
        const RosterCounts c = status.GetSnapshot();
        return {c.nWithRostering, c.nToMinimum, c.nErrors, c.nToBeRostered, c.nToMaximum};
    }

    testevent::EventBuilder event;
    std::atomic<bool> bModified{false};
    RosterStatus status;
};

// Counts are: with rostering, to minimum, errors, to be rostered, to
// maximum.
TEST_F(EngineTest, SmallEventPassByPass)
{
    FiveParticipants();
    RosterEngine engine(&event.Doc());
    EXPECT_TRUE(engine.Recount(TRUE, &status));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 0, 0, 4, 0})) << "Ed has no styles";

    RecordingRosterPort port;
    EXPECT_TRUE(engine.RosterToMinimum(&bModified, &port, &status, nullptr));
    // Ann: Jazz in the Trio at 09:00, Folk after it in the Duo at 11:00.
    // Bob has no order, so only the retry places him: the Trio is full by
    // then and Rock in the Band is enough for his minimum. Cy takes Folk
    // in the Ring, Di Jazz in the Trio.
    EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Trio: Ann Lee+, Di Moe+", "Ring: Cy Fox+",
                                                                   "Duo: Ann Lee+", "Band: Ed Poe, Bob Ray+"}));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 4, 0, 0, 2}));
    EXPECT_TRUE(engine.GetErrors().GetSize() == 0);
    EXPECT_TRUE(bModified.load());
    EXPECT_EQ(port.Codes(), (std::vector<int>{1, 2, 3, 2, 2, 3, 2, 3, 2, 3})) << "a new engine posts no 0";
    EXPECT_EQ(port.Posts()[1].sText, "Ann Lee");
    EXPECT_EQ(port.Posts()[8].sText, "Bob Ray (Level 2 search)");

    RecordingRosterPort max_port;
    engine.RosterToMaximum(&bModified, &max_port, &status, nullptr, nullptr);
    // Di reaches her maximum with Folk in the Duo and Rock in the Band.
    // Bob's Jazz finds the Trio full, and the maximum search cannot move
    // Di or Ann, whose Jazz has nowhere else to go: each try took one of
    // them out and put her back, at the end of the member list.
    EXPECT_EQ(Memberships(event.Doc()),
              (std::vector<std::string>{"Trio: Di Moe+, Ann Lee+", "Ring: Cy Fox+", "Duo: Ann Lee+, Di Moe+",
                                        "Band: Ed Poe, Bob Ray+, Di Moe+"}));
    EXPECT_EQ(port.Posts().back().iCode, 0) << "the minimum pass's port hears the maximum pass start";
    EXPECT_EQ(port.Posts().back(), (RosterPost{0, ROSTER_MAXIMUM_PASS, 2, {}})) << "4 with rostering, 2 at maximum";
    EXPECT_EQ(max_port.Posts().front(), (RosterPost{1, -1, 0, "Rostering to maximum limits..."}));
    EXPECT_EQ(engine.GetPassFlag(), 0);

    RosterEngine after(&event.Doc());
    EXPECT_TRUE(after.Recount(FALSE, &status));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 4, 0, 0, 3})) << "Bob stays below his maximum";
}

TEST_F(EngineTest, RecountFindsStylesHeldTwiceOutOfOrderOrMissing)
{
    event.Group("Quartet").GroupStyles("Quartet", {"Jazz"});
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true))
        .Participant("Bob Ray", Styles(event, {{"Jazz", 1}, {"Rock", 1}}, true))
        .Participant("Cy Fox", Styles(event, {{"Folk", 1}, {"Rock", 1}}, false, Exact(1)))
        .Participant("Di Moe", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true, Range(0, 2)));
    event.Timetable();
    PlaceSmallEvent(event).Place(1, "Barn", "09:00", "Quartet", true);
    auto member = [&](const char* s_group, const char* s_part, BOOL b_rostered) {
        event.GetGroup(s_group).GetMembers().SetMember(event.ParticipantKey(s_part), "", b_rostered);
    };
    // Ann: Jazz on Tuesday, Folk (a later order) on Monday. Bob: Jazz in
    // two groups, Rock missing. Cy: at his exact 1. Di: nothing, minimum 0.
    member("Quartet", "Ann Lee", TRUE);
    member("Ring", "Ann Lee", FALSE);
    member("Trio", "Bob Ray", TRUE);
    member("Quartet", "Bob Ray", FALSE);
    member("Band", "Cy Fox", TRUE);
    member("Combo", "Cy Fox", FALSE); // not locked: does not count

    RosterEngine engine(&event.Doc());
    EXPECT_FALSE(engine.Recount(TRUE, &status));
    EXPECT_EQ(ErrorLines(engine),
              (std::vector<std::string>{"Ann Lee / Folk / 5047", "Bob Ray / Jazz / 5045"}));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 2, 2, 0, 1})) << "Cy and Di at their minimum, Cy at maximum";

    // After a run, a participant below its minimum is in error too, with
    // one record per style it misses.
    EXPECT_FALSE(engine.Recount(FALSE, &status));
    EXPECT_EQ(ErrorLines(engine), (std::vector<std::string>{"Ann Lee / Folk / 5047", "Bob Ray / Jazz / 5045",
                                                             "Bob Ray / Rock / 5046"}));
    EXPECT_EQ(engine.GetErrors()[2].sMessage,
              "The participant was not completely rostered.  Minimum required 2, actually scheduled 1. "
              "The style shown is one of the styles for which it was not rostered.");
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 2, 3, 0, 1}));

    event.GetGroup("Quartet").GetMembers().RemoveAll();
    EXPECT_TRUE(engine.Recount(TRUE, &status));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{4, 2, 0, 2, 1})) << "Ann and Bob now only short";
    EXPECT_TRUE(engine.GetErrors().GetSize() == 0);
}

TEST_F(EngineTest, UnrosterRemovesRosteredMembershipsOnly)
{
    event.Participant("Ann Lee").Participant("Bob Ray").Participant("Cy Fox");
    auto member = [&](const char* s_group, const char* s_part, BOOL b_rostered) {
        event.GetGroup(s_group).GetMembers().SetMember(event.ParticipantKey(s_part), "", b_rostered);
    };
    member("Trio", "Ann Lee", TRUE);
    member("Trio", "Bob Ray", FALSE);
    member("Band", "Bob Ray", TRUE);
    member("Band", "Cy Fox", TRUE);
    member("Ring", "Cy Fox", FALSE);
    RosterEngine engine(&event.Doc());

    BOOL b_changed = TRUE;
    KeyList keys;
    keys.Add(event.ParticipantKey("Bob Ray"));
    keys.Add(123456);
    EXPECT_EQ(engine.Unroster(&b_changed, 2, keys), 1);
    EXPECT_TRUE(b_changed);
    EXPECT_EQ(Memberships(event.Doc()),
              (std::vector<std::string>{"Trio: Ann Lee+, Bob Ray", "Ring: Cy Fox", "Band: Cy Fox+"}));

    EXPECT_EQ(engine.Unroster(&b_changed, 2, keys), 1);
    EXPECT_FALSE(b_changed) << "nothing left to remove";

    EXPECT_EQ(engine.Unroster(&b_changed, 0, KeyList()), 1);
    EXPECT_TRUE(b_changed);
    EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Trio: Bob Ray", "Ring: Cy Fox"}));
}

TEST_F(EngineTest, ErrorReportNamesWhatIsStillKnown)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true))
        .Participant("Bob Ray", Styles(event, {{"Rock", 1}}, true));
    event.Timetable();
    // Nothing is locked: every ordered participant fails its first
    // attempt, and the retry finds no group at all.
    RosterEngine engine(&event.Doc());
    EXPECT_FALSE(engine.RosterToMinimum(&bModified, nullptr, &status, nullptr));
    EXPECT_EQ(ErrorLines(engine), (std::vector<std::string>{"Ann Lee / Jazz / 5049", "Ann Lee / Folk / 5049",
                                                             "Bob Ray / Rock / 5049", "Bob Ray /  / 5058"}));
    EXPECT_EQ(status.GetErrors(), 3u);

    RecordingRosterReports reports;
    event.Doc().GetParticipants().RemoveParticipant(0);
    event.Doc().GetStyles().Delete(event.Doc().GetStyles().FindByKey(event.StyleKey("Rock")));
    engine.ViewErrors();
    ASSERT_EQ(reports.Tables().size(), 1u);
    const RosterErrorTable& table = reports.Tables()[0];
    EXPECT_EQ(table.sTitle, "Rostering errors");
    EXPECT_EQ(table.vColumns, (std::vector<std::string>{"Participant", "Style", "More information"}));
    EXPECT_EQ(table.sDescription.rfind("Some participants are incorrectly rostered", 0), 0u);
    ASSERT_EQ(table.vRows.size(), 4u);
    EXPECT_EQ(table.vRows[0], (std::vector<std::string>{"", "Jazz", LoadResString(5049, "?")}));
    EXPECT_EQ(table.vRows[2], (std::vector<std::string>{"Bob Ray", "", LoadResString(5049, "?")}));
    EXPECT_EQ(table.vRows[3], (std::vector<std::string>{"Bob Ray", "", LoadResString(5058, "?")}));
}

// Without a timetable each ordered participant records 5048; the retry
// finds no group with room, records 5058 for the last participant that
// failed and stops.
TEST_F(EngineTest, WithoutATimetableEveryFirstAttemptFails)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}}, true))
        .Participant("Bob Ray", Styles(event, {{"Folk", 1}}, false))
        .Participant("Cy Fox", Styles(event, {{"Rock", 1}}, true));
    RosterEngine engine(&event.Doc());
    ASSERT_EQ(engine.GetTimetable(), nullptr);
    EXPECT_FALSE(engine.RosterToMinimum(&bModified, nullptr, &status, nullptr));
    EXPECT_EQ(ErrorLines(engine), (std::vector<std::string>{"Ann Lee / Jazz / 5048", "Cy Fox / Rock / 5048",
                                                             "Cy Fox /  / 5058"}));
    EXPECT_EQ(Counts(status), (std::vector<UINT>{0, 0, 4, 0, 0})) << "three failures counted, and 5058";
    EXPECT_FALSE(bModified.load());
}

// An ordered participant whose minimum is 0 succeeds without a place; one
// without order waits for the retry; one without styles is not looked at.
TEST_F(EngineTest, FirstAttemptsByKindOfParticipant)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}}, true, Range(0, 1)))
        .Participant("Bob Ray", Styles(event, {{"Folk", 1}}, false))
        .Participant("Cy Fox");
    event.Timetable();
    PlaceSmallEvent(event);
    RosterEngine engine(&event.Doc());
    RecordingRosterPort port;
    EXPECT_TRUE(engine.RosterToMinimum(&bModified, &port, &status, nullptr));
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Ring: Bob Ray+"});
    // Ann, Bob; then Bob's retry at level 1.
    EXPECT_EQ(port.Codes(), (std::vector<int>{1, 2, 3, 2, 2, 3}));
    EXPECT_EQ(port.Posts()[4].sText, "Bob Ray (Level 2 search)");
    EXPECT_EQ(Counts(status), (std::vector<UINT>{0, 2, 0, 0, 1})) << "only Bob is at his maximum";
}

// Skip ends the search for the participant at hand; the maximum pass
// clears it after that search and goes on, so the style is placed on the
// next sweep.
TEST_F(EngineTest, SkipEndsOneSearchAndIsClearedAfterIt)
{
    event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 1}}, false, Range(1, 2)));
    event.Timetable();
    PlaceSmallEvent(event);
    event.GetGroup("Trio").GetMembers().SetMember(event.ParticipantKey("Ann Lee"), "", TRUE);
    RosterEngine engine(&event.Doc());
    std::atomic<bool> b_skip{true};
    engine.Prepare(FALSE, &bModified, nullptr, nullptr, nullptr, &b_skip);
    EXPECT_FALSE(engine.SearchParticipant(0, nullptr, 0, event.StyleKey("Folk")));
    EXPECT_EQ(Memberships(event.Doc()), std::vector<std::string>{"Trio: Ann Lee+"});
    EXPECT_TRUE(b_skip.load()) << "the search only reads it";

    engine.RosterToMaximum(&bModified, nullptr, &status, nullptr, &b_skip);
    EXPECT_FALSE(b_skip.load());
    EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Trio: Ann Lee+", "Duo: Ann Lee+"}));
}

} // namespace
