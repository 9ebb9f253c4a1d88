#include "shell/frame/FrameRules.h"

#include "model/EventDoc.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "zelkit/values/ZelRegistry.h"

#include <algorithm>

BOOL IsTimetablePrintable(const EventDoc* p_doc)
{
    if (p_doc == nullptr)
        return FALSE;
    return p_doc->GetNumVenues() > 0 && p_doc->GetEventDef().GetDayDefConst().GetNumDays() > 0
        && p_doc->GetEventDef().GetDayDefConst().GetNumTimeslots() > 0 && p_doc->GetTimetableObject() != nullptr;
}

// ---- the pending print ----

UINT PendingPrint::PrintForPreview(UINT u_preview)
{
    switch (u_preview) {
    case ID_PREVIEW_TIMETABLE:
        return ID_PRINT_TIMETABLE;
    case ID_PREVIEW_GROUP_LIST:
        return ID_PRINT_GROUP_LIST;
    case ID_PREVIEW_GROUP_LABELS:
        return ID_PRINT_GROUP_LABELS;
    case ID_PREVIEW_PARTICIPANT_LIST:
        return ID_PRINT_PARTICIPANT_LIST;
    case ID_PREVIEW_PARTICIPANT_LABELS:
        return ID_PRINT_PARTICIPANT_LABELS;
    case ID_PREVIEW_VENUE_LIST:
        return ID_PRINT_VENUE_LIST;
    default:
        return 0;
    }
}

void PendingPrint::Previewed(UINT u_preview)
{
    if (const UINT u_print = PrintForPreview(u_preview))
        uPrint = u_print;
}

// ---- the recent lists of the import from the web ----

void WebImportList::Load()
{
    ZelRegistry key(HKEY_CURRENT_USER, AppSettings::GetRegistryPath(), KEY_READ, false);
    vEntries.clear();
    uKind = 0;
    if (!key.IsOpen())
        return;
    if (!key.GetMultiValue(sName, vEntries))
        vEntries.clear();
    if (!key.GetValue(sName + "Type", uKind))
        uKind = 0;
}

void WebImportList::Save() const
{
    ZelRegistry key(HKEY_CURRENT_USER, AppSettings::GetRegistryPath(), KEY_READ | KEY_WRITE, false);
    if (!key.IsOpen())
        return;
    key.SetMultiValue(sName, vEntries);
    key.SetValue(sName + "Type", uKind);
}

void WebImportList::MoveToFront(const std::string& s_entry)
{
    vEntries.erase(std::remove(vEntries.begin(), vEntries.end(), s_entry), vEntries.end());
    vEntries.insert(vEntries.begin(), s_entry);
    if (vEntries.size() > static_cast<std::size_t>(nMaxEntries))
        vEntries.resize(nMaxEntries);
}

std::string TrimWebSite(const std::string& s_site)
{
    if (!s_site.empty() && s_site.back() == '/')
        return s_site.substr(0, s_site.size() - 1);
    return s_site;
}

std::string TrimWebFile(const std::string& s_file)
{
    if (!s_file.empty() && s_file.front() == '/')
        return s_file.substr(1);
    return s_file;
}

// ---- the import from a file ----

ImportKindChoice ChooseImportKind(int i_remembered, BOOL b_groupsAccepted, BOOL b_participantsAccepted)
{
    ImportKindChoice choice{b_groupsAccepted, b_participantsAccepted, i_remembered};
    if (choice.iKind < IDC_IMPORT_GROUPS || choice.iKind > IDC_IMPORT_PARTICIPANTS)
        choice.iKind = IDC_IMPORT_GROUPS;
    if (!b_groupsAccepted && choice.iKind == IDC_IMPORT_GROUPS)
        choice.iKind = IDC_IMPORT_PARTICIPANTS;
    if (!b_participantsAccepted && choice.iKind == IDC_IMPORT_PARTICIPANTS)
        choice.iKind = IDC_IMPORT_GROUPS;
    return choice;
}

ImportFileTexts MakeImportFileTexts(int i_kind, const std::string& s_path)
{
    const std::string s_letter = i_kind == IDC_IMPORT_GROUPS ? "G" : "P";
    const std::size_t u_slash = s_path.find_last_of('/');
    const std::string s_file = u_slash == std::string::npos ? s_path : s_path.substr(u_slash + 1);
    return {s_letter + s_path, s_letter + s_file, s_path};
}
