// The venue list without a window: field texts and schedules, the sort of
// a column click over a plain list, adding with the add's messages, the
// change refused for a name another venue has, deleting a venue with its
// references, and the columns a printed list offers.
#include "shell/lists/VenueViewRules.h"

#include "model/EventDoc.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/VenueSheetPort.h"
#include "testsupport/EventBuilder.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

using Lines = std::vector<std::string>;

Lines Schedule(EventBuilder& event, const std::string& s_venue, int i_field)
{
    ZelStringArray a_lines;
    VenueViewRules::GetScheduleText(a_lines, &event.Doc(), event.Doc().GetVenues()[event.VenueIndex(s_venue)],
                                    i_field);
    Lines v;
    for (int i = 0; i < a_lines.GetSize(); ++i)
        v.push_back(a_lines[i]);
    return v;
}

std::string Text(EventBuilder& event, const std::string& s_venue, int i_field)
{
    return VenueViewRules::GetFieldText(&event.Doc(), event.Doc().GetVenues()[event.VenueIndex(s_venue)], i_field);
}

class VenueTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Days({"Mon", "Tue"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00"})
            .TwentyFourHour()
            .Style("Jazz")
            .Style("Folk")
            .Facility("Piano")
            .Venue("Hall", {"Folk", "Jazz"}, {"Piano"})
            .Venue("Annex")
            .Venue("Loft")
            .Participant("Ann Lee")
            .Participant("Bob Ray")
            .Group("Choir")
            .Group("Band")
            .Member("Choir", "Bob Ray")
            .Member("Choir", "Ann Lee")
            .Timetable()
            .Place(0, "Hall", "10:00", "Choir")
            .Place(1, "Hall", "09:00", "Band")
            .Place(1, "Annex", "10:00", "Choir");
        event.Doc().GetVenues()[event.VenueIndex("Hall")].SetLocation("North wing");
    }

    EventBuilder event;
};

TEST_F(VenueTexts, FieldsFollowTheTable)
{
    EXPECT_EQ(Text(event, "Hall", vfName), "Hall");
    EXPECT_EQ(Text(event, "Hall", vfLocation), "North wing");
    EXPECT_EQ(Text(event, "Hall", vfStyles), event.Doc().GetStyles().GetNamesText(
                                                  event.Doc().GetVenues()[event.VenueIndex("Hall")].GetStyles()));
    EXPECT_NE(Text(event, "Hall", vfStyles).find("Jazz"), std::string::npos);
    EXPECT_EQ(Text(event, "Hall", vfFacilities), "Piano");
    EXPECT_EQ(Text(event, "Annex", vfStyles), "");
    EXPECT_EQ(Text(event, "Hall", vfNumFields), "");
    EXPECT_EQ(Text(event, "Hall", -1), "");

    EXPECT_EQ(VenueViewRules::GetColumnHeadings(), (Lines{"Venue Name", "Location", "Styles", "Facilities"}));
    EXPECT_EQ(VenueViewRules::GetFieldTitle(vfGroupSchedule), "Group Schedule");
    EXPECT_EQ(VenueViewRules::GetFieldTitle(vfParticipantSchedule), "Participant Schedule");
    EXPECT_EQ(VenueViewRules::GetFieldTitle(vfNumFields), "");
}

TEST_F(VenueTexts, SchedulesByGroupAndByMembers)
{
    // A member who is no participant of the event is left out.
    event.GetGroup("Choir").GetMembers().SetMember(99999, "", FALSE);
    ZelTimeslotCombination morning("Morning");
    ASSERT_EQ(event.Doc().GetCombinations().Add(morning), 0);
    event.Slot(1, "Hall", "09:00").SetCombinationKey(morning.GetKey());

    EXPECT_EQ(Schedule(event, "Hall", vfGroupSchedule),
              (Lines{"Mon 10:00 to 11:00 - Choir", "Tue 09:00 to 10:00 (Morning) - Band"}));
    EXPECT_EQ(Schedule(event, "Hall", vfParticipantSchedule),
              (Lines{"Mon 10:00 to 11:00 - Bob Ray;Ann Lee", "Tue 09:00 to 10:00 (Morning) - "}));
    EXPECT_EQ(Text(event, "Annex", vfGroupSchedule), "Tue 10:00 to 11:00 - Choir");
    EXPECT_EQ(Text(event, "Hall", vfGroupSchedule), "Mon 10:00 to 11:00 - Choir,\nTue 09:00 to 10:00 (Morning) - Band");
    EXPECT_TRUE(Schedule(event, "Loft", vfGroupSchedule).empty());
}

TEST_F(VenueTexts, NoScheduleWithoutTimetableOrForAVenueOutsideTheEvent)
{
    Venue stranger;
    stranger.SetName("Stranger");
    ZelStringArray a_lines;
    VenueViewRules::GetScheduleText(a_lines, &event.Doc(), stranger, vfGroupSchedule);
    EXPECT_EQ(a_lines.GetSize(), 0);

    event.Doc().DeleteTimetable();
    EXPECT_EQ(Text(event, "Hall", vfGroupSchedule), "");
    EXPECT_EQ(Text(event, "Hall", vfParticipantSchedule), "");
}

TEST_F(VenueTexts, PrintOffersOnlyColumnsSomeVenueFills)
{
    auto ids = [](const ZelArray<UINT>& a) {
        std::vector<UINT> v;
        for (int i = 0; i < a.GetSize(); ++i)
            v.push_back(a[i]);
        return v;
    };
    EXPECT_EQ(ids(VenueViewRules::GetPrintCandidates(&event.Doc())), (std::vector<UINT>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ids(VenueViewRules::GetDefaultPrintIds()), (std::vector<UINT>{0, 1, 2, 3}));

    // Nothing placed, a location of blanks only, no styles or facilities.
    EventBuilder bare;
    bare.Days({"Mon"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Venue("Annex").Group("Choir").Timetable();
    bare.Doc().GetVenues()[0].SetLocation("   ");
    EXPECT_EQ(ids(VenueViewRules::GetPrintCandidates(&bare.Doc())), (std::vector<UINT>{0}));
}

TEST(VenueChanges, AddRefusesANameInUseWithItsTexts)
{
    EventBuilder event;
    event.Venue("Hall");
    Venue copy;
    copy.SetName("Hall");
    std::string s_msg = "old";
    EXPECT_EQ(VenueViewRules::AddVenue(event.Doc(), copy, s_msg, FALSE), VenueViewRules::e_name_used);
    EXPECT_EQ(s_msg, "Cannot add venue. Venue 'Hall' already exists.");
    EXPECT_EQ(VenueViewRules::AddVenue(event.Doc(), copy, s_msg, TRUE), VenueViewRules::e_name_used);
    EXPECT_EQ(s_msg, "Venue already exists.");

    Venue same_key(event.Doc().GetVenues()[0]);
    same_key.SetName("Annex");
    EXPECT_EQ(VenueViewRules::AddVenue(event.Doc(), same_key, s_msg, FALSE), VenueViewRules::e_key_used);
    EXPECT_EQ(s_msg, "Cannot add venue 'Annex'. Duplicate venue key.");
    EXPECT_EQ(VenueViewRules::AddVenue(event.Doc(), same_key, s_msg, TRUE), VenueViewRules::e_key_used);
    EXPECT_EQ(s_msg, "Venue key already exisits.");
    EXPECT_EQ(event.Doc().GetNumVenues(), 1);

    Venue annex;
    annex.SetName("Annex");
    EXPECT_EQ(VenueViewRules::AddVenue(event.Doc(), annex, s_msg, FALSE), VenueViewRules::e_added);
    EXPECT_EQ(s_msg, "");
    EXPECT_EQ(event.Doc().GetVenues()[1].GetName(), "Annex");
}

TEST(VenueChanges, ANameAnotherVenueHasIsRefusedAndNothingStored)
{
    EventBuilder event;
    event.Venue("Hall").Venue("Annex");
    event.Doc().GetVenues()[1].SetLocation("East");

    Venue working(event.Doc().GetVenues()[1]);
    working.SetName("Hall");
    working.SetLocation("West");
    std::string s_msg;
    EXPECT_FALSE(VenueViewRules::CheckChange(event.Doc(), working, s_msg));
    EXPECT_EQ(s_msg, "Cannot change venue. Venue 'Hall' already exists.");
    EXPECT_FALSE(VenueViewRules::StoreChange(event.Doc(), working, s_msg));
    EXPECT_EQ(event.Doc().GetVenues()[1].GetName(), "Annex");
    EXPECT_EQ(event.Doc().GetVenues()[1].GetLocation(), "East");

    // Its own name is no duplicate; a free one is stored with the rest.
    working.SetName("Annex");
    EXPECT_TRUE(VenueViewRules::CheckChange(event.Doc(), working, s_msg));
    working.SetName("Studio");
    EXPECT_TRUE(VenueViewRules::StoreChange(event.Doc(), working, s_msg));
    EXPECT_EQ(event.Doc().GetVenues()[1].GetName(), "Studio");
    EXPECT_EQ(event.Doc().GetVenues()[1].GetLocation(), "West");
}

TEST(VenueChanges, DeleteTakesTheVenueOutOfLayoutsAndTimetable)
{
    EventBuilder event;
    event.Days({"Mon"})
        .Venue("Hall")
        .Venue("Annex")
        .VenueSlots(0, "Hall", {"09:00-10:00"})
        .VenueSlots(0, "Annex", {"10:00-11:00"})
        .Group("Choir")
        .Timetable()
        .Place(0, "Annex", "10:00", "Choir");
    const LONG l_hall = event.VenueKey("Hall");
    const LONG l_annex = event.VenueKey("Annex");
    VenueViewRules::DeleteVenue(event.Doc(), l_hall);
    EXPECT_EQ(event.Doc().GetNumVenues(), 1);
    EXPECT_FALSE(event.Doc().GetVenues().ContainsKey(l_hall));
    // The remaining venue keeps its slots, and its placement, in column 0.
    ASSERT_NE(event.Doc().GetTimetable(), nullptr);
    const Day& day = event.Doc().GetTimetable()->GetDay(0);
    ASSERT_EQ(day.GetNumVenues(), 1);
    ASSERT_EQ(day.GetVenueSlots(0).GetSize(), 1);
    EXPECT_EQ(day.GetVenueSlots(0)[0].GetGroup(), event.GroupKey("Choir"));
    EXPECT_EQ(event.Doc().GetVenues()[0].GetKey(), l_annex);

    // A key no venue has changes nothing.
    VenueViewRules::DeleteVenue(event.Doc(), l_hall);
    EXPECT_EQ(event.Doc().GetNumVenues(), 1);
}

// ---- sorting a column click over a plain list ----

struct ListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

class FakeVenueList : private ListParts, public ItemListCore {
public:
    explicit FakeVenueList(EventDoc& doc)
        : ItemListCore(&static_cast<ListParts&>(*this).Model, static_cast<ListParts&>(*this).SortState), Doc(doc)
    {
    }
    void FillList() override
    {
        for (int c = 0; c < 4; ++c)
            InsertColumn(c, VenueViewRules::GetColumnHeadings()[static_cast<std::size_t>(c)]);
        // As the view does: every column's text in the list.
        for (int i = 0; i < Doc.GetNumVenues(); ++i) {
            for (int c = 0; c < 4; ++c)
                AddItem(Doc.GetVenues()[i].GetKey(), c, VenueViewRules::GetFieldText(&Doc, Doc.GetVenues()[i], c));
        }
    }
    ILVRecord GetRecord(int i_row) override
    {
        const int i = Doc.GetVenues().FindByKey(static_cast<LONG>(Model.GetItemData(i_row)));
        return i < 0 ? nullptr : &Doc.GetVenues()[i];
    }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        return VenueViewRules::GetFieldText(&Doc, *static_cast<const Venue*>(p_record), i_column);
    }
    void Sort(int i_column) override
    {
        ZelColSortSpec a_keys[2];
        VenueViewRules::GetSortKeys(i_column, a_keys);
        SortColumns(a_keys, 2);
    }
    Lines Names()
    {
        Lines v;
        for (int i = 0; i < Model.GetItemCount(); ++i)
            v.push_back(Model.GetItemText(i, 0));
        return v;
    }
    BOOL AddRecordByName(const ZelFullName&, std::string&, BOOL) override { return FALSE; }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return e_change_stop; }
    int GetRecordCount() override { return Doc.GetNumVenues(); }
    std::string GetPluralTitle() override { return "Venues"; }
    std::string GetSingularTitle() override { return "Venue"; }
    std::string GetSingularNoun() override { return "venue"; }
    std::string GetPluralNoun() override { return "venues"; }
    std::string GetCountNoun() override { return "venue(s)"; }
    BOOL SelectPrintColumns() override { return FALSE; }

private:
    EventDoc& Doc;
};

TEST(VenueSort, LocationTwiceIsDescendingWithTiesByName)
{
    EventBuilder event;
    event.Venue("Delta").Venue("Alpha").Venue("Charlie").Venue("Bravo");
    const char* a_locations[] = {"North", "South", "North", "East"};
    for (int i = 0; i < 4; ++i)
        event.Doc().GetVenues()[i].SetLocation(a_locations[i]);
    FakeVenueList list(event.Doc());
    list.FillList();

    static_cast<ItemListCore&>(list).Sort(1);
    EXPECT_EQ(list.Names(), (Lines{"Bravo", "Charlie", "Delta", "Alpha"}));
    static_cast<ItemListCore&>(list).Sort(1);
    // Only the first key turns round: equal locations stay by name.
    EXPECT_EQ(list.Names(), (Lines{"Alpha", "Charlie", "Delta", "Bravo"}));

    // The name column sorts by name, then by location.
    static_cast<ItemListCore&>(list).Sort(0);
    EXPECT_EQ(list.Names(), (Lines{"Alpha", "Bravo", "Charlie", "Delta"}));
    ZelColSortSpec a_keys[2];
    VenueViewRules::GetSortKeys(0, a_keys);
    int i_direction = 0;
    EXPECT_EQ(a_keys[1].GetCol(i_direction), 1);
    EXPECT_EQ(i_direction, ZelColSortSpec::kAscending);
}

TEST(VenueSort, ColumnsFittedToAnEmptyListFitAgainOnceItHasRows)
{
    // The panes are filled before an event is opened.
    EventBuilder event;
    FakeVenueList list(event.Doc());
    list.Refill();
    const int i_empty = list.GetList().GetColumnWidth(1);

    event.Venue("Hall").Venue("Annex");
    event.Doc().GetVenues()[0].SetLocation("The long building behind the main square");
    list.Refill();
    const int i_fitted = list.GetList().GetColumnWidth(1);
    EXPECT_GT(i_fitted, i_empty);

    // From then on the widths are the user's.
    list.GetList().SetColumnWidth(1, i_empty);
    list.Refill();
    EXPECT_EQ(list.GetList().GetColumnWidth(1), i_empty);
}

// ---- the scripted sheet ----

TEST(VenueSheetPort, ARefusedCheckKeepsTheRunGoingWithTheNextStep)
{
    {
        VenueSheetRequest request;
        EXPECT_EQ(GetVenueSheetPort().Run(request), VSR_CANCEL);
    }
    ScriptedVenueSheet sheet;
    sheet.vSteps.push_back([](VenueSheetRequest& r) {
        r.Working.SetName("Hall");
        return int(VSR_APPLY);
    });
    sheet.vSteps.push_back([](VenueSheetRequest& r) {
        r.Working.SetName("Studio");
        return int(VSR_OK);
    });
    VenueSheetRequest request;
    request.fAccept = [](const Venue& v) -> BOOL { return v.GetName() != "Hall"; };
    EXPECT_EQ(GetVenueSheetPort().Run(request), VSR_OK);
    EXPECT_EQ(sheet.nRefused, 1);
    EXPECT_EQ(request.Working.GetName(), "Studio");
}

} // namespace
