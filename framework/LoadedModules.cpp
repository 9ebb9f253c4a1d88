#include "framework/LoadedModules.h"

#include <gnu/libc-version.h>
#include <link.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

std::uint64_t MakeModuleVersion(WORD u_major, WORD u_minor, WORD u_build, WORD u_revision)
{
    return (std::uint64_t{u_major} << 48) | (std::uint64_t{u_minor} << 32) | (std::uint64_t{u_build} << 16)
        | u_revision;
}

std::uint64_t ParseModuleVersion(const std::string& s_text)
{
    WORD a_parts[4] = {};
    std::size_t n_pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (n_pos >= s_text.size() || s_text[n_pos] < '0' || s_text[n_pos] > '9') {
            if (i == 0)
                return 0;
            break;
        }
        std::uint32_t u_part = 0;
        while (n_pos < s_text.size() && s_text[n_pos] >= '0' && s_text[n_pos] <= '9') {
            u_part = u_part * 10 + static_cast<std::uint32_t>(s_text[n_pos] - '0');
            if (u_part > 0xFFFF)
                return 0;
            ++n_pos;
        }
        a_parts[i] = static_cast<WORD>(u_part);
        if (n_pos >= s_text.size() || s_text[n_pos] != '.')
            break;
        ++n_pos;
    }
    return MakeModuleVersion(a_parts[0], a_parts[1], a_parts[2], a_parts[3]);
}

namespace {

struct ObjectSearch {
    std::string sPrefix; // "libname.so"
    std::string sFound;
};

// The object's own file name, without its folder.
const char* BaseName(const char* p_path)
{
    const char* p_slash = std::strrchr(p_path, '/');
    return p_slash ? p_slash + 1 : p_path;
}

bool HasPrefix(const std::string& s_name, const std::string& s_prefix)
{
    if (s_name.compare(0, s_prefix.size(), s_prefix) != 0)
        return false;
    return s_name.size() == s_prefix.size() || s_name[s_prefix.size()] == '.';
}

int VisitObject(dl_phdr_info* p_info, std::size_t, void* p_data)
{
    auto* p_search = static_cast<ObjectSearch*>(p_data);
    if (!p_info->dlpi_name || !*p_info->dlpi_name)
        return 0;
    if (!HasPrefix(BaseName(p_info->dlpi_name), p_search->sPrefix))
        return 0;
    std::unique_ptr<char, decltype(&std::free)> p_real(realpath(p_info->dlpi_name, nullptr), &std::free);
    p_search->sFound = p_real ? p_real.get() : p_info->dlpi_name;
    return 1;
}

} // namespace

std::string FindLoadedObject(const std::string& s_stem)
{
    if (s_stem.empty())
        return {};
    ObjectSearch search{"lib" + s_stem + ".so", {}};
    dl_iterate_phdr(&VisitObject, &search);
    return search.sFound;
}

std::uint64_t GetLoadedObjectVersion(const std::string& s_stem)
{
    const std::string s_path = FindLoadedObject(s_stem);
    if (s_path.empty())
        return 0;
    const std::string s_name = BaseName(s_path.c_str());
    const std::size_t n_so = s_name.find(".so.");
    return n_so == std::string::npos ? 0 : ParseModuleVersion(s_name.substr(n_so + 4));
}

std::uint64_t GetCLibraryVersion() { return ParseModuleVersion(gnu_get_libc_version()); }
