#include "zelkit/dialogs/ZelProfile.h"

#include "zelkit/values/ZelRegistry.h"

namespace {

std::string& RegistryKey()
{
    static std::string s_key;
    return s_key;
}

ZelAppProfile g_appProfile;
IZelProfile* g_pProfile = &g_appProfile;

std::string SectionKey(const std::string& s_section)
{
    return RegistryKey().empty() ? std::string() : RegistryKey() + "\\" + s_section;
}

} // namespace

void ZelAppProfile::SetRegistryKey(const std::string& s_key) { RegistryKey() = s_key; }

const std::string& ZelAppProfile::GetRegistryKey() { return RegistryKey(); }

int ZelAppProfile::GetProfileInt(const std::string& s_section, const std::string& s_entry, int i_default)
{
    const std::string s_key = SectionKey(s_section);
    if (s_key.empty())
        return i_default;
    ZelRegistry reg(HKEY_CURRENT_USER, s_key, KEY_READ, false);
    DWORD u_value = 0;
    if (!reg.IsOpen() || !reg.GetValue(s_entry, u_value))
        return i_default;
    return static_cast<int>(u_value);
}

bool ZelAppProfile::WriteProfileInt(const std::string& s_section, const std::string& s_entry, int i_value)
{
    const std::string s_key = SectionKey(s_section);
    if (s_key.empty())
        return false;
    ZelRegistry reg(HKEY_CURRENT_USER, s_key, KEY_ALL_ACCESS, true);
    return reg.IsOpen() && reg.SetValue(s_entry, static_cast<DWORD>(i_value));
}

IZelProfile& ZelGetProfile() { return *g_pProfile; }

IZelProfile* ZelSetProfile(IZelProfile* p_profile)
{
    IZelProfile* p_old = g_pProfile;
    g_pProfile = p_profile ? p_profile : &g_appProfile;
    return p_old;
}
