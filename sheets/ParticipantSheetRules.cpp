#include "sheets/ParticipantSheetRules.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Participant.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>

void ParticipantPageData::RestorePage(Participant& working, const Participant& stored)
{
    LoadPage(stored);
    std::string s_ignored;
    SavePage(working, s_ignored, nullptr);
}

BOOL ParticipantPageProtocol::CheckSettings(ParticipantPageData& page, BOOL* p_discarded)
{
    const Participant saved(Working);
    *p_discarded = FALSE;
    std::string s_message;
    BOOL b_changed = FALSE;
    if (!page.SavePage(Working, s_message, &b_changed)) {
        Working = saved;
        ShowMessageId(IDS_PARTICIPANT_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!b_changed)
        return TRUE;
    ZelWaitCursor wait;
    if (page.CheckPage(s_message) && Working.Check(pDoc, s_message, page.GetCheckFlags(), bInteractive))
        return TRUE;
    if (!page.IsPageChanged()) {
        ShowMessageId(IDS_PARTICIPANT_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
    } else if (ShowMessageId(IDS_PARTICIPANT_SETTINGS_DISCARD, s_message, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        Working = saved;
        // What a refused OK or Apply left in the copy (the user kept the
        // edits then) is discarded too: the page's values come back as the
        // event holds them.
        if (pStored != nullptr)
            page.RestorePage(Working, *pStored);
        *p_discarded = TRUE;
    }
    return FALSE;
}

BOOL ParticipantPageProtocol::SaveAllPages(const std::vector<ParticipantPageData*>& v_pages)
{
    const Participant saved(Working);
    for (ParticipantPageData* p_page : v_pages) {
        std::string s_message;
        if (!p_page->SavePage(Working, s_message, nullptr)) {
            ShowMessageId(IDS_PARTICIPANT_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
            Working = saved;
            return FALSE;
        }
    }
    for (ParticipantPageData* p_page : v_pages) {
        BOOL b_discarded = FALSE;
        if (!CheckSettings(*p_page, &b_discarded)) {
            Working = saved;
            return FALSE;
        }
    }
    return TRUE;
}

BOOL ParticipantPageProtocol::ApplyAll(const std::vector<ParticipantPageData*>& v_pages)
{
    ZelWaitCursor wait;
    if (!SaveAllPages(v_pages))
        return FALSE;
    std::string s_message;
    if (Working.Check(pDoc, s_message, kParticipantPageCheckFlags, TRUE))
        return TRUE;
    ShowMessageId(IDS_PARTICIPANT_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void ParticipantDetailsFields::Load(const Participant& participant, const EventDoc* p_doc)
{
    const ZelFullName& name = participant.GetNameObject();
    sFirst = name.GetFirstName();
    sLast = name.GetLastName();
    sOther = name.GetOtherNames();
    sPhone = participant.GetPhone();
    sPhone2 = participant.GetPhone2();
    sFax = participant.GetFax();
    sEmail = participant.GetEmail();
    const ZelSimpleAddress& address = participant.GetAddress();
    sAddress1 = address.GetLine1();
    sAddress2 = address.GetLine2();
    sAddress3 = address.GetLine3();
    sPostCode = address.GetPCode();
    sRole = participant.GetUsualRoleName(p_doc);
}

void ParticipantDetailsFields::Save(Participant& participant, EventDoc* p_doc) const
{
    ZelFullName name(kFirstMax, kOtherMax, kLastMax);
    name.SetName(sFirst, sOther, sLast);
    participant.GetNameObject() = name;
    participant.SetUsualRoleKey(p_doc != nullptr ? p_doc->AddParticipantRole(sRole) : -1);
    participant.SetPhone(sPhone);
    participant.SetPhone2(sPhone2);
    participant.SetFax(sFax);
    participant.SetEmail(sEmail);
    ZelSimpleAddress address(kAddressMax, kPostCodeMax);
    address.SetAddr(sAddress1, sAddress2, sAddress3, sPostCode);
    participant.GetAddress() = address;
}

std::string ParticipantDetailsFields::FullName() const
{
    ZelFullName name(kFirstMax, kOtherMax, kLastMax);
    name.SetName(sFirst, sOther, sLast);
    return name.GetFullName();
}

BOOL ParticipantDetailsFields::CheckName() const
{
    // Other names alone do not name a participant.
    ZelFullName name(kFirstMax, kOtherMax, kLastMax);
    name.SetName(sFirst, std::string(), sLast);
    if (!name.GetFullName().empty())
        return TRUE;
    ShowMessageId(IDS_PARTICIPANT_NAME_MISSING, "", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

std::vector<std::string> ParticipantDetailsFields::RoleNames(const EventDoc& doc)
{
    const ParticipantRoleList& roles = doc.GetParticipantRoles();
    std::vector<std::string> v_names;
    v_names.reserve(static_cast<std::size_t>(roles.GetCount()));
    for (int i = 0; i < roles.GetCount(); ++i)
        v_names.push_back(roles.GetAt(i).GetName());
    std::sort(v_names.begin(), v_names.end());
    return v_names;
}

int ParticipantDetailsFields::RoleIndex(const std::vector<std::string>& v_names, const EventDoc& doc,
                                        LONG l_roleKey)
{
    if (l_roleKey < 0)
        return -1;
    const std::string s_name = doc.GetParticipantRoles().GetRoleName(l_roleKey);
    if (s_name.empty())
        return -1;
    const auto it = std::lower_bound(v_names.begin(), v_names.end(), s_name);
    return it != v_names.end() && *it == s_name ? static_cast<int>(it - v_names.begin()) : -1;
}
