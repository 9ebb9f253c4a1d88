#include "sheets/LimitsPPageGroup.h"

#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/Preferences.h"

LimitsPageConfig GroupLimitsPPage::Config(BOOL b_forGroup, UINT u_limitsDescId, UINT u_rotationDescId)
{
    LimitsPageConfig config;
    config.bShowDefaults = b_forGroup;
    config.bShowRotation = TRUE;
    config.bMaxOnly = FALSE;
    config.bShowVenueCheck = TRUE;
    config.uLimitsDescId = u_limitsDescId;
    config.uRotationDescId = u_rotationDescId;
    return config;
}

GroupLimitsPPage::GroupLimitsPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forGroup, UINT u_limitsDescId,
                                   UINT u_rotationDescId)
    : LimitsPPage<GroupEditingPPage>(Config(b_forGroup, u_limitsDescId, u_rotationDescId), p_book, "Limits", p_doc,
                                     u_limitsDescId)
{
}

BOOL GroupLimitsPPage::SavePage(Group& group, std::string&)
{
    Panel.State.Save(group);
    group.SetRotation(Panel.uRotation);
    return TRUE;
}

void GroupLimitsPPage::LoadPage(const Group& group)
{
    Panel.State.Load(group);
    Panel.uRotation = group.GetRotation();
    AfterLoad();
    SetChanged(FALSE);
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
}

SchedLim GroupLimitsPPage::GetDefaultEventLimits() { return pDoc->GetPreferences().GetGroupEventLimits(); }
SchedLim GroupLimitsPPage::GetDefaultDayLimits() { return pDoc->GetPreferences().GetGroupDayLimits(); }
BOOL GroupLimitsPPage::GetDefaultUseVenueLimits() { return pDoc->GetPreferences().GetGroupUsesVenueLimits(); }
VenueLimitArray GroupLimitsPPage::GetDefaultVenueLimits() { return pDoc->GetPreferences().GetGroupVenueLimits(); }
UINT GroupLimitsPPage::GetDefaultRotation() { return pDoc->GetPreferences().GetGroupRotation(); }
