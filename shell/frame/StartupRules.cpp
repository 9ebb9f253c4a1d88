#include "shell/frame/StartupRules.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/FileIO.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"

#include <cstdint>
#include <exception>
#include <filesystem>

namespace StartupRules {

namespace {

// The head of an event file: its version and name come first, and a name
// is short; a name longer than this reads as a damaged file.
constexpr std::size_t uHeadBytes = 65536;

} // namespace

std::string ReadEventName(const std::string& s_path, bool& o_ok)
{
    o_ok = false;
    // Read as an event is opened, its head alone: a recent file that has
    // become a pipe or a device is refused without holding the start-up.
    std::vector<std::uint8_t> v_head;
    try {
        v_head = ReadDocumentHead(s_path, uHeadBytes);
    } catch (const CFileException& e) {
        return e.GetCause() == CFileException::notFound ? "(Not found)" : "";
    } catch (const CArchiveException&) {
        return {};
    }
    // A version this program does not read is no event file for it.
    if (!EventFile::HeadIsEvent(v_head.data(), v_head.size()))
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
