#include "shell/editing/EditSheetRules.h"
#include "shell/editing/PageToolBarRules.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// OK, Cancel, Apply and Help 75 pixels wide, 6 apart, at the bottom right
// of a client area 530 wide.
EditSheetButtonRects SheetButtons()
{
    EditSheetButtonRects rects;
    rects.bHasOk = rects.bHasCancel = rects.bHasApply = rects.bHasHelp = true;
    rects.rcOk = {200, 300, 275, 323};
    rects.rcCancel = {281, 300, 356, 323};
    rects.rcApply = {362, 300, 437, 323};
    rects.rcHelp = {443, 300, 518, 323};
    return rects;
}

TEST(EditSheetButtons, ArrangedByPlaceInTheWalk)
{
    const EditSheetButtonRects rects = SheetButtons();
    const ZelRect rc_ok = rects.rcOk;
    const ZelRect rc_leftOfOk{119, 300, 194, 323};

    // One item: the buttons stay as the sheet made them.
    const EditSheetButtonLayout single = ArrangeButtons(rects, 0, 1);
    EXPECT_FALSE(single.bNavigation);
    EXPECT_FALSE(single.bNext || single.bPrevious || single.bHideOk || single.bMoveOk);
    EXPECT_EQ(single.iDefaultId, 0);

    // First of three: Next (the default) where OK was.
    const EditSheetButtonLayout first = ArrangeButtons(rects, 0, 3);
    EXPECT_TRUE(first.bNavigation);
    EXPECT_TRUE(first.bNext);
    EXPECT_FALSE(first.bPrevious);
    EXPECT_EQ(first.rcNext, rc_ok);
    EXPECT_TRUE(first.bHideOk);
    EXPECT_EQ(first.iDefaultId, IDC_SHEET_NEXT);
    EXPECT_EQ(first.vTabOrder, (std::vector<int>{IDC_SHEET_OK, IDC_SHEET_NEXT}));

    // A middle item: Next, Previous, Close.
    const EditSheetButtonLayout middle = ArrangeButtons(rects, 1, 3);
    EXPECT_TRUE(middle.bNext && middle.bPrevious && middle.bHideOk);
    EXPECT_EQ(middle.rcPrevious, rc_ok);
    EXPECT_EQ(middle.rcNext, rc_leftOfOk);
    EXPECT_EQ(middle.iDefaultId, IDC_SHEET_NEXT);
    EXPECT_EQ(middle.vTabOrder, (std::vector<int>{IDC_SHEET_OK, IDC_SHEET_NEXT, IDC_SHEET_PREVIOUS}));

    // Last of three: Previous where OK was, OK one place to the left.
    const EditSheetButtonLayout last = ArrangeButtons(rects, 2, 3);
    EXPECT_TRUE(last.bNavigation);
    EXPECT_FALSE(last.bNext);
    EXPECT_TRUE(last.bPrevious);
    EXPECT_EQ(last.rcPrevious, rc_ok);
    EXPECT_FALSE(last.bHideOk);
    EXPECT_TRUE(last.bMoveOk);
    EXPECT_EQ(last.rcOk, rc_leftOfOk);
    EXPECT_EQ(last.iDefaultId, 0);
    EXPECT_EQ(last.vTabOrder, (std::vector<int>{IDC_SHEET_OK, IDC_SHEET_PREVIOUS}));
}

TEST(EditSheetButtons, MissingButtonOrOverlapLeavesSafeLayout)
{
    // Any of the four missing: nothing changes, even within a walk.
    for (bool EditSheetButtonRects::*p_has : {&EditSheetButtonRects::bHasOk, &EditSheetButtonRects::bHasCancel,
                                              &EditSheetButtonRects::bHasApply, &EditSheetButtonRects::bHasHelp}) {
        EditSheetButtonRects rects = SheetButtons();
        rects.*p_has = false;
        const EditSheetButtonLayout layout = ArrangeButtons(rects, 1, 3);
        EXPECT_FALSE(layout.bNavigation);
        EXPECT_FALSE(layout.bNext || layout.bPrevious || layout.bHideOk);
    }

    // Cancel overlapping OK: no gap, Next just one width to the left.
    EditSheetButtonRects rects = SheetButtons();
    rects.rcCancel.left = 260;
    EXPECT_EQ(ArrangeButtons(rects, 1, 3).rcNext, (ZelRect{125, 300, 200, 323}));
}

TEST(EditSheetButtons, UndoMirrorsHelp)
{
    const ZelRect rc_help{443, 300, 518, 323};
    EXPECT_EQ(UndoButtonRect(rc_help, 530), (ZelRect{12, 300, 87, 323}));
    // Help past the client's right edge: Undo at the left edge.
    EXPECT_EQ(UndoButtonRect(rc_help, 500), (ZelRect{0, 300, 75, 323}));
}

TEST(EditSheetButtons, EndCodes)
{
    struct Case {
        int iButton;
        bool bNavigation;
        int iCode;
    };
    const Case a_cases[] = {
        {IDC_SHEET_OK, false, IDC_SHEET_OK},
        {IDC_SHEET_OK, true, IDC_SHEET_NEXT},
        {IDC_SHEET_NEXT, true, IDC_SHEET_NEXT},
        {IDC_SHEET_PREVIOUS, true, IDC_SHEET_PREVIOUS},
        {IDC_SHEET_APPLY_NOW, false, IDC_SHEET_APPLY_NOW},
        {IDC_SHEET_APPLY_NOW, true, IDC_SHEET_APPLY_NOW},
        {IDC_SHEET_UNDO, true, 0},
        {IDC_SHEET_CANCEL, false, 0},
        {IDC_SHEET_HELP, false, 0},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(EditSheetEndCode(c.iButton, c.bNavigation), c.iCode) << c.iButton << " " << c.bNavigation;
}

TEST(EditSheetButtons, TitleSuffix)
{
    EXPECT_EQ(EditSheetTitle("Define group", "Choir"), "Define group - Choir");
    EXPECT_EQ(EditSheetTitle("Define group", ""), "Define group");
    EXPECT_EQ(EditSheetTitle("Define group", nullptr), "Define group");
}

TEST(EditPageState, StayKeepsThePageAndItsChanges)
{
    EditPageState state;
    state.SetChanged(TRUE);
    // The settings check asks to stay: the page and its flag stay.
    EXPECT_FALSE(state.Leave(TRUE, TRUE));
    EXPECT_TRUE(state.IsChanged());
    // The controls refused their data: the page stays too.
    EXPECT_FALSE(state.Leave(FALSE, FALSE));
    EXPECT_TRUE(state.IsChanged());
    // Let go: the changes count as kept.
    EXPECT_TRUE(state.Leave(TRUE, FALSE));
    EXPECT_FALSE(state.IsChanged());

    state.SetChanged(TRUE);
    state.Activated();
    EXPECT_FALSE(state.IsChanged());
}

TEST(EditCtrlKeys, EnterEscapeAndArrowsGoBackToTheParent)
{
    EXPECT_EQ(EditCtrlKeyAction(VK_RETURN), EditCtrlKey::FocusParent);
    EXPECT_EQ(EditCtrlKeyAction(VK_ESCAPE), EditCtrlKey::RestoreAndFocus);
    EXPECT_EQ(EditCtrlKeyAction(VK_UP), EditCtrlKey::ForwardToParent);
    EXPECT_EQ(EditCtrlKeyAction(VK_DOWN), EditCtrlKey::ForwardToParent);
    for (UINT u_key : {UINT(VK_LEFT), UINT(VK_RIGHT), UINT(VK_TAB), UINT(VK_DELETE), UINT('A')})
        EXPECT_EQ(EditCtrlKeyAction(u_key), EditCtrlKey::Default) << u_key;
}

// Names accelerators as the desktop would: modifiers, then the key.
std::string NameAccel(BYTE u_flags, UINT u_key)
{
    std::string s_name;
    if (u_flags & FALT)
        s_name += "Alt+";
    if (u_flags & FCONTROL)
        s_name += "Ctrl+";
    if (u_flags & FSHIFT)
        s_name += "Shift+";
    switch (u_key) {
    case VK_DELETE: return s_name + "Del";
    case VK_PRIOR: return s_name + "PgUp";
    case VK_NEXT: return s_name + "PgDn";
    case VK_DOWN: return s_name + "Down";
    default: return s_name + static_cast<char>(u_key);
    }
}

TEST(PageToolBar, TipsNameTheAccelerators)
{
    EXPECT_EQ(PageToolTip(ID_PAGE_NEW, NameAccel), "New (Ctrl+N)");
    EXPECT_EQ(PageToolTip(ID_PAGE_DELETE, NameAccel), "Delete (Del)");
    EXPECT_EQ(PageToolTip(ID_PAGE_MOVE_UP, NameAccel), "Move up (Ctrl+PgUp)");
    EXPECT_EQ(PageToolTip(ID_PAGE_MOVE_DOWN, NameAccel), "Move down (Ctrl+PgDn)");
    EXPECT_EQ(PageToolTip(ID_PAGE_ORDER, NameAccel), "Order (Alt+Ctrl+Down)");
    // A key the desktop cannot name, or no namer: the plain text.
    EXPECT_EQ(PageToolTip(ID_PAGE_DELETE, [](BYTE, UINT) { return std::string(); }), "Delete");
    EXPECT_EQ(PageToolTip(ID_PAGE_DELETE, AccelNamer()), "Delete");
    // Any other command has no tip.
    EXPECT_EQ(PageToolTip(32850, NameAccel), "");
    EXPECT_EQ(PageToolTip(IDC_SHEET_UNDO, NameAccel), "");
}

TEST(PageToolBar, AcceleratorsNeedTheirExactModifiers)
{
    struct Case {
        BYTE uModifiers;
        UINT uKey;
        int iCommand;
    };
    const Case a_cases[] = {
        {FCONTROL, 'N', ID_PAGE_NEW},
        {0, 'N', 0},
        {FCONTROL | FSHIFT, 'N', 0},
        {0, VK_DELETE, ID_PAGE_DELETE},
        {FSHIFT, VK_DELETE, 0},
        {FCONTROL, VK_PRIOR, ID_PAGE_MOVE_UP},
        {FCONTROL, VK_NEXT, ID_PAGE_MOVE_DOWN},
        {FCONTROL | FALT, VK_DOWN, ID_PAGE_ORDER},
        {FCONTROL, VK_DOWN, 0},
        {0, VK_PRIOR, 0},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(FindPageAccelerator(c.uModifiers, c.uKey), c.iCommand) << int(c.uModifiers) << " " << c.uKey;
}

TEST(PageToolBar, FlagsChooseTheTools)
{
    auto commands = [](UINT u_flags) {
        std::vector<int> v_commands;
        for (const PageToolDef* p_tool : PageToolsForFlags(u_flags))
            v_commands.push_back(p_tool->iCommand);
        return v_commands;
    };
    EXPECT_EQ(commands(PTB_DEFAULT), (std::vector<int>{ID_PAGE_NEW, ID_PAGE_DELETE, ID_PAGE_MOVE_UP, ID_PAGE_MOVE_DOWN}));
    EXPECT_EQ(commands(PTB_MOVE), (std::vector<int>{ID_PAGE_MOVE_UP, ID_PAGE_MOVE_DOWN}));
    EXPECT_EQ(commands(PTB_NEW_DELETE | PTB_ORDER), (std::vector<int>{ID_PAGE_NEW, ID_PAGE_DELETE, ID_PAGE_ORDER}));
    EXPECT_TRUE(commands(0).empty());
    for (int i = 0; i < nPageTools; ++i)
        EXPECT_EQ(PageTools()[static_cast<std::size_t>(i)].iImage, i);
}

TEST(PageToolBar, PlacedInTheRightEndOfItsPlace)
{
    // A caption with a one-pixel border, made one bar high at its bottom.
    const PageToolBarPlacement placement = PlacePageToolBar({10, 20, 210, 60}, {11, 21, 209, 59}, 48, 22);
    EXPECT_EQ(placement.rcPlace, (ZelRect{10, 36, 210, 60}));
    EXPECT_EQ(placement.rcToolBar, (ZelRect{161, 37, 209, 59}));
}

} // namespace
