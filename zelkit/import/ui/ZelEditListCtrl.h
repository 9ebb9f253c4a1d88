// The in-place editing list: a check-box list whose edit columns open a
// small editor over a cell, an edit box (wxTextCtrl) or a list box
// (wxListBox), both with the control id 8. A double click on a cell or
// Enter on the focused row opens it; Enter, Escape, a double click in the
// list box, a scroll, a new edit or the focus leaving ends it. The value
// is taken by the rules of ZelEditListRules: trimmed, refused when used in
// another row of a unique column (56012) or empty where that is not
// allowed (56013), else written through SetItemText (so the parent also
// hears LVN_SETDISPINFO for the cell).
//
// The parent is asked (ZLN_EDITTYPE, a ZelEditTypeInfo, answered at once)
// which editor a cell of an editAsk column takes, is told when the editor
// opens (LVN_BEGINLABELEDIT, a ZelEditBeginInfo: fill a list box here) and
// when the edit ended (LVN_ENDLABELEDIT, a ZelEditEndInfo).
//
// An end caused by a change of focus is carried out after the focus
// handlers have run, never inside the editor's own handler.
#pragma once

#include "zelkit/import/ZelEditList.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"

class wxListBox;
class wxTextCtrl;

class ZelEditListCtrl : public ZelCheckListCtrl {
public:
    using EditType = ZelEditListRules::EditType;
    static constexpr int iEditCtrlID = ZelEditListRules::iEditCtrlID;

    ZelEditListCtrl() = default;
    ZelEditListCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);
    bool Create(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, DWORD u_listStyle = 0, long l_style = wxBORDER_THEME);
    ~ZelEditListCtrl() override;

    void AddEditColumn(int i_col, EditType e_type, int b_unique = 0, int b_allowEmpty = 0)
    {
        Rules.AddEditColumn(i_col, e_type, b_unique, b_allowEmpty);
    }
    // Column -1: the first edit column added.
    void BeginEdit(int i_row, int i_col);
    // TRUE when no edit was open, the value was taken or the edit was
    // cancelled; FALSE when a rule refused the value.
    BOOL EndEdit();
    // Closes the editor without taking its value or telling anyone.
    void AbortEdit();
    BOOL IsEditing() const { return pEditor != nullptr && iEditRow >= 0 && iEditCol >= 0; }
    int Find(int i_col, const std::string& s_text, int i_skip) const;
    // The open editor (a wxTextCtrl or a wxListBox), null when none.
    wxWindow* GetEditor() const { return pEditor; }
    int GetEditRow() const { return iEditRow; }
    int GetEditColumn() const { return iEditCol; }

protected:
    // After the editor is closed, before any error is shown.
    virtual void OnEndEdit(int /*i_row*/, int /*b_cancelled*/) {}

private:
    void BindEditEvents();
    void GetEditType(int i_row, int i_col, EditType& e_type, DWORD& u_style);
    void ResizeListBox(wxListBox& box, bool b_upward);
    void DeleteEditControl();
    // Ends the open edit once the events at hand are done.
    void EndEditLater();
    void OnEditorKey(wxKeyEvent& event);
    void OnEditorKillFocus(wxFocusEvent& event);
    void OnListBoxDblClick(wxCommandEvent& event);
    void OnListDblClick(wxMouseEvent& event);
    void OnListKey(wxKeyEvent& event);
    void OnListFocus(wxFocusEvent& event);
    void OnListScroll(wxScrollWinEvent& event);
    void OnListWheel(wxMouseEvent& event);

    ZelEditListRules Rules;
    int iEditRow = -1;
    int iEditCol = -1;
    wxWindow* pEditor = nullptr;
    std::string sStartText;
    bool bCancelled = false;
    // Counts the edits opened, so that a late end finds its own edit.
    unsigned uEditSerial = 0;
};
