// Resizable dialogs, property sheets and property pages.
//
// A derived window creates its controls at their dialog-unit positions
// (ConvertDialogToPixels), then, in its OnInitDialog after the base's,
// anchors them with AddSzControl: when the window grows, each anchored
// control follows by its percentages (ZelSizingLayout.h), and the window
// cannot be made smaller than it opened. No sizers take part: the anchors
// alone place the controls.
//
// Placements are kept in a record the caller holds or in the application
// profile (ZelProfile.h), section by section, under the value names
// "(check)", "Left", "Right", "Top", "Bottom" and "State".
#pragma once

#include "framework/Types.h"
#include "zelkit/dialogs/ZelSizingLayout.h"

#include <string>
#include <wx/bookctrl.h>
#include <wx/dialog.h>
#include <wx/panel.h>
#include <wx/propdlg.h>

class ZelSizingPropSheet;
class ZelSizingPropPage;

// The window side of the anchoring: sizes, placements and moves of wx
// windows.
class ZelWxSizingPort : public IZelSizingPort {
public:
    bool IsWindow(ZelSzHandle h_wnd) const override;
    bool GetClientSize(ZelSzHandle h_wnd, LONG& i_cx, LONG& i_cy) const override;
    bool GetPlacement(ZelSzHandle h_wnd, ZelSizingPosition& pos) const override;
    bool SetPlacement(ZelSzHandle h_wnd, const ZelSizingPosition& pos) override;
    void MoveWindow(ZelSzHandle h_wnd, const ZelRect& rc) override;
    void Redraw(ZelSzHandle h_wnd) override;
    void OnDeleteControl(ZelSzHandle h_ctrl) override;

    static ZelWxSizingPort& Get();
};

// The profile, with the program's key taken from the application's vendor
// and name when the program has not named it.
IZelProfile& ZelWindowProfile();

class ZelSizingDialog : public wxDialog, public ZelSizingTypes {
public:
    using ControlInfo = ZelSizingControlInfo;

    ~ZelSizingDialog() override;

    bool RestoreWindowPosition(const std::string& s_section, bool b_keepShowState = false);
    bool RestoreWindowPosition(UINT u_sectionId, bool b_keepShowState = false);
    bool RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState = false);
    bool StoreWindowPosition(const std::string& s_section);
    bool StoreWindowPosition(UINT u_sectionId);
    bool StoreWindowPosition(ZelSizingPosition& pos);

    void StretchWindow(UINT u_percent) { SzHeader.StretchWindow(u_percent); }
    bool ReorganizeControls() { return SzHeader.ReorganizeControls(); }
    // Lets user input and screen updates through while a long operation
    // runs on this thread.
    void PumpMessages();
    void DeleteChildControls();
    bool IsInitialized() const { return SzHeader.IsInitialized(); }
    bool FindControl(wxWindow* p_ctrl) const { return SzHeader.FindControl(p_ctrl); }
    const ControlInfo::Header& GetSizingHeader() const { return SzHeader; }

    bool Destroy() override;

protected:
    ZelSizingDialog(wxWindow* p_parent, wxWindowID i_id, const wxString& s_title, Freedom e_freedom = freedomBoth,
                    bool b_sizeIcon = true, long l_style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX);

    // The dialog's initialisation, when it is first shown: the data go into
    // the controls, then OnInitDialog (10) takes the opening size and widens
    // the window once. Derived dialogs call this first, then anchor their
    // controls.
    virtual bool OnInitDialog();
    virtual bool OnInitDialog(UINT u_stretchPercent);

    ControlInfo* AddSzControl(wxWindow& ctrl, Mode e_x, Mode e_y) { return SzHeader.AddSzControl(&ctrl, e_x, e_y); }
    ControlInfo* AddSzControl(wxWindow& ctrl, wxWindow& likeThis) { return SzHeader.AddSzControl(&ctrl, &likeThis); }
    ControlInfo* AddSzXControl(wxWindow& ctrl, Mode e_x) { return SzHeader.AddSzControl(&ctrl, e_x, modeFixed); }
    ControlInfo* AddSzYControl(wxWindow& ctrl, Mode e_y) { return SzHeader.AddSzControl(&ctrl, modeFixed, e_y); }
    ControlInfo* AddSzControlEx(wxWindow& ctrl, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2)
    {
        return SzHeader.AddSzControlEx(&ctrl, u_x1, u_x2, u_y1, u_y2);
    }
    ControlInfo* AddSzXControlEx(wxWindow& ctrl, BYTE u_x1, BYTE u_x2) { return SzHeader.AddSzControlEx(&ctrl, u_x1, u_x2, 0, 0); }
    ControlInfo* AddSzYControlEx(wxWindow& ctrl, BYTE u_y1, BYTE u_y2) { return SzHeader.AddSzControlEx(&ctrl, 0, 0, u_y1, u_y2); }
    void DeleteControl(wxWindow& ctrl) { SzHeader.DeleteControl(&ctrl); }
    bool ChangeSize(int i_cx, int i_cy) { return SzHeader.ChangeSize(i_cx, i_cy); }

    // Places a control of the dialog at a rectangle in dialog units.
    void PlaceDlgUnits(wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy);

    ControlInfo::Header SzHeader;

private:
    void OnInitDialogEvent(wxInitDialogEvent& event);
    void OnSizeEvent(wxSizeEvent& event);
    void ApplyLimits();
};

class ZelSizingPropPage : public wxPanel, public ZelSizingTypes {
public:
    using ControlInfo = ZelSizingControlInfo;

    // A page to be added to the sheet whose book control is p_book.
    ZelSizingPropPage(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id = wxID_ANY);
    ~ZelSizingPropPage() override;

    void Init(ZelSizingPropSheet& sheet) { pSheet = &sheet; }
    void UnInit() { pSheet = nullptr; }
    bool IsInitialized() const { return pSheet != nullptr; }
    ZelSizingPropSheet* GetSheet() const { return pSheet; }
    const wxString& GetCaption() const { return sCaption; }
    bool FindControl(wxWindow* p_ctrl) const { return SzHeader.FindControl(p_ctrl); }
    void DeleteChildControls();
    // Re-lays out the page's controls and redraws it when they moved.
    bool ReorganizeControls();

    // The page's initialisation, the first time it is shown: the data go
    // into its controls and its opening size is taken. Derived pages call
    // this first, then anchor their controls.
    virtual bool OnInitDialog();
    // The page became the sheet's active page: runs the initialisation the
    // first time, then re-lays out the sheet and the page.
    virtual bool OnSetActive();
    bool HasInitialisedPage() const { return bPageInitialised; }

protected:
    ControlInfo* AddSzControl(wxWindow& ctrl, Mode e_x, Mode e_y) { return SzHeader.AddSzControl(&ctrl, e_x, e_y); }
    ControlInfo* AddSzControl(wxWindow& ctrl, wxWindow& likeThis) { return SzHeader.AddSzControl(&ctrl, &likeThis); }
    ControlInfo* AddSzXControl(wxWindow& ctrl, Mode e_x) { return SzHeader.AddSzControl(&ctrl, e_x, modeFixed); }
    ControlInfo* AddSzYControl(wxWindow& ctrl, Mode e_y) { return SzHeader.AddSzControl(&ctrl, modeFixed, e_y); }
    ControlInfo* AddSzControlEx(wxWindow& ctrl, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2)
    {
        return SzHeader.AddSzControlEx(&ctrl, u_x1, u_x2, u_y1, u_y2);
    }
    ControlInfo* AddSzXControlEx(wxWindow& ctrl, BYTE u_x1, BYTE u_x2) { return SzHeader.AddSzControlEx(&ctrl, u_x1, u_x2, 0, 0); }
    ControlInfo* AddSzYControlEx(wxWindow& ctrl, BYTE u_y1, BYTE u_y2) { return SzHeader.AddSzControlEx(&ctrl, 0, 0, u_y1, u_y2); }
    void DeleteControl(wxWindow& ctrl) { SzHeader.DeleteControl(&ctrl); }
    void PlaceDlgUnits(wxWindow& ctrl, int i_x, int i_y, int i_cx, int i_cy);

    ControlInfo::Header SzHeader;

private:
    void OnSizeEvent(wxSizeEvent& event);

    ZelSizingPropSheet* pSheet = nullptr;
    wxString sCaption;
    bool bPageInitialised = false;
};

// A property sheet whose pages grow with it. In wizard mode (set before the
// first page is added) it shows no tabs and has Back, Next and Finish.
class ZelSizingPropSheet : public wxPropertySheetDialog, public ZelSizingTypes {
public:
    using ControlInfo = ZelSizingControlInfo;

    // Ids of the sheet's own controls.
    enum : int {
        ID_WIZBACK = 12323,
        ID_WIZNEXT = 12324,
        ID_WIZFINISH = 12325,
        ID_WIZLINE = 12326,
        ID_TABCTRL = 12320,
        ID_APPLY_NOW = 12321,
    };

    ZelSizingPropSheet(wxWindow* p_parent, const wxString& s_caption, UINT u_selectPage = 0,
                       Freedom e_freedom = freedomBoth, bool b_sizeIcon = true);
    ZelSizingPropSheet(wxWindow* p_parent, UINT u_captionId, UINT u_selectPage = 0, Freedom e_freedom = freedomBoth,
                       bool b_sizeIcon = true);
    ~ZelSizingPropSheet() override;

    // Before the first page: no tabs, and Back, Next, Finish and Cancel in
    // place of OK and Cancel.
    void SetWizardMode();
    bool IsWizard() const { return bWizard; }
    // The wizard's buttons as the pages want them: Back (1), Next (2) and
    // Finish (4) enabled, the others disabled. Until a page first calls
    // it, Back and Next follow the page's place among the pages.
    enum : UINT { WIZB_BACK = 1, WIZB_NEXT = 2, WIZB_FINISH = 4 };
    void SetWizardButtons(UINT u_flags);

    void AddPage(ZelSizingPropPage* p_page);
    void AddPage(ZelSizingPropPage& page) { AddPage(&page); }
    void RemovePage(ZelSizingPropPage* p_page);
    void RemovePage(ZelSizingPropPage& page) { RemovePage(&page); }
    void RemovePage(int i_index);
    ZelSizingPropPage* GetPage(int i_index) const;
    int GetPageCount() const;
    ZelSizingPropPage* GetActivePage() const;
    // The page the sheet opens on, when chosen after the sheet was built.
    void SetStartPage(UINT u_page) { uSelectPage = u_page; }

    bool RestoreWindowPosition(const std::string& s_section, bool b_keepShowState = false);
    bool RestoreWindowPosition(UINT u_sectionId, bool b_keepShowState = false);
    bool RestoreWindowPosition(const ZelSizingPosition& pos, bool b_keepShowState = false);
    bool StoreWindowPosition(const std::string& s_section);
    bool StoreWindowPosition(UINT u_sectionId);
    bool StoreWindowPosition(ZelSizingPosition& pos);
    void StretchWindow(UINT u_percent) { SzHeader.StretchWindow(u_percent); }
    bool ReorganizeControls() { return SzHeader.ReorganizeControls(); }
    bool IsInitialized() const { return SzHeader.IsInitialized(); }
    bool FindControl(wxWindow* p_ctrl) const { return SzHeader.FindControl(p_ctrl); }
    void DeleteControl(wxWindow& ctrl) { SzHeader.DeleteControl(&ctrl); }
    void DeleteChildControls();
    ControlInfo* AddSzControl(wxWindow& ctrl, Mode e_x, Mode e_y) { return SzHeader.AddSzControl(&ctrl, e_x, e_y); }
    ControlInfo* AddSzControl(wxWindow& ctrl, wxWindow& likeThis) { return SzHeader.AddSzControl(&ctrl, &likeThis); }
    ControlInfo* AddSzControlEx(wxWindow& ctrl, BYTE u_x1, BYTE u_x2, BYTE u_y1, BYTE u_y2)
    {
        return SzHeader.AddSzControlEx(&ctrl, u_x1, u_x2, u_y1, u_y2);
    }
    const ControlInfo::Header& GetSizingHeader() const { return SzHeader; }

    bool Show(bool b_show = true) override;
    int ShowModal() override;
    bool Destroy() override;

protected:
    virtual bool OnInitDialog();
    virtual bool OnInitDialog(UINT u_stretchPercent);
    // The wizard's buttons were pressed. By default Back and Next show the
    // page before or after the active one, and Finish ends the sheet with
    // ID_WIZFINISH once the pages give up their data.
    virtual void OnWizardBack();
    virtual void OnWizardNext();
    virtual void OnWizardFinish();

    ControlInfo::Header SzHeader;

private:
    void Construct(UINT u_selectPage);
    void PrepareLayout();
    void ApplyLimits();
    void UpdateWizardButtons();
    void OnInitDialogEvent(wxInitDialogEvent& event);
    void OnSizeEvent(wxSizeEvent& event);
    void OnIconize(wxIconizeEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);
    void KeepFocusOnAShownControl(ZelSizingPropPage* p_page);
    void OnWizardButton(wxCommandEvent& event);

    UINT uSelectPage = 0;
    bool bWizard = false;
    bool bButtonsByPages = false;
    bool bLaidOut = false;
    // The placement at the end of the initialisation, to which minimising
    // brings the sheet back.
    ZelSizingPosition InitialPlacement;
    bool bInitialPlacementValid = false;
};
