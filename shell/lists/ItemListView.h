// The common base of the venue, group and participant panes on screen: the
// library's list view whose list draws each row from the records of the
// derived view, takes its clicks and keys through ItemListCore, accepts
// dropped text, sorts by a header click, refills after document changes,
// prints itself as a report (ItemListPrintout.h) and keeps its layout in
// the event file through the views port.
//
// A derived view supplies the records (ItemListCore's pure operations), its
// class name, and registers its pane with the window classes.
#pragma once

#include "model/ShellPorts.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/ItemListImport.h"
#include "shell/frame/PaneView.h"
#include "zelkit/lists/ui/ZelListView.h"

#include <wx/dnd.h>

#include <string>
#include <unordered_map>
#include <vector>

class CEventDocument;
class ItemListView;
class ZelNotifyEvent;

// Commands the list views take.
enum : UINT {
    ID_LIST_SELECTED_UPDATE = 32777,
    ID_LIST_ADD = 32790,
    ID_LIST_CHANGE = 32815,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
};

// The view's list: rows drawn from the records, clicks and keys to the view.
class ItemListCtrl : public ZelListViewCtrl {
public:
    ItemListCtrl(ItemListView* p_view, wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style);

protected:
    void DrawRow(wxDC& dc, int i_row, const wxRect& rc_row) override;
    bool TryBefore(wxEvent& event) override;

private:
    ItemListView* pItemView;
};

class ItemListView : public ZelListView, public ItemListCore, public IItemListView, public IFramePane {
public:
    ItemListView();
    ~ItemListView() override;

    // Creates the list in the pane's parent, fills it, takes drops, and
    // brings it up to date with the document.
    bool Create(wxWindow* p_parent, wxWindowID i_id);

    // ---- wxView ----
    void OnUpdate(wxView* p_sender, wxObject* p_hint) override;
    bool OnClose(bool b_deleteWindow) override;

    // ---- IItemListView ----
    void SetRefill() override;
    // Called as another event takes the place of the last one: the new
    // event's rows start without a focus or a selection.
    void ClearFocus() override { ItemListCore::ClearForNewEvent(); }
    void ApplyLayout(const ViewLayout& layout) override { ItemListCore::ApplyLayout(layout); }
    void FillLayout(ViewLayout& layout) override { ItemListCore::FillLayout(layout); }

    // ---- IFramePane ----
    int GetPaneItemCount() override { return GetList().GetItemCount(); }
    std::vector<int> GetPaneColumnWidths() override;
    // Imports from the frame: a file (the key "G" or "P" with the full
    // path, then with the file's name, whose mapping is the one kept) and a
    // fetched text (its key). A view without import fields takes none.
    BOOL AcceptsImports() override { return GetImportFields() != nullptr; }
    void ImportFromText(const std::string& s_key, const std::string& s_text) override;
    void ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path) override;

    // ---- import ----
    // The derived view's fields; null: the view cannot import.
    virtual const ZelImportFieldDef* GetImportFields() { return nullptr; }
    // One record read: the derived view creates or updates it, counts it in
    // p_errors->nAdded when added and lists its problems there.
    virtual int ImportRecord(int /*i_record*/, int /*i_line*/, const ZelArray<ZelImport::ColValue>& /*a_values*/,
                             ILVImportErrors* /*p_errors*/)
    {
        return 0;
    }
    // The user cancelled an import while its records came in.
    virtual void ImportStopped() {}
    ItemListImport& GetImport() { return Import; }

    // ---- ItemListCore ----
    EventDoc* GetEventDoc() override;
    void AutoSize(int i_column) override;
    void AutoSizeAll() override;
    CEventDocument* GetEventDocument() const;

    // Prints the list (the column chooser first), or shows it in the
    // preview window; FALSE when nothing was printed or shown.
    BOOL PrintList(BOOL b_preview);

    // Draws one row (the list's painter): the record's field texts, in the
    // selection colours; while the document is busy the texts last drawn.
    void DrawRow(wxDC& dc, int i_row, const wxRect& rc_row);
    // The colours of a row: without, with and without the focus.
    void GetRowColours(int i_row, wxColour& col_back, wxColour& col_text) const;
    // The effect answered to a drag: always copy, since the text is only
    // read.
    static wxDragResult DropEffect(wxDragResult e_suggested);
    // Text dropped on the view, as UTF-8.
    bool OnDropText(const wxString& s_text);
    // The long-sort notice, queued after a sort of the seconds given.
    void OnLongSort(long l_seconds);

protected:
    ZelListViewCtrl* NewListCtrl(wxWindow* p_parent, wxWindowID i_id, DWORD u_listStyle, long l_style) override;
    void PreCreateWindow(DWORD& u_listStyle, long& l_style) override;
    void SortTooLong(const ZelOleDateTimeSpan& elapsed) override;
    void OnNoSort() override;

    void SetRedraw(BOOL b_redraw) override { ZelListView::SetRedraw(b_redraw); }
    void RunSort(const ZelColSortSpec* p_specs, int n_specs, int b_toggle, PFNLVCOMPARE pfn_compare) override;
    void PostChange() override;
    void SetModified() override;
    BOOL IsShiftDown() override;

private:
    void BindCommands();
    // The list's fitted widths leave less room around a text than the rows'
    // margins take: the columns from i_first to i_last get the difference.
    void AddMarginRoom(int i_first, int i_last);
    void OnListNotify(ZelNotifyEvent& event);

    // What the import asks of the view, kept apart from the core's own
    // operations of the same names.
    class ImportHost : public IItemListImportHost {
    public:
        explicit ImportHost(ItemListView& view) : View(view) {}
        const ZelImportFieldDef* GetImportFields() override { return View.GetImportFields(); }
        int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                         ILVImportErrors* p_errors) override
        {
            return View.ImportRecord(i_record, i_line, a_values, p_errors);
        }
        std::string GetSingularTitle() const override { return View.GetSingularTitle(); }
        std::string GetCountNoun() const override { return View.GetCountNoun(); }
        ZelArray<ILVFieldMapping>& GetFieldMappings() override { return View.GetMappings(); }
        void SetModifiedFlag() override { View.SetModified(); }
        EventDoc* GetImportDoc() override { return View.GetEventDoc(); }
        void ImportStopped() override { View.ImportStopped(); }

    private:
        ItemListView& View;
    };

    ImportHost Host{*this};
    ItemListImport Import{Host};
    wxWindow* pParent = nullptr;
    wxWindowID iListId = wxID_ANY;
    // The message bar's counts are due once the present event is done.
    bool bStatusPending = false;
    std::unordered_map<LPARAM, std::vector<std::string>> mDrawn;
};

// Installs the list views' ports over windows: the frame's message bar,
// the message list, the column chooser. The program calls it at start-up.
void InstallListPorts();
