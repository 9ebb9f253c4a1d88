#include "sheets/GroupStyleFacilityPPage.h"

#include "model/Group.h"

GroupStyleFacilityPPage::GroupStyleFacilityPPage(wxWindow* p_book, EventDoc* p_doc, int n_styleKeys,
                                                 int n_facilityKeys)
    : StyleFacilityPPage<GroupEditingPPage>(p_doc, n_styleKeys, n_facilityKeys, p_book, "Styles && Facilities",
                                            p_doc, IDS_GROUP_STYLES_DESC)
{
}

BOOL GroupStyleFacilityPPage::SavePage(Group& group, std::string&)
{
    group.GetStyles() = GetRules().GetKeys(StyleFacilityRules::e_styles);
    group.GetFacilities() = GetRules().GetKeys(StyleFacilityRules::e_facilities);
    return TRUE;
}

void GroupStyleFacilityPPage::LoadPage(const Group& group)
{
    GetRules().GetKeys(StyleFacilityRules::e_styles) = group.GetStyles();
    GetRules().GetKeys(StyleFacilityRules::e_facilities) = group.GetFacilities();
}

void GroupStyleFacilityPPage::ReloadPage()
{
    // The lists stay as they are; their marks come from the keys again.
    LoadPage(GetGroup());
    if (HasInitialisedPage())
        TransferDataToWindow();
}
