// The styles and facilities page's work without a window: two check lists
// of the event's styles and facilities, whose check marks say which ones
// the edited item has (through two key lists), and whose New, rename and
// Delete change the event's vocabulary at once, not the working copy.
//
// The marks are tied to names: loading marks every row whose name names an
// object whose key is in the key list; saving leaves in the key list the
// keys of the marked rows whose names exist, each in the slot it had, and
// adds those newly marked in free slots, so that unchanged marks leave the
// key list exactly as it was.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"

#include <cstdint>
#include <string>
#include <vector>

class EventDoc;

enum : UINT {
    IDS_DELETE_SELECTION = 400,  // "You've selected %1 %2 to delete.  ..."
    IDS_STYLE_NOUN = 59161,      // "style(s)"
    IDS_FACILITY_NOUN = 59164,   // "facility(s)"
};

// What the page needs of one of its check lists: rows with a check mark,
// a name and the object's key as item data.
class IStyleFacilityList {
public:
    virtual ~IStyleFacilityList() = default;
    virtual int GetRowCount() const = 0;
    virtual std::string GetRowName(int i_row) const = 0;
    virtual void SetRowName(int i_row, const std::string& s_name) = 0;
    virtual LONG GetRowKey(int i_row) const = 0;
    virtual void SetRowKey(int i_row, LONG l_key) = 0;
    virtual BOOL IsRowChecked(int i_row) const = 0;
    virtual void SetRowChecked(int i_row, BOOL b_checked) = 0;
    // Appends a row; its index, or -1 when it cannot.
    virtual int AppendRow(const std::string& s_name, LONG l_key, BOOL b_checked) = 0;
    virtual void DeleteRow(int i_row) = 0;
    // The selected rows, ascending.
    virtual std::vector<int> GetSelectedRows() const = 0;
};

class StyleFacilityRules {
public:
    enum Kind { e_styles = 0, e_facilities = 1 };
    // How an in-place edit of a name ended.
    enum class EditEnd {
        Done,       // the text was accepted by the list
        Cancelled,  // Escape
        Empty,      // the list refused an empty text
        Used,       // the list refused a text another row has
        Other,      // any other end
    };
    // What the window does after an edit ended.
    enum class AfterEdit {
        Nothing,
        EditAgain,   // begin editing the same row again
        RowDeleted,  // the row being named is gone
        Changed,     // the event changed: refill the marks, resort, show the row
    };

    StyleFacilityRules(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys);

    KeyList& GetKeys(Kind e_kind) { return e_kind == e_styles ? StyleKeys : FacilityKeys; }
    const KeyList& GetKeys(Kind e_kind) const { return e_kind == e_styles ? StyleKeys : FacilityKeys; }
    // The row being named after New, -1 when none.
    int GetNamingRow(Kind e_kind) const { return aiNamingRow[e_kind]; }

    // Appends a row for each of the event's objects, in the event's order,
    // marked when its key is in the key list.
    void Fill(Kind e_kind, IStyleFacilityList& list) const;
    // The marks from the key list, by name.
    void MarksFromKeys(Kind e_kind, IStyleFacilityList& list) const;
    // The key list from the marks, by name.
    void KeysFromMarks(Kind e_kind, const IStyleFacilityList& list);

    // New: a marked row with an empty name that is being named; its index,
    // or -1 when the list cannot take one.
    int BeginNew(Kind e_kind, IStyleFacilityList& list);
    // An in-place edit of the row's name begins.
    void EditBegins(Kind e_kind, const IStyleFacilityList& list, int i_row);
    // The edit of the row ended with the text now in the row. A named row
    // becomes a new object of the event (or, when the event refuses it, the
    // user is told why and the row goes); a renamed row renames its object
    // through the document. b_changed is set when the page's marks changed.
    AfterEdit EditEnds(Kind e_kind, IStyleFacilityList& list, int i_row, EditEnd e_end, BOOL& b_changed);

    // Delete: asks with 400, then takes the selected rows' objects out of
    // the event and deletes the rows; the change routine runs when an
    // object went, and the key lists follow the marks. TRUE when something
    // was deleted.
    BOOL DeleteSelected(Kind e_kind, IStyleFacilityList& list);

private:
    EventDoc* pDoc;
    KeyList StyleKeys;
    KeyList FacilityKeys;
    std::string asOldName[2];
    int aiNamingRow[2] = {-1, -1};
};
