// The anchoring arithmetic of resizable windows, over windows of paper.
#include "framework/Settings.h"
#include "zelkit/dialogs/ZelProfile.h"
#include "zelkit/dialogs/ZelSizingLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Header = ZelSizingControlInfo::Header;

// Windows as records: a top-level window with a client size and a screen
// rectangle, and controls with rectangles in its client area.
class PaperPort : public IZelSizingPort {
public:
    struct Wnd {
        bool bAlive = true;
        LONG iCx = 0, iCy = 0;
        ZelSizingPosition pos;
    };
    std::map<ZelSzHandle, Wnd> mWnds;
    std::vector<ZelSzHandle> vDeleted;
    int nRedraws = 0;

    bool IsWindow(ZelSzHandle h) const override
    {
        auto it = mWnds.find(h);
        return it != mWnds.end() && it->second.bAlive;
    }
    bool GetClientSize(ZelSzHandle h, LONG& i_cx, LONG& i_cy) const override
    {
        if (!IsWindow(h))
            return false;
        i_cx = mWnds.at(h).iCx;
        i_cy = mWnds.at(h).iCy;
        return true;
    }
    bool GetPlacement(ZelSzHandle h, ZelSizingPosition& pos) const override
    {
        if (!IsWindow(h))
            return false;
        pos = mWnds.at(h).pos;
        return true;
    }
    bool SetPlacement(ZelSzHandle h, const ZelSizingPosition& pos) override
    {
        mWnds[h].pos = pos;
        return true;
    }
    void MoveWindow(ZelSzHandle h, const ZelRect& rc) override { mWnds[h].pos.rcNormal = rc; }
    void Redraw(ZelSzHandle) override { ++nRedraws; }
    void OnDeleteControl(ZelSzHandle h) override { vDeleted.push_back(h); }

    ZelRect RectOf(ZelSzHandle h) const { return mWnds.at(h).pos.rcNormal; }
};

ZelSzHandle H(int i) { return reinterpret_cast<ZelSzHandle>(static_cast<std::intptr_t>(i)); }

// A window of 300 x 200 client pixels whose frame adds 10 across and 30
// down, at (100, 50) on the screen, with one control at (10, 20, 110, 60).
struct Fixture {
    PaperPort port;
    Header header;
    ZelSzHandle hDlg = H(1);
    ZelSzHandle hCtrl = H(2);

    explicit Fixture(ZelSizingTypes::Freedom e_freedom = ZelSizingTypes::freedomBoth)
        : header(e_freedom, false, port)
    {
        port.mWnds[hDlg].iCx = 300;
        port.mWnds[hDlg].iCy = 200;
        port.mWnds[hDlg].pos.uShowCmd = ZEL_SW_SHOWNORMAL;
        port.mWnds[hDlg].pos.rcNormal = {100, 50, 410, 280};
        port.mWnds[hCtrl].pos.rcNormal = {10, 20, 110, 60};
        header.Init(hDlg);
    }
    void Grow(LONG i_cx, LONG i_cy)
    {
        port.mWnds[hDlg].iCx = i_cx;
        port.mWnds[hDlg].iCy = i_cy;
    }
};

TEST(SizingLayout, ModesAndPercentagesPlaceControlsByTheGrowth)
{
    struct Case {
        BYTE x1, x2, y1, y2;
        LONG cx, cy;
        ZelRect expected;
        const char* what;
    };
    const Case a_cases[] = {
        {0, 100, 0, 100, 340, 250, {10, 20, 150, 110}, "stretch grows both far edges"},
        {100, 100, 100, 100, 340, 250, {50, 70, 150, 110}, "move keeps the size"},
        {50, 50, 0, 0, 307, 200, {13, 20, 113, 60}, "half of an odd growth truncates toward zero"},
        {50, 50, 50, 50, 301, 201, {10, 20, 110, 60}, "half of one pixel is nothing"},
        {0, 100, 0, 0, 250, 150, {10, 20, 110, 60}, "a smaller client lays out as at the opening size"},
        {25, 75, 0, 0, 400, 200, {35, 20, 185, 60}, "any percentage"},
    };
    for (const Case& c : a_cases) {
        Fixture f;
        f.header.OnInitDialog(0);
        ASSERT_NE(f.header.AddSzControlEx(f.hCtrl, c.x1, c.x2, c.y1, c.y2), nullptr) << c.what;
        f.Grow(c.cx, c.cy);
        const bool b_grown = c.cx >= 300 && c.cy >= 200;
        EXPECT_EQ(f.header.ChangeSize(c.cx, c.cy), b_grown) << c.what;
        EXPECT_EQ(f.port.RectOf(f.hCtrl), c.expected) << c.what;
    }
}

TEST(SizingLayout, NegativeGrowthIsClampedPerAxisAndReportsFalse)
{
    Fixture f;
    f.header.OnInitDialog(0);
    f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeStretch, ZelSizingTypes::modeMove);
    // Narrower but taller: the width stays at the opening layout, the
    // height still moves the control, and the result says it was clamped.
    EXPECT_FALSE(f.header.ChangeSize(280, 230));
    EXPECT_EQ(f.port.RectOf(f.hCtrl), (ZelRect{10, 50, 110, 90}));
    EXPECT_TRUE(f.header.ChangeSize(310, 230));
    EXPECT_EQ(f.port.RectOf(f.hCtrl), (ZelRect{10, 50, 120, 90}));
    EXPECT_EQ(f.port.nRedraws, 2);
}

TEST(SizingLayout, RefusalsBeforeInitialisationAndForFixedControls)
{
    Fixture f;
    EXPECT_FALSE(f.header.IsInitialized());
    EXPECT_EQ(f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeStretch, ZelSizingTypes::modeStretch), nullptr)
        << "nothing is anchored before the window's initialisation";
    EXPECT_FALSE(f.header.ChangeSize(400, 300));
    ZelSizingPosition pos;
    pos.uFlags = 77;
    EXPECT_TRUE(f.header.StoreWindowPosition(pos)) << "a record store before initialisation succeeds silently";
    EXPECT_EQ(pos.uFlags, 77u);

    f.header.OnInitDialog(0);
    EXPECT_EQ(f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeFixed, ZelSizingTypes::modeFixed), nullptr);
    EXPECT_EQ(f.header.AddSzControlEx(f.hCtrl, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(f.header.AddSzControlEx(H(99), 0, 100, 0, 0), nullptr) << "not a window";
    EXPECT_EQ(f.header.AddSzControl(f.hCtrl, H(3)), nullptr) << "like a control that has no record";
    EXPECT_TRUE(f.header.GetControls().empty());
}

TEST(SizingLayout, AddedControlIsPlacedForThePresentGrowthAndCopiesAreLikeTheirModel)
{
    Fixture f;
    f.header.OnInitDialog(0);
    f.Grow(320, 210);
    f.port.mWnds[H(3)].pos.rcNormal = {0, 0, 10, 10};
    ASSERT_NE(f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeMove, ZelSizingTypes::modeMoveHalf), nullptr);
    EXPECT_EQ(f.port.RectOf(f.hCtrl), (ZelRect{30, 25, 130, 65}));
    Header::ControlInfo* p_like = f.header.AddSzControl(H(3), f.hCtrl);
    ASSERT_NE(p_like, nullptr);
    EXPECT_EQ((std::vector<int>{p_like->uX1, p_like->uX2, p_like->uY1, p_like->uY2}), (std::vector<int>{100, 100, 50, 50}));
    // A shrunken client places a new control below its opening rectangle:
    // the growth is not clamped when a control is added.
    f.Grow(290, 200);
    f.port.mWnds[H(4)].pos.rcNormal = {0, 0, 10, 10};
    f.header.AddSzControl(H(4), ZelSizingTypes::modeMove, ZelSizingTypes::modeFixed);
    EXPECT_EQ(f.port.RectOf(H(4)), (ZelRect{-10, 0, 0, 10}));
}

TEST(SizingLayout, EqualControlsShareTheRectangleAndGoWithTheirRecord)
{
    Fixture f;
    f.header.OnInitDialog(0);
    Header::ControlInfo* p_info = f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeStretch, ZelSizingTypes::modeStretch);
    ASSERT_NE(p_info, nullptr);
    f.port.mWnds[H(5)].pos.rcNormal = {0, 0, 1, 1};
    p_info->AddEqual(H(5));
    EXPECT_TRUE(f.header.FindControl(H(5)));
    f.Grow(310, 220);
    f.header.ReorganizeControls();
    EXPECT_EQ(f.port.RectOf(H(5)), (ZelRect{10, 20, 120, 80}));
    f.header.DeleteControl(H(5));
    EXPECT_FALSE(f.header.FindControl(f.hCtrl)) << "the whole record goes";
    EXPECT_EQ(f.port.vDeleted, std::vector<ZelSzHandle>{H(5)});
}

TEST(SizingLayout, MinimumAndMaximumTrackingFollowTheFreedom)
{
    struct Case {
        ZelSizingTypes::Freedom e;
        ZelMinMaxInfo expected;
    };
    const Case a_cases[] = {
        {ZelSizingTypes::freedomBoth, {310, 230, -1, -1}},
        {ZelSizingTypes::freedomX, {310, 230, -1, 230}},
        {ZelSizingTypes::freedomY, {310, 230, 310, -1}},
        {ZelSizingTypes::freedomNone, {310, 230, 310, 230}},
    };
    for (const Case& c : a_cases) {
        Fixture f(c.e);
        ZelMinMaxInfo info;
        f.header.OnGetMinMaxInfo(info);
        EXPECT_EQ(info.iMinTrackX, -1) << "no limits before initialisation";
        f.header.OnInitDialog(0);
        f.header.OnGetMinMaxInfo(info);
        EXPECT_EQ(info.iMinTrackX, c.expected.iMinTrackX);
        EXPECT_EQ(info.iMinTrackY, c.expected.iMinTrackY);
        EXPECT_EQ(info.iMaxTrackX, c.expected.iMaxTrackX);
        EXPECT_EQ(info.iMaxTrackY, c.expected.iMaxTrackY);
    }
}

TEST(SizingLayout, OneTimeStretchWidensFreeAxesAndKeepsTheNearEdgeOnScreen)
{
    struct Case {
        ZelSizingTypes::Freedom e;
        UINT u_percent;
        ZelRect rc_from;
        ZelRect expected;
    };
    const Case a_cases[] = {
        // 310 * 10 / 50 = 62 on each side; 230 * 10 / 50 = 46.
        {ZelSizingTypes::freedomBoth, 10, {100, 50, 410, 280}, {38, 4, 472, 326}},
        {ZelSizingTypes::freedomX, 10, {100, 50, 410, 280}, {38, 50, 472, 280}},
        {ZelSizingTypes::freedomBoth, 10, {20, 10, 330, 240}, {0, 0, 392, 286}},
        {ZelSizingTypes::freedomBoth, 0, {20, 10, 330, 240}, {20, 10, 330, 240}},
    };
    for (const Case& c : a_cases) {
        Fixture f(c.e);
        f.port.mWnds[f.hDlg].pos.rcNormal = c.rc_from;
        f.header.OnInitDialog(c.u_percent);
        EXPECT_EQ(f.port.RectOf(f.hDlg), c.expected) << c.u_percent;
        EXPECT_EQ(f.header.GetMinWidth(), c.rc_from.Width()) << "the minimum is the size before stretching";
    }
}

TEST(SizingLayout, MinimisedSizeChangesAreIgnored)
{
    Fixture f;
    f.header.OnInitDialog(0);
    f.header.AddSzControl(f.hCtrl, ZelSizingTypes::modeMove, ZelSizingTypes::modeFixed);
    f.header.OnSize(ZEL_SIZE_MINIMIZED, 0, 0);
    EXPECT_EQ(f.port.nRedraws, 0);
    f.header.OnSize(ZEL_SIZE_RESTORED, 320, 200);
    EXPECT_EQ(f.port.RectOf(f.hCtrl), (ZelRect{30, 20, 130, 60}));
}

class MemoryProfile : public IZelProfile {
public:
    std::map<std::string, int> mValues;
    std::vector<std::string> vWrites;
    int iFailAt = -1;

    int GetProfileInt(const std::string& s_section, const std::string& s_entry, int i_default) override
    {
        auto it = mValues.find(s_section + "/" + s_entry);
        return it == mValues.end() ? i_default : it->second;
    }
    bool WriteProfileInt(const std::string& s_section, const std::string& s_entry, int i_value) override
    {
        if (static_cast<int>(vWrites.size()) == iFailAt)
            return false;
        vWrites.push_back(s_entry + "=" + std::to_string(i_value));
        mValues[s_section + "/" + s_entry] = i_value;
        return true;
    }
};

TEST(SizingLayout, ProfileStoreWritesTheGuardAroundThePlacement)
{
    Fixture f;
    MemoryProfile profile;
    EXPECT_FALSE(f.header.StoreWindowPosition("Report", profile)) << "not initialised";
    f.header.OnInitDialog(0);
    ASSERT_TRUE(f.header.StoreWindowPosition("Report", profile));
    EXPECT_EQ(profile.vWrites, (std::vector<std::string>{"(check)=-32640", "Left=100", "Right=410", "Top=50",
                                                         "Bottom=280", "State=1", "(check)=32639"}));

    MemoryProfile broken;
    broken.iFailAt = 3;
    EXPECT_FALSE(f.header.StoreWindowPosition("Report", broken));
    EXPECT_EQ(broken.vWrites.size(), 3u) << "the first failed write stops the store";
}

TEST(SizingLayout, ProfileRestoreNeedsACompletedStore)
{
    struct Case {
        bool b_hasCheck;
        int i_check;
        bool b_applied;
    };
    const Case a_cases[] = {{false, 0, false}, {true, -32640, false}, {true, 0, false}, {true, 32639, true}};
    for (const Case& c : a_cases) {
        Fixture f;
        f.header.OnInitDialog(0);
        MemoryProfile profile;
        profile.mValues = {{"Report/Left", 5}, {"Report/Right", 505}, {"Report/Top", 6}, {"Report/State", 3}};
        if (c.b_hasCheck)
            profile.mValues["Report/(check)"] = c.i_check;
        f.port.mWnds[f.hDlg].pos.uShowCmd = ZEL_SW_SHOWNORMAL;
        EXPECT_EQ(f.header.RestoreWindowPosition("Report", false, profile), c.b_applied) << c.i_check;
        const ZelSizingPosition& pos = f.port.mWnds[f.hDlg].pos;
        if (c.b_applied) {
            EXPECT_EQ(pos.rcNormal, (ZelRect{5, 6, 505, 280})) << "a missing entry keeps the present value";
            EXPECT_EQ(pos.uShowCmd, 0u) << "the show state is not taken over";
        } else {
            EXPECT_EQ(pos.rcNormal, (ZelRect{100, 50, 410, 280}));
        }
    }
    Fixture f;
    f.header.OnInitDialog(0);
    MemoryProfile profile;
    profile.mValues = {{"R/(check)", 32639}, {"R/State", 3}};
    EXPECT_TRUE(f.header.RestoreWindowPosition("R", true, profile));
    EXPECT_EQ(f.port.mWnds[f.hDlg].pos.uShowCmd, 3u);
}

TEST(SizingLayout, RecordRestoreReplacesThePlacement)
{
    Fixture f;
    f.header.OnInitDialog(0);
    ZelSizingPosition saved;
    ASSERT_TRUE(f.header.StoreWindowPosition(saved));
    EXPECT_EQ(saved.rcNormal, (ZelRect{100, 50, 410, 280}));
    saved.rcNormal = {1, 2, 400, 300};
    saved.uShowCmd = ZEL_SW_SHOWMAXIMIZED;
    ASSERT_TRUE(f.header.RestoreWindowPosition(saved, true));
    EXPECT_EQ(f.port.mWnds[f.hDlg].pos, saved);
    ASSERT_TRUE(f.header.RestoreWindowPosition(saved, false));
    EXPECT_EQ(f.port.mWnds[f.hDlg].pos.uShowCmd, 0u);
    f.port.mWnds[f.hDlg].bAlive = false;
    EXPECT_FALSE(f.header.RestoreWindowPosition(saved, true));
}

} // namespace

namespace {

TEST(SizingLayout, AppProfileKeepsNumbersPerSectionUnderTheProgramKey)
{
    CSettingsStore::Get().Configure("", "");
    ZelAppProfile profile;
    ZelAppProfile::SetRegistryKey("");
    EXPECT_FALSE(profile.WriteProfileInt("Report", "Left", 1)) << "no program key yet";
    ZelAppProfile::SetRegistryKey("Software\\Vantor Software\\Rotavex");
    EXPECT_EQ(profile.GetProfileInt("Report", "Left", -7), -7);
    ASSERT_TRUE(profile.WriteProfileInt("Report", "(check)", -32640));
    EXPECT_EQ(profile.GetProfileInt("Report", "(check)", 0), -32640);
    CSettingsStore::Value value;
    EXPECT_EQ(CSettingsStore::Get().QueryValue(SettingsHive::CurrentUser, "Software\\Vantor Software\\Rotavex\\Report",
                                               "(check)", value),
              ERROR_SUCCESS);
    EXPECT_EQ(value.uType, REG_DWORD);
    ZelAppProfile::SetRegistryKey("");
}

} // namespace
