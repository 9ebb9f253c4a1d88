// The document's groups: positions 0 to count - 1, lookups by key (through
// an index rebuilt on the first lookup after a change) and by name, adding
// with duplicate tests, removal, unique names for copies, and the groups'
// section of the HTML export.
//
// A caller that changes a group's key or name goes through a
// GroupSmartPtr, which tells the list when its handle lets go.
#pragma once

#include "framework/Types.h"
#include "model/Group.h"
#include "model/ListRoom.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <iosfwd>
#include <string>
#include <unordered_map>

class EventDoc;

class GroupList {
public:
    // Results of AddGroup.
    enum { added = 0, nameExists = 2, keyExists = 3, notValid = 4 };
    // Codes of the re-index callback.
    enum { e_key_changed = 1 };
    static constexpr int kInitialRoom = 100;

    GroupList();
    GroupList(const GroupList&) = delete;
    GroupList& operator=(const GroupList&) = delete;
    virtual ~GroupList() = default;

    int GetNumGroups() const { return Groups.GetSize(); }
    const Group& GetAt(int i) const { return Groups[i]; }
    const Group& operator[](int i) const { return Groups[i]; }
    // A group for change. Its key and name are changed through a
    // GroupSmartPtr, so that the index follows.
    Group& GetAt(int i) { return Groups[i]; }
    Group& operator[](int i) { return Groups[i]; }

    // The position of the group with the key, or -1.
    int FindByKey(LONG l_key) const;
    // The first group with exactly that name (byte for byte), or -1.
    int FindByName(const std::string& s_name) const;
    // Another group (another key) has the group's name.
    BOOL NameExists(const Group& group) const;
    // A group has the group's key.
    BOOL KeyExists(const Group& group) const;

    // 4 invalid (no name, or a negative key, which a timeslot takes for
    // no group), 2 duplicate name, 3 duplicate key, else appends a copy
    // and returns 0.
    int AddGroup(const Group& group);
    // The same for a group that is moved into the list when added.
    int AddGroup(Group&& group);
    // Removes group i; returns the new count. The index, when current,
    // stays current.
    int RemoveGroup(int i_index);
    // Removes the groups at the ascending positions.
    void RemoveGroups(const ZelArray<int>& a_positions);
    void RemoveAll();
    // Gives back the room beyond the groups there are (after many went).
    void FreeExtra() { Groups.FreeExtra(); }
    // Exchanges the groups of two lists.
    void Swap(GroupList& other);
    void RebuildIndex() const;
    // The same with the index's table sized for n_room groups.
    void RebuildIndex(int n_room) const;
    BOOL IsIndexValid() const { return bIndexValid; }
    void InvalidateIndex() { bIndexValid = FALSE; }
    void RevalidateAll(EventDoc* p_doc);
    // What a group handle reports when it lets go: e_key_changed rebuilds
    // the index; other codes change nothing.
    void OnGroupChanged(int i_code);

    // While another group has the group's name, puts "#n " before it (n
    // from 2 on, a "#n" of 2 or more it had replaced); b_identical tells
    // whether a group with the name it first had was equal to it.
    void MakeUniqueName(Group& group, BOOL& b_identical) const;

    // The groups in name order, each with its anchor heading, a cell per
    // chosen group-list column (its text from the field-text port) and a
    // table of its members with their roles.
    void WriteHtml(std::ostream& os, const EventDoc* p_doc, const ZelArray<UINT>& a_items) const;

    // Groups read in one go, as an event file's: while it lives, nothing
    // but AddGroup changes the list. The list has room and its key index
    // a table for the n_expected groups to come, and AddGroup finds a name
    // taken through an index of the names made for the read instead of by
    // a walk of the list, so that a long list is read in time that grows
    // with its length. The answers are those of the walk.
    class Reading {
    public:
        Reading(GroupList& list, int n_expected);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

        // A blank group at the list's end for the file's next record to be
        // read into, so that a record is never moved into the list; Keep
        // then tests and keeps it as AddGroup would, or takes it out again
        // and gives AddGroup's refusal. A record whose read fails is taken
        // out when the reading ends.
        Group& Next();
        int Keep();

    private:
        GroupList& List;
        RecordToRead<Group> Record;
        const Group::ReadBlank Blank;
    };

    // Many groups added one by one outside a file read, as an import adds
    // them: while it lives, FindByName, NameExists and the adds find a name
    // through an index of the names instead of a walk of the list (made at
    // the first look-up, kept up by AddGroup, made again after any other
    // change the list hears of), so that the import takes time that grows
    // with its length. The answers are those of the walk. Nothing may
    // rename a group in place while it lives but through a GroupSmartPtr.
    class NameLookup {
    public:
        explicit NameLookup(GroupList& list);
        ~NameLookup();
        NameLookup(const NameLookup&) = delete;
        NameLookup& operator=(const NameLookup&) = delete;

    private:
        GroupList& List;
    };

    static LONG GetKeyCounter() { return Group::GetKeyCounter(); }
    static void SetKeyCounter(LONG l_next) { Group::SetKeyCounter(l_next); }

private:
    // added, or why AddGroup refuses the group.
    int Refusal(const Group& group) const;
    // The group that joined at i_new takes its names again (as a blank
    // record assigned from it would), its key and its name hash.
    void Joined(int i_new);

    ZelArray<Group> Groups;
    mutable ZelKeyIndex<int> KeyIndex;
    mutable BOOL bIndexValid = FALSE;
    // During a Reading: the groups' names by position.
    NameHashes ReadNames;
    BOOL bReading = FALSE;
    // While a NameLookup lives: each name's first position and how many
    // groups have it.
    struct NameEntry {
        int iFirst;
        int nGroups;
    };
    // The index of names, made when a look-up needs it; null when no
    // NameLookup lives or the list changed behind it.
    const std::unordered_map<std::string, NameEntry>* LookupNames() const;
    void DropLookupNames() { bLookupValid = FALSE; }
    int nNameLookups = 0;
    mutable std::unordered_map<std::string, NameEntry> LookupIndex;
    mutable BOOL bLookupValid = FALSE;
};

// A handle on one group of the list. When it lets go and the group's key
// or name changed, the list is told, so that its index follows.
class GroupSmartPtr {
public:
    GroupSmartPtr(GroupList* p_list, int i_index);
    ~GroupSmartPtr();
    GroupSmartPtr(const GroupSmartPtr&) = delete;
    GroupSmartPtr& operator=(const GroupSmartPtr&) = delete;

    Group* operator->() const { return &pList->GetAt(iIndex); }
    Group& operator*() const { return pList->GetAt(iIndex); }

private:
    GroupList* pList;
    int iIndex;
    LONG lKey;
    std::string sName;
};
