#include "testsupport/EventFileFixtures.h"

#include "framework/Archive.h"
#include "framework/PlatformTime.h"
#include "zelkit/lists/ZelListSort.h"

#include <algorithm>
#include <stdexcept>

namespace eventfixtures {

namespace {

Builder Limit(unsigned v)
{
    Builder b;
    if (v < 4)
        b.Dword(1);
    return b.Dwords({0, 0, 0, 0});
}

// The fewest bytes of each section a file of the version holds.
Builder MinimalPreferences(unsigned v)
{
    Builder b;
    if (v < 4)
        b.Dword(2);
    if (v >= 2)
        b.Dword(0);
    if (v >= 7)
        b.Dword(0);
    b.Dword(0).Raw(Limit(v));
    if (v >= 6)
        b.Raw(Limit(v));
    if (v >= 10)
        b.Dword(0);
    if (v >= 11)
        b.Count(0);
    if (v >= 13)
        b.Dwords({0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (v >= 18)
        b.Dword(0).Count(0);
    if (v >= 28)
        b.Dword(20);
    if (v >= 34)
        b.Raw(Limit(v)).Raw(Limit(v)).Dword(0).Count(0);
    if (v >= 38)
        b.Raw(Limit(v));
    return b;
}

Builder MinimalPrintOptions(unsigned v)
{
    Builder b;
    b.Dwords({0, 0, 0, 0});
    if (v > 11)
        b.Dword(0);
    if (v > 16)
        b.Dwords({0, 0, 0, 0, 0, 0, 0, 0, 0});
    if (v > 25) {
        for (int i = 0; i < 3; ++i)
            b.Count(0).Dword(0);
    }
    return b;
}

Builder MinimalMiscOptions(unsigned v)
{
    Builder b;
    b.Dwords({1, 0}).Name("");
    if (v >= 39)
        b.Dword(1).Count(0);
    if (v >= 40)
        b.Dwords({4, 0, 1, 0, 1});
    return b;
}

} // namespace

Bytes TextBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes ReplaceOnce(Bytes v_bytes, const Bytes& v_from, const Bytes& v_to)
{
    const auto it = std::search(v_bytes.begin(), v_bytes.end(), v_from.begin(), v_from.end());
    if (it == v_bytes.end())
        throw std::runtime_error("pattern not found");
    if (std::search(it + 1, v_bytes.end(), v_from.begin(), v_from.end()) != v_bytes.end())
        throw std::runtime_error("pattern found twice");
    const auto u_at = it - v_bytes.begin();
    v_bytes.erase(v_bytes.begin() + u_at, v_bytes.begin() + u_at + static_cast<std::ptrdiff_t>(v_from.size()));
    v_bytes.insert(v_bytes.begin() + u_at, v_to.begin(), v_to.end());
    return v_bytes;
}

Bytes TimeBytes(const CHighTime& dt)
{
    CArchive ar(CArchive::store);
    ar << dt;
    return ar.GetBuffer();
}

Bytes OleBytes(int i_year, int i_month, int i_day, int i_hour, int i_minute)
{
    CArchive ar(CArchive::store);
    ar << COleDateTime(i_year, i_month, i_day, i_hour, i_minute, 0);
    return ar.GetBuffer();
}

Builder HeadOf(EventDoc& doc)
{
    Builder b;
    b.Dword(40).String(doc.GetEventName()).String("1.89");
    b.Raw(TimeBytes(doc.GetCreationDate())).Raw(TimeBytes(doc.GetLastSavedDate()));
    b.String(doc.GetFurtherText1()).String(doc.GetFurtherText2());
    b.Raw(testbytes::Store(doc.GetEventDef(), &doc)).Raw(testbytes::Store(doc.GetPreferences(), &doc));
    b.Raw(testbytes::Store(doc.GetPrintOptions(), &doc)).Raw(testbytes::Store(doc.GetMiscOptions(), &doc));
    b.Raw(testbytes::Store(doc.GetSchedulingRules(), &doc));
    return b;
}

Builder& Tail(Builder& b)
{
    return b.Dword(0).Dwords({1, 999999, 0}).Dword(0);
}

// A layout of a list view as a file of the version holds it: i_columns
// columns and no widths, order, sort or mappings.
Builder LayoutBytes(unsigned v, const std::string& s_class, int i_columns)
{
    Builder b;
    b.String(s_class).Dword(static_cast<std::uint32_t>(i_columns)).Dwords({0, 0, 0, 0});
    if (v >= 21) {
        CArchive ar(CArchive::store);
        ZelListSort sort;
        sort.Serialize(ar);
        b.Raw(ar.GetBuffer());
    }
    if (v >= 27)
        b.Count(0);
    return b;
}

// An event file of the version with no days, no items and no timetable,
// with one layout (of a group list) where the version has layouts.
Bytes MinimalFile(unsigned v)
{
    Builder b;
    b.Dword(v).String("Old event");
    if (v >= 40)
        b.String("1.89");
    if (v <= 6) {
        b.Raw(OleBytes(2001, 5, 14, 9)).Raw(OleBytes(2001, 5, 14, 17));
        b.Raw(OleBytes(2001, 5, 14, 9)).Raw(OleBytes(2001, 5, 14, 17)).Dword(60);
    } else {
        b.Raw(TimeBytes(ZelOleDateTime(2001, 5, 1))).Raw(TimeBytes(ZelOleDateTime(2001, 5, 2)));
        if (v >= 13)
            b.String("").String("");
        b.Dword(0).Dword(0); // calendar days, no layouts
        if (v >= 8)
            b.Dword(0);
        b.String("").String("").Dword(0);
    }
    b.Raw(MinimalPreferences(v));
    if (v >= 9)
        b.Raw(MinimalPrintOptions(v));
    if (v >= 10)
        b.Raw(MinimalMiscOptions(v));
    if (v >= 22) {
        b.Count(0);
        if (v >= 24)
            b.Count(0);
    }
    if (v >= 29)
        b.Dwords({3, 0});
    b.Dwords({4, 0, 5, 0, 6, 0, 7, 0, 7, 0}).Dword(0);
    if (v >= 32)
        b.Dwords({1, 999999, 0});
    if (v >= 15)
        b.Dword(1).Raw(LayoutBytes(v, "GroupView", 4));
    return b.Get();
}


// A file whose lists hold duplicates and invalid items: the lists take
// what they can, the refusals are counted and reported in three warnings,
// and the user chooses between keeping the rest and quitting.
Bytes RefusalsFile()
{
    EventDoc head;
    head.SetEventName("Refusals");
    Builder b = HeadOf(head);
    const ParticipantRole lead("Lead");
    List<ParticipantRole>(b, 100, {lead, ParticipantRole("Lead"), ParticipantRole(""), Renamed(lead, "Other")});
    const Venue hall = Named<Venue>("Hall");
    List<Venue>(b, 100, {hall, Named<Venue>("Hall"), Renamed(hall, "Room"), Named<Venue>("Yard")});
    const Group choir = Named<Group>("Choir");
    List<Group>(b, 100, {choir, Named<Group>("Choir"), Named<Group>(""), Renamed(choir, "Band")});
    const Participant ann = Named<Participant>("Ann Lee");
    List<Participant>(b, 100, {ann, Named<Participant>("Ann Lee"), Renamed(ann, "Bo Ng")});
    List<Style>(b, 100, {Named<Style>("Jazz"), Named<Style>("Jazz"), Named<Style>("")});
    const Facility piano = Named<Facility>("Piano");
    List<Facility>(b, 100, {piano, Renamed(piano, "Harp")});
    return Tail(b).Get();
}

Bytes OldVenueTimesFile()
{
    Builder venue;
    venue.Dword(2).String("Hall").String("").Dwords({2, 5, -1}).Dwords({2, -1, -1}).Dword(60).Count(1);
    venue.Raw(OleBytes(2001, 5, 14, 9, 0));
    return ReplaceOnce(MinimalFile(5), Builder().Dwords({4, 0, 5, 0}),
                       Builder().Dwords({4, 1}).Raw(venue).Dwords({5, 0}));
}

std::vector<std::pair<std::string, Bytes>> AllFixtures()
{
    std::vector<std::pair<std::string, Bytes>> v;
    for (unsigned u = 1; u <= EventDoc::kCurrentFileVersion; ++u)
        v.emplace_back("minimal-v" + std::string(u < 10 ? "0" : "") + std::to_string(u) + ".eve", MinimalFile(u));
    v.emplace_back("refusals.eve", RefusalsFile());
    v.emplace_back("old-venue-times.eve", OldVenueTimesFile());
    return v;
}

} // namespace eventfixtures
