// The base of every page that edits a group: in the group sheet over its
// working group, and in the preferences sheet over the defaults of new
// groups. A page reloads itself from the working group each time it
// becomes active, saves into it and has it checked when it is left
// (GroupPageProtocol), and reloads on Undo.
#pragma once

#include "shell/editing/EditingPPage.h"
#include "sheets/GroupSheetRules.h"

class EventDoc;
class Group;

// A sheet whose pages edit a group.
class IGroupPageHost {
public:
    // The group the pages edit.
    virtual Group& GetWorkingGroup() = 0;
    // Whether the group's days and timeslots are checked against the event
    // (not for the defaults of new groups).
    virtual BOOL ChecksEventDays() const = 0;
    // The group as the event holds it: before the sheet opened, or as the
    // sheet's last Apply stored it. A page whose edits the user discards
    // returns to it. Null: to what the page held when it was last left.
    virtual const Group* GetStoredGroup() const { return nullptr; }

protected:
    ~IGroupPageHost() = default;
};

class GroupEditingPPage : public EditingPPage, public GroupPageData {
public:
    GroupEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc, UINT u_descriptionId);

    // The working group of the sheet (p_sheet, or the page's own when null).
    Group& GetGroup(EditingPSheet* p_sheet = nullptr) const;
    EventDoc* GetDocument() const { return pDoc; }

    // Saves and checks; a changed page whose check failed and whose edits
    // the user discarded stays, and reloads.
    BOOL CheckSettings(BOOL* p_stay) override;
    BOOL IsPageChanged() const override { return IsChanged(); }
    // Reloads from the working group, then starts unchanged.
    bool OnSetActive() override;

    // LoadPage from the working group, then the controls when the page has
    // been shown. Pages with lists refill them.
    void ReloadPage() override;

    // A list of the page edits a cell in place: every key goes to the
    // editor, and the page cannot be left.
    virtual bool IsEditingInPlace() const { return false; }
    bool OnKillActive() override;

protected:
    // An edit: the page is changed and Undo can undo it.
    void OnEditChange();
    void OnEditChangeEvent(wxCommandEvent&) { OnEditChange(); }
    // Undo: the working group's values come back.
    void OnUndo(wxCommandEvent& event);

private:
    void OnCharHook(wxKeyEvent& event);

protected:

    EventDoc* pDoc;
};

// Controls of a page: a label, a single-line box limited to n characters,
// the read-only description text at the bottom.
wxTextCtrl* MakeLimitedEdit(wxWindow* p_parent, int i_id, int n_max);
// Puts a text the item holds into a box that limits typing to n_typingMax
// characters: a longer text (an older file's, an import's) is shown whole
// and kept, which a box of the typing limit would cut or refuse, so that
// an OK with nothing changed stores the item as it was.
void ShowStoredText(wxTextEntry& box, const wxString& s_text, unsigned long n_typingMax);
wxWindow* MakeDescription(wxWindow* p_parent);
// The text of a box in the event's character set; nothing, after telling
// the user, when it holds a character the event cannot keep (the focus
// goes to the box).
bool TakeBoxText(wxTextCtrl* p_box, std::string& s_out);
