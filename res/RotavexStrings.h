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
};
