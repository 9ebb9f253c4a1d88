// The group instance of the Limits page: tab "Limits" of the group sheet,
// and the group defaults' Limits page of a sheet of preferences.
#pragma once

#include "framework/Types.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/LimitsPPage.h"

class GroupLimitsPPage : public LimitsPPage<GroupEditingPPage> {
public:
    // b_forGroup: in the group sheet (Default buttons shown); FALSE for the
    // defaults of new groups. The descriptions: 6000 and 6002 for a group,
    // 6001 and 6003 for the defaults.
    GroupLimitsPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forGroup, UINT u_limitsDescId, UINT u_rotationDescId);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;

    SchedLim GetDefaultEventLimits() override;
    SchedLim GetDefaultDayLimits() override;
    BOOL GetDefaultUseVenueLimits() override;
    VenueLimitArray GetDefaultVenueLimits() override;
    UINT GetDefaultRotation() override;

private:
    static LimitsPageConfig Config(BOOL b_forGroup, UINT u_limitsDescId, UINT u_rotationDescId);
};
