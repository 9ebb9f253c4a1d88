#include "sheets/RosterPageRules.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Participant.h"
#include "model/Preferences.h"
#include "sheets/ParticipantSheetRules.h"
#include "sheets/SheetRules.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

BOOL ParseRosterCount(const std::string& s_text, UINT& u_value, std::string& s_error)
{
    const std::optional<std::uint64_t> u_read = ReadBoxNumber(s_text, kMaxRosterBoxValue);
    if (!u_read) {
        s_error = kNotANumberMessage;
        return FALSE;
    }
    if (*u_read > kMaxRosterBoxValue) {
        s_error = BoxRangeMessage(0, kMaxRosterBoxValue);
        return FALSE;
    }
    u_value = static_cast<UINT>(*u_read);
    return TRUE;
}

// --------------------------------------------------------- StyleSelectArray

void StyleSelectArray::Load(const RosterStyleArray& a_styles)
{
    vStyles.clear();
    for (int i = 0; i < a_styles.GetSize(); ++i)
        vStyles.push_back({a_styles[i].lStyleKey, a_styles[i].lOrder});
    std::stable_sort(vStyles.begin(), vStyles.end(),
                     [](const StyleSelect& a, const StyleSelect& b) { return a.lRank < b.lRank; });
}

RosterStyleArray StyleSelectArray::ToRosterStyles() const
{
    RosterStyleArray a_styles;
    for (const StyleSelect& style : vStyles)
        a_styles.InsertSorted(RosterStyle(style.lStyleKey, style.lRank));
    return a_styles;
}

LONG StyleSelectArray::GetRank(LONG l_styleKey) const
{
    for (const StyleSelect& style : vStyles) {
        if (style.lStyleKey == l_styleKey)
            return style.lRank;
    }
    return 0;
}

LONG StyleSelectArray::GetHighestRank() const
{
    LONG l_highest = 0;
    for (const StyleSelect& style : vStyles)
        l_highest = std::max(l_highest, style.lRank);
    return l_highest;
}

int StyleSelectArray::CountRank(LONG l_rank) const
{
    return static_cast<int>(
        std::count_if(vStyles.begin(), vStyles.end(), [l_rank](const StyleSelect& s) { return s.lRank == l_rank; }));
}

void StyleSelectArray::Add(LONG l_styleKey)
{
    if (GetRank(l_styleKey) != 0)
        return;
    vStyles.push_back({l_styleKey, GetHighestRank() + 1});
}

void StyleSelectArray::Remove(LONG l_styleKey)
{
    vStyles.erase(std::remove_if(vStyles.begin(), vStyles.end(),
                                 [l_styleKey](const StyleSelect& s) { return s.lStyleKey == l_styleKey; }),
                  vStyles.end());
    SortAndRenumber();
}

void StyleSelectArray::SortAndRenumber()
{
    std::stable_sort(vStyles.begin(), vStyles.end(),
                     [](const StyleSelect& a, const StyleSelect& b) { return a.lRank < b.lRank; });
    LONG l_previous = 0;
    LONG l_new = 0;
    for (std::size_t i = 0; i < vStyles.size(); ++i) {
        if (i == 0 || vStyles[i].lRank != l_previous) {
            l_previous = vStyles[i].lRank;
            ++l_new;
        }
        vStyles[i].lRank = l_new;
    }
}

void StyleSelectArray::MoveOne(LONG l_styleKey, BOOL b_up)
{
    auto it = std::find_if(vStyles.begin(), vStyles.end(),
                           [l_styleKey](const StyleSelect& s) { return s.lStyleKey == l_styleKey; });
    if (it == vStyles.end())
        return;
    const LONG l_rank = it->lRank;
    if (b_up) {
        it->lRank = l_rank - 1;
    } else {
        const LONG l_highest = GetHighestRank();
        const bool b_alone = CountRank(l_rank) == 1;
        if (b_alone && l_rank == 1)
            it->lRank = 3;
        else if (b_alone && l_rank == l_highest - 1 && CountRank(l_highest) == 1)
            it->lRank = l_rank + 2;
        else
            it->lRank = l_rank + 1;
    }
    SortAndRenumber();
}

void StyleSelectArray::MoveStyles(const std::vector<LONG>& v_styleKeys, BOOL b_up)
{
    for (LONG l_key : v_styleKeys)
        MoveOne(l_key, b_up);
}

bool StyleSelectArray::operator==(const StyleSelectArray& other) const
{
    return std::equal(vStyles.begin(), vStyles.end(), other.vStyles.begin(), other.vStyles.end(),
                      [](const StyleSelect& a, const StyleSelect& b) {
                          return a.lStyleKey == b.lStyleKey && a.lRank == b.lRank;
                      });
}

// ------------------------------------------------------------- Style rows

int CompareStyleRows(const StyleRow& a, const StyleRow& b, int i_column, bool b_ascending)
{
    int i_result = 0;
    if (i_column != 2) {
        if (a.lRank != b.lRank) {
            if (a.lRank == 0)
                i_result = 1;
            else if (b.lRank == 0)
                i_result = -1;
            else
                i_result = a.lRank < b.lRank ? -1 : 1;
        }
    }
    if (i_result == 0) {
        const int i_cmp = std::strcmp(a.sName.c_str(), b.sName.c_str());
        i_result = i_cmp < 0 ? -1 : (i_cmp > 0 ? 1 : 0);
    }
    return b_ascending ? i_result : -i_result;
}

BOOL RowsInRankOrder(const std::vector<LONG>& v_rowRanks)
{
    LONG l_previous = 0;
    bool b_empties = false;
    for (std::size_t i = 0; i < v_rowRanks.size(); ++i) {
        const LONG l_rank = v_rowRanks[i];
        if (l_rank == 0) {
            b_empties = true;
            continue;
        }
        if (b_empties)
            return FALSE;
        if (i == 0 ? l_rank != 1 : (l_rank != l_previous && l_rank != l_previous + 1))
            return FALSE;
        l_previous = l_rank;
    }
    return TRUE;
}

RosterTools GetRosterTools(const std::vector<LONG>& v_rowRanks, const std::vector<int>& v_selectedRows,
                           int n_selectedStyles)
{
    RosterTools tools;
    bool b_selectedStyleRow = false;
    for (int i_row : v_selectedRows) {
        if (i_row >= 0 && static_cast<std::size_t>(i_row) < v_rowRanks.size() &&
            v_rowRanks[static_cast<std::size_t>(i_row)] != 0)
            b_selectedStyleRow = true;
    }
    const BOOL b_inOrder = RowsInRankOrder(v_rowRanks);
    tools.bMove = b_selectedStyleRow && n_selectedStyles > 1 && b_inOrder;
    tools.bOrder = !v_selectedRows.empty() && n_selectedStyles > 0 && !b_inOrder;
    return tools;
}

// --------------------------------------------------------- RosterPageState

namespace {

// The same styles with the same orders, in whatever order they are stored.
bool SameRosterStyles(const RosterStyleArray& a_first, const RosterStyleArray& a_second)
{
    if (a_first.GetSize() != a_second.GetSize())
        return false;
    std::vector<RosterStyle> v_first(a_first.GetData(), a_first.GetData() + a_first.GetSize());
    std::vector<RosterStyle> v_second(a_second.GetData(), a_second.GetData() + a_second.GetSize());
    std::sort(v_first.begin(), v_first.end());
    std::sort(v_second.begin(), v_second.end());
    return v_first == v_second;
}

} // namespace

void RosterPageState::Load(const Participant& participant, const EventDoc& doc)
{
    BOOL b_ordered = FALSE;
    Selection.Load(participant.GetRosterStyles(&doc, b_ordered));
    Limit = participant.GetRosterLim(&doc);
    if (!bOpened) {
        bOpened = true;
        OpenedLimit = Limit;
    }
}

BOOL RosterPageState::CheckLimit(std::string& s_message) const
{
    if (Limit.uType != SchedLim::e_range || Limit.uMax >= Limit.uMin)
        return TRUE;
    // Compared with what was opened rather than with the last load: a page
    // left with its range refused still holds it in the working participant,
    // and coming back to the page loads it from there.
    if (OpenedLimit.uType == Limit.uType && OpenedLimit.uMin == Limit.uMin && OpenedLimit.uMax == Limit.uMax)
        return TRUE;
    s_message = FormatMessageId(IDS_ROSTER_MAX_BELOW_MIN, "");
    return FALSE;
}

void RosterPageState::Save(Participant& participant, LONG l_chosenRole, BOOL* p_changed) const
{
    if (p_changed != nullptr)
        *p_changed = TRUE;
    if (ShowsLoaded(l_chosenRole))
        return;
    if (iMode == 0) {
        if (l_chosenRole >= 0) {
            participant.SetByRole(TRUE);
            participant.SetRosterRoleKey(l_chosenRole);
        }
    } else if (iMode == 1) {
        // Styles chosen on the page are ordered. The participant's own
        // styles shown and left as they were keep their flag and their
        // stored order, so that an OK with nothing changed changes nothing.
        RosterStyleArray a_styles = Selection.ToRosterStyles();
        if (participant.GetByRole() || !SameRosterStyles(a_styles, participant.GetOwnRosterStyles())) {
            participant.SetByRole(FALSE);
            participant.GetOwnRosterStyles() = std::move(a_styles);
            participant.SetOrdered(1);
        }
    }
    participant.SetOwnRosterLim(Limit);
}

void RosterPageState::RestoreStored(Participant& participant, const Participant& stored)
{
    participant.SetByRole(stored.GetByRole());
    participant.SetRosterRoleKey(stored.GetRosterRoleKey());
    participant.GetOwnRosterStyles() = stored.GetOwnRosterStyles();
    participant.SetOrdered(stored.GetOrdered());
    participant.SetOwnRosterLim(stored.GetOwnRosterLim());
}

std::vector<std::pair<std::string, LONG>> RosterPageState::RoleEntries(const EventDoc& doc)
{
    std::vector<std::pair<std::string, LONG>> v_entries;
    const ParticipantRoleList& roles = doc.GetParticipantRoles();
    for (int i = 0; i < roles.GetCount(); ++i) {
        if (roles[i].GetRosterStyles().GetSize() > 0)
            v_entries.emplace_back(roles[i].GetName(), roles[i].GetKey());
    }
    std::stable_sort(v_entries.begin(), v_entries.end(),
                     [](const auto& a, const auto& b) { return std::strcmp(a.first.c_str(), b.first.c_str()) < 0; });
    return v_entries;
}

int RosterPageState::RoleEntryToSelect(const std::vector<std::pair<std::string, LONG>>& v_entries,
                                       const Participant& participant)
{
    if (v_entries.empty())
        return -1;
    const LONG l_key = participant.GetByRole() ? participant.GetRosterRoleKey() : participant.GetUsualRoleKey();
    for (std::size_t i = 0; i < v_entries.size(); ++i) {
        if (v_entries[i].second == l_key)
            return static_cast<int>(i);
    }
    return 0;
}

void RosterPageState::RefreshMode(const Participant& participant, const EventDoc& doc)
{
    const bool b_roleStyles = doc.GetParticipantRoles().GetNumRolesWithStyles() > 0;
    iMode = participant.GetByRole() && b_roleStyles ? 0 : 1;
    const auto v_entries = RoleEntries(doc);
    const int i_select = RoleEntryToSelect(v_entries, participant);
    lChosenRole = i_select >= 0 ? v_entries[static_cast<std::size_t>(i_select)].second : -1;
    iLoadedMode = iMode;
    lLoadedRole = lChosenRole;
    LoadedSelection = Selection;
    LoadedLimit = Limit;
}

bool RosterPageState::ShowsLoaded(LONG l_chosenRole) const
{
    // Every field of the limit, not only those its type uses: the boxes
    // keep the others and the stored form holds them.
    return iLoadedMode >= 0 && iMode == iLoadedMode && (iMode != 0 || l_chosenRole == lLoadedRole)
           && Selection == LoadedSelection && Limit.uType == LoadedLimit.uType && Limit.uValue == LoadedLimit.uValue
           && Limit.uMin == LoadedLimit.uMin && Limit.uMax == LoadedLimit.uMax;
}

RosterControls RosterPageState::GetControls(const Participant& participant, const EventDoc& doc) const
{
    RosterControls controls;
    const auto f_boxes = [&controls, this] {
        controls.bExactBox = controls.bLimitControls && Limit.uType == SchedLim::e_exact;
        controls.bMinBox = controls.bLimitControls && Limit.uType == SchedLim::e_range;
        controls.bMaxBox = controls.bMinBox;
    };
    if (bPrefs) {
        controls.bLimitControls = TRUE;
        f_boxes();
        return controls;
    }
    SortedKeyArray a_styleKeys;
    doc.GetGroupStyleKeys(a_styleKeys);
    if (a_styleKeys.GetSize() == 0)
        return controls;
    const bool b_roleStyles = doc.GetParticipantRoles().GetNumRolesWithStyles() > 0;
    controls.bStyleRadio = TRUE;
    if (iMode == 0 && b_roleStyles) {
        controls.bRoleRadio = TRUE;
        controls.bCombo = TRUE;
        return controls;
    }
    controls.bRoleRadio = b_roleStyles;
    controls.bList = TRUE;
    controls.bOrder = TRUE;
    controls.bLimitControls = Selection.GetSize() > 0;
    f_boxes();
    const ParticipantRoleList& roles = doc.GetParticipantRoles();
    const LONG l_usual = participant.GetUsualRoleKey();
    const int i_role = l_usual < 0 ? -1 : roles.FindByKey(l_usual);
    if (i_role >= 0) {
        controls.bRoleAreaShown = TRUE;
        const std::string s_name = roles[i_role].GetName();
        if (roles[i_role].GetRosterStyles().GetSize() == 0) {
            controls.sRoleText = FormatMessageId(IDS_ROSTER_ADD_ROLE, s_name);
            controls.sRoleButton = LoadResString(IDS_ROSTER_ADD_BUTTON, "&Add");
            controls.bRoleButtonEnabled = Selection.GetSize() > 0;
        } else {
            controls.sRoleText = FormatMessageId(IDS_ROSTER_UPDATE_ROLE, s_name);
            controls.sRoleButton = LoadResString(IDS_ROSTER_UPDATE_BUTTON, "&Update");
            controls.bRoleButtonEnabled = TRUE;
        }
    }
    return controls;
}

void RosterPageState::TakeRole(const EventDoc& doc, LONG l_roleKey)
{
    iMode = 0;
    lChosenRole = l_roleKey;
    const ParticipantRoleList& roles = doc.GetParticipantRoles();
    const int i_role = l_roleKey < 0 ? -1 : roles.FindByKey(l_roleKey);
    if (i_role < 0) {
        Selection.Load(RosterStyleArray());
        Limit = RosterLim();
        return;
    }
    Selection.Load(roles[i_role].GetRosterStyles());
    Limit = roles[i_role].GetRosterLim();
}

void RosterPageState::TakeParticipant(const Participant& participant, const EventDoc& doc)
{
    iMode = 1;
    Load(participant, doc);
}

void RosterPageState::ShownValues(UINT& u_exact, UINT& u_min, UINT& u_max) const
{
    u_exact = Limit.uValue;
    u_min = Limit.uMin;
    // As held, even below the minimum: the sheet refuses such a range, and
    // the boxes must show the user what to mend.
    u_max = Limit.uMax;
}

void RosterPageState::WriteLimit(UINT u_type, UINT u_exact, UINT u_min, UINT u_max)
{
    Limit.uType = u_type;
    if (u_type == SchedLim::e_exact) {
        Limit.uValue = u_exact;
    } else if (u_type == SchedLim::e_range) {
        Limit.uMin = u_min;
        Limit.uMax = std::min(u_max, kMaxRosterLimitValue);
    }
}

void RosterPageState::SetDefault(const Preferences& prefs) { Limit = prefs.GetPartRosterLim(); }

BOOL RosterPageState::SaveIntoRole(EventDoc& doc, const Participant& participant)
{
    ParticipantRoleList& roles = doc.GetParticipantRoles();
    const LONG l_usual = participant.GetUsualRoleKey();
    const int i_role = l_usual < 0 ? -1 : roles.FindByKey(l_usual);
    if (i_role < 0)
        return FALSE;
    const RosterStyleArray a_styles = Selection.ToRosterStyles();
    std::string s_message;
    if (!Limit.CheckStyles(s_message, a_styles)) {
        ShowMessageId(IDS_PARTICIPANT_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (ShowMessageId(IDS_ROSTER_CHANGE_ROLE_ASK, roles[i_role].GetName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    ParticipantRole& role = roles[i_role];
    role.GetRosterStyles() = a_styles;
    role.SetOrdered(1);
    role.SetRosterLim(Limit);
    iMode = 0;
    lChosenRole = l_usual;
    return TRUE;
}
