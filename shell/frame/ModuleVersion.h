// The versions of the libraries the program runs on, for the start-up
// check of required libraries: wxWidgets, GTK, the class library, the C
// library and the C++ run-time, each under its name below. The version is
// four 16-bit parts in 64 bits, most significant first; 0 for any other
// name and for a library that is not loaded.
#pragma once

#include "framework/Types.h"
#include "shell/frame/AppSettings.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* RVX_MODULE_WX = "wxWidgets";
inline constexpr const char* RVX_MODULE_GTK = "GTK";
inline constexpr const char* RVX_MODULE_ZELKIT = "zelkit";
inline constexpr const char* RVX_MODULE_LIBC = "libc";
inline constexpr const char* RVX_MODULE_LIBSTDCXX = "libstdc++";

std::uint64_t GetModuleVersion(const std::string& s_module);

// The libraries the start-up checks, in order, each with the version the
// program was built against (the class library: 7.1) and the message that
// tells of an older one.
std::vector<AppSettings::RequiredModule> RequiredModules();

// A library's version as two 32-bit words, from the same table as
// GetModuleVersion.
class CModuleVersion {
public:
    DWORD dwFileVersionMS = 0;
    DWORD dwFileVersionLS = 0;
    // The version of the loaded library of that name; FALSE for one that
    // is not loaded or not known.
    BOOL ReadVersionInfo(const std::string& s_module);
};
