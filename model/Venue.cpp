#include "model/Venue.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelKeyedObject.h"

namespace {
LONG lVenueKeyCounter = 0;
}

// ---- Venue ----

Venue::Venue() : lKey(ZelKeyCounter::Take(lVenueKeyCounter)) {}

LONG Venue::GetKeyCounter()
{
    return lVenueKeyCounter;
}

void Venue::SetKeyCounter(LONG l_next)
{
    lVenueKeyCounter = l_next;
}

void Venue::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lKey);
        Name.Serialize(ar);
        ar << sLocation;
        Styles.Serialize(ar);
        Facilities.Serialize(ar);
        ar << static_cast<DWORD>(lSetting);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    DWORD u_key = 0;
    ar >> u_key;
    lKey = static_cast<LONG>(u_key);
    if (u_version < 33) {
        std::string s_name;
        ar >> s_name;
        Name.SetName(s_name);
    } else {
        Name.Serialize(ar);
    }
    ar >> sLocation;
    Styles.Serialize(ar);
    Facilities.Serialize(ar);
    lSetting = kDefaultSetting;
    if (u_version >= 3 && u_version <= 6) {
        // Versions 3 to 6 kept availability times with each venue. They are
        // no longer supported: only whether there were any is kept, so that
        // the user can be told to check the event's timeslots.
        TimeList old_times;
        old_times.Serialize(ar);
        bOldAvailability = old_times.GetNumTimes() > 0 ? TRUE : FALSE;
    } else if (u_version >= 28) {
        DWORD u_setting = 0;
        ar >> u_setting;
        lSetting = static_cast<LONG>(u_setting);
    }
}

// ---- VenueList ----

int VenueList::FindByKey(LONG l_key) const
{
    for (int i = 0; i < Venues.GetSize(); ++i) {
        if (Venues[i].GetKey() == l_key)
            return i;
    }
    return -1;
}

int VenueList::FindByName(const std::string& s_name) const
{
    for (int i = 0; i < Venues.GetSize(); ++i) {
        if (Venues[i].GetName() == s_name)
            return i;
    }
    return -1;
}

BOOL VenueList::IsDuplicateName(const Venue& venue) const
{
    const std::string s_name = venue.GetName();
    for (int i = 0; i < Venues.GetSize(); ++i) {
        if (Venues[i].GetKey() != venue.GetKey() && Venues[i].GetName() == s_name)
            return TRUE;
    }
    return FALSE;
}

std::string VenueList::GetNameOf(LONG l_key) const
{
    const int i_index = FindByKey(l_key);
    return i_index < 0 ? std::string() : Venues[i_index].GetName();
}

int VenueList::AddVenue(const Venue& venue, int i_position)
{
    if (IsDuplicateName(venue))
        return 2;
    if (ContainsKey(venue.GetKey()))
        return 3;
    if (i_position < 0)
        i_position = 0;
    Venues.InsertAt(i_position, venue);
    return 0;
}

void VenueList::RemoveAt(int i_index)
{
    if (__ZelAssertOn && !(0 <= i_index && i_index < GetNumVenues()))
        __ZelAssert("0 <= i_index && i_index < GetNumVenues()", "Venue", __LINE__, nullptr);
    Venues.RemoveAt(i_index);
}

void VenueList::GetKeys(KeyList& out) const
{
    out = KeyList(GetNumVenues());
    for (int i = 0; i < GetNumVenues(); ++i)
        out.SetAt(i, Venues[i].GetKey());
}

// ---- VenueAlloc ----

bool VenueAlloc::operator==(const VenueAlloc& other) const
{
    return lVenueKey == other.lVenueKey && Alloc == other.Alloc && bConsecutive == other.bConsecutive;
}

std::string VenueAlloc::GetText(const EventDoc* p_doc) const
{
    const int i_venue = p_doc->GetVenues().FindByKey(lVenueKey);
    if (i_venue < 0)
        return {};
    std::string s_text = p_doc->GetVenues()[i_venue].GetName() + "=" + Alloc.GetText();
    if (bConsecutive)
        s_text += " (consec)";
    return s_text;
}

void VenueAlloc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lVenueKey) << static_cast<DWORD>(bConsecutive);
    } else {
        DWORD u_key = 0;
        DWORD u_consecutive = 0;
        ar >> u_key >> u_consecutive;
        lVenueKey = static_cast<LONG>(u_key);
        bConsecutive = static_cast<BOOL>(u_consecutive);
    }
    Alloc.Serialize(ar);
}

int VenueAlloc::CompareKeys(const VenueAlloc* p_a, const VenueAlloc* p_b)
{
    return (p_a->lVenueKey > p_b->lVenueKey) - (p_a->lVenueKey < p_b->lVenueKey);
}

// ---- VenueLimit ----

bool VenueLimit::operator==(const VenueLimit& other) const
{
    return lVenueKey == other.lVenueKey && Limit == other.Limit;
}

std::string VenueLimit::GetText(const EventDoc* p_doc, BOOL b_blankZero) const
{
    const int i_venue = p_doc->GetVenues().FindByKey(lVenueKey);
    if (i_venue < 0)
        return {};
    const std::string s_limit = Limit.GetText(b_blankZero, FALSE);
    if (s_limit.empty())
        return {};
    return p_doc->GetVenues()[i_venue].GetName() + "=" + s_limit;
}

void VenueLimit::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lVenueKey);
    } else {
        DWORD u_key = 0;
        ar >> u_key;
        lVenueKey = static_cast<LONG>(u_key);
    }
    Limit.Serialize(ar);
}

int VenueLimit::CompareKeys(const VenueLimit* p_a, const VenueLimit* p_b)
{
    return (p_a->lVenueKey > p_b->lVenueKey) - (p_a->lVenueKey < p_b->lVenueKey);
}

// ---- revalidation against the document's styles and facilities ----

namespace {

// Frees every used slot whose key the list no longer holds.
template <class List>
BOOL DropUnknownKeys(KeyList& keys, const List& list)
{
    BOOL b_dropped = FALSE;
    for (int i_slot = 0; i_slot < keys.GetMaxKeys(); ++i_slot) {
        const LONG l_key = keys[i_slot];
        if (l_key != -1 && list.FindByKey(l_key) < 0) {
            keys.SetAt(i_slot, -1);
            b_dropped = TRUE;
        }
    }
    return b_dropped;
}

} // namespace

BOOL Venue::Revalidate(EventDoc* p_doc)
{
    const BOOL b_styles = DropUnknownKeys(Styles, p_doc->GetStyles());
    const BOOL b_facilities = DropUnknownKeys(Facilities, p_doc->GetFacilities());
    return b_styles || b_facilities;
}

void VenueList::RevalidateAll(EventDoc* p_doc)
{
    for (int i = 0; i < Venues.GetSize(); ++i)
        Venues[i].Revalidate(p_doc);
}
