// The program's string table (its resource module).
#pragma once

class CResourceModule;

CResourceModule& RotavexResourceModule();

enum : unsigned {
    IDS_SUPPORT_EMAIL = 136,
};
