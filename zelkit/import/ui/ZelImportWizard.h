// The import wizard's window: a resizable property sheet in wizard mode
// over the wizard's rules (ZelImportWizardCore), with two pages. The first
// step (ZelImportStep1) shows a preview of the text and whether it is
// delimited or fixed width; for fixed width the preview shows where the
// columns start, and the user adds, moves and removes the breaks between
// them with the mouse. The column page (ZelImportColMap, "Text Import
// Wizard - Columns and Fields") has one row per column of the text (cut at
// those breaks, or split at the delimiter), whose field cell opens a list
// box of the fields on a double click; Back returns to the first step.
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

#include <functional>
#include <string>
#include <utility>
#include <vector>

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
    // The wizard's buttons for this page: Back whenever a page stands
    // before it, Next and Finish as given.
    void SetStepButtons(bool b_next, bool b_finish);
    // Fills the preview from the first visible record and sets the bars.
    void FillPreview();
    void OnPreviewScroll(wxScrollEvent& event);

    int iFirstLine = 0;
    int iHorzOffset = 0;
    wxScrollBar* pVScroll = nullptr;
    wxScrollBar* pHScroll = nullptr;
};

// The preview list: owner-drawn records in a fixed-pitch font, a number
// column at the left, the text from the page's horizontal offset. With
// column breaks given it draws them as lines between the characters, and
// a click in the text adds a break there, a break dragged moves, and a
// break double-clicked goes (a break dragged to the start goes too); each
// edit is handed to the page.
class ZelImportPreview : public wxVListBox {
public:
    enum class Edit { add, move, remove };
    // The edit, the break's position (in characters) and, for a move,
    // where it went.
    using EditHandler = std::function<void(Edit, UINT, UINT)>;

    ZelImportPreview(wxWindow* p_parent, wxWindowID i_id);
    void SetLines(std::vector<std::pair<long, std::string>> v_lines);
    void SetOffset(int i_offset);
    int GetCharWidth() const;
    int GetLineHeight() const;
    // The widest text in characters.
    int GetWidestLine() const;
    // The text of line n as drawn (code page 1252; tabs at their stops).
    const std::string& GetLineText(std::size_t n) const { return vLines.at(n).second; }
    // The breaks shown and edited (column starts other than 0); none shown
    // and no edits when b_edit is false.
    void SetBreaks(const std::vector<UINT>& v_breaks, bool b_edit);
    const std::vector<UINT>& GetBreaks() const { return vBreaks; }
    void SetEditHandler(EditHandler f_edit) { fEdit = std::move(f_edit); }
    // Where, in the window, the line between character u_pos - 1 and
    // character u_pos stands; and the character boundary nearest to x.
    int BreakX(UINT u_pos) const;
    int PositionAt(int i_x) const;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rc, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rc, size_t n) const override;

private:
    // The left edge of the text, right of the number column.
    int TextLeft() const;
    // The break within reach of x, -1 for none.
    int BreakNear(int i_x) const;
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();

    std::vector<std::pair<long, std::string>> vLines;
    int iOffset = 0;
    std::vector<UINT> vBreaks;
    bool bEditBreaks = false;
    EditHandler fEdit;
    // The break being dragged and where it would go, -1 when none.
    int iDragFrom = -1;
    int iDragTo = -1;
};

class ZelImportColMap : public ZelImportStep {
public:
    enum : UINT { IDD = 26016, IDC_LIST = 56048 };

    ZelImportColMap(wxWindow* p_book, const std::string& s_fieldHeading);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool TransferDataFromWindow() override;
    ZelEditListCtrl& GetList() { return *pList; }
    // The rows again from the text as the first step now cuts it.
    void FillRows();
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
    bool OnSetActive() override;
    bool TransferDataFromWindow() override;
    wxVListBox* GetPreviewList() override { return pPreview; }
    ZelImportPreview& GetPreview() { return *pPreview; }
    // 0 delimited, 1 fixed width.
    int GetLayoutChoice() const;

private:
    void OnLayoutChosen(wxCommandEvent& event);
    void OnBreakEdited(ZelImportPreview::Edit e_edit, UINT u_pos, UINT u_to);
    // The breaks and the line that tells how to edit them, for the layout
    // chosen.
    void ShowBreaks();

    wxRadioButton* pDelimited;
    wxRadioButton* pFixed;
    wxStaticText* pResult;
    wxStaticText* pBreakHelp;
    wxStaticText* pPreviewLabel;
    wxStaticText* pFileName;
    ZelImportPreview* pPreview;
};
