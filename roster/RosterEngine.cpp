#include "roster/RosterEngine.h"

#include "engine/Generator.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

const char* const kMinimumPassText = "Rostering to minimum limits...";
const char* const kMaximumPassText = "Rostering to maximum limits...";

const char* const kErrorsTitle = "Rostering errors";
const char* const kErrorsDescription =
    "Some participants are incorrectly rostered or could not be rostered according to your specification.  "
    "The following list shows participants and the styles that failed.";

// The working state of one maximum pass: per participant the numbers of
// styles still to place before its minimum and its maximum are reached and
// the style keys still to place; per style the participants still to place
// in it. A key placed is freed (-1) in both lists, not removed.
class StyleRoster {
public:
    struct PartStylesCount {
        int nRemainingMin = 0;
        int nRemainingMax = 0;
        KeyList Styles;
    };

    StyleRoster(const EventDoc* p_doc)
        : nStyles(p_doc->GetStyles().GetCount()), nParticipants(p_doc->GetParticipants().GetNumParticipants())
    {
        PartIndex.InitIndex(static_cast<UINT>(nParticipants));
        StyleIndex.InitIndex(static_cast<UINT>(nStyles));
    }

    // The participant wants the style: its key goes to the style's list
    // once, at the end; Fill hands the lists to the style index, the
    // styles in the order they were first met, as adding each key to the
    // index's list in turn would leave it. A list of thousands is made in
    // one go, not searched from its start for every key.
    void Add(LONG l_style, LONG l_part_key)
    {
        std::vector<LONG>& v_keys = StyleKeys[l_style];
        if (v_keys.empty())
            vStyleOrder.push_back(l_style);
        if (!v_keys.empty() && v_keys.back() == l_part_key)
            return;
        Places[l_style].emplace(l_part_key, static_cast<int>(v_keys.size()));
        v_keys.push_back(l_part_key);
    }
    void Fill()
    {
        for (const LONG l_style : vStyleOrder) {
            const std::vector<LONG>& v_keys = StyleKeys[l_style];
            KeyList keys(static_cast<int>(v_keys.size()));
            for (std::size_t i = 0; i < v_keys.size(); ++i)
                keys.SetAt(static_cast<int>(i), v_keys[i]);
            StyleIndex[l_style] = keys;
        }
    }
    // The participant's place in the style's list, which it leaves (-1
    // when it is not there).
    int TakePlace(LONG l_style, LONG l_part_key)
    {
        auto& places = Places[l_style];
        const auto it = places.find(l_part_key);
        if (it == places.end())
            return -1;
        const int i_place = it->second;
        places.erase(it);
        return i_place;
    }

    int nStyles;
    int nParticipants;
    ZelKeyIndex<PartStylesCount> PartIndex;
    ZelKeyIndex<KeyList> StyleIndex;

private:
    std::vector<LONG> vStyleOrder;
    std::unordered_map<LONG, std::vector<LONG>> StyleKeys;
    std::unordered_map<LONG, std::unordered_map<LONG, int>> Places;
};

} // namespace

int SlotTimeOrder::Compare(const Timeslot& a, const Timeslot& b, int i_mode) const
{
    return pDoc ? pDoc->CompareSlotTimes(a, b, i_mode) : 0;
}

// ---- errors ----

void RosterEngine::ErrorRecord::AddError(LONG l_part_key, LONG l_style_key, const std::string& s_message)
{
    Add(Error{l_part_key, l_style_key, s_message});
}

void RosterEngine::ErrorRecord::RemoveErrors(LONG l_part_key)
{
    for (int i = GetSize() - 1; i >= 0; --i) {
        if (GetAt(i).lParticipantKey == l_part_key)
            RemoveAt(i);
    }
}

void RosterEngine::ErrorRecord::RemoveErrors(LONG l_part_key, LONG l_style_key)
{
    for (int i = GetSize() - 1; i >= 0; --i) {
        if (GetAt(i).lParticipantKey == l_part_key && GetAt(i).lStyleKey == l_style_key)
            RemoveAt(i);
    }
}

// ---- construction ----

RosterEngine::RosterEngine(EventDoc* p_doc)
    : Counters(p_doc, p_doc->GetTimetable(), TRUE), pDoc(p_doc), pTimetable(p_doc->GetTimetable()),
      SlotOrder(p_doc)
{
    const int n_groups = pDoc->GetGroups().GetNumGroups();
    ClashLists.SetSize(n_groups);
    GroupPlacements.SetSize(n_groups);
    Errors.pDoc = pDoc;
    Errors.pTimetable = pTimetable;
    GroupIndex.InitIndex(static_cast<UINT>(n_groups));
    ChainGuards.InitIndex(static_cast<UINT>(n_groups));
}

RosterEngine::~RosterEngine() = default;

RosterEngine::Needs RosterEngine::GetNeeds(const EventDoc* p_doc, const Participant& part)
{
    Needs needs;
    const RosterStyleArray& a_styles = part.GetRosterStyles(p_doc, needs.bOrdered);
    for (int i = 0; i < a_styles.GetSize(); ++i) {
        if (a_styles[i].lStyleKey < 0)
            continue;
        needs.vStyles.push_back(a_styles[i].lStyleKey);
        needs.vOrders.push_back(a_styles[i].lOrder);
    }
    const UINT n_styles = static_cast<UINT>(needs.vStyles.size());
    const RosterLim& limit = part.GetRosterLim(p_doc);
    if (limit.uType == SchedLim::e_no_limits) {
        needs.nRequiredMin = static_cast<int>(n_styles);
        needs.nRequiredMax = static_cast<int>(n_styles);
    } else {
        needs.nRequiredMin = static_cast<int>(std::min(n_styles, limit.GetMin()));
        needs.nRequiredMax = static_cast<int>(std::min(n_styles, limit.GetMax()));
    }
    return needs;
}

std::string RosterEngine::GetSearchLevelName(int i_level, BOOL b_parenthesised)
{
    std::string s_name;
    switch (i_level) {
    case e_basic_search:
        s_name = "Basic search";
        break;
    case e_level2_search:
        s_name = "Level 2 search";
        break;
    case e_maximum_search:
        s_name = "Maximum search";
        break;
    default:
        return {};
    }
    return b_parenthesised ? "(" + s_name + ")" : s_name;
}

BOOL RosterEngine::IsGroupFull(int i_group) const
{
    const Group& group = pDoc->GetGroups()[i_group];
    return group.GetMembers().GetSize() >= group.GetMaxGroupSize() ? TRUE : FALSE;
}

// ---- posting ----

void RosterEngine::PostCode(int i_code)
{
    if (pPort)
        pPort->Post(RosterPost{i_code, -1, 0, {}});
}

void RosterEngine::PostText(int i_code, const std::string& s_text)
{
    if (pPort)
        pPort->Post(RosterPost{i_code, -1, 0, s_text});
}

void RosterEngine::CommitTry(RosterTransaction& trans)
{
    // Only the outermost commit makes changes final: an inner one may yet
    // be rolled back with the try around it.
    const BOOL b_final = trans.GetId() == 0;
    trans.Commit();
    if (b_final && pModified)
        pModified->store(true);
}

// ---- preparation ----

void RosterEngine::Prepare(BOOL b_minimum, std::atomic<bool>* p_modified, IRosterPostPort* p_port,
                           RosterStatus* p_status, const std::atomic<bool>* p_cancel, std::atomic<bool>* p_skip)
{
    // The receiver of the previous pass hears that a pass starts; a new
    // engine has none. The range is taken now, before the counters start
    // again.
    if (pPort) {
        RosterPost post{ROSTER_POST_PASS_START, b_minimum ? ROSTER_MINIMUM_PASS : ROSTER_MAXIMUM_PASS, 0, {}};
        if (p_status) {
            const RosterCounts counts = p_status->GetSnapshot();
            post.uRange = counts.nWithRostering;
            if (!b_minimum)
                post.uRange = counts.nWithRostering > counts.nToMaximum ? counts.nWithRostering - counts.nToMaximum : 0;
        }
        pPort->Post(post);
    }
    pPort = p_port;
    iPassFlag = b_minimum ? 1 : 0;
    if (p_status) {
        const std::string s_text = b_minimum ? kMinimumPassText : kMaximumPassText;
        p_status->SetPassText(s_text);
        PostText(ROSTER_POST_PASS_TEXT, s_text);
    }

    pMover = std::make_unique<RosterMove>(this);
    pModified = p_modified;
    pCancel = p_cancel;
    pSkip = p_skip;

    if (p_status)
        p_status->ClearPassCounters();
    Errors.RemoveAll();
    Counters.ResetCounts();
    Counters.CountTimetable();
    RebuildGroupData();
}

const std::string& RosterEngine::Text(UINT u_id) const
{
    static const std::string s_none;
    const auto it = Texts.find(u_id);
    return it == Texts.end() ? s_none : it->second;
}

int RosterEngine::FindParticipant(LONG l_part_key) const
{
    int i_part = -1;
    return PartKeys.Lookup(l_part_key, i_part) ? i_part : -1;
}

void RosterEngine::NoteMembership(int i_part, int i_group, BOOL b_joined)
{
    if (i_part < 0 || static_cast<std::size_t>(i_part) >= vPartGroups.size() || GroupPlacements[i_group].GetSize() == 0)
        return;
    std::vector<int>& v_groups = vPartGroups[static_cast<std::size_t>(i_part)];
    if (b_joined) {
        v_groups.push_back(i_group);
        return;
    }
    const auto it = std::find(v_groups.begin(), v_groups.end(), i_group);
    if (it != v_groups.end())
        v_groups.erase(it);
}

void RosterEngine::RebuildGroupData()
{
    const GroupList& groups = pDoc->GetGroups();
    const ParticipantList& participants = pDoc->GetParticipants();
    PartKeys.InitIndex(static_cast<UINT>(participants.GetNumParticipants()));
    for (int p = participants.GetNumParticipants() - 1; p >= 0; --p)
        PartKeys.SetAt(participants[p].GetKey(), p);
    for (int g = 0; g < ClashLists.GetSize(); ++g) {
        ClashLists[g].RemoveAll();
        GroupPlacements[g].RemoveAll();
    }
    GroupIndex.InitIndex(static_cast<UINT>(groups.GetNumGroups()));
    vLockedCells.clear();
    vCellGroups.clear();
    vStyleCells.clear();
    StyleCellIndex.InitIndex(static_cast<UINT>(pDoc->GetStyles().GetCount()));
    vDayIds.clear();
    vPartGroups.assign(static_cast<std::size_t>(participants.GetNumParticipants()), {});
    vClashPlaces.assign(static_cast<std::size_t>(ClashLists.GetSize()), {});
    vClashBits.clear();
    nClashWords = 0;
    RebuildRuleChecks();
    Texts.clear();
    for (const UINT u_id : {IDS_ROSTER_CHECK_AVAILABILITY, IDS_ROSTER_CHECK_SIZES, IDS_ROSTER_NO_GROUP,
                            IDS_ROSTER_CHECK_LIMITS})
        Texts[u_id] = LoadResString(u_id, "");
    if (pTimetable == nullptr)
        return;

    const Generator generator;
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        vDayIds.push_back(day.GetDayId());
        for (int v = 0; v < day.GetNumDocVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                if (!slot.IsLocked() || slot.GetGroup() < 0)
                    continue;
                const int i_group = groups.FindByKey(slot.GetGroup());
                if (i_group < 0 || i_group >= ClashLists.GetSize())
                    continue;
                generator.GetOverlappingGroups(pDoc, day, slot, ClashLists[i_group], TRUE);
                GroupIndex.SetAt(slot.GetGroup(), i_group);
                GroupPlacements[i_group].Add(TTLoc(d, v, s));

                const int i_cell = static_cast<int>(vLockedCells.size());
                vLockedCells.emplace_back(d, v, s);
                vCellGroups.push_back(i_group);
                const KeyList& styles = groups[i_group].GetStyles();
                for (int k = 0; k < styles.GetMaxKeys(); ++k) {
                    const LONG l_style = styles[k];
                    if (l_style < 0)
                        continue;
                    int i_entry = -1;
                    if (!StyleCellIndex.Lookup(l_style, i_entry)) {
                        i_entry = static_cast<int>(vStyleCells.size());
                        vStyleCells.emplace_back();
                        StyleCellIndex.SetAt(l_style, i_entry);
                    }
                    std::vector<int>& v_cells = vStyleCells[static_cast<std::size_t>(i_entry)];
                    if (v_cells.empty() || v_cells.back() != i_cell)
                        v_cells.push_back(i_cell);
                }
            }
        }
    }
    const int n_groups = ClashLists.GetSize();
    nClashWords = n_groups <= kMaxClashBitGroups ? (static_cast<std::size_t>(n_groups) + 63) / 64 : 0;
    vClashBits.assign(nClashWords * static_cast<std::size_t>(n_groups), 0);
    for (int g = 0; g < n_groups; ++g) {
        // The first place of a key, as a walk of the list finds it.
        const KeyList& clashes = ClashLists[g];
        std::vector<std::pair<LONG, int>>& v_places = vClashPlaces[static_cast<std::size_t>(g)];
        for (int i = 0; i < clashes.GetMaxKeys(); ++i) {
            v_places.emplace_back(clashes[i], i);
            const int i_clash = clashes[i] < 0 ? -1 : groups.FindByKey(clashes[i]);
            if (nClashWords > 0 && i_clash >= 0)
                vClashBits[static_cast<std::size_t>(g) * nClashWords + static_cast<std::size_t>(i_clash) / 64] |=
                    std::uint64_t{1} << (i_clash % 64);
        }
        std::sort(v_places.begin(), v_places.end());
    }
    for (int g = 0; g < GroupPlacements.GetSize(); ++g) {
        if (GroupPlacements[g].GetSize() == 0)
            continue;
        const GroupMembers& members = groups[g].GetMembers();
        for (int m = 0; m < members.GetSize(); ++m) {
            const int i_part = FindParticipant(members[m].lParticipantKey);
            if (i_part >= 0)
                vPartGroups[static_cast<std::size_t>(i_part)].push_back(g);
        }
    }
}

// ---- the minimum pass ----

BOOL RosterEngine::RosterToMinimum(std::atomic<bool>* p_modified, IRosterPostPort* p_port, RosterStatus* p_status,
                                   const std::atomic<bool>* p_cancel)
{
    Prepare(TRUE, p_modified, p_port, p_status, p_cancel, nullptr);
    BOOL b_result = TRUE;
    ParticipantList& participants = pDoc->GetParticipants();
    ZelArray<int> a_failures;

    for (int p = 0; p < participants.GetNumParticipants(); ++p) {
        const Participant& part = participants[p];
        const Needs needs = GetNeeds(pDoc, part);
        if (needs.vStyles.empty())
            continue;
        if (p_status) {
            p_status->SetParticipantText(part.GetFullName());
            PostText(ROSTER_POST_PARTICIPANT_TEXT, part.GetFullName());
        }
        BOOL b_placed = FALSE;
        if (needs.bOrdered) {
            b_placed = PlaceFirstOrdered(p, p_status);
        } else if (p_status) {
            // Styles without order skip the first attempt; the failure is
            // counted all the same, so that the retry's success has one
            // to take back.
            p_status->AddError();
        }
        if (!b_placed) {
            b_result = FALSE;
            a_failures.Add(p);
        } else {
            Errors.RemoveErrors(part.GetKey());
            PostCode(ROSTER_POST_PARTICIPANT_DONE);
        }
        if (IsCancelled())
            break;
    }

    if (!IsCancelled() && !b_result) {
        BOOL b_any_retry = FALSE;
        BOOL b_stop = FALSE;
        for (int i = a_failures.GetSize() - 1; i >= 0 && !b_stop; --i) {
            const int p = a_failures[i];
            const LONG l_part_key = participants[p].GetKey();
            for (int i_level = e_level2_search; i_level <= e_maximum_search; ++i_level) {
                if (!AnyGroupWithRoom()) {
                    Errors.AddError(l_part_key, -1, LoadResString(IDS_ROSTER_ALL_FULL, ""));
                    if (p_status)
                        p_status->AddError();
                    b_stop = TRUE;
                    break;
                }
                if (SearchParticipant(p, p_status, i_level, -1)) {
                    a_failures.RemoveAt(i);
                    Errors.RemoveErrors(l_part_key);
                    if (p_status)
                        p_status->RemoveError();
                    PostCode(ROSTER_POST_PARTICIPANT_DONE);
                    b_any_retry = TRUE;
                    break;
                }
                if (IsCancelled()) {
                    b_stop = TRUE;
                    break;
                }
            }
        }
        if (b_any_retry)
            b_result = a_failures.GetSize() == 0 ? TRUE : FALSE;
    }
    return b_result;
}

BOOL RosterEngine::PlaceFirstOrdered(int i_part, RosterStatus* p_status)
{
    const Participant& part = pDoc->GetParticipants()[i_part];
    const Needs needs = GetNeeds(pDoc, part);
    BoundaryArray a_bounds;
    BuildStyleSlots(i_part, needs, a_bounds);
    int n_held = 0;
    for (int i = 0; i < a_bounds.GetSize(); ++i)
        n_held += a_bounds[i].bHeld ? 1 : 0;

    BOOL b_failed = FALSE;
    for (int i = 0; i < a_bounds.GetSize(); ++i) {
        if ((iPassFlag && n_held >= needs.nRequiredMin) || n_held == needs.nRequiredMax)
            break;
        if (a_bounds[i].bHeld)
            continue;
        if (IsCancelled())
            break;
        const LONG l_style = a_bounds[i].lStyleKey;
        BOOL b_moved = FALSE;
        std::string s_message;
        if (FindSlot(i_part, l_style, b_moved, s_message, a_bounds[i].pFirst, a_bounds[i].pLast)) {
            ++n_held;
            a_bounds[i].bHeld = 1;
            Errors.RemoveErrors(part.GetKey(), l_style);
            if (b_moved)
                BuildStyleSlots(i_part, needs, a_bounds);
            UpdateBoundaries(i_part, i, a_bounds);
        } else {
            Errors.AddError(part.GetKey(), l_style, s_message);
            b_failed = TRUE;
        }
    }
    if (b_failed && n_held >= needs.nRequiredMin)
        b_failed = FALSE;
    if (p_status) {
        if (b_failed)
            p_status->AddError();
        else
            p_status->AddToMinimum();
        if (n_held == needs.nRequiredMax)
            p_status->AddToMaximum();
    }
    return b_failed ? FALSE : TRUE;
}

// ---- the maximum pass ----

void RosterEngine::RosterToMaximum(std::atomic<bool>* p_modified, IRosterPostPort* p_port, RosterStatus* p_status,
                                   const std::atomic<bool>* p_cancel, std::atomic<bool>* p_skip)
{
    Prepare(FALSE, p_modified, p_port, p_status, p_cancel, p_skip);
    ParticipantList& participants = pDoc->GetParticipants();

    StyleRoster roster(pDoc);
    for (int p = participants.GetNumParticipants() - 1; p >= 0; --p) {
        const Participant& part = participants[p];
        const Needs needs = GetNeeds(pDoc, part);
        StyleRoster::PartStylesCount counts;
        counts.nRemainingMin = needs.nRequiredMin;
        counts.nRemainingMax = needs.nRequiredMax;
        for (const LONG l_style : needs.vStyles) {
            roster.Add(l_style, part.GetKey());
            counts.Styles.Add(l_style);
        }
        if (needs.vStyles.empty()) {
            counts.nRemainingMin = 0;
            counts.nRemainingMax = 0;
        }
        roster.PartIndex.SetAt(part.GetKey(), counts);
    }
    roster.Fill();

    BOOL b_stopped = FALSE;
    for (int i_level = e_basic_search; i_level <= e_maximum_search && !IsCancelled() && !b_stopped; ++i_level) {
        BOOL b_sweep_again = TRUE;
        while (b_sweep_again && !IsCancelled() && !b_stopped) {
            b_sweep_again = FALSE;
            if (roster.StyleIndex.IsEmpty())
                break;
            roster.StyleIndex.SetToStart();
            LONG l_style = -1;
            KeyList keys;
            while (!b_sweep_again && !IsCancelled() && !b_stopped && roster.StyleIndex.GetNext(l_style, keys)) {
                BOOL b_success = FALSE;
                for (int j = keys.GetMaxKeys() - 1; j >= 0 && !IsCancelled() && !b_stopped; --j) {
                    if (!AnyGroupWithRoom()) {
                        Errors.AddError(-1, l_style, LoadResString(IDS_ROSTER_ALL_FULL, ""));
                        if (p_status)
                            p_status->AddError();
                        b_stopped = TRUE;
                        break;
                    }
                    const LONG l_part_key = keys[j];
                    if (l_part_key < 0)
                        continue;
                    const int p = FindParticipant(l_part_key);
                    if (p < 0 || GetNeeds(pDoc, participants[p]).vStyles.empty())
                        continue;
                    if (SearchParticipant(p, p_status, i_level, l_style)) {
                        b_success = TRUE;
                        KeyList& live_keys = roster.StyleIndex[l_style];
                        const int i_slot = roster.TakePlace(l_style, l_part_key);
                        if (i_slot >= 0)
                            live_keys.SetAt(i_slot, -1);
                        StyleRoster::PartStylesCount& counts = roster.PartIndex[l_part_key];
                        const int i_style_slot = counts.Styles.Find(l_style);
                        if (i_style_slot >= 0)
                            counts.Styles.SetAt(i_style_slot, -1);
                        if (counts.nRemainingMin > 0 && --counts.nRemainingMin == 0 && p_status)
                            p_status->AddToMinimum();
                        if (counts.nRemainingMax > 0 && --counts.nRemainingMax == 0 && p_status)
                            p_status->AddToMaximum();
                        if (counts.nRemainingMax == 0) {
                            Errors.RemoveErrors(l_part_key, l_style);
                            PostCode(ROSTER_POST_PARTICIPANT_DONE);
                        }
                    }
                    if (pSkip && pSkip->load())
                        pSkip->store(false);
                }
                // A level ends only after a whole sweep without success.
                if (b_success)
                    b_sweep_again = TRUE;
            }
        }
    }
}

// ---- recount ----

BOOL RosterEngine::Recount(BOOL b_before_run, RosterStatus* p_status)
{
    if (p_status)
        p_status->ClearCounters();
    Errors.RemoveAll();
    RebuildGroupData();

    BOOL b_all_right = TRUE;
    const ParticipantList& participants = pDoc->GetParticipants();
    for (int p = 0; p < participants.GetNumParticipants(); ++p) {
        const Participant& part = participants[p];
        const Needs needs = GetNeeds(pDoc, part);
        if (needs.vStyles.empty())
            continue;
        if (p_status)
            p_status->AddWithRostering();

        const LONG l_part_key = part.GetKey();
        int n_held = 0;
        BOOL b_in_error = FALSE;
        std::vector<LONG> v_missing;
        const Timeslot* p_remembered = nullptr;
        const std::size_t n_styles = needs.vStyles.size();
        for (std::size_t i = 0; i < n_styles; ++i) {
            const LONG l_style = needs.vStyles[i];
            std::vector<const Timeslot*> a_slots;
            KeyList group_keys;
            CollectStyleSlots(p, l_style, a_slots, group_keys);
            if (a_slots.empty()) {
                v_missing.push_back(l_style);
                continue;
            }
            ++n_held;
            if (group_keys.GetCount() >= 2) {
                if (p_status)
                    p_status->AddError();
                Errors.AddError(l_part_key, l_style, LoadResString(IDS_ROSTER_MULTIPLE_GROUPS, ""));
                b_in_error = TRUE;
            } else if (p_remembered && SlotOrder.Compare(*a_slots.front(), *p_remembered, 1) < 0) {
                if (p_status)
                    p_status->AddError();
                Errors.AddError(l_part_key, l_style, LoadResString(IDS_ROSTER_OUT_OF_ORDER, ""));
                b_in_error = TRUE;
            }
            p_remembered = nullptr;
            if (needs.bOrdered && (i + 1 == n_styles || needs.vOrders[i + 1] != needs.vOrders[i]))
                p_remembered = a_slots.back();
        }

        if (!b_before_run && n_held < needs.nRequiredMin) {
            if (p_status)
                p_status->AddError();
            const std::string s_message = FormatMessageId2(IDS_ROSTER_NOT_COMPLETE, std::to_string(needs.nRequiredMin),
                                                           std::to_string(n_held));
            for (const LONG l_style : v_missing)
                Errors.AddError(l_part_key, l_style, s_message);
            b_in_error = TRUE;
        } else if (!b_in_error && p_status) {
            if (n_held < needs.nRequiredMin) {
                p_status->AddToBeRostered();
            } else {
                p_status->AddToMinimum();
                if (n_held == needs.nRequiredMax)
                    p_status->AddToMaximum();
            }
        }
        if (b_in_error)
            b_all_right = FALSE;
    }
    return b_all_right;
}

// ---- un-rostering ----

int RosterEngine::Unroster(BOOL* p_changed, int n_selected, const KeyList& keys)
{
    ZelWaitCursor wait;
    *p_changed = FALSE;
    const ParticipantList& participants = pDoc->GetParticipants();
    GroupList& groups = pDoc->GetGroups();
    for (int p = 0; p < participants.GetNumParticipants(); ++p) {
        const LONG l_part_key = participants[p].GetKey();
        if (n_selected >= 1 && keys.Find(l_part_key) < 0)
            continue;
        for (int g = 0; g < groups.GetNumGroups(); ++g) {
            const GroupMembers& members = static_cast<const Group&>(groups[g]).GetMembers();
            const int i_member = members.Find(l_part_key);
            if (i_member < 0 || !members[i_member].bRostered)
                continue;
            GroupMembers remaining(members);
            remaining.RemoveAt(i_member);
            groups[g].GetMembers() = remaining;
            groups[g].InvalidateAvailabilityCache();
            *p_changed = TRUE;
        }
    }
    return 1;
}

// ---- the error report ----

RosterErrorTable RosterEngine::GetErrorTable() const
{
    RosterErrorTable table;
    table.sTitle = kErrorsTitle;
    table.sDescription = kErrorsDescription;
    table.vColumns = {"Participant", "Style", "More information"};
    const ParticipantList& participants = pDoc->GetParticipants();
    const StyleList& styles = pDoc->GetStyles();
    for (int i = 0; i < Errors.GetSize(); ++i) {
        const Error& error = Errors[i];
        std::string s_participant;
        std::string s_style;
        if (error.lParticipantKey != -1) {
            const int i_part = participants.FindByKey(error.lParticipantKey);
            if (i_part >= 0)
                s_participant = participants[i_part].GetFullName();
        }
        if (error.lStyleKey != -1) {
            const int i_style = styles.FindByKey(error.lStyleKey);
            if (i_style >= 0)
                s_style = styles[i_style].GetName();
        }
        table.vRows.push_back({s_participant, s_style, error.sMessage});
    }
    return table;
}

void RosterEngine::ViewErrors() const
{
    GetRosterReportPort().ShowReport(GetErrorTable());
}
