// The venue pane (top left of the main frame): one row per venue of the
// event, in the event's order until sorted, with its name, location,
// styles and facilities; adds, changes and deletes venues through the
// venue sheet (VenueSheetPort.h) and prints a venue list with the columns
// the user chooses (kept in the event's print options, the venue set).
//
// Only the name is the list's own text for a row's key; every text drawn,
// sorted or printed comes from the venue itself (VenueViewRules).
#pragma once

#include "shell/lists/ItemListView.h"

class Venue;

class VenueView : public ItemListView {
public:
    VenueView();

    std::string GetClassName() const override { return kVenueView; }

    // The row of the venue: added (b_update FALSE) or rewritten.
    void SetRow(const Venue& venue, BOOL b_update);
    // Adds the venue to the event with a row for it; 0, or the list's code
    // with its message (short or long texts) in s_msg.
    int AddVenue(const Venue& venue, std::string& s_msg, BOOL b_shortTexts);

    // ---- ItemListCore ----
    void FillList() override;
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_shortTexts) override;
    // A dropped line is a venue's name, whole.
    ZelFullName MakeDroppedName(const std::string& s_line) override;
    void DoAddDialog() override;
    void DeleteRecord(LPARAM l_key, BOOL b_update) override;
    int DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count) override;
    int GetRecordCount() override;
    std::string GetPluralTitle() override { return "Venues"; }
    std::string GetSingularTitle() override { return "Venue"; }
    std::string GetSingularNoun() override { return "venue"; }
    std::string GetPluralNoun() override { return "venues"; }
    std::string GetCountNoun() override { return "venue(s)"; }
    BOOL SelectPrintColumns() override;
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override;
    std::string GetFieldText(ILVRecord p_record, int i_column) override;
    std::string GetListText(int i_row, int i_column) override;
    ILVRecord GetRecord(int i_row) override;
    int GetRecordValue(int i_row) override;
    void Sort(int i_column) override;

    // The page last left in a venue change dialog, for the program's run.
    static int& LastChangePage();

private:
    // The position of the venue with the key in the document's list, or -1.
    // Rows ask by key for every paint and sort: the positions are kept, and
    // taken again whenever one no longer holds its key.
    int FindVenue(LONG l_key);
    // Stores the edited copy over the venue with the key, with the change
    // routine, unless it is stored as it is already (a refused name is
    // told); TRUE when stored.
    BOOL StoreEditedVenue(LONG l_key, const Venue& edited);
    // The add sheet's OK or Apply: the first adds the venue (a refusal is
    // told, FALSE) and l_added takes its key; once added, the venue with
    // that key is changed. The edited copy comes back as the event holds
    // the venue.
    BOOL StoreAddedVenue(Venue& edited, LONG& l_added);

    std::unordered_map<LONG, int> mVenueIndex;
};

// Puts the venue view into the frame's venue pane (the program calls it at
// start-up).
bool RegisterVenueView();
