// The user's choices for printing a timetable, kept in the event file so
// that they travel with the event; and three sets of printed-list choices
// carried in the same record: the group list's, the participant list's and
// the venue list's printed columns with a word of print flags each.
//
// The record's stored form is fixed: nothing is ever added to it.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

class CArchive;

// The printed columns of one list view (column ids in the chosen order)
// and a word of that list's print flags. Bits other than the three named
// here are kept as they are.
class PrintIdSet {
public:
    enum : DWORD { kLandscapeBit = 0x1, kRowsSelectedBit = 0x2, kPrintAllBit = 0x4 };

    const ZelArrayWithFind<UINT>& GetIds() const { return Ids; }
    void SetIds(const ZelArray<UINT>& a_ids);
    DWORD GetSetWord() const { return uSetWord; }
    void SetSetWord(DWORD u_word) { uSetWord = u_word; }

    BOOL IsLandscape() const { return (uSetWord & kLandscapeBit) != 0; }
    void SetLandscape(BOOL b_on) { SetBit(kLandscapeBit, b_on); }
    BOOL IsRowsSelected() const { return (uSetWord & kRowsSelectedBit) != 0; }
    void SetRowsSelected(BOOL b_on) { SetBit(kRowsSelectedBit, b_on); }
    BOOL IsPrintAll() const { return (uSetWord & kPrintAllBit) != 0; }
    void SetPrintAll(BOOL b_on) { SetBit(kPrintAllBit, b_on); }

    // Equal counts, equal ids position by position, equal words.
    bool operator==(const PrintIdSet& other) const;
    bool operator!=(const PrintIdSet& other) const { return !(*this == other); }

    // The id count (framework count form), the ids, then the word.
    void Serialize(CArchive& ar);

    ZelArrayWithFind<UINT> Ids;
    DWORD uSetWord = 0;

private:
    void SetBit(DWORD u_bit, BOOL b_on) { uSetWord = b_on ? (uSetWord | u_bit) : (uSetWord & ~u_bit); }
};

class PrintOptions {
public:
    // What one printed timetable shows.
    enum { eDays = 0, eGroups = 1, eVenues = 2, eParts = 3 };
    // The three id sets.
    enum { eGroupListSet = 0, eParticipantListSet = 1, eVenueListSet = 2, kNumIdSets = 3 };

    PrintOptions() = default;
    PrintOptions(const PrintOptions& src) = default;
    // Copies every member, the print-all choice included.
    PrintOptions& operator=(const PrintOptions& src);
    virtual ~PrintOptions() = default;

    // Every option and every set; the print-all choice takes no part, so a
    // change of the print selection alone is no change of the options.
    bool operator==(const PrintOptions& other) const;
    bool operator!=(const PrintOptions& other) const { return !(*this == other); }

    PrintIdSet& GetIdSet(int i_set);
    const PrintIdSet& GetIdSet(int i_set) const;
    PrintIdSet& GetGroupListSet() { return IdSets[eGroupListSet]; }
    const PrintIdSet& GetGroupListSet() const { return IdSets[eGroupListSet]; }
    PrintIdSet& GetParticipantListSet() { return IdSets[eParticipantListSet]; }
    const PrintIdSet& GetParticipantListSet() const { return IdSets[eParticipantListSet]; }
    PrintIdSet& GetVenueListSet() { return IdSets[eVenueListSet]; }
    const PrintIdSet& GetVenueListSet() const { return IdSets[eVenueListSet]; }

    // The print-all choice is not stored. Files before version 12 have no
    // print-by choice, before 17 none of the three cell choices, and before
    // 26 no id sets; what they lack takes its default, except that the
    // combinations choice and the sets keep what they held (the document
    // resets its options before every load).
    virtual void Serialize(CArchive& ar);

    LONG ePrintBy = eDays;
    LONG eSlotHeight = 0;  // 0 proportional to the time covered, 1 constant
    LONG eTimeLabels = 0;  // 0 start and end, 1 start only, 2 none
    BOOL bGridLines = 1;
    BOOL bLandscape = 0;
    BOOL bAllTimeslots = 1;
    BOOL bGroupMembers = 0;
    BOOL bCombinations = 0;
    BOOL bPrintAll = 0;
    PrintIdSet IdSets[kNumIdSets];
};
