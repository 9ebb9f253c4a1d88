// The participant sheet's work without a window: how a page gives up its
// values to the working participant and has them checked when it is left,
// how OK saves and checks every page and then the whole participant, and
// the values of the Details and Notes pages.
//
// The sheet edits a working copy of a participant; the pages read from it
// when they become active and write into it when they are left. A page
// that cannot save, or whose check fails after the user chose to discard
// its edits, leaves the copy as it was before; otherwise nothing the user
// typed is lost, and OK does not close the sheet while the participant
// fails its check.
#pragma once

#include "framework/Types.h"

#include <string>
#include <vector>

class EventDoc;
class Participant;

// Texts of the participant sheet and its pages.
enum : UINT {
    IDS_PARTICIPANT_SETTINGS_DISCARD = 3002,  // "Your settings are not valid.  %1\nDo you want to discard ..."
    IDS_PARTICIPANT_SETTINGS_INVALID = 3003,          // "Your settings are not valid.  %1"
    IDS_PARTICIPANT_NAME_MISSING = 1078,     // "You must provide a first name or a last name ..."
    IDS_PARTICIPANT_DETAILS_DESC = 6009,
    IDS_PARTICIPANT_NOTES_DESC = 6010,
};

// Control ids of the Details and Notes pages.
enum : int {
    IDC_PART_FIRST_NAME = 1016,
    IDC_PART_ROLE = 1017,
    IDC_PART_PHONE = 1018,
    IDC_PART_ADDRESS1 = 1019,
    IDC_PART_ADDRESS2 = 1020,
    IDC_PART_ADDRESS3 = 1021,
    IDC_PART_POSTCODE = 1022,
    IDC_PART_OTHER_NAMES = 1023,
    IDC_PART_LAST_NAME = 1024,
    IDC_PART_PHONE2 = 1025,
    IDC_PART_EMAIL = 1026,
    IDC_PART_FAX = 1027,
    IDC_PART_NOTES = 1136,
};

// The check masks of the pages (bits of Participant::Check).
constexpr DWORD kParticipantDetailsCheckFlags = 0;
constexpr DWORD kParticipantNotesCheckFlags = 0;
constexpr DWORD kParticipantPageCheckFlags = 15;
constexpr DWORD kParticipantRosterCheckFlags = 8;

// What the protocol needs of a participant page.
class ParticipantPageData {
public:
    virtual ~ParticipantPageData() = default;
    // Writes the page's values into the participant; FALSE with the reason
    // when it cannot. *p_changed (when given) says whether the participant
    // changed.
    virtual BOOL SavePage(Participant& participant, std::string& s_reason, BOOL* p_changed) = 0;
    virtual void LoadPage(const Participant& participant) = 0;
    // The user discards the page's edits: the page's fields of the working
    // participant come back as the stored one holds them, the others stay.
    // By default the page loads the stored participant and saves into the
    // working one.
    virtual void RestorePage(Participant& working, const Participant& stored);
    virtual DWORD GetCheckFlags() const { return kParticipantPageCheckFlags; }
    // What the page holds beyond what the participant's check covers; FALSE
    // with the message, which is then treated as a failed check.
    virtual BOOL CheckPage(std::string&) const { return TRUE; }
    // The user changed the page since it was last loaded.
    virtual BOOL IsPageChanged() const = 0;
};

// The check of one page as it is left, and the sheet's OK, over the working
// participant. b_interactive: the participant's groups are checked with it
// (the sheet over a participant of the event; not for the defaults of new
// participants).
class ParticipantPageProtocol {
public:
    // p_stored: the participant as the event holds it (before the sheet
    // opened, or as its last Apply stored it), to which a discard returns
    // the page; null: a discard returns the page to what it held when it
    // was last left.
    ParticipantPageProtocol(EventDoc* p_doc, Participant& working, BOOL b_interactive,
                            const Participant* p_stored = nullptr)
        : pDoc(p_doc), Working(working), bInteractive(b_interactive), pStored(p_stored) {}

    // The page is left: it saves into the working participant, which is
    // checked, with the page's own check first, with the page's flags when
    // it changed. A page that cannot
    // save gets 3003 and the participant comes back. A failed check of a
    // changed page asks 3002, where Yes brings the participant back, with
    // the page's own values as stored, and sets *p_discarded (the caller
    // then reloads the page); No keeps what the page saved. Of an
    // unchanged page it shows 3003. TRUE when the page passed.
    BOOL CheckSettings(ParticipantPageData& page, BOOL* p_discarded);

    // Every page saves (the first that cannot gets 3003), then every page
    // is checked as when it is left; FALSE, with the participant as it was,
    // at the first failure.
    BOOL SaveAllPages(const std::vector<ParticipantPageData*>& v_pages);

    // OK: SaveAllPages, then the whole participant is checked (3003 when it
    // fails, keeping what the pages saved). TRUE when the sheet may close.
    BOOL ApplyAll(const std::vector<ParticipantPageData*>& v_pages);

    BOOL IsInteractive() const { return bInteractive; }

private:
    EventDoc* pDoc;
    Participant& Working;
    BOOL bInteractive;
    const Participant* pStored;
};

// The Details page's values.
struct ParticipantDetailsFields {
    // The most characters each box takes.
    enum : int {
        kFirstMax = 20,
        kOtherMax = 30,
        kLastMax = 20,
        kPhoneMax = 25,
        kRoleMax = 128,
        kAddressMax = 40,
        kPostCodeMax = 9,
        kEmailMax = 80,
    };

    std::string sFirst;
    std::string sOther;
    std::string sLast;
    std::string sPhone;
    std::string sPhone2;
    std::string sFax;
    std::string sRole;
    std::string sAddress1;
    std::string sAddress2;
    std::string sAddress3;
    std::string sPostCode;
    std::string sEmail;

    void Load(const Participant& participant, const EventDoc* p_doc);
    // Writes the values; the role text becomes the usual role, a name the
    // event does not have being added to its roles at once.
    void Save(Participant& participant, EventDoc* p_doc) const;
    // The sheet's caption suffix: the full name the three parts make.
    std::string FullName() const;
    // The page may be left only with a first or a last name; else 1078.
    BOOL CheckName() const;
    // The names of the event's roles, and the one to select for the key
    // (-1 when none).
    static std::vector<std::string> RoleNames(const EventDoc& doc);
    static int RoleIndex(const std::vector<std::string>& v_names, const EventDoc& doc, LONG l_roleKey);
};
