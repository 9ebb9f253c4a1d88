// The rules of the editing sheets and pages that need no window: where the
// Undo, Next and Previous buttons go, how a press ends the sheet, the
// sheet's title, the stay rule of a page that is being left, and what an
// in-place edit control does with its keys.
//
// An editing sheet opened on one of several items (the selection a list
// view walks) replaces OK by Next and Previous, so that the caller moves on
// through its selection; each press ends the sheet with its own code.
#pragma once

#include "framework/Types.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/dialogs/ZelSizingLayout.h"

#include <string>
#include <vector>

// Button and command ids of the editing sheets.
enum : int {
    IDC_SHEET_OK = 1,
    IDC_SHEET_CANCEL = 2,
    IDC_SHEET_HELP = 9,
    IDC_SHEET_UNDO = 1148,
    IDC_SHEET_PREVIOUS = 1149,
    IDC_SHEET_NEXT = 1150,
    IDC_SHEET_APPLY_NOW = 12321,
    // The page's description text.
    IDC_PAGE_DESCRIPTION = 1230,
};

// The sheet's standard buttons as the sheet made them, in its client
// coordinates; the layout is worked out only when all four are there.
struct EditSheetButtonRects {
    bool bHasOk = false;
    bool bHasCancel = false;
    bool bHasApply = false;
    bool bHasHelp = false;
    ZelRect rcOk;
    ZelRect rcCancel;
    ZelRect rcApply;
    ZelRect rcHelp;
};

// What ArrangeButtons does to the sheet's buttons.
struct EditSheetButtonLayout {
    // The sheet walks a selection: OK acts as Next and Cancel reads
    // "Close". False leaves every button as it was.
    bool bNavigation = false;
    bool bNext = false;
    bool bPrevious = false;
    ZelRect rcNext;
    ZelRect rcPrevious;
    // OK is hidden and taken out of the sizing (Next stands in its place),
    // or moved one place left to make room for Previous.
    bool bHideOk = false;
    bool bMoveOk = false;
    ZelRect rcOk;
    // The ids in tab order, starting at OK.
    std::vector<int> vTabOrder;
    // The default button's id; 0 leaves the default as it was.
    int iDefaultId = 0;
};

// Previous is offered past the first item, Next before the last.
EditSheetButtonLayout ArrangeButtons(const EditSheetButtonRects& rects, int i_item, int n_items);

// The text Cancel takes while the sheet walks a selection.
extern const char* const kCloseText;

// The Undo button mirrors Help at the left side of the client area: same
// top, bottom and width, its left edge as far from the client's left as
// Help's right edge is from the client's right (never left of it).
ZelRect UndoButtonRect(const ZelRect& rc_help, LONG i_clientWidth);

// The code that ends the sheet when the button is pressed (after the pages
// accepted their data): OK ends with IDC_SHEET_OK unless the sheet walks a
// selection, when it acts as Next; Next, Previous and Apply end with their
// own ids. 0 for any other button: it does not end the sheet.
int EditSheetEndCode(int i_button, bool b_navigation);

// The caption: the base title, with " - " and the suffix when there is one.
std::string EditSheetTitle(const std::string& s_base, const char* p_suffix);

// A page's changed flag through activation and leaving.
class EditPageState {
public:
    BOOL IsChanged() const { return bChanged; }
    void SetChanged(BOOL b_changed) { bChanged = b_changed; }

    // The page became active: a fresh page has no changes.
    void Activated() { bChanged = FALSE; }
    // The page is being left. b_accepted: its controls gave up their data;
    // b_stay: the page's settings check asked to keep it. TRUE when the page
    // may go, and then its changes count as kept (the flag is cleared and
    // Undo has nothing left to undo); a page that stays keeps its flag.
    BOOL Leave(BOOL b_accepted, BOOL b_stay);

private:
    BOOL bChanged = FALSE;
};

// What an in-place edit control does with a key pressed in it.
enum class EditCtrlKey {
    Default,          // handled as usual
    FocusParent,      // Enter: the parent takes the focus; the key is eaten
    RestoreAndFocus,  // Escape: the text last set comes back, the edit counts
                      // as cancelled, the parent takes the focus
    ForwardToParent,  // Up, Down: the parent takes the focus and the key
};
// i_virtualKey: a VK_ code (ZelControlPorts.h).
EditCtrlKey EditCtrlKeyAction(UINT u_virtualKey);
