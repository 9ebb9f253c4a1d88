#include "shell/frame/FileFolders.h"

#include "framework/Encoding.h"
#include "shell/frame/AppSettings.h"
#include "zelkit/values/ZelRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* p_name)
{
    const char* p_value = std::getenv(p_name);
    return p_value != nullptr ? std::string(p_value) : std::string();
}

bool IsFolder(const std::string& s_path)
{
    std::error_code error;
    return !s_path.empty() && s_path[0] == '/' && fs::is_directory(s_path, error);
}

// The documents folder as user-dirs.dirs names it: a line
// XDG_DOCUMENTS_DIR="$HOME/Documents" (or an absolute path); empty when
// the file or the line is not there.
std::string UserDirsDocuments(const std::string& s_home)
{
    std::string s_config = Environment("XDG_CONFIG_HOME");
    if (s_config.empty() || s_config[0] != '/')
        s_config = s_home + "/.config";
    std::ifstream in(s_config + "/user-dirs.dirs");
    std::string s_line;
    const std::string s_key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, s_line)) {
        const std::size_t u_start = s_line.find_first_not_of(" \t");
        if (u_start == std::string::npos || s_line.compare(u_start, s_key.size(), s_key) != 0)
            continue;
        std::string s_value = s_line.substr(u_start + s_key.size());
        if (s_value.size() >= 2 && s_value.front() == '"' && s_value.back() == '"')
            s_value = s_value.substr(1, s_value.size() - 2);
        if (s_value.rfind("$HOME", 0) == 0)
            s_value = s_home + s_value.substr(5);
        return s_value;
    }
    return {};
}

} // namespace

namespace FileFolders {

std::string RecentFilesKey() { return AppSettings::GetRegistryPath() + "\\Recent File List"; }

std::string DocumentsFolder()
{
    const std::string s_home = Environment("HOME");
    for (const std::string& s_folder : {Environment("XDG_DOCUMENTS_DIR"), UserDirsDocuments(s_home)}) {
        if (IsFolder(s_folder))
            return s_folder;
    }
    return s_home;
}

std::string StartFolder()
{
    ZelRegistry key(HKEY_CURRENT_USER, RecentFilesKey(), KEY_READ, false);
    std::string s_last;
    if (key.IsOpen() && key.GetValue("File1", s_last, false) && !s_last.empty()) {
        const std::string s_folder = fs::path(s_last).parent_path().string();
        if (IsFolder(s_folder))
            return s_folder;
    }
    return DocumentsFolder();
}

std::string EventFolder(const std::string& s_eventPath)
{
    const fs::path fs_event(s_eventPath);
    if (!s_eventPath.empty() && fs_event.has_parent_path())
        return fs_event.parent_path().string();
    return DocumentsFolder();
}

std::string NameForFile(const std::string& s_eventName, const std::string& s_fallback, const std::string& s_ext)
{
    std::string s_name = Cp1252ToUtf8(s_eventName);
    for (char& c : s_name) {
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|'
            || static_cast<unsigned char>(c) < 0x20)
            c = '-';
    }
    // A name of dots alone would name a folder.
    if (s_name.find_first_not_of(". ") == std::string::npos)
        s_name = s_fallback;
    return s_name.empty() ? std::string() : s_name + s_ext;
}

} // namespace FileFolders
