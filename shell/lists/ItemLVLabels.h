// The label layer of the list views whose items have addresses (groups and
// participants): the same view prints its list report or, one label per
// row, address labels on a label stock the user picks in the chooser.
// Labels follow the list's order and fill each page row by row.
//
// The label files are "Standard.ldf" and "Custom.ldf" in the installation's
// folder; either may be missing, not both.
#pragma once

#include "shell/lists/ItemListView.h"
#include "shell/lists/LabelLayout.h"
#include "zelkit/controls/ZelLabelPrint.h"

#include <memory>
#include <string>
#include <wx/print.h>

class wxContextMenuEvent;
class wxMenu;

class ItemLVLabels : public ItemListView {
public:
    ItemLVLabels();

    // Creates the list in the pane's parent and takes its context menu.
    bool CreatePane(wxWindow* p_parent, wxWindowID i_id);
    // The menu the list's context menu shows, its items enabled by the
    // selection.
    virtual std::unique_ptr<wxMenu> MakeContextMenu() = 0;

    // The label of the list row: its lines ending in "\n"; the rectangle
    // (logical units of the canvas) may shrink to place the text.
    virtual std::string GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc) = 0;

    // Prints or previews the list report (b_labels 0) or labels; FALSE
    // when nothing was printed or shown.
    BOOL PrintJob(BOOL b_labels, BOOL b_preview);
    // The label files read and the stock chosen; FALSE when the job is
    // cancelled (no file could be read, the chooser was cancelled or
    // closed on a group).
    BOOL PrepareLabels();

    int bPrintLabels = 0;
    int iStockFile = 0;
    std::string strStockGroup;
    std::string strStock;
    ZelLabelStock Stock;

    // Reads the installation's label files; FALSE when neither could be
    // read (message 10003 shown).
    static BOOL LoadLabelFiles(ZelLabelStockFile& standard, ZelLabelStockFile& custom);

private:
    void OnContextMenu(wxContextMenuEvent& event);
};

// Address labels as a wx printout over the label pages.
class LabelPrintout : public wxPrintout {
public:
    explicit LabelPrintout(ItemLVLabels& view);

    void GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to) override;
    bool HasPage(int i_page) override;
    bool OnPrintPage(int i_page) override;
    int GetPageCount() const;

private:
    ItemLVLabels& View;
    LabelPages Pages;
};

// Puts the stock's sheet into the print data: its paper size and its
// orientation, so that the printer dialog opens on the stock's own paper
// whatever paper the program printed on before.
void SetStockPaper(wxPrintData& data, const ZelLabelDim& dim);

// Registers a pane view for the frame's pane of the class name: p_make
// makes the view, which is put over the program's document.
bool RegisterLabelPane(const char* p_className, ItemLVLabels* (*p_make)());
