// The base of the editing sheets: a resizable property sheet with OK,
// Cancel, Apply and Help in a row at the bottom right, an Undo button that
// mirrors Help at the left, and, when the sheet is opened on one item of a
// selection the caller walks, Next and Previous buttons (Cancel then reads
// "Close").
//
// Modal results: wxID_OK, wxID_CANCEL, IDC_SHEET_NEXT (1150) and
// IDC_SHEET_PREVIOUS (1149). OK, Next, Previous and Apply first let the
// active page give up its data and check its settings (a page that asks to
// stay keeps the sheet open); a derived sheet adds its own checks in
// ApplyPages. While walking, OK acts as Next.
//
// Apply never ends the sheet: once the pages gave up their data, the
// caller's store (SetApplyStore) writes the item into the event, and the
// sheet stays open on the item as stored, its pages shown afresh, so that
// a later Apply or OK changes that same item. Cancel after Apply keeps
// what Apply stored.
#pragma once

#include "framework/Types.h"
#include "shell/editing/EditSheetRules.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <functional>
#include <string>
#include <wx/button.h>

class EditingPPage;

class EditingPSheet : public ZelSizingPropSheet {
public:
    EditingPSheet(wxWindow* p_parent, const wxString& s_caption, UINT u_selectPage = 0);

    // Adds a page; an editing page learns its sheet.
    using ZelSizingPropSheet::AddPage;
    void AddPage(EditingPPage* p_page);
    void AddPage(EditingPPage& page) { AddPage(&page); }

    // The edited item's place in the caller's selection and the selection's
    // size; set before ShowModal.
    void SetItemPosition(int i_item, int n_items)
    {
        iItem = i_item;
        nItems = n_items;
    }
    int GetItemIndex() const { return iItem; }
    int GetItemCount() const { return nItems; }
    // The caption becomes the base title, with " - " and the text when there
    // is one.
    void SetTitleSuffix(const char* p_text);
    const wxString& GetBaseTitle() const { return sBaseTitle; }

    // The index of the page last activated.
    int GetActivePageIndex() const { return iActivePage; }
    void SetActivePageIndex(int i_index) { iActivePage = i_index; }
    // True once Next or Previous were arranged.
    bool IsNavigating() const { return bNavigation; }
    // The Undo button; null when the sheet has no Help button to mirror.
    wxButton* GetUndoButton() const { return pUndo; }
    void EnableUndo(bool b_enable);

    // What Apply does once the pages gave up their data and passed their
    // checks: the caller writes the sheet's working copy into the event
    // (and may give it back as stored); false keeps the sheet as it is,
    // the caller having told the user why. Without a store Apply stores
    // nothing and the edits wait for OK.
    void SetApplyStore(std::function<bool()> f_store) { fApplyStore = std::move(f_store); }
    // The number of Applies that stored.
    int GetAppliedCount() const { return nApplied; }

    // The sheet opens wide enough to show all its tabs side by side, as far
    // as the screen's work area allows (a narrower sheet scrolls its tabs
    // and hides some of them). As it opens, every page loads itself from
    // the working copy the sheet edits, the pages the user will never open
    // too: OK and Apply save every page, and a page that had not loaded
    // would store what it held when it was built in place of the item's
    // values.
    bool Show(bool b_show = true) override;
    int ShowModal() override;

protected:
    bool OnInitDialog() override;
    void AddUndoButton();
    void ArrangeButtons();
    // The pages give up their data and check it before the sheet ends with
    // OK, Next, Previous or Apply: the active page as when it is left.
    // FALSE keeps the sheet open. Derived sheets add their own checks.
    virtual bool ApplyPages();
    // After a refused end: shows the page (its values already saved, so it
    // is not checked again on the way) and selects the control's text, so
    // that the user can mend what was refused without retyping the rest.
    void ShowRefusedField(wxWindow* p_page, int i_controlId);
    // After an Apply that stored: every page shows the working copy afresh
    // (as the store left it), unchanged, with nothing to undo. A derived
    // sheet that keeps more than its pages do (a title, a copy of the item
    // as stored) brings that up to date first.
    virtual void ShowApplied();
    // Every page shows the working copy afresh, unchanged.
    void LoadEveryPage();

private:
    void OnEndButton(wxCommandEvent& event);
    void OnApplyNow(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnPageChanging(wxBookCtrlEvent& event);
    // Widens the book to its tabs' width, once, before the sheet is laid
    // out.
    void FitTabs();

    int iActivePage = 0;
    wxButton* pPrevious = nullptr;
    wxButton* pNext = nullptr;
    wxButton* pUndo = nullptr;
    int iItem = 0;
    int nItems = 0;
    wxString sBaseTitle;
    bool bNavigation = false;
    bool bTabsFitted = false;
    // Set while the modal loop shows the sheet whose pages ShowModal has
    // just loaded.
    bool bPagesLoaded = false;
    // Set while the sheet itself changes the page, which is not a leaving
    // the page has to agree to.
    bool bOwnPageChange = false;
    std::function<bool()> fApplyStore;
    int nApplied = 0;
};
