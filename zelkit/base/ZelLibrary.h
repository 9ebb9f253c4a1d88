// The class library's own place in the process: its resource module (its
// string table) and the scope guard that makes that module current while
// library code loads its own texts.
#pragma once

class CResourceModule;

// The library's resource module.
CResourceModule& ZelResourceModule();

// Makes the library's module the one searched first for the guard's scope.
class ZelLocalResource {
public:
    ZelLocalResource();
    ~ZelLocalResource();
    ZelLocalResource(const ZelLocalResource&) = delete;
    ZelLocalResource& operator=(const ZelLocalResource&) = delete;

private:
    CResourceModule* pSaved;
    bool bSwitched;
};

// The library's load and unload work. Both run by themselves when the
// shared library is loaded and unloaded; tests may call them to check
// either state. Calling attach twice does no more than once.
bool ZelLibraryAttach();
void ZelLibraryDetach();
bool ZelLibraryIsAttached();
