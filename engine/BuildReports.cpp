#include "engine/BuildReports.h"

#include "model/General.h"
#include "model/Preferences.h"

#include <algorithm>
#include <cctype>

// ---- 244 "Build options" ----

BuildOptionsModel::BuildOptionsModel(const Preferences& prefs)
    : bAllowTravel(prefs.GetAllowTravel()),
      uTravelMinutes(prefs.GetTravelMinutes()),
      bFillTimeslots(prefs.GetFillEmptySlots()),
      bDontShowAgain(prefs.GetSkipBuildOptions())
{
}

void BuildOptionsModel::Store(Preferences& prefs) const
{
    prefs.SetAllowTravel(bAllowTravel);
    prefs.SetTravelMinutes(uTravelMinutes);
    prefs.SetFillEmptySlots(bFillTimeslots);
    prefs.SetSkipBuildOptions(bDontShowAgain);
}

BOOL BuildOptionsModel::ParseMinutes(const std::string& s_text, UINT& u_minutes, std::string& s_error)
{
    // Blanks around the number are allowed; anything else that is not a
    // digit makes the text no number at all.
    std::size_t i_begin = 0;
    std::size_t i_end = s_text.size();
    while (i_begin < i_end && std::isspace(static_cast<unsigned char>(s_text[i_begin])))
        ++i_begin;
    while (i_end > i_begin && std::isspace(static_cast<unsigned char>(s_text[i_end - 1])))
        --i_end;
    bool b_number = i_begin < i_end;
    std::uint64_t u_value = 0;
    for (std::size_t i = i_begin; b_number && i < i_end; ++i) {
        const char c = s_text[i];
        if (c < '0' || c > '9') {
            b_number = false;
        } else if (u_value <= uMaxTravelMinutes) {
            // Past the maximum the exact value no longer matters.
            u_value = u_value * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    if (!b_number) {
        s_error = "Please enter a positive integer.";
        return FALSE;
    }
    if (u_value < uMinTravelMinutes || u_value > uMaxTravelMinutes) {
        s_error = "Please enter an integer between " + std::to_string(uMinTravelMinutes) + " and "
            + std::to_string(uMaxTravelMinutes) + ".";
        return FALSE;
    }
    u_minutes = static_cast<UINT>(u_value);
    return TRUE;
}

BOOL BuildOptionsModel::ValidateMinutes(const std::string& s_text)
{
    UINT u_minutes = 0;
    std::string s_error;
    if (!ParseMinutes(s_text, u_minutes, s_error)) {
        ShowMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    uTravelMinutes = u_minutes;
    return TRUE;
}

void BuildOptionsModel::OnDontShowClicked(BOOL b_checked)
{
    bDontShowAgain = b_checked;
    if (b_checked)
        ShowMessageId(IDS_BUILD_OPTIONS_AGAIN, "", MB_OK | MB_ICONINFORMATION);
}

// ---- 156 "Minimum scheduling failures" ----

FailedMinimumsModel::FailedMinimumsModel(int i_mode, BOOL b_incomplete) : iMode(i_mode), bIncomplete(b_incomplete)
{
    Init();
}

void FailedMinimumsModel::Add(const FailedMinItem& item)
{
    const auto it = std::upper_bound(Rows.begin(), Rows.end(), item, [](const FailedMinItem& a, const FailedMinItem& b) {
        return a.sGroup < b.sGroup;
    });
    Rows.insert(it, item);
}

ZelStringArray FailedMinimumsModel::GetRowTexts(const FailedMinItem& item)
{
    ZelStringArray a_texts;
    a_texts.Add(item.sGroup);
    a_texts.Add(item.sWhere);
    a_texts.Add(std::to_string(item.uMinimum));
    a_texts.Add(std::to_string(item.uActual));
    return a_texts;
}

void FailedMinimumsModel::Init()
{
    switch (iMode) {
    case 0:
        // A thorough search failed: a complete one is the next thing to try.
        iEntry = e_complete_entry;
        iChoice = IDC_FAILED_MIN_KEEP_SEARCHING;
        bKeepSearchingEnabled = TRUE;
        break;
    case 1:
    case 2:
        // A complete search that ran to its end has nothing more to find.
        iEntry = e_complete_entry;
        iChoice = bIncomplete ? IDC_FAILED_MIN_KEEP_SEARCHING : IDC_FAILED_MIN_MAKE_CHANGES;
        bKeepSearchingEnabled = bIncomplete;
        break;
    default:
        iEntry = e_thorough_entry;
        iChoice = IDC_FAILED_MIN_KEEP_SEARCHING;
        bKeepSearchingEnabled = TRUE;
        break;
    }
}

ZelReportLayout FailedMinimumsModel::MakeReport() const
{
    ZelReportLayout layout;
    layout.sTitle = "Minimum Scheduling Failures";
    for (const char* p_title : {"Group", "Where", "Minimum", "Actual"})
        layout.ColumnTitles.Add(p_title);
    for (const FailedMinItem& item : Rows)
        layout.Rows.Add(GetRowTexts(item));
    return layout;
}

// ---- 239 "Rotation failures" ----

BOOL FailedRotationList::Add(const FailedRotItem& item)
{
    if (std::find(Rows.begin(), Rows.end(), item) != Rows.end())
        return FALSE;
    const auto it = std::upper_bound(Rows.begin(), Rows.end(), item, [](const FailedRotItem& a, const FailedRotItem& b) {
        if (a.sGroup != b.sGroup)
            return a.sGroup < b.sGroup;
        return a.sVenue < b.sVenue;
    });
    Rows.insert(it, item);
    return TRUE;
}

std::string FailedRotationModel::GetScopeText(int i_scope, const std::string& s_day)
{
    switch (i_scope) {
    case 1: return "Event";
    case 2: return s_day.empty() ? std::string("Day") : "Day: " + s_day;
    default: return std::string();
    }
}

ZelStringArray FailedRotationModel::GetRowTexts(const FailedRotItem& item)
{
    ZelStringArray a_texts;
    a_texts.Add(item.sGroup);
    a_texts.Add(GetScopeText(item.iScope, item.sDay));
    a_texts.Add(item.sVenue);
    a_texts.Add(item.sOther);
    return a_texts;
}

ZelReportLayout FailedRotationModel::MakeReport() const
{
    ZelReportLayout layout;
    layout.sTitle = "Rotation Failures";
    for (const char* p_title : {"Group", "Rotation", "Venue", "Other information"})
        layout.ColumnTitles.Add(p_title);
    for (const FailedRotItem& item : Rows.GetRows())
        layout.Rows.Add(GetRowTexts(item));
    return layout;
}
