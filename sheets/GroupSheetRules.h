// The group sheet's work without a window: how a page of the sheet gives
// up its values to the working group and has them checked, how OK saves
// and checks every page and then the whole group, and the values of the
// Details, Notes and Rostering pages with their own rules.
//
// The sheet edits a working copy of a group; the pages read from it when
// they become active and write into it when they are left. A check that
// fails leaves the copy as it was before the page wrote into it, or, when
// the user keeps a changed page's edits, with what the page saved; the
// sheet never closes with OK while the group fails its check.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class EventDoc;
class Group;
class Preferences;

// Texts of the group sheet and its pages.
enum : UINT {
    IDS_GROUP_INVALID_DISCARD = 3000,  // "Your settings are not valid.  %1\nDo you want to discard ..."
    IDS_GROUP_INVALID = 3001,          // "Your settings are not valid.  %1"
    IDS_GROUP_NAME_MISSING = 1065,     // "You must provide a name for the group."
    IDS_GROUP_DETAILS_DESC = 6004,
    IDS_GROUP_NOTES_DESC = 6005,
    IDS_GROUP_MEMBERS_DESC = 6006,
    IDS_GROUP_STYLES_DESC = 6019,
    IDS_GROUP_ROSTER_DESC = 6021,
    IDS_GROUP_ROSTER_DEFAULTS_DESC = 6022,
};

// The check flags of a group page (limits and members).
constexpr DWORD kGroupPageCheckFlags = 3;

// What the protocol needs of a group page: writing its values into the
// group, reading them from it, the flags its check uses and whether the
// user changed it since it was last loaded.
class GroupPageData {
public:
    virtual ~GroupPageData() = default;
    // FALSE, with the reason, when the page cannot give up its values.
    virtual BOOL SavePage(Group& group, std::string& s_reason) = 0;
    virtual void LoadPage(const Group& group) = 0;
    virtual DWORD GetCheckFlags() const { return kGroupPageCheckFlags; }
    virtual BOOL IsPageChanged() const = 0;
};

// The check of one page as it is left, and the sheet's OK, over the working
// group of a sheet (b_days: the group's days and timeslots are checked
// against the event; not for the defaults of new groups).
class GroupPageProtocol {
public:
    // p_stored: the group as the event holds it (before the sheet opened,
    // or as its last Apply stored it), to which a discard returns the
    // page; null: a discard returns the page to what it held when it was
    // last left.
    GroupPageProtocol(const EventDoc* p_doc, Group& working, BOOL b_days, const Group* p_stored = nullptr)
        : pDoc(p_doc), Working(working), bDays(b_days), pStored(p_stored) {}

    // The page is left: it saves into the working group, which is then
    // checked. A page that cannot save gets 3001 and the group comes back;
    // a failed check of a changed page asks 3000, where Yes brings the
    // group back, with the page's own values as stored, and sets
    // *p_discarded (the caller then reloads the page); No keeps what the
    // page saved. Of an unchanged page it shows 3001. TRUE when the group
    // passed.
    BOOL CheckSettings(GroupPageData& page, BOOL* p_discarded);

    // OK: every page saves (the first that cannot gets 3001), then every
    // page is checked as when it is left; at the first failure the group
    // comes back to its state before the save. Then the whole group is
    // checked (3001 when it fails, keeping what the pages saved). TRUE when
    // the sheet may close.
    BOOL ApplyAll(const std::vector<GroupPageData*>& v_pages);

    // Every page saves, then every page is checked; FALSE (the group as it
    // was) at the first failure.
    BOOL SaveAllPages(const std::vector<GroupPageData*>& v_pages);

private:
    const EventDoc* pDoc;
    Group& Working;
    BOOL bDays;
    const Group* pStored;
};

// The Details page's values.
struct GroupContactFields {
    // The most characters each box takes.
    enum : int {
        kNameMax = 500,
        kContactMax = 30,
        kPhoneMax = 25,
        kAddressMax = 40,
        kPostCodeMax = 9,
        kEmailMax = 80,
        // A group name is cleaned and cut to this when the page is left.
        kCheckedNameMax = 50,
    };

    std::string sName;
    std::string sContact;
    std::string sPhone;
    std::string sPhone2;
    std::string sFax;
    std::string sAddress1;
    std::string sAddress2;
    std::string sAddress3;
    std::string sPostCode;
    std::string sEmail;

    void Load(const Group& group);
    void Save(Group& group) const;
    // The page is left: the name is cleaned (trimmed, runs of white space
    // made one blank) and cut; an empty name gets 1065 and FALSE.
    BOOL CheckName();
};

// The Rostering page's value.
struct GroupRosterFields {
    static constexpr UINT kMaxGroupSizeLimit = 99999;

    UINT uMaxGroupSize = 0;

    void Load(const Group& group);
    void Save(Group& group) const;
    // Default: the preferences' size for new groups.
    void SetDefault(const Preferences& prefs);
    // The typed text as a size of 0 to 99999; FALSE with the range message
    // otherwise (also for a text that is no number).
    static BOOL ParseMaxGroupSize(const std::string& s_text, UINT& u_size, std::string& s_error);
};
