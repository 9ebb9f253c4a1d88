// The group sheet's Styles && Facilities page: the styles and facilities
// page over the group page base, its marks kept in the working group's
// style and facility key lists.
#pragma once

#include "sheets/GroupEditingPPage.h"
#include "sheets/StyleFacilityPPage.h"

class GroupStyleFacilityPPage : public StyleFacilityPPage<GroupEditingPPage> {
public:
    GroupStyleFacilityPPage(wxWindow* p_book, EventDoc* p_doc, int n_styleKeys, int n_facilityKeys);

    BOOL SavePage(Group& group, std::string& s_reason) override;
    void LoadPage(const Group& group) override;
    void ReloadPage() override;
};
