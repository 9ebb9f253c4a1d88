// The display grid on the fake window: slot texts and icons its parent
// supplies, fitted below or beside the icon, split over lines or shortened;
// the set width from the texts measured once; the spacing search; the
// read-only pop-up.
//
// Slot texts use the 8-point slot font of the fake port: 5 pixels a
// character, 11 pixels a line. The edges are 2 pixels.
#include "zelkit/controls/ZelTimeslotDisplayGrid.h"
#include "zelkit/tests/TimeslotGridFixture.h"

#include <map>
#include <string>
#include <vector>

namespace {

class TestDisplayGrid : public ZelTimeslotDisplayGrid {
public:
    using ZelTimeslotDisplayGrid::DrawSlotText;
    using ZelTimeslotDisplayGrid::GetSlotShape;
    using ZelTimeslotDisplayGrid::Shorten;
    using ZelTimeslotDisplayGrid::Split;

    // A slot of some seconds with its item data.
    void Put(int i_day, int i_set, const ZelOleDateTime& dt_start, int i_seconds, DWORD u_item)
    {
        GetTimeslotList(i_day, i_set).Add(ZelTimeslot(dt_start, Seconds(i_seconds), static_cast<WORD>(i_set), u_item));
    }
    CRect Rect(int i_day, int i_set, int i_slot) const
    {
        CRect rc;
        GetSlotRect(i_day, i_set, i_slot, rc);
        return rc;
    }
};

const int iIcon = 0; // the bitmap the parent keeps

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZelTimeslotGrid::Settings() = ZelTimeslotSettings();
        Host.fNotify = [this](int i_code, void* p_record) -> long {
            if (i_code == ZTSN_SLOTTEXT) {
                auto* p_text = static_cast<ZelTimeslotTextNotify*>(p_record);
                const auto it = Texts.find(p_text->dwItemData);
                if (it == Texts.end())
                    return 0;
                p_text->sText = it->second;
                return 1;
            }
            if (i_code == ZTSN_SLOTICON) {
                auto* p_icon = static_cast<ZelTimeslotIconNotify*>(p_record);
                const auto it = Icons.find(p_icon->dwItemData);
                if (it == Icons.end())
                    return 0;
                p_icon->hBitmap = &iIcon;
                p_icon->uIconSize = it->second;
                return 1;
            }
            return 0;
        };
    }
    void TearDown() override { ZelTimeslotGrid::Settings() = ZelTimeslotSettings(); }

    // One day of one set, 08:00 to 10:00 at the spacing given (15 minutes:
    // 32 pixels a quarter of an hour).
    void Build(int i_spacing = 15, int i_hour_end = 10)
    {
        ZelTimeslotGrid::Settings().dtsPrevSpacing = Minutes(i_spacing);
        Grid.UsePrevSpacing(TRUE);
        Host.Attach(Grid);
        Grid.Set24Hour(TRUE);
        Grid.SetNumDays(1);
        Grid.SetDisplayStart(FALSE, 8, 0);
        Grid.SetDisplayEnd(TRUE, i_hour_end, 0);
    }
    // The texts drawn, in order.
    std::vector<FakeDrawOp> Draw(int i_slot, int* p_fits = nullptr)
    {
        FakeDrawPort port;
        ZelTimeslotGrid::SetStdContext ctx(Grid, port);
        const int b_fits = Grid.DrawSlotText(port, ctx, 0, 0, static_cast<UINT>(i_slot), TRUE);
        if (p_fits)
            *p_fits = b_fits;
        port.Ops.clear();
        Grid.DrawSlotText(port, ctx, 0, 0, static_cast<UINT>(i_slot), FALSE);
        return port.Ops;
    }
    static std::vector<std::string> Texts_(const std::vector<FakeDrawOp>& ops)
    {
        std::vector<std::string> v;
        for (const FakeDrawOp& op : ops)
            if (op.sKind == "text")
                v.push_back(op.sText);
        return v;
    }

    ZelRecordingErrorReports Reports;
    FakeHost Host;
    TestDisplayGrid Grid;
    std::map<DWORD, std::string> Texts;
    std::map<DWORD, UINT> Icons;
};

TEST_F(DisplayTest, SplitAndShorten)
{
    struct SplitCase {
        const char* pText;
        int n;
        int bResult;
        const char* pAfter;
    } const a_split[] = {
        {"abcdefgh", 1, 1, "abcd\r\nefgh\r\n"},
        {"abcdefg", 1, 1, "abcd\r\nefg\r\n"},
        {"abcdefghij", 2, 1, "abcd\r\nefg\r\nhij\r\n"},
        {"abc", 1, 0, "abc"},
        {"a\r\nb", 1, 0, "ab"},
        {"abcd\r\nefgh\r\n", 1, 1, "abcd\r\nefgh\r\n"},
    };
    for (const SplitCase& c : a_split) {
        std::string s = c.pText;
        EXPECT_EQ(Grid.Split(s, c.n), c.bResult) << c.pText;
        EXPECT_EQ(s, c.pAfter) << c.pText;
    }
    std::string s = "abcdefghij";
    const std::pair<int, const char*> a_steps[] = {{1, "abcdef..."}, {1, "ab..."}, {0, "ab..."}};
    for (const auto& [b_result, p_after] : a_steps) {
        EXPECT_EQ(Grid.Shorten(s), b_result);
        EXPECT_EQ(s, p_after);
    }
}

TEST_F(DisplayTest, AnIconInATwentyPixelSlotIsFourteenSquareWithTheTextBeside)
{
    Build();
    // 563 seconds from a line: 20 pixels.
    Grid.Put(0, 0, At(9, 0), 563, 1);
    Texts[1] = "ab";
    Icons[1] = 32;
    Grid.Recompute();
    const CRect rc = Grid.Rect(0, 0, 0);
    ASSERT_EQ(rc.Height(), 20);
    const std::vector<FakeDrawOp> ops = Draw(0);
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0].sKind, "bitmap");
    EXPECT_EQ(ops[0].rc, CRect(rc.left + 2, rc.top + 2, rc.left + 16, rc.top + 16)) << "20 - two edges - 2";
    EXPECT_EQ(ops[0].pBitmap, &iIcon);
    EXPECT_EQ(ops[0].cColor, ZelRGB(255, 255, 255)) << "white is transparent";
    ASSERT_EQ(Texts_(ops), std::vector<std::string>{"ab"});
    const FakeDrawOp& text = ops[1];
    EXPECT_GE(text.rc.left, rc.left + 2 + 14 + 2) << "beside the icon";

    // However tall, a slot is one plain rectangle.
    Grid.Put(0, 0, At(8, 0), 3600, 2);
    CRect rc_whole, rc_top, rc_middle, rc_bottom;
    EXPECT_EQ(Grid.GetSlotShape(0, 0, 0, rc_whole, rc_top, rc_middle, rc_bottom, FALSE, nullptr), 0);
    EXPECT_EQ(rc_whole.Height(), 128);
    EXPECT_EQ(rc_middle, rc_whole);
    EXPECT_TRUE(rc_top.IsRectEmpty() && rc_bottom.IsRectEmpty());
}

TEST_F(DisplayTest, ATextThatFitsBelowTheIconGoesThereCentred)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 3600, 1); // 128 pixels
    Grid.Put(0, 0, At(9, 0), 900, 2);  // 32 pixels: no room below a 16-pixel icon
    Texts[1] = Texts[2] = "Lock";
    Icons[1] = Icons[2] = 16;
    Grid.Recompute();
    struct Case {
        const char* pName;
        int iSlot;
        bool bBelow;
    } const a_cases[] = {{"tall", 0, true}, {"short", 1, false}};
    for (const Case& c : a_cases) {
        CRect r = Grid.Rect(0, 0, c.iSlot);
        r.DeflateRect(2, 2);
        const std::vector<FakeDrawOp> ops = Draw(c.iSlot);
        ASSERT_EQ(Texts_(ops), std::vector<std::string>{"Lock"}) << c.pName;
        const CRect& rc_text = ops[1].rc;
        if (c.bBelow) {
            EXPECT_GE(rc_text.top, r.top + 16 + 2) << c.pName;
            EXPECT_NEAR(rc_text.left - r.left, r.right - rc_text.right, 1) << c.pName << ": centred across the slot";
        } else {
            EXPECT_GE(rc_text.left, r.left + 16 + 2) << c.pName;
            EXPECT_LT(rc_text.top, r.top + 16) << c.pName;
        }
    }
}

TEST_F(DisplayTest, ATextTooWideIsSplitAndOneTooBigShortened)
{
    // The column takes its width from texts of 7 characters (42 pixels at
    // the control's 10 points, plus 9) the first time; 90 pixels leave it
    // that wide. The slot's inside is 47 pixels wide.
    Host.rcClient = CRect(0, 0, 90, 400);
    Build();
    Grid.Put(0, 0, At(8, 0), 900, 1);  // 32 pixels: two lines
    Grid.Put(0, 0, At(9, 0), 422, 2);  // 15 pixels: one line
    Grid.Put(0, 0, At(9, 30), 900, 3); // a short text
    Texts[1] = Texts[2] = Texts[3] = "abcdefg";
    Grid.Recompute();
    ASSERT_EQ(Grid.GetSetWidth(), 51);
    ASSERT_EQ(Grid.Rect(0, 0, 1).Height(), 15);
    Texts[1] = Texts[2] = "abcdefghijklmnop";
    Texts[3] = "ab";
    struct Case {
        const char* pName;
        int iSlot;
        std::vector<std::string> vLines;
        int bFits;
    } const a_cases[] = {
        {"two lines of eight", 0, {"abcdefgh", "ijklmnop"}, 1},
        {"one line: shortened until it fits", 1, {"abcd..."}, 1},
        {"short enough", 2, {"ab"}, 1},
    };
    for (const Case& c : a_cases) {
        int b_fits = -1;
        EXPECT_EQ(Texts_(Draw(c.iSlot, &b_fits)), c.vLines) << c.pName;
        EXPECT_EQ(b_fits, c.bFits) << c.pName;
    }
    // No room for a line at all: shortened to the end and drawn anyway.
    Grid.Put(0, 0, At(9, 15), 300, 4); // 10 pixels
    Texts[4] = "abcdefghij";
    int b_fits = -1;
    EXPECT_EQ(Texts_(Draw(2, &b_fits)), std::vector<std::string>{"ab..."});
    EXPECT_EQ(b_fits, 0);
}

TEST_F(DisplayTest, TheParentAsksForTextIconAndColourAndMayHaveNone)
{
    Build();
    Grid.Put(0, 0, At(8, 0), 1800, 7);
    Grid.Recompute();
    Host.vCodes.clear();
    EXPECT_TRUE(Draw(0).empty()) << "no text and no icon: nothing drawn";
    int n_text = 0, n_icon = 0, n_colour = 0;
    for (int i_code : Host.vCodes) {
        n_text += i_code == ZTSN_SLOTTEXT;
        n_icon += i_code == ZTSN_SLOTICON;
        n_colour += i_code == ZTSN_SLOTTEXTCOLOR;
    }
    EXPECT_EQ(n_text, 2) << "measured, then drawn";
    EXPECT_EQ(n_icon, 2);
    EXPECT_EQ(n_colour, 2);
    // An empty answered text is a text; nothing shows of it.
    Texts[7] = "";
    int b_fits = 0;
    EXPECT_TRUE(Texts_(Draw(0, &b_fits)).size() <= 1);
    EXPECT_EQ(b_fits, 1);
}

TEST_F(DisplayTest, TheColumnsFollowTheTextsMeasuredFirst)
{
    // 137 pixels: the columns are not widened to fill the window.
    Host.rcClient = CRect(0, 0, 137, 400);
    Build();
    Grid.Put(0, 0, At(8, 0), 1800, 1);
    Grid.Put(0, 0, At(9, 0), 1800, 2);
    Texts[1] = "abcdefghij";         // 60 pixels at the control's 10 points
    Texts[2] = "abcdefghijabcdefghij"; // 120
    Grid.Recompute();
    EXPECT_EQ(Grid.GetSetWidth(), 99) << "the average 90, plus 9: laid out empty, the grid measured nothing yet";
    Texts[1] = Texts[2] = "ab";
    Grid.Recompute();
    EXPECT_EQ(Grid.GetSetWidth(), 99) << "the widths measured first hold";
}

TEST_F(DisplayTest, ResizeLooksForTheCoarsestSpacingAtWhichTextsFit)
{
    struct Case {
        const char* pName;
        int iStart; // spacing before
        int iSeconds;
        int iEnd; // spacing after
    } const a_cases[] = {
        {"fits from the start", 15, 1800, 15},
        {"halved, then widened while it fits", 120, 1800, 60},
        {"never fits: a minute", 15, 1, 1},
    };
    for (const Case& c : a_cases) {
        Build(c.iStart, 23);
        Grid.Put(0, 0, At(8, 0), c.iSeconds, 1);
        Texts[1] = "ab";
        Grid.Resize();
        EXPECT_EQ(Grid.GetSpacing(), Minutes(c.iEnd)) << c.pName;
        EXPECT_EQ(Grid.CheckSlotSizes(), c.iEnd > 1) << c.pName;
    }
    // A step out that would not leave room for the text is taken back.
    Build(120, 23);
    Grid.Put(0, 0, At(8, 0), 1800, 1);
    Grid.Resize();
    ASSERT_TRUE(Grid.IsScrollBarVisible(SB_VERT));
    Grid.OnCommand(ZelTimeslotGrid::ID_TSLOT_ZOOMOUT);
    EXPECT_EQ(Grid.GetSpacing(), Minutes(60));
    EXPECT_TRUE(Grid.HasZoomed());
}

TEST_F(DisplayTest, TheReadOnlyPopupAndTheEditingOne)
{
    Build(5);
    Grid.Put(0, 0, At(8, 0), 1800, 1);
    Grid.Recompute();
    const ZelMenu extra = {{32841, "&Lock", 0, 0}};
    Grid.GeneralPopup(CPoint(10, 20), &extra);
    std::vector<UINT> v_ids, v_greyed;
    for (const ZelMenuItem& item : Host.vMenu) {
        v_ids.push_back(item.uId);
        if (item.uId && !item.bEnabled)
            v_greyed.push_back(item.uId);
    }
    using G = ZelTimeslotGrid;
    EXPECT_EQ(v_ids, (std::vector<UINT>{G::ID_EDIT_COPY, 0, G::ID_TSLOT_ZOOMIN, G::ID_TSLOT_ZOOMOUT, 0,
                                         G::ID_EDIT_SELECT_ALL, G::ID_TSLOT_UNSELECTALL, 0, G::ID_TSLOT_24HOUR, 0,
                                         32841}));
    EXPECT_EQ(v_greyed, (std::vector<UINT>{G::ID_EDIT_COPY, G::ID_TSLOT_ZOOMIN, G::ID_TSLOT_UNSELECTALL, 32841}))
        << "nothing selected, the finest spacing";
    EXPECT_EQ(Host.ptMenu, CPoint(10, 20));
    EXPECT_FALSE(Grid.IsCommandEnabled(G::ID_EDIT_PASTE));

    Grid.SetReadOnly(FALSE);
    Grid.GeneralPopup(CPoint(0, 0), nullptr);
    EXPECT_EQ(Host.vMenu.size(), G::LoadPopupMenu(0).size()) << "editing: the plain grid's menu";
    EXPECT_TRUE(Grid.IsCommandEnabled(G::ID_EDIT_PASTE));
}

} // namespace
