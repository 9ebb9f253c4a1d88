// What the application object keeps and checks without a window: the names
// of its settings keys, the per-user options, the record of the settings'
// conversion, the installation's paths, the start-up messages with the
// start-up-dialog flag they clear, and the check of the libraries the
// program runs on.
//
// Per-user values live under the user hive's key "Software", company,
// product (backslashes between); the installation's values under the same
// key of the machine hive, which the program only reads
// (framework/Settings.h).
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// String ids of the application's names and its document template.
enum : UINT {
    IDR_MAINFRAME = 128,
    IDS_PRODUCT_NAME = 59143,
    IDS_COMPANY_NAME = 59144,
    IDS_USER_GUIDE_NAME = 59146,
    IDS_SETTINGS_NOT_CONVERTED = 10017,
    IDS_SYSTEM_LIBRARY_TOO_OLD = 10018,
    IDS_OWN_LIBRARY_TOO_OLD = 10019,
    IDS_NOT_AN_EVENT_FILE = 20004,
};

namespace AppSettings {

// ---- names ----

// The company's name (string 59144), or, with a message, empty.
std::string GetCompanyName();
// The product's name (string 59143), or, with a message, empty.
std::string GetProductName();
// company + "\" + product; empty when either name is missing.
std::string GetRegistryKeyName();
// "Software\" + the key name.
std::string GetRegistryPath();

// One part of the document template's string (128), by index: 0 the window
// title, 1 the document's name, 2 a new document's name, 3 the filter's
// name, 4 the extension (".EVE"), 5 the file type, 6 the type's name.
enum DocStringIndex : int {
    e_window_title,
    e_doc_name,
    e_new_name,
    e_filter_name,
    e_filter_ext,
    e_file_type,
    e_file_type_name,
};
std::string GetDocString(DocStringIndex e_index);

// ---- per-user options ----

// "OpenLast": open the last file at start-up without the start-up dialog.
// "PrependSMTP": put "SMTP:" before mail addresses. Reading creates the
// per-user key; a missing value reads 0. Writing creates the key and
// writes nothing when the key cannot be had.
BOOL GetOpenLast();
void SetOpenLast(BOOL b_value);
BOOL GetPrependSMTP();
void SetPrependSMTP(BOOL b_value);

// ---- the settings' conversion ----

// There is no older settings file to move: the first start only records
// "Converted" = "Y". FALSE, after message 10017, when the per-user store
// cannot be written; the program goes on without it.
BOOL RecordConversion();
BOOL IsConverted();

// ---- start-up messages and the start-up-dialog flag ----

// Set when the program loads; cleared when the command line asks for
// anything but a new event, and by every start-up message. While it is
// set, the end of the splash opens the start-up dialog.
BOOL GetStartupDialogFlag();
void SetStartupDialogFlag(BOOL b_flag);
// The start-up messages: the flag is cleared, then the text (or string
// u_id with "%1" and "%2") shows with the exclamation icon.
int StartupMessage(const std::string& s_text);
int StartupMessageId(UINT u_id, const std::string& s_arg1, const std::string& s_arg2);
// The command line named a file (or anything else than a new event).
void CommandLineNamesFile(BOOL b_file);

// ---- the installation's paths ----

struct InstallPaths {
    std::string Path;      // the installation folder
    std::string License;   // the licence agreement document
    std::string UserGuide; // the user guide document; may be empty
    std::string RelNotes;  // the release notes document; may be empty
};

// Reads the paths from the machine hive. A missing key, licence value or
// path is a message that fails the start-up (FALSE). The user guide is
// looked up under its own key first, then under the product's key; it and
// the release notes may be missing.
BOOL ReadInstallPaths(InstallPaths& paths);

// ---- libraries ----

struct RequiredModule {
    std::string sName;
    std::uint64_t uVersion; // four 16-bit parts, most significant first
    UINT uMessageId;        // 10018 or 10019
};

// "%u.%u.%u.%u" of a version.
std::string FormatModuleVersion(std::uint64_t u_version);

// Takes the rows in order; the first library whose version (by f_version;
// 0 for one that is not loaded) is lower than required shows its message
// with the library's name and the version it has, and fails the check.
BOOL CheckRequiredModules(const std::vector<RequiredModule>& a_rows,
                          const std::function<std::uint64_t(const std::string&)>& f_version);

} // namespace AppSettings
