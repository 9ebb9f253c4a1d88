// The program's string table (its resource module).
#pragma once

class CResourceModule;

CResourceModule& RotavexResourceModule();

// Puts the program's module at the front of the resource chain (once), so
// lookups find the program's texts before the library's. The application
// does it at start-up; tests of the model and the engines do it too.
void JoinRotavexResources();

enum : unsigned {
    IDS_SUPPORT_EMAIL = 136,
    // The notice of the splash and the about box, the rights line under it
    // and the program's web address.
    IDS_NOTICE = 150,
    IDS_RIGHTS = 21001,
    IDS_WEB_ADDRESS = 21002,
};
