#include "shell/StartupRules.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "model/EventDoc.h"
#include "shell/AppSettings.h"
#include "shell/CommandIds.h"

#include <cerrno>
#include <cstdint>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace StartupRules {

namespace {

// The head of an event file: its version and name come first, and a name
// is short; a name longer than this reads as a damaged file.
constexpr std::size_t uHeadBytes = 65536;

} // namespace

std::string ReadEventName(const std::string& s_path, bool& o_ok)
{
    o_ok = false;
    // Not blocking: a recent file that has become a pipe would otherwise
    // hold the start-up until something writes to it. Only a plain file
    // can be an event file.
    const int i_fd = open(s_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (i_fd < 0)
        return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? "(Not found)" : "";
    struct stat st {};
    if (fstat(i_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(i_fd);
        return {};
    }
    std::vector<std::uint8_t> v_head(uHeadBytes);
    std::size_t u_got = 0;
    while (u_got < v_head.size()) {
        const ssize_t i = read(i_fd, v_head.data() + u_got, v_head.size() - u_got);
        if (i < 0 && errno == EINTR)
            continue;
        if (i < 0) {
            close(i_fd);
            return {};
        }
        if (i == 0)
            break;
        u_got += static_cast<std::size_t>(i);
    }
    close(i_fd);
    v_head.resize(u_got);
    // A version this program does not read is no event file for it.
    if (u_got < 4)
        return {};
    const DWORD u_version = v_head[0] | (v_head[1] << 8) | (v_head[2] << 16) | (static_cast<DWORD>(v_head[3]) << 24);
    if (u_version < 1 || u_version > EventDoc::kCurrentFileVersion)
        return {};
    try {
        CArchive ar(std::move(v_head));
        std::string s_name = EventDoc::ReadEventName(ar);
        o_ok = true;
        return s_name;
    } catch (const std::exception&) {
        return {};
    }
}

std::string DisplayName(const std::string& s_path, const std::string& s_folder)
{
    namespace fs = std::filesystem;
    const fs::path path = fs::path(s_path).lexically_normal();
    if (!s_folder.empty() && path.is_absolute()) {
        const fs::path relative = path.lexically_relative(fs::path(s_folder).lexically_normal());
        if (!relative.empty() && *relative.begin() != "..")
            return relative.string();
    }
    return path.string();
}

RecentRows MakeRecentRows(const std::vector<std::string>& v_files, const std::string& s_folder)
{
    RecentRows rows;
    for (std::size_t i = 0; i < v_files.size(); ++i) {
        const std::string s_display = v_files[i].empty() ? std::string() : DisplayName(v_files[i], s_folder);
        if (s_display.empty())
            continue;
        bool b_ok = false;
        std::string s_name = ReadEventName(v_files[i], b_ok);
        if (i == 0)
            rows.bFirstReadable = b_ok;
        rows.vRows.push_back({s_display, std::move(s_name), static_cast<int>(i)});
    }
    return rows;
}

UINT CommandFor(int i_result, int i_chosen)
{
    switch (i_result) {
    case IDC_STARTUP_NEW: return EventDoc::ID_NEW_EVENT_DEFINITION;
    case IDC_STARTUP_OPEN:
        return i_chosen >= 0 && i_chosen <= 15 ? ID_FILE_MRU_FILE1 + static_cast<UINT>(i_chosen) : ID_FILE_OPEN;
    case IDC_STARTUP_SAMPLE: return ID_FILE_OPEN_SAMPLE;
    case IDC_STARTUP_EXIT: return ID_APP_EXIT;
    default: return 0;
    }
}

UINT FinishStartup(int i_result, int i_chosen, BOOL b_openLast)
{
    AppSettings::SetOpenLast(b_openLast);
    return CommandFor(i_result, i_chosen);
}

} // namespace StartupRules
