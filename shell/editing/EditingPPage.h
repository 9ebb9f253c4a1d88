// The bases of the editing pages, and the in-place edit control they use.
//
// ExPropertyPage: a resizable page that can put a small flat toolbar (New,
// Delete, Move up, Move down, Order) over the caption of any of its
// controls. The tools' tips name their keyboard accelerators, and the
// accelerators act while the control that owns the toolbar, or the toolbar
// itself, has the focus. Tools and accelerators reach the page as menu
// commands with the wx ids of ID_PAGE_NEW ... ID_PAGE_ORDER (WxId), which
// the derived page handles for its owner control.
//
// EditingPPage: the base of the pages of the editing sheets. It knows its
// sheet, keeps a changed flag and a description text, and asks its
// CheckSettings before the user may leave it. The sheet's Undo button
// reaches the active page as the menu command IDC_SHEET_UNDO; a page that
// restores its last change binds that command.
//
// EditCtrl: an edit control that gives the focus back to its parent on
// Enter, Escape (which restores the text set last) and the Up and Down
// arrows (which the parent then receives).
#pragma once

#include "framework/Types.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/editing/PageToolBarRules.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <string>
#include <vector>
#include <wx/bitmap.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

class EditingPSheet;

class ExPropertyPage : public ZelSizingPropPage {
public:
    struct ToolBarDef {
        wxToolBar* pToolBar;
        int iOwnerId;
    };

    ExPropertyPage(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id = wxID_ANY);
    ~ExPropertyPage() override;

    // Puts a toolbar with the tools of u_flags (PTB_...) into the right end
    // of p_place, which becomes one bar high at its bottom edge; the bar is
    // anchored with the modes given. Call it before p_place is anchored.
    // Null, and nothing but the remembered flags changed, when the owner
    // already has a toolbar.
    wxToolBar* AddToolBar(int i_ownerId, wxWindow* p_place, UINT u_flags = PTB_DEFAULT, Mode e_x = modeMove,
                          Mode e_y = modeFixed);
    // Enables or disables one command (ID_PAGE_...) of a toolbar of this
    // page, or all five with -1; a command the toolbar does not hold is
    // ignored, and so is a toolbar of another page.
    void EnableToolBarButton(wxToolBar* p_toolBar, int i_command, bool b_enable);
    // The owner id of the toolbar whose owner control (or a window inside
    // it), or whose toolbar, has the focus; 0 when none.
    int GetFocusToolBarOwner() const;
    // The owner id of the first toolbar that holds the screen point; 0 when
    // none.
    int GetToolBarOwnerAtPoint(const wxPoint& pt_screen) const;
    UINT GetButtonFlags() const { return uButtonFlags; }
    const std::vector<ToolBarDef>& GetToolBars() const { return vToolBars; }

    // The tip of a tool, with the desktop's name of its accelerator.
    static wxString ToolTipText(int i_command);
    // The image of the tool (16 by 15), cut from the tools' bitmap.
    static wxBitmap ToolImage(int i_image);

    // Handles the key as the tools' accelerators do: TRUE when it was one
    // and a toolbar owner has the focus, and the command went to the page.
    bool TranslateAccelerator(const wxKeyEvent& event);

protected:
    // Gives the page a menu command, as its tools do.
    void SendCommand(int i_command);

private:
    void OnCharHook(wxKeyEvent& event);

    std::vector<ToolBarDef> vToolBars;
    UINT uButtonFlags = PTB_DEFAULT;
};

class EditingPPage : public ExPropertyPage {
public:
    // u_descriptionId: the string shown in the page's description control
    // (IDC_PAGE_DESCRIPTION), or 0 for none.
    EditingPPage(wxWindow* p_book, const wxString& s_caption, UINT u_descriptionId = 0, wxWindowID i_id = wxID_ANY);

    void SetEditingSheet(EditingPSheet* p_sheet) { pSheet = p_sheet; }
    EditingPSheet* GetEditingSheet() const { return pSheet; }
    const std::string& GetDescription() const { return sDescription; }
    BOOL IsChanged() const { return State.IsChanged(); }
    // Derived pages set the flag when the user edits (and enable Undo).
    void SetChanged(BOOL b_changed = TRUE) { State.SetChanged(b_changed); }

    // Whether the page may be left: set *p_stay nonzero to keep the page.
    // The result is not used; every override must set the stay flag.
    virtual BOOL CheckSettings(BOOL* p_stay);

    bool OnInitDialog() override;
    // Re-lays out sheet and page, tells the sheet the page is active,
    // disables Undo and clears the changed flag.
    bool OnSetActive() override;
    // The page is being left (another page chosen, or OK, Next, Previous or
    // Apply pressed): the controls give up their data, then CheckSettings;
    // FALSE keeps the page.
    virtual bool OnKillActive();
    // The user chose another tab: the page is left as OnKillActive leaves
    // it, and also when the page stays only because the user has just
    // discarded its edits (its settings failed their check, and Yes to
    // "discard your changes"): the page then shows the values it came back
    // to, and the tab chosen opens. FALSE keeps the page.
    bool LeaveForAnotherPage();
    // The sheet stored its item (Apply): the page shows the working copy
    // afresh, unchanged, with nothing to undo.
    void ShowStored() { ReloadUnchanged(); }

protected:
    // Reads the page's values afresh (from the working copy its sheet
    // edits) into the page and its controls; nothing here.
    virtual void ReloadPage() {}
    // The user edited the page: the changed flag, and Undo.
    void MarkEdited();
    // ReloadPage, then the page is unchanged with nothing to undo.
    void ReloadUnchanged();
    // The sheet's Undo: ReloadUnchanged, then the focus to the sheet's OK
    // button when it shows.
    void UndoEdits();
    // From CheckSettings: the user discarded the page's edits, which the
    // working copy no longer holds, and the page stays (its caller sets the
    // stay flag). The page shows the restored values through its Undo once
    // the leaving is over; a page left for another tab shows them at once.
    void EditsDiscarded();

    EditingPSheet* pSheet = nullptr;

private:
    void DisableUndo();

    EditPageState State;
    std::string sDescription;
    // Set while the page is left for another tab, and when CheckSettings
    // reports discarded edits during a leaving.
    bool bLeavingForPage = false;
    bool bEditsDiscarded = false;
};

class EditCtrl : public wxTextCtrl {
public:
    EditCtrl(wxWindow* p_parent, wxWindowID i_id, const wxString& s_value = wxString(),
             const wxPoint& pt = wxDefaultPosition, const wxSize& sz = wxDefaultSize, long l_style = 0);

    // The text set last (by the program, not typed), which Escape restores.
    const wxString& GetSavedText() const { return sSavedText; }
    BOOL IsCancelled() const { return bCancelled; }

    // Handles a key as the control does; TRUE when it was eaten.
    bool HandleKey(const wxKeyEvent& event);

protected:
    void DoSetValue(const wxString& s_value, int i_flags) override;

private:
    void OnCharHook(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    wxString sSavedText;
    BOOL bCancelled = FALSE;
};

// The in-place editing list the pages use: the library's control as it is,
// under the name the pages know it by.
class EditListCtrl : public ZelEditListCtrl {
public:
    using ZelEditListCtrl::ZelEditListCtrl;
};
