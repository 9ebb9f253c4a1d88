// The venue sheet: one page, Details, on which the user names a venue,
// gives its location and picks the styles it allows and the facilities it
// provides. The sheet edits a working copy of the venue that its caller
// fills before ShowModal and reads after the sheet ends with OK, Next or
// Previous; Apply hands the copy to the caller's store (SetApplyStore) and
// the sheet stays open on the venue as stored. A check the caller gives (a
// name another venue has) may keep the sheet open at OK, Apply, Next or
// Previous, with every edit still there.
//
// A venue sheet opens where the last one of the program's run was left,
// and as large.
#pragma once

#include "framework/Types.h"
#include "model/ListRoom.h"
#include "model/Venue.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"
#include "sheets/StyleFacilityPPage.h"
#include "shell/lists/VenueSheetPort.h"

#include <functional>
#include <string>
#include <wx/textctrl.h>

class EventDoc;
class VenuePSheet;

// Control ids of the Details page (its style and facility lists and their
// captions are the styles and facilities page's).
enum : int {
    IDC_VENUE_NAME = 1006,
    IDC_VENUE_LOCATION = 1007,
};

// The base of the venue pages: each reads the sheet's working venue when it
// becomes active, writes it when it is left, and reloads it on Undo.
class VenueEditingPPage : public EditingPPage {
public:
    VenueEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc, UINT u_descriptionId);

    EventDoc* GetDocument() const { return pDoc; }

    // Writes the page's values into the working venue; FALSE with a reason
    // when it cannot.
    virtual BOOL SavePage(std::string& s_message) = 0;
    // Reads the working venue of the sheet (this page's when null).
    virtual void LoadPage(VenuePSheet* p_sheet = nullptr) = 0;
    // The working venue of the sheet (this page's when null).
    Venue& GetVenue(VenuePSheet* p_sheet = nullptr);
    // LoadPage, then the values into the controls.
    void ReloadPage() override;
    // The user edited the page: the changed flag, and Undo.
    void MarkChanged();
    void OnEditChange() { MarkChanged(); }
    // A list of the page edits a name in place: the page cannot be left.
    virtual bool IsEditingInPlace() const { return false; }

    // The page saves into the working venue; when it cannot, the venue
    // comes back as it was and the user is told why (3005).
    BOOL CheckSettings(BOOL* p_discarded) override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    void Undo();

protected:
    EventDoc* pDoc;
};

// The venue's name and location above the styles and facilities page's
// two lists, whose marks are the venue's style and facility keys.
class VenueDetailsPPage : public StyleFacilityPPage<VenueEditingPPage> {
public:
    // The most characters the boxes take.
    enum : int { kNameMax = 30, kLocationMax = 50 };

    VenueDetailsPPage(wxWindow* p_book, EventDoc* p_doc, int n_styleKeys, int n_facilityKeys);

    BOOL SavePage(std::string& s_message) override;
    void LoadPage(VenuePSheet* p_sheet = nullptr) override;
    bool OnInitDialog() override;
    bool OnKillActive() override;
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    const std::string& GetNameText() const { return sName; }
    const std::string& GetLocationText() const { return sLocation; }

private:
    void OnNameChanged(wxCommandEvent& event);

    std::string sLocation;
    std::string sName;
    wxTextCtrl* pName = nullptr;
    wxTextCtrl* pLocation = nullptr;
};

class VenuePSheet : public EditingPSheet {
public:
    // n_styleKeys, n_facilityKeys: the initial sizes of the page's key
    // lists; s_caption: the title before the venue's name.
    VenuePSheet(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys, wxWindow* p_parent, UINT u_firstPage = 0,
                const wxString& s_caption = "Define venue");

    Venue& GetVenue() { return Working; }
    VenueDetailsPPage& GetDetailsPage() { return *pDetails; }
    // Asked before the sheet ends with OK, Apply, Next or Previous, once
    // the page gave up its values; FALSE keeps it open.
    void SetAcceptCheck(std::function<BOOL(const Venue&)> f_accept) { fAccept = std::move(f_accept); }

    // Loads the page from the working venue, puts the venue's name into the
    // title and runs the sheet.
    int ShowModal() override;
    // What ShowModal does before it runs the sheet (for a sheet shown
    // without a modal loop).
    void PreparePage();

    // The last place and size of a venue sheet in the program's run.
    static bool HasLastPosition();
    static void ForgetLastPosition();

protected:
    bool OnInitDialog() override;
    bool ApplyPages() override;
    void ShowApplied() override;

private:
    void OnSizeOrMove(wxEvent& event);

    EventDoc* pDoc;
    VenueDetailsPPage* pDetails;
    bool bInitialised = false;
    // A copy of the venue the caller gives; built taking no key.
    Venue Working = UnkeyedItem<Venue>();
    std::function<BOOL(const Venue&)> fAccept;
};

// Runs the venue sheet for the venue view.
class WxVenueSheetPort : public IVenueSheetPort {
public:
    int Run(VenueSheetRequest& request) override;
};

// The program's venue sheet behind the venue view's port.
void InstallVenueSheet();
