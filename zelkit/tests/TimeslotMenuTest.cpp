// The grid's pop-up menu and view settings, and combining slots, through
// the fake window: the items' states, the extra menu, how the menu opens,
// the length, resolution and 24-hour commands, zooming to a readable
// size, and the combine and un-combine commands with their failures.
#include "framework/MessageBox.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/tests/TimeslotGridFixture.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

using G = ZelTimeslotGrid;
using MenuTest = TimeslotGridFixture;

// The ids of the menu's greyed items.
std::set<UINT> Greyed(const ZelMenu& menu)
{
    std::set<UINT> ids;
    for (const ZelMenuItem& item : menu)
        if (item.uId != 0 && !item.bEnabled)
            ids.insert(item.uId);
    return ids;
}

const ZelMenuItem* Find(const ZelMenu& menu, UINT u_id)
{
    for (const ZelMenuItem& item : menu)
        if (item.uId == u_id)
            return &item;
    return nullptr;
}

TEST_F(MenuTest, TheItemsFollowTheGridsState)
{
    // A whole day in 400 pixels needs the vertical bar; one selected slot
    // with something to undo and redo, slot text on the clipboard, and
    // combinations.
    Build(1, 1, 0, 23);
    Grid.Put(0, 0, At(9, 0), 60);
    Grid.Put(0, 0, At(11, 0), 60);
    Grid.OnCommand(G::ID_TSLOT_NEW);
    Grid.OnCommand(G::ID_TSLOT_NEW);
    Grid.OnCommand(G::ID_EDIT_UNDO);
    Grid.Select(0, 0, 0, FALSE, FALSE);
    ASSERT_EQ(Grid.GetUndoCount(), 1);
    ASSERT_EQ(Grid.GetRedoCount(), 1);
    ZelTimeslotCombinationList combinations;
    combinations.Add(ZelTimeslotCombination("Morning"));
    Grid.SetCombinations(combinations);
    const std::string s_slot_text = ZelTimeslot(At(14, 0), Minutes(30), 0, 0).GetAsText(Grid.GetDayStart(0)) + "\r\n";
    Host.SetClipboardText(s_slot_text);
    ASSERT_TRUE(Grid.IsScrollBarVisible(SB_VERT));

    // Each case goes on from the one before.
    struct Case {
        const char* pName;
        std::function<void()> fSetUp;
        std::set<UINT> Greyed;
    } const a_cases[] = {
        {"read-write, everything to do", [] {}, {}},
        {"read-only",
         [&] { Grid.SetReadOnly(TRUE); },
         {G::ID_TSLOT_NEW, G::ID_EDIT_CUT, G::ID_EDIT_CLEAR, G::ID_EDIT_PASTE, G::ID_EDIT_UNDO, G::ID_EDIT_REDO,
          G::ID_TSLOT_LENGTH, G::ID_TSLOT_RESOLUTION, G::ID_TSLOT_COMBINE, G::ID_TSLOT_UNCOMBINE}},
        {"clipboard text that is no slot text", [&] { Host.SetClipboardText("Hello\r\n"); }, {G::ID_EDIT_PASTE}},
        {"the finest spacing, nothing to undo",
         [&] {
             Host.SetClipboardText(s_slot_text);
             Grid.ZoomInMax();
             Grid.OnCommand(G::ID_EDIT_UNDO);
             Grid.Select(0, 0, 0, FALSE, FALSE);
         },
         {G::ID_TSLOT_ZOOMIN, G::ID_EDIT_UNDO}},
        {"nothing selected",
         [&] { Grid.OnCommand(G::ID_TSLOT_UNSELECTALL); },
         {G::ID_TSLOT_ZOOMIN, G::ID_EDIT_UNDO, G::ID_EDIT_COPY, G::ID_EDIT_CUT, G::ID_EDIT_CLEAR,
          G::ID_TSLOT_UNSELECTALL, G::ID_TSLOT_COMBINE, G::ID_TSLOT_UNCOMBINE}},
        {"no slots, the whole range in view",
         [&] {
             Grid.SetNumDays(1);
             Grid.SetDisplayStart(FALSE, 8, 0);
             Grid.SetDisplayEnd(TRUE, 8, 30);
         },
         {G::ID_TSLOT_ZOOMIN, G::ID_TSLOT_ZOOMOUT, G::ID_EDIT_UNDO, G::ID_EDIT_SELECT_ALL, G::ID_EDIT_COPY,
          G::ID_EDIT_CUT, G::ID_EDIT_CLEAR, G::ID_TSLOT_UNSELECTALL, G::ID_TSLOT_COMBINE, G::ID_TSLOT_UNCOMBINE}},
    };
    for (const Case& c : a_cases) {
        c.fSetUp();
        EXPECT_EQ(Greyed(Grid.GetGeneralMenu(nullptr)), c.Greyed) << c.pName;
        Grid.SetReadOnly(FALSE);
    }

    // Combinations never given: combine and un-combine stay grey.
    TestGrid plain;
    Host.Attach(plain);
    plain.SetNumDays(1);
    plain.Put(0, 0, At(9, 0), 30);
    plain.Select(0, 0, 0, FALSE, FALSE);
    const std::set<UINT> greyed = Greyed(plain.GetGeneralMenu(nullptr));
    EXPECT_TRUE(greyed.count(G::ID_TSLOT_COMBINE) && greyed.count(G::ID_TSLOT_UNCOMBINE));
    Host.Attach(Grid);
}

TEST_F(MenuTest, TextsChecksAndTheExtraMenu)
{
    Build();
    Grid.Set24Hour(TRUE);
    ZelMenu menu = Grid.GetGeneralMenu(nullptr);
    EXPECT_EQ(Find(menu, G::ID_TSLOT_LENGTH)->sText, "Timeslot &length (30m)");
    EXPECT_EQ(Find(menu, G::ID_TSLOT_RESOLUTION)->sText, "&Resolution (5m)");
    EXPECT_TRUE(Find(menu, G::ID_TSLOT_24HOUR)->bChecked);
    EXPECT_EQ(menu.size(), G::LoadPopupMenu(0).size());

    const ZelMenu extra = {{32841, "&Lock", 1, 0}, {32868, "Change &timeslots", 0, 1}};
    menu = Grid.GetGeneralMenu(&extra);
    ASSERT_EQ(menu.size(), G::LoadPopupMenu(0).size() + 3);
    EXPECT_EQ(menu[menu.size() - 3], ZelMenuItem{}) << "a separator first";
    EXPECT_EQ(menu[menu.size() - 1], (ZelMenuItem{32868, "Change &timeslots", 0, 1})) << "checked and grey as it was";
    G::AppendMenu(menu, ZelMenu());
    EXPECT_EQ(menu.size(), G::LoadPopupMenu(0).size() + 3) << "an empty extra menu adds nothing";
}

TEST_F(MenuTest, TheMenuOpensAtThePointOrTheCorner)
{
    Build();
    Grid.OnContextMenu(CPoint(120, 80));
    EXPECT_EQ(Host.nMenus, 1);
    EXPECT_EQ(Host.ptMenu, CPoint(120, 80));
    Grid.OnContextMenu(CPoint(-1, -1));
    EXPECT_EQ(Host.ptMenu, CPoint(0, 0)) << "from the keyboard";
    Host.ptMenu = CPoint(5, 5);
    EXPECT_TRUE(Grid.PreTranslateKey('M', KM_ALT));
    EXPECT_EQ(Host.nMenus, 3);
    EXPECT_EQ(Host.ptMenu, CPoint(0, 0)) << "Alt+M";
    EXPECT_EQ(Host.vMenu.size(), G::LoadPopupMenu(0).size());
}

TEST_F(MenuTest, LengthResolutionAnd24HourTimes)
{
    Build();
    // The length of new slots: asked in minutes, kept in seconds.
    Host.uLengthAnswer = 45;
    Grid.OnCommand(G::ID_TSLOT_LENGTH);
    EXPECT_EQ(Host.uAskedMinutes, 30u);
    EXPECT_EQ(Grid.GetSlotLength(), 2700u);
    EXPECT_EQ(G::Settings().uPrevSlotLength, 2700u) << "grids made later start with it";
    Host.uLengthAnswer = 0;
    Grid.OnCommand(G::ID_TSLOT_LENGTH);
    EXPECT_EQ(Grid.GetSlotLength(), 2700u) << "cancelled";

    // The resolution of every grid.
    Host.uResolutionAnswer = 2;
    Host.bAutoAnswer = 0;
    Grid.OnCommand(G::ID_TSLOT_RESOLUTION);
    EXPECT_EQ(Host.uAskedMinutes, 5u);
    EXPECT_EQ(G::Settings().dtsUserResolution, Minutes(2));
    EXPECT_EQ(G::Settings().bUserAutoResolution, 0);

    // A read-only grid refuses both but switches 24-hour times.
    Grid.SetReadOnly(TRUE);
    Host.uLengthAnswer = 60;
    Grid.OnCommand(G::ID_TSLOT_LENGTH);
    Grid.OnCommand(G::ID_TSLOT_RESOLUTION);
    EXPECT_EQ(Host.nBeeps, 2);
    EXPECT_EQ(Grid.GetSlotLength(), 2700u);
    const int b_24 = Grid.Get24Hour();
    Grid.OnCommand(G::ID_TSLOT_24HOUR);
    EXPECT_EQ(Grid.Get24Hour(), !b_24);
    EXPECT_EQ(G::Settings().bPrev24Hour, !b_24);
    EXPECT_GT(Grid.GetTimeLabelRect().Width(), 38) << "the labels laid out again: \"10:00am\" is wider";
}

TEST_F(MenuTest, ZoomingToAReadableSizeAndToTheFinestSpacing)
{
    Build(1, 1, 0, 23);
    G::Settings().dtsPrevSpacing = Minutes(240);
    Grid.UsePrevSpacing(TRUE);
    Grid.Recompute();
    Grid.Put(0, 0, At(9, 0), 5);
    Grid.Put(0, 0, At(10, 0), 5);
    Grid.ZoomVisible();
    // 240 -> 120 -> 60 -> 30 -> 15: a 5-minute slot is 10 pixels high, at
    // least four 2-pixel edges.
    EXPECT_EQ(Grid.GetSpacing(), Minutes(15));
    Grid.ZoomInMax();
    EXPECT_EQ(Grid.GetSpacing(), Minutes(5));
    EXPECT_EQ(G::Settings().dtsPrevSpacing, Minutes(5));
    EXPECT_EQ(Host.iRedrawOff, 0);
}

// --- combinations -----------------------------------------------------

class CombineTest : public TimeslotGridFixture {
protected:
    void SetUp() override
    {
        TimeslotGridFixture::SetUp();
        Build(1, 2);
        Grid.Put(0, 0, At(8, 0), 30);
        Grid.Put(0, 0, At(9, 0), 30);
        Grid.Put(0, 1, At(8, 30), 30);
        Combinations.Add(ZelTimeslotCombination("Morning"));
        Grid.SetCombinations(Combinations);
        Grid.Select(0, 0, 0, FALSE, FALSE);
        Grid.Select(0, 1, 0, TRUE, FALSE);
        Host.bNameAnswer = true;
    }
    LONG Key(int i_set, int i_slot) const { return Grid.Slot(0, i_set, i_slot).GetCombinationKey(); }

    ZelTimeslotCombinationList Combinations;
    ScriptedMessageBox Boxes;
};

TEST_F(CombineTest, AnExistingNameGivesItsKeyANewNameAddsOne)
{
    Host.sNameAnswer = " Morning ";
    Grid.OnCommand(G::ID_TSLOT_COMBINE);
    EXPECT_EQ(Host.vOffered, std::vector<std::string>{"Morning"}) << "the grid's combinations are offered";
    EXPECT_EQ(Grid.GetCombinations().GetCount(), 1) << "no second Morning";
    EXPECT_EQ(Key(0, 0), Combinations[0].GetKey());
    EXPECT_EQ(Key(1, 0), Combinations[0].GetKey());
    EXPECT_EQ(Key(0, 1), -1) << "not selected";
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);

    Host.vCodes.clear();
    Host.sNameAnswer = "Evening";
    Grid.OnCommand(G::ID_TSLOT_COMBINE);
    ASSERT_EQ(Grid.GetCombinations().GetCount(), 2);
    const ZelTimeslotCombination& evening = Grid.GetCombinations()[1];
    EXPECT_EQ(evening.GetName(), "Evening");
    EXPECT_EQ(Key(0, 0), evening.GetKey());
    EXPECT_EQ(Key(1, 0), evening.GetKey());
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1) << "once";
    EXPECT_EQ(Grid.GetUndoCount(), 0) << "combining keeps no undo snapshot";
    EXPECT_TRUE(Boxes.Boxes().empty());

    Host.vCodes.clear();
    Host.bNameAnswer = false;
    Grid.OnCommand(G::ID_TSLOT_COMBINE);
    EXPECT_EQ(Grid.GetCombinations().GetCount(), 2) << "cancelled";
    EXPECT_TRUE(Host.vCodes.empty());
}

TEST_F(CombineTest, AFailedAdditionSaysWhyAndChangesNothing)
{
    struct Case {
        const char* pName;
        std::function<void()> fSetUp;
        const char* pAnswer;
        const char* pText;
    } const a_cases[] = {
        {"a full list",
         [&] {
             ZelTimeslotCombinationList full;
             full.SetMaxObjects(1);
             full.Add(ZelTimeslotCombination("Morning"));
             Grid.SetCombinations(full);
         },
         "Evening", "Too many items.  The maximum number is 1."},
        {"a name of blanks only", [&] { Grid.SetCombinations(Combinations); }, "   ", "Item '' is invalid."},
    };
    for (const Case& c : a_cases) {
        c.fSetUp();
        Boxes.Clear();
        Host.vCodes.clear();
        Host.sNameAnswer = c.pAnswer;
        const int n_before = Grid.GetCombinations().GetCount();
        Grid.OnCommand(G::ID_TSLOT_COMBINE);
        ASSERT_EQ(Boxes.Boxes().size(), 1u) << c.pName;
        EXPECT_EQ(Boxes.Boxes()[0].sText, c.pText) << c.pName;
        EXPECT_EQ(Boxes.Boxes()[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
        EXPECT_EQ(Grid.GetCombinations().GetCount(), n_before) << c.pName;
        EXPECT_EQ(Key(0, 0), -1) << c.pName;
        EXPECT_TRUE(Host.vCodes.empty()) << c.pName;
    }
}

TEST_F(CombineTest, UncombineClearsOnlyWhatIsCombined)
{
    Grid.GetTimeslotList(0, 0)[0].SetCombinationKey(Combinations[0].GetKey());
    Grid.OnCommand(G::ID_TSLOT_UNCOMBINE);
    EXPECT_EQ(Key(0, 0), -1);
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1);
    Grid.OnCommand(G::ID_TSLOT_UNCOMBINE);
    EXPECT_EQ(Host.Count(ZTSN_CHANGED), 1) << "nothing left to clear, nothing said";
}

TEST_F(CombineTest, AReadOnlyGridNeitherCombinesNorUncombines)
{
    Grid.GetTimeslotList(0, 1)[0].SetCombinationKey(Combinations[0].GetKey());
    Grid.SetReadOnly(TRUE);
    Host.sNameAnswer = "Evening";
    Grid.OnCommand(G::ID_TSLOT_COMBINE);
    Grid.OnCommand(G::ID_TSLOT_UNCOMBINE);
    EXPECT_EQ(Host.nBeeps, 2);
    EXPECT_TRUE(Host.vOffered.empty()) << "no dialog";
    EXPECT_EQ(Grid.GetCombinations().GetCount(), 1);
    EXPECT_EQ(Key(0, 0), -1);
    EXPECT_EQ(Key(1, 0), Combinations[0].GetKey());
    EXPECT_TRUE(Host.vCodes.empty());
}

} // namespace
