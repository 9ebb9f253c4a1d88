#include "sheets/GroupSheetRules.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "model/Preferences.h"
#include "sheets/SheetRules.h"
#include "zelkit/values/ZelName.h"

#include <cctype>
#include <cstdint>

// ----------------------------------------------------------- the protocol

BOOL GroupPageProtocol::CheckSettings(GroupPageData& page, BOOL* p_discarded)
{
    const Group saved(Working);
    *p_discarded = FALSE;
    std::string s_reason;
    if (!page.SavePage(Working, s_reason)) {
        Working = saved;
        ShowMessageId(IDS_GROUP_INVALID, s_reason, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (Working.Validate(pDoc, s_reason, page.GetCheckFlags(), bDays, -1))
        return TRUE;
    if (page.IsPageChanged()) {
        if (ShowMessageId(IDS_GROUP_INVALID_DISCARD, s_reason, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            Working = saved;
            // What a refused OK or Apply left in the copy (the user kept
            // the edits then) is discarded too: the page's values come back
            // as the event holds them.
            if (pStored != nullptr) {
                page.LoadPage(*pStored);
                std::string s_ignored;
                page.SavePage(Working, s_ignored);
            }
            *p_discarded = TRUE;
        }
        return FALSE;
    }
    ShowMessageId(IDS_GROUP_INVALID, s_reason, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL GroupPageProtocol::SaveAllPages(const std::vector<GroupPageData*>& v_pages)
{
    const Group saved(Working);
    for (GroupPageData* p_page : v_pages) {
        std::string s_reason;
        if (!p_page->SavePage(Working, s_reason)) {
            ShowMessageId(IDS_GROUP_INVALID, s_reason, MB_OK | MB_ICONEXCLAMATION);
            Working = saved;
            return FALSE;
        }
    }
    for (GroupPageData* p_page : v_pages) {
        BOOL b_discarded = FALSE;
        if (!CheckSettings(*p_page, &b_discarded)) {
            Working = saved;
            return FALSE;
        }
    }
    return TRUE;
}

BOOL GroupPageProtocol::ApplyAll(const std::vector<GroupPageData*>& v_pages)
{
    if (!SaveAllPages(v_pages))
        return FALSE;
    std::string s_reason;
    if (Working.Validate(pDoc, s_reason, kGroupPageCheckFlags, TRUE, -1))
        return TRUE;
    ShowMessageId(IDS_GROUP_INVALID, s_reason, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// ---------------------------------------------------------- Details page

void GroupContactFields::Load(const Group& group)
{
    sName = group.GetName();
    sContact = group.GetContact().GetName();
    sPhone = group.GetPhone();
    sPhone2 = group.GetPhone2();
    sFax = group.GetFax();
    sEmail = group.GetEmail();
    const ZelSimpleAddress& address = group.GetAddress();
    sAddress1 = address.GetLine1();
    sAddress2 = address.GetLine2();
    sAddress3 = address.GetLine3();
    sPostCode = address.GetPCode();
}

void GroupContactFields::Save(Group& group) const
{
    group.SetName(sName);
    group.GetContact().SetName(sContact);
    group.SetPhone(sPhone);
    group.SetPhone2(sPhone2);
    group.SetFax(sFax);
    ZelEmailAddr email(kEmailMax);
    email.SetAddr(sEmail);
    group.SetEmail(email.GetAddr());
    ZelSimpleAddress address(kAddressMax, kPostCodeMax);
    address.SetAddr(sAddress1, sAddress2, sAddress3, sPostCode);
    group.GetAddress() = address;
}

BOOL GroupContactFields::CheckName()
{
    const ZelObjectName name(sName, kCheckedNameMax);
    sName = name.GetName();
    if (!sName.empty())
        return TRUE;
    ShowMessageId(IDS_GROUP_NAME_MISSING, std::string(), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// --------------------------------------------------------- Rostering page

void GroupRosterFields::Load(const Group& group) { uMaxGroupSize = static_cast<UINT>(group.GetMaxGroupSize()); }

void GroupRosterFields::Save(Group& group) const { group.SetMaxGroupSize(static_cast<LONG>(uMaxGroupSize)); }

void GroupRosterFields::SetDefault(const Preferences& prefs)
{
    uMaxGroupSize = static_cast<UINT>(prefs.GetMaxGroupSize());
}

BOOL GroupRosterFields::ParseMaxGroupSize(const std::string& s_text, UINT& u_size, std::string& s_error)
{
    const std::optional<std::uint64_t> u_read = ReadBoxNumber(s_text, kMaxGroupSizeLimit);
    if (!u_read || *u_read > kMaxGroupSizeLimit) {
        s_error = BoxRangeMessage(0, kMaxGroupSizeLimit);
        return FALSE;
    }
    u_size = static_cast<UINT>(*u_read);
    return TRUE;
}
