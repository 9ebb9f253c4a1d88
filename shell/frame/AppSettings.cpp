#include "shell/frame/AppSettings.h"

#include "framework/Resources.h"
#include "model/General.h"
#include "zelkit/values/ZelRegistry.h"

#include <cstdio>

namespace AppSettings {

namespace {

BOOL bStartupDialog = TRUE;

// The installation's settings file stands where the product's machine key
// stood, and the message names what the user will find on this system.
const char* const kNoProductKey = "Cannot find the product's installation settings - reinstall the product.";

// A name from the string table; a missing one shows the message and is
// empty.
std::string NameString(UINT u_id, const char* p_missing)
{
    std::string s_name;
    if (!LoadResourceString(u_id, s_name)) {
        ShowMessageBox(p_missing, MB_OK | MB_ICONEXCLAMATION);
        s_name.clear();
    }
    return s_name;
}

BOOL GetUserFlag(const char* p_name)
{
    ZelRegistry key(HKEY_CURRENT_USER, GetRegistryPath(), KEY_READ, true);
    DWORD u_value = 0;
    if (!key.IsOpen() || !key.GetValue(p_name, u_value))
        return FALSE;
    return u_value != 0 ? TRUE : FALSE;
}

void SetUserFlag(const char* p_name, BOOL b_value)
{
    ZelRegistry key(HKEY_CURRENT_USER, GetRegistryPath(), KEY_WRITE, true);
    if (key.IsOpen())
        key.SetValue(p_name, static_cast<DWORD>(b_value ? 1 : 0));
}

} // namespace

// ---- names ----

std::string GetCompanyName()
{
    return NameString(IDS_COMPANY_NAME, "Cannot find string resource for company name.");
}

std::string GetProductName()
{
    return NameString(IDS_PRODUCT_NAME, "Cannot find string resource for product name.");
}

std::string GetRegistryKeyName()
{
    const std::string s_company = GetCompanyName();
    if (s_company.empty())
        return {};
    const std::string s_product = GetProductName();
    if (s_product.empty())
        return {};
    return s_company + "\\" + s_product;
}

std::string GetRegistryPath()
{
    return "Software\\" + GetRegistryKeyName();
}

std::string GetDocString(DocStringIndex e_index)
{
    std::string s_all;
    LoadResourceString(IDR_MAINFRAME, s_all);
    std::size_t u_start = 0;
    for (int i = 0; i < e_index; ++i) {
        u_start = s_all.find('\n', u_start);
        if (u_start == std::string::npos)
            return {};
        ++u_start;
    }
    return s_all.substr(u_start, s_all.find('\n', u_start) - u_start);
}

// ---- per-user options ----

BOOL GetOpenLast() { return GetUserFlag("OpenLast"); }
void SetOpenLast(BOOL b_value) { SetUserFlag("OpenLast", b_value); }
BOOL GetPrependSMTP() { return GetUserFlag("PrependSMTP"); }
void SetPrependSMTP(BOOL b_value) { SetUserFlag("PrependSMTP", b_value); }

// ---- the settings' conversion ----

BOOL IsConverted()
{
    ZelRegistry key(HKEY_CURRENT_USER, GetRegistryPath(), KEY_READ, false);
    std::string s_value;
    return key.IsOpen() && key.GetValue("Converted", s_value, false) && !s_value.empty() && s_value[0] == 'Y';
}

BOOL RecordConversion()
{
    ZelRegistry key(HKEY_CURRENT_USER, GetRegistryPath(), KEY_READ | KEY_WRITE, true);
    if (key.IsOpen() && key.SetValue("Converted", "Y"))
        return TRUE;
    StartupMessageId(IDS_SETTINGS_NOT_CONVERTED, {}, {});
    return FALSE;
}

// ---- start-up messages and the start-up-dialog flag ----

BOOL GetStartupDialogFlag() { return bStartupDialog; }
void SetStartupDialogFlag(BOOL b_flag) { bStartupDialog = b_flag; }

int StartupMessage(const std::string& s_text)
{
    bStartupDialog = FALSE;
    return ShowMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION);
}

int StartupMessageId(UINT u_id, const std::string& s_arg1, const std::string& s_arg2)
{
    bStartupDialog = FALSE;
    return ShowMessageId2(u_id, s_arg1, s_arg2, MB_OK | MB_ICONEXCLAMATION);
}

void CommandLineNamesFile(BOOL b_file)
{
    if (b_file)
        bStartupDialog = FALSE;
}

// ---- the installation's paths ----

BOOL ReadInstallPaths(InstallPaths& paths)
{
    ZelRegistry key(HKEY_LOCAL_MACHINE, GetRegistryPath(), KEY_READ, false);
    if (!key.IsOpen()) {
        StartupMessage(kNoProductKey);
        return FALSE;
    }
    if (!key.GetValue("License", paths.License, true)) {
        StartupMessage("Cannot find License Agreement file - reinstall the product.");
        return FALSE;
    }
    if (!key.GetValue("Path", paths.Path, true)) {
        StartupMessage("Cannot find installation path - reinstall the product.");
        return FALSE;
    }

    paths.UserGuide.clear();
    std::string s_guideName;
    if (!LoadResourceString(IDS_USER_GUIDE_NAME, s_guideName)) {
        StartupMessage("Cannot find string resource for user guide product name.");
    } else {
        ZelRegistry guide(HKEY_LOCAL_MACHINE, "Software\\" + GetCompanyName() + "\\" + s_guideName + "\\", KEY_READ,
                          false);
        if (guide.IsOpen()) {
            if (!guide.GetValue("UserGuide", paths.UserGuide, true))
                paths.UserGuide.clear();
        } else {
            ZelRegistry product(HKEY_LOCAL_MACHINE, GetRegistryPath(), KEY_READ, false);
            if (!product.IsOpen())
                StartupMessage(kNoProductKey);
            else if (!product.GetValue("UserGuide", paths.UserGuide, true))
                paths.UserGuide.clear();
        }
    }

    if (!key.GetValue("RelNotes", paths.RelNotes, true))
        paths.RelNotes.clear();
    return TRUE;
}

// ---- libraries ----

std::string FormatModuleVersion(std::uint64_t u_version)
{
    char a_text[64];
    std::snprintf(a_text, sizeof a_text, "%u.%u.%u.%u", static_cast<unsigned>((u_version >> 48) & 0xFFFF),
                  static_cast<unsigned>((u_version >> 32) & 0xFFFF), static_cast<unsigned>((u_version >> 16) & 0xFFFF),
                  static_cast<unsigned>(u_version & 0xFFFF));
    return a_text;
}

BOOL CheckRequiredModules(const std::vector<RequiredModule>& a_rows,
                          const std::function<std::uint64_t(const std::string&)>& f_version)
{
    for (const RequiredModule& row : a_rows) {
        const std::uint64_t u_installed = f_version(row.sName);
        if (u_installed < row.uVersion) {
            StartupMessageId(row.uMessageId, row.sName, FormatModuleVersion(u_installed));
            return FALSE;
        }
    }
    return TRUE;
}

} // namespace AppSettings
