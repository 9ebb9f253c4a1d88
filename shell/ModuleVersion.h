// The versions of the libraries the program runs on, for the start-up
// check of required libraries: wxWidgets, GTK, the class library, the C
// library and the C++ run-time, each under its name below. The version is
// four 16-bit parts in 64 bits, most significant first; 0 for any other
// name and for a library that is not loaded.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* RVX_MODULE_WX = "wxWidgets";
inline constexpr const char* RVX_MODULE_GTK = "GTK";
inline constexpr const char* RVX_MODULE_ZELKIT = "zelkit";
inline constexpr const char* RVX_MODULE_LIBC = "libc";
inline constexpr const char* RVX_MODULE_LIBSTDCXX = "libstdc++";

std::uint64_t GetModuleVersion(const std::string& s_module);
