// Control ids of the group sheet's pages. The pages' controls are known by
// their texts only; these ids are the program's own, stable for tests.
#pragma once

enum : int {
    // Details
    IDC_GROUP_NAME = 2101,
    IDC_GROUP_CONTACT = 2102,
    IDC_GROUP_PHONE = 2103,
    IDC_GROUP_PHONE2 = 2104,
    IDC_GROUP_FAX = 2105,
    IDC_GROUP_ADDRESS1 = 2106,
    IDC_GROUP_ADDRESS2 = 2107,
    IDC_GROUP_ADDRESS3 = 2108,
    IDC_GROUP_POSTCODE = 2109,
    IDC_GROUP_EMAIL = 2110,
    // Notes
    IDC_GROUP_NOTES = 2120,
    // Rostering
    IDC_GROUP_MAX_SIZE = 2130,
    IDC_GROUP_MAX_SIZE_DEFAULT = 2131,
    // Members
    IDC_GROUP_PARTICIPANTS = 2140,
    IDC_GROUP_MEMBERS = 2141,
    IDC_GROUP_MEMBER_ADD = 2142,
    IDC_GROUP_MEMBER_REMOVE = 2143,
    IDC_GROUP_MEMBERS_CAPTION = 2144,
    // Styles and facilities
    IDC_STYLE_LIST = 2150,
    IDC_FACILITY_LIST = 2151,
    IDC_STYLE_CAPTION = 2152,
    IDC_FACILITY_CAPTION = 2153,
};
