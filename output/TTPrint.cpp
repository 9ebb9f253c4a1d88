#include "output/TTPrint.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "model/GroupList.h"
#include "model/Participant.h"
#include "model/PrintOptions.h"
#include "model/Timetable.h"
#include "model/Venue.h"
#include "output/PrintColumns.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <algorithm>
#include <set>

namespace {

const PrintFont kHeadingFont = PrintFont::Swiss(11);
const PrintFont kCellFont = PrintFont::Swiss(10);
const PrintFont kLabelFont = PrintFont::Swiss(9);
const PrintFont kTitleFont = PrintFont::Roman(24);
const PrintFont kItemFont = PrintFont::Swiss(14);
const PrintFont kFooterFont = PrintFont::Roman(10);
const PrintFont kFooterItalic = PrintFont::Roman(10, true);
const PrintFont kFileFont = PrintFont::Swiss(8);
constexpr int kPen = 4;
constexpr const char* kTimeFormat = "%d-%b-%Y %H:%M:%S";

std::int64_t Ticks(const CHighTimeSpan& span) { return static_cast<std::int64_t>(span); }
std::int64_t Seconds(std::int64_t ll_ticks) { return CHighTimeSpan(ll_ticks).GetTotalSeconds(); }

struct TextSize {
    int cx = 0;
    int cy = 0;
};

// The size of a text of "\r\n"-joined lines in the current font.
TextSize MeasureLines(IPrintCanvas& dc, const std::string& s_text)
{
    TextSize size;
    int n_lines = 0;
    std::size_t u_from = 0;
    while (u_from <= s_text.size()) {
        std::size_t u_end = s_text.find('\n', u_from);
        if (u_end == std::string::npos)
            u_end = s_text.size();
        size.cx = std::max<int>(size.cx, PrintColumns::GetTextWidth(dc, s_text.substr(u_from, u_end - u_from)));
        ++n_lines;
        u_from = u_end + 1;
    }
    size.cy = n_lines * static_cast<int>(dc.LineHeight());
    return size;
}

int CountLines(const std::string& s_text) { return 1 + static_cast<int>(std::count(s_text.begin(), s_text.end(), '\n')); }

// The text cut at its end to the width in the current font, "..." marking
// the cut; empty when not one character of it fits.
std::string CutToWidth(IPrintCanvas& dc, const std::string& s_text, int i_width)
{
    std::string s = s_text;
    while (!s.empty()) {
        s.pop_back();
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        if (!s.empty() && PrintColumns::GetTextWidth(dc, s + "...") <= i_width)
            return s + "...";
    }
    return s;
}

} // namespace

// ------------------------------------------------------------------ TTPrint

TTPrint::TTPrint(const EventDoc* p_doc, const std::string& s_title, int i_item)
    : pDoc(p_doc), iItem(i_item), sTitle(s_title)
{
    const Timetable* p_tt = pDoc != nullptr ? pDoc->GetTimetable() : nullptr;
    bHasTimetable = p_tt != nullptr && pDoc->GetVenues().GetNumVenues() > 0 && pDoc->HasDaysAndTimeslots();
    if (pDoc != nullptr) {
        const LONG e_printBy = pDoc->GetPrintOptions().ePrintBy;
        if (e_printBy >= eDays && e_printBy <= eParts)
            eWhat = static_cast<What>(e_printBy);
        else
            ZEL_ASSERT(FALSE);
    }
    if (!bHasTimetable)
        return;
    nDays = p_tt->GetNumDays();
    nVenues = pDoc->GetVenues().GetNumVenues();
    if (eWhat == eGroups && iItem >= 0 && iItem < pDoc->GetGroups().GetNumGroups())
        lItemKey = pDoc->GetGroups()[iItem].GetKey();
    if (eWhat == eParts && iItem >= 0 && iItem < pDoc->GetParticipants().GetNumParticipants())
        lItemKey = pDoc->GetParticipants()[iItem].GetKey();
    if (eWhat == eDays) {
        if (iItem >= 0 && iItem < nDays)
            p_tt->GetDay(iItem).GetAllSlotDefs(SlotDefs);
    } else {
        for (int d = 0; d < nDays; ++d)
            p_tt->GetDay(d).AddAllSlotDefs(SlotDefs);
    }
}

TTPrint::~TTPrint() = default;

BOOL TTPrint::SelectFont(IPrintCanvas& dc, const PrintFont& font, bool b_bold, bool b_underline)
{
    if (auto* p_styled = dynamic_cast<IStyledFontCanvas*>(&dc))
        return p_styled->SelectStyledFont(font, b_bold, b_underline);
    return dc.SelectFont(font);
}

std::string TTPrint::WrapText(IPrintCanvas& dc, const std::string& s_text, int i_width, int& n_lines)
{
    if (i_width < 1)
        i_width = std::max(30, dc.GetDeviceCaps(HORZRES) / 5);
    n_lines = 1;
    if (PrintColumns::GetTextWidth(dc, s_text) <= i_width)
        return s_text;
    ZelStringArray a_words;
    PrintColumns::SplitWords(s_text, a_words);
    std::string s_out, s_line;
    for (int i = 0; i < a_words.GetSize(); ++i) {
        const std::string& s_word = a_words[i];
        if (!s_line.empty() && PrintColumns::GetTextWidth(dc, s_line + s_word) > i_width) {
            s_out += s_line + "\r\n";
            ++n_lines;
            s_line.clear();
        }
        s_line += s_word;
    }
    s_out += s_line;
    return s_out;
}

int TTPrint::FirstDay() const { return eWhat == eDays ? iItem : 0; }
int TTPrint::EndDay() const { return eWhat == eDays ? iItem + 1 : nDays; }

const Group* TTPrint::PlacedGroup(const Timeslot& slot) const
{
    if (slot.GetGroup() < 0)
        return nullptr;
    const int i_group = pDoc->GetGroups().FindByKey(slot.GetGroup());
    return i_group < 0 ? nullptr : &pDoc->GetGroups()[i_group];
}

bool TTPrint::Belongs(const Timeslot& slot) const
{
    const Group* p_group = PlacedGroup(slot);
    if (p_group == nullptr)
        return false;
    switch (eWhat) {
    case eDays: return true;
    case eGroups: return p_group->GetKey() == lItemKey;
    case eVenues: return slot.GetVenue() == iItem;
    case eParts: return lItemKey >= 0 && p_group->GetMembers().HasMember(lItemKey);
    }
    return false;
}

bool TTPrint::IsEmptyDef(const Day::SlotDef& def) const
{
    const Timetable* p_tt = pDoc->GetTimetable();
    for (int d = FirstDay(); d < EndDay(); ++d) {
        const Day& day = p_tt->GetDay(d);
        for (int v = 0; v < day.GetNumDocVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                if (a_slots[i].GetStartOffset() == def.Start && a_slots[i].GetSpan() == def.Length
                    && Belongs(a_slots[i]))
                    return false;
            }
        }
    }
    return true;
}

bool TTPrint::UsesCombinations() const
{
    return pDoc->GetPrintOptions().bCombinations && (eWhat == eDays || eWhat == eVenues)
           && pDoc->GetCombinations().GetCount() > 0;
}

std::string TTPrint::TimeText(std::int64_t ll_ticks) const
{
    // The time of day in the library's own 24-hour or 12-hour form, the
    // form the screen shows the event's times in ("9:30am", not "09:30am").
    const ZelOleDateTime o_time(Timeslot::GetBaseDate() + CHighTimeSpan(ll_ticks));
    if (pDoc->GetEventDef().GetDayDef().Is24Hour())
        return o_time.FormatHHMM();
    return o_time.FormatAMPM(TRUE);
}

std::string TTPrint::ColumnTitle(const Column& col) const
{
    if (eWhat == eDays)
        return pDoc->GetVenues()[col.iSource].GetName();
    return pDoc->GetTimetable()->GetDay(col.iSource).GetName();
}

std::string TTPrint::CellText(const Timeslot& slot) const
{
    const Group* p_group = PlacedGroup(slot);
    if (p_group == nullptr)
        return {};
    const int i_venue = slot.GetVenue();
    const std::string s_venue =
        i_venue >= 0 && i_venue < nVenues ? pDoc->GetVenues()[i_venue].GetName() : std::string();
    switch (eWhat) {
    case eDays:
    case eVenues: return p_group->GetName();
    case eGroups: {
        std::string s_text = s_venue;
        if (pDoc->GetPrintOptions().bCombinations && slot.GetCombinationKey() >= 0) {
            const int i_comb = pDoc->GetCombinations().FindByKey(slot.GetCombinationKey());
            if (i_comb >= 0)
                s_text += "(" + pDoc->GetCombinations()[i_comb].GetName() + ")";
        }
        return s_text;
    }
    case eParts: return p_group->GetName() + "(" + s_venue + ")";
    }
    return {};
}

std::string TTPrint::WrappedCellText(IPrintCanvas& dc, const Timeslot& slot, int i_width, int& n_lines) const
{
    std::string s_text = WrapText(dc, CellText(slot), i_width, n_lines);
    if (!pDoc->GetPrintOptions().bGroupMembers)
        return s_text;
    const Group* p_group = PlacedGroup(slot);
    if (p_group == nullptr)
        return s_text;
    if (i_width < 1)
        i_width = std::max(30, dc.GetDeviceCaps(HORZRES) / 5);
    const MeasureText f_measure = [&dc](const std::string& s_line) {
        LONG i_cx = 0, i_cy = 0;
        dc.GetTextExtent(s_line, i_cx, i_cy);
        return TextExtent{i_cx, i_cy};
    };
    const std::string s_members = p_group->GetMembersText(pDoc, i_width, FALSE, TRUE, f_measure);
    if (!s_members.empty()) {
        s_text += "\r\n" + s_members;
        n_lines = CountLines(s_text);
    }
    return s_text;
}

void TTPrint::GetPageCounts(IPrintCanvas& dc, int& n_across, int& n_down)
{
    n_across = n_down = 0;
    if (!bHasTimetable)
        return;
    if (!pLayout)
        BuildLayout(dc);
    n_across = static_cast<int>(pLayout->HorzPages.size());
    n_down = pLayout->nVertPages;
}

int TTPrint::GetPageTotal(IPrintCanvas& dc)
{
    int n_across = 0, n_down = 0;
    GetPageCounts(dc, n_across, n_down);
    return n_across * n_down;
}

// ------------------------------------------------------------------ layout

void TTPrint::BuildLayout(IPrintCanvas& dc)
{
    pLayout = std::make_unique<Layout>();
    Layout& lay = *pLayout;
    const PrintOptions& opts = pDoc->GetPrintOptions();
    const Timetable* p_tt = pDoc->GetTimetable();
    const PrintFont previous = dc.GetFont();

    const int i_horz = dc.GetDeviceCaps(HORZRES), i_vert = dc.GetDeviceCaps(VERTRES);
    lay.rcPage = ZelRect(0, 0, i_horz, i_vert);
    const int i_headerHeight = i_vert / 10;
    lay.rcHeader = ZelRect(0, 0, i_horz, i_headerHeight);
    lay.rcFooter = ZelRect(0, i_vert - i_headerHeight / 2, i_horz, i_vert);
    lay.rcBody = ZelRect(0, lay.rcHeader.bottom, i_horz, lay.rcFooter.top);
    lay.iGrid = opts.bGridLines ? kPen : 0;

    BuildColumns(lay);

    // Column headings.
    SelectFont(dc, kHeadingFont, true);
    for (const Column& col : lay.Columns) {
        int n_lines = 0;
        const TextSize size = MeasureLines(dc, WrapText(dc, ColumnTitle(col), -1, n_lines));
        lay.iHeadingWidth = std::max(lay.iHeadingWidth, size.cx);
        lay.iHeadingTextHeight = std::max(lay.iHeadingTextHeight, size.cy);
    }
    if (lay.iHeadingTextHeight == 0)
        lay.iHeadingTextHeight = static_cast<int>(dc.LineHeight());
    // Time labels over every slot of the days in range.
    if (opts.eTimeLabels != 2) {
        SelectFont(dc, kLabelFont, true);
        // Every slot's start and end, each distinct time measured once.
        std::set<std::int64_t> s_times;
        for (int d = 0; d < nDays; ++d) {
            const Day& day = p_tt->GetDay(d);
            for (int v = 0; v < day.GetNumDocVenues(); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    s_times.insert(Ticks(a_slots[i].GetStartOffset()));
                    s_times.insert(Ticks(a_slots[i].GetEndOffset()));
                }
            }
        }
        for (const std::int64_t ll_time : s_times) {
            LONG i_cx = 0, i_cy = 0;
            dc.GetTextExtent(TimeText(ll_time), i_cx, i_cy);
            lay.iLabelWidth = std::max<int>(lay.iLabelWidth, i_cx);
            lay.iLabelHeight = std::max<int>(lay.iLabelHeight, i_cy);
        }
    }
    // Cell texts, wrapped at the default width. The measure takes the
    // whole text a cell prints, its members included, so that the rows
    // are made tall enough for every line of it.
    SelectFont(dc, kCellFont);
    std::vector<const Timeslot*> v_cells;
    for (const Column& col : lay.Columns)
        v_cells.insert(v_cells.end(), col.Slots.begin(), col.Slots.end());
    for (const Timeslot* p_slot : v_cells) {
        int n_lines = 0;
        const TextSize size = MeasureLines(dc, WrappedCellText(dc, *p_slot, -1, n_lines));
        lay.iCellWidth = std::max(lay.iCellWidth, size.cx);
        lay.iCellHeight = std::max(lay.iCellHeight, size.cy);
    }
    if (lay.iCellHeight == 0)
        lay.iCellHeight = static_cast<int>(dc.LineHeight());
    lay.iLineHeight = std::max({lay.iHeadingTextHeight, lay.iLabelHeight, lay.iCellHeight});
    lay.iPadding = std::min(40, (lay.iLineHeight + 5) / 6);
    const int i_textWidth = std::max(lay.iCellWidth, lay.iHeadingWidth);
    lay.iColumnWidth = i_textWidth + 2 * lay.iPadding + lay.iGrid;
    // The cells again, at the column's width.
    lay.iCellHeight = 0;
    for (const Timeslot* p_slot : v_cells) {
        int n_lines = 0;
        lay.iCellHeight =
            std::max(lay.iCellHeight, MeasureLines(dc, WrappedCellText(dc, *p_slot, i_textWidth, n_lines)).cy);
    }
    if (lay.iCellHeight == 0)
        lay.iCellHeight = static_cast<int>(dc.LineHeight());
    lay.iLineHeight = std::max({lay.iHeadingTextHeight, lay.iLabelHeight, lay.iCellHeight});
    lay.iLabelColumnWidth = opts.eTimeLabels == 2 ? 0 : lay.iLabelWidth * 3 / 2 + 2 * lay.iPadding;

    // Rows: at least a line; with combination names, room for the name
    // above the shortest run's groups.
    lay.iMinRowHeight = lay.iLineHeight;
    if (UsesCombinations()) {
        int n_shortest = 0;
        for (const Column& col : lay.Columns) {
            const TimeslotArray* p_slots = nullptr;
            for (int d = FirstDay(); d < EndDay(); ++d) {
                const Day& day = p_tt->GetDay(d);
                const int i_venue = eWhat == eDays ? col.iSource : iItem;
                if (eWhat == eVenues && d != col.iSource)
                    continue;
                if (i_venue < 0 || i_venue >= day.GetNumDocVenues())
                    continue;
                p_slots = &day.GetVenueSlots(i_venue);
                for (int i = 0; i < p_slots->GetSize();) {
                    const LONG l_comb = (*p_slots)[i].GetCombinationKey();
                    int n = 1;
                    while (i + n < p_slots->GetSize() && l_comb >= 0
                           && (*p_slots)[i + n].GetCombinationKey() == l_comb)
                        ++n;
                    if (l_comb >= 0 && (n_shortest == 0 || n < n_shortest))
                        n_shortest = n;
                    i += n;
                }
            }
        }
        if (n_shortest > 0)
            lay.iMinRowHeight = (n_shortest + 1) * lay.iMinRowHeight / n_shortest;
    }
    lay.iMinRowHeight += 2 * lay.iPadding + lay.iGrid;
    lay.iHeadingHeight = lay.iHeadingTextHeight + 2 * (lay.iPadding + lay.iGrid);

    // The time range of the days in range.
    bool b_first = true;
    for (int d = FirstDay(); d < EndDay(); ++d) {
        const Day& day = p_tt->GetDay(d);
        for (int v = 0; v < day.GetNumDocVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                const std::int64_t ll_start = Ticks(a_slots[i].GetStartOffset());
                const std::int64_t ll_end = Ticks(a_slots[i].GetEndOffset());
                const std::int64_t ll_length = ll_end - ll_start;
                if (b_first || ll_length < lay.llShortest)
                    lay.llShortest = ll_length;
                if (b_first || ll_start < lay.llEarliest)
                    lay.llEarliest = ll_start;
                if (b_first || ll_end > lay.llLatest)
                    lay.llLatest = ll_end;
                b_first = false;
            }
        }
    }
    lay.llScaleSeconds = std::max<std::int64_t>(1, Seconds(lay.llShortest) / std::max(1, lay.iMinRowHeight));

    BuildLabelGroups(lay);
    if (opts.eSlotHeight == 1)
        BuildConstantRows(lay);
    else
        BuildProportionalRows(lay);
    BuildBands(lay);
    dc.SelectFont(previous);
}

void TTPrint::BuildColumns(Layout& lay)
{
    const Timetable* p_tt = pDoc->GetTimetable();
    auto add_slot = [&](Column& col, const Timeslot& slot) {
        col.Slots.push_back(&slot);
    };
    if (eWhat == eDays) {
        if (iItem < 0 || iItem >= nDays)
            return;
        const Day& day = p_tt->GetDay(iItem);
        for (int v = 0; v < day.GetNumDocVenues(); ++v) {
            Column col;
            col.iSource = v;
            day.GetVenueSlotDefs(col.Defs, v);
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int i = 0; i < a_slots.GetSize(); ++i) {
                if (Belongs(a_slots[i]))
                    add_slot(col, a_slots[i]);
            }
            col.bExcluded = col.Slots.empty();
            lay.Columns.push_back(std::move(col));
        }
        // A day on which nothing is placed still shows its timeslots when
        // all of them are asked for: its time axis stands alone, without
        // the venues that hold nothing.
        const bool b_empty = std::all_of(lay.Columns.begin(), lay.Columns.end(),
                                         [](const Column& col) { return col.bExcluded; });
        if (b_empty && !lay.Columns.empty() && pDoc->GetPrintOptions().bAllTimeslots && SlotDefs.GetSize() > 0) {
            Column& axis = lay.Columns.front();
            axis.bExcluded = false;
            axis.bAxisOnly = true;
            axis.Defs = SlotDefs;
        }
    } else {
        for (int d = 0; d < nDays; ++d) {
            const Day& day = p_tt->GetDay(d);
            Column col;
            col.iSource = d;
            for (int v = 0; v < day.GetNumDocVenues(); ++v) {
                if (eWhat == eVenues && v != iItem)
                    continue;
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int i = 0; i < a_slots.GetSize(); ++i) {
                    if (Belongs(a_slots[i])) {
                        add_slot(col, a_slots[i]);
                        col.Defs.Merge(Day::SlotDef(a_slots[i].GetStartOffset(), a_slots[i].GetSpan()));
                    }
                }
            }
            std::sort(col.Slots.begin(), col.Slots.end(), [](const Timeslot* p_a, const Timeslot* p_b) {
                return p_a->GetStartOffset() < p_b->GetStartOffset();
            });
            col.bExcluded = col.Slots.empty();
            lay.Columns.push_back(std::move(col));
        }
    }
    for (Column& col : lay.Columns) {
        if (col.Defs.GetSize() == 0)
            continue;
        col.llStart = Ticks(col.Defs[0].Start);
        col.llEnd = Ticks(col.Defs[col.Defs.GetLatestEnd()].GetEnd());
    }
}

void TTPrint::BuildLabelGroups(Layout& lay)
{
    const PrintOptions& opts = pDoc->GetPrintOptions();
    const bool b_constant = opts.eSlotHeight == 1;
    int i_owner = -1;
    for (int c = 0; c < static_cast<int>(lay.Columns.size()); ++c) {
        Column& col = lay.Columns[static_cast<std::size_t>(c)];
        col.iLabelOwner = c;
        if (col.bExcluded)
            continue;
        bool b_new = i_owner < 0 || (b_constant && !opts.bGridLines);
        if (!b_new) {
            const Day::SlotArray& a_owner = lay.Columns[static_cast<std::size_t>(i_owner)].Defs;
            if (b_constant) {
                b_new = a_owner.GetSize() != col.Defs.GetSize();
                for (int i = 0; !b_new && i < col.Defs.GetSize(); ++i)
                    b_new = a_owner[i].Start != col.Defs[i].Start;
            } else {
                for (int i = 0; !b_new && i < col.Defs.GetSize(); ++i)
                    b_new = a_owner.FindTime(col.Defs[i].Start) < 0 || a_owner.FindTime(col.Defs[i].GetEnd()) < 0;
            }
        }
        if (b_new)
            i_owner = c;
        col.iLabelOwner = i_owner;
    }
}

void TTPrint::BuildProportionalRows(Layout& lay)
{
    const PrintOptions& opts = pDoc->GetPrintOptions();
    const int n_defs = SlotDefs.GetSize();
    if (n_defs == 0)
        return;
    // The axis: all definitions, or trimmed to the first and last that
    // hold something of the item.
    int i_first = 0, i_last = n_defs - 1;
    if (!opts.bAllTimeslots) {
        while (i_first < n_defs && IsEmptyDef(SlotDefs[i_first]))
            ++i_first;
        while (i_last >= i_first && IsEmptyDef(SlotDefs[i_last]))
            --i_last;
        if (i_first > i_last)
            return;
    }
    std::int64_t ll_axisStart = Ticks(SlotDefs[i_first].Start), ll_axisEnd = 0;
    for (int i = i_first; i <= i_last; ++i)
        ll_axisEnd = std::max(ll_axisEnd, Ticks(SlotDefs[i].GetEnd()));
    std::vector<std::pair<std::int64_t, bool>> v_times;
    for (int i = 0; i < n_defs; ++i) {
        const std::int64_t ll_start = Ticks(SlotDefs[i].Start), ll_end = Ticks(SlotDefs[i].GetEnd());
        if (ll_start >= ll_axisStart && ll_start <= ll_axisEnd)
            v_times.push_back({ll_start, true});
        if (ll_end >= ll_axisStart && ll_end <= ll_axisEnd)
            v_times.push_back({ll_end, false});
    }
    std::sort(v_times.begin(), v_times.end());
    std::vector<std::pair<std::int64_t, bool>> v_axis;
    for (const auto& t : v_times) {
        if (!v_axis.empty() && v_axis.back().first == t.first)
            v_axis.back().second = v_axis.back().second || t.second;
        else
            v_axis.push_back(t);
    }
    const int i_bodyHeight = lay.rcBody.Height();
    int i_page = 0, i_pageFirst = 0;
    std::size_t u = 0;
    while (u < v_axis.size()) {
        Time time;
        time.llTicks = v_axis[u].first;
        time.bStart = v_axis[u].second;
        time.iPage = i_page;
        if (lay.Times.empty() || lay.Times.back().iPage != i_page) {
            time.iY = lay.iHeadingHeight;
            time.bPageStart = i_page > 0;
            lay.Times.push_back(time);
            ++u;
            continue;
        }
        const Time& prev = lay.Times.back();
        const int i_row =
            std::max<int>(lay.iMinRowHeight,
                          static_cast<int>(Seconds(time.llTicks - prev.llTicks) / lay.llScaleSeconds) + lay.iGrid);
        time.iY = prev.iY + i_row;
        const bool b_pageHasRows = static_cast<int>(lay.Times.size()) - i_pageFirst > 1;
        if (time.iY > i_bodyHeight && b_pageHasRows) {
            // A new page opens at the last time placed, moved back to the
            // last slot start that leaves a row above it.
            int i_open = static_cast<int>(lay.Times.size()) - 1;
            for (int k = i_open; k > i_pageFirst; --k) {
                if (lay.Times[static_cast<std::size_t>(k)].bStart
                    && lay.Times[static_cast<std::size_t>(k)].iY - lay.iHeadingHeight >= lay.iMinRowHeight) {
                    i_open = k;
                    break;
                }
            }
            // The times after the opener go to the new page with it.
            const std::size_t u_removed = lay.Times.size() - static_cast<std::size_t>(i_open) - 1;
            lay.Times.resize(static_cast<std::size_t>(i_open) + 1);
            u -= u_removed;
            Time opener = lay.Times.back();
            ++i_page;
            opener.iPage = i_page;
            opener.iY = lay.iHeadingHeight;
            opener.bPageStart = true;
            i_pageFirst = static_cast<int>(lay.Times.size());
            lay.Times.push_back(opener);
            continue;
        }
        lay.Times.push_back(time);
        ++u;
    }
    lay.nVertPages = i_page + 1;
}

void TTPrint::BuildConstantRows(Layout& lay)
{
    int n_rows = 0;
    for (const Column& col : lay.Columns) {
        if (!col.bExcluded)
            n_rows = std::max(n_rows, col.Defs.GetSize());
    }
    const int i_room = lay.rcBody.Height() - lay.iHeadingHeight;
    lay.nRowsPerPage = std::max(1, i_room / std::max(1, lay.iMinRowHeight));
    lay.nVertPages = std::max(1, (n_rows + lay.nRowsPerPage - 1) / lay.nRowsPerPage);
}

void TTPrint::BuildBands(Layout& lay)
{
    const int i_bodyWidth = lay.rcBody.Width();
    // Band stacking on a single vertical page.
    int i_tableHeight = 0;
    if (pDoc->GetPrintOptions().eSlotHeight == 1) {
        int n_rows = 0;
        for (const Column& col : lay.Columns)
            n_rows = std::max(n_rows, col.bExcluded ? 0 : col.Defs.GetSize());
        i_tableHeight = std::min(n_rows, lay.nRowsPerPage) * lay.iMinRowHeight;
    } else {
        for (const Time& t : lay.Times)
            i_tableHeight = std::max(i_tableHeight, t.iY - lay.iHeadingHeight);
    }
    lay.iBandsPerPage = 1;
    lay.iBandHeight = lay.rcBody.Height();
    if (lay.nVertPages == 1) {
        const int i_band = lay.iMinRowHeight / 2 + i_tableHeight + lay.iGrid + lay.iHeadingHeight;
        const int n_bands =
            (lay.rcBody.bottom - (lay.rcBody.top + lay.iHeadingHeight - lay.iGrid)) / std::max(1, i_band);
        if (n_bands > 1) {
            lay.iBandsPerPage = n_bands;
            lay.iBandHeight = i_band;
        }
    }

    const int i_labelColumn = lay.iLabelColumnWidth > 0 ? lay.iLabelColumnWidth + lay.iGrid : 0;
    int i_width = i_bodyWidth + 1;
    int i_band = lay.iBandsPerPage;
    int i_widest = 0;
    HorzPage* p_page = nullptr;
    for (int c = 0; c < static_cast<int>(lay.Columns.size()); ++c) {
        Column& col = lay.Columns[static_cast<std::size_t>(c)];
        if (col.bExcluded)
            continue;
        const bool b_label = col.iLabelOwner == c;
        const int i_columnWidth = col.bAxisOnly ? 0 : lay.iColumnWidth;
        int i_need = i_columnWidth + (b_label ? i_labelColumn : 0);
        if (i_width + i_need > i_bodyWidth && !(i_width == 0 && p_page != nullptr)) {
            // A new band at this column: it and the rest of its label group
            // take their labels from it.
            if (!b_label) {
                for (std::size_t k = static_cast<std::size_t>(c); k < lay.Columns.size(); ++k) {
                    if (lay.Columns[k].iLabelOwner < c && lay.Columns[k].iLabelOwner == col.iLabelOwner && k != static_cast<std::size_t>(c))
                        lay.Columns[k].iLabelOwner = c;
                }
                col.iLabelOwner = c;
                i_need += i_labelColumn;
            }
            if (i_band + 1 < lay.iBandsPerPage && p_page != nullptr) {
                ++i_band;
            } else {
                lay.HorzPages.push_back(HorzPage{c, c});
                i_band = 0;
            }
            p_page = &lay.HorzPages.back();
            i_width = 0;
        }
        col.iHorzPage = static_cast<int>(lay.HorzPages.size()) - 1;
        col.iBand = i_band;
        if (col.iLabelOwner == c) {
            col.iLabelX = i_width;
            i_width += i_labelColumn;
        }
        col.iX = i_width;
        i_width += i_columnWidth;
        i_widest = std::max(i_widest, i_width);
        p_page->iLast = c;
    }
    if (lay.HorzPages.empty())
        lay.HorzPages.push_back(HorzPage{0, static_cast<int>(lay.Columns.size()) - 1});
    lay.iCentreOffset = std::max(0, (i_bodyWidth - i_widest) / 2);
    lay.rcDraw = lay.rcBody;
    lay.rcDraw.left += lay.iCentreOffset;
    lay.rcDraw.right += lay.iCentreOffset;
}

BOOL TTPrint::SlotSpan(const Column& col, const Timeslot& slot, int& i_page, int& i_top, int& i_bottom) const
{
    const Layout& lay = *pLayout;
    if (pDoc->GetPrintOptions().eSlotHeight == 1) {
        const Column& owner = lay.Columns[static_cast<std::size_t>(col.iLabelOwner)];
        (void)owner;
        const int i_row = col.Defs.FindDef(slot.GetStartOffset(), slot.GetSpan());
        if (i_row < 0)
            return FALSE;
        i_page = i_row / lay.nRowsPerPage;
        i_top = lay.iHeadingHeight + (i_row % lay.nRowsPerPage) * lay.iMinRowHeight;
        i_bottom = i_top + lay.iMinRowHeight;
        return TRUE;
    }
    const std::int64_t ll_start = Ticks(slot.GetStartOffset()), ll_end = Ticks(slot.GetEndOffset());
    int i_start = -1;
    for (std::size_t i = 0; i < lay.Times.size(); ++i) {
        // A start at a page's opening time lies on the new page.
        if (lay.Times[i].llTicks == ll_start)
            i_start = static_cast<int>(i);
    }
    if (i_start < 0)
        return FALSE;
    const Time& start = lay.Times[static_cast<std::size_t>(i_start)];
    i_page = start.iPage;
    i_top = start.iY;
    i_bottom = -1; // runs to the band's foot unless its end is on the page
    for (std::size_t i = static_cast<std::size_t>(i_start) + 1; i < lay.Times.size(); ++i) {
        if (lay.Times[i].iPage != i_page)
            break;
        if (lay.Times[i].llTicks == ll_end) {
            i_bottom = lay.Times[i].iY;
            break;
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------- printing

BOOL TTPrint::PrintPage(IPrintCanvas& dc, int i_page, int i_jobPage, int n_jobPages, const CHighTime& dt_printed,
                        const CHighTime& dt_built)
{
    if (!bHasTimetable)
        return FALSE;
    if (!pLayout)
        BuildLayout(dc);
    const int n_pages = static_cast<int>(pLayout->HorzPages.size()) * pLayout->nVertPages;
    if (i_page < 0 || i_page >= n_pages) {
        FreeLayout();
        return FALSE;
    }
    const PrintFont previous = dc.GetFont();
    PrintHeading(dc);
    PrintFooter(dc, i_jobPage, n_jobPages, dt_printed, dt_built);
    PrintBody(dc, i_page);
    dc.SelectFont(previous);
    return TRUE;
}

void TTPrint::Rect(IPrintCanvas& dc, const ZelRect& rc)
{
    dc.DrawLine(CPoint(rc.left, rc.top), CPoint(rc.right, rc.top), kPen);
    dc.DrawLine(CPoint(rc.right, rc.top), CPoint(rc.right, rc.bottom), kPen);
    dc.DrawLine(CPoint(rc.right, rc.bottom), CPoint(rc.left, rc.bottom), kPen);
    dc.DrawLine(CPoint(rc.left, rc.bottom), CPoint(rc.left, rc.top), kPen);
}

void TTPrint::PrintHeading(IPrintCanvas& dc)
{
    const Layout& lay = *pLayout;
    const ZelRect& rc = lay.rcHeader;
    SelectFont(dc, kTitleFont);
    const int i_titleHeight = static_cast<int>(dc.LineHeight());
    dc.DrawText(pDoc->GetEventName(), ZelRect(rc.left, rc.top + 10, rc.right, rc.top + 10 + i_titleHeight),
                DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectFont(dc, kItemFont);
    int n_lines = 1;
    // A group's name, which may be long, breaks only where it does not fit
    // across the page.
    const std::string s_item = eWhat == eGroups ? WrapText(dc, sTitle, static_cast<int>(rc.Width()), n_lines) : sTitle;
    const int i_bottom = rc.top + rc.Height() * 4 / 5;
    const int i_height = n_lines * static_cast<int>(dc.LineHeight());
    dc.DrawText(s_item, ZelRect(rc.left, i_bottom - i_height, rc.right, i_bottom),
                DT_CENTER | DT_BOTTOM | DT_NOPREFIX | DT_NOCLIP);
}

void TTPrint::PrintFooter(IPrintCanvas& dc, int i_jobPage, int n_jobPages, const CHighTime& dt_printed,
                          const CHighTime& dt_built)
{
    const Layout& lay = *pLayout;
    const ZelRect& rc = lay.rcFooter;
    const int i_middle = rc.top + rc.Height() / 2;
    SelectFont(dc, kFooterFont);
    const int i_line = static_cast<int>(dc.LineHeight());
    const ZelRect rc_line(rc.left, i_middle - i_line, rc.right, i_middle);
    const UINT u_flags = DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    const std::string s_printed = "Printed: " + dt_printed.Format(kTimeFormat);
    const std::string s_page = "Page " + std::to_string(i_jobPage) + " of " + std::to_string(n_jobPages);
    dc.DrawText(s_printed, rc_line, DT_LEFT | u_flags);
    dc.DrawText(s_page, rc_line, DT_RIGHT | u_flags);
    // The room between the texts at the sides, a little apart from them.
    const int i_gap = PrintColumns::GetTextWidth(dc, "  ");
    const int i_free = static_cast<int>(rc.left) + PrintColumns::GetTextWidth(dc, s_printed) + i_gap;
    const int i_freeEnd = static_cast<int>(rc.right) - PrintColumns::GetTextWidth(dc, s_page) - i_gap;
    std::string s_centre;
    if (dt_built.GetStatus() == CHighTime::valid && dt_built != CHighTime()) {
        s_centre = "Generated: " + dt_built.Format(kTimeFormat);
    } else {
        if (!SelectFont(dc, kFooterItalic, false, true))
            SelectFont(dc, kFooterFont);
        s_centre = "The timetable is invalid or incomplete";
    }
    // The centre text stands in the middle of the page; on a page too
    // narrow for that it moves into the middle of the room between the
    // others, and where even that room is too small, it is cut short.
    const int i_width = PrintColumns::GetTextWidth(dc, s_centre);
    const int i_centre = static_cast<int>(rc.left + rc.right) / 2;
    if (i_centre - i_width / 2 >= i_free && i_centre - i_width / 2 + i_width <= i_freeEnd) {
        dc.DrawText(s_centre, rc_line, DT_CENTER | u_flags);
    } else {
        if (i_width > i_freeEnd - i_free)
            s_centre = CutToWidth(dc, s_centre, i_freeEnd - i_free);
        if (!s_centre.empty())
            dc.DrawText(s_centre, ZelRect(i_free, rc_line.top, i_freeEnd, rc_line.bottom), DT_CENTER | u_flags);
    }
    SelectFont(dc, kFileFont);
    const int i_fileLine = static_cast<int>(dc.LineHeight());
    dc.DrawText("File: " + pDoc->GetPathName(), ZelRect(rc.left, rc.bottom - i_fileLine, rc.right, rc.bottom),
                DT_CENTER | u_flags);
}

void TTPrint::PrintBody(IPrintCanvas& dc, int i_page)
{
    const Layout& lay = *pLayout;
    const int n_across = static_cast<int>(lay.HorzPages.size());
    const int i_horz = i_page % n_across, i_vert = i_page / n_across;
    ZEL_ASSERT(i_horz < n_across);
    for (int b = 0; b < lay.iBandsPerPage; ++b)
        PrintBand(dc, i_horz, i_vert, b, lay.rcDraw.top + b * lay.iBandHeight);
}

void TTPrint::PrintBand(IPrintCanvas& dc, int i_horz, int i_vert, int i_band, int i_top)
{
    const Layout& lay = *pLayout;
    const PrintOptions& opts = pDoc->GetPrintOptions();
    const HorzPage& page = lay.HorzPages[static_cast<std::size_t>(i_horz)];
    const int i_bandBottom = lay.iBandsPerPage > 1 ? i_top + lay.iBandHeight : lay.rcDraw.bottom;
    const int i_left = lay.rcDraw.left;

    for (int c = page.iFirst; c <= page.iLast; ++c) {
        const Column& col = lay.Columns[static_cast<std::size_t>(c)];
        if (col.bExcluded || col.iHorzPage != i_horz || col.iBand != i_band)
            continue;
        const int i_x = i_left + col.iX;
        if (col.bAxisOnly) {
            if (opts.eTimeLabels != 2)
                PrintLabels(dc, c, c, i_vert, i_top, i_bandBottom);
            continue;
        }
        // The heading row's top and bottom lines over the column.
        if (opts.bGridLines) {
            dc.DrawLine(CPoint(i_x, i_top), CPoint(i_x + lay.iColumnWidth, i_top), kPen);
            dc.DrawLine(CPoint(i_x, i_top + lay.iHeadingHeight), CPoint(i_x + lay.iColumnWidth, i_top + lay.iHeadingHeight),
                        kPen);
        }
        // Heading.
        SelectFont(dc, kHeadingFont, true);
        int n_lines = 0;
        const std::string s_heading = WrapText(dc, ColumnTitle(col), lay.iColumnWidth - 2 * lay.iPadding - lay.iGrid, n_lines);
        const ZelRect rc_heading(i_x + lay.iPadding + lay.iGrid / 2, i_top, i_x + lay.iColumnWidth - lay.iPadding,
                                 i_top + lay.iHeadingHeight);
        dc.DrawText(s_heading, rc_heading, (opts.bGridLines ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_NOPREFIX);
        // The column's frame down to the bottom of its last slot here, and
        // its time lines.
        if (opts.bGridLines) {
            int i_lowest = lay.iHeadingHeight;
            for (const Timeslot* p_slot : col.Slots) {
                int i_page = 0, i_slotTop = 0, i_slotBottom = 0;
                if (SlotSpan(col, *p_slot, i_page, i_slotTop, i_slotBottom) && i_page == i_vert)
                    i_lowest = std::max(i_lowest, i_slotBottom < 0 ? i_bandBottom - i_top : i_slotBottom);
            }
            if (opts.bAllTimeslots) {
                const Day::SlotArray& a_defs = AxisDefs(col);
                for (int i = 0; i < a_defs.GetSize(); ++i) {
                    Timeslot probe(a_defs[i].Start, a_defs[i].Length, -1, -1, 0);
                    int i_page = 0, i_slotTop = 0, i_slotBottom = 0;
                    if (SlotSpan(col, probe, i_page, i_slotTop, i_slotBottom) && i_page == i_vert)
                        i_lowest = std::max(i_lowest, i_slotBottom < 0 ? i_bandBottom - i_top : i_slotBottom);
                }
            }
            i_lowest = std::min(i_lowest, i_bandBottom - i_top);
            dc.DrawLine(CPoint(i_x, i_top), CPoint(i_x, i_top + i_lowest), kPen);
            dc.DrawLine(CPoint(i_x + lay.iColumnWidth, i_top), CPoint(i_x + lay.iColumnWidth, i_top + i_lowest), kPen);
        }
        if (col.iLabelOwner == c && opts.eTimeLabels != 2) {
            int i_last = c;
            for (int k = c + 1; k <= page.iLast; ++k) {
                const Column& other = lay.Columns[static_cast<std::size_t>(k)];
                if (!other.bExcluded && other.iLabelOwner == c && other.iBand == i_band && other.iHorzPage == i_horz)
                    i_last = k;
            }
            PrintLabels(dc, c, i_last, i_vert, i_top, i_bandBottom);
        }
        PrintCells(dc, col, i_vert, i_top, i_bandBottom);
    }
}

const Day::SlotArray& TTPrint::AxisDefs(const Column& col) const
{
    // Proportional rows run the axis over every definition of the item
    // (a venue that holds nothing and is left out may own the first or the
    // last of them): each slot start on it is labelled and framed. Constant
    // rows are the column's own slot positions.
    return pDoc->GetPrintOptions().eSlotHeight == 1 ? col.Defs : SlotDefs;
}

void TTPrint::PrintLabels(IPrintCanvas& dc, int i_owner, int i_last, int i_vert, int i_top, int i_bandBottom)
{
    const Layout& lay = *pLayout;
    const PrintOptions& opts = pDoc->GetPrintOptions();
    const bool b_combs = UsesCombinations();
    struct Label {
        std::string sText;
        int iY;
        bool bStart;
    };
    std::vector<Label> v_labels;
    // The starts and ends of the label group's slots on this page.
    for (int c = i_owner; c <= i_last; ++c) {
        const Column& col = lay.Columns[static_cast<std::size_t>(c)];
        if (col.bExcluded || col.iLabelOwner != i_owner)
            continue;
        std::vector<std::pair<const Timeslot*, bool>> v_slots;
        // Every definition on the axis when all timeslots print, else the
        // item's slots.
        std::vector<Timeslot> v_probes;
        if (opts.bAllTimeslots) {
            const Day::SlotArray& a_defs = AxisDefs(col);
            for (int i = 0; i < a_defs.GetSize(); ++i)
                v_probes.emplace_back(a_defs[i].Start, a_defs[i].Length, -1, -1, 0);
        } else {
            for (const Timeslot* p_slot : col.Slots)
                v_probes.emplace_back(p_slot->GetStartOffset(), p_slot->GetSpan(), -1, -1, 0);
        }
        for (std::size_t i = 0; i < v_probes.size(); ++i) {
            const Timeslot& slot = v_probes[i];
            int i_page = 0, i_slotTop = 0, i_slotBottom = 0;
            if (!SlotSpan(col, slot, i_page, i_slotTop, i_slotBottom) || i_page != i_vert)
                continue;
            // Inside a combination run, no label between two of its slots.
            bool b_skipStart = false, b_skipEnd = false;
            if (b_combs) {
                for (const Timeslot* p_slot : col.Slots) {
                    if (p_slot->GetCombinationKey() < 0)
                        continue;
                    for (const Timeslot* p_other : col.Slots) {
                        if (p_other->GetCombinationKey() != p_slot->GetCombinationKey())
                            continue;
                        if (p_other->GetEndOffset() == slot.GetStartOffset() && p_slot->GetStartOffset() == slot.GetStartOffset())
                            b_skipStart = true;
                        if (p_other->GetStartOffset() == slot.GetEndOffset() && p_slot->GetEndOffset() == slot.GetEndOffset())
                            b_skipEnd = true;
                    }
                }
            }
            const bool b_opens = opts.eSlotHeight != 1 && i_slotTop == lay.iHeadingHeight && i_vert > 0;
            if (!b_skipStart && !b_opens)
                v_labels.push_back({TimeText(Ticks(slot.GetStartOffset())), i_top + i_slotTop, true});
            if (opts.eTimeLabels == 0 && !b_skipEnd && i_slotBottom >= 0)
                v_labels.push_back({TimeText(Ticks(slot.GetEndOffset())), i_top + i_slotBottom, false});
        }
    }
    std::sort(v_labels.begin(), v_labels.end(), [](const Label& a, const Label& b) {
        return a.iY != b.iY ? a.iY < b.iY : a.bStart > b.bStart;
    });
    SelectFont(dc, kLabelFont, true);
    const int i_height = static_cast<int>(dc.LineHeight());
    const Column& owner = lay.Columns[static_cast<std::size_t>(i_owner)];
    const int i_right = lay.rcDraw.left + owner.iX - lay.iPadding - lay.iGrid;
    std::vector<Label> v_kept;
    for (const Label& label : v_labels) {
        const int i_labelTop = label.iY - i_height / 2;
        if (i_labelTop < lay.rcDraw.top || i_labelTop + i_height > std::min<int>(lay.rcDraw.bottom, i_bandBottom))
            continue;
        if (!v_kept.empty()) {
            Label& above = v_kept.back();
            if (above.iY == label.iY && above.sText == label.sText)
                continue;
            if (i_labelTop < above.iY - i_height / 2 + i_height) {
                if (label.bStart && !above.bStart)
                    above = label;
                continue;
            }
        }
        v_kept.push_back(label);
    }
    for (const Label& label : v_kept) {
        const int i_labelTop = label.iY - i_height / 2;
        dc.DrawText(label.sText,
                    ZelRect(i_right - lay.iLabelColumnWidth, i_labelTop, i_right, i_labelTop + i_height),
                    DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
}

void TTPrint::PrintCells(IPrintCanvas& dc, const Column& col, int i_vert, int i_top, int i_bandBottom)
{
    const Layout& lay = *pLayout;
    const bool b_combs = UsesCombinations();
    const int i_x = lay.rcDraw.left + col.iX;
    const int i_inner = lay.iColumnWidth - 2 * lay.iPadding - lay.iGrid;
    SelectFont(dc, kCellFont);
    const int i_line = static_cast<int>(dc.LineHeight());
    for (std::size_t i = 0; i < col.Slots.size(); ++i) {
        const Timeslot& slot = *col.Slots[i];
        // A combination run: from its first slot to its last.
        std::size_t n_run = 1;
        int i_comb = -1;
        if (b_combs && slot.GetCombinationKey() >= 0)
            i_comb = pDoc->GetCombinations().FindByKey(slot.GetCombinationKey());
        if (i_comb >= 0) {
            while (i + n_run < col.Slots.size()
                   && col.Slots[i + n_run]->GetCombinationKey() == slot.GetCombinationKey()
                   && col.Slots[i + n_run]->GetStartOffset() == col.Slots[i + n_run - 1]->GetEndOffset())
                ++n_run;
        }
        const Timeslot& last = *col.Slots[i + n_run - 1];
        int i_page = 0, i_slotTop = 0, i_slotBottom = 0;
        if (!SlotSpan(col, slot, i_page, i_slotTop, i_slotBottom) || i_page != i_vert) {
            i += n_run - 1;
            continue;
        }
        if (n_run > 1) {
            int i_lastPage = 0, i_lastTop = 0;
            if (!SlotSpan(col, last, i_lastPage, i_lastTop, i_slotBottom) || i_lastPage != i_vert)
                i_slotBottom = -1;
        }
        const int i_boxTop = i_top + i_slotTop;
        const int i_boxBottom = i_slotBottom < 0 ? i_bandBottom : i_top + i_slotBottom;
        if (i_boxBottom > lay.rcDraw.bottom || i_boxTop < i_top) {
            i += n_run - 1;
            continue;
        }
        const ZelRect rc_box(i_x, i_boxTop, i_x + lay.iColumnWidth, i_boxBottom);
        Rect(dc, rc_box);
        const ZelRect rc_text(i_x + lay.iPadding + lay.iGrid / 2, i_boxTop + lay.iGrid / 2,
                              i_x + lay.iColumnWidth - lay.iPadding - lay.iGrid / 2, i_boxBottom - lay.iGrid / 2);
        if (n_run > 1) {
            const std::string s_name = pDoc->GetCombinations()[i_comb].GetName();
            int i_y = i_boxTop + lay.iPadding;
            dc.DrawText(s_name, ZelRect(rc_text.left, i_y, rc_text.right, i_y + i_line),
                        DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
            for (std::size_t k = 0; k < n_run; ++k) {
                i_y += lay.iLineHeight;
                if (i_y >= i_boxBottom)
                    break;
                const Group* p_group = PlacedGroup(*col.Slots[i + k]);
                dc.DrawText(p_group != nullptr ? p_group->GetName() : std::string(),
                            ZelRect(rc_text.left, i_y, rc_text.right, std::min(i_y + i_line, i_boxBottom)),
                            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
            }
            i += n_run - 1;
            continue;
        }
        int n_lines = 0;
        const std::string s_text = WrappedCellText(dc, slot, i_inner, n_lines);
        const int i_textHeight = n_lines * i_line;
        const int i_textTop = rc_text.top + std::max(0, (rc_text.Height() - i_textHeight) / 2);
        dc.DrawText(s_text, ZelRect(rc_text.left, i_textTop, rc_text.right, std::min<int>(rc_text.bottom, i_textTop + i_textHeight)),
                    DT_LEFT | DT_TOP | DT_NOPREFIX);
    }
}

// ---------------------------------------------------------------- the job

BOOL TTPrintJob::CanPrint(const EventDoc* p_doc)
{
    return p_doc != nullptr && p_doc->GetVenues().GetNumVenues() > 0 && p_doc->GetGroups().GetNumGroups() > 0
           && p_doc->HasDaysAndTimeslots() && !p_doc->GetEventName().empty();
}

void TTPrintJob::ApplyOptions(EventDoc& doc, const PrintOptions& options)
{
    if (!(options == doc.GetPrintOptions()))
        doc.SetModifiedFlag(true);
    doc.GetPrintOptions() = options;
}

void TTPrintJob::BuildItems(ITTPrintRows* p_rows)
{
    Clear();
    const Timetable* p_tt = pDoc != nullptr ? pDoc->GetTimetable() : nullptr;
    if (p_tt == nullptr || pDoc->GetVenues().GetNumVenues() == 0 || !pDoc->HasDaysAndTimeslots())
        return;
    const PrintOptions& opts = pDoc->GetPrintOptions();
    switch (opts.ePrintBy) {
    case PrintOptions::eDays:
        for (int d = 0; d < p_tt->GetNumDays(); ++d)
            AddItem(std::make_unique<TTPrint>(pDoc, p_tt->GetDay(d).GetName(), d));
        return;
    case PrintOptions::eGroups:
    case PrintOptions::eVenues:
    case PrintOptions::eParts: {
        if (p_rows == nullptr)
            return;
        for (int i_item : p_rows->GetRowItems(opts.ePrintBy, opts.bPrintAll)) {
            ZEL_ASSERT(i_item >= 0);
            std::string s_name;
            if (opts.ePrintBy == PrintOptions::eGroups && i_item < pDoc->GetGroups().GetNumGroups())
                s_name = pDoc->GetGroups()[i_item].GetName();
            else if (opts.ePrintBy == PrintOptions::eVenues && i_item < pDoc->GetVenues().GetNumVenues())
                s_name = pDoc->GetVenues()[i_item].GetName();
            else if (opts.ePrintBy == PrintOptions::eParts && i_item < pDoc->GetParticipants().GetNumParticipants())
                s_name = pDoc->GetParticipants()[i_item].GetFullName();
            else
                continue;
            AddItem(std::make_unique<TTPrint>(pDoc, s_name, i_item));
        }
        return;
    }
    default: ZEL_ASSERT(FALSE); return;
    }
}

void TTPrintJob::AddItem(std::unique_ptr<TTPrint> p_item) { Items.push_back(std::move(p_item)); }

int TTPrintJob::CountPages(IPrintCanvas& dc)
{
    nPages = 0;
    PageSizes.clear();
    for (auto& p_item : Items) {
        PageDim dim;
        p_item->GetPageCounts(dc, dim.nAcross, dim.nDown);
        PageSizes.push_back(dim);
        nPages += dim.nAcross * dim.nDown;
        p_item->FreeLayout();
    }
    iCurrent = 0;
    dtPrinted = CHighTime::GetPresentTime();
    return nPages;
}

BOOL TTPrintJob::FindPage(int i_page, int& i_item, int& i_itemPage) const
{
    int n_before = 0;
    for (std::size_t i = 0; i < PageSizes.size(); ++i) {
        const int n = PageSizes[i].nAcross * PageSizes[i].nDown;
        if (i_page <= n_before + n && i_page > n_before) {
            i_item = static_cast<int>(i);
            i_itemPage = i_page - n_before - 1;
            return TRUE;
        }
        n_before += n;
    }
    return FALSE;
}

BOOL TTPrintJob::PrintPage(IPrintCanvas& dc, int i_page)
{
    const Timetable* p_tt = pDoc != nullptr ? pDoc->GetTimetable() : nullptr;
    if (p_tt == nullptr || Items.empty())
        return FALSE;
    int i_item = 0, i_itemPage = 0;
    if (!FindPage(i_page, i_item, i_itemPage))
        return FALSE;
    ZEL_ASSERT(iCurrent < static_cast<int>(Items.size()));
    if (i_item != iCurrent) {
        Items[static_cast<std::size_t>(iCurrent)]->FreeLayout();
        iCurrent = i_item;
    }
    return Items[static_cast<std::size_t>(i_item)]->PrintPage(dc, i_itemPage, i_page, nPages, dtPrinted,
                                                              p_tt->GetCreationDate());
}

void TTPrintJob::Clear()
{
    Items.clear();
    PageSizes.clear();
    nPages = 0;
    iCurrent = 0;
}
