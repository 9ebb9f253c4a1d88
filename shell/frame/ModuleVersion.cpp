#include "shell/frame/ModuleVersion.h"

#include "framework/LoadedModules.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <wx/utils.h>
#include <wx/versioninfo.h>

namespace {

// GTK's version as the loaded library tells it; the toolkit comes in with
// wx, so its functions are looked up rather than its headers included.
std::uint64_t GtkVersion()
{
    using VersionPart = unsigned (*)();
    const auto f_major = reinterpret_cast<VersionPart>(dlsym(RTLD_DEFAULT, "gtk_get_major_version"));
    const auto f_minor = reinterpret_cast<VersionPart>(dlsym(RTLD_DEFAULT, "gtk_get_minor_version"));
    const auto f_micro = reinterpret_cast<VersionPart>(dlsym(RTLD_DEFAULT, "gtk_get_micro_version"));
    if (!f_major || !f_minor || !f_micro)
        return 0;
    return MakeModuleVersion(static_cast<WORD>(f_major()), static_cast<WORD>(f_minor()),
        static_cast<WORD>(f_micro()), 0);
}

// The version of the wx library the program runs with, which may be a
// later release than the one it was built against.
std::uint64_t WxVersion()
{
    const wxVersionInfo info = wxGetLibraryVersionInfo();
    return MakeModuleVersion(static_cast<WORD>(info.GetMajor()), static_cast<WORD>(info.GetMinor()),
        static_cast<WORD>(info.GetMicro()), 0);
}

} // namespace

std::uint64_t GetModuleVersion(const std::string& s_module)
{
    if (s_module == RVX_MODULE_WX)
        return WxVersion();
    if (s_module == RVX_MODULE_GTK)
        return GtkVersion();
    if (s_module == RVX_MODULE_ZELKIT)
        return GetLoadedObjectVersion("zelkit");
    if (s_module == RVX_MODULE_LIBC)
        return GetCLibraryVersion();
    if (s_module == RVX_MODULE_LIBSTDCXX)
        return GetLoadedObjectVersion("stdc++");
    return 0;
}

std::vector<AppSettings::RequiredModule> RequiredModules()
{
    // The toolkit and C++ run-time versions of the build come from the build
    // system; a build that could not tell them requires none.
    return {
        {RVX_MODULE_GTK, ParseModuleVersion(RVX_BUILT_GTK_VERSION), IDS_SYSTEM_LIBRARY_TOO_OLD},
        {RVX_MODULE_ZELKIT, MakeModuleVersion(7, 1, 0, 0), IDS_OWN_LIBRARY_TOO_OLD},
        {RVX_MODULE_WX, MakeModuleVersion(wxMAJOR_VERSION, wxMINOR_VERSION, wxRELEASE_NUMBER, 0),
         IDS_SYSTEM_LIBRARY_TOO_OLD},
        {RVX_MODULE_LIBC, MakeModuleVersion(__GLIBC__, __GLIBC_MINOR__, 0, 0), IDS_SYSTEM_LIBRARY_TOO_OLD},
        {RVX_MODULE_LIBSTDCXX, ParseModuleVersion(RVX_BUILT_LIBSTDCXX_VERSION), IDS_SYSTEM_LIBRARY_TOO_OLD},
    };
}

BOOL CModuleVersion::ReadVersionInfo(const std::string& s_module)
{
    const std::uint64_t u_version = GetModuleVersion(s_module);
    dwFileVersionMS = static_cast<DWORD>(u_version >> 32);
    dwFileVersionLS = static_cast<DWORD>(u_version & 0xFFFFFFFF);
    return u_version != 0 ? TRUE : FALSE;
}
