// The import wizard's window: a resizable property sheet in wizard mode
// over the wizard's rules (ZelImportWizardCore). The importer adds the
// column page (ZelImportColMap, "Text Import Wizard - Columns and
// Fields"): one row per column of the text, whose field cell opens a list
// box of the fields on a double click. The first-step page
// (ZelImportStep1) shows a preview of the text and whether it is delimited
// or fixed width; the importer does not add it.
//
// Loading this library installs the window as the importer's wizard port
// (ZelGetImportWizardPort), so imports show it, and the library's progress
// dialog as the import's progress port (ZelGetImportProgressPort): titled
// "Importing", the record under way as its status line, the bar in
// thousandths of the source, and a Cancel; the program's other windows take
// no input while it shows.
#pragma once

#include "zelkit/import/ZelImport.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <wx/vlbox.h>

class wxRadioButton;
class wxScrollBar;
class wxStaticText;
class ZelNotifyEvent;

class ZelImportWizard : public ZelSizingPropSheet {
public:
    ZelImportWizard(ZelImportWizardCore& core, UINT u_captionId, wxWindow* p_parent = nullptr, UINT u_selectPage = 0);
    ZelImportWizard(ZelImportWizardCore& core, const std::string& s_caption, wxWindow* p_parent = nullptr,
                    UINT u_selectPage = 0);

    ZelImportWizardCore& GetCore() { return Core; }
    // Finish enabled, or shown disabled; Back and Next stay disabled.
    void SetFinish(bool b_enabled);

private:
    ZelImportWizardCore& Core;
};

// A wizard page; its preview list (when it has one) shows records of the
// text with their numbers, scrolled by the page's own scroll bars.
class ZelImportStep : public ZelSizingPropPage {
public:
    ZelImportStep(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id = wxID_ANY);

    ZelImportWizard& GetWizard() const;
    // As in any wizard, the title bar shows the active page's caption.
    bool OnSetActive() override;
    // The page's preview list, null when it has none.
    virtual wxVListBox* GetPreviewList() { return nullptr; }

protected:
    // Fills the preview from the first visible record and sets the bars.
    void FillPreview();
    void OnPreviewScroll(wxScrollEvent& event);

    int iFirstLine = 0;
    int iHorzOffset = 0;
    wxScrollBar* pVScroll = nullptr;
    wxScrollBar* pHScroll = nullptr;
};

// The preview list: owner-drawn records in a fixed-pitch font, a number
// column at the left, the text from the page's horizontal offset.
class ZelImportPreview : public wxVListBox {
public:
    ZelImportPreview(wxWindow* p_parent, wxWindowID i_id);
    void SetLines(std::vector<std::pair<long, std::string>> v_lines);
    void SetOffset(int i_offset);
    int GetCharWidth() const;
    int GetLineHeight() const;
    // The widest text in characters.
    int GetWidestLine() const;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rc, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rc, size_t n) const override;

private:
    std::vector<std::pair<long, std::string>> vLines;
    int iOffset = 0;
};

class ZelImportColMap : public ZelImportStep {
public:
    enum : UINT { IDD = 26016, IDC_LIST = 56048 };

    ZelImportColMap(wxWindow* p_book, const std::string& s_fieldHeading);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool TransferDataFromWindow() override;
    ZelEditListCtrl& GetList() { return *pList; }
    // The line above the list that tells how a column gets its field.
    wxString GetInstruction() const;

private:
    struct ListColumn {
        std::string sHeading;
        int iFormat;
        bool bEditable;
        ZelEditListRules::EditType eType;
        int iReserved;
    };
    void SetWizardButtons();
    void OnListNotify(ZelNotifyEvent& event);

    wxStaticText* pInstruction;
    ZelEditListCtrl* pList;
    std::string sFieldHeading;
    std::vector<ListColumn> vColumns;
    int iSampleCol = -1;
    int iTypeCol = -1;
    int iFieldCol = -1;
};

class ZelImportStep1 : public ZelImportStep {
public:
    enum : UINT {
        IDD = 26003,
        IDC_RESULT = 26035,
        IDC_DELIMITED = 26036,
        IDC_FIXED = 26037,
        IDC_FILENAME = 26038,
        IDC_VSCROLL = 26039,
        IDC_HSCROLL = 26040,
        IDC_PREVIEW = 26041,
    };

    explicit ZelImportStep1(wxWindow* p_book);

    bool OnInitDialog() override;
    bool TransferDataFromWindow() override;
    wxVListBox* GetPreviewList() override { return pPreview; }
    // 0 delimited, 1 fixed width.
    int GetLayoutChoice() const;

private:
    wxRadioButton* pDelimited;
    wxRadioButton* pFixed;
    wxStaticText* pResult;
    wxStaticText* pPreviewLabel;
    wxStaticText* pFileName;
    ZelImportPreview* pPreview;
};
